#pragma once
// Fill bitmaps shared between a live element and the undo snapshots that recorded it. A board
// keeps every record of its elements in one list; a record is freed only when no element uses
// it and no snapshot refers to it any more.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <QtCore/QByteArray>
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

    // The BMP file the bitmap was read from, as long as the picture is unchanged: written back
    // as it came, since encoding it afresh could turn a few compressed bytes into megabytes.
    const QByteArray* StoredBytes() const {
        if (stored_.isEmpty() || !Bitmap || Bitmap->cacheKey() != storedKey_)
            return nullptr;
        return &stored_;
    }
    void SetStoredBytes(QByteArray bytes) {
        stored_ = std::move(bytes);
        storedKey_ = Bitmap ? Bitmap->cacheKey() : 0;
    }

private:
    QByteArray stored_;
    // Every change to a QImage gives it a new key, so a changed picture drops its stored bytes.
    qint64 storedKey_ = 0;
};

class TBitmapUsageList {
public:
    // Takes the bitmap into a new record that a live element uses; stored, when given, are the
    // bytes of the BMP file it was read from.
    TBitmapUsage* Add(QImage bitmap, QByteArray stored = {}) {
        auto record = std::make_unique<TBitmapUsage>();
        record->Bitmap = std::make_unique<QImage>(std::move(bitmap));
        record->SetStoredBytes(std::move(stored));
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
