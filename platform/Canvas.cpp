#include "platform/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <QtGui/QFontMetrics>
#include <QtGui/QPaintDevice>
#include <QtGui/QPaintEngine>
#include <QtGui/QPainterPath>
#include <QtGui/QPixmap>
#include <tuple>
#include <utility>

namespace karvel {
namespace {

// Dash and dot lengths of one-pixel pens, in pixels, as GDI draws them.
constexpr int DashOn = 18;
constexpr int DashOff = 6;
constexpr int DotOn = 3;
constexpr int DotOff = 3;

// Text asked for without a height gets a cell of this many pixels, readable on a screen.
constexpr int DefaultCellHeight = 16;

int FloorDiv(std::int64_t num, std::int64_t den) {
    std::int64_t q = num / den;
    if (num % den != 0 && (num < 0) != (den < 0))
        --q;
    return int(q);
}

// num / den rounded to nearest with halves upwards, exactly; GDI rounds mapped points so.
int RoundHalfUp(std::int64_t num, std::int64_t den) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    return FloorDiv(2 * num + den, 2 * den);
}

// num / den (den > 0) rounded to nearest with halves downwards: a line through a pixel corner
// takes the upper or left pixel, which is also what Qt's own line drawing picks.
int RoundHalfDown(std::int64_t num, std::int64_t den) {
    return -FloorDiv(-2 * num + den, 2 * den);
}

int MapAxis(int value, int fromOrg, int fromExt, int toOrg, int toExt) {
    return RoundHalfUp((std::int64_t(value) - fromOrg) * toExt, fromExt) + toOrg;
}

int Sign(int v) {
    return v < 0 ? -1 : 1;
}

// Keeps a logical unit equally long on both axes by shrinking the larger viewport scale, as an
// isotropic GDI mapping does (pixels are taken to be square).
QSize Isotropic(QSize window, QSize viewport) {
    const std::int64_t wx = std::abs(window.width()), wy = std::abs(window.height());
    const std::int64_t vx = std::abs(viewport.width()), vy = std::abs(viewport.height());
    if (vx * wy > vy * wx)
        viewport.setWidth(Sign(viewport.width()) * std::max(1, RoundHalfUp(wx * vy, wy)));
    else if (vy * wx > vx * wy)
        viewport.setHeight(Sign(viewport.height()) * std::max(1, RoundHalfUp(wy * vx, wx)));
    return viewport;
}

QRect Normalised(QPoint a, QPoint b) {
    const int left = std::min(a.x(), b.x());
    const int top = std::min(a.y(), b.y());
    return QRect(left, top, std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
}

bool IsPixelDevice(const QPaintDevice* device) {
    if (device == nullptr)
        return false;
    const int type = device->devType();
    return type == QInternal::Image || type == QInternal::Pixmap || type == QInternal::Widget;
}

QPainter::CompositionMode CompositionOf(MixMode mode) {
    switch (mode) {
    case MixMode::NotXorPen:
        return QPainter::RasterOp_NotSourceXorDestination;
    case MixMode::XorPen:
        return QPainter::RasterOp_SourceXorDestination;
    case MixMode::MaskNotPen:
        return QPainter::RasterOp_NotSourceAndDestination;
    case MixMode::Copy:
        break;
    }
    return QPainter::CompositionMode_SourceOver;
}

Qt::FillRule FillRuleOf(FillMode mode) {
    return mode == FillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill;
}

// The steps i in [0, steps) of a line whose major coordinate start + i * dir stays within
// [low, high]; keeps a line that runs far outside the surface from costing a point per pixel.
std::pair<std::int64_t, std::int64_t> VisibleSteps(int start, int dir, int steps, int low,
                                                   int high) {
    std::int64_t first = dir > 0 ? std::int64_t(low) - start : std::int64_t(start) - high;
    std::int64_t last = dir > 0 ? std::int64_t(high) - start : std::int64_t(start) - low;
    return {std::max<std::int64_t>(first, 0), std::min<std::int64_t>(last, steps - 1)};
}

// Appends the pixels of a one-pixel line from a towards b, leaving out b as GDI's LineTo does.
// styleIndex counts pixels along the whole figure so that dashes run on across corners.
void AppendLine(QPoint a, QPoint b, const QRect& bounds, int period, int on,
                std::int64_t& styleIndex, std::vector<QPoint>& out) {
    const int dx = b.x() - a.x();
    const int dy = b.y() - a.y();
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0)
        return;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const auto [first, last] =
        xMajor ? VisibleSteps(a.x(), Sign(dx), steps, bounds.left(), bounds.right())
               : VisibleSteps(a.y(), Sign(dy), steps, bounds.top(), bounds.bottom());
    for (std::int64_t i = first; i <= last; ++i) {
        if ((styleIndex + i) % period >= on)
            continue;
        out.emplace_back(a.x() + RoundHalfDown(i * dx, steps),
                         a.y() + RoundHalfDown(i * dy, steps));
    }
    styleIndex += steps;
}

QPainterPath PathOf(const std::vector<std::vector<QPoint>>& figures, bool closed) {
    QPainterPath path;
    for (const auto& figure : figures) {
        if (figure.size() < 2)
            continue;
        path.moveTo(figure.front());
        for (std::size_t i = 1; i < figure.size(); ++i)
            path.lineTo(figure[i]);
        if (closed)
            path.closeSubpath();
    }
    return path;
}

} // namespace

