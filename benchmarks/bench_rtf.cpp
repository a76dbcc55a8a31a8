// Reading Rich Text into a document that has a layout, as the annotation window does: one
// paragraph of many formatting runs (bold, italic and colour changing word by word), read and
// laid out. The target is 100,000 runs in at most 0.5 s.

#include "platform/rtf/RtfDocument.h"

#include <benchmark/benchmark.h>
#include <QtGui/QAbstractTextDocumentLayout>
#include <QtGui/QGuiApplication>
#include <QtGui/QTextDocument>

namespace karvel {
namespace {

// One paragraph of `runs` words, each in a format of its own neighbour's: what a pasted web page
// or a generated report brings.
QByteArray ManyRuns(int runs) {
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
                     "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\f0\\fs20 ";
    static const char* const formats[] = {"\\b ", "\\b0\\i ", "\\i0\\cf1 ", "\\cf2\\ul ",
                                          "\\ul0\\cf0 "};
    rtf.reserve(qsizetype(runs) * 16);
    for (int i = 0; i < runs; ++i) {
        rtf += formats[i % 5];
        rtf += "Wort";
        rtf += QByteArray::number(i % 100);
        rtf += ' ';
    }
    return rtf + "\\par}";
}

void BM_ReadAndLayOutRuns(benchmark::State& state) {
    const int runs = int(state.range(0));
    const QByteArray rtf = ManyRuns(runs);
    for (auto _ : state) {
        QTextDocument document;
        // The layout exists before reading, as in the window, and hears of every change.
        document.documentLayout();
        document.setTextWidth(700);
        ReadRtfDocument(rtf, document);
        benchmark::DoNotOptimize(document.documentLayout()->documentSize());
    }
    state.SetItemsProcessed(state.iterations() * runs);
    state.counters["runs"] = runs;
}
BENCHMARK(BM_ReadAndLayOutRuns)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same without a layout: how much of the time building the document itself takes.
void BM_ReadRuns(benchmark::State& state) {
    const int runs = int(state.range(0));
    const QByteArray rtf = ManyRuns(runs);
    for (auto _ : state) {
        QTextDocument document;
        ReadRtfDocument(rtf, document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.SetItemsProcessed(state.iterations() * runs);
}
BENCHMARK(BM_ReadRuns)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace karvel

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
