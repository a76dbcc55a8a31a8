#pragma once
// A mouse event over a board as the tools see it: plain values, so that a test can click
// without building Qt events.

#include "board/tools/PointerEvent.h"

#include <QtCore/QPoint>
#include <QtCore/Qt>

namespace karvel {

struct BoardMouseEvent {
    QPoint Control; // pixel of the board's control
    Qt::MouseButton Button = Qt::NoButton;
    Qt::MouseButtons Buttons;
    Qt::KeyboardModifiers Modifiers;
};

inline PointerEvent ToPointer(PointerAction action, const BoardMouseEvent& event) {
    return {action, event.Control, event.Button, event.Buttons, event.Modifiers};
}

} // namespace karvel
