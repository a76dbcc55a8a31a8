#include "shell/CommandLine.h"
#include "shell/ShellFixture.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

struct LineCase {
    QStringList Arguments;
    QString Path;
    bool Splash;
    std::optional<Language> Sprache;
};

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
        LineCase{{"--lang", "xx"}, {}, true, std::nullopt}));

TEST_P(CommandLineTest, ArgumentsJoinIntoOnePath) {
    const CommandLine line = ParseCommandLine(GetParam().Arguments);
    EXPECT_EQ(line.ProjectPath, GetParam().Path);
    EXPECT_EQ(line.Splash, GetParam().Splash);
    EXPECT_EQ(line.Sprache, GetParam().Sprache);
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
