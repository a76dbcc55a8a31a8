#pragma once
// TPlatine: one board of a project — the document (hole grid, size, offsets, elements, layout,
// annotations) and the model of its view (zoom, mapping to pixels, snapping, events). The
// on-screen control is a thin widget in the shell that forwards paint and mouse events here,
// so everything in this class works, and is tested, without a window.

#include "board/Annotations.h"
#include "board/BoardHost.h"
#include "board/OperationOwner.h"
#include "board/PlatinenTyp.h"
#include "board/UndoStep.h"
#include "elements/Bauteil.h"
#include "elements/BitmapUsage.h"
#include "elements/BoardContext.h"
#include "elements/HolePitch.h"
#include "elements/ViewState.h"
#include "platform/Canvas.h"
#include "platform/Mapping.h"
#include "stream/RecordContext.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <QtCore/QDateTime>
#include <QtCore/QPoint>
#include <QtCore/QSize>
#include <QtCore/QString>
#include <QtGui/QImage>
#include <vector>

namespace karvel {

class TBoard;
class TGruppe;
class CopperAnalysis;
class SnapshotStream;
class StreamError;
class UndoHistory;
class ValueReader;
class ValueWriter;

// What the print dialog asks of output rendering.
struct OutputOptions {
    bool DrawComponents = true;
    bool DrawLayout = true;
    bool DrawGridNumbering = false;
    bool DrawTitleBlock = false;
    QString Title;
};

// What the mouse is in the middle of; while any of it runs, undo, redo, delete and nudging
// wait, and a repaint leaves the running preview alone.
struct DragState {
    bool Dragging = false;      // moving or placing the selection
    bool RubberBand = false;    // a selection rectangle is being drawn
    bool VertexGrabbed = false; // a corner point of a wire or shape is being dragged
    bool HandleDrag = false;    // a resize handle is being dragged
    bool Operation = false;     // a multi-step operation (placing, drawing) is under way

    // Where a move started (control pixels) and how far it has gone.
    QPoint MoveAnchor;
    QPoint MoveOffset;

    bool Busy() const { return Dragging || RubberBand || VertexGrabbed; }
};

class TPlatine : public BoardContext {
public:
    using Event = std::function<void(TPlatine&)>;

    static constexpr double MinZoom = 0.2;
    static constexpr double MaxZoom = 20.0;
    static constexpr double ZoomStep = 1.4;
    // What the name field of a stored board record holds; a longer name loses its end there.
    static constexpr int StoredNameLength = 36;

    // A main board: it owns a layout sub-board.
    explicit TPlatine(ViewState& view);
    virtual ~TPlatine();
    TPlatine(const TPlatine&) = delete;
    TPlatine& operator=(const TPlatine&) = delete;

    // --- Virtual operations, in the order derived boards override them.
    // Repaints the part of the control inside the clip rectangle (control pixels).
    virtual void Paint(Canvas& canvas);
    virtual void ZeichnePlatine(Canvas& canvas);
    virtual void SetzeMassstab(Canvas& canvas);
    virtual void ZeichneBauteile(Canvas& canvas);
    // Draws the board for printing and export on a canvas whose mapping the caller set up,
    // as the output options say; clipUnits is the area to draw, in board units.
    void DrawOutput(Canvas& canvas, const Rect& clipUnits);
    // The two parts of DrawOutput before its labels, for a device that cannot clip (SVG)
    // and clips the first part itself: what lies on the board, clipped to it and to
    // clipUnits, and the board's frame.
    void DrawOutputBoard(Canvas& canvas, const Rect& clipUnits);
    void DrawOutputFrame(Canvas& canvas, const Rect& clipUnits);
    // Only the title block and grid numbering, as the output options say, within clipUnits:
    // what the print preview shows of a board while it is dragged.
    void DrawOutputLabels(Canvas& canvas, const Rect& clipUnits);
    // The three info lines under the title block: view, real size, date and time.
    std::array<QString, 3> TitleBlockLines(const QDateTime& when) const;

    // --- Stored form
    // Writes the board record: header, elements (only the selected ones when asked), board
    // fields, annotations and the layout, as far as the purpose of the stream asks.
    void SpeichereInStream(RecordContext& context, ValueWriter& writer, bool onlySelected);
    // Reads one board record and adds its elements. A damaged stream ends in a StreamError and
    // keeps what was read; a too new file ends in a VersionError before anything is added.
    virtual void LadeAusStream(RecordContext& context, ValueReader& reader, bool placed);
    // Gives a group that arrived through a transfer stream the next free number.
    void KennungAnfordern(TGruppe& group);
    // The highest number among this board's components with that identifier, nested included.
    int HighestNumber(const QString& identifier) const;

