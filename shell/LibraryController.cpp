#include "shell/LibraryController.h"

#include "board/SelectionQueries.h"
#include "elements/Gruppe.h"
#include "shell/LibraryPanel.h"
#include "shell/LibraryView.h"
#include "shell/ShellDialogs.h"

#include <algorithm>
#include <array>
#include <QtCore/QFileInfo>
#include <QtCore/QStringList>

namespace karvel {

namespace {

using enum CommandId;

// Moving a component one place keeps some of the component above it in sight.
constexpr int ScrollAboveMoved = 100;

constexpr std::array LibraryCommands{
    LibraryNewPage,     LibraryDeletePage,
    LibraryRenamePage,  LibraryToTop,
    LibraryToBottom,    LibraryUp,
    LibraryDown,        LibraryDeleteComponent,
    LibPopupToTop,      LibPopupToBottom,
    LibPopupUp,         LibPopupDown,
    LibPopupDelete,     LibPopupProperties,
    LibPopupNewPage,    LibPopupRenamePage,
    LibPopupDeletePage, ComponentAddToLibrary,
    PopupAddToLibrary,
};

ComponentFields FieldsOf(const TGruppe& component) {
    return {component.Identifier, component.Value, component.Description,
            component.InComponentsList};
}

} // namespace

LibraryController::LibraryController(ViewState& view, LibraryPanel& panel, ShellDialogs& dialogs,
                                     QWidget* parent, QByteArray& transferStream, Hooks hooks)
    : view_(view), panel_(panel), dialogs_(dialogs), parent_(parent),
      transferStream_(transferStream), hooks_(std::move(hooks)), page_(view),
      lastFields_(FieldsOf(TGruppe(view.Sprache))) {
    panel_.Attach(page_);
    panel_.OnPageChosen = [this](int index) { ShowPage(index); };
    panel_.OnLeaf = [this](int step) {
        if (!library_)
            return;
        library_->Leaf(step);
        Refresh();
    };
    if (LibraryView* shown = panel_.View()) {
        shown->OnPress = [this](QPoint at, Qt::MouseButton button, QPoint global) {
            Press(at, button, global);
        };
        shown->OnHover = [this](QPoint at) { Hover(at); };
    }
}

LibraryController::~LibraryController() {
    // The panel outlives the page it shows.
    panel_.Detach();
}

void LibraryController::Open(const QString& folder) {
    library_.reset();
    panel_.SetLibraryFolder(folder);
    if (folder.isEmpty()) {
        panel_.SetPageNames({});
        return;
    }
    library_ = std::make_unique<Library>(page_, folder);
    library_->OnProblem = [this](const LibraryProblem& problem) { Tell(problem); };
    library_->Fill(0);
    Refresh();
}

LibraryAddition LibraryController::AddShippedPages(const QString& shipped) {
    if (!library_)
        return {};
    LibraryAddition added =
        LibraryFolder::AddShippedPages(library_->Folder(), shipped, view_.Sprache);
    library_->Reread();
    Refresh();
    return added;
}

void LibraryController::ShowPage(int index) {
    if (!library_ || library_->Pages().empty())
        return;
    library_->SelectPage(std::clamp(index, 0, int(library_->Pages().size()) - 1));
    Refresh();
}

void LibraryController::Refresh() {
    QStringList names;
    if (library_)
        for (const LibraryPage& page : library_->Pages())
            names << page.Name;
    panel_.SetPageNames(names);
    panel_.SetShownPage(library_ ? library_->Shown() : -1);
    panel_.FitWidth();
    if (hooks_.Changed)
        hooks_.Changed();
}

void LibraryController::StartShowingProblems() {
    problemsShown_ = true;
    const std::vector<LibraryProblem> waiting = std::move(pending_);
    pending_.clear();
    for (const LibraryProblem& problem : waiting)
        Tell(problem);
}

void LibraryController::Tell(const LibraryProblem& problem) {
    if (!problemsShown_) {
        pending_.push_back(problem);
        return;
    }
    hooks_.InDialog(
        [&] { dialogs_.ShowMessage(parent_, MessageIcon::Error, problem.Caption, problem.Text); });
}

std::vector<CommandId> LibraryController::UnavailableCommands() const {
    if (!library_)
        return {LibraryCommands.begin(), LibraryCommands.end()};
    if (library_->ShownPage() == nullptr) {
        // Without a page only a first one can be made.
        std::vector<CommandId> unavailable;
        for (const CommandId id : LibraryCommands)
            if (id != LibraryNewPage && id != LibPopupNewPage)
                unavailable.push_back(id);
        return unavailable;
    }
    if (TGruppe::Dialog() == nullptr)
        return {ComponentAddToLibrary, PopupAddToLibrary, LibPopupProperties};
    return {};
}

void LibraryController::SaveShown() {
    if (library_)
        library_->SaveShown();
}

// --- Commands ----------------------------------------------------------------------------------

void LibraryController::Run(CommandId id) {
    if (!library_)
        return;
    switch (id) {
    case LibraryNewPage:
    case LibPopupNewPage:
        NewPage();
        break;
    case LibraryRenamePage:
    case LibPopupRenamePage:
        RenamePage();
        break;
    case LibraryDeletePage:
    case LibPopupDeletePage:
        DeletePage();
        break;
    case LibraryToTop:
    case LibPopupToTop:
        Order(&TBibo::ToTop, 0);
        break;
    case LibraryToBottom:
    case LibPopupToBottom:
        Order(&TBibo::ToBottom, 0);
        break;
    case LibraryUp:
    case LibPopupUp:
        Order(&TBibo::OneUp, ScrollAboveMoved);
        break;
    case LibraryDown:
    case LibPopupDown:
        Order(&TBibo::OneDown, ScrollAboveMoved);
        break;
    case LibraryDeleteComponent:
    case LibPopupDelete:
        DeleteComponent();
        break;
    case LibPopupProperties:
        Properties();
        break;
    case ComponentAddToLibrary:
    case PopupAddToLibrary:
        AddToLibrary();
        break;
    default:
        break;
    }
    if (hooks_.Changed)
        hooks_.Changed();
}

bool LibraryController::RefusedOnDamagedPage() {
    const std::optional<LibraryProblem> refusal = library_->RefusalToChange();
    if (!refusal)
        return false;
    hooks_.InDialog([&] {
        dialogs_.ShowMessage(parent_, MessageIcon::Warning, refusal->Caption, refusal->Text);
    });
    return true;
}

void LibraryController::NewPage() {
    library_->SaveShown();
    const QString file = QFileInfo(NextFreePageFile(library_->Folder())).fileName();
    std::optional<QString> name;
    hooks_.InDialog([&] {
        name =
            dialogs_.AskLibraryPageName(parent_, view_.Sprache, library_->DefaultPageName(), file);
    });
    if (!name)
        return;
    library_->NewPage(*name);
    Refresh();
}

void LibraryController::RenamePage() {
    const LibraryPage* page = library_->ShownPage();
    if (page == nullptr || RefusedOnDamagedPage())
        return;
    std::optional<QString> name;
    hooks_.InDialog([&] {
        name = dialogs_.AskLibraryPageName(parent_, view_.Sprache, page->Name,
                                           QFileInfo(page->Path).fileName());
    });
    if (!name)
        return;
    library_->RenamePage(*name);
    Refresh();
}

void LibraryController::DeletePage() {
    const LibraryPage* page = library_->ShownPage();
    if (page == nullptr)
        return;
    const QString quoted = u'"' + page->Name + u'"';
    bool yes = false;
    hooks_.InDialog([&] {
        yes = dialogs_.Confirm(
            parent_, view_.Tr(QStringLiteral("Seite löschen"), QStringLiteral("Delete page")),
            view_.Tr(QStringLiteral("Möchten Sie die Seite ") + quoted +
                         QStringLiteral(" \rwirklich aus der Bibliothek löschen?"),
                     QStringLiteral("Delete page ") + quoted + QStringLiteral(" \rfrom library?")));
    });
    if (!yes)
        return;
    library_->DeletePage();
    Refresh();
}

void LibraryController::DeleteComponent() {
    const TGruppe* current = page_.Current();
    if (current == nullptr || RefusedOnDamagedPage())
        return;
    const QString& description = current->Description;
    const QString quoted = u'"' + description + u'"';
    const QString text =
        description.isEmpty()
            ? view_.Tr(QStringLiteral("Möchten Sie das markierte Bauteil wirklich aus der "
                                      "Bibliothek löschen?"),
                       QStringLiteral("Delete component from library?"))
            : view_.Tr(QStringLiteral("Möchten Sie das Bauteil ") + quoted +
                           QStringLiteral(" \rwirklich aus der Bibliothek löschen?"),
                       QStringLiteral("Delete component ") + quoted +
                           QStringLiteral(" \rfrom the library?"));
    bool yes = false;
    hooks_.InDialog([&] {
        yes = dialogs_.Confirm(
            parent_,
            view_.Tr(QStringLiteral("Bauteil löschen"), QStringLiteral("Delete component")), text);
    });
    if (!yes)
        return;
    page_.LoescheMarkierte();
    panel_.ScrollTo(0);
    panel_.FitWidth();
}

void LibraryController::Order(void (TBibo::*move)(), int scrollAbove) {
    if (!HasCurrent() || RefusedOnDamagedPage())
        return;
    (page_.*move)();
    panel_.FitWidth();
    if (const TBibo::Slot* slot = page_.SlotOf(page_.Current()))
        panel_.ScrollTo(slot->Top() - scrollAbove);
}

std::optional<ComponentFields> LibraryController::AskComponent(const ComponentFields& shown) {
    ComponentDialog* dialog = TGruppe::Dialog();
    if (dialog == nullptr)
        return std::nullopt;
    std::optional<ComponentFields> fields;
    hooks_.InDialog([&] { fields = dialog->Ask(shown); });
    if (fields)
        lastFields_ = *fields;
    return fields;
}

void LibraryController::Properties() {
    TGruppe* current = page_.Current();
    if (current == nullptr || RefusedOnDamagedPage())
        return;
    const std::optional<ComponentFields> fields = AskComponent(FieldsOf(*current));
    if (!fields)
        return;
    page_.SetIdentity(*fields);
    library_->SaveShown();
    panel_.FitWidth();
}

void LibraryController::AddToLibrary() {
    TPlatine* board = hooks_.CurrentBoard ? hooks_.CurrentBoard() : nullptr;
    if (board == nullptr || hooks_.BoardBusy() || !CanAddToLibrary(*board))
        return;
    if (library_->ShownPage() == nullptr || RefusedOnDamagedPage())
        return;
    // A single component offers its own values; anything else what the dialog showed last.
    const std::vector<TBauteil*> selected = board->Selected();
    const auto* single = selected.size() == 1 ? dynamic_cast<TGruppe*>(selected.front()) : nullptr;
    const std::optional<ComponentFields> fields =
        AskComponent(single != nullptr && single->IsComponent ? FieldsOf(*single) : lastFields_);
    if (!fields)
        return;
    transferStream_ = board->KopiereMarkierte();
    TGruppe* added = page_.AddComponent(transferStream_, *fields);
    panel_.FitWidth();
    if (added != nullptr)
        if (const TBibo::Slot* slot = page_.SlotOf(added))
            panel_.ScrollTo(slot->Top());
}

// --- Mouse -------------------------------------------------------------------------------------

void LibraryController::Press(QPoint at, Qt::MouseButton button, QPoint global) {
    TGruppe* chosen = page_.Click(at);
    if (hooks_.Changed)
        hooks_.Changed();
    if (button == Qt::RightButton) {
        if (hooks_.ShowMenu)
            hooks_.ShowMenu(global);
        return;
    }
    if (button != Qt::LeftButton || chosen == nullptr)
        return;
    transferStream_ = page_.CopyCurrent();
    if (!hooks_.BoardBusy())
        hooks_.Place(transferStream_, chosen->CanStretchLeads());
}

void LibraryController::Hover(QPoint at) {
    page_.Hover(at);
    if (hooks_.ShowLines && page_.ComponentAt(at) != nullptr)
        hooks_.ShowLines(page_.Infozeile1(), page_.Infozeile2());
}

} // namespace karvel
