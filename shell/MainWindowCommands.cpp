// The main window's actions, menus, tool bars and tool column, all built from the command table.

#include "shell/MainWindow.h"

#include "board/CommandList.h"
#include "platform/NumberLocale.h"
#include "shell/BoardArea.h"
#include "shell/ColourGrid.h"
#include "shell/CommandTable.h"
#include "shell/Icons.h"
#include "shell/InfoDisplay.h"
#include "shell/MenuLayout.h"
#include "shell/Palette.h"

#include <QtGui/QActionGroup>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

namespace karvel {

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

bool IsTool(CommandId id) {
    return std::holds_alternative<ToolRoute>(RouteOf(id));
}

template <typename... Visitors> struct Routes : Visitors... { using Visitors::operator()...; };

// Tool bars stand in one row at the top and one at the bottom until the settings say
// otherwise: piled up floating they would hide each other and the board.
struct DefaultPlace {
    int Number;
    ToolWindowPlacement::Dock Where;
};

constexpr std::array<DefaultPlace, MainWindow::ToolWindowCount> DefaultPlaces{{
    {10, ToolWindowPlacement::Dock::Top},
    {5, ToolWindowPlacement::Dock::Top},
    {9, ToolWindowPlacement::Dock::Top},
    {2, ToolWindowPlacement::Dock::Top},
    {1, ToolWindowPlacement::Dock::Top},
    {4, ToolWindowPlacement::Dock::Top},
    {3, ToolWindowPlacement::Dock::Bottom},
    {6, ToolWindowPlacement::Dock::Bottom},
    {7, ToolWindowPlacement::Dock::Bottom},
    {8, ToolWindowPlacement::Dock::Bottom},
    {11, ToolWindowPlacement::Dock::Bottom},
    {12, ToolWindowPlacement::Dock::Bottom},
}};

} // namespace

QAction& MainWindow::Action(CommandId id) const {
    return *actions_.at(std::size_t(id));
}

QToolBar& MainWindow::ToolWindow(int number) const {
    return *toolWindows_.at(std::size_t(number - 1));
}

void MainWindow::Execute(CommandId id) {
    const CommandRoute route = RouteOf(id);
    if (std::holds_alternative<SubmenuRoute>(route) || !Action(id).isEnabled())
        return;
    const Command& command = FindCommand(id);
    const auto handle = [&] {
        if (command.Handle != nullptr)
            (this->*command.Handle)(command.Argument);
    };
    std::visit(Routes{
                   [&](BoardRoute) { BoardCommand(int(id)); },
                   [&](BoardSwitchRoute) { handle(); },
                   [&](FileRoute) { FileCommand(int(id)); },
                   [&](LibraryRoute) { LibraryCommand(int(id)); },
                   [&](ToolRoute tool) { ChooseTool(ToolTag(tool.Mode)); },
                   [&](WindowRoute) { handle(); },
                   [](NoRoute) {},
                   [](SubmenuRoute) {},
               },
               route);
    // Any command may have changed the board under the unused areas.
    if (id != CommandId::ViewUnusedAreas)
        ScheduleUnusedAreasRefresh();
    if (OnCommandExecuted)
        OnCommandExecuted(id);
}

void MainWindow::CreateActions() {
    toolGroup_ = new QActionGroup(this);
    toolGroup_->setExclusive(true);
    for (const Command& command : CommandTable()) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(command.Name));
        action->setShortcut(command.Shortcut);
        action->setIcon(CommandIcon(command));
        action->setCheckable(command.Kind == CommandKind::Toggle || IsTool(command.Id));
        if (IsTool(command.Id))
            toolGroup_->addAction(action);
        const CommandId id = command.Id;
        connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
        // Keys and shortcuts work wherever the focus is in the window.
        if (!command.Shortcut.isEmpty())
            addAction(action);
        actions_.at(std::size_t(id)) = action;
    }
    // Escape is no command of the menus, but it too works wherever the focus is in the window.
    auto* escape = new QAction(this);
    escape->setObjectName(QStringLiteral("EscapeKey"));
    escape->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(escape, &QAction::triggered, this, [this] { EscapeKey(); });
    addAction(escape);
}

