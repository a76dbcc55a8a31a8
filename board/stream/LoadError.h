#pragma once
// Why a board could not be loaded, apart from a damaged stream (StreamError): a file of a much
// newer program version, or a file that cannot be opened.

#include "platform/Language.h"

#include <exception>
#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace karvel {

class VersionError : public std::exception {
public:
    explicit VersionError(QString fileVersion)
        : fileVersion_(std::move(fileVersion)), utf8_(fileVersion_.toUtf8()) {}
    const QString& FileVersion() const { return fileVersion_; }
    const char* what() const noexcept override { return utf8_.constData(); }

    static QString Caption(Language language) {
        return Tr(language, QStringLiteral("Versionskonflikt"), QStringLiteral("Version mismatch"));
    }
    // The program keeps running after this message: the file is just not opened.
    QString Message(Language language) const {
        if (UsesEnglish(language))
            return QStringLiteral("Attempt to open file version ") + fileVersion_ +
                   QStringLiteral("!\rYou are using Karvel 3,08. The file is not opened.");
        return QStringLiteral("Eine zu öffnende Datei wurde mit Karvel Version ") + fileVersion_ +
               QStringLiteral("\r erstellt. Sie verwenden Karvel Version 3,08. Die Datei wird "
                              "nicht geöffnet.");
    }

private:
    QString fileVersion_;
    QByteArray utf8_;
};

class FileOpenError : public std::exception {
public:
    FileOpenError(QString path, QString reason)
        : path_(std::move(path)), reason_(std::move(reason)),
          utf8_(Message(Language::English).toUtf8()) {}
    const QString& Path() const { return path_; }
    QString Message(Language language) const {
        return Tr(language, QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden: %2"),
                  QStringLiteral("Cannot open the file \"%1\": %2"))
            .arg(path_, reason_);
    }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString path_;
    QString reason_;
    QByteArray utf8_;
};

} // namespace karvel
