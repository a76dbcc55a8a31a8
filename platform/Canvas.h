#pragma once
// The drawing surface every board and element draws on: a GDI-style canvas over QPainter.
//
// Elements work in logical units (board units, 0.01 mm); the canvas maps them isotropically to
// device pixels with a window/viewport pair, rounds to whole pixels the way the stored pictures
// and hit tests expect, and draws in device space. Pen mix modes are exact on raster targets
// (QImage, widgets), so an inverting figure drawn twice restores the picture; on vector targets
// (PDF, SVG, printers) they fall back to plain copying.

#include "platform/Colour.h"
#include "platform/Rect.h"
#include "platform/Region.h"

#include <memory>
#include <optional>
#include <QtCore/QString>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <span>
#include <vector>

class QPaintDevice;

namespace karvel {

enum class PenStyle { Solid, Dash, Dot, Clear };
enum class BrushStyle { Solid, Clear };

// How the pen and brush combine with what is already there.
enum class MixMode {
    Copy,       // R2_COPYPEN
    NotXorPen,  // R2_NOTXORPEN: drawn twice, the picture is unchanged
    XorPen,     // R2_XORPEN
    MaskNotPen, // R2_MASKNOTPEN: destination AND NOT pen
};

// A font as the elements ask for it. Height follows the GDI rule: negative is the character
// (em) height, positive the cell height (ascent + descent), both in logical units; zero means a
// default size. Escapement turns the text counter-clockwise, in tenths of a degree.
struct FontSpec {
    QString Face = QStringLiteral("ARIAL");
    int Height = 0;
    int Escapement = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool operator==(const FontSpec&) const = default;
};

class Canvas {
public:
    // Draws on an image, a widget, a printer or a PDF/SVG generator; owns its painter.
    explicit Canvas(QPaintDevice& device);
    // Draws through a painter that someone else began (a widget's paint event); borrows it.
    explicit Canvas(QPainter& painter);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // --- Mapping (isotropic): device = (logical - windowOrg) * viewportExt / windowExt +
    // viewportOrg per axis. An extent may be negative to flip an axis. A viewport extent that would
    // make the axes differ in scale is shrunk to the smaller scale; a zero extent leaves the
    // mapping as it was.
    void SetMapping(QPoint windowOrg, QSize windowExt, QPoint viewportOrg, QSize viewportExt);
    void ResetMapping(); // identity: one logical unit is one pixel
    QPoint LPtoDP(QPoint logical) const;
    QPoint DPtoLP(QPoint device) const;
    // Converts both corners; the result is not normalised (a flipped axis swaps the sides).
    Rect LPtoDP(const Rect& logical) const;
    Rect DPtoLP(const Rect& device) const;
    // Pixels per logical unit along x (always positive).
    double Scale() const;
    // A length in logical units as pixels, and back.
    int LengthToDevice(int logical) const;
    int LengthToLogical(int device) const;

    // --- Pen, brush, mix and fill mode
    // Width in logical units; 0, or anything thinner than one pixel, draws one pixel wide.
    void SetPen(Colour colour, int width = 0, PenStyle style = PenStyle::Solid);
    void SetPenColour(Colour colour);
    void SetPenWidth(int width);
    void SetPenStyle(PenStyle style);
    Colour PenColour() const { return penColour_; }
    int PenWidth() const { return penWidth_; }
    PenStyle GetPenStyle() const { return penStyle_; }

    void SetBrush(Colour colour, BrushStyle style = BrushStyle::Solid);
    void SetBrushColour(Colour colour);
    void SetBrushStyle(BrushStyle style);
    Colour BrushColour() const { return brushColour_; }
    BrushStyle GetBrushStyle() const { return brushStyle_; }

    void SetMixMode(MixMode mode);
    MixMode GetMixMode() const { return mixMode_; }
    void SetFillMode(FillMode mode) { fillMode_ = mode; }
    FillMode GetFillMode() const { return fillMode_; }

