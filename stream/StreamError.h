#pragma once
// Why reading a stored board stopped: a value that does not fit its place, a stream that ends
// too early, an unknown element class, or bytes left over after the last board. The message
// says in plain words, in the user's language, what went wrong, and where.

#include "platform/Language.h"

#include <exception>
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <utility>

namespace karvel {

class StreamError : public std::exception {
public:
    enum class Kind {
        InvalidValue,  // a tag that does not fit the value expected, or an impossible value
        ReadError,     // reading past the end of the stream
        ClassNotFound, // an element class name that is not registered
        UnreadData     // bytes after the last board; everything before them was read
    };

    static StreamError InvalidValue() { return StreamError(Kind::InvalidValue); }
    static StreamError ReadError() { return StreamError(Kind::ReadError); }
    // A read error before the first byte: there was nothing to read at all.
    static StreamError EmptyStream() {
        StreamError error(Kind::ReadError);
        error.empty_ = true;
        error.position_ = 0;
        error.Update();
        return error;
    }
    static StreamError ClassNotFound(const QString& className) {
        return StreamError(Kind::ClassNotFound, className);
    }
    static StreamError UnreadData(qint64 byteCount) {
        StreamError error(Kind::UnreadData);
        error.unreadBytes_ = byteCount;
        error.Update();
        return error;
    }

    Kind GetKind() const { return kind_; }
    const QString& ClassName() const { return className_; }
    qint64 UnreadBytes() const { return unreadBytes_; }

    // Where reading stopped: the byte at which the value that failed starts, counted from the
    // start of the stream; -1 while nobody has told.
    qint64 Position() const { return position_; }
    void SetPosition(qint64 position) {
        position_ = position;
        Update();
    }

    // The whole message for a project file: what the file then is, and the detail.
    QString Message(Language language) const {
        if (kind_ == Kind::UnreadData)
            return Detail(language);
        return Tr(language,
                  QStringLiteral("Dies ist keine Karvel-Projektdatei, oder sie ist beschädigt "
                                 "(%1)."),
                  QStringLiteral("This is not a Karvel project file, or it is damaged (%1)."))
            .arg(Detail(language));
    }

    // What went wrong and where, without saying what kind of file it was.
    QString Detail(Language language) const {
        const bool english = UsesEnglish(language);
        switch (kind_) {
        case Kind::InvalidValue:
            return (english ? QStringLiteral("invalid property value")
                            : QStringLiteral("Ungültiger Eigenschaftswert")) +
                   At(english);
        case Kind::ReadError:
            if (empty_)
                return english ? QStringLiteral("the file is empty")
                               : QStringLiteral("die Datei ist leer");
            return (english ? QStringLiteral("stream read error: the value")
                            : QStringLiteral("Stream-Lesefehler: der Wert")) +
                   At(english) +
                   (english ? QStringLiteral(" runs past the end of the data")
                            : QStringLiteral(" reicht über das Ende der Daten hinaus"));
        case Kind::ClassNotFound:
            // Joined rather than formatted, so that a '%' in a damaged name stays as it is.
            return (english ? QStringLiteral("class ") : QStringLiteral("Klasse ")) + className_ +
                   (english ? QStringLiteral(" not found") : QStringLiteral(" nicht gefunden")) +
                   At(english);
        case Kind::UnreadData:
            if (english)
                return unreadBytes_ == 1
                           ? QStringLiteral("1 byte after the last board was not read; the file "
                                            "is damaged or was not written by Karvel.")
                           : QStringLiteral("%1 bytes after the last board were not read; the "
                                            "file is damaged or was not written by Karvel.")
                                 .arg(unreadBytes_);
            return unreadBytes_ == 1
                       ? QStringLiteral("1 Byte nach der letzten Platine wurde nicht gelesen; die "
                                        "Datei ist beschädigt oder stammt nicht von Karvel.")
                       : QStringLiteral("%1 Bytes nach der letzten Platine wurden nicht gelesen; "
                                        "die Datei ist beschädigt oder stammt nicht von Karvel.")
                             .arg(unreadBytes_);
        }
        return {};
    }

    // The English message, for logs and for whoever only catches std::exception.
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    explicit StreamError(Kind kind, QString className = {})
        : kind_(kind), className_(std::move(className)) {
        Update();
    }

    QString At(bool english) const {
        if (position_ < 0)
            return {};
        return (english ? QStringLiteral(" at byte %1") : QStringLiteral(" bei Byte %1"))
            .arg(position_);
    }
    void Update() { utf8_ = Message(Language::English).toUtf8(); }

    Kind kind_;
    QString className_;
    qint64 position_ = -1;
    qint64 unreadBytes_ = 0;
    bool empty_ = false;
    QByteArray utf8_;
};

} // namespace karvel
