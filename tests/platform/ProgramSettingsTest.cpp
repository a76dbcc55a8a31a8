#include "platform/ProgramSettings.h"

#include "board/ViewStateSettings.h"
#include "platform/ColourDialogSettings.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRandomGenerator>
#include <QtCore/QTemporaryDir>
#include <sys/stat.h>

namespace karvel {
namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A program folder and a user configuration folder in a temporary place; the user folder is
// not created, as on a first start.
class SettingsFolders : public ::testing::Test {
protected:
    QString Program() const { return QDir(root.path()).filePath(QStringLiteral("program")); }
    QString User() const { return QDir(root.path()).filePath(QStringLiteral("config/karvel")); }
    QString ProgramFile(const QString& name) const { return QDir(Program()).filePath(name); }
    QString UserFile(const QString& name) const { return QDir(User()).filePath(name); }

    void SetUp() override { ASSERT_TRUE(QDir().mkpath(Program())); }

    void Put(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(bytes);
    }

    SettingsStore Store(SettingsStore::WritableCheck canWrite = {}) const {
        return SettingsStore(Program(), User(), std::move(canWrite));
    }
    ProgramSettings Main(SettingsStore::WritableCheck canWrite = {}) const {
        return ProgramSettings(Store(std::move(canWrite)), ProgramSettings::MainWindowFile());
    }
    WindowSettings Defaults() const {
        WindowSettings defaults;
        defaults.ExportDir = Program() + u'/';
        defaults.BitmapPath = Program() + QStringLiteral("/Bitmaps/");
        return defaults;
    }

