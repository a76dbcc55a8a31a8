#include "elements/Geometry.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

TEST(GeometryTest, RoundsHalvesToEven) {
    const std::pair<long double, long long> cases[] = {
        {0.5L, 0},   {1.5L, 2},    {2.5L, 2},    {-0.5L, 0},     {-1.5L, -2},
        {-2.5L, -2}, {2.4999L, 2}, {2.5001L, 3}, {-2.5001L, -3}, {1e10L, 10000000000LL}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(RoundHalfEven(value), expected) << double(value);
    EXPECT_EQ(RoundToUnit(1e12L), std::numeric_limits<int>::max());
    EXPECT_EQ(RoundToUnit(-1e12L), std::numeric_limits<int>::min());
}

TEST(GeometryTest, PointDistanceRoundsTheEuclideanLength) {
    EXPECT_EQ(PointDistance({0, 0}, {3, 4}), 5);
    EXPECT_EQ(PointDistance({0, 0}, {1, 1}), 1);
    EXPECT_EQ(PointDistance({7, 7}, {7, 7}), 0);
    EXPECT_EQ(PointDistance({0, 0}, {1, 2}), 2);
    // Far-apart points do not overflow the squares.
    EXPECT_EQ(PointDistance({-1000000000, 0}, {1000000000, 0}), 2000000000);
}

TEST(GeometryTest, DirectionCountsCounterClockwiseWithYDown) {
    const long double pi = Pi;
    struct Case {
        QPoint p, q;
        long double expected;
    };
    const Case cases[] = {
        {{0, 0}, {10, 0}, 0},
        {{0, 0}, {0, 10}, 3 * pi / 2},
        {{0, 0}, {-10, 0}, pi},
        {{5, 5}, {5, 5}, pi},
        {{0, 0}, {0, -10}, pi / 2},
        {{0, 0}, {10, -10}, pi / 4},
        {{0, 0}, {-10, -10}, 3 * pi / 4},
        {{0, 0}, {-10, 10}, 5 * pi / 4},
        {{0, 0}, {10, 10}, 7 * pi / 4},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(double(Direction(c.p, c.q)), double(c.expected), 1e-12)
            << c.q.x() << "," << c.q.y();
}

TEST(GeometryTest, LineDirectionIgnoresOrientation) {
    EXPECT_NEAR(double(LineDirection({0, 0}, {10, 0})), double(Pi), 1e-12);
    EXPECT_NEAR(double(LineDirection({10, 0}, {0, 0})), double(Pi), 1e-12);
    EXPECT_NEAR(double(LineDirection({0, 0}, {0, 10})), double(Pi / 2), 1e-12);
    EXPECT_NEAR(double(LineDirection({0, 10}, {0, 0})), double(Pi / 2), 1e-12);
    EXPECT_NEAR(double(LineDirection({0, 0}, {10, 10})), double(3 * Pi / 4), 1e-12);
    EXPECT_NEAR(double(LineDirection({10, 10}, {0, 0})), double(3 * Pi / 4), 1e-12);
}

TEST(GeometryTest, RotatePointTurnsCounterClockwiseOnScreen) {
    EXPECT_EQ(RotatePoint({100, 0}, {0, 0}, 0.0), QPoint(100, 0));
    EXPECT_EQ(RotatePoint({100, 0}, {0, 0}, double(Pi / 2)), QPoint(0, -100));
    EXPECT_EQ(RotatePoint({100, 0}, {0, 0}, double(Pi)), QPoint(-100, 0));
    EXPECT_EQ(RotatePoint({254, 127}, {127, 127}, double(-Pi / 2)), QPoint(127, 254));
    // The radius is rounded before turning: (3, 3) has radius round(4.24) = 4.
    EXPECT_EQ(RotatePoint({3, 3}, {0, 0}, double(Pi / 4)), QPoint(4, 0));
}

TEST(GeometryTest, NormaliseRectSwapsAndWidensEmptyExtents) {
    const std::pair<Rect, Rect> cases[] = {
        {{5, 5, 5, 5}, {4, 4, 6, 6}},
        {{10, 20, 0, 0}, {0, 0, 10, 20}},
        {{0, 0, 0, 10}, {-1, 0, 1, 10}},
        {{3, 8, 9, 8}, {3, 7, 9, 9}},
    };
    for (auto [in, expected] : cases) {
        NormaliseRect(in);
        EXPECT_EQ(in, expected);
    }
    EXPECT_EQ(InflateNormalised({0, 0, 0, 0}, 50), (Rect{-51, -51, 51, 51}));
}

TEST(GeometryTest, MidpointTruncatesTowardZero) {
    EXPECT_EQ(Midpoint({0, 0}, {-3, -3}), QPoint(-1, -1));
    EXPECT_EQ(Midpoint({0, 0}, {3, 3}), QPoint(1, 1));
    EXPECT_EQ(Midpoint({10, -4}, {5, 3}), QPoint(8, -1));
}

TEST(GeometryTest, ScalePointRoundsHalvesToEven) {
    EXPECT_EQ(ScalePoint({1, 3}, {0, 0}, 2.5L, 0.5L), QPoint(2, 2));
    EXPECT_EQ(ScalePoint({110, 50}, {100, 50}, 1.5L, 3.0L), QPoint(115, 50));
    EXPECT_EQ(ScalePoint({-1, -3}, {0, 0}, 2.5L, 0.5L), QPoint(-2, -2));
    EXPECT_NEAR(double(DegToRad(180)), double(Pi), 1e-15);
}

TEST(GeometryTest, TextToNumberReadsTheLeadingNumber) {
    const std::pair<const char*, double> cases[] = {
        {"1,0 mm", 1.0}, {"", 0.0},    {"3,08", 3.08},     {"2.5", 2.5}, {"2,5", 2.5},
        {"+-", 0.0},     {"abc", 0.0}, {"-1,5E2", -150.0}, {"+7", 7.0},  {"1.2.3", 1.2},
        {"3,60", 3.60},  {"1E", 1.0},  {"12 Ohm", 12.0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_DOUBLE_EQ(double(TextToNumber(QString::fromLatin1(text))), expected) << text;
}

} // namespace
} // namespace karvel
