#include "shell/LoadingWindow.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QVBoxLayout>

namespace karvel {

LoadingWindow::LoadingWindow(Language language, QWidget* owner)
    : QWidget(owner,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      owner_(owner), text_(new QLabel(this)), bar_(new QProgressBar(this)) {
    setWindowTitle(Tr(language, QStringLiteral("Laden..."), QStringLiteral("Loading...")));
    bar_->setRange(0, 100);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(bar_);
    setFixedWidth(320);
}

void LoadingWindow::Begin(const QString& text) {
    // Before the main window shows, there is nothing to stand in front of.
    if (owner_ == nullptr || !owner_->isVisible())
        return;
    text_->setText(text);
    bar_->setValue(0);
    adjustSize();
    move(owner_->geometry().center() - rect().center());
    show();
    repaint();
}

void LoadingWindow::SetProgress(int percent) {
    bar_->setValue(percent);
    bar_->repaint();
}

void LoadingWindow::End() {
    hide();
}

} // namespace karvel
