// The gradient pictures committed under resources/Bitmaps: every one loads and is lit from the
// upper left, and the assistant's default choices, which pick by position, land on fitting
// colours.

#include "assistant/BtStyles.h"
#include "assistant/GradientBitmaps.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtGui/QImage>

namespace karvel {
namespace {

QString Resources() {
    return QStringLiteral(KARVEL_SOURCE_DIR "/resources");
}

struct DefaultCase {
    int style;
    int param;
    Language language;
    const char* name;
};

void PrintTo(const DefaultCase& c, std::ostream* os) {
    *os << c.name;
}

class DefaultGradient : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(DefaultGradient, PicksAFittingColour) {
    const DefaultCase& c = GetParam();
    const std::vector<TBtParam> params = DefaultParams(c.style, c.language, Resources());
    EXPECT_EQ(params.at(std::size_t(c.param)).SelectedItem(), QString::fromUtf8(c.name));
}

INSTANTIATE_TEST_SUITE_P(Table, DefaultGradient,
                         ::testing::Values(DefaultCase{11, 6, Language::German, "Beige"},
                                           DefaultCase{11, 6, Language::English, "Beige"},
                                           DefaultCase{12, 5, Language::German, "Blau"},
                                           DefaultCase{12, 5, Language::English, "Blue"},
                                           DefaultCase{13, 6, Language::German, "Rot"},
                                           DefaultCase{13, 6, Language::English, "Red"},
                                           DefaultCase{14, 5, Language::German, "Schwarz"},
                                           DefaultCase{14, 5, Language::English, "Matt black"}));

TEST(DatagenGradientTest, EveryListedPictureLoadsAndIsLitFromTheUpperLeft) {
    int count = 0;
    for (const int style : {11, 12, 13, 14}) {
        for (const Language language : {Language::German, Language::English}) {
            for (const QString& name : ListGradientBitmaps(Resources(), style, language)) {
                const QImage picture(GradientBitmapFile(Resources(), style, language, name));
                ASSERT_EQ(picture.size(), QSize(48, 48)) << qPrintable(name);
                const int s = picture.width();
                EXPECT_GT(qGray(picture.pixel(s / 3, s / 3)), qGray(picture.pixel(s - 1, s - 1)))
                    << qPrintable(name);
                ++count;
            }
        }
    }
    EXPECT_EQ(count, 7 + 7 + 2 * (12 + 14) + 7 + 7);
}

} // namespace
} // namespace karvel
