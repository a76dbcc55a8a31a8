// The board layout editor: the reduced window, the close question, accepting a layout back
// onto the board, and the editor's layout files.

#include "board/Board.h"
#include "board/ProjectFile.h"
#include "elements/Leiterbahn.h"
#include "shell/BoardArea.h"
#include "shell/BoardControl.h"
#include "shell/LibraryPanel.h"
#include "shell/ShellFixture.h"

#include <functional>
#include <gtest/gtest.h>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtGui/QFocusEvent>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QToolBar>

namespace karvel {
namespace {

class LayoutEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(test::WriteStripboardProject(folder_.filePath(QStringLiteral("p.rst")),
                                               {QStringLiteral("Streifen")}),
                  u"");
        ASSERT_TRUE(shown_->OpenProjectFile(folder_.filePath(QStringLiteral("p.rst"))));
    }

    // Opens the editor on the current board and runs `inEditor` while it is up; the editor
    // must be closed by then, or it is closed with the close button.
    void InEditor(const std::function<void(MainWindow&)>& inEditor) {
        QTimer::singleShot(0, [&] {
            MainWindow& editor = *shown_->LayoutEditorWindow();
            inEditor(editor);
            if (editor.isVisible())
                editor.close();
            // A Cancel keeps it open: reject it then.
            if (editor.isVisible())
                editor.Execute(CommandId::LayoutReject);
        });
        shown_->Execute(CommandId::BoardEditLayout);
    }

    TPlatine& Board() const { return shown_.Board(); }

    QTemporaryDir folder_;
    test::ShownWindow shown_;
};

std::vector<QString> ActionNames(const QWidget& widget) {
    std::vector<QString> names;
    for (const QAction* action : widget.actions())
        if (!action->isSeparator())
            names.push_back(action->objectName());
    return names;
}

TEST_F(LayoutEditorTest, TheEditorIsTheWindowReducedToTheLayoutsTools) {
    shown_.dialogs->saveAnswer = SaveAnswer::No;
    bool ran = false;
    InEditor([&](MainWindow& editor) {
        ran = true;
        EXPECT_TRUE(editor.isModal() || editor.windowModality() == Qt::ApplicationModal);
        EXPECT_TRUE(editor.windowTitle().startsWith(QStringLiteral("Board Layout")));
        EXPECT_TRUE(editor.Area().Tabs().isHidden());
        EXPECT_TRUE(editor.Library().isHidden());
        std::vector<QString> menus;
        for (const QAction* menu : editor.menuBar()->actions())
            if (menu->isVisible())
                menus.push_back(menu->menu()->objectName());
        EXPECT_EQ(menus,
                  (std::vector<QString>{QStringLiteral("Bearbeiten1"), QStringLiteral("Anordnen1"),
                                        QStringLiteral("Hilfe1")}));
        EXPECT_EQ(
            ActionNames(editor.ToolColumnBar()),
            (std::vector<QString>{"StandardBtn", "ZoomBtn", "BohrBtn", "BohrAugeBtn", "AugeBtn",
                                  "LbBtn", "RectBtn", "PolygonBtn", "UrsprungBtn"}));
        const std::vector<QString> viewBar = ActionNames(editor.ToolWindow(2));
        EXPECT_EQ(viewBar.size(), 4u);
        EXPECT_EQ(viewBar.at(2), QStringLiteral("LayoutOkBtn"));
        const std::vector<QString> popup = ActionNames(editor.ElementPopup());
        EXPECT_EQ(std::count(popup.begin(), popup.end(), QStringLiteral("PopEigenschaften")) +
                      std::count(popup.begin(), popup.end(), QStringLiteral("PopZurBibliothek")),
                  0);
        // What the editor does not offer is off, shortcuts included.
        for (const CommandId id : {CommandId::FilePrint, CommandId::BoardEditLayout,
                                   CommandId::BoardAnnotations, CommandId::FileExit})
            EXPECT_FALSE(editor.Action(id).isEnabled()) << int(id);
        EXPECT_TRUE(editor.Action(CommandId::ToolTrack).isEnabled());
        EXPECT_TRUE(editor.Action(CommandId::EditUndo).isVisible());
        EXPECT_EQ(editor.CurrentBoard().Count(), Board().Layout()->Count());
        EXPECT_TRUE(editor.CurrentBoard().CurrentFill);
    });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(shown_->Action(CommandId::ToolTrack).isEnabled())
        << "the copper tools are the editor's only";
}

TEST_F(LayoutEditorTest, ClosingAsksWhetherToAcceptNoChangesNothingAndCancelStaysOpen) {
    const int strips = Board().Layout()->Count();
    const int width = Board().Width();
    Board().SetModified(false);
    bool stayedOpen = false;
    InEditor([&](MainWindow& editor) {
        editor.CurrentBoard().SetSize(5080, 2540);
        editor.CurrentBoard().Clear();
        shown_.dialogs->saveAnswer = SaveAnswer::Cancel;
        editor.close();
        stayedOpen = editor.isVisible();
        shown_.dialogs->saveAnswer = SaveAnswer::No;
        editor.close();
    });
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(shown_.dialogs->saveQuestions.size(), 2u);
    EXPECT_EQ(shown_.dialogs->saveQuestions.back(),
              QStringLiteral("Layout für Platine übernehmen?"));
    EXPECT_EQ(Board().Layout()->Count(), strips);
    EXPECT_EQ(Board().Width(), width);
    EXPECT_FALSE(Board().Modified());
}

