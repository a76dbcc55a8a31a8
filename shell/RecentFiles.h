#pragma once
// The recent-file list of the File menu: up to four project paths, the most recent first.
// The settings layer fills it at start and stores it when OnStore asks.

#include <functional>
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace karvel {

class RecentFiles {
public:
    static constexpr int MaxEntries = 4;
    static constexpr int CaptionLength = 30;

    // Replaces the list by stored entries, the most recent first; empty ones are skipped.
    void Load(const QStringList& mostRecentFirst);
    // Puts a path on top; a path already in the list moves there instead of appearing twice.
    // Paths keep their case: on this system two spellings are two files.
    void Add(const QString& path);
    void MoveToTop(int index);
    // Drops the entries whose file no longer exists.
    void DropMissing();
    const QStringList& Entries() const { return entries_; }

    // The menu text of entry i: accelerator digit i + 1, then the path cut to 30 characters.
    static QString MenuCaption(int index, const QString& path);
    // A path cut to a length, keeping its start and its file name around "...".
    static QString Shortened(const QString& path, int length);

    // Asked to store the list, after an open command added to it.
    std::function<void(const QStringList& mostRecentFirst)> OnStore;
    void Store() const {
        if (OnStore)
            OnStore(entries_);
    }

private:
    QStringList entries_;
};

} // namespace karvel
