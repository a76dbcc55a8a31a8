#pragma once
// A line under a text field that says, while the user types, which characters the stored files
// cannot hold (they keep one Windows-1252 byte per character), and offers a link that writes
// them in a spelling the files can hold where there is a usual one ("Ω" as "Ohm"). The field's
// text changes only when the user follows that link.

#include "platform/Language.h"

#include <functional>
#include <QtWidgets/QLabel>
#include <vector>

class QDialogButtonBox;
class QLineEdit;

namespace karvel {

class StorableTextNote : public QLabel {
public:
    StorableTextNote(QLineEdit& field, Language language);

    // The field's text can be stored as it is.
    bool Storable() const { return storable_; }
    // Told whenever Storable may have changed.
    std::function<void()> OnChange;

    // Writes the characters that have a storable spelling in it, as the link does.
    void UseStorableSpellings();

private:
    void Check();

    QLineEdit& field_;
    Language language_;
    bool storable_ = true;
};

// Notes under the given fields, and the OK button enabled only while all of them can be stored.
void GuardStorableFields(const std::vector<StorableTextNote*>& notes, QDialogButtonBox& buttons);

} // namespace karvel
