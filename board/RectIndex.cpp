#include "board/RectIndex.h"

#include <algorithm>
#include <cmath>

namespace karvel {

namespace {

// About one rectangle per cell for lists spread evenly over their extent.
constexpr int MaxCellsPerSide = 1024;

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return (a + b - 1) / b;
}

} // namespace

RectIndex::RectIndex(std::vector<Rect> rects) : rects_(std::move(rects)) {
    for (const Rect& r : rects_)
        extent_ = United(extent_, r);
    if (extent_.IsEmpty())
        return;
    const int side =
        std::clamp(int(std::ceil(std::sqrt(double(rects_.size())))), 1, MaxCellsPerSide);
    columns_ = rows_ = side;
    // 64-bit: the extent of coordinates near both ends of the 32-bit range does not fit an int.
    cellWidth_ =
        std::max<std::int64_t>(1, CeilDiv(std::int64_t(extent_.Right) - extent_.Left, columns_));
    cellHeight_ =
        std::max<std::int64_t>(1, CeilDiv(std::int64_t(extent_.Bottom) - extent_.Top, rows_));
    cells_.resize(std::size_t(columns_) * std::size_t(rows_));
    const std::int64_t wideFrom = std::max(64, 4 * side);
    for (std::size_t i = 0; i < rects_.size(); ++i) {
        const std::optional<CellRange> range = CellsOf(rects_[i]);
        if (!range)
            continue;
        if (range->Count() > wideFrom) {
            wide_.push_back(std::uint32_t(i));
            continue;
        }
        for (int row = range->firstRow; row <= range->lastRow; ++row)
            for (int column = range->firstColumn; column <= range->lastColumn; ++column)
                cells_[std::size_t(row) * std::size_t(columns_) + std::size_t(column)].push_back(
                    std::uint32_t(i));
    }
}

int RectIndex::CellOf(std::int64_t value, std::int64_t origin, std::int64_t cell, int cells) const {
    return int(std::clamp<std::int64_t>((value - origin) / cell, 0, cells - 1));
}

std::optional<RectIndex::CellRange> RectIndex::CellsOf(const Rect& area) const {
    if (columns_ == 0 || !Intersects(area, extent_))
        return std::nullopt;
    // Right and bottom lie outside the area, so its last pixel decides the last cell.
    return CellRange{CellOf(area.Left, extent_.Left, cellWidth_, columns_),
                     CellOf(std::int64_t(area.Right) - 1, extent_.Left, cellWidth_, columns_),
                     CellOf(area.Top, extent_.Top, cellHeight_, rows_),
                     CellOf(std::int64_t(area.Bottom) - 1, extent_.Top, cellHeight_, rows_)};
}

void RectIndex::Meeting(const Rect& area, std::vector<std::size_t>& found) const {
    found.clear();
    auto collect = [&](const std::vector<std::uint32_t>& indices) {
        for (const std::uint32_t i : indices)
            if (Intersects(rects_[i], area))
                found.push_back(i);
    };
    collect(wide_);
    if (const std::optional<CellRange> range = CellsOf(area))
        for (int row = range->firstRow; row <= range->lastRow; ++row)
            for (int column = range->firstColumn; column <= range->lastColumn; ++column)
                collect(cells_[std::size_t(row) * std::size_t(columns_) + std::size_t(column)]);
    // A rectangle over several cells is found in each of them.
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
}

} // namespace karvel
