// The library panel in the main window, driven as a user would: the starter pages of a new
// user's folder, leafing, clicking a part onto the board, the status lines, the context menu
// and the library commands with their questions, and the page written when it should be.

#include "shell/LibraryPanel.h"
#include "board/Bibo.h"
#include "board/Library.h"
#include "board/ProjectFile.h"
#include "elements/Gruppe.h"
#include "elements/Txtlabel.h"
#include "shell/InfoDisplay.h"
#include "shell/LibraryController.h"
#include "shell/LibraryView.h"
#include "shell/ShellFixture.h"
#include "support/SampleBoard.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QToolButton>

namespace karvel {
namespace {

using test::ShownWindow;

QString Resources() {
    return QStringLiteral(KARVEL_SOURCE_DIR "/resources");
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A component dialog that answers as told, for as long as it lives.
class AnsweringComponentDialog : public ComponentDialog {
public:
    AnsweringComponentDialog() : previous_(TGruppe::Dialog()) { TGruppe::SetDialog(this); }
    ~AnsweringComponentDialog() override { TGruppe::SetDialog(previous_); }
    std::optional<ComponentFields> Ask(const ComponentFields& current) override {
        shown.push_back(current);
        return answer;
    }
    std::optional<ComponentFields> answer;
    std::vector<ComponentFields> shown;

private:
    ComponentDialog* previous_;
};

// A new user's window: the starter pages of the language seeded into an empty program folder.
class LibraryWindowTest : public ::testing::Test {
protected:
    explicit LibraryWindowTest(Language language = Language::English)
        : setup_(LibraryFolder::Prepare(program_.path(), Resources(), language, QString())),
          shown_(language, setup_) {}

    LibraryController& Controller() const { return shown_->LibraryPages(); }
    TBibo& Page() const { return Controller().Page(); }
    Library& Pages() const { return *Controller().Pages(); }
    LibraryPanel& Panel() const { return shown_->Library(); }
    LibraryView& View() const { return *Panel().View(); }

    void ShowPageNamed(const QString& name) {
        const QStringList names = PageNames();
        ASSERT_TRUE(names.contains(name)) << name.toStdString();
        Panel().PageList()->setCurrentIndex(int(names.indexOf(name)));
        Q_EMIT Panel().PageList()->activated(int(names.indexOf(name)));
    }
    QStringList PageNames() const {
        QStringList names;
        for (int i = 0; i < Panel().PageList()->count(); ++i)
            names << Panel().PageList()->itemText(i);
        return names;
    }
    // Where a component with that description stands in the view.
    QPoint Middle(const QString& description) const {
        for (const TBibo::Slot& slot : Page().Slots())
            if (slot.Component->Description == description)
                return {slot.Position.x() + slot.Size.width() / 2,
                        slot.Position.y() + slot.Size.height() / 2};
        ADD_FAILURE() << "no component " << description.toStdString();
        return {};
    }
    void ClickPart(const QString& description, Qt::MouseButton button = Qt::LeftButton) {
        test::Click(View(), Middle(description), button);
        QApplication::processEvents();
    }
    QStringList Descriptions() const {
        QStringList found;
        for (const auto& element : Page().Bauteile())
            found << static_cast<TGruppe&>(*element).Description;
        return found;
    }

    QTemporaryDir program_;
    LibrarySetup setup_;
    ShownWindow shown_;
};

TEST_F(LibraryWindowTest, ANewUserFindsTheStarterPagesSortedByName) {
    EXPECT_TRUE(setup_.Problem.isEmpty());
    EXPECT_EQ(QDir(setup_.Folder).entryList({QStringLiteral("*.Lib")}).size(), 9);
    EXPECT_FALSE(Panel().ShowsNoPageNote());
    const QStringList names = PageNames();
    ASSERT_EQ(names.size(), 9);
    QStringList sorted = names;
    sorted.sort(Qt::CaseInsensitive);
    EXPECT_EQ(names, sorted);
    EXPECT_EQ(Panel().PageList()->currentIndex(), 0);
    EXPECT_EQ(Page().PlatinenName(), names.front());
    EXPECT_EQ(Page().ViewWidth(), Panel().ScrollBox()->viewport()->width());
    EXPECT_EQ(View().height(), Page().PageHeight());
    EXPECT_TRUE(shown_.dialogs->messages.empty());
}

TEST_F(LibraryWindowTest, LeafingGoesRoundAndThePageListFollows) {
    const QStringList names = PageNames();
    Panel().BackButton()->click();
    EXPECT_EQ(Page().PlatinenName(), names.back());
    EXPECT_EQ(Panel().PageList()->currentIndex(), names.size() - 1);
    Panel().ForwardButton()->click();
    EXPECT_EQ(Page().PlatinenName(), names.front());
    Panel().ForwardButton()->click();
    EXPECT_EQ(Page().PlatinenName(), names.at(1));
    EXPECT_FALSE(Page().Slots().empty());
}

TEST_F(LibraryWindowTest, ThePageIsDrawnWithGreyLinesUnderTheComponents) {
    ShowPageNamed(QStringLiteral("Resistors"));
    const QImage picture = View().grab().toImage();
    const TBibo::Slot& slot = Page().Slots().front();
    const int line = slot.Bottom() + TBibo::BandBelow - 1;
    EXPECT_EQ(picture.pixelColor(Page().ViewWidth() / 2, line), QColor(80, 80, 80));
    EXPECT_EQ(picture.pixelColor(Page().ViewWidth() / 2, line + 3), QColor(0xFE, 0xF5, 0xCF))
        << "the library's background";
    // The body of the resistor, beige, across the middle of its slot (where in it depends on
    // the width of its labels).
    bool body = false;
    for (int x = slot.Position.x(); x < slot.Position.x() + slot.Size.width(); ++x)
        body = body || picture.pixelColor(x, slot.Position.y() + slot.Size.height() / 2) ==
                           QColor(222, 196, 150);
    EXPECT_TRUE(body);
}

struct PlacingCase {
    const char* Page;
    const char* Description;
    TPlatinenModus Mode;
};

void PrintTo(const PlacingCase& c, std::ostream* os) {
    *os << c.Page << ": " << c.Description;
}

class LibraryPlacingTest : public LibraryWindowTest,
                           public ::testing::WithParamInterface<PlacingCase> {};

INSTANTIATE_TEST_SUITE_P(
    Parts, LibraryPlacingTest,
    ::testing::Values(
        PlacingCase{"Resistors", "Resistor 0.25 W, 7.62 mm pitch", TPlatinenModus::pm_Zweipol},
        PlacingCase{"Capacitors", "Electrolytic 5 mm, 2.54 mm pitch", TPlatinenModus::pm_Zweipol},
        PlacingCase{"IC sockets", "IC socket DIP-8, 7.62 mm", TPlatinenModus::pm_Platzieren},
        PlacingCase{"Transistors", "NPN TO-92, C B E", TPlatinenModus::pm_Platzieren},
        PlacingCase{"Connectors", "Pin header 1×2, 2.54 mm pitch", TPlatinenModus::pm_Platzieren}));

// Clicking a two-lead part stretches its leads on the board; any other part is placed whole.
TEST_P(LibraryPlacingTest, ClickingAPartStartsPlacingItOnTheBoard) {
    ShowPageNamed(QString::fromUtf8(GetParam().Page));
    const int before = shown_.Board().Count();
    ClickPart(QString::fromUtf8(GetParam().Description));
    EXPECT_EQ(shown_.Board().Modus(), GetParam().Mode);
    EXPECT_TRUE(shown_.Board().CursorCaptured());
    ASSERT_EQ(shown_.Board().Count(), before + 1);
    const auto* placed = dynamic_cast<TGruppe*>(shown_.Board().At(before));
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->Description, QString::fromUtf8(GetParam().Description));
    EXPECT_EQ(Page().Current()->Description, placed->Description);
    EXPECT_TRUE(Page().Current()->IstMarkiert()) << "shown as chosen";
    EXPECT_EQ(Page().Count(), Page().Slots().size()) << "the page keeps its part";
}

// The part placed just before is still selected when the next one is clicked: only the new part
// comes to the middle of the view.
TEST_P(LibraryPlacingTest, APartPlacedBeforeStaysWhereItIs) {
    TPlatine& board = shown_.Board();
    TBauteil* earlier = board.Add(test::MakeResistor());
    board.SetzeMarkierung(earlier, true);
    const std::vector<QPoint> anchors = earlier->CurrentAnchors();
    ShowPageNamed(QString::fromUtf8(GetParam().Page));
    ClickPart(QString::fromUtf8(GetParam().Description));
    ASSERT_EQ(board.Modus(), GetParam().Mode);
    EXPECT_EQ(earlier->CurrentAnchors(), anchors);
    EXPECT_FALSE(earlier->IstMarkiert());
}

// A part placed with a click leaves the board ready: the very next click in the library takes
// the next part, without the pointer having to pass over the board first.
TEST_F(LibraryWindowTest, TheNextPartIsTakenRightAfterPlacing) {
    ShowPageNamed(QStringLiteral("IC sockets"));
    ClickPart(QStringLiteral("IC socket DIP-8, 7.62 mm"));
    ASSERT_EQ(shown_.Board().Modus(), TPlatinenModus::pm_Platzieren);
    test::Click(shown_.Control(), shown_.Board().BoardToControl(test::Hole(12, 12)));
    ASSERT_EQ(shown_.Board().Modus(), TPlatinenModus::pm_Standard);
    ShowPageNamed(QStringLiteral("Resistors"));
    ClickPart(QStringLiteral("Resistor 0.25 W, 7.62 mm pitch"));
    EXPECT_EQ(shown_.Board().Modus(), TPlatinenModus::pm_Zweipol);
    EXPECT_EQ(shown_.Board().Count(), 2);
}

// Parts placed, undone, the view zoomed, and the next part taken: the board's tools hold nothing
// of the parts that undo took away.
TEST_F(LibraryWindowTest, PlacingGoesOnAfterUndoAndZoom) {
    TPlatine& board = shown_.Board();
    const auto click = [&](int column, int row) {
        const QPoint at = board.BoardToControl(test::Hole(column, row));
        test::MouseMove(shown_.Control(), at);
        test::Click(shown_.Control(), at);
        QApplication::processEvents();
    };
    ShowPageNamed(QStringLiteral("IC sockets"));
    ClickPart(QStringLiteral("IC socket DIP-8, 7.62 mm"));
    click(12, 12);
    ShowPageNamed(QStringLiteral("Resistors"));
    ClickPart(QStringLiteral("Resistor 0.25 W, 7.62 mm pitch"));
    click(4, 4);
    click(4, 8);
    ASSERT_EQ(board.Count(), 2);
    shown_->Action(CommandId::EditUndo).trigger();
    shown_->Action(CommandId::EditUndo).trigger();
    shown_->Action(CommandId::ZoomIn).trigger();
    QApplication::processEvents();
    ShowPageNamed(QStringLiteral("Diodes and LEDs"));
    ClickPart(QStringLiteral("LED 5 mm"));
    click(6, 6);
    click(6, 7);
    EXPECT_EQ(board.Modus(), TPlatinenModus::pm_Standard);
    shown_->Action(CommandId::EditUndo).trigger();
    shown_->Action(CommandId::EditRedo).trigger();
    ClickPart(QStringLiteral("LED 3 mm"));
    shown_->Action(CommandId::EditUndo).trigger();
    click(8, 6);
    click(8, 7);
}

TEST_F(LibraryWindowTest, AClickBesideThePartsPlacesNothing) {
    test::Click(View(), {5, Page().PageHeight() - 2});
    EXPECT_EQ(shown_.Board().Count(), 0);
    EXPECT_EQ(shown_.Board().Modus(), TPlatinenModus::pm_Standard);
}

TEST_F(LibraryWindowTest, HoveringShowsThePartsKindAndValue) {
    ShowPageNamed(QStringLiteral("Transistors"));
    test::MouseMove(View(), Middle(QStringLiteral("NPN TO-92, E B C")));
    EXPECT_EQ(shown_->Display().First(), QStringLiteral("Q2: NPN TO-92, E B C"));
    EXPECT_EQ(shown_->Display().Second(), QStringLiteral("2N3904"));
    // A click sends the pointer over to the board while the view still holds the mouse: the
    // moves it then reports are not over the view's parts.
    const QPoint other = Middle(QStringLiteral("NPN TO-92, C B E"));
    for (const QPoint at : {other, QPoint(View().width() + 300, other.y())}) {
        const bool held = at == other;
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(View().mapToGlobal(at)),
                         Qt::NoButton, held ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&View(), &move);
        EXPECT_EQ(shown_->Display().First(), QStringLiteral("Q2: NPN TO-92, E B C"));
    }
}

TEST_F(LibraryWindowTest, ARightClickChoosesThePartAndOpensTheLibraryMenu) {
    ShowPageNamed(QStringLiteral("Diodes and LEDs"));
    ClickPart(QStringLiteral("LED 5 mm"), Qt::RightButton);
    EXPECT_TRUE(shown_->LibraryPopup().isVisible());
    EXPECT_EQ(Page().Current()->Description, QStringLiteral("LED 5 mm"));
    EXPECT_EQ(shown_.Board().Count(), 0) << "nothing is placed";
    EXPECT_TRUE(shown_->Action(CommandId::LibPopupDelete).isEnabled());
    shown_->LibraryPopup().close();
}

TEST_F(LibraryWindowTest, TheComponentCommandsNeedAChosenComponent) {
    for (const CommandId id : {CommandId::LibraryToTop, CommandId::LibraryUp,
                               CommandId::LibraryDeleteComponent, CommandId::LibPopupDelete})
        EXPECT_FALSE(shown_->Action(id).isEnabled());
    EXPECT_TRUE(shown_->Action(CommandId::LibPopupNewPage).isEnabled());
    ClickPart(Page().Slots().front().Component->Description, Qt::RightButton);
    shown_->LibraryPopup().close();
    for (const CommandId id : {CommandId::LibraryToTop, CommandId::LibraryUp,
                               CommandId::LibraryDeleteComponent, CommandId::LibPopupDelete})
        EXPECT_TRUE(shown_->Action(id).isEnabled());
}

TEST_F(LibraryWindowTest, MovingAComponentIsKeptWhenAnotherPageIsShown) {
    ShowPageNamed(QStringLiteral("Resistors"));
    const QString path = Page().PagePath();
    const QString last = Descriptions().back();
    ClickPart(last, Qt::RightButton);
    shown_->LibraryPopup().close();
    shown_->Execute(CommandId::LibraryUp);
    EXPECT_EQ(Descriptions().at(Descriptions().size() - 2), last);
    shown_->Execute(CommandId::LibPopupToTop);
    EXPECT_EQ(Descriptions().front(), last);
    ShowPageNamed(QStringLiteral("Capacitors"));
    TBibo read(shown_->View());
    ASSERT_FALSE(ReadLibraryPage(path, read).has_value());
    EXPECT_EQ(static_cast<TGruppe&>(*read.At(0)).Description, last);
}

TEST_F(LibraryWindowTest, EveryBackupWritesTheShownPage) {
    ShowPageNamed(QStringLiteral("Resistors"));
    const QString path = Page().PagePath();
    const QString last = Descriptions().back();
    ClickPart(last, Qt::RightButton);
    shown_->LibraryPopup().close();
    shown_->Execute(CommandId::LibPopupToTop);
    shown_.dialogs->nextSaveFile = program_.filePath(QStringLiteral("p.rst"));
    ASSERT_TRUE(shown_->SaveProject(true));
    shown_->SetAutoSave(true, 1);
    shown_->AutoSaveTick();
    TBibo read(shown_->View());
    ASSERT_FALSE(ReadLibraryPage(path, read).has_value());
    EXPECT_EQ(static_cast<TGruppe&>(*read.At(0)).Description, last);
}

TEST_F(LibraryWindowTest, DeletingAComponentAsksFirst) {
    ShowPageNamed(QStringLiteral("Diodes and LEDs"));
    ClickPart(QStringLiteral("LED 3 mm"), Qt::RightButton);
    shown_->LibraryPopup().close();
    shown_->Execute(CommandId::LibPopupDelete);
    ASSERT_EQ(shown_.dialogs->confirmations.size(), 1u);
    EXPECT_EQ(shown_.dialogs->confirmations[0].Caption, QStringLiteral("Delete component"));
    EXPECT_EQ(shown_.dialogs->confirmations[0].Text,
              QStringLiteral("Delete component \"LED 3 mm\" \rfrom the library?"));
    EXPECT_TRUE(Descriptions().contains(QStringLiteral("LED 3 mm"))) << "No keeps it";
    shown_.dialogs->confirmAnswer = true;
    shown_->Execute(CommandId::LibraryDeleteComponent);
    EXPECT_FALSE(Descriptions().contains(QStringLiteral("LED 3 mm")));
    EXPECT_EQ(Page().Slots().size(), std::size_t(Page().Count()));
}

TEST_F(LibraryWindowTest, ANewPageTakesItsNameFromTheDialogAndTheNextFreeFile) {
    shown_.dialogs->nextPageName = std::nullopt;
    shown_->Execute(CommandId::LibraryNewPage);
    ASSERT_EQ(shown_.dialogs->pageNameRequests.size(), 1u);
    EXPECT_EQ(shown_.dialogs->pageNameRequests[0],
              (std::pair{QStringLiteral("New page"), QStringLiteral("LIB10.Lib")}));
    EXPECT_EQ(PageNames().size(), 9) << "Cancel makes no page";

    shown_.dialogs->nextPageName = QStringLiteral("My parts");
    shown_->Execute(CommandId::LibPopupNewPage);
    EXPECT_TRUE(QFile::exists(QDir(setup_.Folder).filePath(QStringLiteral("LIB10.Lib"))));
    EXPECT_EQ(PageNames().size(), 10);
    EXPECT_EQ(Page().PlatinenName(), QStringLiteral("My parts"));
    EXPECT_EQ(Panel().PageList()->currentText(), QStringLiteral("My parts"));
    EXPECT_EQ(Page().Count(), 0);
}

TEST_F(LibraryWindowTest, RenamingAndDeletingAPage) {
    ShowPageNamed(QStringLiteral("Miscellaneous"));
    const QString path = Page().PagePath();
    shown_.dialogs->nextPageName = QStringLiteral("Odds and ends");
    shown_->Execute(CommandId::LibraryRenamePage);
    EXPECT_EQ(shown_.dialogs->pageNameRequests.back(),
              (std::pair{QStringLiteral("Miscellaneous"), QFileInfo(path).fileName()}));
    EXPECT_EQ(Panel().PageList()->currentText(), QStringLiteral("Odds and ends"));
    EXPECT_EQ(ReadPageName(path), QStringLiteral("Odds and ends"));

    shown_.dialogs->confirmAnswer = true;
    shown_->Execute(CommandId::LibPopupDeletePage);
    EXPECT_EQ(shown_.dialogs->confirmations.back().Text,
              QStringLiteral("Delete page \"Odds and ends\" \rfrom library?"));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(PageNames().size(), 8);
}

TEST_F(LibraryWindowTest, AddingToTheLibraryNeedsTheComponentDialog) {
    shown_.Board().Add(test::MakeResistor())->SetIstMarkiert(true);
    shown_->DoMenues();
    EXPECT_FALSE(shown_->Action(CommandId::ComponentAddToLibrary).isEnabled());
    AnsweringComponentDialog dialog;
    shown_->DoMenues();
    EXPECT_TRUE(shown_->Action(CommandId::ComponentAddToLibrary).isEnabled());
}

TEST_F(LibraryWindowTest, AWireAndALabelFromTheBoardBecomeOneComponentOnThePage) {
    AnsweringComponentDialog dialog;
    dialog.answer = ComponentFields{QStringLiteral("W#"), QStringLiteral("red"),
                                    QStringLiteral("Jumper with a tag"), true};
    ShowPageNamed(QStringLiteral("Resistors"));
    const int before = Page().Count();
    TPlatine& board = shown_.Board();
    board.Add(test::MakeWire(TBauteilTyp::btDraht, {{254, 381}, {1016, 381}}));
    auto label = std::make_unique<TTextLabel>();
    label->SetTextString(QStringLiteral("tag"));
    label->Position = {254, 500};
    board.Add(std::move(label));
    board.MarkiereAlle(true);
    shown_->DoMenues();
    shown_->Execute(CommandId::ComponentAddToLibrary);

    ASSERT_EQ(Page().Count(), before + 1);
    const auto& added = static_cast<TGruppe&>(*Page().At(before));
    EXPECT_EQ(added.Members().size(), 2u);
    EXPECT_EQ(added.Description, QStringLiteral("Jumper with a tag"));
    EXPECT_EQ(Page().Slots().size(), std::size_t(before + 1));
    EXPECT_EQ(board.Count(), 2) << "the board keeps its elements";
    // Written at the next occasion: here, closing the window.
    const QString path = Page().PagePath();
    shown_->close();
    TBibo read(shown_->View());
    ASSERT_FALSE(ReadLibraryPage(path, read).has_value());
    EXPECT_EQ(read.Count(), before + 1);
}

TEST_F(LibraryWindowTest, PropertiesAreSavedAtOnce) {
    AnsweringComponentDialog dialog;
    ShowPageNamed(QStringLiteral("Resistors"));
    ClickPart(QStringLiteral("Resistor 0.25 W, standing"), Qt::RightButton);
    shown_->LibraryPopup().close();
    dialog.answer = ComponentFields{QStringLiteral("R#"), QStringLiteral("4k7"),
                                    QStringLiteral("Standing 4k7"), true};
    shown_->Execute(CommandId::LibPopupProperties);
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].Description, QStringLiteral("Resistor 0.25 W, standing"));
    TBibo read(shown_->View());
    ASSERT_FALSE(ReadLibraryPage(Page().PagePath(), read).has_value());
    QStringList stored;
    for (const auto& element : read.Bauteile())
        stored << static_cast<TGruppe&>(*element).Description;
    EXPECT_TRUE(stored.contains(QStringLiteral("Standing 4k7")));
}

