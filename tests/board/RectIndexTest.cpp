#include "board/RectIndex.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace karvel {
namespace {

std::vector<std::size_t> AllMeeting(const std::vector<Rect>& rects, const Rect& area) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < rects.size(); ++i)
        if (Intersects(rects[i], area))
            found.push_back(i);
    return found;
}

struct Layout {
    const char* name;
    int count;
    int span;    // coordinates range over ±span
    int maxSize; // largest side
};

void PrintTo(const Layout& layout, std::ostream* os) {
    *os << layout.name;
}

class RectIndexTest : public ::testing::TestWithParam<Layout> {};

// The index answers exactly what trying every rectangle answers: small and huge rectangles,
// empty ones, rectangles over the whole extent and coordinates near the ends of the range.
TEST_P(RectIndexTest, AnswersAsTryingEveryRectangle) {
    const Layout layout = GetParam();
    std::mt19937 random(7);
    auto coordinate = [&] {
        return std::uniform_int_distribution<int>(-layout.span, layout.span)(random);
    };
    auto size = [&] { return std::uniform_int_distribution<int>(0, layout.maxSize)(random); };
    auto rect = [&] {
        const int left = coordinate();
        const int top = coordinate();
        const long long right = std::min<long long>(INT_MAX, (long long)left + size());
        const long long bottom = std::min<long long>(INT_MAX, (long long)top + size());
        return Rect{left, top, int(right), int(bottom)};
    };
    std::vector<Rect> rects;
    for (int i = 0; i < layout.count; ++i)
        rects.push_back(rect());
    rects.push_back({-layout.span, -layout.span, layout.span, layout.span}); // over everything
    rects.push_back({5, 5, 5, 9});                                           // empty
    const RectIndex index(rects);
    std::vector<std::size_t> found;
    for (int q = 0; q < 300; ++q) {
        const Rect area = q % 3 == 0 ? Rect{coordinate(), coordinate(), 0, 0} : rect();
        const Rect query =
            q % 3 == 0 ? Rect{area.Left, area.Top, area.Left + 1, area.Top + 1} : area;
        index.Meeting(query, found);
        const std::vector<std::size_t> expected = AllMeeting(rects, query);
        ASSERT_EQ(found, expected) << "query " << q;
        // The first one that passes a test: here, those whose index is a multiple of three.
        const auto passes = [](std::size_t i) { return i % 3 == 0; };
        std::optional<std::size_t> first;
        for (std::size_t i : expected)
            if (passes(i)) {
                first = i;
                break;
            }
        ASSERT_EQ(index.First(query, passes), first) << "query " << q;
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, RectIndexTest,
                         ::testing::Values(Layout{"SmallOnesSpreadOut", 500, 20000, 300},
                                           Layout{"LargeOnes", 200, 5000, 4000},
                                           Layout{"TheWholeRange", 300, INT_MAX - 1, INT_MAX / 4},
                                           Layout{"One", 1, 100, 50}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RectIndexEmpty, FindsNothing) {
    const RectIndex none{std::vector<Rect>{}};
    std::vector<std::size_t> found{1, 2};
    none.Meeting({0, 0, 10, 10}, found);
    EXPECT_TRUE(found.empty());
    EXPECT_FALSE(none.First({0, 0, 10, 10}, [](std::size_t) { return true; }));
}

} // namespace
} // namespace karvel