    QTemporaryDir root;
};

TEST_F(SettingsFolders, MissingFilesGiveTheDefaults) {
    const WindowSettings read = Main().Read();
    EXPECT_EQ(read, Defaults());
    EXPECT_TRUE(read.Rendering);
    EXPECT_EQ(read.XRayPen, 0xB9B9B9u);
    EXPECT_EQ(read.XRayBrush, 0xD0D0D0u);
    EXPECT_EQ(read.UndoAnz, 10);
    EXPECT_DOUBLE_EQ(read.FineGrid, 10.0);
    EXPECT_TRUE(read.AutoSave);
    EXPECT_EQ(read.AutoSaveInterval, 10);
    EXPECT_TRUE(read.RulersVisible);
    EXPECT_FALSE(read.Umrissmodus);
    EXPECT_EQ(Main().ReadBitmapPath(), Program() + QStringLiteral("/Bitmaps/"));
    EXPECT_EQ(ReadLanguageSetting(Store()), 0);
    EXPECT_EQ(Main().ReadToolWindow(QStringLiteral("Anordnen")), ToolWindowSettings{});
    EXPECT_TRUE(Main().ReadRecentFiles().isEmpty());
    CustomColours white;
    white.fill(colours::White);
    EXPECT_EQ(ReadCustomColours(Store()), white);
    EXPECT_FALSE(QFileInfo::exists(User())) << "reading creates nothing";
}

TEST_F(SettingsFolders, ReadsEveryKeyWhateverItsCase) {
    Put(ProgramFile(QStringLiteral("KARVEL.INI")), "[KARVEL]\r\n"
                                                   "rendering=0\r\n"
                                                   "EXPORTDIR=/home/anna/Export\r\n"
                                                   "XRayPen=1\r\n"
                                                   "xraybrush=2\r\n"
                                                   "XRayPenBW=3\r\n"
                                                   "XRAYBRUSHBW=4\r\n"
                                                   "UndoAnz=50\r\n"
                                                   "FineGrid=25.4\r\n"
                                                   "LastLib=3\r\n"
                                                   "BitmapPath=/home/anna/Bilder,alt\\\r\n"
                                                   "EditFile=/home/anna/Board.rst\r\n"
                                                   "Umrissmodus=1\r\n"
                                                   "[backup]\r\n"
                                                   "AKTIV=0\r\n"
                                                   "intervall=3\r\n"
                                                   "[LINEALE]\r\n"
                                                   "Visible=0\r\n");
    WindowSettings expected;
    expected.Rendering = false;
    expected.ExportDir = QStringLiteral("/home/anna/Export");
    expected.XRayPen = 1;
    expected.XRayBrush = 2;
    expected.XRayPenBW = 3;
    expected.XRayBrushBW = 4;
    expected.UndoAnz = 50;
    expected.FineGrid = 25.4;
    expected.LastLib = 3;
    expected.BitmapPath = QStringLiteral("/home/anna/Bilder,alt\\");
    expected.EditFile = QStringLiteral("/home/anna/Board.rst");
    expected.Umrissmodus = true;
    expected.AutoSave = false;
    expected.AutoSaveInterval = 3;
    expected.RulersVisible = false;
    EXPECT_EQ(Main().Read(), expected);
    EXPECT_EQ(Main().ReadBitmapPath(), expected.BitmapPath);
    EXPECT_EQ(Main().ReadEditFile(), expected.EditFile);
}

TEST_F(SettingsFolders, UnusableNumbersGiveTheDefault) {
    const WindowSettings d = Defaults();
    const struct {
        const char* lines;
        std::function<bool(const WindowSettings&)> holds;
    } cases[] = {
        {"[Karvel]\nUndoAnz=abc", [&](auto& s) { return s.UndoAnz == 10; }},
        {"[Karvel]\nUndoAnz=0", [&](auto& s) { return s.UndoAnz == 10; }},
        {"[Karvel]\nUndoAnz=-5", [&](auto& s) { return s.UndoAnz == 10; }},
        {"[Karvel]\nUndoAnz=1", [&](auto& s) { return s.UndoAnz == 1; }},
        {"[Backup]\nIntervall=0", [&](auto& s) { return s.AutoSaveInterval == 10; }},
        {"[Backup]\nIntervall=", [&](auto& s) { return s.AutoSaveInterval == 10; }},
        {"[Karvel]\nFineGrid=-1", [&](auto& s) { return s.FineGrid == 10.0; }},
        {"[Karvel]\nFineGrid=zehn", [&](auto& s) { return s.FineGrid == 10.0; }},
        {"[Karvel]\nFineGrid=25,4", [&](auto& s) { return s.FineGrid == 25.4; }},
        {"[Karvel]\nLastLib=-1", [&](auto& s) { return s.LastLib == 0; }},
        {"[Karvel]\nXRayPen=-1", [&](auto& s) { return s.XRayPen == d.XRayPen; }},
        {"[Karvel]\nXRayBrush=16777216", [&](auto& s) { return s.XRayBrush == d.XRayBrush; }},
        {"[Karvel]\nXRayPenBW=grau", [&](auto& s) { return s.XRayPenBW == d.XRayPenBW; }},
        {"[Karvel]\nRendering=ja", [&](auto& s) { return s.Rendering; }},
        {"[Karvel]\nRendering=2", [&](auto& s) { return s.Rendering; }},
        {"[Karvel]\nUmrissmodus=2", [&](auto& s) { return !s.Umrissmodus; }},
        {"[Karvel]\nUmrissmodus= 1 ", [&](auto& s) { return s.Umrissmodus; }},
        {"[Backup]\nIntervall=20", [&](auto& s) { return s.AutoSave && s.AutoSaveInterval == 20; }},
        {"[Lineale]\nvisible=yes", [&](auto& s) { return s.RulersVisible; }},
    };
    for (const auto& c : cases) {
        const WindowSettings s = ProgramSettings::FromIni(IniFile::FromBytes(c.lines), Program());
        EXPECT_TRUE(c.holds(s)) << c.lines;
    }
}

TEST_F(SettingsFolders, LanguageComesFromSpracheIni) {
    const struct {
        const char* fileName;
        QByteArray content;
        int value;
    } cases[] = {
        {"SPRACHE.INI", "[Sprache]\r\nSprache=1\r\n", 1},
        {"sprache.ini", "[SPRACHE]\nsprache=2\n", 2},
        {"SPRACHE.INI", "[Sprache]\nSprache=English\n", 0},
        {"SPRACHE.INI", "[Language]\nSprache=1\n", 0},
        {"SPRACHE.INI", QByteArray("\0\1\xFF=Sprache=1\n", 14), 0},
    };
    for (const auto& c : cases) {
        const QString path = ProgramFile(QString::fromLatin1(c.fileName));
        Put(path, c.content);
        EXPECT_EQ(ReadLanguageSetting(Store()), c.value) << c.content.toStdString();
        QFile::remove(path);
    }

    const struct {
        int value;
        Language language;
    } languages[] = {{0, Language::German},
                     {1, Language::English},
                     {2, Language::French},
                     {3, Language::German},
                     {-1, Language::German}};
    for (const auto& l : languages)
        EXPECT_EQ(LanguageFromSetting(l.value), l.language) << l.value;
}

TEST_F(SettingsFolders, ToolWindowsAreSectionsNamedAfterTheirCaptions) {
    const QString layout = ProgramFile(QStringLiteral("LAYOUT.INI"));
    Put(layout, "; layout editor\r\n"
                "[Karvel]\r\nXRayPen=5\r\n"
                "[Anordnen]\r\nparent=Top_ControlBar\r\nleft=7\r\n"
                "[Fr\xE4sen]\r\nVisible=0\r\n");
    const ProgramSettings settings(Store(), ProgramSettings::LayoutEditorFile());
    ToolWindowSettings docked;
    docked.Parent = QStringLiteral("Top_ControlBar");
    docked.Left = 7;
    EXPECT_EQ(settings.ReadToolWindow(QStringLiteral("Anordnen")), docked);
    EXPECT_EQ(settings.ReadToolWindow(QStringLiteral("Arrange")), ToolWindowSettings{})
        << "the English caption is a section of its own";
    EXPECT_FALSE(settings.ReadToolWindow(QStringLiteral("FRÄSEN")).Visible);

    ToolWindowSettings floating{300, -20, QStringLiteral("none"), false};
    ToolWindowSettings bottom{100, 100, QStringLiteral("Bottom_ControlBar"), true};
    const SettingsWriteResult result = settings.WriteToolWindows(
        {{QStringLiteral("Fräsen"), floating}, {QStringLiteral("Zoom"), bottom}});
    ASSERT_TRUE(result.Ok) << result.Error.toStdString();
    EXPECT_EQ(result.Path, layout);
    EXPECT_EQ(settings.ReadToolWindow(QStringLiteral("Fräsen")), floating);
    EXPECT_EQ(settings.ReadToolWindow(QStringLiteral("Zoom")), bottom);
    EXPECT_EQ(settings.ReadToolWindow(QStringLiteral("Anordnen")), docked);
    EXPECT_EQ(settings.Read().XRayPen, 5u);
    const QByteArray bytes = ReadBytes(layout);
    EXPECT_TRUE(bytes.startsWith("; layout editor\r\n"));
    EXPECT_TRUE(
        bytes.contains("[Fr\xE4sen]\r\nVisible=0\r\nleft=300\r\ntop=-20\r\nparent=none\r\n"))
        << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("\r\n[Zoom]\r\nleft=100\r\ntop=100\r\nparent=Bottom_ControlBar\r\n"
                               "Visible=1\r\n"));
}

