// The project of the main window: its boards on tabs, opening project files, the recent-file
// list, the save prompt and the window title.

#include "shell/MainWindow.h"

#include "board/Platine.h"
#include "board/tools/ToolManager.h"
#include "shell/BoardArea.h"
#include "shell/BoardControl.h"
#include "shell/ColourGrid.h"
#include "shell/LoadingWindow.h"
#include "shell/Palette.h"
#include "shell/ScrollBoxEx.h"
#include "stream/LoadError.h"
#include "stream/StreamError.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QCursor>
#include <QtWidgets/QMenu>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTabBar>

namespace karvel {

namespace {

const QString ProgramTitle = QStringLiteral("Karvel 3.0");
const QString LayoutEditorTitle = QStringLiteral("Board Layout");

} // namespace

TPlatine& MainWindow::Board(int index) const {
    return project_.Board(index);
}

bool MainWindow::IsCurrent(const TPlatine& board) const {
    return current_ >= 0 && current_ < int(boards_.size()) &&
           boards_[std::size_t(current_)].Board == &board;
}

BoardControl& MainWindow::Control(int index) const {
    return *boards_.at(std::size_t(index)).Control;
}

TScrollBoxEx& MainWindow::ScrollBox(int index) const {
    return *boards_.at(std::size_t(index)).ScrollBox;
}

QString MainWindow::TabCaption(int index) const {
    return area_->Tabs().tabText(index);
}

// --- Board tabs ----------------------------------------------------------------------------------

int MainWindow::AddBoardTab(std::unique_ptr<TPlatine> board) {
    return project_.Append(std::move(board));
}

void MainWindow::ConnectProject() {
    project_.OnBoardAdded = [this](int index) { ShowAddedBoard(index); };
    project_.OnBoardLeaving = [this](int index) { DropBoardView(index); };
    project_.OnBoardMoved = [this](int from, int to) { MoveBoardView(from, to); };
}

// A board joined the project: it gets its view and tab, the window's tool settings, and is
// shown.
void MainWindow::ShowAddedBoard(int index) {
    BoardView view;
    view.Board = &project_.Board(index);
    view.ScrollBox = std::make_unique<TScrollBoxEx>();
    view.ScrollBox->setFrameShape(QFrame::NoFrame);
    view.Control = new BoardControl(*view.Board);
    view.ScrollBox->setWidget(view.Control);
    area_->AddView(*view.ScrollBox);
    TPlatine& added = *view.Board;
    BoardControl& control = *view.Control;
    TScrollBoxEx& scroll = *view.ScrollBox;
    boards_.insert(boards_.begin() + index, std::move(view));

    added.SetHost(&scroll);
    ConnectBoard(added);
    control.OnMouseMove = [this, &control](const BoardMouseEvent& e) { MouseMoved(control, e); };
    control.OnMousePress = [this, &control](const BoardMouseEvent& e) { MousePressed(control, e); };
    control.OnMouseRelease = [this, &control](const BoardMouseEvent& e) {
        MouseReleased(control, e);
    };
    control.OnContextMenu = [this, &added](QPoint) { added.Fire(added.OnPopupRequest); };
    for (QScrollBar* bar : {scroll.horizontalScrollBar(), scroll.verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] { UpdateRulers(false); });

    added.CurrentPenColour = PaletteColour(colourGrid_->Foreground());
    added.CurrentBrushColour = PaletteColour(colourGrid_->Background());
    added.CurrentPenWidth = 50;
    // Twice, so that the previous mode is the select tool as well.
    added.SetModus(TPlatinenModus::pm_Standard);
    added.SetModus(TPlatinenModus::pm_Standard);
    added.SetUmrissModus(outlineMode_);
    ResetStatusLines(added);

    {
        const QSignalBlocker quiet(&area_->Tabs());
        area_->Tabs().insertTab(index, added.PlatinenName());
    }
    SelectBoard(index);
    added.FitBoard();
}

// A board's view goes before the board: its editor lets go of the board as it goes.
void MainWindow::DropBoardView(int index) {
    {
        const QSignalBlocker quiet(&area_->Tabs());
        area_->Tabs().removeTab(index);
    }
    boards_.erase(boards_.begin() + index);
    current_ = -1;
}

void MainWindow::MoveBoardView(int from, int to) {
    {
        const QSignalBlocker quiet(&area_->Tabs());
        area_->Tabs().moveTab(from, to);
    }
    BoardView moved = std::move(boards_[std::size_t(from)]);
    boards_.erase(boards_.begin() + from);
    boards_.insert(boards_.begin() + to, std::move(moved));
}

void MainWindow::ConnectBoard(TPlatine& board) {
    board.OnChange = [this](TPlatine& b) { BoardChanged(b); };
    board.OnModeChange = [this](TPlatine& b) { BoardModeChanged(b); };
    board.OnMyClick = [this](TPlatine& b) {
        if (!IsCurrent(b))
            return;
        DoMenues();
        ScheduleUnusedAreasRefresh();
    };
    board.OnPopupRequest = [this](TPlatine& b) {
        if (IsCurrent(b) && b.Modus() == TPlatinenModus::pm_Standard)
            elementMenu_->popup(QCursor::pos());
    };
    board.OnSnapshotDamaged = [this](TPlatine& b, const StreamError& error) {
        ShowLoadError(LoadErrorCaption(),
                      view_.Tr(QStringLiteral("Die Platine \"%1\" konnte nicht vollständig "
                                              "wiederhergestellt werden; gezeigt wird, was davon "
                                              "gelesen werden konnte:"),
                               QStringLiteral("The board \"%1\" could not be restored completely; "
                                              "what could be read of it is shown:"))
                              .arg(b.PlatinenName()) +
                          u'\r' + error.Message(view_.Sprache),
                      MessageIcon::Error);
    };
}

void MainWindow::RemoveAllBoards() {
    project_.RemoveAll();
}

void MainWindow::SelectBoard(int index) {
    if (!project_.Select(index))
        return;
    current_ = index;
    area_->ShowView(*boards_[std::size_t(index)].ScrollBox);
    if (area_->Tabs().currentIndex() != index) {
        const QSignalBlocker quiet(&area_->Tabs());
        area_->Tabs().setCurrentIndex(index);
    }
    DoMenues();
    TPlatine& board = CurrentBoard();
    board.Fire(board.OnChange);
    board.Fire(board.OnModeChange);
    UpdateRulers(true);
    ScheduleUnusedAreasRefresh();
    FollowAnnotations();
}

void MainWindow::NextBoardCommand(int) {
    if (!EndBoardOperation())
        return;
    SelectBoard((current_ + 1) % BoardCount());
}

// --- Opening -------------------------------------------------------------------------------------

void MainWindow::OpenCommand(int) {
    if (IsLayoutEditor()) {
        OpenLayout();
        return;
    }
    if (!EndBoardOperation() || !SavePromptSaysGoOn())
        return;
    QString chosen;
    {
        const DialogScope scope(*this);
        chosen = dialogs_->ChooseProjectToOpen(this, OpenDialogFolder(), view_.Sprache);
    }
    if (!chosen.isEmpty())
        OpenProjectFile(chosen);
    UpdateTitle();
}

bool MainWindow::OpenProjectFile(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists()) {
        ShowLoadError(ProgramTitle,
                      view_
                          .Tr(QStringLiteral("Die Datei \"%1\" gibt es nicht."),
                              QStringLiteral("The file \"%1\" does not exist."))
                          .arg(path),
                      MessageIcon::Warning);
        return false;
    }
    if (!LoadProject(file.absoluteFilePath()))
        return false;
    recent_.Add(file.absoluteFilePath());
    recent_.Store();
    UpdateRecentMenu();
    return true;
}

