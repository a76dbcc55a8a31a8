#include "shell/FileDialogs.h"

#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>

namespace karvel {

namespace {

// "Karvel-Projekte (*.rst)" offers "rst"; "Bilder (*.bmp *.png)" offers both.
QStringList OfferedExtensions(const QStringList& filters) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([^\\s\\)\\*;]+)"));
    QStringList extensions;
    for (const QString& filter : filters) {
        auto matches = pattern.globalMatch(filter);
        while (matches.hasNext())
            extensions << matches.next().captured(1);
    }
    return extensions;
}

} // namespace

QString WithOfferedExtension(const QString& path, const QStringList& filters,
                             const QString& defaultSuffix) {
    if (defaultSuffix.isEmpty() || path.isEmpty() || QFileInfo(path).isDir())
        return path;
    const QString suffix = QFileInfo(path).suffix();
    for (const QString& offered : OfferedExtensions(filters))
        if (suffix.compare(offered, Qt::CaseInsensitive) == 0)
            return path;
    return path + u'.' + defaultSuffix;
}

void GiveRoom(QFileDialog& dialog) {
    dialog.resize(dialog.sizeHint().expandedTo(QSize(860, 520)));
}

void SaveFileDialog::accept() {
    const QStringList chosen = selectedFiles();
    if (chosen.size() == 1) {
        const QString named = WithOfferedExtension(chosen.front(), nameFilters(), defaultSuffix());
        if (named != chosen.front())
            selectFile(named);
    }
    QFileDialog::accept();
}

} // namespace karvel
