#include "board/tools/ToolManager.h"

#include "board/Continuity.h"
#include "board/Platine.h"
#include "board/StorableRange.h"
#include "board/tools/ToolFactory.h"
#include "board/tools/ToolRules.h"
#include "elements/Bauteil.h"
#include "elements/Geometry.h"
#include "elements/XSizer.h"
#include "platform/Canvas.h"
#include "stream/RecordIO.h"

#include <cmath>
#include <QtGui/QImage>

namespace karvel {

using enum TPlatinenModus;

TPlatine& Tool::Board() const {
    return editor_.Board();
}

// A one-pixel picture whose canvas carries the view's mapping, for hit tests and bounds.
struct MeasuringSurface {
    QImage Image{1, 1, QImage::Format_RGB32};
    Canvas Surface{Image};
};

ToolManager::ToolManager(TPlatine& board, ToolHost& host)
    : board_(board), host_(host), previousOwner_(board.GetOperationOwner()),
      seenRemovals_(board.RemovalStamp()), pointerZoom_(board) {
    board_.SetOperationOwner(this);
}

ToolManager::~ToolManager() {
    if (board_.GetOperationOwner() == this)
        board_.SetOperationOwner(previousOwner_);
    // The editor goes with its window, and the board's host may be half destroyed by then:
    // handles shown at that moment are dropped without a repaint.
    if (sizer_)
        sizer_->Window = nullptr;
}

void ToolManager::ChooseTool(TPlatinenModus mode) {
    ForgetStaleOperation();
    if (Tool* busy = BusyTool())
        busy->Cancel();
    EndOperation();
    NoteRemovals();
    if (board_.Modus() == pm_Test)
        board_.Analysis().EndTest();
    StartTool(mode);
    board_.Fire(board_.OnModeChange);
}

void ToolManager::StartTool(TPlatinenModus mode) {
    board_.SetModus(mode);
    if (mode == pm_Draht || mode == pm_Anschluss)
        board_.SetModus(mode);
    const ToolStart start = ToolStartFor(mode);
    if (start.ClearSelection)
        board_.MarkiereAlle(false);
    if (start.PenColour)
        board_.CurrentPenColour = *start.PenColour;
    if (start.FillColour)
        board_.CurrentBrushColour = *start.FillColour;
    if (start.PenWidth)
        board_.CurrentPenWidth = *start.PenWidth;
    crosshair_ = start.Crosshair;
    if (!crosshair_)
        host_.ShowCrosshair(std::nullopt);
    host_.SetPointerShape(PointerShape::ToolDefault);
}

void ToolManager::FollowCrosshair(const PointerEvent& event) {
    if (crosshair_ && !RemovesCrosshair(board_.Modus()))
        host_.ShowCrosshair(HoleSnapped(event));
    else
        host_.ShowCrosshair(std::nullopt);
}

Tool* ToolManager::BusyTool() const {
    return tool_ && toolMode_ == board_.Modus() && tool_->Busy() ? tool_.get() : nullptr;
}

Tool& ToolManager::CurrentTool() {
    if (!tool_ || toolMode_ != board_.Modus()) {
        toolMode_ = board_.Modus();
        if (toolMode_ != pm_Standard)
            HideHandles();
        tool_ = MakeTool(toolMode_, *this);
        if (!tool_)
            tool_ = std::make_unique<Tool>(*this);
    }
    return *tool_;
}

void ToolManager::NoteRemovals() {
    seenRemovals_ = board_.RemovalStamp();
}

void ToolManager::ForgetStaleOperation() {
    if (board_.RemovalStamp() == seenRemovals_)
        return;
    NoteRemovals();
    HandedOver = nullptr;
    if (!tool_ || toolMode_ != board_.Modus() || !tool_->Busy())
        return;
    tool_.reset();
    // Placing keeps its state on the board: a new placing tool goes on from there.
    const TPlatinenModus mode = board_.Modus();
    if (mode == pm_Platzieren || mode == pm_Zweipol)
        return;
    DragState& drag = board_.Drag();
    drag.Dragging = false;
    drag.RubberBand = false;
    drag.VertexGrabbed = false;
    drag.HandleDrag = false;
    CloseUndoStep();
    host_.ShowTempLine(std::nullopt);
    host_.ShowRubberBand(std::nullopt);
    EndOperation();
    ResetStatusLines();
}

void ToolManager::CancelOperation() {
    ForgetStaleOperation();
    panStart_.reset();
    HandedOver = nullptr;
    Tool& tool = CurrentTool();
    const bool busy = tool.Busy();
    if (busy)
        tool.Cancel();
    if (busy || operation_)
        EndOperation();
    NoteRemovals();
    if (busy)
        board_.Fire(board_.OnMyClick);
}

// --- Input -----------------------------------------------------------------------------------

void ToolManager::Press(const PointerEvent& event) {
    ForgetStaleOperation();
    lastPointer_ = event.Control;
    if (event.Button == Qt::MiddleButton) {
        if (board_.Host()) {
            panScroll_ = board_.Host()->ScrollPosition();
            panStart_ = event.Control - panScroll_;
        }
        return;
    }
    // Beyond the range a file can hold nothing is made, as beside the board.
    if (event.Button == Qt::LeftButton &&
        !record::IsStorablePoint(board_.ControlToBoard(event.Control))) {
        host_.Beep();
        board_.ShowRangeLimit();
        return;
    }
    Answer(CurrentTool().Press(event));
    // A hand-over is for the tool that takes it in this press, never kept for a later one.
    HandedOver = nullptr;
    NoteRemovals();
}

void ToolManager::Move(const PointerEvent& event) {
    ForgetStaleOperation();
    lastPointer_ = event.Control;
    if (panStart_) {
        Pan(event.Control);
        FollowCrosshair(event);
        return;
    }
    Answer(CurrentTool().Move(event));
    NoteRemovals();
    if (operation_)
        FollowAutoscroll(event.Control);
    board_.Fire(board_.OnMyMouseMove);
    FollowCrosshair(event);
}

void ToolManager::Release(const PointerEvent& event) {
    ForgetStaleOperation();
    lastPointer_ = event.Control;
    if (event.Button == Qt::MiddleButton) {
        panStart_.reset();
        return;
    }
    Answer(CurrentTool().Release(event));
    NoteRemovals();
    board_.Fire(board_.OnMyClick);
}

bool ToolManager::Key(const KeyPress& key) {
    ForgetStaleOperation();
    Tool& tool = CurrentTool();
    const ToolAnswer answer = tool.Key(key);
    NoteRemovals();
    if (answer != ToolAnswer::Ignored) {
        Answer(answer);
        return true;
    }
    if (key.Key != Qt::Key_Escape)
        return false;
    if (tool.Busy()) {
        CancelOperation();
        return true;
    }
    if (board_.Modus() != pm_Standard) {
        LeaveTool();
        return true;
    }
    if (board_.CountSelected() > 0) {
        board_.MarkiereAlle(false);
        board_.Fire(board_.OnMyClick);
        return true;
    }
    return false;
}

void ToolManager::Wheel(const WheelTurn& turn) {
    BoardHost* host = board_.Host();
    const bool upDown = turn.Modifiers.testFlag(Qt::ShiftModifier);
    // A tilt wheel or a sideways swipe turns about x; Alt turns a plain wheel sideways.
    const bool sideways = !turn.Modifiers.testFlag(Qt::ControlModifier) &&
                          (turn.Modifiers.testFlag(Qt::AltModifier) || turn.Angle.y() == 0);
    if ((upDown || sideways) && host) {
        // A notch moves by a few holes.
        const int amount = turn.Angle.y() != 0 ? turn.Angle.y() : turn.Angle.x();
        const int pixels = -amount * board_.PixelsPerHole() * 3 / WheelNotch;
        const QPoint step = upDown ? QPoint(0, pixels) : QPoint(pixels, 0);
        host->SetScrollPosition(host->ScrollPosition() + step);
        board_.Fire(board_.OnChange);
        return;
    }
    // The plain wheel and Ctrl with it zoom about the pointer. Touchpads send small steps:
    // they add up to a notch before the zoom changes.
    wheelRest_ += turn.Angle.y();
    while (wheelRest_ >= WheelNotch || wheelRest_ <= -WheelNotch) {
        const bool in = wheelRest_ > 0;
        wheelRest_ += in ? -WheelNotch : WheelNotch;
        pointerZoom_.ZoomBy(turn.Control, in ? TPlatine::ZoomStep : 1.0 / TPlatine::ZoomStep);
    }
}

void ToolManager::Pinch(QPoint control, double factor) {
    if (std::isfinite(factor) && factor > 0)
        pointerZoom_.ZoomBy(control, factor);
}

void ToolManager::PointerLost() {
    ForgetStaleOperation();
    panStart_.reset();
    if (Tool* busy = BusyTool())
        busy->PointerLost();
    EndOperation();
    NoteRemovals();
}

bool ToolManager::Busy() const {
    return operation_ || BusyTool() != nullptr || panStart_.has_value();
}

std::optional<QPoint> ToolManager::HoleUnderPointer() const {
    if (!lastPointer_ || !OnBoard(*lastPointer_))
        return std::nullopt;
    return HoleIndexAt(*lastPointer_) - board_.OriginHole();
}

void ToolManager::Answer(ToolAnswer answer) {
    if (answer == ToolAnswer::LeaveTool)
        LeaveTool();
}

void ToolManager::Pan(QPoint control) {
    BoardHost* host = board_.Host();
    if (!host)
        return;
    const QPoint now = control - host->ScrollPosition();
    host->SetScrollPosition(panScroll_ - (now - *panStart_));
    board_.Fire(board_.OnChange);
}

// --- Autoscroll --------------------------------------------------------------------------------

void ToolManager::FollowAutoscroll(QPoint control) {
    BoardHost* host = board_.Host();
    if (!host)
        return;
    const QPoint p = control - host->ScrollPosition();
    const QSize size = host->ClientSize();
    // Later tests win: near a corner the vertical direction is taken.
    ScrollDirection direction = ScrollDirection::None;
    if (p.x() > size.width() - AutoscrollBand)
        direction = ScrollDirection::Right;
    if (p.x() < AutoscrollBand)
        direction = ScrollDirection::Left;
    if (p.y() > size.height() - AutoscrollBand)
        direction = ScrollDirection::Down;
    if (p.y() < AutoscrollBand)
        direction = ScrollDirection::Up;
    if (direction == scrollDirection_)
        return;
    scrollDirection_ = direction;
    host_.SetAutoscrollTimer(direction != ScrollDirection::None);
}

void ToolManager::AutoscrollTick() {
    BoardHost* host = board_.Host();
    if (!host || !operation_ || scrollDirection_ == ScrollDirection::None) {
        host_.SetAutoscrollTimer(false);
        scrollDirection_ = ScrollDirection::None;
        return;
    }
    QPoint step;
    switch (scrollDirection_) {
    case ScrollDirection::Up:
        step = {0, -AutoscrollStep};
        break;
    case ScrollDirection::Down:
        step = {0, AutoscrollStep};
        break;
    case ScrollDirection::Left:
        step = {-AutoscrollStep, 0};
        break;
    case ScrollDirection::Right:
        step = {AutoscrollStep, 0};
        break;
    case ScrollDirection::None:
        break;
    }
    host->SetScrollPosition(host->ScrollPosition() + step);
    board_.Fire(board_.OnChange);
}

// --- Shared mechanisms -----------------------------------------------------------------------

QPoint ToolManager::BoardPoint(QPoint control) const {
    const QPoint p = board_.ControlToBoard(control);
    return {ClampToStorableGrid(p.x(), 0), ClampToStorableGrid(p.y(), 0)};
}

QPoint ToolManager::HoleSnapped(const PointerEvent& event) const {
    return board_.SnapToHole(event.Control, !event.Shift());
}

QPoint ToolManager::FineSnapped(const PointerEvent& event) const {
    return board_.SnapToGrid(event.Control, board_.View().FineGrid, !event.Shift());
}

QPoint ToolManager::HoleIndexAt(QPoint control) const {
    return board_.HoleIndex(BoardPoint(control));
}

bool ToolManager::OnBoard(QPoint control) const {
    const QPoint p = BoardPoint(control);
    const Rect r = board_.BoardRect();
    return p.x() >= r.Left && p.x() <= r.Right && p.y() >= r.Top && p.y() <= r.Bottom;
}

void ToolManager::BeginOperation() {
    operation_ = true;
    board_.Drag().Operation = true;
    board_.CaptureCursor(true);
    host_.ConfinePointer(true);
}

void ToolManager::EndOperation() {
    operation_ = false;
    board_.Drag().Operation = false;
    board_.CaptureCursor(false);
    host_.ConfinePointer(false);
    if (scrollDirection_ != ScrollDirection::None) {
        scrollDirection_ = ScrollDirection::None;
        host_.SetAutoscrollTimer(false);
    }
}

void ToolManager::ArmUndoStep() {
    dragStep_.emplace(board_, UndoStep::Opening::AtFirstChange);
}

void ToolManager::BeforeDragChange() {
    if (dragStep_)
        dragStep_->BeforeChange();
}

void ToolManager::CloseUndoStep() {
    dragStep_.reset();
}

void ToolManager::ChangeMode(TPlatinenModus mode) {
    if (TagForMode(mode))
        StartTool(mode);
    else
        board_.SetModus(mode);
    board_.Fire(board_.OnModeChange);
}

void ToolManager::LeaveTool() {
    EndOperation();
    HandedOver = nullptr;
    host_.ShowTempLine(std::nullopt);
    host_.ShowRubberBand(std::nullopt);
    if (board_.Modus() != pm_Standard)
        ChangeMode(pm_Standard);
    host_.SetPointerShape(PointerShape::ToolDefault);
    ResetStatusLines();
}

Canvas& ToolManager::MeasuringCanvas() const {
    if (!measuring_)
        measuring_ = std::make_unique<MeasuringSurface>();
    const Mapping m = board_.CurrentMapping();
    measuring_->Surface.SetMapping(m.WindowOrg, m.WindowExt, m.ViewportOrg, m.ViewportExt);
    return measuring_->Surface;
}

TBauteil* ToolManager::ElementAt(QPoint control, bool selectedOnly) const {
    Canvas& canvas = MeasuringCanvas();
    const auto& elements = board_.Bauteile();
    for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
        TBauteil& element = **it;
        if (selectedOnly && !element.IstMarkiert())
            continue;
        if (!element.Visible() || !element.IsOnWorkingSide())
            continue;
        if (element.HitTest(control, canvas))
            return &element;
    }
    return nullptr;
}

