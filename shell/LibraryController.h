#pragma once
// The library as the main window runs it: the page view in the library panel, the page list
// of the user's library folder, the library commands with their questions, a click that hands
// a component to the current board for placing, and the messages when a page cannot be read
// or written. The window reaches it through a few hooks, so that it knows no window.

#include "board/Bibo.h"
#include "board/CommandId.h"
#include "board/Library.h"
#include "board/LibraryFolder.h"
#include "elements/ComponentDialog.h"

#include <functional>
#include <memory>
#include <QtCore/QByteArray>
#include <QtCore/QPoint>
#include <vector>

class QWidget;

namespace karvel {

class LibraryPanel;
class ShellDialogs;
class TPlatine;
struct ViewState;

class LibraryController {
public:
    struct Hooks {
        // The board parts go to; null when there is none.
        std::function<TPlatine*()> CurrentBoard;
        // A board operation runs and confines the cursor: nothing may start now.
        std::function<bool()> BoardBusy;
        // Places a part of the transfer stream on the current board: with its leads
        // stretched, or as it is.
        std::function<void(const QByteArray& part, bool stretchLeads)> Place;
        // Runs a dialog with the floating tool windows hidden.
        std::function<void(const std::function<void()>&)> InDialog;
        std::function<void(QPoint global)> ShowMenu;
        // The status lines of the component under the mouse.
        std::function<void(const QString& first, const QString& second)> ShowLines;
        // The chosen component or the page changed: the enabling rules run.
        std::function<void()> Changed;
    };

    LibraryController(ViewState& view, LibraryPanel& panel, ShellDialogs& dialogs, QWidget* parent,
                      QByteArray& transferStream, Hooks hooks);
    ~LibraryController();

    // Shows the pages of the folder, the first one; an empty folder name leaves the library
    // without pages.
    void Open(const QString& folder);
    bool IsOpen() const { return library_ != nullptr; }
    // Shows the page at the index of the page list (the last one past the end).
    void ShowPage(int index);
    // Messages wait until the window is shown; from then on they are shown at once.
    void StartShowingProblems();
    void Tell(const LibraryProblem& problem);

    TBibo& Page() { return page_; }
    Library* Pages() const { return library_.get(); }
    bool HasCurrent() const { return page_.Current() != nullptr; }
    // The library commands that cannot run at all: without a library, all of them; without
    // a component dialog, those that ask for a component's values.
    std::vector<CommandId> UnavailableCommands() const;

    // Runs a library command, including adding the board's selection to the library.
    void Run(CommandId id);
    // Adds the shipped pages of a folder to the library's folder beside the user's own pages
    // and lists them; the shown page stays.
    LibraryAddition AddShippedPages(const QString& shipped);
    // Writes the shown page, as closing the window and every backup do.
    void SaveShown();

    // What the mouse does in the page view.
    void Press(QPoint at, Qt::MouseButton button, QPoint global);
    void Hover(QPoint at);

private:
    void Refresh();
    bool RefusedOnDamagedPage();
    void NewPage();
    void RenamePage();
    void DeletePage();
    void DeleteComponent();
    void Properties();
    void AddToLibrary();
    // Runs an ordering command and scrolls to the current component, less some pixels.
    void Order(void (TBibo::*move)(), int scrollAbove);
    std::optional<ComponentFields> AskComponent(const ComponentFields& shown);

    ViewState& view_;
    LibraryPanel& panel_;
    ShellDialogs& dialogs_;
    QWidget* parent_;
    QByteArray& transferStream_;
    Hooks hooks_;
    TBibo page_;
    std::unique_ptr<Library> library_;
    // The values the component dialog showed last, offered again when nothing fills it.
    ComponentFields lastFields_;
    bool problemsShown_ = false;
    std::vector<LibraryProblem> pending_;
};

} // namespace karvel
