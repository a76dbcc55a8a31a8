#include "assistant/BtStyles.h"

#include "assistant/GradientBitmaps.h"
#include "assistant/OhmText.h"

#include <array>

namespace karvel {

namespace {

constexpr ParamRange LengthRange{0.01L, 200.0L};
constexpr ParamRange AngleRange{0.0L, 360.0L};
constexpr ParamRange LeadRange{0.1L, 2.0L};
constexpr ParamRange CornerRange{3.0L, 20.0L};
constexpr ParamRange OhmRange{0.1L, 1e12L};
constexpr ParamRange NoRange{};

constexpr std::array<Colour, 7> TextColours{0x000000, 0xFFFFFF, 0xFF0000, 0x0000FF,
                                            0x00FFFF, 0x008000, 0x808080};

// Builds the parameter list of one style in one language.
class ParamList {
public:
    explicit ParamList(Language language) : language_(language) {}

    QString Tr(const char* german, const char* english) const {
        return karvel::Tr(language_, QString::fromUtf8(german), QString::fromUtf8(english));
    }
    void Length(const QString& caption, long double value, const ParamRange& range = LengthRange) {
        Add(TBtParamKind::pkFloat, caption, QStringLiteral("mm"), {}, 0, value, range);
    }
    // "Durchmesser 1" and the like.
    void Numbered(const char* german, const char* english, int number, long double value) {
        Length(Tr(german, english) + u' ' + QString::number(number), value);
    }
    void Rotation() {
        Add(TBtParamKind::pkFloat, Tr("Drehung", "Rotation"), QStringLiteral("°"), {}, 0, 0.0L,
            AngleRange);
    }
    void Integer(const QString& caption, int value, const ParamRange& range) {
        Add(TBtParamKind::pkInteger, caption, {}, {}, value, 0.0L, range);
    }
    void Text(const QString& caption, const QString& unit, const QString& text) {
        Add(TBtParamKind::pkText, caption, unit, text, 0, 0.0L, NoRange);
    }
    void Ohm(const QString& caption, double value) {
        Add(TBtParamKind::pkOhm, caption, QStringLiteral("Ohm"), FormatOhm(value), 0, value,
            OhmRange);
    }
    void Choice(const QString& caption, const QStringList& items, int index) {
        params_.emplace_back(TBtParamKind::pkChoice, caption, QString(), QString(), false, index,
                             0.0L, NoRange, NoRange, items);
    }
    // Body, lead and label parameters shared by the four components.
    void LeadDiameter() { Length(Tr("Drahtstärke", "Lead diameter"), 0.4L, LeadRange); }
    void Description(const QString& text) { Text(Tr("Beschreibung", "Description"), {}, text); }
    void Gradient(const QStringList& pictures, int index) {
        Choice(Tr("Farbe", "Colour"), pictures, index);
    }
    void TextColour(int index) {
        Choice(Tr("Textfarbe", "Text colour"), TextColourNames(language_), index);
    }

    std::vector<TBtParam> Take() { return std::move(params_); }

private:
    void Add(TBtParamKind kind, const QString& caption, const QString& unit, const QString& text,
             int intValue, long double floatValue, const ParamRange& range) {
        params_.emplace_back(kind, caption, unit, text, false, intValue, floatValue, range,
                             NoRange);
    }

