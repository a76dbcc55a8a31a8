#pragma once
// TFadenKreuz: the crosshair that follows the cursor over the board, drawn with an exclusive-or
// pen so that drawing it again at the same place erases it.

#include "platform/Canvas.h"
#include "platform/Colour.h"

#include <optional>
#include <QtCore/QPoint>

namespace karvel {

class TFadenKreuz {
public:
    // Where the crosshair should be, in board units.
    QPoint Position;
    QPoint DrawnPosition;
    // The board shows it in grey, RGB (128, 128, 128). No palette is kept: every target we draw
    // on holds true colours.
    Colour LineColour = colours::White;

    bool Shown() const { return drawn_.has_value(); }

    // Stores the position and shows the crosshair there.
    void SetPosition(QPoint position, Canvas& canvas);
    void Show(Canvas& canvas);
    void Hide(Canvas& canvas);

private:
    // The lines as they were drawn, so that erasing repeats them even if the clip has changed.
    struct Lines {
        QPoint HorizontalFrom, HorizontalTo;
        QPoint VerticalFrom, VerticalDown, VerticalUp;
        Colour Pen;
    };

    Lines Compute(Canvas& canvas) const;
    static void Paint(Canvas& canvas, const Lines& lines);

    std::optional<Lines> drawn_;
};

} // namespace karvel
