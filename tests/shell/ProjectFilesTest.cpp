#include "board/BoardProperties.h"
#include "board/Platine.h"
#include "board/ProjectFile.h"
#include "elements/Draht.h"
#include "shell/AutoSave.h"
#include "shell/BoardArea.h"
#include "shell/ShellFixture.h"
#include "support/OrdinaryFileRights.h"
#include "support/SampleBoard.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtWidgets/QMenu>
#include <QtWidgets/QTabBar>
#include <sys/resource.h>

namespace karvel {
namespace {

TEST(AutoSaveClockTest, BacksUpEveryIntervalWhileNamedAndWaitsWhileBusy) {
    AutoSaveClock clock;
    clock.Configure(true, 3);
    std::vector<int> due;
    for (int tick = 1; tick <= 9; ++tick)
        if (clock.Tick(true, false) == AutoSaveClock::Due::Now)
            due.push_back(tick);
    EXPECT_EQ(due, (std::vector<int>{3, 6, 9}));

    AutoSaveClock unnamed;
    unnamed.Configure(true, 1);
    EXPECT_EQ(unnamed.Tick(false, false), AutoSaveClock::Due::No);
    AutoSaveClock off;
    off.Configure(false, 1);
    EXPECT_EQ(off.Tick(true, false), AutoSaveClock::Due::No);

    AutoSaveClock busy;
    busy.Configure(true, 1);
    EXPECT_EQ(busy.Tick(true, true), AutoSaveClock::Due::Postponed);
    EXPECT_EQ(busy.Tick(true, false), AutoSaveClock::Due::Now) << "the next tick catches up";

    EXPECT_TRUE(clock.ReportFailure(true));
    EXPECT_FALSE(clock.ReportFailure(true)) << "told once, not every minute";
    EXPECT_FALSE(clock.ReportFailure(false));
    EXPECT_TRUE(clock.ReportFailure(true)) << "a new failure after a success is news";

    EXPECT_EQ(BackupPathFor(QStringLiteral("/boards/Amp.rst")), QStringLiteral("/boards/Amp.BAK"));
}

TEST(BoardTabsTest, TheStartBoardsTabIsTallEnoughToBeSeen) {
    const test::ShownWindow shown{Language::English};
    const QTabBar& tabs = shown->Area().Tabs();
    ASSERT_EQ(tabs.count(), 1);
    EXPECT_GE(tabs.height(), tabs.tabRect(0).height()) << "the tab row must not be collapsed";
}

TEST(SaveFolderTest, ANewProjectIsOfferedTheLastProjectsFolderOrHomeButNeverTheExamples) {
    const test::ShownWindow shown{Language::English};
    const QString examples = QDir(shown->View().ProgramFolder).filePath(QStringLiteral("examples"));
    ASSERT_TRUE(QDir(examples).exists()) << "the examples must be there to be avoided";
    shown->Action(CommandId::FileSave).trigger();
    ASSERT_EQ(shown.dialogs->saveRequests.size(), 1u);
    EXPECT_EQ(shown.dialogs->saveRequests.back().Folder, QDir::homePath());

    const QTemporaryDir folder;
    shown->Recent().Load({folder.filePath(QStringLiteral("Earlier.rst"))});
    shown->Action(CommandId::FileSaveAs).trigger();
    EXPECT_EQ(shown.dialogs->saveRequests.back().Folder, folder.path());
}

class ProjectFilesTest : public ::testing::Test {
protected:
    ProjectFilesTest() {
        path = folder.filePath(QStringLiteral("Project.rst"));
        EXPECT_EQ(test::WriteStripboardProject(path, {"First", "Second"}), u"");
        EXPECT_TRUE(shown->OpenProjectFile(path));
    }
    void Trigger(CommandId id) { shown->Action(id).trigger(); }
    void Change() {
        TPlatine& board = shown.Board();
        const UndoStep step(board);
        board.Add(test::MakeWire(TBauteilTyp::btDraht, {{254, 381}, {1016, 381}}));
    }
    QByteArray Bytes(const QString& file) const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    QString path;
    test::ShownWindow shown{Language::English};
};

TEST_F(ProjectFilesTest, SaveAsWritesTheWholeProjectAndThePromptIsQuietAfterwards) {
    Change();
    const QString copy = folder.filePath(QStringLiteral("Copy"));
    shown.dialogs->nextSaveFile = copy;
    Trigger(CommandId::FileSaveAs);
    const QString written = copy + QStringLiteral(".rst");
    EXPECT_EQ(shown->ProjectFileName(), written) << "the extension is added, the case kept";
    EXPECT_TRUE(shown->windowTitle().contains(written));
    ViewState view;
    const ProjectLoad load = ReadProjectFile(written, view);
    ASSERT_EQ(load.Boards.size(), 2u);
    EXPECT_EQ(load.Boards[std::size_t(shown->CurrentIndex())]->Count(), shown.Board().Count());
    shown.dialogs->nextProject = path;
    Trigger(CommandId::FileOpen);
    EXPECT_TRUE(shown.dialogs->saveQuestions.empty()) << "nothing changed since the save";
}

TEST_F(ProjectFilesTest, AFailedSaveKeepsTheOldFileAndTheProjectAndSaysWhy) {
    Change();
    const QByteArray before = Bytes(path);
    // A file-size limit makes the write fail even for root, as a full disk would.
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &tiny);
    Trigger(CommandId::FileSave);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(Bytes(path), before);
    ASSERT_FALSE(shown.dialogs->messages.empty());
    EXPECT_TRUE(shown.dialogs->messages.back().Text.contains(QStringLiteral("not saved")));
    EXPECT_TRUE(shown.Board().Modified()) << "the project still counts as changed";

