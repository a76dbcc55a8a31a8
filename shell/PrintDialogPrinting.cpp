// The print window's printing: one job per board on the printer, or the pages of one PDF
// file, and the clipboard copy.

#include "board/Platine.h"
#include "output/BoardPicture.h"
#include "output/PrintedPage.h"
#include "platform/AtomicFile.h"
#include "shell/PrintDialog.h"

#include <QtCore/QDir>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QTabBar>

namespace karvel {

void PrintDialog::ShowMessage(MessageIcon icon, const QString& caption, const QString& text) {
    dialogs_.ShowMessage(this, icon, caption, text);
}

void PrintDialog::PrintChosen() {
    if (!board_)
        return;
    if (!Metrics().IsUsable()) {
        ShowMessage(MessageIcon::Warning, Tr("Drucken", "Print"),
                    Tr("Der Drucker meldet keine bedruckbare Seite.",
                       "The printer reports no printable page."));
        return;
    }
    const std::vector<int> jobs =
        PrintJobOrder(BoardIndex(), int(request_.Boards.size()), AllBoards(), Copies());
    if (PrintsToPdf())
        PrintToPdf(jobs);
    else
        PrintToPrinter(jobs);
}

// One job per board: each is a painter session of its own on the printer.
void PrintDialog::PrintToPrinter(const std::vector<int>& jobs) {
    printer_->setDocName(QStringLiteral("Karvel"));
    printer_->setCopyCount(1);
    const PrinterMetrics metrics = Metrics();
    for (const int index : jobs) {
        QPainter painter;
        if (!painter.begin(printer_.get())) {
            ShowMessage(MessageIcon::Error, Tr("Drucken", "Print"),
                        Tr("Der Drucker »%1« nimmt keinen Auftrag an.",
                           "The printer \"%1\" does not accept the job.")
                            .arg(printer_->printerName()));
            return;
        }
        {
            Canvas canvas(painter);
            PrintPlatine(canvas, index, metrics);
        }
        painter.end();
    }
}

// A PDF file takes every job as a page of its own and is written atomically: a failure
// leaves an existing file as it was.
void PrintDialog::PrintToPdf(const std::vector<int>& jobs) {
    // A file chosen in the printer setup ("Print to File") is used as it stands.
    QString path =
        printer_->outputFormat() == QPrinter::PdfFormat ? printer_->outputFileName() : QString();
    if (path.isEmpty()) {
        SaveFileRequest request;
        request.Title = Tr("Als PDF-Datei drucken", "Print to a PDF file");
        request.Folder = request_.Folder;
        request.Name = (request_.Title.isEmpty() ? QStringLiteral("Karvel") : request_.Title) +
                       QStringLiteral(".pdf");
        request.Filters = {Tr("PDF-Dateien (*.pdf)", "PDF files (*.pdf)")};
        request.DefaultSuffix = QStringLiteral("pdf");
        path = dialogs_.ChooseFileToSave(this, request);
        if (path.isEmpty())
            return;
    }
    const QString reason = WriteFileAtomically(path, [&](QIODevice& file) {
        QPdfWriter pdf(&file);
        pdf.setPageLayout(printer_->pageLayout());
        pdf.setResolution(printer_->resolution());
        pdf.setTitle(request_.Title.isEmpty() ? QStringLiteral("Karvel") : request_.Title);
        pdf.setCreator(QStringLiteral("Karvel 3.0"));
        const PrinterMetrics metrics =
            PrinterMetrics::FromPageLayout(pdf.pageLayout(), pdf.resolution());
        Canvas canvas(pdf);
        if (!canvas.Painter().isActive())
            return false;
        for (std::size_t i = 0; i < jobs.size(); ++i) {
            if (i > 0)
                pdf.newPage();
            PrintPlatine(canvas, jobs[i], metrics);
        }
        return true;
    });
    if (!reason.isEmpty()) {
        ShowMessage(MessageIcon::Error, Tr("Drucken", "Print"),
                    Tr("Die PDF-Datei »%1« konnte nicht geschrieben werden:\r%2",
                       "The PDF file \"%1\" could not be written:\r%2")
                        .arg(QDir::toNativeSeparators(path), reason));
    }
}

void PrintDialog::PrintPlatine(Canvas& canvas, int index, const PrinterMetrics& metrics) {
    tabs_->setCurrentIndex(index);
    board_ = request_.Boards[std::size_t(index)];
    if (mittig_->isChecked())
        Centre();
    if (OnJobPrinted)
        OnJobPrinted(index);
    const OutputViewScope scope(*board_, *request_.View, Choices());
    PrintBoardPage(canvas, *board_, metrics, Placement());
}

bool PrintDialog::CopyToClipboard() {
    if (!board_ || !request_.View)
        return false;
    QImage image;
    {
        const OutputViewScope scope(*board_, *request_.View, Choices());
        image = RenderBoardBitmap(*board_);
    }
    bool copied = false;
    if (!image.isNull()) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setImage(image);
        // The system may refuse the picture; only what the clipboard gives back counts.
        copied = clipboard->image().size() == image.size();
    }
    if (copied)
        ShowMessage(MessageIcon::Information, Tr("Zwischenablage", "Clipboard"),
                    Tr("Die gewählte Ansicht wurde erfolgreich in die Zwischenablage kopiert.",
                       "Board copied to clipboard!"));
    else
        ShowMessage(MessageIcon::Warning, Tr("Zwischenablage", "Clipboard"),
                    Tr("Die Ansicht konnte nicht in die Zwischenablage kopiert werden.",
                       "The board could not be copied to the clipboard."));
    return copied;
}

void PrintDialog::SetUpPrinter() {
    dialogs_.SetUpPrinter(this, *printer_, language_);
    UpdateCaption();
    Redraw();
}

} // namespace karvel
