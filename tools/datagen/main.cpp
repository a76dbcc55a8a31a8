// karvel-datagen: writes the data that lies beside the program and the pictures compiled into
// it, from code, so they can be reviewed and rebuilt:  karvel-datagen <resources folder>

#include "board/ElementClasses.h"
#include "tools/datagen/GradientBitmaps.h"
#include "tools/datagen/LegacyBoardTypes.h"
#include "tools/datagen/SampleProject.h"
#include "tools/datagen/SolderPointPicture.h"
#include "tools/datagen/StandardBoards.h"
#include "tools/datagen/StarterLibrary.h"

#include <cstdio>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QGuiApplication>

namespace {

bool MakeFolder(const QDir& resources, const QString& name) {
    if (resources.mkpath(name))
        return true;
    std::fprintf(stderr, "karvel-datagen: cannot create %s\n",
                 qPrintable(resources.filePath(name)));
    return false;
}

bool Failed(const QString& error) {
    if (error.isEmpty())
        return false;
    std::fprintf(stderr, "karvel-datagen: cannot write %s\n", qPrintable(error));
    return true;
}

void ReportWritten(const QStringList& paths) {
    for (const QString& path : paths)
        std::printf("wrote %s (%lld bytes)\n", qPrintable(path), QFileInfo(path).size());
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    karvel::RegisterElementClasses();
    if (argc != 2) {
        std::fputs("usage: karvel-datagen <resources folder>\n", stderr);
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    const QString layouts = QStringLiteral("Board Layouts");
    const QString data = QStringLiteral("Data");
    const QString examples = QStringLiteral("examples");
    const QString library = QStringLiteral("Library");
    for (const QString& folder : {QStringLiteral("pictures"), layouts, data, examples, library}) {
        if (!MakeFolder(resources, folder))
            return 1;
    }
    QStringList written;
    const QString picture = resources.filePath(QStringLiteral("pictures/LOETSTELLE.bmp"));
    if (!karvel::datagen::MakeSolderPointPicture().save(picture, "BMP")) {
        std::fprintf(stderr, "karvel-datagen: cannot write %s\n", qPrintable(picture));
        return 1;
    }
    written << picture;
    if (Failed(karvel::datagen::WriteStandardBoards(resources.filePath(layouts), written)) ||
        Failed(karvel::datagen::WriteLegacyLayouts(resources.filePath(data), written)) ||
        Failed(karvel::datagen::WriteGradientBitmaps(resources, written)) ||
        Failed(karvel::datagen::WriteStarterLibrary(resources.filePath(library), written)))
        return 1;
    const QString sample = resources.filePath(examples + QStringLiteral("/555-blinker.rst"));
    if (Failed(karvel::datagen::WriteSampleProject(sample)))
        return 1;
    written << sample;
    ReportWritten(written);
    return 0;
}
