#pragma once
// Where a board lands on the printed page and in the print preview: pure functions of the
// printer's metrics, the board rectangle and the placement the print window chooses.
//
// The scale divisor s counts board units per 0.01 mm of paper: 1.0 prints 1:1, 0.2 five times
// larger. The offset moves the board on the page in board units.

#include "output/PrinterMetrics.h"
#include "platform/Mapping.h"
#include "platform/Rect.h"

#include <QtCore/QPoint>
#include <QtCore/QSize>
#include <vector>

namespace karvel {

struct PagePlacement {
    double Scale = 1.0;
    QPoint Offset{0, 0};
    bool Mirrored = false; // about the vertical axis
    bool Turned = false;   // seen from the solder side
    bool operator==(const PagePlacement&) const = default;
};

// Dragging keeps the offset within ±310 mm of board.
inline constexpr int MaxPageOffset = 31000;
// The title block takes 12 mm of the board's height out of the centring.
inline constexpr int TitleBlockHeight = 1200;

// The scale divisor of a magnification position (10 .. 50 for 100 % .. 500 %).
double ScaleForPosition(int position);

// The offset that puts the board's centre on the centre of the printable area, in every
// orientation; with the title block the board sits half the block's height lower.
QPoint CentredOffset(const PrinterMetrics& printer, QSize boardSize, bool titleBlock, double scale);

// The printable area as the printer's painter sees it: it starts at the painter's origin.
Rect PrintableDeviceRect(const PrinterMetrics& printer);

// Board units to printer pixels. One inch of paper shows 2540 × s board units, so 1:1 is exact
// at every resolution.
Mapping PrinterPageMapping(const PrinterMetrics& printer, const Rect& board,
                           const PagePlacement& placement);

// The paper and its printable area in the preview.
struct PreviewGeometry {
    Rect Paper;     // in the preview area's pixels
    Rect Printable; // inside the paper, in the paper's own pixels
    bool operator==(const PreviewGeometry&) const = default;
};

// The paper as large as the area allows with a 25-pixel border, in the sheet's proportions.
PreviewGeometry PreviewLayout(QSize area, const PrinterMetrics& printer);

// Board units to the paper's pixels: the printable width shows 100 × width in mm × s units.
Mapping PreviewPageMapping(const PreviewGeometry& preview, const PrinterMetrics& printer,
                           const Rect& board, const PagePlacement& placement);

// The offset after a drag step of the mouse from one paper pixel to another: the printout
// follows the mouse in every orientation.
QPoint DraggedOffset(const PagePlacement& placement, QPoint from, QPoint to, int paperHeight,
                     const PrinterMetrics& printer);

// The boards printed, one job each, in order; copies are collated (all boards, then all
// boards again).
std::vector<int> PrintJobOrder(int selected, int boardCount, bool allBoards, int copies);

} // namespace karvel
