#include "board/Platine.h"
#include "shell/DialogAnswer.h"
#include "shell/NumberField.h"
#include "shell/ToolSizeDialogs.h"

#include <array>
#include <gtest/gtest.h>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

namespace karvel {
namespace {

using test::AnswerNextDialog;
using test::DialogButton;
using test::TextsOf;

NumberField& Field(QDialog& dialog, const char* name) {
    auto* field = dialog.findChild<NumberField*>(QString::fromLatin1(name));
    if (field == nullptr)
        throw std::runtime_error(name);
    return *field;
}

QString Shown(QDialog& dialog, const char* name) {
    return Field(dialog, name).findChild<QLineEdit*>()->text();
}

void Type(NumberField& field, const QString& text) {
    field.findChild<QLineEdit*>()->setText(text);
}

class ToolSizeDialogTest : public ::testing::Test {
protected:
    ViewState view;
    TPlatine board{view};
    std::vector<int> topics;
    HelpRequest help = [this](int topic) { topics.push_back(topic); };

    void SetUp() override { Prefill(); }
    void Prefill() {
        board.DrillDiameter = 0.8;
        board.PadDiameter = 2.5;
        board.TrackWidth = 1.5;
    }
    bool Ask(int tag, Language language = Language::German) {
        return AskToolSize(nullptr, tag, board, language, help);
    }
    std::array<double, 3> Sizes() const {
        return {board.DrillDiameter, board.PadDiameter, board.TrackWidth};
    }
};

TEST_F(ToolSizeDialogTest, EachToolAsksItsSizeUnderItsCaptionAndCancelKeepsTheBoard) {
    const struct {
        int Tag;
        Language Lang;
        const char* Caption;
        const char* Label;
        const char* Prefilled;
    } cases[] = {
        {13, Language::German, "Bohrung", "Durchmesser", "0.8"},
        {14, Language::German, "Lötauge", "Durchmesser", "2.5"},
        {15, Language::German, "Leiterbahn", "Durchmesser", "1.5"},
        {13, Language::English, "Drilling", "Diameter", "0.8"},
        {14, Language::English, "Pad", "Diameter", "2.5"},
        {15, Language::English, "Track", "Diameter", "1.5"},
    };
    const auto before = Sizes();
    for (const auto& c : cases) {
        AnswerNextDialog([&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.Caption));
            EXPECT_TRUE(TextsOf(dialog).contains(QString::fromUtf8(c.Label)));
            EXPECT_EQ(Shown(dialog, "Diameter"), QString::fromLatin1(c.Prefilled));
            Type(Field(dialog, "Diameter"), QStringLiteral("7"));
            DialogButton(dialog, QDialogButtonBox::Cancel)->click();
        });
        EXPECT_FALSE(Ask(c.Tag, c.Lang)) << c.Caption;
        EXPECT_EQ(Sizes(), before) << c.Caption;
    }
}

TEST_F(ToolSizeDialogTest, OkStoresTheTypedSizeWithinTheLimits) {
    const struct {
        int Tag;
        const char* Typed;
        std::array<double, 3> After;
    } cases[] = {
        {13, "1,2", {double(1.2F), 2.5, 1.5}},
        {14, "150", {0.8, 100.0, 1.5}},
        {15, "0,05", {0.8, 2.5, double(0.2F)}},
    };
    for (const auto& c : cases) {
        Prefill();
        AnswerNextDialog([&](QDialog& dialog) {
            Type(Field(dialog, "Diameter"), QString::fromLatin1(c.Typed));
            DialogButton(dialog, QDialogButtonBox::Ok)->click();
        });
        EXPECT_TRUE(Ask(c.Tag)) << c.Typed;
        EXPECT_EQ(Sizes(), c.After) << c.Typed;
    }
}

TEST_F(ToolSizeDialogTest, ThePadWithDrillingAsksBothDiameters) {
    for (const Language language : {Language::German, Language::English}) {
        const bool english = language == Language::English;
        AnswerNextDialog([&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), english ? u"Pad with drilling" : u"Auge mit Bohrung");
            const QStringList texts = TextsOf(dialog);
            for (const char* text : {english ? "Pad" : "Lötauge", english ? "Drilling" : "Bohrung"})
                EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
            EXPECT_EQ(texts.count(english ? u"Diameter" : u"Durchmesser"), 2);
            EXPECT_EQ(Shown(dialog, "PadDiameter"), u"2.5");
            EXPECT_EQ(Shown(dialog, "DrillDiameter"), u"0.8");
            Type(Field(dialog, "PadDiameter"), QStringLiteral("3"));
            DialogButton(dialog, QDialogButtonBox::Cancel)->click();
        });
        EXPECT_FALSE(Ask(PadWithDrillingToolTag, language));
        EXPECT_EQ(board.PadDiameter, 2.5);
    }
    AnswerNextDialog([&](QDialog& dialog) {
        Type(Field(dialog, "PadDiameter"), QStringLiteral("3,5"));
        Type(Field(dialog, "DrillDiameter"), QStringLiteral("0,1"));
        DialogButton(dialog, QDialogButtonBox::Ok)->click();
    });
    EXPECT_TRUE(Ask(PadWithDrillingToolTag));
    EXPECT_EQ(Sizes(), (std::array<double, 3>{double(0.2F), 3.5, 1.5}));
}

TEST_F(ToolSizeDialogTest, HelpAndF1OpenTheDialogsTopic) {
    const struct {
        int Tag;
        const char* Field;
        int Topic;
    } cases[] = {{13, "Diameter", 10000},
                 {14, "Diameter", 10000},
                 {15, "Diameter", 10000},
                 {16, "DrillDiameter", 18000}};
    for (const auto& c : cases) {
        topics.clear();
        AnswerNextDialog([&](QDialog& dialog) {
            QAbstractButton* helpButton = DialogButton(dialog, QDialogButtonBox::HelpRole);
            ASSERT_NE(helpButton, nullptr);
            EXPECT_EQ(helpButton->text(), u"&Hilfe...");
            helpButton->click();
            // F1 counts when it is let go, in whichever field it was pressed.
            NumberField& field = Field(dialog, c.Field);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
            QApplication::sendEvent(&field, &press);
            EXPECT_EQ(topics.size(), 1u) << "after the click and the press";
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
            QApplication::sendEvent(&field, &release);
            EXPECT_TRUE(dialog.isVisible()) << "help leaves the dialog open";
        });
        Ask(c.Tag);
        EXPECT_EQ(topics, (std::vector<int>{c.Topic, c.Topic})) << c.Tag;
    }
}

} // namespace
} // namespace karvel
