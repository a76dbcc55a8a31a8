#include "shell/BoardControl.h"

#include "board/Platine.h"
#include "board/tools/ToolManager.h"
#include "elements/Fadenkreuz.h"
#include "elements/Geometry.h"
#include "platform/Canvas.h"
#include "shell/CursorLibrary.h"

#include <QtWidgets/QApplication>

#include <QtGui/QNativeGestureEvent>
#include <QtGui/QPainter>
#include <QtGui/QPaintEvent>
#include <QtGui/QWheelEvent>

namespace karvel {

namespace {

BoardMouseEvent ToBoardEvent(const QMouseEvent& event, std::optional<QRect> confinedTo) {
    QPoint at = event.position().toPoint();
    // While an operation keeps the pointer, it acts only within the visible board.
    if (confinedTo)
        at = {std::clamp(at.x(), confinedTo->left(), confinedTo->right()),
              std::clamp(at.y(), confinedTo->top(), confinedTo->bottom())};
    return {at, event.button(), event.buttons(), event.modifiers()};
}

// An invisible stand-in of the control that draws the board into the cached picture through a
// widget's paint path (the control itself cannot be rendered from inside its own paint event).
class BoardPicturePainter : public QWidget {
public:
    explicit BoardPicturePainter(TPlatine& board) : board_(board) {
        setAttribute(Qt::WA_DontShowOnScreen);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), ToQColor(board_.Color()));
        Canvas canvas(painter);
        canvas.SelectClipRegion(Region(event->region()));
        board_.Paint(canvas);
    }

private:
    TPlatine& board_;
};

// The crosshair's grey, drawn exclusive-or so that it shows on every copper colour.
constexpr Colour CrosshairColour = RgbColour(128, 128, 128);

} // namespace

BoardControl::BoardControl(TPlatine& board, QWidget* parent)
    : QWidget(parent), board_(board), painter_(std::make_unique<BoardPicturePainter>(board)),
      editor_(std::make_unique<ToolManager>(board, *this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    autoscroll_.setInterval(10);
    connect(&autoscroll_, &QTimer::timeout, this, [this] { editor_->AutoscrollTick(); });
}

void BoardControl::InvalidateBoard(const QRect& area) {
    overlayOnly_ -= area;
    boardStale_ += area;
    update(area);
}

void BoardControl::InvalidateAll() {
    overlayOnly_ = QRegion();
    cacheRect_ = QRect();
    update();
}

// --- Overlays ----------------------------------------------------------------------------------

void BoardControl::SetCrosshair(std::optional<QPoint> boardPoint) {
    if (boardPoint == crosshair_)
        return;
    QRegion area;
    if (crosshair_)
        area += CrosshairArea(*crosshair_);
    crosshair_ = boardPoint;
    if (crosshair_)
        area += CrosshairArea(*crosshair_);
    UpdateOverlayArea(area);
}

void BoardControl::SetRubberBand(std::optional<QRect> controlRect) {
    if (controlRect == rubberBand_)
        return;
    QRegion area;
    if (rubberBand_)
        area += RubberBandArea(*rubberBand_);
    rubberBand_ = controlRect;
    if (rubberBand_)
        area += RubberBandArea(*rubberBand_);
    UpdateOverlayArea(area);
}

void BoardControl::ShowTempLine(std::optional<TempLine> line) {
    if (line == tempLine_)
        return;
    QRegion area;
    if (tempLine_)
        area += TempLineArea(*tempLine_);
    tempLine_ = line;
    if (tempLine_)
        area += TempLineArea(*tempLine_);
    UpdateOverlayArea(area);
}

QRegion BoardControl::TempLineArea(const TempLine& line) const {
    const QPoint a = board_.BoardToControl(line.Line.p1());
    const QPoint b = board_.BoardToControl(line.Line.p2());
    const int reach = line.Width * board_.PixelsPerHole() / HolePitch / 2 + 3;
    // A band of boxes along the line: far less to repaint than its bounding rectangle.
    QRegion area;
    const int steps = std::max(1, std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())) / 16);
    for (int i = 0; i <= steps; ++i) {
        const QPoint p = a + (b - a) * i / steps;
        area += QRect(p.x() - reach - 8, p.y() - reach - 8, 2 * reach + 17, 2 * reach + 17);
    }
    return area;
}

void BoardControl::UpdateOverlayArea(const QRegion& area) {
    // Only what the cache already holds can be served from it: not what the board changed
    // since the last paint.
    overlayOnly_ += (area & cacheRect_) - boardStale_;
    update(area);
}

QRegion BoardControl::CrosshairArea(QPoint boardPoint) const {
    const QPoint p = board_.BoardToControl(boardPoint);
    const QRect all = rect();
    return QRegion(all.left(), p.y() - 1, all.width(), 3) +
           QRegion(p.x() - 1, all.top(), 3, all.height());
}

