#include "shell/HelpWindow.h"

#include "platform/HelpTopic.h"
#include "shell/DialogParts.h"
#include "shell/ScreenPlacement.h"

#include <algorithm>
#include <memory>
#include <QtCore/QTimer>
#include <QtGui/QKeySequence>
#include <QtGui/QShortcut>
#include <QtGui/QWindow>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QTextBrowser>
#include <QtWidgets/QVBoxLayout>

namespace karvel {

namespace {

using dialog_parts::T;

std::unique_ptr<HelpWindow>& SharedWindow() {
    static std::unique_ptr<HelpWindow> window;
    return window;
}

// Widgets must go before the application does; static destruction comes too late.
void DeleteSharedWindow() {
    SharedWindow().reset();
}

QPushButton* Button(QStyle::StandardPixmap icon, QWidget* parent) {
    auto* button = new QPushButton(parent->style()->standardIcon(icon), QString(), parent);
    button->setAutoDefault(false);
    return button;
}

// Where help was asked for: the modal dialog running, else the active window.
QWidget* Asker() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

} // namespace

HelpWindow::HelpWindow()
    : browser_(new QTextBrowser(this)), back_(Button(QStyle::SP_ArrowBack, this)),
      forward_(Button(QStyle::SP_ArrowForward, this)),
      contents_(Button(QStyle::SP_FileDialogContentsView, this)), close_(new QPushButton(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowFlag(Qt::Window);
    // The manual stays open beside the main window; closing that one still ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    browser_->setObjectName(QStringLiteral("ManualBrowser"));
    browser_->setOpenExternalLinks(true);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    close_->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(contents_);
    buttons->addStretch();
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);

    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents_, &QPushButton::clicked, this, [this] { ShowContents(); });
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    ApplyLanguage(Language::German);
}

HelpWindow& HelpWindow::Shared() {
    std::unique_ptr<HelpWindow>& window = SharedWindow();
    if (!window) {
        window = std::make_unique<HelpWindow>();
        qAddPostRoutine(DeleteSharedWindow);
    }
    return *window;
}

HelpWindow* HelpWindow::Existing() {
    return SharedWindow().get();
}

bool HelpWindow::ShowTopic(const QString& file, int topic, Language language) {
    ApplyLanguage(language);
    file_ = file;
    // The window takes its place and width first: the anchor's scroll position depends on
    // the width the text is laid out at.
    const bool wasVisible = isVisible();
    PlaceFirstTime();
    show();
    FollowModalWindow();
    if (modal_)
        StandBeside(*modal_);
    browser_->setSource(ManualUrl(file, topic));
    if (browser_->document()->isEmpty()) {
        if (!wasVisible)
            hide();
        return false;
    }
    raise();
    activateWindow();
    return true;
}

void HelpWindow::ApplyLanguage(Language language) {
    setWindowTitle(T(language, "Karvel 3.0 – Anleitung", "Karvel 3.0 – Manual"));
    back_->setText(T(language, "&Zurück", "&Back"));
    forward_->setText(T(language, "&Vor", "&Forward"));
    contents_->setText(T(language, "&Inhalt", "&Contents"));
    close_->setText(T(language, "&Schließen", "C&lose"));
}

void HelpWindow::ShowContents() {
    QUrl url = QUrl::fromLocalFile(file_);
    url.setFragment(QStringLiteral("contents"));
    browser_->setSource(url);
}

// At the right of the screen of the window that asked, so that its left part (library, tool
// column, a dialog in the middle) stays in view; later the user's place is kept.
void HelpWindow::PlaceFirstTime() {
    if (placed_)
        return;
    placed_ = true;
    const QWidget* asker = Asker();
    const QRect screen = AvailableScreenArea(
        asker != nullptr ? asker->mapToGlobal(asker->rect().center()) : QPoint());
    QRect wanted(QPoint(), StartSize);
    wanted.moveTopRight(QPoint(screen.right() - 16, screen.top() + 48));
    setGeometry(FitOnScreen(wanted, screen));
}

// Standing above the dialog it explains (which it does while that runs), the manual would
// hide the fields it talks about: it moves to the roomier side of the dialog, narrower if
// need be, when that side leaves it a readable width.
void HelpWindow::StandBeside(const QWidget& dialog) {
    const QRect busy = dialog.frameGeometry();
    const QRect frame = frameGeometry();
    if (!frame.intersects(busy))
        return;
    const QRect screen = AvailableScreenArea(busy.center());
    const int rightRoom = screen.right() - busy.right() - Gap;
    const int leftRoom = busy.left() - screen.left() - Gap;
    const int room = std::max(rightRoom, leftRoom);
    if (room < MinimumWidth)
        return;
    const int width = std::min(frame.width(), room);
    const int left = rightRoom >= leftRoom ? busy.right() + Gap : busy.left() - Gap - width;
    const QMargins border(geometry().left() - frame.left(), geometry().top() - frame.top(),
                          frame.right() - geometry().right(), frame.bottom() - geometry().bottom());
    const QRect placed(QPoint(left, frame.top()), QSize(width, frame.height()));
    setGeometry(placed.marginsRemoved(border));
}

// A window beside an application-modal one gets no input unless it stands for that window:
// made transient for it, it does, and it stays above it.
void HelpWindow::FollowModalWindow() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == this)
        modal = nullptr;
    if (modal == modal_)
        return;
    if (modal_)
        modal_->removeEventFilter(this);
    modal_ = modal;
    if (modal_)
        modal_->installEventFilter(this);
    if (QWindow* window = windowHandle())
        window->setTransientParent(modal_ ? modal_->window()->windowHandle() : nullptr);
}

// When the modal window closes, this one follows the next (a dialog of the layout editor
// returns to the editor) or stands alone again.
bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == modal_ && event->type() == QEvent::Hide)
        QTimer::singleShot(0, this, [this] { FollowModalWindow(); });
    return QWidget::eventFilter(watched, event);
}

} // namespace karvel
