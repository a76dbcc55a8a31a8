#include "shell/MainWindow.h"
#include "board/ElementClipboard.h"

#include "board/Platine.h"
#include "platform/ProgramFolder.h"
#include "shell/BoardArea.h"
#include "shell/BoardControl.h"
#include "shell/ColourGrid.h"
#include "shell/ComponentAssistantDialog.h"
#include "shell/LibraryController.h"
#include "shell/LibraryPanel.h"
#include "shell/LoadingWindow.h"
#include "shell/PrintDialog.h"
#include "shell/ScreenPlacement.h"
#include "shell/ScrollBoxEx.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QCursor>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLayout>
#include <QtWidgets/QSplitter>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QToolBar>

namespace karvel {

namespace {

constexpr int ColourDepthWarningLimit = 8;

} // namespace

MainWindow::MainWindow(Options options)
    : role_(options.Role),
      dialogs_(options.Dialogs ? std::move(options.Dialogs) : std::make_shared<QtShellDialogs>()) {
    view_.Sprache = options.Language;
    view_.ProgramFolder = FindProgramFolder();
    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/KARVEL.svg")));
    loading_ = std::make_unique<LoadingWindow>(view_.Sprache, this);
    clipboard_ = std::make_unique<ElementClipboard>(view_);

    BuildLayout();
    CreateActions();
    CreateMenus();
    CreateToolBars();
    CreateToolColumn();
    ApplyLanguage();
    SetNextLanguage(view_.Sprache);
    // The status bar stands from the start, so the first mouse move does not shrink the view.
    ShowHoleUnderPointer(std::nullopt);
    DefaultToolWindowPlacement();
    ConnectLibrary(options.Library);

    ConnectProject();
    AddBoardTab(std::make_unique<TPlatine>(view_));
    SetForeground(colourGrid_->Foreground());
    SetBackground(colourGrid_->Background());
    CurrentBoard().CurrentPenWidth = 50;
    UpdateRecentMenu();
    DoMenues();
    UpdateTitle();
    setGeometry(StartGeometry({}, AvailableScreenArea(QCursor::pos())));
    if (IsLayoutEditor()) {
        // The editor keeps no project of its own to back up.
        ReduceToLayoutEditor();
        return;
    }
    autoSaveTimer_.setInterval(60'000);
    connect(&autoSaveTimer_, &QTimer::timeout, this, [this] { AutoSaveTick(); });
    autoSaveTimer_.start();
}

MainWindow::~MainWindow() {
    layoutEditor_.reset();
    // The boards and the library page go before the widgets that show them, and each board's
    // view before its board.
    project_.RemoveAll();
    libraryPages_.reset();
}

void MainWindow::BuildLayout() {
    library_ = new LibraryPanel(view_.Sprache);
    area_ = new BoardArea;

    toolColumn_ = new QToolBar(QStringLiteral("Panel3"));
    toolColumn_->setObjectName(QStringLiteral("Panel3"));
    toolColumn_->setOrientation(Qt::Vertical);
    toolColumn_->setMovable(false);
    toolColumn_->setFloatable(false);
    toolColumn_->setIconSize(QSize(22, 22));

    auto* work = new QWidget;
    auto* row = new QHBoxLayout(work);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(toolColumn_);
    row->addWidget(area_, 1);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->addWidget(library_);
    splitter->addWidget(work);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({LibraryPanel::StartWidth, 1000});
    splitter->setChildrenCollapsible(false);
    setCentralWidget(splitter);

    connect(&area_->Tabs(), &QTabBar::currentChanged, this, &MainWindow::SelectBoard);
    connect(qApp, &QApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState s) { SetWorkingAreaEnabled(s == Qt::ApplicationActive); });
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstShown_) {
        firstShown_ = true;
        FirstShow();
    }
}

void MainWindow::FirstShow() {
    const QScreen* shown = screen();
    if (shown != nullptr && shown->depth() <= ColourDepthWarningLimit) {
        const DialogScope scope(*this);
        dialogs_->ShowMessage(
            this, MessageIcon::Warning,
            view_.Tr(QStringLiteral("Hinweis"), QStringLiteral("Warning")),
            view_.Tr(QStringLiteral("Sie sollten Ihre Grafikkarte auf mehr Farben einstellen, "
                                    "da es sonst zu Farbverfälschungen kommen kann!"),
                     QStringLiteral("Insufficient colour resolution!")));
        library_->SetBackground(Qt::white);
    }
    libraryPages_->StartShowingProblems();
    // The views have their real size only now: fit the boards into them.
    if (QLayout* own = layout())
        own->activate();
    FitAllBoards();
    // The program starts with the X-ray view on.
    view_.Roentgen = true;
    RepaintAllBoards();
    SyncToggles();
    UpdateRulers(true);
}

void MainWindow::FitAllBoards() {
    for (const BoardView& view : boards_)
        view.Board->FitBoard();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (IsLayoutEditor()) {
        CloseLayoutEditor(*event);
        return;
    }
    if (!SavePromptSaysGoOn()) {
        event->ignore();
        return;
    }
    event->accept();
    libraryPages_->SaveShown();
    if (OnClosed)
        OnClosed();
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange)
        SetWorkingAreaEnabled(isActiveWindow());
    QMainWindow::changeEvent(event);
}

// While a board confines the cursor and the program is not active, the working controls are
// disabled, so that nothing can start a second operation; activation gives them back.
void MainWindow::SetWorkingAreaEnabled(bool enabled) {
    if (current_ < 0)
        return;
    if (!enabled && !CurrentBoard().CursorCaptured())
        return;
    if (enabled && !confinementSuspended_)
        return;
    confinementSuspended_ = !enabled;
    for (QToolBar* bar : toolWindows_)
        bar->setEnabled(enabled);
    toolColumn_->setEnabled(enabled);
    library_->setEnabled(enabled);
    Control(current_).setEnabled(enabled);
}

MainWindow::DialogScope::DialogScope(MainWindow& window) : window_(window) {
    for (QToolBar* bar : window_.toolWindows_) {
        if (bar->isFloating() && bar->isVisible()) {
            bar->hide();
            hidden_.push_back(bar);
        }
    }
}

MainWindow::DialogScope::~DialogScope() {
    for (QToolBar* bar : hidden_)
        bar->show();
}

} // namespace karvel
