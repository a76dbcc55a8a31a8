#pragma once
// The properties dialog of a text label: its text or the component field it stands for, its
// height and angle, its font and colour.

#include "elements/TextLabelDialog.h"
#include "platform/Language.h"
#include "shell/DialogNumbers.h"
#include "shell/HelpDialog.h"

#include <optional>

namespace karvel {

// What the fields take: a height of 1 to 99.9 mm in steps of 0.1, an angle of -90 to 90
// degrees in whole steps.
NumberRange LabelHeightRange();
NumberRange LabelAngleRange();

// The text a choice of content puts into the text field: the fixed text's default, or the
// placeholder of the component's identifier (1), value (2) or description (3).
QString PlaceholderText(int choice, Language language);

// Shows the fields; the edited fields on OK, nothing on Cancel.
std::optional<TextLabelFields> RunTextLabelDialog(QWidget* parent, const TextLabelFields& fields,
                                                  Language language, const HelpRequest& help);

} // namespace karvel
