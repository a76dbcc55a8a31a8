#include "board/Bibo.h"
#include "board/ProjectFile.h"
#include "stream/LoadError.h"
#include "stream/StreamError.h"
#include "support/OrdinaryFileRights.h"
#include "support/Printers.h"
#include "support/RecordBytes.h"
#include "support/SampleBoard.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <sys/resource.h>

namespace karvel {
namespace {

using test::ReadBoard;
using test::RecordBytes;
using test::WriteBoard;

const auto* const FakeSnapshot = reinterpret_cast<const SnapshotStream*>(0x1000);

template <typename T> T* As(TPlatine& board, int index) {
    return dynamic_cast<T*>(board.At(index));
}

// --- Round trips --------------------------------------------------------------------------------

class RoundTrip : public ::testing::TestWithParam<StreamPurpose> {};

TEST_P(RoundTrip, WriteReadWriteGivesTheSameBytes) {
    const StreamPurpose purpose = GetParam();
    ViewState view;
    TPlatine board(view);
    test::FillSampleBoard(board);
    const QByteArray first = WriteBoard(board, purpose, false, FakeSnapshot);

    // Snapshots refer to the bitmaps of their own board, so they are read back into it.
    TPlatine other(view);
    other.SetPlatinenName(board.PlatinenName()); // copies do not read the name
    TPlatine& target = purpose == StreamPurpose::Snapshot ? board : other;
    if (purpose == StreamPurpose::Snapshot)
        board.Clear();
    ReadBoard(target, first, purpose);
    const QByteArray second = WriteBoard(target, purpose, false, FakeSnapshot);
    EXPECT_EQ(second.size(), first.size());
    EXPECT_TRUE(second == first) << "bytes differ";
}

INSTANTIATE_TEST_SUITE_P(EveryPurpose, RoundTrip,
                         ::testing::Values(StreamPurpose::File, StreamPurpose::Snapshot,
                                           StreamPurpose::Copy));

TEST(BoardRecordTest, EveryFieldSurvivesAFileRoundTrip) {
    ViewState view;
    TPlatine board(view);
    test::FillSampleBoard(board);
    TPlatine read(view);
    ReadBoard(read, WriteBoard(board, StreamPurpose::File), StreamPurpose::File);

    EXPECT_EQ(read.PlatinenName(), board.PlatinenName().left(36));
    EXPECT_EQ(read.Width(), 8128);
    EXPECT_EQ(read.Height(), 5080);
    EXPECT_EQ(read.Nullpunkt(), QPoint(254, 127));
    EXPECT_EQ(read.Ursprung(), QPoint(508, 381));
    EXPECT_EQ(read.ReservedPoint(), QPoint(7, 9));
    EXPECT_EQ(read.Anmerkungen().PlainText(),
              QStringLiteral("Anmerkungen: LED an Pin 3\nZweite Zeile"));
    EXPECT_EQ(read.Anmerkungen().Rtf(), board.Anmerkungen().Rtf());
    ASSERT_EQ(read.Count(), board.Count() - 0);
    ASSERT_EQ(read.Layout()->Count(), 3);
    EXPECT_EQ(read.Layout()->Width(), 8128);

    const auto* wire = As<TDraht>(read, 0);
    ASSERT_NE(wire, nullptr);
    EXPECT_EQ(wire->Nodes, (std::vector<QPoint>{{508, 381}, {508, 889}, {1524, 889}}));
    EXPECT_EQ(wire->Anchors, (std::vector<QPoint>{{2, 1}, {6, 3}}));
    EXPECT_EQ(wire->Stiftfarbe(), RgbColour(200, 30, 40));
    EXPECT_TRUE(wire->istAufLoetseite());

    const auto* line = As<TDraht>(read, 1);
    EXPECT_TRUE(line->Glaetten());
    EXPECT_EQ(line->GlaettenStil(), TGlaettenStil::glFase);
    EXPECT_DOUBLE_EQ(line->GlaettenBetrag(), 75.5);
    EXPECT_TRUE(line->Fraesen());
    EXPECT_EQ(line->Stiftbreite(), -3);

    const auto* polygon = As<TDraht>(read, 2);
    ASSERT_TRUE(polygon->HasteBitmap());
    ASSERT_NE(polygon->Btmap(), nullptr);
    EXPECT_EQ(polygon->Btmap()->size(), QSize(3, 2));
    EXPECT_EQ(polygon->Btmap()->pixel(1, 1), qRgb(1, 2, 3));
    ASSERT_TRUE(polygon->RememberedNodes.has_value());
    EXPECT_EQ(polygon->BMU(), read.BitmapUsages().At(0)) << "a file brings its own bitmap";

    const auto* track = As<TLeiterbahn>(read, 4);
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(track->Contour().Nodes.size(), 4u) << "the outline is rebuilt after reading";
    EXPECT_EQ(track->Contour().Nodes[0], QPoint(254, 2667 - 125));

    const auto* pad = As<TAuge>(read, 6);
    EXPECT_EQ(pad->Centre, QPoint(3302, 1651));
    EXPECT_DOUBLE_EQ(pad->Diameter, 2.5);
    EXPECT_EQ(As<TTrenner>(read, 8)->CutRect, (Rect{1200, 2540, 1340, 2794}));
    EXPECT_EQ(As<TKreis>(read, 9)->Contour().Nodes.size(), 16u);

    const auto* label = As<TTextLabel>(read, 10);
    EXPECT_EQ(label->TextString(), QStringLiteral("Ø 5 mm – Maß"));
    EXPECT_DOUBLE_EQ(label->Angle, 0.5);
    EXPECT_EQ(label->TextHeight, 300);
    EXPECT_TRUE(label->Font.Bold);
    EXPECT_EQ(label->Font.Face, QStringLiteral("Liberation Serif"));

    const auto* resistor = As<TGruppe>(read, 11);
    ASSERT_NE(resistor, nullptr);
    EXPECT_EQ(resistor->Identifier, QStringLiteral("R#"));
    EXPECT_EQ(resistor->Description, QStringLiteral("Kohleschicht ¼ W"));
    EXPECT_EQ(resistor->Number, 3);
    ASSERT_EQ(resistor->Members().size(), 4u);
    EXPECT_EQ(dynamic_cast<const TTextLabel&>(*resistor->Members()[3]).TextString(),
              QStringLiteral("R3"));
    EXPECT_EQ(resistor->Anchors, (std::vector<QPoint>{{4, 5}, {8, 5}}));
    EXPECT_EQ(As<TBt>(read, 12)->Style, 12);
    EXPECT_EQ(As<TFarbcode>(read, 13)->Series, 4);
    EXPECT_DOUBLE_EQ(As<TFarbcode>(read, 13)->Resistance, 4750.0);
}

TEST(BoardRecordTest, ReadingAMainBoardSelectsAndPlacesEveryElement) {
    ViewState view;
    TPlatine board(view);
    test::FillSampleBoard(board);
    const QByteArray bytes = WriteBoard(board, StreamPurpose::File);
    TPlatine read(view);
    ReadBoard(read, bytes, StreamPurpose::File, false);
    for (const auto& element : read.Bauteile()) {
        EXPECT_TRUE(element->IstMarkiert() || element->ClassName() == "TDrahtFest");
        EXPECT_FALSE(element->Placed());
    }
    EXPECT_EQ(read.LastSelected(), read.At(read.Count() - 1));
    for (const auto& element : read.Layout()->Bauteile())
        EXPECT_FALSE(element->IstMarkiert()) << "a layout is not a main board";
}

TEST(BoardRecordTest, NamesKeepWhatTheirSingleByteFieldHolds) {
    ViewState view;
    TPlatine board(view);
    board.SetPlatinenName(QStringLiteral("Ω-Meter — Prüfling"));
    TPlatine read(view);
    ReadBoard(read, WriteBoard(board, StreamPurpose::File), StreamPurpose::File);
    EXPECT_EQ(read.PlatinenName(), QStringLiteral("?-Meter — Prüfling"));
}

TEST(BoardRecordTest, NamesKeepThirtySixCharacters) {
    ViewState view;
    TPlatine board(view);
    board.SetPlatinenName(QString(40, QLatin1Char('x')));
    EXPECT_EQ(board.PlatinenName().size(), 40);
    const QByteArray bytes = WriteBoard(board, StreamPurpose::File);
    EXPECT_EQ(bytes[0], char(40));
    EXPECT_EQ(bytes.mid(37, 4), QByteArray("3,08"));
    TPlatine read(view);
    ReadBoard(read, bytes, StreamPurpose::File);
    EXPECT_EQ(read.PlatinenName(), QString(36, QLatin1Char('x')));
    TPlatine copy(view);
    ReadBoard(copy, bytes, StreamPurpose::Copy);
    EXPECT_EQ(copy.PlatinenName(), QStringLiteral("Neue Platine")) << "copies keep their own name";
}

TEST(BoardRecordTest, FixedCutsAreNeverWritten) {
    ViewState view;
    TPlatine board(view);
    board.Add(std::make_unique<TTrennerFest>());
    board.Add(std::make_unique<TTrenner>());
    const QByteArray bytes = WriteBoard(board, StreamPurpose::File);
    EXPECT_EQ(bytes[41], char(0x02)) << "Int8 count";
    EXPECT_EQ(bytes[42], char(1));
    TPlatine read(view);
    ReadBoard(read, bytes, StreamPurpose::File);
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read.At(0)->ClassName(), "TTrenner");
}

TEST(BoardRecordTest, OnlySelectedElementsAreWrittenWhenAsked) {
    ViewState view;
    TPlatine board(view);
    board.Add(std::make_unique<TAuge>())->SetIstMarkiert(false);
    board.Add(std::make_unique<TBohrung>())->SetIstMarkiert(true);
    TPlatine read(view);
    ReadBoard(read, WriteBoard(board, StreamPurpose::Transfer, true), StreamPurpose::Transfer);
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read.At(0)->ClassName(), "TBohrung");
}

