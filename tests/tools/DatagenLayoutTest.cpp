// The board layout files and the legacy board-type layouts that lie beside the program, as
// committed under resources/: they load, survive a save unchanged, have their sizes, and their
// copper is what the names promise — counted hole by hole and net by net.

#include "board/Board.h"
#include "board/LayoutLanguages.h"
#include "board/ProjectFile.h"
#include "elements/Auge.h"
#include "elements/Bohrung.h"
#include "elements/Leiterbahn.h"
#include "support/RecordBytes.h"

#include <cctype>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <set>

namespace karvel {
namespace {

constexpr int Pitch = 254;

QString Resources() {
    return QStringLiteral(KARVEL_SOURCE_DIR "/resources");
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// --- The copper of a layout as plain shapes ----------------------------------------------------

struct Shape {
    Rect Box;        // normalised bounds
    int Radius = -1; // a pad's circle; -1 for an axis-parallel rectangle
    QPoint Centre;

    static Shape Area(const Rect& box) { return {box, -1, {}}; }
    static Shape Circle(QPoint centre, int radius) {
        return {
            {centre.x() - radius, centre.y() - radius, centre.x() + radius, centre.y() + radius},
            radius,
            centre};
    }
};

bool Overlap(const Shape& a, const Shape& b) {
    if (!Intersects(a.Box, b.Box))
        return false;
    if (a.Radius < 0 && b.Radius < 0)
        return true;
    if (a.Radius >= 0 && b.Radius >= 0) {
        const double d = std::hypot(a.Centre.x() - b.Centre.x(), a.Centre.y() - b.Centre.y());
        return d < a.Radius + b.Radius;
    }
    const Shape& circle = a.Radius >= 0 ? a : b;
    const Rect& r = a.Radius >= 0 ? b.Box : a.Box;
    const int nx = std::clamp(circle.Centre.x(), r.Left, r.Right);
    const int ny = std::clamp(circle.Centre.y(), r.Top, r.Bottom);
    return std::hypot(circle.Centre.x() - nx, circle.Centre.y() - ny) < circle.Radius;
}

Rect BoundsOf(const std::vector<QPoint>& points) {
    Rect r{points[0].x(), points[0].y(), points[0].x(), points[0].y()};
    for (const QPoint p : points) {
        r.Left = std::min(r.Left, p.x());
        r.Top = std::min(r.Top, p.y());
        r.Right = std::max(r.Right, p.x());
        r.Bottom = std::max(r.Bottom, p.y());
    }
    return r;
}

struct Census {
    std::vector<const TBohrung*> Drillings;
    std::vector<const TAuge*> Pads;
    std::vector<const TLeiterbahn*> Horizontal;
    std::vector<const TLeiterbahn*> Vertical;
    std::vector<const TDraht*> Fingers;
    std::vector<Shape> Copper;
    int Others = 0;

    explicit Census(const TBoard& layout) {
        for (const auto& element : layout.Bauteile()) {
            if (const auto* d = dynamic_cast<const TBohrung*>(element.get())) {
                Drillings.push_back(d);
            } else if (const auto* p = dynamic_cast<const TAuge*>(element.get())) {
                Pads.push_back(p);
                Copper.push_back(Shape::Circle(p->Centre, p->Radius()));
            } else if (const auto* t = dynamic_cast<const TLeiterbahn*>(element.get())) {
                (t->IsHorizontal() ? Horizontal : Vertical).push_back(t);
                Copper.push_back(Shape::Area(BoundsOf(t->Contour().Nodes)));
            } else if (const auto* w = dynamic_cast<const TDraht*>(element.get());
                       w && w->BauteilTyp == TBauteilTyp::btRect) {
                Fingers.push_back(w);
                Copper.push_back(Shape::Area(BoundsOf(w->Nodes)));
            } else {
                ++Others;
            }
        }
    }

    int Mounting() const {
        return int(std::count_if(Drillings.begin(), Drillings.end(),
                                 [](const TBohrung* d) { return d->Diameter > 2.5; }));
    }

    // Groups of copper shapes that touch, found through the hole cells each shape covers.
    int Nets() const {
        std::vector<int> parent(Copper.size());
        std::iota(parent.begin(), parent.end(), 0);
        auto find = [&](int i) {
            while (parent[std::size_t(i)] != i)
                i = parent[std::size_t(i)] = parent[std::size_t(parent[std::size_t(i)])];
            return i;
        };
        std::map<std::pair<int, int>, std::vector<int>> cells;
        for (std::size_t i = 0; i < Copper.size(); ++i) {
            const Rect& b = Copper[i].Box;
            for (int cx = Floor(b.Left); cx <= Floor(b.Right); ++cx)
                for (int cy = Floor(b.Top); cy <= Floor(b.Bottom); ++cy)
                    cells[{cx, cy}].push_back(int(i));
        }
        for (const auto& [cell, members] : cells)
            for (std::size_t a = 0; a < members.size(); ++a)
                for (std::size_t b = a + 1; b < members.size(); ++b)
                    if (Overlap(Copper[std::size_t(members[a])], Copper[std::size_t(members[b])]))
                        parent[std::size_t(find(members[a]))] = find(members[b]);
        int nets = 0;
        for (std::size_t i = 0; i < parent.size(); ++i)
            nets += find(int(i)) == int(i);
        return nets;
    }

private:
    static int Floor(int v) { return int(std::floor(double(v) / Pitch)); }
};

bool OnGrid(QPoint p) {
    return p.x() % Pitch == 0 && (p.y() - Pitch / 2) % Pitch == 0;
}

// What every layout must keep: holes on the grid and inside the board, one drilling per hole,
// a drilling under every pad, pads apart from each other, and copper only on the board.
void ExpectTidy(const Census& census, const Rect& board) {
    EXPECT_EQ(census.Others, 0) << "only pads, drillings, tracks and copper rectangles";
    std::set<std::pair<int, int>> drilled;
    for (const TBohrung* d : census.Drillings) {
        const QPoint c = d->Centre;
        EXPECT_TRUE(OnGrid(c)) << c.x() << "," << c.y();
        EXPECT_TRUE(c.x() - board.Left >= Pitch / 2 && board.Right - c.x() >= Pitch / 2 &&
                    c.y() - board.Top >= Pitch / 2 && board.Bottom - c.y() >= Pitch / 2)
            << "hole too close to the edge at " << c.x() << "," << c.y();
        EXPECT_TRUE(drilled.insert({c.x(), c.y()}).second)
            << "two drillings at " << c.x() << "," << c.y();
    }
    for (const TAuge* p : census.Pads)
        EXPECT_TRUE(drilled.count({p->Centre.x(), p->Centre.y()}))
            << "pad without drilling at " << p->Centre.x() << "," << p->Centre.y();
    for (const Shape& s : census.Copper) {
        EXPECT_TRUE(s.Box.Left >= board.Left && s.Box.Right <= board.Right &&
                    s.Box.Top >= board.Top && s.Box.Bottom <= board.Bottom)
            << "copper off the board at " << s.Box.Left << "," << s.Box.Top;
    }
    // Pads that touched would join holes that the board shows apart.
    std::map<std::pair<int, int>, const TAuge*> byHole;
    for (const TAuge* p : census.Pads)
        byHole[{p->Centre.x() / Pitch, p->Centre.y() / Pitch}] = p;
    for (const auto& [hole, pad] : byHole) {
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                const auto other = byHole.find({hole.first + dx, hole.second + dy});
                if ((dx || dy) && other != byHole.end()) {
                    const double d = std::hypot(pad->Centre.x() - other->second->Centre.x(),
                                                pad->Centre.y() - other->second->Centre.y());
                    EXPECT_GT(d, pad->Radius() + other->second->Radius());
                }
            }
        }
    }
}

// A layout read back and written again gives the same bytes.
void ExpectSavedUnchanged(TBoard& layout, const QByteArray& original) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString copy = folder.filePath(QStringLiteral("copy"));
    ASSERT_TRUE(SaveLayoutFile(copy, layout).isEmpty());
    EXPECT_TRUE(Bytes(copy) == original) << "the file does not survive a save unchanged";
}