void ToolManager::Repaint(TBauteil& element) {
    board_.InvalidateElement(element);
}

void ToolManager::RepaintDevice(const Rect& device) {
    if (BoardHost* host = board_.Host())
        host->InvalidateRect(device, false);
}

// --- Resize handles ----------------------------------------------------------------------------

void ToolManager::ShowHandles() {
    BoardHost* host = board_.Host();
    const std::vector<TBauteil*> selected = board_.Selected();
    if (!host || selected.empty() || board_.Modus() != pm_Standard) {
        HideHandles();
        return;
    }
    Canvas& canvas = MeasuringCanvas();
    std::optional<Rect> inner;
    std::optional<Rect> redraw;
    for (TBauteil* element : selected) {
        const Rect i = Normalised(element->GetInnerBounds(canvas));
        const Rect r = Normalised(element->GetRedrawBounds(canvas));
        inner = inner ? United(*inner, i) : i;
        redraw = redraw ? United(*redraw, r) : r;
    }
    if (!sizer_)
        sizer_ = std::make_unique<TSizer>(host);
    sizer_->Margin = std::max(0, inner->Left - redraw->Left);
    sizer_->HandleSize = int(std::lround(300 / board_.Zoom()));
    sizer_->HandleColour = colours::Black;
    sizer_->PreviousRect = *inner;
    sizer_->Limits = {0, 0, board_.Width(), board_.Height()};
    const QPoint pixels = board_.ControlToBoard(QPoint(3, 3)) - board_.ControlToBoard(QPoint(0, 0));
    sizer_->MinSize = {0, 0, std::abs(pixels.x()), std::abs(pixels.y())};
    sizer_->SetFrame(*inner, canvas);
}

