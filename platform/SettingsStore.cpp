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
    : m_programFolder(std::move(programFolder)), m_userFolder(std::move(userFolder)),
      m_canWrite(canWrite ? std::move(canWrite) : WritableCheck(IsWritableLocation)) {}

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

QString SettingsStore::ReadPath(const QString& name) const {
    if (!m_userFolder.isEmpty()) {
        const QString user = UserFile(name);
        if (QFileInfo::exists(user))
            return user;
    }
    return ProgramFile(name);
}

IniFile SettingsStore::Load(const QString& name) const {
    return IniFile::Load(ReadPath(name));
}

SettingsWriteResult SettingsStore::Update(const QString& name, const Change& change) const {
    const QString user = m_userFolder.isEmpty() ? QString() : UserFile(name);
    if (!user.isEmpty() && QFileInfo::exists(user)) {
        IniFile ini = IniFile::Load(user);
        change(ini);
        return ini.Save() ? Written(ini) : Failed(user, ini.Error());
    }
    const QString program = ProgramFile(name);
    IniFile ini = IniFile::Load(program);
    change(ini);
    if (m_canWrite(program) && ini.SaveAs(program))
        return Written(ini);
    const QString programError =
        ini.Error().isEmpty() ? QStringLiteral("%1 cannot be written").arg(program) : ini.Error();
    if (user.isEmpty())
        return Failed(program, programError);
    if (!QDir().mkpath(m_userFolder))
        return Failed(user,
                      programError +
                          QStringLiteral("; the folder %1 cannot be created").arg(m_userFolder));
    if (ini.SaveAs(user))
        return Written(ini);
    return Failed(user, programError + QStringLiteral("; ") + ini.Error());
}

} // namespace karvel
