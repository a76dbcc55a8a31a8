#pragma once
// The component library: the page files of the library folder, listed by page name, and the
// one page the library view shows. Pages are written at the occasions the program names and
// always through a temporary file; a page that could not be read is never written back, so its
// file stays for the user to rescue. Whatever goes wrong is told, naming the page and why.

#include "board/Bibo.h"

#include <functional>
#include <optional>
#include <QtCore/QString>
#include <vector>

namespace karvel {

struct LibraryPage {
    QString Name;
    QString Path;
    bool operator==(const LibraryPage&) const = default;
};

struct LibraryProblem {
    QString Caption;
    QString Text;
};

// The page name stored at the start of a page file (length byte and up to 36 characters);
// the file's own name when it cannot be read.
QString ReadPageName(const QString& path);
// The pages of a folder sorted by name, then by file name.
std::vector<LibraryPage> ListLibraryPages(const QString& folder);
// "LIB" + the smallest positive number whose file is not in the folder yet, whatever the case
// of the names there, + ".Lib".
QString NextFreePageFile(const QString& folder);

class Library {
public:
    Library(TBibo& view, QString folder);

    const QString& Folder() const { return folder_; }
    TBibo& View() const { return view_; }
    const std::vector<LibraryPage>& Pages() const { return pages_; }
    // The index of the page shown, or -1 when the folder holds none.
    int Shown() const { return shown_; }
    const LibraryPage* ShownPage() const;
    // "Neue Bibliothek" / "New page".
    QString DefaultPageName() const;

    // Re-reads the folder and shows the page at the index, or the last one when the index
    // lies past the end.
    void Fill(int index);
    // Re-reads the folder after pages were added to it and goes on showing the page shown,
    // saved first when it was changed.
    void Reread();
    // Shows another page, the shown one saved first when it was changed.
    void SelectPage(int index);
    // The previous or next page, going round at either end.
    void Leaf(int step);
    // Writes the shown page; false when that failed (and the user was told).
    bool SaveShown();
    // Why the shown page may not be changed: it could not be read. None when it may.
    std::optional<LibraryProblem> RefusalToChange() const;

    // A new empty page of that name in the next free file, shown.
    void NewPage(const QString& name);
    // The shown page under a new name, saved and shown again.
    void RenamePage(const QString& name);
    // Deletes the shown page's file; the only page is emptied and named anew instead.
    void DeletePage();

    // Told whenever something went wrong; without it nobody is told.
    std::function<void(const LibraryProblem&)> OnProblem;

private:
    void Load(int index);
    void Report(const QString& text) const;
    // The last page of that name in the list, or -1.
    int LastNamed(const QString& name) const;
    QString Tr(const QString& german, const QString& english) const;

    TBibo& view_;
    QString folder_;
    std::vector<LibraryPage> pages_;
    int shown_ = -1;
};

} // namespace karvel
