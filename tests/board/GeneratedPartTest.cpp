#include "board/GeneratedPart.h"
#include "assistant/Bt.h"
#include "board/BoardHoleGrid.h"
#include "board/Platine.h"
#include "elements/Kreis.h"
#include "elements/Txtlabel.h"
#include "support/SampleBoard.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

// The assistant's preview: one generator on a board of its own.
struct Preview {
    explicit Preview(ViewState& view) : board(view), grid(board) {
        board.SetSize(30000, 30000);
        auto made = std::make_unique<TBt>();
        made->SetParent(&board);
        made->SetBMUsage(&board.BitmapUsages());
        made->Board = &grid;
        made->Centre = {14986, 15113};
        bt = static_cast<TBt*>(board.Add(std::move(made)));
    }
    void Build(int style) {
        bt->SetStyle(std::uint8_t(style));
        bt->Generate();
    }

    TPlatine board;
    BoardHoleGrid grid;
    TBt* bt = nullptr;
};

TEST(GeneratedPartTest, AnOutlineArrivesAsFreeElementsBeingPlaced) {
    ViewState view;
    Preview preview(view);
    preview.Build(1);
    TPlatine target(view);
    target.Add(test::MakeWire(TBauteilTyp::btLine, {{0, 0}, {254, 0}}));
    QByteArray transfer;

    TBauteil* arrived = HandOverGeneratedPart(preview.board, target, transfer);
    EXPECT_FALSE(transfer.isEmpty());
    ASSERT_EQ(target.Count(), 2);
    EXPECT_EQ(arrived, target.At(1));
    const auto* rectangle = dynamic_cast<const TDraht*>(target.At(1));
    ASSERT_NE(rectangle, nullptr);
    EXPECT_EQ(rectangle->BauteilTyp, TBauteilTyp::btRect);
    EXPECT_FALSE(rectangle->InGroup);
    EXPECT_TRUE(rectangle->IstMarkiert());
    EXPECT_EQ(rectangle->Parent(), &target);
    EXPECT_EQ(target.Modus(), TPlatinenModus::pm_Platzieren);
    EXPECT_FALSE(preview.bt->IstMarkiert()) << "the preview keeps its generator, unselected";
    ASSERT_EQ(preview.board.Count(), 1);

    target.Drag() = {};
    target.Rueckgaengig();
    EXPECT_EQ(target.Count(), 1) << "one undo step takes the part away again";
}

TEST(GeneratedPartTest, AnEllipseAndAPolygonLoseTheirGroupToo) {
    ViewState view;
    Preview preview(view);
    for (const int style : {0, 2}) {
        preview.Build(style);
        TPlatine target(view);
        QByteArray transfer;
        HandOverGeneratedPart(preview.board, target, transfer);
        ASSERT_EQ(target.Count(), 1);
        EXPECT_EQ(dynamic_cast<TBt*>(target.At(0)), nullptr);
        EXPECT_FALSE(target.At(0)->InGroup);
        if (style == 2) {
            EXPECT_NE(dynamic_cast<TKreis*>(target.At(0)), nullptr);
        }
    }
}

TEST(GeneratedPartTest, AComponentStaysAGroupWithTheNextFreeNumber) {
    ViewState view;
    Preview preview(view);
    preview.Build(11);
    TPlatine target(view);
    for (const int number : {1, 2}) {
        auto resistor = test::MakeResistor();
        resistor->Number = std::int16_t(number);
        target.Add(std::move(resistor));
    }
    auto capacitor = test::MakeResistor();
    capacitor->Identifier = QStringLiteral("C#");
    capacitor->Number = 7;
    target.Add(std::move(capacitor));
    QByteArray transfer;

    auto* part = dynamic_cast<TBt*>(HandOverGeneratedPart(preview.board, target, transfer));
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part, target.At(target.Count() - 1));
    EXPECT_EQ(part->Style, 11);
    EXPECT_EQ(part->Number, 3);
    EXPECT_EQ(part->Parent(), &target);
    EXPECT_EQ(dynamic_cast<const TTextLabel&>(*part->Members()[3]).TextString(),
              QStringLiteral("R3"));
    EXPECT_EQ(part->Value, QStringLiteral("1 KOhm"));
    EXPECT_TRUE(part->IstMarkiert());
    EXPECT_EQ(part->Members().size(), 5u);
}

TEST(GeneratedPartTest, TheSelectionMovesByWholePitchesWithItsAnchors) {
    ViewState view;
    Preview preview(view);
    preview.Build(11);
    TPlatine target(view);
    QByteArray transfer;
    auto* part = dynamic_cast<TBt*>(HandOverGeneratedPart(preview.board, target, transfer));
    ASSERT_NE(part, nullptr);
    const QPoint leadBefore = dynamic_cast<const TDraht&>(*part->Members()[0]).Nodes.front();
    const std::vector<QPoint> anchorsBefore = part->Anchors;
    const QPoint grabbedBefore = target.ControlToBoard(target.Drag().MoveAnchor);

    MoveSelectionNear(target, {2000, 3000});
    const QPoint lead = dynamic_cast<const TDraht&>(*part->Members()[0]).Nodes.front();
    const QPoint moved = lead - leadBefore;
    EXPECT_EQ(moved.x() % 254, 0);
    EXPECT_EQ(moved.y() % 254, 0);
    EXPECT_LE(std::abs(part->Centre.x() - 2000), 127);
    EXPECT_LE(std::abs(part->Centre.y() - 3000), 127 + 127) << "the body's centre is off by half";
    ASSERT_EQ(part->Anchors.size(), 2u);
    EXPECT_EQ(part->Anchors[0], anchorsBefore[0] + moved / 254);
    EXPECT_EQ(part->Anchors[0], target.HoleIndex(lead)) << "the lead still ends on its hole";
    // Placing starts from where the part now is: its grip went along by the same way.
    const QPoint grabbed = target.ControlToBoard(target.Drag().MoveAnchor);
    const int pixel = 254 / target.PixelsPerHole() + 1;
    EXPECT_LE((grabbed - grabbedBefore - moved).manhattanLength(), 2 * pixel);
}

} // namespace
} // namespace karvel
