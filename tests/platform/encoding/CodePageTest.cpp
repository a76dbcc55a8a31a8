#include "platform/encoding/CodePage.h"

#include <gtest/gtest.h>

#include <QtCore/QStringDecoder>

namespace karvel {
namespace {

QByteArray AllBytes() {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    return bytes;
}

// Qt's own decoder (through ICU) is an independent judge of the whole table, including the
// five bytes Windows leaves unassigned.
TEST(CodePage, DecodesEveryByteAsQtsDecoderDoes) {
    QStringDecoder qtDecoder("windows-1252");
    if (!qtDecoder.isValid())
        GTEST_SKIP() << "this Qt has no windows-1252 decoder";
    const QString expected = qtDecoder.decode(AllBytes());
    const QString decoded = DecodeWindows1252(AllBytes());
    ASSERT_EQ(decoded.size(), 256);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(decoded[b].unicode(), expected[b].unicode()) << "byte " << b;
}

TEST(CodePage, TheBytesBetween0x80And0x9FAreNotLatin1) {
    const struct {
        unsigned char byte;
        char16_t character;
    } cases[] = {{0x80, u'€'},   {0x81, 0x0081}, {0x8A, u'Š'}, {0x8D, 0x008D}, {0x8F, 0x008F},
                 {0x90, 0x0090}, {0x9D, 0x009D}, {0x9F, u'Ÿ'}, {0xA0, 0x00A0}, {0xF6, u'ö'}};
    for (const auto& c : cases) {
        EXPECT_EQ(Windows1252ToUnicode(c.byte), c.character) << int(c.byte);
        EXPECT_EQ(UnicodeToWindows1252(c.character), c.byte) << int(c.byte);
    }
}

TEST(CodePage, EveryByteSurvivesDecodingAndEncoding) {
    EXPECT_EQ(EncodeWindows1252(DecodeWindows1252(AllBytes())), AllBytes());
}

TEST(CodePage, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
    const struct {
        const char* name;
        QString text;
        QByteArray expected;
    } cases[] = {
        {"German text with euro", QStringLiteral("Größe 10 €"),
         QByteArray("Gr\xF6\xDF"
                    "e 10 \x80")},
        {"C1 control whose byte is the euro sign", QString(QChar(0x0080)), "?"},
        {"Latin Extended-A", QStringLiteral("Ā"), "?"},
        {"CJK", QStringLiteral("a中b"), "a?b"},
        {"outside the BMP is one character", QStringLiteral("x😀y"), "x?y"},
        {"lone surrogate", QString(QChar(0xD800)) + u'z', "?z"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EncodeWindows1252(c.text), c.expected);
    }
}

// What the text fields tell while the user types.
TEST(CodePage, FindsEachCharacterTheCodePageCannotHoldOnce) {
    const struct {
        const char* name;
        QString text;
        QStringList expected;
    } cases[] = {
        {"German text with euro and micro", QStringLiteral("Größe 10 € µF"), {}},
        {"ohm", QStringLiteral("Übersicht Ω"), {QStringLiteral("Ω")}},
        {"each once, in order",
         QStringLiteral("Ω μ Ω"),
         {QStringLiteral("Ω"), QStringLiteral("μ")}},
        {"outside the BMP is one character", QStringLiteral("x😀y"), {QStringLiteral("😀")}},
        {"C1 control", QString(QChar(0x0080)), {QString(QChar(0x0080))}},
        {"lone surrogate", QString(QChar(0xD800)) + u'z', {QString(QChar(0xD800))}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UnstorableCharacters(c.text), c.expected);
        // Exactly these turn into '?' when stored.
        EXPECT_EQ(
            EncodeWindows1252(c.text).count('?'), c.text.count(u'?') + [&] {
                qsizetype n = 0;
                for (const QString& character : c.expected)
                    n += c.text.count(character);
                return n;
            }());
    }
}

TEST(CodePage, OffersAStorableSpellingWhereThereIsAUsualOne) {
    const struct {
        QString character;
        QString spelling;
    } cases[] = {{QStringLiteral("Ω"), QStringLiteral("Ohm")},
                 {QString(QChar(0x2126)), QStringLiteral("Ohm")},
                 {QStringLiteral("μ"), QStringLiteral("µ")},
                 {QString(QChar(0x2212)), QStringLiteral("-")},
                 {QStringLiteral("😀"), QString()},
                 {QStringLiteral("中"), QString()}};
    for (const auto& c : cases) {
        const QString spelling = StorableSpelling(c.character);
        EXPECT_EQ(spelling, c.spelling) << c.character.toStdString();
        EXPECT_TRUE(UnstorableCharacters(spelling).isEmpty()) << c.character.toStdString();
    }
}

} // namespace
} // namespace karvel