// --- The transfer purpose
// -------------------------------------------------------------------------

TEST(BoardRecordTest, TransferAddsOnlyElementsOnTheWorkingSide) {
    ViewState view;
    TPlatine source(view);
    test::FillSampleBoard(source);
    const QByteArray bytes = WriteBoard(source, StreamPurpose::Transfer);

    view.Loetseite = true;
    TPlatine target(view);
    target.SetSize(1000, 2000);
    target.Add(std::make_unique<TAuge>());
    ReadBoard(target, bytes, StreamPurpose::Transfer);
    EXPECT_EQ(target.Width(), 1000) << "the board's own fields stay";
    EXPECT_EQ(target.Count(), 1 + source.Count());
    EXPECT_EQ(target.Layout()->Count(), 0);
    for (int i = 1; i < target.Count(); ++i) {
        EXPECT_TRUE(target.At(i)->istAufLoetseite()) << i;
        // A fixed wire can never be selected.
        EXPECT_EQ(target.At(i)->IstMarkiert(), target.At(i)->ClassName() != "TDrahtFest") << i;
    }
}

TEST(BoardRecordTest, PastedComponentsAskForTheNextFreeNumber) {
    ViewState view;
    TPlatine target(view);
    for (int number : {1, 2, 7}) {
        auto resistor = test::MakeResistor();
        resistor->Number = std::int16_t(number);
        target.Add(std::move(resistor));
    }
    auto nested = std::make_unique<TGruppe>();
    auto inner = test::MakeResistor();
    inner->Number = 9;
    nested->AddMember(std::move(inner));
    TPlatine source(view);
    source.Add(test::MakeResistor());
    const QByteArray bytes = WriteBoard(source, StreamPurpose::Transfer);

    ReadBoard(target, bytes, StreamPurpose::Transfer);
    auto* pasted = dynamic_cast<TGruppe*>(target.At(target.Count() - 1));
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->Number, 8);
    EXPECT_EQ(dynamic_cast<const TTextLabel&>(*pasted->Members()[3]).TextString(),
              QStringLiteral("R8"));

    target.Add(std::move(nested));
    ReadBoard(target, bytes, StreamPurpose::Transfer);
    EXPECT_EQ(dynamic_cast<TGruppe*>(target.At(target.Count() - 1))->Number, 10)
        << "components inside groups count too";

    TPlatine empty(view);
    ReadBoard(empty, bytes, StreamPurpose::Transfer);
    EXPECT_EQ(dynamic_cast<TGruppe*>(empty.At(0))->Number, 1);

    TPlatine fromFile(view);
    ReadBoard(fromFile, WriteBoard(source, StreamPurpose::File), StreamPurpose::File);
    EXPECT_EQ(dynamic_cast<TGruppe*>(fromFile.At(0))->Number, 3) << "files keep their numbers";
}

