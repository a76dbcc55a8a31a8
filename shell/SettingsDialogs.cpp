#include "shell/SettingsDialogs.h"

#include "shell/DialogParts.h"
#include "shell/NumberLocale.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialog>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QVBoxLayout>

namespace karvel {

namespace {

using dialog_parts::OkCancel;
using dialog_parts::T;

QLineEdit* MillimetreField(const QString& text) {
    auto* field = new QLineEdit(text);
    field->setMaxLength(12);
    return field;
}

} // namespace

std::optional<BoardPropertiesText> RunBoardPropertiesDialog(QWidget* parent,
                                                            const BoardPropertiesText& current,
                                                            bool nameOnly, Language language) {
    QDialog dialog(parent);
    dialog.setWindowTitle(T(language, "Eigenschaften Platine", "Board properties"));
    auto* name = new QLineEdit(current.Name);
    name->setMaxLength(39);
    auto* width = MillimetreField(current.Width);
    auto* height = MillimetreField(current.Height);
    auto* x = MillimetreField(current.X);
    auto* y = MillimetreField(current.Y);

    auto* nameBox = new QGroupBox(T(language, "Name", "Name"));
    (new QVBoxLayout(nameBox))->addWidget(name);
    auto* sizeBox = new QGroupBox(T(language, "Größe", "Size"));
    auto* sizeForm = new QFormLayout(sizeBox);
    sizeForm->addRow(T(language, "Breite (mm):", "Width (mm):"), width);
    sizeForm->addRow(T(language, "Höhe (mm):", "Height (mm):"), height);
    auto* offsetBox = new QGroupBox(T(language, "Offset", "Offset"));
    auto* offsetForm = new QFormLayout(offsetBox);
    offsetForm->addRow(QStringLiteral("x (mm):"), x);
    offsetForm->addRow(QStringLiteral("y (mm):"), y);
    auto* defaults = new QPushButton(T(language, "&Standard", "&Default"));
    QObject::connect(defaults, &QPushButton::clicked, &dialog, [&] {
        const BoardPropertiesText standard = DefaultProperties({}, NumberLocale(language));
        width->setText(standard.Width);
        height->setText(standard.Height);
        x->setText(standard.X);
        y->setText(standard.Y);
    });
    for (QWidget* geometry : {static_cast<QWidget*>(sizeBox), static_cast<QWidget*>(offsetBox),
                              static_cast<QWidget*>(defaults)})
        geometry->setEnabled(!nameOnly);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(nameBox);
    layout->addWidget(sizeBox);
    layout->addWidget(offsetBox);
    auto* buttons = OkCancel(dialog, language);
    buttons->addButton(defaults, QDialogButtonBox::ResetRole);
    layout->addWidget(buttons);
    name->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return BoardPropertiesText{name->text(), width->text(), height->text(), x->text(), y->text()};
}

std::optional<int> RunUndoDepthDialog(QWidget* parent, int depth, Language language) {
    QDialog dialog(parent);
    dialog.setWindowTitle(T(language, "Rückgängig", "Undo"));
    auto* steps = new QSpinBox;
    steps->setRange(1, 50);
    steps->setValue(depth);
    auto* form = new QFormLayout;
    form->addRow(T(language, "Anzahl der Schritte:", "Number of steps:"), steps);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(OkCancel(dialog, language));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return steps->value();
}

std::optional<AutoSaveSettings> RunAutoSaveDialog(QWidget* parent, AutoSaveSettings current,
                                                  Language language) {
    QDialog dialog(parent);
    dialog.setWindowTitle(T(language, "AutoSpeichern", "AutoSave"));
    auto* enabled = new QCheckBox(T(language, "Aktiv", "Enabled"));
    enabled->setChecked(current.Enabled);
    auto* minutes = new QSpinBox;
    minutes->setRange(1, 60);
    minutes->setValue(current.Minutes);
    minutes->setSuffix(T(language, " Minuten", " minutes"));
    auto* form = new QFormLayout;
    form->addRow(QString(), enabled);
    form->addRow(T(language, "Intervall:", "Interval:"), minutes);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(OkCancel(dialog, language));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return AutoSaveSettings{enabled->isChecked(), minutes->value()};
}

} // namespace karvel
