// The component library below the widgets: the page list of a folder, new page files, loading
// and saving pages (and never saving one that could not be read), the page commands, the
// folder the user's pages live in, and the library view's layout, clicks and additions.

#include "board/Library.h"
#include "board/Bibo.h"
#include "board/LibraryFolder.h"
#include "board/ProjectFile.h"
#include "elements/Gruppe.h"
#include "elements/Txtlabel.h"
#include "platform/Canvas.h"
#include "support/FakeHost.h"
#include "support/SampleBoard.h"

#include <condition_variable>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <mutex>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace karvel {
namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

std::unique_ptr<TGruppe> Resistor(const QString& description) {
    auto part = test::MakeResistor();
    part->Description = description;
    return part;
}

class LibraryTest : public ::testing::Test {
protected:
    // Writes a page of that name with resistors of the given descriptions.
    QString WritePage(const QString& file, const QString& name,
                      const QStringList& descriptions = {QStringLiteral("R")}) {
        TBibo page(view_);
        page.SetPlatinenName(name);
        for (const QString& description : descriptions)
            page.Add(Resistor(description));
        const QString path = folder_.filePath(file);
        EXPECT_TRUE(SaveLibraryPage(path, page).isEmpty());
        return path;
    }
    QStringList Descriptions() const {
        QStringList found;
        for (const auto& element : bibo_.Bauteile())
            found << static_cast<TGruppe&>(*element).Description;
        return found;
    }
    QStringList Names() const {
        QStringList names;
        for (const LibraryPage& page : library_.Pages())
            names << page.Name;
        return names;
    }

    QTemporaryDir folder_;
    ViewState view_;
    TBibo bibo_{view_};
    Library library_{bibo_, folder_.path()};
    std::vector<LibraryProblem> problems_;

    void SetUp() override {
        library_.OnProblem = [this](const LibraryProblem& p) { problems_.push_back(p); };
    }
};

// --- The page list ---------------------------------------------------------------------------

TEST_F(LibraryTest, PagesSortByTheirNameNotByTheirFile) {
    WritePage(QStringLiteral("LIB1.Lib"), QStringLiteral("Widerstände"));
    WritePage(QStringLiteral("LIB2.Lib"), QStringLiteral("Dioden"));
    WritePage(QStringLiteral("LIB3.Lib"), QStringLiteral("ics"));
    library_.Fill(0);
    EXPECT_EQ(Names(), (QStringList{"Dioden", "ics", "Widerstände"}));
    EXPECT_EQ(library_.Shown(), 0);
    EXPECT_EQ(bibo_.PlatinenName(), QStringLiteral("Dioden"));
    EXPECT_TRUE(bibo_.PagePath().endsWith(QStringLiteral("LIB2.Lib")));
}

TEST_F(LibraryTest, PageFilesAreFoundWhateverTheCaseOfTheirNames) {
    WritePage(QStringLiteral("LIB3.Lib"), QStringLiteral("A"));
    WritePage(QStringLiteral("parts.lib"), QStringLiteral("B"));
    WritePage(QStringLiteral("OLD.LIB"), QStringLiteral("C"));
    WriteBytes(folder_.filePath(QStringLiteral("notes.txt")), "not a page");
    WriteBytes(folder_.filePath(QStringLiteral(".lib")), "no name");
    EXPECT_EQ(ListLibraryPages(folder_.path()).size(), 3u);
}

TEST_F(LibraryTest, AnUnreadablePageIsListedByItsFileName) {
    WriteBytes(folder_.filePath(QStringLiteral("Empty.lib")), {});
    const std::vector<LibraryPage> pages = ListLibraryPages(folder_.path());
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].Name, QStringLiteral("Empty"));
}

TEST_F(LibraryTest, ANewPageTakesTheSmallestFreeFileNumber) {
    const QDir dir(folder_.path());
    EXPECT_EQ(QFileInfo(NextFreePageFile(dir.path())).fileName(), QStringLiteral("LIB1.Lib"));
    WritePage(QStringLiteral("LIB1.Lib"), QStringLiteral("A"));
    WritePage(QStringLiteral("LIB3.Lib"), QStringLiteral("C"));
    EXPECT_EQ(QFileInfo(NextFreePageFile(dir.path())).fileName(), QStringLiteral("LIB2.Lib"));
    // A name in other letters still takes the number.
    WritePage(QStringLiteral("lib2.LIB"), QStringLiteral("B"));
    EXPECT_EQ(QFileInfo(NextFreePageFile(dir.path())).fileName(), QStringLiteral("LIB4.Lib"));
}

