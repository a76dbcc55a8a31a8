#pragma once
// Writes a JSON document piece by piece as it is made, so that a project of any size never
// has to be held as one JSON tree in memory. The output is indented as QJsonDocument indents.

#include <cstdio>
#include <QtCore/QJsonValue>
#include <QtCore/QString>
#include <vector>

namespace karvel::tool {

class JsonStream {
public:
    explicit JsonStream(std::FILE* out) : out_(out) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The name of the next member of the object being written.
    void Key(const QString& key);
    // A whole value: a number, text, object or array made at once.
    void Value(const QJsonValue& value);

    // False once a write failed (a full disk, a closed pipe).
    bool Good() const { return std::ferror(out_) == 0; }

private:
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);
    void Write(const QByteArray& bytes);
    void NewLine();

    std::FILE* out_;
    // Per open object or array: whether it has an entry yet.
    std::vector<bool> hasEntry_;
    bool afterKey_ = false;
};

} // namespace karvel::tool