    // --- Moving elements through memory streams: the copy clipboard and the transfer stream
    // hold board records of the transfer purpose whose element part is what was selected.
    QByteArray KopiereMarkierte();
    // Inserts the elements of a stream, selected and unplaced on the viewed side, and starts
    // placing them: they follow the mouse until it places them.
    virtual void EinfuegenAusStream(const QByteArray& stream);
    // Places a library part; a "?" in its value asks the component dialog first. False when the
    // dialog was cancelled (the part is gone again) or the stream held nothing.
    bool PlatziereBauteil(const QByteArray& stream);
    // The same for a two-lead part, whose leads are then stretched hole to hole.
    bool PlatziereZweipol(const QByteArray& stream);
    // Takes back what placing brought in and is not placed yet.
    void RemoveUnplaced();

    // --- Operations on the selection. Those that change elements take an undo snapshot
    // first and repaint what they change.
    enum class Attribut { PenWidth = 0, PenColour = 1, Fill = 2, BrushColour = 3 };
    enum class Richtung { Up = 1, Down = 2, Left = 3, Right = 4 };
    enum class Alignment { Left, Centre, Right, Top, Middle, Bottom };

    // Selects every element on the working side, or deselects all.
    void MarkiereAlle(bool select);
    void SetzeMarkierung(TBauteil* element, bool select);
    int AnzahlMarkierte() const { return CountSelected(); }
    std::vector<TBauteil*> Selected() const;
    virtual void LoescheMarkierte();
    // To the end or the start of the drawing order; strip cuts always stay lowest.
    void NachVorne();
    void NachHinten();
    // One place up or down, for the components of a library page; no undo snapshot.
    void EinsHoeher();
    void EinsTiefer();
    // Makes one group of the selection, appended and selected; null when nothing is selected.
    TGruppe* Gruppiere(bool component);
    // Dissolves the first selected group in drawing order.
    void LoeseGruppe();
    // Turns the selected component a quarter turn about its first lead end.
    void Drehe();
    void SchiebeMarkierte(Richtung direction, bool fine);
    // Gives the selection the board's current pen width, pen colour, fill or brush colour.
    void SetzeAttribut(Attribut attribute) { SetzeAttribute({attribute}); }
    // Several attributes at once, as one undo step.
    void SetzeAttribute(std::initializer_list<Attribut> attributes);
    // False, changing nothing, when the file is not a picture that can be read.
    bool SetzeFuellbild(const QString& path);
    void DreheFuellbilder();
    // Smooths the selected contours in that style, or gives them back their original contour;
    // chamfers and roundings take ContourAmount.
    void SmoothSelectedContours(std::optional<TGlaettenStil> style);
    // Marks the selected contours as milling paths, or clears the mark.
    void SetzeFraesen(bool milled);
    void NummeriereNeu();
    int NaechsteNummer(const QString& identifier) const;
    // Lines the selected elements up with the first selected one (with the common bounds
    // when a single group is selected), as one undo step. Elements that sit on holes move by
    // whole pitches so that they keep landing on holes; the others line up exactly.
    void AlignSelection(Alignment alignment);

    // Edits that move elements keep them inside the range a file can hold. A check begun
    // before the change's undo snapshot, ended after the change: when the change took the
    // elements further beyond that range, the board goes back to the snapshot (the elements
    // given are gone then), the status lines say why, and the answer is false.
    struct RangeCheck {
        CoordinateSpan Before;
        bool WasModified = false;
    };
    RangeCheck BeginRangeCheck(const std::vector<TBauteil*>& elements) const;
    bool EndRangeCheck(const RangeCheck& check, const std::vector<TBauteil*>& elements);
    // Says in the status lines that an edit stopped at the end of the range.
    void ShowRangeLimit();

    // Opens an element's own property dialog, as one undo step; a cancelled dialog leaves
    // neither an undo step nor a modified board. False when it was cancelled.
    bool EditElementProperties(TBauteil& element);
    // Puts the text labels behind every other element, keeping their order, so that a click
    // reaches the element a label lies on.
    void LabelsBehind();
    // Repaints an element's redraw area, when the board is shown.
    void InvalidateElement(TBauteil& element);
    // Sets the anchors of an element's contacts from its points: the hole a point lies on the
    // centre of, else (-1, -1).
    void RecomputeAnchors(TBauteil& element) const;
    // Whether one of an element's contacts (a member's, for a group) lies on a hole centre.
    bool SitsOnHoles(TBauteil& element) const;

