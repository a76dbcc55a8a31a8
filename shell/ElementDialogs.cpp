#include "shell/ElementDialogs.h"

#include "elements/Bohrung.h"
#include "elements/Gruppe.h"
#include "elements/Txtlabel.h"
#include "platform/Colour.h"
#include "shell/DialogParts.h"
#include "shell/NumberLocale.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QColorDialog>
#include <QtWidgets/QDialog>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QDoubleSpinBox>
#include <QtWidgets/QFontComboBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

namespace karvel {

namespace {

using dialog_parts::OkCancel;
using dialog_parts::T;

QDoubleSpinBox* Millimetres(double value, double low, double high, Language language) {
    auto* box = new QDoubleSpinBox;
    box->setLocale(NumberLocale(language));
    box->setRange(low, high);
    box->setDecimals(2);
    box->setSingleStep(0.1);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(value);
    return box;
}

} // namespace

ElementDialogScope::ElementDialogScope(QWidget* parent, Language language)
    : component_(parent, language), label_(parent, language), drilling_(parent, language) {
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
    QDialog dialog(parent_);
    dialog.setWindowTitle(T(language_, "Bauteil", "Component"));
    auto* form = new QFormLayout;
    auto* identifier = new QLineEdit(current.Identifier);
    identifier->setMaxLength(10);
    auto* value = new QLineEdit(current.Value);
    value->setMaxLength(40);
    auto* description = new QLineEdit(current.Description);
    description->setMaxLength(40);
    auto* listed = new QCheckBox(T(language_, "In die Stückliste", "In the components list"));
    listed->setChecked(current.InComponentsList);
    form->addRow(T(language_, "Bezeichner:", "Identifier:"), identifier);
    form->addRow(T(language_, "Wert:", "Value:"), value);
    form->addRow(T(language_, "Beschreibung:", "Description:"), description);
    form->addRow(QString(), listed);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(OkCancel(dialog, language_));
    identifier->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ComponentFields{identifier->text(), value->text(), description->text(),
                           listed->isChecked()};
}

std::optional<TextLabelFields> QtTextLabelDialog::Ask(const TextLabelFields& fields) {
    QDialog dialog(parent_);
    dialog.setWindowTitle(T(language_, "Beschriftung", "Text label"));
    auto* text = new QLineEdit(fields.Text);
    auto* font = new QFontComboBox;
    font->setCurrentFont(QFont(fields.Font.Face));
    auto* bold = new QCheckBox(T(language_, "Fett", "Bold"));
    bold->setChecked(fields.Font.Bold);
    auto* italic = new QCheckBox(T(language_, "Kursiv", "Italic"));
    italic->setChecked(fields.Font.Italic);
    auto* height = Millimetres(fields.Height > 0 ? fields.Height : 2.0, 0.2, 100.0, language_);
    auto* angle = new QDoubleSpinBox;
    angle->setRange(-360, 360);
    angle->setSuffix(QStringLiteral(" °"));
    angle->setValue(fields.AngleDegrees);
    QColor colour = ToQColor(fields.FontColour);
    auto* colourButton = new QPushButton(T(language_, "Farbe...", "Colour..."));
    const auto showColour = [&] {
        colourButton->setStyleSheet(
            QStringLiteral("QPushButton { border-left: 12px solid %1; }").arg(colour.name()));
    };
    showColour();
    QObject::connect(colourButton, &QPushButton::clicked, &dialog, [&] {
        const QColor chosen = QColorDialog::getColor(colour, &dialog);
        if (chosen.isValid()) {
            colour = chosen;
            showColour();
        }
    });
    // What the label shows: its own text, or one of its component's fields.
    auto* shows = new QGroupBox(T(language_, "Inhalt", "Content"));
    auto* showsLayout = new QVBoxLayout(shows);
    QButtonGroup choices;
    const char* const names[][2] = {{"Fester Text", "Fixed text"},
                                    {"Bezeichner des Bauteils", "Component identifier"},
                                    {"Wert des Bauteils", "Component value"},
                                    {"Beschreibung des Bauteils", "Component description"}};
    for (int i = 0; i < 4; ++i) {
        auto* choice = new QRadioButton(T(language_, names[i][0], names[i][1]));
        choices.addButton(choice, i);
        showsLayout->addWidget(choice);
    }
    if (QAbstractButton* checked = choices.button(std::clamp(fields.Placeholder, 0, 3)))
        checked->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(T(language_, "Text:", "Text:"), text);
    form->addRow(T(language_, "Schrift:", "Font:"), font);
    auto* style = new QHBoxLayout;
    style->addWidget(bold);
    style->addWidget(italic);
    style->addWidget(colourButton);
    form->addRow(QString(), style);
    form->addRow(T(language_, "Höhe:", "Height:"), height);
    form->addRow(T(language_, "Winkel:", "Angle:"), angle);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(shows);
    layout->addWidget(OkCancel(dialog, language_));
    text->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    TextLabelFields answer = fields;
    answer.Text = text->text();
    answer.Font.Face = font->currentFont().family();
    answer.Font.Bold = bold->isChecked();
    answer.Font.Italic = italic->isChecked();
    answer.FontColour = RgbColour(colour.red(), colour.green(), colour.blue());
    answer.Height = height->value();
    answer.AngleDegrees = angle->value();
    answer.Placeholder = std::max(0, choices.checkedId());
    return answer;
}

std::optional<double> QtDrillingDialog::Ask(const QString& caption, double diameter) {
    QDialog dialog(parent_);
    dialog.setWindowTitle(caption);
    auto* size = Millimetres(diameter, 0.1, 20.0, language_);
    auto* form = new QFormLayout;
    form->addRow(T(language_, "Durchmesser:", "Diameter:"), size);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(OkCancel(dialog, language_));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return size->value();
}

} // namespace karvel
