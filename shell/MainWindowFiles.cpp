// The project on disk and its board tabs: new, save, save as, the board commands of the Board
// menu and the tab menu, and the periodic backup.

#include "board/BoardProperties.h"
#include "board/Platine.h"
#include "board/ProjectFile.h"
#include "board/stream/LoadError.h"
#include "board/stream/StreamError.h"
#include "platform/NumberLocale.h"
#include "shell/BoardArea.h"
#include "shell/LibraryController.h"
#include "shell/MainWindow.h"
#include "shell/ScrollBoxEx.h"

#include <QtCore/QFileInfo>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTabBar>

namespace karvel {

std::vector<TPlatine*> MainWindow::AllBoards() const {
    std::vector<TPlatine*> result;
    for (const BoardView& view : boards_)
        result.push_back(view.Board.get());
    return result;
}

void MainWindow::FileCommand(int tag) {
    if (!EndBoardOperation())
        return;
    switch (CommandId(tag)) {
    case CommandId::FileNew:
        if (IsLayoutEditor())
            NewLayout();
        else
            NewProject();
        break;
    case CommandId::FileSave:
        SaveProject(false);
        break;
    case CommandId::FileSaveAs:
        SaveProject(true);
        break;
    case CommandId::BoardAdd:
    case CommandId::TabAdd:
        AddBoardWithLayout();
        break;
    case CommandId::BoardDuplicate:
    case CommandId::TabDuplicate:
        DuplicateCurrentBoard();
        break;
    case CommandId::BoardDelete:
    case CommandId::TabDelete:
        DeleteCurrentBoard();
        break;
    case CommandId::BoardImport:
    case CommandId::TabImport:
        ImportProject();
        break;
    case CommandId::BoardToFirst:
    case CommandId::TabToFirst:
        MoveCurrentBoard(0);
        break;
    case CommandId::BoardToLast:
    case CommandId::TabToLast:
        MoveCurrentBoard(BoardCount() - 1);
        break;
    case CommandId::BoardMoveLeft:
    case CommandId::TabMoveLeft:
        MoveCurrentBoard(current_ - 1);
        break;
    case CommandId::BoardMoveRight:
    case CommandId::TabMoveRight:
        MoveCurrentBoard(current_ + 1);
        break;
    case CommandId::FillBitmap:
        LoadFillPicture();
        break;
    case CommandId::BoardProperties:
        EditBoardProperties(false);
        break;
    case CommandId::TabRename:
        EditBoardProperties(true);
        break;
    case CommandId::UndoDepth: {
        const DialogScope scope(*this);
        if (const std::optional<int> depth =
                dialogs_->AskUndoDepth(this, view_.UndoDepth, view_.Sprache))
            SetUndoDepth(*depth);
        break;
    }
    case CommandId::FileAutoSave: {
        const DialogScope scope(*this);
        if (const std::optional<AutoSaveSettings> chosen = dialogs_->EditAutoSave(
                this, {autoSave_.Enabled(), autoSave_.Interval()}, view_.Sprache))
            SetAutoSave(chosen->Enabled, chosen->Minutes);
        break;
    }
    default:
        break;
    }
    DoMenues();
}

// --- Saving ------------------------------------------------------------------------------------

bool MainWindow::SaveProject(bool askForName) {
    if (IsLayoutEditor())
        return SaveLayout();
    QString path = projectFileName_;
    // A file that was read only in part is not overwritten without the user choosing so.
    if (askForName || path.isEmpty() || projectIncomplete_) {
        SaveFileRequest request;
        request.Title = view_.Tr(QStringLiteral("Speichern unter"), QStringLiteral("Save as"));
        request.Folder = SaveDialogFolder();
        request.Name = path.isEmpty() ? QString() : QFileInfo(path).fileName();
        request.Filters = {view_.Tr(QStringLiteral("Karvel-Projekte (*.rst)"),
                                    QStringLiteral("Karvel projects (*.rst)"))};
        request.DefaultSuffix = QStringLiteral("rst");
        {
            const DialogScope scope(*this);
            path = dialogs_->ChooseFileToSave(this, request);
        }
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".rst");
    }
    const QString error = SaveProjectFile(path, AllBoards());
    if (!error.isEmpty()) {
        // The system's "access denied" would not tell that the file could be written.
        const QString reason =
            FolderRefusesNewFiles(path) ? FolderRefusesNewFilesMessage(path, view_.Sprache) : error;
        const DialogScope scope(*this);
        dialogs_->ShowMessage(
            this, MessageIcon::Error,
            view_.Tr(QStringLiteral("Schreibfehler"), QStringLiteral("Write error")),
            view_.Tr(QStringLiteral("Das Projekt wurde nicht gespeichert; die Datei \"%1\" "
                                    "bleibt, wie sie war:"),
                     QStringLiteral("The project was not saved; the file \"%1\" stays as it "
                                    "was:"))
                    .arg(path) +
                u'\r' + reason);
        return false;
    }
    projectFileName_ = path;
    projectIncomplete_ = false;
    for (const BoardView& view : boards_) {
        view.Board->SetModified(false);
        view.Board->SetDateiname(path);
    }
    recent_.Add(path);
    recent_.Store();
    UpdateRecentMenu();
    UpdateTitle();
    return true;
}

