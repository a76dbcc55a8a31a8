#pragma once
// The paper of the print preview: a plain widget that hands its painting and its mouse to the
// print window, which knows the page mapping.

#include <functional>
#include <QtWidgets/QWidget>

namespace karvel {

class PrintPreviewBox : public QWidget {
public:
    explicit PrintPreviewBox(QWidget* parent);

    std::function<void(QPainter&)> OnPaint;
    std::function<void(QPoint)> OnPress;
    std::function<void(QPoint)> OnDrag;
    std::function<void()> OnRelease;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace karvel
