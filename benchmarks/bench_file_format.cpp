// Reading and writing projects: 5 boards of 5,000 elements of mixed classes, and the undo
// snapshot of one such board. Throughput is reported as bytes per second.

#include "board/ElementClasses.h"
#include "board/ProjectFile.h"
#include "stream/ValueWriter.h"
#include "support/SampleBoard.h"

#include <benchmark/benchmark.h>
#include <QtCore/QBuffer>
#include <QtGui/QGuiApplication>

namespace karvel {
namespace {

// 5,000 elements in the mix a real board has: many wires and cuts, pads, labels, components.
void FillDenseBoard(TPlatine& board, int seed) {
    for (int i = 0; board.Count() < 5000; ++i) {
        const int x = (i * 37 + seed) % 60 * 254;
        const int y = (i * 11) % 38 * 254 + 127;
        switch (i % 8) {
        case 0:
        case 1:
        case 2: {
            auto wire =
                test::MakeWire(TBauteilTyp::btDraht, {{x, y}, {x + 508, y}, {x + 508, y + 762}});
            wire->Anchors = {{x / 254, y / 254}, {x / 254 + 2, y / 254 + 3}};
            board.Add(std::move(wire));
            break;
        }
        case 3: {
            auto cut = std::make_unique<TTrenner>();
            cut->CutRect = {x - 70, y - 127, x + 70, y + 127};
            board.Add(std::move(cut));
            break;
        }
        case 4: {
            auto pad = std::make_unique<TAuge>();
            pad->Centre = {x, y};
            board.Add(std::move(pad));
            break;
        }
        case 5: {
            auto label = std::make_unique<TTextLabel>();
            label->Position = {x, y};
            label->SetTextString(QStringLiteral("R%1").arg(i));
            board.Add(std::move(label));
            break;
        }
        case 6: {
            auto resistor = test::MakeResistor();
            resistor->MoveBy(x % 5000, y % 3000);
            board.Add(std::move(resistor));
            break;
        }
        default:
            board.Add(
                test::MakeWire(TBauteilTyp::btPolygon, {{x, y}, {x + 300, y}, {x + 150, y + 300}}));
        }
    }
}

struct Project {
    ViewState view;
    std::vector<std::unique_ptr<TPlatine>> boards;
    std::vector<TPlatine*> pointers;
    Project() {
        for (int b = 0; b < 5; ++b) {
            boards.push_back(std::make_unique<TPlatine>(view));
            FillDenseBoard(*boards.back(), b);
            pointers.push_back(boards.back().get());
        }
    }
};

Project& SharedProject() {
    static Project project;
    return project;
}

QByteArray ProjectBytes() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteProject(buffer, SharedProject().pointers);
    return buffer.data();
}

void BM_WriteProject(benchmark::State& state) {
    Project& project = SharedProject();
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        WriteProject(buffer, project.pointers);
        bytes += buffer.size();
        benchmark::DoNotOptimize(buffer.data().data());
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_WriteProject)->Unit(benchmark::kMillisecond);

void BM_ReadProject(benchmark::State& state) {
    const QByteArray bytes = ProjectBytes();
    ViewState view;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        ProjectLoad load = ReadProject(buffer, view);
        if (load.Error || load.Boards.size() != 5)
            state.SkipWithError("reading failed");
        benchmark::DoNotOptimize(load.Boards.data());
    }
    state.SetBytesProcessed(qint64(state.iterations()) * bytes.size());
}
BENCHMARK(BM_ReadProject)->Unit(benchmark::kMillisecond);

void BM_WriteSnapshot(benchmark::State& state) {
    TPlatine& board = *SharedProject().boards.front();
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        RecordContext context(StreamPurpose::Snapshot, buffer);
        ValueWriter writer(buffer, 20000);
        board.SpeichereInStream(context, writer, false);
        writer.FlushBuffer();
        bytes += buffer.size();
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_WriteSnapshot)->Unit(benchmark::kMillisecond);

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
