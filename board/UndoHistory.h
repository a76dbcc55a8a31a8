#pragma once
// A board's undo and redo history: whole board records in memory, bounded by the undo depth.
// Fill bitmaps are not copied into snapshots; a snapshot refers to the board's bitmap record,
// which stays alive while a live element or any snapshot still refers to it.

#include "elements/BitmapUsage.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <QtCore/QByteArray>
#include <vector>

namespace karvel {

// One undo or redo state: the bytes of a board record written for the snapshot purpose. Its
// address is what bitmap records list, so snapshots are never copied or moved.
class SnapshotStream {
public:
    SnapshotStream() = default;
    SnapshotStream(const SnapshotStream&) = delete;
    SnapshotStream& operator=(const SnapshotStream&) = delete;

    QByteArray Bytes;
    // Unique among the snapshots of one history, so that a state can be recognised later.
    std::uint64_t Serial = 0;
};

class UndoHistory {
public:
    static constexpr int MinDepth = 1;
    static constexpr int MaxDepth = 50;
    static constexpr int DefaultDepth = 10;

    // Writes the board's current state into a snapshot; reads a snapshot back into the board.
    using Writer = std::function<void(SnapshotStream&)>;
    using Reader = std::function<void(const SnapshotStream&)>;

    explicit UndoHistory(TBitmapUsageList& bitmaps) : bitmaps_(bitmaps) {}
    ~UndoHistory();
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // Records the state before a change: the oldest snapshot goes when the depth is reached,
    // and the redo list is emptied.
    void Record(int depth, const Writer& write) { Keep(depth, Capture(write)); }
    // Writes the state before a change that may still come to nothing. The snapshot holds
    // on to the bitmaps it needs until it is kept or released.
    std::unique_ptr<SnapshotStream> Capture(const Writer& write);
    // Makes a captured state the newest undo state, as Record does.
    void Keep(int depth, std::unique_ptr<SnapshotStream> captured);
    // Frees a captured state that is not needed, with the bitmaps only it held on to.
    void Release(std::unique_ptr<SnapshotStream> captured);
    // Steps back: the current state goes to the redo list, the last undo state is read back.
    // False, doing nothing, when there is nothing to undo.
    bool Undo(const Writer& write, const Reader& read);
    bool Redo(const Writer& write, const Reader& read);
    void Clear();
    // Takes back the newest undo state, recorded before a change that then did not happen.
    void DropNewest();

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    int UndoCount() const { return int(undo_.size()); }
    int RedoCount() const { return int(redo_.size()); }
    // The serial of the newest undo state, 0 when there is none.
    std::uint64_t NewestSerial() const { return undo_.empty() ? 0 : undo_.back()->Serial; }
    // The state the next undo reads back, none when there is nothing to undo.
    const SnapshotStream* Newest() const { return undo_.empty() ? nullptr : undo_.back().get(); }

    static int ClampDepth(int depth);

private:
    using List = std::vector<std::unique_ptr<SnapshotStream>>;

    bool Step(List& from, List& to, const Writer& write, const Reader& read);
    void Forget(const SnapshotStream* gone);
    // Frees a snapshot and every bitmap record that nothing needs any longer.
    void Discard(List& list, List::iterator which);
    void DiscardAll(List& list);

    TBitmapUsageList& bitmaps_;
    List undo_;
    List redo_;
    std::uint64_t lastSerial_ = 0;
};

} // namespace karvel
