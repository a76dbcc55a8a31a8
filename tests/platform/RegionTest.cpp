#include "platform/Region.h"
#include "support/Shapes.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

namespace karvel {
namespace {

using test::Pentagram;
using test::Square;

TEST(RegionRect, CoversLeftToRightMinusOne) {
    const Region region = Region::FromRect({10, 20, 30, 25});
    EXPECT_TRUE(region.Contains({10, 20}));
    EXPECT_TRUE(region.Contains({29, 24}));
    EXPECT_FALSE(region.Contains({30, 20}));
    EXPECT_FALSE(region.Contains({10, 25}));
    EXPECT_FALSE(region.Contains({9, 20}));
    EXPECT_EQ(region.Bounds(), (Rect{10, 20, 30, 25}));
}

TEST(RegionRect, AcceptsCornersInAnyOrder) {
    EXPECT_EQ(Region::FromRect({30, 25, 10, 20}), Region::FromRect({10, 20, 30, 25}));
    EXPECT_EQ(Region::FromRect({30, 20, 10, 25}), Region::FromRect({10, 20, 30, 25}));
}

TEST(RegionRect, WithoutAreaIsEmpty) {
    EXPECT_TRUE(Region::FromRect({10, 20, 10, 40}).IsEmpty());
    EXPECT_TRUE(Region::FromRect({10, 20, 40, 20}).IsEmpty());
    EXPECT_TRUE(Region().IsEmpty());
    EXPECT_FALSE(Region::FromRect({10, 20, 11, 21}).IsEmpty());
}

TEST(RegionEllipse, IsInscribedWithRightAndBottomOutside) {
    const Region region = Region::FromEllipse({10, 10, 31, 21}); // centre (20, 15)
    EXPECT_TRUE(region.Contains({20, 15}));
    EXPECT_TRUE(region.Contains({10, 15}));
    EXPECT_TRUE(region.Contains({30, 15}));
    EXPECT_TRUE(region.Contains({20, 10}));
    EXPECT_TRUE(region.Contains({20, 20}));
    EXPECT_FALSE(region.Contains({31, 15}));
    EXPECT_FALSE(region.Contains({20, 21}));
    EXPECT_FALSE(region.Contains({10, 10})) << "the corners of the box lie outside the ellipse";
    EXPECT_FALSE(region.Contains({30, 20}));
    EXPECT_EQ(region.Bounds(), (Rect{10, 10, 31, 21}));
}

TEST(RegionEllipse, IsSymmetricAboutBothAxes) {
    for (const Rect box : {Rect{10, 10, 31, 21}, Rect{0, 0, 40, 16}, Rect{-7, 3, 2, 60}}) {
        const Region region = Region::FromEllipse(box);
        for (int y = box.Top; y < box.Bottom; ++y)
            for (int x = box.Left; x < box.Right; ++x) {
                const QPoint mirrored(box.Left + box.Right - 1 - x, box.Top + box.Bottom - 1 - y);
                ASSERT_EQ(region.Contains({x, y}), region.Contains({mirrored.x(), y}))
                    << x << "," << y;
                ASSERT_EQ(region.Contains({x, y}), region.Contains({x, mirrored.y()}))
                    << x << "," << y;
            }
        EXPECT_EQ(region.Bounds(), box);
    }
}

TEST(RegionEllipse, EqualsTheSameAreaBuiltOtherwise) {
    const Region ellipse = Region::FromEllipse({0, 0, 9, 9});
    Region rows;
    for (int y = 0; y < 9; ++y) {
        Region row;
        for (int x = 0; x < 9; ++x)
            if (ellipse.Contains({x, y}))
                row = row.Combined(Region::FromRect({x, y, x + 1, y + 1}), CombineMode::Or);
        rows = rows.Combined(row, CombineMode::Or);
    }
    EXPECT_EQ(ellipse, rows);
    EXPECT_EQ(ellipse.Combined(rows, CombineMode::Xor), Region());
}

TEST(RegionEllipse, WithoutAreaIsEmpty) {
    EXPECT_TRUE(Region::FromEllipse({10, 10, 10, 30}).IsEmpty());
}

TEST(RegionPolygon, LeavesOutRightAndBottomEdges) {
    const auto square = Square(0, 0, 10);
    const Region region = Region::FromPolygon(square, FillMode::Alternate);
    EXPECT_TRUE(region.Contains({0, 0}));
    EXPECT_TRUE(region.Contains({9, 9}));
    EXPECT_FALSE(region.Contains({10, 9}));
    EXPECT_FALSE(region.Contains({9, 10}));
}

TEST(RegionPolygon, FillModeDecidesTwiceWoundArea) {
    const auto star = Pentagram({50, 50}, 40);
    const Region alternate = Region::FromPolygon(star, FillMode::Alternate);
    const Region winding = Region::FromPolygon(star, FillMode::Winding);
    EXPECT_FALSE(alternate.Contains({50, 50}));
    EXPECT_TRUE(winding.Contains({50, 50}));
    // A point of the star is wound once: inside in both modes.
    EXPECT_TRUE(alternate.Contains({50, 20}));
    EXPECT_TRUE(winding.Contains({50, 20}));
}

TEST(RegionPolygon, NeedsThreePoints) {
    const std::vector<QPoint> line{{0, 0}, {10, 10}};
    EXPECT_TRUE(Region::FromPolygon(line, FillMode::Winding).IsEmpty());
    EXPECT_TRUE(Region::FromPolygon({}, FillMode::Winding).IsEmpty());
}

TEST(RegionPolyPolygon, UnitesThePolygons) {
    // Nested and overlapping squares: a region of the united areas, without holes.
    const std::vector<std::vector<QPoint>> polygons{Square(0, 0, 40), Square(10, 10, 10),
                                                    Square(30, 30, 20)};
    const Region region = Region::FromPolyPolygon(polygons, FillMode::Alternate);
    EXPECT_TRUE(region.Contains({15, 15}));
    EXPECT_TRUE(region.Contains({35, 35}));
    EXPECT_TRUE(region.Contains({45, 45}));
    EXPECT_FALSE(region.Contains({45, 5}));
}

TEST(RegionPolyPolygon, AppliesFillModeWithinEachPolygon) {
    const std::vector<std::vector<QPoint>> polygons{Pentagram({50, 50}, 40), Square(200, 0, 10)};
    EXPECT_FALSE(Region::FromPolyPolygon(polygons, FillMode::Alternate).Contains({50, 50}));
    EXPECT_TRUE(Region::FromPolyPolygon(polygons, FillMode::Winding).Contains({50, 50}));
    EXPECT_TRUE(Region::FromPolyPolygon(polygons, FillMode::Alternate).Contains({205, 5}));
}

struct CombineCase {
    CombineMode mode;
    bool onlyFirst, both, onlySecond, neither;
};

void PrintTo(const CombineCase& c, std::ostream* os) {
    *os << "mode " << int(c.mode);
}

class RegionCombine : public ::testing::TestWithParam<CombineCase> {};

TEST_P(RegionCombine, GivesTheSetOperation) {
    const CombineCase& c = GetParam();
    const Region first = Region::FromRect({0, 0, 10, 10});
    const Region second = Region::FromRect({5, 0, 15, 10});
    const Region result = first.Combined(second, c.mode);
    EXPECT_EQ(result.Contains({2, 5}), c.onlyFirst);
    EXPECT_EQ(result.Contains({7, 5}), c.both);
    EXPECT_EQ(result.Contains({12, 5}), c.onlySecond);
    EXPECT_EQ(result.Contains({20, 5}), c.neither);
    // The operands are values and stay as they were.
    EXPECT_EQ(first, Region::FromRect({0, 0, 10, 10}));
    EXPECT_EQ(second, Region::FromRect({5, 0, 15, 10}));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, RegionCombine,
    ::testing::Values(CombineCase{CombineMode::And, false, true, false, false},
                      CombineCase{CombineMode::Or, true, true, true, false},
                      CombineCase{CombineMode::Diff, true, false, false, false},
                      CombineCase{CombineMode::Xor, true, false, true, false}));

TEST(RegionIntersectsRect, CountsSharedPixelsOnly) {
    const Region region = Region::FromRect({10, 10, 20, 20});
    EXPECT_TRUE(region.IntersectsRect({19, 19, 25, 25})) << "one shared pixel";
    EXPECT_FALSE(region.IntersectsRect({20, 10, 30, 20})) << "touching the right edge";
    EXPECT_FALSE(region.IntersectsRect({10, 20, 20, 30})) << "touching the bottom edge";
    EXPECT_TRUE(region.IntersectsRect({25, 25, 19, 19})) << "corners swapped";
    EXPECT_FALSE(region.IntersectsRect({12, 12, 12, 18})) << "no area";
}

TEST(RegionIntersectsRect, LooksIntoHoles) {
    // The rectangle lies within the bounds of a ring but only in its hole.
    const Region ring = Region::FromRect({0, 0, 30, 30})
                            .Combined(Region::FromRect({10, 10, 20, 20}), CombineMode::Diff);
    EXPECT_FALSE(ring.IntersectsRect({12, 12, 18, 18}));
    EXPECT_TRUE(ring.IntersectsRect({12, 12, 21, 18}));
    EXPECT_FALSE(ring.Contains({15, 15}));
    EXPECT_EQ(ring.Bounds(), (Rect{0, 0, 30, 30}));
}

TEST(RegionValue, TranslateMovesOnlyTheCopy) {
    const Region original = Region::FromRect({0, 0, 10, 10});
    Region moved = original;
    moved.Translate(5, -3);
    EXPECT_EQ(moved.Bounds(), (Rect{5, -3, 15, 7}));
    EXPECT_EQ(original.Bounds(), (Rect{0, 0, 10, 10}));
}

} // namespace
} // namespace karvel
