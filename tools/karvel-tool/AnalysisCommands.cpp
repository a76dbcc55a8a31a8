// probe and unused: the copper analyses of a board, as JSON.

#include "board/Continuity.h"
#include "elements/Geometry.h"
#include "elements/Gruppe.h"
#include "tools/karvel-tool/Commands.h"
#include "tools/karvel-tool/ToolSupport.h"

#include <QtCore/QJsonArray>
#include <QtGui/QImage>

namespace karvel::tool {

namespace {

// The path of every element that satisfies a test: its index in the board's list, then the
// indices through the groups it lies in.
template <typename Test>
void CollectPaths(const std::vector<std::unique_ptr<TBauteil>>& elements, QJsonArray prefix,
                  Test&& test, QJsonArray& paths) {
    for (std::size_t i = 0; i < elements.size(); ++i) {
        QJsonArray path = prefix;
        path.append(int(i));
        if (test(*elements[i]))
            paths.append(path);
        if (const auto* group = dynamic_cast<const TGruppe*>(elements[i].get()))
            CollectPaths(group->Members(), path, test, paths);
    }
}

QJsonArray RectJson(const Rect& r) {
    return QJsonArray{r.Left, r.Top, r.Right, r.Bottom};
}

// Loads the project and chooses the board for an analysis command.
struct AnalysisSetup {
    ViewState view;
    std::optional<ProjectLoad> load;
    TPlatine* board = nullptr;
    int status = Ok;
};

bool Setup(const Arguments& args, AnalysisSetup& setup) {
    if (!LanguageOf(args)) {
        setup.status = BadUse;
        return false;
    }
    const Language messages = MessageLanguageOf(args);
    setup.view = MakeView(messages);
    setup.load = LoadProject(args.Positional()[0], setup.view, messages, setup.status);
    if (!setup.load)
        return false;
    if (setup.load->Error) {
        PrintError(setup.load->Error->Message(messages));
        setup.status = Failed;
        return false;
    }
    setup.board = ChooseBoard(args, *setup.load, setup.status);
    return setup.board != nullptr;
}

} // namespace

int Probe(const QStringList& args) {
    QString error;
    const auto parsed = Arguments::Parse(
        args,
        {{}, {QStringLiteral("--at"), QStringLiteral("--board"), QStringLiteral("--lang")}, 1, 1},
        error);
    if (!parsed)
        return UsageError(error);
    const std::optional<QPoint> hole = ParseHole(parsed->Value(QStringLiteral("--at")));
    if (!hole)
        return UsageError(Say("probe braucht --at SPALTE,ZEILE", "probe needs --at COLUMN,ROW"));
    AnalysisSetup setup;
    if (!Setup(*parsed, setup))
        return setup.status;
    const QPoint point(hole->x() * HolePitch, hole->y() * HolePitch + HolePitch / 2);
    CopperAnalysis& analysis = setup.board->Analysis();
    analysis.Probe(point);
    QJsonArray connections;
    CollectPaths(
        setup.board->Bauteile(), {},
        [&](const TBauteil& e) {
            return e.HatTestSpannung() &&
                   std::find(analysis.Connections().begin(), analysis.Connections().end(), &e) !=
                       analysis.Connections().end();
        },
        connections);
    const auto marked = std::count_if(analysis.Pieces().begin(), analysis.Pieces().end(),
                                      [](const TBauteil* p) { return p->HatTestSpannung(); });
    const bool written = PrintJson({{QStringLiteral("hole"), QJsonArray{hole->x(), hole->y()}},
                                    {QStringLiteral("point"), QJsonArray{point.x(), point.y()}},
                                    {QStringLiteral("connections"), connections},
                                    {QStringLiteral("copperPieces"), int(marked)}},
                                   MessageLanguageOf(*parsed));
    return written ? Ok : Failed;
}

int Unused(const QStringList& args) {
    QString error;
    const auto parsed = Arguments::Parse(
        args, {{}, {QStringLiteral("--board"), QStringLiteral("--lang")}, 1, 1}, error);
    if (!parsed)
        return UsageError(error);
    AnalysisSetup setup;
    if (!Setup(*parsed, setup))
        return setup.status;
    CopperAnalysis& analysis = setup.board->Analysis();
    analysis.ShowUnused();
    QImage image(1, 1, QImage::Format_RGB32);
    Canvas canvas(image);
    setup.board->SetzeMassstab(canvas);
    QJsonArray pieces;
    for (TBauteil* piece : analysis.Pieces())
        if (piece->istFreierBereich())
            pieces.append(RectJson(Normalised(piece->GetBounds(canvas))));
    const bool written = PrintJson(
        {{QStringLiteral("unused"), int(pieces.size())}, {QStringLiteral("bounds"), pieces}},
        MessageLanguageOf(*parsed));
    return written ? Ok : Failed;
}

} // namespace karvel::tool
