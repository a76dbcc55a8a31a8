#include "platform/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace karvel {

bool IsRegularFile(const QString& path) {
    // QFileInfo follows links: a link to a FIFO is no file, a link to a page is one.
    return QFileInfo(path).isFile();
}

QString OpenRegularFile(QFile& file, Language language) {
    const QByteArray name = QFile::encodeName(file.fileName());
    // O_NONBLOCK: opening a FIFO without a writer would wait for one.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return qt_error_string(errno);
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        const int code = errno;
        ::close(fd);
        return qt_error_string(code);
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        if (S_ISDIR(status.st_mode))
            return qt_error_string(EISDIR);
        return Tr(language,
                  QStringLiteral("keine gewöhnliche Datei, sondern eine Pipe, ein Gerät oder "
                                 "ein Socket"),
                  QStringLiteral("not a regular file but a pipe, a device or a socket"));
    }
    // A regular file never waits on reading; the flag would only surprise QFile.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    return {};
}

bool IsSpecialFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}

QString WriteIntoSpecialFile(const QString& path, const QByteArray& bytes) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return qt_error_string(errno);
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + written, std::size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int code = n < 0 ? errno : EIO;
            ::close(fd);
            return qt_error_string(code);
        }
        written += n;
    }
    if (::close(fd) != 0)
        return qt_error_string(errno);
    return {};
}

} // namespace karvel
