// Undo snapshots on a big board: every edit takes one, so it must not be felt.

#include "board/ElementClasses.h"
#include "board/Platine.h"
#include "support/SampleBoard.h"

#include <benchmark/benchmark.h>
#include <QtGui/QGuiApplication>

namespace karvel {
namespace {

// Wires, lines and components, as a large hand-drawn board holds them.
void FillBigBoard(TPlatine& board, int count) {
    for (int i = 0; i < count; ++i) {
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

// One edit as a click makes it: the undo step around a small change.
void Edit(TPlatine& board, int& turn) {
    const UndoStep step(board);
    turn = 1 - turn;
    board.SetUrsprung({254 * turn, 127});
}

// The state before a change written into the history, with no comparing afterwards.
void BM_RecordSnapshot(benchmark::State& state) {
    ViewState view;
    view.UndoDepth = 10;
    TPlatine board(view);
    FillBigBoard(board, int(state.range(0)));
    for (auto _ : state)
        board.TakeTentativeSnapshot();
    state.counters["elements"] = board.Count();
}
BENCHMARK(BM_RecordSnapshot)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);

// An edit that changes the board: the state written when the step opens and compared when
// it closes.
void BM_UndoStepWithChange(benchmark::State& state) {
    ViewState view;
    view.UndoDepth = 10;
    TPlatine board(view);
    FillBigBoard(board, int(state.range(0)));
    int turn = 0;
    for (auto _ : state)
        Edit(board, turn);
    state.counters["elements"] = board.Count();
}
BENCHMARK(BM_UndoStepWithChange)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A click that changes nothing: the step is written, compared and dropped.
void BM_UndoStepWithoutChange(benchmark::State& state) {
    ViewState view;
    view.UndoDepth = 10;
    TPlatine board(view);
    FillBigBoard(board, int(state.range(0)));
    for (auto _ : state) {
        const UndoStep step(board);
    }
    state.counters["elements"] = board.Count();
}
BENCHMARK(BM_UndoStepWithoutChange)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);

// One undo: the current state written to the redo list and the snapshot read back.
void BM_Undo(benchmark::State& state) {
    ViewState view;
    view.UndoDepth = 50;
    TPlatine board(view);
    FillBigBoard(board, 5000);
    int turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Edit(board, turn);
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
