// The library page dialog: a page's name, and the file it is kept in.

#include "shell/ShellDialogs.h"

#include <QtWidgets/QDialog>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

namespace karvel {

namespace {

// The stored page name holds at most this many characters.
constexpr int PageNameLength = 36;

} // namespace

std::optional<QString> QtShellDialogs::AskLibraryPageName(QWidget* parent, Language language,
                                                          const QString& name,
                                                          const QString& fileName) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("LibDlg"));
    dialog.setWindowTitle(Tr(language, QStringLiteral("Bibliothek"), QStringLiteral("Library")));
    auto* nameField = new QLineEdit(name.left(PageNameLength));
    nameField->setMaxLength(PageNameLength);
    nameField->selectAll();
    auto* form = new QFormLayout(&dialog);
    form->addRow(Tr(language, QStringLiteral("Bezeichnung:"), QStringLiteral("Name")), nameField);
    form->addRow(Tr(language, QStringLiteral("Datei:"), QStringLiteral("File")),
                 new QLabel(fileName));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    nameField->setMinimumWidth(nameField->fontMetrics().averageCharWidth() * PageNameLength);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return nameField->text();
}

} // namespace karvel
