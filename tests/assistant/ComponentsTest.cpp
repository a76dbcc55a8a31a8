#include "assistant/Components.h"
#include "assistant/Bt.h"
#include "assistant/Farbcode.h"
#include "assistant/GradientBitmaps.h"
#include "board/BoardHoleGrid.h"
#include "board/Platine.h"
#include "elements/Draht.h"
#include "elements/Txtlabel.h"

#include <gtest/gtest.h>
#include <numbers>
#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

namespace karvel {
namespace {

constexpr QPoint C{5080, 5207}; // the hole in column 20, row 20

// A program folder whose gradient folders hold a few pictures.
class GradientFolders {
public:
    GradientFolders() {
        for (const int style : {11, 12, 13})
            for (const Language language : {Language::German, Language::English})
                Write(GradientFolder(style, language), {"Beige.BMP", "Blau.bmp", "Zebra.Bmp"});
    }
    QString Path() const { return dir_.path(); }
    void Write(const QString& folder, const QStringList& names) const {
        QDir(dir_.path()).mkpath(folder);
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::red);
        for (const QString& name : names)
            picture.save(QDir(dir_.path()).filePath(folder + u'/' + name), "BMP");
    }

private:
    QTemporaryDir dir_;
};

// A generator on a board, as the assistant's preview holds it.
struct Generated {
    explicit Generated(const QString& programFolder = {}) {
        view.ProgramFolder = programFolder;
        board = std::make_unique<TPlatine>(view);
        board->SetSize(30000, 30000);
        grid = std::make_unique<BoardHoleGrid>(*board);
        bt = std::make_unique<TBt>();
        bt->SetParent(board.get());
        bt->SetBMUsage(&board->BitmapUsages());
        bt->Board = grid.get();
        bt->Centre = C;
    }
    TBt& Build(int style) {
        bt->SetStyle(std::uint8_t(style));
        bt->Generate();
        return *bt;
    }
    template <class T> T& Member(std::size_t i) const {
        return dynamic_cast<T&>(*bt->Members().at(i));
    }

