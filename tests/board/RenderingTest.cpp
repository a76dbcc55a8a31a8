#include "board/Board.h"
#include "board/Platine.h"
#include "elements/Bohrung.h"
#include "elements/Geometry.h"
#include "elements/Leiterbahn.h"
#include "elements/Trenner.h"
#include "elements/Txtlabel.h"
#include "support/SampleBoard.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

constexpr QRgb Surface = qRgb(239, 204, 5);
constexpr QRgb Copper = qRgb(207, 172, 3);
constexpr QRgb CopperThrough = qRgb(208, 125, 2);

// A board of 10 × 5 holes: a strip on row 1 with a cut at column 4, a wire on row 3, a label.
class RenderingTest : public ::testing::Test {
protected:
    RenderingTest() {
        board.SetSize(2540, 1270);
        board.Layout()->SetSize(2540, 1270);
        auto strip = std::make_unique<TLeiterbahn>();
        strip->Nodes = {{0, 381}, {2540, 381}};
        strip->SetStiftbreite(100);
        strip->RebuildOutline();
        board.Layout()->Add(std::move(strip));
        auto drilling = std::make_unique<TBohrung>();
        drilling->Centre = {2286, 381};
        drilling->Diameter = 1.0;
        board.Layout()->Add(std::move(drilling));
        auto cut = std::make_unique<TTrenner>();
        cut->CutRect = {1016 - 70, 254, 1016 + 70, 508};
        board.Add(std::move(cut));
        wire = static_cast<TDraht*>(
            board.Add(test::MakeWire(TBauteilTyp::btDraht, {{508, 889}, {1524, 889}})));
        wire->SetIstMarkiert(false);
        wire->SetStiftfarbe(RgbColour(0, 0, 255));
        label = static_cast<TTextLabel*>(board.Add(std::make_unique<TTextLabel>()));
        label->Position = {1600, 300};
        label->SetTextString(QStringLiteral("MMMM"));
        label->SetFuellenFlag(false);
    }

    QImage Paint() {
        QImage image(board.ControlSize(), QImage::Format_RGB32);
        image.fill(Qt::black);
        Canvas canvas(image);
        board.Paint(canvas);
        return image;
    }
    QRgb At(const QImage& image, QPoint boardPoint) const {
        return image.pixel(board.BoardToControl(boardPoint));
    }

    ViewState view;
    TPlatine board{view};
    TDraht* wire = nullptr;
    TTextLabel* label = nullptr;
};

TEST_F(RenderingTest, ComponentSideShowsSurfaceCopperCutsJointsAndWires) {
    const QImage image = Paint();
    EXPECT_EQ(At(image, {100, 254}), Surface) << "between the strips";
    EXPECT_EQ(At(image, {600, 381}), Copper);
    EXPECT_EQ(At(image, {1016, 381}), Surface) << "the cut shows the bare board";
    EXPECT_EQ(At(image, {1000, 889 + 15}), qRgb(0, 0, 255)) << "the wire beside its highlight";
    EXPECT_EQ(At(image, {508, 889 + 30}), qRgb(0, 0, 0)) << "the joint's black ring around the end";
    EXPECT_NE(At(image, {2286, 381}), Copper) << "the layout's drilling";
}

TEST_F(RenderingTest, TextLabelsLieOnTopOfEverything) {
    label->Position = {300, 300}; // over the strip
    const QImage image = Paint();
    QImage canvasImage(1, 1, QImage::Format_RGB32);
    Canvas measure(canvasImage);
    board.SetzeMassstab(measure);
    const Rect box = Normalised(measure.LPtoDP(label->GetBounds(measure)));
    int ink = 0;
    for (int y = box.Top; y < box.Bottom; ++y)
        for (int x = box.Left; x < box.Right; ++x)
            ink += qGray(image.pixel(x, y)) < 60 ? 1 : 0;
    EXPECT_GT(ink, 20);
}

TEST_F(RenderingTest, TheSolderSideTurnsTheBoardAndShowsTinnedJoints) {
    view.Loetseite = true;
    view.BitmapRendering = false;
    const QImage image = Paint();
    EXPECT_EQ(At(image, {600, 381}), CopperThrough) << "copper seen from below";
    // The component-side wire is hidden; its ends show as silver joints of radius 100.
    EXPECT_EQ(At(image, {1000, 889}), Surface);
    EXPECT_EQ(At(image, {508 + 60, 889}), qRgb(192, 192, 192));
    EXPECT_EQ(board.BoardToControl({600, 381}).y(), (1270 - 381) * 48 / 254);

    view.BitmapRendering = true;
    const QImage tinned = Paint();
    EXPECT_NE(At(tinned, {508 + 60, 889}), Surface) << "the solder-point picture fills the joint";
}