TEST_F(LibraryTest, LeafingGoesRoundAtBothEnds) {
    WritePage(QStringLiteral("LIB1.Lib"), QStringLiteral("A"));
    WritePage(QStringLiteral("LIB2.Lib"), QStringLiteral("B"));
    WritePage(QStringLiteral("LIB3.Lib"), QStringLiteral("C"));
    library_.Fill(2);
    library_.Leaf(+1);
    EXPECT_EQ(bibo_.PlatinenName(), QStringLiteral("A"));
    library_.Leaf(-1);
    EXPECT_EQ(bibo_.PlatinenName(), QStringLiteral("C"));
    library_.Leaf(-1);
    EXPECT_EQ(bibo_.PlatinenName(), QStringLiteral("B"));
}

TEST_F(LibraryTest, FillingPastTheEndShowsTheLastPage) {
    WritePage(QStringLiteral("LIB1.Lib"), QStringLiteral("A"));
    WritePage(QStringLiteral("LIB2.Lib"), QStringLiteral("B"));
    library_.Fill(7);
    EXPECT_EQ(library_.Shown(), 1);
    EXPECT_EQ(bibo_.PlatinenName(), QStringLiteral("B"));
}

// --- Loading and saving ----------------------------------------------------------------------

TEST_F(LibraryTest, LoadingKeepsOnlyComponentsAndNumbersThem) {
    TBibo page(view_);
    page.SetPlatinenName(QStringLiteral("Mixed"));
    page.Add(Resistor(QStringLiteral("first")));
    page.Add(test::MakeWire(TBauteilTyp::btDraht, {{0, 127}, {508, 127}}));
    page.Add(Resistor(QStringLiteral("second")));
    ASSERT_TRUE(SaveLibraryPage(folder_.filePath(QStringLiteral("LIB1.Lib")), page).isEmpty());
    library_.Fill(0);
    EXPECT_EQ(Descriptions(), (QStringList{"first", "second"}));
    EXPECT_EQ(static_cast<TGruppe&>(*bibo_.At(0)).IdentifierText(), QStringLiteral("R1"));
    EXPECT_EQ(static_cast<TGruppe&>(*bibo_.At(1)).IdentifierText(), QStringLiteral("R2"));
    EXPECT_FALSE(bibo_.Modified());
    EXPECT_EQ(bibo_.Current(), nullptr);
    EXPECT_TRUE(problems_.empty());
}

TEST_F(LibraryTest, AChangedPageIsSavedBeforeAnotherIsShownAndAnUnchangedOneIsNot) {
    const QString first = WritePage(QStringLiteral("LIB1.Lib"), QStringLiteral("A"));
    WritePage(QStringLiteral("LIB2.Lib"), QStringLiteral("B"));
    library_.Fill(0);
    const QByteArray before = Bytes(first);
    WriteBytes(first, before + "marker"); // would be rewritten by a save
    library_.SelectPage(1);
    EXPECT_TRUE(Bytes(first).endsWith("marker")) << "an unchanged page is not written";
    WriteBytes(first, before);

    library_.SelectPage(0);
    bibo_.SetCurrent(static_cast<TGruppe*>(bibo_.At(0)));
    bibo_.LoescheMarkierte();
    EXPECT_TRUE(bibo_.Modified());
    library_.SelectPage(1);
    library_.SelectPage(0);
    EXPECT_EQ(bibo_.Count(), 0) << "the deletion was saved";
}

