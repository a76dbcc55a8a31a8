#include "shell/ViewDialogs.h"
#include "shell/DialogAnswer.h"
#include "shell/NumberField.h"
#include "shell/ShellFixture.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtGui/QContextMenuEvent>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QSlider>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

namespace karvel {
namespace {

using test::AnswerNextDialog;
using test::DialogButton;
using test::ShownWindow;

QStringList LabelsOf(const QWidget& window) {
    QStringList labels;
    for (const QLabel* label : window.findChildren<QLabel*>())
        labels.append(label->text());
    return labels;
}

QString Shown(QDialog& dialog) {
    return dialog.findChild<NumberField*>()->findChild<QLineEdit*>()->text();
}

TEST(FineGridDialogTest, ShowsTheStepInMillimetresAndGivesBoardUnits) {
    for (const Language language : {Language::German, Language::English}) {
        const bool english = language == Language::English;
        std::vector<int> topics;
        AnswerNextDialog([&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), english ? u"Fine grid" : u"Feines Raster");
            EXPECT_EQ(dialog.findChild<QGroupBox*>()->title(),
                      english ? u"Grid pitch (fine grid)" : u"Rasterweite (feines Raster)");
            EXPECT_TRUE(LabelsOf(dialog).contains(
                english ? QStringLiteral("when SHIFT is pressed and for drawing functions")
                        : QStringLiteral("bei gedrückter SHIFT-Taste und für elementare "
                                         "Zeichenfunktionen")));
            EXPECT_EQ(Shown(dialog), u"0.254");
            DialogButton(dialog, QDialogButtonBox::HelpRole)->click();
            dialog.findChild<NumberField*>()->findChild<QLineEdit*>()->setText(
                QStringLiteral("2,6"));
            DialogButton(dialog, QDialogButtonBox::Ok)->click();
        });
        const std::optional<double> step =
            RunFineGridDialog(nullptr, 25.4, language, [&](int topic) { topics.push_back(topic); });
        ASSERT_TRUE(step.has_value());
        EXPECT_NEAR(*step, 254.0, 1e-4) << "2.6 mm is more than the largest step, 2.54 mm";
        EXPECT_EQ(topics, std::vector<int>{8000});
    }
    AnswerNextDialog([](QDialog& dialog) {
        EXPECT_EQ(Shown(dialog), u"0.100");
        dialog.reject();
    });
    EXPECT_EQ(RunFineGridDialog(nullptr, 10.0, Language::German, {}), std::nullopt);
}

class FineGridCommandTest : public ::testing::Test {
protected:
    ShownWindow shown;
    test::FakeDialogs& dialogs = *shown.dialogs;
};

TEST_F(FineGridCommandTest, OkStoresTheStepAndCancelKeepsIt) {
    shown->View().FineGrid = 25.4;
    dialogs.nextFineGrid = 5.0;
    shown->Action(CommandId::ViewFineGrid).trigger();
    EXPECT_EQ(dialogs.fineGridShown, std::vector<double>{25.4});
    EXPECT_EQ(shown->View().FineGrid, 5.0);
    dialogs.nextFineGrid.reset();
    shown->Action(CommandId::ViewFineGrid).trigger();
    EXPECT_EQ(shown->View().FineGrid, 5.0);
}

TEST_F(FineGridCommandTest, TheCommandDoesNotTouchTheRulers) {
    const bool rulers = shown->Action(CommandId::ViewRulers).isChecked();
    shown->Execute(CommandId::ViewFineGrid);
    EXPECT_EQ(shown->Action(CommandId::ViewRulers).isChecked(), rulers);
    EXPECT_EQ(dialogs.fineGridShown.size(), 1u);
}

TEST_F(FineGridCommandTest, IsIgnoredWhileTheBoardConfinesTheCursor) {
    shown.Board().CaptureCursor(true);
    shown->Execute(CommandId::ViewFineGrid);
    EXPECT_TRUE(dialogs.fineGridShown.empty());
    shown.Board().CaptureCursor(false);
}

