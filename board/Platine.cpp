#include "board/Platine.h"
#include "board/UndoHistory.h"

#include "board/Board.h"
#include "board/Continuity.h"
#include "board/StorableRange.h"
#include "elements/CopperColours.h"
#include "elements/Geometry.h"

#include <cmath>
#include <QtGui/QImage>

namespace karvel {

TPlatine::TPlatine(ViewState& view) : TPlatine(view, true) {}

TPlatine::TPlatine(ViewState& view, bool withLayout)
    : view_(view), history_(std::make_unique<UndoHistory>(bitmapUsages_)) {
    if (withLayout)
        layout_ = std::make_unique<TBoard>(view);
    Init();
}

void TPlatine::Init() {
    name_ = view_.Tr(QStringLiteral("Neue Platine"), QStringLiteral("New board"));
    anmerkungen_.SetPlainText(
        view_.Tr(QStringLiteral("Anmerkungen: "), QStringLiteral("Remarks: ")) + name_);
    const QString info = view_.Tr(QStringLiteral("Platine"), QStringLiteral("Stripboard"));
    infozeile1_ = info;
    infozeile2_ = info;
    Fire(OnModeChange);
}

TPlatine::~TPlatine() {
    analysis_.reset();
    layout_.reset();
    // Last first, as they were stacked; each element releases its fill bitmap record.
    while (!bauteile_.empty())
        bauteile_.pop_back();
    bitmapUsages_.FreeUnused();
}

CopperAnalysis& TPlatine::Analysis() {
    if (!analysis_)
        analysis_ = std::make_unique<CopperAnalysis>(*this);
    return *analysis_;
}

// --- Elements -------------------------------------------------------------------------------

int TPlatine::IndexOf(const TBauteil* element) const {
    for (std::size_t i = 0; i < bauteile_.size(); ++i)
        if (bauteile_[i].get() == element)
            return int(i);
    return -1;
}

TBauteil* TPlatine::Add(std::unique_ptr<TBauteil> element) {
    return Insert(Count(), std::move(element));
}

TBauteil* TPlatine::Insert(int index, std::unique_ptr<TBauteil> element) {
    if (!element)
        return nullptr;
    element->SetParent(this);
    element->SetBMUsage(&bitmapUsages_);
    index = std::clamp(index, 0, Count());
    auto it = bauteile_.insert(bauteile_.begin() + index, std::move(element));
    return it->get();
}

std::unique_ptr<TBauteil> TPlatine::Take(TBauteil* element) {
    const int index = IndexOf(element);
    if (index < 0)
        return nullptr;
    std::unique_ptr<TBauteil> taken = std::move(bauteile_[std::size_t(index)]);
    bauteile_.erase(bauteile_.begin() + index);
    ++removalStamp_;
    if (lastSelected_ == element)
        lastSelected_ = nullptr;
    return taken;
}

bool TPlatine::Remove(TBauteil* element) {
    return Take(element) != nullptr;
}

void TPlatine::Clear() {
    lastSelected_ = nullptr;
    ++removalStamp_;
    while (!bauteile_.empty())
        bauteile_.pop_back();
}

int TPlatine::CountSelected() const {
    return int(std::count_if(bauteile_.begin(), bauteile_.end(),
                             [](const auto& e) { return e->IstMarkiert(); }));
}

std::vector<TBauteil*> TPlatine::CollectOfKind(TBauteilTyp kind) const {
    std::vector<TBauteil*> found;
    for (const auto& element : bauteile_)
        if (element->BauteilTyp == kind)
            found.push_back(element.get());
    return found;
}

void TPlatine::SetSelected(TBauteil* element, bool selected) {
    if (element == nullptr)
        return;
    element->SetIstMarkiert(selected);
    lastSelected_ = element;
}

// --- Geometry and texts ---------------------------------------------------------------------

void TPlatine::SetSize(int width, int height) {
    width_ = width;
    height_ = height;
}

Rect TPlatine::BoardRect() const {
    return {nullpunkt_.x(), nullpunkt_.y(), SaturatingAdd(nullpunkt_.x(), width_),
            SaturatingAdd(nullpunkt_.y(), height_)};
}

void TPlatine::SetInfozeilen(const QString& first, const QString& second) {
    const QString a = first.left(255);
    const QString b = second.left(255);
    if (a == infozeile1_ && b == infozeile2_)
        return;
    infozeile1_ = a;
    infozeile2_ = b;
    Fire(OnMyClick);
}

// --- View state -----------------------------------------------------------------------------

int TPlatine::PixelsPerHole() const {
    return RoundToUnit((long double)zoom_ * 16.0L);
}

Mapping TPlatine::CurrentMapping() const {
    const int s = PixelsPerHole();
    Mapping m;
    m.WindowExt = {HolePitch, HolePitch};
    m.ViewportExt = {s, s};
    if (view_.Loetseite) {
        // Seen from below the board turns about its horizontal centre line; left stays left.
        m.WindowOrg = {0, ClampToInt(2LL * nullpunkt_.y() + height_)};
        m.WindowExt = {HolePitch, -HolePitch};
    }
    return m;
}

void TPlatine::SetzeMassstab(Canvas& canvas) {
    const Mapping m = CurrentMapping();
    canvas.SetMapping(m.WindowOrg, m.WindowExt, m.ViewportOrg, m.ViewportExt);
}

QSize TPlatine::ControlSize() const {
    const long long s = PixelsPerHole();
    return {ClampToInt(((long long)width_ + nullpunkt_.x()) * s / HolePitch + 1),
            ClampToInt(((long long)height_ + nullpunkt_.y()) * s / HolePitch + 1)};
}

void TPlatine::ResizeControl() {
    if (host_)
        host_->SetControlSize(ControlSize());
}

void TPlatine::SetZoom(double zoom) {
    if (!std::isfinite(zoom))
        return;
    zoom_ = std::clamp(zoom, MinZoom, MaxZoom);
    ResizeControl();
}

void TPlatine::SetUmrissModus(bool on) {
    SetUmrissFlags(on);
    if (layout_ && layout_->host_)
        layout_->host_->Repaint();
    if (host_)
        host_->Repaint();
}

void TPlatine::SetUmrissFlags(bool on) {
    umrissModus_ = on;
    if (layout_)
        layout_->SetUmrissFlags(on);
    for (const auto& element : bauteile_)
        element->SetUmrissFlag(on);
}

void TPlatine::SetDrawingView(ViewState* view) {
    drawingView_ = view;
    if (layout_)
        layout_->SetDrawingView(view);
}

void TPlatine::SetSpiegeln(bool on) {
    spiegeln_ = on;
    for (const auto& element : bauteile_)
        if (element->SpiegelnFlag() != on)
            element->SetSpiegelnFlag(on);
}

void TPlatine::SetModus(TPlatinenModus modus) {
    vorigerModus_ = modus_;
    modus_ = modus;
}

void TPlatine::SetHost(BoardHost* host) {
    host_ = host;
    ResizeControl();
}

// --- Coordinates ----------------------------------------------------------------------------

QPoint TPlatine::ControlToBoard(QPoint control) const {
    return CurrentMapping().ToLogical(control);
}

QPoint TPlatine::BoardToControl(QPoint board) const {
    return CurrentMapping().ToDevice(board);
}

QPoint TPlatine::BoardToHost(QPoint board) const {
    const QPoint scroll = host_ ? host_->ScrollPosition() : QPoint(0, 0);
    return BoardToControl(board) - scroll;
}

QPoint TPlatine::HoleIndex(QPoint board) const {
    if (board.x() > (long long)width_ + nullpunkt_.x() ||
        board.y() > (long long)height_ + nullpunkt_.y())
        return {-1, -1};
    return {Div(board.x() + HolePitch / 2, HolePitch), Div(board.y(), HolePitch)};
}

namespace {

// x + round(g / 2), then, for a step of at least one unit, down to the step by truncation.
int SnapToFineGrid(int value, double step) {
    long double v = value + RoundHalfEven((long double)step / 2.0L);
    if (step >= 1.0)
        v = RoundHalfEven(std::trunc(v / (long double)step) * (long double)step);
    return int(v);
}

QPoint SnappedToFineGrid(QPoint p, double step) {
    const long double grid = step >= 1.0 ? step : 0.0L;
    return {ClampToStorableGrid(SnapToFineGrid(p.x(), step), grid),
            ClampToStorableGrid(SnapToFineGrid(p.y(), step), grid)};
}

} // namespace

// Snapped points stop at the last grid point a file can hold.
QPoint TPlatine::SnapToHole(QPoint control, bool snapping) const {
    const QPoint p = ControlToBoard(control);
    if (snapping)
        return {ClampToStorableGrid(Div(p.x() + HolePitch / 2, HolePitch) * HolePitch, HolePitch),
                ClampToStorableGrid(Div(p.y(), HolePitch) * HolePitch + HolePitch / 2, HolePitch,
                                    HolePitch / 2)};
    return SnappedToFineGrid(p, view_.FineGrid);
}

QPoint TPlatine::SnapToGrid(QPoint control, double step, bool snapping) const {
    const QPoint p = ControlToBoard(control);
    if (!snapping || step < 1.0)
        return {ClampToStorableGrid(p.x(), 0), ClampToStorableGrid(p.y(), 0)};
    return SnappedToFineGrid(p, step);
}

// --- Zoom operations ------------------------------------------------------------------------

void TPlatine::ScrollBy(QPoint boardDifference) {
    const QPoint pixels = CurrentMapping().ToDevice(boardDifference);
    const QPoint old = host_->ScrollPosition();
    QPoint next(old.x() - pixels.x(), old.y() - pixels.y());
    // Seen from below, a difference maps through the flipped axis; undo its offset.
    if (view_.Loetseite && !IsLibraryPage())
        next.setY(old.y() - pixels.y() + ControlSize().height());
    host_->SetScrollPosition(next);
}

void TPlatine::FitBoard() {
    if (!host_)
        return;
    FitUntilSteady([this] {
        const QSize client = host_->ClientSize();
        const double zx = 15.0 * client.width() / std::max(width_ + nullpunkt_.x(), 1);
        const double zy = 15.0 * client.height() / std::max(height_ + nullpunkt_.y(), 1);
        SetZoom(std::min(zx, zy));
    });
    Fire(OnChange);
}

// A new zoom shows or hides the host's scroll bars, which changes the room the fit was worked
// out for, and texts measure a little differently at every zoom: fitting again until the view
// holds still gives the final view at once, not at the second press.
template <typename Fit> void TPlatine::FitUntilSteady(Fit&& fit) {
    constexpr int MostPasses = 4;
    for (int pass = 0; pass < MostPasses; ++pass) {
        const double zoom = zoom_;
        const QSize client = host_->ClientSize();
        const QPoint scroll = host_->ScrollPosition();
        fit();
        const bool sameZoom = std::abs(zoom_ - zoom) <= zoom * 1e-9;
        if (pass > 0 && sameZoom && host_->ClientSize() == client &&
            host_->ScrollPosition() == scroll)
            return;
    }
}

void TPlatine::ZoomAbout(QPoint control, bool zoomIn) {
    const QPoint p1 = ControlToBoard(control);
    SetZoom(zoomIn ? zoom_ * ZoomStep : zoom_ / ZoomStep);
    if (host_) {
        const QSize client = host_->ClientSize();
        const QPoint centre =
            host_->ScrollPosition() + QPoint(client.width() / 2, client.height() / 2);
        ScrollBy(ControlToBoard(centre) - p1);
    }
    Fire(OnChange);
}

bool TPlatine::ZoomKeeping(QPointF boardPoint, QPoint hostPixel, double factor) {
    const double before = zoom_;
    SetZoom(zoom_ * factor);
    if (zoom_ == before)
        return false;
    if (host_) {
        const QPointF control = CurrentMapping().ToDeviceExact(boardPoint);
        host_->SetScrollPosition({int(std::lround(control.x() - hostPixel.x())),
                                  int(std::lround(control.y() - hostPixel.y()))});
    }
    Fire(OnChange);
    return true;
}

QPointF TPlatine::ControlToBoardExact(QPoint control) const {
    return CurrentMapping().ToLogicalExact(control);
}

bool TPlatine::FitElements(bool onlySelected) {
    const bool any = std::any_of(bauteile_.begin(), bauteile_.end(), [&](const auto& element) {
        return !onlySelected || element->IstMarkiert();
    });
    if (!any || !host_)
        return any;
    FitUntilSteady([&] { FitElementsOnce(onlySelected); });
    Fire(OnChange);
    return true;
}

void TPlatine::FitElementsOnce(bool onlySelected) {
    std::optional<Rect> united;
    WithMeasuringCanvas([&](Canvas& canvas) {
        for (const auto& element : bauteile_) {
            if (onlySelected && !element->IstMarkiert())
                continue;
            const Rect r = Normalised(element->GetBounds(canvas));
            united = united ? United(*united, r) : r;
        }
    });
    if (!united)
        return;
    const QSize client = host_->ClientSize();
    // Pixels at the exact scale of the zoom, not at the whole pixels per hole the mapping
    // rounds to: otherwise every press would round the zoom a little further.
    const double pixelsPerUnitAndZoom = 16.0 / HolePitch;
    const double widthPx = std::max(united->Width() * pixelsPerUnitAndZoom * zoom_, 1.0);
    const double heightPx = std::max(united->Height() * pixelsPerUnitAndZoom * zoom_, 1.0);
    SetZoom(std::min((client.width() - 50) / widthPx * zoom_,
                     (client.height() - 50) / heightPx * zoom_));
    // The scroll bars the new zoom brought or took away have changed the room.
    const QSize shown = host_->ClientSize();
    const QPoint target =
        host_->ScrollPosition() + QPoint((shown.width() - 20) / 2, (shown.height() - 20) / 2);
    const QPoint centre(int(((long long)united->Left + united->Right) / 2),
                        int(((long long)united->Top + united->Bottom) / 2));
    ScrollBy(ControlToBoard(target) - centre);
}

void TPlatine::ZoomToRect(const Rect& controlRect, QPoint clicked) {
    const Rect r = Normalised(controlRect);
    if (r.Width() < 5 || r.Height() < 5) {
        ZoomAbout(clicked, true);
        return;
    }
    const QPoint centre = ControlToBoard({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    if (host_) {
        const QSize client = host_->ClientSize();
        SetZoom(std::min(double(client.width()) / r.Width() * zoom_,
                         double(client.height()) / r.Height() * zoom_));
        const QPoint middle =
            host_->ScrollPosition() + QPoint(client.width() / 2, client.height() / 2);
        ScrollBy(ControlToBoard(middle) - centre);
    }
    Fire(OnChange);
}

} // namespace karvel
