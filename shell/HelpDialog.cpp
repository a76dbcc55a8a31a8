#include "shell/HelpDialog.h"

#include "shell/DialogParts.h"
#include "shell/ScreenPlacement.h"
#include "shell/ShellDialogs.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace karvel {

HelpDialog::HelpDialog(QWidget* parent, Language language, int topic, HelpRequest help)
    : QDialog(parent), language_(language), topic_(topic), help_(std::move(help)) {
    // Fields keep the keys they are given, F1 included; the dialog sees it before they do.
    qApp->installEventFilter(this);
}

HelpDialog::HelpDialog(QWidget* parent, Language language) : HelpDialog(parent, language, 0, {}) {}

QDialogButtonBox* HelpDialog::SetContent(QLayout* content) {
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content);
    QDialogButtonBox* buttons = dialog_parts::OkCancel(*this, language_);
    if (HasHelp()) {
        QPushButton* help = buttons->addButton(dialog_parts::T(language_, "&Hilfe...", "&Help..."),
                                               QDialogButtonBox::HelpRole);
        help->setAutoDefault(false);
        connect(help, &QPushButton::clicked, this, [this] { ShowHelp(); });
    }
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return buttons;
}

bool HelpDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease && isVisible() && HasHelp()) {
        auto* key = static_cast<QKeyEvent*>(event);
        const auto* widget = qobject_cast<const QWidget*>(watched);
        const bool inside = widget != nullptr && (widget == this || isAncestorOf(widget));
        if (inside && key->key() == Qt::Key_F1 && !key->isAutoRepeat()) {
            ShowHelp();
            key->accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
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
        QtShellDialogs dialogs(programFolder);
        ShowManual(dialogs, programFolder, language, topic);
    };
}

} // namespace karvel
