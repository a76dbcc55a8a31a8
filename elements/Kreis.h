#pragma once
// TKreis: a circle, or after resizing an ellipse. What is drawn, hit and stored is a hidden
// 16-corner polygon smoothed by B-splines; centre and rim point keep the circle as created.

#include "elements/Draht.h"

#include <memory>

namespace karvel {

class TKreis : public TBauteil {
public:
    TKreis();
    ~TKreis() override;
    std::string_view ClassName() const override { return "TKreis"; }

    TDraht& Contour() const { return *contour_; }
    QPoint Centre{0, 0};
    QPoint RimPoint{0, 0};
    QPoint RememberedCentre{0, 0};
    QPoint RememberedRimPoint{0, 0};
    bool HasRememberedShape = false;
    Rect LastBounds;

    // Puts the 16 corners of the contour on the circle through the rim point.
    void BuildCircle();

    // --- Overrides: drawing, hits, bounds, moves and fill bitmaps are those of the contour.
    void Draw(Canvas& canvas) override;
    void SetIstMarkiert(bool value) override;
    std::optional<Region> CreateRegion(Canvas& canvas) override;
    bool HitTest(QPoint device, Canvas& canvas) override;
    QPoint* NodeAt(QPoint, Canvas&) override { return nullptr; }
    void MoveBy(int dx, int dy) override;
    // Also keeps the result for the measure text.
    Rect GetBounds(Canvas& canvas) override;
    void WriteToStream(RecordContext& context, ValueWriter& writer) override;
    void ReadFromStream(RecordContext& context, ValueReader& reader) override;
    // The circle tool's preview: a circle about the centre through the dragged rim point.
    void DrawGhost(Canvas& canvas, const QPoint& at) override;
    void Stretch(TBauteil* firstLead, TBauteil* secondLead, double angle,
                 TBauteil* movedLead) override;
    void RememberShape() override;
    void ForgetShape() override;
    void Rotate90(QPoint centre, QPoint anchorCentre) override;
    QString GetKindName() const override;
    // Width and height of the bounds last asked for (GetBounds), in millimetres.
    QString GetMeasureText() const override;
    bool IntersectsRect(const Rect& device, Canvas& canvas) override;
    void LoadFillBitmap(const QString& path) override;
    void Scale(QPoint origin, double factorX, double factorY) override;
    void ReleaseFillBitmap() override;

    // Properties are kept on the circle and on its contour, except that the contour is always
    // smoothed by B-splines and never selected; the fill bitmap lives on the contour alone.
    void SetUmrissFlag(bool value) override;
    void SetFuellenFlag(bool value) override;
    void SetSpiegelnFlag(bool value) override;
    void SetStiftbreite(std::int16_t value) override;
    void SetStiftfarbe(Colour value) override;
    void SetBrushfarbe(Colour value) override;
    void SetHasteBitmap(bool value) override;
    bool HasteBitmap() const override;
    void SetFraesen(bool value) override;
    void SetKupferFlag(bool value) override;
    void SetBtmap(QImage* bitmap) override;
    QImage* Btmap() const override;
    void SetGlaetten(bool value) override;
    void SetGlaettenStil(TGlaettenStil value) override;
    void SetGlaettenBetrag(double value) override;
    void SetParent(BoardContext* board) override;
    void SetIstAufLoetseite(bool value) override;
    void SetBMU(TBitmapUsage* record) override;
    void SetBMUsage(TBitmapUsageList* list) override;
    TBitmapUsage* BMU() const override;
    TBitmapUsageList* BMUsage() const override;

private:
    std::unique_ptr<TDraht> contour_;
};

} // namespace karvel
