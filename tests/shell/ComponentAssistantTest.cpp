// The component assistant's dialog, driven offscreen as a user would: the style list, the
// parameter grid with its keys and commits, the live preview, and the hand-over to the board.

#include "assistant/Bt.h"
#include "assistant/Farbcode.h"
#include "board/BoardHoleGrid.h"
#include "elements/Draht.h"
#include "elements/Txtlabel.h"
#include "shell/ComponentAssistantDialog.h"
#include "shell/ScrollBoxEx.h"
#include "shell/ShellFixture.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableWidget>

namespace karvel {
namespace {

using test::FakeDialogs;

void Key(QWidget& widget, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &release);
}

// The dialog shown on its own, with dialogs that answer by themselves.
class AssistantDialogTest : public ::testing::Test {
protected:
    explicit AssistantDialogTest(Language language = Language::German) {
        view_.Sprache = language;
        view_.ProgramFolder = QStringLiteral(KARVEL_SOURCE_DIR "/resources");
        dialog_ = std::make_unique<ComponentAssistantDialog>(view_, dialogs_);
        dialog_->show();
        QApplication::processEvents();
    }
    ~AssistantDialogTest() override { QLocale::setDefault(QLocale::c()); }

    QTableWidget& Grid() const { return dialog_->ParamGrid(); }
    QString Cell(int row) const { return Grid().item(row, 1)->text(); }
    void ChooseStyle(int style) {
        dialog_->StyleCombo().setCurrentIndex(style);
        Q_EMIT dialog_->StyleCombo().activated(style);
    }
    void SelectRow(int row) {
        Grid().setCurrentCell(row, 1);
        QApplication::processEvents();
    }
    // Types into a cell as the user does: the editor opens, takes the text and Enter closes it.
    void Type(int row, const QString& text) {
        SelectRow(row);
        Grid().editItem(Grid().item(row, 1));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        Key(*editor, Qt::Key_Return);
        QApplication::processEvents();
    }
    const TBauteil* FirstMember() const { return dialog_->Generator().Members().front().get(); }

    ViewState view_;
    FakeDialogs dialogs_;
    std::unique_ptr<ComponentAssistantDialog> dialog_;
};

TEST_F(AssistantDialogTest, OpensOnTheResistorWithItsPreview) {
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("Objekt-Assistent"));
    EXPECT_EQ(dialog_->size(), QSize(546, 302));
    EXPECT_EQ(dialog_->StyleCombo().count(), 15);
    EXPECT_EQ(dialog_->StyleCombo().currentIndex(), 11);
    EXPECT_EQ(Grid().rowCount(), 8);
    EXPECT_EQ(Grid().horizontalHeaderItem(1)->text(), QStringLiteral("Wert"));
    EXPECT_EQ(Grid().item(0, 0)->text(), QStringLiteral("Durchmesser [mm]"));
    EXPECT_EQ(Cell(6), QStringLiteral("Beige"));
    EXPECT_EQ(dialog_->Generator().Members().size(), 5u);
    EXPECT_EQ(dialog_->Preview().Modus(), TPlatinenModus::pm_Zoom);
    // The generator sits on a hole of its board.
    const QPoint c = dialog_->Generator().Centre;
    EXPECT_EQ(c.x() % 254, 0);
    EXPECT_EQ(c.y() % 254, 127);
    EXPECT_FALSE(Grid().item(5, 1)->flags() & Qt::ItemIsEditable) << "choices step by keys";
    EXPECT_TRUE(Grid().item(0, 1)->flags() & Qt::ItemIsEditable);
}

TEST_F(AssistantDialogTest, EveryStyleShowsItsParametersAndAPreview) {
    const std::array<int, 15> rows{3, 3, 3, 5, 5, 5, 6, 5, 5, 3, 3, 8, 7, 8, 7};
    for (int style = 0; style < 15; ++style) {
        ChooseStyle(style);
        EXPECT_EQ(dialog_->Generator().Style, style);
        EXPECT_EQ(Grid().rowCount(), rows[std::size_t(style)]) << style;
        EXPECT_FALSE(dialog_->Generator().Members().empty()) << style;
        // The preview is fitted around the part: its middle lies inside the view.
        const QImage picture = dialog_->PreviewControl().grab().toImage();
        const QPoint middle = dialog_->Preview().BoardToControl(dialog_->Generator().Centre);
        EXPECT_TRUE(QRect(QPoint(0, 0), picture.size()).contains(middle)) << style;
    }
}

