// Copying the selection into a stream, pasting, and placing library parts.

#include "board/Platine.h"
#include "elements/Geometry.h"
#include "elements/Gruppe.h"
#include "stream/LoadError.h"
#include "stream/RecordContext.h"
#include "stream/StreamError.h"
#include "stream/ValueReader.h"
#include "stream/ValueWriter.h"

#include <QtCore/QBuffer>

namespace karvel {

namespace {

constexpr qsizetype TransferBuffer = 2000;

} // namespace

QByteArray TPlatine::KopiereMarkierte() {
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    RecordContext context(StreamPurpose::Transfer, device);
    ValueWriter writer(device, TransferBuffer);
    SpeichereInStream(context, writer, true);
    writer.FlushBuffer();
    Fire(OnMyClick);
    return bytes;
}

TBauteil* TPlatine::ReadTransfer(const QByteArray& stream, bool placed) {
    const int before = Count();
    QByteArray bytes = stream;
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    RecordContext context(StreamPurpose::Transfer, device);
    ValueReader reader(device, TransferBuffer);
    try {
        LadeAusStream(context, reader, placed);
    } catch (const StreamError&) {
        // Bytes from another program's clipboard may be damaged: what was read stays.
    } catch (const VersionError&) {
    }
    return Count() > before ? At(Count() - 1) : nullptr;
}

void TPlatine::CaptureCursor(bool captured) {
    if (cursorCaptured_ == captured)
        return;
    cursorCaptured_ = captured;
    Fire(captured ? OnCursorCaptured : OnCursorReleased);
}

void TPlatine::EinfuegenAusStream(const QByteArray& stream) {
    EndRunningOperation();
    // Placing that is given up (a right click, Escape) leaves no undo step behind.
    TakeTentativeSnapshot();
    MarkiereAlle(false);
    vorigerModus_ = modus_;
    modus_ = TPlatinenModus::pm_Platzieren;
    Fire(OnModeChange);
    ReadTransfer(stream, false);
    std::optional<Rect> united;
    WithMeasuringCanvas([&](Canvas& canvas) {
        for (const auto& element : bauteile_) {
            if (!element->IstMarkiert())
                continue;
            const Rect r = Normalised(element->GetRedrawBounds(canvas));
            united = united ? United(*united, r) : r;
        }
    });
    const Rect area = united.value_or(Rect{});
    drag_.MoveAnchor = BoardToControl(Midpoint({area.Left, area.Top}, {area.Right, area.Bottom}));
    drag_.MoveOffset = {0, 0};
    CaptureCursor(true);
    drag_.Dragging = true;
    drag_.Operation = true;
    Fire(OnMyClick);
}

bool TPlatine::AskForUnknownValue(TBauteil& part) {
    auto* group = dynamic_cast<TGruppe*>(&part);
    if (group == nullptr || !group->Value.contains(QLatin1Char('?')))
        return true;
    return group->EditProperties();
}

bool TPlatine::PlatziereBauteil(const QByteArray& stream) {
    MarkiereAlle(false);
    const int before = Count();
    EinfuegenAusStream(stream);
    drag_.Operation = false;
    if (Count() == before) {
        DropTentativeSnapshot();
        modus_ = TPlatinenModus::pm_Standard;
        drag_.Dragging = false;
        CaptureCursor(false);
        Fire(OnModeChange);
        return false;
    }
    TBauteil* part = At(Count() - 1);
    part->SetVisible(false);
    if (!AskForUnknownValue(*part)) {
        Remove(part);
        DropTentativeSnapshot();
        modus_ = TPlatinenModus::pm_Standard;
        drag_.Dragging = false;
        Fire(OnModeChange);
        CaptureCursor(false);
        return false;
    }
    part->SetIstMarkiert(true);
    drag_.Operation = true;
    modus_ = TPlatinenModus::pm_Platzieren;
    CaptureCursor(true);
    Fire(OnModeChange);
    part->SetVisible(true);
    if (host_)
        host_->Repaint();
    return true;
}

void TPlatine::RemoveUnplaced() {
    std::vector<TBauteil*> unplaced;
    for (const auto& element : bauteile_)
        if (!element->Placed())
            unplaced.push_back(element.get());
    for (TBauteil* element : unplaced) {
        InvalidateElement(*element);
        Remove(element);
    }
}

bool TPlatine::PlatziereZweipol(const QByteArray& stream) {
    EndRunningOperation();
    TakeTentativeSnapshot();
    // Whatever was selected before stays where it is: only the new part follows the mouse.
    MarkiereAlle(false);
    TBauteil* part = ReadTransfer(stream, false);
    drag_.Operation = false;
    if (part == nullptr) {
        DropTentativeSnapshot();
        return false;
    }
    part->SetVisible(false);
    const bool stays = AskForUnknownValue(*part);
    if (stays) {
        // The part stays hidden: the lead-stretching tool shows it as its leads follow the mouse.
        vorigerModus_ = modus_;
        modus_ = TPlatinenModus::pm_Zweipol;
        Fire(OnModeChange);
        CaptureCursor(true);
    } else {
        Remove(part);
        DropTentativeSnapshot();
    }
    if (host_)
        host_->Repaint();
    return stays;
}

} // namespace karvel
