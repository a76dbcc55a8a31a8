#include "assistant/Contours.h"
#include "elements/Geometry.h"

#include <gtest/gtest.h>
#include <set>

namespace karvel {
namespace {

using Points = std::vector<QPoint>;
constexpr QPoint C{1000, 2000};

// Twice the signed area with y pointing down the screen: negative runs counter-clockwise on
// the screen.
long long ScreenOrientation(const Points& p) {
    long long sum = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const QPoint a = p[i];
        const QPoint b = p[(i + 1) % p.size()];
        sum += (long long)a.x() * b.y() - (long long)b.x() * a.y();
    }
    return sum;
}

TEST(ContoursTest, ATriangleStartsRightOfTheCentreAndRunsCounterClockwise) {
    const Points triangle = RegularPolygonVertices(C, 1000, 3, 0);
    EXPECT_EQ(triangle, (Points{{1500, 2000}, {750, 1567}, {750, 2433}}));
    EXPECT_LT(ScreenOrientation(triangle), 0);
    const Points turned = RegularPolygonVertices(C, 1000, 4, DegToRad(90));
    EXPECT_EQ(turned.front(), QPoint(1000, 1500)) << "the rotation turns the first corner up";
}

TEST(ContoursTest, RectangleTurnsCounterClockwiseAboutTheCentre) {
    EXPECT_EQ(RectangleVertices(C, 1000, 600, 0),
              (Points{{500, 1700}, {1500, 1700}, {1500, 2300}, {500, 2300}}));
    EXPECT_EQ(RectangleVertices(C, 1000, 600, DegToRad(90)),
              (Points{{700, 2500}, {700, 1500}, {1300, 1500}, {1300, 2500}}));
    EXPECT_EQ(RectangleVertices(C, 1000, 600, DegToRad(30)),
              (Points{{417, 1990}, {1283, 1490}, {1583, 2010}, {717, 2510}}));
}

TEST(ContoursTest, EllipseHasSixteenDistinctPointsOnItsHalfAxes) {
    const Points ellipse = EllipseVertices(C, 1000, 600, 0);
    ASSERT_EQ(ellipse.size(), 16u);
    EXPECT_EQ(ellipse.front(), QPoint(1462, 2115)) << "22.5 degrees below the x axis";
    EXPECT_EQ(ellipse[3], QPoint(1000, 2300));
    EXPECT_EQ(ellipse[7], QPoint(500, 2000));
    EXPECT_EQ(ellipse.back(), QPoint(1500, 2000));
    const std::set<std::pair<int, int>> distinct = [&] {
        std::set<std::pair<int, int>> s;
        for (const QPoint p : ellipse)
            s.insert({p.x(), p.y()});
        return s;
    }();
    EXPECT_EQ(distinct.size(), 16u);
}

struct LetterCase {
    char letter;
    Points offsets;
};

void PrintTo(const LetterCase& c, std::ostream* os) {
    *os << "letter " << c.letter;
}

class Letters : public ::testing::TestWithParam<LetterCase> {};

// D1 200, D2 300, D3 400, width 1000, height 1200.
TEST_P(Letters, StandUprightWithTheirStrokesWhereTheLetterHasThem) {
    const LetterCase& c = GetParam();
    const Points vertices = LetterVertices(
        c.letter, C, {.D1 = 200, .D2 = 300, .D3 = 400, .Width = 1000, .Height = 1200}, 0);
    Points expected;
    for (const QPoint offset : c.offsets)
        expected.push_back(C + offset);
    EXPECT_EQ(vertices, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Letters,
    ::testing::Values(
        LetterCase{'H',
                   {{-500, -600},
                    {-300, -600},
                    {-300, -150},
                    {300, -150},
                    {300, -600},
                    {500, -600},
                    {500, 600},
                    {300, 600},
                    {300, 150},
                    {-300, 150},
                    {-300, 600},
                    {-500, 600}}},
        LetterCase{'L',
                   {{-500, -600}, {-300, -600}, {-300, 300}, {500, 300}, {500, 600}, {-500, 600}}},
        LetterCase{'M',
                   {{-500, -600},
                    {500, -600},
                    {500, 600},
                    {300, 600},
                    {300, -300},
                    {200, -300},
                    {200, 600},
                    {-200, 600},
                    {-200, -300},
                    {-300, -300},
                    {-300, 600},
                    {-500, 600}}},
        LetterCase{'T',
                   {{-500, -600},
                    {500, -600},
                    {500, -300},
                    {100, -300},
                    {100, 600},
                    {-100, 600},
                    {-100, -300},
                    {-500, -300}}},
        LetterCase{'U',
                   {{-500, -600},
                    {-300, -600},
                    {-300, 300},
                    {300, 300},
                    {300, -600},
                    {500, -600},
                    {500, 600},
                    {-500, 600}}}),
    [](const auto& info) { return std::string(1, info.param.letter); });

TEST(ContoursTest, AnHWithWideStrokesCrossesItselfWithoutComplaint) {
    const Points h =
        LetterVertices('H', C, {.D1 = 600, .D2 = 200, .Width = 1000, .Height = 1000}, 0);
    ASSERT_EQ(h.size(), 12u);
    EXPECT_GT(h[2].x(), h[3].x()) << "vertices 2 and 5 change sides";
}

TEST(ContoursTest, ResistorOutlineHasCapsAndAWaist) {
    // D 5 mm, L 10 mm: caps 500 wide and 200 long, waist 450 wide and 600 long.
    const Points outline = ResistorOutlineVertices(C, 500, 1000, 0);
    Points expected;
    for (const QPoint offset : Points{{-250, -500},
                                      {-250, -300},
                                      {-225, -300},
                                      {-225, 300},
                                      {-250, 300},
                                      {-250, 500},
                                      {250, 500},
                                      {250, 300},
                                      {225, 300},
                                      {225, -300},
                                      {250, -300},
                                      {250, -500}})
        expected.push_back(C + offset);
    EXPECT_EQ(outline, expected);
}

TEST(ContoursTest, ElkoOutlineHasItsGrooveNearTheLowerEnd) {
    const Points outline = ElkoOutlineVertices(C, 500, 1000, 0);
    Points expected;
    for (const QPoint offset : Points{{-250, -500},
                                      {250, -500},
                                      {250, 300},
                                      {200, 350},
                                      {250, 400},
                                      {250, 500},
                                      {-250, 500},
                                      {-250, 400},
                                      {-200, 350},
                                      {-250, 300}})
        expected.push_back(C + offset);
    EXPECT_EQ(outline, expected);
}

} // namespace
} // namespace karvel
