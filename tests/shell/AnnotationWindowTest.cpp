// The annotation window every board owns: it follows the tabs, keeps the board's annotations in
// step with every edit, and marks its board modified; and the components list window.

#include "board/ProjectFile.h"
#include "elements/Gruppe.h"
#include "shell/AnnotationWindows.h"
#include "shell/DialogAnswer.h"
#include "shell/EditorForm.h"
#include "shell/ScrollBoxEx.h"
#include "shell/ShellFixture.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QTextEdit>

namespace karvel {
namespace {

using test::ShownWindow;

void Type(TEditorForm& window, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&window.Editor(), &press);
    }
    QApplication::processEvents();
}

class AnnotationWindowTest : public ::testing::Test {
protected:
    explicit AnnotationWindowTest(Language language = Language::German) : shown(language) {}

    void Open(const QStringList& names) {
        path = folder.filePath(QStringLiteral("projekt.rst"));
        ASSERT_EQ(test::WriteStripboardProject(path, names), u"");
        ASSERT_TRUE(shown->OpenProjectFile(path));
        shown->SelectBoard(0);
    }
    TEditorForm* Existing(int index) const { return FindAnnotationWindow(shown->ScrollBox(index)); }

    QTemporaryDir folder;
    QString path;
    ShownWindow shown;
};

TEST_F(AnnotationWindowTest, TheWindowFollowsTheTabsUntilItIsClosed) {
    Open({QStringLiteral("Relais"), QStringLiteral("Netzteil")});
    EXPECT_EQ(Existing(0), nullptr) << "made only when needed";
    const QByteArray stored = shown->Board(0).Anmerkungen().Rtf();
    shown->Execute(CommandId::BoardAnnotations);
    EXPECT_TRUE(shown->AnnotationsShown());
    TEditorForm& first = shown->AnnotationWindow(0);
    EXPECT_TRUE(first.isVisible());
    EXPECT_EQ(first.windowTitle(), QStringLiteral("Anmerkungen: Relais"));
    EXPECT_EQ(first.Document().toPlainText(), shown->Board(0).Anmerkungen().PlainText());
    EXPECT_FALSE(first.Document().isModified());
    // Looking is no change.
    EXPECT_FALSE(shown->Board(0).Modified());
    EXPECT_EQ(shown->Board(0).Anmerkungen().Rtf(), stored);

    shown->SelectBoard(1);
    EXPECT_FALSE(first.isVisible());
    ASSERT_NE(Existing(1), nullptr);
    EXPECT_TRUE(Existing(1)->isVisible());
    EXPECT_EQ(Existing(1)->windowTitle(), QStringLiteral("Anmerkungen: Netzteil"));

    Existing(1)->close();
    EXPECT_FALSE(shown->AnnotationsShown());
    shown->SelectBoard(0);
    EXPECT_FALSE(first.isVisible());
    EXPECT_FALSE(Existing(1)->isVisible());
    EXPECT_TRUE(shown.dialogs->messages.empty());
}

