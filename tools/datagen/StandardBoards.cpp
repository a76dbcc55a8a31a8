#include "tools/datagen/StandardBoards.h"

#include "board/LayoutLanguages.h"
#include "board/ProjectFile.h"
#include "tools/datagen/BoardPatterns.h"

namespace karvel::datagen {

namespace {

// One board, named in German and, for the everyday boards, in English too: both files share the
// pattern. The rest stays German only, as every English file doubles a large data file.
struct Twin {
    const char* German;
    const char* English; // none for German only
    int Width;
    int Height;
    const char* GermanText;
    const char* EnglishText;
    std::function<void(LayoutBuilder&)> Pattern;
};

std::vector<Twin> Twins() {
    auto grid = [](Copper copper) {
        return [copper](LayoutBuilder& b) { HoleGridPattern(b, copper, 1); };
    };
    return {
        {"Streifenraster 160 x 100", "Stripboard 160 x 100", 16000, 10000,
         "Streifenraster im Europaformat, Raster 2,54 mm, Streifen waagerecht.",
         "Euro size stripboard, 2.54 mm grid, horizontal strips.", grid(Copper::Strips)},
        {"Streifenraster 100 x 160", nullptr, 10000, 16000,
         "Streifenraster im Europaformat hochkant, Raster 2,54 mm.",
         "Euro size stripboard, portrait, 2.54 mm grid.", grid(Copper::Strips)},
        {"Streifenraster 100 x 80", "Stripboard 100 x 80", 10000, 8000,
         "Halbe Europakarte mit Streifen, Raster 2,54 mm.",
         "Half Euro card stripboard, 2.54 mm grid.", grid(Copper::Strips)},
        {"Streifenraster 80 x 50", nullptr, 8000, 5000, "Kleines Streifenraster, Raster 2,54 mm.",
         "Small stripboard, 2.54 mm grid.", grid(Copper::Strips)},
        {"Lochraster Lötaugen 160 x 100", "Perfboard pads 160 x 100", 16000, 10000,
         "Lochrasterplatine mit einzelnen Lötaugen, Raster 2,54 mm.",
         "Perfboard with single pads, 2.54 mm grid.", grid(Copper::Pads)},
        {"Lochraster Lötaugen 100 x 80", nullptr, 10000, 8000,
         "Halbe Europakarte mit einzelnen Lötaugen, Raster 2,54 mm.",
         "Half Euro card with single pads, 2.54 mm grid.", grid(Copper::Pads)},
        {"Ohne Kupfer 160 x 100", "No copper 160 x 100", 16000, 10000,
         "Lochplatte ohne Kupfer, nur Bohrungen im Raster 2,54 mm.",
         "Board without copper, drillings only, 2.54 mm grid.", grid(Copper::None)},
        {"Streifenraster Direktstecker", nullptr, 16000, 10000,
         "Streifenraster 160 x 100 mm, jeder Streifen endet an einem Kontakt des "
         "Direktsteckers am rechten Rand.",
         "Stripboard 160 x 100 mm, every strip ends in a finger of the edge connector on the "
         "right.",
         [](LayoutBuilder& b) { EdgeConnectorPattern(b, Copper::Strips, 1); }},
        {"Europakarte DIN 41612 Streifen", nullptr, 16000, 10000,
         "Europakarte mit Streifen und den Lötaugen einer Federleiste DIN 41612 "
         "(Reihen a, b, c, 96 Pole) am rechten Rand.",
         "Euro card with strips and the pads of a DIN 41612 connector (rows a, b, c, 96 poles) "
         "on the right.",
         [](LayoutBuilder& b) { DinConnectorPattern(b, Copper::Strips, Din41612FormC); }},
        {"Europakarte DIN 41612 Lötaugen", nullptr, 16000, 10000,
         "Europakarte mit Lötaugen und den Lötaugen einer Federleiste DIN 41612 "
         "(Reihen a, b, c, 96 Pole) am rechten Rand.",
         "Euro card with pads and the pads of a DIN 41612 connector (rows a, b, c, 96 poles) on "
         "the right.",
         [](LayoutBuilder& b) { DinConnectorPattern(b, Copper::Pads, Din41612FormC); }},
        {"IC-Platine 160 x 100", nullptr, 16000, 10000,
         "IC-Platine: fünf Spalten mit DIP-Mustern, dazwischen Versorgungsschienen; oben und "
         "unten je eine Sammelschiene.",
         "IC board: five columns of DIP patterns with supply rails between them and a supply "
         "bus along the top and the bottom edge.",
         [](LayoutBuilder& b) { IcBoardPattern(b, 5); }},
    };
}

const QString Extension = QStringLiteral(".KVB");

} // namespace

std::vector<StandardBoard> StandardBoards() {
    std::vector<StandardBoard> boards;
    for (const Twin& twin : Twins()) {
        boards.push_back({QString::fromUtf8(twin.German) + Extension, Language::German,
                          twin.English != nullptr, twin.Width, twin.Height,
                          QString::fromUtf8(twin.GermanText), twin.Pattern});
    }
    for (const Twin& twin : Twins()) {
        if (twin.English == nullptr)
            continue;
        boards.push_back({QString::fromUtf8(twin.English) + Extension, Language::English, true,
                          twin.Width, twin.Height, QString::fromUtf8(twin.EnglishText),
                          twin.Pattern});
    }
    return boards;
}

void BuildStandardBoard(const StandardBoard& board, TBoard& layout) {
    LayoutBuilder builder(layout, board.FileName, board.Width, board.Height);
    board.Pattern(builder);
    builder.Describe(board.Description);
}

QString WriteStandardBoards(const QDir& folder, QStringList& written) {
    ViewState view;
    LayoutLanguages languages;
    for (const StandardBoard& board : StandardBoards()) {
        if (board.Twinned)
            languages.Set(board.FileName, board.Language);
        TBoard layout(view);
        BuildStandardBoard(board, layout);
        const QString path = folder.filePath(board.FileName);
        const QString error = SaveLayoutFile(path, layout);
        if (!error.isEmpty())
            return path + QStringLiteral(": ") + error;
        written << path;
    }
    const QString error = languages.Write(folder.path());
    if (!error.isEmpty())
        return folder.filePath(LayoutLanguages::FileName()) + QStringLiteral(": ") + error;
    written << folder.filePath(LayoutLanguages::FileName());
    return {};
}

} // namespace karvel::datagen
