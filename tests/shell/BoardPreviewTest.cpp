#include "board/ProjectFile.h"
#include "elements/CopperColours.h"
#include "shell/BoardControl.h"
#include "shell/BoardPreviewWindow.h"
#include "shell/DialogAnswer.h"
#include "shell/ShellDialogs.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <QtCore/QAbstractProxyModel>
#include <QtCore/QDeadlineTimer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QPointer>
#include <QtCore/QTemporaryDir>
#include <QtGui/QFileSystemModel>
#include <QtWidgets/QFileDialog>

#include <QtWidgets/QListView>

namespace karvel {
namespace {

using test::AnswerNextDialog;

QString LayoutFolder() {
    return QStringLiteral(KARVEL_SOURCE_DIR "/resources/Board Layouts");
}

// A stripboard of 80 x 50 mm whose strips run along the rows.
QString Stripboard() {
    return LayoutFolder() + QStringLiteral("/Streifenraster 80 x 50.KVB");
}

QString Programs() {
    return QStringLiteral(KARVEL_SOURCE_DIR "/resources");
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(BoardPreviewTest, OnlyExistingLayoutFilesAreShown) {
    QTemporaryDir folder;
    for (const char* name : {"a.KVB", "b.kvb", "c.Kvb", "d.rst", "KVB"})
        Write(folder.filePath(QString::fromLatin1(name)), Read(Stripboard()));
    QDir(folder.path()).mkdir(QStringLiteral("e.KVB"));
    const struct {
        const char* Name;
        bool Layout;
    } cases[] = {{"a.KVB", true}, {"b.kvb", true},  {"c.Kvb", true}, {"d.rst", false},
                 {"KVB", false},  {"e.KVB", false}, {"f.KVB", false}};
    for (const auto& c : cases) {
        const QString path = folder.filePath(QString::fromLatin1(c.Name));
        EXPECT_EQ(BoardPreviewWindow::IsLayoutFile(path), c.Layout) << c.Name;
        BoardPreviewWindow preview(nullptr, Programs(), Language::German);
        EXPECT_EQ(preview.ShowLayout(path), c.Layout) << c.Name;
        EXPECT_EQ(preview.Board() != nullptr, c.Layout) << c.Name;
    }
}

TEST(BoardPreviewTest, ShowsTheLayoutsCopperFittedUnderTheFilesName) {
    BoardPreviewWindow preview(nullptr, Programs(), Language::German);
    // Room enough that the gaps between the strips are several pixels wide.
    preview.resize(1200, 800);
    ASSERT_TRUE(preview.ShowLayout(Stripboard()));
    EXPECT_TRUE(preview.isVisible());
    EXPECT_EQ(preview.windowTitle(), u"Streifenraster 80 x 50.KVB");
    EXPECT_EQ(preview.pos(), BoardPreviewWindow::Place);

    ViewState view;
    TPlatine expected(view);
    ReadLayoutIntoBoard(Stripboard(), expected);
    const TPlatine& shown = *preview.Board();
    EXPECT_EQ(shown.Width(), expected.Width());
    EXPECT_EQ(shown.Height(), expected.Height());
    EXPECT_EQ(shown.Nullpunkt(), expected.Nullpunkt());

    auto* control = preview.findChild<BoardControl*>();
    ASSERT_NE(control, nullptr);
    // Fitted: the whole board shows, and it fills the window's width or height.
    const QSize size = shown.ControlSize();
    EXPECT_LE(size.width(), 1200);
    EXPECT_LE(size.height(), 800);
    EXPECT_TRUE(size.width() > 1000 || size.height() > 650) << size.width() << "x" << size.height();

    const QImage picture = control->grab().toImage();
    const CopperColours colours = CopperColours::For(view);
    const auto colourAt = [&](int x, int y) {
        const QPoint pixel = shown.BoardToControl({x, y});
        return picture.pixelColor(pixel).rgb() & 0xFFFFFF;
    };
    const auto rgb = [](Colour c) { return ToQColor(c).rgb() & 0xFFFFFF; };
    for (const QPoint hole : {QPoint(3, 2), QPoint(10, 5), QPoint(20, 12)}) {
        const int x = hole.x() * 254 + 127; // between two holes of a strip
        EXPECT_EQ(colourAt(x, hole.y() * 254 + 127), rgb(colours.Copper)) << hole.x();
        EXPECT_EQ(colourAt(x, hole.y() * 254), rgb(colours.Surface)) << hole.x();
    }
}

TEST(BoardPreviewTest, AFileThatCannotBeReadLeavesThePreviewAsItWas) {
    QTemporaryDir folder;
    const QByteArray good = Read(Stripboard());
    ASSERT_FALSE(good.isEmpty());
    const struct {
        const char* Name;
        QByteArray Bytes;
    } cases[] = {{"half.KVB", good.left(good.size() / 2)},
                 {"junk.KVB", QByteArray("this is no layout")},
                 {"empty.KVB", QByteArray()}};
    BoardPreviewWindow preview(nullptr, Programs(), Language::English);
    ASSERT_TRUE(preview.ShowLayout(Stripboard()));
    const TPlatine* before = preview.Board();
    const int width = before->Width();
    for (const auto& c : cases) {
        const QString path = folder.filePath(QString::fromLatin1(c.Name));
        Write(path, c.Bytes);
        EXPECT_FALSE(preview.ShowLayout(path)) << c.Name;
        EXPECT_EQ(preview.Board(), before) << c.Name;
        EXPECT_EQ(preview.Board()->Width(), width) << c.Name;
        EXPECT_EQ(preview.windowTitle(), u"Streifenraster 80 x 50.KVB") << c.Name;
    }
}

// The layout dialog opens the preview for the file chosen in it and closes it with itself.
TEST(BoardPreviewTest, TheLayoutDialogPreviewsItsSelection) {
    QtShellDialogs dialogs(Programs());
    bool previewed = false;
    QPointer<BoardPreviewWindow> window;
    AnswerNextDialog([&](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->windowTitle(), u"Board Layouts");
        window = files->findChild<BoardPreviewWindow*>();
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(window->isVisible()) << "nothing chosen yet";
        // As a click in the list makes the file the current one.
        auto* model = files->findChild<QFileSystemModel*>();
        auto* list = files->findChild<QListView*>(QStringLiteral("listView"));
        ASSERT_TRUE(model != nullptr && list != nullptr);
        list->setCurrentIndex(files->proxyModel()->mapFromSource(model->index(Stripboard())));
        const QDeadlineTimer deadline(5000);
        while (window->Board() == nullptr && !deadline.hasExpired())
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        previewed = window->Board() != nullptr && window->isVisible();
        dialog.accept();
    });
    const QString chosen = dialogs.ChooseBoardLayout(nullptr, LayoutFolder(), Language::German);
    EXPECT_TRUE(previewed);
    EXPECT_EQ(QFileInfo(chosen).fileName(), u"Streifenraster 80 x 50.KVB");
    EXPECT_TRUE(window.isNull()) << "the preview goes with the dialog";
}

// The names the dialog's list shows, once it holds all the wanted ones or after five seconds.
QStringList ListedNames(QFileDialog& files, const QStringList& wanted) {
    auto* list = files.findChild<QListView*>(QStringLiteral("listView"));
    QStringList names;
    const QDeadlineTimer deadline(5000);
    const auto read = [&] {
        names.clear();
        for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
            names << list->model()->index(row, 0, list->rootIndex()).data().toString();
    };
    for (read(); !deadline.hasExpired(); read()) {
        if (std::all_of(wanted.begin(), wanted.end(),
                        [&](const QString& name) { return names.contains(name); }))
            break;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    // Whatever the folder still delivers is filtered as it comes.
    for (const QDeadlineTimer settle(200); !settle.hasExpired();)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    read();
    return names;
}

// A new board is offered the layouts of the program's language: one of each twin.
TEST(BoardPreviewTest, TheLayoutDialogListsTheLayoutsOfTheLanguage) {
    const struct {
        Language language;
        QStringList listed;
        QStringList left;
    } cases[] = {
        {Language::German,
         {"Streifenraster 160 x 100.KVB", "Ohne Kupfer 160 x 100.KVB", "IC-Platine 160 x 100.KVB"},
         {"Stripboard 160 x 100.KVB", "No copper 160 x 100.KVB"}},
        {Language::English,
         {"Stripboard 160 x 100.KVB", "No copper 160 x 100.KVB", "IC-Platine 160 x 100.KVB"},
         {"Streifenraster 160 x 100.KVB", "Ohne Kupfer 160 x 100.KVB"}},
    };
    QtShellDialogs dialogs(Programs());
    for (const auto& c : cases) {
        QStringList names;
        AnswerNextDialog([&](QDialog& dialog) {
            names = ListedNames(static_cast<QFileDialog&>(dialog), c.listed);
            dialog.reject();
        });
        dialogs.ChooseBoardLayout(nullptr, LayoutFolder(), c.language);
        for (const QString& name : c.listed)
            EXPECT_TRUE(names.contains(name)) << name.toStdString();
        for (const QString& name : c.left)
            EXPECT_FALSE(names.contains(name)) << name.toStdString();
    }
}

} // namespace
} // namespace karvel
