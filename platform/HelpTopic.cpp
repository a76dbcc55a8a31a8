#include "platform/HelpTopic.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

namespace karvel {

QString ManualFile(const QString& programFolder, bool english) {
    return QDir(programFolder)
        .filePath(english ? QStringLiteral("Manual/Karvel30.html")
                          : QStringLiteral("Anleitung/Karvel30.html"));
}

QString ManualAnchor(int topic) {
    return QStringLiteral("topic-%1").arg(topic);
}

QUrl ManualUrl(const QString& file, int topic) {
    QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    url.setFragment(ManualAnchor(topic));
    return url;
}

bool ShowHelpTopic(int topic, const QString& programFolder, bool english,
                   const ManualOpener& open) {
    const QString file = ManualFile(programFolder, english);
    return QFileInfo(file).isFile() && open && open(file, topic);
}

} // namespace karvel
