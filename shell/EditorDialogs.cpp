#include "shell/EditorDialogs.h"

#include "shell/FileDialogs.h"

#include <QtGui/QTextDocument>
#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QFontDialog>
#include <QtWidgets/QMessageBox>

namespace karvel {

QStringList EditorFileFilters(Language language) {
    return {Tr(language, QStringLiteral("RTF-Dateien (*.rtf *.RTF)"),
               QStringLiteral("Rich Text Files (*.rtf *.RTF)")),
            Tr(language, QStringLiteral("Textdateien (*.txt *.TXT)"),
               QStringLiteral("Text Files (*.txt *.TXT)"))};
}

QString QtEditorDialogs::ChooseFileToOpen(QWidget* parent, const QString& folder,
                                          Language language) {
    QFileDialog dialog(parent, Tr(language, QStringLiteral("Öffnen"), QStringLiteral("Open")),
                       folder);
    GiveRoom(dialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(EditorFileFilters(language));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

QString QtEditorDialogs::ChooseFileToSave(QWidget* parent, const QString& folder,
                                          const QString& name, Language language) {
    SaveFileDialog dialog(
        parent, Tr(language, QStringLiteral("Speichern unter"), QStringLiteral("Save As")), folder);
    GiveRoom(dialog);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The editor asks its own question, with Cancel as well.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(EditorFileFilters(language));
    dialog.setDefaultSuffix(QStringLiteral("rtf"));
    dialog.selectFile(name);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        dialog.setDefaultSuffix(f.contains(QStringLiteral("*.txt")) ? QStringLiteral("txt")
                                                                    : QStringLiteral("rtf"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

SaveAnswer QtEditorDialogs::Ask(QWidget* parent, const QString& caption, const QString& text) {
    const auto answer = QMessageBox::question(
        parent, caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
        QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return SaveAnswer::Yes;
    if (answer == QMessageBox::No)
        return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

void QtEditorDialogs::ShowMessage(QWidget* parent, MessageIcon icon, const QString& caption,
                                  const QString& text) {
    const QMessageBox::Icon shown = icon == MessageIcon::Error     ? QMessageBox::Critical
                                    : icon == MessageIcon::Warning ? QMessageBox::Warning
                                                                   : QMessageBox::Information;
    QMessageBox box(shown, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

void QtEditorDialogs::Print(QWidget* parent, const QTextDocument& document, const QString& title,
                            Language language) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(Tr(language, QStringLiteral("Drucken"), QStringLiteral("Print")));
    if (dialog.exec() == QDialog::Accepted)
        document.print(&printer);
}

SaveAnswer ProgramEditorDialogs::Ask(QWidget* parent, const QString& caption, const QString& text) {
    return program_.AskToSave(parent, caption, text);
}

void ProgramEditorDialogs::ShowMessage(QWidget* parent, MessageIcon icon, const QString& caption,
                                       const QString& text) {
    program_.ShowMessage(parent, icon, caption, text);
}

std::optional<QFont> QtEditorDialogs::ChooseFont(QWidget* parent, const QFont& initial) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return chosen;
}

} // namespace karvel
