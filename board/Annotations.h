#pragma once
// The annotations of a board: a Rich Text document kept byte for byte as it was read, so that
// whatever another editor wrote survives a save, and its plain text for display.

#include "platform/rtf/RtfText.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace karvel {

class Annotations {
public:
    const QByteArray& Rtf() const { return rtf_; }
    void SetRtf(QByteArray rtf) { rtf_ = std::move(rtf); }
    QString PlainText() const { return RtfToPlainText(rtf_); }
    void SetPlainText(const QString& text) { rtf_ = PlainTextToRtf(text); }
    bool IsEmpty() const { return rtf_.isEmpty(); }

private:
    QByteArray rtf_;
};

} // namespace karvel
