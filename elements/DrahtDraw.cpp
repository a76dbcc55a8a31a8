// How wires, leads, lines, rectangles, polygons and pins draw themselves, their solder joints
// and their rubber-band previews.

#include "elements/BoardContext.h"
#include "elements/CopperColours.h"
#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "elements/SolderPointPicture.h"

namespace karvel {

namespace {

constexpr Colour Milling = 8421504;        // grey milling area
constexpr Colour OutlineCopper = 15395562; // light grey copper in outline mode
constexpr int OutlinePenWidth = 10;

Rect Square(QPoint centre, int half) {
    return {centre.x() - half, centre.y() - half, centre.x() + half, centre.y() + half};
}

} // namespace

// --- Body -------------------------------------------------------------------------------------

void TDraht::Draw(Canvas& canvas) {
    if (!IsOnWorkingSide() && !IsXRayGhost())
        return;
    if (Nodes.size() < 2)
        return;
    canvas.SetBrushStyle(BrushStyle::Solid);
    switch (BauteilTyp) {
    case TBauteilTyp::btRect:
    case TBauteilTyp::btPolygon:
        DrawAreaStyle(canvas);
        break;
    case TBauteilTyp::btPin:
        DrawPinStyle(canvas);
        break;
    case TBauteilTyp::btDraht:
    case TBauteilTyp::btAnschluss:
        DrawWireStyle(canvas);
        break;
    default:
        DrawLineStyle(canvas);
    }
    canvas.SetPenWidth(0);
    DrawSelection(canvas);
    if (BauteilTyp == TBauteilTyp::btAnschluss && !UmrissFlag())
        DrawLeadEnd(canvas);
}

Colour TDraht::ShapePenColour() const {
    return UmrissFlag() ? colours::Black : Stiftfarbe();
}

void TDraht::SetShapePen(Canvas& canvas) const {
    // Milled shapes keep their own width in outline mode: the width is the cutter's path.
    const int width = UmrissFlag() && !Fraesen() ? OutlinePenWidth : Stiftbreite();
    canvas.SetPen(ShapePenColour(), width, PenStyle::Solid);
    if (Stiftbreite() == 0 && !UmrissFlag() && !IsXRayGhost())
        canvas.SetPenStyle(PenStyle::Clear);
}

void TDraht::DrawLineStyle(Canvas& canvas) {
    SetShapePen(canvas);
    BeginXRayStyle(canvas);
    DrawContour(canvas);
    EndXRayStyle(canvas);
    canvas.SetPenStyle(PenStyle::Solid);
}

void TDraht::DrawAreaStyle(Canvas& canvas) {
    SetShapePen(canvas);
    canvas.SetBrushColour(Brushfarbe());
    DrawFillBitmap(canvas);
    BeginXRayStyle(canvas);
    DrawContour(canvas);
    EndXRayStyle(canvas);
    canvas.SetPenStyle(PenStyle::Solid);
}

void TDraht::DrawPinStyle(Canvas& canvas) {
    canvas.SetPen(ShapePenColour(), UmrissFlag() ? OutlinePenWidth : Stiftbreite());
    if (HatTestSpannung()) {
        canvas.SetPenColour(colours::TestVoltage);
        canvas.SetBrushColour(colours::TestVoltage);
    }
    BeginXRayStyle(canvas);
    if (canvas.LPtoDP(Nodes[0]) == canvas.LPtoDP(Nodes[1]))
        DrawDot(canvas, Nodes[0]);
    else
        canvas.Line(Nodes[0], Nodes[1]);
    EndXRayStyle(canvas);
}

void TDraht::DrawDot(Canvas& canvas, QPoint at) {
    // A pin's two nodes usually coincide. A wide pen's round ends make a dot of such a line,
    // which the canvas leaves out; the dot is drawn in the pen's colour instead.
    const int width = canvas.PenWidth();
    const Colour brush = canvas.BrushColour();
    const BrushStyle brushStyle = canvas.GetBrushStyle();
    canvas.SetBrush(canvas.PenColour(), BrushStyle::Solid);
    canvas.SetPenWidth(0);
    canvas.DrawEllipse(Square(at, width / 2));
    canvas.SetPenWidth(width);
    canvas.SetBrush(brush, brushStyle);
}

void TDraht::DrawWireStyle(Canvas& canvas) {
    canvas.SetPen(ShapePenColour(), UmrissFlag() ? OutlinePenWidth : Stiftbreite());
    BeginXRayStyle(canvas);
    DrawContour(canvas);
    EndXRayStyle(canvas);
    if (UmrissFlag() && !HatTestSpannung())
        return;

    // The tinned ends, where the wire goes into its holes.
    canvas.SetPen(colours::Silver, 0);
    canvas.SetBrush(colours::Silver);
    if (!HatTestSpannung())
        BeginXRayStyle(canvas);
    const int radius = Stiftbreite() / 2;
    canvas.DrawEllipse(Square(Nodes.front(), radius));
    if (BauteilTyp == TBauteilTyp::btDraht)
        canvas.DrawEllipse(Square(Nodes.back(), radius));

    // A highlight along the wire gives it some depth.
    if (!IsXRayGhost())
        canvas.SetPenColour(Stiftfarbe() == colours::Silver ? colours::White : colours::Silver);
    canvas.SetPenWidth(Stiftbreite() / 4);
    if (HatTestSpannung())
        canvas.SetPenColour(colours::TestVoltage);
    DrawContour(canvas);
    EndXRayStyle(canvas);
}

void TDraht::DrawSelection(Canvas& canvas) {
    if (!IstMarkiert())
        return;
    const bool pin = BauteilTyp == TBauteilTyp::btPin;
    canvas.SetPen(colours::Selected, pin ? Stiftbreite() : Stiftbreite() / 2, PenStyle::Solid);
    // The straight node polyline, not the smoothed contour: it shows where the nodes are.
    std::vector<QPoint> line = Nodes;
    if (IsClosed())
        line.push_back(Nodes.front());
    if (pin && canvas.LPtoDP(Nodes[0]) == canvas.LPtoDP(Nodes[1]))
        DrawDot(canvas, Nodes[0]);
    else
        canvas.Polyline(line);
    if (!InGroup && !pin)
        DrawNodeMarkers(canvas);
}

void TDraht::DrawNodeMarkers(Canvas& canvas) const {
    canvas.SetPen(colours::Black, 1, PenStyle::Solid);
    for (const QPoint& node : Nodes) {
        const Rect r = Square(node, 50);
        canvas.Polyline(std::vector<QPoint>{
            r.TopLeft(), {r.Right, r.Top}, r.BottomRight(), {r.Left, r.Bottom}, r.TopLeft()});
    }
}

void TDraht::DrawLeadEnd(Canvas& canvas) {
    // The free end of a lead, where it meets the component body.
    canvas.SetPen(colours::White, 2);
    canvas.SetBrush(Stiftfarbe());
    BeginXRayStyle(canvas);
    canvas.DrawEllipse(Square(Nodes.back(), Stiftbreite() / 2));
    EndXRayStyle(canvas);
    if (IstMarkiert()) {
        canvas.SetPen(colours::Selected, 0);
        canvas.SetBrush(colours::Selected);
        canvas.DrawEllipse(Square(Nodes.back(), Stiftbreite() / 4));
    }
}

// --- Contour ----------------------------------------------------------------------------------

Colour TDraht::BitmapAverage() const {
    const QImage& image = *Btmap();
    const int w = image.width();
    const int h = image.height();
    const std::array<QPoint, 5> probes{QPoint(w / 2, h / 2), QPoint(2, h / 2), QPoint(w / 2, 2),
                                       QPoint(w - 2, h / 2), QPoint(w / 2, h - 2)};
    int red = 0, green = 0, blue = 0;
    for (QPoint p : probes) {
        // Tiny bitmaps have no pixel two from the edge; the nearest pixel stands in.
        const QColor c = image.pixelColor(std::clamp(p.x(), 0, w - 1), std::clamp(p.y(), 0, h - 1));
        red += c.red();
        green += c.green();
        blue += c.blue();
    }
    return RgbColour(red / 5, green / 5, blue / 5);
}

void TDraht::DrawContour(Canvas& canvas) {
    const std::vector<QPoint> contour = BuildContour();
    canvas.SetFillMode(FillMode::Alternate);
    const ViewState& view = View();
    const bool ghost = IsXRayGhost();
    const bool hasBitmap = HasteBitmap() && Btmap() != nullptr && !Btmap()->isNull();
    if (hasBitmap && !view.BitmapRendering && !ghost)
        canvas.SetBrushColour(BitmapAverage());
    if (Fraesen()) {
        canvas.SetPenColour(Milling);
        canvas.SetBrushColour(Milling);
    }
    const Colour previousPen = canvas.PenColour();
    const Colour previousBrush = canvas.BrushColour();
    const bool copper = KupferFlag() && !istFreierBereich() && !HatTestSpannung() && !UmrissFlag();
    if (KupferFlag()) {
        // Later rules win: test voltage over unused area over outline mode over copper.
        Colour c = CopperColours::For(view).Copper;
        if (UmrissFlag())
            c = OutlineCopper;
        if (istFreierBereich())
            c = colours::Unused;
        if (HatTestSpannung())
            c = colours::TestVoltage;
        canvas.SetPenColour(c);
        canvas.SetBrushColour(c);
    }
    // Where DrawFillBitmap painted the area only the outline is left to draw; milled shapes draw
    // no bitmap, so they keep their grey area.
    const bool bitmapDrawn = hasBitmap && !ghost && view.BitmapRendering && !Fraesen();
    const std::vector<std::vector<QPoint>> figures{contour};
    if (IsFilledArea() && !bitmapDrawn)
        canvas.PolyPolygon(figures);
    else
        canvas.PolyPolyline(figures);
    if (copper) {
        canvas.SetPenColour(previousPen);
        canvas.SetBrushColour(previousBrush);
    }
    if (Fraesen()) {
        // The milling path along the grey area.
        canvas.SetPen(colours::Silver, 0, PenStyle::Solid);
        if (IsFilledArea())
            canvas.PolyPolygon(figures);
        else
            canvas.PolyPolyline(figures);
    }
}

// --- Solder joints ----------------------------------------------------------------------------

void TDraht::DrawSolderJoints(Canvas& canvas) {
    if (Nodes.empty())
        return;
    switch (BauteilTyp) {
    case TBauteilTyp::btDraht:
        DrawSolderJoint(canvas, Nodes.front());
        DrawSolderJoint(canvas, Nodes.back());
        break;
    case TBauteilTyp::btAnschluss:
    case TBauteilTyp::btPin:
        DrawSolderJoint(canvas, Nodes.front());
        break;
    default:
        break;
    }
}

void TDraht::DrawSolderJoint(Canvas& canvas, QPoint at) {
    const ViewState& view = View();
    // Seen from the component side a joint is a small black dot; from the solder side a tinned
    // blob of solder.
    const bool componentSide = view.Loetseite == view.Durchsicht;
    const int radius = componentSide || UmrissFlag() ? 35 : SolderJointRadius;
    const Rect box = Square(at, radius);
    canvas.SetBrush(componentSide ? colours::Black : colours::Silver);
    canvas.SetPen(colours::Black, 0, PenStyle::Solid);
    if (UmrissFlag()) {
        canvas.Line(box.TopLeft(), box.BottomRight());
        canvas.Line({box.Right, box.Top}, {box.Left, box.Bottom});
        return;
    }
    if (!componentSide)
        canvas.SetPenColour(colours::Silver);
    canvas.DrawEllipse(box);
    if (!view.BitmapRendering || componentSide)
        return;
    Region clip = Region::FromEllipse(Normalised(canvas.LPtoDP(box)));
    const std::optional<Region> boardClip = Parent() ? Parent()->ClipRegion() : std::nullopt;
    if (boardClip)
        clip = clip.Combined(*boardClip, CombineMode::And);
    const std::optional<Region> previous = canvas.ClipRegion();
    canvas.SelectClipRegion(clip);
    canvas.StretchDraw(box, SolderPointPicture(view.ProgramFolder, view.Sprache));
    canvas.SelectClipRegion(previous);
}

// --- Preview ----------------------------------------------------------------------------------

void TDraht::DrawGhost(Canvas& canvas, const QPoint& at) {
    // The board passes the dragged node itself; erasing passes the remembered position, so the
    // node found last time is the one to draw there.
    for (std::size_t i = 0; i < Nodes.size(); ++i)
        if (&Nodes[i] == &at)
            ghostNode_ = i;
    std::vector<QPoint> line = Nodes;
    if (GhostShown() && ghostNode_ && *ghostNode_ < line.size())
        line[*ghostNode_] = GhostPos();
    if (IsClosed() && !line.empty())
        line.push_back(line.front());
    canvas.SetPen(colours::Black, Stiftbreite(), PenStyle::Solid);
    canvas.SetMixMode(MixMode::NotXorPen);
    canvas.Polyline(line);
    canvas.SetMixMode(MixMode::Copy);
}

} // namespace karvel
