#include "shell/RecentFiles.h"

#include <QtCore/QFileInfo>

namespace karvel {

void RecentFiles::Load(const QStringList& mostRecentFirst) {
    entries_.clear();
    for (auto it = mostRecentFirst.rbegin(); it != mostRecentFirst.rend(); ++it)
        Add(*it);
}

void RecentFiles::Add(const QString& path) {
    if (path.isEmpty())
        return;
    entries_.removeAll(path);
    entries_.prepend(path);
    while (entries_.size() > MaxEntries)
        entries_.removeLast();
}

void RecentFiles::MoveToTop(int index) {
    if (index <= 0 || index >= entries_.size())
        return;
    entries_.move(index, 0);
}

void RecentFiles::DropMissing() {
    entries_.removeIf([](const QString& path) { return !QFileInfo::exists(path); });
}

QString RecentFiles::MenuCaption(int index, const QString& path) {
    QString shown = Shortened(path, CaptionLength);
    // A literal "&" in a path must not become an accelerator.
    shown.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

QString RecentFiles::Shortened(const QString& path, int length) {
    if (path.size() <= length)
        return path;
    const QString ellipsis = QStringLiteral("...");
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString name = slash >= 0 ? path.mid(slash) : path;
    const qsizetype head = length - ellipsis.size() - name.size();
    if (head <= 0)
        return ellipsis + path.right(length - ellipsis.size());
    return path.left(head) + ellipsis + name;
}

} // namespace karvel
