// The annotation windows of the boards, which follow the tabs, and the components list window.

#include "shell/MainWindow.h"

#include "board/ComponentsList.h"
#include "shell/AnnotationWindows.h"
#include "shell/EditorDialogs.h"
#include "shell/EditorForm.h"
#include "shell/ScrollBoxEx.h"

#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtWidgets/QTextEdit>

namespace karvel {

namespace {

TEditorForm::Options EditorOptionsFor(const ViewState& view, ShellDialogs& dialogs,
                                      std::function<QString()> documentFolder) {
    TEditorForm::Options options;
    options.Sprache = view.Sprache;
    options.ProgramFolder = view.ProgramFolder;
    options.DocumentFolder = std::move(documentFolder);
    options.Dialogs = std::make_shared<ProgramEditorDialogs>(dialogs);
    options.Help = [&dialogs, folder = view.ProgramFolder, language = view.Sprache](int topic) {
        ShowManual(dialogs, folder, language, topic);
    };
    return options;
}

} // namespace

std::function<QString()> MainWindow::DocumentFolder() const {
    // Asked when a file dialog opens: the project may have been saved elsewhere meanwhile.
    return [this] { return SaveDialogFolder(); };
}

TEditorForm& MainWindow::AnnotationWindow(int index) {
    TScrollBoxEx& view = ScrollBox(index);
    if (TEditorForm* existing = FindAnnotationWindow(view))
        return *existing;
    TEditorForm& window = CreateAnnotationWindow(
        Board(index), EditorOptionsFor(view_, *dialogs_, DocumentFolder()), view);
    window.OnClosed = [this] { annotationsShown_ = false; };
    return window;
}

void MainWindow::FollowAnnotations() {
    for (int i = 0; i < BoardCount(); ++i) {
        if (annotationsShown_ && i == current_) {
            TEditorForm& window = AnnotationWindow(i);
            UpdateAnnotationCaption(window);
            window.show();
        } else if (TEditorForm* window = FindAnnotationWindow(ScrollBox(i))) {
            window->hide();
        }
    }
}

void MainWindow::AnnotationsCommand(int) {
    if (BoardBusy())
        return;
    CurrentBoard().SetDateiname(ProjectFileName());
    annotationsShown_ = true;
    FollowAnnotations();
    TEditorForm& window = AnnotationWindow(current_);
    window.raise();
    window.activateWindow();
}

void MainWindow::ComponentsListCommand(int) {
    if (BoardBusy())
        return;
    TPlatine& board = CurrentBoard();
    board.SetDateiname(ProjectFileName());
    TEditorForm::Options options = EditorOptionsFor(view_, *dialogs_, DocumentFolder());
    // The list's text lives only in this window.
    options.AskBeforeClosing = true;
    TEditorForm window(std::move(options), this);
    window.setWindowTitle(
        view_.Tr(QStringLiteral("Bauteilliste"), QStringLiteral("Components list")));
    window.OnListRequest = ListRequestFor(board);
    QTextDocument& document = window.Document();
    document.setUndoRedoEnabled(false);
    SchreibeStueckliste(board, document, ListKind::Components, CurrentListStamp());
    document.setUndoRedoEnabled(true);
    // A list as made can be made again: only the user's changes are worth a question.
    document.setModified(false);
    window.Editor().moveCursor(QTextCursor::Start);
    window.setSizeGripEnabled(true);
    const DialogScope scope(*this);
    window.exec();
}

} // namespace karvel