    ViewState view;
    std::unique_ptr<TPlatine> board;
    std::unique_ptr<BoardHoleGrid> grid;
    std::unique_ptr<TBt> bt;
};

using Points = std::vector<QPoint>;

Points Offsets(std::initializer_list<QPoint> offsets) {
    Points points;
    for (const QPoint offset : offsets)
        points.push_back(C + offset);
    return points;
}

// --- Leads
// ----------------------------------------------------------------------------------------

struct LeadCase {
    long double span;
    int outer;
    int inner;
};

void PrintTo(const LeadCase& c, std::ostream* os) {
    *os << "span " << double(c.span);
}

class LeadEndsTest : public ::testing::TestWithParam<LeadCase> {};

TEST_P(LeadEndsTest, OuterEndsLieWholePitchesAwayAtLeastOneBeyondTheBody) {
    const LeadCase& c = GetParam();
    const LeadEnds ends = LeadEndsFor(C, c.span);
    EXPECT_EQ(ends.UpperOuter, C + QPoint(0, -c.outer));
    EXPECT_EQ(ends.UpperInner, C + QPoint(0, -c.inner));
    EXPECT_EQ(ends.LowerOuter, C + QPoint(0, c.outer));
    EXPECT_EQ(ends.LowerInner, C + QPoint(0, c.inner));
}

INSTANTIATE_TEST_SUITE_P(Table, LeadEndsTest,
                         ::testing::Values(LeadCase{700, 508, 350},   // the default resistor
                                           LeadCase{508, 508, 254},   // a 5.08 mm capacitor
                                           LeadCase{254, 508, 127},   // 1.5 pitches: even 2
                                           LeadCase{762, 508, 381},   // 2.5: even 2
                                           LeadCase{1270, 1016, 635}, // 3.5: even 4
                                           LeadCase{1500, 1016, 750}));

// --- Resistor
// ---------------------------------------------------------------------------------------

TEST(ResistorTest, DefaultsBuildLeadsBodyLabelAndBandsInThisOrder) {
    const GradientFolders folders;
    Generated g(folders.Path());
    int built = 0;
    g.bt->OnResistorBuilt = [&](TBt&) { ++built; };
    TBt& r = g.Build(11);
    EXPECT_EQ(built, 1);
    ASSERT_EQ(r.Members().size(), 5u);
    EXPECT_TRUE(r.IsComponent);
    EXPECT_EQ(r.Identifier, QStringLiteral("R#"));
    EXPECT_EQ(r.Value, QStringLiteral("1 KOhm"));
    EXPECT_EQ(r.Description, QStringLiteral("Widerstand"));

    const auto& upper = g.Member<TDraht>(0);
    const auto& lower = g.Member<TDraht>(1);
    EXPECT_EQ(upper.BauteilTyp, TBauteilTyp::btAnschluss);
    EXPECT_EQ(upper.Nodes, Offsets({{0, -508}, {0, -350}}));
    EXPECT_EQ(lower.Nodes, Offsets({{0, 508}, {0, 350}}));
    EXPECT_EQ(upper.Stiftfarbe(), 0xC0C0C0u);
    EXPECT_EQ(upper.Stiftbreite(), 40);
    EXPECT_TRUE(upper.InGroup);
    EXPECT_EQ(upper.Anchors, Points{QPoint(20, 18)});
    EXPECT_EQ(r.Anchors, (Points{{20, 18}, {20, 22}}));
    ASSERT_TRUE(upper.RememberedNodes.has_value()) << "a two-lead part can be stretched";

    const auto& body = g.Member<TDraht>(2);
    EXPECT_EQ(body.BauteilTyp, TBauteilTyp::btPolygon);
    EXPECT_EQ(body.Nodes.front(), C + QPoint(-150, -350));
    EXPECT_EQ(body.Nodes[2], C + QPoint(-135, -210)) << "waist 0.9 D, caps 0.2 L";
    EXPECT_EQ(body.Stiftbreite(), 0);
    EXPECT_TRUE(body.FuellenFlag());
    EXPECT_EQ(body.Brushfarbe(), 0x00FFFFu);
    EXPECT_TRUE(body.Glaetten());
    EXPECT_EQ(body.GlaettenStil(), TGlaettenStil::glSpline);
    EXPECT_TRUE(body.HasteBitmap()) << "the first diagonal gradient, Beige";
    EXPECT_EQ(g.board->BitmapUsages().Count(), 1u);

    const auto& label = g.Member<TTextLabel>(3);
    EXPECT_EQ(label.Position, C + QPoint(90, -315));
    EXPECT_EQ(label.TextHeight, 180);
    EXPECT_EQ(label.TextString(), QStringLiteral("R1"));
    EXPECT_EQ(label.Placeholder, std::uint8_t(TPlaceholder::Identifier));
    EXPECT_DOUBLE_EQ(label.Angle, 3 * std::numbers::pi / 2);
    EXPECT_EQ(label.Stiftfarbe(), 0x000000u);

    const auto& code = g.Member<TFarbcode>(4);
    EXPECT_EQ(code.Series, 1);
    EXPECT_EQ(code.Resistance, 1000);
    EXPECT_EQ(code.Band(4)->Nodes, Offsets({{-124, 0}, {124, 0}}));
    EXPECT_EQ(code.Band(1)->Nodes, Offsets({{-124, 131}, {124, 131}}));
    EXPECT_EQ(code.Band(1)->Stiftfarbe(), TFarbcode::Colours[1]);
    EXPECT_EQ(code.Band(3)->Stiftfarbe(), TFarbcode::Colours[2]);
    EXPECT_EQ(code.Band(4)->Stiftbreite(), 0);
}

TEST(ResistorTest, RegeneratingReplacesTheBodyBitmapInsteadOfPilingThemUp) {
    const GradientFolders folders;
    Generated g(folders.Path());
    for (int i = 0; i < 5; ++i)
        g.Build(11).Generate();
    EXPECT_EQ(g.board->BitmapUsages().Count(), 1u);
}

TEST(ResistorTest, TheValueSnapsToTheChosenSeries) {
    Generated g;
    g.bt->SetStyle(11);
    g.bt->Params[4].FloatValue = 4000;
    g.bt->Params[5].IntValue = 0; // E6
    g.bt->Generate();
    EXPECT_EQ(g.Member<TFarbcode>(4).Resistance, 4700);
}

// Editing a placed resistor's value recolours its bands and puts the value in its own form.
TEST(ResistorTest, PropagatingTheIdentityRecoloursTheBands) {
    Generated g;
    TBt& r = g.Build(11);
    r.Value = QStringLiteral("47k");
    r.PropagateIdentity();
    const auto& code = g.Member<TFarbcode>(4);
    EXPECT_EQ(code.Band(1)->Stiftfarbe(), TFarbcode::Colours[4]);
    EXPECT_EQ(code.Band(2)->Stiftfarbe(), TFarbcode::Colours[7]);
    EXPECT_EQ(code.Band(3)->Stiftfarbe(), TFarbcode::Colours[3]);
    EXPECT_EQ(r.Value, QStringLiteral("47 KOhm"));

    r.Value = QStringLiteral("4k7");
    r.PropagateIdentity();
    EXPECT_EQ(code.Resistance, 4700);

    r.Value = QStringLiteral("1E999");
    r.PropagateIdentity();
    EXPECT_EQ(code.Resistance, 4700) << "an endless value is refused";
    EXPECT_EQ(r.Value, QStringLiteral("4.7 KOhm"));
}

TEST(ResistorTest, OtherStylesLeaveTheirValueAlone) {
    Generated g;
    TBt& c = g.Build(13);
    c.Value = QStringLiteral("47k");
    c.PropagateIdentity();
    EXPECT_EQ(c.Value, QStringLiteral("47k"));
}

// --- Capacitors and the diode
// -----------------------------------------------------------------------

TEST(ElkoTest, EndLinesBodyPlusSignAndTwoLabels) {
    const GradientFolders folders;
    Generated g(folders.Path());
    TBt& e = g.Build(12);
    ASSERT_EQ(e.Members().size(), 9u);
    EXPECT_EQ(e.Identifier, QStringLiteral("C#"));
    EXPECT_EQ(e.Value, QStringLiteral("10uF/16V"));
    EXPECT_EQ(e.Description, QStringLiteral("Elko"));
    EXPECT_EQ(g.Member<TDraht>(0).Nodes, Offsets({{0, -1016}, {0, -750}}));

    const auto& top = g.Member<TDraht>(2);
    const auto& bottom = g.Member<TDraht>(3);
    EXPECT_EQ(top.Nodes, Offsets({{-240, -750}, {240, -750}}));
    EXPECT_EQ(top.Stiftfarbe(), colours::White);
    EXPECT_EQ(bottom.Nodes, Offsets({{-240, 750}, {240, 750}}));
    EXPECT_EQ(bottom.Stiftfarbe(), colours::Black);
    EXPECT_EQ(top.Stiftbreite(), 10);

    const auto& body = g.Member<TDraht>(4);
    EXPECT_EQ(body.Nodes.size(), 10u);
    EXPECT_EQ(body.GlaettenStil(), TGlaettenStil::glRundung);
    EXPECT_EQ(body.GlaettenBetrag(), 30.0);
    EXPECT_EQ(body.Brushfarbe(), 0x800000u);
    EXPECT_TRUE(body.HasteBitmap());

    const auto& across = g.Member<TDraht>(5);
    const auto& upright = g.Member<TDraht>(6);
    EXPECT_EQ(across.Nodes, Offsets({{-75, 525}, {75, 525}}));
    EXPECT_EQ(upright.Nodes, Offsets({{0, 450}, {0, 600}}));
    EXPECT_EQ(across.Stiftfarbe(), colours::White) << "the text colour";
    EXPECT_EQ(across.Stiftbreite(), 20);

    const auto& designator = g.Member<TTextLabel>(7);
    const auto& value = g.Member<TTextLabel>(8);
    EXPECT_EQ(designator.Position, C + QPoint(270, -675));
    EXPECT_EQ(value.Position, C + QPoint(-30, -675));
    EXPECT_EQ(value.TextHeight, 180);
    EXPECT_EQ(value.Placeholder, std::uint8_t(TPlaceholder::Value));
    EXPECT_EQ(value.TextString(), QStringLiteral("10uF/16V"));
}

TEST(CapacitorTest, LeadsFollowThePitchAndTheBodyIsARoundedRectangle) {
    Generated g;
    TBt& cap = g.Build(13);
    ASSERT_EQ(cap.Members().size(), 5u);
    EXPECT_EQ(cap.Value, QStringLiteral("100nF"));
    EXPECT_EQ(cap.Description, QStringLiteral("Kondensator"));
    EXPECT_EQ(g.Member<TDraht>(0).Nodes, Offsets({{0, -508}, {0, -254}}));
    EXPECT_EQ(g.Member<TDraht>(1).Nodes, Offsets({{0, 508}, {0, 254}}));
    const auto& body = g.Member<TDraht>(2);
    EXPECT_EQ(body.BauteilTyp, TBauteilTyp::btRect);
    EXPECT_EQ(body.Nodes, Offsets({{-300, -750}, {300, -750}, {300, 750}, {-300, 750}}));
    EXPECT_EQ(body.GlaettenBetrag(), 52.0) << "52.5 rounds to the even 52";
    EXPECT_FALSE(body.HasteBitmap()) << "without a program folder there is no gradient";
}

TEST(DiodeTest, CathodeBandNearTheLowerLead) {
    Generated g;
    TBt& d = g.Build(14);
    ASSERT_EQ(d.Members().size(), 5u);
    EXPECT_EQ(d.Identifier, QStringLiteral("D#"));
    EXPECT_EQ(d.Value, QStringLiteral("?"));
    const auto& label = g.Member<TTextLabel>(3);
    EXPECT_EQ(label.Position, C + QPoint(90, -270));
    EXPECT_EQ(label.TextHeight, 180);
    const auto& band = g.Member<TDraht>(4);
    EXPECT_EQ(band.BauteilTyp, TBauteilTyp::btLine);
    EXPECT_EQ(band.Nodes, Offsets({{-130, 210}, {130, 210}}));
    EXPECT_EQ(band.Stiftbreite(), 40);
    EXPECT_EQ(band.Stiftfarbe(), colours::White);
    EXPECT_EQ(band.Parent(), g.board.get());
}

// --- Gradient pictures --------------------------------------------------------------------------

TEST(GradientBitmapsTest, ListedByNameWhateverTheCaseOfTheirExtension) {
    const GradientFolders writer;
    writer.Write(GradientFolder(13, Language::English),
                 {"zinc.bmp", "Amber.BMP", "grey.dark.Bmp", "notes.txt", "Blue.png"});
    EXPECT_EQ(ListGradientBitmaps(writer.Path(), 13, Language::English),
              (QStringList{"Amber", "Beige", "Blau", "grey", "Zebra", "zinc"}));
    EXPECT_EQ(GradientBitmapFile(writer.Path(), 13, Language::English, "grey"),
              QDir(writer.Path()).filePath("Bitmaps/Colors-Square/grey.dark.Bmp"));
    EXPECT_EQ(GradientBitmapFile(writer.Path(), 13, Language::English, "missing"), QString());
    EXPECT_TRUE(ListGradientBitmaps(writer.Path(), 10, Language::English).isEmpty());
    EXPECT_TRUE(ListGradientBitmaps({}, 13, Language::English).isEmpty());
}

TEST(GradientBitmapsTest, FoldersPerStyleAndLanguage) {
    EXPECT_EQ(GradientFolder(11, Language::German), "Bitmaps/Farbverlauf-Diagonal");
    EXPECT_EQ(GradientFolder(11, Language::English), "Bitmaps/Colors-Diagonal");
    EXPECT_EQ(GradientFolder(12, Language::German), "Bitmaps/Farbverlauf-Rund");
    EXPECT_EQ(GradientFolder(14, Language::English), "Bitmaps/Colors-Circle");
    EXPECT_EQ(GradientFolder(13, Language::German), "Bitmaps/Farbverlauf-Quadratisch");
    EXPECT_EQ(GradientFolder(13, Language::English), "Bitmaps/Colors-Square");
}

// The diode's default picture is the ninth: a folder with fewer leaves the body unfilled.
TEST(GradientBitmapsTest, ADefaultIndexBeyondTheFolderGivesNoFill) {
    const GradientFolders folders;
    Generated g(folders.Path());
    TBt& d = g.Build(14);
    EXPECT_EQ(d.Params[5].Items.size(), 3);
    EXPECT_FALSE(g.Member<TDraht>(2).HasteBitmap());
}

} // namespace
} // namespace karvel
