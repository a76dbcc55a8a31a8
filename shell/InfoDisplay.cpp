#include "shell/InfoDisplay.h"

#include <QtGui/QPainter>

namespace karvel {

namespace {

const QColor Panel(96, 100, 106);

} // namespace

InfoDisplay::InfoDisplay(QWidget* parent) : QWidget(parent) {
    font_ = QFont(QStringLiteral("Arial"));
    font_.setPixelSize(11);
    setMinimumWidth(200);
}

QSize InfoDisplay::sizeHint() const {
    return {240, 30};
}

void InfoDisplay::SetLines(const QString& first, const QString& second) {
    if (first == first_ && second == second_)
        return;
    first_ = first;
    second_ = second;
    update();
}

void InfoDisplay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Panel);
    painter.drawRoundedRect(rect().adjusted(1, 1, -1, -1), 4, 4);
    painter.setFont(font_);
    painter.setPen(Qt::white);
    const QFontMetrics metrics(font_);
    const int lineHeight = metrics.height();
    const int top = (height() - 2 * lineHeight) / 2;
    const QRect first(8, top, width() - 16, lineHeight);
    painter.drawText(first, Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(first_, Qt::ElideRight, first.width()));
    painter.drawText(first.translated(0, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(second_, Qt::ElideRight, first.width()));
}

} // namespace karvel
