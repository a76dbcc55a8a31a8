// Every element class on one board, drawn in every state the program shows, into pictures
// kept as test artefacts (look at them after a change to the drawing code).

#include "board/Board.h"
#include "board/Platine.h"
#include "support/SampleBoard.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>

namespace karvel {
namespace {

class AllElementsPictureTest : public ::testing::Test {
protected:
    AllElementsPictureTest() {
        test::FillSampleBoard(board);
        board.SetZoom(4.0);
    }

    QImage Picture(const char* name) {
        QImage image(board.ControlSize(), QImage::Format_RGB32);
        image.fill(Qt::darkGray);
        {
            Canvas canvas(image);
            board.Paint(canvas);
        }
        QDir().mkpath(QStringLiteral(KARVEL_TEST_OUTPUT_DIR));
        image.save(
            QStringLiteral(KARVEL_TEST_OUTPUT_DIR "/all-elements-%1.png").arg(QLatin1String(name)));
        return image;
    }
    QRgb At(const QImage& image, QPoint p) const { return image.pixel(board.BoardToControl(p)); }

    ViewState view;
    TPlatine board{view};
};

TEST_F(AllElementsPictureTest, Normal) {
    const QImage image = Picture("normal");
    EXPECT_EQ(At(image, {3302, 1651}), qRgb(207, 172, 3)) << "a pad is copper";
    EXPECT_EQ(At(image, {2300, 2150}), qRgb(250, 10, 20)) << "the polygon's fill bitmap";
}

TEST_F(AllElementsPictureTest, EverythingSelected) {
    for (const auto& element : board.Bauteile())
        element->SetIstMarkiert(true);
    const QImage image = Picture("selected");
    // The circle's outline turns magenta all round.
    int magenta = 0;
    const QPoint a = board.BoardToControl({5080 - 300, 2540 - 300});
    const QPoint b = board.BoardToControl({5080 + 300, 2540 + 300});
    for (int y = a.y(); y < b.y(); ++y)
        for (int x = a.x(); x < b.x(); ++x)
            magenta += image.pixel(x, y) == qRgb(255, 0, 255) ? 1 : 0;
    EXPECT_GT(magenta, 2 * 3 * 64) << "a ring of about 2 π r pixels, a few pixels wide";
}

TEST_F(AllElementsPictureTest, OutlineMode) {
    board.SetUmrissModus(true);
    const QImage image = Picture("outline");
    EXPECT_EQ(At(image, {7000, 4000}), qRgb(255, 255, 255)) << "white board";
    EXPECT_EQ(At(image, {3302, 1651}), qRgb(234, 234, 234)) << "pale copper";
}

TEST_F(AllElementsPictureTest, SolderSideWithXRay) {
    view.Loetseite = true;
    view.Roentgen = true;
    const QImage image = Picture("solder-xray");
    // The component-side polygon is a ghost: neither its own colours nor the bare board.
    const QRgb ghost = At(image, {2300, 2200});
    EXPECT_NE(ghost, qRgb(250, 10, 20));
    EXPECT_NE(ghost, qRgb(239, 204, 5));
    // The resistor's leads lie in a group built in code; seen from below their joints are
    // solder blobs of radius 100, not the small dots of the component side.
    EXPECT_NE(At(image, {1016, 1397 + 70}), qRgb(239, 204, 5));
    EXPECT_NE(At(image, {2032, 1397 - 70}), qRgb(239, 204, 5));
}

TEST_F(AllElementsPictureTest, TestVoltageAndUnusedAreas) {
    for (const auto& element : board.Bauteile())
        element->SetHatTestSpannung(true);
    board.At(6)->SetHatTestSpannung(false); // the pad
    board.At(6)->SetIstFreierBereich(true);
    const QImage image = Picture("test-voltage-and-unused");
    EXPECT_EQ(At(image, {3302, 1651}), qRgb(0, 128, 0)) << "an unused pad is green";
    EXPECT_EQ(At(image, {1000, 2667}), qRgb(0, 255, 255)) << "a track under test voltage is cyan";
}

} // namespace
} // namespace karvel
