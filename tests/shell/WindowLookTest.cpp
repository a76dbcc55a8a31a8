// How the window looks beyond its captions: disabled commands, the empty library panel.

#include "shell/Command.h"
#include "shell/CommandTable.h"
#include "shell/Icons.h"
#include "shell/LibraryPanel.h"
#include "shell/ShellFixture.h"
#include "support/Printers.h"

#include <gtest/gtest.h>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

namespace karvel {
namespace {

// The darkest opaque pixel of the enabled picture, where the difference shows most.
QPoint DarkestOpaquePixel(const QImage& image) {
    QPoint found(-1, -1);
    int darkest = 256;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() == 255 && c.lightness() < darkest) {
                darkest = c.lightness();
                found = {x, y};
            }
        }
    return found;
}

TEST(WindowLookTest, ADisabledCommandsIconIsFadedAtEverySize) {
    for (const CommandId id : {CommandId::EditCut, CommandId::ArrangeGroup, CommandId::FileSave}) {
        const QIcon icon = CommandIcon(FindCommand(id));
        for (const qreal ratio : {1.0, 2.0}) {
            const QImage normal = icon.pixmap(QSize(20, 20), ratio, QIcon::Normal).toImage();
            const QImage disabled = icon.pixmap(QSize(20, 20), ratio, QIcon::Disabled).toImage();
            ASSERT_EQ(disabled.size(), normal.size()) << int(id);
            EXPECT_EQ(disabled.size(), QSize(20, 20) * ratio);
            const QPoint at = DarkestOpaquePixel(normal);
            ASSERT_GE(at.x(), 0) << int(id);
            const QColor faded = disabled.pixelColor(at);
            EXPECT_LT(faded.alpha(), 128) << int(id) << " at " << ratio;
            EXPECT_EQ(faded.saturation(), 0) << int(id);
        }
    }
}

TEST(WindowLookTest, TheToolButtonOfADisabledCommandShowsTheFadedPicture) {
    test::ShownWindow shown;
    QToolBar& edit = shown->ToolWindow(5);
    auto* cut =
        qobject_cast<QToolButton*>(edit.widgetForAction(&shown->Action(CommandId::EditCut)));
    ASSERT_NE(cut, nullptr);
    ASSERT_FALSE(cut->isEnabled());
    const QImage picture = cut->grab().toImage();
    // Nothing of the button is as dark as the enabled icon's strokes.
    int darkest = 256;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            darkest = std::min(darkest, picture.pixelColor(x, y).lightness());
    EXPECT_GT(darkest, 140);
}

class LibraryNoteTest : public ::testing::TestWithParam<Language> {};

INSTANTIATE_TEST_SUITE_P(BothLanguages, LibraryNoteTest,
                         ::testing::Values(Language::German, Language::English));

TEST_P(LibraryNoteTest, AnEmptyLibrarySaysThatNoPageIsInstalled) {
    LibraryPanel panel(GetParam());
    panel.resize(177, 500);
    panel.show();
    EXPECT_TRUE(panel.ShowsNoPageNote());
    EXPECT_TRUE(panel.PageList()->isHidden()) << "no blank list";
    const auto* note = panel.findChild<const QLabel*>(QStringLiteral("KeineBibliothek"));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->text().startsWith(GetParam() == Language::English
                                            ? u"No library page is installed."
                                            : u"Keine Bibliotheksseite installiert."));
    panel.SetPageNames({QStringLiteral("Widerstände"), QStringLiteral("ICs")});
    EXPECT_FALSE(panel.ShowsNoPageNote());
    EXPECT_FALSE(panel.PageList()->isHidden());
    EXPECT_EQ(panel.PageList()->count(), 2);
    EXPECT_FALSE(note->isVisible());
}

} // namespace
} // namespace karvel
