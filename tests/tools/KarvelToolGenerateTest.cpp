// karvel-tool generate: parts of the component assistant made from the command line and read
// back with karvel-tool info.

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
    const QJsonObject part =
        Generated({"11", "Normwert=4k7", "norm=E6", "Länge=10,16", "Textfarbe=Weiss"});
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

struct BadCase {
    const char* name;
    QStringList args;
    const char* message;
};

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
                      BadCase{"UnknownName", {"11", "Farbe=Blau", "Gewicht=3"}, "Normwert"},
                      BadCase{"NotANumber", {"1", "Breite=breit"}, "not a number"},
                      BadCase{"EndlessResistance", {"11", "Normwert=1E999"}, "no resistance"},
                      BadCase{"UnknownChoice", {"11", "Norm=E7"}, "E6, E12"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace karvel