struct Expected {
    const char* Name;
    int Width;
    int Height;
    int Strips; // horizontal tracks
    int Rails;  // vertical tracks
    int Pads;
    int Fingers; // copper rectangles at a card edge
    int Drillings;
    int Mounting; // drillings wider than 2.5 mm
    int Nets;     // groups of touching copper
};

void PrintTo(const Expected& e, std::ostream* os) {
    *os << e.Name;
}

void ExpectCounts(const Census& census, const Expected& e) {
    EXPECT_EQ(int(census.Horizontal.size()), e.Strips);
    EXPECT_EQ(int(census.Vertical.size()), e.Rails);
    EXPECT_EQ(int(census.Pads.size()), e.Pads);
    EXPECT_EQ(int(census.Fingers.size()), e.Fingers);
    EXPECT_EQ(int(census.Drillings.size()), e.Drillings);
    EXPECT_EQ(census.Mounting(), e.Mounting);
    EXPECT_EQ(census.Nets(), e.Nets);
}

// --- Board layout files -------------------------------------------------------------------------

// Counted by hand from the board sizes: a 160 x 100 board holds 62 columns (x = 254 .. 15748)
// and 39 rows (y = 127 .. 9779) of holes.
const Expected StandardLayouts[] = {
    {"Streifenraster 160 x 100.KVB", 16000, 10000, 39, 0, 0, 0, 2418, 0, 39},
    {"Streifenraster 100 x 160.KVB", 10000, 16000, 62, 0, 0, 0, 2356, 0, 62},
    {"Streifenraster 100 x 80.KVB", 10000, 8000, 31, 0, 0, 0, 1178, 0, 31},
    {"Streifenraster 80 x 50.KVB", 8000, 5000, 19, 0, 0, 0, 570, 0, 19},
    {"Lochraster Lötaugen 160 x 100.KVB", 16000, 10000, 0, 0, 2418, 0, 2418, 0, 2418},
    {"Lochraster Lötaugen 100 x 80.KVB", 10000, 8000, 0, 0, 1178, 0, 1178, 0, 1178},
    {"Ohne Kupfer 160 x 100.KVB", 16000, 10000, 0, 0, 0, 0, 2418, 0, 0},
    {"Streifenraster Direktstecker.KVB", 16000, 10000, 39, 0, 0, 39, 2262, 0, 39},
    {"Europakarte DIN 41612 Streifen.KVB", 16000, 10000, 39, 0, 96, 0, 2321, 2, 135},
    {"Europakarte DIN 41612 Lötaugen.KVB", 16000, 10000, 0, 0, 2319, 0, 2321, 2, 2319},
    {"IC-Platine 160 x 100.KVB", 16000, 10000, 372, 10, 74, 0, 2418, 0, 446},
    {"Stripboard 160 x 100.KVB", 16000, 10000, 39, 0, 0, 0, 2418, 0, 39},
    {"Stripboard 100 x 80.KVB", 10000, 8000, 31, 0, 0, 0, 1178, 0, 31},
    {"Perfboard pads 160 x 100.KVB", 16000, 10000, 0, 0, 2418, 0, 2418, 0, 2418},
    {"No copper 160 x 100.KVB", 16000, 10000, 0, 0, 0, 0, 2418, 0, 0},
};

