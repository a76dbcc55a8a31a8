#include "board/ProjectFile.h"

#include "board/Bibo.h"
#include "board/Board.h"
#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"
#include "stream/StoreError.h"
#include "stream/ValueReader.h"
#include "stream/ValueWriter.h"

#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryFile>

namespace karvel {

namespace {

constexpr qsizetype LargeBuffer = 20000;
constexpr qsizetype SmallBuffer = 2000;
// A board record starts with its name and version in a header of this size.
constexpr qint64 BoardHeaderSize = 41;

// Runs a write into a temporary file beside the target and puts it in place only when all of
// it was written; the previous file stays untouched otherwise.
// The bytes are made in memory first and then written in one piece, checked to the last
// byte: a disk that fills up part way (a short write) must not pass for a saved file. A value
// the reader would refuse stops the write before the file is touched, said in the language.
template <typename Write>
QString SaveAtomically(const QString& path, Language language, Write&& write) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    try {
        write(static_cast<QIODevice&>(buffer));
    } catch (const StoreError& e) {
        return e.Message(language);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return WriteFileAtomically(path, buffer.data());
}

// Runs read; a reading error it ends with learns where the value that failed starts.
template <typename Read> void Locating(const ValueReader& reader, Read&& read) {
    try {
        read();
    } catch (StreamError& error) {
        if (error.Position() < 0)
            error.SetPosition(reader.ValueStart());
        throw;
    }
}

// Appends the boards of a project to load as they are read. Nothing is allocated for the
// board count: a damaged one ends reading where the data end, and every whole board stays.
void ReadBoards(QIODevice& device, ViewState& view, RecordContext& context, ValueReader& reader,
                ProjectLoad& load) {
    // A project has at least one board, even when nothing of it could be read.
    load.Boards.push_back(std::make_unique<TPlatine>(view));
    if (reader.Remaining() == 0)
        throw StreamError::EmptyStream();
    const auto countHeader = [&] {
        if (reader.Remaining() >= BoardHeaderSize)
            ++load.BoardsRead;
    };
    countHeader();
    load.Boards.back()->LadeAusStream(context, reader, true);
    load.Version = context.Version().Text();
    if (!context.OldFormat()) {
        const std::int32_t total = reader.ReadInteger();
        for (std::int32_t i = 1; i < total; ++i) {
            if (reader.Remaining() == 0) {
                // No board is made up where the data end.
                StreamError error = StreamError::ReadError();
                error.SetPosition(reader.Position());
                throw error;
            }
            load.Boards.push_back(std::make_unique<TPlatine>(view));
            RecordContext boardContext(StreamPurpose::File, device);
            boardContext.ShareBudgetWith(context);
            countHeader();
            load.Boards.back()->LadeAusStream(boardContext, reader, true);
        }
    }
    if (const qint64 rest = reader.Remaining(); rest > 0) {
        load.Error = StreamError::UnreadData(rest);
        load.Error->SetPosition(reader.Position());
    }
}

// Reads a project from a device that can go back and knows its size.
ProjectLoad ReadProjectFrom(QIODevice& device, ViewState& view) {
    ProjectLoad load;
    RecordContext context(StreamPurpose::File, device);
    ValueReader reader(device, LargeBuffer);
    try {
        Locating(reader, [&] { ReadBoards(device, view, context, reader, load); });
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

// Reads all of a pipe or FIFO into memory, at most limit bytes; nothing when it holds more.
std::optional<QByteArray> ReadWholeStream(QIODevice& device, qint64 limit) {
    QByteArray bytes;
    constexpr qint64 Chunk = 1 << 16;
    for (;;) {
        const qint64 room = std::min(Chunk, limit + 1 - bytes.size());
        const QByteArray chunk = device.read(room);
        if (!chunk.isEmpty()) {
            bytes += chunk;
            if (bytes.size() > limit)
                return std::nullopt;
            continue;
        }
        // A file on a pipe blocks in read and ends with nothing; other devices say when more
        // has come.
        if (!device.waitForReadyRead(-1) && device.bytesAvailable() <= 0)
            return bytes;
    }
}

// Runs read on the device itself when it can go back and knows its size; a pipe can do
// neither, so its bytes are read into memory first, at most limit of them.
template <typename Read>
ProjectLoad WithRandomAccess(QIODevice& device, const QString& name, qint64 limit, Read&& read) {
    if (!device.isSequential())
        return read(device);
    std::optional<QByteArray> bytes = ReadWholeStream(device, limit);
    if (!bytes)
        throw FileOpenError(FileOpenError::Reason::TooLarge, name);
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(static_cast<QIODevice&>(buffer));
}

// Whether the device holds a board layout file: one record of a board without a layout of its
// own, then the board count, and nothing else. Read as a project it fails where the project's
// nested layout would begin.
bool HoldsBoardLayout(QIODevice& device, ViewState& view) {
    if (!device.seek(0))
        return false;
    RecordContext context(StreamPurpose::File, device);
    ValueReader reader(device, LargeBuffer);
    try {
        TBoard layout(view);
        layout.LadeAusStream(context, reader, true);
        return reader.ReadInteger() >= 1 && reader.Remaining() == 0;
    } catch (const StreamError&) {
        return false;
    }
}

} // namespace

ProjectLoad ReadProject(QIODevice& device, ViewState& view, qint64 inputLimit) {
    return WithRandomAccess(device, QString(), inputLimit,
                            [&](QIODevice& input) { return ReadProjectFrom(input, view); });
}

ProjectLoad ReadProjectFile(const QString& path, ViewState& view, qint64 inputLimit) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileOpenError::For(file);
    ProjectLoad load = WithRandomAccess(file, path, inputLimit, [&](QIODevice& input) {
        ProjectLoad read = ReadProjectFrom(input, view);
        if (read.Error && read.Error->GetKind() != StreamError::Kind::UnreadData &&
            HoldsBoardLayout(input, view))
            throw FileOpenError(FileOpenError::Reason::BoardLayout, path);
        return read;
    });
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
    const Language language = boards.empty() ? Language::German : boards.front()->View().Sprache;
    return SaveAtomically(path, language, [&](QIODevice& device) { WriteProject(device, boards); });
}

bool FolderRefusesNewFiles(const QString& path) {
    const QDir folder = QFileInfo(path).absoluteDir();
    if (!folder.exists())
        return false;
    QTemporaryFile probe(folder.filePath(QStringLiteral(".karvel-probe-XXXXXX")));
    return !probe.open();
}

QString FolderRefusesNewFilesMessage(const QString& path, Language language) {
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    return Tr(language,
              QStringLiteral("In den Ordner \"%1\" kann nicht geschrieben werden. Karvel "
                             "speichert zuerst in eine neue Datei neben der alten und ersetzt "
                             "die alte erst, wenn alles geschrieben ist; dafür muss der Ordner "
                             "neue Dateien aufnehmen, auch wenn die Datei selbst beschreibbar "
                             "ist.\rMit \"Speichern unter...\" können Sie das Projekt an einem "
                             "anderen Ort speichern."),
              QStringLiteral("The folder \"%1\" cannot be written. Karvel first saves into a new "
                             "file beside the old one and replaces the old one only when all is "
                             "written; for that the folder must take new files, even when the "
                             "file itself could be overwritten.\rWith \"Save as...\" you can "
                             "put the project somewhere else."))
        .arg(folder);
}

QString SaveLayoutFile(const QString& path, TBoard& layout) {
    return SaveAtomically(path, layout.View().Sprache,
                          [&](QIODevice& device) { WriteProject(device, {&layout}); });
}

void ReadLayoutFile(const QString& path, TPlatine& layout) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileOpenError::For(file);
    layout.Clear();
    if (auto* copper = dynamic_cast<TBoard*>(&layout))
        copper->ClearPieces();
    RecordContext context(StreamPurpose::File, file);
    ValueReader reader(file, LargeBuffer);
    Locating(reader, [&] { layout.LadeAusStream(context, reader, true); });
    layout.SetPlatinenName(QFileInfo(path).fileName().left(35));
}

void ReadLayoutIntoBoard(const QString& path, TPlatine& board) {
    TBoard* layout = board.Layout();
    if (layout == nullptr)
        return;
    ReadLayoutFile(path, *layout);
    board.SetSize(layout->Width(), layout->Height());
    board.SetNullpunkt(layout->Nullpunkt());
    board.SetUrsprung(layout->Ursprung());
    board.SetReservedPoint(layout->ReservedPoint());
}

QString SaveLibraryPage(const QString& path, TBibo& page) {
    return SaveAtomically(path, page.View().Sprache, [&](QIODevice& device) {
        RecordContext context(StreamPurpose::File, device);
        ValueWriter writer(device, SmallBuffer);
        page.SpeichereInStream(context, writer, false);
        writer.FlushBuffer();
    });
}

std::optional<StreamError> ReadLibraryPage(const QString& path, TBibo& page) {
    QFile file(path);
    // A page is a regular file; whatever else stands in the library folder is refused
    // without waiting for it.
    if (const QString reason = OpenRegularFile(file, page.View().Sprache); !reason.isEmpty()) {
        if (!QFileInfo::exists(path) || QFileInfo(path).isDir())
            throw FileOpenError::For(file);
        throw FileOpenError(path, reason);
    }
    RecordContext context(StreamPurpose::File, file);
    ValueReader reader(file, SmallBuffer);
    try {
        Locating(reader, [&] { page.LadeAusStream(context, reader, true); });
    } catch (const StreamError& error) {
        return error;
    }
    return std::nullopt;
}

void CopyThroughStream(TPlatine& from, TPlatine& to) {
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    {
        RecordContext context(StreamPurpose::Copy, buffer);
        ValueWriter writer(buffer, LargeBuffer);
        from.SpeichereInStream(context, writer, false);
        writer.FlushBuffer();
    }
    buffer.seek(0);
    RecordContext context(StreamPurpose::Copy, buffer);
    ValueReader reader(buffer, LargeBuffer);
    to.LadeAusStream(context, reader, true);
}

std::unique_ptr<TPlatine> DuplicateBoard(TPlatine& board) {
    auto copy = std::make_unique<TPlatine>(board.View());
    CopyThroughStream(board, *copy);
    const ViewState& view = board.View();
    copy->SetPlatinenName(view.Tr(QStringLiteral("Kopie von ") + board.PlatinenName(),
                                  board.PlatinenName() + QStringLiteral(" (Copy)"))
                              .left(TPlatine::StoredNameLength));
    return copy;
}

} // namespace karvel
