#include "shell/ElementDialogs.h"

#include "elements/Bohrung.h"
#include "elements/Gruppe.h"
#include "elements/Txtlabel.h"
#include "shell/DialogParts.h"
#include "shell/LabelDialog.h"
#include "shell/StorableTextNote.h"
#include "shell/ToolSizeDialogs.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>

namespace karvel {

namespace {

using dialog_parts::T;

constexpr int ComponentHelpTopic = ManualTopic::Component;

class ComponentPropertiesDialog : public HelpDialog {
public:
    ComponentPropertiesDialog(QWidget* parent, const ComponentFields& current, Language language,
                              HelpRequest help)
        : HelpDialog(parent, language, ComponentHelpTopic, std::move(help)),
          identifier_(Field(QStringLiteral("Identifier"), current.Identifier, 10)),
          value_(Field(QStringLiteral("Value"), current.Value, 40)),
          description_(Field(QStringLiteral("Description"), current.Description, 40)),
          listed_(
              new QCheckBox(T(language, "in &Stückliste aufnehmen", "Add to components list"))) {
        setObjectName(QStringLiteral("BauteilDlg"));
        setWindowTitle(T(language, "Eigenschaften Bauteil", "Component properties"));
        listed_->setObjectName(QStringLiteral("InComponentsList"));
        listed_->setChecked(current.InComponentsList);
        auto* grid = new QGridLayout;
        std::vector<StorableTextNote*> notes;
        int at = 0;
        const auto row = [&](const char* german, const char* english, QLineEdit* field) {
            auto* label = new QLabel(T(language, german, english));
            label->setBuddy(field);
            grid->addWidget(label, at, 0);
            grid->addWidget(field, at++, 1);
            notes.push_back(new StorableTextNote(*field, language));
            grid->addWidget(notes.back(), at++, 1);
        };
        row("Kurzbezeichnung", "Identifier", identifier_);
        row("Wert / Typ", "Type/Value", value_);
        row("Beschreibung", "Description", description_);
        grid->addWidget(listed_, at, 1);
        GuardStorableFields(notes, *SetContent(grid));
        // Most often only the value differs from the last component built.
        value_->setFocus();
    }
    ComponentFields Answer() const {
        return {identifier_->text(), value_->text(), description_->text(), listed_->isChecked()};
    }

private:
    static QLineEdit* Field(const QString& name, const QString& text, int length) {
        auto* field = new QLineEdit(text.left(length));
        field->setObjectName(name);
        field->setMaxLength(length);
        field->setMinimumWidth(field->fontMetrics().averageCharWidth() * std::max(length, 24));
        return field;
    }

    QLineEdit* identifier_;
    QLineEdit* value_;
    QLineEdit* description_;
    QCheckBox* listed_;
};

} // namespace

std::optional<ComponentFields> RunComponentDialog(QWidget* parent, const ComponentFields& current,
                                                  Language language, const HelpRequest& help) {
    ComponentPropertiesDialog dialog(parent, current, language, help);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Answer();
}

ElementDialogScope::ElementDialogScope(QWidget* parent, Language language, const HelpRequest& help)
    : component_(parent, language, help), label_(parent, language, help),
      drilling_(parent, language, help) {
    TGruppe::SetDialog(&component_);
    TTextLabel::SetDialog(&label_);
    TBohrung::SetDialog(&drilling_);
}

ElementDialogScope::~ElementDialogScope() {
    TGruppe::SetDialog(nullptr);
    TTextLabel::SetDialog(nullptr);
    TBohrung::SetDialog(nullptr);
}

std::optional<ComponentFields> QtComponentDialog::Ask(const ComponentFields& current) {
    return RunComponentDialog(parent_, current, language_, help_);
}

std::optional<TextLabelFields> QtTextLabelDialog::Ask(const TextLabelFields& fields) {
    return RunTextLabelDialog(parent_, fields, language_, help_);
}

std::optional<double> QtDrillingDialog::Ask(const QString& caption, double diameter) {
    return RunSizeDialog(parent_, caption, diameter, language_, help_);
}

} // namespace karvel
