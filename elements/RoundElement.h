#pragma once
// What pads and drillings share: a round shape of a diameter in millimetres around a centre,
// with properties the board material fixes (the setters ignore values they cannot have).

#include "elements/Bauteil.h"

namespace karvel {

class RoundElement : public TBauteil {
public:
    QPoint Centre{0, 0};
    QPoint RememberedCentre{0, 0};
    bool HasRememberedShape = false;
    double Diameter = 2.0; // millimetres

    // The radius in board units.
    int Radius() const;

    // --- Overrides shared by pads and drillings
    bool HitTest(QPoint device, Canvas& canvas) override;
    QPoint* NodeAt(QPoint, Canvas&) override { return nullptr; }
    void MoveBy(int dx, int dy) override { Centre += QPoint(dx, dy); }
    Rect GetBounds(Canvas& canvas) override;
    void WriteToStream(RecordContext& context, ValueWriter& writer) override;
    void ReadFromStream(RecordContext& context, ValueReader& reader) override;
    void DrawGhost(Canvas& canvas, const QPoint& at) override;
    void Stretch(TBauteil* firstLead, TBauteil* secondLead, double angle,
                 TBauteil* movedLead) override;
    void RememberShape() override;
    void ForgetShape() override { HasRememberedShape = false; }
    void Rotate90(QPoint centre, QPoint anchorCentre) override;
    void LoadFillBitmap(const QString&) override { SetHasteBitmap(false); }
    // Resizing a selection moves pads and drillings but keeps their size.
    void Scale(QPoint, double, double) override {}

    void SetStiftfarbe(Colour) override {}
    void SetBrushfarbe(Colour) override {}
    void SetBtmap(QImage*) override {}
    QImage* Btmap() const override { return nullptr; }
    void SetGlaetten(bool) override { TBauteil::SetGlaetten(false); }
    void SetFuellenFlag(bool) override { TBauteil::SetFuellenFlag(true); }
    void SetFraesen(bool) override { TBauteil::SetFraesen(false); }

protected:
    RoundElement();
};

} // namespace karvel