TEST_F(AnnotationWindowTest, EveryEditMarksTheBoardModifiedAndTravelsWithItsFile) {
    Open({QStringLiteral("Relais"), QStringLiteral("Netzteil")});
    shown->Execute(CommandId::BoardAnnotations);
    TEditorForm& window = shown->AnnotationWindow(0);
    TPlatine& board = shown->Board(0);
    Type(window, QStringLiteral("Prüfen: "));
    EXPECT_TRUE(board.Modified());
    EXPECT_TRUE(board.Anmerkungen().PlainText().startsWith(QStringLiteral("Prüfen: ")));
    EXPECT_FALSE(shown->Board(1).Modified());

    // After a save, the next edit marks the board again.
    board.SetModified(false);
    Type(window, QStringLiteral("€"));
    EXPECT_TRUE(board.Modified());
    // Formatting alone is a change too.
    board.SetModified(false);
    QTextCursor all = window.Editor().textCursor();
    all.select(QTextCursor::Document);
    window.Editor().setTextCursor(all);
    window.ToolAction("UnderlineBtn").trigger();
    EXPECT_TRUE(board.Modified());
    // So is undoing it.
    board.SetModified(false);
    window.Editor().undo();
    EXPECT_TRUE(board.Modified());

    const QString saved = folder.filePath(QStringLiteral("gespeichert.rst"));
    ASSERT_EQ(SaveProjectFile(saved, {&board, &shown->Board(1)}), u"");
    ViewState view;
    const ProjectLoad load = ReadProjectFile(saved, view);
    ASSERT_EQ(load.Boards.size(), 2u);
    EXPECT_EQ(load.Boards[0]->Anmerkungen().PlainText(), window.Document().toPlainText());
    EXPECT_TRUE(load.Boards[0]->Anmerkungen().PlainText().startsWith(QStringLiteral("Prüfen: €")));

    // Opened again, the project shows the edited annotations.
    ASSERT_TRUE(shown->OpenProjectFile(saved));
    shown->SelectBoard(0);
    EXPECT_TRUE(shown->AnnotationsShown());
    EXPECT_TRUE(shown->AnnotationWindow(0).isVisible());
    EXPECT_EQ(shown->AnnotationWindow(0).Document().toPlainText(),
              load.Boards[0]->Anmerkungen().PlainText());
    EXPECT_FALSE(shown->Board(0).Modified());
}

TEST_F(AnnotationWindowTest, AnotherWritersBytesStayUntilTheTextIsEdited) {
    Open({QStringLiteral("Relais")});
    const QByteArray foreign =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\*\\generator Other 1.0;}"
        "{\\info{\\author A}}\\pard\\f0\\fs20 Alte {\\b Notiz}\\par}";
    shown->Board(0).Anmerkungen().SetRtf(foreign);
    shown->Execute(CommandId::BoardAnnotations);
    TEditorForm& window = shown->AnnotationWindow(0);
    EXPECT_EQ(window.Document().toPlainText(), QStringLiteral("Alte Notiz"));
    EXPECT_EQ(shown->Board(0).Anmerkungen().Rtf(), foreign);
    Type(window, QStringLiteral("x"));
    EXPECT_NE(shown->Board(0).Anmerkungen().Rtf(), foreign);
    EXPECT_EQ(shown->Board(0).Anmerkungen().PlainText(), QStringLiteral("xAlte Notiz"));
}

TEST_F(AnnotationWindowTest, DamagedAnnotationsShowWhatCouldBeReadAndSayWhy) {
    Open({QStringLiteral("Relais")});
    shown->Board(0).Anmerkungen().SetRtf("{\\rtf1 Noch lesbar{\\b fett");
    shown->Execute(CommandId::BoardAnnotations);
    EXPECT_EQ(shown->AnnotationWindow(0).Document().toPlainText(),
              QStringLiteral("Noch lesbarfett"));
    ASSERT_EQ(shown.dialogs->messages.size(), 1u);
    EXPECT_EQ(shown.dialogs->messages[0].Icon, MessageIcon::Error);
    EXPECT_EQ(shown.dialogs->messages[0].Text,
              QStringLiteral("Der Text bricht vor seinem Ende ab; gelesen wurde, was da ist."));
    // Reading is no change: the damaged bytes stay until the text is edited.
    EXPECT_FALSE(shown->Board(0).Modified());
    EXPECT_EQ(shown->Board(0).Anmerkungen().Rtf(), "{\\rtf1 Noch lesbar{\\b fett");
}

TEST_F(AnnotationWindowTest, ListButtonsInsertTheBoardsListsAtTheCaret) {
    Open({QStringLiteral("Relais")});
    auto relay = std::make_unique<TGruppe>();
    relay->IsComponent = true;
    relay->Identifier = QStringLiteral("K#");
    relay->Number = 1;
    relay->Description = QStringLiteral("Relais 12 V");
    relay->Value.clear();
    shown->Board(0).Add(std::move(relay));
    shown->Execute(CommandId::BoardAnnotations);
    TEditorForm& window = shown->AnnotationWindow(0);
    window.Editor().moveCursor(QTextCursor::End);
    window.ToolAction("sList_Btn").trigger();
    const QString text = window.Document().toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("\nStückliste für Relais\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nProjekt: ") + path + u'\n'));
    EXPECT_TRUE(text.contains(QStringLiteral("\nK1\tRelais 12 V\n")));
    EXPECT_TRUE(shown->Board(0).Modified());
}

