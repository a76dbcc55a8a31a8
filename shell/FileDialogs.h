#pragma once
// The file dialogs' shared behaviour: room for the name, size, type and date columns, and a
// saved name that always ends in one of the offered extensions.

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtWidgets/QFileDialog>

namespace karvel {

// The name as it is to be saved: unchanged when it ends in an extension one of the filters
// offers, else with the default suffix appended. "Verstärker v1.2" becomes "Verstärker
// v1.2.rst", where the dialog itself takes ".2" for an extension and adds nothing.
QString WithOfferedExtension(const QString& path, const QStringList& filters,
                             const QString& defaultSuffix);

// A file dialog at a size that shows its columns whole.
void GiveRoom(QFileDialog& dialog);

// A save dialog whose chosen name always carries an offered extension; its overwrite question
// asks about the name that will really be written.
class SaveFileDialog : public QFileDialog {
    Q_OBJECT
public:
    using QFileDialog::QFileDialog;

public Q_SLOTS:
    void accept() override;
};

} // namespace karvel
