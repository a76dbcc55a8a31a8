#include "board/Board.h"
#include "board/ProjectFile.h"
#include "elements/Auge.h"
#include "support/RecordBytes.h"
#include "support/SampleBoard.h"

#include <gtest/gtest.h>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtCore/QtEndian>
#include <QtGui/QImage>
#include <sys/resource.h>

namespace karvel {
namespace {

struct ToolRun {
    int exitCode;
    QByteArray out;
    QString err;
    QJsonObject Json() const { return QJsonDocument::fromJson(out).object(); }
};

// Runs the tool; input, when given, is what it finds on its standard input, and a memory limit
// bounds its address space.
ToolRun RunTool(const QStringList& args, const QByteArray& input = {},
                rlim_t memoryLimit = RLIM_INFINITY) {
    QProcess process;
    if (memoryLimit != RLIM_INFINITY)
        process.setChildProcessModifier([memoryLimit] {
            const rlimit limit{memoryLimit, memoryLimit};
            setrlimit(RLIMIT_AS, &limit);
        });
    process.start(QStringLiteral(KARVEL_TOOL_PATH), args);
    process.write(input);
    process.closeWriteChannel();
    // Read as it comes: a pipe holds only so much of what the tool writes.
    QByteArray out;
    while (process.state() != QProcess::NotRunning && !process.waitForFinished(100))
        out += process.readAllStandardOutput();
    out += process.readAllStandardOutput();
    return {process.exitCode(), out, QString::fromUtf8(process.readAllStandardError())};
}

// Whether the tool runs under AddressSanitizer, which cannot live within a memory limit.
constexpr bool Sanitized() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

// A project of one board holding count pads, written byte by byte: quicker than building the
// board for a count this large.
QByteArray PadProject(int count) {
    auto header = [](const QByteArray& name) {
        QByteArray h(41, '\0');
        h[0] = char(name.size());
        h.replace(1, name.size(), name);
        return h.replace(37, 4, "3,08");
    };
    auto int32 = [](std::int32_t v) {
        QByteArray bytes(5, '\4');
        qToLittleEndian(v, bytes.data() + 1);
        return bytes;
    };
    const QByteArray pad = QByteArray("\x06\x05TAuge\x02\x0f\x02\x32", 11) + QByteArray(8, '\0') +
                           QByteArray::fromHex("080802ff0808080200") + '\5' + QByteArray(10, '\0') +
                           '\x08' + QByteArray::fromHex("0500000000000000800040");
    const QByteArray fields = QByteArray::fromHex("0215"
                                                  "03803e"
                                                  "031027"
                                                  "02000200") +
                              QByteArray::fromHex("000000007f0000000000000000000000") +
                              QByteArray::fromHex("0200");
    QByteArray bytes = header("Viele") + int32(count);
    bytes.reserve(bytes.size() + qsizetype(count) * 40 + 200);
    for (int k = 0; k < count; ++k)
        bytes += pad + int32(254 * (k % 600)) + int32(254 * ((k / 600) % 3000) + 127);
    return bytes + fields + header({}) + QByteArray::fromHex("0200") + fields +
           QByteArray::fromHex("0201");
}

class KarvelToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        ViewState view;
        TPlatine first(view), second(view);
        test::FillSampleBoard(first);
        second.SetPlatinenName(QStringLiteral("Zweite"));
        ASSERT_TRUE(SaveProjectFile(Path("sample.rst"), {&first, &second}).isEmpty());
    }
    QString Path(const char* name) const { return folder_.filePath(QString::fromLatin1(name)); }
    QByteArray Bytes(const char* name) const {
        QFile file(Path(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    void WriteBytes(const char* name, const QByteArray& bytes) const {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir folder_;
};

TEST_F(KarvelToolTest, VersionNamesTheFileVersion) {
    const ToolRun run = RunTool({QStringLiteral("version")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains("3,08")) << run.out.toStdString();
}

TEST_F(KarvelToolTest, BadArgumentsGetUsageAndStatusTwo) {
    const QStringList cases[] = {
        {},
        {QStringLiteral("frobnicate")},
        {QStringLiteral("info")},
        {QStringLiteral("info"), Path("sample.rst"), QStringLiteral("--lang")},
        {QStringLiteral("info"), Path("sample.rst"), QStringLiteral("--lang"),
         QStringLiteral("fr")},
        {QStringLiteral("convert"), Path("sample.rst")}};
    for (const QStringList& args : cases) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage"))) << run.err.toStdString();
    }
}

// One rule for every command: what it prints and what it says is English, German with
// "--lang de" — output, messages and usage errors alike.
TEST_F(KarvelToolTest, EveryCommandSpeaksEnglishUnlessAskedForGerman) {
    struct Case {
        const char* name;
        QStringList args;
        bool onStdout;
        const char* english;
        const char* german;
    };
    const QString sample = Path("sample.rst");
    const Case cases[] = {
        {"info kind names",
         {QStringLiteral("info"), sample},
         true,
         "wire: hole distance 6",
         "Draht Lochabstand 6"},
        {"lists heading",
         {QStringLiteral("lists"), sample},
         true,
         "Components list for",
         "Stückliste für"},
        {"lists CSV header",
         {QStringLiteral("lists"), sample, QStringLiteral("--format"), QStringLiteral("csv")},
         true,
         "Identifier,Value,Description,Level",
         "Kennung,Wert,Beschreibung,Ebene"},
        {"generate style help",
         {QStringLiteral("generate"), QStringLiteral("0"), QStringLiteral("--help")},
         true,
         "Number of corners = 5   (Anzahl der Ecken)",
         "Anzahl der Ecken = 5   (Number of corners)"},
        {"help", {QStringLiteral("help")}, true, "usage: karvel-tool", "Aufruf: karvel-tool"},
        {"no command", {}, false, "karvel-tool: no command", "karvel-tool: kein Befehl"},
        {"unknown command",
         {QStringLiteral("frobnicate")},
         false,
         "unknown command",
         "unbekannter Befehl"},
        {"unknown option",
         {QStringLiteral("info"), sample, QStringLiteral("--x")},
         false,
         "unknown option '--x'",
         "unbekannte Option '--x'"},
        {"render name",
         {QStringLiteral("render"), sample, Path("b.gif")},
         false,
         "must end in .png",
         "muss auf .png, .pdf oder .svg enden"},
        {"missing file",
         {QStringLiteral("info"), Path("nichts.rst")},
         false,
         "does not exist",
         "gibt es nicht"},
        {"generate value",
         {QStringLiteral("generate"), QStringLiteral("1"), QStringLiteral("Breite=breit"),
          Path("x.rst")},
         false,
         "'breit' is not a number",
         "'breit' ist keine Zahl"},
        {"usage after an error",
         {QStringLiteral("probe"), sample},
         false,
         "usage: karvel-tool <command>",
         "Aufruf: karvel-tool <Befehl>"},
    };
    for (const Case& c : cases) {
        for (const bool german : {false, true}) {
            QStringList args = c.args;
            if (german)
                args << QStringLiteral("--lang") << QStringLiteral("de");
            const ToolRun run = RunTool(args);
            const QString text = c.onStdout ? QString::fromUtf8(run.out) : run.err;
            const QString wanted = QString::fromUtf8(german ? c.german : c.english);
            const QString other = QString::fromUtf8(german ? c.english : c.german);
            EXPECT_TRUE(text.contains(wanted))
                << c.name << (german ? " (de)" : " (en)") << ": " << text.left(600).toStdString();
            EXPECT_FALSE(text.contains(other)) << c.name << (german ? " (de)" : " (en)");
        }
    }
}

// "help COMMAND" and "COMMAND --help" give that command's own help, not the overview.
TEST_F(KarvelToolTest, EachCommandHasItsOwnHelp) {
    struct Case {
        const char* command;
        const char* synopsis;
        const char* detail; // something only this command's help says
    };
    const Case cases[] = {
        {"info", "usage: karvel-tool info FILE", "kindName"},
        {"convert", "usage: karvel-tool convert IN OUT", "/dev/stdout"},
        {"render", "usage: karvel-tool render FILE OUT", "--see-through"},
        {"probe", "usage: karvel-tool probe FILE --at COL,ROW", "paths"},
        {"unused", "usage: karvel-tool unused FILE", "the copper nothing touches"},
        {"edit", "usage: karvel-tool edit IN OUT", "--script"},
        {"generate", "usage: karvel-tool generate STYLE", "generate STYLE --help"},
        {"lists", "usage: karvel-tool lists FILE", "apostrophe"},
        {"version", "usage: karvel-tool version", "file version"},
        {"help", "usage: karvel-tool help", "COMMAND --help"},
    };
    for (const Case& c : cases) {
        const QString command = QString::fromLatin1(c.command);
        const ToolRun asked = RunTool({QStringLiteral("help"), command});
        ASSERT_EQ(asked.exitCode, 0) << c.command << asked.err.toStdString();
        const QString text = QString::fromUtf8(asked.out);
        EXPECT_TRUE(text.startsWith(QString::fromLatin1(c.synopsis))) << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromLatin1(c.detail))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("commands:"))) << "not the overview";
        if (command != QLatin1String("version") && command != QLatin1String("help")) {
            const ToolRun option = RunTool({command, QStringLiteral("--help")});
            EXPECT_EQ(option.exitCode, 0) << c.command;
            EXPECT_EQ(option.out, asked.out) << c.command;
        }
    }
    const ToolRun overview = RunTool({QStringLiteral("help")});
    EXPECT_EQ(overview.exitCode, 0);
    for (const Case& c : cases)
        EXPECT_TRUE(overview.out.contains(QByteArray("  ") + (c.synopsis + 19))) << c.command;
    // Wrong topics are wrong use.
    for (const QStringList& topics :
         {QStringList{QStringLiteral("help"), QStringLiteral("fly")},
          QStringList{QStringLiteral("help"), QStringLiteral("info"), QStringLiteral("x")},
          QStringList{QStringLiteral("help"), QStringLiteral("generate"), QStringLiteral("15")}}) {
        const ToolRun run = RunTool(topics);
        EXPECT_EQ(run.exitCode, 2) << topics.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST_F(KarvelToolTest, InfoDescribesEveryBoardAndElement) {
    const ToolRun run = RunTool({QStringLiteral("info"), Path("sample.rst")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject json = run.Json();
    EXPECT_EQ(json[QStringLiteral("version")].toString(), QStringLiteral("3,08"));
    const QJsonArray boards = json[QStringLiteral("boards")].toArray();
    ASSERT_EQ(boards.size(), 2);
    const QJsonObject board = boards[0].toObject();
    EXPECT_EQ(board[QStringLiteral("PlatinenName")].toString(),
              QStringLiteral("Blinker mit 555 — Prüfaufbau"));
    EXPECT_EQ(board[QStringLiteral("PlatinenTyp")].toInt(), 21);
    EXPECT_EQ(board[QStringLiteral("width")].toInt(), 8128);
    EXPECT_EQ(board[QStringLiteral("Ursprung")].toArray(), (QJsonArray{508, 381}));
    EXPECT_TRUE(board[QStringLiteral("Anmerkungen")].toString().startsWith(
        QStringLiteral("Anmerkungen: LED")));
    EXPECT_TRUE(board[QStringLiteral("Layout")].isObject());
    EXPECT_TRUE(board[QStringLiteral("Layout")].toObject()[QStringLiteral("Layout")].isNull());

    const QJsonArray elements = board[QStringLiteral("Bauteile")].toArray();
    ASSERT_EQ(elements.size(), 14);
    const QJsonObject wire = elements[0].toObject();
    EXPECT_EQ(wire[QStringLiteral("class")].toString(), QStringLiteral("TDraht"));
    EXPECT_EQ(wire[QStringLiteral("Nodes")].toArray().size(), 3);
    EXPECT_TRUE(wire[QStringLiteral("RememberedNodes")].isNull());
    EXPECT_EQ(wire[QStringLiteral("Anchors")].toArray()[1].toArray(), (QJsonArray{6, 3}));
    EXPECT_EQ(elements[4].toObject()[QStringLiteral("Contour")].toArray().size(), 4);
    EXPECT_EQ(elements[6].toObject()[QStringLiteral("Diameter")].toDouble(), 2.5);
    EXPECT_EQ(elements[8].toObject()[QStringLiteral("CutRect")].toArray(),
              (QJsonArray{1200, 2540, 1340, 2794}));
    EXPECT_EQ(elements[9].toObject()[QStringLiteral("Contour")].toArray().size(), 16);
    EXPECT_EQ(elements[10].toObject()[QStringLiteral("TextString")].toString(),
              QStringLiteral("Ø 5 mm – Maß"));
    const QJsonObject resistor = elements[11].toObject();
    EXPECT_EQ(resistor[QStringLiteral("Identifier")].toString(), QStringLiteral("R#"));
    EXPECT_EQ(resistor[QStringLiteral("Members")].toArray().size(), 4);
    EXPECT_EQ(resistor[QStringLiteral("Members")]
                  .toArray()[3]
                  .toObject()[QStringLiteral("TextString")]
                  .toString(),
              QStringLiteral("R3"));
    EXPECT_EQ(elements[12].toObject()[QStringLiteral("Style")].toInt(), 12);
    EXPECT_EQ(elements[13].toObject()[QStringLiteral("Resistance")].toDouble(), 4750.0);
}

TEST_F(KarvelToolTest, InfoOfADamagedFileShowsWhatWasRead) {
    WriteBytes("cut.rst", Bytes("sample.rst").left(400));
    const ToolRun run = RunTool({QStringLiteral("info"), Path("cut.rst")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(
        run.err.contains(QStringLiteral("This is not a Karvel project file, or it is damaged (")))
        << run.err.toStdString();
    const QJsonArray boards = run.Json()[QStringLiteral("boards")].toArray();
    ASSERT_EQ(boards.size(), 1);
    EXPECT_GE(boards[0].toObject()[QStringLiteral("Bauteile")].toArray().size(), 1);
}

// A board is shown once its name and version were read; the stand-in board an unreadable
// file still gives the editor ("Neue Platine", 160 x 100 mm) is never shown as read.
TEST_F(KarvelToolTest, InfoShowsOnlyTheBoardsThatWereRead) {
    ViewState view;
    TPlatine first(view);
    test::FillSampleBoard(first);
    // The first board's record and the board count; the second record follows.
    const qsizetype second = test::WriteBoard(first, StreamPurpose::File).size() + 2;
    const QByteArray whole = Bytes("sample.rst");
    struct Case {
        const char* name;
        qsizetype length;
        int boards; // -1: nothing on standard output
        const char* error;
    };
    const Case cases[] = {
        {"empty", 0, -1, "(the file is empty)"},
        {"a few bytes", 10, -1, "runs past the end of the data"},
        {"one header", 41, 1, "runs past the end of the data"},
        {"first board", 400, 1, "runs past the end of the data"},
        {"second header cut", second + 20, 1, "runs past the end of the data"},
        {"second header whole", second + 41, 2, "runs past the end of the data"},
        {"whole", whole.size(), 2, ""},
    };
    for (const Case& c : cases) {
        WriteBytes("part.rst", whole.left(c.length));
        const ToolRun run = RunTool({QStringLiteral("info"), Path("part.rst")});
        EXPECT_EQ(run.exitCode, c.boards == 2 && c.length == whole.size() ? 0 : 1) << c.name;
        EXPECT_TRUE(run.err.contains(QString::fromLatin1(c.error)))
            << c.name << run.err.toStdString();
        if (c.boards < 0) {
            EXPECT_TRUE(run.out.isEmpty()) << c.name << run.out.toStdString();
            continue;
        }
        const QJsonArray boards = run.Json()[QStringLiteral("boards")].toArray();
        EXPECT_EQ(boards.size(), c.boards) << c.name;
        for (const QJsonValue& board : boards)
            EXPECT_NE(board.toObject()[QStringLiteral("PlatinenName")].toString(),
                      QStringLiteral("Neue Platine"))
                << c.name;
    }
    // render draws what was read, and never a board that was not.
    WriteBytes("part.rst", {});
    const ToolRun empty = RunTool({QStringLiteral("render"), Path("part.rst"), Path("e.png")});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_FALSE(QFile::exists(Path("e.png")));
    WriteBytes("part.rst", whole.left(second + 20));
    const ToolRun missing = RunTool({QStringLiteral("render"), Path("part.rst"), Path("m.png"),
                                     QStringLiteral("--board"), QStringLiteral("2")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("the project has no board 2 (it has 1)")))
        << missing.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("m.png")));
}

TEST_F(KarvelToolTest, InfoRefusesATooNewFileInTheChosenLanguage) {
    QByteArray bytes = Bytes("sample.rst");
    bytes.replace(37, 4, "3,70");
    WriteBytes("new.rst", bytes);
    for (const auto& [lang, text] :
         {std::pair{"de", "Eine zu öffnende Datei wurde mit Karvel Version 3,70"},
          std::pair{"en", "Attempt to open file version 3,70!"}}) {
        const ToolRun run = RunTool({QStringLiteral("info"), Path("new.rst"),
                                     QStringLiteral("--lang"), QString::fromLatin1(lang)});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(text))) << run.err.toStdString();
    }
}

TEST_F(KarvelToolTest, InfoOfAMissingFileNamesIt) {
    const ToolRun run = RunTool({QStringLiteral("info"), Path("nothing.rst")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("nothing.rst")));
}

TEST_F(KarvelToolTest, ConvertWritesTheCurrentVersionAndRefusesDamage) {
    const ToolRun ok = RunTool({QStringLiteral("convert"), Path("sample.rst"), Path("out.rst")});
    ASSERT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    EXPECT_TRUE(Bytes("out.rst") == Bytes("sample.rst"))
        << "the current version converts to itself";

    WriteBytes("cut.rst", Bytes("sample.rst").left(300));
    const ToolRun damaged = RunTool({QStringLiteral("convert"), Path("cut.rst"), Path("out2.rst")});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_FALSE(QFile::exists(Path("out2.rst")));
}

TEST_F(KarvelToolTest, EditReplaysAScriptAndWritesOnlyWhenItRanThrough) {
    // The sample's first board holds elements; delete the first and undo nothing else.
    const ToolRun ok = RunTool({QStringLiteral("edit"), Path("sample.rst"), Path("edited.rst")},
                               "select none\nselect 0 # the first element\ncommand EditDelete\n");
    ASSERT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    const QJsonObject before = RunTool({QStringLiteral("info"), Path("sample.rst")}).Json();
    const QJsonObject after = RunTool({QStringLiteral("info"), Path("edited.rst")}).Json();
    const auto count = [](const QJsonObject& info) {
        return info[QStringLiteral("boards")]
            .toArray()[0]
            .toObject()[QStringLiteral("Bauteile")]
            .toArray()
            .size();
    };
    ASSERT_GT(count(before), 0);
    EXPECT_EQ(count(after), count(before) - 1);

    WriteBytes("script.txt", "select all\nfly away\n");
    const ToolRun bad = RunTool({QStringLiteral("edit"), Path("sample.rst"), Path("bad.rst"),
                                 QStringLiteral("--script"), Path("script.txt")});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("line 2"))) << bad.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("bad.rst")));

    const ToolRun window =
        RunTool({QStringLiteral("edit"), Path("sample.rst"), Path("w.rst")}, "command FilePrint\n");
    EXPECT_EQ(window.exitCode, 2);
    EXPECT_TRUE(window.err.contains(QStringLiteral("FilePrint"))) << window.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("w.rst")));

    // Undo with nothing to undo is unavailable like any other command in that state.
    const ToolRun undo =
        RunTool({QStringLiteral("edit"), Path("sample.rst"), Path("u.rst")}, "command EditUndo\n");
    EXPECT_EQ(undo.exitCode, 2);
    EXPECT_TRUE(undo.err.contains(QStringLiteral("command EditUndo is not available")))
        << undo.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("u.rst")));

    // The German program says all of it in German.
    const ToolRun german = RunTool({QStringLiteral("edit"), Path("sample.rst"), Path("de.rst"),
                                    QStringLiteral("--lang"), QStringLiteral("de")},
                                   "command FilePrint\n");
    EXPECT_EQ(german.exitCode, 2);
    EXPECT_TRUE(german.err.contains(
        QStringLiteral("Skript, Zeile 1: der Befehl FilePrint braucht das Programmfenster")))
        << german.err.toStdString();
}

