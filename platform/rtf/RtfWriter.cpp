#include "platform/encoding/CodePage.h"
#include "platform/rtf/RtfDocument.h"

#include <cmath>
#include <optional>
#include <QtGui/QFontInfo>
#include <QtGui/QTextBlock>
#include <QtGui/QTextDocument>
#include <QtGui/QTextList>
#include <vector>

namespace karvel {

namespace {

constexpr double TwipsPerPixel = 15.0; // 1440 twips per inch, 96 pixels per inch

// The character properties a run states, with the font and colour as table indices.
struct RunFormat {
    int Font = 0;
    int HalfPoints = 24;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;
    int Colour = 0; // 0: automatic
    bool operator==(const RunFormat&) const = default;
};

class Tables {
public:
    int Font(QString family) {
        // Tabs and line breaks have no place in a font table entry.
        family.removeIf([](QChar c) { return c.unicode() < 0x20 || c == QChar::LineSeparator; });
        return IndexOf(fonts_, family);
    }
    int Colour(QRgb rgb) { return IndexOf(colours_, rgb) + 1; }

    QByteArray Header() const {
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
        for (std::size_t i = 0; i < fonts_.size(); ++i) {
            out += "{\\f" + QByteArray::number(qsizetype(i)) + "\\fnil\\fcharset0 ";
            AppendRtfText(out, fonts_[i]);
            out += ";}";
        }
        out += "}\r\n";
        if (!colours_.empty()) {
            out += "{\\colortbl ;";
            for (const QRgb rgb : colours_)
                out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
                       QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) +
                       ';';
            out += "}\r\n";
        }
        return out;
    }

private:
    template <typename T> static int IndexOf(std::vector<T>& list, const T& value) {
        for (std::size_t i = 0; i < list.size(); ++i)
            if (list[i] == value)
                return int(i);
        list.push_back(value);
        return int(list.size()) - 1;
    }

    std::vector<QString> fonts_;
    std::vector<QRgb> colours_;
};

class Writer {
public:
    explicit Writer(const QTextDocument& document) : document_(document) {}

    QByteArray Write() {
        QByteArray body = "\\viewkind4\\uc1";
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next())
            WriteBlock(block, body);
        return tables_.Header() + body + "}\r\n";
    }

private:
    RunFormat RunOf(const QTextCharFormat& format) {
        RunFormat run;
        const QFont fallback = document_.defaultFont();
        // The family the default font stands for here, rather than a generic name such as
        // "Sans Serif" that another reader cannot look up.
        QString family = QFontInfo(fallback).family();
        if (format.hasProperty(QTextFormat::FontFamilies)) {
            const QStringList families = format.fontFamilies().toStringList();
            if (!families.isEmpty())
                family = families.front();
        }
        run.Font = tables_.Font(family);
        double points = fallback.pointSizeF();
        if (points <= 0)
            points = fallback.pixelSize() > 0 ? fallback.pixelSize() * 0.75 : 12.0;
        if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
            points = format.fontPointSize();
        run.HalfPoints = std::max(1, int(std::lround(points * 2)));
        run.Bold = format.fontWeight() > QFont::Medium;
        run.Italic = format.fontItalic();
        run.Underline = format.fontUnderline();
        run.Strike = format.fontStrikeOut();
        if (format.hasProperty(QTextFormat::ForegroundBrush) &&
            format.foreground().style() != Qt::NoBrush)
            run.Colour = tables_.Colour(format.foreground().color().rgb());
        return run;
    }

    // Only what changed since the last run is stated again.
    void WriteRun(const RunFormat& run, QByteArray& out) {
        QByteArray words;
        const auto flag = [&](const char* word, bool now, bool before) {
            if (!current_ || now != before)
                words += QByteArray("\\") + word + (now ? "" : "0");
        };
        const RunFormat before = current_.value_or(RunFormat{});
        if (!current_ || run.Font != before.Font)
            words += "\\f" + QByteArray::number(run.Font);
        if (!current_ || run.HalfPoints != before.HalfPoints)
            words += "\\fs" + QByteArray::number(run.HalfPoints);
        flag("b", run.Bold, before.Bold);
        flag("i", run.Italic, before.Italic);
        if (!current_ || run.Underline != before.Underline)
            words += run.Underline ? "\\ul" : "\\ulnone";
        flag("strike", run.Strike, before.Strike);
        if (!current_ || run.Colour != before.Colour)
            words += "\\cf" + QByteArray::number(run.Colour);
        current_ = run;
        if (!words.isEmpty())
            out += words + ' ';
    }

    void WriteParagraphFormat(const QTextBlock& block, QByteArray& out) {
        const QTextBlockFormat format = block.blockFormat();
        out += "\\pard";
        if (block.textList() != nullptr)
            out += "{\\pntext\\'95\\tab}{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb\\'95}}";
        const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
        if (align & Qt::AlignHCenter)
            out += "\\qc";
        else if (align & Qt::AlignRight)
            out += "\\qr";
        else if (align & Qt::AlignJustify)
            out += "\\qj";
        const auto indent = [&](const char* word, double pixels) {
            if (const int twips = PixelsToTwips(pixels); twips != 0)
                out += QByteArray("\\") + word + QByteArray::number(twips);
        };
        indent("fi", format.textIndent());
        indent("li", format.leftMargin());
        indent("ri", format.rightMargin());
        for (const QTextOption::Tab& tab : format.tabPositions()) {
            if (tab.type == QTextOption::RightTab)
                out += "\\tqr";
            else if (tab.type == QTextOption::CenterTab)
                out += "\\tqc";
            else if (tab.type == QTextOption::DelimiterTab)
                out += "\\tqdec";
            out += "\\tx" + QByteArray::number(PixelsToTwips(tab.position));
        }
        // A space ends the last control word; after a group it would be text.
        if (!out.endsWith('}'))
            out += ' ';
    }

    void WriteBlock(const QTextBlock& block, QByteArray& out) {
        out += "\r\n";
        WriteParagraphFormat(block, out);
        bool any = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            WriteRun(RunOf(fragment.charFormat()), out);
            AppendRtfText(out, fragment.text());
            any = true;
        }
        // An empty paragraph keeps its height through the format of its mark.
        if (!any)
            WriteRun(RunOf(block.charFormat()), out);
        out += "\\par";
    }

    const QTextDocument& document_;
    Tables tables_;
    std::optional<RunFormat> current_;
};

} // namespace

int PixelsToTwips(double pixels) {
    return int(std::lround(pixels * TwipsPerPixel));
}

double TwipsToPixels(int twips) {
    return twips / TwipsPerPixel;
}

void AppendRtfText(QByteArray& out, QStringView text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == QChar::LineSeparator) {
            out += "\\line ";
        } else if (!IsTextCharacter(u)) {
            continue; // pictures, control and structure characters are not kept
        } else if (u < 0x80) {
            out += char(u);
        } else if (const auto byte = UnicodeToWindows1252(u); byte && *byte >= 0x80) {
            out += "\\'" + QByteArray::number(*byte, 16).rightJustified(2, '0');
        } else {
            // Outside the code page: a Unicode escape with '?' for readers that cannot use it.
            out += "\\u" + QByteArray::number(qint16(u)) + '?';
        }
    }
}

QByteArray WriteRtfDocument(const QTextDocument& document) {
    return Writer(document).Write();
}

} // namespace karvel
