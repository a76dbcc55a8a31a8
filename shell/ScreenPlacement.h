#pragma once
// The main window's size and place on the screen: the start size, or the place it was closed
// at, always brought inside the screen's free area, so that a small screen or a large scale
// factor still shows the whole window.

#include "platform/ProgramSettings.h"

#include <QtCore/QRect>

class QWidget;

namespace karvel {

inline constexpr QSize MainWindowStartSize{1280, 860};

// The rectangle shrunk to the free area where it is larger, then moved inside it.
QRect FitOnScreen(const QRect& wanted, const QRect& available);
// Where the window opens: its stored normal place, or the start size in the middle of the free
// area; fitted either way.
QRect StartGeometry(const WindowGeometry& stored, const QRect& available);
// Once the window is shown and its frame known: shrinks and moves it where the frame, title
// bar included, would stand out of the free area of its screen. A maximised window is the
// desktop's to place.
void KeepFrameOnScreen(QWidget& window);
// The free area (without panels and docks) of the screen that shows the point, or of the
// primary screen.
QRect AvailableScreenArea(QPoint near);
// What the settings keep of a window: its normal place and whether it is maximised.
WindowGeometry GeometryOf(const QWidget& window);

} // namespace karvel