// The edited project is written as the window writes it: an edit that changes nothing gives
// the same bytes, and a file that cannot be written is named with the system's reason.
TEST_F(KarvelToolTest, EditWritesTheProjectAsTheWindowDoes) {
    const ToolRun same =
        RunTool({QStringLiteral("edit"), Path("sample.rst"), Path("same.rst")}, "select none\n");
    ASSERT_EQ(same.exitCode, 0) << same.err.toStdString();
    EXPECT_TRUE(Bytes("same.rst") == Bytes("sample.rst"));

    const QString blocked = Path("no such folder/x.rst");
    const ToolRun failed =
        RunTool({QStringLiteral("edit"), Path("sample.rst"), blocked}, "select none\n");
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(
        failed.err.contains(QStringLiteral("cannot write ") + blocked + QStringLiteral(": ")))
        << failed.err.toStdString();
}

TEST_F(KarvelToolTest, InfoNamesKindsMeasuresAndBoundsInTheChosenLanguage) {
    const QJsonArray de = RunTool({QStringLiteral("info"), Path("sample.rst"),
                                   QStringLiteral("--lang"), QStringLiteral("de")})
                              .Json()[QStringLiteral("boards")]
                              .toArray()[0]
                              .toObject()[QStringLiteral("Bauteile")]
                              .toArray();
    const QJsonArray en = RunTool({QStringLiteral("info"), Path("sample.rst"),
                                   QStringLiteral("--lang"), QStringLiteral("en")})
                              .Json()[QStringLiteral("boards")]
                              .toArray()[0]
                              .toObject()[QStringLiteral("Bauteile")]
                              .toArray();
    ASSERT_EQ(de.size(), 14);
    ASSERT_EQ(en.size(), 14);
    const auto field = [](const QJsonArray& a, int i, const char* key) {
        return a[i].toObject()[QString::fromLatin1(key)].toString();
    };
    // The sample wire runs 508 + 1016 units: six hole pitches.
    EXPECT_EQ(field(de, 0, "kindName"), QStringLiteral("Draht Lochabstand 6"));
    EXPECT_EQ(field(en, 0, "kindName"), QStringLiteral("wire: hole distance 6"));
    EXPECT_TRUE(field(de, 0, "measureText").startsWith(QStringLiteral("L = ")))
        << field(de, 0, "measureText").toStdString();
    EXPECT_EQ(field(de, 6, "kindName"), QStringLiteral("Auge"));
    EXPECT_EQ(field(en, 6, "kindName"), QStringLiteral("Pad"));
    EXPECT_EQ(field(de, 11, "kindName"), QStringLiteral("R3: Kohleschicht ¼ W"));
    EXPECT_EQ(field(de, 11, "measureText"), QStringLiteral("4k7"));
    const QJsonArray padBounds = de[6].toObject()[QStringLiteral("bounds")].toArray();
    EXPECT_EQ(padBounds, (QJsonArray{3302 - 125, 1651 - 125, 3302 + 125, 1651 + 125}));
    const QJsonArray members = de[11].toObject()[QStringLiteral("Members")].toArray();
    EXPECT_FALSE(members[0].toObject()[QStringLiteral("kindName")].toString().isEmpty())
        << "members too";
}

