#include "shell/NumberField.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

#include <algorithm>
#include <cmath>

namespace karvel {

NumberField::NumberField(const NumberRange& range, QWidget* parent)
    : QAbstractSpinBox(parent), range_(range) {
    setAccelerated(true);
    Show(ClampToRange(0, range_));
}

float NumberField::Value() const {
    return ClampToRange(ReadFieldNumber(text()), range_);
}

void NumberField::SetValue(double value) {
    Show(ClampToRange(float(value), range_));
}

void NumberField::Show(float value) {
    lineEdit()->setText(FieldText(value, range_));
}

void NumberField::stepBy(int steps) {
    Show(ClampToRange(ReadFieldNumber(text()) + float(steps) * range_.Step, range_));
    selectAll();
}

QAbstractSpinBox::StepEnabled NumberField::stepEnabled() const {
    return StepUpEnabled | StepDownEnabled;
}

QValidator::State NumberField::validate(QString& input, int&) const {
    input.replace(u',', u'.');
    for (const QChar c : input)
        if (!IsNumberCharacter(c))
            return QValidator::Invalid;
    return QValidator::Acceptable;
}

// Keys that would put other characters into the field beep instead.
void NumberField::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.front().isPrint();
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (printable && !shortcut && !IsNumberCharacter(typed.front())) {
        QApplication::beep();
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void NumberField::focusOutEvent(QFocusEvent* event) {
    Show(Value());
    QAbstractSpinBox::focusOutEvent(event);
}

// Wide enough for the largest value the field can show, and for the buttons.
QSize NumberField::sizeHint() const {
    QSize size = QAbstractSpinBox::sizeHint();
    const QString widest =
        FieldText(-std::max(std::abs(range_.Minimum), std::abs(range_.Maximum)), range_);
    const int text = fontMetrics().horizontalAdvance(widest + QStringLiteral("00"));
    size.setWidth(std::max(size.width(), text + size.height()));
    return size;
}

QSize NumberField::minimumSizeHint() const {
    return sizeHint();
}

} // namespace karvel
