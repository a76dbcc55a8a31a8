#pragma once
// Carries what the settings files say into the program-wide view state that boards and
// elements read, and turns the stored language value into the program's language.

#include "elements/ViewState.h"
#include "platform/Language.h"
#include "platform/ProgramSettings.h"

#include <optional>

namespace karvel {

// 1 English, 2 French (German but for the undo depth dialog); every other value German.
Language LanguageFromSetting(int value);

// What both windows read when they are created: bitmap rendering and the X-ray colours.
void ApplyViewSettings(const WindowSettings& settings, ViewState& view);
// The main window reads the undo depth and the fine grid step as well.
void ApplyMainWindowSettings(const WindowSettings& settings, ViewState& view);

// The language of a start: the one chosen on the command line, else the stored one.
Language StartLanguage(const SettingsStore& store, std::optional<Language> chosen);

// The start of the program: the language, the main window's settings and then the layout
// editor's view values, which are in force because that window is created second. The program
// folder is left alone: the data (layouts, examples) need not lie beside the settings files.
void ApplyStartSettings(const SettingsStore& store, std::optional<Language> chosen,
                        ViewState& view);

} // namespace karvel