TEST_F(KarvelToolTest, RenderWritesPicturesAndRefusesBadArguments) {
    const ToolRun png = RunTool(
        {QStringLiteral("render"), Path("sample.rst"), Path("a.png"), QStringLiteral("--solder")});
    ASSERT_EQ(png.exitCode, 0) << png.err.toStdString();
    QImage image(Path("a.png"));
    EXPECT_EQ(image.size(), QSize((8128 + 254) * 48 / 254 + 1, (5080 + 127) * 48 / 254 + 1));

    const ToolRun pdf = RunTool({QStringLiteral("render"), Path("sample.rst"), Path("a.pdf"),
                                 QStringLiteral("--title"), QStringLiteral("Blinker"),
                                 QStringLiteral("--grid-numbers")});
    ASSERT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
    EXPECT_TRUE(Bytes("a.pdf").startsWith("%PDF"));
    const ToolRun svg = RunTool({QStringLiteral("render"), Path("sample.rst"), Path("a.svg")});
    ASSERT_EQ(svg.exitCode, 0) << svg.err.toStdString();
    // True scale: the page is the board and its margin, in millimetres.
    EXPECT_TRUE(Bytes("a.svg").contains("width=\"83.28mm\""))
        << Bytes("a.svg").left(400).toStdString();

    const QStringList bad[] = {
        {QStringLiteral("render"), Path("sample.rst"), Path("b.gif")},
        {QStringLiteral("render"), Path("sample.rst"), Path("b.png"), QStringLiteral("--zoom"),
         QStringLiteral("50")},
        {QStringLiteral("render"), Path("sample.rst"), Path("b.png"), QStringLiteral("--zoom"),
         QStringLiteral("2"), QStringLiteral("--dpi"), QStringLiteral("300")},
        {QStringLiteral("render"), Path("sample.rst"), Path("b.png"), QStringLiteral("--board"),
         QStringLiteral("3")},
        {QStringLiteral("render"), Path("sample.rst"), Path("b.png"), QStringLiteral("--probe"),
         QStringLiteral("x")},
        {QStringLiteral("render"), Path("sample.rst"), Path("b.png"),
         QStringLiteral("--frobnicate")},
    };
    for (const QStringList& args : bad) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(Path("b.png")));
    }
}

