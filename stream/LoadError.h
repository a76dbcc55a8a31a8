#pragma once
// Why a board could not be loaded, apart from a damaged stream (StreamError): a file of a much
// newer program version, or a file that cannot be opened as what it was asked for. The
// messages are complete sentences in the user's language; callers only show them.

#include "platform/Language.h"

#include <exception>
#include <QtCore/QByteArray>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
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
    enum class Reason {
        Missing,     // nothing of that name
        Folder,      // a folder where a file belongs
        BoardLayout, // a board layout file where a project belongs
        TooLarge,    // a pipe that delivers more than a project may hold
        NoPermission,
        Other // the system's reason, in the system's words
    };

    // The system's reason for a file that would not open.
    FileOpenError(QString path, QString reason) : FileOpenError(Reason::Other, std::move(path)) {
        systemReason_ = std::move(reason);
        utf8_ = Message(Language::English).toUtf8();
    }
    FileOpenError(Reason reason, QString path)
        : reason_(reason), path_(std::move(path)), utf8_(Message(Language::English).toUtf8()) {}
    // Names what stands in the way of opening a file that QFile::open refused.
    static FileOpenError For(const QFile& file) {
        const QFileInfo info(file.fileName());
        if (!info.exists())
            return {Reason::Missing, file.fileName()};
        if (info.isDir())
            return {Reason::Folder, file.fileName()};
        if (file.error() == QFileDevice::PermissionsError || !info.isReadable())
            return {Reason::NoPermission, file.fileName()};
        return {file.fileName(), file.errorString()};
    }

    Reason GetReason() const { return reason_; }
    const QString& Path() const { return path_; }
    QString Message(Language language) const {
        switch (reason_) {
        case Reason::Missing:
            return Tr(language, QStringLiteral("Die Datei \"%1\" gibt es nicht."),
                      QStringLiteral("The file \"%1\" does not exist."))
                .arg(path_);
        case Reason::Folder:
            return Tr(language, QStringLiteral("\"%1\" ist ein Ordner, keine Datei."),
                      QStringLiteral("\"%1\" is a folder, not a file."))
                .arg(path_);
        case Reason::BoardLayout:
            return Tr(language,
                      QStringLiteral("\"%1\" ist ein Platinenlayout, kein Projekt; öffnen Sie es "
                                     "mit \"Layout bearbeiten\"."),
                      QStringLiteral("\"%1\" is a board layout, not a project; open it in the "
                                     "board layout editor."))
                .arg(path_);
        case Reason::TooLarge:
            if (path_.isEmpty())
                return Tr(language,
                          QStringLiteral("Die Eingabe liefert mehr Daten, als ein Projekt haben "
                                         "kann; nichts wurde geöffnet."),
                          QStringLiteral("The input delivers more data than a project can hold; "
                                         "nothing was opened."));
            return Tr(language,
                      QStringLiteral("\"%1\" liefert mehr Daten, als ein Projekt haben kann; "
                                     "nichts wurde geöffnet."),
                      QStringLiteral("\"%1\" delivers more data than a project can hold; "
                                     "nothing was opened."))
                .arg(path_);
        case Reason::NoPermission:
            return Tr(language,
                      QStringLiteral("Die Datei \"%1\" darf nicht gelesen werden (keine "
                                     "Berechtigung)."),
                      QStringLiteral("You may not read the file \"%1\" (no permission)."))
                .arg(path_);
        case Reason::Other:
            break;
        }
        return Tr(language, QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden: %2"),
                  QStringLiteral("Cannot open the file \"%1\": %2"))
            .arg(path_, systemReason_);
    }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    Reason reason_;
    QString path_;
    QString systemReason_;
    QByteArray utf8_;
};

} // namespace karvel