QMenu* MainWindow::CreateMenu(const MenuDefinition& definition, QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QString::fromLatin1(definition.Name));
    for (const CommandId id : definition.Items) {
        if (id == Separator)
            menu->addSeparator();
        else if (id == CommandId::ViewShowTools)
            menu->addMenu(showToolsMenu_);
        else if (id == CommandId::SettingsLanguage)
            menu->addMenu(languageMenu_);
        else
            menu->addAction(&Action(id));
    }
    return menu;
}

void MainWindow::CreateMenus() {
    showToolsMenu_ = new QMenu(this);
    showToolsMenu_->setObjectName(QStringLiteral("Werkzeugeanzeigen1"));
    for (const CommandId id : ShowToolsItems()) {
        if (id == CommandId::ShowAllTools)
            showToolsMenu_->addSeparator();
        showToolsMenu_->addAction(&Action(id));
    }
    // The submenu's own item stands for the command in the table.
    QAction* submenu = showToolsMenu_->menuAction();
    submenu->setObjectName(Action(CommandId::ViewShowTools).objectName());
    actions_.at(std::size_t(CommandId::ViewShowTools))->deleteLater();
    actions_.at(std::size_t(CommandId::ViewShowTools)) = submenu;

    languageMenu_ = new QMenu(this);
    languageMenu_->setObjectName(Action(CommandId::SettingsLanguage).objectName());
    for (const CommandId id : LanguageItems()) {
        Action(id).setCheckable(true);
        languageMenu_->addAction(&Action(id));
    }
    // The table's own item goes; until it is gone it must not be found by its name.
    actions_.at(std::size_t(CommandId::SettingsLanguage))->setObjectName(QString());
    actions_.at(std::size_t(CommandId::SettingsLanguage))->deleteLater();
    actions_.at(std::size_t(CommandId::SettingsLanguage)) = languageMenu_->menuAction();
    languageMenu_->menuAction()->setObjectName(languageMenu_->objectName());

    for (const MenuDefinition& definition : MainMenus()) {
        QMenu* menu = CreateMenu(definition, menuBar());
        menuBar()->addMenu(menu);
        mainMenus_.push_back(menu);
        if (menu->objectName() == u"Datei1")
            fileMenu_ = menu;
        // Opening a menu brings it up to date, as the selection may have changed meanwhile.
        connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            if (menu == fileMenu_) {
                recent_.DropMissing();
                UpdateRecentMenu();
            }
            DoMenues();
        });
    }
    elementMenu_ = CreateMenu(ElementMenu(), this);
    libraryMenu_ = CreateMenu(LibraryMenu(), this);
    tabMenu_ = CreateMenu(BoardTabMenu(), this);
    for (QMenu* popup : {elementMenu_, libraryMenu_, tabMenu_})
        connect(popup, &QMenu::aboutToShow, this, &MainWindow::DoMenues);
    // The menu's commands work on the current board: the tab clicked becomes current, so that
    // renaming or deleting from another tab's menu does not hit the board shown before.
    connect(&area_->Tabs(), &QTabBar::customContextMenuRequested, this, [this](QPoint at) {
        if (BoardBusy())
            return;
        SelectBoard(area_->Tabs().tabAt(at));
        tabMenu_->popup(area_->Tabs().mapToGlobal(at));
    });
}

void MainWindow::CreateToolBars() {
    for (const ToolBarDefinition& definition : ToolBars())
        toolWindows_.at(std::size_t(definition.Number - 1)) = CreateToolBar(definition);
}

