#include "shell/Icons.h"

#include "shell/Command.h"

#include <QtGui/QPainter>
#include <QtGui/QPixmap>

namespace karvel {

QIcon ProgramIcon(const QString& name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}

QIcon CommandIcon(const Command& command) {
    QIcon own;
    if (*command.Icon != '\0')
        own = ProgramIcon(QString::fromLatin1(command.Icon));
    if (*command.ThemeIcon != '\0')
        return QIcon::fromTheme(QString::fromLatin1(command.ThemeIcon), own);
    return own;
}

QIcon SwatchIcon(const QColor& colour, bool pen) {
    QIcon icon;
    for (const int ratio : {1, 2}) {
        QPixmap pixmap(QSize(20, 20) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(55, 71, 79), 1.2));
        painter.setBrush(colour);
        if (pen) {
            // The pen colour as a thick stroke, the fill colour as a filled square.
            painter.drawRoundedRect(QRectF(2.5, 2.5, 15, 15), 3, 3);
            painter.setPen(QPen(colour.lightness() > 200 ? QColor(55, 71, 79) : Qt::white, 1.5));
            painter.drawLine(QPointF(6, 14), QPointF(14, 6));
        } else {
            painter.drawRoundedRect(QRectF(2.5, 2.5, 15, 15), 3, 3);
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace karvel