// A page that could not be read is not saved back: its file is what the user may still
// rescue, and the user is told which page it is and why.
TEST_F(LibraryTest, ADamagedPageIsNeverWrittenOver) {
    const QString path = WritePage(QStringLiteral("LIB1.Lib"), QStringLiteral("Teile"),
                                   {QStringLiteral("a"), QStringLiteral("b")});
    WritePage(QStringLiteral("LIB2.Lib"), QStringLiteral("Zweite"));
    const QByteArray damaged = Bytes(path).chopped(40);
    WriteBytes(path, damaged);

    library_.Fill(0);
    ASSERT_EQ(problems_.size(), 1u);
    EXPECT_TRUE(problems_[0].Text.contains(QStringLiteral("\"Teile\"")));
    EXPECT_TRUE(problems_[0].Text.contains(path));
    EXPECT_TRUE(problems_[0].Text.contains(QStringLiteral("Stream-Lesefehler")));
    EXPECT_TRUE(bibo_.LoadFailed());
    EXPECT_TRUE(library_.RefusalToChange().has_value());

    bibo_.AddComponent(QByteArray(), {});
    bibo_.SetModified(true);
    EXPECT_TRUE(library_.SaveShown());
    library_.SelectPage(1);
    library_.RenamePage(QStringLiteral("Zweite"));
    library_.SelectPage(0);
    library_.RenamePage(QStringLiteral("Neu"));
    EXPECT_EQ(Bytes(path), damaged);
}

TEST_F(LibraryTest, AMissingOrTooNewPageIsToldAndLeftAlone) {
    const QString path = WritePage(QStringLiteral("LIB1.Lib"), QStringLiteral("A"));
    QByteArray newer = Bytes(path);
    newer.replace(37, 4, "9,99");
    WriteBytes(path, newer);
    library_.Fill(0);
    ASSERT_EQ(problems_.size(), 1u);
    EXPECT_TRUE(problems_[0].Text.contains(QStringLiteral("9,99")));
    library_.SaveShown();
    EXPECT_EQ(Bytes(path), newer);
}

// Opens a FIFO's writing end after a while and closes it again, so that a reader stuck in
// open() or read() gets free and the test fails instead of hanging.
class FifoRescue {
public:
    explicit FifoRescue(QString path)
        : thread_([this, path = std::move(path)] {
              std::unique_lock lock(mutex_);
              if (done_.wait_for(lock, std::chrono::seconds(5), [this] { return finished_; }))
                  return;
              const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK);
              if (fd >= 0)
                  ::close(fd);
          }) {}
    ~FifoRescue() {
        {
            const std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_all();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

// Only what leads to a regular file is a page; nothing else is opened, so start-up cannot wait
// on a FIFO, whatever name or link it hides behind.
TEST_F(LibraryTest, OnlyRegularFilesAreListedAndNothingElseIsWaitedFor) {
    const QDir dir(folder_.path());
    const QString page = WritePage(QStringLiteral("LIB1.Lib"), QStringLiteral("Echte Seite"));
    const QString fifo = dir.filePath(QStringLiteral("fifo.pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_EQ(
        ::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("Rohr.lib"))).constData(), 0600), 0);
    ASSERT_TRUE(dir.mkdir(QStringLiteral("Ordner.lib")));
    ASSERT_TRUE(dir.mkdir(QStringLiteral("sub")));
    struct Link {
        const char* name;
        QString target;
        bool page;
    };
    const Link links[] = {
        {"ZuFifo.lib", fifo, false},
        {"ZuOrdner.lib", dir.filePath(QStringLiteral("sub")), false},
        {"Ins.Leere.lib", dir.filePath(QStringLiteral("nothing")), false},
        {"ZuTerminal.lib", QStringLiteral("/dev/tty"), false},
        {"ZurSeite.lib", page, true},
    };
    QStringList expected{page};
    for (const Link& link : links) {
        const QString path = dir.filePath(QString::fromLatin1(link.name));
        ASSERT_TRUE(QFile::link(link.target, path)) << link.name;
        if (link.page)
            expected << path;
    }
    expected.sort();

    const FifoRescue rescue(fifo);
    QElapsedTimer clock;
    clock.start();
    std::vector<QString> files = LibraryPageFiles(dir.path());
    QStringList found(files.begin(), files.end());
    found.sort();
    EXPECT_EQ(found, expected);
    library_.Fill(0);
    EXPECT_EQ(Names(), (QStringList{"Echte Seite", "Echte Seite"}));
    EXPECT_TRUE(problems_.empty());
    // Asked directly, the name of a FIFO is its file's name, and reading it is refused.
    const QString linked = dir.filePath(QStringLiteral("ZuFifo.lib"));
    EXPECT_EQ(ReadPageName(linked), QStringLiteral("ZuFifo"));
    TBibo other(view_);
    EXPECT_THROW(ReadLibraryPage(linked, other), FileOpenError);
    EXPECT_LT(clock.elapsed(), 4000) << "something waited on the FIFO";
}

// --- Page commands ---------------------------------------------------------------------------

