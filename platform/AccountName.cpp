#include "platform/AccountName.h"

#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace karvel {

std::optional<QString> FullNameFromGecos(const QByteArray& gecos) {
    const qsizetype comma = gecos.indexOf(',');
    const QString name = QString::fromUtf8(comma < 0 ? gecos : gecos.left(comma)).trimmed();
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> AccountFullName() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    if (size <= 0)
        size = 16384;
    // The reentrant call: another thread may be asking the database at the same time.
    std::vector<char> buffer(static_cast<std::size_t>(size));
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_gecos == nullptr)
        return std::nullopt;
    return FullNameFromGecos(QByteArray(found->pw_gecos));
}

} // namespace karvel
