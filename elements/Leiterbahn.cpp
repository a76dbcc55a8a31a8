#include "elements/Leiterbahn.h"

#include "elements/Geometry.h"

#include <cmath>

namespace karvel {

TLeiterbahn::TLeiterbahn() : contour_(std::make_unique<TDraht>()) {
    contour_->BauteilTyp = TBauteilTyp::btPolygon;
    contour_->SetIstMarkiert(false);
    contour_->SetStiftbreite(0);
    contour_->InGroup = true;
    contour_->SetKupferFlag(true);
    BauteilTyp = TBauteilTyp::btLeiterbahn;
    TDraht::SetStiftbreite(125); // the half width of the track
    SetStiftfarbe(colours::Black);
    SetBrushfarbe(8421504);
    SetFuellenFlag(true);
    SetGlaetten(false);
    SetGlaettenStil(TGlaettenStil::glSpline);
    SetKupferFlag(true);
}

TLeiterbahn::~TLeiterbahn() = default;

void TLeiterbahn::RebuildOutline() {
    contour_->ClearNodes();
    if (Nodes.empty())
        return;
    const QPoint p0 = Nodes.front();
    const QPoint p1 = Nodes.back();
    const long double a = Direction(p0, p1);
    const long double w = Stiftbreite();
    const long double sx = w * std::sin(a);
    const long double cy = w * std::cos(a);
    auto corner = [](QPoint p, long double dx, long double dy) {
        return QPoint(RoundToUnit(p.x() + dx), RoundToUnit(p.y() + dy));
    };
    contour_->AddNode(corner(p0, -sx, -cy));
    contour_->AddNode(corner(p1, -sx, -cy));
    contour_->AddNode(corner(p1, sx, cy));
    contour_->AddNode(corner(p0, sx, cy));
}

bool TLeiterbahn::IsVertical() const {
    return !Nodes.empty() && Nodes.front().x() == Nodes.back().x();
}

bool TLeiterbahn::IsHorizontal() const {
    return !Nodes.empty() && Nodes.front().y() == Nodes.back().y();
}

void TLeiterbahn::MoveBy(int dx, int dy) {
    TDraht::MoveBy(dx, dy);
    RebuildOutline();
}

void TLeiterbahn::Scale(QPoint origin, double factorX, double factorY) {
    TDraht::Scale(origin, factorX, factorY);
    RebuildOutline();
}

void TLeiterbahn::Rotate90(QPoint centre, QPoint anchorCentre) {
    TDraht::Rotate90(centre, anchorCentre);
    contour_->Rotate90(centre, anchorCentre);
}

void TLeiterbahn::Draw(Canvas& canvas) {
    if (!IsOnWorkingSide() && !IsXRayGhost())
        return;
    const Colour pen = contour_->Stiftfarbe();
    if (IstMarkiert())
        contour_->SetStiftfarbe(colours::Selected);
    contour_->Draw(canvas);
    contour_->SetStiftfarbe(pen);
    if (IstMarkiert() && !InGroup)
        DrawNodeMarkers(canvas);
}

std::optional<Region> TLeiterbahn::CreateRegion(Canvas& canvas) {
    return contour_->CreateRegion(canvas);
}

bool TLeiterbahn::HitTest(QPoint device, Canvas& canvas) {
    return contour_->HitTest(device, canvas);
}

Rect TLeiterbahn::GetBounds(Canvas& canvas) {
    return contour_->GetBounds(canvas);
}

bool TLeiterbahn::IntersectsRect(const Rect& device, Canvas& canvas) {
    return contour_->IntersectsRect(device, canvas);
}

void TLeiterbahn::ShowGhost(const QPoint& at, Canvas& canvas) {
    contour_->HideGhost(canvas, at);
    RebuildOutline();
    contour_->ShowGhost(at, canvas);
}

void TLeiterbahn::HideGhost(Canvas& canvas, const QPoint& at) {
    TDraht::HideGhost(canvas, at);
    contour_->HideGhost(canvas, at);
}

void TLeiterbahn::DrawGhost(Canvas& canvas, const QPoint& at) {
    TDraht::DrawGhost(canvas, at);
    contour_->DrawGhost(canvas, at);
}

QString TLeiterbahn::GetKindName() const {
    return View().Tr(QStringLiteral("Leiterbahn"), QStringLiteral("Track"));
}

void TLeiterbahn::LoadFillBitmap(const QString&) {
    contour_->ReleaseFillBitmap();
}

void TLeiterbahn::ReadFromStream(RecordContext& context, ValueReader& reader) {
    TDraht::ReadFromStream(context, reader);
    RebuildOutline();
}

// --- Properties shared with the copper outline ---------------------------------------------

void TLeiterbahn::SetIstMarkiert(bool value) {
    TDraht::SetIstMarkiert(value);
    contour_->SetIstMarkiert(value);
}
void TLeiterbahn::SetUmrissFlag(bool value) {
    TDraht::SetUmrissFlag(value);
    contour_->SetUmrissFlag(value);
}
void TLeiterbahn::SetFuellenFlag(bool value) {
    TDraht::SetFuellenFlag(value);
    contour_->SetFuellenFlag(value);
}
void TLeiterbahn::SetSpiegelnFlag(bool value) {
    TDraht::SetSpiegelnFlag(value);
    contour_->SetSpiegelnFlag(value);
}
void TLeiterbahn::SetStiftfarbe(Colour value) {
    TDraht::SetStiftfarbe(value);
    contour_->SetStiftfarbe(value);
}
void TLeiterbahn::SetBrushfarbe(Colour value) {
    TDraht::SetBrushfarbe(value);
    contour_->SetBrushfarbe(value);
}
void TLeiterbahn::SetHasteBitmap(bool value) {
    TDraht::SetHasteBitmap(value);
    contour_->SetHasteBitmap(value);
}
void TLeiterbahn::SetFraesen(bool value) {
    TDraht::SetFraesen(false);
    contour_->SetFraesen(value);
}
void TLeiterbahn::SetKupferFlag(bool value) {
    TDraht::SetKupferFlag(value);
    contour_->SetKupferFlag(value);
}
bool TLeiterbahn::HasteBitmap() const {
    return contour_->HasteBitmap();
}
void TLeiterbahn::SetBtmap(QImage* bitmap) {
    contour_->SetBtmap(bitmap);
}
QImage* TLeiterbahn::Btmap() const {
    return contour_->Btmap();
}
void TLeiterbahn::SetGlaetten(bool value) {
    TDraht::SetGlaetten(value);
    contour_->SetGlaetten(value);
}
void TLeiterbahn::SetGlaettenStil(TGlaettenStil value) {
    TDraht::SetGlaettenStil(value);
    contour_->SetGlaettenStil(value);
}
void TLeiterbahn::SetGlaettenBetrag(double value) {
    TDraht::SetGlaettenBetrag(value);
    contour_->SetGlaettenBetrag(value);
}
void TLeiterbahn::SetParent(BoardContext* board) {
    TDraht::SetParent(board);
    contour_->SetParent(board);
}
void TLeiterbahn::SetIstAufLoetseite(bool value) {
    TDraht::SetIstAufLoetseite(value);
    contour_->SetIstAufLoetseite(value);
}
void TLeiterbahn::SetIstFreierBereich(bool value) {
    TDraht::SetIstFreierBereich(value);
    contour_->SetIstFreierBereich(value);
}
void TLeiterbahn::SetHatTestSpannung(bool value) {
    TDraht::SetHatTestSpannung(value);
    contour_->SetHatTestSpannung(value);
}

} // namespace karvel
