#include "shell/ShellDialogs.h"

#include "board/LayoutLanguages.h"
#include "platform/HelpTopic.h"
#include "platform/ProgramFolder.h"
#include "shell/AboutWindow.h"
#include "shell/BoardPreviewWindow.h"
#include "shell/ColourDialog.h"
#include "shell/ComponentAssistantDialog.h"
#include "shell/FileDialogs.h"
#include "shell/HelpWindow.h"
#include "shell/LibraryPageDialog.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QSortFilterProxyModel>
#include <QtGui/QFileSystemModel>
#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMessageBox>

namespace karvel {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// The layout folder's files of the other language stay out of the list; everything else, the
// user's own layouts and other folders included, is shown.
class LayoutLanguageFilter : public QSortFilterProxyModel {
public:
    LayoutLanguageFilter(const QString& folder, Language language, QObject* parent)
        : QSortFilterProxyModel(parent), folder_(folder), language_(language),
          languages_(LayoutLanguages::Read(folder)) {}

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files == nullptr)
            return true;
        const QModelIndex index = files->index(row, 0, parent);
        if (files->isDir(index))
            return true;
        const QFileInfo file = files->fileInfo(index);
        return QDir(file.absolutePath()) != folder_ ||
               languages_.Offers(file.fileName(), language_);
    }

private:
    QDir folder_;
    Language language_;
    LayoutLanguages languages_;
};

// Message texts use "\r" for their line breaks, as the stored message texts do.
QString WithLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

void ShowManual(ShellDialogs& dialogs, const QString& programFolder, Language language, int topic) {
    const bool english = UsesEnglish(language);
    const ManualOpener open = [&](const QString& file, int shown) {
        return dialogs.OpenManual(file, shown, language);
    };
    if (ShowHelpTopic(topic, programFolder, english, open))
        return;
    const QString file = ManualFile(programFolder, english);
    const QString text =
        QFileInfo(file).isFile()
            ? Tr(language, QStringLiteral("Die Anleitung konnte nicht gelesen werden:"),
                 QStringLiteral("The manual could not be read:"))
            : Tr(language, QStringLiteral("Die Anleitung wurde nicht gefunden:"),
                 QStringLiteral("The manual was not found:"));
    QWidget* parent = QApplication::activeModalWidget();
    dialogs.ShowMessage(parent != nullptr ? parent : QApplication::activeWindow(),
                        MessageIcon::Warning,
                        Tr(language, QStringLiteral("Anleitung"), QStringLiteral("Manual")),
                        text + u'\r' + QDir::toNativeSeparators(file));
}

QtShellDialogs::QtShellDialogs() : programFolder_(FindProgramFolder()) {}

std::function<void(int topic)> QtShellDialogs::Help(Language language) {
    return [this, language](int topic) { ShowManual(*this, programFolder_, language, topic); };
}

// The backups that auto-save writes can be found in either language.
QStringList OpenProjectFilters(Language language) {
    if (UsesEnglish(language))
        return {QStringLiteral("Karvel projects (*.rst)"), QStringLiteral("Backup files (*.bak)")};
    return {QStringLiteral("Karvel-Projekte (*.rst)"), QStringLiteral("Sicherungsdatei (*.bak)")};
}