TEST_F(AssistantDialogTest, TheResistorBodyShowsInThePreview) {
    const QImage picture = dialog_->PreviewControl().grab().toImage();
    TPlatine& board = dialog_->Preview();
    const QPoint c = dialog_->Generator().Centre;
    // Above the bands, inside the body: beige; beside the body: the board.
    const QColor body = picture.pixelColor(board.BoardToControl(c + QPoint(0, -200)));
    const QColor beside = picture.pixelColor(board.BoardToControl(c + QPoint(600, -200)));
    EXPECT_NE(body, beside);
    EXPECT_GT(body.red(), body.blue()) << "a beige body";
    const QColor band = picture.pixelColor(board.BoardToControl(c + QPoint(0, 131)));
    EXPECT_EQ(band, ToQColor(TFarbcode::Colours[1])) << "brown first band of 1 kOhm";
}

TEST_F(AssistantDialogTest, SpaceStepsTheSeriesAndTheBandsFollow) {
    SelectRow(5);
    ASSERT_EQ(dialog_->CurrentIndex(), 5);
    QStringList seen;
    for (int i = 0; i < 5; ++i) {
        Key(Grid(), Qt::Key_Space, QStringLiteral(" "));
        seen.push_back(Cell(5));
    }
    EXPECT_EQ(seen, (QStringList{"E24", "E48", "E96", "E6", "E12"}));
    Key(Grid(), Qt::Key_N, QStringLiteral("n"));
    EXPECT_EQ(Cell(5), QStringLiteral("E6"));
    Key(Grid(), Qt::Key_Y, QStringLiteral("Y"));
    EXPECT_EQ(Cell(5), QStringLiteral("E12"));
    Key(Grid(), Qt::Key_Right);
    EXPECT_EQ(Cell(5), QStringLiteral("E24"));
    const auto& code = dynamic_cast<const TFarbcode&>(*dialog_->Generator().Members()[4]);
    EXPECT_EQ(code.Series, 2);
}

TEST_F(AssistantDialogTest, TypingAResistanceShowsItFormattedAndColoursTheBands) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Type(4, QStringLiteral("4,7k"));
    EXPECT_EQ(Cell(4), QStringLiteral("4,7 KOhm"));
    const auto& code = dynamic_cast<const TFarbcode&>(*dialog_->Generator().Members()[4]);
    EXPECT_EQ(code.Band(1)->Stiftfarbe(), TFarbcode::Colours[4]);
    EXPECT_EQ(code.Band(2)->Stiftfarbe(), TFarbcode::Colours[7]);
    EXPECT_EQ(code.Band(3)->Stiftfarbe(), TFarbcode::Colours[2]);
    EXPECT_TRUE(dialog_->isVisible()) << "Enter commits and keeps the dialog open";
}

TEST_F(AssistantDialogTest, TheGridShowsTheValueSnappedToTheSeries) {
    Type(4, QStringLiteral("4000"));
    EXPECT_EQ(Cell(4), QStringLiteral("3.9 KOhm"));
    EXPECT_EQ(dialog_->Generator().Params[4].FloatValue, 4000) << "taken over by the next commit";
    Type(4, Cell(4));
    EXPECT_EQ(dialog_->Generator().Params[4].FloatValue, 3900);
}

TEST_F(AssistantDialogTest, ValuesOutsideTheirRangeAreCorrectedWithAWarning) {
    ChooseStyle(0);
    Type(0, QStringLiteral("500"));
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].Icon, MessageIcon::Warning);
    EXPECT_EQ(dialogs_.messages[0].Caption, QStringLiteral("Hinweis"));
    EXPECT_EQ(dialogs_.messages[0].Text,
              QStringLiteral("Der eingegebene Wert überschreitet die zulässigen Grenzen und wird "
                             "korrigiert!"));
    EXPECT_EQ(Cell(0), QStringLiteral("200"));
    Type(1, QStringLiteral("2"));
    EXPECT_EQ(Cell(1), QStringLiteral("3"));
    EXPECT_EQ(dynamic_cast<const TDraht&>(*FirstMember()).Nodes.size(), 3u);
    Type(0, QStringLiteral("3,5"));
    EXPECT_EQ(dialog_->Generator().Params[0].FloatValue, 3.5L) << "a comma reads as the point";
}