// --- Fill bitmaps through snapshots and the clipboard
// -----------------------------------------------

TEST(BoardRecordTest, SnapshotsShareBitmapsAndTheClipboardCopiesThem) {
    ViewState view;
    TPlatine board(view);
    test::FillSampleBoard(board);
    auto* polygon = As<TDraht>(board, 2);
    TBitmapUsage* record = polygon->BMU();
    ASSERT_NE(record, nullptr);

    const QByteArray snapshot = WriteBoard(board, StreamPurpose::Snapshot, false, FakeSnapshot);
    EXPECT_EQ(record->Snapshots, std::vector<const SnapshotStream*>{FakeSnapshot});
    EXPECT_LT(snapshot.size(), WriteBoard(board, StreamPurpose::Copy).size())
        << "a snapshot holds a reference, not the picture";
    board.Clear();
    board.BitmapUsages().FreeUnused();
    ASSERT_EQ(board.BitmapUsages().Count(), 1u) << "the snapshot keeps the record alive";
    EXPECT_FALSE(record->InUse);
    ReadBoard(board, snapshot, StreamPurpose::Snapshot);
    EXPECT_EQ(As<TDraht>(board, 2)->BMU(), record);
    EXPECT_TRUE(record->InUse);

    const QByteArray clip = WriteBoard(board, StreamPurpose::Transfer);
    ReadBoard(board, clip, StreamPurpose::Transfer);
    auto* pasted = As<TDraht>(board, board.Count() / 2 + 2);
    ASSERT_NE(pasted, nullptr);
    EXPECT_NE(pasted->BMU(), record);
    EXPECT_EQ(board.BitmapUsages().Count(), 2u);
    EXPECT_EQ(pasted->Btmap()->pixel(1, 1), qRgb(1, 2, 3));
}

