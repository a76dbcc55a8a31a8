#pragma once
// One entry of the main window's command table: what a menu item, tool button or key is
// called in both languages, how it is reached and which picture it shows. Where the command
// goes is its route in the core's command list; the commands the window carries out itself
// name their handler here.

#include "board/CommandId.h"
#include "platform/Language.h"

#include <QtCore/QString>
#include <QtGui/QKeySequence>

namespace karvel {

class MainWindow;

// A handler of the window's own commands; the argument tells apart the items that share it
// (the recent file's place, the tool window's number, the zoom, the language).
using CommandHandler = void (MainWindow::*)(int argument);

enum class CommandKind : std::uint8_t {
    Action,  // a menu item or button that runs its handler once
    Toggle,  // an item with a check mark that mirrors a view switch
    Submenu, // a menu item that opens a submenu
    Key,     // a key of the window without a menu item
};

struct Command {
    CommandId Id = CommandId::Count;
    // The control's name in the program's vocabulary; the QAction's object name.
    const char* Name = "";
    // Captions with "&" before the accelerator letter (UTF-8).
    const char* German = "";
    const char* English = "";
    // Tool tips; empty means the caption without its accelerator.
    const char* HintGerman = "";
    const char* HintEnglish = "";
    QKeySequence Shortcut{};
    // Picture name below ":/icons/" (without ".svg"), and the desktop theme's name for it.
    const char* Icon = "";
    const char* ThemeIcon = "";
    CommandKind Kind = CommandKind::Action;
    // Only for the commands routed to the window and the fill switch.
    CommandHandler Handle = nullptr;
    int Argument = 0;

    QString Caption(Language language) const;
    QString Hint(Language language) const;
};

// The caption without its accelerator marks ("Ö&ffnen..." gives "Öffnen...").
QString StripAccelerator(const QString& caption);

} // namespace karvel
