#pragma once
// The sixteen-colour grid: a left click chooses the foreground (pen) colour, a right click the
// background (fill) colour. The chosen cells carry small marks.

#include <functional>
#include <QtWidgets/QWidget>

namespace karvel {

class ColourGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int Columns = 8;
    static constexpr int Rows = 2;

    explicit ColourGrid(QWidget* parent = nullptr);

    int Foreground() const { return foreground_; }
    int Background() const { return background_; }
    void SetForeground(int index);
    void SetBackground(int index);
    // The cell under a pixel, or -1.
    int IndexAt(QPoint pixel) const;
    QRect CellRect(int index) const;

    std::function<void(int index)> OnForeground, OnBackground;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int foreground_;
    int background_;
};

} // namespace karvel
