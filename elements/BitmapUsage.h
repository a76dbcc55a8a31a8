#pragma once
// Fill bitmaps shared between a live element and the undo snapshots that recorded it. A board
// keeps every record of its elements in one list; a record is freed only when no element uses
// it and no snapshot refers to it any more.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <QtGui/QImage>
#include <vector>

namespace karvel {

class SnapshotStream;

struct TBitmapUsage {
    // Names the record inside undo snapshots; unique within its board's list.
    std::uint32_t Id = 0;
    std::unique_ptr<QImage> Bitmap;
    std::vector<const SnapshotStream*> Snapshots; // snapshots that refer to this record
    bool InUse = false;                           // a live element refers to it

    bool IsUnused() const { return !InUse && Snapshots.empty(); }
};

class TBitmapUsageList {
public:
    // Takes the bitmap into a new record that a live element uses.
    TBitmapUsage* Add(QImage bitmap) {
        auto record = std::make_unique<TBitmapUsage>();
        record->Bitmap = std::make_unique<QImage>(std::move(bitmap));
        record->InUse = true;
        record->Id = ++lastId_;
        records_.push_back(std::move(record));
        return records_.back().get();
    }
    bool Contains(const TBitmapUsage* record) const {
        return std::any_of(records_.begin(), records_.end(),
                           [record](const auto& r) { return r.get() == record; });
    }
    // Frees the record with its bitmap.
    void Remove(const TBitmapUsage* record) {
        std::erase_if(records_, [record](const auto& r) { return r.get() == record; });
    }
    // Frees every record that neither an element nor a snapshot refers to.
    void FreeUnused() {
        std::erase_if(records_, [](const auto& r) { return r->IsUnused(); });
    }
    TBitmapUsage* Find(std::uint32_t id) const {
        for (const auto& r : records_)
            if (r->Id == id)
                return r.get();
        return nullptr;
    }
    std::size_t Count() const { return records_.size(); }
    TBitmapUsage* At(std::size_t index) const { return records_.at(index).get(); }

private:
    std::vector<std::unique_ptr<TBitmapUsage>> records_;
    std::uint32_t lastId_ = 0;
};

} // namespace karvel
