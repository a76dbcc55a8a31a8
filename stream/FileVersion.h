#pragma once
// The version text in the header of every board record ("3,08"), and the number the element
// readers compare with. Versions are compared in thousandths, so that "3,02" is above 3.01
// exactly, whatever binary fraction 3.01 would round to.

#include "platform/NumberText.h"

#include <QtCore/QString>

namespace karvel {

class FileVersion {
public:
    static FileVersion Current() { return FileVersion(QStringLiteral("3,08")); }
    FileVersion() : FileVersion(QStringLiteral("3,08")) {}
    explicit FileVersion(QString text)
        : text_(std::move(text)), milli_(RoundHalfEven(TextToNumber(text_) * 1000.0L)) {}

    const QString& Text() const { return text_; }
    // The version times 1000: "3,08" is 3080.
    long long Milli() const { return milli_; }
    // Files of a version more than 0.6 above ours are refused.
    bool IsTooNew() const { return milli_ > Current().Milli() + 600; }
    bool IsOldFormat() const { return milli_ < 2000; }

private:
    QString text_;
    long long milli_;
};

} // namespace karvel
