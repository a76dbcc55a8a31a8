#include "board/LayoutLanguages.h"

#include "platform/IniFile.h"

#include <QtCore/QDir>

namespace karvel {

namespace {

const QString Section = QStringLiteral("Sprache");

} // namespace

LayoutLanguages LayoutLanguages::Read(const QString& folder) {
    const IniFile ini = IniFile::Load(QDir(folder).filePath(FileName()));
    LayoutLanguages read;
    for (const QString& file : ini.Keys(Section)) {
        const int value = ini.ReadInteger(Section, file, -1);
        if (value == int(Language::German) || value == int(Language::English))
            read.Set(file, Language(value));
    }
    return read;
}

QString LayoutLanguages::Write(const QString& folder) const {
    IniFile ini;
    for (const auto& [key, language] : languages_)
        ini.WriteInteger(Section, names_.at(key), int(language));
    const QString path = QDir(folder).filePath(FileName());
    return ini.SaveAs(path) ? QString() : ini.Error();
}

void LayoutLanguages::Set(const QString& fileName, Language language) {
    languages_[fileName.toLower()] = language;
    names_[fileName.toLower()] = fileName;
}

bool LayoutLanguages::Offers(const QString& fileName, Language language) const {
    const auto found = languages_.find(fileName.toLower());
    // French shows German everywhere but in one dialog.
    return found == languages_.end() || UsesEnglish(found->second) == UsesEnglish(language);
}

} // namespace karvel
