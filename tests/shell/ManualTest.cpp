// The manual that ships in resources/, the help window that shows it, and what the user is
// told when it is missing.

#include "platform/HelpTopic.h"
#include "shell/DialogAnswer.h"
#include "shell/HelpWindow.h"
#include "shell/ShellDialogs.h"
#include "shell/ShellFixture.h"
#include "support/Printers.h"

#include <gtest/gtest.h>
#include <QtCore/QTemporaryDir>
#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtGui/QWindow>
#include <QtTest/QTest>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTextBrowser>

namespace karvel {
namespace {

using test::AnswerNextDialog;
using test::ShownWindow;

const QString Resources = QStringLiteral(KARVEL_SOURCE_DIR "/resources");

// Every anchor name the document knows after QTextBrowser has read the HTML: an empty
// "<a name>" before a heading lands on the heading's block.
QStringList AnchorsOf(const QTextDocument& document) {
    QStringList anchors;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        anchors += block.charFormat().anchorNames();
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            anchors += fragment.fragment().charFormat().anchorNames();
    }
    return anchors;
}

// The help window outlives a test; the tests after it should not find it standing.
struct ClosesHelpWindow {
    ClosesHelpWindow() = default;
    ClosesHelpWindow(const ClosesHelpWindow&) = delete;
    ClosesHelpWindow& operator=(const ClosesHelpWindow&) = delete;
    ~ClosesHelpWindow() {
        if (HelpWindow* window = HelpWindow::Existing())
            window->close();
    }
};

// The text of the line at the top of the browser's view.
QString TopLine(const QTextBrowser& browser) {
    return browser.cursorForPosition(QPoint(4, 4)).block().text().trimmed();
}

class ShippedManualTest : public ::testing::TestWithParam<Language> {
protected:
    QString File() const { return ManualFile(Resources, UsesEnglish(GetParam())); }
};

// Each topic the program opens must be found: QTextBrowser reads the anchor (the HTML is
// well-formed enough for it) and scrolls there, later topics further down.
TEST_P(ShippedManualTest, EveryTopicHasItsAnchorAndScrollsThereInOrder) {
    QTextBrowser browser;
    browser.resize(760, 300);
    browser.show();
    browser.setSource(QUrl::fromLocalFile(File()));
    ASSERT_FALSE(browser.document()->isEmpty()) << File().toStdString();
    const QStringList anchors = AnchorsOf(*browser.document());
    int previous = -1;
    for (const int topic : ManualTopic::All) {
        SCOPED_TRACE(topic);
        EXPECT_TRUE(anchors.contains(ManualAnchor(topic)));
        browser.setSource(ManualUrl(File(), topic));
        const int position = browser.verticalScrollBar()->value();
        EXPECT_GT(position, previous) << "the topic's section starts below the one before";
        previous = position;
    }
    EXPECT_TRUE(anchors.contains(QStringLiteral("contents")));
}

TEST_P(ShippedManualTest, DeclaresUtf8SoThatUmlautsAndDashesSurvive) {
    QTextBrowser browser;
    browser.setSource(QUrl::fromLocalFile(File()));
    EXPECT_EQ(browser.documentTitle(), UsesEnglish(GetParam())
                                           ? QStringLiteral("Karvel 3.0 – Manual")
                                           : QStringLiteral("Karvel 3.0 – Anleitung"));
    const QString accented =
        UsesEnglish(GetParam()) ? QStringLiteral("X-ray (F7) shows") : QStringLiteral("Lötseite");
    EXPECT_TRUE(browser.toPlainText().contains(accented));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ShippedManualTest,
                         ::testing::Values(Language::German, Language::English));

// The desktop's dialogs with the real help window, and the messages they would show recorded.
struct RecordingDialogs : QtShellDialogs {
    using QtShellDialogs::QtShellDialogs;
    void ShowMessage(QWidget*, MessageIcon icon, const QString& caption,
                     const QString& text) override {
        messages.push_back({icon, caption, text});
    }
    std::vector<test::FakeDialogs::Message> messages;
};

struct TopicCase {
    Language Sprache;
    int Topic;
    const char* Caption;
    const char* Heading;
};

void PrintTo(const TopicCase& c, std::ostream* os) {
    PrintTo(c.Sprache, os);
    *os << " topic " << c.Topic << ": " << c.Heading;
}

class HelpWindowTest : public ::testing::TestWithParam<TopicCase> {};

TEST_P(HelpWindowTest, OpensTheManualOfTheLanguageWithItsSectionAtTheTop) {
    const ClosesHelpWindow closes;
    const TopicCase& c = GetParam();
    RecordingDialogs dialogs(Resources);
    ShowManual(dialogs, Resources, c.Sprache, c.Topic);
    EXPECT_TRUE(dialogs.messages.empty());
    HelpWindow* window = HelpWindow::Existing();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8(c.Caption));
    EXPECT_EQ(window->Browser().source().fragment(), ManualAnchor(c.Topic));
    EXPECT_EQ(window->Browser().source().toLocalFile(),
              ManualFile(Resources, UsesEnglish(c.Sprache)));
    EXPECT_EQ(TopLine(window->Browser()), QString::fromUtf8(c.Heading));
}

INSTANTIATE_TEST_SUITE_P(
    Topics, HelpWindowTest,
    ::testing::Values(
        TopicCase{Language::German, 2000, "Karvel 3.0 – Anleitung", "Das Hauptfenster"},
        TopicCase{Language::German, 14000, "Karvel 3.0 – Anleitung", "Drucken und Druckvorschau"},
        TopicCase{Language::English, 14000, "Karvel 3.0 – Manual",
                  "Printing and the print preview"},
        TopicCase{Language::English, 19200, "Karvel 3.0 – Manual", "Component assistant"},
        TopicCase{Language::German, 10000, "Karvel 3.0 – Anleitung",
                  "Bohrung, Lötauge, Leiterbahn und Eigenschaften Text"}));