    // --- The copper analyses: continuity probe and unused areas
    CopperAnalysis& Analysis();

    // --- What kind of board this is
    bool IsLibraryPage() const override { return false; }
    bool IsMainBoard() const { return layout_ != nullptr; }
    TBoard* Layout() const { return layout_.get(); }

    // --- Elements, in drawing order (hit tests run from the end).
    const std::vector<std::unique_ptr<TBauteil>>& Bauteile() const { return bauteile_; }
    int Count() const { return int(bauteile_.size()); }
    TBauteil* At(int index) const { return bauteile_.at(std::size_t(index)).get(); }
    int IndexOf(const TBauteil* element) const;
    // Takes the element, makes this board its parent and appends it (drawn last, on top).
    TBauteil* Add(std::unique_ptr<TBauteil> element);
    TBauteil* Insert(int index, std::unique_ptr<TBauteil> element);
    // Removes and frees the element; false when it is not on the board.
    bool Remove(TBauteil* element);
    // Takes the element off the board without freeing it.
    std::unique_ptr<TBauteil> Take(TBauteil* element);
    void Clear();
    // Grows whenever elements leave the board (removed, taken, cleared, replaced by an undo
    // step): a pointer kept from before it changed may point at nothing.
    std::uint64_t RemovalStamp() const { return removalStamp_; }
    int CountSelected() const;
    std::vector<TBauteil*> CollectOfKind(TBauteilTyp kind) const;
    void SetSelected(TBauteil* element, bool selected);
    TBauteil* LastSelected() const { return lastSelected_; }

    // --- Board geometry
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetSize(int width, int height);
    QPoint Nullpunkt() const { return nullpunkt_; }
    void SetNullpunkt(QPoint p) { nullpunkt_ = p; }
    QPoint Ursprung() const { return ursprung_; }
    void SetUrsprung(QPoint p) { ursprung_ = p; }
    // The hole the origin marker stands on: the rulers, the wire list and the status line count
    // holes from it.
    QPoint OriginHole() const { return {ursprung_.x() / HolePitch, ursprung_.y() / HolePitch}; }
    QPoint ReservedPoint() const { return reserved_; }
    void SetReservedPoint(QPoint p) { reserved_ = p; }
    // The board rectangle in board units.
    Rect BoardRect() const;
    TPlatinenTyp PlatinenTyp() const { return typ_; }
    void SetPlatinenTyp(TPlatinenTyp typ) { typ_ = typ; }

    // --- Texts
    QString PlatinenName() const { return name_; }
    void SetPlatinenName(const QString& name) { name_ = name.left(40); }
    QString Dateiname() const { return dateiname_; }
    void SetDateiname(const QString& name) { dateiname_ = name; }
    Annotations& Anmerkungen() { return anmerkungen_; }
    const Annotations& Anmerkungen() const { return anmerkungen_; }
    QString Infozeile1() const { return infozeile1_; }
    QString Infozeile2() const { return infozeile2_; }
    void SetInfozeilen(const QString& first, const QString& second);

    // --- View
    // The view state drawing uses: the program's, or while one is set the drawing view.
    const ViewState& View() const override { return drawingView_ ? *drawingView_ : view_; }
    ViewState& View() { return drawingView_ ? *drawingView_ : view_; }
    // Lets this board and its layout draw with another view state (print preview, export)
    // while the program's stays untouched; null gives the program's back.
    void SetDrawingView(ViewState* view);
    double Zoom() const { return zoom_; }
    void SetZoom(double zoom);
    // One hole pitch in pixels at the current zoom.
    int PixelsPerHole() const;
    // The mapping SetzeMassstab gives a canvas.
    virtual Mapping CurrentMapping() const;
    QSize ControlSize() const;
    bool UmrissModus() const { return umrissModus_; }
    void SetUmrissModus(bool on);
    // The same without repainting the board's own view: for a drawing pass elsewhere.
    void SetUmrissFlags(bool on);
    bool Spiegeln() const { return spiegeln_; }
    void SetSpiegeln(bool on);
    TPlatinenModus Modus() const { return modus_; }
    TPlatinenModus VorigerModus() const { return vorigerModus_; }
    void SetModus(TPlatinenModus modus);
    Colour Color() const { return colour_; }
    void SetColor(Colour colour) { colour_ = colour; }

    BoardHost* Host() const { return host_; }
    void SetHost(BoardHost* host);

