// Settings -> Language: the language the next start speaks, stored in the language settings
// file, and the library pages of that language offered beside the user's own.

#include "shell/LibraryController.h"
#include "shell/MainWindow.h"

#include <QtGui/QActionGroup>
#include <QtWidgets/QMenu>

namespace karvel {

void MainWindow::SetNextLanguage(Language language) {
    nextLanguage_ = language;
    SyncLanguageItems();
}

void MainWindow::SyncLanguageItems() {
    Action(CommandId::LanguageGerman).setChecked(nextLanguage_ == Language::German);
    Action(CommandId::LanguageEnglish).setChecked(nextLanguage_ == Language::English);
}

void MainWindow::LanguageCommand(int tag) {
    const Language chosen = tag == int(Language::English) ? Language::English : Language::German;
    if (chosen != nextLanguage_ && OnLanguageChosen) {
        const SettingsWriteResult written = OnLanguageChosen(chosen);
        if (written.Ok) {
            nextLanguage_ = chosen;
            SyncLanguageItems();
            TellNextLanguage(chosen);
        } else {
            const DialogScope scope(*this);
            dialogs_->ShowMessage(
                this, MessageIcon::Error,
                view_.Tr(QStringLiteral("Sprache"), QStringLiteral("Language")),
                view_
                    .Tr(QStringLiteral("Die Sprache konnte nicht gespeichert werden (%1): %2"),
                        QStringLiteral("The language could not be stored in %1: %2"))
                    .arg(written.Path, written.Error));
        }
    }
    // A click on the checked item would take its mark away.
    SyncLanguageItems();
}

// The window keeps its language for this run: every open window, dialog and list would have
// to be made again, and the tool windows' stored places go by their captions.
void MainWindow::TellNextLanguage(Language chosen) {
    const QString caption = view_.Tr(QStringLiteral("Sprache"), QStringLiteral("Language"));
    const QString name = UsesEnglish(chosen)
                             ? view_.Tr(QStringLiteral("Englisch"), QStringLiteral("English"))
                             : view_.Tr(QStringLiteral("Deutsch"), QStringLiteral("German"));
    const QString next = view_
                             .Tr(QStringLiteral("Karvel spricht ab dem nächsten Start %1."),
                                 QStringLiteral("Karvel will speak %1 from its next start."))
                             .arg(name);
    const DialogScope scope(*this);
    if (!libraryPages_->IsOpen()) {
        dialogs_->ShowMessage(this, MessageIcon::Information, caption, next);
        return;
    }
    const QString offer =
        view_
            .Tr(QStringLiteral("Sollen die mitgelieferten Bibliotheksseiten auf %1 jetzt zu Ihrer "
                               "Bibliothek hinzugefügt werden? Ihre eigenen Seiten bleiben, "
                               "wie sie sind."),
                QStringLiteral("Shall the library pages in %1 that come with the program be "
                               "added to your library now? Your own pages stay as they are."))
            .arg(name);
    if (!dialogs_->Confirm(this, caption, next + QStringLiteral("\r\r") + offer))
        return;
    const LibraryAddition added =
        libraryPages_->AddShippedPages(LibraryFolder::ShippedPages(view_.ProgramFolder, chosen));
    const QString library = view_.Tr(QStringLiteral("Bibliothek"), QStringLiteral("Library"));
    if (!added.Problem.isEmpty())
        dialogs_->ShowMessage(this, MessageIcon::Error, library, added.Problem);
    else if (added.Added.empty())
        dialogs_->ShowMessage(
            this, MessageIcon::Information, library,
            view_.Tr(QStringLiteral("Ihre Bibliothek enthält diese Seiten schon."),
                     QStringLiteral("Your library holds these pages already.")));
    DoMenues();
}

} // namespace karvel
