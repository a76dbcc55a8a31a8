#pragma once
// The library panel at the left of the main window: the page list, the scroll box the library
// page is shown in, and the leaf buttons. Without any page it says so in place of them.

#include "platform/Language.h"

#include <functional>
#include <QtWidgets/QWidget>

class QComboBox;
class QLabel;
class QScrollArea;
class QToolButton;

namespace karvel {

class LibraryView;
class TBibo;
class TScrollBoxEx;

class LibraryPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int StartWidth = 177;
    static constexpr int MinimumWidth = 80;
    static constexpr int MaximumWidth = 500;

    LibraryPanel(Language language, QWidget* parent = nullptr);

    QComboBox* PageList() const { return pageList_; }
    QScrollArea* ScrollBox() const;
    QToolButton* BackButton() const { return back_; }
    QToolButton* ForwardButton() const { return forward_; }
    // The library's background; white on screens with few colours.
    void SetBackground(const QColor& colour);
    // The names of the installed library pages; none shows the note that there is none.
    void SetPageNames(const QStringList& names);
    bool ShowsNoPageNote() const;
    // The folder the note names as the place for library pages.
    void SetLibraryFolder(const QString& folder);
    // Marks the page shown in the page list, without reporting a choice.
    void SetShownPage(int index);

    // Shows the library page in the scroll box, which becomes its host.
    void Attach(TBibo& page);
    // Takes the page and its view away again.
    void Detach();
    LibraryView* View() const { return view_; }
    // Gives the page the scroll box's client width; the page's height may bring or take away
    // the scroll bar, so this runs until the width holds.
    void FitWidth();
    void ScrollTo(int y);

    // The user chose a page in the list, or leafed back (-1) or forward (+1).
    std::function<void(int index)> OnPageChosen;
    std::function<void(int step)> OnLeaf;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Language language_;
    QLabel* noPages_;
    QComboBox* pageList_;
    TScrollBoxEx* scrollBox_;
    QToolButton* back_;
    QToolButton* forward_;
    LibraryView* view_ = nullptr;
    TBibo* page_ = nullptr;
};

} // namespace karvel