// 100 GOhm took a gold multiplier and read as 10 Ohm.
TEST_F(AssistantDialogTest, AValueTheBandsCannotShowIsToldAndLeavesThemEmpty) {
    // Every change of a value generates the members anew: look the colour code up each time.
    const auto bandsEmpty = [&] {
        const auto& code = dynamic_cast<const TFarbcode&>(*dialog_->Generator().Members()[4]);
        for (int number = 1; number <= TFarbcode::BandCount; ++number)
            if (code.Band(number)->Stiftfarbe() != TFarbcode::Colours[TFarbcode::NoBand])
                return false;
        return true;
    };
    Type(4, QStringLiteral("100G"));
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].Icon, MessageIcon::Information);
    EXPECT_TRUE(dialogs_.messages[0].Text.startsWith(
        QStringLiteral("Der Wert ist zu groß für den Farbcode")));
    EXPECT_TRUE(bandsEmpty());

    Type(4, QStringLiteral("47k"));
    EXPECT_EQ(dialogs_.messages.size(), 1u) << "a value the bands show says nothing";
    EXPECT_FALSE(bandsEmpty());

    SelectRow(5);
    for (int i = 0; i < 3; ++i) // E12 to E96
        Key(Grid(), Qt::Key_Space, QStringLiteral(" "));
    ASSERT_EQ(Cell(5), QStringLiteral("E96"));
    Type(4, QStringLiteral("0.5"));
    ASSERT_EQ(dialogs_.messages.size(), 2u);
    EXPECT_TRUE(dialogs_.messages[1].Text.startsWith(
        QStringLiteral("Der Wert ist zu klein für den Farbcode dieser Reihe")));
    EXPECT_TRUE(bandsEmpty());
}

TEST_F(AssistantDialogTest, TheSameIntegerBuildsNothingTheSameTextBuildsAgain) {
    ChooseStyle(0);
    const TBauteil* before = FirstMember();
    Type(1, QStringLiteral("5"));
    EXPECT_EQ(FirstMember(), before);
    ChooseStyle(12);
    before = FirstMember();
    Type(3, Cell(3));
    EXPECT_NE(FirstMember(), before);
}

TEST_F(AssistantDialogTest, ChangingTheRowCommitsTheOneLeft) {
    ChooseStyle(1);
    SelectRow(0);
    Grid().item(0, 1)->setText(QStringLiteral("25"));
    SelectRow(1);
    EXPECT_EQ(dialog_->Generator().Params[0].FloatValue, 25);
    EXPECT_EQ(dialog_->CurrentIndex(), 1);
}

TEST_F(AssistantDialogTest, CancelKeepsTheEditedValuesForTheNextOpening) {
    ChooseStyle(2);
    SelectRow(0);
    Grid().item(0, 1)->setText(QStringLiteral("12"));
    dialog_->CancelButton().click();
    EXPECT_EQ(dialog_->result(), QDialog::Rejected);
    EXPECT_EQ(dialog_->Generator().Params[0].FloatValue, 12) << "every close commits";
    dialog_->show();
    QApplication::processEvents();
    EXPECT_EQ(dialog_->StyleCombo().currentIndex(), 2);
    EXPECT_EQ(Cell(0), QStringLiteral("12"));
}

TEST_F(AssistantDialogTest, HelpOpensTheManualAtItsTopic) {
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("Anleitung"));
    QFile manual(folder.filePath(QStringLiteral("Anleitung/Karvel30.html")));
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.close();
    view_.ProgramFolder = folder.path();
    dialog_->HelpButton().click();
    Key(*dialog_, Qt::Key_F1);
    ASSERT_EQ(dialogs_.manuals.size(), 2u);
    EXPECT_EQ(dialogs_.manuals[0].second, 19200);
    EXPECT_EQ(dialogs_.manuals[1].second, 19200);
}

class EnglishAssistantDialogTest : public AssistantDialogTest {
protected:
    EnglishAssistantDialogTest() : AssistantDialogTest(Language::English) {}
};

