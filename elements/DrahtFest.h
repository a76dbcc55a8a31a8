#pragma once
// TDrahtFest: a fixed wire that belongs to a legacy board type. It is part of the board
// itself: never selected, hit, grabbed, moved or caught by a rubber band, and not drawn.

#include "elements/Draht.h"

namespace karvel {

class TDrahtFest : public TDraht {
public:
    TDrahtFest();
    std::string_view ClassName() const override { return "TDrahtFest"; }

    void Draw(Canvas&) override {}
    void SetIstMarkiert(bool) override { TDraht::SetIstMarkiert(false); }
    bool HitTest(QPoint, Canvas&) override { return false; }
    QPoint* NodeAt(QPoint, Canvas&) override { return nullptr; }
    void MoveBy(int, int) override {}
    bool IntersectsRect(const Rect&, Canvas&) override { return false; }
};

} // namespace karvel