QToolBar* MainWindow::CreateToolBar(const ToolBarDefinition& definition) {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QString::fromLatin1(definition.Name));
    bar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    bar->setFloatable(true);
    bar->setMovable(true);
    bar->setIconSize(QSize(20, 20));
    for (const ToolBarItem& item : definition.Items) {
        if (item.Widget != ToolBarWidget::None) {
            bar->addWidget(CreateToolBarWidget(item.Widget, *bar));
        } else if (item.Id == Separator) {
            bar->addSeparator();
        } else {
            bar->addAction(&Action(item.Id));
        }
    }
    // The fill bitmap commands are text buttons, "BMP" and "ROT".
    for (const CommandId id : {CommandId::FillBitmap, CommandId::FillBitmapRotate})
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(&Action(id))))
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(bar, &QToolBar::visibilityChanged, this, [this] { UpdateShowToolsMenu(); });
    if (definition.Number == 2) {
        unusedButton_ =
            qobject_cast<QToolButton*>(bar->widgetForAction(&Action(CommandId::ViewUnusedAreas)));
    }
    return bar;
}

QWidget* MainWindow::CreateToolBarWidget(ToolBarWidget kind, QToolBar& bar) {
    switch (kind) {
    case ToolBarWidget::InfoDisplay:
        display_ = new InfoDisplay(&bar);
        display_->setObjectName(QStringLiteral("Infozeilen"));
        return display_;
    case ToolBarWidget::PenWidthList:
        penWidths_ = new QComboBox(&bar);
        penWidths_->setObjectName(QStringLiteral("BreiteBox"));
        penWidths_->setFocusPolicy(Qt::ClickFocus);
        for (int i = 0; i < PenWidthCount; ++i)
            penWidths_->addItem(PenWidthText(i, view_.Sprache));
        penWidths_->setCurrentIndex(StartPenWidthIndex);
        connect(penWidths_, &QComboBox::activated, this, &MainWindow::PenWidthChosen);
        return penWidths_;
    case ToolBarWidget::ColourGrid:
        colourGrid_ = new ColourGrid(&bar);
        colourGrid_->setObjectName(QStringLiteral("Farbgitter"));
        colourGrid_->OnForeground = [this](int index) { SetForeground(index); };
        colourGrid_->OnBackground = [this](int index) { SetBackground(index); };
        return colourGrid_;
    case ToolBarWidget::ContourAmount: {
        auto* box = new QWidget(&bar);
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(4, 0, 4, 0);
        row->setSpacing(3);
        contourAmount_ = new QLineEdit(FormatNumber(1.0, 1, view_.Sprache), box);
        contourAmount_->setObjectName(QStringLiteral("KonturBetrag"));
        contourAmount_->setFixedWidth(44);
        contourAmount_->setAlignment(Qt::AlignRight);
        row->addWidget(contourAmount_);
        row->addWidget(new QLabel(QStringLiteral("mm"), box));
        return box;
    }
    case ToolBarWidget::None:
        break;
    }
    return nullptr;
}

void MainWindow::CreateToolColumn() {
    for (const CommandId id : ToolColumn()) {
        if (id == Separator)
            toolColumn_->addSeparator();
        else
            toolColumn_->addAction(&Action(id));
    }
    Action(CommandId::ToolStandard).setChecked(true);
}

