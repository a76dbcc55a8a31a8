#include "platform/rtf/RtfParser.h"

#include "platform/encoding/CodePage.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <QtCore/QStringDecoder>

namespace karvel {

namespace {

enum class Destination { Text, Skip, FontTable, ColourTable, Bullet };

// The character format as the document states it, before the tables are looked up.
struct CharState {
    int Font = -1; // -1: the document's default font
    int HalfPoints = 24;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;
    int Colour = 0;
    bool operator==(const CharState&) const = default;
};

struct Group {
    CharState Chars;
    Destination Dest = Destination::Text;
    int UnicodeSkip = 1;
};

constexpr char16_t LineSeparator = 0x2028;
constexpr int MaxIndentTwips = 31680; // 22 inches, the widest page the format knows
constexpr int MaxHalfPoints = 3276;

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
int HexValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Groups whose content is no text of the document: tables, pictures, document information,
// the bullet text a reader without list support would show.
bool IsSkippedDestination(QByteArrayView word) {
    static constexpr const char* skipped[] = {
        "stylesheet", "info",         "pict",       "object",
        "objdata",    "header",       "headerl",    "headerr",
        "headerf",    "footer",       "footerl",    "footerr",
        "footerf",    "footnote",     "listtable",  "listoverridetable",
        "rsidtbl",    "generator",    "themedata",  "colorschememapping",
        "datastore",  "latentstyles", "xmlnstbl",   "revtbl",
        "filetbl",    "fldinst",      "pntext",     "listtext",
        "bkmkstart",  "bkmkend",      "nonshppict", "shp",
        "mmathPr",    "pgdsctbl",     "template",   "annotation",
        "atnid",      "comment"};
    return std::any_of(std::begin(skipped), std::end(skipped),
                       [&](const char* name) { return word == QByteArrayView(name); });
}

std::optional<char16_t> SpecialCharacter(QByteArrayView word) {
    static const std::map<QByteArrayView, char16_t> characters{
        {"emdash", 0x2014},     {"endash", 0x2013},    {"bullet", 0x2022},    {"lquote", 0x2018},
        {"rquote", 0x2019},     {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
        {"enspace", 0x2002},    {"qmspace", 0x2005},   {"tab", u'\t'},        {"cell", u'\t'},
        {"line", LineSeparator}};
    const auto it = characters.find(word);
    if (it == characters.end())
        return std::nullopt;
    return it->second;
}

bool IsUnderlineWord(QByteArrayView word) {
    static constexpr const char* words[] = {"ul",     "uld",     "uldb",     "ulw",   "ulth",
                                            "uldash", "uldashd", "uldashdd", "ulwave"};
    return std::any_of(std::begin(words), std::end(words),
                       [&](const char* name) { return word == QByteArrayView(name); });
}

class Parser {
public:
    Parser(QByteArrayView bytes, RtfSink& sink, const RtfLimits& limits)
        : bytes_(bytes), sink_(sink), limits_(limits) {
        for (int byte = 0; byte < 256; ++byte)
            codePage_[std::size_t(byte)] = Windows1252ToUnicode(static_cast<unsigned char>(byte));
    }

    RtfResult Run() {
        const RtfResult result = Scan();
        FlushText();
        if (paragraphOpen_)
            EndParagraph();
        return result;
    }

private:
    RtfResult Scan() {
        while (pos_ < bytes_.size()) {
            const char c = bytes_[pos_];
            if (c == '{') {
                if (int(groups_.size()) >= limits_.MaxDepth)
                    return {RtfProblem::TooDeep, pos_};
                groups_.push_back(groups_.empty() ? Group{} : groups_.back());
                pendingSkip_ = 0;
                ++pos_;
            } else if (c == '}') {
                ++pos_;
                pendingSkip_ = 0;
                if (groups_.empty())
                    continue;
                EndGroup();
                if (groups_.empty())
                    return {RtfProblem::None, pos_};
            } else if (groups_.empty()) {
                ++pos_; // nothing counts before the document's group opens
            } else if (c == '\\') {
                if (const auto problem = ControlSequence())
                    return {*problem, pos_};
            } else {
                ++pos_;
                RawByte(static_cast<unsigned char>(c));
            }
        }
        return {RtfProblem::Truncated, pos_};
    }

    Group& Top() { return groups_.back(); }

    // --- Lexing ---------------------------------------------------------------------------

    std::optional<RtfProblem> ControlSequence() {
        const qsizetype start = pos_;
        ++pos_;
        if (pos_ >= bytes_.size())
            return std::nullopt;
        const char c = bytes_[pos_];
        if (!IsLetter(c)) {
            ++pos_;
            if (c == '\'')
                HexEscape();
            else if (!ConsumeSkip())
                ControlSymbol(c);
            return std::nullopt;
        }
        const qsizetype wordStart = pos_;
        while (pos_ < bytes_.size() && IsLetter(bytes_[pos_])) {
            if (pos_ - wordStart >= limits_.MaxWordLength) {
                pos_ = start;
                return RtfProblem::WordTooLong;
            }
            ++pos_;
        }
        const QByteArrayView word = bytes_.sliced(wordStart, pos_ - wordStart);
        bool negative = false;
        if (pos_ < bytes_.size() && bytes_[pos_] == '-' && pos_ + 1 < bytes_.size() &&
            IsDigit(bytes_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        const qsizetype digitStart = pos_;
        qint64 value = 0;
        while (pos_ < bytes_.size() && IsDigit(bytes_[pos_])) {
            if (pos_ - digitStart >= limits_.MaxNumberDigits) {
                pos_ = start;
                return RtfProblem::WordTooLong;
            }
            value = value * 10 + (bytes_[pos_] - '0');
            ++pos_;
        }
        const bool hasNumber = pos_ > digitStart;
        if (negative)
            value = -value;
        const int number = int(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
        if (pos_ < bytes_.size() && bytes_[pos_] == ' ')
            ++pos_;
        if (word == QByteArrayView("bin")) {
            SkipBinary(hasNumber ? number : 0);
            return std::nullopt;
        }
        if (!ConsumeSkip())
            ControlWord(word, hasNumber, number);
        return std::nullopt;
    }

    void HexEscape() {
        if (pos_ + 1 >= bytes_.size()) {
            pos_ = bytes_.size();
            return;
        }
        const int high = HexValue(bytes_[pos_]);
        const int low = HexValue(bytes_[pos_ + 1]);
        pos_ += 2;
        if (ConsumeSkip() || high < 0 || low < 0)
            return;
        Character(codePage_[std::size_t(high * 16 + low)]);
    }

    void SkipBinary(int count) {
        pos_ += std::min<qsizetype>(std::max(count, 0), bytes_.size() - pos_);
    }

    // A character that stands in for a preceding \u escape is dropped.
    bool ConsumeSkip() {
        if (pendingSkip_ == 0)
            return false;
        --pendingSkip_;
        return true;
    }

    void RawByte(unsigned char byte) {
        if (byte == '\r' || byte == '\n')
            return;
        if (ConsumeSkip())
            return;
        if (byte == '\t') {
            Character(u'\t');
            return;
        }
        if (byte < 0x20)
            return;
        Character(codePage_[byte]);
    }

    // --- Meaning --------------------------------------------------------------------------

    void ControlSymbol(char c) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Character(char16_t(c));
            break;
        case '~':
            Character(0x00A0);
            break;
        case '_':
            Character(0x2011);
            break;
        case '*':
            starPending_ = true;
            break;
        case '\r':
        case '\n':
            if (Top().Dest == Destination::Text)
                EndParagraph();
            break;
        default:
            break;
        }
    }

    void ControlWord(QByteArrayView word, bool hasNumber, int number) {
        if (starPending_) {
            starPending_ = false;
            // The old bullet description is the one optional destination we read.
            const bool bullet = word == QByteArrayView("pn") && Top().Dest == Destination::Text;
            Top().Dest = bullet ? Destination::Bullet : Destination::Skip;
            return;
        }
        Group& group = Top();
        // Unicode escapes count in font names as in the text.
        if (word == QByteArrayView("uc")) {
            group.UnicodeSkip = std::clamp(number, 0, 8);
            return;
        }
        if (word == QByteArrayView("u") && group.Dest != Destination::Skip) {
            Character(char16_t(number)); // negative numbers stand for the upper half
            pendingSkip_ = group.UnicodeSkip;
            return;
        }
        switch (group.Dest) {
        case Destination::Skip:
            return;
        case Destination::FontTable:
            if (word == QByteArrayView("f")) {
                StoreFontName();
                fontNumber_ = number;
            }
            return;
        case Destination::ColourTable:
            ColourWord(word, number);
            return;
        case Destination::Bullet:
            if (word == QByteArrayView("pnlvlblt") || word == QByteArrayView("pnlvlbody"))
                paragraph_.Bullet = true;
            return;
        case Destination::Text:
            break;
        }
        if (word == QByteArrayView("fonttbl")) {
            group.Dest = Destination::FontTable;
        } else if (word == QByteArrayView("colortbl")) {
            group.Dest = Destination::ColourTable;
            colours_.clear();
        } else if (IsSkippedDestination(word)) {
            group.Dest = Destination::Skip;
        } else if (const auto special = SpecialCharacter(word)) {
            Character(*special);
        } else if (word == QByteArrayView("par") || word == QByteArrayView("page") ||
                   word == QByteArrayView("row") || word == QByteArrayView("sect")) {
            EndParagraph();
        } else if (!CharacterWord(word, hasNumber, number, group.Chars)) {
            DocumentWord(word, hasNumber, number);
        }
    }

    static bool On(bool hasNumber, int number) { return !hasNumber || number != 0; }

    static bool CharacterWord(QByteArrayView word, bool hasNumber, int number, CharState& chars) {
        if (word == QByteArrayView("plain"))
            chars = CharState{};
        else if (word == QByteArrayView("f"))
            chars.Font = number;
        else if (word == QByteArrayView("fs"))
            chars.HalfPoints = hasNumber && number > 0 ? std::min(number, MaxHalfPoints) : 24;
        else if (word == QByteArrayView("b"))
            chars.Bold = On(hasNumber, number);
        else if (word == QByteArrayView("i"))
            chars.Italic = On(hasNumber, number);
        else if (IsUnderlineWord(word))
            chars.Underline = On(hasNumber, number);
        else if (word == QByteArrayView("ulnone"))
            chars.Underline = false;
        else if (word == QByteArrayView("strike") || word == QByteArrayView("striked"))
            chars.Strike = On(hasNumber, number);
        else if (word == QByteArrayView("cf"))
            chars.Colour = number;
        else
            return false;
        return true;
    }

    void DocumentWord(QByteArrayView word, bool hasNumber, int number) {
        const int indent = std::clamp(number, -MaxIndentTwips, MaxIndentTwips);
        if (word == QByteArrayView("pard")) {
            paragraph_ = RtfParagraphFormat{};
            nextTab_ = RtfTab::Kind::Left;
        } else if (word == QByteArrayView("ql")) {
            paragraph_.Alignment = RtfParagraphFormat::Align::Left;
        } else if (word == QByteArrayView("qr")) {
            paragraph_.Alignment = RtfParagraphFormat::Align::Right;
        } else if (word == QByteArrayView("qc")) {
            paragraph_.Alignment = RtfParagraphFormat::Align::Centre;
        } else if (word == QByteArrayView("qj")) {
            paragraph_.Alignment = RtfParagraphFormat::Align::Justify;
        } else if (word == QByteArrayView("li")) {
            paragraph_.Left = indent;
        } else if (word == QByteArrayView("ri")) {
            paragraph_.Right = indent;
        } else if (word == QByteArrayView("fi")) {
            paragraph_.First = indent;
        } else if (word == QByteArrayView("tqr")) {
            nextTab_ = RtfTab::Kind::Right;
        } else if (word == QByteArrayView("tqc")) {
            nextTab_ = RtfTab::Kind::Centre;
        } else if (word == QByteArrayView("tqdec")) {
            nextTab_ = RtfTab::Kind::Decimal;
        } else if (word == QByteArrayView("tx") || word == QByteArrayView("tb")) {
            if (int(paragraph_.Tabs.size()) < limits_.MaxTabStops)
                paragraph_.Tabs.push_back({std::clamp(number, 0, MaxIndentTwips), nextTab_});
            nextTab_ = RtfTab::Kind::Left;
        } else if (word == QByteArrayView("ls") && hasNumber) {
            paragraph_.Bullet = true; // a list of a newer writer: shown as bullets
        } else if (word == QByteArrayView("ansicpg")) {
            UseCodePage(number);
        } else if (word == QByteArrayView("deff")) {
            defaultFont_ = number;
        }
    }

    void ColourWord(QByteArrayView word, int number) {
        const int level = std::clamp(number, 0, 255);
        if (word == QByteArrayView("red"))
            red_ = level;
        else if (word == QByteArrayView("green"))
            green_ = level;
        else if (word == QByteArrayView("blue"))
            blue_ = level;
        else
            return;
        colourGiven_ = true;
    }

    void UseCodePage(int number) {
        if (number < 1250 || number > 1258 || number == 1252)
            return;
        const QByteArray name = "windows-" + QByteArray::number(number);
        QStringDecoder decoder(name.constData());
        if (!decoder.isValid())
            return;
        for (int byte = 0x80; byte < 256; ++byte) {
            const char c = char(byte);
            const QString decoded = decoder.decode(QByteArrayView(&c, 1));
            decoder.resetState();
            if (decoded.size() == 1 && decoded[0] != QChar::ReplacementCharacter)
                codePage_[std::size_t(byte)] = decoded[0].unicode();
        }
    }

    // --- Content --------------------------------------------------------------------------

    void Character(char16_t c) {
        if (!IsTextCharacter(c) && c != LineSeparator)
            return;
        Group& group = Top();
        switch (group.Dest) {
        case Destination::Text:
            if (!text_.isEmpty() && textChars_ != group.Chars)
                FlushText();
            textChars_ = group.Chars;
            text_.append(QChar(c));
            paragraphOpen_ = true;
            break;
        case Destination::FontTable:
            if (c == u';')
                StoreFontName();
            else
                fontName_.append(QChar(c));
            break;
        case Destination::ColourTable:
            if (c == u';') {
                colours_.push_back(colourGiven_ ? std::optional<QRgb>(qRgb(red_, green_, blue_))
                                                : std::nullopt);
                red_ = green_ = blue_ = 0;
                colourGiven_ = false;
            }
            break;
        case Destination::Skip:
        case Destination::Bullet:
            break;
        }
    }

    void StoreFontName() {
        // A font's name is one line of printable text.
        fontName_.removeIf([](QChar c) { return c.unicode() < 0x20 || c == QChar::LineSeparator; });
        const QString name = fontName_.trimmed();
        if (!name.isEmpty() && fontNumber_ >= 0 && !fonts_.contains(fontNumber_))
            fonts_.emplace(fontNumber_, name);
        fontName_.clear();
    }

    void EndGroup() {
        FlushText();
        if (Top().Dest == Destination::FontTable)
            StoreFontName();
        starPending_ = false;
        groups_.pop_back();
    }

    void FlushText() {
        if (text_.isEmpty())
            return;
        sink_.Text(text_, Resolve(textChars_));
        text_.clear();
    }

    void EndParagraph() {
        FlushText();
        const CharState mark = groups_.empty() ? CharState{} : Top().Chars;
        sink_.ParagraphEnd(paragraph_, Resolve(mark));
        paragraphOpen_ = false;
    }

    RtfCharFormat Resolve(const CharState& chars) const {
        RtfCharFormat format;
        if (const auto font = fonts_.find(chars.Font < 0 ? defaultFont_ : chars.Font);
            font != fonts_.end())
            format.Family = font->second;
        format.HalfPoints = chars.HalfPoints;
        format.Bold = chars.Bold;
        format.Italic = chars.Italic;
        format.Underline = chars.Underline;
        format.Strike = chars.Strike;
        if (chars.Colour > 0 && std::size_t(chars.Colour) < colours_.size())
            format.Colour = colours_[std::size_t(chars.Colour)];
        return format;
    }

    QByteArrayView bytes_;
    RtfSink& sink_;
    const RtfLimits& limits_;
    qsizetype pos_ = 0;
    std::vector<Group> groups_;
    std::array<char16_t, 256> codePage_{};
    bool starPending_ = false;
    int pendingSkip_ = 0;

    RtfParagraphFormat paragraph_;
    RtfTab::Kind nextTab_ = RtfTab::Kind::Left;
    bool paragraphOpen_ = false;
    QString text_;
    CharState textChars_;

    int defaultFont_ = 0;
    std::map<int, QString> fonts_;
    int fontNumber_ = -1;
    QString fontName_;
    std::vector<std::optional<QRgb>> colours_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourGiven_ = false;
};

} // namespace

bool IsTextCharacter(char16_t c) {
    if (c < 0x20)
        return c == u'\t';
    // Frame marks, the paragraph separator and the object placeholder belong to the document.
    return c != 0xFDD0 && c != 0xFDD1 && c != QChar::ParagraphSeparator &&
           c != QChar::LineSeparator && c != QChar::ObjectReplacementCharacter && c != 0xFFFE &&
           c != 0xFFFF;
}

bool LooksLikeRtf(QByteArrayView bytes) {
    qsizetype i = 0;
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.sliced(i).startsWith("{\\rtf");
}

RtfResult ParseRtf(QByteArrayView bytes, RtfSink& sink, const RtfLimits& limits) {
    if (!LooksLikeRtf(bytes))
        return {RtfProblem::NotRtf, 0};
    if (bytes.size() > limits.MaxInput)
        return {RtfProblem::TooLarge, 0};
    return Parser(bytes, sink, limits).Run();
}

QString RtfProblemMessage(const RtfResult& result, Language language, const RtfLimits& limits) {
    const QString offset = QString::number(result.Offset);
    switch (result.Problem) {
    case RtfProblem::None:
    case RtfProblem::NotRtf:
        return {};
    case RtfProblem::TooLarge:
        return Tr(language, QStringLiteral("Der Text ist größer als %1 MB und wird nicht gelesen."),
                  QStringLiteral("The text is larger than %1 MB and is not read."))
            .arg(limits.MaxInput / (1024 * 1024));
    case RtfProblem::TooDeep:
        return Tr(language,
                  QStringLiteral("Der Text ist zu tief verschachtelt; gelesen wurde er bis "
                                 "Byte %1."),
                  QStringLiteral("The text is nested too deeply; it was read up to byte %1."))
            .arg(offset);
    case RtfProblem::WordTooLong:
        return Tr(language,
                  QStringLiteral("Der Text enthält bei Byte %1 ein zu langes Steuerwort; "
                                 "gelesen wurde er bis dorthin."),
                  QStringLiteral("The text holds a control word that is too long at byte %1; "
                                 "it was read up to there."))
            .arg(offset);
    case RtfProblem::Truncated:
        return Tr(language,
                  QStringLiteral("Der Text bricht vor seinem Ende ab; gelesen wurde, was da "
                                 "ist."),
                  QStringLiteral("The text breaks off before its end; what is there was "
                                 "read."));
    }
    return {};
}

} // namespace karvel
