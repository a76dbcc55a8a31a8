#include "board/ElementClipboard.h"
#include "board/Platine.h"
#include "elements/Gruppe.h"
#include "support/RecordBytes.h"
#include "support/SampleBoard.h"

#include <gtest/gtest.h>
#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>

namespace karvel {
namespace {

class AnsweringDialog : public ComponentDialog {
public:
    std::optional<ComponentFields> answer;
    int asked = 0;
    std::optional<ComponentFields> Ask(const ComponentFields&) override {
        ++asked;
        return answer;
    }
};

std::vector<TGruppe*> Components(TPlatine& board) {
    std::vector<TGruppe*> found;
    for (const auto& e : board.Bauteile())
        if (auto* g = dynamic_cast<TGruppe*>(e.get()); g && g->IsComponent)
            found.push_back(g);
    return found;
}

TEST(ClipboardTest, PastingTwiceGivesIndependentCopiesWithNewNumbers) {
    ViewState view;
    TPlatine board(view);
    ElementClipboard clipboard(view);
    EXPECT_FALSE(clipboard.Copy(board)) << "nothing selected";
    auto r1 = test::MakeResistor();
    r1->Number = 1;
    auto r4 = test::MakeResistor();
    r4->Number = 4;
    board.Add(std::move(r1));
    board.Add(std::move(r4))->SetIstMarkiert(false);
    board.SetzeMarkierung(board.At(0), true);
    ASSERT_TRUE(clipboard.Copy(board));
    EXPECT_TRUE(view.ClipboardFilled);

    ASSERT_TRUE(clipboard.Paste(board));
    EXPECT_EQ(board.Modus(), TPlatinenModus::pm_Platzieren);
    EXPECT_TRUE(board.Drag().Dragging);
    EXPECT_TRUE(board.CursorCaptured());
    ASSERT_EQ(board.Count(), 3);
    EXPECT_EQ(board.Selected(), std::vector<TBauteil*>{board.At(2)});
    EXPECT_FALSE(board.At(2)->Placed());
    board.Drag() = {};
    board.SetModus(TPlatinenModus::pm_Standard);
    ASSERT_TRUE(clipboard.Paste(board));

    const auto components = Components(board);
    ASSERT_EQ(components.size(), 4u);
    EXPECT_EQ(components[2]->Number, 5) << "the next free number after R1 and R4";
    EXPECT_EQ(components[3]->Number, 6);
    components[2]->MoveBy(254, 0);
    EXPECT_NE(test::WriteBoard(board, StreamPurpose::File).size(), 0);
    EXPECT_NE(static_cast<TDraht*>(components[2]->Members()[0].get())->Nodes,
              static_cast<TDraht*>(components[3]->Members()[0].get())->Nodes);
    board.Rueckgaengig();
    EXPECT_EQ(board.Count(), 4) << "no undo while the pasted elements are being placed";
    board.Drag() = {};
    board.Rueckgaengig();
    EXPECT_EQ(board.Count(), 3) << "each paste is one undo step";
}

TEST(ClipboardTest, PastedElementsLandOnTheViewedSide) {
    ViewState view;
    TPlatine board(view);
    ElementClipboard clipboard(view);
    board.Add(test::MakeWire(TBauteilTyp::btDraht, {{254, 127}, {508, 127}}));
    clipboard.Copy(board);
    view.Loetseite = true;
    clipboard.Paste(board);
    EXPECT_TRUE(board.At(1)->istAufLoetseite());
}

TEST(ClipboardTest, ASecondProgramPastesFromTheSystemClipboard) {
    ViewState view;
    TPlatine board(view);
    board.Add(test::MakeWire(TBauteilTyp::btDraht, {{254, 127}, {508, 127}}));
    ElementClipboard first(view);
    ASSERT_TRUE(first.Copy(board));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasFormat(ElementClipboard::MimeType()));
    const QByteArray bytes = data->data(ElementClipboard::MimeType());

    // What another program leaves there: our process no longer owns the clipboard's data.
    QGuiApplication::clipboard()->clear();
    ViewState otherView;
    ElementClipboard other(otherView);
    EXPECT_FALSE(other.CanPaste());
    TPlatine target(otherView);
    target.EinfuegenAusStream(bytes);
    EXPECT_EQ(target.Count(), 1);
}

TEST(ClipboardTest, APartWithAQuestionMarkAsksAndCancelRemovesIt) {
    ViewState view;
    TPlatine library(view);
    auto part = test::MakeResistor();
    part->Value = QStringLiteral("?");
    library.SetzeMarkierung(library.Add(std::move(part)), true);
    const QByteArray stream = library.KopiereMarkierte();

    AnsweringDialog dialog;
    TGruppe::SetDialog(&dialog);
    TPlatine board(view);
    EXPECT_FALSE(board.PlatziereBauteil(stream));
    EXPECT_EQ(dialog.asked, 1);
    EXPECT_EQ(board.Count(), 0);
    EXPECT_EQ(board.Modus(), TPlatinenModus::pm_Standard);
    EXPECT_FALSE(board.CursorCaptured());

    dialog.answer = ComponentFields{QStringLiteral("R#"), QStringLiteral("10k"), {}, true};
    EXPECT_TRUE(board.PlatziereBauteil(stream));
    ASSERT_EQ(board.Count(), 1);
    EXPECT_EQ(static_cast<TGruppe*>(board.At(0))->Value, QStringLiteral("10k"));
    EXPECT_TRUE(board.At(0)->Visible());
    EXPECT_EQ(board.Modus(), TPlatinenModus::pm_Platzieren);
    TGruppe::SetDialog(nullptr);
}

} // namespace
TEST(ElementPropertiesTest, AcceptedIsOneUndoStepAndCancelledLeavesNoTrace) {
    ViewState view;
    TPlatine board(view);
    TGruppe* part = static_cast<TGruppe*>(board.Add(test::MakeResistor()));
    board.SetzeMarkierung(part, true);
    AnsweringDialog dialog;
    TGruppe::SetDialog(&dialog);

    EXPECT_FALSE(board.EditElementProperties(*part));
    EXPECT_EQ(dialog.asked, 1);
    EXPECT_FALSE(board.KannRueckgaengig());
    EXPECT_FALSE(board.Modified());

    dialog.answer = ComponentFields{QStringLiteral("R#"), QStringLiteral("22k"), {}, true};
    EXPECT_TRUE(board.EditElementProperties(*part));
    EXPECT_EQ(part->Value, QStringLiteral("22k"));
    EXPECT_TRUE(board.Modified());
    board.Rueckgaengig();
    ASSERT_EQ(board.Count(), 1);
    EXPECT_NE(static_cast<TGruppe*>(board.At(0))->Value, QStringLiteral("22k"));
    EXPECT_FALSE(board.KannRueckgaengig());
    TGruppe::SetDialog(nullptr);
}

} // namespace karvel