void MainWindow::RecentFileCommand(int index) {
    if (index >= recent_.Entries().size())
        return;
    const QString path = recent_.Entries()[index];
    if (QFileInfo::exists(path) && SavePromptSaysGoOn())
        LoadProject(path);
    recent_.MoveToTop(index);
    UpdateRecentMenu();
}

QString MainWindow::LoadErrorCaption() const {
    return view_.Tr(QStringLiteral("Lesefehler"), QStringLiteral("Read error"));
}

// Reads the whole file first: a file that yields no board leaves the project as it was.
bool MainWindow::LoadProject(const QString& path) {
    loading_->Begin(QFileInfo(path).fileName());
    ProjectRead read = Project::Read(path, view_);
    if (read.Boards.empty()) {
        loading_->End();
        if (read.Problem)
            ShowFileProblem(*read.Problem);
        return false;
    }
    loading_->SetProgress(100);
    const std::optional<FileProblem> problem = project_.Open(std::move(read), path);
    loading_->End();
    UpdateTitle();
    if (problem)
        ShowFileProblem(*problem);
    return true;
}

void MainWindow::ShowLoadError(const QString& caption, const QString& text, MessageIcon icon) {
    const DialogScope scope(*this);
    dialogs_->ShowMessage(this, icon, caption, text);
}

