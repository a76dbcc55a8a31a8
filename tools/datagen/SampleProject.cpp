#include "tools/datagen/SampleProject.h"

#include "board/ProjectFile.h"
#include "elements/Trenner.h"
#include "tools/datagen/HoleGrid.h"
#include "tools/datagen/Parts.h"
#include "tools/datagen/StandardBoards.h"

namespace karvel::datagen {

namespace {

// The strips that carry the supply and the circuit's nodes besides the IC's own rows.
constexpr int PlusRow = 3;
constexpr int GroundRow = 10;
constexpr int TimingRow = 11; // pins 2 and 6, the capacitor's charge
constexpr int LedRow = 12;

constexpr Colour Red = RgbColour(210, 30, 30);
constexpr Colour Black = RgbColour(30, 30, 30);
constexpr Colour Yellow = RgbColour(240, 200, 0);

const QString LayoutName = QStringLiteral("Streifenraster 80 x 50.KVB");

void UseStripboard(TPlatine& board) {
    for (const StandardBoard& standard : StandardBoards()) {
        if (standard.FileName == LayoutName)
            BuildStandardBoard(standard, *board.Layout());
    }
    const TBoard& layout = *board.Layout();
    // As opening the layout would: the board takes the layout's size and offsets.
    board.SetSize(layout.Width(), layout.Height());
    board.SetNullpunkt(layout.Nullpunkt());
    board.SetUrsprung(layout.Ursprung());
    board.SetReservedPoint(layout.ReservedPoint());
}

// The IC straddles the strips: each of its rows is cut between the two pin columns, so that
// pin 1 does not meet pin 8, pin 2 not pin 7, and so on.
void CutUnderIc(TPlatine& board) {
    const int x = HoleCentre(Ic555Pin1 + QPoint(1, 0)).x() + HalfPitch;
    for (int row = Ic555Pin1.y(); row < Ic555Pin1.y() + 4; ++row) {
        const int y = HoleCentre(0, row).y();
        auto cut = std::make_unique<TTrenner>();
        // As the cut tool makes it over a 2 mm strip: 1.6 mm wide, 0.2 mm beyond each side.
        cut->CutRect = {x - 80, y - 120, x + 80, y + 120};
        cut->SetIstMarkiert(false);
        board.Add(std::move(cut));
    }
}

void AddWires(TPlatine& board) {
    const QPoint pin1 = Ic555Pin1;
    const QPoint pin8 = pin1 + QPoint(3, 0);
    board.Add(JumperWire({{pin8.x() + 2, PlusRow}, pin8 + QPoint(2, 0)}, Red));       // pin 8
    board.Add(JumperWire({{pin1.x() - 2, PlusRow}, pin1 + QPoint(-2, 3)}, Red));      // pin 4
    board.Add(JumperWire({pin1 + QPoint(-4, 0), {pin1.x() - 4, GroundRow}}, Black));  // pin 1
    board.Add(JumperWire({pin8 + QPoint(3, 2), {pin8.x() + 3, TimingRow}}, Yellow));  // pin 6
    board.Add(JumperWire({pin1 + QPoint(-1, 1), {pin1.x() - 1, TimingRow}}, Yellow)); // pin 2
}

void AddParts(TPlatine& board) {
    const QString carbon = QStringLiteral("Kohleschicht 0,25 W");
    board.Add(
        SupplyPins({QStringLiteral("X#"), 1, QStringLiteral("9 V"), QStringLiteral("Batterieclip")},
                   {2, PlusRow}, {2, GroundRow}, {{300, 1650}, {}}));
    board.Add(DipIc({QStringLiteral("IC#"), 1, QStringLiteral("NE555"), QStringLiteral("Timer")},
                    Ic555Pin1, 8, {{3366, 1290}, QPoint(3416, 1960)}));
    board.Add(Resistor({QStringLiteral("R#"), 1, QStringLiteral("1k"), carbon}, {21, PlusRow},
                       {21, 7}, 1000, {{5474, 1220}, QPoint(5474, 1410)}));
    board.Add(Resistor({QStringLiteral("R#"), 2, QStringLiteral("47k"), carbon}, {23, 7},
                       {23, TimingRow}, 47000, {{5490, 2230}, QPoint(5430, 2420)}));
    board.Add(Resistor({QStringLiteral("R#"), 3, QStringLiteral("470"), carbon}, {6, 8},
                       {6, LedRow}, 470, {{1664, 2490}, QPoint(1664, 2680)}));
    board.Add(Radial(
        {QStringLiteral("C#"), 1, QStringLiteral("10 µF"), QStringLiteral("Elko 16 V, radial")},
        RadialKind::Electrolytic, {25, TimingRow}, {25, GroundRow}, {{6250, 3070}, {}}));
    board.Add(Radial({QStringLiteral("C#"), 2, QStringLiteral("10 nF"), QStringLiteral("Keramik")},
                     RadialKind::Ceramic, {27, 9}, {27, GroundRow}, {{7060, 2450}, {}}));
    board.Add(Radial(
        {QStringLiteral("D#"), 1, QStringLiteral("LED rot"), QStringLiteral("Leuchtdiode 5 mm")},
        RadialKind::Led, {4, GroundRow}, {4, LedRow}, {{930, 3200}, {}}));
}

void AddLabels(TPlatine& board) {
    auto title = Label(QStringLiteral("555-Blinker"), {420, 0}, 260);
    title->Font.Bold = true;
    board.Add(std::move(title));
    board.Add(Label(QStringLiteral("+9V"), {640, 640}, 180, Red));
    board.Add(Label(QStringLiteral("GND"), {640, 2420}, 180));
    board.Add(Label(QStringLiteral("blinkt mit etwa 1,5 Hz"), {4300, 4300}, 180));
}

} // namespace

void Build555Blinker(TPlatine& board) {
    board.Clear();
    board.SetPlatinenName(QStringLiteral("555-Blinker"));
    UseStripboard(board);
    CutUnderIc(board);
    AddParts(board);
    AddWires(board);
    AddLabels(board);
    board.Anmerkungen().SetPlainText(QStringLiteral(
        "Anmerkungen: 555-Blinker\n"
        "Ein NE555 als astabiler Multivibrator lässt eine LED etwa 1,5-mal in der Sekunde "
        "blinken (f = 1,44 / ((R1 + 2 R2) C1)).\n"
        "Versorgung 9 V an X1. Die Streifen unter dem IC sind zwischen den Pinreihen "
        "aufgetrennt; die gelben Drahtbrücken verbinden Pin 2 und Pin 6 mit C1 und R2."));
}

QString WriteSampleProject(const QString& path) {
    ViewState view;
    TPlatine board(view);
    Build555Blinker(board);
    return SaveProjectFile(path, {&board});
}

} // namespace karvel::datagen
