#include "board/ProjectFile.h"

#include "board/Bibo.h"
#include "board/Board.h"
#include "board/stream/ValueReader.h"
#include "board/stream/ValueWriter.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>

namespace karvel {

namespace {

constexpr qsizetype LargeBuffer = 20000;
constexpr qsizetype SmallBuffer = 2000;
constexpr qint64 SmallestBoardRecord = 41 + 2;

// Runs a write into a temporary file beside the target and puts it in place only when all of
// it was written; the previous file stays untouched otherwise.
template <typename Write> QString SaveAtomically(const QString& path, Write&& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    try {
        write(static_cast<QIODevice&>(file));
    } catch (const std::exception& e) {
        file.cancelWriting();
        return QString::fromUtf8(e.what());
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace

ProjectLoad ReadProject(QIODevice& device, ViewState& view) {
    ProjectLoad load;
    RecordContext context(StreamPurpose::File, device);
    ValueReader reader(device, LargeBuffer);
    try {
        auto first = std::make_unique<TPlatine>(view);
        TPlatine* board = first.get();
        load.Boards.push_back(std::move(first));
        board->LadeAusStream(context, reader, true);
        load.Version = context.Version().Text();
        if (!context.OldFormat()) {
            const std::int32_t total = reader.ReadInteger();
            if (total > 1)
                reader.CheckCount(total - 1, SmallestBoardRecord);
            for (std::int32_t i = 1; i < total; ++i) {
                auto next = std::make_unique<TPlatine>(view);
                board = next.get();
                load.Boards.push_back(std::move(next));
                RecordContext boardContext(StreamPurpose::File, device);
                board->LadeAusStream(boardContext, reader, true);
            }
        }
    } catch (const StreamError& error) {
        load.Error = error;
    }
    if (load.Version.isEmpty())
        load.Version = context.Version().Text();
    // Reading selects what it reads; a project opens with nothing selected.
    for (const auto& board : load.Boards)
        for (const auto& element : board->Bauteile())
            element->SetIstMarkiert(false);
    return load;
}

ProjectLoad ReadProjectFile(const QString& path, ViewState& view) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileOpenError(path, file.errorString());
    ProjectLoad load = ReadProject(file, view);
    if (!load.Boards.empty())
        load.Boards.front()->SetDateiname(path);
    return load;
}

void WriteProject(QIODevice& device, const std::vector<TPlatine*>& boards) {
    if (boards.empty())
        return;
    RecordContext context(StreamPurpose::File, device);
    ValueWriter writer(device, LargeBuffer);
    boards.front()->SpeichereInStream(context, writer, false);
    writer.WriteInteger(std::int32_t(boards.size()));
    for (std::size_t i = 1; i < boards.size(); ++i)
        boards[i]->SpeichereInStream(context, writer, false);
    writer.FlushBuffer();
}

QString SaveProjectFile(const QString& path, const std::vector<TPlatine*>& boards) {
    return SaveAtomically(path, [&](QIODevice& device) { WriteProject(device, boards); });
}

QString SaveLayoutFile(const QString& path, TBoard& layout) {
    return SaveAtomically(path, [&](QIODevice& device) { WriteProject(device, {&layout}); });
}

void ReadLayoutIntoBoard(const QString& path, TPlatine& board) {
    TBoard* layout = board.Layout();
    if (layout == nullptr)
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileOpenError(path, file.errorString());
    layout->Clear();
    layout->ClearPieces();
    RecordContext context(StreamPurpose::File, file);
    ValueReader reader(file, LargeBuffer);
    layout->LadeAusStream(context, reader, true);
    layout->SetPlatinenName(QFileInfo(path).fileName().left(35));
    board.SetSize(layout->Width(), layout->Height());
    board.SetNullpunkt(layout->Nullpunkt());
    board.SetUrsprung(layout->Ursprung());
    board.SetReservedPoint(layout->ReservedPoint());
}

QString SaveLibraryPage(const QString& path, TBibo& page) {
    return SaveAtomically(path, [&](QIODevice& device) {
        RecordContext context(StreamPurpose::File, device);
        ValueWriter writer(device, SmallBuffer);
        page.SpeichereInStream(context, writer, false);
        writer.FlushBuffer();
    });
}

std::optional<StreamError> ReadLibraryPage(const QString& path, TBibo& page) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileOpenError(path, file.errorString());
    RecordContext context(StreamPurpose::File, file);
    ValueReader reader(file, SmallBuffer);
    try {
        page.LadeAusStream(context, reader, true);
    } catch (const StreamError& error) {
        return error;
    }
    return std::nullopt;
}

std::unique_ptr<TPlatine> DuplicateBoard(TPlatine& board) {
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    {
        RecordContext context(StreamPurpose::Copy, buffer);
        ValueWriter writer(buffer, LargeBuffer);
        board.SpeichereInStream(context, writer, false);
        writer.FlushBuffer();
    }
    buffer.seek(0);
    auto copy = std::make_unique<TPlatine>(board.View());
    RecordContext context(StreamPurpose::Copy, buffer);
    ValueReader reader(buffer, LargeBuffer);
    copy->LadeAusStream(context, reader, true);
    const ViewState& view = board.View();
    copy->SetPlatinenName(view.Tr(QStringLiteral("Kopie von ") + board.PlatinenName(),
                                  board.PlatinenName() + QStringLiteral(" (Copy)"))
                              .left(40));
    return copy;
}

} // namespace karvel
