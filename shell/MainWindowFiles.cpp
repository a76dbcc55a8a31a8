// The project on disk and its board tabs: new, save, save as, the board commands of the Board
// menu and the tab menu, and the periodic backup.

#include "board/BoardProperties.h"
#include "board/Platine.h"
#include "board/ProjectFile.h"
#include "platform/NumberLocale.h"
#include "shell/BoardArea.h"
#include "shell/LibraryController.h"
#include "shell/MainWindow.h"
#include "shell/ScrollBoxEx.h"
#include "stream/LoadError.h"
#include "stream/StreamError.h"

#include <QtCore/QFileInfo>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTabBar>

namespace karvel {

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
    QString path = project_.FileName();
    // A file that was read only in part is not overwritten without the user choosing so.
    if (askForName || project_.NeedsNameToSave()) {
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
    if (const std::optional<FileProblem> problem = project_.Save(path)) {
        ShowFileProblem(*problem);
        return false;
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
    project_.StartNew(std::move(board));
    UpdateTitle();
}

void MainWindow::AddBoardWithLayout() {
    const QString layout = ChooseBoardLayout();
    if (layout.isEmpty())
        return;
    std::unique_ptr<TPlatine> board = BoardWithLayout(layout);
    if (!board)
        return;
    project_.Add(std::move(board));
}

void MainWindow::DuplicateCurrentBoard() {
    project_.DuplicateCurrent();
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
    if (yes && project_.DeleteCurrent())
        SelectBoard(project_.CurrentIndex());
}

void MainWindow::ImportProject() {
    QString chosen;
    {
        const DialogScope scope(*this);
        chosen = dialogs_->ChooseProjectToOpen(this, OpenDialogFolder(), view_.Sprache);
    }
    if (chosen.isEmpty())
        return;
    const int before = BoardCount();
    const std::optional<FileProblem> problem = project_.Import(chosen);
    if (problem)
        ShowFileProblem(*problem);
    if (BoardCount() != before)
        UpdateTitle();
}

void MainWindow::MoveCurrentBoard(int to) {
    if (project_.MoveCurrent(to))
        SelectBoard(to);
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
    if (autoSave_.Tick(!project_.FileName().isEmpty(), busy) != AutoSaveClock::Due::Now)
        return;
    // The shown library page is written with every backup.
    libraryPages_->SaveShown();
    const std::optional<FileProblem> problem =
        project_.SaveBackup(BackupPathFor(project_.FileName()));
    if (autoSave_.ReportFailure(problem.has_value()))
        ShowFileProblem(*problem);
}

} // namespace karvel
