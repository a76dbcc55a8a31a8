// karvel-tool generate: parts of the component assistant made from the command line and read
// back with karvel-tool info.

#include "assistant/Bt.h"
#include "assistant/BtStyles.h"
#include "platform/ProgramFolder.h"

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
};

ToolRun RunTool(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(KARVEL_TOOL_PATH), args);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

class GenerateTest : public ::testing::Test {
protected:
    QString Out() const { return folder_.filePath(QStringLiteral("part.rst")); }
    // Generates into the project and answers its first element as info shows it.
    QJsonObject Generated(const QStringList& args) {
        const ToolRun made = RunTool(QStringList{QStringLiteral("generate")} << args << Out());
        EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
        const ToolRun info = RunTool({QStringLiteral("info"), Out()});
        EXPECT_EQ(info.exitCode, 0) << info.err.toStdString();
        const QJsonArray boards = QJsonDocument::fromJson(info.out).object()["boards"].toArray();
        EXPECT_EQ(boards.size(), 1);
        const QJsonArray elements = boards.at(0).toObject()["Bauteile"].toArray();
        EXPECT_EQ(elements.size(), 1);
        return elements.at(0).toObject();
    }

    QTemporaryDir folder_;
};

QPoint Point(const QJsonValue& value) {
    const QJsonArray xy = value.toArray();
    return {xy.at(0).toInt(), xy.at(1).toInt()};
}

TEST_F(GenerateTest, AResistorWithItsValueSeriesAndNumber) {
    const QJsonObject part = Generated(
        {"11", "Normwert=4k7", "norm=E6", "Länge=10,16", "Textfarbe=Weiss", "--lang", "de"});
    EXPECT_EQ(part["class"].toString(), "TBt");
    EXPECT_EQ(part["Style"].toInt(), 11);
    EXPECT_EQ(part["Identifier"].toString(), "R#");
    EXPECT_EQ(part["Number"].toInt(), 1);
    EXPECT_EQ(part["Value"].toString(), "4,7 KOhm") << "as the German program writes it";
    const QJsonArray members = part["Members"].toArray();
    ASSERT_EQ(members.size(), 5);
    const QJsonObject upper = members.at(0).toObject();
    const QPoint outer = Point(upper["Nodes"].toArray().at(0));
    const QPoint inner = Point(upper["Nodes"].toArray().at(1));
    EXPECT_EQ(inner.y() - outer.y(), 762 - 508) << "a 10.16 mm body between holes 3 pitches out";
    EXPECT_EQ(members.at(3).toObject()["TextString"].toString(), "R1");
    EXPECT_EQ(members.at(3).toObject()["Stiftfarbe"].toInt(), 0xFFFFFF);
    const QJsonObject code = members.at(4).toObject();
    EXPECT_EQ(code["Series"].toInt(), 0);
    EXPECT_EQ(code["Resistance"].toDouble(), 4700);
    const QJsonArray bands = code["Members"].toArray();
    EXPECT_EQ(bands.at(0).toObject()["Stiftfarbe"].toInt(), 0x00FFFF); // yellow
    EXPECT_EQ(bands.at(1).toObject()["Stiftfarbe"].toInt(), 0xFF00FF); // violet
    EXPECT_EQ(bands.at(2).toObject()["Stiftfarbe"].toInt(), 0x0000FF); // red
}

TEST_F(GenerateTest, AnOutlineWithEnglishNames) {
    const QJsonObject part =
        Generated({"1", "Width=20", "Height=10", "Rotation=90", "--lang", "en"});
    EXPECT_EQ(part["Style"].toInt(), 1);
    EXPECT_FALSE(part["IsComponent"].toBool());
    const QJsonArray members = part["Members"].toArray();
    ASSERT_EQ(members.size(), 1);
    const QJsonArray nodes = members.at(0).toObject()["Nodes"].toArray();
    ASSERT_EQ(nodes.size(), 4);
    // Turned a quarter: 10 mm wide and 20 mm high.
    const QPoint a = Point(nodes.at(0));
    const QPoint c = Point(nodes.at(2));
    EXPECT_EQ(std::abs(c.x() - a.x()), 1000);
    EXPECT_EQ(std::abs(c.y() - a.y()), 2000);
}

