#include "board/Library.h"

#include "board/LibraryFolder.h"
#include "platform/encoding/CodePage.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <QtCore/QCollator>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QLocale>

namespace karvel {

namespace {

constexpr int HeaderNameLength = TPlatine::StoredNameLength;

} // namespace

QString ReadPageName(const QString& path) {
    QFile file(path);
    // Never waits: a FIFO behind the name would hold the program at start.
    if (OpenRegularFile(file, Language::English).isEmpty()) {
        const QByteArray header = file.read(1 + HeaderNameLength);
        if (!header.isEmpty()) {
            const int length =
                std::min<int>(static_cast<unsigned char>(header[0]), int(header.size()) - 1);
            return DecodeWindows1252(QByteArrayView(header).sliced(1, length));
        }
    }
    return QFileInfo(path).completeBaseName();
}

std::vector<LibraryPage> ListLibraryPages(const QString& folder) {
    std::vector<LibraryPage> pages;
    for (const QString& path : LibraryPageFiles(folder))
        pages.push_back({ReadPageName(path), path});
    // Names compare as a reader would sort them: case and accents aside first.
    QCollator collator{QLocale(QLocale::English)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(pages.begin(), pages.end(), [&](const LibraryPage& a, const LibraryPage& b) {
        const int byName = collator.compare(a.Name, b.Name);
        return byName != 0 ? byName < 0 : a.Path < b.Path;
    });
    return pages;
}

QString NextFreePageFile(const QString& folder) {
    const QStringList taken = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("LIB%1.Lib").arg(n);
        const bool used = std::any_of(taken.begin(), taken.end(), [&](const QString& entry) {
            return entry.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (!used)
            return QDir(folder).filePath(name);
    }
}

Library::Library(TBibo& view, QString folder) : view_(view), folder_(std::move(folder)) {}

const LibraryPage* Library::ShownPage() const {
    return shown_ >= 0 && shown_ < int(pages_.size()) ? &pages_[std::size_t(shown_)] : nullptr;
}

QString Library::Tr(const QString& german, const QString& english) const {
    return view_.View().Tr(german, english);
}

QString Library::DefaultPageName() const {
    return Tr(QStringLiteral("Neue Bibliothek"), QStringLiteral("New page"));
}

void Library::Report(const QString& text) const {
    if (OnProblem)
        OnProblem({Tr(QStringLiteral("Bibliothek"), QStringLiteral("Library")), text});
}

void Library::Fill(int index) {
    pages_ = ListLibraryPages(folder_);
    shown_ = -1;
    if (pages_.empty()) {
        view_.Clear();
        view_.SetPagePath({});
        view_.LayOut();
        return;
    }
    Load(std::clamp(index, 0, int(pages_.size()) - 1));
}

void Library::Load(int index) {
    shown_ = index;
    const LibraryPage& page = pages_[std::size_t(index)];
    const QString problem = view_.LoadPage(page.Path);
    if (problem.isEmpty())
        return;
    Report(Tr(QStringLiteral("Die Bibliotheksseite \"%1\" (%2) konnte nicht gelesen werden: %3\r"
                             "Sie zeigt, was bis dahin gelesen wurde, und wird nicht gespeichert; "
                             "ihre Datei bleibt unverändert."),
              QStringLiteral("The library page \"%1\" (%2) could not be read: %3\r"
                             "It shows what was read up to there and will not be saved; its file "
                             "stays as it is."))
               .arg(page.Name, page.Path, problem));
}

void Library::Reread() {
    if (view_.Modified())
        SaveShown();
    const QString shownPath = ShownPage() != nullptr ? ShownPage()->Path : QString();
    pages_ = ListLibraryPages(folder_);
    for (int i = 0; i < int(pages_.size()); ++i)
        if (pages_[std::size_t(i)].Path == shownPath) {
            // Still on the screen as it was read: not read (nor told about) again.
            shown_ = i;
            return;
        }
    Fill(0);
}

void Library::SelectPage(int index) {
    if (index < 0 || index >= int(pages_.size()))
        return;
    // The page shown, unchanged, is not read again: a damaged one would be told a second time.
    if (index == shown_ && !view_.Modified())
        return;
    if (view_.Modified())
        SaveShown();
    Load(index);
}

void Library::Leaf(int step) {
    const int count = int(pages_.size());
    if (count == 0)
        return;
    SelectPage(((std::max(shown_, 0) + step) % count + count) % count);
}

bool Library::SaveShown() {
    const LibraryPage* page = ShownPage();
    if (page == nullptr && view_.PagePath().isEmpty())
        return true;
    const QString error = view_.SavePage();
    if (error.isEmpty())
        return true;
    Report(Tr(QStringLiteral("Die Bibliotheksseite \"%1\" konnte nicht gespeichert werden (%2): "
                             "%3\rDie Datei ist unverändert geblieben."),
              QStringLiteral("The library page \"%1\" could not be saved to %2: %3\r"
                             "The file was left as it was."))
               .arg(view_.PlatinenName(), view_.PagePath(), error));
    return false;
}

std::optional<LibraryProblem> Library::RefusalToChange() const {
    if (!view_.LoadFailed())
        return std::nullopt;
    const LibraryPage* page = ShownPage();
    return LibraryProblem{
        Tr(QStringLiteral("Bibliothek"), QStringLiteral("Library")),
        Tr(QStringLiteral("Die Bibliotheksseite \"%1\" (%2) konnte nicht gelesen werden und wird "
                          "deshalb nicht verändert."),
           QStringLiteral("The library page \"%1\" (%2) could not be read, so it is not "
                          "changed."))
            .arg(page ? page->Name : view_.PlatinenName(), view_.PagePath())};
}

int Library::LastNamed(const QString& name) const {
    for (int i = int(pages_.size()) - 1; i >= 0; --i)
        if (pages_[std::size_t(i)].Name == name)
            return i;
    return -1;
}

void Library::NewPage(const QString& name) {
    SaveShown();
    QDir().mkpath(folder_);
    const QString path = NextFreePageFile(folder_);
    view_.EmptyPage(name.left(HeaderNameLength));
    view_.SetPagePath(path);
    if (!SaveShown()) {
        // Nothing was written: the page shown before comes back.
        Fill(shown_);
        return;
    }
    pages_ = ListLibraryPages(folder_);
    Load(std::max(LastNamed(view_.PlatinenName()), 0));
}

void Library::RenamePage(const QString& name) {
    const LibraryPage* page = ShownPage();
    if (page == nullptr || RefusalToChange())
        return;
    const QString path = page->Path;
    view_.SetPlatinenName(name.left(HeaderNameLength));
    SaveShown();
    pages_ = ListLibraryPages(folder_);
    // The page under its new name; where saving failed, under its old one.
    int index = LastNamed(view_.PlatinenName());
    for (int i = 0; index < 0 && i < int(pages_.size()); ++i)
        if (pages_[std::size_t(i)].Path == path)
            index = i;
    Load(std::max(index, 0));
}

void Library::DeletePage() {
    const LibraryPage* page = ShownPage();
    if (page == nullptr)
        return;
    if (pages_.size() < 2) {
        // The library always keeps a page: the only one is emptied instead.
        view_.EmptyPage(DefaultPageName());
        SaveShown();
    } else if (QFile file(page->Path); !file.remove()) {
        Report(Tr(QStringLiteral("Die Bibliotheksseite \"%1\" (%2) konnte nicht gelöscht werden: "
                                 "%3"),
                  QStringLiteral("The library page \"%1\" (%2) could not be deleted: %3"))
                   .arg(page->Name, page->Path, file.errorString()));
    }
    Fill(shown_);
}

} // namespace karvel
