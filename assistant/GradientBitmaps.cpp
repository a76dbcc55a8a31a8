#include "assistant/GradientBitmaps.h"

#include <algorithm>
#include <QtCore/QDir>

namespace karvel {

namespace {

QString BaseName(const QString& fileName) {
    return fileName.left(fileName.indexOf(u'.'));
}

// File names ending in ".BMP" whatever their case, sorted by name: a directory listing comes
// in no particular order, and the defaults choose by position.
QStringList SortedBitmapFiles(const QDir& folder) {
    QStringList files;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Readable))
        if (name.endsWith(QStringLiteral(".BMP"), Qt::CaseInsensitive))
            files.push_back(name);
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        const int folded = QString::compare(a, b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return files;
}

QDir FolderOf(const QString& programFolder, int style, Language language) {
    return QDir(QDir(programFolder).filePath(GradientFolder(style, language)));
}

} // namespace

QString GradientFolder(int style, Language language) {
    const bool english = UsesEnglish(language);
    switch (style) {
    case 11:
        return english ? QStringLiteral("Bitmaps/Colors-Diagonal")
                       : QStringLiteral("Bitmaps/Farbverlauf-Diagonal");
    case 12:
    case 14:
        return english ? QStringLiteral("Bitmaps/Colors-Circle")
                       : QStringLiteral("Bitmaps/Farbverlauf-Rund");
    case 13:
        return english ? QStringLiteral("Bitmaps/Colors-Square")
                       : QStringLiteral("Bitmaps/Farbverlauf-Quadratisch");
    default:
        return {};
    }
}

QStringList ListGradientBitmaps(const QString& programFolder, int style, Language language) {
    if (programFolder.isEmpty() || GradientFolder(style, language).isEmpty())
        return {};
    QStringList names;
    for (const QString& file : SortedBitmapFiles(FolderOf(programFolder, style, language)))
        names.push_back(BaseName(file));
    return names;
}

QString GradientBitmapFile(const QString& programFolder, int style, Language language,
                           const QString& name) {
    if (programFolder.isEmpty() || GradientFolder(style, language).isEmpty() || name.isEmpty())
        return {};
    const QDir folder = FolderOf(programFolder, style, language);
    for (const QString& file : SortedBitmapFiles(folder))
        if (BaseName(file) == name)
            return folder.filePath(file);
    return {};
}

} // namespace karvel
