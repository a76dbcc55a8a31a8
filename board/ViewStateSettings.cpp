#include "board/ViewStateSettings.h"

namespace karvel {

Language LanguageFromSetting(int value) {
    switch (value) {
    case 1:
        return Language::English;
    case 2:
        return Language::French;
    default:
        return Language::German;
    }
}

void ApplyViewSettings(const WindowSettings& settings, ViewState& view) {
    view.BitmapRendering = settings.Rendering;
    view.XRay.Pen = settings.XRayPen;
    view.XRay.Brush = settings.XRayBrush;
    view.XRay.PenBW = settings.XRayPenBW;
    view.XRay.BrushBW = settings.XRayBrushBW;
}

void ApplyMainWindowSettings(const WindowSettings& settings, ViewState& view) {
    ApplyViewSettings(settings, view);
    view.UndoDepth = settings.UndoAnz;
    view.FineGrid = settings.FineGrid;
}

Language StartLanguage(const SettingsStore& store, std::optional<Language> chosen) {
    return chosen.value_or(LanguageFromSetting(ReadLanguageSetting(store)));
}

void ApplyStartSettings(const SettingsStore& store, std::optional<Language> chosen,
                        ViewState& view) {
    view.Sprache = StartLanguage(store, chosen);
    ApplyMainWindowSettings(ProgramSettings(store, ProgramSettings::MainWindowFile()).Read(), view);
    ApplyViewSettings(ProgramSettings(store, ProgramSettings::LayoutEditorFile()).Read(), view);
}

} // namespace karvel
