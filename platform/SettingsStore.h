#pragma once
// Where the settings files are read and written. They lie in the program folder, as a portable
// copy keeps them, and are used there whenever they can be written there; only a program
// folder that cannot take them (an installed copy) hands them to the user's copy in the
// configuration folder, for reading too once that copy exists.

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

    const QString& ProgramFolder() const { return programFolder_; }
    const QString& UserFolder() const { return userFolder_; }

    // The file of that name in the folder, its case aside, as the program's files were named
    // on a system that ignores case; the name as given when there is none.
    static QString FindFile(const QString& folder, const QString& name);
    QString ProgramFile(const QString& name) const { return FindFile(programFolder_, name); }
    QString UserFile(const QString& name) const { return FindFile(userFolder_, name); }
    // The program folder's file when it can be written there; otherwise (and when it cannot
    // be read at all) the user's copy once that exists.
    QString ReadPath(const QString& name) const { return Load(name).Path(); }
    IniFile Load(const QString& name) const;

    // Applies the change to the file as it is on disk now and saves it: in place when that can
    // be written, otherwise as the user's copy, which starts from the program folder's content
    // until it exists.
    SettingsWriteResult Update(const QString& name, const Change& change) const;

private:
    QString programFolder_;
    QString userFolder_;
    WritableCheck canWrite_;
};

} // namespace karvel