QString LayoutPath(const char* name) {
    return Resources() + QStringLiteral("/Board Layouts/") + QString::fromUtf8(name);
}

class DatagenStandardLayoutFile : public ::testing::TestWithParam<Expected> {};

TEST_P(DatagenStandardLayoutFile, OpensForANewBoardAndKeepsItsPattern) {
    const Expected& e = GetParam();
    const QString path = LayoutPath(e.Name);
    ViewState view;
    TPlatine board(view);
    ASSERT_NO_THROW(ReadLayoutIntoBoard(path, board));
    TBoard& layout = *board.Layout();
    EXPECT_EQ(layout.PlatinenName(), QString::fromUtf8(e.Name)) << "named as the program names it";
    EXPECT_EQ(board.Width(), e.Width);
    EXPECT_EQ(board.Height(), e.Height);
    EXPECT_EQ(board.Nullpunkt(), QPoint(0, 0));
    EXPECT_TRUE(OnGrid(board.Ursprung())) << "the origin marker sits on a hole";
    const Census census(layout);
    ExpectTidy(census, board.BoardRect());
    ExpectCounts(census, e);
    ExpectSavedUnchanged(layout, Bytes(path));
}

// Test names keep the letters and digits of the file name.
std::string TestName(const char* fileName) {
    std::string name;
    for (const char* c = fileName; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c)) && static_cast<unsigned char>(*c) < 0x80)
            name += *c;
    return name;
}