TEST(HelpWindowNavigationTest, OneWindowServesEveryRequestWithBackAndContents) {
    const ClosesHelpWindow closes;
    RecordingDialogs dialogs(Resources);
    ShowManual(dialogs, Resources, Language::English, ManualTopic::FineGrid);
    HelpWindow* first = HelpWindow::Existing();
    ShowManual(dialogs, Resources, Language::English, ManualTopic::Component);
    ASSERT_EQ(HelpWindow::Existing(), first) << "the window is reused";
    int shown = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets())
        shown += qobject_cast<const HelpWindow*>(widget) != nullptr ? 1 : 0;
    EXPECT_EQ(shown, 1);

    HelpWindow& window = *first;
    ASSERT_TRUE(window.BackButton().isEnabled());
    window.BackButton().click();
    EXPECT_EQ(window.Browser().source().fragment(), ManualAnchor(ManualTopic::FineGrid));
    EXPECT_TRUE(window.ForwardButton().isEnabled());
    window.ContentsButton().click();
    EXPECT_EQ(TopLine(window.Browser()), QStringLiteral("Contents"));
}

// While an application-modal dialog runs, every other window is blocked; the help window asked
// for from the dialog must still take the user's clicks, and stand beside the dialog rather
// than over it.
TEST(HelpWindowNavigationTest, TakesClicksBesideTheModalDialogThatAskedForIt) {
    const ClosesHelpWindow closes;
    RecordingDialogs dialogs(Resources);
    ShowManual(dialogs, Resources, Language::German, ManualTopic::MainWindow);
    HelpWindow& window = *HelpWindow::Existing();
    QString afterClick;
    bool covered = true;
    QDialog dialog;
    dialog.setGeometry(0, 100, 200, 100);
    AnswerNextDialog([&](QDialog& running) {
        ShowManual(dialogs, Resources, Language::German, ManualTopic::AutoSave);
        QApplication::processEvents();
        covered = window.frameGeometry().intersects(running.frameGeometry());
        // Through the window system, where blocked windows lose their input.
        QPushButton& back = window.BackButton();
        ASSERT_TRUE(back.isEnabled());
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                          back.mapTo(&window, back.rect().center()));
        QApplication::processEvents();
        afterClick = window.Browser().source().fragment();
    });
    dialog.exec();
    EXPECT_EQ(afterClick.toStdString(), ManualAnchor(ManualTopic::MainWindow).toStdString());
    EXPECT_FALSE(covered);
}

struct MissingCase {
    Language Sprache;
    const char* Caption;
    const char* Text;
};

void PrintTo(const MissingCase& c, std::ostream* os) {
    PrintTo(c.Sprache, os);
    *os << ": " << c.Caption;
}

class MissingManualTest : public ::testing::TestWithParam<MissingCase> {};

TEST_P(MissingManualTest, TheUserIsToldWhereTheManualWasLookedFor) {
    const MissingCase& c = GetParam();
    QTemporaryDir folder;
    ShownWindow shown(c.Sprache);
    shown->View().ProgramFolder = folder.path();
    shown->Execute(CommandId::HelpContents);
    EXPECT_TRUE(shown.dialogs->manuals.empty());
    ASSERT_EQ(shown.dialogs->messages.size(), 1u);
    const test::FakeDialogs::Message& message = shown.dialogs->messages[0];
    EXPECT_EQ(message.Icon, MessageIcon::Warning);
    EXPECT_EQ(message.Caption, QString::fromUtf8(c.Caption));
    EXPECT_TRUE(message.Text.startsWith(QString::fromUtf8(c.Text)));
    EXPECT_TRUE(message.Text.endsWith(
        QDir::toNativeSeparators(ManualFile(folder.path(), UsesEnglish(c.Sprache)))));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, MissingManualTest,
                         ::testing::Values(MissingCase{Language::German, "Anleitung",
                                                       "Die Anleitung wurde nicht gefunden:"},
                                           MissingCase{Language::English, "Manual",
                                                       "The manual was not found:"}));

TEST(MissingManualTest, ADialogsHelpButtonReportsItToo) {
    QTemporaryDir folder;
    ShownWindow shown(Language::English);
    shown->View().ProgramFolder = folder.path();
    shown.dialogs->onFineGrid = [](const std::function<void(int)>& help) {
        help(ManualTopic::FineGrid);
    };
    shown->Execute(CommandId::ViewFineGrid);
    ASSERT_EQ(shown.dialogs->messages.size(), 1u);
    EXPECT_TRUE(shown.dialogs->messages[0].Text.startsWith(u"The manual was not found:"));
}

TEST(ManualTest, TheMainWindowOpensTheShippedManualAtItsTopicInItsLanguage) {
    ShownWindow shown(Language::English);
    shown->View().ProgramFolder = Resources;
    shown->Execute(CommandId::HelpContents);
    EXPECT_TRUE(shown.dialogs->messages.empty());
    ASSERT_EQ(shown.dialogs->manuals.size(), 1u);
    EXPECT_EQ(shown.dialogs->manuals[0],
              std::make_pair(ManualFile(Resources, true), ManualTopic::MainWindow));
    EXPECT_EQ(shown.dialogs->manualLanguages, std::vector<Language>{Language::English});
}

} // namespace
} // namespace karvel
