#include "output/PageMapping.h"

#include "elements/Geometry.h"

#include <algorithm>
#include <cmath>

namespace karvel {

namespace {

constexpr int UnitsPerInch = 2540;

int Trunc(double value) {
    return int(std::trunc(value));
}

int Sign(bool negative) {
    return negative ? -1 : 1;
}

} // namespace

double ScaleForPosition(int position) {
    return 10.0 / std::clamp(position, 10, 50);
}

QPoint CentredOffset(const PrinterMetrics& printer, QSize boardSize, bool titleBlock,
                     double scale) {
    const int height = titleBlock ? boardSize.height() - TitleBlockHeight : boardSize.height();
    return {Div(boardSize.width(), 2) - RoundToUnit(printer.PrintableWidthMm() * 50.0L * scale),
            Div(height, 2) - RoundToUnit(printer.PrintableHeightMm() * 50.0L * scale)};
}

Rect PrintableDeviceRect(const PrinterMetrics& printer) {
    return {0, 0, printer.PrintableWidth(), printer.PrintableHeight()};
}

// The window origin is the board point at the printable area's corner: with the board
// mirrored the right-hand corner, turned over the corner below the board's height.
Mapping PrinterPageMapping(const PrinterMetrics& printer, const Rect& board,
                           const PagePlacement& placement) {
    const double s = placement.Scale;
    const QPoint d = placement.Offset;
    const int units = RoundToUnit(UnitsPerInch * (long double)s);
    Mapping m;
    m.WindowExt = {Sign(placement.Mirrored) * units, Sign(placement.Turned) * units};
    m.ViewportExt = {printer.DotsPerInchX, printer.DotsPerInchY};
    m.WindowOrg = {placement.Mirrored
                       ? RoundToUnit(s * printer.PrintableWidthMm() * 100.0L) + d.x() + board.Left
                       : board.Left + d.x(),
                   placement.Turned ? board.Height() + board.Top - d.y() : board.Top + d.y()};
    m.ViewportOrg = {0, 0};
    return m;
}

PreviewGeometry PreviewLayout(QSize area, const PrinterMetrics& printer) {
    PreviewGeometry g;
    if (!printer.IsUsable())
        return g;
    const int aw = area.width() - 50;
    const int ah = area.height() - 50;
    const QSizeF sheet = printer.SheetSizeMm();
    const double r = sheet.height() / sheet.width();
    int h = std::max(ah, 0);
    int w = Trunc(h / r);
    if (aw < w) {
        w = std::max(aw, 0);
        h = Trunc(w * r);
    }
    const int left = Div(aw, 2) - Div(w, 2) + 25;
    const int top = Div(ah, 2) - Div(h, 2) + 25;
    g.Paper = {left, top, left + w, top + h};

    const QPoint offset = printer.PhysicalOffset();
    const double sheetW = printer.SheetWidth();
    const double sheetH = printer.SheetHeight();
    g.Printable = {RoundToUnit(offset.x() * w / sheetW), RoundToUnit(offset.y() * h / sheetH),
                   RoundToUnit(w / sheetW * (printer.PrintableWidth() + offset.x())),
                   RoundToUnit(h / sheetH * (printer.PrintableHeight() + offset.y()))};
    return g;
}

Mapping PreviewPageMapping(const PreviewGeometry& preview, const PrinterMetrics& printer,
                           const Rect& board, const PagePlacement& placement) {
    const double s = placement.Scale;
    const QPoint d = placement.Offset;
    const int widthMm = printer.PrintableWidthMm();
    Mapping m;
    m.WindowExt = {Sign(placement.Mirrored) * 100 * widthMm,
                   Sign(placement.Turned) * 100 * printer.PrintableHeightMm()};
    m.WindowOrg = {placement.Mirrored ? RoundToUnit(widthMm * 100.0L * s + d.x() + board.Left)
                                      : board.Left + d.x(),
                   placement.Turned ? board.Height() + board.Top - d.y() : board.Top + d.y()};
    m.ViewportOrg = preview.Printable.TopLeft();
    m.ViewportExt = {RoundToUnit(preview.Printable.Width() / (long double)s),
                     RoundToUnit(preview.Printable.Height() / (long double)s)};
    return m;
}

QPoint DraggedOffset(const PagePlacement& placement, QPoint from, QPoint to, int paperHeight,
                     const PrinterMetrics& printer) {
    if (paperHeight <= 0 || printer.PrintableHeightMm() <= 0)
        return placement.Offset;
    const long double unitsPerPixel =
        100.0L / ((long double)paperHeight / printer.PrintableHeightMm()) * placement.Scale;
    const int stepX = RoundToUnit((from.x() - to.x()) * unitsPerPixel);
    const int stepY = RoundToUnit((from.y() - to.y()) * unitsPerPixel);
    const int dx = placement.Mirrored ? placement.Offset.x() - stepX : placement.Offset.x() + stepX;
    const int dy = placement.Offset.y() + stepY;
    return {std::clamp(dx, -MaxPageOffset, MaxPageOffset),
            std::clamp(dy, -MaxPageOffset, MaxPageOffset)};
}

std::vector<int> PrintJobOrder(int selected, int boardCount, bool allBoards, int copies) {
    std::vector<int> jobs;
    if (boardCount <= 0 || (!allBoards && (selected < 0 || selected >= boardCount)))
        return jobs;
    for (int copy = 0; copy < copies; ++copy) {
        if (!allBoards) {
            jobs.push_back(selected);
            continue;
        }
        for (int board = 0; board < boardCount; ++board)
            jobs.push_back(board);
    }
    return jobs;
}

} // namespace karvel