QRegion BoardControl::RubberBandArea(const QRect& band) {
    const QRect r = band.normalized().adjusted(-2, -2, 2, 2);
    return QRegion(r) - QRegion(r.adjusted(5, 5, -5, -5));
}

// --- Painting ----------------------------------------------------------------------------------

BoardControl::~BoardControl() = default;

void BoardControl::paintEvent(QPaintEvent* event) {
    FollowVisibleArea();
    const QRegion stale = (event->region() - overlayOnly_) & cacheRect_;
    overlayOnly_ -= event->region();
    boardStale_ -= event->region();
    if (!stale.isEmpty())
        RenderIntoCache(stale);
    QPainter painter(this);
    const qreal ratio = cache_.devicePixelRatio();
    for (const QRect& r : event->region()) {
        const QRect source = r.intersected(cacheRect_);
        if (source.isEmpty())
            continue;
        const QRectF pixels(QPointF(source.topLeft() - cacheRect_.topLeft()) * ratio,
                            QSizeF(source.size()) * ratio);
        painter.drawImage(QRectF(source), cache_, pixels);
    }
    DrawOverlays(painter, event->region());
}

// Keeps the cached picture over the visible part of the control: what stays visible is moved
// along, what comes into view is drawn afresh.
void BoardControl::FollowVisibleArea() {
    const QRect visible = visibleRegion().boundingRect();
    const qreal ratio = devicePixelRatioF();
    if (visible == cacheRect_ && cache_.devicePixelRatio() == ratio)
        return;
    QImage next((QSizeF(visible.size()) * ratio).toSize(), QImage::Format_RGB32);
    next.setDevicePixelRatio(ratio);
    const QRect kept = visible.intersected(cacheRect_);
    if (!kept.isEmpty() && cache_.devicePixelRatio() == ratio) {
        QPainter copy(&next);
        const QRectF from(QPointF(kept.topLeft() - cacheRect_.topLeft()) * ratio,
                          QSizeF(kept.size()) * ratio);
        copy.drawImage(QRectF(kept.translated(-visible.topLeft())), cache_, from);
    }
    const QRegion uncovered =
        QRegion(visible) - (cache_.devicePixelRatio() == ratio ? kept : QRect());
    cache_ = std::move(next);
    cacheRect_ = visible;
    overlayOnly_ -= uncovered;
    if (!uncovered.isEmpty())
        RenderIntoCache(uncovered);
}

void BoardControl::RenderIntoCache(const QRegion& stale) {
    const QRegion area = stale & cacheRect_;
    if (area.isEmpty())
        return;
    ++renderCount_;
    if (painter_->size() != size())
        painter_->resize(size());
    painter_->render(&cache_, area.boundingRect().topLeft() - cacheRect_.topLeft(), area,
                     QWidget::RenderFlags());
}

void BoardControl::DrawOverlays(QPainter& painter, const QRegion& area) {
    Canvas canvas(painter);
    if (editor_->Handles()) {
        board_.SetzeMassstab(canvas);
        canvas.SelectClipRegion(Region(area));
        editor_->PaintOverlays(canvas);
    }
    if (!crosshair_ && !rubberBand_ && !tempLine_)
        return;
    if (crosshair_)
        DrawCrosshair(canvas);
    if (tempLine_) {
        canvas.ResetMapping();
        canvas.SelectClipRegion(Region(area));
        DrawTempLine(canvas);
    }
    if (rubberBand_) {
        canvas.ResetMapping();
        canvas.SelectClipRegion(Region(area));
        canvas.SetPen(colours::Black, 2);
        canvas.SetBrushStyle(BrushStyle::Clear);
        canvas.SetMixMode(MixMode::NotXorPen);
        const QRect r = rubberBand_->normalized();
        canvas.DrawRectangle({r.left(), r.top(), r.right() + 1, r.bottom() + 1});
        canvas.SetMixMode(MixMode::Copy);
    }
}

// Inverting, so that it shows on copper, board and parts alike.
void BoardControl::DrawTempLine(Canvas& canvas) {
    const int width = std::max(1, tempLine_->Width * board_.PixelsPerHole() / HolePitch);
    canvas.SetPen(colours::Black, width);
    canvas.SetMixMode(MixMode::NotXorPen);
    canvas.MoveTo(board_.BoardToControl(tempLine_->Line.p1()));
    canvas.LineTo(board_.BoardToControl(tempLine_->Line.p2()));
    canvas.SetMixMode(MixMode::Copy);
}

void BoardControl::DrawCrosshair(Canvas& canvas) {
    board_.SetzeMassstab(canvas);
    // The crosshair stays on the board.
    canvas.SelectClipRegion(Region::FromRect(Normalised(canvas.LPtoDP(board_.BoardRect()))));
    TFadenKreuz cross;
    cross.LineColour = CrosshairColour;
    cross.SetPosition(*crosshair_, canvas);
}

