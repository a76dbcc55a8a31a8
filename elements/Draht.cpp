#include "elements/Draht.h"

#include "elements/Geometry.h"
#include "elements/HolePitch.h"
#include "stream/RecordIO.h"

#include <QtCore/QLocale>

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
        return std::abs(node.x() - point.x()) <= HalfPitch &&
               std::abs(node.y() - point.y()) <= HalfPitch;
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
        if (c->x() >= point.x() - HalfPitch && c->x() < point.x() + HalfPitch &&
            c->y() >= point.y() - HalfPitch && c->y() < point.y() + HalfPitch)
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
        if (a != NoHoleAnchor)
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

void TDraht::ForgetShape() {
    RememberedNodes.reset();
}

void TDraht::Stretch(TBauteil* firstLead, TBauteil* secondLead, double angle, TBauteil* movedLead) {
    auto* a = dynamic_cast<TDraht*>(firstLead);
    auto* b = dynamic_cast<TDraht*>(secondLead);
    auto usable = [](const TDraht* lead) {
        return lead != nullptr && !lead->Nodes.empty() && lead->RememberedNodes &&
               !lead->RememberedNodes->empty();
    };
    if (!usable(a) || !usable(b))
        return;
    const QPoint a0 = a->RememberedNodes->front();
    const QPoint b0 = b->RememberedNodes->front();
    if (a0 == b0)
        return;
    const long double delta = angle - Direction(a0, b0);
    if (this == a || this == b) {
        StretchLead(*a, *b, delta, movedLead);
        return;
    }
    if (!RememberedNodes)
        return;
    // The body turns about the first lead's remembered body end and follows that end, which
    // the group has stretched already: leads go first.
    const QPoint pivot = a->RememberedNodes->back();
    const QPoint shift = a->Nodes.back() - pivot;
    const std::size_t count = std::min(Nodes.size(), RememberedNodes->size());
    for (std::size_t i = 0; i < count; ++i)
        Nodes[i] = RotatePoint((*RememberedNodes)[i], pivot, double(delta)) + shift;
}

void TDraht::StretchLead(TDraht& a, TDraht& b, long double delta, TBauteil* movedLead) {
    const QPoint aLast = a.RememberedNodes->back();
    const QPoint bLast = b.RememberedNodes->back();
    const long double r = PointDistance(a.RememberedNodes->front(), b.RememberedNodes->front());
    const long double s = PointDistance(a.Nodes.front(), b.Nodes.front());
    const long double factor = s / r;
    // Half the remembered body, halved toward zero as the stored components expect.
    const QPoint half((bLast.x() - aLast.x()) / 2, (bLast.y() - aLast.y()) / 2);
    const QPoint middle = aLast + half;
    const TDraht& fixed = movedLead == &a ? b : a;
    const QPoint f = fixed.Nodes.front();
    const QPoint fRemembered = fixed.RememberedNodes->front();
    const QPoint offset = this == &a ? -half : half;
    // The body middle keeps its place between the holes in proportion, the body its length.
    const QPoint end(RoundToUnit(factor * (middle.x() - fRemembered.x()) + f.x() + offset.x()),
                     RoundToUnit(factor * (middle.y() - fRemembered.y()) + f.y() + offset.y()));
    Nodes.back() = RotatePoint(end, f, double(delta));
}

// --- Texts ------------------------------------------------------------------------------------

QString TDraht::Millimetres(int units) {
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(units / 100.0, 'f', QLocale::FloatingPointShortest);
}

QString TDraht::GetKindName() const {
    // The texts are where a shape settles whether it is a rectangle, and the stored kind follows.
    const_cast<TDraht*>(this)->Reclassify();
    const ViewState& view = View();
    switch (BauteilTyp) {
    case TBauteilTyp::btDraht: {
        QString name = view.Tr(QStringLiteral("Draht"), QStringLiteral("wire"));
        const int length = PolylineLength();
        if (length % HolePitch == 0)
            name += view.Tr(QStringLiteral(" Lochabstand "), QStringLiteral(": hole distance ")) +
                    QString::number(length / HolePitch);
        return name;
    }
    case TBauteilTyp::btAnschluss:
        return view.Tr(QStringLiteral("Bauteilanschluß"), QStringLiteral("Lead"));
    case TBauteilTyp::btLine:
        return view.Tr(QStringLiteral("Linie"), QStringLiteral("Line"));
    case TBauteilTyp::btRect:
        return view.Tr(QStringLiteral("Rechteck"), QStringLiteral("Rectangle"));
    case TBauteilTyp::btPolygon:
        return QStringLiteral("Polygon");
    case TBauteilTyp::btPin:
        return QStringLiteral("Pin");
    default:
        return {};
    }
}

QString TDraht::GetMeasureText() const {
    const_cast<TDraht*>(this)->Reclassify();
    switch (BauteilTyp) {
    case TBauteilTyp::btDraht:
    case TBauteilTyp::btAnschluss:
        return QStringLiteral("L = ") + Millimetres(PolylineLength()) + QStringLiteral(" mm");
    case TBauteilTyp::btLine:
    case TBauteilTyp::btPolygon:
        return QString::number(Nodes.size()) +
               View().Tr(QStringLiteral(" Knoten"), QStringLiteral(" Points"));
    case TBauteilTyp::btRect:
        if (Nodes.size() < 3)
            return {};
        return Millimetres(PointDistance(Nodes[0], Nodes[1])) + QStringLiteral(" x ") +
               Millimetres(PointDistance(Nodes[1], Nodes[2])) + QStringLiteral(" mm");
    default:
        return {};
    }
}

// --- Fill bitmap ------------------------------------------------------------------------------

void TDraht::LoadFillBitmap(const QString& path) {
    ReleaseFillBitmap();
    if (!IsClosed())
        return;
    if (AdoptFillBitmap(QImage(path)))
        SetFuellenFlag(true);
}

// --- Stored form ------------------------------------------------------------------------------

void TDraht::WriteToStream(RecordContext& context, ValueWriter& writer) {
    TBauteil::WriteToStream(context, writer);
    record::WritePointList(context, writer, Nodes);
    writer.WriteBoolean(RememberedNodes.has_value());
    if (RememberedNodes)
        record::WritePointList(context, writer, *RememberedNodes);
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