    // --- Coordinates. Control pixels are those of the board's own control; host pixels are
    // what the scroll host shows (control minus scroll position).
    QPoint ControlToBoard(QPoint control) const;
    QPoint BoardToControl(QPoint board) const;
    QPoint BoardToHost(QPoint board) const;
    // The hole (column, row) a board point lies in; (-1, -1) right of or below the board.
    QPoint HoleIndex(QPoint board) const;
    // Snaps a control pixel to the nearest hole centre, or with snapping off to the fine grid.
    QPoint SnapToHole(QPoint control, bool snapping) const;
    // Snaps a control pixel to a grid of the given step (only with snapping on and step >= 1).
    QPoint SnapToGrid(QPoint control, double step, bool snapping) const;

    // --- Undo and redo: each board keeps its own history of whole board records. An edit
    // opens an UndoStep around its changes.
    void Rueckgaengig();
    void Wiederherstellen();
    bool KannRueckgaengig() const;
    bool KannWiederherstellen() const;
    // Empties both lists, as a new undo depth asks.
    void ClearHistory();
    // The snapshot for a change that can still come to nothing (a drawing, a part being
    // placed). Dropping it takes the snapshot back and leaves the modified flag as it was
    // before, so that an operation that ends without a change leaves no undo step; it does
    // nothing once another snapshot was taken or an undo step was made since.
    void TakeTentativeSnapshot();
    bool DropTentativeSnapshot();
    // The board's editor; a command ends the operation it runs before changing elements.
    void SetOperationOwner(OperationOwner* owner) { operationOwner_ = owner; }
    OperationOwner* GetOperationOwner() const { return operationOwner_; }
    // Ends the running tool operation as Escape does. True when that took back a change the
    // operation had made (its undo snapshot went again).
    bool EndRunningOperation();
    const UndoHistory& History() const { return *history_; }
    DragState& Drag() { return drag_; }
    const DragState& Drag() const { return drag_; }

    // --- Zoom operations
    void FitBoard();
    // The magnifier's zoom: the board point under the click moves to the centre of the view.
    void ZoomAbout(QPoint control, bool zoomIn);
    // The wheel's and the pinch's zoom: the board point (in exact units) stays under a pixel of
    // the visible area, as far as the scroll range allows. False when the zoom stood at its
    // limit already and nothing changed.
    bool ZoomKeeping(QPointF boardPoint, QPoint hostPixel, double factor);
    // The board point of a control pixel without rounding to whole units.
    QPointF ControlToBoardExact(QPoint control) const;
    // Fits all elements, or only the selected ones, into the view; false when there are none.
    bool FitElements(bool onlySelected);
    void ZoomToRect(const Rect& controlRect, QPoint clicked);

    // --- Settings for new elements
    int CurrentPenWidth = 50;
    Colour CurrentPenColour = colours::Black;
    Colour CurrentBrushColour = colours::White;
    bool CurrentFill = true;
    double DrillDiameter = 0.8; // mm
    double PadDiameter = 2.0;   // mm
    double TrackWidth = 2.0;    // mm
    double ContourAmount = 1.0; // mm, for chamfers and roundings
    OutputOptions Output;

    // An edit under way counts already: whoever looks meanwhile sees what will be.
    bool Modified() const { return modified_ || openStep_ != nullptr; }
    void SetModified(bool modified) { modified_ = modified; }
    bool CursorCaptured() const { return cursorCaptured_; }
    // Marks the pointer confined to the board while an operation runs, and tells the window.
    void CaptureCursor(bool captured);
    QPoint LastGridCell() const { return lastGridCell_; }

    TBitmapUsageList& BitmapUsages() { return bitmapUsages_; }
    // The clip region of the drawing pass in progress, which fill bitmaps respect.
    std::optional<Region> ClipRegion() const override { return clipRegion_; }

    // Runs a function with a canvas mapped like the view, for measuring without a window.
    template <typename F> auto WithMeasuringCanvas(F&& f) const;

