// Undo snapshots on a big board: every edit takes one, so it must not be felt.

#include "board/ElementClasses.h"
#include "board/Platine.h"
#include "support/SampleBoard.h"

#include <benchmark/benchmark.h>
#include <QtGui/QGuiApplication>

namespace karvel {
namespace {

// 5,000 elements: wires, lines and components, as a large hand-drawn board holds them.
void FillBigBoard(TPlatine& board) {
    for (int i = 0; i < 5000; ++i) {
        const int x = (i % 60) * 254;
        const int y = (i / 60) * 254 + 127;
        if (i % 10 == 0) {
            auto component = test::MakeResistor();
            component->MoveBy(x, y);
            board.Add(std::move(component));
        } else {
            const auto kind = i % 2 ? TBauteilTyp::btDraht : TBauteilTyp::btLine;
            board.Add(test::MakeWire(kind, {{x, y}, {x + 508, y}, {x + 508, y + 254}}));
        }
    }
    board.MarkiereAlle(false);
}

void BM_MerkeZustand(benchmark::State& state) {
    ViewState view;
    view.UndoDepth = 10;
    TPlatine board(view);
    FillBigBoard(board);
    for (auto _ : state)
        board.MerkeZustand();
    state.counters["elements"] = board.Count();
}
BENCHMARK(BM_MerkeZustand)->Unit(benchmark::kMillisecond);

// One undo: the current state written to the redo list and the snapshot read back.
void BM_Undo(benchmark::State& state) {
    ViewState view;
    view.UndoDepth = 50;
    TPlatine board(view);
    FillBigBoard(board);
    for (auto _ : state) {
        state.PauseTiming();
        board.MerkeZustand();
        state.ResumeTiming();
        board.Rueckgaengig();
    }
}
BENCHMARK(BM_Undo)->Unit(benchmark::kMillisecond);

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
