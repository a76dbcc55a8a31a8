#pragma once
// The on-screen control of a board: it forwards paint, wheel, pinch and mouse events to its
// TPlatine and draws the board's inverting overlays (crosshair, rubber band) over a cached
// picture of the visible part, so that moving an overlay repaints only the strips it leaves and
// enters.

#include "board/tools/ToolHost.h"
#include "shell/BoardMouseEvent.h"

#include <functional>
#include <memory>
#include <optional>
#include <QtCore/QTimer>
#include <QtGui/QImage>
#include <QtGui/QRegion>
#include <QtWidgets/QWidget>

namespace karvel {

class TPlatine;
class Canvas;
class ToolManager;

class BoardControl : public QWidget, public ToolHost {
    Q_OBJECT
public:
    explicit BoardControl(TPlatine& board, QWidget* parent = nullptr);
    ~BoardControl() override;

    TPlatine& Board() const { return board_; }
    // The board's editing: the window forwards its input there.
    ToolManager& Editor() const { return *editor_; }

    // The board's picture changed in a rectangle (control pixels), or everywhere.
    void InvalidateBoard(const QRect& area);
    void InvalidateAll();

    // The crosshair follows a board point; none hides it.
    void SetCrosshair(std::optional<QPoint> boardPoint);
    std::optional<QPoint> Crosshair() const { return crosshair_; }
    // A rubber band between two control pixels; none hides it.
    void SetRubberBand(std::optional<QRect> controlRect);
    std::optional<QRect> RubberBand() const { return rubberBand_; }
    std::optional<TempLine> TemporaryLine() const { return tempLine_; }
    bool PointerConfined() const { return confined_; }

    // --- What the editing tools ask of the window
    void SetPointerShape(PointerShape shape) override;
    void ConfinePointer(bool confined) override;
    void Beep() override;
    void SetAutoscrollTimer(bool running) override;
    void ShowRubberBand(std::optional<QRect> control) override { SetRubberBand(control); }
    void ShowTempLine(std::optional<TempLine> line) override;
    void ShowCrosshair(std::optional<QPoint> board) override { SetCrosshair(board); }

    // How many times the board itself was drawn; overlays alone do not count.
    int BoardRenderCount() const { return renderCount_; }

    std::function<void(const BoardMouseEvent&)> OnMousePress, OnMouseMove, OnMouseRelease;
    std::function<void(QPoint global)> OnContextMenu;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Where the pointer may act while confined: the visible part of the board.
    std::optional<QRect> ConfinedArea() const;
    void FollowVisibleArea();
    void RenderIntoCache(const QRegion& stale);
    void DrawOverlays(QPainter& painter, const QRegion& area);
    void DrawCrosshair(Canvas& canvas);
    // Schedules a repaint that the cached picture can serve.
    void UpdateOverlayArea(const QRegion& area);
    QRegion CrosshairArea(QPoint boardPoint) const;
    static QRegion RubberBandArea(const QRect& band);
    QRegion TempLineArea(const TempLine& line) const;
    void DrawTempLine(Canvas& canvas);

    TPlatine& board_;
    QImage cache_;
    QRect cacheRect_;
    QRegion overlayOnly_;
    // What the board invalidated and no paint has drawn yet.
    QRegion boardStale_;
    std::unique_ptr<QWidget> painter_;
    int renderCount_ = 0;
    std::optional<QPoint> crosshair_;
    std::optional<QRect> rubberBand_;
    std::optional<TempLine> tempLine_;
    bool confined_ = false;
    QTimer autoscroll_;
    std::unique_ptr<ToolManager> editor_;
};

} // namespace karvel