    // --- Events, fired only when assigned.
    Event OnMyClick, OnMyMouseMove, OnChange, OnPopupRequest, OnModeChange, OnCursorCaptured,
        OnCursorReleased;
    // An undo or redo step whose snapshot could not be read back: the board keeps what was
    // read of it, and the user is to be told.
    std::function<void(TPlatine&, const StreamError&)> OnSnapshotDamaged;
    void Fire(const Event& event) {
        if (event)
            event(*this);
    }

protected:
    // Reads a transfer stream's elements, placed or still to be placed; the last one read, or
    // null when there were none. A damaged stream keeps what was read.
    TBauteil* ReadTransfer(const QByteArray& stream, bool placed);
    // Boards without a layout of their own (layouts, library pages).
    TPlatine(ViewState& view, bool withLayout);
    void ResizeControl();
    void ScrollBy(QPoint boardDifference);
    template <typename Fit> void FitUntilSteady(Fit&& fit);
    void FitElementsOnce(bool onlySelected);
    // Draws every element of a kind whose redraw area meets the clip rectangle.
    void DrawKind(Canvas& canvas, TBauteilTyp kind);
    void DrawBackground(Canvas& canvas, const Rect& board, bool output);
    void DrawSolderJoints(Canvas& canvas);
    void DrawCutsAndJoints(Canvas& canvas, bool withCuts);
    void DrawLayout(Canvas& canvas, bool output);
    void DrawTitleBlock(Canvas& canvas, const QDateTime& when);
    void DrawGridNumbering(Canvas& canvas);
    Rect DeviceClipRect(Canvas& canvas) const;
    bool IsVisibleIn(TBauteil& element, Canvas& canvas, const Rect& clip);

    std::optional<Region> clipRegion_;
    // True while the board draws for printing or export rather than for the screen.
    bool outputPass_ = false;
    // True while a layout draws inside its main board, which draws the drillings itself.
    bool drillingsDrawnLater_ = false;

private:
    void Init();
    void ApplyAttribute(TBauteil& element, Attribut attribute);
    // One undo step for a change to every selected element, each repainted before and after.
    void ChangeSelected(const std::function<void(TBauteil&)>& change);
    // The "?" rule of library parts: true when the part stays.
    bool AskForUnknownValue(TBauteil& part);
    void WriteSnapshot(SnapshotStream& snapshot);
    // The bytes a snapshot of the current state would hold, written for comparing only.
    QByteArray SnapshotBytes();
    void WriteSnapshotBytes(QByteArray& bytes, const SnapshotStream* snapshot);
    void ReadSnapshot(const SnapshotStream& snapshot);
    void AfterHistoryStep();
    // Goes back to the state the open undo step began with, as if the change since had never
    // been made; what was selected stays selected.
    void RestoreStepStart(bool wasModified);
    void ReadBoardFields(RecordContext& context, ValueReader& reader, bool placed);
    void ConvertBoardType(int typ);

    ViewState& view_;
    ViewState* drawingView_ = nullptr;
    std::vector<std::unique_ptr<TBauteil>> bauteile_;
    std::unique_ptr<TBoard> layout_;
    std::unique_ptr<CopperAnalysis> analysis_;
    TBitmapUsageList bitmapUsages_;
    // Declared after the bitmap records: its snapshots refer to them and go first.
    std::unique_ptr<UndoHistory> history_;
    qsizetype lastSnapshotSize_ = 0;
    struct TentativeSnapshot {
        std::uint64_t Serial = 0;
        bool WasModified = false;
    };
    std::optional<TentativeSnapshot> tentative_;
    friend class UndoStep;
    UndoStep* openStep_ = nullptr;
    // Counts the changes of operations taken back with their undo snapshots.
    std::uint64_t changesTakenBack_ = 0;
    OperationOwner* operationOwner_ = nullptr;
    bool endingOperation_ = false;
    std::uint64_t removalStamp_ = 0;
    DragState drag_;
    TBauteil* lastSelected_ = nullptr;
    TPlatinenTyp typ_ = TPlatinenTyp::pt_UserBoard;
    int width_ = 16000;
    int height_ = 10000;
    QPoint nullpunkt_{0, 0};
    QPoint ursprung_{0, 127};
    QPoint reserved_{0, 0};
    QString name_;
    QString dateiname_;
    Annotations anmerkungen_;
    QString infozeile1_;
    QString infozeile2_;
    double zoom_ = 3.0;
    bool umrissModus_ = false;
    bool spiegeln_ = false;
    TPlatinenModus modus_ = TPlatinenModus::pm_Standard;
    TPlatinenModus vorigerModus_ = TPlatinenModus::pm_Standard;
    Colour colour_ = colours::Silver;
    BoardHost* host_ = nullptr;
    bool modified_ = false;
    bool cursorCaptured_ = false;
    QPoint lastGridCell_{-1, -1};
};

template <typename F> auto TPlatine::WithMeasuringCanvas(F&& f) const {
    QImage image(1, 1, QImage::Format_RGB32);
    Canvas canvas(image);
    const Mapping m = CurrentMapping();
    canvas.SetMapping(m.WindowOrg, m.WindowExt, m.ViewportOrg, m.ViewportExt);
    return f(canvas);
}

} // namespace karvel
