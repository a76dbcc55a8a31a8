#pragma once
// The program's manual: one HTML file per language below the program folder, with an anchor
// "topic-N" for every topic N the windows open it at.

#include <array>
#include <functional>
#include <QtCore/QString>
#include <QtCore/QUrl>

namespace karvel {

// The topics, by the window or dialog whose help opens them.
namespace ManualTopic {
inline constexpr int MainWindow = 2000;
inline constexpr int BoardProperties = 3000;
inline constexpr int FineGrid = 8000;
inline constexpr int AutoSave = 9000;
// The size dialog (drilling, pad, track) and the text label dialog share one topic.
inline constexpr int SizeDialog = 10000;
inline constexpr int TextLabel = 10000;
inline constexpr int Print = 14000;
inline constexpr int Annotations = 15000;
inline constexpr int LibraryPage = 16000;
inline constexpr int Component = 17000;
// The layout editor and its pad-with-drilling dialog share one topic.
inline constexpr int LayoutEditor = 18000;
inline constexpr int PadWithDrilling = 18000;
inline constexpr int ComponentAssistant = 19200;

// Every topic once.
inline constexpr std::array All{
    MainWindow,  BoardProperties, FineGrid,  AutoSave,     SizeDialog,         Print,
    Annotations, LibraryPage,     Component, LayoutEditor, ComponentAssistant,
};
} // namespace ManualTopic

// How a manual file is shown at a topic; true when it was shown.
using ManualOpener = std::function<bool(const QString& file, int topic)>;

// The manual file for a language below the program folder: "Anleitung/Karvel30.html" in
// German, "Manual/Karvel30.html" in English (and every other language).
QString ManualFile(const QString& programFolder, bool english);
// The anchor of a topic in the manual: "topic-2000".
QString ManualAnchor(int topic);
// The manual file opened at the topic's anchor.
QUrl ManualUrl(const QString& file, int topic);

// False when no manual is installed for the language; otherwise the opener's answer.
bool ShowHelpTopic(int topic, const QString& programFolder, bool english, const ManualOpener& open);

} // namespace karvel