Canvas::Canvas(QPaintDevice& device)
    : ownPainter_(std::make_unique<QPainter>(&device)), painter_(ownPainter_.get()),
      device_(&device), raster_(IsPixelDevice(&device)) {
    painter_->setRenderHint(QPainter::Antialiasing, false);
}

Canvas::Canvas(QPainter& painter)
    : painter_(&painter), device_(painter.device()), raster_(IsPixelDevice(painter.device())) {
    // Whatever the owner set up is given back unchanged when the canvas ends.
    painter_->save();
    painter_->resetTransform();
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setClipping(false);
}

Canvas::~Canvas() {
    if (!ownPainter_)
        painter_->restore();
}

// --- Mapping

void Canvas::SetMapping(QPoint windowOrg, QSize windowExt, QPoint viewportOrg, QSize viewportExt) {
    if (windowExt.width() == 0 || windowExt.height() == 0 || viewportExt.width() == 0 ||
        viewportExt.height() == 0)
        return;
    windowOrg_ = windowOrg;
    windowExt_ = windowExt;
    viewportOrg_ = viewportOrg;
    viewportExt_ = Isotropic(windowExt, viewportExt);
}

void Canvas::ResetMapping() {
    windowOrg_ = {0, 0};
    windowExt_ = {1, 1};
    viewportOrg_ = {0, 0};
    viewportExt_ = {1, 1};
}

QPoint Canvas::LPtoDP(QPoint logical) const {
    return {MapAxis(logical.x(), windowOrg_.x(), windowExt_.width(), viewportOrg_.x(),
                    viewportExt_.width()),
            MapAxis(logical.y(), windowOrg_.y(), windowExt_.height(), viewportOrg_.y(),
                    viewportExt_.height())};
}

QPoint Canvas::DPtoLP(QPoint device) const {
    return {MapAxis(device.x(), viewportOrg_.x(), viewportExt_.width(), windowOrg_.x(),
                    windowExt_.width()),
            MapAxis(device.y(), viewportOrg_.y(), viewportExt_.height(), windowOrg_.y(),
                    windowExt_.height())};
}

Rect Canvas::LPtoDP(const Rect& logical) const {
    const QPoint a = LPtoDP(logical.TopLeft());
    const QPoint b = LPtoDP(logical.BottomRight());
    return {a.x(), a.y(), b.x(), b.y()};
}

Rect Canvas::DPtoLP(const Rect& device) const {
    const QPoint a = DPtoLP(device.TopLeft());
    const QPoint b = DPtoLP(device.BottomRight());
    return {a.x(), a.y(), b.x(), b.y()};
}

double Canvas::Scale() const {
    return std::abs(double(viewportExt_.width()) / windowExt_.width());
}

int Canvas::LengthToDevice(int logical) const {
    return RoundHalfUp(std::int64_t(logical) * std::abs(viewportExt_.width()),
                       std::abs(windowExt_.width()));
}

int Canvas::LengthToLogical(int device) const {
    return RoundHalfUp(std::int64_t(device) * std::abs(windowExt_.width()),
                       std::abs(viewportExt_.width()));
}

std::vector<QPoint> Canvas::MapAll(std::span<const QPoint> points) const {
    std::vector<QPoint> mapped;
    mapped.reserve(points.size());
    for (const QPoint& p : points)
        mapped.push_back(Map(p));
    return mapped;
}