TEST(BoardRecordTest, ASnapshotReferringToAnUnknownBitmapIsRefused) {
    ViewState view;
    TPlatine board(view);
    test::FillSampleBoard(board);
    const QByteArray snapshot = WriteBoard(board, StreamPurpose::Snapshot);
    TPlatine stranger(view);
    try {
        ReadBoard(stranger, snapshot, StreamPurpose::Snapshot);
        FAIL() << "read a bitmap reference of another board";
    } catch (const StreamError& error) {
        EXPECT_EQ(error.GetKind(), StreamError::Kind::InvalidValue);
    }
}

// --- Files of older versions
// ------------------------------------------------------------------------

// The base record of an element kind without contacts, as far as the version carries it.
void BaseRecord(RecordBytes& b, int kind, const QByteArray& version) {
    const double v =
        version == "1,00" ? 1.0 : QString::fromLatin1(version).replace(',', '.').toDouble();
    b.Int(kind).Int(50).Raw32(0xFFFFFF).Raw32(0).Bool(false).Bool(false).Int(-1);
    if (v >= 1.01)
        b.Bool(true); // on the solder side
    if (v >= 3.0)
        b.Bool(false); // no bitmap
    if (v > 3.01)
        b.Bool(true).Int(2).Float(33.0); // smoothing
    if (v > 3.055)
        b.Bool(true); // milling
}

QByteArray LineRecordFile(const QByteArray& version, int extraLayoutElements = 0) {
    RecordBytes b;
    const double v =
        version == "1,00" ? 1.0 : QString::fromLatin1(version).replace(',', '.').toDouble();
    b.Header("Alt", version == "1,00" ? QByteArray() : version);
    b.Int(1).Str(QStringLiteral("TDraht"));
    BaseRecord(b, int(TBauteilTyp::btLine), version);
    if (v < 2.0)
        b.Int(1).Point16(100, -200).Point16(300, 400).Bool(false);
    else
        b.Int(1).Point32(100, -200).Point32(300, 400).Bool(false);
    b.Int(21).Int(5000).Int(3000);
    if (v >= 2.0)
        b.Int(254).Int(127);
    if (v > 3.075)
        b.Point32(508, 635).Point32(1, 2);
    if (v > 3.025)
        b.Int(5).Raw("{\\rtf");
    if (v > 3.065) {
        b.Header("Layout", version).Int(extraLayoutElements);
        for (int i = 0; i < extraLayoutElements; ++i) {
            b.Str(QStringLiteral("TAuge"));
            BaseRecord(b, int(TBauteilTyp::btAuge), version);
            b.Float(2.0).Int(254).Int(127);
        }
        b.Int(21).Int(5000).Int(3000).Int(0).Int(0);
        if (v > 3.075)
            b.Point32(0, 127).Point32(0, 0);
        b.Int(0);
    }
    if (v >= 2.0)
        b.Int(1); // board count
    return b.Bytes();
}

struct VersionCase {
    QByteArray version;
    bool sideFlag, smoothing, milling, annotations, layout, ursprung;
};

void PrintTo(const VersionCase& c, std::ostream* os) {
    *os << "version " << c.version.toStdString();
}

class OldVersions : public ::testing::TestWithParam<VersionCase> {};

