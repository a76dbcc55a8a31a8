// Text labels drawn into a picture: colours, the filled cell, and where the ink lands once the
// label is turned, mirrored or seen from the solder side.

#include "board/Bibo.h"
#include "board/Platine.h"
#include "elements/Geometry.h"
#include "elements/Txtlabel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <map>
#include <memory>

namespace karvel {
namespace {

constexpr int UnitsPerPixel = 5;
constexpr Colour TextColour = RgbColour(200, 0, 0);
constexpr Colour BoxColour = RgbColour(255, 255, 128);
constexpr Colour White = colours::White;

// Counts the pixels of a device rectangle (clipped to the picture) that pass a test.
int CountPixels(const QImage& image, Rect r, const std::function<bool(Colour)>& test) {
    r = Intersection(r, {0, 0, image.width(), image.height()});
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            n += test(FromQColor(image.pixelColor(x, y))) ? 1 : 0;
    return n;
}

int CountInk(const QImage& image, const Rect& r) {
    return CountPixels(image, r, [](Colour c) { return c != White; });
}

int CountColour(const QImage& image, const Rect& r, Colour colour) {
    return CountPixels(image, r, [colour](Colour c) { return c == colour; });
}

// The most frequent colour other than the background (white, or the box colour of a filled
// cell): the text colour, since smoothed glyph edges spread over many different blends while
// the strokes themselves share one colour.
Colour MainInk(const QImage& image, Rect r) {
    std::map<Colour, int> histogram;
    CountPixels(image, r, [&histogram](Colour c) {
        if (c != White && c != BoxColour)
            ++histogram[c];
        return false;
    });
    if (histogram.empty())
        return White;
    return std::max_element(histogram.begin(), histogram.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

// A white picture whose canvas shows 5 board units per pixel; either axis may be flipped,
// as the mirrored print and the solder-side view do.
class Picture {
public:
    explicit Picture(bool flipX = false, bool flipY = false)
        : image_(400, 300, QImage::Format_RGB32) {
        image_.fill(Qt::white);
        canvas_ = std::make_unique<Canvas>(image_);
        canvas_->SetMapping(
            {0, 0},
            {flipX ? -UnitsPerPixel : UnitsPerPixel, flipY ? -UnitsPerPixel : UnitsPerPixel},
            {flipX ? image_.width() : 0, flipY ? image_.height() : 0}, {1, 1});
    }

    Canvas& canvas() { return *canvas_; }

    // The label's text box in device pixels, once drawing has measured it.
    Rect DeviceBox(const TTextLabel& label) const {
        Rect r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        for (const QPoint& corner : label.BoxCorners()) {
            const QPoint d = canvas_->LPtoDP(corner);
            r = {std::min(r.Left, d.x()), std::min(r.Top, d.y()), std::max(r.Right, d.x()),
                 std::max(r.Bottom, d.y())};
        }
        return r;
    }

    // Ends the painting so that the pixels can be read.
    const QImage& Finish() {
        canvas_.reset();
        return image_;
    }

private:
    QImage image_;
    std::unique_ptr<Canvas> canvas_;
};

Rect Grown(const Rect& r, int by) {
    return {r.Left - by, r.Top - by, r.Right + by, r.Bottom + by};
}

class TextLabelDrawTest : public ::testing::Test {
protected:
    void SetUp() override { label = AddLabel(board); }

    static TTextLabel* AddLabel(TPlatine& on) {
        auto* added = static_cast<TTextLabel*>(on.Add(std::make_unique<TTextLabel>()));
        added->SetTextString(QStringLiteral("TTT"));
        added->TextHeight = 400; // an 80-pixel cell
        added->Position = {200, 300};
        added->SetStiftfarbe(TextColour);
        added->SetBrushfarbe(BoxColour);
        return added;
    }

    // Makes the label a ghost: it lies on the solder side while the component side is viewed
    // with X-ray on.
    void MakeGhost() {
        view.Roentgen = true;
        label->SetIstAufLoetseite(true);
        ASSERT_TRUE(label->IsXRayGhost());
    }

    ViewState view;
    TPlatine board{view};
    TTextLabel* label = nullptr;
};

struct ColourCase {
    const char* name;
    bool selected, outline, ghost;
    Colour expected;
};

void PrintTo(const ColourCase& c, std::ostream* os) {
    *os << c.name;
}

class TextLabelColourTest : public TextLabelDrawTest,
                            public ::testing::WithParamInterface<ColourCase> {};

TEST_P(TextLabelColourTest, TextTakesTheColourOfItsState) {
    const ColourCase c = GetParam();
    label->SetIstMarkiert(c.selected);
    label->SetUmrissFlag(c.outline);
    if (c.ghost)
        MakeGhost();
    Picture picture;
    label->Draw(picture.canvas());
    const Rect box = picture.DeviceBox(*label);
    const QImage& image = picture.Finish();
    EXPECT_EQ(MainInk(image, box), c.expected);
    EXPECT_GT(CountColour(image, box, c.expected), 200);
}

INSTANTIATE_TEST_SUITE_P(
    States, TextLabelColourTest,
    ::testing::Values(ColourCase{"Normal", false, false, false, TextColour},
                      ColourCase{"Selected", true, false, false, colours::Selected},
                      ColourCase{"SelectedOutline", true, true, false, colours::Selected},
                      ColourCase{"Outline", false, true, false, colours::Black},
                      ColourCase{"Ghost", false, false, true, 8421504},
                      ColourCase{"GhostOutline", false, true, true, colours::Silver},
                      // The ghost colour wins over the selection.
                      ColourCase{"GhostSelected", true, false, true, 8421504}),
    [](const auto& info) { return std::string(info.param.name); });

struct FillCase {
    const char* name;
    bool fill, outline, ghost;
    bool filled;
};

void PrintTo(const FillCase& c, std::ostream* os) {
    *os << c.name;
}

class TextLabelFillTest : public TextLabelDrawTest,
                          public ::testing::WithParamInterface<FillCase> {};

TEST_P(TextLabelFillTest, CellIsFilledOnlyForAFilledAreaThatIsNoGhost) {
    const FillCase c = GetParam();
    label->SetFuellenFlag(c.fill);
    label->SetUmrissFlag(c.outline);
    if (c.ghost)
        MakeGhost();
    Picture picture;
    label->Draw(picture.canvas());
    const Rect box = picture.DeviceBox(*label);
    const QImage& image = picture.Finish();
    // "T" leaves the top of its cell and everything below the base line free of ink.
    const Colour expected = c.filled ? BoxColour : White;
    EXPECT_EQ(FromQColor(image.pixelColor(box.Left + 3, box.Top + 3)), expected);
    EXPECT_EQ(FromQColor(image.pixelColor(box.Right - 4, box.Bottom - 4)), expected);
    EXPECT_EQ(FromQColor(image.pixelColor(box.Left + 3, box.Bottom - 4)), expected);
    // Nothing spills beyond the cell.
    EXPECT_EQ(
        CountColour(image, {box.Left - 30, box.Top - 30, box.Right + 30, box.Top - 2}, BoxColour),
        0);
    EXPECT_EQ(FromQColor(image.pixelColor(box.Right + 3, box.Top + 3)), White);
}

INSTANTIATE_TEST_SUITE_P(Modes, TextLabelFillTest,
                         ::testing::Values(FillCase{"Filled", true, false, false, true},
                                           FillCase{"NotFilled", false, false, false, false},
                                           FillCase{"Outline", true, true, false, false},
                                           FillCase{"Ghost", true, false, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextLabelDrawTest, HiddenOrOtherSideLabelsLeaveNoInk) {
    label->SetVisible(false);
    {
        Picture picture;
        label->Draw(picture.canvas());
        EXPECT_EQ(CountInk(picture.Finish(), {0, 0, 400, 300}), 0);
    }
    label->SetVisible(true);
    label->SetIstAufLoetseite(true); // other side, X-ray off
    Picture picture;
    label->Draw(picture.canvas());
    EXPECT_EQ(CountInk(picture.Finish(), {0, 0, 400, 300}), 0);
}

TEST_F(TextLabelDrawTest, QuarterTurnRunsUpwardsInsideItsBox) {
    label->SetFuellenFlag(false);
    label->Position = {200, 1300};
    label->Angle = double(Pi) / 2;
    Picture picture;
    label->Draw(picture.canvas());
    const Rect box = picture.DeviceBox(*label);
    const QImage& image = picture.Finish();
    ASSERT_EQ(box.Bottom, 260);
    ASSERT_GT(box.Height(), box.Width()) << "the box stands upright";
    EXPECT_GT(CountInk(image, box), 200);
    EXPECT_EQ(CountInk(image, {0, 0, 400, 300}), CountInk(image, Grown(box, 2)));
}

// Ink in the upper and the lower half of the box: a "T" is heavier at its top.
std::pair<int, int> InkByHalves(const QImage& image, const Rect& box) {
    const int middle = (box.Top + box.Bottom) / 2;
    return {CountInk(image, {box.Left, box.Top, box.Right, middle}),
            CountInk(image, {box.Left, middle, box.Right, box.Bottom})};
}

TEST_F(TextLabelDrawTest, TwoQuarterTurnsAreDrawnTheRightWayUp) {
    label->SetFuellenFlag(false);
    label->Position = {1200, 1200};
    label->Rotate90({1000, 1000}, {});
    label->Rotate90({1000, 1000}, {});
    ASSERT_TRUE(label->UpsideDown);
    Picture picture;
    label->Draw(picture.canvas());
    const Rect box = picture.DeviceBox(*label);
    const QImage& image = picture.Finish();
    EXPECT_EQ(CountInk(image, {0, 0, 400, 300}), CountInk(image, Grown(box, 2)));
    const auto [upper, lower] = InkByHalves(image, box);
    EXPECT_GT(upper, lower + 100) << "reads left to right, bars on top";

    // Without the correction the same box holds the text standing on its head.
    label->UpsideDown = false;
    Picture uncorrected;
    label->Draw(uncorrected.canvas());
    const QImage& turned = uncorrected.Finish();
    const auto [upperTurned, lowerTurned] = InkByHalves(turned, box);
    EXPECT_GT(lowerTurned, upperTurned + 100);
}

struct MirrorCase {
    bool flag;
    bool inkInBox;
};

void PrintTo(const MirrorCase& c, std::ostream* os) {
    *os << (c.flag ? "flagged" : "not flagged");
}

class TextLabelMirrorTest : public TextLabelDrawTest,
                            public ::testing::WithParamInterface<MirrorCase> {};

TEST_P(TextLabelMirrorTest, MirroredViewDrawsFromTheOtherEnd) {
    label->SetFuellenFlag(false);
    label->Position = {1000, 300};
    label->SetSpiegelnFlag(GetParam().flag);
    Picture picture(true, false);
    label->Draw(picture.canvas());
    const Rect box = picture.DeviceBox(*label);
    const QImage& image = picture.Finish();
    ASSERT_EQ(box.Right, 200) << "the position lies at the right end on a mirrored view";
    const Rect beyond{box.Right + 3, box.Top, box.Right + box.Width(), box.Bottom};
    EXPECT_EQ(CountInk(image, box) > 200, GetParam().inkInBox);
    EXPECT_EQ(CountInk(image, beyond) > 200, !GetParam().inkInBox);
}

INSTANTIATE_TEST_SUITE_P(Flag, TextLabelMirrorTest,
                         ::testing::Values(MirrorCase{true, true}, MirrorCase{false, false}),
                         [](const auto& info) {
                             return std::string(info.param.flag ? "Flagged" : "NotFlagged");
                         });

struct SolderCase {
    bool libraryPage;
    bool inkInBox;
};

void PrintTo(const SolderCase& c, std::ostream* os) {
    *os << (c.libraryPage ? "library page" : "board");
}

class TextLabelSolderSideTest : public ::testing::TestWithParam<SolderCase> {};

TEST_P(TextLabelSolderSideTest, SolderViewShiftsTheTextIntoItsBoxExceptOnLibraryPages) {
    ViewState view;
    view.Loetseite = true;
    std::unique_ptr<TPlatine> owner;
    if (GetParam().libraryPage)
        owner = std::make_unique<TBibo>(view);
    else
        owner = std::make_unique<TPlatine>(view);
    auto* label = static_cast<TTextLabel*>(owner->Add(std::make_unique<TTextLabel>()));
    label->SetTextString(QStringLiteral("TTT"));
    label->TextHeight = 400;
    label->Position = {200, 1000};
    label->SetFuellenFlag(false);
    label->SetIstAufLoetseite(true);
    Picture picture(false, true);
    label->Draw(picture.canvas());
    const Rect box = picture.DeviceBox(*label);
    const QImage& image = picture.Finish();
    ASSERT_EQ(box.Bottom, 100) << "seen from below the box rises from its position";
    const Rect below{box.Left, box.Bottom + 3, box.Right, box.Bottom + box.Height()};
    EXPECT_EQ(CountInk(image, box) > 200, GetParam().inkInBox);
    EXPECT_EQ(CountInk(image, below) > 200, !GetParam().inkInBox);
}

INSTANTIATE_TEST_SUITE_P(Owner, TextLabelSolderSideTest,
                         ::testing::Values(SolderCase{false, true}, SolderCase{true, false}),
                         [](const auto& info) {
                             return std::string(info.param.libraryPage ? "LibraryPage" : "Board");
                         });

struct TurnedCase {
    const char* name;
    int degrees;
    bool solderSide;
    bool filled;
};

void PrintTo(const TurnedCase& c, std::ostream* os) {
    *os << c.name;
}

class TextLabelTurnedTest : public ::testing::TestWithParam<TurnedCase> {};

// The box is what hit tests, the rubber band and repaints use, so the glyphs and the filled
// cell must lie inside it, from either side of the board and at any angle.
TEST_P(TextLabelTurnedTest, GlyphsAndCellStayInsideTheBox) {
    const TurnedCase c = GetParam();
    ViewState view;
    view.Loetseite = c.solderSide;
    TPlatine board(view);
    auto* label = static_cast<TTextLabel*>(board.Add(std::make_unique<TTextLabel>()));
    label->SetTextString(QStringLiteral("TTT"));
    label->TextHeight = 400;
    label->Position = c.solderSide ? QPoint(1200, 900) : QPoint(600, 1000);
    label->Angle = c.degrees * double(Pi) / 180.0;
    label->ApplyUprightRule();
    label->SetFuellenFlag(c.filled);
    label->SetStiftfarbe(TextColour);
    label->SetBrushfarbe(BoxColour);
    label->SetIstAufLoetseite(c.solderSide);
    Picture picture(false, c.solderSide);
    label->Draw(picture.canvas());
    const Rect bounds = Normalised(picture.canvas().LPtoDP(label->GetBounds(picture.canvas())));
    const Rect box = Grown(bounds, 2);
    const QImage& image = picture.Finish();
    const Rect all{0, 0, image.width(), image.height()};
    ASSERT_TRUE(Intersection(box, all) == box) << "the whole box lies in the picture";
    const auto dark = [](Colour colour) {
        const QColor q = ToQColor(colour);
        return q.red() + q.green() + q.blue() < 3 * 160 && colour != BoxColour;
    };
    const int inside = CountPixels(image, box, dark);
    EXPECT_GT(inside, 150);
    EXPECT_EQ(CountPixels(image, all, dark), inside) << "no dark pixel outside the box";
    if (c.filled) {
        EXPECT_GT(CountColour(image, box, BoxColour), 2000);
        EXPECT_EQ(CountColour(image, all, BoxColour), CountColour(image, box, BoxColour));
    }
}

INSTANTIATE_TEST_SUITE_P(AnglesAndSides, TextLabelTurnedTest,
                         ::testing::Values(TurnedCase{"ComponentSide30", 30, false, false},
                                           TurnedCase{"ComponentSide90", 90, false, false},
                                           TurnedCase{"SolderSide30", 30, true, false},
                                           TurnedCase{"SolderSide90", 90, true, false},
                                           TurnedCase{"SolderSide90Filled", 90, true, true},
                                           TurnedCase{"SolderSide30Filled", 30, true, true},
                                           TurnedCase{"SolderSide240", 240, true, false},
                                           TurnedCase{"ComponentSide30Filled", 30, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace karvel