TEST_F(GenerateTest, DefaultsFillWhatIsNotGiven) {
    const QJsonObject part = Generated({"14"});
    EXPECT_EQ(part["Identifier"].toString(), "D#");
    EXPECT_EQ(part["Value"].toString(), "?");
    EXPECT_EQ(part["Members"].toArray().size(), 5);
    EXPECT_TRUE(part["Members"].toArray().at(2).toObject()["HasteBitmap"].toBool())
        << "the body gets the default gradient picture";
}

TEST_F(GenerateTest, OutOfRangeValuesAreCorrectedWithAWarning) {
    const ToolRun made = RunTool({"generate", "0", "Anzahl der Ecken=50", Out()});
    EXPECT_EQ(made.exitCode, 0);
    EXPECT_TRUE(made.err.contains("Anzahl der Ecken")) << made.err.toStdString();
    const ToolRun info = RunTool({QStringLiteral("info"), Out()});
    const QJsonObject part = QJsonDocument::fromJson(info.out)
                                 .object()["boards"]
                                 .toArray()
                                 .at(0)
                                 .toObject()["Bauteile"]
                                 .toArray()
                                 .at(0)
                                 .toObject();
    EXPECT_EQ(part["Members"].toArray().at(0).toObject()["Nodes"].toArray().size(), 20);
}

// Whole numbers beyond the field's range are moved to its nearest bound before they become
// whole numbers: converted first, 1e308 and 2^31 came out as 3 corners.
struct CornerCase {
    const char* name;
    const char* text;
    int corners;
    bool warned;
};

void PrintTo(const CornerCase& c, std::ostream* os) {
    *os << c.name;
}

class GenerateCorners : public ::testing::TestWithParam<CornerCase> {};

TEST_P(GenerateCorners, AreClampedToTheirRange) {
    const QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("x.rst"));
    const ToolRun made =
        RunTool({"generate", "0", QStringLiteral("Anzahl der Ecken=") + GetParam().text, out});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    EXPECT_EQ(made.err.contains("Anzahl der Ecken"), GetParam().warned) << made.err.toStdString();
    const ToolRun info = RunTool({QStringLiteral("info"), out});
    const QJsonObject part = QJsonDocument::fromJson(info.out)
                                 .object()["boards"]
                                 .toArray()
                                 .at(0)
                                 .toObject()["Bauteile"]
                                 .toArray()
                                 .at(0)
                                 .toObject();
    EXPECT_EQ(part["Members"].toArray().at(0).toObject()["Nodes"].toArray().size(),
              GetParam().corners);
}

