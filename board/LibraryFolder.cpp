#include "board/LibraryFolder.h"

#include "board/Library.h"
#include "platform/RegularFile.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace karvel {

namespace {

const QString LibName = QStringLiteral("Lib");

// A folder's entry of that name, its case aside; the name as given when there is none.
QString FindEntry(const QString& folder, const QString& name) {
    const QDir dir(folder);
    if (QFileInfo::exists(dir.filePath(name)))
        return dir.filePath(name);
    for (const QString& entry : dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return dir.filePath(name);
}

} // namespace

bool IsLibraryPageFile(const QString& fileName) {
    return fileName.endsWith(QStringLiteral(".lib"), Qt::CaseInsensitive) && fileName.size() > 4;
}

std::vector<QString> LibraryPageFiles(const QString& folder) {
    std::vector<QString> files;
    const QDir dir(folder);
    for (const QString& entry : dir.entryList(QDir::Files, QDir::Name)) {
        // The filter lets a link to a FIFO or a device through; only what leads to a regular
        // file is a page.
        if (IsLibraryPageFile(entry) && IsRegularFile(dir.filePath(entry)))
            files.push_back(dir.filePath(entry));
    }
    return files;
}

QString LibraryFolder::DefaultUserFolder() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir(base).filePath(QStringLiteral("karvel/Lib"));
}

QString LibraryFolder::ShippedPages(const QString& dataFolder, Language language) {
    return QDir(dataFolder)
        .filePath(UsesEnglish(language) ? QStringLiteral("Library/en")
                                        : QStringLiteral("Library/de"));
}

bool LibraryFolder::CanHoldPages(const QString& folder) {
    const QFileInfo info(folder);
    if (info.exists())
        return info.isDir() && info.isWritable();
    const QFileInfo parent(info.absolutePath());
    return parent.isDir() && parent.isWritable();
}

QString LibraryFolder::Choose(const QString& programFolder, const QString& userFolder,
                              const WritableCheck& canWrite) {
    if (!programFolder.isEmpty()) {
        const QString beside = FindEntry(programFolder, LibName);
        if (canWrite(beside))
            return beside;
    }
    return userFolder;
}

QString LibraryFolder::Seed(const QString& folder, const QString& shipped, Language language) {
    if (!LibraryPageFiles(folder).empty())
        return {};
    const auto failed = [&](const QString& reason) {
        return Tr(language,
                  QStringLiteral("Die mitgelieferten Bibliotheksseiten konnten nicht nach \"%1\" "
                                 "kopiert werden: %2"),
                  QStringLiteral("The library pages that come with the program could not be "
                                 "copied to \"%1\": %2"))
            .arg(folder, reason);
    };
    if (!QDir().mkpath(folder))
        return failed(Tr(language, QStringLiteral("der Ordner lässt sich nicht anlegen."),
                         QStringLiteral("the folder cannot be created.")));
    for (const QString& page : LibraryPageFiles(shipped)) {
        QFile source(page);
        // A copy goes to a temporary file first: a failed one leaves no half page behind.
        if (!source.copy(QDir(folder).filePath(QFileInfo(page).fileName())))
            return failed(source.errorString());
    }
    return {};
}

LibraryAddition LibraryFolder::AddShippedPages(const QString& folder, const QString& shipped,
                                               Language language) {
    LibraryAddition addition;
    QStringList names;
    for (const QString& page : LibraryPageFiles(folder))
        names << ReadPageName(page);
    if (!QDir().mkpath(folder)) {
        addition.Problem =
            Tr(language, QStringLiteral("Der Ordner \"%1\" lässt sich nicht anlegen."),
               QStringLiteral("The folder \"%1\" cannot be created."))
                .arg(folder);
        return addition;
    }
    for (const QString& page : LibraryPageFiles(shipped)) {
        const QString name = ReadPageName(page);
        if (names.contains(name))
            continue;
        QFile source(page);
        const QString target = NextFreePageFile(folder);
        if (!source.copy(target)) {
            addition.Problem =
                Tr(language,
                   QStringLiteral("Die Bibliotheksseite \"%1\" konnte nicht nach \"%2\" kopiert "
                                  "werden: %3"),
                   QStringLiteral("The library page \"%1\" could not be copied to \"%2\": %3"))
                    .arg(name, target, source.errorString());
            return addition;
        }
        names << name;
        addition.Added.push_back(target);
    }
    return addition;
}

LibrarySetup LibraryFolder::Prepare(const QString& programFolder, const QString& dataFolder,
                                    Language language, const QString& userFolder) {
    LibrarySetup setup;
    setup.Folder = Choose(programFolder, userFolder);
    setup.Problem = Seed(setup.Folder, ShippedPages(dataFolder, language), language);
    return setup;
}

} // namespace karvel
