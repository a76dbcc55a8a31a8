#pragma once
// One of the two rulers beside the board view. Its numbers and ticks are drawn once into a
// picture; the red marker that follows the mouse is drawn over it, so that moving the marker
// repaints only the two small bars it leaves and enters.

#include "shell/RulerScale.h"

#include <optional>
#include <QtGui/QPixmap>
#include <QtWidgets/QWidget>
#include <vector>

namespace karvel {

class Ruler : public QWidget {
    Q_OBJECT
public:
    static constexpr int Thickness = 18;
    static constexpr QRgb Background = 0xFFFFFFDD;

    explicit Ruler(Qt::Orientation orientation, QWidget* parent = nullptr);

    Qt::Orientation Orientation() const { return orientation_; }
    // The extent the scale needs for its minor ticks: the width of "XX" or the label height.
    int LabelExtent() const;
    void SetMarks(std::vector<RulerMark> marks);
    const std::vector<RulerMark>& Marks() const { return marks_; }
    // The marker position along the ruler, or none to hide it.
    void SetMarker(std::optional<int> position);
    std::optional<int> Marker() const { return marker_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect MarkerRect(int position) const;
    void RebuildPicture();
    void DrawMark(QPainter& painter, const RulerMark& mark) const;

    Qt::Orientation orientation_;
    QFont font_;
    std::vector<RulerMark> marks_;
    std::optional<int> marker_;
    QPixmap picture_;
};

} // namespace karvel
