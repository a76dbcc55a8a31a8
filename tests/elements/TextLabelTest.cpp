// Text labels: measuring, the turned text box with its bounds and hit tests, turning, scaling,
// stretching with a component and editing through the dialog.

#include "board/Platine.h"
#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "elements/TextLabelDialog.h"
#include "elements/Txtlabel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace karvel {
namespace {

constexpr double PiAsDouble = double(Pi);

// A canvas of a small picture with a chosen number of board units per pixel.
class Surface {
public:
    explicit Surface(int unitsPerPixel = 1)
        : image_(64, 64, QImage::Format_RGB32), canvas_(image_) {
        canvas_.SetMapping({0, 0}, {unitsPerPixel, unitsPerPixel}, {0, 0}, {1, 1});
    }
    Canvas& canvas() { return canvas_; }

private:
    QImage image_;
    Canvas canvas_;
};

std::unique_ptr<TTextLabel> MakeLabel(const QString& text, int height = 200) {
    auto label = std::make_unique<TTextLabel>(Language::English);
    label->SetTextString(text);
    label->TextHeight = std::int16_t(height);
    return label;
}

// --- Measuring --------------------------------------------------------------------------------

TEST(TextLabelMeasureTest, ArialIsMeasuredWithItsOwnMetricsInBoardUnits) {
    Surface surface;
    auto label = MakeLabel(QStringLiteral("new label"));
    const FontSpec before = surface.canvas().Font();
    label->MeasureText(surface.canvas());
    // Liberation Sans gives the advances of Arial: 8653/2048 em at a 179-pixel em.
    EXPECT_NEAR(label->TextWidth, 756, 2);
    EXPECT_EQ(surface.canvas().Font(), before) << "measuring leaves the canvas font alone";

    label->SetTextString(QString());
    label->MeasureText(surface.canvas());
    EXPECT_EQ(label->TextWidth, 0);
}

TEST(TextLabelMeasureTest, TheLabelsFaceIsMeasured) {
    Surface surface;
    auto narrow = MakeLabel(QStringLiteral("iiii"));
    auto wide = MakeLabel(QStringLiteral("WWWW"));
    for (TTextLabel* label : {narrow.get(), wide.get()}) {
        label->MeasureText(surface.canvas());
        const int proportional = label->TextWidth;
        label->Font.Face = QStringLiteral("COURIER NEW");
        label->MeasureText(surface.canvas());
        EXPECT_NE(label->TextWidth, proportional);
    }
    // A typewriter face gives every letter the same advance.
    EXPECT_EQ(narrow->TextWidth, wide->TextWidth);
}

TEST(TextLabelMeasureTest, ItalicAddsAFifthOfBAndBoldAddsNothing) {
    Surface surface;
    auto regular = MakeLabel(QStringLiteral("new label"));
    auto italic = MakeLabel(QStringLiteral("new label"));
    italic->Font.Italic = true;
    auto bold = MakeLabel(QStringLiteral("new label"));
    bold->Font.Bold = true;
    for (TTextLabel* label : {regular.get(), italic.get(), bold.get()})
        label->MeasureText(surface.canvas());

    auto extent = [&surface](const QString& text, bool isBold, bool isItalic) {
        FontSpec font;
        font.Height = 200;
        font.Bold = isBold;
        font.Italic = isItalic;
        surface.canvas().SetFont(font);
        return surface.canvas().TextExtent(text).width();
    };
    const int italicB = extent(QStringLiteral("b"), false, true);
    EXPECT_NEAR(italicB, 100, 2);
    EXPECT_EQ(italic->TextWidth, extent(QStringLiteral("new label"), false, true) + italicB / 5);
    // The italic face advances as the upright one does: the fifth is the whole difference.
    EXPECT_NEAR(italic->TextWidth - regular->TextWidth, italicB / 5, 1);
    EXPECT_EQ(bold->TextWidth, extent(QStringLiteral("new label"), true, false));
}

// --- The turned box -------------------------------------------------------------------------

TEST(TextLabelBoxTest, BoundsEncloseTheTurnedBoxAndRedrawBoundsAddAHundred) {
    Surface surface;
    auto label = MakeLabel(QStringLiteral("new label"));
    label->Position = {1000, 1000};
    label->Angle = PiAsDouble / 2;
    const Rect bounds = label->GetBounds(surface.canvas());
    const int w = label->TextWidth;
    ASSERT_GT(w, 700);
    // A quarter turn stands the box on its left end, rising from the position.
    EXPECT_EQ(bounds, (Rect{1000, 1000 - w, 1200, 1000}));
    EXPECT_EQ(label->GetRedrawBounds(surface.canvas()), (Rect{900, 900 - w, 1300, 1100}));
}

TEST(TextLabelBoxTest, BoundsFollowTheBoxAtNegativeCoordinates) {
    Surface surface;
    auto label = MakeLabel(QStringLiteral("new label"));
    label->Position = {-3000, -2000};
    const Rect bounds = label->GetBounds(surface.canvas());
    EXPECT_EQ(bounds, (Rect{-3000, -2000, -3000 + label->TextWidth, -1800}));
}

class TextLabelHitTest : public ::testing::Test {
protected:
    void SetUp() override {
        label =
            static_cast<TTextLabel*>(board.Add(std::make_unique<TTextLabel>(Language::English)));
        label->Position = {1000, 1000};
        label->Angle = PiAsDouble / 4;
        label->MeasureText(surface.canvas());
    }