    Language language_;
    std::vector<TBtParam> params_;
};

// H, L, T and U: two stroke widths, then width and height.
void LetterParams(ParamList& list) {
    list.Numbered("Durchmesser", "Diameter", 1, 2);
    list.Numbered("Durchmesser", "Diameter", 2, 2);
    list.Length(list.Tr("Breite", "Width"), 7);
    list.Length(list.Tr("Höhe", "Height"), 10);
    list.Rotation();
}

void ComponentParams(ParamList& list, int style, const QStringList& pictures) {
    switch (BtStyle(style)) {
    case BtStyle::Resistor:
        list.Length(list.Tr("Durchmesser", "Diameter"), 3);
        list.Length(list.Tr("Länge", "Length"), 7);
        list.LeadDiameter();
        list.Description(list.Tr("Widerstand", "Resistor"));
        list.Ohm(list.Tr("Normwert", "Standard value"), 1000.0);
        list.Choice(list.Tr("Norm", "Standard"),
                    {QStringLiteral("E6"), QStringLiteral("E12"), QStringLiteral("E24"),
                     QStringLiteral("E48"), QStringLiteral("E96")},
                    1);
        list.Gradient(pictures, 0);
        list.TextColour(0);
        break;
    case BtStyle::Elko:
        list.Length(list.Tr("Durchmesser", "Diameter"), 6);
        list.Length(list.Tr("Länge", "Length"), 15);
        list.LeadDiameter();
        list.Description(QStringLiteral("Elko"));
        list.Text(list.Tr("Wert", "Value"), QStringLiteral("uF/V"), QStringLiteral("10uF/16V"));
        list.Gradient(pictures, 0);
        list.TextColour(1);
        break;
    case BtStyle::Capacitor:
        list.Length(list.Tr("Breite", "Width"), 6);
        list.Length(list.Tr("Länge", "Length"), 15);
        list.LeadDiameter();
        list.Length(QStringLiteral("Rastermass"), 5.08L);
        list.Description(QStringLiteral("Kondensator"));
        list.Text(list.Tr("Wert", "Value"), QStringLiteral("F"), QStringLiteral("100nF"));
        list.Gradient(pictures, 4);
        list.TextColour(1);
        break;
    case BtStyle::Diode:
        list.Length(list.Tr("Breite", "Width"), 3);
        list.Length(list.Tr("Länge", "Length"), 6);
        list.LeadDiameter();
        list.Description(QStringLiteral("Diode"));
        list.Text(list.Tr("Wert", "Value"), QStringLiteral("Typ"), QStringLiteral("?"));
        list.Gradient(pictures, 8);
        list.TextColour(1);
        break;
    default:
        break;
    }
}

void ContourParams(ParamList& list, int style) {
    switch (BtStyle(style)) {
    case BtStyle::RegularPolygon:
        list.Length(list.Tr("Durchmesser außen", "Diameter outside"), 10);
        list.Integer(list.Tr("Anzahl der Ecken", "Number of corners"), 5, CornerRange);
        list.Rotation();
        break;
    case BtStyle::Rectangle:
        list.Length(list.Tr("Breite", "Width"), 10);
        list.Length(list.Tr("Höhe", "Height"), 10);
        list.Rotation();
        break;
    case BtStyle::Ellipse:
        list.Numbered("Durchmesser", "Diameter", 1, 10);
        list.Numbered("Durchmesser", "Diameter", 2, 10);
        list.Rotation();
        break;
    case BtStyle::LetterI:
        list.Numbered("Durchmesser", "Diameter", 1, 3);
        list.Numbered("Durchmesser", "Diameter", 2, 4);
        list.Numbered("Länge", "Length", 1, 7);
        list.Numbered("Länge", "Length", 2, 3);
        list.Rotation();
        break;
    case BtStyle::LetterM:
        for (int number = 1; number <= 3; ++number)
            list.Numbered("Durchmesser", "Diameter", number, 2);
        list.Length(list.Tr("Breite", "Width"), 10);
        list.Length(list.Tr("Höhe", "Height"), 10);
        list.Rotation();
        break;
    case BtStyle::ElkoOutline:
    case BtStyle::ResistorOutline:
        list.Length(list.Tr("Durchmesser", "Diameter"), 5);
        list.Length(list.Tr("Länge", "Length"), 10);
        list.Rotation();
        break;
    default:
        LetterParams(list);
        break;
    }
}

} // namespace

QString StyleEntry(int style, Language language) {
    const bool english = UsesEnglish(language);
    const QString contour = english ? QStringLiteral("Contour: ") : QStringLiteral("Kontur: ");
    switch (BtStyle(style)) {
    case BtStyle::RegularPolygon:
        return contour + (english ? QStringLiteral("Regular polygon")
                                  : QStringLiteral("regelmäßiges Vieleck"));
    case BtStyle::Rectangle:
        return contour + (english ? QStringLiteral("Rectangle") : QStringLiteral("Rechteck"));
    case BtStyle::Ellipse:
        return contour +
               (english ? QStringLiteral("Circle / Ellipse") : QStringLiteral("Kreis/Ellipse"));
    case BtStyle::LetterH:
    case BtStyle::LetterI:
    case BtStyle::LetterL:
    case BtStyle::LetterM:
    case BtStyle::LetterT:
    case BtStyle::LetterU: {
        static constexpr char Letters[] = "HILMTU";
        return contour + QStringLiteral("\" ") +
               QLatin1Char(Letters[style - int(BtStyle::LetterH)]) + QStringLiteral(" \"");
    }
    case BtStyle::ElkoOutline:
        return contour +
               (english ? QStringLiteral("Electrolytic capacitor") : QStringLiteral("Elko\""));
    case BtStyle::ResistorOutline:
        return contour + (english ? QStringLiteral("Resistor") : QStringLiteral("Widerstand"));
    case BtStyle::Resistor:
        return english ? QStringLiteral("Component: Resistor")
                       : QStringLiteral("Bauteil: Widerstand, liegend");
    case BtStyle::Elko:
        return english ? QStringLiteral("Component: Electrolytic capacitor")
                       : QStringLiteral("Bauteil: Elko, koaxial");
    case BtStyle::Capacitor:
        return english ? QStringLiteral("Component: Capacitor")
                       : QStringLiteral("Bauteil: Kondensator");
    case BtStyle::Diode:
        return english ? QStringLiteral("Component: Diode")
                       : QStringLiteral("Bauteil: Diode, liegend");
    }
    return {};
}

QStringList StyleEntries(Language language) {
    QStringList entries;
    for (int style = 0; style < BtStyleCount; ++style)
        entries.push_back(StyleEntry(style, language));
    return entries;
}

QStringList TextColourNames(Language language) {
    if (UsesEnglish(language))
        return {QStringLiteral("Black"), QStringLiteral("White"),  QStringLiteral("Blue"),
                QStringLiteral("Red"),   QStringLiteral("Yellow"), QStringLiteral("Green"),
                QStringLiteral("Gray")};
    return {QStringLiteral("Schwarz"), QStringLiteral("Weiss"), QStringLiteral("Blau"),
            QStringLiteral("Rot"),     QStringLiteral("Gelb"),  QStringLiteral("Grün"),
            QStringLiteral("Grau")};
}

Colour TextColourOf(int index) {
    if (index < 0 || index >= int(TextColours.size()))
        return colours::Black;
    return TextColours[std::size_t(index)];
}

std::vector<TBtParam> DefaultParams(int style, Language language, const QString& programFolder) {
    ParamList list(language);
    if (style >= FirstComponentStyle)
        ComponentParams(list, style, ListGradientBitmaps(programFolder, style, language));
    else
        ContourParams(list, style);
    return list.Take();
}

} // namespace karvel
