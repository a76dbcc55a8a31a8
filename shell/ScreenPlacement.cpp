#include "shell/ScreenPlacement.h"

#include <algorithm>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QWidget>

namespace karvel {

QRect FitOnScreen(const QRect& wanted, const QRect& available) {
    if (!available.isValid())
        return wanted;
    QRect fitted(wanted.topLeft(), wanted.size().boundedTo(available.size()));
    fitted.moveLeft(
        std::clamp(fitted.left(), available.left(), available.right() - fitted.width() + 1));
    fitted.moveTop(
        std::clamp(fitted.top(), available.top(), available.bottom() - fitted.height() + 1));
    return fitted;
}

QRect StartGeometry(const WindowGeometry& stored, const QRect& available) {
    if (stored.Normal)
        return FitOnScreen(*stored.Normal, available);
    if (!available.isValid())
        return {QPoint(0, 0), MainWindowStartSize};
    QRect start(QPoint(0, 0), MainWindowStartSize.boundedTo(available.size()));
    start.moveCenter(available.center());
    return FitOnScreen(start, available);
}

void KeepFrameOnScreen(QWidget& window) {
    if (window.isMaximized() || window.isFullScreen())
        return;
    const QRect client = window.geometry();
    const QRect frame = window.frameGeometry();
    const QRect available = AvailableScreenArea(client.center());
    if (!available.isValid() || available.contains(frame))
        return;
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                           frame.right() - client.right(), frame.bottom() - client.bottom());
    window.setGeometry(FitOnScreen(frame, available).marginsRemoved(margins));
}

QRect AvailableScreenArea(QPoint near) {
    const QScreen* screen = QGuiApplication::screenAt(near);
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

WindowGeometry GeometryOf(const QWidget& window) {
    WindowGeometry geometry;
    geometry.Normal = window.normalGeometry();
    geometry.Maximised = window.isMaximized();
    return geometry;
}

} // namespace karvel
