// Projects that are damaged, oversized or not projects at all: what is whole stays, the damage
// is named in plain words, and nothing a file says can make reading allocate without bound.

#include "board/Bibo.h"
#include "board/Board.h"
#include "board/ProjectFile.h"
#include "elements/Auge.h"
#include "elements/Draht.h"
#include "elements/Gruppe.h"
#include "stream/LoadError.h"
#include "stream/RecordIO.h"
#include "support/RecordBytes.h"
#include "support/SampleBoard.h"

#include <gtest/gtest.h>
#include <limits>
#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <sys/stat.h>
#include <thread>

namespace karvel {
namespace {

using test::ReadBoard;
using test::RecordBytes;
using test::WriteBoard;

// The base record of the current version, without contacts, optionally with a fill bitmap.
RecordBytes& Base(RecordBytes& b, TBauteilTyp kind, const QByteArray& bmp = {}) {
    b.Int(int(kind)).Int(50).Raw32(0).Raw32(0).Bool(!bmp.isEmpty()).Bool(false).Int(-1);
    b.Bool(false).Bool(!bmp.isEmpty());
    if (!bmp.isEmpty())
        b.Raw(bmp);
    return b.Bool(false).Int(0).Float(0.0).Bool(false);
}

RecordBytes& Pad(RecordBytes& b, int x) {
    b.Str(QStringLiteral("TAuge"));
    return Base(b, TBauteilTyp::btAuge).Float(2.0).Int(x).Int(127);
}

// A filled rectangle with a fill bitmap.
RecordBytes& FilledRect(RecordBytes& b, const QByteArray& bmp) {
    b.Str(QStringLiteral("TDraht"));
    return Base(b, TBauteilTyp::btRect, bmp).Int(1).Point32(0, 0).Point32(2540, 2540).Bool(false);
}

RecordBytes& BoardFields(RecordBytes& b) {
    return b.Int(21).Int(5000).Int(3000).Int(0).Int(0).Point32(0, 127).Point32(0, 0);
}

QByteArray Little32(std::uint32_t v) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(v, bytes.data());
    return bytes;
}

// An 8-bit run-length BMP: every row one run of colour 1, or, without rows, nothing but the
// end-of-bitmap code, which leaves every pixel at colour 0.
QByteArray RleBmp(int width, int height, bool rows) {
    QByteArray data;
    for (int y = 0; rows && y < height; ++y) {
        for (int left = width; left > 0; left -= 255)
            data += QByteArray(1, char(std::min(left, 255))) + QByteArray(1, '\1');
        data += QByteArray::fromHex("0000");
    }
    data += QByteArray::fromHex("0001");
    const QByteArray palette = QByteArray::fromHex("00000000ffffff00");
    const std::uint32_t offset = 14 + 40 + std::uint32_t(palette.size());
    QByteArray bmp =
        "BM" + Little32(offset + std::uint32_t(data.size())) + Little32(0) + Little32(offset);
    bmp += Little32(40) + Little32(std::uint32_t(width)) + Little32(std::uint32_t(height));
    bmp += QByteArray::fromHex("01000800") + Little32(1) + Little32(std::uint32_t(data.size()));
    bmp += Little32(0) + Little32(0) + Little32(2) + Little32(0);
    return bmp + palette + data;
}

QByteArray ProjectBytes(const std::vector<TPlatine*>& boards) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteProject(buffer, boards);
    return buffer.data();
}

ProjectLoad ReadBytes(const QByteArray& bytes, ViewState& view) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadProject(buffer, view);
}

// Three named boards with one pad each, written as a project.
struct ThreeBoards {
    ViewState view;
    TPlatine first{view}, second{view}, third{view};
    ThreeBoards() {
        int n = 0;
        for (TPlatine* board : {&first, &second, &third}) {
            board->SetPlatinenName(QStringLiteral("Platine %1").arg(++n));
            auto pad = std::make_unique<TAuge>();
            pad->Centre = {254 * n, 127};
            board->Add(std::move(pad));
        }
    }
    QByteArray Bytes() { return ProjectBytes({&first, &second, &third}); }
    // Where the board count stands: right after the first board's record.
    qsizetype CountOffset() { return WriteBoard(first, StreamPurpose::File).size(); }
};

// --- Counts larger than what follows ------------------------------------------------------------

