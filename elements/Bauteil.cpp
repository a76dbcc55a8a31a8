#include "elements/Bauteil.h"

#include "elements/BoardContext.h"
#include "elements/Geometry.h"
#include "platform/RepaintTarget.h"

#include <array>
#include <QtGui/QTransform>

namespace karvel {

namespace {

const ViewState& DefaultView() {
    static const ViewState view;
    return view;
}

// Strip cuts, pads and drillings go through the board, so they show from either side.
bool IsThroughBoardClass(std::string_view name) {
    static constexpr std::array<std::string_view, 4> names{"TTrenner", "TTrennerFest", "TAuge",
                                                           "TBohrung"};
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

TBauteil::TBauteil() {
    SetIstFreierBereich(false);
    SetHatTestSpannung(false);
}

TBauteil::~TBauteil() {
    // Only the base's own release runs here: the derived parts are gone already.
    TBauteil::ReleaseFillBitmap();
}

void TBauteil::Draw(Canvas&) {}

std::optional<Region> TBauteil::CreateRegion(Canvas&) {
    return std::nullopt;
}

bool TBauteil::HitTest(QPoint, Canvas&) {
    return false;
}

QPoint* TBauteil::NodeAt(QPoint, Canvas&) {
    return nullptr;
}

void TBauteil::MoveBy(int, int) {}

Rect TBauteil::GetBounds(Canvas&) {
    return {};
}

Rect TBauteil::GetRedrawBounds(Canvas& canvas) {
    // Normalising first widens a zero extent to two units, so even a point gets a redraw area.
    return InflateNormalised(GetBounds(canvas), 50);
}

TBauteil* TBauteil::ContactAt(QPoint) {
    return nullptr;
}

void TBauteil::BeginContacts() {
    contactCursor_ = 0;
    contacts_.clear();
    FillContacts(contacts_);
}

void TBauteil::CollectAnchors() {}

void TBauteil::ShowGhost(const QPoint& at, Canvas& canvas) {
    // The earlier preview is erased where it was drawn, not where the next one goes.
    HideGhost(canvas, ghostPos_);
    DrawGhost(canvas, at);
    ghostShown_ = true;
    ghostPos_ = at;
}

void TBauteil::HideGhost(Canvas& canvas, const QPoint& at) {
    if (!ghostShown_)
        return;
    // The preview is drawn with an inverting mix mode: drawing it again erases it.
    DrawGhost(canvas, at);
    ghostShown_ = false;
}

void TBauteil::DrawGhost(Canvas&, const QPoint&) {}

void TBauteil::Stretch(TBauteil*, TBauteil*, double, TBauteil*) {}

void TBauteil::RememberShape() {}

void TBauteil::ForgetShape() {}

bool TBauteil::EditProperties() {
    return false;
}

void TBauteil::Rotate90(QPoint, QPoint) {
    RotateFillBitmap();
}

QString TBauteil::GetKindName() const {
    return {};
}

QString TBauteil::GetMeasureText() const {
    return {};
}

void TBauteil::Invalidate(RepaintTarget& window, Canvas& canvas) {
    const Rect device = Normalised(canvas.LPtoDP(GetRedrawBounds(canvas)));
    window.InvalidateRect(device, true);
}

bool TBauteil::IntersectsRect(const Rect& device, Canvas& canvas) {
    const Rect bounds = Normalised(canvas.LPtoDP(GetBounds(canvas)));
    const Rect band = Normalised(device);
    if (!Intersects(bounds, band))
        return false;
    const std::optional<Region> region = CreateRegion(canvas);
    return region && region->IntersectsRect(Intersection(band, bounds));
}

void TBauteil::BeginXRayStyle(Canvas& canvas) {
    if (KupferFlag() || !IsXRayGhost())
        return;
    const XRayColours& xray = View().XRay;
    if (UmrissFlag()) {
        canvas.SetBrushColour(xray.PenBW);
        canvas.SetPenColour(xray.BrushBW);
    } else {
        canvas.SetBrushColour(xray.Pen);
        canvas.SetPenColour(xray.Brush);
    }
    canvas.SetMixMode(MixMode::MaskNotPen);
}

void TBauteil::EndXRayStyle(Canvas& canvas) {
    canvas.SetMixMode(MixMode::Copy);
}

void TBauteil::LoadFillBitmap(const QString&) {}

void TBauteil::FitToRect(const Rect& oldRect, const Rect& newRect) {
    // A zero extent counts as one unit, so a flat rectangle scales by the new extent itself.
    auto extent = [](int a, int b) { return std::max(std::abs(a - b), 1); };
    const int oldWidth = extent(oldRect.Left, oldRect.Right);
    const int newWidth = extent(newRect.Left, newRect.Right);
    const int oldHeight = extent(oldRect.Top, oldRect.Bottom);
    const int newHeight = extent(newRect.Top, newRect.Bottom);
    MoveBy(newRect.Left - oldRect.Left, newRect.Top - oldRect.Top);
    Scale({newRect.Left, newRect.Top}, double(newWidth) / oldWidth, double(newHeight) / oldHeight);
}

void TBauteil::Scale(QPoint, double factorX, double factorY) {
    SetGlaettenBetrag(GlaettenBetrag() * (factorX + factorY) / 2.0);
}

Rect TBauteil::GetInnerBounds(Canvas& canvas) {
    return Normalised(Inflated(GetBounds(canvas), -(Stiftbreite() / 2)));
}

void TBauteil::FillContacts(std::vector<QPoint*>&) {}

void TBauteil::ReleaseFillBitmap() {
    if (HasteBitmap() && bmu_ != nullptr) {
        bmu_->InUse = false;
        if (bmu_->IsUnused() && bmUsage_ != nullptr)
            bmUsage_->Remove(bmu_);
        // The element no longer uses the record, whether or not a snapshot keeps it alive.
        bmu_ = nullptr;
    }
    if (HasteBitmap())
        SetHasteBitmap(false);
    btmap_ = nullptr;
}

bool TBauteil::IsOnWorkingSide() const {
    const ViewState& view = View();
    if (istAufLoetseite() == (view.Loetseite != view.Durchsicht))
        return true;
    return IsOnLibraryPage() || IsThroughBoardClass(ClassName()) || Fraesen() || KupferFlag();
}

bool TBauteil::IsXRayGhost() const {
    return !IsOnWorkingSide() && View().Roentgen;
}

bool TBauteil::IsFilledArea() const {
    const bool ghost = IsXRayGhost();
    return (FuellenFlag() && !UmrissFlag()) || (ghost && FuellenFlag()) ||
           (ghost && HasteBitmap()) || Fraesen() || istFreierBereich() || KupferFlag();
}

void TBauteil::DrawFillBitmap(Canvas& canvas) {
    if (IsXRayGhost() || UmrissFlag() || Fraesen() || !HasteBitmap() || btmap_ == nullptr ||
        !View().BitmapRendering)
        return;
    std::optional<Region> region = CreateRegion(canvas);
    if (!region)
        return;
    const std::optional<Region> boardClip = parent_ ? parent_->ClipRegion() : std::nullopt;
    if (boardClip)
        region = region->Combined(*boardClip, CombineMode::And);
    const std::optional<Region> previous = canvas.ClipRegion();
    canvas.SelectClipRegion(region);
    canvas.StretchDraw(GetBounds(canvas), *btmap_);
    canvas.SelectClipRegion(previous);
}

bool TBauteil::IsOnLibraryPage() const {
    return parent_ != nullptr && parent_->IsLibraryPage();
}

std::optional<QPoint> TBauteil::NextContact() {
    if (contactCursor_ >= std::size_t(std::max(GetContactCount(), 0)) ||
        contactCursor_ >= contacts_.size())
        return std::nullopt;
    return *contacts_[contactCursor_++];
}

void TBauteil::MoveAnchorsBy(int dx, int dy) {
    // A contact off the grid stays off it: shifting its marker would make up a hole.
    for (QPoint& anchor : Anchors)
        if (anchor != NoHoleAnchor)
            anchor += QPoint(dx, dy);
}

const ViewState& TBauteil::View() const {
    return parent_ ? parent_->View() : DefaultView();
}

bool TBauteil::AdoptFillBitmap(QImage bitmap, QByteArray stored) {
    TBitmapUsageList* list = BMUsage();
    if (list == nullptr || bitmap.isNull())
        return false;
    ReleaseFillBitmap();
    TBitmapUsage* record = list->Add(std::move(bitmap), std::move(stored));
    SetBMU(record);
    SetBtmap(record->Bitmap.get());
    SetHasteBitmap(true);
    return true;
}

void TBauteil::RotateFillBitmap() {
    if (!HasteBitmap() || btmap_ == nullptr)
        return;
    // A quarter turn clockwise on the screen: pixel (x, y) of a bitmap H rows high goes to
    // (H - 1 - y, x). A 90-degree transform is exact, no resampling.
    QImage turned = btmap_->transformed(QTransform().rotate(90));
    *btmap_ = std::move(turned);
}

} // namespace karvel
