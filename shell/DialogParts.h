#pragma once
// What the program's small dialogs share: texts in the program's language and the OK and
// Cancel row.

#include "platform/Language.h"

#include <QtWidgets/QDialog>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QPushButton>

namespace karvel::dialog_parts {

inline QString T(Language language, const char* german, const char* english) {
    return Tr(language, QString::fromUtf8(german), QString::fromUtf8(english));
}

inline QDialogButtonBox* OkCancel(QDialog& dialog, Language language) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(T(language, "&Abbrechen", "&Cancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

} // namespace karvel::dialog_parts
