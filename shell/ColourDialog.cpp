#include "shell/ColourDialog.h"

#include "platform/ColourDialogSettings.h"

#include <QtCore/QCoreApplication>
#include <QtWidgets/QColorDialog>

namespace karvel {

namespace {

void ShowCustomColours(const CustomColours& colours) {
    for (int index = 0; index < int(colours.size()); ++index)
        QColorDialog::setCustomColor(index, ToQColor(colours[std::size_t(index)]));
}

CustomColours ShownCustomColours() {
    CustomColours colours;
    for (int index = 0; index < int(colours.size()); ++index)
        colours[std::size_t(index)] = FromQColor(QColorDialog::customColor(index));
    return colours;
}

} // namespace

std::optional<QColor> AskColour(QWidget* parent, const QColor& initial,
                                const SettingsStore& store) {
    ShowCustomColours(ReadCustomColours(store));
    QColorDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    // A file that cannot be written leaves the colours of this session in the dialog; the
    // colour chosen counts all the same.
    WriteCustomColours(store, ShownCustomColours());
    const QColor chosen = dialog.selectedColor();
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

SettingsStore ProgramSettingsStore() {
    return SettingsStore(QCoreApplication::applicationDirPath());
}

} // namespace karvel
