// Writes the fuzzer's seed corpus: real projects as the writer makes them, of the current and
// of older versions.   make_fuzz_corpus <folder>

#include "board/ElementClasses.h"
#include "board/ProjectFile.h"
#include "support/SampleBoard.h"

#include <cstdio>
#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtGui/QGuiApplication>

namespace {

bool Write(const QDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray Project(const std::vector<karvel::TPlatine*>& boards) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    karvel::WriteProject(buffer, boards);
    return buffer.data();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    karvel::RegisterElementClasses();
    if (argc != 2) {
        std::fputs("usage: make_fuzz_corpus <folder>\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(QStringLiteral("."));
    karvel::ViewState view;
    karvel::TPlatine sample(view), empty(view), second(view);
    karvel::test::FillSampleBoard(sample);
    second.Add(karvel::test::MakeResistor());
    QByteArray current = Project({&sample, &empty, &second});
    bool ok = Write(folder, QStringLiteral("sample-3,08.rst"), current);
    ok &= Write(folder, QStringLiteral("empty-3,08.rst"), Project({&empty}));
    // The same projects as older versions announce themselves: the reader takes other paths.
    for (const char* version : {"3,07", "3,02", "1,00"}) {
        QByteArray old = current;
        old.replace(37, 4, version);
        ok &= Write(folder, QStringLiteral("sample-%1.rst").arg(QLatin1String(version)), old);
    }
    return ok ? 0 : 1;
}
