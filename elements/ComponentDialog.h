#pragma once
// What a component asks of the dialog that edits its identity; the desktop program shows a real
// dialog, a test answers directly.

#include <optional>
#include <QtCore/QString>

namespace karvel {

// The four values the dialog shows and gives back.
struct ComponentFields {
    QString Identifier;
    QString Value;
    QString Description;
    bool InComponentsList = true;
    bool operator==(const ComponentFields&) const = default;
};

class ComponentDialog {
public:
    virtual ~ComponentDialog() = default;
    // Shows the values; the edited values on OK, else nothing.
    virtual std::optional<ComponentFields> Ask(const ComponentFields& current) = 0;
};

} // namespace karvel
