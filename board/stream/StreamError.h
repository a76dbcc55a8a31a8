#pragma once
// Why reading a stored board stopped: a value that does not fit its place, a stream that ends
// too early, or an unknown element class. The texts are shown as they are in every language.

#include <exception>
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <utility>

namespace karvel {

class StreamError : public std::exception {
public:
    enum class Kind {
        InvalidValue, // a tag that does not fit the value expected
        ReadError,    // reading past the end of the stream
        ClassNotFound // an element class name that is not registered
    };

    static StreamError InvalidValue() {
        return StreamError(Kind::InvalidValue, QStringLiteral("Ungültiger Eigenschaftswert"));
    }
    static StreamError ReadError() {
        return StreamError(Kind::ReadError, QStringLiteral("Stream-Lesefehler"));
    }
    static StreamError ClassNotFound(const QString& className) {
        // Joined rather than formatted, so that a '%' in a damaged name stays as it is.
        return StreamError(Kind::ClassNotFound, QStringLiteral("Klasse ") + className +
                                                    QStringLiteral(" nicht gefunden"));
    }

    Kind GetKind() const { return kind_; }
    const QString& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    StreamError(Kind kind, QString message)
        : kind_(kind), message_(std::move(message)), utf8_(message_.toUtf8()) {}

    Kind kind_;
    QString message_;
    QByteArray utf8_;
};

} // namespace karvel
