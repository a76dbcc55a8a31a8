// Rich Text in and out of documents: what the editor writes comes back as it was, what other
// writers produce is read as far as the editor can show it, and hostile bytes end in a clear
// problem or in plain text.

#include "platform/rtf/RtfDocument.h"
#include "platform/rtf/RtfText.h"

#include <gtest/gtest.h>
#include <QtCore/QRandomGenerator>
#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtGui/QTextList>

namespace karvel {
namespace {

// The format of the character at a position of the document (after it, as a cursor reports).
QTextCharFormat FormatAt(const QTextDocument& document, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

QTextDocument& RoundTrip(const QTextDocument& original, QTextDocument& copy) {
    const RtfResult result = ReadRtfDocument(WriteRtfDocument(original), copy);
    EXPECT_EQ(result.Problem, RtfProblem::None);
    return copy;
}

TEST(RtfTest, CharacterFormatsSurviveARoundTrip) {
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat plain;
    plain.setFontFamilies({QStringLiteral("Liberation Serif")});
    plain.setFontPointSize(11);
    cursor.insertText(QStringLiteral("plain "), plain);
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("bold "), bold);
    QTextCharFormat styled;
    styled.setFontFamilies({QStringLiteral("Liberation Mono")});
    styled.setFontPointSize(15.5);
    styled.setFontItalic(true);
    styled.setFontUnderline(true);
    styled.setForeground(QColor(200, 30, 40));
    cursor.insertText(QStringLiteral("styled"), styled);
    const QByteArray rtf = WriteRtfDocument(document);
    EXPECT_TRUE(rtf.contains("\\b ")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\red200\\green30\\blue40;")) << rtf.constData();

    QTextDocument copy;
    RoundTrip(document, copy);
    EXPECT_EQ(copy.toPlainText(), QStringLiteral("plain bold styled"));
    const QTextCharFormat p = FormatAt(copy, 0);
    const QTextCharFormat b = FormatAt(copy, 6);
    const QTextCharFormat s = FormatAt(copy, 11);
    EXPECT_EQ(p.fontWeight(), QFont::Normal);
    EXPECT_EQ(b.fontWeight(), QFont::Bold);
    EXPECT_EQ(p.fontFamilies().toStringList(), QStringList{QStringLiteral("Liberation Serif")});
    EXPECT_DOUBLE_EQ(p.fontPointSize(), 11.0);
    EXPECT_DOUBLE_EQ(b.fontPointSize(), 11.0);
    EXPECT_EQ(s.fontFamilies().toStringList(), QStringList{QStringLiteral("Liberation Mono")});
    EXPECT_DOUBLE_EQ(s.fontPointSize(), 15.5);
    EXPECT_TRUE(s.fontItalic());
    EXPECT_TRUE(s.fontUnderline());
    EXPECT_EQ(s.foreground().color(), QColor(200, 30, 40));
    EXPECT_FALSE(b.fontItalic() || b.fontUnderline());
    EXPECT_EQ(b.foreground().style(), Qt::NoBrush);
    // Written again, the copy gives the same bytes.
    EXPECT_EQ(WriteRtfDocument(copy), rtf);
}

TEST(RtfTest, ParagraphFormatsSurviveARoundTrip) {
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextBlockFormat indented;
    indented.setLeftMargin(48);
    indented.setTextIndent(-24);
    indented.setRightMargin(32);
    indented.setTabPositions(
        {QTextOption::Tab(96, QTextOption::LeftTab), QTextOption::Tab(200, QTextOption::RightTab)});
    cursor.setBlockFormat(indented);
    cursor.insertText(QStringLiteral("indented\tcolumn"));
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(centred);
    cursor.insertText(QStringLiteral("centred"));
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    cursor.insertBlock(right);
    cursor.insertText(QStringLiteral("right"));
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("first bullet"));
    cursor.createList(QTextListFormat::ListDisc);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("second bullet"));
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("after the list"));
    const QByteArray rtf = WriteRtfDocument(document);
    EXPECT_TRUE(rtf.contains("\\fi-360\\li720\\ri480\\tx1440\\tqr\\tx3000")) << rtf.constData();

