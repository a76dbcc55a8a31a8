#include "board/UndoHistory.h"

#include <algorithm>

namespace karvel {

UndoHistory::~UndoHistory() {
    Clear();
}

int UndoHistory::ClampDepth(int depth) {
    return std::clamp(depth, MinDepth, MaxDepth);
}

void UndoHistory::Record(int depth, const Writer& write) {
    const auto limit = std::size_t(ClampDepth(depth));
    while (undo_.size() >= limit)
        Discard(undo_, undo_.begin());
    Append(undo_, write);
    DiscardAll(redo_);
}

bool UndoHistory::Undo(const Writer& write, const Reader& read) {
    return Step(undo_, redo_, write, read);
}

bool UndoHistory::Redo(const Writer& write, const Reader& read) {
    return Step(redo_, undo_, write, read);
}

void UndoHistory::Clear() {
    DiscardAll(undo_);
    DiscardAll(redo_);
}

void UndoHistory::DropNewest() {
    if (!undo_.empty())
        Discard(undo_, std::prev(undo_.end()));
}

SnapshotStream& UndoHistory::Append(List& list, const Writer& write) {
    auto snapshot = std::make_unique<SnapshotStream>();
    snapshot->Serial = ++lastSerial_;
    // Every bitmap a live element uses is needed by this state, written or not.
    for (std::size_t i = 0; i < bitmaps_.Count(); ++i) {
        TBitmapUsage* record = bitmaps_.At(i);
        if (record->InUse)
            record->Snapshots.push_back(snapshot.get());
    }
    list.push_back(std::move(snapshot));
    SnapshotStream& added = *list.back();
    write(added);
    return added;
}

bool UndoHistory::Step(List& from, List& to, const Writer& write, const Reader& read) {
    if (from.empty())
        return false;
    Append(to, write);
    read(*from.back());
    Discard(from, std::prev(from.end()));
    return true;
}

void UndoHistory::Discard(List& list, List::iterator which) {
    const SnapshotStream* gone = which->get();
    for (std::size_t i = 0; i < bitmaps_.Count(); ++i)
        std::erase(bitmaps_.At(i)->Snapshots, gone);
    list.erase(which);
    bitmaps_.FreeUnused();
}

void UndoHistory::DiscardAll(List& list) {
    while (!list.empty())
        Discard(list, std::prev(list.end()));
}

} // namespace karvel
