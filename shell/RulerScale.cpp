#include "shell/RulerScale.h"

#include "board/Platine.h"

namespace karvel {

std::vector<RulerMark> RulerMarks(const TPlatine& board, Qt::Orientation orientation,
                                  int labelExtent) {
    const bool horizontal = orientation == Qt::Horizontal;
    const int pitch = HolePitch;
    const int s = board.PixelsPerHole();
    const QPoint origin = board.Ursprung();
    const int offset =
        horizontal ? board.Nullpunkt().x() - origin.x() : board.Nullpunkt().y() - origin.y();
    const int extent = horizontal ? board.Width() : board.Height();
    // Integer division truncates towards zero, as the numbering always has.
    const int first = offset / pitch;
    const int last = (extent + offset) / pitch;
    const bool minorTicks = horizontal ? labelExtent + 4 < s : labelExtent < s;
    const bool minorLabels = horizontal ? s > 20 : s > 15;

    std::vector<RulerMark> marks;
    marks.reserve(std::size_t(std::max(last - first + 1, 0)));
    for (int k = first; k <= last; ++k) {
        const QPoint at = horizontal ? QPoint(origin.x() + k * pitch, origin.y())
                                     : QPoint(origin.x(), origin.y() + k * pitch);
        const QPoint pixel = board.BoardToHost(at);
        RulerMark mark;
        mark.Position = horizontal ? pixel.x() : pixel.y();
        mark.Number = k;
        mark.Major = k % 5 == 0;
        mark.Tick = mark.Major || minorTicks;
        mark.Label = mark.Major || minorLabels;
        marks.push_back(mark);
    }
    return marks;
}

} // namespace karvel