INSTANTIATE_TEST_SUITE_P(Files, DatagenStandardLayoutFile, ::testing::ValuesIn(StandardLayouts),
                         [](const auto& info) { return TestName(info.param.Name); });

TEST(DatagenStandardLayoutTest, EveryFileInTheFolderIsAccountedFor) {
    QStringList expected;
    for (const Expected& e : StandardLayouts)
        expected << QString::fromUtf8(e.Name);
    QStringList present = QDir(Resources() + QStringLiteral("/Board Layouts"))
                              .entryList({QStringLiteral("*.KVB")}, QDir::Files);
    expected.sort();
    present.sort();
    EXPECT_EQ(present, expected);
}

// A new board is offered the layouts of the program's language, and those made in one language
// only, never both twins of a board.
TEST(DatagenStandardLayoutTest, EachTwinIsOfferedInItsOwnLanguageOnly) {
    const LayoutLanguages languages =
        LayoutLanguages::Read(Resources() + QStringLiteral("/Board Layouts"));
    const struct {
        const char* file;
        bool german;
        bool english;
    } cases[] = {
        {"Streifenraster 160 x 100.KVB", true, false},
        {"Stripboard 160 x 100.KVB", false, true},
        {"Streifenraster 100 x 80.KVB", true, false},
        {"Stripboard 100 x 80.KVB", false, true},
        {"Lochraster Lötaugen 160 x 100.KVB", true, false},
        {"Perfboard pads 160 x 100.KVB", false, true},
        {"Ohne Kupfer 160 x 100.KVB", true, false},
        {"No copper 160 x 100.KVB", false, true},
        {"STRIPBOARD 160 X 100.kvb", false, true},
        {"Streifenraster 80 x 50.KVB", true, true},
        {"IC-Platine 160 x 100.KVB", true, true},
        {"Meine Platine.KVB", true, true},
    };
    for (const auto& c : cases) {
        const QString file = QString::fromUtf8(c.file);
        EXPECT_EQ(languages.Offers(file, Language::German), c.german) << c.file;
        EXPECT_EQ(languages.Offers(file, Language::English), c.english) << c.file;
        EXPECT_EQ(languages.Offers(file, Language::French), c.german) << c.file;
    }
}

TEST(DatagenStandardLayoutTest, EachStripJoinsTheHolesOfOneRowEdgeToEdge) {
    ViewState view;
    TPlatine board(view);
    ReadLayoutIntoBoard(LayoutPath("Streifenraster 160 x 100.KVB"), board);
    const Census census(*board.Layout());
    std::set<int> rows;
    for (const TLeiterbahn* strip : census.Horizontal) {
        const Rect copper = BoundsOf(strip->Contour().Nodes);
        std::set<int> columns;
        for (const TBohrung* d : census.Drillings) {
            if (d->Centre.x() > copper.Left && d->Centre.x() < copper.Right &&
                d->Centre.y() > copper.Top && d->Centre.y() < copper.Bottom) {
                columns.insert(d->Centre.x() / Pitch);
                rows.insert(d->Centre.y() / Pitch);
            }
        }
        EXPECT_EQ(columns.size(), 62u);
        EXPECT_EQ(*columns.begin(), 1);
        EXPECT_EQ(*columns.rbegin(), 62);
        EXPECT_EQ(strip->Stiftbreite(), 100) << "2 mm wide copper";
    }
    EXPECT_EQ(rows.size(), 39u) << "one strip per row";
}

