// karvel-tool lists on the sample project: the components list, the order list and the wires
// as text, RTF and CSV, and the refusals of wrong use.

#include "board/Platine.h"
#include "board/ProjectFile.h"
#include "elements/Gruppe.h"
#include "platform/rtf/RtfDocument.h"

#include <gtest/gtest.h>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>

namespace karvel {
namespace {

struct ListsRun {
    int ExitCode = -1;
    QByteArray Out;
    QString Text() const { return QString::fromUtf8(Out); }
};

ListsRun Lists(QStringList args) {
    args.prepend(QStringLiteral(KARVEL_SOURCE_DIR "/resources/examples/555-blinker.rst"));
    args.prepend(QStringLiteral("lists"));
    QProcess process;
    process.start(QStringLiteral(KARVEL_TOOL_PATH), args);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput()};
}

// The wire list of the sample project, which its generator lays out.
const char* const SampleWiresGerman[] = {"(17/3)\t(17/6)\tDraht Lochabstand 3; L = 7,62 mm",
                                         "(10/3)\t(10/9)\tDraht Lochabstand 6; L = 15,24 mm",
                                         "(8/6)\t(8/10)\tDraht Lochabstand 4; L = 10,16 mm",
                                         "(18/8)\t(18/11)\tDraht Lochabstand 3; L = 7,62 mm",
                                         "(11/7)\t(11/11)\tDraht Lochabstand 4; L = 10,16 mm"};

TEST(KarvelToolListsTest, ComponentsListWithWiresAsText) {
    const ListsRun run = Lists({QStringLiteral("--lang"), QStringLiteral("de")});
    ASSERT_EQ(run.ExitCode, 0);
    const QStringList lines = run.Text().split(u'\n');
    EXPECT_EQ(lines.front(), QStringLiteral("Stückliste für 555-Blinker"));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Projekt: /")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("/resources/examples/555-blinker.rst")));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("Erstellt am ")));
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("von ")));
    const qsizetype first = lines.indexOf(QStringLiteral("R1\tKohleschicht 0,25 W, 1k"));
    ASSERT_EQ(first, 6);
    EXPECT_EQ(lines[7], QStringLiteral("R2\tKohleschicht 0,25 W, 47k"));
    EXPECT_TRUE(lines.contains(QStringLiteral("IC1\tTimer, NE555")));
    const qsizetype wires = lines.indexOf(QStringLiteral("Drahtbrücken:"));
    ASSERT_GT(wires, first);
    for (const char* wire : SampleWiresGerman)
        EXPECT_TRUE(lines.contains(QString::fromUtf8(wire))) << wire;
}

