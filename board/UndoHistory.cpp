#include "board/UndoHistory.h"

#include <algorithm>

namespace karvel {

UndoHistory::~UndoHistory() {
    Clear();
}

int UndoHistory::ClampDepth(int depth) {
    return std::clamp(depth, MinDepth, MaxDepth);
}

std::unique_ptr<SnapshotStream> UndoHistory::Capture(const Writer& write) {
    auto snapshot = std::make_unique<SnapshotStream>();
    snapshot->Serial = ++lastSerial_;
    // Every bitmap a live element uses is needed by this state, written or not.
    for (std::size_t i = 0; i < bitmaps_.Count(); ++i) {
        TBitmapUsage* record = bitmaps_.At(i);
        if (record->InUse)
            record->Snapshots.push_back(snapshot.get());
    }
    try {
        write(*snapshot);
    } catch (...) {
        Forget(snapshot.get());
        throw;
    }
    return snapshot;
}

void UndoHistory::Keep(int depth, std::unique_ptr<SnapshotStream> captured) {
    try {
        undo_.reserve(undo_.size() + 1);
    } catch (...) {
        Release(std::move(captured));
        throw;
    }
    const auto limit = std::size_t(ClampDepth(depth));
    while (undo_.size() >= limit)
        Discard(undo_, undo_.begin());
    undo_.push_back(std::move(captured));
    DiscardAll(redo_);
}

void UndoHistory::Release(std::unique_ptr<SnapshotStream> captured) {
    Forget(captured.get());
    captured.reset();
    bitmaps_.FreeUnused();
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

bool UndoHistory::Step(List& from, List& to, const Writer& write, const Reader& read) {
    if (from.empty())
        return false;
    to.push_back(Capture(write));
    read(*from.back());
    Discard(from, std::prev(from.end()));
    return true;
}

void UndoHistory::Forget(const SnapshotStream* gone) {
    for (std::size_t i = 0; i < bitmaps_.Count(); ++i)
        std::erase(bitmaps_.At(i)->Snapshots, gone);
}

void UndoHistory::Discard(List& list, List::iterator which) {
    Forget(which->get());
    list.erase(which);
    bitmaps_.FreeUnused();
}

void UndoHistory::DiscardAll(List& list) {
    while (!list.empty())
        Discard(list, std::prev(list.end()));
}

} // namespace karvel