    // Yes at the prompt with a save that fails: the project stays open.
    shown.dialogs->saveAnswer = SaveAnswer::Yes;
    shown.dialogs->nextProject = path;
    const int boards = shown->BoardCount();
    shown.Board().SetModified(true);
    setrlimit(RLIMIT_FSIZE, &tiny);
    std::signal(SIGXFSZ, SIG_IGN);
    Trigger(CommandId::FileOpen);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(shown.dialogs->openDialogs, 0) << "no open dialog after a failed save";
    EXPECT_EQ(shown->BoardCount(), boards);
}

// The file itself may be written, its folder not: the save still writes beside the file and
// replaces it only when all is written, so it fails, and the message says why and what helps.
TEST_F(ProjectFilesTest, AFolderThatTakesNoNewFilesIsNamedAndSaveAsIsOffered) {
    Change();
    const QByteArray before = Bytes(path);
    {
        const test::OrdinaryFileRights rights(folder.path());
        ASSERT_TRUE(
            QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        ASSERT_TRUE(QFileInfo(path).isWritable());
        Trigger(CommandId::FileSave);
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
    }
    EXPECT_EQ(Bytes(path), before);
    ASSERT_EQ(shown.dialogs->messages.size(), 1u);
    const QString text = shown.dialogs->messages.back().Text;
    EXPECT_TRUE(text.contains(QStringLiteral("not saved"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("The folder \"%1\" cannot be written")
                                  .arg(QDir::toNativeSeparators(folder.path()))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Save as"))) << text.toStdString();
    EXPECT_TRUE(shown.Board().Modified());

    // Save As to a folder that takes files puts the project there.
    const QTemporaryDir elsewhere;
    shown.dialogs->nextSaveFile = elsewhere.filePath(QStringLiteral("Moved.rst"));
    Trigger(CommandId::FileSaveAs);
    EXPECT_EQ(shown->ProjectFileName(), shown.dialogs->nextSaveFile);
    EXPECT_FALSE(shown.Board().Modified());
}

TEST_F(ProjectFilesTest, BoardCommandsAddDuplicateMoveAndDelete) {
    ASSERT_EQ(shown->BoardCount(), 2);
    shown.Board().SetPlatinenName(QString(38, QLatin1Char('x')));
    Trigger(CommandId::BoardDuplicate);
    ASSERT_EQ(shown->BoardCount(), 3);
    EXPECT_EQ(shown.Board().PlatinenName(), QString(36, QLatin1Char('x')))
        << "the copy's name is cut to the 36 characters a stored board keeps";
    EXPECT_TRUE(shown.Board().Modified());

    Trigger(CommandId::BoardToFirst);
    EXPECT_EQ(shown->CurrentIndex(), 0);
    EXPECT_EQ(shown->TabCaption(0), shown.Board().PlatinenName());

    shown.dialogs->confirmAnswer = false;
    Trigger(CommandId::BoardDelete);
    EXPECT_EQ(shown->BoardCount(), 3) << "No keeps the board";
    shown.dialogs->confirmAnswer = true;
    Trigger(CommandId::BoardDelete);
    Trigger(CommandId::BoardDelete);
    EXPECT_EQ(shown->BoardCount(), 1);
    EXPECT_FALSE(shown->Action(CommandId::BoardDelete).isEnabled()) << "one board stays";
    Trigger(CommandId::BoardDelete);
    EXPECT_EQ(shown->BoardCount(), 1);
}

TEST_F(ProjectFilesTest, TheTabMenuWorksOnTheTabThatWasRightClicked) {
    QTabBar& tabs = shown->Area().Tabs();
    ASSERT_EQ(shown->CurrentIndex(), 1);
    tabs.customContextMenuRequested(tabs.tabRect(0).center());
    EXPECT_EQ(shown->CurrentIndex(), 0);
    EXPECT_EQ(tabs.currentIndex(), 0);
    shown->BoardTabPopup().close();

    BoardPropertiesText renamed;
    renamed.Name = QStringLiteral("Renamed");
    shown.dialogs->nextProperties = renamed;
    Trigger(CommandId::TabRename);
    EXPECT_EQ(shown->TabCaption(0), QStringLiteral("Renamed"));
    EXPECT_EQ(shown->TabCaption(1), QStringLiteral("Second"));
}

TEST_F(ProjectFilesTest, NewReadsTheLayoutFirstAndImportKeepsTheTitle) {
    const QString title = shown->windowTitle();
    shown.dialogs->saveAnswer = SaveAnswer::No;
    shown.dialogs->nextLayout = folder.filePath(QStringLiteral("broken.KVB"));
    {
        QFile broken(shown.dialogs->nextLayout);
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("not a layout");
    }
    Trigger(CommandId::FileNew);
    EXPECT_EQ(shown->BoardCount(), 2) << "an unreadable layout keeps the project";
    EXPECT_EQ(shown->ProjectFileName(), path);

    const QString other = folder.filePath(QStringLiteral("Other.rst"));
    ASSERT_EQ(test::WriteStripboardProject(other, {"Imported"}), u"");
    shown.dialogs->nextProject = other;
    Trigger(CommandId::BoardImport);
    EXPECT_EQ(shown->BoardCount(), 3);
    EXPECT_EQ(shown->TabCaption(2), QStringLiteral("Imported"));
    EXPECT_EQ(shown->windowTitle(), title);
}

TEST_F(ProjectFilesTest, PropertiesRenameAndSettingsDialogsChangeOnlyWhatTheyAreFor) {
    TPlatine& board = shown.Board();
    const int width = board.Width();
    shown.dialogs->nextProperties = std::nullopt;
    Trigger(CommandId::BoardProperties);
    EXPECT_EQ(board.Width(), width) << "Cancel changes nothing";
    EXPECT_FALSE(shown.dialogs->propertiesNameOnly);

    BoardPropertiesText renamed = *shown.dialogs->shownProperties;
    renamed.Name = QStringLiteral("Amplifier");
    renamed.Width = QStringLiteral("1");
    shown.dialogs->nextProperties = renamed;
    Trigger(CommandId::TabRename);
    EXPECT_TRUE(shown.dialogs->propertiesNameOnly);
    EXPECT_EQ(board.PlatinenName(), QStringLiteral("Amplifier"));
    EXPECT_EQ(shown->TabCaption(shown->CurrentIndex()), QStringLiteral("Amplifier"));
    EXPECT_EQ(board.Width(), width) << "renaming leaves the size alone";

    renamed.Width = QStringLiteral("50,8");
    shown.dialogs->nextProperties = renamed;
    Trigger(CommandId::BoardProperties);
    EXPECT_EQ(board.Width(), 5080);
    EXPECT_TRUE(board.KannRueckgaengig());

    // The same undo depth again keeps every history.
    shown.dialogs->nextUndoDepth = shown->View().UndoDepth;
    Trigger(CommandId::UndoDepth);
    EXPECT_TRUE(board.KannRueckgaengig());
    shown.dialogs->nextUndoDepth = shown->View().UndoDepth + 1;
    Trigger(CommandId::UndoDepth);
    EXPECT_FALSE(board.KannRueckgaengig());
}

TEST_F(ProjectFilesTest, AFillPictureThatCannotBeReadIsToldAndChangesNothing) {
    TPlatine& board = shown.Board();
    board.Add(test::MakeWire(TBauteilTyp::btRect, {{0, 0}, {508, 0}, {508, 508}, {0, 508}}));
    board.MarkiereAlle(true);
    shown->DoMenues();
    ASSERT_TRUE(shown->Action(CommandId::FillBitmap).isEnabled());
    const QString broken = folder.filePath(QStringLiteral("broken.bmp"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BM not really");
    file.close();
    shown.dialogs->nextPicture = broken;
    const bool couldUndo = board.KannRueckgaengig();
    Trigger(CommandId::FillBitmap);
    ASSERT_FALSE(shown.dialogs->messages.empty());
    EXPECT_TRUE(shown.dialogs->messages.back().Text.contains(broken));
    EXPECT_EQ(board.KannRueckgaengig(), couldUndo) << "no undo step for nothing";
}

} // namespace
} // namespace karvel