TEST_F(LibraryTest, ANewPageIsWrittenInTheFreeFileAndShown) {
    WritePage(QStringLiteral("LIB1.Lib"), QStringLiteral("A"));
    WritePage(QStringLiteral("LIB3.Lib"), QStringLiteral("C"));
    library_.Fill(0);
    library_.NewPage(QStringLiteral("Meine Teile"));
    EXPECT_TRUE(QFile::exists(folder_.filePath(QStringLiteral("LIB2.Lib"))));
    EXPECT_EQ(Names(), (QStringList{"A", "C", "Meine Teile"}));
    EXPECT_EQ(library_.Shown(), 2);
    EXPECT_EQ(bibo_.Count(), 0);
    EXPECT_EQ(ReadPageName(folder_.filePath(QStringLiteral("LIB2.Lib"))),
              QStringLiteral("Meine Teile"));
}

TEST_F(LibraryTest, AFirstPageMakesTheFolderItIsKeptIn) {
    const QString folder = folder_.filePath(QStringLiteral("not/yet"));
    Library library(bibo_, folder);
    library.OnProblem = [this](const LibraryProblem& p) { problems_.push_back(p); };
    library.Fill(0);
    EXPECT_EQ(library.Shown(), -1);
    library.NewPage(QStringLiteral("Erste"));
    EXPECT_TRUE(problems_.empty());
    EXPECT_TRUE(QFile::exists(QDir(folder).filePath(QStringLiteral("LIB1.Lib"))));
    EXPECT_EQ(library.Shown(), 0);
}

TEST_F(LibraryTest, RenamingSavesThePageAndShowsItUnderItsNewName) {
    WritePage(QStringLiteral("LIB1.Lib"), QStringLiteral("A"), {QStringLiteral("kept")});
    WritePage(QStringLiteral("LIB2.Lib"), QStringLiteral("B"));
    library_.Fill(0);
    library_.RenamePage(QStringLiteral("Z"));
    EXPECT_EQ(Names(), (QStringList{"B", "Z"}));
    EXPECT_EQ(library_.Shown(), 1);
    EXPECT_EQ(Descriptions(), QStringList{"kept"});
}

TEST_F(LibraryTest, DeletingAPageRemovesItsFile) {
    const QString path = WritePage(QStringLiteral("LIB1.Lib"), QStringLiteral("A"));
    WritePage(QStringLiteral("LIB2.Lib"), QStringLiteral("B"));
    library_.Fill(0);
    library_.DeletePage();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(Names(), QStringList{"B"});
    EXPECT_EQ(bibo_.PlatinenName(), QStringLiteral("B"));
}

TEST_F(LibraryTest, DeletingTheLastPageLeavesAnEmptyPageWithTheDefaultName) {
    const QString path = WritePage(QStringLiteral("LIB1.Lib"), QStringLiteral("Einzige"),
                                   {QStringLiteral("a"), QStringLiteral("b")});
    library_.Fill(0);
    library_.DeletePage();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(Names(), QStringList{"Neue Bibliothek"});
    EXPECT_EQ(bibo_.Count(), 0);
    EXPECT_EQ(ReadPageName(path), QStringLiteral("Neue Bibliothek"));
}

// --- The library view ------------------------------------------------------------------------

class BiboViewTest : public ::testing::Test {
protected:
    BiboViewTest() { bibo_.SetHost(&host_); }

    // A component whose bounds are exactly the given number of pixels wide at the view's zoom.
    TGruppe* AddBox(int widthPixels, int heightUnits = 254) {
        auto group = std::make_unique<TGruppe>();
        group->IsComponent = true;
        group->Identifier = QStringLiteral("B#");
        const int units = widthPixels * HolePitch / bibo_.PixelsPerHole();
        auto box = test::MakeWire(TBauteilTyp::btRect,
                                  {{0, 0}, {units, 0}, {units, heightUnits}, {0, heightUnits}});
        box->SetStiftbreite(0);
        group->AddMember(std::move(box));
        return static_cast<TGruppe*>(bibo_.Add(std::move(group)));
    }

    ViewState view_;
    test::FakeHost host_{{200, 400}};
    TBibo bibo_{view_};
};

