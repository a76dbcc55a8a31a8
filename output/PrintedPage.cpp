#include "output/PrintedPage.h"

namespace karvel {

namespace {

constexpr Colour PrintableOutline = RgbColour(255, 0, 0);
constexpr Colour DraggedFrame = RgbColour(0, 0, 128);

void Apply(Canvas& canvas, const Mapping& m) {
    canvas.SetMapping(m.WindowOrg, m.WindowExt, m.ViewportOrg, m.ViewportExt);
}

// The printable area in board units, whichever way the mapping turns the axes.
Rect InBoardUnits(const Canvas& canvas, const Rect& device) {
    const QPoint a = canvas.DPtoLP(device.TopLeft());
    const QPoint b = canvas.DPtoLP(device.BottomRight());
    return {std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()),
            std::max(a.y(), b.y())};
}

void DrawPaper(Canvas& canvas, const PreviewGeometry& preview) {
    canvas.ResetMapping();
    canvas.SetMixMode(MixMode::Copy);
    canvas.SetPen(colours::Black, 0);
    canvas.SetBrush(colours::White);
    canvas.DrawRectangle({0, 0, preview.Paper.Width(), preview.Paper.Height()});
    canvas.SetPen(PrintableOutline, 0, PenStyle::Dot);
    canvas.DrawRectangle(preview.Printable);
}

} // namespace

void PrintBoardPage(Canvas& canvas, TPlatine& board, const PrinterMetrics& printer,
                    const PagePlacement& placement) {
    const Rect printable = PrintableDeviceRect(printer);
    const std::optional<Region> previous = canvas.ClipRegion();
    canvas.SelectClipRegion(Region::FromRect(printable));
    Apply(canvas, PrinterPageMapping(printer, board.BoardRect(), placement));
    board.DrawOutput(canvas, InBoardUnits(canvas, printable));
    canvas.SelectClipRegion(previous);
}

void DrawPreviewPage(Canvas& canvas, TPlatine& board, const PreviewGeometry& preview,
                     const PrinterMetrics& printer, const PagePlacement& placement,
                     PreviewDetail detail) {
    if (preview.Paper.IsEmpty())
        return;
    DrawPaper(canvas, preview);
    if (preview.Printable.IsEmpty())
        return;
    const std::optional<Region> previous = canvas.ClipRegion();
    canvas.SelectClipRegion(Region::FromRect(preview.Printable));
    Apply(canvas, PreviewPageMapping(preview, printer, board.BoardRect(), placement));
    const Rect clipUnits = InBoardUnits(canvas, preview.Printable);
    if (detail == PreviewDetail::Full) {
        board.DrawOutput(canvas, clipUnits);
    } else {
        canvas.SetPen(DraggedFrame, 0, PenStyle::Dot);
        canvas.SetBrush(colours::White);
        canvas.DrawRectangle(board.BoardRect());
        board.DrawOutputLabels(canvas, clipUnits);
    }
    canvas.SelectClipRegion(previous);
    canvas.ResetMapping();
}

} // namespace karvel
