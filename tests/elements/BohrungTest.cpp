#include "elements/Bohrung.h"
#include "board/Platine.h"
#include "elements/DrillingDialog.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>
#include <memory>

namespace karvel {
namespace {

using test::PixelAt;

constexpr Colour Background = RgbColour(0x40, 0x80, 0xC0);
constexpr Colour DrillingGrey = 8421504;

// One drilling at (500, 500) on a board drawn at one pixel per five units: its centre is
// pixel (100, 100), and a 2.0 mm drilling has a radius of 20 pixels.
class DrillingFixture : public ::testing::Test {
protected:
    DrillingFixture() : image(200, 200, QImage::Format_RGB32), board(view) {
        image.fill(ToQColor(Background));
        drilling = static_cast<TBohrung*>(board.Add(std::make_unique<TBohrung>()));
        drilling->Centre = {500, 500};
    }

    void Draw() {
        Canvas canvas(image);
        canvas.SetMapping({0, 0}, {5, 5}, {0, 0}, {1, 1});
        drilling->Draw(canvas);
    }

    QImage image;
    ViewState view;
    TPlatine board;
    TBohrung* drilling = nullptr;
};

TEST_F(DrillingFixture, ShowsTheCrossOnlyAboveTwoMillimetres) {
    Draw();
    EXPECT_EQ(PixelAt(image, 100, 100), DrillingGrey) << "2.0 mm: no cross";
    EXPECT_EQ(PixelAt(image, 105, 100), DrillingGrey);

    drilling->Diameter = 2.01; // radius round(100.5) = 100 units, arms 50 units = 10 pixels
    Draw();
    EXPECT_EQ(PixelAt(image, 105, 100), colours::Silver) << "horizontal arm";
    EXPECT_EQ(PixelAt(image, 100, 93), colours::Silver) << "vertical arm";
    EXPECT_EQ(PixelAt(image, 112, 100), DrillingGrey) << "beyond the arm";
    EXPECT_EQ(PixelAt(image, 105, 105), DrillingGrey) << "between the arms";
}

TEST_F(DrillingFixture, RimIsSilverAndMagentaWhenSelected) {
    Draw();
    EXPECT_EQ(PixelAt(image, 80, 100), colours::Silver);
    EXPECT_EQ(PixelAt(image, 79, 100), Background);
    drilling->SetIstMarkiert(true);
    Draw();
    EXPECT_EQ(PixelAt(image, 80, 100), colours::Selected);
    EXPECT_EQ(PixelAt(image, 100, 100), DrillingGrey);
}

TEST_F(DrillingFixture, OutlineModeDrawsOnlyTheRim) {
    drilling->SetUmrissFlag(true);
    drilling->Diameter = 3.0; // with the cross
    Draw();
    EXPECT_EQ(PixelAt(image, 90, 110), Background) << "the brush is clear";
    EXPECT_EQ(PixelAt(image, 70, 100), colours::Silver);
    EXPECT_EQ(PixelAt(image, 105, 100), colours::Silver);
}

TEST_F(DrillingFixture, RegionReachesOnePixelBeyondTheRim) {
    Canvas canvas(image);
    canvas.SetMapping({0, 0}, {5, 5}, {0, 0}, {1, 1});
    const std::optional<Region> region = drilling->CreateRegion(canvas);
    ASSERT_TRUE(region.has_value());
    EXPECT_TRUE(region->Contains({79, 100}));
    EXPECT_TRUE(region->Contains({120, 100}));
    EXPECT_FALSE(region->Contains({78, 100}));
    EXPECT_FALSE(region->Contains({121, 100}));
}

TEST(BohrungTest, FixedPropertiesIgnoreWhatTheyAreGiven) {
    TBohrung drilling;
    drilling.SetFraesen(true);
    drilling.SetKupferFlag(true);
    drilling.SetFuellenFlag(false);
    drilling.SetGlaetten(true);
    drilling.SetStiftfarbe(colours::White);
    EXPECT_FALSE(drilling.Fraesen());
    EXPECT_FALSE(drilling.KupferFlag());
    EXPECT_TRUE(drilling.FuellenFlag());
    EXPECT_FALSE(drilling.Glaetten());
    EXPECT_EQ(drilling.Stiftfarbe(), colours::Black);
    EXPECT_EQ(drilling.BauteilTyp, TBauteilTyp::btBohrung);
}

TEST(BohrungTest, ScalingKeepsTheDiameter) {
    QImage image(10, 10, QImage::Format_RGB32);
    Canvas canvas(image);
    TBohrung drilling;
    drilling.Centre = {300, 300};
    drilling.Diameter = 0.8;
    drilling.FitToRect({0, 0, 600, 600}, {0, 0, 60, 60});
    EXPECT_EQ(drilling.Centre, QPoint(300, 300));
    EXPECT_EQ(drilling.GetBounds(canvas), (Rect{260, 260, 340, 340}));
}

// Answers the dialog with a fixed result and remembers what it was shown.
class FakeDrillingDialog : public DrillingDialog {
public:
    explicit FakeDrillingDialog(std::optional<double> answer) : answer_(answer) {}
    std::optional<double> Ask(const QString& caption, double diameter) override {
        shownCaption = caption;
        shownDiameter = diameter;
        return answer_;
    }
    QString shownCaption;
    double shownDiameter = 0;

private:
    std::optional<double> answer_;
};

class DrillingDialogTest : public ::testing::Test {
protected:
    DrillingDialogTest() : board(view) {
        drilling = static_cast<TBohrung*>(board.Add(std::make_unique<TBohrung>()));
        drilling->Diameter = 0.8;
    }
    ~DrillingDialogTest() override { TBohrung::SetDialog(nullptr); }

    ViewState view;
    TPlatine board;
    TBohrung* drilling = nullptr;
};

TEST_F(DrillingDialogTest, OkTakesTheNewDiameter) {
    FakeDrillingDialog dialog(1.3);
    TBohrung::SetDialog(&dialog);
    EXPECT_TRUE(drilling->EditProperties());
    EXPECT_EQ(drilling->Diameter, 1.3);
    EXPECT_EQ(dialog.shownCaption, QStringLiteral("Bohrung"));
    EXPECT_EQ(dialog.shownDiameter, 0.8);
}

TEST_F(DrillingDialogTest, CancelKeepsTheDiameter) {
    view.Sprache = Language::English;
    FakeDrillingDialog dialog(std::nullopt);
    TBohrung::SetDialog(&dialog);
    EXPECT_FALSE(drilling->EditProperties());
    EXPECT_EQ(drilling->Diameter, 0.8);
    EXPECT_EQ(dialog.shownCaption, QStringLiteral("Drilling"));
}

TEST_F(DrillingDialogTest, WithoutADialogNothingIsEdited) {
    EXPECT_FALSE(drilling->EditProperties());
    EXPECT_EQ(drilling->Diameter, 0.8);
}

} // namespace
} // namespace karvel
