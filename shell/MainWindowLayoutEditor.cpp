// The board layout editor: the main window reduced to editing one board's copper layout, run
// modally from the main window, with its own layout files.

#include "shell/MainWindow.h"

#include "board/Board.h"
#include "board/Continuity.h"
#include "board/ElementClipboard.h"
#include "board/LayoutEditing.h"
#include "board/ProjectFile.h"
#include "board/tools/ToolManager.h"
#include "shell/BoardArea.h"
#include "shell/BoardControl.h"
#include "shell/CommandTable.h"
#include "shell/InfoDisplay.h"
#include "shell/LibraryPanel.h"
#include "shell/MenuLayout.h"

#include <QtCore/QEventLoop>
#include <QtCore/QFileInfo>
#include <QtGui/QCloseEvent>
#include <QtWidgets/QMenu>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QToolBar>
#include <set>

namespace karvel {

namespace {

using enum CommandId;

constexpr int ViewBarNumber = 2;
constexpr int FileBarNumber = 10;

// Select, zoom and the copper tools, top to bottom.
constexpr std::array EditorToolColumn{ToolStandard,        ToolZoom,    ToolDrill,
                                      ToolPadWithDrilling, ToolPad,     ToolTrack,
                                      ToolRectangle,       ToolPolygon, ToolOrigin};

bool IsEditorMenu(const QString& name) {
    return name == u"Bearbeiten1" || name == u"Anordnen1" || name == u"Hilfe1";
}

} // namespace

bool IsLayoutEditorCommand(CommandId id) {
    switch (id) {
    case ToolPadWithDrilling:
    case ToolPad:
    case ToolTrack:
    case LayoutAccept:
    case LayoutReject:
        return true;
    default:
        return false;
    }
}

// --- In the main window ------------------------------------------------------------------------

MainWindow& MainWindow::LayoutEditor() {
    if (!layoutEditor_) {
        Options options;
        options.Language = view_.Sprache;
        options.Dialogs = dialogs_;
        options.Role = Role::LayoutEditor;
        layoutEditor_ = std::make_unique<MainWindow>(std::move(options));
        layoutEditor_->AskToolSize = AskToolSize;
        if (OnLayoutEditorMade)
            OnLayoutEditorMade(*layoutEditor_);
    }
    return *layoutEditor_;
}

void MainWindow::EditLayoutCommand(int) {
    if (IsLayoutEditor() || !EndBoardOperation() || !CurrentBoard().IsMainBoard())
        return;
    TPlatine& board = CurrentBoard();
    if (board.Modus() == TPlatinenModus::pm_Test)
        board.Analysis().EndTest();
    MainWindow& editor = LayoutEditor();
    // The editor sees the board as the program shows it now; its clipboard starts empty, as
    // elements of a layout are of another kind than a board's.
    editor.View() = view_;
    editor.View().ClipboardFilled = false;
    bool accepted = false;
    {
        const DialogScope scope(*this);
        accepted = editor.RunAsLayoutEditor(CopyLayoutForEditing(board, editor.View()));
    }
    if (accepted) {
        AcceptEditedLayout(board, editor.CurrentBoard());
        board.FitBoard();
        board.Fire(board.OnChange);
    }
    clipboard_->Forget();
    Control(current_).InvalidateAll();
    UpdateRulers(true);
    DoMenues();
    if (accepted)
        Display().SetLines(
            view_.Tr(QStringLiteral("Layout übernommen"), QStringLiteral("Board layout accepted")),
            view_.Tr(QStringLiteral("Rückgängig-Liste geleert"),
                     QStringLiteral("Undo history cleared")));
}

// --- In the editor -------------------------------------------------------------------------------

void MainWindow::ReduceToLayoutEditor() {
    setObjectName(QStringLiteral("BrdEditor"));
    library_->hide();
    area_->Tabs().hide();
    for (QMenu* menu : mainMenus_)
        menu->menuAction()->setVisible(IsEditorMenu(menu->objectName()));
    // What the element menu would offer on a layout makes no sense there.
    for (const CommandId id : {PopupProperties, PopupAddToLibrary})
        elementMenu_->removeAction(&Action(id));
    const QList<QAction*> popupItems = elementMenu_->actions();
    if (!popupItems.isEmpty() && popupItems.back()->isSeparator())
        elementMenu_->removeAction(popupItems.back());

    ToolWindow(FileBarNumber).removeAction(&Action(FilePrint));
    QToolBar& viewBar = ToolWindow(ViewBarNumber);
    viewBar.clear();
    unusedButton_ = nullptr;
    viewBar.addAction(&Action(ViewSolderSide));
    viewBar.addAction(&Action(ViewSeeThrough));
    viewBar.addSeparator();
    viewBar.addAction(&Action(LayoutAccept));
    viewBar.addAction(&Action(LayoutReject));

    toolColumn_->clear();
    for (const CommandId id : EditorToolColumn)
        toolColumn_->addAction(&Action(id));
    ApplyLayoutEditorLanguage();
    CollectEditorCommands();
    UpdateTitle();
    DoMenues();
}

void MainWindow::ApplyLayoutEditorLanguage() {
    struct Hint {
        CommandId Id;
        const char16_t* German;
        const char16_t* English;
    };
    static constexpr std::array Hints{
        Hint{ToolDrill, u"Bohrung zeichnen", u"Add drillings"},
        Hint{ToolRectangle, u"Rechteckige Kupferfläche", u"Draw rectangles"},
        Hint{ToolPolygon, u"Geschlossene Kupferfläche (Polygon)", u"Draw polygons"},
    };
    for (const Hint& hint : Hints) {
        const QString text =
            view_.Tr(QString::fromUtf16(hint.German), QString::fromUtf16(hint.English));
        Action(hint.Id).setToolTip(text);
        Action(hint.Id).setStatusTip(text);
    }
}

// The editor offers what its menus, tool bars, tool column and keys show, and saving under a
// new name; everything else stays disabled, shortcuts included.
void MainWindow::CollectEditorCommands() {
    std::set<const QAction*> reachable;
    const auto take = [&](const QWidget& widget) {
        for (const QAction* action : widget.actions())
            reachable.insert(action);
    };
    for (const QMenu* menu : mainMenus_)
        if (menu->menuAction()->isVisible())
            take(*menu);
    take(*elementMenu_);
    take(*showToolsMenu_);
    take(*toolColumn_);
    for (const QToolBar* bar : toolWindows_)
        take(*bar);
    for (const CommandId id : WindowKeys())
        reachable.insert(&Action(id));
    for (const CommandId id : {FileSaveAs, ViewShowTools})
        reachable.insert(&Action(id));
    editorCommands_.assign(std::size_t(CommandCount), false);
    for (std::size_t i = 0; i < editorCommands_.size(); ++i)
        editorCommands_[i] = reachable.contains(actions_[i]);
}

bool MainWindow::RunAsLayoutEditor(std::unique_ptr<TBoard> layout) {
    layoutFile_.clear();
    ShowLayoutBoard(std::move(layout));
    editorAccepted_.reset();
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    CurrentBoard().FitBoard();
    Control(current_).InvalidateAll();
    QEventLoop loop;
    editorLoop_ = &loop;
    if (isVisible())
        loop.exec();
    editorLoop_ = nullptr;
    return editorAccepted_.value_or(false);
}

// One fresh tab, never shown as a tab, holding the layout; new elements are always filled.
void MainWindow::ShowLayoutBoard(std::unique_ptr<TBoard> layout) {
    RemoveAllBoards();
    AddBoardTab(std::move(layout));
    CurrentBoard().CurrentFill = true;
    UpdateTitle();
    DoMenues();
}

void MainWindow::LayoutEditorCommand(int tag) {
    if (!IsLayoutEditor())
        return;
    editorAccepted_ = tag == 1;
    close();
}

void MainWindow::CloseLayoutEditor(QCloseEvent& event) {
    // A drawing still under way ends as if the pointer had been let go.
    if (BoardBusy())
        Control(current_).Editor().PointerLost();
    if (OnToolWindowsLeft)
        OnToolWindowsLeft(*this);
    if (!editorAccepted_) {
        const DialogScope scope(*this);
        switch (dialogs_->AskToSave(
            this, view_.Tr(QStringLiteral("Layout schliessen"), QStringLiteral("Board layout")),
            view_.Tr(QStringLiteral("Layout für Platine übernehmen?"),
                     QStringLiteral("Accept layout for your board?")))) {
        case SaveAnswer::Yes:
            editorAccepted_ = true;
            break;
        case SaveAnswer::No:
            editorAccepted_ = false;
            break;
        case SaveAnswer::Cancel:
            event.ignore();
            return;
        }
    }
    event.accept();
    for (QToolBar* bar : toolWindows_)
        if (bar->isFloating())
            bar->hide();
    if (editorLoop_ != nullptr)
        editorLoop_->quit();
}

QString MainWindow::LayoutFolder() const {
    if (!layoutFile_.isEmpty())
        return QFileInfo(layoutFile_).absolutePath();
    return view_.ProgramFolder + QStringLiteral("/Board Layouts");
}

void MainWindow::NewLayout() {
    if (!SavePromptSaysGoOn())
        return;
    layoutFile_.clear();
    ShowLayoutBoard(std::make_unique<TBoard>(view_));
}

void MainWindow::OpenLayout() {
    if (BoardBusy() || !SavePromptSaysGoOn())
        return;
    QString path;
    {
        const DialogScope scope(*this);
        path = dialogs_->ChooseBoardLayout(this, LayoutFolder(), view_.Sprache);
    }
    if (path.isEmpty())
        return;
    // Read in full before the open layout goes: a file that cannot be read changes nothing.
    auto layout = std::make_unique<TBoard>(view_);
    if (!ReadingLayout(path, [&] { ReadLayoutFile(path, *layout); }))
        return;
    layoutFile_ = path;
    ShowLayoutBoard(std::move(layout));
}

bool MainWindow::SaveLayout() {
    auto* layout = dynamic_cast<TBoard*>(&CurrentBoard());
    if (layout == nullptr)
        return false;
    SaveFileRequest request;
    request.Title =
        view_.Tr(QStringLiteral("Layout speichern unter"), QStringLiteral("Save board layout as"));
    request.Folder = LayoutFolder();
    request.Name =
        layoutFile_.isEmpty() ? QStringLiteral("NONAME.KVB") : QFileInfo(layoutFile_).fileName();
    request.Filters = {view_.Tr(QStringLiteral("Karvel Board (*.KVB *.kvb)"),
                                QStringLiteral("Karvel board layouts (*.kvb *.KVB)"))};
    request.DefaultSuffix = QStringLiteral("KVB");
    QString path;
    {
        const DialogScope scope(*this);
        path = dialogs_->ChooseFileToSave(this, request);
    }
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".KVB");
    const QString error = SaveLayoutFile(path, *layout);
    if (!error.isEmpty()) {
        const DialogScope scope(*this);
        dialogs_->ShowMessage(
            this, MessageIcon::Error,
            view_.Tr(QStringLiteral("Schreibfehler"), QStringLiteral("Write error")),
            view_.Tr(QStringLiteral("Das Layout wurde nicht gespeichert; die Datei \"%1\" "
                                    "bleibt, wie sie war:"),
                     QStringLiteral("The board layout was not saved; the file \"%1\" stays as "
                                    "it was:"))
                    .arg(path) +
                u'\r' + error);
        return false;
    }
    layoutFile_ = path;
    layout->SetModified(false);
    UpdateTitle();
    return true;
}

ToolWindowPlacement MainWindow::ToolWindowPlace(int number) const {
    const QToolBar& bar = ToolWindow(number);
    ToolWindowPlacement placement;
    placement.Visible = !bar.isHidden();
    if (bar.isFloating()) {
        placement.Where = ToolWindowPlacement::Dock::Floating;
        placement.Position = bar.pos();
    } else {
        placement.Where = toolBarArea(&bar) == Qt::BottomToolBarArea
                              ? ToolWindowPlacement::Dock::Bottom
                              : ToolWindowPlacement::Dock::Top;
        placement.Position = bar.mapToGlobal(QPoint(0, 0));
    }
    return placement;
}

} // namespace karvel
