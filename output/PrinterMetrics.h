#pragma once
// What the page mapping needs to know of a printer: its resolution and where the sheet and its
// printable area lie, in the printer's device pixels. A plain value, so that the mapping can be
// worked out and tested without a printer.

#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/QSizeF>

class QPageLayout;

namespace karvel {

struct PrinterMetrics {
    int DotsPerInchX = 0;
    int DotsPerInchY = 0;
    // The whole sheet and the part of it the printer can reach, both in device pixels.
    QRect FullRect;
    QRect PaintRect;

    // The printer as Qt describes it: the layout's full and paintable rectangles at the
    // printer's resolution.
    static PrinterMetrics FromPageLayout(const QPageLayout& layout, int dotsPerInch);

    // The printable area in device pixels.
    int PrintableWidth() const { return PaintRect.width(); }
    int PrintableHeight() const { return PaintRect.height(); }
    // The sheet in device pixels.
    int SheetWidth() const { return FullRect.width(); }
    int SheetHeight() const { return FullRect.height(); }
    // Where the printable area starts on the sheet.
    QPoint PhysicalOffset() const { return PaintRect.topLeft() - FullRect.topLeft(); }
    // The printable area in whole millimetres.
    int PrintableWidthMm() const;
    int PrintableHeightMm() const;
    // The sheet in millimetres.
    QSizeF SheetSizeMm() const;
    bool IsUsable() const;

    bool operator==(const PrinterMetrics&) const = default;
};

} // namespace karvel
