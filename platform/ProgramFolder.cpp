#include "platform/ProgramFolder.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>

namespace karvel {

QString FindProgramFolder() {
    const QString fromEnvironment = qEnvironmentVariable("KARVEL_DATA_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QDir executable(QCoreApplication::applicationDirPath());
    if (executable.exists(QStringLiteral("Data")))
        return executable.path();
    const QString installed = executable.filePath(QStringLiteral("../share/karvel"));
    if (QDir(installed).exists(QStringLiteral("Data")))
        return QDir(installed).canonicalPath();
    return QStringLiteral(KARVEL_RESOURCE_DIR);
}

} // namespace karvel
