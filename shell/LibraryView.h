#pragma once
// The control that shows the library page inside the library panel's scroll box: it paints the
// page and passes clicks and mouse moves on. The wheel scrolls the box, it zooms nothing.

#include <functional>
#include <QtWidgets/QWidget>

namespace karvel {

class TBibo;

class LibraryView : public QWidget {
    Q_OBJECT
public:
    explicit LibraryView(TBibo& page, QWidget* parent = nullptr);

    TBibo& Page() const { return page_; }

    // A press at a point of the view, with its button and where it was on the screen.
    std::function<void(QPoint at, Qt::MouseButton button, QPoint global)> OnPress;
    std::function<void(QPoint at)> OnHover;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    TBibo& page_;
};

} // namespace karvel
