#include "board/tools/PointerZoom.h"

#include "board/Platine.h"

namespace karvel {

void PointerZoom::ZoomBy(QPoint control, double factor) {
    const BoardHost* host = board_.Host();
    const QPoint scroll = host ? host->ScrollPosition() : QPoint();
    const QPoint hostPixel = control - scroll;
    const bool resting = anchor_ && anchor_->HostPixel == hostPixel && anchor_->Scroll == scroll &&
                         anchor_->Zoom == board_.Zoom();
    const QPointF boardPoint = resting ? anchor_->BoardPoint : board_.ControlToBoardExact(control);
    if (!board_.ZoomKeeping(boardPoint, hostPixel, factor))
        return;
    anchor_ =
        Anchor{hostPixel, boardPoint, host ? host->ScrollPosition() : QPoint(), board_.Zoom()};
}

} // namespace karvel
