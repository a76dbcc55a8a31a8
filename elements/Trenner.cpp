#include "elements/Trenner.h"

#include "board/RecordIO.h"
#include "elements/Geometry.h"

namespace karvel {

TTrenner::TTrenner() { BauteilTyp = TBauteilTyp::btTrenner; }

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
    for (const int v : {CutRect.Left, CutRect.Top, CutRect.Right, CutRect.Bottom})
        record::WriteRawInt32(writer, v);
}

void TTrenner::ReadFromStream(RecordContext& context, ValueReader& reader) {
    TBauteil::ReadFromStream(context, reader);
    int v[4];
    for (int& value : v)
        value = context.OldFormat() ? record::ReadRawInt16(reader) : record::ReadRawInt32(reader);
    CutRect = {v[0], v[1], v[2], v[3]};
}

} // namespace karvel
