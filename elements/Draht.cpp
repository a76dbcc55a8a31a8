#include "elements/Draht.h"

#include "board/RecordIO.h"
#include "elements/Geometry.h"

namespace karvel {

TDraht::TDraht() {
    BauteilTyp = TBauteilTyp::btDraht;
    TDraht::SetStiftbreite(50);
    TDraht::SetStiftfarbe(colours::White);
    TDraht::SetIstMarkiert(true);
    TDraht::SetGlaetten(false);
    TDraht::SetGlaettenStil(TGlaettenStil::glSpline);
    TDraht::SetGlaettenBetrag(200.0);
}

// --- Properties that depend on the kind -------------------------------------------------------

void TDraht::SetFuellenFlag(bool value) {
    switch (BauteilTyp) {
    case TBauteilTyp::btDraht:
    case TBauteilTyp::btLine:
    case TBauteilTyp::btAnschluss:
    case TBauteilTyp::btPin:
        TBauteil::SetFuellenFlag(false);
        break;
    default:
        TBauteil::SetFuellenFlag(value);
    }
}

void TDraht::SetFraesen(bool value) {
    const bool millable = BauteilTyp == TBauteilTyp::btLine || BauteilTyp == TBauteilTyp::btRect ||
                          BauteilTyp == TBauteilTyp::btPolygon;
    TBauteil::SetFraesen(millable && value);
}

// --- Nodes ------------------------------------------------------------------------------------

void TDraht::RemoveFirstNode() {
    if (!Nodes.empty())
        Nodes.erase(Nodes.begin());
}

void TDraht::RemoveLastNode() {
    if (!Nodes.empty())
        Nodes.pop_back();
}

bool TDraht::IsClosed() const {
    return BauteilTyp == TBauteilTyp::btRect || BauteilTyp == TBauteilTyp::btPolygon;
}

bool TDraht::IsRectangle() const {
    if (!IsClosed() || Nodes.size() < 4)
        return false;
    const QPoint a = Nodes[0], b = Nodes[1], c = Nodes[2], d = Nodes[3];
    return a.x() == d.x() && a.y() == b.y() && b.x() == c.x() && c.y() == d.y();
}

void TDraht::Reclassify() {
    if (IsClosed())
        BauteilTyp = IsRectangle() ? TBauteilTyp::btRect : TBauteilTyp::btPolygon;
}

int TDraht::WhichEndNear(QPoint point) const {
    if (Nodes.empty())
        return -1;
    auto near = [&](QPoint node) {
        return std::abs(node.x() - point.x()) <= 127 && std::abs(node.y() - point.y()) <= 127;
    };
    if (BauteilTyp == TBauteilTyp::btDraht) {
        if (near(Nodes.back()))
            return 1;
        return near(Nodes.front()) ? 0 : -1;
    }
    if (BauteilTyp == TBauteilTyp::btAnschluss)
        return near(Nodes.front()) ? 0 : -1;
    return -1;
}

int TDraht::PolylineLength() const {
    int length = 0;
    for (std::size_t i = 1; i < Nodes.size(); ++i)
        length += PointDistance(Nodes[i - 1], Nodes[i]);
    return length;
}

// --- Contacts ---------------------------------------------------------------------------------

int TDraht::GetContactCount() const {
    switch (BauteilTyp) {
    case TBauteilTyp::btDraht:
        return 2;
    case TBauteilTyp::btAnschluss:
    case TBauteilTyp::btPin:
        return 1;
    default:
        return 0;
    }
}

void TDraht::FillContacts(std::vector<QPoint*>& contacts) {
    if (Nodes.empty())
        return;
    const int count = GetContactCount();
    if (count >= 1)
        contacts.push_back(&Nodes.front());
    if (count == 2)
        contacts.push_back(&Nodes.back());
}

TBauteil* TDraht::ContactAt(QPoint point) {
    std::vector<QPoint*> contacts;
    FillContacts(contacts);
    for (const QPoint* c : contacts) {
        // Left and top edges of the square count, right and bottom do not.
        if (c->x() >= point.x() - 127 && c->x() < point.x() + 127 && c->y() >= point.y() - 127 &&
            c->y() < point.y() + 127)
            return this;
    }
    return nullptr;
}

// --- Shape changes ----------------------------------------------------------------------------

void TDraht::MoveBy(int dx, int dy) {
    for (QPoint& p : Nodes)
        p += QPoint(dx, dy);
    if (RememberedNodes)
        for (QPoint& p : *RememberedNodes)
            p += QPoint(dx, dy);
}

void TDraht::Rotate90(QPoint c, QPoint k) {
    TBauteil::Rotate90(c, k);
    for (QPoint& p : Nodes)
        p = {c.x() + c.y() - p.y(), p.x() - c.x() + c.y()};
    for (QPoint& a : Anchors)
        a = {k.x() + k.y() - a.y(), a.x() - k.x() + k.y()};
}

void TDraht::Scale(QPoint origin, double factorX, double factorY) {
    TBauteil::Scale(origin, factorX, factorY);
    for (QPoint& p : Nodes)
        p = ScalePoint(p, origin, factorX, factorY);
}

void TDraht::RememberShape() {
    ForgetShape();
    RememberedNodes = Nodes;
}

void TDraht::ForgetShape() { RememberedNodes.reset(); }

// --- Stored form ------------------------------------------------------------------------------

void TDraht::WriteToStream(RecordContext& context, ValueWriter& writer) {
    TBauteil::WriteToStream(context, writer);
    record::WritePointList(writer, Nodes);
    writer.WriteBoolean(RememberedNodes.has_value());
    if (RememberedNodes)
        record::WritePointList(writer, *RememberedNodes);
}

void TDraht::ReadFromStream(RecordContext& context, ValueReader& reader) {
    TBauteil::ReadFromStream(context, reader);
    Nodes = record::ReadPointList(context, reader);
    if (reader.ReadBoolean())
        RememberedNodes = record::ReadPointList(context, reader);
    else
        RememberedNodes.reset();
}

} // namespace karvel
