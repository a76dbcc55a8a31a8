// The main window's print and export commands.

#include "board/Continuity.h"
#include "board/Platine.h"
#include "output/BoardPicture.h"
#include "output/OutputView.h"
#include "shell/BoardControl.h"
#include "shell/MainWindow.h"
#include "shell/PrintDialog.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QScreen>

namespace karvel {

PrintDialog& MainWindow::PrintWindow() {
    if (!printWindow_)
        printWindow_ = std::make_unique<PrintDialog>(*dialogs_, view_.Sprache, this);
    return *printWindow_;
}

// The project file's name without its folder and, when it is longer than that, without its
// extension.
QString MainWindow::PrintTitle() const {
    const QString name = QFileInfo(ProjectFileName()).fileName();
    return name.size() > 4 ? name.chopped(4) : name;
}

void MainWindow::PrintCommand(int) {
    if (current_ < 0 || CurrentBoard().CursorCaptured())
        return;
    const DialogScope scope(*this);
    ChooseTool(1);
    ClearSelection(CurrentBoard());
    PrintRequest request;
    for (const BoardView& view : boards_)
        request.Boards.push_back(view.Board);
    request.Current = current_;
    request.View = &view_;
    request.Outline = outlineMode_;
    request.Title = PrintTitle();
    request.Folder =
        ProjectFileName().isEmpty() ? exportDir_ : QFileInfo(ProjectFileName()).absolutePath();
    PrintDialog& window = PrintWindow();
    window.Prepare(request);
    // Maximised; the geometry as well, for desktops without a window manager to maximise it.
    if (const QScreen* screen = this->screen())
        window.setGeometry(screen->availableGeometry());
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
    window.exec();
    AfterPrintWindow();
}

// The print window drew with copies of the view state, so the switches are as they were; the
// copper analyses it ran on every board are the ones to put right.
void MainWindow::AfterPrintWindow() {
    for (const BoardView& view : boards_)
        if (view.Board->Modus() == TPlatinenModus::pm_Test)
            view.Board->Analysis().EndTest();
    if (unusedAreasShown_) {
        unusedRefreshPending_ = true;
        RefreshUnusedAreas();
    }
    Control(current_).InvalidateAll();
    DoMenues();
}

void MainWindow::ExportCommand(int) {
    if (BoardBusy())
        return;
    QString path;
    {
        const DialogScope scope(*this);
        SaveFileRequest request;
        request.Title = QStringLiteral("Export");
        request.Folder = exportDir_;
        request.Name = PrintTitle().isEmpty() ? CurrentBoard().PlatinenName() : PrintTitle();
        request.Filters = {view_.Tr(QStringLiteral("PNG-Bild, 300 dpi (*.png)"),
                                    QStringLiteral("PNG picture, 300 dpi (*.png)")),
                           view_.Tr(QStringLiteral("PDF in Originalgröße (*.pdf)"),
                                    QStringLiteral("PDF at true size (*.pdf)")),
                           view_.Tr(QStringLiteral("SVG in Originalgröße (*.svg)"),
                                    QStringLiteral("SVG at true size (*.svg)")),
                           QStringLiteral("Bitmap (*.bmp)")};
        request.InitialFilter = 1;
        request.DefaultSuffix = QStringLiteral("pdf");
        path = dialogs_->ChooseFileToSave(this, request);
    }
    if (path.isEmpty())
        return;
    exportDir_ = QFileInfo(path).absolutePath();
    if (OnExportDirChanged)
        OnExportDirChanged(exportDir_);

    // What is printed is exported: the print window's choices in the view shown now.
    TPlatine& board = CurrentBoard();
    ClearSelection(board);
    PrintChoices choices = PrintChoices::FromView(view_, outlineMode_, PrintWindow().Choices());
    choices.Title = PrintTitle();
    ExportResult result;
    {
        const OutputViewScope scope(board, view_, choices);
        result = ExportBoardPicture(board, path);
    }
    if (result.Ok())
        return;
    QString text;
    switch (result.State) {
    case ExportResult::Status::UnknownFormat:
        text = view_.Tr(QStringLiteral("Dieses Dateiformat kennt der Export nicht; bitte .png, "
                                       ".pdf, .svg oder .bmp wählen."),
                        QStringLiteral("Export knows no such file format; please choose .png, "
                                       ".pdf, .svg or .bmp."));
        break;
    case ExportResult::Status::TooLarge:
        text = view_.Tr(QStringLiteral("Die Platine ist für ein Bild mit 300 dpi zu groß."),
                        QStringLiteral("The board is too large for a 300 dpi picture."));
        break;
    default:
        text = view_
                   .Tr(QStringLiteral("Die Datei »%1« konnte nicht geschrieben werden:\r%2"),
                       QStringLiteral("The file \"%1\" could not be written:\r%2"))
                   .arg(QDir::toNativeSeparators(path), result.Error);
        break;
    }
    const DialogScope scope(*this);
    dialogs_->ShowMessage(this, MessageIcon::Warning, QStringLiteral("Export"), text);
}

} // namespace karvel