// --- Input -------------------------------------------------------------------------------------

void BoardControl::wheelEvent(QWheelEvent* event) {
    if (event->angleDelta().isNull()) {
        event->ignore();
        return;
    }
    editor_->Wheel({event->position().toPoint(), event->angleDelta(), event->modifiers()});
    event->accept();
}

bool BoardControl::event(QEvent* event) {
    if (event->type() == QEvent::NativeGesture) {
        const auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            // The value is the change of scale since the last step of the pinch.
            editor_->Pinch(gesture->position().toPoint(), 1.0 + gesture->value());
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void BoardControl::mousePressEvent(QMouseEvent* event) {
    if (OnMousePress)
        OnMousePress(ToBoardEvent(*event, ConfinedArea()));
}

void BoardControl::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove)
        OnMouseMove(ToBoardEvent(*event, ConfinedArea()));
    board_.Fire(board_.OnMyMouseMove);
    QWidget::mouseMoveEvent(event);
}

void BoardControl::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseRelease)
        OnMouseRelease(ToBoardEvent(*event, ConfinedArea()));
}

// A right click reaches the tools as a press; only the keyboard's menu key comes this way.
void BoardControl::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse)
        return;
    if (OnContextMenu)
        OnContextMenu(event->globalPos());
}

void BoardControl::keyPressEvent(QKeyEvent* event) {
    if (editor_->Key({event->key(), event->modifiers()}))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

// A dialog or another window took the pointer: the running drag ends as a release would.
// Grabbing the pointer may itself move the focus about within the window; that ends nothing.
void BoardControl::focusOutEvent(QFocusEvent* event) {
    // A modal window is elsewhere unless it is the one this board is shown in (the layout
    // editor).
    const QWidget* modal = QApplication::activeModalWidget();
    const bool elsewhere = !isActiveWindow() || (modal != nullptr && modal != window()) ||
                           QApplication::activePopupWidget() != nullptr;
    if (elsewhere && editor_->Busy())
        editor_->PointerLost();
    QWidget::focusOutEvent(event);
}

void BoardControl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && editor_->Busy())
        editor_->PointerLost();
    QWidget::changeEvent(event);
}

// --- What the tools ask of the window ----------------------------------------------------------

void BoardControl::SetPointerShape(PointerShape shape) {
    const Language language = board_.View().Sprache;
    switch (shape) {
    case PointerShape::ToolDefault:
        setCursor(CursorForMode(board_.Modus(), language));
        break;
    case PointerShape::Arrow:
        setCursor(Qt::ArrowCursor);
        break;
    case PointerShape::Finger:
        setCursor(NumberedCursor(2, language));
        break;
    case PointerShape::Solder:
        setCursor(NumberedCursor(3, language));
        break;
    case PointerShape::Hand:
        setCursor(NumberedCursor(4, language));
        break;
    case PointerShape::Iron:
        setCursor(NumberedCursor(5, language));
        break;
    case PointerShape::SizeAll:
        setCursor(Qt::SizeAllCursor);
        break;
    case PointerShape::SizeNwSe:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case PointerShape::SizeNeSw:
        setCursor(Qt::SizeBDiagCursor);
        break;
    case PointerShape::SizeVertical:
        setCursor(Qt::SizeVerCursor);
        break;
    case PointerShape::SizeHorizontal:
        setCursor(Qt::SizeHorCursor);
        break;
    case PointerShape::SplitVertical:
        setCursor(Qt::SplitVCursor);
        break;
    case PointerShape::SplitHorizontal:
        setCursor(Qt::SplitHCursor);
        break;
    case PointerShape::Cross:
        setCursor(Qt::CrossCursor);
        break;
    }
}

std::optional<QRect> BoardControl::ConfinedArea() const {
    if (!confined_)
        return std::nullopt;
    const QRect visible = visibleRegion().boundingRect();
    const Rect r = board_.BoardRect();
    const QRect board =
        QRect(board_.BoardToControl(r.TopLeft()), board_.BoardToControl(r.BottomRight()))
            .normalized();
    const QRect onBoard = visible.intersected(board);
    return onBoard.isEmpty() ? visible : onBoard;
}

void BoardControl::ConfinePointer(bool confined) {
    if (confined == confined_)
        return;
    confined_ = confined;
    if (confined)
        grabMouse();
    else
        releaseMouse();
}

void BoardControl::Beep() {
    QApplication::beep();
}

void BoardControl::SetAutoscrollTimer(bool running) {
    if (running)
        autoscroll_.start();
    else
        autoscroll_.stop();
}

void BoardControl::leaveEvent(QEvent* event) {
    SetCrosshair(std::nullopt);
    QWidget::leaveEvent(event);
}

} // namespace karvel