TEST(KarvelToolListsTest, OrderListInEnglish) {
    const ListsRun run =
        Lists({QStringLiteral("--order"), QStringLiteral("--lang"), QStringLiteral("en")});
    ASSERT_EQ(run.ExitCode, 0);
    const QStringList lines = run.Text().split(u'\n');
    EXPECT_EQ(lines.front(), QStringLiteral("Order list for 555-Blinker"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("Created on ")));
    const qsizetype r1 = lines.indexOf(QStringLiteral("R1"));
    ASSERT_GT(r1, 0);
    EXPECT_EQ(lines[r1 + 1], QStringLiteral("1x\tKohleschicht 0,25 W, 1k"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Jumper wires:")));
    EXPECT_TRUE(
        lines.contains(QStringLiteral("(17/3)\t(17/6)\twire: hole distance 3; L = 7.62 mm")));
}

TEST(KarvelToolListsTest, RtfHoldsTheSameTextWithTheBoldHeading) {
    const ListsRun text = Lists({});
    const ListsRun rtf = Lists({QStringLiteral("--format"), QStringLiteral("rtf")});
    ASSERT_EQ(rtf.ExitCode, 0);
    EXPECT_TRUE(rtf.Out.startsWith("{\\rtf1"));
    QTextDocument document;
    ASSERT_EQ(ReadRtfDocument(rtf.Out, document).Problem, RtfProblem::None);
    // The time in the third line may have moved on between the two runs.
    QStringList fromRtf = document.toPlainText().split(u'\n');
    QStringList fromText = text.Text().split(u'\n');
    fromText.removeLast(); // the text output ends every line, the last one too
    ASSERT_EQ(fromRtf.size(), fromText.size());
    fromRtf.removeAt(3);
    fromText.removeAt(3);
    EXPECT_EQ(fromRtf, fromText);
    QTextCursor heading(&document);
    heading.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(heading.charFormat().fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(heading.charFormat().fontPointSize(), 15.0);
}

TEST(KarvelToolListsTest, CsvHasOneRowPerComponent) {
    const ListsRun components = Lists({QStringLiteral("--format"), QStringLiteral("csv"),
                                       QStringLiteral("--lang"), QStringLiteral("de")});
    ASSERT_EQ(components.ExitCode, 0);
    const QStringList rows = components.Text().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 9);
    EXPECT_EQ(rows[0], QStringLiteral("Kennung,Wert,Beschreibung,Ebene"));
    EXPECT_EQ(rows[1], QStringLiteral("R1,1k,\"Kohleschicht 0,25 W\",0"));
    EXPECT_TRUE(rows.contains(QStringLiteral("C1,10 µF,\"Elko 16 V, radial\",0")));

    const ListsRun order =
        Lists({QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("--order"),
               QStringLiteral("--lang"), QStringLiteral("en")});
    ASSERT_EQ(order.ExitCode, 0);
    const QStringList kinds = order.Text().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(kinds.size(), 9);
    EXPECT_EQ(kinds[0], QStringLiteral("Count,Value,Description,Identifiers"));
    EXPECT_EQ(kinds[1], QStringLiteral("1,1k,\"Kohleschicht 0,25 W\",R1"));
}

// A spreadsheet opening the CSV must not run what a component's value or description holds.
TEST(KarvelToolListsTest, CsvCellsNeverStartAFormula) {
    struct Case {
        const char* value;
        const char* cell; // as the CSV holds it
    };
    const Case cases[] = {
        {"=1+1", "'=1+1"},
        {"+49 30 1234", "'+49 30 1234"},
        {"-2+3", "'-2+3"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tcmd", "'\tcmd"},
        {"\r=1", "\"'\r=1\""},
        {"=HYPERLINK(\"x\",\"y\")", "\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\""},
        {"-5", "-5"},
        {"+3", "+3"},
        {"-4,7", "\"-4,7\""},
        {"-1.5e3", "-1.5e3"},
        {"4k7", "4k7"},
        {"a=b", "a=b"},
        {"-", "'-"},
    };
    QTemporaryDir folder;
    ViewState view;
    TPlatine board(view);
    int number = 0;
    for (const Case& c : cases) {
        auto part = std::make_unique<TGruppe>(Language::German);
        part->IsComponent = true;
        part->Identifier = QStringLiteral("X#");
        part->Number = std::int16_t(++number);
        part->Value = QString::fromUtf8(c.value);
        part->Description = QString::fromUtf8(c.value);
        board.Add(std::move(part));
    }
    const QString path = folder.filePath(QStringLiteral("formeln.rst"));
    ASSERT_TRUE(SaveProjectFile(path, {&board}).isEmpty());
    const auto run = [&](QStringList options) {
        QProcess process;
        process.start(QStringLiteral(KARVEL_TOOL_PATH),
                      QStringList{QStringLiteral("lists"), path} + options);
        process.waitForFinished(60000);
        EXPECT_EQ(process.exitCode(), 0);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString csv = run({QStringLiteral("--format"), QStringLiteral("csv")});
    const QString orderCsv =
        run({QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("--order")});
    const QString text = run({});
    number = 0;
    for (const Case& c : cases) {
        const QString id = QStringLiteral("X%1").arg(++number);
        const QString cell = QString::fromUtf8(c.cell);
        EXPECT_TRUE(csv.contains(QStringLiteral("\r\n%1,%2,%2,0\r\n").arg(id, cell)))
            << c.value << "\n"
            << csv.toStdString();
        EXPECT_TRUE(orderCsv.contains(QStringLiteral("\r\n1,%1,%1,%2\r\n").arg(cell, id)))
            << c.value << "\n"
            << orderCsv.toStdString();
        // The text list shows what the user typed.
        EXPECT_TRUE(text.contains(QStringLiteral("%1\t%2, %2").arg(id, QString::fromUtf8(c.value))))
            << c.value;
    }
}

TEST(KarvelToolListsTest, WrongUseIsRefused) {
    const QStringList cases[] = {{QStringLiteral("--board"), QStringLiteral("2")},
                                 {QStringLiteral("--format"), QStringLiteral("html")},
                                 {QStringLiteral("--lang"), QStringLiteral("fr")},
                                 {QStringLiteral("--sorted")}};
    for (const QStringList& args : cases) {
        const ListsRun run = Lists(args);
        EXPECT_EQ(run.ExitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.Out.isEmpty());
    }
    QProcess missing;
    missing.start(QStringLiteral(KARVEL_TOOL_PATH),
                  {QStringLiteral("lists"), QStringLiteral("/nonexistent/project.rst")});
    missing.waitForFinished(60000);
    EXPECT_NE(missing.exitCode(), 0);
}

} // namespace
} // namespace karvel
