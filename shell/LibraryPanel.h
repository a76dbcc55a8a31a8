#pragma once
// The library panel at the left of the main window: the page list, the scroll box the library
// page is shown in, and the leaf buttons. Without any page it says so in place of them.

#include "platform/Language.h"

#include <QtWidgets/QWidget>

class QComboBox;
class QLabel;
class QScrollArea;
class QToolButton;

namespace karvel {

class LibraryPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int StartWidth = 177;
    static constexpr int MinimumWidth = 80;
    static constexpr int MaximumWidth = 500;

    LibraryPanel(Language language, QWidget* parent = nullptr);

    QComboBox* PageList() const { return pageList_; }
    QScrollArea* ScrollBox() const { return scrollBox_; }
    // The library's background; white on screens with few colours.
    void SetBackground(const QColor& colour);
    // The names of the installed library pages; none shows the note that there is none.
    void SetPageNames(const QStringList& names);
    bool ShowsNoPageNote() const;

private:
    QLabel* noPages_;
    QComboBox* pageList_;
    QScrollArea* scrollBox_;
    QToolButton* back_;
    QToolButton* forward_;
};

} // namespace karvel