    // A point of the box given in its own axes: along the base line and down from it.
    QPoint BoxPoint(double along, double down) const {
        const double c = std::cos(PiAsDouble / 4), s = std::sin(PiAsDouble / 4);
        return {int(std::lround(1000 + along * c + down * s)),
                int(std::lround(1000 - along * s + down * c))};
    }
    QPoint Device(QPoint board) { return surface.canvas().LPtoDP(board); }

    ViewState view;
    TPlatine board{view};
    Surface surface{5};
    TTextLabel* label = nullptr;
};

TEST_F(TextLabelHitTest, HitsInsideTheTurnedBoxOnly) {
    const int w = label->TextWidth;
    const QPoint centre = Device(BoxPoint(w / 2.0, 100));
    // Straight above the position lies inside the bounds but beside the turned box.
    const QPoint beside = Device({1020, 800});
    const Rect deviceBounds =
        Normalised(surface.canvas().LPtoDP(label->GetBounds(surface.canvas())));
    ASSERT_TRUE(beside.x() >= deviceBounds.Left && beside.x() < deviceBounds.Right &&
                beside.y() >= deviceBounds.Top && beside.y() < deviceBounds.Bottom);

    const std::optional<Region> region = label->CreateRegion(surface.canvas());
    ASSERT_TRUE(region.has_value());
    EXPECT_TRUE(region->Contains(centre));
    EXPECT_FALSE(region->Contains(beside));
    EXPECT_TRUE(label->HitTest(centre, surface.canvas()));
    EXPECT_TRUE(label->HitTest(Device(BoxPoint(w - 15, 185)), surface.canvas()));
    EXPECT_FALSE(label->HitTest(beside, surface.canvas()));
    EXPECT_FALSE(label->HitTest(Device(BoxPoint(w + 30, 100)), surface.canvas()));
    EXPECT_FALSE(label->HitTest(Device(BoxPoint(w / 2.0, 240)), surface.canvas()));
}

TEST_F(TextLabelHitTest, GhostsAndEmptyLabelsAreNeverHit) {
    const QPoint centre = Device(BoxPoint(label->TextWidth / 2.0, 100));
    view.Roentgen = true;
    label->SetIstAufLoetseite(true);
    ASSERT_TRUE(label->IsXRayGhost());
    EXPECT_FALSE(label->HitTest(centre, surface.canvas()));

    label->SetIstAufLoetseite(false);
    label->SetTextString(QString());
    EXPECT_FALSE(label->HitTest(Device({1000, 1000}), surface.canvas()));
}

// --- Turning, scaling, moving ----------------------------------------------------------------

TEST(TextLabelTurnTest, FourQuarterTurnsReturnToTheStart) {
    auto label = MakeLabel(QStringLiteral("x"));
    label->Position = {1300, 700};
    const QPoint centre{1000, 1000};
    struct Step {
        double angle;
        bool upsideDown;
        QPoint position;
    };
    // Each turn is a quarter clockwise on the screen; half a turn reads upside down.
    const Step steps[] = {{-PiAsDouble / 2, false, {1300, 1300}},
                          {PiAsDouble, true, {700, 1300}},
                          {PiAsDouble / 2, false, {700, 700}},
                          {0.0, false, {1300, 700}}};
    for (const Step& step : steps) {
        label->Rotate90(centre, {});
        EXPECT_NEAR(label->Angle, step.angle, 1e-12);
        EXPECT_EQ(label->UpsideDown, step.upsideDown);
        EXPECT_EQ(label->Position, step.position);
    }
}

TEST(TextLabelTurnTest, UprightRuleMarksTheLowerHalfTurn) {
    TTextLabel label;
    const std::pair<double, bool> cases[] = {{0.0, false},
                                             {PiAsDouble / 2, false},
                                             {PiAsDouble / 2 + 1e-9, true},
                                             {PiAsDouble, true},
                                             {3 * PiAsDouble / 2, false},
                                             {-PiAsDouble / 2, false},
                                             {-PiAsDouble / 2 - 1e-9, true}};
    for (const auto& [angle, upsideDown] : cases) {
        label.Angle = angle;
        label.ApplyUprightRule();
        EXPECT_EQ(label.UpsideDown, upsideDown) << angle;
    }
}

struct ScaleCase {
    double fx, fy;
    int height, scaledHeight;
};

void PrintTo(const ScaleCase& c, std::ostream* os) {
    *os << "factors " << c.fx << " × " << c.fy;
}

class TextLabelScaleTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(TextLabelScaleTest, HeightFollowsTheFactorThatChanges) {
    const ScaleCase c = GetParam();
    auto label = MakeLabel(QStringLiteral("x"), c.height);
    label->Position = {1100, 1200};
    label->Scale({100, 200}, c.fx, c.fy);
    EXPECT_EQ(label->TextHeight, c.scaledHeight);
    EXPECT_EQ(label->Position, ScalePoint({1100, 1200}, {100, 200}, c.fx, c.fy));
}

INSTANTIATE_TEST_SUITE_P(Factors, TextLabelScaleTest,
                         ::testing::Values(ScaleCase{1, 2, 200, 400}, // only Y changes
                                           ScaleCase{2, 1, 200, 400}, // only X changes
                                           ScaleCase{2, 3, 200, 500}, // both: their mean
                                           ScaleCase{3, 3, 200, 600},
                                           ScaleCase{1, 0.5, 201, 100}, // halves to even
                                           ScaleCase{1, 0.5, 203, 102}, ScaleCase{1, 1, 200, 200}));

TEST(TextLabelTurnTest, MovingCarriesTheRememberedPositionAlong) {
    TTextLabel label;
    label.Position = {10, 20};
    label.MoveBy(5, 5);
    EXPECT_EQ(label.RememberedPosition, QPoint(0, 0)) << "nothing remembered yet";
    label.RememberShape();
    label.MoveBy(100, -50);
    EXPECT_EQ(label.Position, QPoint(115, -25));
    EXPECT_EQ(label.RememberedPosition, QPoint(115, -25));
    label.ForgetShape();
    label.MoveBy(1, 1);
    EXPECT_EQ(label.RememberedPosition, QPoint(115, -25));
}

// --- Stretching with a two-lead component -----------------------------------------------------

// A lead remembered from (x, 0) to (x, 500): the hole end first, the body end last.
std::unique_ptr<TDraht> MakeLead(int x) {
    auto lead = std::make_unique<TDraht>();
    lead->BauteilTyp = TBauteilTyp::btAnschluss;
    lead->Nodes = {{x, 0}, {x, 500}};
    lead->RememberShape();
    return lead;
}

struct StretchCase {
    const char* name;
    QPoint secondHole;   // where the second lead's hole end was dragged
    QPoint firstBodyEnd; // the first lead's body end after the component adapted
    double angle;        // the label's new angle
    bool upsideDown;
    QPoint position;
};

void PrintTo(const StretchCase& c, std::ostream* os) {
    *os << c.name;
}

class TextLabelStretchTest : public ::testing::TestWithParam<StretchCase> {};

TEST_P(TextLabelStretchTest, TurnsWithTheAxisAndFollowsTheFirstBody) {
    const StretchCase c = GetParam();
    auto first = MakeLead(0);
    auto second = MakeLead(1000);
    TTextLabel label;
    label.Position = {0, 700};
    label.RememberShape();
    label.Position = {5, 5}; // drawn elsewhere since: the remembered shape counts

    second->Nodes.front() = c.secondHole;
    first->Nodes.back() = c.firstBodyEnd;
    const double phi = double(Direction(first->Nodes.front(), second->Nodes.front()));
    label.Stretch(first.get(), second.get(), phi, second.get());
    EXPECT_NEAR(label.Angle, c.angle, 1e-12);
    EXPECT_EQ(label.UpsideDown, c.upsideDown);
    EXPECT_EQ(label.Position, c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, TextLabelStretchTest,
    ::testing::Values(
        // Dragged straight down: the axis turns three quarters, the label with it about the
        // remembered body end (0, 500), then moves with the body end by (10, 20).
        StretchCase{"Down", {0, 1000}, {10, 520}, 3 * PiAsDouble / 2, false, {-190, 520}},
        // Dragged to the left: half a turn, and the label is drawn upside-down corrected.
        StretchCase{"Left", {-1000, 0}, {0, 500}, PiAsDouble, true, {0, 300}},
        // Only lengthened: no turn, the label only follows the body.
        StretchCase{"Longer", {2000, 0}, {-100, 500}, 0.0, false, {-100, 700}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextLabelStretchTest, NothingHappensWithoutAnAxisOrRememberedShape) {
    auto first = MakeLead(0);
    auto second = MakeLead(0); // both holes remembered at one point: no axis
    TTextLabel label;
    label.Position = {0, 700};
    label.RememberShape();
    label.Stretch(first.get(), second.get(), 1.0, second.get());
    EXPECT_EQ(label.Angle, 0.0);
    EXPECT_EQ(label.Position, QPoint(0, 700));

    auto other = MakeLead(1000);
    label.ForgetShape();
    label.Stretch(first.get(), other.get(), 1.0, other.get());
    EXPECT_EQ(label.Angle, 0.0) << "a label that remembers nothing stays put";
    EXPECT_EQ(label.Position, QPoint(0, 700));
}

// --- Properties dialog ------------------------------------------------------------------------

class FakeTextDialog : public TextLabelDialog {
public:
    int PixelsPerInch() const override { return 96; }
    std::optional<TextLabelFields> Ask(const TextLabelFields& fields) override {
        shown = fields;
        return answer;
    }
    std::optional<TextLabelFields> shown;
    std::optional<TextLabelFields> answer;
};

class TextLabelEditTest : public ::testing::Test {
protected:
    void SetUp() override { TTextLabel::SetDialog(&dialog); }
    void TearDown() override { TTextLabel::SetDialog(nullptr); }

    FakeTextDialog dialog;
};

TEST_F(TextLabelEditTest, DialogShowsTheLabelAndOkStoresTheFields) {
    TTextLabel label;
    label.SetTextString(QStringLiteral("R1"));
    label.TextHeight = 200;
    label.Angle = PiAsDouble / 6;
    label.Placeholder = 1;
    label.SetStiftfarbe(255);
    label.Font.Underline = true;

    TextLabelFields answer;
    answer.Font.Face = QStringLiteral("Courier New");
    answer.Font.Bold = true;
    answer.FontColour = 65280;
    answer.Text = QStringLiteral("<value>");
    answer.Height = 3.0;
    answer.AngleDegrees = -45;
    answer.Placeholder = 2;
    dialog.answer = answer;

    ASSERT_TRUE(label.EditProperties());
    ASSERT_TRUE(dialog.shown.has_value());
    // The height field counts in the dialog font's points: 2 mm of cell at 96 pixels per inch.
    EXPECT_DOUBLE_EQ(dialog.shown->Height, 1.5);
    EXPECT_NEAR(dialog.shown->AngleDegrees, 30.0, 1e-12);
    EXPECT_EQ(dialog.shown->Text, QStringLiteral("R1"));
    EXPECT_EQ(dialog.shown->Placeholder, 1);
    EXPECT_EQ(dialog.shown->FontColour, 255u);
    EXPECT_TRUE(dialog.shown->Font.Underline);

    EXPECT_EQ(label.TextHeight, 400);
    EXPECT_NEAR(label.Angle, -PiAsDouble / 4, 1e-12);
    EXPECT_EQ(label.TextString(), QStringLiteral("<value>"));
    EXPECT_EQ(label.Placeholder, 2);
    EXPECT_EQ(label.Stiftfarbe(), 65280u);
    EXPECT_EQ(label.Font, answer.Font);
}

TEST_F(TextLabelEditTest, HeightSurvivesTheRoundTripThroughTheDialog) {
    for (int height : {1, 137, 200, 2999}) {
        TTextLabel label;
        label.TextHeight = std::int16_t(height);
        dialog.answer = std::nullopt;
        label.EditProperties();
        dialog.answer = dialog.shown;
        ASSERT_TRUE(label.EditProperties());
        EXPECT_EQ(label.TextHeight, height);
    }
}

TEST_F(TextLabelEditTest, CancelOrNoDialogChangesNothing) {
    TTextLabel label;
    label.SetTextString(QStringLiteral("keep"));
    dialog.answer = std::nullopt;
    EXPECT_FALSE(label.EditProperties());
    EXPECT_EQ(label.TextString(), QStringLiteral("keep"));
    EXPECT_EQ(label.TextHeight, 200);

    TTextLabel::SetDialog(nullptr);
    EXPECT_FALSE(label.EditProperties());
}

TEST(TextLabelTest, KindNameAndDefaultsFollowTheLanguage) {
    ViewState view;
    TPlatine board(view);
    auto* german = static_cast<TTextLabel*>(board.Add(std::make_unique<TTextLabel>()));
    EXPECT_EQ(german->GetKindName(), QStringLiteral("Text"));
    EXPECT_EQ(german->TextString(), QStringLiteral("Beschriftung"));
    view.Sprache = Language::English;
    EXPECT_EQ(german->GetKindName(), QStringLiteral("text"));
    EXPECT_EQ(TTextLabel(Language::English).TextString(), QStringLiteral("new label"));
    german->SetFraesen(true);
    EXPECT_FALSE(german->Fraesen()) << "a text is never milled";
}

} // namespace
} // namespace karvel