TEST_F(SettingsFolders, RecentFilesAndBitmapFolderAreWrittenBackInPlace) {
    const QString karvel = ProgramFile(QStringLiteral("KARVEL.INI"));
    Put(karvel, "[Karvel]\r\nUndoAnz=25\r\n[MRU]\r\nMRU0=/Boards/Old.rst\r\n");
    const QStringList files =
        AddRecentFile(Main().ReadRecentFiles(), QStringLiteral("/home/Anna/Neue Platine.rst"));
    ASSERT_TRUE(Main().WriteRecentFiles(files).Ok);
    const SettingsWriteResult bitmap = Main().WriteBitmapPath(QStringLiteral("/home/Anna/BMP,1\\"));
    ASSERT_TRUE(bitmap.Ok) << bitmap.Error.toStdString();
    EXPECT_EQ(bitmap.Path, karvel);
    EXPECT_EQ(ReadBytes(karvel),
              QByteArray("[Karvel]\r\nUndoAnz=25\r\nBitmapPath=/home/Anna/BMP,1\\\r\n"
                         "[MRU]\r\nMRU0=/home/Anna/Neue Platine.rst\r\n"
                         "MRU1=/Boards/Old.rst\r\n"));
    EXPECT_EQ(Main().ReadRecentFiles(), files);
    EXPECT_FALSE(QFileInfo::exists(User())) << "a portable copy keeps its settings to itself";
}