TEST(DamagedProjectTest, AnElementCountBeyondTheDataKeepsEveryWholeElement) {
    for (const int count : {60000, std::numeric_limits<std::int32_t>::max()}) {
        RecordBytes b;
        b.Header("x", "3,08").Int(count);
        for (int i = 1; i <= 3; ++i)
            Pad(b, 254 * i);
        ViewState view;
        const ProjectLoad load = ReadBytes(b.Bytes(), view);
        ASSERT_TRUE(load.Error.has_value()) << count;
        EXPECT_EQ(load.Error->GetKind(), StreamError::Kind::ReadError);
        ASSERT_EQ(load.Boards.size(), 1u);
        ASSERT_EQ(load.Boards[0]->Count(), 3) << count;
        EXPECT_EQ(dynamic_cast<TAuge&>(*load.Boards[0]->At(2)).Centre, QPoint(762, 127));
    }
}

TEST(DamagedProjectTest, AMemberCountBeyondTheDataKeepsEveryWholeMember) {
    RecordBytes b;
    b.Header("x", "3,08").Int(1).Str(QStringLiteral("TGruppe"));
    Base(b, TBauteilTyp::btGruppe).Int(60000 - 1).Raw(QByteArray(95, '\0')).Bool(false);
    b.Bool(false);
    for (int i = 1; i <= 3; ++i)
        Pad(b, 254 * i);
    ViewState view;
    TPlatine board(view);
    EXPECT_THROW(ReadBoard(board, b.Bytes(), StreamPurpose::File), StreamError);
    ASSERT_EQ(board.Count(), 1);
    const auto& group = dynamic_cast<TGruppe&>(*board.At(0));
    ASSERT_EQ(group.Members().size(), 3u);
    EXPECT_EQ(dynamic_cast<TAuge&>(*group.Members()[2]).Centre, QPoint(762, 127));
}

TEST(DamagedProjectTest, ABoardCountBeyondTheDataKeepsEveryWholeBoard) {
    ThreeBoards project;
    QByteArray bytes = project.Bytes();
    const qsizetype at = project.CountOffset();
    ASSERT_EQ(bytes.mid(at, 2), QByteArray::fromHex("0203"));
    bytes.replace(at, 2, RecordBytes().Int(60000).Bytes());
    const ProjectLoad load = ReadBytes(bytes, project.view);
    ASSERT_TRUE(load.Error.has_value());
    EXPECT_EQ(load.Error->GetKind(), StreamError::Kind::ReadError);
    EXPECT_EQ(load.Error->Position(), bytes.size()) << "it failed where the data end";
    ASSERT_EQ(load.Boards.size(), 3u) << "no board is made up where the data end";
    EXPECT_EQ(load.Boards[2]->PlatinenName(), QStringLiteral("Platine 3"));
    EXPECT_EQ(load.Boards[2]->Count(), 1);
}

// --- Data after the last board -------------------------------------------------------------------

TEST(DamagedProjectTest, BytesAfterTheLastBoardAreReportedAndTheBoardsKept) {
    ThreeBoards project;
    QByteArray bytes = project.Bytes();
    const qsizetype at = project.CountOffset();
    bytes[at + 1] = 1; // the count says one board
    const ProjectLoad load = ReadBytes(bytes, project.view);
    ASSERT_TRUE(load.Error.has_value());
    EXPECT_EQ(load.Error->GetKind(), StreamError::Kind::UnreadData);
    const qint64 rest = bytes.size() - at - 2;
    EXPECT_EQ(load.Error->UnreadBytes(), rest);
    EXPECT_EQ(load.Error->Position(), at + 2);
    EXPECT_EQ(load.Error->Message(Language::English),
              QStringLiteral("%1 bytes after the last board were not read; the file is damaged "
                             "or was not written by Karvel.")
                  .arg(rest));
    ASSERT_EQ(load.Boards.size(), 1u);
    EXPECT_EQ(load.Boards[0]->Count(), 1);

    bytes.truncate(at + 2);
    EXPECT_FALSE(ReadBytes(bytes, project.view).Error.has_value()) << "exactly one board";
}

