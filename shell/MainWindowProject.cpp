// The project of the main window: its boards on tabs, opening project files, the recent-file
// list, the save prompt and the window title.

#include "shell/MainWindow.h"

#include "board/Platine.h"
#include "board/ProjectFile.h"
#include "board/tools/ToolManager.h"
#include "shell/BoardArea.h"
#include "shell/BoardControl.h"
#include "shell/ColourGrid.h"
#include "shell/LoadingWindow.h"
#include "shell/Palette.h"
#include "shell/ScrollBoxEx.h"

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

// The board whose record the damage broke off and of which nothing but its header was read is
// not shown: its name would be whatever bytes stood where a name belongs. A file without any
// other board is not a project.
void DropBrokenBoard(ProjectLoad& load) {
    if (load.Error && !load.Boards.empty() && load.Boards.back()->Count() == 0)
        load.Boards.pop_back();
}

// The version text of a board record, such as "3,08". Other bytes in its place mean that the
// file is no project at all, rather than one of a newer program.
bool LooksLikeVersion(const QString& text) {
    return text.size() == 4 && text[0].isDigit() && text[1] == u',' && text[2].isDigit() &&
           text[3].isDigit();
}

} // namespace

TPlatine& MainWindow::Board(int index) const {
    return *boards_.at(std::size_t(index)).Board;
}

bool MainWindow::IsCurrent(const TPlatine& board) const {
    return current_ >= 0 && current_ < BoardCount() &&
           boards_[std::size_t(current_)].Board.get() == &board;
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
    BoardView view;
    view.Board = std::move(board);
    view.ScrollBox = std::make_unique<TScrollBoxEx>();
    view.ScrollBox->setFrameShape(QFrame::NoFrame);
    view.Control = new BoardControl(*view.Board);
    view.ScrollBox->setWidget(view.Control);
    area_->AddView(*view.ScrollBox);
    TPlatine& added = *view.Board;
    BoardControl& control = *view.Control;
    TScrollBoxEx& scroll = *view.ScrollBox;
    boards_.push_back(std::move(view));

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
    added.SetDateiname(projectFileName_);
    ResetStatusLines(added);

    const int index = BoardCount() - 1;
    {
        const QSignalBlocker quiet(&area_->Tabs());
        area_->Tabs().addTab(added.PlatinenName());
    }
    SelectBoard(index);
    added.FitBoard();
    return index;
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
}

void MainWindow::RemoveAllBoards() {
    const QSignalBlocker quiet(&area_->Tabs());
    while (area_->Tabs().count() > 0)
        area_->Tabs().removeTab(0);
    boards_.clear();
    current_ = -1;
}

void MainWindow::SelectBoard(int index) {
    if (index < 0 || index >= BoardCount())
        return;
    for (const BoardView& view : boards_)
        view.Board->SetDateiname(projectFileName_);
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

// The boards of a project file, or nothing when it yields none; then the reason was shown.
std::optional<ProjectLoad> MainWindow::ReadBoardsOf(const QString& path) {
    ProjectLoad load;
    try {
        load = ReadProjectFile(path, view_);
    } catch (const VersionError& error) {
        loading_->End();
        if (LooksLikeVersion(error.FileVersion()))
            ShowLoadError(VersionError::Caption(view_.Sprache), error.Message(view_.Sprache),
                          MessageIcon::Warning);
        else
            ShowNoBoardError(path, {});
        return std::nullopt;
    } catch (const FileOpenError& error) {
        loading_->End();
        ShowLoadError(ProgramTitle, error.Message(view_.Sprache), MessageIcon::Error);
        return std::nullopt;
    }
    DropBrokenBoard(load);
    if (load.Boards.empty()) {
        loading_->End();
        ShowNoBoardError(path, load.Error ? load.Error->Message(view_.Sprache) : QString());
        return std::nullopt;
    }
    return load;
}

// Reads the whole file first: a file that yields no board leaves the project as it was.
bool MainWindow::LoadProject(const QString& path) {
    loading_->Begin(QFileInfo(path).fileName());
    std::optional<ProjectLoad> read = ReadBoardsOf(path);
    if (!read)
        return false;
    ProjectLoad& load = *read;
    loading_->SetProgress(100);
    RemoveAllBoards();
    projectFileName_ = ProjectNameFor(path);
    // Saving it under its own name would replace the damaged file by the part that was read.
    projectIncomplete_ = load.Error.has_value();
    for (std::unique_ptr<TPlatine>& board : load.Boards)
        AddBoardTab(std::move(board));
    loading_->End();
    UpdateTitle();
    if (load.Error)
        ShowLoadError(LoadErrorCaption(),
                      load.Error->Message(view_.Sprache) + u'\r' +
                          view_.Tr(QStringLiteral("Die Datei ist beschädigt; gezeigt wird, was "
                                                  "bis dahin gelesen werden konnte:"),
                                   QStringLiteral("The file is damaged; what could be read up "
                                                  "to there is shown:")) +
                          u'\r' + path,
                      MessageIcon::Error);
    return true;
}

void MainWindow::ShowNoBoardError(const QString& path, const QString& reason) {
    QString text = view_
                       .Tr(QStringLiteral("Die Datei \"%1\" enthält keine lesbare Platine und "
                                          "wird nicht geöffnet."),
                           QStringLiteral("The file \"%1\" holds no board that can be read and "
                                          "is not opened."))
                       .arg(path);
    if (!reason.isEmpty())
        text += u'\r' + reason;
    ShowLoadError(LoadErrorCaption(), text, MessageIcon::Error);
}

void MainWindow::ShowLoadError(const QString& caption, const QString& text, MessageIcon icon) {
    const DialogScope scope(*this);
    dialogs_->ShowMessage(this, icon, caption, text);
}

// A backup opened from its ".BAK" file is saved to its project file. On this system the
// project file's extension may be spelt "rst" or "RST"; an existing one is preferred.
QString MainWindow::ProjectNameFor(const QString& loadedPath) {
    if (!loadedPath.endsWith(QStringLiteral("BAK"), Qt::CaseSensitive))
        return loadedPath;
    const QString stem = loadedPath.chopped(3);
    const QFileInfo info(stem + QStringLiteral("rst"));
    const QStringList siblings = info.dir().entryList({info.fileName()}, QDir::Files);
    if (!siblings.isEmpty())
        return info.dir().filePath(siblings.front());
    return stem + QStringLiteral("RST");
}

// The folder of the project file, else of the "Editfile"; empty when neither names one.
QString MainWindow::ProjectFolder() const {
    if (!projectFileName_.isEmpty())
        return QFileInfo(projectFileName_).absolutePath();
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
    const bool modified = std::any_of(boards_.begin(), boards_.end(),
                                      [](const BoardView& view) { return view.Board->Modified(); });
    if (!modified)
        return true;
    QString text = view_.Tr(QStringLiteral("Möchten Sie die Änderungen speichern?"),
                            QStringLiteral("Save changes?"));
    if (!IsLayoutEditor())
        text += u'\r' + projectFileName_;
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
    if (projectFileName_.isEmpty()) {
        setWindowTitle(ProgramTitle);
        return;
    }
    QString title = ProgramTitle + QStringLiteral(" - [") + projectFileName_ + u']';
    if (projectIncomplete_)
        title += view_.Tr(QStringLiteral(" (unvollständig)"), QStringLiteral(" (incomplete)"));
    setWindowTitle(title);
}

} // namespace karvel