TEST_F(BiboViewTest, ANarrowComponentIsEnlargedNoMoreThanTheCap) {
    bibo_.SetZoom(2.0);
    AddBox(100);
    AddBox(400);
    bibo_.SetViewWidth(200);
    ASSERT_EQ(bibo_.Slots().size(), 2u);
    EXPECT_DOUBLE_EQ(bibo_.Slots()[0].Zoom, 2.0 * TBibo::MostScale) << "not 1.71 times";
    EXPECT_NEAR(bibo_.Slots()[1].Zoom, 2.0 * (190.0 / 400.0 * 0.9), 0.02);
    EXPECT_LE(bibo_.Slots()[1].Size.width(), 190);
}

TEST_F(BiboViewTest, ComponentsStandOneUnderTheOtherCentredWithGaps) {
    AddBox(100);
    AddBox(60);
    bibo_.SetViewWidth(200);
    const auto& slots = bibo_.Slots();
    ASSERT_EQ(slots.size(), 2u);
    EXPECT_EQ(slots[0].Top(), TBibo::TopMargin);
    EXPECT_EQ(slots[1].Top(), slots[0].Bottom() + TBibo::Gap);
    EXPECT_EQ(bibo_.PageHeight(), slots[1].Bottom() + TBibo::Gap);
    EXPECT_EQ(host_.controlSize, QSize(200, bibo_.PageHeight()));
    for (const auto& slot : slots)
        EXPECT_LE(std::abs(slot.Position.x() * 2 + slot.Size.width() - 200), 1);
}

TEST_F(BiboViewTest, AClickInAComponentsBandChoosesIt) {
    TGruppe* first = AddBox(100);
    TGruppe* second = AddBox(100);
    bibo_.SetViewWidth(200);
    const auto& slots = bibo_.Slots();
    EXPECT_EQ(bibo_.ComponentAt({3, slots[0].Bottom() + TBibo::BandBelow - 1}), first);
    EXPECT_EQ(bibo_.ComponentAt({190, slots[1].Top() - TBibo::BandAbove}), second);
    EXPECT_EQ(bibo_.Click({100, slots[1].Top() + 2}), second);
    EXPECT_TRUE(second->IstMarkiert());
    EXPECT_FALSE(first->IstMarkiert());
    EXPECT_EQ(bibo_.Click({100, bibo_.PageHeight() + 50}), nullptr);
    EXPECT_FALSE(second->IstMarkiert());
}

TEST_F(BiboViewTest, HoveringShowsTheComponentsKindAndValue) {
    TGruppe* part = AddBox(100);
    part->Value = QStringLiteral("4k7");
    part->Description = QStringLiteral("Widerstand");
    part->Number = 2;
    bibo_.SetViewWidth(200);
    bibo_.Hover({50, bibo_.Slots()[0].Top() + 1});
    EXPECT_EQ(bibo_.Infozeile1(), QStringLiteral("B2: Widerstand"));
    EXPECT_EQ(bibo_.Infozeile2(), QStringLiteral("4k7"));
}

// The longest description on a narrow panel: shortened to fit, never cut at the edges, and the
// tooltip has it whole.
TEST_F(BiboViewTest, ALongDescriptionIsShortenedToThePanelWidth) {
    TGruppe* part = AddBox(60);
    part->Description = QString(TGruppe::DescriptionLength, QLatin1Char('W'));
    bibo_.SetViewWidth(150);
    QImage page(150, bibo_.PageHeight(), QImage::Format_RGB32);
    {
        QPainter painter(&page);
        Canvas canvas(painter);
        bibo_.Paint(canvas);
    }
    const QColor background = page.pixelColor(0, 0);
    const int line = bibo_.Slots()[0].Bottom() + TBibo::BandBelow - 1;
    int written = 0;
    for (int y = line - TBibo::DescriptionHeight; y < line; ++y)
        for (int x = 0; x < page.width(); ++x) {
            const bool edge = x < TBibo::TopMargin || x >= page.width() - TBibo::TopMargin;
            if (page.pixelColor(x, y) == background)
                continue;
            EXPECT_FALSE(edge) << "text at " << x << "," << y;
            ++written;
        }
    EXPECT_GT(written, 100);
    EXPECT_EQ(bibo_.DescriptionAt({75, bibo_.Slots()[0].Top() + 1}), part->Description);
    EXPECT_EQ(bibo_.DescriptionAt({75, bibo_.PageHeight() + 5}), QString());
}

