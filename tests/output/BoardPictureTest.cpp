// Pictures of a board at true scale: the printed page, the clipboard bitmap, the export files,
// and the scope that lets them draw with the print window's choices.

#include "output/BoardPicture.h"
#include "board/Board.h"
#include "board/Platine.h"
#include "elements/Leiterbahn.h"
#include "output/OutputView.h"
#include "output/PrintedPage.h"

#include <gtest/gtest.h>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <QtGui/QPainter>
#include <QtGui/QPicture>
#include <QtSvg/QSvgRenderer>

namespace karvel {
namespace {

constexpr QRgb Surface = qRgb(239, 204, 5);

// A 160 × 100 mm board whose layout has one short strip in the top-left corner, so that
// its place shows which way the picture turned.
class BoardPictureTest : public ::testing::Test {
protected:
    BoardPictureTest() {
        board.SetSize(16000, 10000);
        board.Layout()->SetSize(16000, 10000);
        auto strip = std::make_unique<TLeiterbahn>();
        strip->Nodes = {{254, 381}, {1270, 381}};
        strip->SetStiftbreite(150);
        strip->RebuildOutline();
        board.Layout()->Add(std::move(strip));
        board.SetPlatinenName(QStringLiteral("Blinker"));
    }

    static PrintChoices Plain() {
        PrintChoices c;
        c.GridNumbering = false;
        c.TitleBlock = false;
        return c;
    }

