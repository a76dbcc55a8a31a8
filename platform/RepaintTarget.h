#pragma once
// Something on screen that can be asked to repaint part of itself later (a board view).

#include "platform/Rect.h"

namespace karvel {

class RepaintTarget {
public:
    virtual ~RepaintTarget() = default;
    // Schedules a repaint of a device rectangle; erase asks for the background first.
    virtual void InvalidateRect(const Rect& device, bool erase) = 0;
};

} // namespace karvel
