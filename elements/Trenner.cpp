#include "elements/Trenner.h"

#include "elements/CopperColours.h"
#include "elements/Geometry.h"
#include "stream/RecordIO.h"

#include <cstdlib>

namespace karvel {

TTrenner::TTrenner() {
    BauteilTyp = TBauteilTyp::btTrenner;
}

void TTrenner::Draw(Canvas& canvas) {
    // A cut goes through the board: it shows from either side, so there is no side test.
    Colour fill = CopperColours::For(View()).Surface;
    if (IstMarkiert())
        fill = colours::Selected;
    else if (UmrissFlag())
        fill = colours::White;
    const Colour brush = canvas.BrushColour();
    const BrushStyle brushStyle = canvas.GetBrushStyle();
    canvas.SetPen(canvas.PenColour(), 0, PenStyle::Clear);
    canvas.SetBrush(fill);
    canvas.DrawRectangle(CutRect);
    canvas.SetBrush(brush, brushStyle);
    canvas.SetPenStyle(PenStyle::Solid);
}

std::optional<Region> TTrenner::CreateRegion(Canvas& canvas) {
    return Region::FromRect(Normalised(canvas.LPtoDP(CutRect)));
}

bool TTrenner::HitTest(QPoint device, Canvas& canvas) {
    const Rect bounds = Normalised(canvas.LPtoDP(GetBounds(canvas)));
    if (device.x() < bounds.Left || device.x() >= bounds.Right || device.y() < bounds.Top ||
        device.y() >= bounds.Bottom)
        return false;
    const std::optional<Region> region = CreateRegion(canvas);
    return region && region->Contains(device);
}

int TTrenner::EdgeTowards(QPoint device, Canvas& canvas) {
    const Rect bounds = GetBounds(canvas);
    const QPoint mid = canvas.LPtoDP(Midpoint(bounds.TopLeft(), bounds.BottomRight()));
    const int dx = device.x() - mid.x();
    const int dy = device.y() - mid.y();
    if (std::abs(dy) < std::abs(dx))
        return dx <= 0 ? 3 : 4;
    return dy <= 0 ? 1 : 2;
}

void TTrenner::MoveBy(int dx, int dy) {
    CutRect = {CutRect.Left + dx, CutRect.Top + dy, CutRect.Right + dx, CutRect.Bottom + dy};
}

void TTrenner::Scale(QPoint origin, double factorX, double factorY) {
    TBauteil::Scale(origin, factorX, factorY);
    const QPoint a = ScalePoint(CutRect.TopLeft(), origin, factorX, factorY);
    const QPoint b = ScalePoint(CutRect.BottomRight(), origin, factorX, factorY);
    CutRect = {a.x(), a.y(), b.x(), b.y()};
}

QString TTrenner::GetKindName() const {
    return View().Tr(QStringLiteral("Trenner"), QStringLiteral("split"));
}

void TTrenner::WriteToStream(RecordContext& context, ValueWriter& writer) {
    TBauteil::WriteToStream(context, writer);
    // Left, top, right, bottom: the bytes of two points.
    record::WritePoint(context, writer, CutRect.TopLeft());
    record::WritePoint(context, writer, CutRect.BottomRight());
}

void TTrenner::ReadFromStream(RecordContext& context, ValueReader& reader) {
    TBauteil::ReadFromStream(context, reader);
    int v[4];
    for (int& value : v)
        value = context.OldFormat() ? record::ReadRawInt16(reader)
                                    : record::CheckedCoordinate(record::ReadRawInt32(reader));
    CutRect = {v[0], v[1], v[2], v[3]};
}

} // namespace karvel
