#pragma once
// The settings file of a window ("KARVEL.INI" for the main window, "LAYOUT.INI" for the board
// layout editor): every key it reads with its default, and the few it writes back.

#include "platform/Colour.h"
#include "platform/RecentFilesSettings.h"
#include "platform/SettingsStore.h"

#include <optional>
#include <QtCore/QRect>
#include <QtCore/QString>
#include <utility>
#include <vector>

namespace karvel {

// Where a tool window stands, as stored in the section named after its caption in the current
// language.
struct ToolWindowSettings {
    int Left = 100;
    int Top = 100;
    QString Parent = QStringLiteral("none"); // "Top_ControlBar", "Bottom_ControlBar" or "none"
    bool Visible = true;
    bool operator==(const ToolWindowSettings&) const = default;
};

// Where the main window stood when it was closed: its normal size and place, and whether it
// was maximised.
struct WindowGeometry {
    std::optional<QRect> Normal;
    bool Maximised = false;
    bool operator==(const WindowGeometry&) const = default;
};

// What a window reads when it is created.
struct WindowSettings {
    bool Rendering = true; // fill bitmaps drawn
    QString ExportDir;     // the program folder unless set
    Colour XRayPen = 12171705;
    Colour XRayBrush = 13684944;
    Colour XRayPenBW = 12171705;
    Colour XRayBrushBW = 13684944;
    int UndoAnz = 10;
    double FineGrid = 10.0; // board units
    int LastLib = 0;        // library page shown at start
    QString BitmapPath;     // the program folder's "Bitmaps/" unless set
    QString EditFile;       // its folder is where the file dialogs start without a project file
    bool AutoSave = true;
    int AutoSaveInterval = 10; // minutes
    bool RulersVisible = true;
    bool Umrissmodus = false; // new boards start in black-and-white outline view
    WindowGeometry Geometry;
    bool operator==(const WindowSettings&) const = default;
};

using ToolWindowSettingsList = std::vector<std::pair<QString, ToolWindowSettings>>;

class ProgramSettings {
public:
    static QString MainWindowFile() { return QStringLiteral("KARVEL.INI"); }
    static QString LayoutEditorFile() { return QStringLiteral("LAYOUT.INI"); }
    static QString LanguageFile() { return QStringLiteral("SPRACHE.INI"); }
    // The section of the main settings.
    static QString MainSection() { return QStringLiteral("Karvel"); }
    // The section of the main window's size and place.
    static QString WindowSection() { return QStringLiteral("Hauptfenster"); }

    ProgramSettings(SettingsStore store, QString fileName);

    const SettingsStore& Store() const { return store_; }
    const QString& FileName() const { return fileName_; }
    // The file as it is on disk now; reads after a write see what was written.
    IniFile Load() const { return store_.Load(fileName_); }

    WindowSettings Read() const;
    // Numbers that would break the program (an undo depth or auto-save interval below one, a
    // negative fine grid or page index) give the default, as text that is not a number does.
    static WindowSettings FromIni(const IniFile& ini, const QString& programFolder);
    // The paths of section "MRU", the most recent first.
    QStringList ReadRecentFiles() const;
    QString ReadBitmapPath() const;
    QString ReadEditFile() const;
    ToolWindowSettings ReadToolWindow(const QString& caption) const;
    static ToolWindowSettings ToolWindowFromIni(const IniFile& ini, const QString& caption);

    // Each writes at once, into the file as it is on disk, and says where it went or why not.
    SettingsWriteResult WriteRecentFiles(const QStringList& mostRecentFirst) const;
    SettingsWriteResult WriteBitmapPath(const QString& folder) const;
    SettingsWriteResult WriteExportDir(const QString& folder) const;
    SettingsWriteResult WriteToolWindows(const ToolWindowSettingsList& windows) const;
    SettingsWriteResult WriteWindowGeometry(const WindowGeometry& geometry) const;

private:
    SettingsStore store_;
    QString fileName_;
};

// The program folder as every path below it is built from: with a trailing separator.
QString WithTrailingSeparator(const QString& folder);

// The language value from "SPRACHE.INI": 0 when the file or key is missing or not a number.
int ReadLanguageSetting(const SettingsStore& store);
// Stores the language value the program starts with next time; where it went or why not.
SettingsWriteResult WriteLanguageSetting(const SettingsStore& store, int value);

} // namespace karvel