void ToolManager::HideHandles() {
    if (!sizer_)
        return;
    sizer_->InvalidateHandles(MeasuringCanvas());
    sizer_.reset();
}

void ToolManager::PaintOverlays(Canvas& canvas) {
    if (!sizer_ || sizer_->Dragging())
        return;
    if (board_.CountSelected() == 0) {
        sizer_.reset();
        return;
    }
    // Drawn smaller than they are hit, so that they are easy to catch and hide little.
    const int hitSize = sizer_->HandleSize;
    sizer_->HandleSize = int(std::lround(120 / board_.Zoom()));
    sizer_->DrawHandles(canvas);
    sizer_->HandleSize = hitSize;
}

// --- Status lines ------------------------------------------------------------------------------

QString ToolManager::Tr(const char16_t* german, const char16_t* english) const {
    return board_.View().Tr(QString::fromUtf16(german), QString::fromUtf16(english));
}

void ToolManager::ShowStatus(const QString& first, const QString& second) {
    if (first == board_.Infozeile1() && second == board_.Infozeile2())
        return;
    board_.SetInfozeilen(first, second);
    board_.Fire(board_.OnMyClick);
}

void ResetStatusLines(TPlatine& board) {
    const ViewState& view = board.View();
    board.SetInfozeilen(
        view.Tr(QStringLiteral("Platine"), QStringLiteral("Board")),
        view.Loetseite ? view.Tr(QStringLiteral("Lötseite"), QStringLiteral("Solder side"))
                       : view.Tr(QStringLiteral("Bauteilseite"), QStringLiteral("Component side")));
}

void ToolManager::ResetStatusLines() {
    const QString first = board_.Infozeile1();
    const QString second = board_.Infozeile2();
    karvel::ResetStatusLines(board_);
    if (first != board_.Infozeile1() || second != board_.Infozeile2())
        board_.Fire(board_.OnMyClick);
}

void ToolManager::ShowSegmentStatus(QPoint from, QPoint to) {
    const QLocale locale;
    ShowStatus(QStringLiteral("dx = ") + locale.toString((to.x() - from.x()) / 100.0, 'g', 6),
               QStringLiteral("dy = ") + locale.toString(-(to.y() - from.y()) / 100.0, 'g', 6));
}

void ToolManager::ShowElementStatus(TBauteil& element) {
    ShowStatus(element.GetKindName(), element.GetMeasureText());
}

} // namespace karvel