TEST_F(EnglishAssistantDialogTest, SpeaksEnglish) {
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("Object assistant"));
    EXPECT_EQ(dialog_->CancelButton().text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(dialog_->HelpButton().text(), QStringLiteral("&Help..."));
    EXPECT_EQ(dialog_->StyleCombo().itemText(14), QStringLiteral("Component: Diode"));
    EXPECT_EQ(Grid().horizontalHeaderItem(1)->text(), QStringLiteral("Value"));
    EXPECT_EQ(Grid().item(4, 0)->text(), QStringLiteral("Standard value [Ohm]"));
    ChooseStyle(0);
    Type(0, QStringLiteral("500"));
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].Caption, QStringLiteral("Information"));
    EXPECT_EQ(dialogs_.messages[0].Text,
              QStringLiteral("Value exceeds range and will be corrected!"));
    ChooseStyle(11);
    Type(4, QStringLiteral("100G"));
    ASSERT_EQ(dialogs_.messages.size(), 2u);
    EXPECT_TRUE(dialogs_.messages[1].Text.startsWith(
        QStringLiteral("The value is too large for the colour code")));
}

// --- From the main window
// -------------------------------------------------------------------------

TEST(AssistantCommandTest, CancelLeavesTheBoardAloneAndChoosesTheSelectTool) {
    test::ShownWindow shown;
    const int before = shown.Board().Count();
    shown->Action(CommandId::ToolAssistant).trigger();
    EXPECT_EQ(shown.dialogs->assistantRuns, 1);
    EXPECT_EQ(shown.Board().Count(), before);
    EXPECT_EQ(shown.Board().Modus(), TPlatinenModus::pm_Standard);
    EXPECT_TRUE(shown->Action(CommandId::ToolStandard).isChecked());
    EXPECT_FALSE(shown.Board().Modified());
}

TEST(AssistantCommandTest, OkWithAnOutlineLeavesFreeElementsInTheView) {
    test::ShownWindow shown;
    shown.dialogs->onAssistant = [](ComponentAssistantDialog& dialog) {
        dialog.StyleCombo().setCurrentIndex(3);
        Q_EMIT dialog.StyleCombo().activated(3);
        return true;
    };
    shown->Action(CommandId::ToolAssistant).trigger();
    TPlatine& board = shown.Board();
    ASSERT_EQ(board.Count(), 1);
    const auto* letter = dynamic_cast<const TDraht*>(board.At(0));
    ASSERT_NE(letter, nullptr);
    EXPECT_EQ(letter->Nodes.size(), 12u);
    EXPECT_FALSE(letter->InGroup);
    EXPECT_EQ(board.Modus(), TPlatinenModus::pm_Platzieren);
    // It starts in the middle of the view.
    const TScrollBoxEx& scroll = shown->ScrollBox(shown->CurrentIndex());
    const QPoint middle = board.BoardToHost(letter->Nodes.front() + QPoint(350, 500));
    EXPECT_LE(std::abs(middle.x() - scroll.ClientSize().width() / 2), board.PixelsPerHole());
    EXPECT_LE(std::abs(middle.y() - scroll.ClientSize().height() / 2), board.PixelsPerHole());
}

TEST(AssistantCommandTest, OkWithAComponentLeavesOneGroupNumberedAfterTheOthers) {
    test::ShownWindow shown;
    TPlatine& board = shown.Board();
    auto existing = test::MakeResistor();
    existing->Number = 4;
    board.Add(std::move(existing));
    shown.dialogs->onAssistant = [](ComponentAssistantDialog&) { return true; };
    shown->Action(CommandId::ToolAssistant).trigger();
    ASSERT_EQ(board.Count(), 2);
    auto* part = dynamic_cast<TBt*>(board.At(1));
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->Number, 5);
    ASSERT_EQ(part->Members().size(), 5u) << "the part is built before the dialog first shows";
    EXPECT_EQ(dynamic_cast<const TTextLabel&>(*part->Members()[3]).TextString(),
              QStringLiteral("R5"));
    EXPECT_TRUE(board.Modified());
    // The same dialog comes back the next time, with what it had.
    ComponentAssistantDialog* first = shown->Assistant();
    shown.dialogs->onAssistant = [](ComponentAssistantDialog&) { return false; };
    shown->Action(CommandId::ToolAssistant).trigger();
    EXPECT_EQ(shown->Assistant(), first);
}

} // namespace
} // namespace karvel
