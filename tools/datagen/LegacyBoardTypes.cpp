#include "tools/datagen/LegacyBoardTypes.h"

#include "board/ProjectFile.h"
#include "elements/HolePitch.h"
#include "tools/datagen/BoardPatterns.h"

namespace karvel::datagen {

namespace {

using T = TPlatinenTyp;
using Pattern = std::function<void(LayoutBuilder&)>;

constexpr int EuroWidth = 16000;
constexpr int EuroHeight = 10000;
// The 5.08 mm pad boards of old files lie half a hole higher: opening them moves the board's
// offset up by 127 units, and the layout lies where the board then is.
constexpr QPoint RaisedHalfHole{0, -HalfPitch};

Pattern Grid(Copper copper, int step) {
    return [=](LayoutBuilder& b) { HoleGridPattern(b, copper, step); };
}
Pattern EdgeConnector(Copper copper, int step) {
    return [=](LayoutBuilder& b) { EdgeConnectorPattern(b, copper, step); };
}
Pattern Din(Copper copper, const DinConnector& connector) {
    return [=](LayoutBuilder& b) { DinConnectorPattern(b, copper, connector); };
}
Pattern SubD(std::vector<int> firstRowPins) {
    return [=](LayoutBuilder& b) { SubDPattern(b, firstRowPins); };
}
Pattern IcBoard(int blocks) {
    return [=](LayoutBuilder& b) { IcBoardPattern(b, blocks); };
}

LegacyLayout Euro(T typ, const char* name, const char* text, Pattern pattern) {
    return {typ,    QString::fromUtf8(name), EuroWidth,         EuroHeight,
            {0, 0}, QString::fromUtf8(text), std::move(pattern)};
}

} // namespace

std::vector<LegacyLayout> LegacyLayouts() {
    return {
        Euro(T::pt_Streifen254, "Streifenraster 2,54 mm", "Streifen im Raster 2,54 mm.",
             Grid(Copper::Strips, 1)),
        Euro(T::pt_augen254, "Lötaugen 2,54 mm", "Einzelne Lötaugen im Raster 2,54 mm.",
             Grid(Copper::Pads, 1)),
        Euro(T::pt_ohne, "Ohne Kupfer", "Nur Bohrungen im Raster 2,54 mm.", Grid(Copper::None, 1)),
        Euro(T::pt_Streifen508, "Streifenraster 5,08 mm", "Streifen im Raster 5,08 mm.",
             Grid(Copper::Strips, 2)),
        {T::pt_augen508, QStringLiteral("Lötaugen 5,08 mm"), EuroWidth, EuroHeight, RaisedHalfHole,
         QStringLiteral("Einzelne Lötaugen im Raster 5,08 mm."), Grid(Copper::Pads, 2)},
        Euro(T::pt_Streifen254Kontakt, "Streifen 2,54 mm, Direktstecker",
             "Streifen im Raster 2,54 mm, jeder mit einem Kontakt des Direktsteckers.",
             EdgeConnector(Copper::Strips, 1)),
        Euro(T::pt_augen254Kontakt, "Lötaugen 2,54 mm, Direktstecker",
             "Lötaugen im Raster 2,54 mm, je Reihe ein Kontakt des Direktsteckers.",
             EdgeConnector(Copper::Pads, 1)),
        Euro(T::pt_Streifen508Kontakt, "Streifen 5,08 mm, Direktstecker",
             "Streifen im Raster 5,08 mm, jeder mit einem Kontakt des Direktsteckers.",
             EdgeConnector(Copper::Strips, 2)),
        {T::pt_Telekom,
         QStringLiteral("Telekom-Lötaugen 125 x 73"),
         12500,
         7300,
         {0, 0},
         QStringLiteral("Lötaugenplatine 125 x 73 mm im Raster 2,54 mm."),
         Grid(Copper::Pads, 1)},
        Euro(T::pt_StreifenDIN617, "DIN 41617, Streifen",
             "Europakarte mit Streifen und den Lötaugen einer Federleiste DIN 41617 (31 Pole).",
             Din(Copper::Strips, Din41617)),
        Euro(T::pt_AugenDIN617, "DIN 41617, Lötaugen",
             "Europakarte mit Lötaugen und einer Federleiste DIN 41617 (31 Pole).",
             Din(Copper::Pads, Din41617)),
        Euro(T::pt_StreifenDIN612, "DIN 41612, Streifen",
             "Europakarte mit Streifen und einer Federleiste DIN 41612, Reihen a, b, c.",
             Din(Copper::Strips, Din41612FormC)),
        Euro(T::pt_AugenDIN612, "DIN 41612, Lötaugen",
             "Europakarte mit Lötaugen und einer Federleiste DIN 41612, Reihen a, b, c.",
             Din(Copper::Pads, Din41612FormC)),
        Euro(T::pt_SubD25, "Lötaugen, 2 x Sub-D25",
             "Lötaugen im Raster 2,54 mm, am unteren Rand zwei Sub-D-Buchsen mit 25 Polen.",
             SubD({13, 13})),
        Euro(T::pt_SubD9_15, "Lötaugen, 2 x Sub-D9, 2 x Sub-D15",
             "Lötaugen im Raster 2,54 mm, am unteren Rand Sub-D-Buchsen mit 9, 15, 15 und 9 "
             "Polen.",
             SubD({5, 8, 8, 5})),
        Euro(T::pt_AugenDIN612_64pol, "DIN 41612 64-polig, Lötaugen",
             "Europakarte mit Lötaugen und einer Federleiste DIN 41612, Reihen a und c.",
             Din(Copper::Pads, Din41612RowsAC)),
        Euro(T::pt_Streifen254KontaktTrenner, "Streifen unterbrochen, Direktstecker",
             "Streifen im Raster 2,54 mm, nach je vier Löchern unterbrochen, mit Direktstecker.",
             EdgeConnector(Copper::InterruptedStrips, 1)),
        Euro(T::pt_BP670, "IC-Platine BP670",
             "IC-Platine mit fünf Spalten DIP-Muster und Versorgungsschienen.", IcBoard(5)),
        {T::pt_IC_klein,
         QStringLiteral("IC-Platine klein"),
         10000,
         7500,
         {0, 0},
         QStringLiteral("Kleine IC-Platine 100 x 75 mm mit drei Spalten DIP-Muster."),
         IcBoard(3)},
        Euro(T::pt_BP823, "IC-Platine BP823",
             "IC-Platine mit drei Spalten DIP-Muster und einem Lötaugenfeld.", IcBoard(3)),
        Euro(T::pt_612_B, "DIN 41612 Bauform B, Streifen",
             "Europakarte mit Streifen und einer Federleiste DIN 41612 Bauform B, Reihen a und b.",
             Din(Copper::Strips, Din41612FormB)),
    };
}

QString LegacyFileName(TPlatinenTyp typ) {
    return QStringLiteral("P%1.dat").arg(int(typ));
}

void BuildLegacyLayout(const LegacyLayout& legacy, TBoard& layout) {
    LayoutBuilder builder(layout, legacy.Name, legacy.Width, legacy.Height, legacy.Nullpunkt);
    legacy.Pattern(builder);
    builder.Describe(legacy.Description);
}

QString WriteLegacyLayouts(const QDir& folder, QStringList& written) {
    ViewState view;
    for (const LegacyLayout& legacy : LegacyLayouts()) {
        TBoard layout(view);
        BuildLegacyLayout(legacy, layout);
        const QString path = folder.filePath(LegacyFileName(legacy.Typ));
        const QString error = SaveLayoutFile(path, layout);
        if (!error.isEmpty())
            return path + QStringLiteral(": ") + error;
        written << path;
    }
    return {};
}

} // namespace karvel::datagen