TEST_F(KarvelToolTest, ProbeAndUnusedReportTheCopper) {
    // The sample's layout has one strip on row 0 and a pad at hole (1, 1).
    const ToolRun probe = RunTool({QStringLiteral("probe"), Path("sample.rst"),
                                   QStringLiteral("--at"), QStringLiteral("3,0")});
    ASSERT_EQ(probe.exitCode, 0) << probe.err.toStdString();
    EXPECT_EQ(probe.Json()[QStringLiteral("copperPieces")].toInt(), 1);
    EXPECT_EQ(probe.Json()[QStringLiteral("point")].toArray(), (QJsonArray{762, 127}));
    const ToolRun empty = RunTool({QStringLiteral("probe"), Path("sample.rst"),
                                   QStringLiteral("--at"), QStringLiteral("20,10")});
    EXPECT_EQ(empty.Json()[QStringLiteral("copperPieces")].toInt(), 0);
    EXPECT_TRUE(empty.Json()[QStringLiteral("connections")].toArray().isEmpty());

    const ToolRun unused = RunTool({QStringLiteral("unused"), Path("sample.rst")});
    ASSERT_EQ(unused.exitCode, 0) << unused.err.toStdString();
    EXPECT_EQ(unused.Json()[QStringLiteral("unused")].toInt(),
              unused.Json()[QStringLiteral("bounds")].toArray().size());
    EXPECT_EQ(RunTool({QStringLiteral("probe"), Path("sample.rst")}).exitCode, 2);
    EXPECT_EQ(RunTool({QStringLiteral("unused"), Path("sample.rst"), QStringLiteral("--board"),
                       QStringLiteral("0")})
                  .exitCode,
              2);
}

