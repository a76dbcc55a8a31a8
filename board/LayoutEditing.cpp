#include "board/LayoutEditing.h"

#include "board/Board.h"
#include "board/stream/RecordContext.h"
#include "board/stream/ValueReader.h"
#include "board/stream/ValueWriter.h"

#include <QtCore/QBuffer>

namespace karvel {

namespace {

constexpr qsizetype CopyBuffer = 20000;

// Every element of `from` is added to `to` through a copy stream.
void CopyElements(TPlatine& from, TPlatine& to) {
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    {
        RecordContext context(StreamPurpose::Copy, buffer);
        ValueWriter writer(buffer, CopyBuffer);
        from.SpeichereInStream(context, writer, false);
        writer.FlushBuffer();
    }
    buffer.seek(0);
    RecordContext context(StreamPurpose::Copy, buffer);
    ValueReader reader(buffer, CopyBuffer);
    to.LadeAusStream(context, reader, true);
}

void CopyGeometry(const TPlatine& from, TPlatine& to) {
    to.SetSize(from.Width(), from.Height());
    to.SetNullpunkt(from.Nullpunkt());
    to.SetUrsprung(from.Ursprung());
    to.SetReservedPoint(from.ReservedPoint());
}

} // namespace

std::unique_ptr<TBoard> CopyLayoutForEditing(TPlatine& board, ViewState& view) {
    auto copy = std::make_unique<TBoard>(view);
    if (TBoard* layout = board.Layout()) {
        CopyElements(*layout, *copy);
        copy->SetPlatinenName(layout->PlatinenName());
    }
    CopyGeometry(board, *copy);
    copy->SetModified(true);
    return copy;
}

void AcceptEditedLayout(TPlatine& board, TPlatine& edited) {
    TBoard* layout = board.Layout();
    if (layout == nullptr)
        return;
    layout->Clear();
    layout->ClearPieces();
    CopyElements(edited, *layout);
    layout->SetPlatinenName(edited.PlatinenName());
    CopyGeometry(edited, *layout);
    CopyGeometry(edited, board);
    board.LoescheHistorie();
    board.SetModified(true);
}

} // namespace karvel
