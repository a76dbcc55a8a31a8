#include "shell/NumberField.h"
#include "shell/DialogNumbers.h"

#include <gtest/gtest.h>
#include <QtGui/QFocusEvent>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

namespace karvel {
namespace {

const NumberRange Size{.Minimum = 0.2F, .Maximum = 100.0F, .Step = 0.1F, .Decimals = 1};
const NumberRange Grid{.Minimum = 0.0F, .Maximum = 2.54F, .Step = 0.01F, .Decimals = 3};
const NumberRange Unlimited{.Minimum = 5.0F, .Maximum = 5.0F, .Step = 1.0F, .Decimals = 2};

TEST(NumberFieldTest, ALeftFieldShowsItsTextsValueWithinItsLimits) {
    const struct {
        const char* Typed;
        const NumberRange& Range;
        const char* Shown;
    } cases[] = {
        {"0,05", Size, "0.2"},
        {"150", Size, "100.0"},
        {"2,5", Size, "2.5"},
        {"2.5", Size, "2.5"},
        {"12,5 mm", Size, "12.5"},
        {"abc", Size, "0.2"},
        {"", Grid, "0.000"},
        {"-1", Grid, "0.000"},
        {",254", Grid, "0.254"},
        {"2,6", Grid, "2.540"},
        {"1E99999", Grid, "0.000"},
        {"-7,5", Unlimited, "-7.50"},
        {"1234,5", Unlimited, "1234.50"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LeftFieldText(QString::fromUtf8(c.Typed), c.Range), QString::fromUtf8(c.Shown))
            << c.Typed;
}

TEST(NumberFieldTest, ValuesAreHeldInSinglePrecision) {
    EXPECT_EQ(ReadFieldNumber(QStringLiteral("0,8")), 0.8F);
    EXPECT_NE(double(ReadFieldNumber(QStringLiteral("0,8"))), 0.8);
    // Beyond single precision the text is worth the largest float, not infinity.
    EXPECT_EQ(ClampToRange(ReadFieldNumber(QStringLiteral("1") + QString(60, u'0')), Size), 100.0F);
}

TEST(NumberFieldTest, TheXRayBarsAndTheirGreysAgree) {
    EXPECT_EQ(ContrastGrey(50), RgbColour(128, 128, 128)); // 127.5 rounds to even
    EXPECT_EQ(ContrastGrey(0), RgbColour(0, 0, 0));
    EXPECT_EQ(ContrastGrey(100), RgbColour(255, 255, 255));
    EXPECT_EQ(ContrastBarPosition(12171705), 73); // B9: 185 / 255 = 72.5 %
    EXPECT_EQ(ContrastBarPosition(13684944), 82); // D0: 208 / 255 = 81.6 %
    EXPECT_EQ(ContrastBarPosition(RgbColour(128, 0, 0)), 50) << "only the red byte counts";
    for (int position = 0; position <= 100; ++position)
        EXPECT_EQ(ContrastBarPosition(ContrastGrey(position)), position);
}

class NumberFieldWidgetTest : public ::testing::Test {
protected:
    NumberField field{Size};

    QString Shown() const { return field.findChild<QLineEdit*>()->text(); }
    void Type(const char* text) {
        field.findChild<QLineEdit*>()->clear();
        for (const QChar c : QString::fromLatin1(text)) {
            QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
            QApplication::sendEvent(&field, &press);
        }
    }
    void Leave() {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&field, &out);
    }
};

TEST_F(NumberFieldWidgetTest, ATypedCommaBecomesAPointAndOtherKeysAreRefused) {
    Type("0,05");
    EXPECT_EQ(Shown(), u"0.05") << "nothing is clamped while typing";
    Leave();
    EXPECT_EQ(Shown(), u"0.2");
    Type("1x2;5");
    EXPECT_EQ(Shown(), u"125");
    Leave();
    EXPECT_EQ(Shown(), u"100.0");
}

TEST_F(NumberFieldWidgetTest, TheValueKeepsToTheLimitsBeforeTheFieldIsLeft) {
    Type("150");
    EXPECT_EQ(field.Value(), 100.0F);
    Type("0,05");
    EXPECT_EQ(field.Value(), 0.2F);
}

TEST_F(NumberFieldWidgetTest, ProgramValuesAreClampedAndShownWithTheFieldsDecimals) {
    field.SetValue(0.8);
    EXPECT_EQ(Shown(), u"0.8");
    field.SetValue(250);
    EXPECT_EQ(Shown(), u"100.0");
    field.SetValue(-3);
    EXPECT_EQ(Shown(), u"0.2");
}

TEST_F(NumberFieldWidgetTest, TheButtonsStepWithinTheLimits) {
    field.SetValue(1.0);
    field.stepBy(1);
    EXPECT_EQ(Shown(), u"1.1");
    field.stepBy(-3);
    EXPECT_EQ(Shown(), u"0.8");
    field.stepBy(-10);
    EXPECT_EQ(Shown(), u"0.2");
    field.SetValue(99.95);
    field.stepBy(1);
    EXPECT_EQ(Shown(), u"100.0");
}

} // namespace
} // namespace karvel
