// Drawing a dense board and probing a full stripboard, the two things a user waits for most.

#include "board/Board.h"
#include "board/Continuity.h"
#include "board/ElementClasses.h"
#include "board/Platine.h"
#include "board/tools/ToolManager.h"
#include "elements/Bohrung.h"
#include "elements/Geometry.h"
#include "support/FakeHost.h"
#include "support/SampleBoard.h"

#include <benchmark/benchmark.h>
#include <QtGui/QGuiApplication>
#include <random>

namespace karvel {
namespace {

constexpr int Columns = 63; // 160 mm
constexpr int Rows = 39;    // 100 mm

QPoint Hole(int column, int row) {
    return {column * 254, row * 254 + 127};
}

// A 160 × 100 mm stripboard: a strip per row and a drilling in every hole.
void MakeStripboard(TBoard& layout) {
    layout.SetSize(16000, 10000);
    for (int row = 0; row < Rows; ++row) {
        auto strip = std::make_unique<TLeiterbahn>();
        strip->Nodes = {Hole(0, row), Hole(Columns - 1, row)};
        strip->SetStiftbreite(100);
        strip->RebuildOutline();
        layout.Add(std::move(strip));
    }
}

void AddDrillings(TBoard& layout) {
    for (int row = 0; row < Rows; ++row)
        for (int column = 0; column < Columns; ++column) {
            auto drilling = std::make_unique<TBohrung>();
            drilling->Centre = Hole(column, row);
            drilling->Diameter = 1.0;
            layout.Add(std::move(drilling));
        }
}

// 2,000 elements on the stripboard: wires, cuts, components, labels and pads.
void FillDense(TPlatine& board) {
    for (int i = 0; board.Count() < 2000; ++i) {
        const int column = (i * 7) % (Columns - 8);
        const int row = (i * 5) % (Rows - 4);
        switch (i % 5) {
        case 0:
        case 1:
            board.Add(test::MakeWire(TBauteilTyp::btDraht,
                                     {Hole(column, row), Hole(column + 4, row + 3)}));
            break;
        case 2: {
            auto cut = std::make_unique<TTrenner>();
            const QPoint h = Hole(column, row);
            cut->CutRect = {h.x() + 57, h.y() - 127, h.x() + 197, h.y() + 127};
            board.Add(std::move(cut));
            break;
        }
        case 3: {
            auto resistor = test::MakeResistor();
            resistor->MoveBy(column * 254 - 1016, row * 254 - 1270);
            board.Add(std::move(resistor));
            break;
        }
        default: {
            auto label = std::make_unique<TTextLabel>();
            label->Position = Hole(column, row);
            label->SetTextString(QStringLiteral("C%1").arg(i));
            board.Add(std::move(label));
        }
        }
    }
    for (const auto& element : board.Bauteile())
        element->SetIstMarkiert(false);
}

void BM_RenderDenseBoard(benchmark::State& state) {
    ViewState view;
    TPlatine board(view);
    MakeStripboard(*board.Layout());
    AddDrillings(*board.Layout());
    FillDense(board);
    board.SetZoom(3.0);
    QImage image(board.ControlSize(), QImage::Format_RGB32);
    for (auto _ : state) {
        Canvas canvas(image);
        board.Paint(canvas);
    }
    state.counters["pixels"] = double(image.width()) * image.height();
    state.counters["elements"] = board.Count() + board.Layout()->Count();
}
BENCHMARK(BM_RenderDenseBoard)->Unit(benchmark::kMillisecond);

class SilentToolHost : public ToolHost {
public:
    void SetPointerShape(PointerShape) override {}
    void ConfinePointer(bool) override {}
    void Beep() override {}
    void SetAutoscrollTimer(bool) override {}
    void ShowRubberBand(std::optional<QRect>) override {}
    void ShowTempLine(std::optional<TempLine>) override {}
    void ShowCrosshair(std::optional<QPoint>) override {}
};

// One step of dragging a part across the dense board: the move by a pitch and the repaint of
// what it invalidated, as the window would draw it.
void BM_DragStep(benchmark::State& state) {
    ViewState view;
    TPlatine board(view);
    MakeStripboard(*board.Layout());
    AddDrillings(*board.Layout());
    FillDense(board);
    test::FakeHost scroll({1200, 800});
    board.SetHost(&scroll);
    board.SetZoom(3.0);
    SilentToolHost host;
    ToolManager editor(board, host);
    TBauteil* part = nullptr;
    for (const auto& element : board.Bauteile())
        if (element->GetContactCount() == 2 && element->ClassName() == "TGruppe")
            part = element.get();
    board.SetzeMarkierung(part, true);
    QImage image(board.ControlSize(), QImage::Format_RGB32);
    const QPoint grab =
        board.BoardToControl(part->CurrentAnchors().empty() ? QPoint(0, 0)
                                                            : Hole(part->CurrentAnchors()[0].x(),
                                                                   part->CurrentAnchors()[0].y()));
    editor.Press({PointerAction::Press, grab, Qt::LeftButton, Qt::LeftButton, {}});
    const int pitch = board.PixelsPerHole();
    int step = 0;
    for (auto _ : state) {
        scroll.invalidated.clear();
        const QPoint to = grab + QPoint((step++ % 2 == 0 ? 1 : 0) * pitch + pitch / 2, 0);
        editor.Move({PointerAction::Move, to, Qt::NoButton, Qt::LeftButton, {}});
        QRegion stale;
        for (const Rect& r : scroll.invalidated) {
            const Rect n = Normalised(r);
            stale += QRect(QPoint(n.Left, n.Top), QPoint(n.Right, n.Bottom));
        }
        Canvas canvas(image);
        canvas.SelectClipRegion(Region(stale));
        board.Paint(canvas);
    }
    editor.Release({PointerAction::Release, grab, Qt::LeftButton, {}, {}});
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

void BM_ProbeStripboard(benchmark::State& state) {
    ViewState view;
    TPlatine board(view);
    MakeStripboard(*board.Layout());
    for (int i = 0; i < 300; ++i) {
        auto cut = std::make_unique<TTrenner>();
        const QPoint h = Hole((i * 13) % (Columns - 1), (i * 7) % Rows);
        cut->CutRect = {h.x() + 57, h.y() - 127, h.x() + 197, h.y() + 127};
        board.Add(std::move(cut));
    }
    for (int i = 0; i < 500; ++i) {
        const int column = (i * 11) % Columns;
        board.Add(test::MakeWire(
            TBauteilTyp::btDraht,
            {Hole(column, (i * 3) % Rows), Hole((column + 5) % Columns, (i * 3 + 7) % Rows)}));
    }
    for (auto _ : state)
        board.Analysis().Probe(Hole(1, 1));
    const auto marked =
        std::count_if(board.Analysis().Pieces().begin(), board.Analysis().Pieces().end(),
                      [](const TBauteil* p) { return p->HatTestSpannung(); });
    state.counters["pieces"] = double(board.Analysis().Pieces().size());
    state.counters["marked"] = double(marked);
}
BENCHMARK(BM_ProbeStripboard)->Unit(benchmark::kMillisecond);

// A 100 × 100 hole stripboard with cuts and 1,000 wires between holes chosen at random (with a
// fixed seed): the analyses must stay fast and grow linearly with the number of cuts.
void MakeCutStripboard(TPlatine& board, int cuts) {
    constexpr int Size = 100;
    board.SetSize(Size * 254, Size * 254);
    TBoard& layout = *board.Layout();
    layout.SetSize(Size * 254, Size * 254);
    for (int row = 0; row < Size; ++row) {
        auto strip = std::make_unique<TLeiterbahn>();
        strip->Nodes = {Hole(0, row), Hole(Size - 1, row)};
        strip->SetStiftbreite(100);
        strip->RebuildOutline();
        layout.Add(std::move(strip));
    }
    std::minstd_rand random(1234);
    auto pick = [&random](int n) { return int(random() % unsigned(n)); };
    for (int i = 0; i < cuts; ++i) {
        auto cut = std::make_unique<TTrenner>();
        const QPoint h = Hole(pick(Size - 1), pick(Size));
        cut->CutRect = {h.x() + 57, h.y() - 127, h.x() + 197, h.y() + 127};
        board.Add(std::move(cut));
    }
    for (int i = 0; i < 1000; ++i)
        board.Add(test::MakeWire(TBauteilTyp::btDraht,
                                 {Hole(pick(Size), pick(Size)), Hole(pick(Size), pick(Size))}));
}

void CountPieces(benchmark::State& state, const CopperAnalysis& analysis) {
    const auto& pieces = analysis.Pieces();
    state.counters["pieces"] = double(pieces.size());
    state.counters["marked"] = double(std::count_if(
        pieces.begin(), pieces.end(), [](const TBauteil* p) { return p->HatTestSpannung(); }));
    state.counters["unused"] = double(std::count_if(
        pieces.begin(), pieces.end(), [](const TBauteil* p) { return p->istFreierBereich(); }));
}

void BM_ProbeCuts(benchmark::State& state) {
    ViewState view;
    TPlatine board(view);
    MakeCutStripboard(board, int(state.range(0)));
    for (auto _ : state)
        board.Analysis().Probe(Hole(1, 1));
    CountPieces(state, board.Analysis());
}
BENCHMARK(BM_ProbeCuts)->Arg(500)->Arg(1000)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_UnusedCuts(benchmark::State& state) {
    ViewState view;
    TPlatine board(view);
    MakeCutStripboard(board, int(state.range(0)));
    for (auto _ : state)
        board.Analysis().ShowUnused();
    CountPieces(state, board.Analysis());
}
BENCHMARK(BM_UnusedCuts)->Arg(500)->Arg(1000)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace karvel

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    karvel::RegisterElementClasses();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