TEST(DatagenStandardLayoutTest, IcBoardBusesFeedAlternateRailsAndStayApart) {
    ViewState view;
    TPlatine board(view);
    ReadLayoutIntoBoard(LayoutPath("IC-Platine 160 x 100.KVB"), board);
    const Census census(*board.Layout());
    auto shapeAt = [](const TLeiterbahn* track) {
        return Shape::Area(BoundsOf(track->Contour().Nodes));
    };
    const auto [top, bottom] =
        std::minmax_element(census.Horizontal.begin(), census.Horizontal.end(),
                            [](const TLeiterbahn* a, const TLeiterbahn* b) {
                                return a->Nodes[0].y() < b->Nodes[0].y();
                            });
    int onTop = 0, onBottom = 0;
    for (const TLeiterbahn* rail : census.Vertical) {
        const bool touchesTop = Overlap(shapeAt(rail), shapeAt(*top));
        const bool touchesBottom = Overlap(shapeAt(rail), shapeAt(*bottom));
        EXPECT_NE(touchesTop, touchesBottom) << "each rail belongs to exactly one bus";
        onTop += touchesTop;
        onBottom += touchesBottom;
    }
    EXPECT_EQ(onTop, 5);
    EXPECT_EQ(onBottom, 5);
}

// --- Legacy board types -------------------------------------------------------------------------

struct Legacy {
    int Typ;
    Expected Counts;
};

// The counts follow the type descriptions: strips or pads at 2.54 mm (62 x 39 holes) or 5.08 mm
// (31 x 19), edge fingers per row, the connector pads of DIN 41617 (31), DIN 41612 (96, or 64
// in two rows) and Sub-D sockets with their mounting drillings, the IC boards' DIP blocks.
const Legacy LegacyLayouts[] = {
    {0, {"P0.dat", 16000, 10000, 39, 0, 0, 0, 2418, 0, 39}},
    {1, {"P1.dat", 16000, 10000, 0, 0, 2418, 0, 2418, 0, 2418}},
    {2, {"P2.dat", 16000, 10000, 0, 0, 0, 0, 2418, 0, 0}},
    {3, {"P3.dat", 16000, 10000, 19, 0, 0, 0, 589, 0, 19}},
    {4, {"P4.dat", 16000, 10000, 0, 0, 589, 0, 589, 0, 589}},
    {5, {"P5.dat", 16000, 10000, 39, 0, 0, 39, 2262, 0, 39}},
    {6, {"P6.dat", 16000, 10000, 0, 0, 2262, 39, 2262, 0, 2262}},
    {7, {"P7.dat", 16000, 10000, 19, 0, 0, 19, 551, 0, 19}},
    {8, {"P8.dat", 12500, 7300, 0, 0, 1344, 0, 1344, 0, 1344}},
    {9, {"P9.dat", 16000, 10000, 39, 0, 31, 0, 2334, 2, 70}},
    {10, {"P10.dat", 16000, 10000, 0, 0, 2332, 0, 2334, 2, 2332}},
    {11, {"P11.dat", 16000, 10000, 39, 0, 96, 0, 2321, 2, 135}},
    {12, {"P12.dat", 16000, 10000, 0, 0, 2319, 0, 2321, 2, 2319}},
    {13, {"P13.dat", 16000, 10000, 0, 0, 2158, 0, 2162, 4, 2158}},
    {14, {"P14.dat", 16000, 10000, 0, 0, 2156, 0, 2164, 8, 2156}},
    {15, {"P15.dat", 16000, 10000, 0, 0, 2287, 0, 2289, 2, 2287}},
    {16, {"P16.dat", 16000, 10000, 468, 0, 0, 39, 2262, 0, 468}},
    {17, {"P17.dat", 16000, 10000, 372, 10, 74, 0, 2418, 0, 446}},
    {18, {"P18.dat", 10000, 7500, 164, 6, 54, 0, 1102, 0, 218}},
    {19, {"P19.dat", 16000, 10000, 224, 6, 962, 0, 2418, 0, 1186}},
    {20, {"P20.dat", 16000, 10000, 39, 0, 64, 0, 2328, 2, 103}},
};

void PrintTo(const Legacy& legacy, std::ostream* os) {
    *os << legacy.Counts.Name;
}

// A one-board project of version 3.00 that names only its board type and size, as files of
// that time did: no annotations, no nested layout, no origin.
QByteArray OldProject(int typ, int width, int height) {
    test::RecordBytes b;
    b.Header("Alt", "3,00").Int(0).Int(typ).Int(width).Int(height).Int(0).Int(0);
    b.Int(1);
    return b.Bytes();
}

