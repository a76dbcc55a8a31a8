#pragma once
// TTextLabel: a rotatable single-line text with its own font. It can stand in for the
// identifier, value or description of the component it belongs to.

#include "elements/Bauteil.h"
#include "elements/LabelFont.h"
#include "platform/Language.h"

#include <array>

namespace karvel {

class TextLabelDialog;

enum class TPlaceholder : std::uint8_t { Fixed = 0, Identifier = 1, Value = 2, Description = 3 };

class TTextLabel : public TBauteil {
public:
    using TBauteil::AsTextLabel;
    const TTextLabel* AsTextLabel() const override { return this; }
    explicit TTextLabel(Language language = Language::German);
    std::string_view ClassName() const override { return "TTextLabel"; }

    const QString& TextString() const { return textString_; }
    void SetTextString(const QString& text);

    QPoint Position{0, 0};
    double Angle = 0.0; // radians, counter-clockwise with the y axis up
    std::int16_t TextHeight = 200;
    std::int16_t TextWidth = 0;
    std::uint8_t Placeholder = 0; // a TPlaceholder value, kept as stored
    bool UpsideDown = false;
    QPoint RememberedPosition{0, 0};
    double RememberedAngle = 0.0;
    bool HasRememberedShape = false;
    LabelFont Font;

    // The four corners of the text box, turned about the position.
    std::array<QPoint, 4> BoxCorners() const;
    // Keeps the text readable: upside-down between a quarter and three quarters of a turn.
    void ApplyUprightRule();
    // Measures the text with the label's font on a canvas and keeps the width.
    void MeasureText(Canvas& canvas);
    // Writes the text with its top-left corner at a board point, turned by the escapement
    // (tenths of a degree); a solid brush fills the text cell behind it.
    void DrawRotatedText(Canvas& canvas, QPoint at, int escapement);

    // The dialog EditProperties opens; the program sets it once at start.
    static void SetDialog(TextLabelDialog* dialog) { dialog_ = dialog; }

    // --- Overrides
    void Draw(Canvas& canvas) override;
    std::optional<Region> CreateRegion(Canvas& canvas) override;
    bool HitTest(QPoint device, Canvas& canvas) override;
    void MoveBy(int dx, int dy) override;
    Rect GetBounds(Canvas& canvas) override;
    Rect GetRedrawBounds(Canvas& canvas) override;
    void WriteToStream(RecordContext& context, ValueWriter& writer) override;
    void ReadFromStream(RecordContext& context, ValueReader& reader) override;
    void Stretch(TBauteil* firstLead, TBauteil* secondLead, double angle,
                 TBauteil* movedLead) override;
    void RememberShape() override;
    void ForgetShape() override { HasRememberedShape = false; }
    bool EditProperties() override;
    void Rotate90(QPoint centre, QPoint anchorCentre) override;
    QString GetKindName() const override;
    void SetFraesen(bool) override { TBauteil::SetFraesen(false); }
    void BeginXRayStyle(Canvas& canvas) override;
    void Scale(QPoint origin, double factorX, double factorY) override;

private:
    // Where the text starts and which way it runs once upside-down, mirrored and solder-side
    // views are taken into account.
    struct Placement {
        QPoint At;
        double Angle;
    };
    Placement TextPlacement() const;
    FontSpec MakeFont(int escapement) const;
    Colour TextColour() const;
    void FillTextCell(Canvas& canvas, QPoint at);

    QString textString_;
    static inline TextLabelDialog* dialog_ = nullptr;
};

} // namespace karvel
