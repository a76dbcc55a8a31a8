#include "platform/HelpTopic.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>

namespace karvel {

QString ManualFile(const QString& programFolder, bool english) {
    return QDir(programFolder)
        .filePath(english ? QStringLiteral("Manual/Karvel30.CHM")
                          : QStringLiteral("Anleitung/Karvel30.CHM"));
}

bool ShowHelpTopic(int topic, const QString& programFolder, bool english,
                   const ManualOpener& open) {
    const QString file = ManualFile(programFolder, english);
    if (!QFileInfo(file).isFile())
        return false;
    if (open)
        return open(file, topic);
    // Desktop help viewers open the whole manual; they take no topic from a URL.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

} // namespace karvel
