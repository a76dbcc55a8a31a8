#include "shell/BoardArea.h"

#include "shell/Ruler.h"
#include "shell/ScrollBoxEx.h"

#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QTabBar>

namespace karvel {

BoardArea::BoardArea(QWidget* parent)
    : QWidget(parent), horizontal_(new Ruler(Qt::Horizontal, this)),
      vertical_(new Ruler(Qt::Vertical, this)), corner_(new QWidget(this)),
      stack_(new QStackedWidget(this)), tabs_(new QTabBar(this)), focusSink_(new QWidget(this)) {
    setObjectName(QStringLiteral("LPLPanel"));
    horizontal_->setObjectName(QStringLiteral("LinealH"));
    vertical_->setObjectName(QStringLiteral("LinealV"));
    corner_->setFixedSize(Ruler::Thickness, Ruler::Thickness);
    corner_->setAutoFillBackground(true);
    QPalette cornerPalette = corner_->palette();
    cornerPalette.setColor(QPalette::Window, QColor::fromRgba(Ruler::Background));
    corner_->setPalette(cornerPalette);

    tabs_->setObjectName(QStringLiteral("PlatinenTabs"));
    tabs_->setShape(QTabBar::RoundedSouth);
    tabs_->setDocumentMode(true);
    tabs_->setExpanding(false);
    tabs_->setContextMenuPolicy(Qt::CustomContextMenu);

    // Takes the keyboard focus so that keys reach the window's shortcuts and not a list or
    // field of a tool bar; it shows nothing.
    focusSink_->setObjectName(QStringLiteral("FocusSink"));
    focusSink_->setFocusPolicy(Qt::StrongFocus);
    focusSink_->setFixedSize(1, 1);

    auto* tabRow = new QHBoxLayout;
    tabRow->setContentsMargins(0, 0, 0, 0);
    tabRow->addWidget(tabs_);
    tabRow->addStretch();
    tabRow->addWidget(focusSink_);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(corner_, 0, 0);
    grid->addWidget(horizontal_, 0, 1);
    grid->addWidget(vertical_, 1, 0);
    grid->addWidget(stack_, 1, 1);
    grid->addLayout(tabRow, 2, 0, 1, 2);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
}

void BoardArea::AddView(TScrollBoxEx& view) {
    stack_->addWidget(&view);
}

void BoardArea::ShowView(TScrollBoxEx& view) {
    stack_->setCurrentWidget(&view);
}

void BoardArea::SetRulersVisible(bool visible) {
    horizontal_->setVisible(visible);
    vertical_->setVisible(visible);
    corner_->setVisible(visible);
}

bool BoardArea::RulersVisible() const {
    return !horizontal_->isHidden();
}

// A tab added before the window was first shown does not tell the layout that the row needs
// height, and the row would stay zero pixels high until a second tab arrives.
void BoardArea::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    tabs_->updateGeometry();
}

} // namespace karvel
