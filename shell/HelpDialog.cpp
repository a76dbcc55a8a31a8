#include "shell/HelpDialog.h"

#include "platform/HelpTopic.h"
#include "shell/DialogParts.h"
#include "shell/ScreenPlacement.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace karvel {

HelpDialog::HelpDialog(QWidget* parent, Language language, int topic, HelpRequest help)
    : QDialog(parent), language_(language), topic_(topic), help_(std::move(help)) {}

void HelpDialog::SetContent(QLayout* content) {
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content);
    QDialogButtonBox* buttons = dialog_parts::OkCancel(*this, language_);
    QPushButton* help = buttons->addButton(dialog_parts::T(language_, "&Hilfe...", "&Help..."),
                                           QDialogButtonBox::HelpRole);
    help->setAutoDefault(false);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelp(); });
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// The key arrives here from whichever field has the focus: fields and buttons leave F1 alone.
void HelpDialog::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && !event->isAutoRepeat()) {
        ShowHelp();
        event->accept();
        return;
    }
    QDialog::keyReleaseEvent(event);
}

void HelpDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const QWidget* near = parentWidget();
    const QRect screen = AvailableScreenArea(
        near != nullptr ? near->mapToGlobal(near->rect().center()) : geometry().center());
    QRect frame = frameGeometry();
    frame.moveCenter(screen.center());
    move(frame.topLeft());
}

void HelpDialog::ShowHelp() const {
    if (help_)
        help_(topic_);
}

HelpRequest ManualHelp(const QString& programFolder, Language language) {
    return [programFolder, language](int topic) {
        ShowHelpTopic(topic, programFolder, UsesEnglish(language));
    };
}

} // namespace karvel