TEST_P(OldVersions, ReadTheFieldsTheirVersionCarries) {
    const VersionCase c = GetParam();
    ViewState view;
    QBuffer buffer;
    buffer.setData(LineRecordFile(c.version, 1));
    buffer.open(QIODevice::ReadOnly);
    ProjectLoad load = ReadProject(buffer, view);
    ASSERT_FALSE(load.Error.has_value()) << load.Error->what();
    ASSERT_EQ(load.Boards.size(), 1u);
    TPlatine& board = *load.Boards[0];
    EXPECT_EQ(load.Version,
              c.version == "1,00" ? QStringLiteral("1,00") : QString::fromLatin1(c.version));
    ASSERT_EQ(board.Count(), 1);
    const auto* line = As<TDraht>(board, 0);
    EXPECT_EQ(line->Nodes, (std::vector<QPoint>{{100, -200}, {300, 400}}));
    EXPECT_EQ(line->istAufLoetseite(), c.sideFlag);
    EXPECT_EQ(line->Glaetten(), c.smoothing);
    EXPECT_DOUBLE_EQ(line->GlaettenBetrag(), c.smoothing ? 33.0 : 200.0);
    EXPECT_EQ(line->Fraesen(), c.milling);
    EXPECT_EQ(board.Width(), 5000);
    EXPECT_EQ(board.Nullpunkt(), c.version == "1,00" ? QPoint(0, 0) : QPoint(254, 127));
    EXPECT_EQ(board.Ursprung(), c.ursprung ? QPoint(508, 635) : QPoint(0, 127));
    EXPECT_EQ(board.Anmerkungen().Rtf(), c.annotations ? QByteArray("{\\rtf") : QByteArray());
    EXPECT_EQ(board.Layout()->Count(), c.layout ? 1 : 0);
    EXPECT_EQ(board.PlatinenTyp(), TPlatinenTyp::pt_UserBoard);
}

INSTANTIATE_TEST_SUITE_P(
    Files, OldVersions,
    ::testing::Values(VersionCase{"1,00", false, false, false, false, false, false},
                      VersionCase{"3,01", true, false, false, false, false, false},
                      VersionCase{"3,02", true, true, false, false, false, false},
                      VersionCase{"3,03", true, true, false, true, false, false},
                      VersionCase{"3,06", true, true, true, true, false, false},
                      VersionCase{"3,07", true, true, true, true, true, false},
                      VersionCase{"3,08", true, true, true, true, true, true},
                      VersionCase{"3,60", true, true, true, true, true, true}));

TEST(BoardRecordTest, ATooNewFileIsRefusedWithTheVersionMessage) {
    ViewState view;
    QBuffer buffer;
    buffer.setData(LineRecordFile("3,70"));
    buffer.open(QIODevice::ReadOnly);
    try {
        ReadProject(buffer, view);
        FAIL() << "read a file of version 3,70";
    } catch (const VersionError& error) {
        EXPECT_EQ(error.FileVersion(), QStringLiteral("3,70"));
        EXPECT_TRUE(error.Message(Language::German)
                        .startsWith(QStringLiteral(
                            "Eine zu öffnende Datei wurde mit Karvel Version 3,70\r erstellt.")));
        EXPECT_TRUE(error.Message(Language::English)
                        .startsWith(QStringLiteral(
                            "Attempt to open file version 3,70!\rYou are using Karvel 3,08.")));
        EXPECT_EQ(VersionError::Caption(Language::English), QStringLiteral("Version mismatch"));
    }
}

// --- Damaged streams
// ---------------------------------------------------------------------------------

TEST(BoardRecordTest, EveryCutOfAProjectEndsInAReadingErrorAndKeepsWhatWasRead) {
    ViewState view;
    TPlatine board(view);
    test::FillSampleBoard(board);
    QBuffer whole;
    whole.open(QIODevice::WriteOnly);
    WriteProject(whole, {&board});
    const QByteArray bytes = whole.data();
    int lastCount = 0;
    for (qsizetype cut = 0; cut < bytes.size(); cut += 7) {
        QBuffer buffer;
        buffer.setData(bytes.left(cut));
        buffer.open(QIODevice::ReadOnly);
        const ProjectLoad load = ReadProject(buffer, view);
        ASSERT_TRUE(load.Error.has_value()) << cut;
        EXPECT_TRUE(load.Error->GetKind() == StreamError::Kind::ReadError ||
                    load.Error->GetKind() == StreamError::Kind::InvalidValue)
            << cut;
        ASSERT_EQ(load.Boards.size(), 1u);
        const int count = load.Boards[0]->Count();
        EXPECT_GE(count, lastCount) << "a longer stream never keeps less";
        lastCount = count;
    }
    EXPECT_EQ(lastCount, board.Count());
}

