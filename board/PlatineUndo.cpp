// Undo and redo: whole board records in memory, for the snapshot purpose, which leaves out the
// annotations and the layout and shares fill bitmaps by reference.

#include "board/Platine.h"
#include "board/UndoHistory.h"
#include "stream/RecordContext.h"
#include "stream/StreamError.h"
#include "stream/ValueReader.h"
#include "stream/ValueWriter.h"

#include <algorithm>
#include <QtCore/QBuffer>
#include <utility>

namespace karvel {

namespace {

constexpr qsizetype SnapshotBuffer = 20000;

} // namespace

void TPlatine::WriteSnapshot(SnapshotStream& snapshot) {
    WriteSnapshotBytes(snapshot.Bytes, &snapshot);
}

QByteArray TPlatine::SnapshotBytes() {
    QByteArray bytes;
    // No snapshot to name: the bitmaps written are not held on to for it.
    WriteSnapshotBytes(bytes, nullptr);
    return bytes;
}

void TPlatine::WriteSnapshotBytes(QByteArray& bytes, const SnapshotStream* snapshot) {
    // The last snapshot's size is a good guess for this one: no growing while writing.
    bytes.reserve(lastSnapshotSize_ + lastSnapshotSize_ / 8);
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly | QIODevice::Truncate);
    RecordContext context(StreamPurpose::Snapshot, device);
    context.SetSnapshot(snapshot);
    ValueWriter writer(device, SnapshotBuffer);
    SpeichereInStream(context, writer, false);
    writer.FlushBuffer();
    lastSnapshotSize_ = bytes.size();
}

void TPlatine::ReadSnapshot(const SnapshotStream& snapshot) {
    Clear();
    Fire(OnMyClick);
    QByteArray bytes = snapshot.Bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    RecordContext context(StreamPurpose::Snapshot, device);
    context.SetSnapshot(&snapshot);
    ValueReader reader(device, SnapshotBuffer);
    try {
        LadeAusStream(context, reader, true);
    } catch (const StreamError& error) {
        // The program wrote these bytes itself; should they still not read, what was read
        // until then stays, as with any damaged record, rather than losing the board, and the
        // user learns that the step did not restore all of it.
        if (OnSnapshotDamaged)
            OnSnapshotDamaged(*this, error);
    }
}

void TPlatine::TakeTentativeSnapshot() {
    const bool wasModified = modified_;
    // The library has no undo.
    if (!IsLibraryPage()) {
        modified_ = true;
        history_->Record(view_.UndoDepth, [this](SnapshotStream& s) { WriteSnapshot(s); });
    }
    tentative_ = TentativeSnapshot{history_->NewestSerial(), wasModified};
}

bool TPlatine::DropTentativeSnapshot() {
    const std::optional<TentativeSnapshot> tentative = std::exchange(tentative_, std::nullopt);
    if (!tentative || history_->NewestSerial() != tentative->Serial)
        return false;
    history_->DropNewest();
    modified_ = tentative->WasModified;
    ++changesTakenBack_;
    return true;
}

bool TPlatine::EndRunningOperation() {
    if (operationOwner_ == nullptr || endingOperation_)
        return false;
    const std::uint64_t takenBack = changesTakenBack_;
    endingOperation_ = true;
    operationOwner_->CancelOperation();
    endingOperation_ = false;
    return changesTakenBack_ != takenBack;
}

// Undo in the middle of a drawing takes back what is being drawn, as Escape does, and no more.
void TPlatine::Rueckgaengig() {
    if (EndRunningOperation() || drag_.Busy())
        return;
    if (history_->Undo([this](SnapshotStream& s) { WriteSnapshot(s); },
                       [this](const SnapshotStream& s) { ReadSnapshot(s); }))
        AfterHistoryStep();
}

void TPlatine::Wiederherstellen() {
    EndRunningOperation();
    if (drag_.Busy())
        return;
    if (history_->Redo([this](SnapshotStream& s) { WriteSnapshot(s); },
                       [this](const SnapshotStream& s) { ReadSnapshot(s); }))
        AfterHistoryStep();
}

bool TPlatine::KannRueckgaengig() const {
    // An edit under way will leave a step, as far as anyone asking meanwhile can tell.
    return history_->CanUndo() || openStep_ != nullptr;
}

bool TPlatine::KannWiederherstellen() const {
    return history_->CanRedo();
}

void TPlatine::ClearHistory() {
    history_->Clear();
}

void TPlatine::RestoreStepStart(bool wasModified) {
    const SnapshotStream* start = openStep_ ? openStep_->Before() : nullptr;
    if (start == nullptr)
        return;
    std::vector<int> selected;
    for (int i = 0; i < Count(); ++i)
        if (At(i)->IstMarkiert())
            selected.push_back(i);
    ReadSnapshot(*start);
    modified_ = wasModified;
    lastSelected_ = nullptr;
    for (int i = 0; i < Count(); ++i)
        At(i)->SetIstMarkiert(std::binary_search(selected.begin(), selected.end(), i));
    if (!selected.empty() && selected.back() < Count())
        lastSelected_ = At(selected.back());
    if (host_)
        host_->Repaint();
    Fire(OnChange);
}

void TPlatine::AfterHistoryStep() {
    for (const auto& element : bauteile_)
        element->SetIstMarkiert(false);
    lastSelected_ = nullptr;
    Fire(OnChange);
    // The restored board may have another size; setting the zoom again resizes the control.
    SetZoom(zoom_);
    if (host_)
        host_->Repaint();
}

} // namespace karvel
