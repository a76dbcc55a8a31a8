#pragma once
// Where the settings files are read and written. They lie in the program folder, as a portable
// copy keeps them; when a file there cannot be written (an installed copy), the user's copy in
// the configuration folder takes its place, for reading too once it exists.

#include "platform/IniFile.h"

#include <functional>
#include <QtCore/QString>

namespace karvel {

struct SettingsWriteResult {
    bool Ok = false;
    QString Path;  // where the file was written, or where writing it failed
    QString Error; // empty when it was written
};

class SettingsStore {
public:
    using WritableCheck = std::function<bool(const QString& filePath)>;
    using Change = std::function<void(IniFile&)>;

    explicit SettingsStore(QString programFolder, QString userFolder = DefaultUserFolder(),
                           WritableCheck canWrite = IsWritableLocation);

    // "$XDG_CONFIG_HOME/karvel", or "~/.config/karvel" when the variable is unset or relative.
    static QString DefaultUserFolder();
    // The folder can take a new file and an existing file may be replaced.
    static bool IsWritableLocation(const QString& filePath);

    const QString& ProgramFolder() const { return m_programFolder; }
    const QString& UserFolder() const { return m_userFolder; }

    // The file of that name in the folder, its case aside, as the program's files were named
    // on a system that ignores case; the name as given when there is none.
    static QString FindFile(const QString& folder, const QString& name);
    QString ProgramFile(const QString& name) const { return FindFile(m_programFolder, name); }
    QString UserFile(const QString& name) const { return FindFile(m_userFolder, name); }
    // The user's copy once it exists, otherwise the program folder's file.
    QString ReadPath(const QString& name) const;
    IniFile Load(const QString& name) const;

    // Applies the change to the file as it is on disk now and saves it: in place when that can
    // be written, otherwise as the user's copy, which starts from the program folder's content.
    SettingsWriteResult Update(const QString& name, const Change& change) const;

private:
    QString m_programFolder;
    QString m_userFolder;
    WritableCheck m_canWrite;
};

} // namespace karvel