TEST(DamagedProjectTest, ErrorsNameTheByteWhereTheDamagedValueStarts) {
    RecordBytes b;
    b.Header("x", "3,08").Int(2);
    Pad(b, 254);
    const qsizetype damaged = b.Bytes().size();
    b.Str(QStringLiteral("TFehlt"));
    ViewState view;
    const ProjectLoad load = ReadBytes(b.Bytes(), view);
    ASSERT_TRUE(load.Error.has_value());
    EXPECT_EQ(load.Error->GetKind(), StreamError::Kind::ClassNotFound);
    EXPECT_EQ(load.Error->Position(), damaged);
    EXPECT_EQ(load.Error->Message(Language::German),
              QStringLiteral("Dies ist keine Karvel-Projektdatei, oder sie ist beschädigt "
                             "(Klasse TFehlt nicht gefunden bei Byte %1).")
                  .arg(damaged));

    const ProjectLoad empty = ReadBytes({}, view);
    ASSERT_TRUE(empty.Error.has_value());
    EXPECT_EQ(empty.Error->Message(Language::English),
              QStringLiteral("This is not a Karvel project file, or it is damaged (the file is "
                             "empty)."));
    EXPECT_EQ(empty.Boards.size(), 1u) << "a project always has a board to show";
}

TEST(DamagedProjectTest, LibraryPagesAndLayoutsNameTheByteToo) {
    QTemporaryDir folder;
    RecordBytes b;
    b.Header("Seite", "3,08").Int(2);
    Pad(b, 254);
    const qsizetype damaged = b.Bytes().size();
    const QString path = folder.filePath(QStringLiteral("seite.lib"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(b.Str(QStringLiteral("TFehlt")).Bytes());
    file.close();
    ViewState view;
    TBibo page(view);
    const std::optional<StreamError> error = ReadLibraryPage(path, page);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Position(), damaged);
    EXPECT_EQ(page.Count(), 1);

    TPlatine board(view);
    try {
        ReadLayoutIntoBoard(path, board);
        FAIL() << "read a damaged layout";
    } catch (const StreamError& layoutError) {
        EXPECT_EQ(layoutError.Position(), damaged);
    }
}

// --- Files that are not projects -----------------------------------------------------------------

TEST(DamagedProjectTest, WhatIsNoProjectFileIsNamedForWhatItIs) {
    QTemporaryDir folder;
    ViewState view;
    TBoard layout(view);
    layout.Add(std::make_unique<TAuge>());
    const QString layoutPath = folder.filePath(QStringLiteral("Lochraster.KVB"));
    ASSERT_TRUE(SaveLayoutFile(layoutPath, layout).isEmpty());
    const QString sub = folder.filePath(QStringLiteral("Projekte.rst"));
    ASSERT_TRUE(QDir().mkpath(sub));

    struct Case {
        QString path;
        FileOpenError::Reason reason;
        QString english;
        QString german;
    };
    const Case cases[] = {
        {layoutPath, FileOpenError::Reason::BoardLayout,
         QStringLiteral("\"%1\" is a board layout, not a project; open it in the board layout "
                        "editor.")
             .arg(layoutPath),
         QStringLiteral("\"%1\" ist ein Platinenlayout, kein Projekt; öffnen Sie es mit \"Layout "
                        "bearbeiten\".")
             .arg(layoutPath)},
        {sub, FileOpenError::Reason::Folder,
         QStringLiteral("\"%1\" is a folder, not a file.").arg(sub),
         QStringLiteral("\"%1\" ist ein Ordner, keine Datei.").arg(sub)},
        {folder.filePath(QStringLiteral("fehlt.rst")), FileOpenError::Reason::Missing,
         QStringLiteral("The file \"%1\" does not exist.")
             .arg(folder.filePath(QStringLiteral("fehlt.rst"))),
         QStringLiteral("Die Datei \"%1\" gibt es nicht.")
             .arg(folder.filePath(QStringLiteral("fehlt.rst")))},
    };
    for (const Case& c : cases) {
        try {
            ReadProjectFile(c.path, view);
            ADD_FAILURE() << c.path.toStdString();
        } catch (const FileOpenError& error) {
            EXPECT_EQ(error.GetReason(), c.reason) << c.path.toStdString();
            EXPECT_EQ(error.Message(Language::English), c.english);
            EXPECT_EQ(error.Message(Language::German), c.german);
        }
    }
}

TEST(DamagedProjectTest, ACutLayoutFileIsDamagedNotALayout) {
    QTemporaryDir folder;
    ViewState view;
    TBoard layout(view);
    layout.Add(std::make_unique<TAuge>());
    const QString path = folder.filePath(QStringLiteral("Lochraster.KVB"));
    ASSERT_TRUE(SaveLayoutFile(path, layout).isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(file.size() - 1));
    file.close();
    const ProjectLoad load = ReadProjectFile(path, view);
    ASSERT_TRUE(load.Error.has_value());
    EXPECT_EQ(load.Error->GetKind(), StreamError::Kind::ReadError);
}

// --- Pipes ---------------------------------------------------------------------------------------

// Writes bytes into a FIFO from another thread, as a shell pipeline would.
class FifoWriter {
public:
    FifoWriter(const QString& path, QByteArray bytes)
        : thread_([path, bytes = std::move(bytes)] {
              QFile fifo(path);
              if (fifo.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                  fifo.write(bytes);
          }) {}
    ~FifoWriter() { thread_.join(); }

private:
    std::thread thread_;
};

TEST(DamagedProjectTest, AProjectIsReadFromAFifo) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("projekt.fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    ThreeBoards project;
    {
        const FifoWriter writer(path, project.Bytes());
        const ProjectLoad load = ReadProjectFile(path, project.view);
        EXPECT_FALSE(load.Error.has_value()) << load.Error->what();
        ASSERT_EQ(load.Boards.size(), 3u);
        EXPECT_EQ(load.Boards[2]->PlatinenName(), QStringLiteral("Platine 3"));
    }
    {
        // Fits the pipe's own buffer, so the writer is done before reading stops.
        const FifoWriter writer(path, QByteArray(5000, 'x'));
        try {
            ReadProjectFile(path, project.view, 1000);
            ADD_FAILURE() << "read more than the limit";
        } catch (const FileOpenError& error) {
            EXPECT_EQ(error.GetReason(), FileOpenError::Reason::TooLarge);
            EXPECT_TRUE(error.Message(Language::English)
                            .endsWith(QStringLiteral("delivers more data than a project can "
                                                     "hold; nothing was opened.")));
        }
    }
}

// --- Values no board can have --------------------------------------------------------------------

TEST(DamagedProjectTest, AbsurdSizesAndCoordinatesAreInvalidValues) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const int far = record::MaxCoordinate + 1;
    struct Case {
        const char* what;
        std::function<void(RecordBytes&)> write;
    };
    auto pad = [](double diameter, int x) {
        return [=](RecordBytes& b) {
            b.Int(1).Str(QStringLiteral("TAuge"));
            Base(b, TBauteilTyp::btAuge).Float(diameter).Int(x).Int(127);
        };
    };
    auto cut = [](int left) {
        return [=](RecordBytes& b) {
            b.Int(1).Str(QStringLiteral("TTrenner"));
            Base(b, TBauteilTyp::btTrenner).Raw32(left).Raw32(0).Raw32(10).Raw32(10);
        };
    };
    auto board = [](int width, int nullpunktX) {
        return
            [=](RecordBytes& b) { b.Int(0).Int(21).Int(width).Int(1000).Int(nullpunktX).Int(0); };
    };
    const Case cases[] = {
        {"a NaN diameter", pad(nan, 0)},
        {"an infinite diameter", pad(inf, 0)},
        {"a negative diameter", pad(-0.5, 0)},
        {"a diameter beyond any board", pad(record::MaxExtent / 100.0 + 1.0, 0)},
        {"a diameter from a flipped exponent byte", pad(2.0e300, 0)},
        {"a centre beyond any board", pad(2.0, far)},
        {"a cut beyond any board", cut(-far)},
        {"a negative board width", board(-5, 0)},
        {"a board wider than any", board(record::MaxExtent + 1, 0)},
        {"a board origin beyond any board", board(1000, far)},
        {"a wire node beyond any board",
         [=](RecordBytes& b) {
             b.Int(1).Str(QStringLiteral("TDraht"));
             Base(b, TBauteilTyp::btDraht).Int(1).Point32(0, 0).Point32(0, -far);
         }},
    };
    for (const Case& c : cases) {
        RecordBytes b;
        b.Header("x", "3,08");
        c.write(b);
        ViewState view;
        TPlatine read(view);
        try {
            ReadBoard(read, b.Bytes(), StreamPurpose::File);
            ADD_FAILURE() << c.what;
        } catch (const StreamError& error) {
            EXPECT_EQ(error.GetKind(), StreamError::Kind::InvalidValue) << c.what;
        }
    }

    // The edges themselves are allowed.
    RecordBytes b;
    b.Header("x", "3,08");
    pad(record::MaxExtent / 100.0, record::MaxCoordinate)(b);
    ViewState view;
    TBoard read(view);
    ReadBoard(read, BoardFields(b).Int(0).Bytes(), StreamPurpose::File);
    EXPECT_EQ(dynamic_cast<TAuge&>(*read.At(0)).Centre.x(), record::MaxCoordinate);
}

// --- Fill bitmaps --------------------------------------------------------------------------------

TEST(DamagedProjectTest, ACompressedBitmapIsWrittenBackAsItCame) {
    const QByteArray bomb = RleBmp(5000, 5000, false);
    ASSERT_LT(bomb.size(), 100);
    RecordBytes b;
    b.Header("x", "3,08").Int(1);
    FilledRect(b, bomb);
    ViewState view;
    TBoard board(view);
    ReadBoard(board, BoardFields(b).Int(0).Bytes(), StreamPurpose::File);
    const auto& rect = dynamic_cast<TDraht&>(*board.At(0));
    ASSERT_NE(rect.Btmap(), nullptr);
    EXPECT_EQ(rect.Btmap()->size(), QSize(5000, 5000));

    const QByteArray written = WriteBoard(board, StreamPurpose::File);
    EXPECT_TRUE(written.contains(bomb));
    EXPECT_LT(written.size(), 1000) << "not re-encoded as 25 megapixels";
    const QByteArray clip = WriteBoard(board, StreamPurpose::Transfer);
    EXPECT_LT(clip.size(), 1000) << "the clipboard copies the same bytes";
}

TEST(DamagedProjectTest, AnEditedBitmapIsWrittenAsItNowIs) {
    const QByteArray small = RleBmp(40, 30, true);
    RecordBytes b;
    b.Header("x", "3,08").Int(1);
    FilledRect(b, small);
    ViewState view;
    TBoard board(view);
    ReadBoard(board, BoardFields(b).Int(0).Bytes(), StreamPurpose::File);
    auto& rect = dynamic_cast<TDraht&>(*board.At(0));
    ASSERT_EQ(rect.Btmap()->pixel(39, 29), qRgb(255, 255, 255));
    rect.Rotate90({0, 0}, {0, 0});
    ASSERT_EQ(rect.Btmap()->size(), QSize(30, 40));

    const QByteArray written = WriteBoard(board, StreamPurpose::File);
    EXPECT_FALSE(written.contains(small)) << "the old picture would undo the turn";
    TBoard read(view);
    ReadBoard(read, written, StreamPurpose::File);
    EXPECT_EQ(dynamic_cast<TDraht&>(*read.At(0)).Btmap()->size(), QSize(30, 40));
}

TEST(DamagedProjectTest, WhatAFileMayUnpackIsBoundedInPixels) {
    // 25 megapixels each: two fit the budget of one file, the third does not.
    const QByteArray bomb = RleBmp(5000, 5000, false);
    ASSERT_LT(2 * 25'000'000, DecodeBudget::PixelsPerStream);
    ASSERT_GT(3 * 25'000'000, DecodeBudget::PixelsPerStream);
    RecordBytes b;
    b.Header("x", "3,08").Int(3);
    for (int i = 0; i < 3; ++i)
        FilledRect(b, bomb);
    const QByteArray record = BoardFields(b).Int(0).Bytes();
    ViewState view;
    TBoard board(view);
    try {
        ReadBoard(board, record, StreamPurpose::File);
        FAIL() << "unpacked 75 megapixels";
    } catch (const StreamError& error) {
        EXPECT_EQ(error.GetKind(), StreamError::Kind::InvalidValue);
    }
    EXPECT_EQ(board.Count(), 3) << "the first two keep their pictures";
    EXPECT_NE(dynamic_cast<TDraht&>(*board.At(1)).Btmap(), nullptr);
    EXPECT_EQ(dynamic_cast<TDraht&>(*board.At(2)).Btmap(), nullptr);

    // The budget holds across the boards of a project.
    TPlatine one(view);
    TDraht* rect =
        static_cast<TDraht*>(one.Add(test::MakeWire(TBauteilTyp::btRect, {{0, 0}, {2540, 2540}})));
    QImage picture;
    ASSERT_TRUE(picture.loadFromData(bomb, "BMP"));
    ASSERT_TRUE(rect->AdoptFillBitmap(picture, bomb));
    const ProjectLoad load = ReadBytes(ProjectBytes({&one, &one, &one}), view);
    ASSERT_TRUE(load.Error.has_value());
    EXPECT_EQ(load.Error->GetKind(), StreamError::Kind::InvalidValue);
    ASSERT_EQ(load.Boards.size(), 3u);
    EXPECT_NE(dynamic_cast<TDraht&>(*load.Boards[1]->At(0)).Btmap(), nullptr);
}

} // namespace
} // namespace karvel
