#pragma once
// A main window with dialogs that answer by themselves, and small stripboard projects written
// to a temporary folder, for the shell's widget tests.

#include "board/Board.h"
#include "board/Platine.h"
#include "board/ProjectFile.h"
#include "elements/Leiterbahn.h"
#include "elements/Trenner.h"
#include "elements/Txtlabel.h"
#include "shell/BoardControl.h"
#include "shell/MainWindow.h"
#include "shell/ShellDialogs.h"
#include "support/SampleBoard.h"

#include <functional>
#include <memory>
#include <QtCore/QTemporaryDir>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <vector>

namespace karvel::test {

class FakeDialogs : public ShellDialogs {
public:
    struct Message {
        MessageIcon Icon;
        QString Caption;
        QString Text;
    };

    QString ChooseProjectToOpen(QWidget*, const QString& folder, Language) override {
        ++openDialogs;
        lastFolder = folder;
        return nextProject;
    }
    void ShowMessage(QWidget*, MessageIcon icon, const QString& caption,
                     const QString& text) override {
        messages.push_back({icon, caption, text});
        if (onMessage)
            onMessage();
    }
    SaveAnswer AskToSave(QWidget*, const QString&, const QString& text) override {
        saveQuestions.push_back(text);
        return saveAnswer;
    }
    std::optional<BoardPropertiesText>
    EditBoardProperties(QWidget*, const BoardPropertiesText& now, bool nameOnly, Language,
                        const std::vector<Rect>& holes) override {
        shownProperties = now;
        shownHoles = holes;
        propertiesNameOnly = nameOnly;
        return nextProperties;
    }
    QString ChooseFillPicture(QWidget*, const QString&, Language) override { return nextPicture; }
    std::optional<int> AskUndoDepth(QWidget*, int, Language) override { return nextUndoDepth; }
    std::optional<AutoSaveSettings> EditAutoSave(QWidget*, AutoSaveSettings, Language) override {
        return nextAutoSave;
    }
    QString ChooseBoardLayout(QWidget*, const QString& folder, Language) override {
        lastLayoutFolder = folder;
        return nextLayout;
    }
    std::optional<QColor> ChooseColour(QWidget*, const QColor&) override { return nextColour; }
    void ShowAbout(QWidget*, Language) override { ++aboutShown; }
    bool OpenManual(const QString& file, int topic, Language language) override {
        manuals.push_back({file, topic});
        manualLanguages.push_back(language);
        return true;
    }
    // Without an answer given, the assistant is cancelled at once.
    bool RunComponentAssistant(ComponentAssistantDialog& dialog) override {
        ++assistantRuns;
        return onAssistant ? onAssistant(dialog) : false;
    }

    QString ChooseFileToSave(QWidget*, const SaveFileRequest& request) override {
        saveRequests.push_back(request);
        return nextSaveFile;
    }
    void SetUpPrinter(QWidget*, QPrinter& printer, Language) override {
        ++printerSetups;
        if (onPrinterSetup)
            onPrinterSetup(printer);
    }

    bool Confirm(QWidget*, const QString& caption, const QString& text) override {
        confirmations.push_back({MessageIcon::Question, caption, text});
        return confirmAnswer;
    }
    std::optional<QString> AskLibraryPageName(QWidget*, Language, const QString& name,
                                              const QString& fileName) override {
        pageNameRequests.push_back({name, fileName});
        return nextPageName;
    }

    QString nextProject;
    QString lastFolder;
    QString nextLayout;
    std::optional<BoardPropertiesText> shownProperties;
    bool propertiesNameOnly = false;
    std::vector<Rect> shownHoles;
    std::optional<BoardPropertiesText> nextProperties;
    std::optional<int> nextUndoDepth;
    QString nextPicture;
    std::optional<AutoSaveSettings> nextAutoSave;
    QString lastLayoutFolder;
    int openDialogs = 0;
    std::vector<Message> messages;
    // Told while a message is up, as a modal box would be.
    std::function<void()> onMessage;
    std::vector<QString> saveQuestions;
    SaveAnswer saveAnswer = SaveAnswer::Cancel;
    std::optional<QColor> nextColour;
    int aboutShown = 0;
    std::vector<std::pair<QString, int>> manuals;
    std::vector<Language> manualLanguages;
    std::function<bool(ComponentAssistantDialog&)> onAssistant;
    int assistantRuns = 0;
    std::vector<SaveFileRequest> saveRequests;
    QString nextSaveFile;
    int printerSetups = 0;
    // What the user chooses in the printer setup.
    std::function<void(QPrinter&)> onPrinterSetup;
    std::vector<Message> confirmations;
    bool confirmAnswer = false;
    // The library page dialog: what it was shown (name, file) and what it answers.
    std::vector<std::pair<QString, QString>> pageNameRequests;
    std::optional<QString> nextPageName;

