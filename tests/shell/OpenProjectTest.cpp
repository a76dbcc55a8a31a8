#include "shell/BoardArea.h"
#include "shell/ScrollBoxEx.h"
#include "shell/ShellFixture.h"

#include <gtest/gtest.h>
#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QRandomGenerator>
#include <QtGui/QImage>
#include <QtWidgets/QMenu>
#include <QtWidgets/QTabBar>

namespace karvel {
namespace {

using test::ShownWindow;

class OpenProjectTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QStringList& boards) {
        const QString path = folder.filePath(name);
        EXPECT_EQ(test::WriteStripboardProject(path, boards), u"");
        return path;
    }
    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    static void Overwrite(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QTemporaryDir folder;
    ShownWindow shown;
};

TEST_F(OpenProjectTest, EachBoardOpensOnItsOwnTabDeselectedAndFitted) {
    ViewState view;
    auto first = test::MakeStripboard(view, QStringLiteral("Relais"));
    first->SetSelected(first->At(1), true);
    auto second = test::MakeStripboard(view, QStringLiteral("Netzteil"));
    second->SetSize(5080, 2540);
    auto third = test::MakeStripboard(view, QStringLiteral("Verstärker"));
    const QString path = folder.filePath(QStringLiteral("three.rst"));
    ASSERT_EQ(SaveProjectFile(path, {first.get(), second.get(), third.get()}), u"");

    ASSERT_TRUE(shown->OpenProjectFile(path));
    ASSERT_EQ(shown->BoardCount(), 3);
    EXPECT_EQ(shown->TabCaption(0), u"Relais");
    EXPECT_EQ(shown->TabCaption(1), u"Netzteil");
    EXPECT_EQ(shown->TabCaption(2), u"Verstärker");
    EXPECT_EQ(shown->Area().Tabs().count(), 3);
    EXPECT_EQ(shown->Board(0).CountSelected(), 0);
    EXPECT_EQ(shown->ProjectFileName(), path);
    EXPECT_EQ(shown->windowTitle(), QStringLiteral("Karvel 3.0 - [") + path + u']');
    for (int i = 0; i < 3; ++i) {
        const TPlatine& board = shown->Board(i);
        const QSize client = shown->ScrollBox(i).ClientSize();
        const double fit = std::min(15.0 * client.width() / board.Width(),
                                    15.0 * client.height() / board.Height());
        EXPECT_NEAR(board.Zoom(), fit, 1e-9) << board.PlatinenName().toStdString();
        EXPECT_EQ(board.Dateiname(), path);
    }
    EXPECT_TRUE(shown.dialogs->messages.empty());
}

TEST_F(OpenProjectTest, TabsAndCtrlTabSwitchTheCurrentBoardAndWrapAround) {
    ASSERT_TRUE(shown->OpenProjectFile(Write(QStringLiteral("two.rst"), {"A", "B"})));
    shown->Area().Tabs().setCurrentIndex(0);
    EXPECT_EQ(shown->CurrentIndex(), 0);
    shown->Action(CommandId::KeyNextBoard).trigger();
    EXPECT_EQ(shown->CurrentBoard().PlatinenName(), u"B");
    EXPECT_EQ(shown->Area().Tabs().currentIndex(), 1);
    shown->Action(CommandId::KeyNextBoard).trigger();
    EXPECT_EQ(shown->CurrentIndex(), 0) << "Ctrl+Tab on the last tab selects the first";
}

TEST_F(OpenProjectTest, ATooNewFileIsRefusedAndTheProjectStays) {
    const QString old = Write(QStringLiteral("old.rst"), {"Alt"});
    ASSERT_TRUE(shown->OpenProjectFile(old));
    const QString path = Write(QStringLiteral("new.rst"), {"Neu"});
    QByteArray bytes = Bytes(path);
    const qsizetype at = bytes.indexOf("3,08");
    ASSERT_GE(at, 0);
    bytes.replace(at, 4, "9,08");
    Overwrite(path, bytes);

    EXPECT_FALSE(shown->OpenProjectFile(path));
    ASSERT_EQ(shown.dialogs->messages.size(), 1u);
    EXPECT_EQ(shown.dialogs->messages[0].Caption, u"Versionskonflikt");
    EXPECT_TRUE(shown.dialogs->messages[0].Text.contains(u"9,08"));
    EXPECT_EQ(shown->TabCaption(0), u"Alt");
    EXPECT_EQ(shown->ProjectFileName(), old);
    EXPECT_EQ(shown->Recent().Entries().front(), old);
}

TEST_F(OpenProjectTest, TheEnglishVersionMessageHasItsEnglishCaption) {
    ShownWindow english(Language::English);
    const QString path = Write(QStringLiteral("new.rst"), {"New"});
    QByteArray bytes = Bytes(path);
    bytes.replace(bytes.indexOf("3,08"), 4, "9,08");
    Overwrite(path, bytes);
    EXPECT_FALSE(english->OpenProjectFile(path));
    ASSERT_EQ(english.dialogs->messages.size(), 1u);
    EXPECT_EQ(english.dialogs->messages[0].Caption, u"Version mismatch");
}

TEST_F(OpenProjectTest, ADamagedFileKeepsWhatWasReadAndSaysWhy) {
    const QString path = Write(QStringLiteral("cut.rst"), {"Ganz", "Halb", "Fehlt"});
    const QByteArray bytes = Bytes(path);
    Overwrite(path, bytes.left(bytes.size() / 2));

    EXPECT_TRUE(shown->OpenProjectFile(path));
    ASSERT_EQ(shown.dialogs->messages.size(), 1u);
    EXPECT_EQ(shown.dialogs->messages[0].Icon, MessageIcon::Error);
    EXPECT_TRUE(shown.dialogs->messages[0].Text.contains(u"Stream-Lesefehler") ||
                shown.dialogs->messages[0].Text.contains(u"Ungültiger Eigenschaftswert"));
    EXPECT_GE(shown->BoardCount(), 1);
    EXPECT_LT(shown->BoardCount(), 3);
    EXPECT_EQ(shown->TabCaption(0), u"Ganz");
    EXPECT_EQ(shown->ProjectFileName(), path);
    EXPECT_TRUE(shown->ProjectIncomplete());
    EXPECT_EQ(shown->windowTitle(),
              QStringLiteral("Karvel 3.0 - [") + path + QStringLiteral("] (unvollständig)"));
    for (int i = 0; i < shown->BoardCount(); ++i)
        EXPECT_TRUE(shown->TabCaption(i) == u"Ganz" || shown->TabCaption(i) == u"Halb")
            << shown->TabCaption(i).toStdString();
    // The next whole file is complete again.
    const QString whole = Write(QStringLiteral("whole.rst"), {"Ganz"});
    ASSERT_TRUE(shown->OpenProjectFile(whole));
    EXPECT_FALSE(shown->ProjectIncomplete());
    EXPECT_EQ(shown->windowTitle(), QStringLiteral("Karvel 3.0 - [") + whole + u']');
}

// Files that hold no board: the project, its title and the recent files stay as they were.
TEST_F(OpenProjectTest, AFileWithoutABoardLeavesTheProjectAsItWas) {
    const QString old = Write(QStringLiteral("old.rst"), {"Alt"});
    ASSERT_TRUE(shown->OpenProjectFile(old));
    const QString title = shown->windowTitle();
    QByteArray random(5000, '\0');
    QRandomGenerator generator(7);
    for (char& byte : random)
        byte = char(generator.bounded(256));
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    const QByteArray project = Bytes(Write(QStringLiteral("cut.rst"), {"Kurz"}));
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {{"random.rst", random},
                 {"picture.rst", png},
                 {"text.rst", "[Karvel]\r\nUndoAnz=10\r\n"},
                 {"empty.rst", ""},
                 {"header only.rst", project.left(45)}};
    for (const auto& c : cases) {
        const QString path = folder.filePath(QString::fromLatin1(c.name));
        Overwrite(path, c.bytes);
        shown.dialogs->messages.clear();
        EXPECT_FALSE(shown->OpenProjectFile(path)) << c.name;
        ASSERT_EQ(shown.dialogs->messages.size(), 1u) << c.name;
        EXPECT_EQ(shown.dialogs->messages[0].Icon, MessageIcon::Error);
        EXPECT_TRUE(shown.dialogs->messages[0].Text.contains(path)) << c.name;
        EXPECT_EQ(shown->BoardCount(), 1) << c.name;
        EXPECT_EQ(shown->TabCaption(0), u"Alt") << c.name;
        EXPECT_EQ(shown->ProjectFileName(), old) << c.name;
        EXPECT_EQ(shown->windowTitle(), title) << c.name;
        EXPECT_EQ(shown->Recent().Entries(), QStringList{old}) << c.name;
    }
}

TEST_F(OpenProjectTest, TheOpenCommandStartsInTheProjectsFolder) {
    const QString path = Write(QStringLiteral("one.rst"), {"Eins"});
    shown.dialogs->nextProject = path;
    shown->Action(CommandId::FileOpen).trigger();
    EXPECT_EQ(shown.dialogs->openDialogs, 1);
    EXPECT_EQ(shown->ProjectFileName(), path);
    shown.dialogs->nextProject.clear();
    shown->Action(CommandId::FileOpen).trigger();
    EXPECT_EQ(shown.dialogs->lastFolder, folder.path());
    EXPECT_EQ(shown->ProjectFileName(), path) << "cancelling keeps the project";
}

TEST_F(OpenProjectTest, OpeningPutsTheFileOnTopOfTheRecentList) {
    QStringList stored;
    shown->Recent().OnStore = [&](const QStringList& list) { stored = list; };
    const QString a = Write(QStringLiteral("a.rst"), {"A"});
    const QString b = Write(QStringLiteral("b.rst"), {"B"});
    shown->OpenProjectFile(a);
    shown->OpenProjectFile(b);
    shown->OpenProjectFile(a);
    EXPECT_EQ(stored, (QStringList{a, b}));
    shown->FileMenu().popup(QPoint(0, 0));
    QApplication::processEvents();
    EXPECT_TRUE(shown->Action(CommandId::Recent1).isVisible());
    EXPECT_TRUE(shown->Action(CommandId::Recent1).text().startsWith(u"&1 "));
    EXPECT_TRUE(shown->Action(CommandId::Recent2).isVisible());
    EXPECT_FALSE(shown->Action(CommandId::Recent3).isVisible());
    shown->FileMenu().close();
    // A recent entry opens its file and moves to the top.
    shown->Action(CommandId::Recent2).trigger();
    EXPECT_EQ(shown->ProjectFileName(), b);
    EXPECT_EQ(shown->Recent().Entries().front(), b);
}

TEST_F(OpenProjectTest, ABackupIsSavedToItsProjectFile) {
    const QString backup = Write(QStringLiteral("amp.BAK"), {"Verstärker"});
    ASSERT_TRUE(shown->OpenProjectFile(backup));
    EXPECT_EQ(shown->ProjectFileName(), folder.filePath(QStringLiteral("amp.RST")));
    const QString project = Write(QStringLiteral("amp.rst"), {"Verstärker"});
    ASSERT_TRUE(shown->OpenProjectFile(backup));
    EXPECT_EQ(shown->ProjectFileName(), project) << "the project file as it is spelt";
    const QString lower = Write(QStringLiteral("pre.bak"), {"Vorstufe"});
    ASSERT_TRUE(shown->OpenProjectFile(lower));
    EXPECT_EQ(shown->ProjectFileName(), lower);
}

TEST_F(OpenProjectTest, AModifiedProjectAsksBeforeItIsReplaced) {
    const QString path = Write(QStringLiteral("one.rst"), {"Eins"});
    shown->CurrentBoard().SetModified(true);
    shown.dialogs->nextProject = path;
    shown.dialogs->saveAnswer = SaveAnswer::Cancel;
    shown->Action(CommandId::FileOpen).trigger();
    ASSERT_EQ(shown.dialogs->saveQuestions.size(), 1u);
    EXPECT_TRUE(
        shown.dialogs->saveQuestions[0].startsWith(u"Möchten Sie die Änderungen speichern?"));
    EXPECT_EQ(shown.dialogs->openDialogs, 0);
    shown.dialogs->saveAnswer = SaveAnswer::No;
    shown->Action(CommandId::FileOpen).trigger();
    EXPECT_EQ(shown->ProjectFileName(), path);
}

} // namespace
} // namespace karvel