TEST_F(BiboViewTest, ReorderingMovesTheCurrentComponentAndMarksThePage) {
    TGruppe* a = AddBox(50);
    TGruppe* b = AddBox(60);
    TGruppe* c = AddBox(70);
    bibo_.SetViewWidth(200);
    bibo_.SetCurrent(c);
    bibo_.ToTop();
    EXPECT_EQ(bibo_.At(0), c);
    EXPECT_TRUE(bibo_.Modified());
    EXPECT_EQ(bibo_.Slots()[0].Component, c) << "laid out again";
    bibo_.OneDown();
    EXPECT_EQ(bibo_.At(1), c);
    bibo_.ToBottom();
    EXPECT_EQ(bibo_.At(2), c);
    bibo_.OneUp();
    EXPECT_EQ(bibo_.At(1), c);
    EXPECT_EQ(bibo_.At(0), a);
    EXPECT_EQ(bibo_.At(2), b);
}

TEST_F(BiboViewTest, AWireAndALabelBecomeOneComponent) {
    TPlatine board(view_);
    board.Add(test::MakeWire(TBauteilTyp::btDraht, {{0, 127}, {762, 127}}));
    auto label = std::make_unique<TTextLabel>();
    label->SetTextString(QStringLiteral("J1"));
    board.Add(std::move(label));
    board.MarkiereAlle(true);
    const QByteArray stream = board.KopiereMarkierte();

    TGruppe* added = bibo_.AddComponent(stream, {QStringLiteral("J#"), QStringLiteral("Brücke"),
                                                 QStringLiteral("Drahtbrücke"), false});
    ASSERT_NE(added, nullptr);
    ASSERT_EQ(bibo_.Count(), 1);
    EXPECT_EQ(bibo_.At(0), added);
    EXPECT_EQ(added->Members().size(), 2u);
    EXPECT_TRUE(added->IsComponent);
    EXPECT_EQ(added->Identifier, QStringLiteral("J#"));
    EXPECT_EQ(added->Value, QStringLiteral("Brücke"));
    EXPECT_EQ(added->Description, QStringLiteral("Drahtbrücke"));
    EXPECT_FALSE(added->InComponentsList);
    EXPECT_TRUE(bibo_.Modified());
    EXPECT_EQ(bibo_.Current(), nullptr);
    EXPECT_EQ(bibo_.Slots().size(), 1u);
}

TEST_F(BiboViewTest, ASingleElementThatIsNoGroupIsNotAdded) {
    TPlatine board(view_);
    board.Add(test::MakeWire(TBauteilTyp::btDraht, {{0, 127}, {762, 127}}));
    board.MarkiereAlle(true);
    EXPECT_EQ(bibo_.AddComponent(board.KopiereMarkierte(), {}), nullptr);
    EXPECT_EQ(bibo_.Count(), 0);
}

TEST_F(BiboViewTest, AnAddedTwoLeadPartGetsStraightLeadsAndStillStretches) {
    TPlatine board(view_);
    auto part = test::MakeResistor();
    // A bend in the first lead, as a user may have dragged it.
    auto& lead = static_cast<TDraht&>(*part->Members()[0]);
    lead.Nodes = {{1016, 1397}, {1100, 1500}, {1270, 1397}};
    board.Add(std::move(part));
    board.MarkiereAlle(true);
    TGruppe* added = bibo_.AddComponent(board.KopiereMarkierte(),
                                        {QStringLiteral("R#"), QStringLiteral("1k"), {}, true});
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(static_cast<TDraht&>(*added->Members()[0]).Nodes.size(), 2u);
    EXPECT_TRUE(added->CanStretchLeads());
}

// --- The folder of the user's pages ----------------------------------------------------------

TEST(LibraryFolderTest, TheProgramFoldersLibIsUsedWhenItCanTakePages) {
    QTemporaryDir program, user;
    EXPECT_EQ(LibraryFolder::Choose(program.path(), user.path()),
              QDir(program.path()).filePath(QStringLiteral("Lib")));
    QDir(program.path()).mkdir(QStringLiteral("lib"));
    EXPECT_EQ(LibraryFolder::Choose(program.path(), user.path()),
              QDir(program.path()).filePath(QStringLiteral("lib")))
        << "found whatever its case";
    const auto readOnly = [](const QString&) { return false; };
    EXPECT_EQ(LibraryFolder::Choose(program.path(), user.path(), readOnly), user.path());
}

