// Elements at the ends of the 32-bit range: bounds, hit tests and mappings stay defined and
// clamp to the edge of the range instead of wrapping to the other side. (The sanitizer build
// turns any overflow here into a failure.)

#include "board/Platine.h"
#include "elements/Auge.h"
#include "elements/Bohrung.h"
#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "elements/Gruppe.h"
#include "platform/Canvas.h"
#include "platform/Mapping.h"
#include "support/SampleBoard.h"

#include <gtest/gtest.h>
#include <limits>
#include <QtGui/QImage>

namespace karvel {
namespace {

constexpr int Max = std::numeric_limits<int>::max();
constexpr int Min = std::numeric_limits<int>::min();

TEST(FarCoordinatesTest, RectangleArithmeticClampsToTheRange) {
    EXPECT_EQ((Rect{Min, Min, Max, Max}).Width(), Max);
    EXPECT_EQ((Rect{Max, 0, Min, 1}).Width(), Min);
    EXPECT_EQ(SquareAround({Max - 10, Min + 10}, 50), (Rect{Max - 60, Min, Max, Min + 60}));
    EXPECT_EQ(Inflated(Rect{Min, 0, Max, 10}, 5), (Rect{Min, -5, Max, 15}));
    EXPECT_EQ(Inflated(Rect{0, 0, 100, 100}, -10), (Rect{10, 10, 90, 90}));
    EXPECT_EQ(InflateNormalised(Rect{Max, Max, Max, Max}, 100),
              (Rect{Max - 101, Max - 101, Max, Max}));
    EXPECT_EQ(Normalised(Rect{Min, Min, Min, Min}), (Rect{Min, Min, Min + 1, Min + 1}));
    EXPECT_EQ(Midpoint({Min, Max}, {Max, Min}), QPoint(-1, 0));
}

TEST(FarCoordinatesTest, MappingsClampWhatLiesBeyondTheDeviceRange) {
    Mapping m;
    m.WindowExt = {254, 254};
    m.ViewportExt = {320, 320};
    EXPECT_EQ(m.ToDevice({Max, Min}), QPoint(Max, Min));
    EXPECT_EQ(m.ToDevice({254, -254}), QPoint(320, -320));
    m.WindowOrg = {Min, Max};
    EXPECT_EQ(m.ToDevice({Max, Min}), QPoint(Max, Min));
}

TEST(FarCoordinatesTest, ElementBoundsAndHitsStayDefined) {
    QImage image(10, 10, QImage::Format_RGB32);
    Canvas canvas(image);

    TAuge pad;
    pad.Centre = {Max - 10, Min + 10};
    pad.Diameter = 1.0;
    EXPECT_EQ(pad.GetBounds(canvas), (Rect{Max - 60, Min, Max, Min + 60}));
    EXPECT_EQ(pad.GetRedrawBounds(canvas), (Rect{Max - 110, Min, Max, Min + 110}));
    EXPECT_FALSE(pad.HitTest({5, 5}, canvas));

    TBohrung drilling;
    drilling.Centre = {Min, Max};
    drilling.Diameter = 1e9; // a radius beyond the range
    EXPECT_EQ(drilling.GetBounds(canvas), (Rect{Min, 0, Min + Max, Max}));

    auto wire = test::MakeWire(TBauteilTyp::btDraht, {{Min, 0}, {Max, 0}});
    wire->SetStiftbreite(100);
    EXPECT_EQ(wire->GetBounds(canvas), (Rect{Min, -50, Max, 50}));
    EXPECT_EQ(wire->GetInnerBounds(canvas), (Rect{Min + 50, -1, Max - 50, 1}));
    wire->HitTest({5, 5}, canvas);

    TGruppe group;
    group.AddMember(std::move(wire));
    auto far = std::make_unique<TAuge>();
    far->Centre = {0, Max};
    group.AddMember(std::move(far));
    EXPECT_EQ(group.GetRedrawBounds(canvas), (Rect{Min, -100, Max, Max}));
}

TEST(FarCoordinatesTest, ABoardAtTheEdgeOfTheRangeMapsAndSizesWithoutWrapping) {
    ViewState view;
    TPlatine board(view);
    board.SetNullpunkt({Max - 100, Max - 100});
    board.SetSize(1000, 1000);
    EXPECT_EQ(board.BoardRect(), (Rect{Max - 100, Max - 100, Max, Max}));
    EXPECT_GT(board.ControlSize().width(), 0);
    EXPECT_EQ(board.HoleIndex({0, 0}), QPoint(0, 0));
    view.Loetseite = true;
    EXPECT_GT(board.BoardToControl({0, Max - 100}).y(), board.BoardToControl({0, Max}).y())
        << "seen from below the board turns over inside the range";
}

} // namespace
} // namespace karvel
