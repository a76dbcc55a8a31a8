#pragma once
// TSListData: the entries of a board's components list and the orderings the list writer uses.
// An entry's children are the entries right after it with a greater level; an entry with its
// children is a block, and blocks always move as a unit.

#include <cstdint>
#include <QtCore/QString>
#include <vector>

namespace karvel {

// One component of the list: its identity, its nesting level and the writer's done mark.
struct TSListEntry {
    static constexpr int IdentifierLength = 10;
    static constexpr int ValueLength = 40;
    static constexpr int DescriptionLength = 40;

    QString Identifier;
    QString Value;
    QString Description;
    std::int32_t Number = 0;
    std::int32_t Level = 0;
    bool Done = false;

    // An entry with the texts cut to the room the list keeps for them.
    static TSListEntry Make(const QString& identifier, const QString& value,
                            const QString& description, std::int32_t number, std::int32_t level);
    bool operator==(const TSListEntry&) const = default;
};

class TSListData {
public:
    TSListData() = default;
    explicit TSListData(std::vector<TSListEntry> entries) : entries_(std::move(entries)) {}

    void Add(TSListEntry entry) { entries_.push_back(std::move(entry)); }
    int Count() const { return int(entries_.size()); }
    const TSListEntry& At(int i) const { return entries_.at(std::size_t(i)); }
    TSListEntry& At(int i) { return entries_.at(std::size_t(i)); }
    const std::vector<TSListEntry>& Entries() const { return entries_; }

    // How many entries right after entry i have a greater level (0 for the last entry).
    int SubtreeSize(int i) const;
    // Moves entries first..last, in their order, to start at position to (to <= first); the
    // entries to..first - 1 shift behind them. Other arguments leave the list as it is.
    void MoveBlock(int first, int last, int to);
    // Moves every block from..to whose identifier is exactly prefix to position from.
    void MovePrefixFirst(const QString& prefix, int from, int to);
    // Orders the blocks from..to, and every block's children, for the nested list.
    void SortTree(int from, int to);
    void SortTreeAll() { SortTree(0, Count() - 1); }
    // Orders the list for counting equal parts: parent entries go, their children stay.
    void SortFlat();

private:
    void LiftChildrenOf(int i);
    void MoveLeavesFirst(int from, int to);
    void GatherEqualIdentifiers(int from, int to);
    void SortRunsByNumber(int from, int to);
    // Moves the block at i to position to; the size of the moved block.
    int MoveBlockAt(int i, int to);

    std::vector<TSListEntry> entries_;
};

} // namespace karvel