TEST_F(RenderingTest, XRayShowsTheOtherSideAsAGhost) {
    view.Loetseite = true;
    view.Roentgen = true;
    const QImage image = Paint();
    const QRgb ghost = At(image, {1000, 889});
    EXPECT_NE(ghost, Surface);
    EXPECT_NE(ghost, qRgb(0, 0, 255));
}

TEST_F(RenderingTest, SeeThroughFromTheSolderSideLooksAtTheComponentsThroughTheBoard) {
    view.Loetseite = true;
    view.Durchsicht = true;
    const QImage image = Paint();
    EXPECT_EQ(At(image, {600, 381}), Copper)
        << "solder side and see-through: the first copper colour";
    wire->SetIstAufLoetseite(false);
    EXPECT_EQ(At(Paint(), {1000, 889 + 15}), qRgb(0, 0, 255))
        << "component side elements are the working side";
}

TEST_F(RenderingTest, OutlineModeIsBlackAndWhite) {
    board.SetUmrissModus(true);
    const QImage image = Paint();
    EXPECT_EQ(At(image, {100, 254}), qRgb(255, 255, 255));
    EXPECT_EQ(At(image, {600, 381}), qRgb(234, 234, 234)) << "copper in outline mode";
}

TEST_F(RenderingTest, GroupsDrawTheirCutsInTheCutLayer) {
    auto group = std::make_unique<TGruppe>();
    auto cut = std::make_unique<TTrenner>();
    cut->CutRect = {1524 - 70, 254, 1524 + 70, 508};
    group->AddMember(std::move(cut));
    board.Add(std::move(group));
    EXPECT_EQ(At(Paint(), {1524, 381}), Surface);
}

struct JointRimCase {
    const char* name;
    bool inGroup;
    bool solderSide;
    QPoint offset; // from the wire's end, in board units
};

void PrintTo(const JointRimCase& c, std::ostream* os) {
    *os << c.name;
}

class JointRepaintTest : public RenderingTest, public ::testing::WithParamInterface<JointRimCase> {
protected:
    // Repaints only a few pixels around a board point, as an invalidated area would.
    QRgb PaintAround(QPoint boardPoint) {
        QImage image(board.ControlSize(), QImage::Format_RGB32);
        image.fill(Qt::black);
        const QPoint at = board.BoardToControl(boardPoint);
        {
            Canvas canvas(image);
            canvas.SelectClipRegion(
                Region::FromRect({at.x() - 1, at.y() - 1, at.x() + 2, at.y() + 2}));
            board.Paint(canvas);
        }
        return image.pixel(at);
    }
};

// A joint reaches beyond a thin wire's redraw area; repainting only its rim must not paint the
// board over it.
TEST_P(JointRepaintTest, ARepaintOfTheRimAloneDrawsTheJoint) {
    const JointRimCase c = GetParam();
    view.Loetseite = c.solderSide;
    view.BitmapRendering = false;
    wire->SetStiftbreite(20);
    QPoint end = wire->Nodes.front();
    if (c.inGroup) {
        auto resistor = test::MakeResistor(); // a lead ends at (1016, 1397)
        resistor->MoveBy(0, -254);
        for (const auto& member : resistor->Members())
            member->SetStiftbreite(20);
        board.Add(std::move(resistor));
        end = {1016, 1143};
    }
    const QPoint rim = end + c.offset;
    const QRgb full = At(Paint(), rim);
    EXPECT_EQ(full, c.solderSide ? qRgb(192, 192, 192) : qRgb(0, 0, 0));
    EXPECT_EQ(PaintAround(rim), full);
}

