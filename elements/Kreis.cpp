#include "elements/Kreis.h"

#include "elements/Geometry.h"
#include "stream/RecordIO.h"

#include <cmath>

namespace karvel {

TKreis::TKreis() : contour_(std::make_unique<TDraht>()) {
    contour_->BauteilTyp = TBauteilTyp::btPolygon;
    contour_->SetIstMarkiert(false);
    BauteilTyp = TBauteilTyp::btRect;
    SetStiftbreite(25);
    SetStiftfarbe(colours::Black);
    SetBrushfarbe(8421504);
    SetFuellenFlag(true);
    SetGlaetten(true);
    SetGlaettenStil(TGlaettenStil::glSpline);
    // The contour's smoothing amount stays its own default; only the style is forced.
}

TKreis::~TKreis() = default;

void TKreis::BuildCircle() {
    const long double r = PointDistance(Centre, RimPoint);
    // Corners on the circumscribed 16-gon; the B-spline pulls the curve back onto radius r.
    const long double outer = std::abs(r) / std::cos(Pi / 16.0L);
    contour_->ClearNodes();
    for (int i = 1; i <= 16; ++i) {
        const long double angle = i * Pi / 8.0L;
        contour_->AddNode({RoundToUnit(outer * std::cos(angle) + Centre.x()),
                           RoundToUnit(outer * std::sin(angle) + Centre.y())});
    }
    if (HasRememberedShape)
        contour_->RememberShape();
}

void TKreis::Draw(Canvas& canvas) {
    if (!IsOnWorkingSide() && !IsXRayGhost())
        return;
    // The contour itself is never selected; its outline turns magenta while the circle is.
    const Colour pen = contour_->Stiftfarbe();
    if (IstMarkiert())
        contour_->SetStiftfarbe(colours::Selected);
    contour_->Draw(canvas);
    contour_->SetStiftfarbe(pen);
}

std::optional<Region> TKreis::CreateRegion(Canvas& canvas) {
    return contour_->CreateRegion(canvas);
}

bool TKreis::HitTest(QPoint device, Canvas& canvas) {
    return contour_->HitTest(device, canvas);
}

bool TKreis::IntersectsRect(const Rect& device, Canvas& canvas) {
    return contour_->IntersectsRect(device, canvas);
}

Rect TKreis::GetBounds(Canvas& canvas) {
    LastBounds = contour_->GetBounds(canvas);
    return LastBounds;
}

void TKreis::DrawGhost(Canvas& canvas, const QPoint& at) {
    // Read before anything moves: the board passes the rim point itself.
    const int a = (GhostShown() ? GhostPos().y() : at.y()) - Centre.y();
    BuildCircle();
    if (RimPoint.y() < Centre.y())
        RimPoint.setY(2 * Centre.y() - RimPoint.y());
    if (std::abs(Centre.y() - RimPoint.y()) < Stiftbreite())
        RimPoint.setY(Centre.y() + Stiftbreite());
    canvas.SetPen(colours::Black, Stiftbreite(), PenStyle::Solid);
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.SetMixMode(MixMode::NotXorPen);
    canvas.DrawEllipse({Centre.x() - a, Centre.y() - a, Centre.x() + a, Centre.y() + a});
    canvas.SetMixMode(MixMode::Copy);
    RimPoint.setX(Centre.x());
}

void TKreis::Stretch(TBauteil* firstLead, TBauteil* secondLead, double angle, TBauteil* movedLead) {
    contour_->Stretch(firstLead, secondLead, angle, movedLead);
}

void TKreis::LoadFillBitmap(const QString& path) {
    contour_->LoadFillBitmap(path);
    // The contour fills itself for its bitmap; the circle's own flag, which the dialogs show,
    // keeps in step.
    if (contour_->HasteBitmap())
        TBauteil::SetFuellenFlag(true);
}

void TKreis::MoveBy(int dx, int dy) {
    contour_->MoveBy(dx, dy);
}

void TKreis::Scale(QPoint origin, double factorX, double factorY) {
    contour_->Scale(origin, factorX, factorY);
}

void TKreis::Rotate90(QPoint c, QPoint k) {
    contour_->Rotate90(c, k);
    auto turn = [c](QPoint p) { return QPoint(c.x() + c.y() - p.y(), p.x() - c.x() + c.y()); };
    Centre = turn(Centre);
    const QPoint rim = turn(RimPoint);
    // The rim point goes back straight below the centre, at the same distance.
    RimPoint = {Centre.x(), Centre.y() + (Centre.x() - rim.x())};
}

void TKreis::RememberShape() {
    RememberedCentre = Centre;
    RememberedRimPoint = RimPoint;
    HasRememberedShape = true;
    contour_->RememberShape();
}

void TKreis::ForgetShape() {
    HasRememberedShape = false;
    contour_->ForgetShape();
}

QString TKreis::GetKindName() const {
    return QStringLiteral("Ellipse");
}

QString TKreis::GetMeasureText() const {
    const Rect& b = LastBounds;
    return TDraht::Millimetres(PointDistance({b.Left, b.Top}, {b.Right, b.Top})) +
           QStringLiteral(" x ") +
           TDraht::Millimetres(PointDistance({b.Right, b.Top}, {b.Right, b.Bottom})) +
           QStringLiteral(" mm");
}

// --- Stored form ------------------------------------------------------------------------------

void TKreis::WriteToStream(RecordContext& context, ValueWriter& writer) {
    TBauteil::WriteToStream(context, writer);
    for (const QPoint p : {Centre, RimPoint})
        record::WriteIntegerPoint(context, writer, p);
    writer.WriteBoolean(HasRememberedShape);
    for (const QPoint p : {RememberedCentre, RememberedRimPoint})
        record::WriteIntegerPoint(context, writer, p);
    contour_->WriteToStream(context, writer);
}

void TKreis::ReadFromStream(RecordContext& context, ValueReader& reader) {
    TBauteil::ReadFromStream(context, reader);
    auto readPoint = [&] {
        const int x = record::ReadCoordinate(context, reader);
        return QPoint(x, record::ReadCoordinate(context, reader));
    };
    Centre = readPoint();
    RimPoint = readPoint();
    HasRememberedShape = reader.ReadBoolean();
    RememberedCentre = readPoint();
    RememberedRimPoint = readPoint();
    if (context.VersionAbove(3000)) {
        contour_->ReadFromStream(context, reader);
        // Whatever the file says, the contour is a smoothed polygon that is never selected.
        contour_->BauteilTyp = TBauteilTyp::btPolygon;
        contour_->SetGlaetten(true);
        contour_->SetGlaettenStil(TGlaettenStil::glSpline);
        contour_->SetIstMarkiert(false);
    } else {
        BuildCircle();
    }
}

// --- Properties shared with the contour ---------------------------------------------------------

void TKreis::SetIstMarkiert(bool value) {
    TBauteil::SetIstMarkiert(value);
    contour_->SetIstMarkiert(false);
}
void TKreis::SetUmrissFlag(bool value) {
    TBauteil::SetUmrissFlag(value);
    contour_->SetUmrissFlag(value);
}
void TKreis::SetFuellenFlag(bool value) {
    TBauteil::SetFuellenFlag(value);
    contour_->SetFuellenFlag(value);
}
void TKreis::SetSpiegelnFlag(bool value) {
    TBauteil::SetSpiegelnFlag(value);
    contour_->SetSpiegelnFlag(value);
}
void TKreis::SetStiftbreite(std::int16_t value) {
    TBauteil::SetStiftbreite(value);
    contour_->SetStiftbreite(value);
}
void TKreis::SetStiftfarbe(Colour value) {
    TBauteil::SetStiftfarbe(value);
    contour_->SetStiftfarbe(value);
}
void TKreis::SetBrushfarbe(Colour value) {
    TBauteil::SetBrushfarbe(value);
    contour_->SetBrushfarbe(value);
}
void TKreis::SetHasteBitmap(bool value) {
    contour_->SetHasteBitmap(value);
}
bool TKreis::HasteBitmap() const {
    return contour_->HasteBitmap();
}
void TKreis::SetFraesen(bool value) {
    TBauteil::SetFraesen(value);
    contour_->SetFraesen(value);
}
void TKreis::SetKupferFlag(bool value) {
    TBauteil::SetKupferFlag(value);
    contour_->SetKupferFlag(value);
}
void TKreis::SetBtmap(QImage* bitmap) {
    contour_->SetBtmap(bitmap);
}
QImage* TKreis::Btmap() const {
    return contour_->Btmap();
}
void TKreis::SetGlaetten(bool value) {
    TBauteil::SetGlaetten(value);
    contour_->SetGlaetten(true);
}
void TKreis::SetGlaettenStil(TGlaettenStil value) {
    TBauteil::SetGlaettenStil(value);
    contour_->SetGlaettenStil(TGlaettenStil::glSpline);
}
void TKreis::SetGlaettenBetrag(double value) {
    TBauteil::SetGlaettenBetrag(value);
    contour_->SetGlaettenBetrag(value);
}
void TKreis::SetParent(BoardContext* board) {
    TBauteil::SetParent(board);
    contour_->SetParent(board);
}
void TKreis::SetIstAufLoetseite(bool value) {
    TBauteil::SetIstAufLoetseite(value);
    contour_->SetIstAufLoetseite(value);
}
void TKreis::SetBMU(TBitmapUsage* record) {
    contour_->SetBMU(record);
}
void TKreis::SetBMUsage(TBitmapUsageList* list) {
    contour_->SetBMUsage(list);
}
TBitmapUsage* TKreis::BMU() const {
    return contour_->BMU();
}
TBitmapUsageList* TKreis::BMUsage() const {
    return contour_->BMUsage();
}
void TKreis::ReleaseFillBitmap() {
    contour_->ReleaseFillBitmap();
}

} // namespace karvel
