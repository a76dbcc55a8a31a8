// The rich-text editor window: its file commands and questions, formatting from the tool bar,
// the ruler, the status panels, inserting lists and help — with dialogs that answer by
// themselves.

#include "shell/EditorForm.h"
#include "board/ComponentsList.h"
#include "board/Platine.h"
#include "elements/Gruppe.h"
#include "platform/rtf/RtfDocument.h"
#include "shell/AnnotationWindows.h"
#include "shell/EditorDialogs.h"
#include "shell/EditorRuler.h"
#include "shell/ShellFixture.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QClipboard>
#include <QtGui/QKeyEvent>
#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtGui/QTextList>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFontComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QTextEdit>
#include <QtWidgets/QToolBar>

namespace karvel {
namespace {

class FakeEditorDialogs : public EditorDialogs {
public:
    QString ChooseFileToOpen(QWidget*, const QString& folder, Language) override {
        openFolders.push_back(folder);
        return nextOpen;
    }
    QString ChooseFileToSave(QWidget*, const QString&, const QString& name, Language) override {
        offeredNames.push_back(name);
        return nextSave;
    }
    SaveAnswer Ask(QWidget*, const QString&, const QString& text) override {
        questions.push_back(text);
        if (answers.empty())
            return SaveAnswer::Cancel;
        const SaveAnswer answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    void ShowMessage(QWidget*, MessageIcon, const QString&, const QString& text) override {
        messages.push_back(text);
    }
    void Print(QWidget*, const QTextDocument& document, const QString& title, Language) override {
        printed.push_back({title, document.toPlainText()});
    }
    std::optional<QFont> ChooseFont(QWidget*, const QFont&) override { return nextFont; }

    QString nextOpen, nextSave;
    std::vector<SaveAnswer> answers;
    std::vector<QString> questions, messages, openFolders, offeredNames;
    std::vector<std::pair<QString, QString>> printed;
    std::optional<QFont> nextFont;
};

struct Editor {
    std::shared_ptr<FakeEditorDialogs> fake = std::make_shared<FakeEditorDialogs>();
    FakeEditorDialogs& dialogs = *fake;
    // The manual topics F1 asked for.
    std::vector<int> manuals;
    std::unique_ptr<TEditorForm> form;

