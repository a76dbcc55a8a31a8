#pragma once
// TTextLabel: a rotatable single-line text with its own font. It can stand in for the
// identifier, value or description of the component it belongs to.

#include "board/Language.h"
#include "elements/Bauteil.h"

namespace karvel {

enum class TPlaceholder : std::uint8_t { Fixed = 0, Identifier = 1, Value = 2, Description = 3 };

// The font of a label; Charset is kept for the stored form only.
struct LabelFont {
    QString Face = QStringLiteral("ARIAL");
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    std::uint8_t Charset = 1;
    bool operator==(const LabelFont&) const = default;
};

class TTextLabel : public TBauteil {
public:
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

    // --- Overrides
    void MoveBy(int dx, int dy) override;
    void WriteToStream(RecordContext& context, ValueWriter& writer) override;
    void ReadFromStream(RecordContext& context, ValueReader& reader) override;
    void RememberShape() override;
    void ForgetShape() override { HasRememberedShape = false; }
    void Rotate90(QPoint centre, QPoint anchorCentre) override;
    QString GetKindName() const override;
    void SetFraesen(bool) override { TBauteil::SetFraesen(false); }
    void Scale(QPoint origin, double factorX, double factorY) override;

private:
    QString textString_;
};

} // namespace karvel