TEST_F(SettingsFolders, ReadOnlyProgramFolderMovesTheSettingsToTheUser) {
    const QString karvel = ProgramFile(QStringLiteral("KARVEL.INI"));
    const QByteArray installed = "[Karvel]\r\nUndoAnz=25\r\n";
    Put(karvel, installed);
    Put(ProgramFile(QStringLiteral("SPRACHE.INI")), "[Sprache]\r\nSprache=0\r\n");
    const QByteArray folderName = QFile::encodeName(Program());
    ASSERT_EQ(::chmod(folderName.constData(), 0555), 0);
    // Root writes into the read-only folder all the same; then the check of the folder is
    // what stands between the write and the installed file, so the test injects it.
    QFile probe(ProgramFile(QStringLiteral("probe")));
    const bool permissionsHold = !probe.open(QIODevice::WriteOnly);
    probe.remove();
    const QString program = Program();
    const SettingsStore::WritableCheck check =
        permissionsHold ? SettingsStore::WritableCheck{} : [program](const QString& path) {
            return !path.startsWith(program) && SettingsStore::IsWritableLocation(path);
        };

    const SettingsWriteResult first = Main(check).WriteBitmapPath(QStringLiteral("/pics/"));
    const SettingsWriteResult second = Main(check).WriteBitmapPath(QStringLiteral("/pics2/"));
    Put(UserFile(QStringLiteral("SPRACHE.INI")), "[Sprache]\r\nSprache=1\r\n");
    const WindowSettings read = Main(check).Read();
    const QByteArray programBytes = ReadBytes(karvel);
    ::chmod(folderName.constData(), 0755);

    ASSERT_TRUE(first.Ok) << first.Error.toStdString();
    EXPECT_EQ(first.Path, UserFile(QStringLiteral("KARVEL.INI")));
    EXPECT_EQ(second.Path, first.Path);
    EXPECT_EQ(programBytes, installed) << "the installed file is left alone";
    EXPECT_EQ(ReadBytes(first.Path), QByteArray("[Karvel]\r\nUndoAnz=25\r\nBitmapPath=/pics2/\r\n"))
        << "the user's copy starts from the installed settings";
    EXPECT_EQ(read.UndoAnz, 25);
    EXPECT_EQ(read.BitmapPath, QStringLiteral("/pics2/"));
    EXPECT_EQ(ReadLanguageSetting(Store(check)), 1) << "the user's copy wins for every file";
}

// A portable copy that can write its own folder keeps its settings there, even when an earlier
// installation left a user's copy behind.
TEST_F(SettingsFolders, AWritableProgramFolderWinsOverTheUsersCopy) {
    const QString karvel = ProgramFile(QStringLiteral("KARVEL.INI"));
    Put(karvel, "[Karvel]\r\nUndoAnz=25\r\n");
    Put(ProgramFile(QStringLiteral("SPRACHE.INI")), "[Sprache]\r\nSprache=0\r\n");
    ASSERT_TRUE(QDir().mkpath(User()));
    const QByteArray userCopy = "[Karvel]\r\nUndoAnz=40\r\n";
    Put(UserFile(QStringLiteral("KARVEL.INI")), userCopy);
    Put(UserFile(QStringLiteral("SPRACHE.INI")), "[Sprache]\r\nSprache=1\r\n");

    EXPECT_EQ(Main().Read().UndoAnz, 25);
    EXPECT_EQ(ReadLanguageSetting(Store()), 0);
    EXPECT_EQ(Store().ReadPath(QStringLiteral("KARVEL.INI")), karvel);
    const SettingsWriteResult written = Main().WriteBitmapPath(QStringLiteral("/pics/"));
    ASSERT_TRUE(written.Ok) << written.Error.toStdString();
    EXPECT_EQ(written.Path, karvel);
    EXPECT_EQ(Main().ReadBitmapPath(), QStringLiteral("/pics/"));
    EXPECT_EQ(ReadBytes(UserFile(QStringLiteral("KARVEL.INI"))), userCopy)
        << "the user's copy is left alone";
}

