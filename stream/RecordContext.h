#pragma once
// What the readers and writers of board records and element payloads need to know besides
// the values: the purpose of the stream, the version of the record being read, and the device
// for the raw parts (fill bitmaps, annotations).

#include "stream/FileVersion.h"
#include "stream/StreamError.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <QtCore/QIODevice>
#include <QtCore/QPoint>

namespace karvel {

enum class StreamPurpose {
    File,     // project files, board layout files, library pages
    Snapshot, // undo and redo
    Copy,     // board duplicates, layouts handed to and from the layout editor
    Transfer, // the copy clipboard, moves between a library page and a board
};

class SnapshotStream;

// The rectangle around the coordinates written: what a move of the elements written must keep
// inside the range the readers accept.
struct CoordinateSpan {
    std::int32_t Left = INT32_MAX;
    std::int32_t Top = INT32_MAX;
    std::int32_t Right = INT32_MIN;
    std::int32_t Bottom = INT32_MIN;

    bool Empty() const { return Left > Right; }
    void Add(QPoint p) {
        Left = std::min(Left, p.x());
        Right = std::max(Right, p.x());
        Top = std::min(Top, p.y());
        Bottom = std::max(Bottom, p.y());
    }
};

// How many bitmap pixels one stream may still unpack. A compressed bitmap of a few bytes can
// stand for a huge picture, so what a stream may decode is bounded, not only what it holds.
class DecodeBudget {
public:
    static constexpr qint64 PixelsPerStream = 64'000'000;

    // Takes a bitmap of that many pixels out of the budget; a picture beyond what is left is an
    // invalid value.
    void Take(qint64 pixels) {
        if (pixels < 0 || pixels > left_)
            throw StreamError::InvalidValue();
        left_ -= pixels;
    }
    qint64 Left() const { return left_; }

private:
    qint64 left_ = PixelsPerStream;
};

class RecordContext {
public:
    static constexpr int MaxGroupDepth = 64;

    RecordContext(StreamPurpose purpose, QIODevice& device) : purpose_(purpose), device_(device) {}

    StreamPurpose Purpose() const { return purpose_; }
    bool Is(StreamPurpose purpose) const { return purpose_ == purpose; }
    QIODevice& Device() const { return device_; }

    const FileVersion& Version() const { return version_; }
    void SetVersion(FileVersion version) { version_ = std::move(version); }
    // Version gates hold for every stream but a file of an older version.
    bool VersionAtLeast(long long milli) const {
        return purpose_ != StreamPurpose::File || version_.Milli() >= milli;
    }
    bool VersionAbove(long long milli) const {
        return purpose_ != StreamPurpose::File || version_.Milli() > milli;
    }
    // Files before version 2.0 kept 16-bit counts and points.
    bool OldFormat() const { return purpose_ == StreamPurpose::File && version_.IsOldFormat(); }

    // Writing a file refuses a value its reader would refuse (StoreError), so that the old file
    // stays instead of a new one that does not open. Streams in memory are written in the
    // middle of editing, where nothing could take such a refusal; editing keeps their values
    // in range instead.
    bool RefusesUnreadable() const { return purpose_ == StreamPurpose::File; }

    // While a span is given, every coordinate written widens it; nothing else is measured.
    void MeasureInto(CoordinateSpan* span) { span_ = span; }
    void NoteCoordinate(QPoint p) const {
        if (span_ != nullptr)
            span_->Add(p);
    }

    // The undo snapshot being written or read, for the bitmap references it holds.
    const SnapshotStream* Snapshot() const { return snapshot_; }
    void SetSnapshot(const SnapshotStream* snapshot) { snapshot_ = snapshot; }

    // The bitmaps of one stream share one budget, also across the records read from it.
    DecodeBudget& Budget() const { return *budget_; }
    void ShareBudgetWith(const RecordContext& other) { budget_ = other.budget_; }

    // How deep in nested groups reading is; bounded, so a damaged file cannot exhaust the stack.
    int GroupDepth() const { return groupDepth_; }
    void EnterGroup() {
        if (groupDepth_ >= MaxGroupDepth)
            throw StreamError::InvalidValue();
        ++groupDepth_;
    }
    void LeaveGroup() { --groupDepth_; }

private:
    StreamPurpose purpose_;
    QIODevice& device_;
    FileVersion version_;
    const SnapshotStream* snapshot_ = nullptr;
    std::shared_ptr<DecodeBudget> budget_ = std::make_shared<DecodeBudget>();
    int groupDepth_ = 0;
    CoordinateSpan* span_ = nullptr;
};

} // namespace karvel
