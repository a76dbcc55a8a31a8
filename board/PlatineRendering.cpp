// Drawing a board: the screen pass with its view modes, and the output rendering for printing
// and export with frame, title block and grid numbering.

#include "board/Board.h"
#include "board/Platine.h"
#include "elements/CopperColours.h"
#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "elements/Gruppe.h"
#include "platform/NumberLocale.h"

#include <QtCore/QDateTime>

namespace karvel {

namespace {

bool IsCutOrText(TBauteilTyp kind) {
    return kind == TBauteilTyp::btTrenner || kind == TBauteilTyp::btTrennerFest ||
           kind == TBauteilTyp::btText;
}

bool HasSolderJoints(TBauteilTyp kind) {
    return kind == TBauteilTyp::btDraht || kind == TBauteilTyp::btAnschluss ||
           kind == TBauteilTyp::btPin || kind == TBauteilTyp::btGruppe;
}

// A joint reaches beyond the redraw area of a thin wire, so a repaint of its rim alone must
// still draw it.
bool JointsVisibleIn(TBauteil& element, Canvas& canvas, const Rect& clip) {
    const Rect area = InflateNormalised(element.GetRedrawBounds(canvas), TDraht::SolderJointRadius);
    return Intersects(Normalised(canvas.LPtoDP(area)), clip);
}

// Restores the canvas's clip region and the board's record of it when a pass ends.
class ClipScope {
public:
    ClipScope(Canvas& canvas, std::optional<Region>& boardClip, const Region& clip)
        : canvas_(canvas), boardClip_(boardClip), previous_(canvas.ClipRegion()) {
        const Region combined = previous_ ? clip.Combined(*previous_, CombineMode::And) : clip;
        canvas_.SelectClipRegion(combined);
        boardClip_ = combined;
    }
    ~ClipScope() {
        canvas_.SelectClipRegion(previous_);
        boardClip_.reset();
    }
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    Canvas& canvas_;
    std::optional<Region>& boardClip_;
    std::optional<Region> previous_;
};

} // namespace

Rect TPlatine::DeviceClipRect(Canvas& canvas) const {
    if (const std::optional<Region> clip = canvas.ClipRegion())
        return clip->Bounds();
    const QPaintDevice* device = canvas.Painter().device();
    return {0, 0, device ? device->width() : 0, device ? device->height() : 0};
}

bool TPlatine::IsVisibleIn(TBauteil& element, Canvas& canvas, const Rect& clip) {
    return Intersects(Normalised(canvas.LPtoDP(element.GetRedrawBounds(canvas))), clip);
}

void TPlatine::DrawKind(Canvas& canvas, TBauteilTyp kind) {
    const Rect clip = DeviceClipRect(canvas);
    for (const auto& element : bauteile_) {
        const TBauteilTyp elementKind = element->BauteilTyp;
        if (elementKind != kind && elementKind != TBauteilTyp::btGruppe)
            continue;
        if (!IsVisibleIn(*element, canvas, clip))
            continue;
        if (elementKind == kind)
            element->Draw(canvas);
        else if (auto* group = dynamic_cast<TGruppe*>(element.get()))
            group->DrawMembersOfKind(canvas, kind);
    }
}

void TPlatine::DrawSolderJoints(Canvas& canvas) {
    const Rect clip = DeviceClipRect(canvas);
    for (const auto& element : bauteile_)
        if (HasSolderJoints(element->BauteilTyp) && JointsVisibleIn(*element, canvas, clip))
            element->DrawSolderJoints(canvas);
}

void TPlatine::ZeichneBauteile(Canvas& canvas) {
    canvas.SetBrushStyle(BrushStyle::Solid);
    const Rect clip = DeviceClipRect(canvas);
    for (const auto& element : bauteile_) {
        const TBauteilTyp kind = element->BauteilTyp;
        if (IsCutOrText(kind) || (drillingsDrawnLater_ && kind == TBauteilTyp::btBohrung))
            continue;
        if (IsVisibleIn(*element, canvas, clip))
            element->Draw(canvas);
    }
}

void TPlatine::DrawBackground(Canvas& canvas, const Rect& board, bool output) {
    if (umrissModus_) {
        canvas.SetPen(output ? colours::Black : colours::White, 0);
        canvas.SetBrush(colours::White);
        canvas.DrawRectangle(board);
        return;
    }
    const CopperColours colours = CopperColours::For(View());
    canvas.FillRect(board, colours.Surface);
    canvas.SetPen(BoardEdgeHighlight, 0);
    // The light top and left edges as the board is seen, whichever way up it is drawn.
    const QPoint top = canvas.DPtoLP(Normalised(canvas.LPtoDP(board)).TopLeft());
    canvas.Line({board.Left, top.y()}, {board.Right, top.y()});
    canvas.Line({board.Left, board.Top}, {board.Left, board.Bottom});
}

void TPlatine::DrawCutsAndJoints(Canvas& canvas, bool withCuts) {
    auto cuts = [&] {
        if (!withCuts)
            return;
        DrawKind(canvas, TBauteilTyp::btTrenner);
        DrawKind(canvas, TBauteilTyp::btTrennerFest);
    };
    auto drillings = [&] {
        if (layout_)
            layout_->DrawKind(canvas, TBauteilTyp::btBohrung);
    };
    // Seen directly, joints sit on the copper over the cuts; seen from the other side through
    // the board they lie beneath everything.
    if (View().Loetseite == View().Durchsicht) {
        cuts();
        drillings();
        DrawSolderJoints(canvas);
    } else if (umrissModus_ && !outputPass_) {
        cuts();
        DrawSolderJoints(canvas);
        drillings();
    } else {
        DrawSolderJoints(canvas);
        cuts();
        drillings();
    }
}

void TPlatine::DrawLayout(Canvas& canvas, bool output) {
    if (!layout_)
        return;
    // The board draws the layout's drillings in its cut layer, over everything the layout
    // draws; drawing them in the layout's own pass as well would only be painted over.
    layout_->outputPass_ = output;
    layout_->drillingsDrawnLater_ = true;
    layout_->ZeichnePlatine(canvas);
    layout_->drillingsDrawnLater_ = false;
    layout_->outputPass_ = false;
}

void TPlatine::ZeichnePlatine(Canvas& canvas) {
    const bool xray = View().Roentgen;
    const Rect board = BoardRect();
    const ClipScope clip(canvas, clipRegion_, Region::FromRect(Normalised(canvas.LPtoDP(board))));

    DrawBackground(canvas, board, false);
    DrawLayout(canvas, false);
    DrawCutsAndJoints(canvas, true);

    // With X-ray on, the ghosts of the other side go first, the working side on top of them.
    if (xray) {
        ZeichneBauteile(canvas);
        View().Roentgen = false;
        ZeichneBauteile(canvas);
        View().Roentgen = xray;
    } else {
        ZeichneBauteile(canvas);
    }
    DrawKind(canvas, TBauteilTyp::btText);
}

void TPlatine::Paint(Canvas& canvas) {
    SetzeMassstab(canvas);
    ZeichnePlatine(canvas);
    // The origin marker keeps its screen size at every zoom.
    const int a = RoundToUnit(70.0L / zoom_);
    canvas.SetMixMode(MixMode::Copy);
    canvas.SetPen(RgbColour(255, 255, 0), 0);
    canvas.SetBrush(RgbColour(0, 0, 255));
    const QPoint u = ursprung_;
    canvas.Line({u.x(), u.y() - 3 * a}, {u.x(), u.y() + 3 * a});
    canvas.Line({u.x() - 3 * a, u.y()}, {u.x() + 3 * a, u.y()});
    canvas.DrawEllipse({u.x() - a, u.y() - a, u.x() + a, u.y() + a});
}

// --- Output rendering
// -----------------------------------------------------------------------------

void TPlatine::DrawOutput(Canvas& canvas, const Rect& clipUnits) {
    DrawOutputBoard(canvas, clipUnits);
    DrawOutputFrame(canvas, clipUnits);
    DrawOutputLabels(canvas, clipUnits);
}

void TPlatine::DrawOutputBoard(Canvas& canvas, const Rect& clipUnits) {
    const Rect board = BoardRect();
    const Rect deviceClip = Normalised(canvas.LPtoDP(Normalised(clipUnits)));
    const Region visible =
        Region::FromRect(Intersection(Normalised(canvas.LPtoDP(board)), deviceClip));
    outputPass_ = true;
    {
        const ClipScope clip(canvas, clipRegion_, visible);
        DrawBackground(canvas, board, true);
        if (Output.DrawLayout)
            DrawLayout(canvas, true);
        // The layout's drillings and the joints show even without the layout.
        DrawCutsAndJoints(canvas, Output.DrawLayout);
        if (Output.DrawComponents) {
            ZeichneBauteile(canvas);
            DrawKind(canvas, TBauteilTyp::btText);
        }
    }
    outputPass_ = false;
}

void TPlatine::DrawOutputFrame(Canvas& canvas, const Rect& clipUnits) {
    const Rect deviceClip = Normalised(canvas.LPtoDP(Normalised(clipUnits)));
    const ClipScope clip(canvas, clipRegion_, Region::FromRect(deviceClip));
    canvas.SetMixMode(MixMode::Copy);
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.SetPen(colours::Black, 0);
    canvas.DrawRectangle(BoardRect());
}

void TPlatine::DrawOutputLabels(Canvas& canvas, const Rect& clipUnits) {
    const Rect deviceClip = Normalised(canvas.LPtoDP(Normalised(clipUnits)));
    const ClipScope clip(canvas, clipRegion_, Region::FromRect(deviceClip));
    canvas.SetMixMode(MixMode::Copy);
    if (Output.DrawTitleBlock)
        DrawTitleBlock(canvas, QDateTime::currentDateTime());
    if (Output.DrawGridNumbering)
        DrawGridNumbering(canvas);
}

std::array<QString, 3> TPlatine::TitleBlockLines(const QDateTime& when) const {
    const bool solder = View().Loetseite;
    QString view = View().Tr(QStringLiteral("Ansicht: "), QString());
    view += solder ? View().Tr(QStringLiteral("Lötseite"), QStringLiteral("Solder side"))
                   : View().Tr(QStringLiteral("Bauteilseite"), QStringLiteral("Component side"));
    view += QLatin1Char(' ');
    view += spiegeln_ ? View().Tr(QStringLiteral("(Gespiegelt)"), QStringLiteral("(Mirrored)"))
                      : View().Tr(QStringLiteral("(Normal)"), QStringLiteral("(Default)"));
    if (View().Durchsicht)
        view += QLatin1Char(' ') +
                View().Tr(QStringLiteral("(Durchsicht)"), QStringLiteral("(Right through)"));
    const QString size = View().Tr(QStringLiteral("Originalgröße:"), QStringLiteral("Real size")) +
                         QLatin1Char(' ') + QString::number(Div(width_, 100)) +
                         QStringLiteral(" x ") + QString::number(Div(height_, 100)) +
                         QStringLiteral("mm");
    const QString stamp = FormatDate(when.date(), View().Sprache) + QStringLiteral(" - ") +
                          FormatTime(when.time(), View().Sprache);
    return {view, size, stamp};
}

void TPlatine::DrawTitleBlock(Canvas& canvas, const QDateTime& when) {
    const bool solder = View().Loetseite;
    const QPoint n = nullpunkt_;
    canvas.SetTextColour(colours::Black);
    auto centred = [&](const QString& text, int height, int y) {
        canvas.SetFont({QStringLiteral("ARIAL"), height, 0, true});
        const int half = Div(canvas.TextExtent(text).width(), 2);
        const int x =
            spiegeln_ ? n.x() + width_ - (Div(width_, 2) - half) : n.x() + (Div(width_, 2) - half);
        canvas.TextOut({x, y}, text);
    };
    centred(Output.Title, 800, solder ? n.y() + height_ + 2200 : n.y() - 2200);
    centred(name_, 600, solder ? n.y() + height_ + 1500 : n.y() - 1500);

    canvas.SetFont({QStringLiteral("ARIAL"), 300});
    const std::array<QString, 3> lines = TitleBlockLines(when);
    const int y0 = solder ? n.y() - 200 : n.y() + height_ + 200;
    const int step = solder ? -300 : 300;
    const int x = spiegeln_ ? n.x() + width_ : n.x();
    for (int i = 0; i < 3; ++i)
        canvas.TextOut({x, y0 + i * step}, lines[std::size_t(i)]);
}

void TPlatine::DrawGridNumbering(Canvas& canvas) {
    const bool solder = View().Loetseite;
    const QPoint n = nullpunkt_;
    const QPoint u = ursprung_;
    canvas.SetFont({QStringLiteral("ARIAL"), 300});
    canvas.SetTextColour(colours::Black);
    canvas.SetPen(colours::Black, 10);
    for (int m = Div(n.x() - u.x(), HolePitch); m <= Div(n.x() + width_ - u.x(), HolePitch); ++m) {
        const int x = (Div(u.x(), HolePitch) + m) * HolePitch;
        const bool major = m % 5 == 0;
        const int reach = major ? 700 : 400;
        const int from = solder ? n.y() + height_ + 200 : n.y() - 200;
        const int to = solder ? n.y() + height_ + reach : n.y() - reach;
        canvas.Line({x, from}, {x, to});
        if (major)
            canvas.TextOut({spiegeln_ ? x - 50 : x + 50, to}, QString::number(m));
    }
    for (int m = Div(n.y() - u.y(), HolePitch); m <= Div(n.y() + height_ - u.y(), HolePitch); ++m) {
        const int y = (Div(u.y(), HolePitch) + m) * HolePitch + HolePitch / 2;
        const bool major = m % 5 == 0;
        canvas.Line({n.x() - 200, y}, {n.x() - (major ? 750 : 400), y});
        if (!major)
            continue;
        const QString number = QString::number(m);
        const int x = n.x() - 750 + (spiegeln_ ? canvas.TextExtent(number).width() : 0);
        canvas.TextOut({x, solder ? y + 270 : y - 270}, number);
    }
}

// --- TBoard
// -----------------------------------------------------------------------------------------

void TBoard::ZeichnePlatine(Canvas& canvas) {
    DrawBackground(canvas, BoardRect(), outputPass_);
    ZeichneBauteile(canvas);
}

void TBoard::ZeichneBauteile(Canvas& canvas) {
    for (const auto& element : Bauteile())
        element->SetKupferFlag(true);
    TPlatine::ZeichneBauteile(canvas);
    const Rect clip = DeviceClipRect(canvas);
    for (const auto& piece : pieces_) {
        if (IsCutOrText(piece->BauteilTyp))
            continue;
        piece->SetUmrissFlag(UmrissModus());
        if (IsVisibleIn(*piece, canvas, clip))
            piece->Draw(canvas);
    }
    // Drillings go through everything, so they come last.
    if (!drillingsDrawnLater_)
        DrawKind(canvas, TBauteilTyp::btBohrung);
}

} // namespace karvel