// A settings file saved as UTF-8 by an editor of this system keeps its recent files through
// the next write.
TEST_F(SettingsFolders, RecentFilesOfAUtf8FileSurviveTheNextWrite) {
    const QString karvel = ProgramFile(QStringLiteral("KARVEL.INI"));
    const QByteArray utf8 = "[MRU]\nMRU0=/home/anna/Gr\xC3\xBC\xC3\x9F"
                            "e \xE2\x82\xAC.rst\n";
    Put(karvel, utf8);
    const QString old = QStringLiteral("/home/anna/Grüße €.rst");
    ASSERT_EQ(Main().ReadRecentFiles(), QStringList{old});
    const QStringList files = AddRecentFile(Main().ReadRecentFiles(), QStringLiteral("/b.rst"));
    ASSERT_TRUE(Main().WriteRecentFiles(files).Ok);
    EXPECT_EQ(Main().ReadRecentFiles(), (QStringList{QStringLiteral("/b.rst"), old}));
    EXPECT_EQ(ReadBytes(karvel), QByteArray("[MRU]\nMRU0=/b.rst\nMRU1=/home/anna/Gr\xC3\xBC\xC3\x9F"
                                            "e \xE2\x82\xAC.rst\n"));
}

TEST_F(SettingsFolders, TheWindowsPlaceIsKeptInTheMainSettings) {
    EXPECT_EQ(Main().Read().Geometry, WindowGeometry{}) << "nothing stored yet";
    const WindowGeometry stored{QRect(40, -10, 900, 600), true};
    ASSERT_TRUE(Main().WriteWindowGeometry(stored).Ok);
    EXPECT_EQ(Main().Read().Geometry, stored);
    EXPECT_TRUE(ReadBytes(ProgramFile(QStringLiteral("KARVEL.INI")))
                    .contains("[Hauptfenster]\r\nleft=40\r\ntop=-10\r\nwidth=900\r\n"
                              "height=600\r\nmaximised=1\r\n"));
    Put(ProgramFile(QStringLiteral("KARVEL.INI")),
        "[Hauptfenster]\r\nleft=40\r\ntop=10\r\nwidth=0\r\nheight=600\r\n");
    EXPECT_EQ(Main().Read().Geometry, WindowGeometry{}) << "a window without width is no place";
}

TEST_F(SettingsFolders, WriteThatCannotLandAnywhereIsReported) {
    const QString karvel = ProgramFile(QStringLiteral("KARVEL.INI"));
    Put(karvel, "[Karvel]\r\nUndoAnz=25\r\n");
    QDir().mkpath(QFileInfo(User()).path());
    Put(User(), "a file where the folder should be");
    const auto never = [](const QString&) { return false; };
    const QStringList files{QStringLiteral("/a.rst")};
    const SettingsWriteResult result = Main(never).WriteRecentFiles(files);
    EXPECT_FALSE(result.Ok);
    EXPECT_FALSE(result.Error.isEmpty());
    EXPECT_EQ(ReadBytes(karvel), QByteArray("[Karvel]\r\nUndoAnz=25\r\n"));
}

TEST_F(SettingsFolders, DamagedFilesGiveTheDefaults) {
    QByteArray garbage(200 * 1024, '\0');
    QRandomGenerator random(99);
    for (char& byte : garbage)
        byte = char(random.bounded(256));
    const QByteArray huge = "[Karvel]\r\nUndoAnz=30\r\n" + QByteArray(5 << 20, '\x01');
    for (const QByteArray& bytes : {garbage, huge}) {
        Put(ProgramFile(QStringLiteral("KARVEL.INI")), bytes);
        Put(ProgramFile(QStringLiteral("SPRACHE.INI")), bytes);
        Put(ProgramFile(QStringLiteral("Colors.dat")), bytes);
        WindowSettings read = Main().Read();
        EXPECT_EQ(read.UndoAnz, 10);
        EXPECT_DOUBLE_EQ(read.FineGrid, 10.0);
        EXPECT_EQ(ReadLanguageSetting(Store()), 0);
        EXPECT_EQ(ReadCustomColours(Store())[0], colours::White);
    }

    // The oversized file is not replaced by the little that was understood of it.
    const QStringList files{QStringLiteral("/a.rst")};
    const SettingsWriteResult result = Main().WriteRecentFiles(files);
    ASSERT_TRUE(result.Ok) << result.Error.toStdString();
    EXPECT_EQ(result.Path, UserFile(QStringLiteral("KARVEL.INI")));
    EXPECT_EQ(QFileInfo(ProgramFile(QStringLiteral("KARVEL.INI"))).size(), huge.size());
    EXPECT_EQ(Main().ReadRecentFiles(), files);
}

