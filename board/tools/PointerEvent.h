#pragma once
// Input as the editing tools see it: plain values, so that tests and edit scripts press, move
// and release exactly as a window does, without Qt's event classes.

#include <QtCore/QPoint>
#include <QtCore/Qt>

namespace karvel {

enum class PointerAction { Press, Move, Release, DoubleClick };

struct PointerEvent {
    PointerAction Action = PointerAction::Move;
    QPoint Control; // pixel of the board's control
    Qt::MouseButton Button = Qt::NoButton;
    Qt::MouseButtons Buttons;
    Qt::KeyboardModifiers Modifiers;

    bool Shift() const { return Modifiers.testFlag(Qt::ShiftModifier); }
    bool Ctrl() const { return Modifiers.testFlag(Qt::ControlModifier); }
    bool Alt() const { return Modifiers.testFlag(Qt::AltModifier); }
    bool Left() const { return Button == Qt::LeftButton; }
    bool Right() const { return Button == Qt::RightButton; }
};

struct KeyPress {
    int Key = 0; // Qt::Key
    Qt::KeyboardModifiers Modifiers;
};

struct WheelTurn {
    QPoint Control;
    QPoint Angle; // eighths of a degree, as Qt reports them; 120 is one notch
    Qt::KeyboardModifiers Modifiers;
};

} // namespace karvel
