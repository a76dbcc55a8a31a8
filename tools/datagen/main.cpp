// karvel-datagen: writes the data that lies beside the program and the pictures compiled into
// it, from code, so they can be reviewed and rebuilt. See Usage.

#include "board/ElementClasses.h"
#include "tools/datagen/GradientBitmaps.h"
#include "tools/datagen/LegacyBoardTypes.h"
#include "tools/datagen/SampleProject.h"
#include "tools/datagen/SolderPointPicture.h"
#include "tools/datagen/StandardBoards.h"
#include "tools/datagen/StarterLibrary.h"

#include <cstdio>
#include <optional>
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

const char* const Usage =
    "usage: karvel-datagen RESOURCES       rebuild the data in the source tree's resources\n"
    "                                      folder (it holds CMakeLists.txt and icons/)\n"
    "       karvel-datagen --into FOLDER   write the data into any other folder, made when\n"
    "                                      missing (files of the same names are replaced)\n"
    "       karvel-datagen --help          this text\n"
    "Exit status: 0 done, 1 a file could not be written, 2 wrong use.\n";

enum ExitCode { Done = 0, WriteFailed = 1, BadUse = 2 };

int UsageError(const QString& message) {
    std::fprintf(stderr, "karvel-datagen: %s\n%s", qPrintable(message), Usage);
    return BadUse;
}

// The source tree's resources folder holds the pictures compiled into the program, which this
// tool does not write: a folder without them is some other folder.
bool IsResourcesFolder(const QDir& folder) {
    return QFileInfo(folder.filePath(QStringLiteral("CMakeLists.txt"))).isFile() &&
           QFileInfo(folder.filePath(QStringLiteral("icons"))).isDir();
}

// The folder to write into, or the exit status of wrong use or of --help.
struct Target {
    std::optional<QDir> Folder;
    int Status = Done;
};

Target ChooseTarget(const QStringList& args) {
    if (args.size() == 1 &&
        (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))) {
        std::fputs(Usage, stdout);
        return {};
    }
    if (!args.isEmpty() && args[0] == QLatin1String("--into")) {
        if (args.size() != 2 || args[1].isEmpty())
            return {std::nullopt, UsageError(QStringLiteral("--into needs one folder"))};
        return {QDir(args[1]), Done};
    }
    for (const QString& arg : args)
        if (arg.startsWith(u'-'))
            return {std::nullopt, UsageError(QStringLiteral("unknown option '%1'").arg(arg))};
    if (args.size() != 1)
        return {std::nullopt, UsageError(QStringLiteral("one folder, please"))};
    const QDir folder(args[0]);
    if (!IsResourcesFolder(folder))
        return {std::nullopt,
                UsageError(QStringLiteral("%1 is not the resources folder (no CMakeLists.txt and "
                                          "icons/ in it); give --into %1 to write there anyway")
                               .arg(args[0]))};
    return {folder, Done};
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    karvel::RegisterElementClasses();
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    const Target target = ChooseTarget(args);
    if (!target.Folder)
        return target.Status;
    const QDir& resources = *target.Folder;
    const QString layouts = QStringLiteral("Board Layouts");
    const QString data = QStringLiteral("Data");
    const QString examples = QStringLiteral("examples");
    const QString library = QStringLiteral("Library");
    for (const QString& folder : {QStringLiteral("pictures"), layouts, data, examples, library}) {
        if (!MakeFolder(resources, folder))
            return WriteFailed;
    }
    QStringList written;
    const QString picture = resources.filePath(QStringLiteral("pictures/LOETSTELLE.bmp"));
    if (!karvel::datagen::MakeSolderPointPicture().save(picture, "BMP")) {
        std::fprintf(stderr, "karvel-datagen: cannot write %s\n", qPrintable(picture));
        return WriteFailed;
    }
    written << picture;
    if (Failed(karvel::datagen::WriteStandardBoards(resources.filePath(layouts), written)) ||
        Failed(karvel::datagen::WriteLegacyLayouts(resources.filePath(data), written)) ||
        Failed(karvel::datagen::WriteGradientBitmaps(resources, written)) ||
        Failed(karvel::datagen::WriteStarterLibrary(resources.filePath(library), written)))
        return WriteFailed;
    const QString sample = resources.filePath(examples + QStringLiteral("/555-blinker.rst"));
    if (Failed(karvel::datagen::WriteSampleProject(sample)))
        return WriteFailed;
    written << sample;
    ReportWritten(written);
    return Done;
}
