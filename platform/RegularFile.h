#pragma once
// Opening a file that must hold data (a library page, say) without ever waiting: a name in a
// folder may stand for a FIFO or a device, directly or through a link, and opening or reading
// those can block for good.

#include "platform/Language.h"

#include <QtCore/QString>

class QByteArray;
class QFile;

namespace karvel {

// Whether the path names a regular file, links followed. Asks the file system only; nothing
// is opened.
bool IsRegularFile(const QString& path);

// Opens the file of that name for reading when it is a regular file, links followed. The open
// itself never blocks, and what it opened is checked, not the name, so a file swapped for a
// FIFO in between is refused too. Why it failed (the system's words, or ours in the language
// for what is no regular file); the file stays closed then.
QString OpenRegularFile(QFile& file, Language language);

// Whether the path names something that exists but is neither a regular file nor a folder: a
// device such as /dev/stdout or /dev/full, a FIFO, a socket (links followed). Such a target
// cannot be replaced by a new file; it is written into.
bool IsSpecialFile(const QString& path);

// Writes all bytes into an existing special file, checking every write; the system's reason
// ("No space left on device") when not all of them went out, empty when they did.
QString WriteIntoSpecialFile(const QString& path, const QByteArray& bytes);

} // namespace karvel