// --- Files that are damaged, oversized or no projects ----------------------------------------

TEST_F(KarvelToolTest, MessagesSayWhatTheFileIsInTheChosenLanguage) {
    ViewState view;
    TBoard layout(view);
    layout.Add(std::make_unique<TAuge>());
    ASSERT_TRUE(SaveLayoutFile(Path("Lochraster.KVB"), layout).isEmpty());
    QDir(folder_.path()).mkdir(QStringLiteral("Ordner"));
    WriteBytes("cut.rst", Bytes("sample.rst").left(400));
    struct Case {
        QStringList args;
        int status;
        QString text;
    };
    const Case cases[] = {
        {{QStringLiteral("info"), Path("Ordner")},
         2,
         QStringLiteral("\"%1\" is a folder, not a file.").arg(Path("Ordner"))},
        {{QStringLiteral("info"), Path("Ordner"), QStringLiteral("--lang"), QStringLiteral("de")},
         2,
         QStringLiteral("\"%1\" ist ein Ordner, keine Datei.").arg(Path("Ordner"))},
        {{QStringLiteral("convert"), Path("Lochraster.KVB"), Path("out.rst")},
         2,
         QStringLiteral("\"%1\" is a board layout, not a project; open it in the board layout "
                        "editor.")
             .arg(Path("Lochraster.KVB"))},
        {{QStringLiteral("unused"), Path("cut.rst"), QStringLiteral("--lang"),
          QStringLiteral("de")},
         1,
         QStringLiteral("Dies ist keine Karvel-Projektdatei, oder sie ist beschädigt (")},
        {{QStringLiteral("probe"), Path("cut.rst"), QStringLiteral("--at"), QStringLiteral("1,1")},
         1,
         QStringLiteral("This is not a Karvel project file, or it is damaged (")},
    };
    for (const Case& c : cases) {
        const ToolRun run = RunTool(c.args);
        EXPECT_EQ(run.exitCode, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.text)) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Path("out.rst")));
}

