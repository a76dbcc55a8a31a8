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

    // --- Overrides
    void MoveBy(int dx, int dy) override;
    void ReadFromStream(RecordContext& context, ValueReader& reader) override;
    void Rotate90(QPoint centre, QPoint anchorCentre) override;
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
    void SetParent(TPlatine* board) override;
    void SetIstAufLoetseite(bool value) override;
    void SetIstFreierBereich(bool value) override;
    void SetHatTestSpannung(bool value) override;

private:
    std::unique_ptr<TDraht> contour_;
};

} // namespace karvel
