#include "platform/RecentFilesSettings.h"

#include "platform/IniFile.h"

namespace karvel {

namespace {

QString KeyOf(int index) {
    return RecentFilesSection() + QString::number(index);
}

} // namespace

QString RecentFilesSection() {
    return QStringLiteral("MRU");
}

QStringList AddRecentFile(QStringList mostRecentFirst, const QString& path) {
    if (path.isEmpty())
        return mostRecentFirst;
    mostRecentFirst.removeAll(path);
    mostRecentFirst.prepend(path);
    if (mostRecentFirst.size() > MaxRecentFiles)
        mostRecentFirst.resize(MaxRecentFiles);
    return mostRecentFirst;
}

QStringList ReadRecentFiles(const IniFile& ini) {
    QStringList files;
    for (int index = MaxRecentFiles - 1; index >= 0; --index)
        files = AddRecentFile(files, ini.ReadString(RecentFilesSection(), KeyOf(index)));
    return files;
}

void WriteRecentFiles(IniFile& ini, const QStringList& mostRecentFirst) {
    IniFile::Entries entries;
    for (int index = 0; index < std::min(int(mostRecentFirst.size()), MaxRecentFiles); ++index)
        entries.emplace_back(KeyOf(index), mostRecentFirst[index]);
    ini.WriteSection(RecentFilesSection(), entries);
}

} // namespace karvel