class DatagenLegacyLayoutFile : public ::testing::TestWithParam<Legacy> {};

TEST_P(DatagenLegacyLayoutFile, AnOldFileOfTheTypeOpensOnItsLayout) {
    const Legacy& legacy = GetParam();
    const Expected& e = legacy.Counts;
    ViewState view;
    view.ProgramFolder = Resources();
    QBuffer buffer;
    buffer.setData(OldProject(legacy.Typ, e.Width, e.Height));
    buffer.open(QIODevice::ReadOnly);
    ProjectLoad load = ReadProject(buffer, view);
    ASSERT_FALSE(load.Error.has_value()) << load.Error->what();
    TPlatine& board = *load.Boards.at(0);
    TBoard& layout = *board.Layout();
    EXPECT_EQ(board.PlatinenTyp(), TPlatinenTyp::pt_UserBoard);
    EXPECT_EQ(layout.Width(), e.Width);
    EXPECT_EQ(layout.Height(), e.Height);
    EXPECT_EQ(layout.Nullpunkt(), board.Nullpunkt()) << "the layout lies where the board lies";
    const Census census(layout);
    ExpectTidy(census, board.BoardRect());
    ExpectCounts(census, e);
    const QString path = Resources() + QStringLiteral("/Data/") + QString::fromUtf8(e.Name);
    ExpectSavedUnchanged(layout, Bytes(path));
}

INSTANTIATE_TEST_SUITE_P(Types, DatagenLegacyLayoutFile, ::testing::ValuesIn(LegacyLayouts),
                         [](const auto& info) { return "P" + std::to_string(info.param.Typ); });

TEST(DatagenLegacyLayoutTest, FivePointOhEightPadBoardsLieHalfAHoleHigher) {
    ViewState view;
    view.ProgramFolder = Resources();
    QBuffer buffer;
    buffer.setData(OldProject(4, 16000, 10000));
    buffer.open(QIODevice::ReadOnly);
    ProjectLoad load = ReadProject(buffer, view);
    ASSERT_FALSE(load.Error.has_value());
    const TPlatine& board = *load.Boards.at(0);
    EXPECT_EQ(board.Nullpunkt(), QPoint(0, -127));
    // Every pad keeps at least half the 5.08 mm pitch from the raised edges.
    const Census census(*board.Layout());
    ASSERT_FALSE(census.Pads.empty());
    for (const TAuge* pad : census.Pads) {
        EXPECT_GE(pad->Centre.y() - board.BoardRect().Top, Pitch);
        EXPECT_GE(board.BoardRect().Bottom - pad->Centre.y(), Pitch);
    }
    // Neighbouring pads are 5.08 mm apart.
    const auto [first, last] = std::minmax_element(
        census.Pads.begin(), census.Pads.end(), [](const TAuge* a, const TAuge* b) {
            return std::pair(a->Centre.y(), a->Centre.x()) <
                   std::pair(b->Centre.y(), b->Centre.x());
        });
    EXPECT_EQ(((*last)->Centre.y() - (*first)->Centre.y()) % (2 * Pitch), 0);
    EXPECT_EQ(((*last)->Centre.x() - (*first)->Centre.x()) % (2 * Pitch), 0);
}

TEST(DatagenLegacyLayoutTest, EdgeFingersReachTheEdgeAndJoinOneRowEach) {
    for (const char* name : {"P5.dat", "P6.dat", "P7.dat", "P16.dat"}) {
        SCOPED_TRACE(name);
        ViewState view;
        TPlatine board(view);
        ReadLayoutIntoBoard(Resources() + QStringLiteral("/Data/") + QString::fromUtf8(name),
                            board);
        const Census census(*board.Layout());
        for (const TDraht* finger : census.Fingers) {
            const Shape shape = Shape::Area(BoundsOf(finger->Nodes));
            EXPECT_EQ(shape.Box.Right, board.BoardRect().Right);
            const int touched =
                int(std::count_if(census.Copper.begin(), census.Copper.end(),
                                  [&](const Shape& other) { return Overlap(shape, other); }));
            EXPECT_EQ(touched, 2) << "the finger itself and one strip piece or pad";
        }
    }
}

} // namespace
} // namespace karvel
