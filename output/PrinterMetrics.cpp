#include "output/PrinterMetrics.h"

#include "platform/NumberText.h"

#include <QtGui/QPageLayout>

namespace karvel {

namespace {

constexpr long double MmPerInch = 25.4L;

int WholeMm(int pixels, int dotsPerInch) {
    return dotsPerInch > 0 ? int(RoundHalfEven(pixels * MmPerInch / dotsPerInch)) : 0;
}

} // namespace

PrinterMetrics PrinterMetrics::FromPageLayout(const QPageLayout& layout, int dotsPerInch) {
    return {dotsPerInch, dotsPerInch, layout.fullRectPixels(dotsPerInch),
            layout.paintRectPixels(dotsPerInch)};
}

int PrinterMetrics::PrintableWidthMm() const {
    return WholeMm(PrintableWidth(), DotsPerInchX);
}

int PrinterMetrics::PrintableHeightMm() const {
    return WholeMm(PrintableHeight(), DotsPerInchY);
}

QSizeF PrinterMetrics::SheetSizeMm() const {
    if (!IsUsable())
        return {};
    return {double(SheetWidth() * MmPerInch / DotsPerInchX),
            double(SheetHeight() * MmPerInch / DotsPerInchY)};
}

// A printer that reports no resolution or an empty page cannot be mapped onto.
bool PrinterMetrics::IsUsable() const {
    return DotsPerInchX > 0 && DotsPerInchY > 0 && !FullRect.isEmpty() && !PaintRect.isEmpty() &&
           PrintableWidthMm() > 0 && PrintableHeightMm() > 0;
}

} // namespace karvel