// The project says what went wrong; the window gives it its caption and its weight.
void MainWindow::ShowFileProblem(const FileProblem& problem) {
    switch (problem.What) {
    case FileProblem::Kind::CannotOpen:
        ShowLoadError(ProgramTitle, problem.Text, MessageIcon::Error);
        break;
    case FileProblem::Kind::TooNew:
        ShowLoadError(VersionError::Caption(view_.Sprache), problem.Text, MessageIcon::Warning);
        break;
    case FileProblem::Kind::NoBoard:
    case FileProblem::Kind::Damaged:
        ShowLoadError(LoadErrorCaption(), problem.Text, MessageIcon::Error);
        break;
    case FileProblem::Kind::NotSaved:
        ShowLoadError(view_.Tr(QStringLiteral("Schreibfehler"), QStringLiteral("Write error")),
                      problem.Text, MessageIcon::Error);
        break;
    case FileProblem::Kind::BackupNotSaved:
        ShowLoadError(view_.Tr(QStringLiteral("AutoSpeichern"), QStringLiteral("AutoSave")),
                      problem.Text, MessageIcon::Warning);
        break;
    }
}

// The folder of the project file, else of the "Editfile"; empty when neither names one.
QString MainWindow::ProjectFolder() const {
    if (!project_.FileName().isEmpty())
        return QFileInfo(project_.FileName()).absolutePath();
    if (!editFile_.isEmpty() && QFileInfo(editFile_).absoluteDir().exists())
        return QFileInfo(editFile_).absolutePath();
    return {};
}

QString MainWindow::OpenDialogFolder() const {
    if (const QString folder = ProjectFolder(); !folder.isEmpty())
        return folder;
    const QDir examples(view_.ProgramFolder + QStringLiteral("/examples"));
    return examples.exists() ? examples.absolutePath() : QDir::homePath();
}

// The examples beside the program are no place for the user's own projects, and once the
// program is installed nothing can be written there: a new project is offered the folder of
// the last project opened or saved, or the home folder.
QString MainWindow::SaveDialogFolder() const {
    if (const QString folder = ProjectFolder(); !folder.isEmpty())
        return folder;
    for (const QString& recent : recent_.Entries())
        if (QFileInfo(recent).absoluteDir().exists())
            return QFileInfo(recent).absolutePath();
    return QDir::homePath();
}

// --- Save prompt and title -----------------------------------------------------------------------

bool MainWindow::SavePromptSaysGoOn() {
    const DialogScope scope(*this);
    if (!project_.Modified())
        return true;
    QString text = view_.Tr(QStringLiteral("Möchten Sie die Änderungen speichern?"),
                            QStringLiteral("Save changes?"));
    if (!IsLayoutEditor())
        text += u'\r' + project_.FileName();
    switch (dialogs_->AskToSave(this, IsLayoutEditor() ? LayoutEditorTitle : ProgramTitle, text)) {
    case SaveAnswer::No:
        return true;
    case SaveAnswer::Yes:
        // Only a project that was written may be let go.
        return SaveProject(false);
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void MainWindow::UpdateTitle() {
    if (IsLayoutEditor()) {
        setWindowTitle(layoutFile_.isEmpty()
                           ? LayoutEditorTitle
                           : LayoutEditorTitle + QStringLiteral(" - [") + layoutFile_ + u']');
        return;
    }
    if (project_.FileName().isEmpty()) {
        setWindowTitle(ProgramTitle);
        return;
    }
    QString title = ProgramTitle + QStringLiteral(" - [") + project_.FileName() + u']';
    if (project_.Incomplete())
        title += view_.Tr(QStringLiteral(" (unvollständig)"), QStringLiteral(" (incomplete)"));
    setWindowTitle(title);
}

} // namespace karvel
