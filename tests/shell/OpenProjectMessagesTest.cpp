// What the window says when a project cannot be opened as it is: the reader's message, in the
// program's language, naming a folder or a board layout for what it is.

#include "board/Board.h"
#include "elements/Auge.h"
#include "shell/ShellFixture.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>

namespace karvel {
namespace {

using test::ShownWindow;

TEST(OpenProjectMessagesTest, TheEnglishProgramReportsDamageInEnglish) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("cut.rst"));
    ASSERT_EQ(test::WriteStripboardProject(path, {QStringLiteral("Ganz")}), u"");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(file.size() - 3));
    file.close();

    ShownWindow english(Language::English);
    EXPECT_TRUE(english->OpenProjectFile(path));
    ASSERT_EQ(english.dialogs->messages.size(), 1u);
    const QString text = english.dialogs->messages[0].Text;
    EXPECT_TRUE(text.startsWith(
        u"This is not a Karvel project file, or it is damaged (stream read error: the value at "
        u"byte "))
        << text.toStdString();
    EXPECT_FALSE(text.contains(u"Lesefehler")) << text.toStdString();
    EXPECT_EQ(english.dialogs->messages[0].Caption, u"Read error");
}

TEST(OpenProjectMessagesTest, AFolderAndABoardLayoutAreNamedForWhatTheyAre) {
    QTemporaryDir folder;
    const QString sub = folder.filePath(QStringLiteral("Projekte"));
    ASSERT_TRUE(QDir().mkpath(sub));
    ViewState view;
    TBoard layout(view);
    layout.Add(std::make_unique<TAuge>());
    const QString layoutPath = folder.filePath(QStringLiteral("Lochraster.KVB"));
    ASSERT_EQ(SaveLayoutFile(layoutPath, layout), u"");

    ShownWindow shown(Language::English);
    EXPECT_FALSE(shown->OpenProjectFile(sub));
    EXPECT_FALSE(shown->OpenProjectFile(layoutPath));
    ASSERT_EQ(shown.dialogs->messages.size(), 2u);
    EXPECT_EQ(shown.dialogs->messages[0].Text,
              QStringLiteral("\"%1\" is a folder, not a file.").arg(sub));
    EXPECT_EQ(shown.dialogs->messages[1].Text,
              QStringLiteral("\"%1\" is a board layout, not a project; open it in the board "
                             "layout editor.")
                  .arg(layoutPath));
    EXPECT_EQ(shown->BoardCount(), 1) << "the project stays as it was";
    EXPECT_TRUE(shown->ProjectFileName().isEmpty());
}

} // namespace
} // namespace karvel