    ViewState view;
    TPlatine board{view};
};

TEST_F(BoardPictureTest, APrintAt1To1MeasuresTheBoardsTrueSizeOnThePage) {
    const PrinterMetrics printer{1200, 1200, QRect(0, 0, 9917, 14033),
                                 QRect(167, 167, 9583, 13699)};
    const QPoint offset = CentredOffset(printer, {16000, 10000}, false, 1.0);
    for (const bool mirrored : {false, true}) {
        PrintChoices choices = Plain();
        choices.Mirror = mirrored;
        QPicture picture;
        {
            Canvas canvas(picture);
            const OutputViewScope scope(board, view, choices);
            PrintBoardPage(canvas, board, printer, choices.Placement(1.0, offset));
        }
        // The frame is the outermost thing drawn; its one-pixel line adds a pixel.
        const QRect drawn = picture.boundingRect();
        const double mmPerPixel = 25.4 / 1200;
        EXPECT_NEAR((drawn.width() - 1) * mmPerPixel, 160.0, 0.03) << "mirrored " << mirrored;
        EXPECT_NEAR((drawn.height() - 1) * mmPerPixel, 100.0, 0.03) << "mirrored " << mirrored;
        EXPECT_NEAR(drawn.center().x(), printer.PrintableWidth() / 2, 12);
        EXPECT_NEAR(drawn.center().y(), printer.PrintableHeight() / 2, 12);
    }
}

TEST_F(BoardPictureTest, TheClipboardBitmapIsTheBoardAt300DotsPerInch) {
    PrintChoices choices = Plain();
    choices.TitleBlock = true; // lies outside the board rectangle and cannot appear
    choices.GridNumbering = true;
    const OutputViewScope scope(board, view, choices);
    const QImage image = RenderBoardBitmap(board);
    EXPECT_EQ(image.size(), QSize(1890, 1181));
    EXPECT_EQ(BoardBitmapSize(board), QSize(1890, 1181));
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 300.0, 0.01);
    EXPECT_EQ(image.pixel(945, 590), Surface);
}

TEST_F(BoardPictureTest, TheBitmapTurnsAndMirrorsAsTheChoicesSay) {
    // The strip lies at about (6.4 mm, 3.8 mm) from the board's top-left corner.
    const int x = 75, y = 45, w = 1890, h = 1181;
    struct Case {
        bool Mirror, Turned;
        QPoint Strip, Empty;
    };
    const Case cases[] = {
        {false, false, {x, y}, {w - x, h - y}},
        {true, false, {w - 1 - x, y}, {x, h - y}},
        {false, true, {x, h - 1 - y}, {w - x, y}},
        {true, true, {w - 1 - x, h - 1 - y}, {x, y}},
    };
    for (const Case& c : cases) {
        PrintChoices choices = Plain();
        choices.Mirror = c.Mirror;
        choices.SolderSide = c.Turned;
        const OutputViewScope scope(board, view, choices);
        const QImage image = RenderBoardBitmap(board);
        EXPECT_NE(image.pixel(c.Strip), Surface) << c.Mirror << c.Turned;
        EXPECT_EQ(image.pixel(c.Empty), Surface) << c.Mirror << c.Turned;
    }
}

TEST_F(BoardPictureTest, AHugeBoardGivesNoBitmapRatherThanGigabytes) {
    board.SetSize(400000, 400000);
    EXPECT_TRUE(RenderBoardBitmap(board).isNull());
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("huge.png"));
    EXPECT_EQ(ExportBoardPicture(board, path).State, ExportResult::Status::TooLarge);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(BoardPictureTest, TheScopeLeavesTheProgramsViewAndTheBoardAsTheyWere) {
    view.Roentgen = true;
    board.SetUmrissModus(false);
    board.Output = {true, false, false, true, QStringLiteral("vorher")};
    TLeiterbahn& strip = static_cast<TLeiterbahn&>(*board.Layout()->At(0));
    PrintChoices choices;
    choices.SolderSide = true;
    choices.SeeThrough = true;
    choices.XRay = false;
    choices.Outline = true;
    choices.Mirror = true;
    choices.Title = QStringLiteral("Druck");
    {
        const OutputViewScope scope(board, view, choices);
        EXPECT_TRUE(std::as_const(board).View().Loetseite);
        EXPECT_TRUE(strip.View().Durchsicht) << "the layout's elements see the copy too";
        EXPECT_FALSE(strip.View().Roentgen);
        EXPECT_TRUE(board.UmrissModus());
        EXPECT_TRUE(strip.UmrissFlag());
        EXPECT_TRUE(board.Spiegeln());
        EXPECT_EQ(board.Output.Title, QStringLiteral("Druck"));
        EXPECT_FALSE(view.Loetseite) << "the program's own view stays";
        EXPECT_TRUE(view.Roentgen);
        RenderBoardBitmap(board, 30);
    }
    EXPECT_FALSE(view.Loetseite);
    EXPECT_FALSE(view.Durchsicht);
    EXPECT_TRUE(view.Roentgen);
    EXPECT_EQ(&std::as_const(board).View(), &view);
    EXPECT_EQ(&strip.View(), &view);
    EXPECT_FALSE(board.UmrissModus());
    EXPECT_FALSE(strip.UmrissFlag());
    EXPECT_FALSE(board.Spiegeln());
    EXPECT_EQ(board.Output.Title, QStringLiteral("vorher"));
    EXPECT_FALSE(board.Output.DrawLayout);
}

class ExportTest : public BoardPictureTest {
protected:
    QByteArray Export(const QString& name) {
        const QString path = folder.filePath(name);
        const ExportResult result = ExportBoardPicture(board, path);
        EXPECT_TRUE(result.Ok()) << name.toStdString() << " " << result.Error.toStdString();
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QTemporaryDir folder;
};

TEST_F(ExportTest, BitmapsAreTheBoardAt300DotsPerInch) {
    for (const char* name : {"board.png", "BOARD.BMP"}) {
        QImage image;
        ASSERT_TRUE(image.loadFromData(Export(QString::fromLatin1(name)))) << name;
        EXPECT_EQ(image.size(), QSize(1890, 1181)) << name;
        EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 300.0, 0.5) << name;
    }
}

TEST_F(ExportTest, VectorFilesAreTheBoardAndItsTitlesAtTrueSize) {
    board.Output.DrawTitleBlock = true;
    // The board and 27 mm for the titles on each side: 214 × 154 mm. PDF pages come in whole
    // points, so the page may be up to a point (0.35 mm) larger; the drawing is to scale.
    const QByteArray pdf = Export(QStringLiteral("board.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])"))
            .match(QString::fromLatin1(pdf));
    ASSERT_TRUE(box.hasMatch());
    const double pointMm = 25.4 / 72;
    EXPECT_NEAR(box.captured(1).toDouble() * pointMm, 214.0 + pointMm / 2, pointMm / 2);
    EXPECT_NEAR(box.captured(2).toDouble() * pointMm, 154.0 + pointMm / 2, pointMm / 2);

    const QByteArray svg = Export(QStringLiteral("board.svg"));
    EXPECT_TRUE(svg.contains("width=\"214mm\"")) << svg.left(400).toStdString();
    EXPECT_TRUE(svg.contains("height=\"154mm\""));
}

// --- A board smaller than its layout ----------------------------------------------------------

// The pixels of the colour found at the picture's centre, which is the board's centre: their
// bounding box in millimetres.
QSizeF ColourExtentMm(const QImage& image, double mmPerPixel) {
    const QRgb colour = image.pixel(image.width() / 2, image.height() / 2);
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return {box.width() * mmPerPixel, box.height() * mmPerPixel};
}

// Draws an SVG as a viewer does that knows clip paths, which Qt's own renderer ignores: the
// group under the board's clip path clipped to its rectangle, the rest as it is.
QImage RenderClippedSvg(const QByteArray& svg, QSize size, QSize viewBox) {
    const QRegularExpressionMatch clip =
        QRegularExpression(QStringLiteral(R"re(<clipPath id="board">\s*<rect x="(-?\d+)" )re"
                                          R"re(y="(-?\d+)" width="(\d+)" height="(\d+)"/>)re"))
            .match(QString::fromUtf8(svg));
    const QByteArray opening = R"svg(<g clip-path="url(#board)">)svg";
    const qsizetype start = svg.indexOf(opening);
    if (!clip.hasMatch() || start < 0)
        return {};
    // The group's own end tag, past the groups nested in it.
    qsizetype at = start + opening.size();
    for (int depth = 1; depth > 0;) {
        const qsizetype open = svg.indexOf("<g ", at);
        const qsizetype close = svg.indexOf("</g>", at);
        if (close < 0)
            return {};
        depth += open >= 0 && open < close ? 1 : -1;
        at = open >= 0 && open < close ? open + 3 : close + 4;
    }
    const QByteArray head = svg.left(start);
    const QByteArray inside =
        head + svg.mid(start + opening.size(), at - 4 - start - opening.size()) + "</svg>";
    const QByteArray outside = head + svg.mid(at);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const double sx = double(size.width()) / viewBox.width();
    const double sy = double(size.height()) / viewBox.height();
    painter.setClipRect(QRectF(clip.captured(1).toDouble() * sx, clip.captured(2).toDouble() * sy,
                               clip.captured(3).toDouble() * sx, clip.captured(4).toDouble() * sy));
    QSvgRenderer insideRenderer;
    insideRenderer.load(inside);
    insideRenderer.render(&painter);
    painter.setClipping(false);
    QSvgRenderer outsideRenderer;
    outsideRenderer.load(outside);
    outsideRenderer.render(&painter);
    return image;
}

// A "Stripboard 100 × 80" made 76.2 × 50.8 mm: the export to SVG drew the strips of the whole
// layout under the titles, while print and PDF cut them at the board's edge.
TEST(ResizedBoardOutputTest, PrintPdfAndSvgShowTheCopperOnlyOnTheBoard) {
    ViewState view;
    TPlatine board(view);
    board.SetSize(7620, 5080);
    board.Layout()->SetSize(10000, 8000);
    // Strips 2 mm wide between the rows of holes, the first and the 21st across the board's
    // top and bottom edges, every one across its right edge.
    for (int row = 0; row < 31; ++row) {
        auto strip = std::make_unique<TLeiterbahn>();
        strip->Nodes = {{0, row * 254}, {10000, row * 254}};
        strip->SetStiftbreite(100); // half the width
        strip->RebuildOutline();
        board.Layout()->Add(std::move(strip));
    }
    PrintChoices choices;
    choices.TitleBlock = true;
    choices.GridNumbering = false;
    const OutputViewScope scope(board, view, choices);
    constexpr double MmPerPixel = 0.2;
    constexpr int Dpi = 127; // 0.2 mm a pixel
    const QSizeF boardMm(76.2, 50.8);

    const PrinterMetrics printer{Dpi, Dpi, QRect(0, 0, 1050, 1485), QRect(0, 0, 1050, 1485)};
    QImage page(printer.FullRect.size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        Canvas canvas(page);
        const QPoint offset = CentredOffset(printer, {7620, 5080}, false, 1.0);
        PrintBoardPage(canvas, board, printer, choices.Placement(1.0, offset));
    }
    // The picture the PDF export draws, on pixels.
    const QImage pdfPicture = RenderPrintedImage(board, Dpi);
    const QByteArray svg = RenderPrintedSvg(board);
    const Rect area = PrintedArea(board); // one SVG dot a board unit, 0.01 mm
    const QSize dots(area.Width(), area.Height());
    const QImage svgPicture = RenderClippedSvg(svg, dots / 20, dots);
    ASSERT_FALSE(svgPicture.isNull()) << "no board clip in the SVG:\n"
                                      << svg.left(800).toStdString();

    for (const auto& [name, image] :
         {std::pair{"print", page}, std::pair{"pdf", pdfPicture}, std::pair{"svg", svgPicture}}) {
        const QSizeF extent = ColourExtentMm(image, MmPerPixel);
        // The frame's line covers the copper's outermost pixels on the board's edges.
        EXPECT_NEAR(extent.width(), boardMm.width(), 3 * MmPerPixel) << name;
        EXPECT_NEAR(extent.height(), boardMm.height(), 3 * MmPerPixel) << name;
    }
}

TEST_F(ExportTest, FailuresSayWhyAndLeaveNoFile) {
    EXPECT_EQ(ExportBoardPicture(board, folder.filePath(QStringLiteral("board.gif"))).State,
              ExportResult::Status::UnknownFormat);
    const QString missing = folder.filePath(QStringLiteral("no/such/folder/board.png"));
    const ExportResult result = ExportBoardPicture(board, missing);
    EXPECT_EQ(result.State, ExportResult::Status::WriteFailed);
    EXPECT_FALSE(result.Error.isEmpty());
    EXPECT_FALSE(QFile::exists(missing));
}

} // namespace
} // namespace karvel