// setzeSprache: every caption, hint and title in the program's language.
void MainWindow::ApplyLanguage() {
    const Language language = view_.Sprache;
    setWindowTitle(QStringLiteral("Karvel 3.0"));
    for (const Command& command : CommandTable()) {
        QAction& action = Action(command.Id);
        action.setText(command.Caption(language));
        action.setToolTip(command.Hint(language));
        action.setStatusTip(command.Hint(language));
    }
    for (std::size_t i = 0; i < mainMenus_.size(); ++i) {
        const MenuDefinition& definition = MainMenus()[i];
        mainMenus_[i]->setTitle(Tr(language, Text(definition.German), Text(definition.English)));
    }
    for (const ToolBarDefinition& definition : ToolBars())
        ToolWindow(definition.Number)
            .setWindowTitle(Tr(language, Text(definition.German), Text(definition.English)));
    toolColumn_->setWindowTitle(Tr(language, QStringLiteral("Werkzeuge"), QStringLiteral("Tools")));
    for (int i = 0; i < PenWidthCount; ++i)
        penWidths_->setItemText(i, PenWidthText(i, language));
    penWidths_->setToolTip(
        Tr(language, QStringLiteral("Breite zuweisen"), QStringLiteral("Assign width")));
    contourAmount_->setToolTip(Tr(language, QStringLiteral("Betrag für Fase und Rundung"),
                                  QStringLiteral("Amount of chamfer and rounding")));
    colourGrid_->setToolTip(
        Tr(language, QStringLiteral("Linke Maustaste: Stiftfarbe, rechte: Füllfarbe"),
           QStringLiteral("Left button: pen colour, right button: fill colour")));
}

void MainWindow::DefaultToolWindowPlacement() {
    for (const DefaultPlace& place : DefaultPlaces) {
        ToolWindowPlacement placement;
        placement.Where = place.Where;
        PlaceToolWindow(place.Number, placement);
    }
}

void MainWindow::PlaceToolWindow(int number, const ToolWindowPlacement& placement) {
    QToolBar& bar = ToolWindow(number);
    removeToolBar(&bar);
    switch (placement.Where) {
    case ToolWindowPlacement::Dock::Top:
        addToolBar(Qt::TopToolBarArea, &bar);
        break;
    case ToolWindowPlacement::Dock::Bottom:
        addToolBar(Qt::BottomToolBarArea, &bar);
        break;
    case ToolWindowPlacement::Dock::Floating:
        addToolBar(Qt::TopToolBarArea, &bar);
        // What the tool bar itself does when it is dragged off its dock bar.
        bar.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
        bar.move(placement.Position);
        bar.adjustSize();
        break;
    }
    bar.setVisible(placement.Visible);
    UpdateShowToolsMenu();
}

// The "Show tools" submenu offers exactly the hidden tool windows.
void MainWindow::UpdateShowToolsMenu() {
    bool anyHidden = false;
    for (const ToolBarDefinition& definition : ToolBars()) {
        const bool hidden = ToolWindow(definition.Number).isHidden();
        Action(definition.ShowItem).setVisible(hidden);
        anyHidden = anyHidden || hidden;
    }
    Action(CommandId::ViewShowTools).setEnabled(anyHidden);
}

void MainWindow::ShowToolWindowCommand(int number) {
    if (number == 0) {
        for (QToolBar* bar : toolWindows_)
            bar->show();
    } else {
        ToolWindow(number).show();
    }
    UpdateShowToolsMenu();
}

QMenu* MainWindow::createPopupMenu() {
    // Right-clicking a dock bar offers to hide or show each tool window.
    auto* menu = new QMenu(this);
    for (const ToolBarDefinition& definition : ToolBars()) {
        QToolBar* bar = &ToolWindow(definition.Number);
        QAction* item = menu->addAction(bar->windowTitle());
        item->setCheckable(true);
        item->setChecked(!bar->isHidden());
        connect(item, &QAction::toggled, bar, &QToolBar::setVisible);
    }
    return menu;
}

void MainWindow::UpdateRecentMenu() {
    const QStringList& entries = recent_.Entries();
    const std::array ids{CommandId::Recent1, CommandId::Recent2, CommandId::Recent3,
                         CommandId::Recent4};
    for (std::size_t i = 0; i < ids.size(); ++i) {
        QAction& action = Action(ids[i]);
        const bool used = qsizetype(i) < entries.size();
        action.setVisible(used);
        if (used) {
            action.setText(RecentFiles::MenuCaption(int(i), entries[qsizetype(i)]));
            action.setToolTip(entries[qsizetype(i)]);
        }
    }
}

} // namespace karvel
