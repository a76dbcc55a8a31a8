#pragma once
// TLeiterbahn: a straight copper track between its first and last node. Its copper is a hidden
// four-corner polygon kept in step with the ends, on which the track is drawn and hit.

#include "elements/Draht.h"

#include <memory>

namespace karvel {

class TLeiterbahn : public TDraht {
public:
    TLeiterbahn();
    ~TLeiterbahn() override;
    std::string_view ClassName() const override { return "TLeiterbahn"; }

    TDraht& Contour() const { return *contour_; }
    // Puts the four corners of the copper around the line from the first to the last node.
    void RebuildOutline();
    bool IsVertical() const;
    bool IsHorizontal() const;

    // --- Overrides: drawing, hits and bounds are those of the copper outline.
    void Draw(Canvas& canvas) override;
    std::optional<Region> CreateRegion(Canvas& canvas) override;
    bool HitTest(QPoint device, Canvas& canvas) override;
    void MoveBy(int dx, int dy) override;
    Rect GetBounds(Canvas& canvas) override;
    void ReadFromStream(RecordContext& context, ValueReader& reader) override;
    // The preview is the outline as it will be, rebuilt at every step of the drag.
    void ShowGhost(const QPoint& at, Canvas& canvas) override;
    void HideGhost(Canvas& canvas, const QPoint& at) override;
    void DrawGhost(Canvas& canvas, const QPoint& at) override;
    void Rotate90(QPoint centre, QPoint anchorCentre) override;
    QString GetKindName() const override;
    bool IntersectsRect(const Rect& device, Canvas& canvas) override;
    // Tracks are drawn in the copper colour and take no fill bitmap.
    void LoadFillBitmap(const QString& path) override;
    void Scale(QPoint origin, double factorX, double factorY) override;

    // The copper outline follows every property but the pen width, which is the track's
    // half width; milling goes to the outline only.
    void SetIstMarkiert(bool value) override;
    void SetUmrissFlag(bool value) override;
    void SetFuellenFlag(bool value) override;
    void SetSpiegelnFlag(bool value) override;
    void SetStiftfarbe(Colour value) override;
    void SetBrushfarbe(Colour value) override;
    void SetHasteBitmap(bool value) override;
    void SetFraesen(bool value) override;
    void SetKupferFlag(bool value) override;
    bool HasteBitmap() const override;
    void SetBtmap(QImage* bitmap) override;
    QImage* Btmap() const override;
    void SetGlaetten(bool value) override;
    void SetGlaettenStil(TGlaettenStil value) override;
    void SetGlaettenBetrag(double value) override;
    void SetParent(BoardContext* board) override;
    void SetIstAufLoetseite(bool value) override;
    void SetIstFreierBereich(bool value) override;
    void SetHatTestSpannung(bool value) override;

private:
    std::unique_ptr<TDraht> contour_;
};

} // namespace karvel
