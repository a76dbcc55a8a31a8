// The page mapping as pure functions of the printer's metrics: what the printable area shows,
// where the centred board lands, which way the printout turns and follows a drag, and the
// order of the print jobs.

#include "output/PageMapping.h"

#include "elements/Geometry.h"

#include <gtest/gtest.h>
#include <QtGui/QPageLayout>

namespace karvel {
namespace {

// 254 dpi, so that one pixel is exactly ten board units: an A4 sheet with a printable area
// of 200 × 287 mm.
PrinterMetrics Exact() {
    return {254, 254, QRect(0, 0, 2100, 2970), QRect(50, 40, 2000, 2870)};
}

// A4 at 1200 dpi as Qt's PDF printer reports it: margins of about 3.5 mm.
PrinterMetrics PdfA4() {
    return {1200, 1200, QRect(0, 0, 9917, 14033), QRect(167, 167, 9583, 13699)};
}

constexpr Rect Board160x100{0, 0, 16000, 10000};

// Board units from the left to the right edge of the printable area.
int UnitsAcross(const Mapping& m, int left, int right) {
    return std::abs(m.ToLogical({right, 0}).x() - m.ToLogical({left, 0}).x());
}

TEST(PageMappingTest, ThePrintableWidthShowsItsMillimetresTimesTheScale) {
    struct Case {
        PrinterMetrics Printer;
        int Position; // 0 for 1:1
        int Preview;  // units across the preview's printable area
        int Printed;  // units across the printer's printable area
    };
    const Case cases[] = {
        {Exact(), 0, 20000, 20000},
        {Exact(), 10, 20000, 20000},
        {Exact(), 20, 10000, 10000},
        {Exact(), 50, 4000, 4000},
        // 9583 pixels at 1200 dpi are 202.84 mm, which the preview counts as 203 whole mm.
        {PdfA4(), 0, 20300, 20284},
        {PdfA4(), 50, 4060, 4057},
    };
    for (const Case& c : cases) {
        const double s = c.Position == 0 ? 1.0 : ScaleForPosition(c.Position);
        const PagePlacement placement{s, {0, 0}, false, false};
        const PreviewGeometry preview = PreviewLayout({1000, 1200}, c.Printer);
        const Mapping shown = PreviewPageMapping(preview, c.Printer, Board160x100, placement);
        EXPECT_NEAR(UnitsAcross(shown, preview.Printable.Left, preview.Printable.Right), c.Preview,
                    c.Preview / 200)
            << "position " << c.Position;
        const Mapping printed = PrinterPageMapping(c.Printer, Board160x100, placement);
        EXPECT_NEAR(UnitsAcross(printed, 0, c.Printer.PrintableWidth()), c.Printed, 2)
            << "position " << c.Position;
    }
}

TEST(PageMappingTest, TheCentredBoardSitsOnThePageCentreAndLowerWithTheTitleBlock) {
    const PrinterMetrics printer = Exact();
    const QPoint pageCentre(printer.PrintableWidth() / 2, printer.PrintableHeight() / 2);
    const QPoint boardCentre = Board160x100.TopLeft() + QPoint(8000, 5000);
    for (const bool mirrored : {false, true}) {
        for (const bool turned : {false, true}) {
            for (const bool titleBlock : {false, true}) {
                const QPoint offset = CentredOffset(printer, {16000, 10000}, titleBlock, 1.0);
                const Mapping m =
                    PrinterPageMapping(printer, Board160x100, {1.0, offset, mirrored, turned});
                // Half the title block's 12 mm: 6 mm, sixty pixels at 254 dpi.
                const QPoint expected = pageCentre + QPoint(0, titleBlock ? 60 : 0);
                EXPECT_EQ(m.ToDevice(boardCentre), expected)
                    << "mirrored " << mirrored << " turned " << turned << " title " << titleBlock;
            }
        }
    }
}

TEST(PageMappingTest, TurnedAndMirroredTogetherShowTheBoardRotatedHalfARound) {
    const PrinterMetrics printer = Exact();
    const PreviewGeometry preview = PreviewLayout({800, 1000}, printer);
    const QPoint offset = CentredOffset(printer, {16000, 10000}, false, 1.0);
    const PagePlacement plain{1.0, offset, false, false};
    const PagePlacement both{1.0, offset, true, true};
    const Mapping mappings[] = {PrinterPageMapping(printer, Board160x100, both),
                                PreviewPageMapping(preview, printer, Board160x100, both)};
    for (const Mapping& m : mappings) {
        EXPECT_LT(m.WindowExt.width(), 0);
        EXPECT_LT(m.WindowExt.height(), 0);
    }
    // The board's top-left corner lies where the plain view has its bottom-right corner.
    const Mapping straight = PrinterPageMapping(printer, Board160x100, plain);
    const Mapping turned = mappings[0];
    EXPECT_EQ(turned.ToDevice(Board160x100.TopLeft()),
              straight.ToDevice(Board160x100.BottomRight()));
    EXPECT_EQ(turned.ToDevice(Board160x100.BottomRight()),
              straight.ToDevice(Board160x100.TopLeft()));
}

TEST(PageMappingTest, TheDraggedPrintoutFollowsTheMouseInEveryOrientation) {
    const PrinterMetrics printer = Exact();
    const PreviewGeometry preview = PreviewLayout({800, 1000}, printer);
    const QPoint corner = Board160x100.TopLeft();
    for (const bool mirrored : {false, true}) {
        for (const bool turned : {false, true}) {
            PagePlacement placement{1.0, {100, -300}, mirrored, turned};
            const QPoint before =
                PreviewPageMapping(preview, printer, Board160x100, placement).ToDevice(corner);
            placement.Offset =
                DraggedOffset(placement, {100, 100}, {130, 80}, preview.Paper.Height(), printer);
            const QPoint after =
                PreviewPageMapping(preview, printer, Board160x100, placement).ToDevice(corner);
            EXPECT_NEAR(after.x() - before.x(), 30, 1) << mirrored << turned;
            EXPECT_NEAR(after.y() - before.y(), -20, 1) << mirrored << turned;
        }
    }
}

TEST(PageMappingTest, DraggingStopsAt310MillimetresEitherWay) {
    const PagePlacement placement{1.0, {30900, -30900}, false, false};
    EXPECT_EQ(DraggedOffset(placement, {0, 0}, {-500, 500}, 300, Exact()),
              QPoint(MaxPageOffset, -MaxPageOffset));
}

TEST(PageMappingTest, ThePaperKeepsTheSheetsProportionsAndItsPrintableArea) {
    const PrinterMetrics printer = Exact();
    struct Case {
        QSize Area;
        Rect Paper;
    };
    // Tall areas limit the paper by their width, wide ones by their height.
    const Case cases[] = {{{470, 1000}, {25, 203, 445, 797}}, {{1000, 650}, {288, 25, 712, 625}}};
    for (const Case& c : cases) {
        const PreviewGeometry g = PreviewLayout(c.Area, printer);
        EXPECT_EQ(g.Paper, c.Paper);
        // The printable area starts 5 mm in and 4 mm down on a 210 mm wide sheet.
        EXPECT_EQ(g.Printable.Left, RoundToUnit(50.0L * c.Paper.Width() / 2100));
        EXPECT_EQ(g.Printable.Top, RoundToUnit(40.0L * c.Paper.Height() / 2970));
        EXPECT_EQ(g.Printable.Right, RoundToUnit(2050.0L * c.Paper.Width() / 2100));
    }
}

TEST(PageMappingTest, CopiesAreCollatedOneJobPerBoard) {
    struct Case {
        int Selected, Boards;
        bool All;
        int Copies;
        std::vector<int> Jobs;
    };
    const Case cases[] = {
        {1, 3, true, 2, {0, 1, 2, 0, 1, 2}}, {1, 3, false, 2, {1, 1}}, {2, 3, false, 1, {2}},
        {0, 3, true, 1, {0, 1, 2}},          {5, 3, false, 1, {}},     {0, 0, true, 2, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PrintJobOrder(c.Selected, c.Boards, c.All, c.Copies), c.Jobs)
            << c.Selected << " of " << c.Boards << " all " << c.All << " × " << c.Copies;
}

TEST(PageMappingTest, MetricsComeFromTheQtPageLayout) {
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                         QMarginsF(3.53, 3.53, 3.53, 3.53), QPageLayout::Millimeter);
    const PrinterMetrics m = PrinterMetrics::FromPageLayout(a4, 1200);
    // Qt keeps A4 in whole points, 595 × 842.
    EXPECT_EQ(m.FullRect.size(), QSize(9917, 14033));
    EXPECT_EQ(m.PhysicalOffset(), QPoint(167, 167));
    EXPECT_EQ(m.PrintableWidthMm(), 203);
    EXPECT_EQ(m.PrintableHeightMm(), 290);
    EXPECT_NEAR(m.SheetSizeMm().width(), 210.0, 0.1);
    EXPECT_FALSE(PrinterMetrics{}.IsUsable());
}

} // namespace
} // namespace karvel
