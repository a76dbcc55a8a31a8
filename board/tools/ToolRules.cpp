#include "board/tools/ToolRules.h"

#include <array>

namespace karvel {

namespace {

using enum TPlatinenModus;

struct TagMode {
    int Tag;
    TPlatinenModus Mode;
    const char16_t* Name; // in edit scripts
};

constexpr std::array<TagMode, 17> TagModes{{
    {1, pm_Standard, u"Standard"},
    {2, pm_Zoom, u"Zoom"},
    {3, pm_Draht, u"Draht"},
    {4, pm_Anschluss, u"Anschluss"},
    {5, pm_Trenner, u"Trenner"},
    {6, pm_Text, u"Text"},
    {7, pm_Linie, u"Linie"},
    {8, pm_Rechteck, u"Rechteck"},
    {9, pm_Kreis, u"Kreis"},
    {10, pm_Polygon, u"Polygon"},
    {11, pm_Pin, u"Pin"},
    {12, pm_Test, u"Test"},
    {13, pm_Bohrung, u"Bohrung"},
    {14, pm_Auge, u"Auge"},
    {15, pm_Leiterbahn, u"Leiterbahn"},
    {16, pm_BohrAuge, u"BohrAuge"},
    {17, pm_Ursprung, u"Ursprung"},
}};

// The colours and pen widths (board units) the tools start with; the window's colour grid and
// pen width list hold each of them.
constexpr Colour Black = colours::Black;
constexpr Colour LightGrey = RgbColour(192, 192, 192);
constexpr Colour Yellow = RgbColour(255, 255, 0);
constexpr Colour White = colours::White;
constexpr int Width01 = 10;
constexpr int Width04 = 40;
constexpr int Width06 = 60;

} // namespace

std::optional<TPlatinenModus> ModeForTag(int tag) {
    for (const TagMode& entry : TagModes)
        if (entry.Tag == tag)
            return entry.Mode;
    return std::nullopt;
}

std::optional<int> ButtonTagForMode(TPlatinenModus mode) {
    for (const TagMode& entry : TagModes)
        if (entry.Mode == mode)
            return entry.Tag;
    return std::nullopt;
}

std::optional<int> TagForMode(TPlatinenModus mode) {
    // Only these modes have a button of their own that the window presses.
    const bool hasButton =
        (mode >= pm_Zoom && mode <= pm_Anschluss) || mode == pm_Test || mode == pm_Pin;
    return hasButton ? ButtonTagForMode(mode) : std::nullopt;
}

std::optional<TPlatinenModus> ModeForToolName(const QString& name) {
    for (const TagMode& entry : TagModes)
        if (name == QStringView(entry.Name))
            return entry.Mode;
    return std::nullopt;
}

bool AsksForSize(TPlatinenModus mode) {
    return mode == pm_Bohrung || mode == pm_Auge || mode == pm_Leiterbahn || mode == pm_BohrAuge;
}

ToolStart ToolStartFor(TPlatinenModus mode) {
    switch (mode) {
    case pm_Draht:
    case pm_Anschluss:
        return {true, LightGrey, std::nullopt, Width04, true};
    case pm_Linie:
    case pm_Kreis:
    case pm_Rechteck:
    case pm_Polygon:
        return {true, Black, std::nullopt, Width01, false};
    case pm_Text:
        return {true, Black, Yellow, std::nullopt, false};
    case pm_Pin:
        return {true, White, std::nullopt, Width06, true};
    case pm_Zweipol:
    case pm_Auge:
    case pm_Bohrung:
    case pm_Leiterbahn:
    case pm_BohrAuge:
        return {false, std::nullopt, std::nullopt, std::nullopt, true};
    case pm_Ursprung:
        // Setting the origin hides the cursor; the crosshair stands for it.
        return {false, std::nullopt, std::nullopt, std::nullopt, true};
    default:
        return {};
    }
}

bool RemovesCrosshair(TPlatinenModus mode) {
    return mode == pm_Zoom || mode == pm_Standard || (mode >= pm_Linie && mode <= pm_Text) ||
           mode == pm_Platzieren || mode == pm_Test;
}

QString CursorNameForMode(TPlatinenModus mode, Language language) {
    const bool english = UsesEnglish(language);
    switch (mode) {
    case pm_Zoom:
        return QStringLiteral("LUPE");
    case pm_Draht:
        return english ? QStringLiteral("KOLBENDRAHT_UK") : QStringLiteral("KOLBENDRAHT");
    case pm_Linie:
        return QStringLiteral("STIFT");
    case pm_Kreis:
        return QStringLiteral("STIFTCIRC");
    case pm_Rechteck:
        return QStringLiteral("STIFTRECT");
    case pm_Polygon:
        return QStringLiteral("STIFTPOLY");
    case pm_Trenner:
        return QStringLiteral("SPLIT");
    case pm_Text:
        return QStringLiteral("STIFTTEXT");
    case pm_Anschluss:
        return QStringLiteral("KOLBENANSCHLUSS");
    case pm_Zweipol:
        return english ? QStringLiteral("KOLBEN2POL_UK") : QStringLiteral("KOLBEN2POL");
    case pm_Test:
        return QStringLiteral("KOLBENTEST");
    case pm_Pin:
        return QStringLiteral("KOLBENPIN");
    case pm_Auge:
    case pm_Bohrung:
    case pm_Leiterbahn:
    case pm_BohrAuge:
    case pm_Ursprung:
        return QStringLiteral("NONE");
    default:
        return {};
    }
}

} // namespace karvel
