#include "platform/SettingsStore.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

namespace karvel {

namespace {

SettingsWriteResult Written(const IniFile& ini) {
    return {true, ini.Path(), {}};
}

SettingsWriteResult Failed(const QString& path, const QString& error) {
    return {false, path, error};
}

} // namespace

SettingsStore::SettingsStore(QString programFolder, QString userFolder, WritableCheck canWrite)
    : programFolder_(std::move(programFolder)), userFolder_(std::move(userFolder)),
      canWrite_(canWrite ? std::move(canWrite) : WritableCheck(IsWritableLocation)) {}

QString SettingsStore::DefaultUserFolder() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return QDir(base).filePath(QStringLiteral("karvel"));
}

bool SettingsStore::IsWritableLocation(const QString& filePath) {
    const QFileInfo file(filePath);
    const QFileInfo folder(file.absolutePath());
    return folder.isDir() && folder.isWritable() && (!file.exists() || file.isWritable());
}

QString SettingsStore::FindFile(const QString& folder, const QString& name) {
    const QDir dir(folder);
    if (QFileInfo::exists(dir.filePath(name)))
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return dir.filePath(name);
}

IniFile SettingsStore::Load(const QString& name) const {
    const QString program = ProgramFile(name);
    const QString user = userFolder_.isEmpty() ? QString() : UserFile(name);
    const bool userCopy = !user.isEmpty() && QFileInfo::exists(user);
    if (!canWrite_(program))
        return IniFile::Load(userCopy ? user : program);
    IniFile ini = IniFile::Load(program);
    // A program file that could not be read was never written over; its changes went to the
    // user's copy.
    if (!ini.Error().isEmpty() && userCopy)
        return IniFile::Load(user);
    return ini;
}

SettingsWriteResult SettingsStore::Update(const QString& name, const Change& change) const {
    const QString program = ProgramFile(name);
    QString programError = QStringLiteral("%1 cannot be written").arg(program);
    if (canWrite_(program)) {
        IniFile ini = IniFile::Load(program);
        change(ini);
        if (ini.SaveAs(program))
            return Written(ini);
        programError = ini.Error();
    }
    if (userFolder_.isEmpty())
        return Failed(program, programError);
    const QString user = UserFile(name);
    IniFile ini = IniFile::Load(QFileInfo::exists(user) ? user : program);
    change(ini);
    if (!QDir().mkpath(userFolder_))
        return Failed(user,
                      programError +
                          QStringLiteral("; the folder %1 cannot be created").arg(userFolder_));
    if (ini.SaveAs(user))
        return Written(ini);
    return Failed(user, programError + QStringLiteral("; ") + ini.Error());
}

} // namespace karvel
