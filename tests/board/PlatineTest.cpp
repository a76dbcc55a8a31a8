#include "board/Platine.h"
#include "board/Bibo.h"
#include "board/Board.h"
#include "support/FakeHost.h"
#include "support/ProbeElement.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

using test::FakeHost;
using test::ProbeElement;

// At this zoom one hole pitch is 254 pixels: control pixels and board units coincide.
constexpr double OneToOne = 254.0 / 16.0;

TEST(PlatineTest, DefaultsOfANewBoard) {
    ViewState view;
    TPlatine board(view);
    EXPECT_EQ(board.Width(), 16000);
    EXPECT_EQ(board.Height(), 10000);
    EXPECT_EQ(board.Nullpunkt(), QPoint(0, 0));
    EXPECT_EQ(board.Ursprung(), QPoint(0, 127));
    EXPECT_EQ(board.ReservedPoint(), QPoint(0, 0));
    EXPECT_EQ(board.PlatinenTyp(), TPlatinenTyp::pt_UserBoard);
    EXPECT_DOUBLE_EQ(board.Zoom(), 3.0);
    EXPECT_EQ(board.Modus(), TPlatinenModus::pm_Standard);
    EXPECT_EQ(board.Color(), colours::Silver);
    EXPECT_TRUE(board.CurrentFill);
    EXPECT_DOUBLE_EQ(board.DrillDiameter, 0.8);
    EXPECT_DOUBLE_EQ(board.PadDiameter, 2.0);
    EXPECT_DOUBLE_EQ(board.TrackWidth, 2.0);
    EXPECT_EQ(board.LastGridCell(), QPoint(-1, -1));
    EXPECT_FALSE(board.CursorCaptured());
    EXPECT_FALSE(board.Modified());
    EXPECT_EQ(board.PlatinenName(), QStringLiteral("Neue Platine"));
    EXPECT_EQ(board.Infozeile1(), QStringLiteral("Platine"));
    EXPECT_EQ(board.Anmerkungen().PlainText(), QStringLiteral("Anmerkungen: Neue Platine"));
}

TEST(PlatineTest, EnglishTexts) {
    ViewState view;
    view.Sprache = Language::English;
    TPlatine board(view);
    EXPECT_EQ(board.PlatinenName(), QStringLiteral("New board"));
    EXPECT_EQ(board.Infozeile2(), QStringLiteral("Stripboard"));
    EXPECT_EQ(board.Anmerkungen().PlainText(), QStringLiteral("Remarks: New board"));
    view.Sprache = Language::French; // only the undo depth dialog speaks French
    TPlatine other(view);
    EXPECT_EQ(other.PlatinenName(), QStringLiteral("Neue Platine"));
}

TEST(PlatineTest, OnlyAMainBoardOwnsALayout) {
    ViewState view;
    TPlatine board(view);
    TBoard layout(view);
    TBibo page(view);
    ASSERT_NE(board.Layout(), nullptr);
    EXPECT_EQ(board.Layout()->Layout(), nullptr);
    EXPECT_EQ(layout.Layout(), nullptr);
    EXPECT_EQ(page.Layout(), nullptr);
    EXPECT_TRUE(page.IsLibraryPage());
    EXPECT_FALSE(board.IsLibraryPage());
}

TEST(PlatineTest, ZoomIsClampedAndSizesTheControl) {
    ViewState view;
    TPlatine board(view);
    FakeHost host;
    board.SetHost(&host);
    EXPECT_EQ(board.PixelsPerHole(), 48);
    EXPECT_EQ(host.controlSize, QSize(3024, 1890));

    const std::pair<double, double> cases[] = {{25, 20},   {0.1, 0.2}, {20, 20},
                                               {0.2, 0.2}, {1.5, 1.5}, {-3, 0.2}};
    for (const auto& [set, stored] : cases) {
        board.SetZoom(set);
        EXPECT_DOUBLE_EQ(board.Zoom(), stored) << set;
    }
    board.SetZoom(std::numeric_limits<double>::quiet_NaN());
    EXPECT_DOUBLE_EQ(board.Zoom(), 0.2) << "a NaN zoom is ignored";

    board.SetZoom(3.0);
    board.SetNullpunkt({254, 127});
    board.SetZoom(3.0);
    EXPECT_EQ(host.controlSize, QSize((16000 + 254) * 48 / 254 + 1, (10000 + 127) * 48 / 254 + 1));
}

