#include "platform/AtomicFile.h"

#include "platform/RegularFile.h"

#include <cerrno>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>

namespace karvel {
namespace {

// The system's reason ("File too large", "No space left on device") says more than Qt's
// "Unknown error" after a short write or a failed commit.
QString Reason(const QSaveFile& file, int code) {
    return code != 0 ? qt_error_string(code) : file.errorString();
}

} // namespace

QString WriteFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    errno = 0;
    if (!write(file) || !file.flush()) {
        const QString reason = Reason(file, errno);
        file.cancelWriting();
        return reason;
    }
    errno = 0;
    if (!file.commit())
        return Reason(file, errno);
    return {};
}

QString WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    if (IsSpecialFile(path))
        return WriteIntoSpecialFile(path, bytes);
    QString error = WriteFileAtomically(
        path, [&](QIODevice& device) { return device.write(bytes) == bytes.size(); });
    if (error.isEmpty() && QFileInfo(path).size() != bytes.size())
        error = QStringLiteral("the file on disk is shorter than what was written");
    return error;
}

} // namespace karvel