TEST(BoardRecordTest, AnUnknownClassStopsReadingWithItsName) {
    RecordBytes b;
    b.Header("x", "3,08").Int(2).Str(QStringLiteral("TTrenner"));
    BaseRecord(b, int(TBauteilTyp::btTrenner), "3,08");
    b.Point32(1, 2).Point32(3, 4).Str(QStringLiteral("TWiderstand"));
    ViewState view;
    TPlatine board(view);
    try {
        ReadBoard(board, b.Bytes(), StreamPurpose::File);
        FAIL();
    } catch (const StreamError& error) {
        EXPECT_EQ(error.GetKind(), StreamError::Kind::ClassNotFound);
        EXPECT_EQ(error.ClassName(), QStringLiteral("TWiderstand"));
    }
    ASSERT_EQ(board.Count(), 1) << "the cut read before stays";
    EXPECT_EQ(dynamic_cast<TTrenner*>(board.At(0))->CutRect, (Rect{1, 2, 3, 4}));
}

TEST(BoardRecordTest, DamagedValuesAreInvalid) {
    struct Case {
        const char* what;
        std::function<void(RecordBytes&)> elements;
    };
    const Case cases[] = {
        {"a string where the count belongs", [](RecordBytes& b) { b.Str(QStringLiteral("1")); }},
        {"a negative count", [](RecordBytes& b) { b.Int(-5); }},
        {"a kind beyond the known ones",
         [](RecordBytes& b) { b.Int(1).Str(QStringLiteral("TTrenner")).Int(18); }},
        {"a board as an element", [](RecordBytes& b) { b.Int(1).Str(QStringLiteral("TPlatine")); }},
    };
    for (const Case& c : cases) {
        RecordBytes b;
        b.Header("x", "3,08");
        c.elements(b);
        ViewState view;
        TPlatine board(view);
        try {
            ReadBoard(board, b.Bytes(), StreamPurpose::File);
            ADD_FAILURE() << c.what;
        } catch (const StreamError& error) {
            EXPECT_EQ(error.GetKind(), StreamError::Kind::InvalidValue) << c.what;
        }
    }
}

TEST(BoardRecordTest, EndlesslyNestedGroupsAreRefused) {
    RecordBytes b;
    b.Header("x", "3,08").Int(1);
    QByteArray identity(95, '\0');
    for (int depth = 0; depth < 200; ++depth) {
        b.Str(QStringLiteral("TGruppe"));
        BaseRecord(b, int(TBauteilTyp::btGruppe), "3,08");
        b.Int(0).Raw(identity).Bool(false).Bool(true);
    }
    ViewState view;
    TPlatine board(view);
    try {
        ReadBoard(board, b.Bytes(), StreamPurpose::File);
        FAIL();
    } catch (const StreamError& error) {
        EXPECT_EQ(error.GetKind(), StreamError::Kind::InvalidValue);
    }
    EXPECT_EQ(board.Count(), 1);
}

// --- Legacy board types
// --------------------------------------------------------------------------------

QByteArray LegacyTypeFile(int type) {
    RecordBytes b;
    b.Header("Alt", "3,08").Int(2).Str(QStringLiteral("TDrahtFest"));
    BaseRecord(b, int(TBauteilTyp::btDrahtFest), "3,08");
    b.Int(1).Point32(0, 127).Point32(254, 127).Bool(false);
    b.Str(QStringLiteral("TAuge"));
    BaseRecord(b, int(TBauteilTyp::btAuge), "3,08");
    b.Float(2.0).Int(254).Int(127);
    b.Int(type).Int(5000).Int(3000).Int(0).Int(254).Point32(0, 127).Point32(0, 0).Int(0);
    b.Header("", "3,08")
        .Int(0)
        .Int(21)
        .Int(1)
        .Int(1)
        .Int(0)
        .Int(0)
        .Point32(0, 127)
        .Point32(0, 0)
        .Int(0);
    return b.Bytes().append(RecordBytes().Int(1).Bytes());
}

