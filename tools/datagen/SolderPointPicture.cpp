#include "tools/datagen/SolderPointPicture.h"

#include <QtGui/QPainter>
#include <QtGui/QRadialGradient>

namespace karvel::datagen {

QImage MakeSolderPointPicture(int size) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Light falls from the upper left, as on the tool bar pictures.
    const QPointF highlight(size * 0.36, size * 0.34);
    QRadialGradient tin(QPointF(size / 2.0, size / 2.0), size * 0.5, highlight);
    tin.setColorAt(0.0, QColor(250, 250, 250));
    tin.setColorAt(0.35, QColor(214, 216, 220));
    tin.setColorAt(0.8, QColor(160, 162, 168));
    tin.setColorAt(1.0, QColor(118, 120, 126));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tin);
    painter.drawEllipse(QRectF(0, 0, size, size));
    // A dark pin end in the middle of the joint.
    painter.setBrush(QColor(96, 98, 104));
    const double pin = size * 0.16;
    painter.drawEllipse(QPointF(size / 2.0, size / 2.0), pin, pin);
    return image;
}

} // namespace karvel::datagen