TEST_F(LayoutEditorTest, AcceptingALargerBoardEnlargesTheMainBoardAndPasteIsOffAfterwards) {
    shown_->Action(CommandId::EditSelectAll).trigger();
    shown_->Action(CommandId::EditCopy).trigger();
    ASSERT_TRUE(shown_->Action(CommandId::EditPaste).isEnabled());
    InEditor([](MainWindow& editor) {
        TPlatine& layout = editor.CurrentBoard();
        layout.SetSize(5080, 3810);
        layout.SetNullpunkt({127, 254});
        auto track = std::make_unique<TLeiterbahn>();
        track->Nodes = {{127, 3000}, {4000, 3000}};
        track->RebuildOutline();
        layout.Add(std::move(track));
        editor.Execute(CommandId::LayoutAccept);
    });
    EXPECT_TRUE(shown_.dialogs->saveQuestions.empty()) << "accepting asks nothing";
    EXPECT_EQ(Board().Width(), 5080);
    EXPECT_EQ(Board().Height(), 3810);
    EXPECT_EQ(Board().Nullpunkt(), QPoint(127, 254));
    EXPECT_EQ(Board().Layout()->Count(), 6);
    EXPECT_TRUE(Board().Modified());
    EXPECT_FALSE(Board().KannRueckgaengig());
    EXPECT_FALSE(shown_->Action(CommandId::EditPaste).isEnabled());
}

TEST_F(LayoutEditorTest, RejectingKeepsTheLayoutAndCancellingASizeDialogReturnsToSelecting) {
    shown_->AskToolSize = [](int, TPlatine&) { return false; };
    const int strips = Board().Layout()->Count();
    InEditor([](MainWindow& editor) {
        editor.Execute(CommandId::ToolTrack);
        EXPECT_EQ(editor.CurrentBoard().Modus(), TPlatinenModus::pm_Standard);
        EXPECT_TRUE(editor.Action(CommandId::ToolStandard).isChecked());
        editor.CurrentBoard().Clear();
        editor.Execute(CommandId::LayoutReject);
    });
    EXPECT_TRUE(shown_.dialogs->saveQuestions.empty());
    EXPECT_EQ(Board().Layout()->Count(), strips);
}

TEST_F(LayoutEditorTest, ATrackIsDrawnWithTheMouseInTheEditor) {
    shown_->AskToolSize = [](int, TPlatine&) { return true; };
    int before = -1;
    int after = -1;
    InEditor([&](MainWindow& editor) {
        TPlatine& layout = editor.CurrentBoard();
        before = layout.Count();
        editor.Execute(CommandId::ToolTrack);
        ASSERT_EQ(layout.Modus(), TPlatinenModus::pm_Leiterbahn);
        BoardControl& control = editor.Control(editor.CurrentIndex());
        editor.activateWindow();
        QApplication::processEvents();
        test::Click(control, layout.BoardToControl(test::Hole(2, 0)));
        // Grabbing the pointer moves the focus; inside the modal editor that ends nothing.
        QFocusEvent focusOut(QEvent::FocusOut, Qt::OtherFocusReason);
        QApplication::sendEvent(&control, &focusOut);
        test::MouseMove(control, layout.BoardToControl(test::Hole(2, 3)));
        test::Click(control, layout.BoardToControl(test::Hole(2, 4)));
        after = layout.Count();
        editor.Execute(CommandId::LayoutAccept);
    });
    EXPECT_EQ(after, before + 1);
    EXPECT_EQ(Board().Layout()->Count(), after);
}

TEST_F(LayoutEditorTest, TheEditorSavesOpensAndStartsLayoutFiles) {
    const QString path = folder_.filePath(QStringLiteral("eigen"));
    shown_.dialogs->nextSaveFile = path;
    shown_.dialogs->nextLayout = path + QStringLiteral(".KVB");
    shown_.dialogs->saveAnswer = SaveAnswer::No;
    InEditor([&](MainWindow& editor) {
        editor.CurrentBoard().SetSize(3810, 2540);
        editor.Execute(CommandId::FileSave);
        ASSERT_TRUE(QFileInfo::exists(path + QStringLiteral(".KVB")));
        EXPECT_EQ(shown_.dialogs->saveRequests.back().Name, QStringLiteral("NONAME.KVB"));
        EXPECT_TRUE(editor.windowTitle().contains(QStringLiteral("eigen.KVB")));
        EXPECT_FALSE(editor.CurrentBoard().Modified());

        editor.Execute(CommandId::FileNew);
        EXPECT_EQ(editor.CurrentBoard().Count(), 0);

        editor.Execute(CommandId::FileOpen);
        EXPECT_EQ(editor.CurrentBoard().Count(), 5);
        EXPECT_EQ(editor.CurrentBoard().Width(), 3810);
        EXPECT_EQ(editor.CurrentBoard().PlatinenName(), QStringLiteral("eigen.KVB"));
        editor.Execute(CommandId::LayoutAccept);
    });
    EXPECT_EQ(Board().Width(), 3810);

    // The layout written by the editor starts a new board as any shipped one does.
    std::unique_ptr<TPlatine> fresh = std::make_unique<TPlatine>(shown_->View());
    ReadLayoutIntoBoard(path + QStringLiteral(".KVB"), *fresh);
    EXPECT_EQ(fresh->Layout()->Count(), 5);
}

} // namespace
} // namespace karvel
