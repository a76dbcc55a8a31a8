#pragma once
// The board preview: a small tool window beside the board layout dialog that shows the layout
// file chosen there, so that the user sees the copper before taking it.

#include "elements/ViewState.h"
#include "platform/Language.h"

#include <memory>
#include <QtWidgets/QWidget>

namespace karvel {

class BoardControl;
class TPlatine;
class TScrollBoxEx;

class BoardPreviewWindow : public QWidget {
    Q_OBJECT
public:
    // Where the window opens on the screen, clear of the dialog in the middle.
    static constexpr QPoint Place{40, 40};

    BoardPreviewWindow(QWidget* owner, const QString& programFolder, Language language);
    ~BoardPreviewWindow() override;

    // Whether the layout dialog's selection is something to preview: an existing file whose
    // name ends in ".KVB" in any case.
    static bool IsLayoutFile(const QString& path);

    // Shows the layout of a board layout file, fitted into the window, under the file's name.
    // A file that is no layout file or cannot be read leaves the preview as it was: false.
    bool ShowLayout(const QString& path);
    // The board shown, or none before the first layout.
    const TPlatine* Board() const { return board_.get(); }

private:
    ViewState view_;
    TScrollBoxEx* scroll_;
    BoardControl* control_ = nullptr;
    std::unique_ptr<TPlatine> board_;
};

} // namespace karvel
