#pragma once
// A modal dialog of the program with OK, Cancel and Help below its content: the Help button
// and F1 (when it is released) open the manual at the dialog's topic, and the dialog opens in
// the middle of the screen. A dialog without a topic has no Help button and ignores F1.

#include "platform/HelpTopic.h"
#include "platform/Language.h"

#include <functional>
#include <QtWidgets/QDialog>

class QDialogButtonBox;
class QLayout;

namespace karvel {

// Opens the manual at a topic.
using HelpRequest = std::function<void(int topic)>;

class HelpDialog : public QDialog {
    Q_OBJECT
public:
    HelpDialog(QWidget* parent, Language language, int topic, HelpRequest help);
    // A dialog without help.
    HelpDialog(QWidget* parent, Language language);

    int Topic() const { return topic_; }

protected:
    // Puts the content above the buttons; called once by the dialog that derives, which may
    // add buttons of its own to the row returned.
    QDialogButtonBox* SetContent(QLayout* content);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

    Language language_;

private:
    bool HasHelp() const { return topic_ > 0; }
    void ShowHelp() const;

    int topic_;
    HelpRequest help_;
};

// The manual of the program folder's language, opened at a topic in the help window.
HelpRequest ManualHelp(const QString& programFolder, Language language);

} // namespace karvel