// --- New project and boards ----------------------------------------------------------------------

QString MainWindow::ChooseBoardLayout() {
    const DialogScope scope(*this);
    return dialogs_->ChooseBoardLayout(this, view_.ProgramFolder + QStringLiteral("/Board Layouts"),
                                       view_.Sprache);
}

// The layout is read before anything of the open project goes: one that cannot be read
// leaves the project as it was.
std::unique_ptr<TPlatine> MainWindow::BoardWithLayout(const QString& layoutPath) {
    auto board = std::make_unique<TPlatine>(view_);
    if (!ReadingLayout(layoutPath, [&] { ReadLayoutIntoBoard(layoutPath, *board); }))
        return nullptr;
    board->SetPlatinenName(view_.Tr(QStringLiteral("Neue Platine"), QStringLiteral("New board")));
    return board;
}

bool MainWindow::ReadingLayout(const QString& path, const std::function<void()>& read) {
    try {
        read();
        return true;
    } catch (const FileOpenError& error) {
        ShowLoadError(LoadErrorCaption(), error.Message(view_.Sprache), MessageIcon::Error);
    } catch (const VersionError& error) {
        ShowLoadError(VersionError::Caption(view_.Sprache), error.Message(view_.Sprache),
                      MessageIcon::Warning);
    } catch (const StreamError& error) {
        ShowLoadError(LoadErrorCaption(), error.Message(view_.Sprache) + u'\r' + path,
                      MessageIcon::Error);
    }
    return false;
}

void MainWindow::NewProject() {
    if (!SavePromptSaysGoOn())
        return;
    const QString layout = ChooseBoardLayout();
    if (layout.isEmpty())
        return;
    std::unique_ptr<TPlatine> board = BoardWithLayout(layout);
    if (!board)
        return;
    RemoveAllBoards();
    projectFileName_.clear();
    projectIncomplete_ = false;
    AddBoardTab(std::move(board));
    CurrentBoard().SetModified(true);
    UpdateTitle();
}

void MainWindow::AddBoardWithLayout() {
    const QString layout = ChooseBoardLayout();
    if (layout.isEmpty())
        return;
    std::unique_ptr<TPlatine> board = BoardWithLayout(layout);
    if (!board)
        return;
    AddBoardTab(std::move(board));
    CurrentBoard().SetModified(true);
}

void MainWindow::DuplicateCurrentBoard() {
    std::unique_ptr<TPlatine> copy = DuplicateBoard(CurrentBoard());
    copy->MarkiereAlle(false);
    AddBoardTab(std::move(copy));
    CurrentBoard().SetModified(true);
}

void MainWindow::DeleteCurrentBoard() {
    if (BoardCount() < 2)
        return;
    const QString name = CurrentBoard().PlatinenName();
    bool yes = false;
    {
        const DialogScope scope(*this);
        yes = dialogs_->Confirm(
            this, view_.Tr(QStringLiteral("Platine löschen"), QStringLiteral("Delete board")),
            view_
                .Tr(QStringLiteral("Möchten Sie die Platine \"%1\" endgültig aus dem Projekt "
                                   "entfernen?"),
                    QStringLiteral("Delete board \"%1\" from project?"))
                .arg(name));
    }
    if (!yes)
        return;
    const int index = current_;
    {
        const QSignalBlocker quiet(&area_->Tabs());
        area_->Tabs().removeTab(index);
    }
    boards_.erase(boards_.begin() + index);
    current_ = -1;
    SelectBoard(std::min(index, BoardCount() - 1));
    CurrentBoard().SetModified(true);
}

