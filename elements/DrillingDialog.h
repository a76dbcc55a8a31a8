#pragma once
// What a drilling asks of the dialog that edits it; the desktop program shows a real dialog,
// a test answers directly.

#include <optional>
#include <QtCore/QString>

namespace karvel {

class DrillingDialog {
public:
    virtual ~DrillingDialog() = default;
    // Shows the diameter in millimetres under a caption; the new diameter on OK, else nothing.
    virtual std::optional<double> Ask(const QString& caption, double diameter) = 0;
};

} // namespace karvel