TEST_F(AnnotationWindowTest, ComponentsListOpensModallyWithTheList) {
    Open({QStringLiteral("Relais")});
    auto relay = std::make_unique<TGruppe>();
    relay->IsComponent = true;
    relay->Identifier = QStringLiteral("K#");
    relay->Number = 2;
    relay->Value = QStringLiteral("12 V");
    relay->Description = QStringLiteral("Relais");
    shown->Board(0).Add(std::move(relay));
    shown->DoMenues();
    QString title, text;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<TEditorForm*>(QApplication::activeModalWidget());
        if (window == nullptr)
            return;
        modal = true;
        title = window->windowTitle();
        text = window->Document().toPlainText();
        window->close();
    });
    shown->Execute(CommandId::BoardComponentsList);
    EXPECT_TRUE(modal);
    EXPECT_EQ(title, QStringLiteral("Bauteilliste"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("Stückliste für Relais\n\nProjekt: ") + path));
    EXPECT_TRUE(text.contains(QStringLiteral("\nK2\tRelais, 12 V\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nDrahtbrücken:\n")));
    // The list is not kept; the board is as it was.
    EXPECT_FALSE(shown->AnnotationsShown());
}

// The components list's text lives only in its window: File → Exit after typing asks, Cancel
// keeps it open, and its save dialog starts in the project's folder.
TEST_F(AnnotationWindowTest, TheComponentsListAsksBeforeItGoesAndSavesBesideTheProject) {
    Open({QStringLiteral("Relais")});
    bool modifiedAtFirst = true, openAfterCancel = false, openAfterNoName = false;
    QString saveFolder;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<TEditorForm*>(QApplication::activeModalWidget());
        if (window == nullptr)
            return;
        modifiedAtFirst = window->Document().isModified();
        Type(*window, QStringLiteral("Notiz"));
        shown.dialogs->saveAnswer = SaveAnswer::Cancel;
        window->Action(EditorCommand::FileExit).trigger();
        openAfterCancel = window->isVisible();
        // Yes: the save dialog comes, and cancelled there the window stays.
        test::AnswerNextDialog([&](QDialog& dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(&dialog))
                saveFolder = files->directory().absolutePath();
        });
        shown.dialogs->saveAnswer = SaveAnswer::Yes;
        window->Action(EditorCommand::FileExit).trigger();
        openAfterNoName = window->isVisible();
        shown.dialogs->saveAnswer = SaveAnswer::No;
        window->Action(EditorCommand::FileExit).trigger();
    });
    shown->Execute(CommandId::BoardComponentsList);
    EXPECT_FALSE(modifiedAtFirst) << "a list as made is no change";
    EXPECT_TRUE(openAfterCancel);
    EXPECT_TRUE(openAfterNoName);
    EXPECT_EQ(shown.dialogs->saveQuestions.size(), 3u);
    EXPECT_EQ(saveFolder, QDir(folder.path()).absolutePath());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

class EnglishAnnotationWindowTest : public AnnotationWindowTest {
protected:
    EnglishAnnotationWindowTest() : AnnotationWindowTest(Language::English) {}
};

TEST_F(EnglishAnnotationWindowTest, CaptionsInEnglish) {
    Open({QStringLiteral("Relay")});
    shown->Execute(CommandId::BoardAnnotations);
    TEditorForm& window = shown->AnnotationWindow(0);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Remarks: Relay"));
    EXPECT_EQ(window.StatusPanel(0).text(), QStringLiteral("Row:   1   Column:   1"));
    // After a rename the caption speaks of annotations.
    shown->Board(0).SetPlatinenName(QStringLiteral("Relay 2"));
    UpdateAnnotationCaption(window);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Annotations: Relay 2"));
    EXPECT_EQ(AnnotationCaption(Language::German, QStringLiteral("X"), true),
              QStringLiteral("Anmerkungen: X"));
}

} // namespace
} // namespace karvel
