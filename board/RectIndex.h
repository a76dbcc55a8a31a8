#pragma once
// Finds the rectangles of a fixed list that meet an area without trying every one: a uniform
// grid over the list's extent, each cell holding the rectangles that reach into it. The copper
// analyses use it for the cuts along a strip, the pieces beside a piece and the wire ends on it.

#include "platform/Rect.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace karvel {

class RectIndex {
public:
    RectIndex() = default;
    // The rectangles must be normalised; an empty one meets nothing.
    explicit RectIndex(std::vector<Rect> rects);

    std::size_t Size() const { return rects_.size(); }
    const Rect& operator[](std::size_t i) const { return rects_[i]; }

    // The rectangles that meet the area (touching edges do not count), in list order.
    void Meeting(const Rect& area, std::vector<std::size_t>& found) const;

    // The first rectangle in list order that meets the area and passes the test.
    template <typename Test>
    std::optional<std::size_t> First(const Rect& area, const Test& test) const {
        std::optional<std::size_t> best;
        auto search = [&](const std::vector<std::uint32_t>& indices) {
            // Indices ascend within a list, so the first hit is the best this list can offer.
            for (const std::uint32_t i : indices) {
                if (best && i >= *best)
                    return;
                if (Intersects(rects_[i], area) && test(i)) {
                    best = i;
                    return;
                }
            }
        };
        search(wide_);
        if (const std::optional<CellRange> range = CellsOf(area))
            for (int row = range->firstRow; row <= range->lastRow; ++row)
                for (int column = range->firstColumn; column <= range->lastColumn; ++column)
                    search(cells_[std::size_t(row) * std::size_t(columns_) + std::size_t(column)]);
        return best;
    }

private:
    struct CellRange {
        int firstColumn, lastColumn, firstRow, lastRow;
        std::int64_t Count() const {
            return std::int64_t(lastColumn - firstColumn + 1) * (lastRow - firstRow + 1);
        }
    };
    // The cells an area reaches into; none when it misses the extent of the list.
    std::optional<CellRange> CellsOf(const Rect& area) const;
    int CellOf(std::int64_t value, std::int64_t origin, std::int64_t cell, int cells) const;

    std::vector<Rect> rects_;
    Rect extent_;
    int columns_ = 0;
    int rows_ = 0;
    std::int64_t cellWidth_ = 1;
    std::int64_t cellHeight_ = 1;
    std::vector<std::vector<std::uint32_t>> cells_;
    // Rectangles over very many cells are tried for every area instead.
    std::vector<std::uint32_t> wide_;
};

} // namespace karvel
