#include "elements/slData.h"

#include <algorithm>
#include <array>

namespace karvel {

namespace {

// Moved to the front one after the other, so the last of them ends up first: resistors, then
// capacitors, diodes and transistors, then everything else.
const std::array<QString, 4>& PrefixesLastFirst() {
    static const std::array<QString, 4> prefixes{QStringLiteral("T#"), QStringLiteral("D#"),
                                                 QStringLiteral("C#"), QStringLiteral("R#")};
    return prefixes;
}

} // namespace

TSListEntry TSListEntry::Make(const QString& identifier, const QString& value,
                              const QString& description, std::int32_t number, std::int32_t level) {
    TSListEntry entry;
    entry.Identifier = identifier.left(IdentifierLength);
    entry.Value = value.left(ValueLength);
    entry.Description = description.left(DescriptionLength);
    entry.Number = number;
    entry.Level = level;
    return entry;
}

int TSListData::SubtreeSize(int i) const {
    if (i < 0 || i >= Count())
        return 0;
    const std::int32_t level = entries_[std::size_t(i)].Level;
    int size = 0;
    for (int j = i + 1; j < Count() && entries_[std::size_t(j)].Level > level; ++j)
        ++size;
    return size;
}

void TSListData::MoveBlock(int first, int last, int to) {
    if (to < 0 || to > first || first > last || last >= Count())
        return;
    const auto begin = entries_.begin();
    std::rotate(begin + to, begin + first, begin + last + 1);
}

int TSListData::MoveBlockAt(int i, int to) {
    const int size = SubtreeSize(i) + 1;
    MoveBlock(i, i + size - 1, to);
    return size;
}

void TSListData::MovePrefixFirst(const QString& prefix, int from, int to) {
    if (from < 0)
        return;
    // The blocks behind a moved block keep their places, so the scan goes on right after it.
    for (int i = from; i <= to && i < Count();) {
        if (entries_[std::size_t(i)].Identifier == prefix)
            i += MoveBlockAt(i, from);
        else
            i += SubtreeSize(i) + 1;
    }
}

// --- Flat list --------------------------------------------------------------------------------

void TSListData::LiftChildrenOf(int i) {
    const int last = i + SubtreeSize(i);
    for (int j = i; j <= last; ++j)
        --entries_[std::size_t(j)].Level;
    entries_.erase(entries_.begin() + i);
}

void TSListData::SortFlat() {
    // The count shrinks as parents go, so it is read again every round; the same position is
    // examined again, since a lifted child may itself be a parent.
    for (int i = 0; i < Count();) {
        if (SubtreeSize(i) > 0)
            LiftChildrenOf(i);
        else
            ++i;
    }
    for (const QString& prefix : PrefixesLastFirst())
        MovePrefixFirst(prefix, 0, Count() - 1);
    for (std::size_t i = 0; i < entries_.size(); ++i)
        for (std::size_t j = i + 1; j < entries_.size(); ++j)
            if (entries_[i].Identifier == entries_[j].Identifier &&
                entries_[j].Number < entries_[i].Number)
                std::swap(entries_[i], entries_[j]);
    for (TSListEntry& entry : entries_)
        entry.Done = false;
}

// --- Nested list ------------------------------------------------------------------------------

void TSListData::SortTree(int from, int to) {
    to = std::min(to, Count() - 1);
    if (from < 0 || from > to)
        return;
    for (int i = from; i <= to; ++i)
        if (const int size = SubtreeSize(i); size > 0)
            SortTree(i + 1, i + size);
    MoveLeavesFirst(from, to);
    for (const QString& prefix : PrefixesLastFirst())
        MovePrefixFirst(prefix, from, to);
    GatherEqualIdentifiers(from, to);
    SortRunsByNumber(from, to);
}

void TSListData::MoveLeavesFirst(int from, int to) {
    for (int i = from; i <= to;) {
        if (SubtreeSize(i) == 0)
            i += MoveBlockAt(i, from);
        else
            i += SubtreeSize(i) + 1;
    }
}

void TSListData::GatherEqualIdentifiers(int from, int to) {
    for (int n = from; n <= to; n += SubtreeSize(n) + 1) {
        for (int b = n + SubtreeSize(n) + 1; b <= to;) {
            if (entries_[std::size_t(b)].Identifier == entries_[std::size_t(n)].Identifier)
                b += MoveBlockAt(b, n);
            else
                b += SubtreeSize(b) + 1;
        }
    }
}

void TSListData::SortRunsByNumber(int from, int to) {
    using Block = std::vector<TSListEntry>;
    std::vector<std::pair<int, int>> blocks; // start and size
    for (int i = from; i <= to;) {
        const int size = SubtreeSize(i) + 1;
        blocks.emplace_back(i, size);
        i += size;
    }
    const auto identifierOf = [&](std::size_t k) -> const QString& {
        return entries_[std::size_t(blocks[k].first)].Identifier;
    };
    for (std::size_t run = 0; run < blocks.size();) {
        std::size_t end = run + 1;
        while (end < blocks.size() && identifierOf(end) == identifierOf(run))
            ++end;
        if (end - run > 1) {
            std::vector<Block> sorted;
            for (std::size_t k = run; k < end; ++k) {
                const auto start = entries_.begin() + blocks[k].first;
                sorted.emplace_back(start, start + blocks[k].second);
            }
            // Equal numbers keep their order.
            std::stable_sort(sorted.begin(), sorted.end(), [](const Block& a, const Block& b) {
                return a.front().Number < b.front().Number;
            });
            auto out = entries_.begin() + blocks[run].first;
            for (Block& block : sorted)
                out = std::move(block.begin(), block.end(), out);
        }
        run = end;
    }
}

} // namespace karvel
