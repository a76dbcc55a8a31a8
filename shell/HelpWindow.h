#pragma once
// The manual's window: the HTML manual of the program's language in a browser with Back,
// Forward and Contents. The program keeps one and brings it back, at the topic asked for,
// whenever help is requested.

#include "platform/Language.h"

#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

class QPushButton;
class QTextBrowser;

namespace karvel {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize StartSize{760, 600};
    // Beside a dialog it may become this narrow, with this much space between them.
    static constexpr int MinimumWidth = 420;
    static constexpr int Gap = 8;

    HelpWindow();

    // The program's one help window, made at the first request.
    static HelpWindow& Shared();
    // The shared window when it has been made.
    static HelpWindow* Existing();

    // Shows the manual file at the topic's anchor, in front of whatever window asked; false
    // when the file holds nothing to show.
    bool ShowTopic(const QString& file, int topic, Language language);

    QTextBrowser& Browser() const { return *browser_; }
    QPushButton& BackButton() const { return *back_; }
    QPushButton& ForwardButton() const { return *forward_; }
    QPushButton& ContentsButton() const { return *contents_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyLanguage(Language language);
    void ShowContents();
    void PlaceFirstTime();
    void FollowModalWindow();
    void StandBeside(const QWidget& dialog);

    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* forward_;
    QPushButton* contents_;
    QPushButton* close_;
    QString file_;
    bool placed_ = false;
    // The modal window this one stands beside, so that it takes input while that runs.
    QPointer<QWidget> modal_;
};

} // namespace karvel
