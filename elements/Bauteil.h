#pragma once
// TBauteil: the base of every element on a board — wires, leads, lines, polygons, pins,
// tracks, pads, drillings, strip cuts, circles, text labels, groups and components. The board
// works on its elements only through these properties and virtual operations.

#include "elements/BauteilTyp.h"
#include "elements/BitmapUsage.h"
#include "elements/ViewState.h"
#include "platform/Canvas.h"
#include "platform/Rect.h"
#include "platform/Region.h"

#include <optional>
#include <QtCore/QPoint>
#include <QtCore/QString>
#include <string_view>
#include <utility>
#include <vector>

namespace karvel {

class BoardContext;
class TGruppe;
class TTextLabel;
class RepaintTarget;
class RecordContext;
class ValueReader;
class ValueWriter;

// The anchor of a contact that does not lie on a hole.
inline constexpr QPoint NoHoleAnchor{-1, -1};

class TBauteil {
public:
    TBauteil();
    virtual ~TBauteil();
    TBauteil(const TBauteil&) = delete;
    TBauteil& operator=(const TBauteil&) = delete;

    // The class name that frames the element in a stream.
    virtual std::string_view ClassName() const { return "TBauteil"; }

    // --- Virtual operations, in the order the element classes override them.
    virtual void Draw(Canvas& canvas);
    virtual void SetIstMarkiert(bool value) { istMarkiert_ = value; }
    // The element's area in device coordinates, or none.
    virtual std::optional<Region> CreateRegion(Canvas& canvas);
    virtual bool HitTest(QPoint device, Canvas& canvas);
    // The node under a board point, for node editing; null when there is none.
    virtual QPoint* NodeAt(QPoint point, Canvas& canvas);
    virtual void MoveBy(int dx, int dy);
    virtual Rect GetBounds(Canvas& canvas);
    virtual Rect GetRedrawBounds(Canvas& canvas);
    // The stored payload: the base record, then what the class adds.
    virtual void WriteToStream(RecordContext& context, ValueWriter& writer);
    virtual void ReadFromStream(RecordContext& context, ValueReader& reader);
    virtual void ReadSideFlag(RecordContext& context, ValueReader& reader);
    virtual void ReadFillBitmap(RecordContext& context, ValueReader& reader);
    virtual bool CanStretchLeads() { return false; }
    // What a dynamic_cast would answer, without its cost where thousands of elements are read
    // or written at once (undo snapshots).
    virtual const TGruppe* AsGroup() const { return nullptr; }
    TGruppe* AsGroup() { return const_cast<TGruppe*>(std::as_const(*this).AsGroup()); }
    virtual const TTextLabel* AsTextLabel() const { return nullptr; }
    TTextLabel* AsTextLabel() {
        return const_cast<TTextLabel*>(std::as_const(*this).AsTextLabel());
    }
    virtual TBauteil* ContactAt(QPoint point);
    virtual void SetPlaced(bool value) { placed_ = value; }
    virtual void BeginContacts();
    virtual void CollectAnchors();
    // The anchors as they are now, without updating anything: what the stored form holds.
    std::vector<QPoint> CurrentAnchors() const {
        std::vector<QPoint> anchors;
        AppendCurrentAnchors(anchors);
        return anchors;
    }
    // The same appended to a list, so that writing a record needs no list of its own.
    virtual void AppendCurrentAnchors(std::vector<QPoint>& anchors) const {
        anchors.insert(anchors.end(), Anchors.begin(), Anchors.end());
    }
    virtual void ShowGhost(const QPoint& at, Canvas& canvas);
    virtual void HideGhost(Canvas& canvas, const QPoint& at);
    virtual void DrawGhost(Canvas& canvas, const QPoint& at);
    virtual void Stretch(TBauteil* firstLead, TBauteil* secondLead, double angle,
                         TBauteil* movedLead);
    virtual void RememberShape();
    virtual void ForgetShape();
    virtual bool EditProperties();
    virtual void Rotate90(QPoint centre, QPoint anchorCentre);
    virtual QString GetKindName() const;
    virtual QString GetMeasureText() const;
    virtual void Invalidate(RepaintTarget& window, Canvas& canvas);
    virtual void SetUmrissFlag(bool value) { umrissFlag_ = value; }
    virtual void SetFuellenFlag(bool value) { fuellenFlag_ = value; }
    virtual void SetSpiegelnFlag(bool value) { spiegelnFlag_ = value; }
    virtual void SetStiftbreite(std::int16_t value) { stiftbreite_ = value; }
    virtual void SetStiftfarbe(Colour value) { stiftfarbe_ = value; }
    virtual void SetBrushfarbe(Colour value) { brushfarbe_ = value; }
    virtual void SetHasteBitmap(bool value) { hasteBitmap_ = value; }
    virtual void SetFraesen(bool value) { fraesen_ = value; }
    virtual void SetKupferFlag(bool value) { kupferFlag_ = value; }
    virtual bool HasteBitmap() const { return hasteBitmap_; }
    virtual void SetBtmap(QImage* bitmap) { btmap_ = bitmap; }
    virtual QImage* Btmap() const { return btmap_; }
    virtual void SetGlaetten(bool value) { glaetten_ = value; }
    virtual void SetGlaettenStil(TGlaettenStil value) { glaettenStil_ = value; }
    virtual void SetGlaettenBetrag(double value) { glaettenBetrag_ = value; }
    virtual void SetParent(BoardContext* board) { parent_ = board; }
    // Whether a device rectangle (a rubber band) touches the element.
    virtual bool IntersectsRect(const Rect& device, Canvas& canvas);
    virtual void SetIstAufLoetseite(bool value) { istAufLoetseite_ = value; }
    virtual void SetVisible(bool value) { visible_ = value; }
    virtual void BeginXRayStyle(Canvas& canvas);
    void EndXRayStyle(Canvas& canvas);
    virtual void LoadFillBitmap(const QString& path);
    virtual void FitToRect(const Rect& oldRect, const Rect& newRect);
    virtual void Scale(QPoint origin, double factorX, double factorY);
    Rect GetInnerBounds(Canvas& canvas);
    virtual int GetContactCount() const { return 0; }
    virtual void FillContacts(std::vector<QPoint*>& contacts);
    virtual void SetIstFreierBereich(bool value) { istFreierBereich_ = value; }
    virtual void SetHatTestSpannung(bool value) { hatTestSpannung_ = value; }
    virtual void SetBMU(TBitmapUsage* record) { bmu_ = record; }
    virtual void SetBMUsage(TBitmapUsageList* list) { bmUsage_ = list; }
    virtual TBitmapUsage* BMU() const { return bmu_; }
    virtual TBitmapUsageList* BMUsage() const { return bmUsage_; }
    virtual void ReleaseFillBitmap();
    // Draws the solder joints of the element's contacts; wires, leads, pins and groups have them.
    virtual void DrawSolderJoints(Canvas&) {}