namespace {

// An existing file to open; empty when cancelled.
QString ChooseFileToOpen(QWidget* parent, const QString& title, const QStringList& filters,
                         const QString& folder) {
    QFileDialog dialog(parent);
    GiveRoom(dialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(filters);
    dialog.setDirectory(folder);
    dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

} // namespace

QString QtShellDialogs::ChooseProjectToOpen(QWidget* parent, const QString& folder,
                                            Language language) {
    return ChooseFileToOpen(parent, Tr(language, QStringLiteral("Öffnen"), QStringLiteral("Open")),
                            OpenProjectFilters(language), folder);
}

void QtShellDialogs::ShowMessage(QWidget* parent, MessageIcon icon, const QString& caption,
                                 const QString& text) {
    QMessageBox box(ToQtIcon(icon), caption, WithLineBreaks(text), QMessageBox::Ok, parent);
    box.exec();
}

SaveAnswer QtShellDialogs::AskToSave(QWidget* parent, const QString& caption, const QString& text) {
    const auto answer = QMessageBox::question(
        parent, caption, WithLineBreaks(text),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return SaveAnswer::Yes;
    if (answer == QMessageBox::No)
        return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

QString QtShellDialogs::ChooseFillPicture(QWidget* parent, const QString& folder,
                                          Language language) {
    return ChooseFileToOpen(
        parent, Tr(language, QStringLiteral("Bitmapfüllung laden"), QStringLiteral("Load bitmap")),
        {Tr(language, QStringLiteral("Bilder (*.bmp *.png *.jpg *.jpeg *.gif)"),
            QStringLiteral("Pictures (*.bmp *.png *.jpg *.jpeg *.gif)"))},
        folder);
}

QStringList BoardLayoutFilters(Language language) {
    return {Tr(language, QStringLiteral("Karvel Board (*.KVB *.kvb)"),
               QStringLiteral("Karvel board layouts (*.kvb *.KVB)"))};
}

QString QtShellDialogs::ChooseBoardLayout(QWidget* parent, const QString& folder,
                                          Language language) {
    QFileDialog dialog(parent);
    // The desktop's own dialog would not report the selection the preview follows.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    GiveRoom(dialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(BoardLayoutFilters(language));
    dialog.setProxyModel(new LayoutLanguageFilter(folder, language, &dialog));
    dialog.setDirectory(folder);
    dialog.setWindowTitle(QStringLiteral("Board Layouts"));
    // Belongs to the dialog, so that it closes with it and is not blocked by it.
    auto* preview = new BoardPreviewWindow(&dialog, programFolder_, language);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview,
                     [preview](const QString& path) { preview->ShowLayout(path); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

std::optional<QColor> QtShellDialogs::ChooseColour(QWidget* parent, const QColor& initial) {
    return AskColour(parent, initial, ProgramSettingsStore());
}

void QtShellDialogs::ShowAbout(QWidget* parent, Language language) {
    AboutWindow about(language, AboutWindow::Role::About, parent);
    about.exec();
}

bool QtShellDialogs::OpenManual(const QString& file, int topic, Language language) {
    return HelpWindow::Shared().ShowTopic(file, topic, language);
}

bool QtShellDialogs::RunComponentAssistant(ComponentAssistantDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

QString QtShellDialogs::ChooseFileToSave(QWidget* parent, const SaveFileRequest& request) {
    SaveFileDialog dialog(parent);
    GiveRoom(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setWindowTitle(request.Title);
    dialog.setNameFilters(request.Filters);
    if (request.InitialFilter >= 0 && request.InitialFilter < request.Filters.size())
        dialog.selectNameFilter(request.Filters.at(request.InitialFilter));
    dialog.setDefaultSuffix(request.DefaultSuffix);
    // The name gets the extension of the filter chosen last, as the format follows it.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        const qsizetype star = filter.lastIndexOf(QStringLiteral("*."));
        if (star >= 0)
            dialog.setDefaultSuffix(filter.mid(star + 2).chopped(1));
    });
    if (QDir(request.Folder).exists())
        dialog.setDirectory(request.Folder);
    if (!request.Name.isEmpty())
        dialog.selectFile(request.Name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

bool QtShellDialogs::Confirm(QWidget* parent, const QString& caption, const QString& text) {
    return QMessageBox::question(parent, caption, WithLineBreaks(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> QtShellDialogs::AskLibraryPageName(QWidget* parent, Language language,
                                                          const QString& name,
                                                          const QString& fileName) {
    return RunLibraryPageDialog(parent, language, name, fileName, Help(language));
}

void QtShellDialogs::SetUpPrinter(QWidget* parent, QPrinter& printer, Language language) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(
        Tr(language, QStringLiteral("Drucker einrichten"), QStringLiteral("Printer setup")));
    // Copies and the range are the print window's own.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
    dialog.exec();
}

} // namespace karvel