TEST_F(SettingsFolders, CustomColoursRoundTripThroughColorsDat) {
    Put(ProgramFile(QStringLiteral("colors.dat")), "ColorA=0000FF\r\ncolorb=$00ff00\r\n"
                                                   "ColorC=zz\r\nColorD=1234567\r\n"
                                                   "ColorE=-12\r\nColorP=0xB9B9B9\r\n");
    CustomColours expected;
    expected.fill(colours::White);
    expected[0] = 0x0000FF;
    expected[1] = 0x00FF00;
    expected[15] = 0xB9B9B9;
    EXPECT_EQ(ReadCustomColours(Store()), expected);

    expected[2] = RgbColour(1, 2, 3);
    const SettingsWriteResult result = WriteCustomColours(Store(), expected);
    ASSERT_TRUE(result.Ok) << result.Error.toStdString();
    EXPECT_EQ(result.Path, ProgramFile(QStringLiteral("colors.dat")));
    EXPECT_EQ(ReadCustomColours(Store()), expected);
    EXPECT_TRUE(
        ReadBytes(result.Path).startsWith("ColorA=0000FF\r\ncolorb=00FF00\r\nColorC=030201\r\n"))
        << ReadBytes(result.Path).toStdString();
}

TEST_F(SettingsFolders, StartSettingsReachTheViewState) {
    Put(ProgramFile(QStringLiteral("SPRACHE.INI")), "[Sprache]\r\nSprache=1\r\n");
    Put(ProgramFile(QStringLiteral("KARVEL.INI")),
        "[Karvel]\r\nRendering=0\r\nXRayPen=1\r\nXRayBrushBW=7\r\nUndoAnz=30\r\nFineGrid=25.4\r\n");
    Put(ProgramFile(QStringLiteral("LAYOUT.INI")), "[Karvel]\r\nRendering=1\r\nXRayPen=2\r\n"
                                                   "UndoAnz=40\r\nFineGrid=5\r\n");
    ViewState view;
    const QString dataFolder = QStringLiteral("/usr/share/karvel");
    view.ProgramFolder = dataFolder;
    ApplyStartSettings(Store(), std::nullopt, view);
    EXPECT_EQ(view.Sprache, Language::English);
    EXPECT_EQ(view.ProgramFolder, dataFolder)
        << "the layouts and examples need not lie beside the settings files";
    EXPECT_EQ(view.UndoDepth, 30) << "only the main window reads the undo depth";
    EXPECT_DOUBLE_EQ(view.FineGrid, 25.4) << "only the main window reads the fine grid";
    EXPECT_TRUE(view.BitmapRendering) << "the layout editor is created last";
    EXPECT_EQ(view.XRay.Pen, 2u);
    EXPECT_EQ(view.XRay.BrushBW, XRayColours{}.BrushBW) << "the layout editor's default wins";
}

TEST_F(SettingsFolders, TheCommandLinesLanguageWinsOverTheStoredOne) {
    Put(ProgramFile(QStringLiteral("SPRACHE.INI")), "[Sprache]\r\nSprache=1\r\n");
    ViewState view;
    ApplyStartSettings(Store(), Language::German, view);
    EXPECT_EQ(view.Sprache, Language::German);
    EXPECT_EQ(StartLanguage(Store(), std::nullopt), Language::English);
}

TEST(SettingsStore, UserFolderFollowsXdgConfigHome) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const bool wasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/srv/conf");
    const QString absolute = SettingsStore::DefaultUserFolder();
    qputenv("XDG_CONFIG_HOME", "relative/conf");
    const QString relative = SettingsStore::DefaultUserFolder();
    qunsetenv("XDG_CONFIG_HOME");
    const QString unset = SettingsStore::DefaultUserFolder();
    if (wasSet)
        qputenv("XDG_CONFIG_HOME", saved);

    EXPECT_EQ(absolute, QStringLiteral("/srv/conf/karvel"));
    EXPECT_EQ(relative, QDir::homePath() + QStringLiteral("/.config/karvel"));
    EXPECT_EQ(unset, relative);
}

} // namespace
} // namespace karvel
