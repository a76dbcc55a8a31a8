#pragma once
// TScrollBoxEx: the scroll area a board view lives in. It is the board's host: it reports the
// visible area and scroll position, sizes the board control and repaints areas of it.

#include "board/BoardHost.h"

#include <functional>
#include <QtWidgets/QScrollArea>

namespace karvel {

class TScrollBoxEx : public QScrollArea, public BoardHost {
    Q_OBJECT
public:
    explicit TScrollBoxEx(QWidget* parent = nullptr);

    QPoint ScrollPosition() const override;
    void SetScrollPosition(QPoint position) override;
    QSize ClientSize() const override;
    void SetControlSize(QSize size) override;
    void InvalidateRect(const Rect& device, bool erase) override;
    void Repaint() override;

    // Fired after every scroll with the scroll action and whether the bar is the horizontal one.
    std::function<void(int action, bool horizontal)> OnScroll;
};

} // namespace karvel
