#include "platform/encoding/CodePage.h"
#include "platform/rtf/RtfDocument.h"

#include <optional>
#include <QtCore/QStringDecoder>
#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtGui/QTextList>

namespace karvel {

namespace {

QTextCharFormat CharFormatOf(const RtfCharFormat& rtf) {
    QTextCharFormat format;
    if (!rtf.Family.isEmpty())
        format.setFontFamilies(QStringList{rtf.Family});
    format.setFontPointSize(rtf.HalfPoints / 2.0);
    format.setFontWeight(rtf.Bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(rtf.Italic);
    format.setFontUnderline(rtf.Underline);
    format.setFontStrikeOut(rtf.Strike);
    if (rtf.Colour)
        format.setForeground(QColor(*rtf.Colour));
    return format;
}

QTextOption::TabType TabTypeOf(RtfTab::Kind kind) {
    switch (kind) {
    case RtfTab::Kind::Right:
        return QTextOption::RightTab;
    case RtfTab::Kind::Centre:
        return QTextOption::CenterTab;
    case RtfTab::Kind::Decimal:
        return QTextOption::DelimiterTab;
    case RtfTab::Kind::Left:
        break;
    }
    return QTextOption::LeftTab;
}

QTextBlockFormat BlockFormatOf(const RtfParagraphFormat& rtf) {
    QTextBlockFormat format;
    switch (rtf.Alignment) {
    case RtfParagraphFormat::Align::Left:
        format.setAlignment(Qt::AlignLeft);
        break;
    case RtfParagraphFormat::Align::Right:
        format.setAlignment(Qt::AlignRight);
        break;
    case RtfParagraphFormat::Align::Centre:
        format.setAlignment(Qt::AlignHCenter);
        break;
    case RtfParagraphFormat::Align::Justify:
        format.setAlignment(Qt::AlignJustify);
        break;
    }
    format.setLeftMargin(TwipsToPixels(rtf.Left));
    format.setRightMargin(TwipsToPixels(rtf.Right));
    format.setTextIndent(TwipsToPixels(rtf.First));
    QList<QTextOption::Tab> tabs;
    for (const RtfTab& tab : rtf.Tabs)
        tabs.append(QTextOption::Tab(TwipsToPixels(tab.Twips), TabTypeOf(tab.Type),
                                     tab.Type == RtfTab::Kind::Decimal ? QChar(u'.') : QChar()));
    if (!tabs.isEmpty())
        format.setTabPositions(tabs);
    return format;
}

// Builds the document paragraph by paragraph. A paragraph is opened only when something follows
// the previous paragraph mark, so the document's closing mark leaves no empty paragraph behind.
// All of it is one edit block: the document tells its layout (and a window showing it) of the
// change once at the end. Told after every run of text, a paragraph of many runs was laid out
// again for each of them, which took quadratic time.
class DocumentBuilder : public RtfSink {
public:
    explicit DocumentBuilder(QTextDocument& document) : cursor_(&document) {
        cursor_.beginEditBlock();
    }
    ~DocumentBuilder() override { cursor_.endEditBlock(); }
    DocumentBuilder(const DocumentBuilder&) = delete;
    DocumentBuilder& operator=(const DocumentBuilder&) = delete;

    void Text(QStringView text, const RtfCharFormat& format) override {
        OpenParagraph();
        // Runs often share their format; it is made once for them.
        if (!lastFormat_ || !(*lastFormat_ == format)) {
            lastFormat_ = format;
            charFormat_ = CharFormatOf(format);
        }
        cursor_.insertText(text.toString(), charFormat_);
    }

    void ParagraphEnd(const RtfParagraphFormat& paragraph, const RtfCharFormat& mark) override {
        OpenParagraph();
        cursor_.setBlockFormat(BlockFormatOf(paragraph));
        cursor_.setBlockCharFormat(CharFormatOf(mark));
        if (paragraph.Bullet)
            AddToList();
        else
            list_ = nullptr;
        paragraphPending_ = true;
    }

private:
    void OpenParagraph() {
        if (!paragraphPending_)
            return;
        cursor_.insertBlock(QTextBlockFormat(), cursor_.charFormat());
        paragraphPending_ = false;
    }

    // Bullet paragraphs in a row make one list.
    void AddToList() {
        if (list_ != nullptr)
            list_->add(cursor_.block());
        else
            list_ = cursor_.createList(QTextListFormat::ListDisc);
    }

    QTextCursor cursor_;
    std::optional<RtfCharFormat> lastFormat_;
    QTextCharFormat charFormat_;
    QTextList* list_ = nullptr;
    bool paragraphPending_ = false;
};

QString PlainTextOf(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = DecodeWindows1252(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.removeIf([](QChar c) { return c != u'\n' && !IsTextCharacter(c.unicode()); });
    return text;
}

} // namespace

RtfResult ReadRtfDocument(QByteArrayView bytes, QTextDocument& document, const RtfLimits& limits) {
    document.clear();
    if (bytes.size() > limits.MaxInput)
        return {RtfProblem::TooLarge, 0};
    if (!LooksLikeRtf(bytes)) {
        document.setPlainText(PlainTextOf(bytes));
        return {RtfProblem::NotRtf, 0};
    }
    DocumentBuilder builder(document);
    return ParseRtf(bytes, builder, limits);
}

} // namespace karvel
