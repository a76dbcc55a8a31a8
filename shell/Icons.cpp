#include "shell/Icons.h"

#include "shell/Command.h"

#include <QtGui/QIconEngine>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>

namespace karvel {

namespace {

// How much of a disabled icon shows: enough to recognise it, little enough to see at a glance
// that it cannot be used.
constexpr double DisabledOpacity = 0.35;

// Our icons are drawn in one dark grey, which the style's own disabled pictures hardly change;
// this engine shows them grey and faded instead.
class FadedWhenDisabled : public QIconEngine {
public:
    explicit FadedWhenDisabled(QIcon base) : base_(std::move(base)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        if (mode != QIcon::Disabled)
            return base_.pixmap(size, 1.0, mode, state);
        return FadedPixmap(base_.pixmap(size, 1.0, QIcon::Normal, state));
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio =
            painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = pixmap(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, picture);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return base_.actualSize(size, QIcon::Normal, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return base_.availableSizes(QIcon::Normal, state);
    }
    // The icon takes ownership of the copy, as QIcon does with every engine.
    QIconEngine* clone() const override { return new FadedWhenDisabled(base_); }
    QString key() const override { return QStringLiteral("KarvelFadedWhenDisabled"); }
    bool isNull() override { return base_.isNull(); }

private:
    QIcon base_;
};

} // namespace

QPixmap FadedPixmap(const QPixmap& pixmap) {
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, int(qAlpha(line[x]) * DisabledOpacity + 0.5));
        }
    }
    QPixmap faded = QPixmap::fromImage(image);
    faded.setDevicePixelRatio(pixmap.devicePixelRatio());
    return faded;
}

QIcon ProgramIcon(const QString& name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}

QIcon CommandIcon(const Command& command) {
    QIcon own;
    if (*command.Icon != '\0')
        own = ProgramIcon(QString::fromLatin1(command.Icon));
    const QIcon chosen = *command.ThemeIcon != '\0'
                             ? QIcon::fromTheme(QString::fromLatin1(command.ThemeIcon), own)
                             : own;
    if (chosen.isNull())
        return chosen;
    return QIcon(new FadedWhenDisabled(chosen));
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
