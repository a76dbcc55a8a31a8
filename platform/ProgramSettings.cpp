#include "platform/ProgramSettings.h"

#include <limits>

namespace karvel {

namespace {

int AtLeastOne(int value, int fallback) {
    return value >= 1 ? value : fallback;
}

WindowSettings ReadKarvelSection(const IniFile& ini, const QString& folder) {
    const QString section = ProgramSettings::MainSection();
    WindowSettings s;
    s.Rendering = ini.ReadBool(section, QStringLiteral("Rendering"), s.Rendering);
    s.ExportDir = ini.ReadString(section, QStringLiteral("ExportDir"), folder);
    s.XRayPen = ini.ReadColour(section, QStringLiteral("XRayPen"), s.XRayPen);
    s.XRayBrush = ini.ReadColour(section, QStringLiteral("XRayBrush"), s.XRayBrush);
    s.XRayPenBW = ini.ReadColour(section, QStringLiteral("XRayPenBW"), s.XRayPenBW);
    s.XRayBrushBW = ini.ReadColour(section, QStringLiteral("XRayBrushBW"), s.XRayBrushBW);
    s.UndoAnz =
        AtLeastOne(ini.ReadInteger(section, QStringLiteral("UndoAnz"), s.UndoAnz), s.UndoAnz);
    const double fineGrid = ini.ReadFloat(section, QStringLiteral("FineGrid"), s.FineGrid);
    s.FineGrid = fineGrid >= 0 ? fineGrid : s.FineGrid;
    s.LastLib = std::max(0, ini.ReadInteger(section, QStringLiteral("LastLib"), s.LastLib));
    s.BitmapPath =
        ini.ReadString(section, QStringLiteral("BitmapPath"), folder + QStringLiteral("Bitmaps/"));
    s.EditFile = ini.ReadString(section, QStringLiteral("Editfile"));
    // On only for exactly "1", the value the program itself writes.
    s.Umrissmodus = ini.ReadString(section, QStringLiteral("Umrissmodus")) == QStringLiteral("1");
    return s;
}

// All four numbers, and a size of at least one pixel, or no stored place at all.
WindowGeometry ReadGeometry(const IniFile& ini) {
    const QString section = ProgramSettings::WindowSection();
    WindowGeometry geometry;
    geometry.Maximised = ini.ReadBool(section, QStringLiteral("maximised"), false);
    constexpr int Missing = std::numeric_limits<int>::min();
    const int left = ini.ReadInteger(section, QStringLiteral("left"), Missing);
    const int top = ini.ReadInteger(section, QStringLiteral("top"), Missing);
    const int width = ini.ReadInteger(section, QStringLiteral("width"), 0);
    const int height = ini.ReadInteger(section, QStringLiteral("height"), 0);
    if (left != Missing && top != Missing && width > 0 && height > 0)
        geometry.Normal = QRect(left, top, width, height);
    return geometry;
}

} // namespace

QString WithTrailingSeparator(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

ProgramSettings::ProgramSettings(SettingsStore store, QString fileName)
    : store_(std::move(store)), fileName_(std::move(fileName)) {}

WindowSettings ProgramSettings::FromIni(const IniFile& ini, const QString& programFolder) {
    WindowSettings s = ReadKarvelSection(ini, WithTrailingSeparator(programFolder));
    const QString backup = QStringLiteral("Backup");
    s.AutoSave = ini.ReadBool(backup, QStringLiteral("Aktiv"), s.AutoSave);
    s.AutoSaveInterval =
        AtLeastOne(ini.ReadInteger(backup, QStringLiteral("Intervall"), s.AutoSaveInterval),
                   s.AutoSaveInterval);
    s.RulersVisible =
        ini.ReadBool(QStringLiteral("Lineale"), QStringLiteral("visible"), s.RulersVisible);
    s.Geometry = ReadGeometry(ini);
    return s;
}

WindowSettings ProgramSettings::Read() const {
    return FromIni(Load(), store_.ProgramFolder());
}

QStringList ProgramSettings::ReadRecentFiles() const {
    return karvel::ReadRecentFiles(Load());
}

QString ProgramSettings::ReadBitmapPath() const {
    return Load().ReadString(MainSection(), QStringLiteral("BitmapPath"),
                             WithTrailingSeparator(store_.ProgramFolder()) +
                                 QStringLiteral("Bitmaps/"));
}

QString ProgramSettings::ReadEditFile() const {
    return Load().ReadString(MainSection(), QStringLiteral("Editfile"));
}

ToolWindowSettings ProgramSettings::ToolWindowFromIni(const IniFile& ini, const QString& caption) {
    ToolWindowSettings p;
    p.Left = ini.ReadInteger(caption, QStringLiteral("left"), p.Left);
    p.Top = ini.ReadInteger(caption, QStringLiteral("top"), p.Top);
    p.Parent = ini.ReadString(caption, QStringLiteral("parent"), p.Parent);
    p.Visible = ini.ReadBool(caption, QStringLiteral("Visible"), p.Visible);
    return p;
}

ToolWindowSettings ProgramSettings::ReadToolWindow(const QString& caption) const {
    return ToolWindowFromIni(Load(), caption);
}

SettingsWriteResult ProgramSettings::WriteRecentFiles(const QStringList& mostRecentFirst) const {
    return store_.Update(fileName_,
                         [&](IniFile& ini) { karvel::WriteRecentFiles(ini, mostRecentFirst); });
}

SettingsWriteResult ProgramSettings::WriteBitmapPath(const QString& folder) const {
    return store_.Update(fileName_, [&](IniFile& ini) {
        ini.WriteString(MainSection(), QStringLiteral("BitmapPath"), folder);
    });
}

// Stored with its trailing separator, as the default the reader gives is.
SettingsWriteResult ProgramSettings::WriteExportDir(const QString& folder) const {
    return store_.Update(fileName_, [&](IniFile& ini) {
        ini.WriteString(MainSection(), QStringLiteral("ExportDir"), WithTrailingSeparator(folder));
    });
}

SettingsWriteResult ProgramSettings::WriteToolWindows(const ToolWindowSettingsList& windows) const {
    return store_.Update(fileName_, [&](IniFile& ini) {
        for (const auto& [caption, p] : windows) {
            ini.WriteInteger(caption, QStringLiteral("left"), p.Left);
            ini.WriteInteger(caption, QStringLiteral("top"), p.Top);
            ini.WriteString(caption, QStringLiteral("parent"), p.Parent);
            ini.WriteBool(caption, QStringLiteral("Visible"), p.Visible);
        }
    });
}

SettingsWriteResult ProgramSettings::WriteWindowGeometry(const WindowGeometry& geometry) const {
    return store_.Update(fileName_, [&](IniFile& ini) {
        const QString section = WindowSection();
        if (geometry.Normal) {
            ini.WriteInteger(section, QStringLiteral("left"), geometry.Normal->left());
            ini.WriteInteger(section, QStringLiteral("top"), geometry.Normal->top());
            ini.WriteInteger(section, QStringLiteral("width"), geometry.Normal->width());
            ini.WriteInteger(section, QStringLiteral("height"), geometry.Normal->height());
        }
        ini.WriteBool(section, QStringLiteral("maximised"), geometry.Maximised);
    });
}

int ReadLanguageSetting(const SettingsStore& store) {
    const QString section = QStringLiteral("Sprache");
    return store.Load(ProgramSettings::LanguageFile()).ReadInteger(section, section, 0);
}

SettingsWriteResult WriteLanguageSetting(const SettingsStore& store, int value) {
    const QString section = QStringLiteral("Sprache");
    return store.Update(ProgramSettings::LanguageFile(),
                        [&](IniFile& ini) { ini.WriteInteger(section, section, value); });
}

} // namespace karvel
