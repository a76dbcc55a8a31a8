#include "platform/encoding/CodePage.h"

#include <array>
#include <QtCore/QList>
#include <utility>

namespace karvel {

namespace {

// Bytes 0x80..0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

constexpr std::array<char16_t, 256> MakeTable() {
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = char16_t(byte);
    for (int i = 0; i < 32; ++i)
        table[0x80 + i] = HighControls[i];
    return table;
}

constexpr std::array<char16_t, 256> Table = MakeTable();

constexpr char Replacement = '?';

} // namespace

char16_t Windows1252ToUnicode(unsigned char byte) {
    return Table[byte];
}

std::optional<unsigned char> UnicodeToWindows1252(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<unsigned char>(character);
    for (int i = 0; i < 32; ++i) {
        if (HighControls[i] == character)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

QString DecodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    // Through the data pointer: indexing a QString checks for sharing at every character.
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(Table[static_cast<unsigned char>(bytes[i])]);
    return text;
}

QByteArray EncodeWindows1252(QStringView text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    bytes.truncate(EncodeWindows1252Into(text, bytes.data(), bytes.size()));
    return bytes;
}

QStringList UnstorableCharacters(QStringView text) {
    QStringList found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype length = 1;
        char32_t character = text[i].unicode();
        if (QChar::isHighSurrogate(character) && i + 1 < text.size() &&
            text[i + 1].isLowSurrogate()) {
            character = QChar::surrogateToUcs4(char16_t(character), text[i + 1].unicode());
            length = 2;
        }
        if (!UnicodeToWindows1252(character)) {
            const QString entry = text.mid(i, length).toString();
            if (!found.contains(entry))
                found << entry;
        }
        i += length - 1;
    }
    return found;
}

QString StorableSpelling(QStringView character) {
    static const std::pair<char16_t, const char16_t*> Spellings[] = {
        {u'\u03A9', u"Ohm"},    // Greek capital omega, as electronics writes it
        {u'\u2126', u"Ohm"},    // the ohm sign
        {u'\u03BC', u"\u00B5"}, // Greek mu: the micro sign
        {u'\u2212', u"-"},      // minus sign
        {u'\u2010', u"-"},      // hyphen
        {u'\u2011', u"-"},      // non-breaking hyphen
        {u'\u2264', u"<="},     {u'\u2265', u">="}, {u'\u2192', u"->"},
    };
    if (character.size() != 1)
        return {};
    for (const auto& [from, to] : Spellings)
        if (character[0] == QChar(from))
            return QString::fromUtf16(to);
    return {};
}

qsizetype EncodeWindows1252Into(QStringView text, char* out, qsizetype capacity) {
    qsizetype length = 0;
    for (qsizetype i = 0; i < text.size() && length < capacity; ++i) {
        char32_t character = text[i].unicode();
        // Code points, not code units: a character outside the BMP gives one '?', not two.
        if (QChar::isHighSurrogate(character) && i + 1 < text.size() &&
            text[i + 1].isLowSurrogate())
            character = QChar::surrogateToUcs4(char16_t(character), text[++i].unicode());
        out[length++] = char(UnicodeToWindows1252(character).value_or(Replacement));
    }
    return length;
}

} // namespace karvel