TEST(BoardRecordTest, LegacyBoardTypesTakeTheirLayoutFromTheDataFolder) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ViewState view;
    view.ProgramFolder = folder.path();
    {
        QBuffer missing;
        missing.setData(LegacyTypeFile(4));
        missing.open(QIODevice::ReadOnly);
        EXPECT_THROW(ReadProject(missing, view), FileOpenError);
    }
    // The layout file: a layout board with one strip.
    TBoard layout(view);
    layout.SetSize(7000, 4000);
    auto strip = std::make_unique<TLeiterbahn>();
    strip->Nodes = {{0, 127}, {7000, 127}};
    layout.Add(std::move(strip));
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Data")));
    ASSERT_TRUE(SaveLayoutFile(folder.filePath(QStringLiteral("Data/P4.dat")), layout).isEmpty());

    QBuffer buffer;
    buffer.setData(LegacyTypeFile(4));
    buffer.open(QIODevice::ReadOnly);
    ProjectLoad load = ReadProject(buffer, view);
    ASSERT_FALSE(load.Error.has_value()) << load.Error->what();
    TPlatine& board = *load.Boards[0];
    EXPECT_EQ(board.PlatinenTyp(), TPlatinenTyp::pt_UserBoard);
    EXPECT_EQ(board.Layout()->Count(), 1);
    EXPECT_EQ(board.Layout()->At(0)->ClassName(), "TLeiterbahn");
    ASSERT_EQ(board.Count(), 1) << "the fixed wire comes from the layout now";
    EXPECT_EQ(board.At(0)->ClassName(), "TAuge");
    EXPECT_EQ(board.Nullpunkt(), QPoint(0, 254 - 127)) << "5.08 mm pad boards move up half a hole";
    EXPECT_EQ(board.Width(), 5000);
}

// --- Projects, layouts, library pages, copies
// ---------------------------------------------------------------

TEST(ProjectFileTest, ProjectsKeepTheirBoardsInOrderAndOpenDeselected) {
    QTemporaryDir folder;
    ViewState view;
    TPlatine first(view), second(view), third(view);
    test::FillSampleBoard(first);
    second.SetPlatinenName(QStringLiteral("Zwei"));
    second.Add(std::make_unique<TAuge>());
    third.SetPlatinenName(QStringLiteral("Drei"));
    const QString path = folder.filePath(QStringLiteral("projekt.rst"));
    ASSERT_TRUE(SaveProjectFile(path, {&first, &second, &third}).isEmpty());

    ProjectLoad load = ReadProjectFile(path, view);
    ASSERT_FALSE(load.Error.has_value());
    ASSERT_EQ(load.Boards.size(), 3u);
    EXPECT_EQ(load.Boards[1]->PlatinenName(), QStringLiteral("Zwei"));
    EXPECT_EQ(load.Boards[2]->PlatinenName(), QStringLiteral("Drei"));
    EXPECT_EQ(load.Boards[0]->Dateiname(), path);
    for (const auto& board : load.Boards)
        EXPECT_EQ(board->CountSelected(), 0);

    // Saving again over the file gives the same bytes.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    std::vector<TPlatine*> boards;
    for (const auto& b : load.Boards)
        boards.push_back(b.get());
    ASSERT_TRUE(SaveProjectFile(path, boards).isEmpty());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll() == before);
}

TEST(ProjectFileTest, AFailedSaveLeavesTheOldFileAlone) {
    QTemporaryDir folder;
    ViewState view;
    TPlatine board(view);
    const QString path = folder.filePath(QStringLiteral("a.rst"));
    ASSERT_TRUE(SaveProjectFile(path, {&board}).isEmpty());
    EXPECT_FALSE(
        SaveProjectFile(folder.filePath(QStringLiteral("missing/b.rst")), {&board}).isEmpty());
    board.Add(test::MakeWire(TBauteilTyp::btDraht, {{254, 381}, {1016, 381}}));
    QString error;
    {
        const test::OrdinaryFileRights rights(folder.path());
        const auto writable =
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
        ASSERT_TRUE(
            QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        error = SaveProjectFile(path, {&board});
        QFile::setPermissions(folder.path(), writable);
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadProjectFile(path, view).Boards.front()->Count(), 0);
}

// A folder that takes no new files is found by trying, as the user's account, whatever the
// rights of the file in it; the message names the folder and offers Save As in both languages.
TEST(ProjectFileTest, AFolderThatTakesNoNewFilesIsFoundAndNamed) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("a.rst"));
    ViewState view;
    TPlatine board(view);
    ASSERT_TRUE(SaveProjectFile(path, {&board}).isEmpty());
    EXPECT_FALSE(FolderRefusesNewFiles(path));
    EXPECT_FALSE(FolderRefusesNewFiles(folder.filePath(QStringLiteral("missing/b.rst"))))
        << "a missing folder is another fault";
    bool refused = false;
    QString error;
    {
        const test::OrdinaryFileRights rights(folder.path());
        ASSERT_TRUE(
            QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        error = SaveProjectFile(path, {&board});
        refused = FolderRefusesNewFiles(path);
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
    }
    EXPECT_FALSE(error.isEmpty()) << "the write stays atomic";
    EXPECT_TRUE(refused);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("a.rst")})
        << "trying leaves nothing behind";
    const QString shown = QDir::toNativeSeparators(folder.path());
    const QString german = FolderRefusesNewFilesMessage(path, Language::German);
    const QString english = FolderRefusesNewFilesMessage(path, Language::English);
    EXPECT_TRUE(german.startsWith(QStringLiteral("In den Ordner \"%1\" kann nicht geschrieben "
                                                 "werden.")
                                      .arg(shown)))
        << german.toStdString();
    EXPECT_TRUE(german.contains(QStringLiteral("\"Speichern unter...\""))) << german.toStdString();
    EXPECT_TRUE(
        english.startsWith(QStringLiteral("The folder \"%1\" cannot be written.").arg(shown)))
        << english.toStdString();
    EXPECT_TRUE(english.contains(QStringLiteral("\"Save as...\""))) << english.toStdString();
}

