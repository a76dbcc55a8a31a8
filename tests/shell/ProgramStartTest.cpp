// The start of the program as main runs it: settings files in a program folder of their own,
// the command line, the window that comes up.

#include "shell/ProgramStart.h"
#include "board/Library.h"
#include "board/LibraryFolder.h"
#include "elements/Draht.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramSettings.h"
#include "shell/AboutWindow.h"
#include "shell/BoardArea.h"
#include "shell/InfoDisplay.h"
#include "shell/LibraryController.h"
#include "shell/ScreenPlacement.h"
#include "shell/ShellFixture.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QLocale>
#include <QtGui/QScreen>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>

namespace karvel {
namespace {

class ProgramStartTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(Program())); }
    // The test program's numbers are written in the C locale.
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    QString Program() const { return root.filePath(QStringLiteral("program")); }
    QString ProgramFile(const QString& name) const { return QDir(Program()).filePath(name); }
    void Put(const QString& name, const QByteArray& bytes) {
        QFile file(ProgramFile(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Bytes(const QString& name) const {
        QFile file(ProgramFile(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<MainWindow> Start(const QStringList& arguments, bool splash = false) {
        StartRequest request;
        request.Line = ParseCommandLine(arguments);
        request.Line.Splash = splash;
        request.SettingsFolder = Program();
        request.UserFolder = root.filePath(QStringLiteral("config/karvel"));
        auto fake = std::make_unique<test::FakeDialogs>();
        dialogs = fake.get();
        request.Dialogs = std::move(fake);
        request.SplashMilliseconds = 30;
        std::unique_ptr<MainWindow> window = StartProgram(std::move(request));
        QApplication::processEvents();
        return window;
    }

    QTemporaryDir root;
    test::FakeDialogs* dialogs = nullptr;
};

TEST_F(ProgramStartTest, RulersHiddenInTheSettingsStartHiddenAndUnchecked) {
    Put(QStringLiteral("KARVEL.INI"), "[Lineale]\r\nvisible=0\r\n");
    const auto window = Start({});
    EXPECT_FALSE(window->Area().RulersVisible());
    EXPECT_FALSE(window->Action(CommandId::ViewRulers).isChecked());
    window->Action(CommandId::ViewRulers).trigger();
    EXPECT_TRUE(window->Area().RulersVisible());
}

// The started window's view takes the settings by the same rule as ApplyStartSettings: the
// main window's file, then the layout editor's view values; the data folder is not the
// settings folder.
TEST_F(ProgramStartTest, TheSettingsFilesReachTheWindowsView) {
    Put(QStringLiteral("SPRACHE.INI"), "[Sprache]\r\nSprache=1\r\n");
    Put(QStringLiteral("KARVEL.INI"), "[Karvel]\r\nRendering=0\r\nUndoAnz=30\r\n");
    Put(QStringLiteral("LAYOUT.INI"), "[Karvel]\r\nRendering=1\r\nXRayPen=2\r\nUndoAnz=40\r\n");
    const auto window = Start({QStringLiteral("--lang"), QStringLiteral("de")});
    const ViewState& view = window->View();
    EXPECT_EQ(view.Sprache, Language::German) << "the command line wins";
    EXPECT_EQ(view.UndoDepth, 30);
    EXPECT_TRUE(view.BitmapRendering);
    EXPECT_EQ(view.XRay.Pen, 2u);
    EXPECT_EQ(view.ProgramFolder, FindProgramFolder());
}

TEST_F(ProgramStartTest, OutlineModeInTheSettingsStartsEveryBoardInOutline) {
    const QString project = root.filePath(QStringLiteral("zwei.rst"));
    ASSERT_EQ(test::WriteStripboardProject(project, {"Eins", "Zwei"}), u"");
    Put(QStringLiteral("KARVEL.INI"), "[Karvel]\r\nUmrissmodus=1\r\n");
    const auto window = Start({project});
    ASSERT_EQ(window->BoardCount(), 2);
    EXPECT_TRUE(window->Action(CommandId::ViewOutline).isChecked());
    EXPECT_TRUE(window->Board(0).UmrissModus());
    EXPECT_TRUE(window->Board(1).UmrissModus());
    // Between the strips of rows 0 and 1: white instead of the board's yellow.
    const QPoint surface = window->CurrentBoard().BoardToControl({127 + 254, 254});
    EXPECT_EQ(window->Control(window->CurrentIndex()).grab().toImage().pixelColor(surface),
              QColor(Qt::white));
}

TEST_F(ProgramStartTest, TheOpenDialogStartsInTheFolderOfTheEditfile) {
    const QString folder = root.filePath(QStringLiteral("Meine Projekte"));
    ASSERT_TRUE(QDir().mkpath(folder));
    Put(QStringLiteral("KARVEL.INI"), "[Karvel]\r\nEditfile=" + folder.toUtf8() + "/alt.rst\r\n");
    const auto window = Start({});
    window->Action(CommandId::FileOpen).trigger();
    EXPECT_EQ(dialogs->openDialogs, 1);
    EXPECT_EQ(dialogs->lastFolder, folder);
}

TEST_F(ProgramStartTest, TheWindowFitsTheScreenAndComesBackWhereItWasClosed) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_LT(available.height(), MainWindowStartSize.height())
        << "a screen smaller than the start";
    {
        const auto window = Start({});
        EXPECT_TRUE(available.contains(window->frameGeometry()))
            << "the whole window is on the screen, its frame included";
        window->setGeometry(QRect(available.topLeft() + QPoint(30, 40), QSize(600, 500)));
        window->close();
    }
    EXPECT_TRUE(Bytes(QStringLiteral("KARVEL.INI")).contains("[Hauptfenster]"));
    {
        const auto window = Start({});
        EXPECT_EQ(window->geometry(), QRect(available.topLeft() + QPoint(30, 40), QSize(600, 500)));
        EXPECT_FALSE(window->isMaximized());
        window->showMaximized();
        window->close();
    }
    const auto window = Start({});
    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(window->normalGeometry().size(), QSize(600, 500));
}

TEST_F(ProgramStartTest, AStoredPlaceOffTheScreenIsBroughtBackOntoIt) {
    Put(QStringLiteral("KARVEL.INI"),
        "[Hauptfenster]\r\nleft=5000\r\ntop=-300\r\nwidth=3000\r\nheight=400\r\n");
    const auto window = Start({});
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(available.contains(window->frameGeometry()));
    EXPECT_EQ(window->geometry().height(), 400);
}

TEST_F(ProgramStartTest, TheTitlePictureIsGoneBeforeAnyMessageAndStaysGone) {
    const auto splashShown = [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<AboutWindow*>(widget) != nullptr && widget->isVisible())
                return true;
        return false;
    };
    StartRequest request;
    std::vector<bool> splashDuringMessages;
    auto fake = std::make_unique<test::FakeDialogs>();
    fake->onMessage = [&] { splashDuringMessages.push_back(splashShown()); };
    request.Line = ParseCommandLine({root.filePath(QStringLiteral("fehlt.rst"))});
    request.SettingsFolder = Program();
    request.UserFolder = root.filePath(QStringLiteral("config"));
    request.Dialogs = std::move(fake);
    request.SplashMilliseconds = 30;
    ASSERT_TRUE(request.Line.Splash);
    const auto window = StartProgram(std::move(request));
    EXPECT_EQ(splashDuringMessages, std::vector<bool>{false});
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 100)
        QApplication::processEvents();
    EXPECT_FALSE(splashShown());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(ProgramStartTest, TheDesktopIsGivenNoDisplayNameToAppendToTheTitle) {
    NameApplication();
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    const auto window = Start({});
    EXPECT_EQ(window->windowTitle(), u"Karvel 3.0");
}

// Every page that cannot be read is told once at start, whichever page the settings show first.
TEST_F(ProgramStartTest, ADamagedLibraryPageIsToldOnce) {
    const struct {
        const char* name;
        QByteArray settings;
    } cases[] = {{"no page stored", ""},
                 {"the damaged page stored", "[Karvel]\r\nLastLib=0\r\n"},
                 {"another page stored", "[Karvel]\r\nLastLib=1\r\n"}};
    const QString folder = ProgramFile(QStringLiteral("Lib"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString shipped = QStringLiteral(KARVEL_SOURCE_DIR "/resources/Library/de/");
    for (const char* page : {"LIB1.Lib", "LIB2.Lib"})
        ASSERT_TRUE(
            QFile::copy(shipped + QLatin1String(page), QDir(folder).filePath(QLatin1String(page))));
    // "Kondensatoren" sorts before "Widerstände": the damaged page is the first one.
    QFile damaged(QDir(folder).filePath(QStringLiteral("LIB2.Lib")));
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    ASSERT_TRUE(damaged.resize(damaged.size() - 30));
    damaged.close();
    for (const auto& c : cases) {
        Put(QStringLiteral("KARVEL.INI"), c.settings);
        const auto window = Start({QStringLiteral("--lang"), QStringLiteral("de")});
        ASSERT_EQ(dialogs->messages.size(), 1u) << c.name;
        EXPECT_TRUE(dialogs->messages[0].Text.contains(QStringLiteral("LIB2.Lib"))) << c.name;
    }
}

// Settings -> Language stores the next start's language; the window keeps its own until then,
// and the library may take the pages of the new language beside the user's own.
TEST_F(ProgramStartTest, TheLanguageMenuStoresTheNextStartsLanguageAndOffersItsPages) {
    const struct {
        const char* name;
        bool addPages;
        int pages;
    } cases[] = {{"pages added", true, 18}, {"pages declined", false, 9}};
    for (const auto& c : cases) {
        QDir(ProgramFile(QStringLiteral("Lib"))).removeRecursively();
        QFile::remove(ProgramFile(QStringLiteral("SPRACHE.INI")));
        auto window = Start({});
        ASSERT_TRUE(window->LibraryPages().IsOpen()) << c.name;
        const QString german = ProgramFile(QStringLiteral("Lib/LIB1.Lib"));
        QFile seeded(german);
        ASSERT_TRUE(seeded.open(QIODevice::ReadOnly)) << c.name;
        const QByteArray own = seeded.readAll();
        seeded.close();
        EXPECT_TRUE(window->Action(CommandId::LanguageGerman).isChecked()) << c.name;

        dialogs->confirmAnswer = c.addPages;
        window->Action(CommandId::LanguageEnglish).trigger();
        EXPECT_EQ(ReadLanguageSetting(
                      SettingsStore(Program(), root.filePath(QStringLiteral("config/karvel")))),
                  1)
            << c.name;
        EXPECT_TRUE(window->Action(CommandId::LanguageEnglish).isChecked()) << c.name;
        EXPECT_FALSE(window->Action(CommandId::LanguageGerman).isChecked()) << c.name;
        ASSERT_EQ(dialogs->confirmations.size(), 1u) << c.name;
        EXPECT_TRUE(dialogs->confirmations[0].Text.contains(QStringLiteral("nächsten Start")))
            << "asked in the window's language";
        EXPECT_EQ(window->Sprache(), Language::German) << "until the next start";
        EXPECT_EQ(LibraryPageFiles(ProgramFile(QStringLiteral("Lib"))).size(), std::size_t(c.pages))
            << c.name;
        QStringList listed;
        for (const LibraryPage& page : window->LibraryPages().Pages()->Pages())
            listed << page.Name;
        EXPECT_EQ(listed.contains(QStringLiteral("Resistors")), c.addPages) << c.name;
        EXPECT_TRUE(listed.contains(QStringLiteral("Widerstände"))) << c.name;
        QFile kept(german);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), own) << "the user's pages stay as they are";

        window.reset();
        window = Start({});
        EXPECT_EQ(window->Sprache(), Language::English) << c.name;
        EXPECT_TRUE(window->Action(CommandId::LanguageEnglish).isChecked()) << c.name;
        EXPECT_EQ(LibraryPageFiles(ProgramFile(QStringLiteral("Lib"))).size(), std::size_t(c.pages))
            << "nothing seeded into a folder with pages";
    }
}

// A project with one wire of two hole pitches, to read its length in the information display.
QString WriteWireProject(const QString& path) {
    ViewState view;
    auto board = test::MakeStripboard(view, QStringLiteral("Draht"));
    auto wire = std::make_unique<TDraht>();
    wire->BauteilTyp = TBauteilTyp::btDraht;
    wire->Nodes = {test::Hole(1, 2), test::Hole(3, 2)};
    board->Add(std::move(wire));
    return SaveProjectFile(path, {board.get()});
}

TEST_F(ProgramStartTest, NumbersAreWrittenAsTheLanguageWritesThem) {
    const QString project = root.filePath(QStringLiteral("draht.rst"));
    ASSERT_EQ(WriteWireProject(project), u"");
    const struct {
        const char* language;
        const char* width;
        const char* amount;
        const char* length;
    } cases[] = {{"de", "0,4 mm", "1,0", "L = 5,08 mm"}, {"en", "0.4 mm", "1.0", "L = 5.08 mm"}};
    for (const auto& c : cases) {
        const auto window =
            Start({QStringLiteral("--lang"), QString::fromLatin1(c.language), project});
        EXPECT_EQ(window->PenWidths().currentText(), QString::fromUtf8(c.width)) << c.language;
        EXPECT_EQ(window->ContourAmount().text(), QString::fromUtf8(c.amount)) << c.language;
        TPlatine& board = window->CurrentBoard();
        TBauteil* wire = board.At(board.Count() - 1);
        board.SetSelected(wire, true);
        window->DoMenues();
        EXPECT_EQ(window->Display().Second(), QString::fromUtf8(c.length)) << c.language;
    }
}

} // namespace
} // namespace karvel