TEST_F(KarvelToolTest, ConvertRefusesAProjectWithBytesAfterItsLastBoard) {
    // The board count says one board where two follow.
    ViewState view;
    TPlatine first(view);
    test::FillSampleBoard(first);
    QByteArray bytes = Bytes("sample.rst");
    const qsizetype count = test::WriteBoard(first, StreamPurpose::File).size();
    ASSERT_EQ(bytes.mid(count, 2), QByteArray::fromHex("0202"));
    bytes[count + 1] = 1;
    WriteBytes("more.rst", bytes);
    const ToolRun run = RunTool({QStringLiteral("convert"), Path("more.rst"), Path("out.rst")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("%1 bytes after the last board were not read")
                                     .arg(bytes.size() - count - 2)))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("Nothing was written.")));
    EXPECT_FALSE(QFile::exists(Path("out.rst")));
}

TEST_F(KarvelToolTest, AProjectComesThroughAPipe) {
    const ToolRun run =
        RunTool({QStringLiteral("info"), QStringLiteral("/dev/stdin")}, Bytes("sample.rst"));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.Json()[QStringLiteral("boards")].toArray().size(), 2);
}

// --- Output that cannot be written -----------------------------------------------------------

// Every write is checked: a full disk (/dev/full says ENOSPC to every write) is a failure with
// the system's reason, whether the output goes to standard output or to a file.
TEST_F(KarvelToolTest, AFullDiskIsAFailureWithTheSystemsReason) {
    // The picture's name must end in .png, .pdf or .svg.
    for (const char* name : {"voll.png", "voll.pdf", "voll.svg"})
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), Path(name))) << name;
    struct Case {
        const char* name;
        QStringList args;
        bool toStdout; // standard output goes to /dev/full
        const char* text;
    };
    const QString sample = Path("sample.rst");
    const Case cases[] = {
        {"info", {QStringLiteral("info"), sample}, true, "The output could not be written."},
        {"probe",
         {QStringLiteral("probe"), sample, QStringLiteral("--at"), QStringLiteral("3,0")},
         true,
         "The output could not be written."},
        {"unused", {QStringLiteral("unused"), sample}, true, "The output could not be written."},
        {"lists", {QStringLiteral("lists"), sample}, true, "The output could not be written."},
        {"lists csv",
         {QStringLiteral("lists"), sample, QStringLiteral("--format"), QStringLiteral("csv")},
         true,
         "The output could not be written."},
        {"lists German",
         {QStringLiteral("lists"), sample, QStringLiteral("--lang"), QStringLiteral("de")},
         true,
         "Die Ausgabe konnte nicht geschrieben werden."},
        {"convert",
         {QStringLiteral("convert"), sample, QStringLiteral("/dev/full")},
         false,
         "cannot write /dev/full"},
        {"edit",
         {QStringLiteral("edit"), sample, QStringLiteral("/dev/full"), QStringLiteral("--script"),
          QStringLiteral("/dev/null")},
         false,
         "cannot write /dev/full"},
        {"generate",
         {QStringLiteral("generate"), QStringLiteral("1"), QStringLiteral("/dev/full")},
         false,
         "cannot write /dev/full"},
        {"render png", {QStringLiteral("render"), sample, Path("voll.png")}, false, "cannot write"},
        {"render pdf", {QStringLiteral("render"), sample, Path("voll.pdf")}, false, "cannot write"},
        {"render svg German",
         {QStringLiteral("render"), sample, Path("voll.svg"), QStringLiteral("--lang"),
          QStringLiteral("de")},
         false,
         "kann nicht geschrieben werden"},
    };
    for (const Case& c : cases) {
        QProcess process;
        if (c.toStdout)
            process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(KARVEL_TOOL_PATH), c.args);
        process.closeWriteChannel();
        ASSERT_TRUE(process.waitForFinished(60000)) << c.name;
        const QString err = QString::fromUtf8(process.readAllStandardError());
        EXPECT_EQ(process.exitCode(), 1) << c.name << ": " << err.toStdString();
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.text))) << c.name << ": " << err.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("No space left on device")))
            << c.name << ": " << err.toStdString();
        EXPECT_FALSE(err.contains(QStringLiteral("canceled"))) << c.name;
    }
    // Nothing was put in the place of the device.
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/full")).isSymLink() ||
                !QFileInfo(QStringLiteral("/dev/full")).isFile());
}

