#include "tools/datagen/StarterLibrary.h"

#include "board/ProjectFile.h"
#include "elements/Geometry.h"
#include "tools/datagen/HoleGrid.h"
#include "tools/datagen/LibraryParts.h"

#include <map>
#include <QtGui/QImage>

namespace karvel::datagen {

namespace {

// Parts stand in this column of their page, one under the other with a gap of free rows.
constexpr int PartColumn = 3;
constexpr int RowsBetweenParts = 2;

using Builder = std::function<std::unique_ptr<TGruppe>(const Identity&, QPoint, Language)>;

// A builder that needs no words of the language.
template <typename Make> Builder Plain(Make make) {
    return [make](const Identity& identity, QPoint at, Language) { return make(identity, at); };
}

Words Same(const QString& text) {
    return {text, text};
}

constexpr int TenKilohms = 10000;

std::vector<StarterPart> Resistors() {
    const Words r = Same(QStringLiteral("R#"));
    const Words value = Same(QStringLiteral("10k"));
    const ResistorSize quarterWatt{560, 220};
    return {
        {r,
         value,
         {QStringLiteral("Widerstand 0,25 W, RM 7,62 mm"),
          QStringLiteral("Resistor 0.25 W, 7.62 mm pitch")},
         Plain([](const Identity& id, QPoint at) {
             return LyingResistor(id, at, 3, ResistorKind::Carbon, {480, 200}, TenKilohms);
         })},
        {r,
         value,
         {QStringLiteral("Widerstand 0,25 W, RM 10,16 mm"),
          QStringLiteral("Resistor 0.25 W, 10.16 mm pitch")},
         Plain([quarterWatt](const Identity& id, QPoint at) {
             return LyingResistor(id, at, 4, ResistorKind::Carbon, quarterWatt, TenKilohms);
         })},
        {r,
         value,
         {QStringLiteral("Metallschicht 0,6 W, RM 10,16 mm"),
          QStringLiteral("Metal film 0.6 W, 10.16 mm pitch")},
         Plain([](const Identity& id, QPoint at) {
             return LyingResistor(id, at, 4, ResistorKind::MetalFilm, {640, 250}, TenKilohms);
         })},
        {r,
         value,
         {QStringLiteral("Widerstand 0,25 W, stehend"),
          QStringLiteral("Resistor 0.25 W, standing")},
         Plain([](const Identity& id, QPoint at) { return StandingResistor(id, at, TenKilohms); })},
    };
}

std::vector<StarterPart> Capacitors() {
    const Words c = Same(QStringLiteral("C#"));
    return {
        {c,
         Same(QStringLiteral("100 nF")),
         {QStringLiteral("Keramik, RM 2,54 mm"), QStringLiteral("Ceramic, 2.54 mm pitch")},
         Plain([](const Identity& id, QPoint at) {
             return FlatCapacitor(id, at, 1, FlatCapacitorKind::CeramicBead);
         })},
        {c,
         Same(QStringLiteral("100 nF")),
         {QStringLiteral("Keramik, RM 5,08 mm"), QStringLiteral("Ceramic, 5.08 mm pitch")},
         Plain([](const Identity& id, QPoint at) {
             return FlatCapacitor(id, at, 2, FlatCapacitorKind::CeramicDisc);
         })},
        {c,
         Same(QStringLiteral("100 nF")),
         {QStringLiteral("Folie MKS, RM 5,08 mm"), QStringLiteral("Film (MKS), 5.08 mm pitch")},
         Plain([](const Identity& id, QPoint at) {
             return FlatCapacitor(id, at, 2, FlatCapacitorKind::FilmBox);
         })},
        {c,
         Same(QStringLiteral("10 µF")),
         {QStringLiteral("Elko radial 5 mm, RM 2,54 mm"),
          QStringLiteral("Electrolytic 5 mm, 2.54 mm pitch")},
         Plain([](const Identity& id, QPoint at) { return RadialElectrolytic(id, at, 1, 500); })},
        {c,
         Same(QStringLiteral("100 µF")),
         {QStringLiteral("Elko radial 10 mm, RM 5,08 mm"),
          QStringLiteral("Electrolytic 10 mm, 5.08 mm pitch")},
         Plain([](const Identity& id, QPoint at) { return RadialElectrolytic(id, at, 2, 1000); })},
        {c,
         Same(QStringLiteral("10 µF")),
         {QStringLiteral("Elko axial, RM 15,24 mm"),
          QStringLiteral("Electrolytic axial, 15.24 mm pitch")},
         Plain([](const Identity& id, QPoint at) { return AxialElectrolytic(id, at, 6); })},
    };
}

std::vector<StarterPart> DiodesAndLeds() {
    const Words d = Same(QStringLiteral("D#"));
    const Words red{QStringLiteral("LED rot"), QStringLiteral("LED red")};
    return {
        {d,
         Same(QStringLiteral("1N4148")),
         {QStringLiteral("Diode DO-35, RM 7,62 mm"), QStringLiteral("Diode DO-35, 7.62 mm pitch")},
         Plain([](const Identity& id, QPoint at) { return Diode(id, at, DiodeCase::Do35); })},
        {d,
         Same(QStringLiteral("1N4007")),
         {QStringLiteral("Diode DO-41, RM 10,16 mm"),
          QStringLiteral("Diode DO-41, 10.16 mm pitch")},
         Plain([](const Identity& id, QPoint at) { return Diode(id, at, DiodeCase::Do41); })},
        {d,
         red,
         {QStringLiteral("Leuchtdiode 3 mm"), QStringLiteral("LED 3 mm")},
         Plain([](const Identity& id, QPoint at) { return RoundLed(id, at, 300); })},
        {d,
         red,
         {QStringLiteral("Leuchtdiode 5 mm"), QStringLiteral("LED 5 mm")},
         Plain([](const Identity& id, QPoint at) { return RoundLed(id, at, 500); })},
    };
}

Builder Package92(const PinNames& names) {
    return Plain([names](const Identity& id, QPoint at) { return To92(id, at, names); });
}

Builder Package220(const PinNames& names) {
    return Plain([names](const Identity& id, QPoint at) { return To220(id, at, names); });
}

// Pin names that differ between the languages.
Builder Package(bool to220, const PinNames& german, const PinNames& english) {
    return [=](const Identity& id, QPoint at, Language language) {
        const PinNames& names = UsesEnglish(language) ? english : german;
        return to220 ? To220(id, at, names) : To92(id, at, names);
    };
}

std::vector<StarterPart> Transistors() {
    const Words t{QStringLiteral("T#"), QStringLiteral("Q#")};
    const auto names = [](const char* a, const char* b, const char* c) {
        return PinNames{QString::fromLatin1(a), QString::fromLatin1(b), QString::fromLatin1(c)};
    };
    return {
        {t, Same(QStringLiteral("BC547")), Same(QStringLiteral("NPN TO-92, C B E")),
         Package92(names("C", "B", "E"))},
        {t, Same(QStringLiteral("2N3904")), Same(QStringLiteral("NPN TO-92, E B C")),
         Package92(names("E", "B", "C"))},
        {t,
         Same(QStringLiteral("TIP120")),
         {QStringLiteral("Darlington TO-220 stehend, B C E"),
          QStringLiteral("Darlington TO-220 standing, B C E")},
         Package220(names("B", "C", "E"))},
        {t,
         Same(QStringLiteral("IRLZ44N")),
         {QStringLiteral("N-MOSFET TO-220 stehend, G D S"),
          QStringLiteral("N-MOSFET TO-220 standing, G D S")},
         Package220(names("G", "D", "S"))},
    };
}

std::vector<StarterPart> Regulators() {
    const Words ic{QStringLiteral("IC#"), QStringLiteral("U#")};
    // German: Eingang, Masse, Ausgang.
    const PinNames inGroundOut{QStringLiteral("E"), QStringLiteral("M"), QStringLiteral("A")};
    const PinNames inGroundOutEn{QStringLiteral("I"), QStringLiteral("G"), QStringLiteral("O")};
    const PinNames outGroundIn{QStringLiteral("A"), QStringLiteral("M"), QStringLiteral("E")};
    const PinNames outGroundInEn{QStringLiteral("O"), QStringLiteral("G"), QStringLiteral("I")};
    const PinNames adjustOutIn{QStringLiteral("Adj"), QStringLiteral("A"), QStringLiteral("E")};
    const PinNames adjustOutInEn{QStringLiteral("Adj"), QStringLiteral("O"), QStringLiteral("I")};
    return {
        {ic,
         Same(QStringLiteral("7805")),
         {QStringLiteral("Spannungsregler TO-220, E M A"),
          QStringLiteral("Regulator TO-220, IN GND OUT")},
         Package(true, inGroundOut, inGroundOutEn)},
        {ic,
         Same(QStringLiteral("78L05")),
         {QStringLiteral("Spannungsregler TO-92, A M E"),
          QStringLiteral("Regulator TO-92, OUT GND IN")},
         Package(false, outGroundIn, outGroundInEn)},
        {ic,
         Same(QStringLiteral("LM317")),
         {QStringLiteral("Einstellregler TO-220, Adj A E"),
          QStringLiteral("Adjustable regulator TO-220")},
         Package(true, adjustOutIn, adjustOutInEn)},
    };
}

std::vector<StarterPart> Sockets() {
    std::vector<StarterPart> parts;
    const auto add = [&parts](int pins, int rowPitches) {
        const bool wide = rowPitches == 6;
        const QString name = QStringLiteral("DIP-%1").arg(pins);
        parts.push_back(
            {{QStringLiteral("IC#"), QStringLiteral("IC#")},
             Same(name),
             {QStringLiteral("IC-Fassung %1, %2").arg(name, wide ? u"15,24 mm" : u"7,62 mm"),
              QStringLiteral("IC socket %1, %2").arg(name, wide ? u"15.24 mm" : u"7.62 mm")},
             Plain([pins, rowPitches](const Identity& id, QPoint at) {
                 return DipSocket(id, at, pins, rowPitches);
             })});
    };
    for (const int pins : {8, 14, 16, 18, 20, 24, 28})
        add(pins, 3);
    for (const int pins : {24, 28, 32, 40})
        add(pins, 6);
    return parts;
}

std::vector<StarterPart> Connectors() {
    const Words x{QStringLiteral("X#"), QStringLiteral("J#")};
    std::vector<StarterPart> parts;
    const auto header = [&](int rows, int columns) {
        const QString size = QStringLiteral("%1×%2").arg(columns).arg(rows);
        parts.push_back({x,
                         Same(size),
                         {QStringLiteral("Stiftleiste %1, RM 2,54 mm").arg(size),
                          QStringLiteral("Pin header %1, 2.54 mm pitch").arg(size)},
                         Plain([rows, columns](const Identity& id, QPoint at) {
                             return PinHeader(id, at, rows, columns);
                         })});
    };
    for (int pins = 2; pins <= 10; ++pins)
        header(pins, 1);
    header(5, 2);
    for (const int ways : {2, 3}) {
        parts.push_back(
            {x,
             {QStringLiteral("%1-polig").arg(ways), QStringLiteral("%1-way").arg(ways)},
             {QStringLiteral("Schraubklemme %1-polig, RM 5,08 mm").arg(ways),
              QStringLiteral("Screw terminal %1-way, 5.08 mm pitch").arg(ways)},
             Plain([ways](const Identity& id, QPoint at) { return ScrewTerminal(id, at, ways); })});
    }
    parts.push_back(
        {x,
         {QStringLiteral("2,1 mm"), QStringLiteral("2.1 mm")},
         {QStringLiteral("Hohlstecker-Buchse 2,1 mm"), QStringLiteral("DC jack 2.1 mm")},
         Plain([](const Identity& id, QPoint at) { return DcJack(id, at); })});
    return parts;
}

std::vector<StarterPart> Potentiometers() {
    const Words p{QStringLiteral("P#"), QStringLiteral("RV#")};
    return {
        {p,
         Same(QStringLiteral("10k lin")),
         {QStringLiteral("Potentiometer 16 mm, RM 5,08 mm"),
          QStringLiteral("Potentiometer 16 mm, 5.08 mm pitch")},
         Plain([](const Identity& id, QPoint at) { return Potentiometer(id, at); })},
        {p,
         Same(QStringLiteral("10k")),
         {QStringLiteral("Trimmer 10 mm, liegend"), QStringLiteral("Trimmer 10 mm, lying")},
         Plain([](const Identity& id, QPoint at) { return LyingTrimmer(id, at); })},
        {p,
         Same(QStringLiteral("10k")),
         {QStringLiteral("Spindeltrimmer 3296W"), QStringLiteral("Multi-turn trimmer 3296W")},
         Plain([](const Identity& id, QPoint at) { return SpindleTrimmer(id, at); })},
    };
}

std::vector<StarterPart> Miscellaneous() {
    return {
        {{QStringLiteral("Q#"), QStringLiteral("Y#")},
         Same(QStringLiteral("16 MHz")),
         {QStringLiteral("Quarz HC-49/US, RM 5,08 mm"),
          QStringLiteral("Crystal HC-49/US, 5.08 mm pitch")},
         Plain([](const Identity& id, QPoint at) { return Crystal(id, at); })},
        {{QStringLiteral("S#"), QStringLiteral("SW#")},
         {QStringLiteral("Taster"), QStringLiteral("Push button")},
         {QStringLiteral("Taster 6×6 mm"), QStringLiteral("Push button 6×6 mm")},
         Plain([](const Identity& id, QPoint at) { return PushButton(id, at); })},
        {Same(QStringLiteral("K#")),
         Same(QStringLiteral("5 V")),
         {QStringLiteral("Relais 2 Wechsler, DIL-16"), QStringLiteral("Relay DPDT, DIL-16")},
         Plain([](const Identity& id, QPoint at) { return DilRelay(id, at); })},
    };
}

// The bounds of an element in board units, as a board at the usual zoom measures them.
Rect BoundsOf(TBauteil& element) {
    QImage image(1, 1, QImage::Format_RGB32);
    Canvas canvas(image);
    canvas.SetMapping({0, 0}, {HolePitch, HolePitch}, {0, 0}, {48, 48});
    return Normalised(element.GetBounds(canvas));
}

} // namespace

std::vector<StarterPage> StarterPages() {
    return {
        {QStringLiteral("LIB1.Lib"),
         {QStringLiteral("Widerstände"), QStringLiteral("Resistors")},
         Resistors()},
        {QStringLiteral("LIB2.Lib"),
         {QStringLiteral("Kondensatoren"), QStringLiteral("Capacitors")},
         Capacitors()},
        {QStringLiteral("LIB3.Lib"),
         {QStringLiteral("Dioden und LEDs"), QStringLiteral("Diodes and LEDs")},
         DiodesAndLeds()},
        {QStringLiteral("LIB4.Lib"),
         {QStringLiteral("Transistoren"), QStringLiteral("Transistors")},
         Transistors()},
        {QStringLiteral("LIB5.Lib"),
         {QStringLiteral("Spannungsregler"), QStringLiteral("Voltage regulators")},
         Regulators()},
        {QStringLiteral("LIB6.Lib"),
         {QStringLiteral("IC-Fassungen"), QStringLiteral("IC sockets")},
         Sockets()},
        {QStringLiteral("LIB7.Lib"),
         {QStringLiteral("Steckverbinder"), QStringLiteral("Connectors")},
         Connectors()},
        {QStringLiteral("LIB8.Lib"),
         {QStringLiteral("Potentiometer und Trimmer"),
          QStringLiteral("Potentiometers and trimmers")},
         Potentiometers()},
        {QStringLiteral("LIB9.Lib"),
         {QStringLiteral("Sonstiges"), QStringLiteral("Miscellaneous")},
         Miscellaneous()},
    };
}

void BuildStarterPage(const StarterPage& page, Language language, TBibo& bibo) {
    bibo.Clear();
    bibo.SetPlatinenName(page.Name.In(language));
    std::map<QString, int> numbers;
    int nextFreeRow = 1;
    int right = 0;
    for (const StarterPart& part : page.Parts) {
        const QString identifier = part.Identifier.In(language);
        const Identity identity{identifier, ++numbers[identifier], part.Value.In(language),
                                part.Description.In(language)};
        // A first build finds how far the part reaches above its first contact.
        const Rect probe = BoundsOf(*part.Build(identity, {PartColumn, 0}, language));
        const int above = (HoleCentre(PartColumn, 0).y() - probe.Top + HolePitch - 1) / HolePitch;
        std::unique_ptr<TGruppe> built =
            part.Build(identity, {PartColumn, nextFreeRow + above}, language);
        const Rect bounds = BoundsOf(*built);
        nextFreeRow = bounds.Bottom / HolePitch + 1 + RowsBetweenParts;
        right = std::max(right, bounds.Right);
        bibo.Add(std::move(built));
    }
    bibo.SetSize((right / HolePitch + 2) * HolePitch, nextFreeRow * HolePitch);
}

QString WriteStarterLibrary(const QDir& folder, QStringList& written) {
    ViewState view;
    for (const Language language : {Language::German, Language::English}) {
        const QString sub = UsesEnglish(language) ? QStringLiteral("en") : QStringLiteral("de");
        if (!folder.mkpath(sub))
            return folder.filePath(sub);
        view.Sprache = language;
        for (const StarterPage& page : StarterPages()) {
            TBibo bibo(view);
            BuildStarterPage(page, language, bibo);
            const QString path = folder.filePath(sub + u'/' + page.FileName);
            if (const QString error = SaveLibraryPage(path, bibo); !error.isEmpty())
                return path + QStringLiteral(": ") + error;
            written << path;
        }
    }
    return {};
}

} // namespace karvel::datagen
