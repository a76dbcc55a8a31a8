#include "shell/CursorLibrary.h"

#include "board/tools/ToolRules.h"

#include <array>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtGui/QScreen>
#include <QtSvg/QSvgRenderer>

namespace karvel {

namespace {

constexpr int CursorSize = 32;

// The soldering irons and pens point to the top left, where their hot spot lies.
constexpr std::array<CursorPicture, 16> Pictures{{
    {1, "LUPE", "LUPE", "LUPE", {12, 12}},
    {2, "Finger", "Finger", "FINGER", {10, 2}},
    {3, "LOETEN", "LOETEN_UK", "LOETEN", {2, 2}},
    {4, "HAND", "HAND", "HAND", {16, 16}},
    {5, "KOLBEN", "KOLBEN", "KOLBEN", {2, 2}},
    {6, "KOLBENDRAHT", "KOLBENDRAHT_UK", "KOLBENDRAHT", {2, 2}},
    {7, "KOLBEN2POL", "KOLBEN2POL_UK", "KOLBEN2POL", {2, 2}},
    {8, "KOLBENANSCHLUSS", "KOLBENANSCHLUSS", "KOLBENANSCHLUSS", {2, 2}},
    {9, "KOLBENPIN", "KOLBENPIN", "KOLBENPIN", {2, 2}},
    {10, "STIFT", "STIFT", "STIFT", {2, 2}},
    {11, "STIFTCIRC", "STIFTCIRC", "STIFTCIRC", {2, 2}},
    {12, "STIFTRECT", "STIFTRECT", "STIFTRECT", {2, 2}},
    {13, "STIFTPOLY", "STIFTPOLY", "STIFTPOLY", {2, 2}},
    {14, "STIFTTEXT", "STIFTTEXT", "STIFTTEXT", {2, 2}},
    {15, "KOLBENTEST", "KOLBENTEST", "KOLBENTEST", {2, 2}},
    {16, "KREUZ", "KREUZ", "KREUZ", {15, 15}},
}};

QCursor FromPicture(const CursorPicture& picture) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen != nullptr ? screen->devicePixelRatio() : 1.0;
    QSvgRenderer renderer(QStringLiteral(":/cursors/%1.svg").arg(QLatin1String(picture.File)));
    QPixmap pixmap(QSize(CursorSize, CursorSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(0, 0, CursorSize, CursorSize));
    painter.end();
    return QCursor(pixmap, picture.HotSpot.x(), picture.HotSpot.y());
}

} // namespace

std::span<const CursorPicture> CursorPictures() {
    return Pictures;
}

const CursorPicture* FindCursor(const QString& name) {
    for (const CursorPicture& picture : Pictures)
        if (name == QLatin1String(picture.Name) || name == QLatin1String(picture.English))
            return &picture;
    return nullptr;
}

QCursor NumberedCursor(int number, Language language) {
    for (const CursorPicture& picture : Pictures)
        if (picture.Number == number)
            return NamedCursor(
                QLatin1String(UsesEnglish(language) ? picture.English : picture.Name));
    return QCursor(Qt::ArrowCursor);
}

QCursor NamedCursor(const QString& name) {
    if (name.isEmpty())
        return QCursor(Qt::ArrowCursor);
    if (name == u"SPLIT")
        return QCursor(Qt::SplitHCursor);
    if (name == u"NONE")
        return QCursor(Qt::BlankCursor);
    if (const CursorPicture* picture = FindCursor(name))
        return FromPicture(*picture);
    return QCursor(Qt::ArrowCursor);
}

QCursor CursorForMode(TPlatinenModus mode, Language language) {
    return NamedCursor(CursorNameForMode(mode, language));
}

} // namespace karvel