TEST(LibraryDamagedPageTest, IsNamedAtStartAndNeverWrittenOver) {
    QTemporaryDir program;
    const QString folder = QDir(program.path()).filePath(QStringLiteral("Lib"));
    QDir().mkpath(folder);
    ASSERT_TRUE(QFile::copy(Resources() + QStringLiteral("/Library/de/LIB1.Lib"),
                            QDir(folder).filePath(QStringLiteral("LIB1.Lib"))));
    const QString path = QDir(folder).filePath(QStringLiteral("LIB1.Lib"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.resize(file.size() - 30);
    file.close();
    const QByteArray damaged = Bytes(path);

    AnsweringComponentDialog dialog;
    dialog.answer =
        ComponentFields{QStringLiteral("X#"), QStringLiteral("x"), QStringLiteral("x"), true};
    ShownWindow shown(Language::German, {folder, {}});
    ASSERT_EQ(shown.dialogs->messages.size(), 1u);
    EXPECT_TRUE(shown.dialogs->messages[0].Text.contains(QStringLiteral("\"Widerstände\"")));
    EXPECT_EQ(shown.dialogs->messages[0].Icon, MessageIcon::Error);

    shown.Board().Add(test::MakeResistor())->SetIstMarkiert(true);
    shown->DoMenues();
    shown->Execute(CommandId::ComponentAddToLibrary);
    EXPECT_EQ(shown.dialogs->messages.size(), 2u) << "told that the page is not changed";
    shown->close();
    EXPECT_EQ(Bytes(path), damaged);
}

TEST(LibraryWithoutFolderTest, AnEmptyFolderIsNamedInTheNote) {
    QTemporaryDir folder;
    ShownWindow shown(Language::English, {folder.path(), {}});
    EXPECT_TRUE(shown->Library().ShowsNoPageNote());
    const auto* note = shown->Library().findChild<QLabel*>(QStringLiteral("KeineBibliothek"));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->text().contains(folder.path()));
    // A first page can still be made there.
    shown.dialogs->nextPageName = QStringLiteral("Mine");
    shown->Execute(CommandId::LibraryNewPage);
    EXPECT_TRUE(QFile::exists(QDir(folder.path()).filePath(QStringLiteral("LIB1.Lib"))));
    EXPECT_FALSE(shown->Library().ShowsNoPageNote());
}

TEST(LibraryWithoutFolderTest, ShowsTheNoteAndRunsNoLibraryCommand) {
    ShownWindow shown;
    EXPECT_TRUE(shown->Library().ShowsNoPageNote());
    for (const CommandId id :
         {CommandId::LibraryNewPage, CommandId::LibPopupNewPage, CommandId::ComponentAddToLibrary})
        EXPECT_FALSE(shown->Action(id).isEnabled());
}

} // namespace
} // namespace karvel