// A device or pipe as OUT is written into, and all of it arriving is success.
TEST_F(KarvelToolTest, ConvertIntoStandardOutputWritesAllAndSucceeds) {
    const ToolRun run =
        RunTool({QStringLiteral("convert"), Path("sample.rst"), QStringLiteral("/dev/stdout")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("cannot write"))) << run.err.toStdString();
    EXPECT_TRUE(run.out == Bytes("sample.rst"));
    // The format comes from the name, so the picture goes through a link.
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/stdout"), Path("out.png")));
    const ToolRun png = RunTool({QStringLiteral("render"), Path("sample.rst"), Path("out.png")});
    EXPECT_EQ(png.exitCode, 0) << png.err.toStdString();
    EXPECT_FALSE(QImage::fromData(png.out, "PNG").isNull());
    EXPECT_TRUE(QFileInfo(Path("out.png")).isSymLink()) << "the link stays a link";
}

// --- Pictures that cannot be made -----------------------------------------------------------

TEST_F(KarvelToolTest, RenderRefusesPicturesItCannotMakeWithOneMessage) {
    ViewState view;
    TPlatine inverted(view), huge(view);
    // A valid board whose offset puts its whole area left of and above the origin.
    inverted.SetNullpunkt({-900000, -900000});
    inverted.SetSize(1000, 1000);
    huge.SetSize(100000, 100000);
    ASSERT_TRUE(SaveProjectFile(Path("odd.rst"), {&inverted, &huge}).isEmpty());
    struct Case {
        QStringList options;
        QString text;
    };
    const Case cases[] = {
        {{}, QStringLiteral("The board has no area (")},
        {{QStringLiteral("--board"), QStringLiteral("2"), QStringLiteral("--zoom"),
          QStringLiteral("20")},
         QStringLiteral("The picture would be 125985 x 125985 pixels; choose a smaller --zoom.")},
        {{QStringLiteral("--board"), QStringLiteral("2"), QStringLiteral("--dpi"),
          QStringLiteral("2400")},
         QStringLiteral("choose a smaller --dpi.")},
    };
    for (const Case& c : cases) {
        const ToolRun run = RunTool(
            QStringList{QStringLiteral("render"), Path("odd.rst"), Path("odd.png")} + c.options);
        EXPECT_EQ(run.exitCode, 1) << c.options.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.text)) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("Painter"))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(Path("odd.png")));
    }
    const ToolRun german = RunTool({QStringLiteral("render"), Path("odd.rst"), Path("odd.png"),
                                    QStringLiteral("--lang"), QStringLiteral("de")});
    EXPECT_EQ(german.exitCode, 1);
    EXPECT_TRUE(german.err.contains(QStringLiteral("Die Platine hat keine Fläche (")))
        << german.err.toStdString();
    // Printed, the same board has its page around it.
    EXPECT_EQ(RunTool({QStringLiteral("render"), Path("odd.rst"), Path("odd.pdf")}).exitCode, 0);
}