TEST(PlatineTest, HoleIndexBoundaries) {
    ViewState view;
    TPlatine board(view);
    struct Case {
        QPoint board, hole;
    };
    const Case cases[] = {
        {{126, 0}, {0, 0}},     {{127, 0}, {1, 0}},         {{0, 253}, {0, 0}},
        {{0, 254}, {0, 1}},     {{16000, 10000}, {63, 39}}, {{16001, 0}, {-1, -1}},
        {{0, 10001}, {-1, -1}}, {{-200, -300}, {0, -1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(board.HoleIndex(c.board), c.hole) << c.board.x() << "," << c.board.y();
}

TEST(PlatineTest, SnapsToHolesOrToTheFineGrid) {
    ViewState view;
    TPlatine board(view);
    board.SetZoom(OneToOne);
    ASSERT_EQ(board.PixelsPerHole(), 254);
    const QPoint p(130, 300);
    EXPECT_EQ(board.SnapToHole(p, true), QPoint(254, 381));
    EXPECT_EQ(board.SnapToHole({0, 0}, true), QPoint(0, 127));
    struct Case {
        double grid;
        QPoint expected;
    };
    // round(12.5) is 12, so a 25-unit grid moves 130 down to 125.
    const Case cases[] = {{10, {130, 300}}, {25, {125, 300}}, {0.5, {130, 300}}, {7, {133, 301}}};
    for (const Case& c : cases) {
        view.FineGrid = c.grid;
        EXPECT_EQ(board.SnapToHole(p, false), c.expected) << c.grid;
    }
    EXPECT_EQ(board.SnapToGrid(p, 25, true), QPoint(125, 300));
    EXPECT_EQ(board.SnapToGrid(p, 25, false), p);
    EXPECT_EQ(board.SnapToGrid(p, 0.5, true), p);
}

TEST(PlatineTest, MappingRoundTripsOnBothSides) {
    ViewState view;
    TPlatine board(view);
    board.SetNullpunkt({0, 254});
    for (bool solder : {false, true}) {
        view.Loetseite = solder;
        // Board units are finer than pixels: pixel -> board -> pixel comes back exactly,
        // board -> pixel -> board to within half a pixel.
        for (const QPoint px : {QPoint(0, 0), QPoint(48, 72), QPoint(3023, 1937)})
            EXPECT_EQ(board.BoardToControl(board.ControlToBoard(px)), px) << solder;
        for (const QPoint p : {QPoint(0, 127), QPoint(254, 381), QPoint(16000, 10254)}) {
            const QPoint back = board.ControlToBoard(board.BoardToControl(p));
            EXPECT_LE(std::abs(back.x() - p.x()), 3) << solder;
            EXPECT_LE(std::abs(back.y() - p.y()), 3) << solder;
        }
    }
    view.Loetseite = false;
    EXPECT_EQ(board.ControlToBoard(board.BoardToControl({254, 381})), QPoint(254, 381))
        << "hole centres land on whole pixels at zoom 3";
    // Seen from below, the top edge of the board shows at the bottom; x stays.
    view.Loetseite = true;
    const QPoint nearTop = board.BoardToControl({508, 254 + 10});
    EXPECT_EQ(nearTop.x(), 508 * 48 / 254);
    EXPECT_EQ(nearTop.y(), 1936) << "(2 * 254 + 10000 - 264) * 48 / 254 = 1935.87, rounded";
    view.Loetseite = false;
    EXPECT_EQ(board.BoardToControl({508, 264}).y(), 50);
}

TEST(PlatineTest, LibraryPagesNeverFlip) {
    ViewState view;
    view.Loetseite = true;
    TBibo page(view);
    EXPECT_EQ(page.BoardToControl({254, 254}), QPoint(48, 48));
}

TEST(PlatineTest, HostPixelsSubtractTheScrollPosition) {
    ViewState view;
    TPlatine board(view);
    FakeHost host;
    board.SetHost(&host);
    host.SetScrollPosition({100, 40});
    EXPECT_EQ(board.BoardToHost({2540, 2540}), QPoint(480 - 100, 480 - 40));
}

TEST(PlatineTest, FitBoardUsesFifteenPixelsPerHoleUnit) {
    ViewState view;
    TPlatine board(view);
    FakeHost host({800, 600});
    board.SetHost(&host);
    int changes = 0;
    board.OnChange = [&](TPlatine&) { ++changes; };
    board.FitBoard();
    EXPECT_DOUBLE_EQ(board.Zoom(), std::min(15.0 * 800 / 16000, 15.0 * 600 / 10000));
    EXPECT_EQ(changes, 1);
}

TEST(PlatineTest, ZoomAboutBringsThePointToTheCentre) {
    for (bool solder : {false, true}) {
        ViewState view;
        view.Loetseite = solder;
        TPlatine board(view);
        FakeHost host({800, 600});
        board.SetHost(&host);
        const QPoint cursor(700, 500);
        const QPoint target = board.ControlToBoard(cursor);
        board.ZoomAbout(cursor, true);
        EXPECT_DOUBLE_EQ(board.Zoom(), 3.0 * 1.4);
        const QPoint centre = board.ControlToBoard(host.ScrollPosition() + QPoint(400, 300));
        // Within two pixels at the new zoom (67 units per hole pitch of 254).
        EXPECT_NEAR(centre.x(), target.x(), 2 * 254 / 67 + 1) << solder;
        EXPECT_NEAR(centre.y(), target.y(), 2 * 254 / 67 + 1) << solder;
        board.ZoomAbout(cursor, false);
        EXPECT_NEAR(board.Zoom(), 3.0, 1e-12);
    }
}

TEST(PlatineTest, FitElementsFramesTheirBounds) {
    ViewState view;
    TPlatine board(view);
    FakeHost host({800, 600});
    board.SetHost(&host);
    EXPECT_FALSE(board.FitElements(false)) << "nothing to fit";
    EXPECT_DOUBLE_EQ(board.Zoom(), 3.0);
    board.Add(std::make_unique<ProbeElement>(Rect{2540, 2540, 5080, 3810}));
    auto* far = board.Add(std::make_unique<ProbeElement>(Rect{12700, 7620, 12954, 7874}));
    far->SetIstMarkiert(true);
    ASSERT_TRUE(board.FitElements(false));
    // The union is 10414 × 5334 units; at zoom 3 that is 1968 × 1008 pixels.
    const double expected =
        std::min(750.0 / (10414 * 48.0 / 254) * 3, 550.0 / (5334 * 48.0 / 254) * 3);
    EXPECT_NEAR(board.Zoom(), expected, 1e-9);
    ASSERT_TRUE(board.FitElements(true));
    EXPECT_DOUBLE_EQ(board.Zoom(), 20.0) << "one small element zooms in to the limit";
}

TEST(PlatineTest, ZoomToATinyRubberBandZoomsInAboutTheClick) {
    ViewState view;
    TPlatine board(view);
    FakeHost host({800, 600});
    board.SetHost(&host);
    board.ZoomToRect({100, 100, 103, 300}, {100, 100});
    EXPECT_DOUBLE_EQ(board.Zoom(), 3.0 * 1.4);
    board.SetZoom(3.0);
    board.ZoomToRect({100, 100, 500, 200}, {100, 100});
    EXPECT_DOUBLE_EQ(board.Zoom(), std::min(800.0 / 400 * 3, 600.0 / 100 * 3));
}

TEST(PlatineTest, ElementListOperations) {
    ViewState view;
    TPlatine board(view);
    int destroyed = 0;
    auto* a = board.Add(std::make_unique<ProbeElement>(Rect{}, "A", &destroyed));
    auto* c = board.Add(std::make_unique<ProbeElement>(Rect{}, "C", &destroyed));
    auto* b = board.Insert(1, std::make_unique<ProbeElement>(Rect{}, "B", &destroyed));
    ASSERT_EQ(board.Count(), 3);
    EXPECT_EQ(board.At(1), b);
    EXPECT_EQ(a->Parent(), &board);
    EXPECT_EQ(a->BMUsage(), &board.BitmapUsages());
    a->BauteilTyp = TBauteilTyp::btDraht;
    c->BauteilTyp = TBauteilTyp::btDraht;
    EXPECT_EQ(board.CollectOfKind(TBauteilTyp::btDraht), (std::vector<TBauteil*>{a, c}));

    board.SetSelected(c, true);
    board.SetSelected(a, true);
    EXPECT_EQ(board.CountSelected(), 2);
    EXPECT_EQ(board.LastSelected(), a);

    EXPECT_TRUE(board.Remove(a));
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(board.LastSelected(), nullptr);
    EXPECT_FALSE(board.Remove(a));
    ProbeElement stranger;
    EXPECT_FALSE(board.Remove(&stranger));

    auto taken = board.Take(b);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(board.Count(), 1);
    board.Clear();
    EXPECT_EQ(destroyed, 2);
    taken.reset();
    EXPECT_EQ(destroyed, 3);
}

TEST(PlatineTest, OutlineModeAndMirrorReachEveryElement) {
    ViewState view;
    TPlatine board(view);
    FakeHost host;
    board.SetHost(&host);
    auto* e = board.Add(std::make_unique<ProbeElement>());
    board.SetUmrissModus(true);
    EXPECT_TRUE(e->UmrissFlag());
    EXPECT_TRUE(board.Layout()->UmrissModus());
    EXPECT_GE(host.repaints, 1);
    board.SetSpiegeln(true);
    EXPECT_TRUE(e->SpiegelnFlag());
}

TEST(PlatineTest, StatusLinesFireOnlyWhenTheyChange) {
    ViewState view;
    TPlatine board(view);
    int clicks = 0;
    board.OnMyClick = [&](TPlatine&) { ++clicks; };
    board.SetInfozeilen(QStringLiteral("a"), QStringLiteral("b"));
    board.SetInfozeilen(QStringLiteral("a"), QStringLiteral("b"));
    EXPECT_EQ(clicks, 1);
    board.SetInfozeilen(QString(300, QLatin1Char('x')), QString());
    EXPECT_EQ(board.Infozeile1().size(), 255);
}

// --- Drawing, probed at computed pixels ---------------------------------------------------------

QImage PaintBoard(TPlatine& board) {
    QImage image(board.ControlSize(), QImage::Format_RGB32);
    image.fill(Qt::black);
    Canvas canvas(image);
    board.Paint(canvas);
    return image;
}

TEST(PlatineTest, PaintsTheBoardSurfaceAndTheOriginMarker) {
    ViewState view;
    TPlatine board(view);
    board.SetSize(2540, 1270);
    board.SetUrsprung({1270, 635});
    const QImage image = PaintBoard(board);
    EXPECT_EQ(image.pixel(40, 200), qRgb(239, 204, 5)) << "board surface";
    EXPECT_EQ(image.pixel(100, 0), qRgb(254, 245, 207)) << "light top edge";
    const QPoint marker = board.BoardToControl({1270, 635});
    // The marker's cross is yellow a little away from its blue disc.
    const int a = 70 * 48 / 3 / 254; // about 4 pixels
    EXPECT_EQ(image.pixel(marker.x(), marker.y() - 2 * a - 2), qRgb(255, 255, 0));
    EXPECT_EQ(image.pixel(marker.x() + 1, marker.y() + 1), qRgb(0, 0, 255));
}

TEST(PlatineTest, OutlineModePaintsWhite) {
    ViewState view;
    TPlatine board(view);
    board.SetSize(2540, 1270);
    board.SetUmrissModus(true);
    const QImage image = PaintBoard(board);
    EXPECT_EQ(image.pixel(40, 200), qRgb(255, 255, 255));
}

TEST(PlatineTest, XRayDrawsTheComponentLayerTwice) {
    ViewState view;
    TPlatine board(view);
    board.SetSize(2540, 1270);
    auto* e = static_cast<ProbeElement*>(
        board.Add(std::make_unique<ProbeElement>(Rect{254, 254, 508, 508})));
    PaintBoard(board);
    EXPECT_EQ(e->draws, 1);
    view.Roentgen = true;
    PaintBoard(board);
    EXPECT_EQ(e->draws, 3);
    EXPECT_TRUE(view.Roentgen) << "the X-ray flag is restored";
}

TEST(PlatineTest, ElementsOutsideTheRepaintedAreaAreNotDrawn) {
    ViewState view;
    TPlatine board(view);
    auto* inside = static_cast<ProbeElement*>(
        board.Add(std::make_unique<ProbeElement>(Rect{254, 254, 508, 508})));
    auto* outside = static_cast<ProbeElement*>(
        board.Add(std::make_unique<ProbeElement>(Rect{12700, 7620, 12954, 7874})));
    QImage image(board.ControlSize(), QImage::Format_RGB32);
    Canvas canvas(image);
    canvas.SelectClipRegion(Region::FromRect({0, 0, 300, 300}));
    board.Paint(canvas);
    EXPECT_EQ(inside->draws, 1);
    EXPECT_EQ(outside->draws, 0);
}

TEST(PlatineTest, SolderSideViewShowsOnlyGhostsOfTheComponentSide) {
    ViewState view;
    TPlatine board(view);
    board.SetSize(2540, 1270);
    auto* e = board.Add(std::make_unique<ProbeElement>(Rect{254, 254, 1016, 762}));
    e->SetStiftfarbe(RgbColour(255, 0, 0));
    e->SetBrushfarbe(RgbColour(255, 0, 0));
    const QPoint centre = board.BoardToControl({635, 508});
    EXPECT_EQ(PaintBoard(board).pixel(centre), qRgb(255, 0, 0));
    view.Loetseite = true;
    const QPoint flipped = board.BoardToControl({635, 508});
    EXPECT_EQ(PaintBoard(board).pixel(flipped), qRgb(239, 204, 5)) << "hidden without X-ray";
    view.Roentgen = true;
    // The ghost masks the surface with NOT of its pen colour.
    const QRgb ghost = PaintBoard(board).pixel(flipped);
    EXPECT_NE(ghost, qRgb(239, 204, 5));
    EXPECT_NE(ghost, qRgb(255, 0, 0));
}

} // namespace
} // namespace karvel

#include "elements/SolderPointPicture.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

namespace karvel {
namespace {

TEST(SolderPointPictureTest, FallsBackToTheBuiltInPicture) {
    const QImage builtIn = BuiltInSolderPointPicture();
    ASSERT_FALSE(builtIn.isNull());
    EXPECT_GE(builtIn.width(), 16);
    const QImage& shared = SolderPointPicture(QStringLiteral("/nonexistent"), Language::German);
    EXPECT_EQ(shared.size(), builtIn.size());
    EXPECT_EQ(&SolderPointPicture(QStringLiteral("/nonexistent"), Language::German), &shared)
        << "loaded once";
}

TEST(SolderPointPictureTest, EveryProgramFolderGetsItsOwnPicture) {
    // Whoever asks first must not decide the picture for a board whose view names another folder.
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Bitmaps/Diverse")));
    QImage own(7, 5, QImage::Format_RGB32);
    own.fill(Qt::red);
    ASSERT_TRUE(own.save(folder.filePath(QStringLiteral("Bitmaps/Diverse/Loetstelle.BMP")), "BMP"));

    const QImage& builtIn = SolderPointPicture(QStringLiteral("/nonexistent"), Language::German);
    const QImage& user = SolderPointPicture(folder.path(), Language::German);
    EXPECT_EQ(user.size(), QSize(7, 5));
    EXPECT_NE(builtIn.size(), user.size());
    EXPECT_EQ(SolderPointPicture(folder.path(), Language::English).size(),
              BuiltInSolderPointPicture().size())
        << "the English folder name is looked up for English";
}

} // namespace
} // namespace karvel
