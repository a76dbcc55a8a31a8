#include "shell/ToolDefaults.h"

#include <array>

namespace karvel {

namespace {

using enum TPlatinenModus;

struct TagMode {
    int Tag;
    TPlatinenModus Mode;
};

constexpr std::array<TagMode, 17> TagModes{{
    {1, pm_Standard},
    {2, pm_Zoom},
    {3, pm_Draht},
    {4, pm_Anschluss},
    {5, pm_Trenner},
    {6, pm_Text},
    {7, pm_Linie},
    {8, pm_Rechteck},
    {9, pm_Kreis},
    {10, pm_Polygon},
    {11, pm_Pin},
    {12, pm_Test},
    {13, pm_Bohrung},
    {14, pm_Auge},
    {15, pm_Leiterbahn},
    {16, pm_BohrAuge},
    {17, pm_Ursprung},
}};

// Pen width list entries and colour grid indices the tools start with.
constexpr int Width01 = 1;
constexpr int Width04 = 4;
constexpr int Width06 = 6;
constexpr int Black = 0;
constexpr int LightGrey = 7;
constexpr int Yellow = 11;
constexpr int White = 15;

} // namespace

std::optional<TPlatinenModus> ModeForTag(int tag) {
    for (const TagMode& entry : TagModes)
        if (entry.Tag == tag)
            return entry.Mode;
    return std::nullopt;
}

std::optional<int> TagForMode(TPlatinenModus mode) {
    // Only these modes have a button of their own that the window presses.
    const bool hasButton =
        (mode >= pm_Zoom && mode <= pm_Anschluss) || mode == pm_Test || mode == pm_Pin;
    if (!hasButton)
        return std::nullopt;
    for (const TagMode& entry : TagModes)
        if (entry.Mode == mode)
            return entry.Tag;
    return std::nullopt;
}

bool AsksForSize(int tag) {
    return tag >= 13 && tag <= 16;
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
    default:
        return {};
    }
}

bool ConfinesCursor(TPlatinenModus mode) {
    return mode == pm_Draht || mode == pm_Anschluss || mode == pm_Pin || mode == pm_Auge ||
           mode == pm_Bohrung || mode == pm_BohrAuge;
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
        return QStringLiteral("NONE");
    default:
        return {};
    }
}

} // namespace karvel
