#pragma once
// Answers the next modal dialog as a user would, from inside its event loop.

#include <functional>
#include <gtest/gtest.h>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialog>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

namespace karvel::test {

// Runs the answer once the dialog is up; a dialog the answer left open is cancelled, so that
// a failing check never leaves the test waiting.
inline void AnswerNextDialog(std::function<void(QDialog&)> answer) {
    QTimer::singleShot(0, [answer = std::move(answer)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            ADD_FAILURE() << "no dialog came up";
            return;
        }
        answer(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

inline QPushButton* DialogButton(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    auto* box = dialog.findChild<QDialogButtonBox*>();
    return box != nullptr ? box->button(which) : nullptr;
}

// The button with this role, such as the help button.
inline QAbstractButton* DialogButton(QDialog& dialog, QDialogButtonBox::ButtonRole role) {
    auto* box = dialog.findChild<QDialogButtonBox*>();
    if (box == nullptr)
        return nullptr;
    for (QAbstractButton* button : box->buttons())
        if (box->buttonRole(button) == role)
            return button;
    return nullptr;
}

// Everything the user reads in a dialog: labels, group titles, check and radio boxes.
inline QStringList TextsOf(const QDialog& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts.append(label->text());
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>())
        texts.append(group->title());
    for (const QAbstractButton* box : dialog.findChildren<QCheckBox*>())
        texts.append(box->text());
    for (const QAbstractButton* radio : dialog.findChildren<QRadioButton*>())
        texts.append(radio->text());
    return texts;
}

} // namespace karvel::test
