#pragma once
// The start of the program between its command line and the event loop: the language and the
// settings files, the title picture while the main window is built, the window at its stored
// place inside the screen, and the project named on the command line.

#include "board/LibraryFolder.h"
#include "platform/SettingsStore.h"
#include "shell/CommandLine.h"
#include "shell/ShellDialogs.h"

#include <memory>
#include <QtCore/QString>

namespace karvel {

class MainWindow;

struct StartRequest {
    CommandLine Line;
    // Where "SPRACHE.INI", "KARVEL.INI" and "LAYOUT.INI" lie: the program's own folder.
    QString SettingsFolder;
    QString UserFolder = SettingsStore::DefaultUserFolder();
    // Where the library pages go when the program's folder cannot take them.
    QString LibraryUserFolder = LibraryFolder::DefaultUserFolder();
    // The desktop's dialogs when none are given.
    std::unique_ptr<ShellDialogs> Dialogs;
    // How long the title picture stays up at least, the building of the window included.
    int SplashMilliseconds = 2001;
};

// Names the program for the desktop. It sets no display name: the desktop would append that
// to every window title, which names the program already.
void NameApplication();

// Builds, places and shows the main window, and opens the project of the command line. The
// title picture is gone before the window or any message appears.
std::unique_ptr<MainWindow> StartProgram(StartRequest request);

} // namespace karvel
