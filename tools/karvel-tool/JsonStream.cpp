#include "tools/karvel-tool/JsonStream.h"

#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>

namespace karvel::tool {

namespace {

constexpr int IndentWidth = 4;

// A value as JSON text; objects and arrays indented from column 0.
QByteArray ToJson(const QJsonValue& value) {
    if (value.isObject())
        return QJsonDocument(value.toObject()).toJson(QJsonDocument::Indented).trimmed();
    if (value.isArray())
        return QJsonDocument(value.toArray()).toJson(QJsonDocument::Indented).trimmed();
    // A scalar is written inside an array, whose brackets are then taken off.
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return wrapped.mid(1, wrapped.size() - 2);
}

} // namespace

void JsonStream::BeginObject() {
    Open('{');
}

void JsonStream::EndObject() {
    Close('}');
}

void JsonStream::BeginArray() {
    Open('[');
}

void JsonStream::EndArray() {
    Close(']');
}

void JsonStream::Key(const QString& key) {
    BeforeValue();
    Write(ToJson(key) + ": ");
    afterKey_ = true;
}

void JsonStream::Value(const QJsonValue& value) {
    BeforeValue();
    // Every line of a nested value moves in to where the value stands.
    const QByteArray indent(qsizetype(hasEntry_.size()) * IndentWidth, ' ');
    Write(ToJson(value).replace('\n', '\n' + indent));
}

void JsonStream::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (hasEntry_.empty())
        return;
    if (hasEntry_.back())
        Write(",");
    hasEntry_.back() = true;
    NewLine();
}

void JsonStream::Open(char bracket) {
    BeforeValue();
    Write(QByteArray(1, bracket));
    hasEntry_.push_back(false);
}

void JsonStream::Close(char bracket) {
    const bool hadEntry = hasEntry_.back();
    hasEntry_.pop_back();
    if (hadEntry)
        NewLine();
    Write(QByteArray(1, bracket));
    if (hasEntry_.empty())
        Write("\n");
}

void JsonStream::NewLine() {
    Write('\n' + QByteArray(qsizetype(hasEntry_.size()) * IndentWidth, ' '));
}

void JsonStream::Write(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), out_);
}

} // namespace karvel::tool
