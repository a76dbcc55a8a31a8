#include "platform/rtf/RtfText.h"

#include "platform/encoding/CodePage.h"
#include "platform/rtf/RtfDocument.h"
#include "platform/rtf/RtfParser.h"

namespace karvel {

QByteArray PlainTextToRtf(const QString& text) {
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
                     "\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    for (const QStringView line : QStringView(text).split(u'\n')) {
        QString kept = line.toString();
        kept.remove(u'\r');
        AppendRtfText(out, kept);
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}

namespace {

class PlainTextSink : public RtfSink {
public:
    void Text(QStringView text, const RtfCharFormat&) override {
        for (const QChar c : text)
            text_ += c == QChar::LineSeparator ? QChar(u'\n') : c;
    }
    void ParagraphEnd(const RtfParagraphFormat&, const RtfCharFormat&) override { text_ += u'\n'; }
    QString Take() {
        // The document's closing paragraph mark is not part of the text.
        if (text_.endsWith(u'\n'))
            text_.chop(1);
        return std::move(text_);
    }

private:
    QString text_;
};

} // namespace

QString RtfToPlainText(const QByteArray& rtf) {
    if (!LooksLikeRtf(rtf))
        return DecodeWindows1252(rtf);
    PlainTextSink sink;
    ParseRtf(rtf, sink);
    return sink.Take();
}

} // namespace karvel
