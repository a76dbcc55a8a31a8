#pragma once
// One entry of the main window's command table: what a menu item, tool button or key is
// called in both languages, how it is reached, which picture it shows and which handler runs.

#include "board/CommandId.h"
#include "platform/Language.h"

#include <QtCore/QString>
#include <QtGui/QKeySequence>

namespace karvel {

class MainWindow;

// Handlers are told apart by the tag of the item that called them, as the tool buttons are.
using CommandHandler = void (MainWindow::*)(int tag);

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
    CommandHandler Handle = nullptr;
    int Tag = 0;
    // False while the program cannot carry the command out yet: the command
    // is shown with its caption and shortcut, and stays disabled.
    bool Available = false;

    QString Caption(Language language) const;
    QString Hint(Language language) const;
};

// The caption without its accelerator marks ("Ö&ffnen..." gives "Öffnen...").
QString StripAccelerator(const QString& caption);

} // namespace karvel
