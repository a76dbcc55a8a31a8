#include "board/ProjectFile.h"
#include "support/SampleBoard.h"

#include <gtest/gtest.h>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>

namespace karvel {
namespace {

struct ToolRun {
    int exitCode;
    QByteArray out;
    QString err;
    QJsonObject Json() const { return QJsonDocument::fromJson(out).object(); }
};

ToolRun RunTool(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(KARVEL_TOOL_PATH), args);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
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
    EXPECT_TRUE(run.err.contains(QStringLiteral("Stream-Lesefehler")) ||
                run.err.contains(QStringLiteral("Ungültiger Eigenschaftswert")))
        << run.err.toStdString();
    const QJsonArray boards = run.Json()[QStringLiteral("boards")].toArray();
    ASSERT_EQ(boards.size(), 1);
    EXPECT_GE(boards[0].toObject()[QStringLiteral("Bauteile")].toArray().size(), 1);
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

TEST_F(KarvelToolTest, InfoNamesKindsMeasuresAndBoundsInTheChosenLanguage) {
    const QJsonArray de = RunTool({QStringLiteral("info"), Path("sample.rst")})
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

} // namespace
} // namespace karvel