    explicit Editor(Language language = Language::German,
                    QString programFolder = QStringLiteral(KARVEL_SOURCE_DIR "/resources"),
                    const std::function<void(TEditorForm::Options&)>& adjust = {}) {
        TEditorForm::Options options;
        options.Sprache = language;
        options.ProgramFolder = std::move(programFolder);
        options.Dialogs = fake;
        options.Help = [this](int topic) { manuals.push_back(topic); };
        if (adjust)
            adjust(options);
        form = std::make_unique<TEditorForm>(std::move(options));
        form->show();
        QApplication::processEvents();
    }
    TEditorForm* operator->() const { return form.get(); }
    QTextDocument& Document() const { return form->Document(); }
    // Types as the keyboard does.
    void Type(const QString& text) const {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(&form->Editor(), &press);
        }
        QApplication::processEvents();
    }
    void SelectAll() const {
        QTextCursor cursor = form->Editor().textCursor();
        cursor.select(QTextCursor::Document);
        form->Editor().setTextCursor(cursor);
    }
    QString Panel(int index) const { return form->StatusPanel(index).text(); }
};

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// --- Files and their questions ------------------------------------------------------------------

TEST(EditorFormTest, StartsUntitledAndUnmodifiedInBothLanguages) {
    for (const auto& [language, untitled, position] :
         {std::tuple{Language::German, "Unbenannt", "Zeile:   1   Spalte:   1"},
          std::tuple{Language::English, "Untitled", "Row:   1   Column:   1"}}) {
        Editor editor(language);
        EXPECT_EQ(editor->FileName(), QString::fromUtf8(untitled));
        EXPECT_EQ(editor->windowTitle(), QStringLiteral("Editor"));
        EXPECT_TRUE(editor.Document().isEmpty());
        EXPECT_EQ(editor.Panel(0), QString::fromUtf8(position));
        EXPECT_EQ(editor.Panel(1), QString());
        editor.Type(QStringLiteral("x"));
        EXPECT_EQ(editor.Panel(1), language == Language::German ? QStringLiteral("Geändert")
                                                                : QStringLiteral("Modified"));
    }
}

TEST(EditorFormTest, NewAsksBeforeDiscardingAChange) {
    struct Case {
        const char* name;
        SaveAnswer answer;
        bool discarded;
    };
    for (const Case& c :
         {Case{"cancel", SaveAnswer::Cancel, false}, Case{"no", SaveAnswer::No, true},
          // Yes with the save dialog cancelled: nothing was saved, nothing goes.
          Case{"yes, then no file chosen", SaveAnswer::Yes, false}}) {
        SCOPED_TRACE(c.name);
        Editor editor;
        editor.Type(QStringLiteral("Notiz"));
        editor.dialogs.answers = {c.answer};
        editor->FileNew();
        ASSERT_EQ(editor.dialogs.questions.size(), 1u);
        EXPECT_EQ(editor.dialogs.questions[0], QStringLiteral("Unbenannt speichern?"));
        EXPECT_EQ(editor.Document().isEmpty(), c.discarded);
    }
    Editor untouched;
    untouched->FileNew();
    EXPECT_TRUE(untouched.dialogs.questions.empty());
}

TEST(EditorFormTest, OpenReadsRtfAndTextAndReportsDamage) {
    QTemporaryDir folder;
    const QString rtf = folder.filePath(QStringLiteral("notiz.rtf"));
    WriteFile(rtf, "{\\rtf1\\ansi {\\b Fett} und \\'e4\\par zwei\\par}");
    const QString text = folder.filePath(QStringLiteral("notiz.txt"));
    WriteFile(text, "Gr\xc3\xbc\xc3\x9f"
                    "e\nzwei");
    const QString damaged = folder.filePath(QStringLiteral("kaputt.rtf"));
    WriteFile(damaged, "{\\rtf1 Anfang\\" + QByteArray(100, 'x') + " Ende}");

    Editor editor(Language::English);
    editor.dialogs.nextOpen = rtf;
    editor->FileOpen();
    EXPECT_EQ(editor.Document().toPlainText(), QStringLiteral("Fett und ä\nzwei"));
    EXPECT_EQ(editor->FileName(), rtf);
    EXPECT_FALSE(editor.Document().isModified());
    EXPECT_FALSE(editor.Document().isUndoAvailable());
    EXPECT_EQ(editor.dialogs.openFolders.front(), QStringLiteral(KARVEL_SOURCE_DIR "/resources"));

    editor.dialogs.nextOpen = text;
    editor->FileOpen();
    EXPECT_EQ(editor.Document().toPlainText(), QStringLiteral("Grüße\nzwei"));
    EXPECT_EQ(editor.dialogs.openFolders.back(), folder.path());

    editor.dialogs.nextOpen = damaged;
    editor->FileOpen();
    EXPECT_EQ(editor.Document().toPlainText(), QStringLiteral("Anfang"));
    ASSERT_EQ(editor.dialogs.messages.size(), 1u);
    EXPECT_TRUE(editor.dialogs.messages[0].contains(QStringLiteral("control word")));

    // Open asks first, as New does; Cancel keeps everything.
    editor.Type(QStringLiteral("!"));
    editor.dialogs.nextOpen = rtf;
    editor->FileOpen();
    EXPECT_EQ(editor.dialogs.questions.back(),
              QStringLiteral("Save ") + damaged + QStringLiteral(" ?"));
    EXPECT_EQ(editor->FileName(), damaged);
}

TEST(EditorFormTest, SaveAsAsksBeforeOverwritingAndWritesRtfOrText) {
    QTemporaryDir folder;
    const QString existing = folder.filePath(QStringLiteral("alt.rtf"));
    WriteFile(existing, "old");
    Editor editor;
    editor.Type(QStringLiteral("Grüße € x"));
    editor.SelectAll();
    editor->ToolAction("BoldBtn").trigger();

    for (const SaveAnswer answer : {SaveAnswer::No, SaveAnswer::Cancel}) {
        editor.dialogs.nextSave = existing;
        editor.dialogs.answers = {answer};
        editor->FileSaveAs();
        EXPECT_EQ(Bytes(existing), "old");
        EXPECT_EQ(editor->FileName(), QStringLiteral("Unbenannt"));
        EXPECT_TRUE(editor.Document().isModified());
    }
    EXPECT_EQ(editor.dialogs.questions.back(), existing + QStringLiteral(" überschreiben"));

    editor.dialogs.answers = {SaveAnswer::Yes};
    editor->FileSaveAs();
    EXPECT_EQ(editor->FileName(), existing);
    EXPECT_FALSE(editor.Document().isModified());
    EXPECT_EQ(editor.Panel(1), QString());
    QTextDocument written;
    ASSERT_EQ(ReadRtfDocument(Bytes(existing), written).Problem, RtfProblem::None);
    EXPECT_EQ(written.toPlainText(), QStringLiteral("Grüße € x"));
    QTextCursor first(&written);
    first.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(first.charFormat().fontWeight(), QFont::Bold);

    // Save writes to the name it has, without a dialog; a new name needs no question.
    editor.Type(QStringLiteral("!"));
    const std::size_t asked = editor.dialogs.questions.size();
    editor->FileSave();
    EXPECT_EQ(editor.dialogs.questions.size(), asked);
    EXPECT_TRUE(Bytes(existing).contains("!"));
    const QString text = folder.filePath(QStringLiteral("neu.txt"));
    editor.dialogs.nextSave = text;
    editor->FileSaveAs();
    EXPECT_EQ(editor.dialogs.questions.size(), asked);
    EXPECT_EQ(QString::fromUtf8(Bytes(text)), editor.Document().toPlainText());
}

TEST(EditorFormTest, SaveOfAnUntitledDocumentAsksForAName) {
    QTemporaryDir folder;
    Editor editor;
    editor.Type(QStringLiteral("a"));
    editor.dialogs.nextSave = folder.filePath(QStringLiteral("erst.rtf"));
    editor->Action(EditorCommand::FileSave).trigger();
    EXPECT_EQ(editor.dialogs.offeredNames.size(), 1u);
    EXPECT_EQ(editor->FileName(), editor.dialogs.nextSave);
    EXPECT_TRUE(Bytes(editor.dialogs.nextSave).startsWith("{\\rtf1"));
}

TEST(EditorFormTest, SaveIntoAFolderThatCannotBeWrittenKeepsTheDocumentModified) {
    Editor editor(Language::English);
    editor.Type(QStringLiteral("a"));
    editor.dialogs.nextSave = QStringLiteral("/nonexistent-folder/x.rtf");
    editor->FileSaveAs();
    ASSERT_EQ(editor.dialogs.messages.size(), 1u);
    EXPECT_TRUE(editor.dialogs.messages[0].contains(QStringLiteral("cannot be written")));
    EXPECT_TRUE(editor.Document().isModified());
    EXPECT_EQ(editor->FileName(), QStringLiteral("Untitled"));
}

TEST(EditorFormTest, PrintHandsTheDocumentAndItsName) {
    Editor editor;
    editor.Type(QStringLiteral("Druck"));
    editor->Action(EditorCommand::FilePrint).trigger();
    ASSERT_EQ(editor.dialogs.printed.size(), 1u);
    EXPECT_EQ(editor.dialogs.printed[0],
              std::pair(QStringLiteral("Unbenannt"), QStringLiteral("Druck")));

    // A saved document's job title is its file name without the folder.
    QTemporaryDir folder;
    editor.dialogs.nextSave = folder.filePath(QStringLiteral("liste.rtf"));
    editor->FileSaveAs();
    editor->Action(EditorCommand::FilePrint).trigger();
    ASSERT_EQ(editor.dialogs.printed.size(), 2u);
    EXPECT_EQ(editor.dialogs.printed[1].first, QStringLiteral("liste.rtf"));
}

// --- Formatting, ruler, status -----------------------------------------------------------------

TEST(EditorFormTest, ToolBarFormatsTheSelectionAndFollowsIt) {
    Editor editor;
    editor.Type(QStringLiteral("eins zwei"));
    QTextCursor cursor = editor->Editor().textCursor();
    cursor.setPosition(5);
    cursor.setPosition(9, QTextCursor::KeepAnchor);
    editor->Editor().setTextCursor(cursor);
    editor->ToolAction("BoldBtn").trigger();
    editor->ToolAction("ItalicBtn").trigger();
    editor->FontSize().setValue(14);
    editor->ToolAction("CenterAlign").trigger();
    editor->ToolAction("BulletsBtn").trigger();

    QTextCursor probe(&editor.Document());
    probe.setPosition(7);
    EXPECT_EQ(probe.charFormat().fontWeight(), QFont::Bold);
    EXPECT_TRUE(probe.charFormat().fontItalic());
    EXPECT_DOUBLE_EQ(probe.charFormat().fontPointSize(), 14.0);
    probe.setPosition(2);
    EXPECT_EQ(probe.charFormat().fontWeight(), QFont::Normal);
    EXPECT_EQ(editor.Document().firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_NE(editor.Document().firstBlock().textList(), nullptr);

    // The buttons follow the caret.
    cursor.setPosition(2);
    editor->Editor().setTextCursor(cursor);
    EXPECT_FALSE(editor->ToolAction("BoldBtn").isChecked());
    cursor.setPosition(7);
    editor->Editor().setTextCursor(cursor);
    EXPECT_TRUE(editor->ToolAction("BoldBtn").isChecked());
    EXPECT_EQ(editor->FontSize().value(), 14);
    EXPECT_TRUE(editor->ToolAction("CenterAlign").isChecked());
    EXPECT_TRUE(editor->ToolAction("BulletsBtn").isChecked());
    editor->ToolAction("BulletsBtn").trigger();
    EXPECT_EQ(editor.Document().firstBlock().textList(), nullptr);
    // Following the caret wrote nothing.
    EXPECT_EQ(editor.Document().toPlainText(), QStringLiteral("eins zwei"));
}

TEST(EditorFormTest, HintsInBothLanguagesShowOnlyTheTextBeforeTheBar) {
    const Editor german;
    const Editor english(Language::English);
    EXPECT_EQ(german->FontName().toolTip(), QStringLiteral("Schriftart"));
    EXPECT_EQ(german->FontSize().toolTip(), QStringLiteral("Schriftgröße"));
    EXPECT_EQ(german->ToolAction("BulletsBtn").toolTip(), QStringLiteral("Aufzählung"));
    EXPECT_EQ(german->ToolAction("EK_Btn").toolTip(), QStringLiteral("Einkaufsliste einfügen"));
    EXPECT_EQ(english->ToolAction("sList_Btn").toolTip(), QStringLiteral("Add components list"));
    EXPECT_EQ(english->FontName().toolTip(), QStringLiteral("Select font"));
    EXPECT_EQ(english->Action(EditorCommand::FileSaveAs).text(), QStringLiteral("Save &As..."));
    EXPECT_EQ(german->Action(EditorCommand::FileExit).shortcut(),
              QKeySequence(Qt::ALT | Qt::Key_X));
}

TEST(EditorFormTest, LineAndColumnCountTheCaretsPlace) {
    Editor editor;
    editor.Type(QStringLiteral("erste"));
    QTextCursor cursor = editor->Editor().textCursor();
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("zweite"));
    cursor.setPosition(8);
    editor->Editor().setTextCursor(cursor);
    EXPECT_EQ(editor.Panel(0), QStringLiteral("Zeile:   2   Spalte:   3"));
}

TEST(EditorFormTest, RulerMarkersStandWhereTheIndentsSay) {
    struct Case {
        RulerIndents indents;
        int width;
        int first, left, right;
    };
    const Case cases[] = {
        {{0, 0, 0}, 600, 2, 2, 586},
        {{36, 0, 0}, 600, 50, 50, 586},
        {{36, -18, 9}, 600, 50, 26, 574},
        {{10, 5, 3}, 400, 15, 22, 382},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FirstMarkerLeft(c.indents), c.first);
        EXPECT_EQ(LeftMarkerLeft(c.indents), c.left);
        EXPECT_EQ(RightMarkerLeft(c.indents, c.width), c.right);
        // Released where they stand, with the offset of half a marker, they give the indents
        // back.
        const int offset = EditorRuler::MarkerWidth / 2;
        const int first = FirstIndentAt(c.first, offset);
        EXPECT_NEAR(first, c.indents.First, 1);
        EXPECT_NEAR(LeftIndentAt(c.left, offset, first), c.indents.Left + c.indents.First - first,
                    1);
        EXPECT_NEAR(RightIndentAt(c.right, offset, c.width), c.indents.Right, 1);
    }
    // A paragraph format and the ruler's indents convert both ways.
    QTextBlockFormat format;
    ApplyIndents({36, -18, 9}, format);
    EXPECT_DOUBLE_EQ(format.leftMargin(), 24);
    EXPECT_DOUBLE_EQ(format.textIndent(), 24);
    EXPECT_DOUBLE_EQ(format.rightMargin(), 12);
    EXPECT_EQ(IndentsOf(format), (RulerIndents{36, -18, 9}));
}

TEST(EditorFormTest, DraggingAMarkerIndentsTheParagraph) {
    Editor editor;
    editor.Type(QStringLiteral("Absatz mit Einzug"));
    EditorRuler& ruler = editor->Ruler();
    const QRect marker = ruler.MarkerRect(EditorRuler::Marker::Left);
    const QPoint from = marker.center();
    test::SendMouse(ruler, QEvent::MouseButtonPress, from, Qt::LeftButton);
    QMouseEvent move(QEvent::MouseMove, QPointF(from + QPoint(48, 0)),
                     QPointF(ruler.mapToGlobal(from + QPoint(48, 0))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&ruler, &move);
    EXPECT_TRUE(ruler.Dragging());
    test::SendMouse(ruler, QEvent::MouseButtonRelease, from + QPoint(48, 0), Qt::LeftButton);
    EXPECT_FALSE(ruler.Dragging());
    const QTextBlockFormat format = editor.Document().firstBlock().blockFormat();
    // 48 pixels are 36 points: the further lines start there, the first line stays.
    EXPECT_NEAR(format.leftMargin(), 48, 2);
    EXPECT_NEAR(format.leftMargin() + format.textIndent(), 0, 1);
    EXPECT_EQ(ruler.MarkerLeft(EditorRuler::Marker::Left), LeftMarkerLeft(IndentsOf(format)));
    EXPECT_TRUE(editor.Document().isModified());
}

TEST(EditorFormTest, RulerMarkersStandOverTheTextOfABulletParagraph) {
    Editor editor;
    editor.Type(QStringLiteral("Punkt"));
    editor->ToolAction("BulletsBtn").trigger();
    const int listPoints = int(editor.Document().indentWidth() * 3 / 4);
    EXPECT_EQ(editor->Ruler().Indents(), (RulerIndents{listPoints, 0, 0}));
    // Moving the first-line marker further right indents the paragraph by the difference only.
    EditorRuler& ruler = editor->Ruler();
    const QPoint from = ruler.MarkerRect(EditorRuler::Marker::First).center();
    test::SendMouse(ruler, QEvent::MouseButtonPress, from, Qt::LeftButton);
    QMouseEvent move(QEvent::MouseMove, QPointF(from + QPoint(24, 0)),
                     QPointF(ruler.mapToGlobal(from + QPoint(24, 0))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&ruler, &move);
    test::SendMouse(ruler, QEvent::MouseButtonRelease, from + QPoint(24, 0), Qt::LeftButton);
    const QTextBlockFormat format = editor.Document().firstBlock().blockFormat();
    EXPECT_NEAR(format.leftMargin() + format.textIndent(), 24, 2);
    EXPECT_NE(editor.Document().firstBlock().textList(), nullptr);
}

// --- Lists, help, closing
// -------------------------------------------------------------------------

TEST(EditorFormTest, ListButtonsAskTheBoardAndInsertAtTheCaret) {
    ViewState view;
    TPlatine board(view);
    board.SetPlatinenName(QStringLiteral("Netzteil"));
    auto resistor = std::make_unique<TGruppe>();
    resistor->IsComponent = true;
    resistor->Identifier = QStringLiteral("R#");
    resistor->Number = 1;
    resistor->Description = QStringLiteral("Widerstand");
    resistor->Value.clear();
    board.Add(std::move(resistor));

    Editor editor;
    editor->OnListRequest = ListRequestFor(board);
    editor.Type(QStringLiteral("vorher XXX nachher"));
    QTextCursor cursor = editor->Editor().textCursor();
    cursor.setPosition(7);
    cursor.setPosition(10, QTextCursor::KeepAnchor);
    editor->Editor().setTextCursor(cursor);
    QGuiApplication::clipboard()->setText(QStringLiteral("kopiert"));
    editor->ToolAction("EK_Btn").trigger();
    EXPECT_EQ(editor->ListTag(), 1);
    const QString text = editor.Document().toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("vorher \nEinkaufsliste für Netzteil\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nR1\n1x\tWiderstand\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\n nachher")));
    EXPECT_FALSE(text.contains(QStringLiteral("XXX")));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kopiert"));

    editor->ToolAction("sList_Btn").trigger();
    EXPECT_EQ(editor->ListTag(), 0);
    EXPECT_TRUE(
        editor.Document().toPlainText().contains(QStringLiteral("Stückliste für Netzteil")));
}

// A window whose text lives nowhere else asks before it closes with changes, however it is
// closed; Cancel, or a save that does not happen, keeps it open with the text.
TEST(EditorFormTest, AWindowOfItsOwnAsksBeforeClosingWithChanges) {
    enum class Way { Exit, CloseBox, Escape };
    struct Case {
        const char* name;
        Way way;
        SaveAnswer answer;
        bool saveChosen;
        bool closes;
    };
    const Case cases[] = {
        {"Exit, cancel", Way::Exit, SaveAnswer::Cancel, false, false},
        {"Exit, discard", Way::Exit, SaveAnswer::No, false, true},
        {"Exit, save", Way::Exit, SaveAnswer::Yes, true, true},
        {"Exit, save cancelled", Way::Exit, SaveAnswer::Yes, false, false},
        {"close box, cancel", Way::CloseBox, SaveAnswer::Cancel, false, false},
        {"close box, save", Way::CloseBox, SaveAnswer::Yes, true, true},
        {"Escape, cancel", Way::Escape, SaveAnswer::Cancel, false, false},
        {"Escape, discard", Way::Escape, SaveAnswer::No, false, true},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        Editor editor(Language::English, QStringLiteral(KARVEL_SOURCE_DIR "/resources"),
                      [](TEditorForm::Options& options) { options.AskBeforeClosing = true; });
        int closed = 0;
        editor->OnClosed = [&closed] { ++closed; };
        editor.Type(QStringLiteral("typed"));
        editor.dialogs.answers = {c.answer};
        if (c.saveChosen)
            editor.dialogs.nextSave = folder.filePath(QStringLiteral("list.rtf"));
        switch (c.way) {
        case Way::Exit:
            editor->Action(EditorCommand::FileExit).trigger();
            break;
        case Way::CloseBox:
            editor->close();
            break;
        case Way::Escape: {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(editor.form.get(), &escape);
            break;
        }
        }
        QApplication::processEvents();
        EXPECT_EQ(editor.dialogs.questions, std::vector<QString>{QStringLiteral("Save Untitled ?")})
            << c.name;
        EXPECT_EQ(editor->isVisible(), !c.closes) << c.name;
        EXPECT_EQ(closed, c.closes ? 1 : 0) << c.name;
        EXPECT_TRUE(editor.Document().toPlainText().contains(QStringLiteral("typed"))) << c.name;
        if (c.saveChosen)
            EXPECT_TRUE(Bytes(editor.dialogs.nextSave).startsWith("{\\rtf1")) << c.name;
    }
    Editor unchanged(Language::English, QStringLiteral(KARVEL_SOURCE_DIR "/resources"),
                     [](TEditorForm::Options& options) { options.AskBeforeClosing = true; });
    unchanged->Action(EditorCommand::FileExit).trigger();
    EXPECT_FALSE(unchanged->isVisible());
    EXPECT_TRUE(unchanged.dialogs.questions.empty()) << "nothing changed, nothing to ask";
}

// The file dialogs start in the folder the owner tells (the project's), asked anew each time,
// until a file was opened or saved; without one they start in the program folder.
TEST(EditorFormTest, FileDialogsStartInTheDocumentFolderUntilAFileWasChosen) {
    QTemporaryDir project, other;
    QString told = project.path();
    Editor editor(Language::German, QStringLiteral("/program"),
                  [&told](TEditorForm::Options& options) {
                      options.DocumentFolder = [&told] { return told; };
                  });
    editor->FileOpen();
    told = other.path();
    editor->FileOpen();
    EXPECT_EQ(editor.dialogs.openFolders, (std::vector<QString>{project.path(), other.path()}));
    editor.dialogs.nextSave = project.filePath(QStringLiteral("liste.rtf"));
    editor->FileSaveAs();
    editor.dialogs.nextOpen.clear();
    editor->FileOpen();
    EXPECT_EQ(editor.dialogs.openFolders.back(), project.path()) << "where the file went";

    Editor plain(Language::German, QStringLiteral("/program"));
    plain->FileOpen();
    EXPECT_EQ(plain.dialogs.openFolders, std::vector<QString>{QStringLiteral("/program")});
}

// After a list is inserted far down a long text, the caret — after the list, where typing goes
// on — is in view.
TEST(EditorFormTest, InsertingAListKeepsTheCaretInView) {
    ViewState view;
    TPlatine board(view);
    board.SetPlatinenName(QStringLiteral("Netzteil"));
    Editor editor;
    editor->resize(500, 300);
    QApplication::processEvents();
    editor->OnListRequest = ListRequestFor(board);
    QString lines;
    for (int i = 0; i < 200; ++i)
        lines += QStringLiteral("Zeile %1\n").arg(i);
    editor->Editor().setPlainText(lines);
    editor->Editor().moveCursor(QTextCursor::End);
    editor->ToolAction("sList_Btn").trigger();
    QApplication::processEvents();
    const QRect caret = editor->Editor().cursorRect();
    EXPECT_TRUE(editor->Editor().viewport()->rect().contains(caret))
        << caret.y() << " in " << editor->Editor().viewport()->height();
    EXPECT_TRUE(editor->Editor().textCursor().atEnd());
}

TEST(EditorFormTest, F1OpensTheManualAtTheEditorsTopic) {
    Editor editor(Language::English);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&editor->Editor(), &release);
    EXPECT_EQ(editor.manuals, std::vector<int>{15000});
}

TEST(EditorFormTest, ClosingTellsTheOwnerAndNeverAsks) {
    Editor editor;
    int closed = 0;
    editor->OnClosed = [&closed] { ++closed; };
    editor.Type(QStringLiteral("ungespeichert"));
    editor->hide();
    EXPECT_EQ(closed, 0);
    editor->show();
    editor->Action(EditorCommand::FileExit).trigger();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(editor.dialogs.questions.empty());
}

} // namespace
} // namespace karvel