// A disk that fills up part way lets the first bytes through: that is no save. A file-size
// limit shows it whatever the user's rights.
TEST(ProjectFileTest, AShortWriteIsAFailureAndTheOldFileStays) {
    QTemporaryDir folder;
    ViewState view;
    TPlatine board(view);
    board.Add(test::MakeWire(TBauteilTyp::btDraht, {{254, 381}, {1016, 381}}));
    const QString path = folder.filePath(QStringLiteral("a.rst"));
    ASSERT_TRUE(SaveProjectFile(path, {&board}).isEmpty());
    const qint64 before = QFileInfo(path).size();
    board.Add(test::MakeWire(TBauteilTyp::btDraht, {{254, 635}, {1016, 635}}));
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &tiny);
    const QString error = SaveProjectFile(path, {&board});
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QFileInfo(path).size(), before);
    EXPECT_EQ(ReadProjectFile(path, view).Boards.front()->Count(), 1);
}

TEST(ProjectFileTest, AMissingFileIsAClearError) {
    ViewState view;
    try {
        ReadProjectFile(QStringLiteral("/nonexistent/x.rst"), view);
        FAIL();
    } catch (const FileOpenError& error) {
        EXPECT_TRUE(
            error.Message(Language::English).contains(QStringLiteral("/nonexistent/x.rst")));
    }
}

TEST(ProjectFileTest, LayoutFilesGiveTheBoardItsGeometry) {
    QTemporaryDir folder;
    ViewState view;
    TBoard layout(view);
    layout.SetSize(10000, 16000);
    layout.SetNullpunkt({254, 0});
    layout.SetUrsprung({254, 381});
    layout.Add(std::make_unique<TAuge>());
    const QString path = folder.filePath(QStringLiteral("Lochraster 100 x 160 mit Lötaugen.KVB"));
    ASSERT_TRUE(SaveLayoutFile(path, layout).isEmpty());

    TPlatine board(view);
    ReadLayoutIntoBoard(path, board);
    EXPECT_EQ(board.Layout()->Count(), 1);
    EXPECT_EQ(board.Layout()->PlatinenName(),
              QStringLiteral("Lochraster 100 x 160 mit Lötaugen.KVB").left(35));
    EXPECT_EQ(board.Width(), 10000);
    EXPECT_EQ(board.Height(), 16000);
    EXPECT_EQ(board.Nullpunkt(), QPoint(254, 0));
    EXPECT_EQ(board.Ursprung(), QPoint(254, 381));
}

TEST(ProjectFileTest, LibraryPagesRoundTrip) {
    QTemporaryDir folder;
    ViewState view;
    TBibo page(view);
    page.Add(test::MakeResistor());
    const QString path = folder.filePath(QStringLiteral("Widerstaende.lib"));
    ASSERT_TRUE(SaveLibraryPage(path, page).isEmpty());
    TBibo read(view);
    EXPECT_FALSE(ReadLibraryPage(path, read).has_value());
    ASSERT_EQ(read.Count(), 1);
    EXPECT_FALSE(read.At(0)->IstMarkiert()) << "library pages are no main boards";
}

TEST(ProjectFileTest, DuplicatesAreNamedAsCopies) {
    ViewState view;
    TPlatine board(view);
    test::FillSampleBoard(board);
    board.SetPlatinenName(QString(38, QLatin1Char('b')));
    auto copy = DuplicateBoard(board);
    EXPECT_EQ(copy->Count(), board.Count());
    EXPECT_EQ(copy->Layout()->Count(), 3);
    // Cut to what a stored board keeps, so that saving loses nothing more.
    EXPECT_EQ(copy->PlatinenName(), QStringLiteral("Kopie von ") + QString(26, QLatin1Char('b')));
    view.Sprache = Language::English;
    EXPECT_EQ(DuplicateBoard(board)->PlatinenName(), QString(36, QLatin1Char('b')));
}

} // namespace
} // namespace karvel