    // --- Figures, in logical coordinates. Closed figures are outlined with the pen and filled
    // with the brush; lines leave out their end pixel, as GDI does.
    void MoveTo(QPoint p);
    void LineTo(QPoint p);
    void Line(QPoint from, QPoint to);
    // GDI Rectangle(l, t, r, b): a one-pixel outline covers (r-l) × (b-t) pixels.
    void DrawRectangle(const Rect& r);
    void DrawEllipse(const Rect& r);
    void Polygon(std::span<const QPoint> points);
    void Polyline(std::span<const QPoint> points);
    void PolyPolygon(const std::vector<std::vector<QPoint>>& polygons);
    void PolyPolyline(const std::vector<std::vector<QPoint>>& polylines);
    // Fills with a colour regardless of pen, brush and mix mode.
    void FillRect(const Rect& r, Colour colour);
    void FillRegion(const Region& device, Colour colour);

    // --- Text. The reference point is the top-left corner of the text cell, turned with the
    // escapement; the background stays transparent.
    void SetFont(const FontSpec& font);
    const FontSpec& Font() const { return font_; }
    void SetTextColour(Colour colour) { textColour_ = colour; }
    Colour TextColour() const { return textColour_; }
    void TextOut(QPoint at, const QString& text);
    // The turn of the text on the device, in degrees counter-clockwise as the device shows it.
    // A mapping that flips one axis reverses the escapement's turn, so that turned text keeps
    // to the side of its base line that the mapping turns the board to; the glyphs themselves
    // are never mirrored.
    double DeviceTextTurn() const;
    // Width and height of the unturned text in logical units.
    QSize TextExtent(const QString& text) const;

    // --- Bitmaps
    void StretchDraw(const Rect& logical, const QImage& image);
    // The colour of the pixel under a logical point; nullopt outside the surface or on a
    // target that has no pixels.
    std::optional<Colour> Pixel(QPoint logical) const;

    // --- Clipping (device coordinates). nullopt means no clip region.
    std::optional<Region> ClipRegion() const { return clip_; }
    void SelectClipRegion(const std::optional<Region>& region);

    // Whether the target keeps pixels (an image or a widget), so that mix modes are exact.
    bool IsRaster() const { return raster_; }
    QPainter& Painter() { return *painter_; }

private:
    struct FontEntry;
    FontEntry& CurrentFont() const;
    void Prepare();
    int DevicePenWidth() const;
    bool OnePixelPen() const;
    QPen MakePen() const;
    QBrush MakeBrush() const;
    void ApplyMix();
    void UseCopyMode();
    // One-pixel outlines on pixel targets are rasterised here, so that each line leaves out
    // its own end pixel whatever its direction.
    void StrokeOnePixel(std::span<const QPoint> device, bool closed);
    void Outline(const std::vector<std::vector<QPoint>>& device, bool closed);
    QFont DeviceFont() const;
    QPoint Map(QPoint logical) const { return LPtoDP(logical); }
    std::vector<QPoint> MapAll(std::span<const QPoint> points) const;
    std::vector<std::vector<QPoint>>
    MapFigures(const std::vector<std::vector<QPoint>>& figures) const;
    QRect MapRect(const Rect& logical) const;

    std::unique_ptr<QPainter> ownPainter_;
    QPainter* painter_ = nullptr;
    QPaintDevice* device_ = nullptr;
    bool raster_ = false;

    QPoint windowOrg_{0, 0};
    QSize windowExt_{1, 1};
    QPoint viewportOrg_{0, 0};
    QSize viewportExt_{1, 1};

    Colour penColour_ = colours::Black;
    int penWidth_ = 0;
    PenStyle penStyle_ = PenStyle::Solid;
    Colour brushColour_ = colours::White;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    MixMode mixMode_ = MixMode::Copy;
    FillMode fillMode_ = FillMode::Alternate;
    FontSpec font_;
    Colour textColour_ = colours::Black;
    QPoint current_{0, 0};
    std::optional<Region> clip_;
};

} // namespace karvel