INSTANTIATE_TEST_SUITE_P(Rims, JointRepaintTest,
                         ::testing::Values(JointRimCase{"SolderSideBelow", false, true, {0, 85}},
                                           JointRimCase{"SolderSideLeft", false, true, {-85, 0}},
                                           JointRimCase{
                                               "SolderSideDiagonal", false, true, {-75, 60}},
                                           JointRimCase{"LeadInAGroup", true, true, {-85, 0}},
                                           JointRimCase{"ComponentSideDot", false, false, {0, 25}}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Output rendering --------------------------------------------------------------------------

class OutputTest : public RenderingTest {
protected:
    // One pixel is ten board units; the picture leaves room around the board for the titles.
    QImage Render(const Rect& clip) {
        QImage image(600, 600, QImage::Format_RGB32);
        image.fill(Qt::white);
        Canvas canvas(image);
        canvas.SetMapping({-2500, -3000}, {10, 10}, {0, 0}, {1, 1});
        board.DrawOutput(canvas, clip);
        return image;
    }
    static QPoint Px(QPoint units) {
        return {(units.x() + 2500 + 5) / 10, (units.y() + 3000 + 5) / 10};
    }
    static int Ink(const QImage& image, Rect units) {
        int ink = 0;
        for (int y = Px(units.TopLeft()).y(); y < Px(units.BottomRight()).y(); ++y)
            for (int x = Px(units.TopLeft()).x(); x < Px(units.BottomRight()).x(); ++x)
                ink += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
        return ink;
    }
    const Rect everything{-2500, -3000, 3500, 3000};
};

TEST_F(OutputTest, TheOptionsChooseLayersFrameAndTitles) {
    board.Output = {true, true, false, false, QString()};
    QImage image = Render(everything);
    EXPECT_EQ(image.pixel(Px({600, 381})), Copper);
    EXPECT_EQ(image.pixel(Px({0, 600})), qRgb(0, 0, 0)) << "the frame";
    EXPECT_EQ(Ink(image, {-2500, -2500, 2540, -100}), 0) << "no title without the option";

    board.Output = {false, false, true, true, QStringLiteral("Blinker")};
    image = Render(everything);
    EXPECT_EQ(image.pixel(Px({600, 381})), Surface) << "no layout";
    EXPECT_NE(image.pixel(Px({2286, 381})), Surface) << "its drillings show all the same";
    EXPECT_GT(Ink(image, {0, -2300, 2540, -1400}), 30) << "title and board name";
    EXPECT_GT(Ink(image, {0, 1400, 2540, 2300}), 30) << "the three info lines";
    EXPECT_GT(Ink(image, {-800, 0, -150, 1270}), 10) << "row numbers and ticks";
    EXPECT_GT(Ink(image, {0, -800, 2540, -150}), 10) << "column ticks";
}

TEST_F(OutputTest, NothingIsDrawnOutsideTheClipRectangle) {
    board.Output = {true, true, true, true, QStringLiteral("Blinker")};
    const QImage image = Render({0, 0, 1270, 1270});
    EXPECT_EQ(Ink(image, {0, -2300, 2540, -100}), 0);
    EXPECT_EQ(image.pixel(Px({2000, 381})), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(Px({600, 381})), Copper);
}

TEST_F(OutputTest, TitleBlockLinesInBothLanguages) {
    const QDateTime when(QDate(2026, 12, 10), QTime(14, 5, 9));
    auto lines = board.TitleBlockLines(when);
    EXPECT_EQ(lines[0], QStringLiteral("Ansicht: Bauteilseite (Normal)"));
    EXPECT_EQ(lines[1], QStringLiteral("Originalgröße: 25 x 12mm"));
    // The date as the language writes it, whatever the desktop's locale.
    EXPECT_EQ(lines[2], QStringLiteral("10.12.2026 - 14:05:09"));
    view.Sprache = Language::English;
    view.Loetseite = true;
    view.Durchsicht = true;
    board.SetSpiegeln(true);
    lines = board.TitleBlockLines(when);
    EXPECT_EQ(lines[0], QStringLiteral("Solder side (Mirrored) (Right through)"));
    EXPECT_EQ(lines[1], QStringLiteral("Real size 25 x 12mm"));
    EXPECT_EQ(lines[2], QStringLiteral("10/12/2026 - 14:05:09"));
}

TEST_F(OutputTest, GridNumbersFollowTheOrigin) {
    board.Output = {false, false, true, false, QString()};
    // Major ticks at every fifth column reach 700 units above the board, minor ones 400.
    QImage image = Render(everything);
    EXPECT_EQ(image.pixel(Px({1270, -600})), qRgb(0, 0, 0)) << "column 5";
    EXPECT_EQ(image.pixel(Px({254, -600})), qRgb(255, 255, 255)) << "column 1 is minor";
    board.SetUrsprung({508, 127});
    image = Render(everything);
    EXPECT_EQ(image.pixel(Px({1778, -600})), qRgb(0, 0, 0)) << "column 7 is now number 5";
    EXPECT_EQ(image.pixel(Px({1270, -600})), qRgb(255, 255, 255));
}

} // namespace
} // namespace karvel
