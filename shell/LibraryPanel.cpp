#include "shell/LibraryPanel.h"

#include "board/Bibo.h"
#include "platform/Colour.h"
#include "shell/LibraryView.h"
#include "shell/ScrollBoxEx.h"

#include <memory>
#include <QtCore/QEvent>
#include <QtCore/QSignalBlocker>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

namespace karvel {

namespace {

const QColor LibraryBackground(0xFE, 0xF5, 0xCF);

// A new width shows or hides the scroll bar, which changes the width again; it settles
// within a few rounds.
constexpr int MostFittingRounds = 3;

} // namespace

LibraryPanel::LibraryPanel(Language language, QWidget* parent)
    : QWidget(parent), language_(language), pageList_(new QComboBox(this)),
      scrollBox_(new TScrollBoxEx(this)), back_(new QToolButton(this)),
      forward_(new QToolButton(this)) {
    noPages_ = new QLabel;
    SetLibraryFolder({});
    noPages_->setObjectName(QStringLiteral("KeineBibliothek"));
    noPages_->setWordWrap(true);
    noPages_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    noPages_->setMargin(8);
    setObjectName(QStringLiteral("EditPanel"));
    setMinimumWidth(MinimumWidth);
    setMaximumWidth(MaximumWidth);

    pageList_->setObjectName(QStringLiteral("BiboListe"));
    pageList_->setToolTip(QStringLiteral("Bibliothekseite aufrufen"));
    pageList_->setEnabled(false);
    // The list may be narrower than its longest name.
    pageList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    pageList_->setMinimumContentsLength(4);
    connect(pageList_, &QComboBox::activated, this, [this](int index) {
        if (OnPageChosen)
            OnPageChosen(index);
    });

    scrollBox_->setObjectName(QStringLiteral("BiboBox"));
    scrollBox_->setToolTip(
        Tr(language, QStringLiteral("Bauteilauswahl"), QStringLiteral("Select component...")));
    scrollBox_->verticalScrollBar()->setSingleStep(32);
    scrollBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollBox_->setFrameShape(QFrame::StyledPanel);
    // Below a short page the box shows the library's background, not a board view's grey.
    scrollBox_->setBackgroundRole(QPalette::Window);
    scrollBox_->viewport()->setBackgroundRole(QPalette::Window);
    scrollBox_->viewport()->installEventFilter(this);
    SetBackground(LibraryBackground);

    const QString leaf = Tr(language, QStringLiteral("Blättern"), QStringLiteral("Leaf through"));
    for (auto [button, text, step] :
         {std::tuple{back_, "<<<", -1}, std::tuple{forward_, ">>>", +1}}) {
        button->setText(QString::fromLatin1(text));
        button->setToolTip(leaf);
        button->setAutoRaise(true);
        button->setEnabled(false);
        connect(button, &QToolButton::clicked, this, [this, step] {
            if (OnLeaf)
                OnLeaf(step);
        });
    }

    auto* strip = new QHBoxLayout;
    strip->setContentsMargins(0, 0, 0, 0);
    strip->addWidget(back_);
    strip->addStretch();
    strip->addWidget(forward_);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);
    column->addWidget(pageList_);
    column->addWidget(noPages_, 1);
    column->addWidget(scrollBox_, 1);
    column->addLayout(strip);
    SetPageNames({});
}

QScrollArea* LibraryPanel::ScrollBox() const {
    return scrollBox_;
}

void LibraryPanel::SetPageNames(const QStringList& names) {
    {
        const QSignalBlocker quiet(pageList_);
        pageList_->clear();
        pageList_->addItems(names);
    }
    const bool any = !names.isEmpty();
    pageList_->setVisible(any);
    pageList_->setEnabled(any);
    back_->setVisible(any);
    forward_->setVisible(any);
    back_->setEnabled(any);
    forward_->setEnabled(any);
    scrollBox_->setVisible(any);
    noPages_->setVisible(!any);
}

void LibraryPanel::SetLibraryFolder(const QString& folder) {
    const QString where =
        folder.isEmpty() ? Tr(language_, QStringLiteral("den Ordner \"Lib\" des Programmordners"),
                              QStringLiteral("the folder \"Lib\" of the program folder"))
                         : Tr(language_, QStringLiteral("den Ordner \"%1\""),
                              QStringLiteral("the folder \"%1\""))
                               .arg(folder);
    noPages_->setText(Tr(language_,
                         QStringLiteral("Keine Bibliotheksseite installiert.\n\n"
                                        "Bibliotheksseiten (*.lib) gehören in %1."),
                         QStringLiteral("No library page is installed.\n\n"
                                        "Library pages (*.lib) belong in %1."))
                          .arg(where));
}

bool LibraryPanel::ShowsNoPageNote() const {
    return !noPages_->isHidden();
}

void LibraryPanel::SetShownPage(int index) {
    const QSignalBlocker quiet(pageList_);
    pageList_->setCurrentIndex(index);
}

void LibraryPanel::SetBackground(const QColor& colour) {
    QPalette palette = scrollBox_->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Base, colour);
    scrollBox_->setPalette(palette);
    scrollBox_->viewport()->setAutoFillBackground(true);
    scrollBox_->viewport()->setPalette(palette);
    if (page_ != nullptr) {
        page_->SetColor(FromQColor(colour));
        view_->update();
    }
}

void LibraryPanel::Attach(TBibo& page) {
    page_ = &page;
    view_ = new LibraryView(page);
    scrollBox_->setWidget(view_);
    page.SetColor(FromQColor(scrollBox_->viewport()->palette().color(QPalette::Window)));
    page.SetHost(scrollBox_);
    FitWidth();
}

void LibraryPanel::Detach() {
    if (page_ == nullptr)
        return;
    page_->SetHost(nullptr);
    const std::unique_ptr<QWidget> view(scrollBox_->takeWidget());
    view_ = nullptr;
    page_ = nullptr;
}

void LibraryPanel::FitWidth() {
    if (page_ == nullptr)
        return;
    for (int round = 0; round < MostFittingRounds; ++round) {
        const int width = scrollBox_->ClientSize().width();
        if (round > 0 && width == page_->ViewWidth())
            break;
        page_->SetViewWidth(width);
    }
    view_->update();
}

void LibraryPanel::ScrollTo(int y) {
    scrollBox_->SetScrollPosition({0, std::max(y, 0)});
}

bool LibraryPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scrollBox_->viewport() && event->type() == QEvent::Resize && page_ != nullptr &&
        scrollBox_->ClientSize().width() != page_->ViewWidth())
        FitWidth();
    return QWidget::eventFilter(watched, event);
}

} // namespace karvel