TEST_F(KarvelToolTest, APictureBeyondTheMemoryLeftIsRefusedClearly) {
    if (Sanitized())
        GTEST_SKIP() << "the sanitizer needs more address space than any limit leaves";
    ViewState view;
    TPlatine board(view);
    board.SetSize(8000, 8000); // 7749 x 7749 pixels at 2400 dpi: 240 MB
    ASSERT_TRUE(SaveProjectFile(Path("big.rst"), {&board}).isEmpty());
    const ToolRun run = RunTool({QStringLiteral("render"), Path("big.rst"), Path("big.png"),
                                 QStringLiteral("--dpi"), QStringLiteral("2400")},
                                {}, rlim_t(250) << 20);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(
        run.err.contains(QStringLiteral("Not enough memory for a picture of 7749 x 7749 pixels.")))
        << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("Painter"))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("big.png")));
}

// --- Memory ---------------------------------------------------------------------------------

TEST_F(KarvelToolTest, InfoWritesItsJsonAsItGoes) {
    if (Sanitized())
        GTEST_SKIP() << "the sanitizer needs more address space than any limit leaves";
    // Kept whole, the JSON of 100,000 pads took more than a gigabyte.
    WriteBytes("many.rst", PadProject(100000));
    const ToolRun run = RunTool({QStringLiteral("info"), Path("many.rst")}, {}, rlim_t(400) << 20);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonArray elements = run.Json()[QStringLiteral("boards")]
                                    .toArray()[0]
                                    .toObject()[QStringLiteral("Bauteile")]
                                    .toArray();
    ASSERT_EQ(elements.size(), 100000);
    EXPECT_EQ(elements[99999].toObject()[QStringLiteral("Centre")].toArray(),
              (QJsonArray{254 * (99999 % 600), 254 * (99999 / 600) + 127}));
}

TEST_F(KarvelToolTest, RunningOutOfMemoryEndsWithAMessageAndStatusOne) {
    if (Sanitized())
        GTEST_SKIP() << "the sanitizer needs more address space than any limit leaves";
    WriteBytes("huge.rst", PadProject(1000000));
    const ToolRun run = RunTool({QStringLiteral("info"), Path("huge.rst")}, {}, rlim_t(160) << 20);
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    EXPECT_TRUE(
        run.err.contains(QStringLiteral("karvel-tool: not enough memory; the work was stopped.")))
        << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << "nothing is written for a project that was not read";
}

} // namespace
} // namespace karvel
