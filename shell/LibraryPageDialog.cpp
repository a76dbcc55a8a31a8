#include "shell/LibraryPageDialog.h"

#include "shell/DialogParts.h"
#include "shell/StorableTextNote.h"

#include <QtWidgets/QFormLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

namespace karvel {

namespace {

using dialog_parts::T;

constexpr int LibraryHelpTopic = ManualTopic::LibraryPage;

class LibraryPageDialog : public HelpDialog {
public:
    LibraryPageDialog(QWidget* parent, Language language, const QString& name,
                      const QString& fileName, HelpRequest help)
        : HelpDialog(parent, language, LibraryHelpTopic, std::move(help)),
          name_(new QLineEdit(name.left(LibraryPageNameLength))) {
        setObjectName(QStringLiteral("LibDlg"));
        setWindowTitle(T(language, "Bibliothek", "Library"));
        name_->setObjectName(QStringLiteral("PageName"));
        name_->setMaxLength(LibraryPageNameLength);
        name_->selectAll();
        name_->setMinimumWidth(name_->fontMetrics().averageCharWidth() * LibraryPageNameLength);
        auto* file = new QLabel(fileName);
        file->setObjectName(QStringLiteral("FileName"));
        auto* form = new QFormLayout;
        form->addRow(T(language, "Bezeichnung:", "Name"), name_);
        auto* note = new StorableTextNote(*name_, language);
        form->addRow(QString(), note);
        form->addRow(T(language, "Datei:", "File"), file);
        GuardStorableFields({note}, *SetContent(form));
        name_->setFocus();
    }
    QString Name() const { return name_->text(); }

private:
    QLineEdit* name_;
};

} // namespace

std::optional<QString> RunLibraryPageDialog(QWidget* parent, Language language, const QString& name,
                                            const QString& fileName, const HelpRequest& help) {
    LibraryPageDialog dialog(parent, language, name, fileName, help);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Name();
}

} // namespace karvel
