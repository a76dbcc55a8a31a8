#pragma once
// TTrenner: a strip cut, a rectangle where the copper strip is interrupted. The board also
// makes transient ones around drillings for its continuity computation.

#include "elements/Bauteil.h"

namespace karvel {

class TTrenner : public TBauteil {
public:
    TTrenner();
    std::string_view ClassName() const override { return "TTrenner"; }

    Rect CutRect;

    void Draw(Canvas& canvas) override;
    std::optional<Region> CreateRegion(Canvas& canvas) override;
    bool HitTest(QPoint device, Canvas& canvas) override;
    void MoveBy(int dx, int dy) override;
    Rect GetBounds(Canvas&) override { return CutRect; }
    void WriteToStream(RecordContext& context, ValueWriter& writer) override;
    void ReadFromStream(RecordContext& context, ValueReader& reader) override;
    QString GetKindName() const override;
    void SetFraesen(bool) override { TBauteil::SetFraesen(false); }
    void Scale(QPoint origin, double factorX, double factorY) override;

    // The edge of the cut a device point lies towards: 1 top, 2 bottom, 3 left, 4 right.
    int EdgeTowards(QPoint device, Canvas& canvas);
};

} // namespace karvel