    QTextDocument copy;
    RoundTrip(document, copy);
    ASSERT_EQ(copy.blockCount(), 6);
    const QTextBlockFormat first = copy.findBlockByNumber(0).blockFormat();
    EXPECT_DOUBLE_EQ(first.leftMargin(), 48);
    EXPECT_DOUBLE_EQ(first.textIndent(), -24);
    EXPECT_DOUBLE_EQ(first.rightMargin(), 32);
    ASSERT_EQ(first.tabPositions().size(), 2);
    EXPECT_DOUBLE_EQ(first.tabPositions()[1].position, 200);
    EXPECT_EQ(first.tabPositions()[1].type, QTextOption::RightTab);
    EXPECT_EQ(copy.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(copy.findBlockByNumber(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    const QTextList* list = copy.findBlockByNumber(3).textList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(copy.findBlockByNumber(4).textList(), list);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(copy.findBlockByNumber(5).textList(), nullptr);
    EXPECT_EQ(copy.toPlainText(), document.toPlainText());
    EXPECT_EQ(WriteRtfDocument(copy), rtf);
}

TEST(RtfTest, TextOutsideAsciiIsEscapedAndComesBack) {
    const QString text = QStringLiteral("Prüfaufbau: 5 € für Ölkännchen, Ω und µ, „Zitat“ 😀 {\\}");
    QTextDocument document;
    document.setPlainText(text + QStringLiteral("\nzweite Zeile"));
    const QByteArray rtf = WriteRtfDocument(document);
    // Windows-1252 as \'hh, the rest as \uN with a fallback, braces and backslashes escaped.
    for (const char* expected : {"Pr\\'fcfaufbau", "5 \\'80 f\\'fcr \\'d6lk\\'e4nnchen", "\\u937?",
                                 "\\'b5", "\\'84Zitat\\'93", "\\u-10179?\\u-8704?", "\\{\\\\\\}"})
        EXPECT_TRUE(rtf.contains(expected)) << expected << " in " << rtf.constData();
    for (const char c : rtf)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "RTF is 7-bit";

    QTextDocument copy;
    RoundTrip(document, copy);
    EXPECT_EQ(copy.toPlainText(), document.toPlainText());
    EXPECT_EQ(RtfToPlainText(rtf), document.toPlainText());
}

TEST(RtfTest, ReadsWhatOtherWritersProduce) {
    // As a word processor of the Windows world writes it: tables, a generator, a field, a
    // bullet list in the old form, Unicode with fallbacks, a line break and a code page.
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fswiss\\fcharset0 "
        "Arial;}{\\f1\\fnil\\fcharset2 Symbol;}{\\f2\\froman Times {\\*\\panose 0000}New "
        "Roman;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
        "{\\stylesheet{ Normal;}}{\\info{\\author Someone}}{\\*\\generator Msftedit "
        "5.41;}\\viewkind4\\uc1\\pard\\f0\\fs20 Anf\\'e4nger \\cf1 rot\\cf0  "
        "{\\b fett} {\\i\\f2 kursiv}\\par\r\n"
        "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
        "\\fi-360\\li720 Punkt\\par\r\n"
        "{\\pntext\\f1\\'B7\\tab}Noch ein Punkt\\par\r\n"
        "\\pard\\qc\\uc2\\u8364\\'80\\'80 Euro\\uc1  \\u-10179?\\u-8704? "
        "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt Verweis}}\\line neue Zeile\\par\r\n"
        "{\\pict\\wmetafile8 0123456789abcdef}\\bin4 {}{}Ende\\par\r\n}\r\n";
    QTextDocument document;
    const RtfResult result = ReadRtfDocument(rtf, document);
    EXPECT_EQ(result.Problem, RtfProblem::None);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("Anfänger rot fett kursiv\nPunkt\nNoch ein "
                                                     "Punkt\n€ Euro 😀 Verweis\nneue "
                                                     "Zeile\nEnde"));
    EXPECT_EQ(FormatAt(document, 9).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(FormatAt(document, 14).fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatAt(document, 19).fontFamilies().toStringList(),
              QStringList{QStringLiteral("Times New Roman")});
    EXPECT_EQ(FormatAt(document, 0).fontFamilies().toStringList(),
              QStringList{QStringLiteral("Arial")});
    EXPECT_DOUBLE_EQ(FormatAt(document, 0).fontPointSize(), 10.0);
    ASSERT_NE(document.findBlockByNumber(1).textList(), nullptr);
    EXPECT_EQ(document.findBlockByNumber(2).textList(), document.findBlockByNumber(1).textList());
    EXPECT_DOUBLE_EQ(document.findBlockByNumber(1).blockFormat().leftMargin(), 48);
    EXPECT_EQ(document.findBlockByNumber(3).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(RtfToPlainText(rtf),
              QStringLiteral("Anfänger rot fett kursiv\nPunkt\nNoch ein Punkt\n€ Euro 😀 "
                             "Verweis\nneue Zeile\nEnde"));
}

TEST(RtfTest, OtherCodePagesOfTheWindowsFamily) {
    QTextDocument document;
    ReadRtfDocument("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}", document);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("Привет"));
}

// --- Hostile input ---------------------------------------------------------------------------

QByteArray Repeated(const char* piece, int times) {
    QByteArray bytes;
    for (int i = 0; i < times; ++i)
        bytes += piece;
    return bytes;
}

QByteArray RandomBytes(int size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

TEST(RtfTest, HostileInputEndsInAProblemOrPlainTextNeverInACrash) {
    struct Case {
        const char* name;
        QByteArray bytes;
        RtfProblem problem;
        const char* startOfText; // what was read before the problem
    };
    const Case cases[] = {
        {"deep nesting", "{\\rtf1 vorher" + Repeated("{", 100000) + "x", RtfProblem::TooDeep,
         "vorher"},
        {"deep nesting closed again",
         "{\\rtf1 a" + Repeated("{", 150) + "b" + Repeated("}", 150) + "c}", RtfProblem::None,
         "abc"},
        {"huge control word", "{\\rtf1 vorher\\" + Repeated("a", 1000000) + " x}",
         RtfProblem::WordTooLong, "vorher"},
        {"huge number", "{\\rtf1 vorher\\fs" + Repeated("9", 50) + " x}", RtfProblem::WordTooLong,
         "vorher"},
        {"unicode beyond int", "{\\rtf1 a\\u99999999999 b}", RtfProblem::WordTooLong, "a"},
        {"truncated in a group", "{\\rtf1 {\\b fett", RtfProblem::Truncated, "fett"},
        {"truncated in an escape", "{\\rtf1 abc\\'4", RtfProblem::Truncated, "abc"},
        {"truncated after a backslash", "{\\rtf1 abc\\", RtfProblem::Truncated, "abc"},
        {"truncated in a font table", "{\\rtf1{\\fonttbl{\\f0 Ari", RtfProblem::Truncated, ""},
        {"binary count beyond the end", "{\\rtf1 abc\\bin999999 xyz", RtfProblem::Truncated, "abc"},
        {"negative binary count", "{\\rtf1 abc\\bin-5 xyz}", RtfProblem::None, "abcxyz"},
        {"bad hex escape", "{\\rtf1 a\\'zzb}", RtfProblem::None, "ab"},
        {"skip count larger than the text", "{\\rtf1\\uc8\\u8364 abc}", RtfProblem::None, "€"},
        {"closing braces beyond the document", "{\\rtf1 a}}}}} b", RtfProblem::None, "a"},
        {"many tab stops", "{\\rtf1" + Repeated("\\tx100", 100000) + " t}", RtfProblem::None, "t"},
        {"binary after the header", "{\\rtf1 " + RandomBytes(4000, 7), RtfProblem::Truncated, ""},
        {"no rtf at all", RandomBytes(4000, 11), RtfProblem::NotRtf, ""},
        {"empty", QByteArray(), RtfProblem::NotRtf, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTextDocument document;
        const RtfResult result = ReadRtfDocument(c.bytes, document);
        if (c.problem == RtfProblem::Truncated && result.Problem != RtfProblem::Truncated) {
            // Random bytes may close the document, stop at a long word or nest too deep: all
            // of them end reading cleanly.
            EXPECT_NE(result.Problem, RtfProblem::NotRtf);
        } else {
            EXPECT_EQ(result.Problem, c.problem);
        }
        EXPECT_TRUE(document.toPlainText().startsWith(QString::fromUtf8(c.startOfText)))
            << document.toPlainText().left(40).toStdString();
        EXPECT_LE(result.Offset, c.bytes.size());
        const bool message = !RtfProblemMessage(result, Language::German).isEmpty();
        EXPECT_EQ(message, !result.Complete());
        // Whatever was read can be written and read again.
        QTextDocument again;
        EXPECT_EQ(ReadRtfDocument(WriteRtfDocument(document), again).Problem, RtfProblem::None);
        EXPECT_EQ(again.toPlainText(), document.toPlainText());
        RtfToPlainText(c.bytes);
    }
}

TEST(RtfTest, NoRtfIsPlainTextWithoutControlCharacters) {
    QTextDocument document;
    EXPECT_EQ(ReadRtfDocument(QByteArray("Zeile\x01 eins\r\nzwei\0drei", 22), document).Problem,
              RtfProblem::NotRtf);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("Zeile eins\nzweidrei"));
    ReadRtfDocument("Gr\xfc\xdf"
                    "e",
                    document);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("Grüße"));
    ReadRtfDocument("Gr\xc3\xbc\xc3\x9f"
                    "e",
                    document);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("Grüße"));
}

TEST(RtfTest, TooLargeIsNotReadAtAll) {
    RtfLimits limits;
    limits.MaxInput = 1024 * 1024;
    QTextDocument document;
    document.setPlainText(QStringLiteral("old"));
    const RtfResult result =
        ReadRtfDocument("{\\rtf1 " + Repeated("x", 1024 * 1024) + "}", document, limits);
    EXPECT_EQ(result.Problem, RtfProblem::TooLarge);
    EXPECT_TRUE(document.isEmpty());
    EXPECT_EQ(RtfProblemMessage(result, Language::German, limits),
              QStringLiteral("Der Text ist größer als 1 MB und wird nicht gelesen."));
    EXPECT_EQ(RtfProblemMessage(result, Language::English, limits),
              QStringLiteral("The text is larger than 1 MB and is not read."));
}

TEST(RtfTest, ProblemMessagesInBothLanguages) {
    for (const RtfProblem problem :
         {RtfProblem::TooDeep, RtfProblem::WordTooLong, RtfProblem::Truncated}) {
        const RtfResult result{problem, 1234};
        const QString german = RtfProblemMessage(result, Language::German);
        const QString english = RtfProblemMessage(result, Language::English);
        EXPECT_FALSE(german.isEmpty());
        EXPECT_FALSE(english.isEmpty());
        EXPECT_NE(german, english);
        if (problem != RtfProblem::Truncated) {
            EXPECT_TRUE(german.contains(QStringLiteral("1234")));
            EXPECT_TRUE(english.contains(QStringLiteral("1234")));
        }
    }
    EXPECT_TRUE(RtfProblemMessage({RtfProblem::NotRtf, 0}, Language::German).isEmpty());
}

} // namespace
} // namespace karvel
