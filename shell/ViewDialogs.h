#pragma once
// The windows of the view settings: the fine grid dialog and the X-ray contrast window.

#include "elements/ViewState.h"
#include "platform/Language.h"
#include "shell/DialogNumbers.h"
#include "shell/HelpDialog.h"

#include <functional>
#include <optional>
#include <QtWidgets/QWidget>

class QSlider;

namespace karvel {

class MainWindow;

// What the fine grid field takes: 0 to 2.54 mm in steps of 0.01, three decimals.
NumberRange FineGridRange();

// The fine grid dialog: the step in board units, shown in millimetres; the new step on OK,
// nothing on Cancel.
std::optional<double> RunFineGridDialog(QWidget* parent, double step, Language language,
                                        const HelpRequest& help);

// A small window on top that sets the grey of the X-ray ghosts' pen and brush while the board
// shows them; the outline view has a pair of colours of its own.
class XRayContrastWindow : public QWidget {
    Q_OBJECT
public:
    struct Target {
        // Whether the board the window works for is in the outline view.
        std::function<bool()> OutlineMode;
        // Draws the boards again after a colour changed.
        std::function<void()> Repaint;
    };

    XRayContrastWindow(ViewState& view, Language language, Target target, QWidget* owner);

    // Shows the window beside a point of the screen, with the bars at the colours in force.
    void ShowAt(QPoint global);
    // Sets the bars from the colour pair of the board's view.
    void Refresh();
    QSlider& PenBar() const { return *pen_; }
    QSlider& BrushBar() const { return *brush_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BarMoved(bool penBar);

    ViewState& view_;
    Target target_;
    QSlider* pen_;
    QSlider* brush_;
};

// Gives the main window its contrast window: a right click on the X-ray button opens it for
// the current board, and it follows the outline view. The window belongs to the main window.
XRayContrastWindow& AttachXRayContrastWindow(MainWindow& window);

} // namespace karvel
