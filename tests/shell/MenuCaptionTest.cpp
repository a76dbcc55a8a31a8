#include "shell/CommandTable.h"
#include "shell/ShellFixture.h"
#include "support/Printers.h"

#include <gtest/gtest.h>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QToolBar>

namespace karvel {
namespace {

using test::ShownWindow;

struct ItemCase {
    const char* Name;
    const char* German;
    const char* English;
    const char* Key;
};

// The menu items with their captions in both languages and their shortcuts.
const ItemCase MenuItems[] = {
    {"Neu1", "&Neu...", "&New...", "Ctrl+N"},
    {"Oeffnen1", "Ö&ffnen...", "&Open...", "Ctrl+O"},
    {"Speichern1", "&Speichern", "&Save", "Ctrl+S"},
    {"Speichernunter1", "Speichern &unter...", "Save &as...", ""},
    {"Exportieren1", "Exportieren...", "E&xport...", ""},
    {"Drucken1", "&Drucken...", "&Print...", "Ctrl+P"},
    {"AutoSpeichern1", "A&utoSpeichern...", "&AutoSave...", "Ctrl+B"},
    {"Beenden1", "&Beenden", "&Exit", ""},
    {"Rueckgaengig1", "Rüc&kgängig", "&Undo", "Alt+Backspace"},
    {"Wiederholen1", "Wiederholen", "&Redo", "Shift+Alt+Backspace"},
    {"Ausschneiden1", "A&usschneiden", "&Cut", "Ctrl+X"},
    {"Kopieren1", "&Kopieren", "C&opy", "Ctrl+C"},
    {"Einfuegen1", "&Einfügen", "&Paste", "Ctrl+V"},
    {"Duplizieren1", "&Duplizieren", "&Duplicate", "Ctrl+D"},
    {"Rotieren1", "&Rotieren", "&Rotate", "Ctrl+R"},
    {"Allesauswaehlen1", "&Alles auswählen", "Select &all", "Ctrl+A"},
    {"Loeschen1", "&Löschen", "&Delete", "Del"},
    {"Nachvorne1", "Nach &vorne setzen", "To &front", "Ctrl+Z"},
    {"Nachhinten1", "Nach &hinten setzen", "To &back", "Ctrl+H"},
    {"Gruppieren1", "&Gruppe bilden", "Build &group", "Ctrl+G"},
    {"Gruppeaufheben1", "Gruppe a&ufheben", "&Split group", "Ctrl+U"},
    {"Bauteilbilden1", "Bauteileinheit &bilden...", "&Build component...", "Ctrl+K"},
    {"Bauteilaufheben1", "Bauteileinheit &aufheben", "&Split component", "Ctrl+J"},
    {"ZurBibliothek1", "Zur Bibliothek &hinzufügen...", "&Add to library...", "Ctrl+I"},
    {"Neunumerieren1", "Neu &numerieren", "&Renumber", "Ctrl+M"},
    {"Seiteanlegen1", "Seite &anlegen...", "&New page...", ""},
    {"BauteilEinsHoeher1", "Bauteil eins nach o&ben setzen", "Move component &up", "Ctrl+W"},
    {"BauteilEinsTiefer1", "Bauteil eins nach u&nten setzen", "Move component do&wn", "Ctrl+Q"},
    {"BauteilAusBibliothek1", "Bauteil aus Bibliothek l&öschen", "D&elete component from library",
     ""},
    {"Zoomplus1", "&Zoom (+)", "&Zoom (+)", "F9"},
    {"Zoomminus1", "Zoo&m  (-)", "Zoo&m  (-)", "F10"},
    {"ZoomPlatine1", "Zoom &Platine", "Zoom Board", "F11"},
    {"ZoomObjekte1", "Zoom &Objekte", "Zoom Components", "F12"},
    {"Lineale1", "&Lineale", "&Ruler", "F3"},
    {"FeinesRaster1", "Feines Raster...", "&Fine grid...", "Ctrl+F"},
    {"Umriss1", "&Umriss / SW", "&Black && White", "F4"},
    {"Platinewenden1", "Platine &wenden", "&Solderside", "F5"},
    {"Durchsicht1", "&Durchsicht", "&Right through", "F6"},
    {"Roentgenblick1", "&Röntgenblick", "&X-ray", "F7"},
    {"Rendering1", "&3D-Rendering", "&3D-Rendering", "F8"},
    {"Werkzeug1", "\"An&ordnen\"", "\"Arrange\"", ""},
    {"Werkzeug7", "\"&Farben\"", "\"Color\"", ""},
    {"Werkzeug12", "\"Fräsen\"", "\"Fräsen\"", ""},
    {"Alleanzeigen1", "&Alle anzeigen", "&Show all", ""},
    {"Eigenschaften1", "&Eigenschaften...", "&Properties...", "Ctrl+E"},
    {"Hinzufuegen1", "&Hinzufügen", "&Add board...", ""},
    {"PlatineLoeschen1", "&Löschen...", "&Delete board...", ""},
    {"Dateihinzufuegen1", "Da&tei hinzufügen...", "&Import from file...", ""},
    {"Platineeinsnachrechts1", "Platine eins nach r&echts", "Move &right", ""},
    {"Anmerkungen1", "&Anmerkungen...", "&Annotations...", "Ctrl+T"},
    {"Stueckliste1", "&Stückliste erstellen...", "&Create components list...", "Ctrl+L"},
    {"Layoutbearbeiten1", "&Layout bearbeiten...", "Edit board &layout...", "Ctrl+Y"},
    {"Ursprungsetzen1", "Ursprung setzen", "Set origin", ""},
    {"Sprache1", "&Sprache", "&Language", ""},
    {"Deutsch1", "&Deutsch", "&Deutsch", ""},
    {"English1", "&English", "&English", ""},
    {"Anleitung1", "&Anleitung...", "&Contents...", "F1"},
    {"Info1", "&Info...", "&Info...", ""},
};

class MenuCaptionTest : public ::testing::TestWithParam<Language> {};

INSTANTIATE_TEST_SUITE_P(BothLanguages, MenuCaptionTest,
                         ::testing::Values(Language::German, Language::English));

TEST_P(MenuCaptionTest, MenuItemsShowTheirCaptionsAndShortcuts) {
    const bool english = GetParam() == Language::English;
    ShownWindow shown(GetParam());
    for (const ItemCase& item : MenuItems) {
        const auto* action = shown->findChild<QAction*>(QString::fromLatin1(item.Name));
        ASSERT_NE(action, nullptr) << item.Name;
        EXPECT_EQ(action->text(), QString::fromUtf8(english ? item.English : item.German))
            << item.Name;
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(item.Key))) << item.Name;
    }
}