TEST(LibraryFolderTest, TheUsersFolderFollowsXdgDataHome) {
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/data/home");
    EXPECT_EQ(LibraryFolder::DefaultUserFolder(), QStringLiteral("/data/home/karvel/Lib"));
    qputenv("XDG_DATA_HOME", "relative/path");
    EXPECT_EQ(LibraryFolder::DefaultUserFolder(),
              QDir::homePath() + QStringLiteral("/.local/share/karvel/Lib"));
    if (saved.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", saved);
}

TEST(LibraryFolderTest, AFolderWithoutPagesIsSeededWithThePagesOfTheLanguage) {
    QTemporaryDir data, program;
    ViewState view;
    for (const char* language : {"de", "en"}) {
        QDir(data.path()).mkpath(QStringLiteral("Library/%1").arg(language));
        TBibo page(view);
        page.SetPlatinenName(QString::fromLatin1(language));
        ASSERT_TRUE(SaveLibraryPage(
                        data.filePath(QStringLiteral("Library/%1/LIB1.Lib").arg(language)), page)
                        .isEmpty());
    }
    const LibrarySetup setup =
        LibraryFolder::Prepare(program.path(), data.path(), Language::English, QString());
    EXPECT_TRUE(setup.Problem.isEmpty()) << setup.Problem.toStdString();
    const QString seeded = QDir(setup.Folder).filePath(QStringLiteral("LIB1.Lib"));
    EXPECT_EQ(ReadPageName(seeded), QStringLiteral("en"));

    // A folder that holds pages is the user's own and stays as it is.
    TBibo own(view);
    own.SetPlatinenName(QStringLiteral("mine"));
    ASSERT_TRUE(SaveLibraryPage(seeded, own).isEmpty());
    LibraryFolder::Prepare(program.path(), data.path(), Language::German, QString());
    EXPECT_EQ(ReadPageName(seeded), QStringLiteral("mine"));
}

// After a change of language the pages of the new language join the user's own ones: in
// free files, never over a page of the user's, and not twice.
TEST(LibraryFolderTest, ShippedPagesOfAnotherLanguageJoinTheUsersPages) {
    QTemporaryDir shipped, user;
    ViewState view;
    const auto write = [&](const QString& folder, const QString& file, const QString& name) {
        TBibo page(view);
        page.SetPlatinenName(name);
        const QString path = QDir(folder).filePath(file);
        EXPECT_TRUE(SaveLibraryPage(path, page).isEmpty());
        QFile written(path);
        return written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
    };
    write(shipped.path(), QStringLiteral("LIB1.Lib"), QStringLiteral("Resistors"));
    write(shipped.path(), QStringLiteral("LIB2.Lib"), QStringLiteral("Capacitors"));
    write(shipped.path(), QStringLiteral("LIB3.Lib"), QStringLiteral("Diodes and LEDs"));
    // The user's own pages: one of them under a name a shipped page has.
    const QByteArray mine = write(user.path(), QStringLiteral("LIB1.Lib"), QStringLiteral("Meins"));
    const QByteArray ownCapacitors =
        write(user.path(), QStringLiteral("lib3.lib"), QStringLiteral("Capacitors"));

    const LibraryAddition added =
        LibraryFolder::AddShippedPages(user.path(), shipped.path(), Language::English);
    EXPECT_TRUE(added.Problem.isEmpty()) << added.Problem.toStdString();
    const auto file = [&](const char* name) {
        return QDir(user.path()).filePath(QString::fromLatin1(name));
    };
    EXPECT_EQ(added.Added, (std::vector<QString>{file("LIB2.Lib"), file("LIB4.Lib")}));
    EXPECT_EQ(ReadPageName(file("LIB2.Lib")), QStringLiteral("Resistors"));
    EXPECT_EQ(ReadPageName(file("LIB4.Lib")), QStringLiteral("Diodes and LEDs"));
    const auto bytes = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    EXPECT_EQ(bytes(file("LIB1.Lib")), mine);
    EXPECT_EQ(bytes(file("lib3.lib")), ownCapacitors);

    const LibraryAddition again =
        LibraryFolder::AddShippedPages(user.path(), shipped.path(), Language::English);
    EXPECT_TRUE(again.Added.empty());
    EXPECT_EQ(LibraryPageFiles(user.path()).size(), 4u);
}

} // namespace
} // namespace karvel
