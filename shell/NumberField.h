#pragma once
// The decimal field of the small dialogs: a text field with up and down buttons that takes
// only number characters (a comma becomes a decimal point), and brings its value within its
// limits when it is left or set.

#include "shell/DialogNumbers.h"

#include <QtWidgets/QAbstractSpinBox>

namespace karvel {

class NumberField : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit NumberField(const NumberRange& range, QWidget* parent = nullptr);

    const NumberRange& Range() const { return range_; }
    // The text's value within the limits, also while the text is still being typed: OK taken
    // with the Enter key leaves no field.
    float Value() const;
    // Clamped, and shown with the field's decimals.
    void SetValue(double value);

    void stepBy(int steps) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    QValidator::State validate(QString& input, int& position) const override;
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Show(float value);

    NumberRange range_;
};

} // namespace karvel