TEST_P(MenuCaptionTest, MenusStandInTheirOrder) {
    ShownWindow shown(GetParam());
    QStringList titles;
    for (QAction* menu : shown->menuBar()->actions())
        titles << menu->text();
    const QStringList expected =
        GetParam() == Language::English
            ? QStringList{"&File", "&Edit",  "&Arrange",  "&Components", "&Library",
                          "&View", "&Board", "&Settings", "&?"}
            : QStringList{"&Datei",   "&Bearbeiten", "&Anordnen",      "Bau&teil", "B&ibliothek",
                          "A&nsicht", "&Platine",    "&Einstellungen", "&?"};
    EXPECT_EQ(titles, expected);
}

TEST_P(MenuCaptionTest, ToolBarsAreCaptionedAsTheirStoredSections) {
    ShownWindow shown(GetParam());
    const QStringList german{"Anordnen",   "Ansicht", "Anzeige", "Ausrichten",
                             "Bearbeiten", "Breite",  "Farben",  "Füllen",
                             "Zoom",       "Datei",   "Kontur",  "Fräsen"};
    const QStringList english{"Arrange", "View", "Display", "Adjust", "Edit",    "Width",
                              "Colour",  "Fill", "Zoom",    "File",   "Contour", "Mill"};
    for (int number = 1; number <= MainWindow::ToolWindowCount; ++number)
        EXPECT_EQ(shown->ToolWindow(number).windowTitle(),
                  (GetParam() == Language::English ? english : german)[number - 1]);
}

