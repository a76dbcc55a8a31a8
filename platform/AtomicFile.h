#pragma once
// Writing a whole file so that the previous good file survives any failure: the bytes go to a
// temporary file beside it, which takes the file's place only when all of it was written.

#include <functional>
#include <QtCore/QByteArray>
#include <QtCore/QIODevice>
#include <QtCore/QString>

namespace karvel {

// The system's reason when the file could not be written ("No space left on device"), or an
// empty text when it was. A device or pipe (/dev/stdout) is written into: there is no file to
// replace.
QString WriteFileAtomically(const QString& path, const QByteArray& bytes);

// For writers that stream into a device (pictures, PDF): `write` fills the device and says
// whether it succeeded; on false the old file stays.
QString WriteFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& write);

} // namespace karvel