TEST_F(FineGridCommandTest, HelpOpensTheLanguagesManualThroughTheWindowsOpener) {
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Anleitung")));
    const QString manual = folder.filePath(QStringLiteral("Anleitung/Karvel30.html"));
    QFile file(manual);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    shown->View().ProgramFolder = folder.path();
    dialogs.onFineGrid = [](const std::function<void(int)>& help) { help(8000); };
    shown->Execute(CommandId::ViewFineGrid);
    ASSERT_EQ(dialogs.manuals.size(), 1u);
    EXPECT_EQ(QFileInfo(dialogs.manuals[0].first), QFileInfo(manual));
    EXPECT_EQ(dialogs.manuals[0].second, 8000);
}

class XRayContrastTest : public ::testing::Test {
protected:
    explicit XRayContrastTest(Language language = Language::German) : shown(language) {}

    ShownWindow shown;
    XRayContrastWindow& contrast = AttachXRayContrastWindow(*shown);

    void RightClickXRayButton() {
        QToolButton* button = nullptr;
        for (QObject* shownAs : shown->Action(CommandId::ViewXRay).associatedObjects())
            if (auto* found = qobject_cast<QToolButton*>(shownAs))
                button = found;
        ASSERT_NE(button, nullptr);
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2),
                                button->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(button, &click);
    }
    XRayColours& Colours() { return shown->View().XRay; }
};

TEST_F(XRayContrastTest, ARightClickOnTheXRayButtonShowsTheBarsAtTheColoursInForce) {
    const bool xray = shown->View().Roentgen;
    RightClickXRayButton();
    ASSERT_TRUE(contrast.isVisible());
    EXPECT_EQ(shown->View().Roentgen, xray) << "the right click does not switch the view";
    EXPECT_EQ(contrast.windowTitle(), u"Röntgenkontrast");
    EXPECT_EQ(LabelsOf(contrast), (QStringList{QStringLiteral("Rand"), QStringLiteral("Füllung")}));
    EXPECT_EQ(contrast.PenBar().value(), 73);   // grey B9
    EXPECT_EQ(contrast.BrushBar().value(), 82); // grey D0
    EXPECT_FALSE(contrast.isModal());
    EXPECT_TRUE(contrast.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(XRayContrastTest, EachBarSetsItsOwnColourOfTheViewsPair) {
    const XRayColours before = Colours();
    RightClickXRayButton();
    contrast.PenBar().setValue(50);
    XRayColours expected = before;
    expected.Pen = RgbColour(128, 128, 128);
    EXPECT_EQ(Colours(), expected);
    contrast.BrushBar().setValue(0);
    expected.Brush = 0;
    EXPECT_EQ(Colours(), expected);
}

TEST_F(XRayContrastTest, TheOutlineViewHasAPairOfItsOwnAndTheBarsFollowIt) {
    Colours().PenBW = RgbColour(51, 51, 51); // 20 %
    Colours().BrushBW = RgbColour(204, 204, 204);
    RightClickXRayButton();
    ASSERT_EQ(contrast.PenBar().value(), 73);
    shown->Action(CommandId::ViewOutline).trigger();
    QApplication::processEvents();
    EXPECT_EQ(contrast.PenBar().value(), 20);
    EXPECT_EQ(contrast.BrushBar().value(), 80);
    contrast.PenBar().setValue(100);
    EXPECT_EQ(Colours().PenBW, RgbColour(255, 255, 255));
    EXPECT_EQ(Colours().Pen, 12171705u) << "the normal view's colour stays";
    shown->Action(CommandId::ViewOutline).trigger();
    QApplication::processEvents();
    EXPECT_EQ(contrast.PenBar().value(), 73);
}

class EnglishXRayContrastTest : public XRayContrastTest {
protected:
    EnglishXRayContrastTest() : XRayContrastTest(Language::English) {}
};

TEST_F(EnglishXRayContrastTest, SpeaksEnglish) {
    EXPECT_EQ(contrast.windowTitle(), u"X-Ray contrast");
    EXPECT_EQ(LabelsOf(contrast), (QStringList{QStringLiteral("Pen"), QStringLiteral("Brush")}));
}

} // namespace
} // namespace karvel