INSTANTIATE_TEST_SUITE_P(Table, GenerateCorners,
                         ::testing::Values(CornerCase{"Huge", "1e308", 20, true},
                                           CornerCase{"PastInt32", "2147483648", 20, true},
                                           CornerCase{"Million", "1000000", 20, true},
                                           CornerCase{"JustAbove", "21", 20, true},
                                           CornerCase{"HugeNegative", "-1e308", 3, true},
                                           CornerCase{"BelowInt32", "-2147483649", 3, true},
                                           CornerCase{"JustBelow", "2", 3, true},
                                           CornerCase{"HalfRoundsToEven", "6,5", 6, false},
                                           CornerCase{"Upper", "20", 20, false},
                                           CornerCase{"Lower", "3", 3, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Parameter names and choices may be given in either language, whatever language the part is
// made in: the same part comes out.
TEST_F(GenerateTest, NamesAndChoicesOfEitherLanguageMakeTheSamePart) {
    const QStringList english{"11", "Standard value=4k7", "standard=E6", "Length=10,16",
                              "Text colour=White"};
    const QStringList german{"11", "Normwert=4k7", "Norm=E6", "Länge=10,16", "Textfarbe=Weiss"};
    const auto shape = [](const QJsonObject& part) {
        QJsonArray shape;
        for (const QJsonValue& member : part["Members"].toArray())
            shape.append(QJsonArray{member.toObject()["Nodes"], member.toObject()["Stiftfarbe"]});
        return shape;
    };
    const QJsonArray expected = shape(Generated(english));
    ASSERT_EQ(expected.size(), 5);
    EXPECT_EQ(expected.at(3).toArray().at(1).toInt(), 0xFFFFFF) << "white text";
    EXPECT_EQ(shape(Generated(german)), expected);
    EXPECT_EQ(shape(Generated(english + QStringList{"--lang", "de"})), expected);
    EXPECT_EQ(shape(Generated(german + QStringList{"--lang", "de"})), expected);
}

// "generate STYLE --help" lists every parameter of the style under its name in the chosen
// language, with the other language's name beside it, for every style.
TEST(GenerateHelpTest, ListsEveryParameterOfEveryStyleInBothLanguages) {
    const QString folder = FindProgramFolder();
    for (int style = 0; style < TBt::StyleCount; ++style) {
        const std::vector<TBtParam> de = DefaultParams(style, Language::German, folder);
        const std::vector<TBtParam> en = DefaultParams(style, Language::English, folder);
        ASSERT_EQ(de.size(), en.size());
        const QString number = QString::number(style);
        const ToolRun english = RunTool({"generate", number, "--help"});
        const ToolRun german = RunTool({"help", "generate", number, "--lang", "de"});
        ASSERT_EQ(english.exitCode, 0) << style << english.err.toStdString();
        ASSERT_EQ(german.exitCode, 0) << style << german.err.toStdString();
        const QString enText = QString::fromUtf8(english.out);
        const QString deText = QString::fromUtf8(german.out);
        EXPECT_TRUE(enText.startsWith(
            QStringLiteral("style %1: %2\n").arg(style).arg(StyleEntry(style, Language::English))))
            << enText.toStdString();
        for (std::size_t i = 0; i < de.size(); ++i) {
            EXPECT_TRUE(enText.contains(QStringLiteral("\n  ") + en[i].Caption + " = "))
                << style << ": " << en[i].Caption.toStdString();
            EXPECT_TRUE(deText.contains(QStringLiteral("\n  ") + de[i].Caption + " = "))
                << style << ": " << de[i].Caption.toStdString();
            if (de[i].Caption != en[i].Caption)
                EXPECT_TRUE(enText.contains("(" + de[i].Caption + ")\n"))
                    << style << ": " << de[i].Caption.toStdString();
            if (de[i].Kind == TBtParamKind::pkChoice)
                EXPECT_TRUE(deText.contains(de[i].Items.join(", "))) << style;
        }
    }
    const ToolRun polygon = RunTool({"generate", "0", "--help"});
    EXPECT_TRUE(QString::fromUtf8(polygon.out)
                    .contains("  Number of corners = 5   (Anzahl der Ecken)\n"
                              "      whole number, 3 to 20\n"))
        << polygon.out.toStdString();
    const ToolRun resistor = RunTool({"generate", "11", "--help", "--lang", "de"});
    EXPECT_TRUE(QString::fromUtf8(resistor.out)
                    .contains("  Länge = 7 mm   (Length)\n"
                              "      Zahl, 0,01 bis 200 mm\n"))
        << resistor.out.toStdString();
}

struct BadCase {
    const char* name;
    QStringList args;
    const char* message;
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.name;
}

class GenerateRefuses : public ::testing::TestWithParam<BadCase> {};

TEST_P(GenerateRefuses, WithUsageAndStatusTwo) {
    const QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("x.rst"));
    const ToolRun run = RunTool(QStringList{"generate"} << GetParam().args << out);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(GetParam().message))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

INSTANTIATE_TEST_SUITE_P(
    Table, GenerateRefuses,
    ::testing::Values(BadCase{"StyleOutOfRange", {"15"}, "0 to 14"},
                      BadCase{"UnknownName", {"11", "Farbe=Blau", "Gewicht=3"}, "Standard value"},
                      BadCase{"NotANumber", {"1", "Breite=breit"}, "not a number"},
                      BadCase{"EndlessResistance", {"11", "Normwert=1E999"}, "no resistance"},
                      BadCase{"UnknownChoice", {"11", "Norm=E7"}, "E6, E12"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace karvel
