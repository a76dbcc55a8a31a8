#include "shell/CommandLine.h"
#include "shell/ShellFixture.h"
#include "support/Printers.h"

#include <gtest/gtest.h>
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QProcess>

namespace karvel {
namespace {

struct LineCase {
    QStringList Arguments;
    QString Path;
    bool Splash;
    std::optional<Language> Sprache;
    bool Help = false;
    bool Version = false;
    int Errors = 0;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    PrintTo(c.Arguments, os);
}

class CommandLineTest : public ::testing::TestWithParam<LineCase> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTest,
    ::testing::Values(
        LineCase{{}, {}, true, std::nullopt},
        LineCase{{"C:\\My", "Boards\\x.rst"}, "C:\\My Boards\\x.rst", true, std::nullopt},
        LineCase{
            {"/home/me/My", "Boards/a", "b.rst"}, "/home/me/My Boards/a b.rst", true, std::nullopt},
        LineCase{{"--no-splash", "/tmp/x.rst"}, "/tmp/x.rst", false, std::nullopt},
        LineCase{{"--lang", "en", "/tmp/My", "x.rst"}, "/tmp/My x.rst", true, Language::English},
        LineCase{{"--lang=de"}, {}, true, Language::German},
        LineCase{{"--lang", "xx"}, {}, true, std::nullopt, false, false, 1},
        LineCase{{"/tmp/a.rst", "--lang"}, "/tmp/a.rst", true, std::nullopt, false, false, 1},
        LineCase{{"--help"}, {}, true, std::nullopt, true},
        LineCase{{"-h", "/tmp/a.rst"}, "/tmp/a.rst", true, std::nullopt, true},
        LineCase{{"--version"}, {}, true, std::nullopt, false, true},
        // Unknown switches are reported, not opened as files.
        LineCase{
            {"--bogus", "/tmp/a.rst", "-x"}, "/tmp/a.rst", true, std::nullopt, false, false, 2},
        // After "--" everything is the path; a lone "-" always is.
        LineCase{{"--", "-Relais", "--help"}, "-Relais --help", true, std::nullopt},
        LineCase{{"/tmp/Relais", "-", "alt.rst"}, "/tmp/Relais - alt.rst", true, std::nullopt}));

TEST_P(CommandLineTest, ArgumentsJoinIntoOnePath) {
    const CommandLine line = ParseCommandLine(GetParam().Arguments);
    EXPECT_EQ(line.ProjectPath, GetParam().Path);
    EXPECT_EQ(line.Splash, GetParam().Splash);
    EXPECT_EQ(line.Sprache, GetParam().Sprache);
    EXPECT_EQ(line.Help, GetParam().Help);
    EXPECT_EQ(line.Version, GetParam().Version);
    EXPECT_EQ(line.Errors.size(), GetParam().Errors) << line.Errors.join(u'|').toStdString();
}

QString ProgramPath() {
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral("../shell/karvel"));
}

// Run without any display: a window would not even start.
TEST(CommandLineTest, HelpAndVersionPrintAndLeaveAndUnknownSwitchesAreRefused) {
    ASSERT_TRUE(QFileInfo::exists(ProgramPath()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    const struct {
        QStringList arguments;
        int exitCode;
        const char* out;
        const char* err;
    } cases[] = {{{"--help"}, 0, "Usage: karvel", ""},
                 {{"-h"}, 0, "--no-splash", ""},
                 {{"--version"}, 0, "Karvel " KARVEL_VERSION, ""},
                 {{"--bogus", "/tmp/x.rst"}, 2, "", "unknown option --bogus"}};
    for (const auto& c : cases) {
        QProcess run;
        run.setProcessEnvironment(environment);
        run.start(ProgramPath(), c.arguments);
        ASSERT_TRUE(run.waitForFinished(60000)) << c.arguments.join(u' ').toStdString();
        const QString out = QString::fromLocal8Bit(run.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(run.readAllStandardError());
        EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(run.exitCode(), c.exitCode) << err.toStdString();
        EXPECT_TRUE(out.contains(QString::fromUtf8(c.out))) << out.toStdString();
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.err))) << err.toStdString();
        if (c.exitCode == 0) {
            EXPECT_TRUE(err.isEmpty()) << err.toStdString();
        }
    }
}

TEST(StartTest, AProjectNamedWithSpacesOpensFromItsPieces) {
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("My Boards"));
    const QString path = folder.filePath(QStringLiteral("My Boards/x.rst"));
    ASSERT_EQ(test::WriteStripboardProject(path, {QStringLiteral("Relais")}), u"");
    const QString first = folder.filePath(QStringLiteral("My"));
    const CommandLine line = ParseCommandLine({first, QStringLiteral("Boards/x.rst")});
    test::ShownWindow shown;
    EXPECT_TRUE(shown->OpenProjectFile(line.ProjectPath));
    EXPECT_EQ(shown->ProjectFileName(), path);
    EXPECT_EQ(shown->TabCaption(0), u"Relais");
}

TEST(StartTest, AMissingFileLeavesANewUnnamedProjectAndSaysSo) {
    test::ShownWindow shown;
    EXPECT_FALSE(shown->OpenProjectFile(QStringLiteral("/nowhere/at all.rst")));
    EXPECT_TRUE(shown->ProjectFileName().isEmpty());
    EXPECT_EQ(shown->windowTitle(), u"Karvel 3.0");
    EXPECT_EQ(shown->BoardCount(), 1);
    ASSERT_EQ(shown.dialogs->messages.size(), 1u);
    EXPECT_TRUE(shown.dialogs->messages[0].Text.contains(u"/nowhere/at all.rst"));
}

TEST(StartTest, TheProgramStartsWithTheXRayViewOn) {
    test::ShownWindow shown;
    EXPECT_TRUE(shown->View().Roentgen);
    EXPECT_TRUE(shown->Action(CommandId::ViewXRay).isChecked());
    EXPECT_FALSE(shown->Action(CommandId::ViewOutline).isChecked());
    EXPECT_TRUE(shown->Action(CommandId::ViewRulers).isChecked());
}

} // namespace
} // namespace karvel