    // The fine grid dialog: the steps it was shown, and what it answers; onFineGrid is told
    // while it is up, with the way to its help.
    std::optional<double> AskFineGrid(QWidget*, double step, Language,
                                      const std::function<void(int)>& help) override {
        fineGridShown.push_back(step);
        if (onFineGrid)
            onFineGrid(help);
        return nextFineGrid;
    }
    std::vector<double> fineGridShown;
    std::optional<double> nextFineGrid;
    std::function<void(const std::function<void(int)>&)> onFineGrid;
};

// The main window as the program shows it, offscreen.
struct ShownWindow {
    FakeDialogs* dialogs = nullptr;
    std::unique_ptr<MainWindow> window;

    explicit ShownWindow(Language language = Language::German, LibrarySetup library = {}) {
        auto fake = std::make_unique<FakeDialogs>();
        dialogs = fake.get();
        window = std::make_unique<MainWindow>(
            MainWindow::Options{language, std::move(fake), std::move(library)});
        window->resize(1200, 800);
        window->show();
        QApplication::processEvents();
    }
    MainWindow& operator*() const { return *window; }
    MainWindow* operator->() const { return window.get(); }
    TPlatine& Board() const { return window->CurrentBoard(); }
    BoardControl& Control() const { return window->Control(window->CurrentIndex()); }
    // What the current board shows now, as the screen would.
    QImage Picture() const {
        QApplication::processEvents();
        return Control().grab().toImage();
    }
};

// Mouse input as the window system delivers it.
inline void SendMouse(QWidget& widget, QEvent::Type type, QPoint at,
                      Qt::MouseButton button = Qt::NoButton,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons();
    QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), button, held, modifiers);
    QApplication::sendEvent(&widget, &event);
}
inline void MouseMove(QWidget& widget, QPoint at) {
    SendMouse(widget, QEvent::MouseMove, at);
}
inline void Click(QWidget& widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(widget, QEvent::MouseButtonPress, at, button);
    SendMouse(widget, QEvent::MouseButtonRelease, at, button);
}

inline QPoint Hole(int column, int row) {
    return {column * 254, row * 254 + 127};
}

// A stripboard of 10 x 5 holes, one strip per row, with a cut in row 1 between columns 3 and 5
// and a text label in row 4.
inline std::unique_ptr<TPlatine> MakeStripboard(ViewState& view, const QString& name) {
    auto board = std::make_unique<TPlatine>(view);
    board->SetPlatinenName(name);
    board->SetSize(2540, 1270);
    TBoard& layout = *board->Layout();
    layout.SetSize(2540, 1270);
    for (int row = 0; row < 5; ++row) {
        auto strip = std::make_unique<TLeiterbahn>();
        const int y = row * 254 + 127;
        strip->Nodes = {{0, y}, {2540, y}};
        strip->SetStiftbreite(100);
        strip->RebuildOutline();
        layout.Add(std::move(strip));
    }
    auto cut = std::make_unique<TTrenner>();
    const int x = 4 * 254 + 127;
    cut->CutRect = {x - 70, 254, x + 70, 508};
    board->Add(std::move(cut));
    auto label = std::make_unique<TTextLabel>();
    label->SetTextString(name);
    label->Position = {300, 4 * 254};
    label->TextHeight = 150;
    board->Add(std::move(label));
    return board;
}

// Writes a project of stripboards with these names; empty text on success.
inline QString WriteStripboardProject(const QString& path, const QStringList& names) {
    ViewState view;
    std::vector<std::unique_ptr<TPlatine>> boards;
    std::vector<TPlatine*> pointers;
    for (const QString& name : names) {
        boards.push_back(MakeStripboard(view, name));
        pointers.push_back(boards.back().get());
    }
    return SaveProjectFile(path, pointers);
}

} // namespace karvel::test
