#include "elements/ContourBuilder.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

using Points = std::vector<QPoint>;

Points Build(const Points& nodes, bool closed, bool smoothed,
             TGlaettenStil style = TGlaettenStil::glSpline, long double amount = 200.0L) {
    return ContourBuilder(nodes, {closed, smoothed, style, amount, 0.05L}).Build();
}

const Points Triangle{{0, 0}, {1000, 0}, {0, 1000}};
const Points SquareNodes{{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}};
const Points Corner{{0, 0}, {1000, 0}, {1000, 1000}};

TEST(ContourBuilderTest, WithoutSmoothingTheContourIsTheNodesClosedForClosedKinds) {
    EXPECT_EQ(Build(SquareNodes, false, false), SquareNodes);
    Points closed = SquareNodes;
    closed.push_back(SquareNodes.front());
    EXPECT_EQ(Build(SquareNodes, true, false), closed);
    EXPECT_TRUE(Build({}, true, true).empty());
}

TEST(ContourBuilderTest, ClosedSplineRunsThroughTheMidpointsOfTheSides) {
    const Points c = Build(Triangle, true, true);
    // Three arcs of 20 sampled points and their end each.
    ASSERT_EQ(c.size(), 63u);
    EXPECT_EQ(c.front(), QPoint(500, 0)) << "starts at the middle of the first side";
    EXPECT_EQ(c.back(), QPoint(500, 0)) << "and ends there: no extra point closes it";
    EXPECT_EQ(c[20], QPoint(500, 500)) << "the first arc ends at the middle of the second side";
    EXPECT_EQ(c[21], QPoint(500, 500)) << "where the second arc begins";
    // t = 0.5 of the arc (500,0)-(1000,0)-(500,500): a quarter, a half and a quarter.
    EXPECT_EQ(c[10], QPoint(750, 125));
    // t = 0.25 of the arc (0,500)-(0,0)-(500,0): 9/16 S + 6/16 C + 1/16 E.
    EXPECT_EQ(c[47], QPoint(31, 281));
}

TEST(ContourBuilderTest, OpenSplineKeepsTheFirstAndLastHalfSegmentsStraight) {
    const Points c = Build(Corner, false, true);
    ASSERT_EQ(c.size(), 23u);
    EXPECT_EQ(c[0], QPoint(0, 0));
    EXPECT_EQ(c[1], QPoint(500, 0));
    EXPECT_EQ(c[11], QPoint(875, 125));
    EXPECT_EQ(c[21], QPoint(1000, 500));
    EXPECT_EQ(c[22], QPoint(1000, 1000));
}

TEST(ContourBuilderTest, TwoNodePolylineIsUnchangedByEverySmoothingStyle) {
    const Points line{{100, 200}, {900, 700}};
    for (TGlaettenStil style :
         {TGlaettenStil::glSpline, TGlaettenStil::glFase, TGlaettenStil::glRundung})
        EXPECT_EQ(Build(line, false, true, style, 50.0L), line) << int(style);
}

TEST(ContourBuilderTest, ChamferedSquareCutsEveryCornerAtTheAmount) {
    const Points c = Build(SquareNodes, true, true, TGlaettenStil::glFase, 100.0L);
    // Five corners (the first one twice) of two points, and the first point again.
    const Points expected{{900, 0}, {1000, 100}, {1000, 900}, {900, 1000}, {100, 1000}, {0, 900},
                          {0, 100}, {100, 0},    {900, 0},    {1000, 100}, {900, 0}};
    EXPECT_EQ(c, expected);
}

TEST(ContourBuilderTest, ChamferLargerThanTheEdgesCutsFromNeighbourToNeighbour) {
    const Points nodes{{0, 0}, {100, 0}, {100, 50}};
    EXPECT_EQ(Build(nodes, false, true, TGlaettenStil::glFase, 500.0L),
              (Points{{0, 0}, {0, 0}, {100, 50}, {100, 50}}));
    // Only the longer edge is long enough to be cut at the amount.
    EXPECT_EQ(Build(nodes, false, true, TGlaettenStil::glFase, 70.0L),
              (Points{{0, 0}, {30, 0}, {100, 50}, {100, 50}}));
}

TEST(ContourBuilderTest, RoundedCornerIsAnArcBetweenTheCutPoints) {
    const Points c = Build(Corner, false, true, TGlaettenStil::glRundung, 200.0L);
    ASSERT_EQ(c.size(), 23u);
    EXPECT_EQ(c[1], QPoint(800, 0));
    EXPECT_EQ(c[11], QPoint(950, 50));
    EXPECT_EQ(c[21], QPoint(1000, 200));
    EXPECT_EQ(c[22], QPoint(1000, 1000));

    // Closed: n + 1 rounded corners and the first point again.
    const Points closed = Build(SquareNodes, true, true, TGlaettenStil::glRundung, 200.0L);
    ASSERT_EQ(closed.size(), 5u * 21u + 1u);
    EXPECT_EQ(closed.front(), QPoint(800, 0));
    EXPECT_EQ(closed.back(), closed.front());
}

TEST(ContourBuilderTest, AStepThatDoesNotAdvanceFallsBackToTheUsualStep) {
    const Points c =
        ContourBuilder(Triangle, {true, true, TGlaettenStil::glSpline, 0, 0.0L}).Build();
    EXPECT_EQ(c.size(), 63u);
}

TEST(ContourBuilderTest, CoarserStepGivesFewerPointsPerArc) {
    // t = 0, 0.25, 0.5, 0.75, 1 and the end: one point more where t reaches 1 exactly.
    const Points c =
        ContourBuilder(Triangle, {true, true, TGlaettenStil::glSpline, 0, 0.25L}).Build();
    EXPECT_EQ(c.size(), 3u * 6u);
}

} // namespace
} // namespace karvel