std::vector<std::vector<QPoint>>
Canvas::MapFigures(const std::vector<std::vector<QPoint>>& figures) const {
    std::vector<std::vector<QPoint>> mapped;
    mapped.reserve(figures.size());
    for (const auto& figure : figures)
        mapped.push_back(MapAll(figure));
    return mapped;
}

QRect Canvas::MapRect(const Rect& logical) const {
    return Normalised(Map(logical.TopLeft()), Map(logical.BottomRight()));
}

// --- Pen, brush and mix

void Canvas::SetPen(Colour colour, int width, PenStyle style) {
    penColour_ = colour;
    penWidth_ = width;
    penStyle_ = style;
}

void Canvas::SetPenColour(Colour colour) {
    penColour_ = colour;
}
void Canvas::SetPenWidth(int width) {
    penWidth_ = width;
}
void Canvas::SetPenStyle(PenStyle style) {
    penStyle_ = style;
}

void Canvas::SetBrush(Colour colour, BrushStyle style) {
    brushColour_ = colour;
    brushStyle_ = style;
}

void Canvas::SetBrushColour(Colour colour) {
    brushColour_ = colour;
}
void Canvas::SetBrushStyle(BrushStyle style) {
    brushStyle_ = style;
}
void Canvas::SetMixMode(MixMode mode) {
    mixMode_ = mode;
}

int Canvas::DevicePenWidth() const {
    return std::abs(LengthToDevice(penWidth_));
}

bool Canvas::OnePixelPen() const {
    return DevicePenWidth() <= 1;
}

