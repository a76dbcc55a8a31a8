#pragma once
// The scrollable host a board view lives in, as the board sees it: its visible area, its scroll
// position, and the size it gives the board's control. The desktop program implements it with
// a scroll area; tests implement it with plain values.

#include "platform/RepaintTarget.h"

#include <QtCore/QPoint>
#include <QtCore/QSize>

namespace karvel {

class BoardHost : public RepaintTarget {
public:
    virtual QPoint ScrollPosition() const = 0;
    virtual void SetScrollPosition(QPoint position) = 0;
    // The visible part of the host in pixels.
    virtual QSize ClientSize() const = 0;
    virtual void SetControlSize(QSize size) = 0;
    // Repaints everything.
    virtual void Repaint() = 0;
};

} // namespace karvel