void MainWindow::ImportProject() {
    QString chosen;
    {
        const DialogScope scope(*this);
        chosen = dialogs_->ChooseProjectToOpen(this, OpenDialogFolder(), view_.Sprache);
    }
    if (chosen.isEmpty())
        return;
    std::optional<ProjectLoad> read = ReadBoardsOf(chosen);
    if (!read)
        return;
    ProjectLoad& load = *read;
    for (std::unique_ptr<TPlatine>& board : load.Boards) {
        board->SetDateiname(projectFileName_);
        AddBoardTab(std::move(board));
        CurrentBoard().SetModified(true);
    }
    if (load.Error)
        ShowLoadError(LoadErrorCaption(), load.Error->Message(view_.Sprache), MessageIcon::Error);
    UpdateTitle();
}

void MainWindow::MoveCurrentBoard(int to) {
    const int from = current_;
    if (to < 0 || to >= BoardCount() || to == from)
        return;
    {
        const QSignalBlocker quiet(&area_->Tabs());
        area_->Tabs().moveTab(from, to);
    }
    BoardView moved = std::move(boards_[std::size_t(from)]);
    boards_.erase(boards_.begin() + from);
    boards_.insert(boards_.begin() + to, std::move(moved));
    SelectBoard(to);
    CurrentBoard().SetModified(true);
}

void MainWindow::EditBoardProperties(bool nameOnly) {
    TPlatine& board = CurrentBoard();
    std::optional<BoardPropertiesText> chosen;
    {
        const DialogScope scope(*this);
        chosen =
            dialogs_->EditBoardProperties(this, PropertiesOf(board, NumberLocale(view_.Sprache)),
                                          nameOnly, view_.Sprache, LayoutHoles(board));
    }
    if (!chosen)
        return;
    if (nameOnly) {
        board.SetPlatinenName(chosen->Name);
        board.SetModified(true);
    } else {
        ApplyBoardProperties(board, *chosen);
        board.FitBoard();
        if (BoardHost* host = board.Host())
            host->Repaint();
    }
    area_->Tabs().setTabText(current_, board.PlatinenName());
}

// The picture goes into every selected shape; one that cannot be read changes nothing.
void MainWindow::LoadFillPicture() {
    QString path;
    {
        const DialogScope scope(*this);
        path = dialogs_->ChooseFillPicture(this, view_.ProgramFolder + QStringLiteral("/Bitmaps"),
                                           view_.Sprache);
    }
    if (path.isEmpty() || CurrentBoard().SetzeFuellbild(path))
        return;
    const DialogScope scope(*this);
    dialogs_->ShowMessage(this, MessageIcon::Warning, LoadErrorCaption(),
                          view_
                              .Tr(QStringLiteral("\"%1\" ist kein Bild, das gelesen werden kann; "
                                                 "die Füllung bleibt, wie sie war."),
                                  QStringLiteral("\"%1\" is not a picture that can be read; the "
                                                 "fill stays as it was."))
                              .arg(path));
}

// --- Backup ------------------------------------------------------------------------------------

void MainWindow::SetAutoSave(bool enabled, int intervalMinutes) {
    autoSave_.Configure(enabled, intervalMinutes);
}

void MainWindow::AutoSaveTick() {
    const bool busy = (current_ >= 0 && BoardBusy()) ||
                      QApplication::activeModalWidget() != nullptr ||
                      QApplication::activePopupWidget() != nullptr;
    if (autoSave_.Tick(!projectFileName_.isEmpty(), busy) != AutoSaveClock::Due::Now)
        return;
    // The shown library page is written with every backup.
    libraryPages_->SaveShown();
    const QString path = BackupPathFor(projectFileName_);
    const QString error = SaveProjectFile(path, AllBoards());
    if (!autoSave_.ReportFailure(!error.isEmpty()))
        return;
    const DialogScope scope(*this);
    dialogs_->ShowMessage(
        this, MessageIcon::Warning,
        view_.Tr(QStringLiteral("AutoSpeichern"), QStringLiteral("AutoSave")),
        view_.Tr(QStringLiteral("Die Sicherung \"%1\" kann nicht geschrieben werden; das Projekt "
                                "selbst ist unberührt:"),
                 QStringLiteral("The backup \"%1\" cannot be written; the project itself is "
                                "untouched:"))
                .arg(path) +
            u'\r' + error);
}

} // namespace karvel
