#pragma once
// The small window shown while a file is read: a caption, a text line and a progress bar.

#include "platform/Language.h"

#include <QtWidgets/QWidget>

class QLabel;
class QProgressBar;

namespace karvel {

class LoadingWindow : public QWidget {
    Q_OBJECT
public:
    LoadingWindow(Language language, QWidget* owner);

    // Shows the window centred on its owner with a text, and paints it at once: reading does
    // not return to the event loop until it is done.
    void Begin(const QString& text);
    void SetProgress(int percent);
    void End();

private:
    QWidget* owner_;
    QLabel* text_;
    QProgressBar* bar_;
};

} // namespace karvel