TEST_P(MenuCaptionTest, ToolButtonsAndSwitchesCarryTheirHints) {
    const bool english = GetParam() == Language::English;
    ShownWindow shown(GetParam());
    const struct {
        CommandId Id;
        const char* German;
        const char* English;
    } hints[] = {
        {CommandId::ToolStandard, "Markieren,Bearbeiten,Verschieben, Ändern", "Default edit mode"},
        {CommandId::ToolWire, "Drähte ziehen (Brücke mit beiden Enden eingelötet)",
         "Draw jumper wire"},
        {CommandId::ToolTest, "Elektrische Verbindung prüfen (Durchgangstester)", "Test mode"},
        {CommandId::ViewSolderSide, "Platine wenden", "View opposite side (Turn round)"},
        {CommandId::ViewUnusedAreas, "Freie Bereiche anzeigen", "Show unused areas"},
        {CommandId::ViewRendering, "BMP-Rendering", "BMP-Rendering"},
        {CommandId::EditUndo, "Undo", "Undo"},
        {CommandId::FillBitmap, "Bitmapfüllung laden", "Load bitmap"},
    };
    for (const auto& hint : hints)
        EXPECT_EQ(shown->Action(hint.Id).toolTip(),
                  QString::fromUtf8(english ? hint.English : hint.German));
}

TEST_P(MenuCaptionTest, TheElementMenuListsItsItems) {
    ShownWindow shown(GetParam());
    QStringList items;
    for (QAction* action : shown->ElementPopup().actions())
        if (!action->isSeparator())
            items << action->text();
    const QStringList expected =
        GetParam() == Language::English
            ? QStringList{"Cut",          "Copy",         "Paste",         "Duplicate",
                          "Delete",       "Rotate",       "To front",      "To back",
                          "Build &group", "&Split group", "Properties...", "Add to library..."}
            : QStringList{"Ausschneiden",      "Kopieren",
                          "Einfügen",          "Duplizieren",
                          "Löschen",           "Rotieren",
                          "Nach vorne setzen", "Nach hinten setzen",
                          "Gruppe bilden",     "Gruppe aufheben",
                          "Eigenschaften...",  "Zur Bibliothek hinzufügen"};
    EXPECT_EQ(items, expected);
}

// The widths are written with the decimal separator of the language.
TEST_P(MenuCaptionTest, ThePenWidthListStartsAtPointFour) {
    ShownWindow shown(GetParam());
    const bool english = GetParam() == Language::English;
    const QComboBox& widths = shown->PenWidths();
    ASSERT_EQ(widths.count(), 13);
    EXPECT_EQ(widths.itemText(0), english ? u"invisible" : u"unsichtbar");
    EXPECT_EQ(widths.itemText(1), english ? u"0.1 mm" : u"0,1 mm");
    EXPECT_EQ(widths.itemText(10), english ? u"1.0 mm" : u"1,0 mm");
    EXPECT_EQ(widths.itemText(12), english ? u"2.0 mm" : u"2,0 mm");
    EXPECT_EQ(widths.currentText(), english ? u"0.4 mm" : u"0,4 mm");
    EXPECT_EQ(shown->ContourAmount().text(), english ? u"1.0" : u"1,0");
    EXPECT_EQ(widths.toolTip(),
              GetParam() == Language::English ? u"Assign width" : u"Breite zuweisen");
}

TEST(OpenDialogTest, BothLanguagesOfferTheBackupsThatAutoSaveWrites) {
    EXPECT_EQ(OpenProjectFilters(Language::German),
              (QStringList{QStringLiteral("Karvel-Projekte (*.rst)"),
                           QStringLiteral("Sicherungsdatei (*.bak)")}));
    EXPECT_EQ(OpenProjectFilters(Language::English),
              (QStringList{QStringLiteral("Karvel projects (*.rst)"),
                           QStringLiteral("Backup files (*.bak)")}));
}

TEST(CaptionTest, StrippingAcceleratorsKeepsDoubledAmpersands) {
    EXPECT_EQ(StripAccelerator(QStringLiteral("Ö&ffnen...")), u"Öffnen...");
    EXPECT_EQ(StripAccelerator(QStringLiteral("&Black && White")), u"Black & White");
    EXPECT_EQ(StripAccelerator(QStringLiteral("Fräsen")), u"Fräsen");
}

} // namespace
} // namespace karvel
