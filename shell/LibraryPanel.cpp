#include "shell/LibraryPanel.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

namespace karvel {

namespace {

const QColor LibraryBackground(0xFE, 0xF5, 0xCF);

} // namespace

LibraryPanel::LibraryPanel(Language language, QWidget* parent)
    : QWidget(parent), pageList_(new QComboBox(this)), scrollBox_(new QScrollArea(this)),
      back_(new QToolButton(this)), forward_(new QToolButton(this)) {
    noPages_ = new QLabel(Tr(language,
                             QStringLiteral("Keine Bibliotheksseite installiert.\n\n"
                                            "Bibliotheksseiten (*.lib) gehören in den Ordner "
                                            "\"Lib\" des Programmordners."),
                             QStringLiteral("No library page is installed.\n\n"
                                            "Library pages (*.lib) belong in the folder \"Lib\" "
                                            "of the program folder.")));
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

    scrollBox_->setObjectName(QStringLiteral("BiboBox"));
    scrollBox_->setToolTip(
        Tr(language, QStringLiteral("Bauteilauswahl"), QStringLiteral("Select component...")));
    scrollBox_->verticalScrollBar()->setSingleStep(32);
    scrollBox_->setFrameShape(QFrame::StyledPanel);
    SetBackground(LibraryBackground);

    const QString leaf = Tr(language, QStringLiteral("Blättern"), QStringLiteral("Leaf through"));
    for (auto [button, text] : {std::pair{back_, "<<<"}, std::pair{forward_, ">>>"}}) {
        button->setText(QString::fromLatin1(text));
        button->setToolTip(leaf);
        button->setAutoRaise(true);
        button->setEnabled(false);
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
    column->addWidget(scrollBox_, 1);
    column->addLayout(strip);
    scrollBox_->setWidgetResizable(true);
    scrollBox_->setWidget(noPages_);
    SetPageNames({});
}

void LibraryPanel::SetPageNames(const QStringList& names) {
    pageList_->clear();
    pageList_->addItems(names);
    const bool any = !names.isEmpty();
    pageList_->setVisible(any);
    pageList_->setEnabled(any);
    back_->setVisible(any);
    forward_->setVisible(any);
    noPages_->setVisible(!any);
}

bool LibraryPanel::ShowsNoPageNote() const {
    return !noPages_->isHidden();
}

void LibraryPanel::SetBackground(const QColor& colour) {
    QPalette palette = scrollBox_->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Base, colour);
    scrollBox_->setPalette(palette);
    scrollBox_->viewport()->setAutoFillBackground(true);
    scrollBox_->viewport()->setPalette(palette);
}

} // namespace karvel