QPen Canvas::MakePen() const {
    if (penStyle_ == PenStyle::Clear)
        return Qt::NoPen;
    if (!OnePixelPen()) {
        // Wide pens draw solid whatever their style, with round ends and corners, as GDI's do.
        return QPen(ToQColor(penColour_), DevicePenWidth(), Qt::SolidLine, Qt::RoundCap,
                    Qt::RoundJoin);
    }
    QPen pen(ToQColor(penColour_), 0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    if (penStyle_ == PenStyle::Dash)
        pen.setDashPattern({DashOn, DashOff});
    else if (penStyle_ == PenStyle::Dot)
        pen.setDashPattern({DotOn, DotOff});
    return pen;
}

QBrush Canvas::MakeBrush() const {
    if (brushStyle_ == BrushStyle::Clear)
        return Qt::NoBrush;
    return QBrush(ToQColor(brushColour_));
}

void Canvas::ApplyMix() {
    // Vector targets know no raster operations; they draw the figure plainly.
    painter_->setCompositionMode(raster_ ? CompositionOf(mixMode_)
                                         : QPainter::CompositionMode_SourceOver);
}

void Canvas::UseCopyMode() {
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Canvas::Prepare() {
    painter_->setPen(MakePen());
    painter_->setBrush(MakeBrush());
    ApplyMix();
}

// --- Figures

void Canvas::StrokeOnePixel(std::span<const QPoint> device, bool closed) {
    if (device.size() < 2)
        return;
    int period = 1;
    int on = 1;
    if (penStyle_ == PenStyle::Dash) {
        period = DashOn + DashOff;
        on = DashOn;
    } else if (penStyle_ == PenStyle::Dot) {
        period = DotOn + DotOff;
        on = DotOn;
    }
    const QRect bounds = QRect(0, 0, device_->width(), device_->height()).adjusted(-1, -1, 1, 1);
    std::vector<QPoint> pixels;
    std::int64_t styleIndex = 0;
    for (std::size_t i = 1; i < device.size(); ++i)
        AppendLine(device[i - 1], device[i], bounds, period, on, styleIndex, pixels);
    if (closed)
        AppendLine(device.back(), device.front(), bounds, period, on, styleIndex, pixels);
    painter_->setPen(QPen(ToQColor(penColour_), 0, Qt::SolidLine, Qt::SquareCap));
    painter_->drawPoints(pixels.data(), int(pixels.size()));
}

void Canvas::Outline(const std::vector<std::vector<QPoint>>& device, bool closed) {
    if (penStyle_ == PenStyle::Clear)
        return;
    ApplyMix();
    painter_->setBrush(Qt::NoBrush);
    if (raster_ && OnePixelPen()) {
        for (const auto& figure : device)
            StrokeOnePixel(figure, closed);
        return;
    }
    // One path for all figures: a wide pen then covers every pixel once, even where the
    // figures overlap, so that an inverting figure drawn twice cancels out.
    painter_->setPen(MakePen());
    painter_->drawPath(PathOf(device, closed));
}

void Canvas::MoveTo(QPoint p) {
    current_ = p;
}

void Canvas::LineTo(QPoint p) {
    Outline({{Map(current_), Map(p)}}, false);
    current_ = p;
}

void Canvas::Line(QPoint from, QPoint to) {
    MoveTo(from);
    LineTo(to);
}

void Canvas::DrawRectangle(const Rect& r) {
    const QRect pixels = MapRect(r);
    if (pixels.width() <= 0 || pixels.height() <= 0)
        return;
    Prepare();
    // Qt's outline covers one pixel more than the rectangle it is given, and its fill without a
    // pen one less than a pen outline: both then match GDI.
    const QRect shrunk = pixels.adjusted(0, 0, -1, -1);
    if (shrunk.width() == 0 && shrunk.height() == 0) {
        if (penStyle_ != PenStyle::Clear)
            painter_->fillRect(pixels, ToQColor(penColour_));
        return;
    }
    painter_->drawRect(shrunk);
}

void Canvas::DrawEllipse(const Rect& r) {
    const QRect pixels = MapRect(r);
    if (pixels.width() <= 0 || pixels.height() <= 0)
        return;
    Prepare();
    painter_->drawEllipse(pixels.adjusted(0, 0, -1, -1));
}

void Canvas::Polygon(std::span<const QPoint> points) {
    PolyPolygon({std::vector<QPoint>(points.begin(), points.end())});
}

void Canvas::Polyline(std::span<const QPoint> points) {
    Outline({MapAll(points)}, false);
}

void Canvas::PolyPolygon(const std::vector<std::vector<QPoint>>& polygons) {
    const auto device = MapFigures(polygons);
    if (brushStyle_ != BrushStyle::Clear) {
        // All polygons form one area under the fill mode, so a polygon inside another
        // cuts a hole in alternate mode.
        QPainterPath area = PathOf(device, true);
        area.setFillRule(FillRuleOf(fillMode_));
        painter_->setPen(Qt::NoPen);
        painter_->setBrush(MakeBrush());
        ApplyMix();
        painter_->drawPath(area);
    }
    Outline(device, true);
}

void Canvas::PolyPolyline(const std::vector<std::vector<QPoint>>& polylines) {
    Outline(MapFigures(polylines), false);
}

void Canvas::FillRect(const Rect& r, Colour colour) {
    UseCopyMode();
    painter_->fillRect(MapRect(r), ToQColor(colour));
}

void Canvas::FillRegion(const Region& device, Colour colour) {
    UseCopyMode();
    for (const QRect& r : device.ToQRegion())
        painter_->fillRect(r, ToQColor(colour));
}

// --- Text

void Canvas::SetFont(const FontSpec& font) {
    font_ = font;
}

namespace {

// The pixel size whose ascent and descent fill a cell: found by trying sizes, so the answers
// are kept; a board draws the same few label fonts again and again.
int EmForCell(const QFont& base, int cell, QPaintDevice* device) {
    using Key = std::tuple<QString, bool, bool, int, int>;
    static std::map<Key, int> known;
    const Key key{base.family(), base.bold(), base.italic(), cell,
                  device ? device->logicalDpiY() : 0};
    if (const auto it = known.find(key); it != known.end())
        return it->second;
    QFont font = base;
    constexpr int probe = 1000;
    font.setPixelSize(probe);
    const QFontMetricsF probed(font, device);
    int em = std::max(1, int(std::lround(cell * probe / (probed.ascent() + probed.descent()))));
    for (; em > 1; --em) {
        font.setPixelSize(em);
        const QFontMetrics metrics(font, device);
        if (metrics.ascent() + metrics.descent() <= cell)
            break;
    }
    if (known.size() > 4096)
        known.clear();
    known.emplace(key, em);
    return em;
}

} // namespace

// The font the canvas was given, at the current scale. Fonts, their metrics and measured texts
// are kept: a board draws and measures the same few label fonts and texts on every repaint.
struct Canvas::FontEntry {
    QFont font;
    int cellHeight = 0;              // ascent + descent in pixels
    std::map<QString, int> advances; // measured texts
};

Canvas::FontEntry& Canvas::CurrentFont() const {
    using Key = std::tuple<QString, bool, bool, bool, bool, int, int, int>;
    static std::map<Key, FontEntry> fonts;
    const int size = font_.Height == 0 ? DefaultCellHeight : LengthToDevice(std::abs(font_.Height));
    const Key key{font_.Face,
                  font_.Bold,
                  font_.Italic,
                  font_.Underline,
                  font_.StrikeOut,
                  font_.Height < 0 ? -size : size,
                  device_ ? device_->logicalDpiY() : 0,
                  device_ ? device_->logicalDpiX() : 0};
    if (const auto it = fonts.find(key); it != fonts.end())
        return it->second;
    if (fonts.size() > 256)
        fonts.clear();
    QFont font(font_.Face);
    font.setBold(font_.Bold);
    font.setItalic(font_.Italic);
    font.setUnderline(font_.Underline);
    font.setStrikeOut(font_.StrikeOut);
    if (font_.Height < 0)
        font.setPixelSize(std::max(1, size));
    else
        // A cell height asks for the largest em whose ascent and descent together fill the cell.
        font.setPixelSize(EmForCell(font, size, device_));
    const QFontMetrics metrics(font, device_);
    FontEntry& entry = fonts[key];
    entry.font = font;
    entry.cellHeight = metrics.ascent() + metrics.descent();
    return entry;
}

QFont Canvas::DeviceFont() const {
    return CurrentFont().font;
}

void Canvas::TextOut(QPoint at, const QString& text) {
    const QFont font = DeviceFont();
    const QPoint origin = Map(at);
    UseCopyMode();
    painter_->setFont(font);
    painter_->setPen(ToQColor(textColour_));
    painter_->setBrush(Qt::NoBrush);
    painter_->setBackgroundMode(Qt::TransparentMode);
    painter_->translate(origin);
    // Qt turns clockwise on the screen, whose y axis points down.
    painter_->rotate(-DeviceTextTurn());
    painter_->drawText(QPoint(0, painter_->fontMetrics().ascent()), text);
    painter_->resetTransform();
}

double Canvas::DeviceTextTurn() const {
    const bool flipsX = (windowExt_.width() < 0) != (viewportExt_.width() < 0);
    const bool flipsY = (windowExt_.height() < 0) != (viewportExt_.height() < 0);
    const double turn = font_.Escapement / 10.0;
    return flipsX != flipsY ? -turn : turn;
}

QSize Canvas::TextExtent(const QString& text) const {
    FontEntry& entry = CurrentFont();
    auto it = entry.advances.find(text);
    if (it == entry.advances.end()) {
        if (entry.advances.size() > 4096)
            entry.advances.clear();
        it = entry.advances.emplace(text, QFontMetrics(entry.font, device_).horizontalAdvance(text))
                 .first;
    }
    return {LengthToLogical(it->second), LengthToLogical(entry.cellHeight)};
}

// --- Bitmaps

void Canvas::StretchDraw(const Rect& logical, const QImage& image) {
    const QPoint a = Map(logical.TopLeft());
    const QPoint b = Map(logical.BottomRight());
    if (a.x() == b.x() || a.y() == b.y() || image.isNull())
        return;
    // A rectangle that the mapping turns over mirrors the picture, as GDI's stretching does.
    const QImage oriented = image.mirrored(b.x() < a.x(), b.y() < a.y());
    UseCopyMode();
    painter_->drawImage(Normalised(a, b), oriented);
}

std::optional<Colour> Canvas::Pixel(QPoint logical) const {
    if (!raster_ || !painter_->isActive())
        return std::nullopt;
    const QPoint device = Map(logical);
    if (!QRect(0, 0, device_->width(), device_->height()).contains(device))
        return std::nullopt;
    if (clip_ && !clip_->Contains(device))
        return std::nullopt;
    // A widget paints into its window's backing store: read there, where the painter draws.
    QPaintDevice* target = painter_->paintEngine()->paintDevice();
    const QPoint at = painter_->deviceTransform().map(device);
    if (target->devType() == QInternal::Image) {
        const auto* image = static_cast<const QImage*>(target);
        if (!image->rect().contains(at))
            return std::nullopt;
        return FromQColor(image->pixelColor(at));
    }
    if (target->devType() == QInternal::Pixmap) {
        const QImage image = static_cast<const QPixmap*>(target)->toImage();
        if (!image.rect().contains(at))
            return std::nullopt;
        return FromQColor(image.pixelColor(at));
    }
    return std::nullopt;
}

// --- Clipping

void Canvas::SelectClipRegion(const std::optional<Region>& region) {
    clip_ = region;
    if (clip_)
        painter_->setClipRegion(clip_->ToQRegion());
    else
        painter_->setClipping(false);
}

} // namespace karvel