    // --- Non-virtual operations
    // Makes a freshly loaded or read bitmap the element's fill: a new record in the board's
    // list that this element uses. False when the element has no list to keep it in. stored,
    // when given, are the bytes of the BMP file the bitmap was read from.
    bool AdoptFillBitmap(QImage bitmap, QByteArray stored = {});
    bool IsOnWorkingSide() const;
    bool IsXRayGhost() const;
    bool IsFilledArea() const;
    void DrawFillBitmap(Canvas& canvas);
    bool IsOnLibraryPage() const;
    // The next contact point after BeginContacts, or none when all were given.
    std::optional<QPoint> NextContact();
    virtual void MoveAnchorsBy(int dx, int dy);

    // --- Plain properties
    bool UmrissFlag() const { return umrissFlag_; }
    bool SpiegelnFlag() const { return spiegelnFlag_; }
    bool istAufLoetseite() const { return istAufLoetseite_; }
    bool Glaetten() const { return glaetten_; }
    TGlaettenStil GlaettenStil() const { return glaettenStil_; }
    double GlaettenBetrag() const { return glaettenBetrag_; }
    std::int16_t Stiftbreite() const { return stiftbreite_; }
    Colour Stiftfarbe() const { return stiftfarbe_; }
    Colour Brushfarbe() const { return brushfarbe_; }
    bool FuellenFlag() const { return fuellenFlag_; }
    bool Visible() const { return visible_; }
    bool Fraesen() const { return fraesen_; }
    bool IstMarkiert() const { return istMarkiert_; }
    bool KupferFlag() const { return kupferFlag_; }
    BoardContext* Parent() const { return parent_; }
    bool istFreierBereich() const { return istFreierBereich_; }
    bool HatTestSpannung() const { return hatTestSpannung_; }
    bool Placed() const { return placed_; }

    TBauteilTyp BauteilTyp = TBauteilTyp::btNone;
    bool InGroup = false;
    // Hole-grid positions (column, row) of the contacts; NoHoleAnchor for a contact off the grid.
    std::vector<QPoint> Anchors;

    bool GhostShown() const { return ghostShown_; }
    QPoint GhostPos() const { return ghostPos_; }

    // The view state of the board the element lies on (defaults when it has none).
    const ViewState& View() const;
    // Turns the fill bitmap a quarter turn clockwise, as the points are turned.
    void RotateFillBitmap();

protected:
    void WriteFillBitmap(RecordContext& context, ValueWriter& writer);

private:
    bool umrissFlag_ = false;
    bool spiegelnFlag_ = false;
    bool istAufLoetseite_ = false;
    bool glaetten_ = false;
    TGlaettenStil glaettenStil_ = TGlaettenStil::glSpline;
    double glaettenBetrag_ = 0.0;
    std::int16_t stiftbreite_ = 0;
    Colour stiftfarbe_ = colours::Black;
    Colour brushfarbe_ = colours::Black;
    QImage* btmap_ = nullptr;
    bool hasteBitmap_ = false;
    bool fuellenFlag_ = false;
    bool visible_ = true;
    bool fraesen_ = false;
    bool istMarkiert_ = false;
    bool kupferFlag_ = false;
    BoardContext* parent_ = nullptr;
    bool istFreierBereich_ = false;
    bool hatTestSpannung_ = false;
    TBitmapUsageList* bmUsage_ = nullptr;
    TBitmapUsage* bmu_ = nullptr;
    bool placed_ = true;

    std::vector<QPoint*> contacts_;
    std::size_t contactCursor_ = 0;
    bool ghostShown_ = false;
    QPoint ghostPos_;
};

} // namespace karvel
