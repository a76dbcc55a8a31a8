// The print window as the print command opens it: its preview, its choices, printing to a PDF
// file where no printer is installed, the clipboard copy, and the program's view afterwards.

#include "board/Continuity.h"
#include "output/PageMapping.h"
#include "shell/PrintDialog.h"
#include "shell/ShellFixture.h"

#include <gtest/gtest.h>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QTimer>
#include <QtGui/QClipboard>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QTabBar>

namespace karvel {
namespace {

constexpr QRgb Copper = qRgb(207, 172, 3);

class PrintWindowTest : public ::testing::Test {
protected:
    void Open(Language language = Language::German) {
        shown = std::make_unique<test::ShownWindow>(language);
        const QString path = folder.filePath(QStringLiteral("drei.rst"));
        ASSERT_EQ(test::WriteStripboardProject(path, {"Eins", "Zwei", "Drei"}), u"");
        ASSERT_TRUE((*shown)->OpenProjectFile(path));
        (*shown)->SelectBoard(1);
        // The same on every machine: this one has no printer, and neither has the test.
        (*shown)->PrintWindow().SetPrinterInstalled(false);
    }

    // Runs the print command and, while its window is up, the steps; then closes the window.
    void WhileUp(const std::function<void(PrintDialog&)>& steps) {
        PrintDialog& window = (*shown)->PrintWindow();
        bool ran = false;
        QTimer::singleShot(0, &window, [&] {
            QApplication::processEvents();
            steps(window);
            ran = true;
            window.findChild<QPushButton*>(QStringLiteral("CloseBtn"))->click();
        });
        (*shown)->Execute(CommandId::FilePrint);
        EXPECT_TRUE(ran) << "the print window did not come up";
    }

    template <typename T> static T& Find(PrintDialog& window, const char* name) {
        T* child = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return *child;
    }
    static QImage Preview(PrintDialog& window) {
        QWidget& box = Find<QWidget>(window, "PaintBox1");
        return box.grab().toImage();
    }
    // Where a board point lies in the preview picture.
    static QPoint InPreview(PrintDialog& window, QPoint boardPoint) {
        return PreviewPageMapping(window.Preview(), window.Metrics(), window.Board()->BoardRect(),
                                  window.Placement())
            .ToDevice(boardPoint);
    }
    QString PdfPath() const { return folder.filePath(QStringLiteral("druck.pdf")); }

    QTemporaryDir folder;
    std::unique_ptr<test::ShownWindow> shown;
};

TEST_F(PrintWindowTest, ShowsTheProjectsBoardsOnThePaperInBothLanguages) {
    struct Case {
        Language Sprache;
        const char* Caption;
        const char* Print;
        const char* Range;
    };
    const Case cases[] = {
        {Language::German, "Druckvorschau - PDF-Datei", "&Drucken", "allen Platinen"},
        {Language::English, "Preview - PDF file", "&Print", "All boards"}};
    for (const Case& c : cases) {
        Open(c.Sprache);
        WhileUp([&](PrintDialog& window) {
            EXPECT_EQ(window.windowTitle(), QString::fromUtf8(c.Caption));
            EXPECT_EQ(Find<QPushButton>(window, "OKBtn").text(), QString::fromUtf8(c.Print));
            EXPECT_EQ(Find<QComboBox>(window, "RangeCombo").itemText(1),
                      QString::fromUtf8(c.Range));
            EXPECT_TRUE(Find<QLabel>(window, "NoPrinterNotice").isVisible())
                << "says that printing writes a PDF file";
            QTabBar& tabs = Find<QTabBar>(window, "Tabs");
            ASSERT_EQ(tabs.count(), 3);
            EXPECT_EQ(tabs.tabText(2), QStringLiteral("Drei"));
            EXPECT_EQ(tabs.currentIndex(), 1) << "the main window's board";

            const QImage page = Preview(window);
            ASSERT_FALSE(page.isNull());
            EXPECT_EQ(page.pixel(2, 2), qRgb(255, 255, 255)) << "paper";
            // The strip of row 2 through the board's middle.
            EXPECT_EQ(page.pixel(InPreview(window, {1270, 635})), Copper);
            const QPoint outside = InPreview(window, {1270, -1000});
            EXPECT_EQ(page.pixel(outside), qRgb(255, 255, 255));
        });
    }
}

TEST_F(PrintWindowTest, TheProgramsViewIsTheSameAfterTheWindowClosed) {
    Open();
    ViewState& view = (*shown)->View();
    view.Roentgen = false;
    view.Durchsicht = false;
    view.Loetseite = false;
    TPlatine& board = shown->Board();
    const OutputOptions output = board.Output;
    WhileUp([&](PrintDialog& window) {
        EXPECT_FALSE(Find<QCheckBox>(window, "WillsteRoentgen").isChecked());
        for (const char* name : {"WillsteLoetseite", "WillsteUmriss", "WillsteRoentgen",
                                 "WillsteDurchsicht", "WillsteFreieBereiche", "Spiegeln"})
            Find<QCheckBox>(window, name).setChecked(true);
        Find<QWidget>(window, "PaintBox1").repaint();
        EXPECT_FALSE(view.Loetseite || view.Durchsicht || view.Roentgen)
            << "the preview draws with a copy";
        EXPECT_TRUE(board.Analysis().UnusedShown());
    });
    EXPECT_FALSE(view.Loetseite);
    EXPECT_FALSE(view.Durchsicht);
    EXPECT_FALSE(view.Roentgen);
    for (int i = 0; i < (*shown)->BoardCount(); ++i) {
        EXPECT_FALSE((*shown)->Board(i).UmrissModus());
        EXPECT_FALSE((*shown)->Board(i).Spiegeln());
        EXPECT_FALSE((*shown)->Board(i).Analysis().UnusedShown());
    }
    EXPECT_EQ(board.Output.DrawTitleBlock, output.DrawTitleBlock);
    EXPECT_EQ(board.Output.Title, output.Title);

    // At the next showing the view boxes follow the program's switches again.
    view.Durchsicht = true;
    WhileUp([&](PrintDialog& window) {
        EXPECT_FALSE(Find<QCheckBox>(window, "WillsteLoetseite").isChecked());
        EXPECT_TRUE(Find<QCheckBox>(window, "WillsteDurchsicht").isChecked());
        EXPECT_TRUE(Find<QCheckBox>(window, "Spiegeln").isChecked()) << "the options stay";
    });
}

TEST_F(PrintWindowTest, AllBoardsTwiceGoIntoOnePdfFileCollated) {
    struct Case {
        QPageSize::PageSizeId Paper;
        QSizeF Points;
    };
    const Case cases[] = {{QPageSize::A4, {595, 842}}, {QPageSize::A5, {420, 595}}};
    Open();
    shown->dialogs->nextSaveFile = PdfPath();
    for (const Case& c : cases) {
        std::vector<int> jobs;
        (*shown)->PrintWindow().OnJobPrinted = [&](int index) { jobs.push_back(index); };
        (*shown)->PrintWindow().Printer().setPageSize(QPageSize(c.Paper));
        WhileUp([&](PrintDialog& window) {
            Find<QComboBox>(window, "RangeCombo").setCurrentIndex(1);
            Find<QSpinBox>(window, "CopySpin").setValue(2);
            Find<QPushButton>(window, "OKBtn").click();
            EXPECT_EQ(Find<QTabBar>(window, "Tabs").currentIndex(), 2) << "the last board";
        });
        EXPECT_EQ(jobs, (std::vector<int>{0, 1, 2, 0, 1, 2}));
        QFile file(PdfPath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString pdf = QString::fromLatin1(file.readAll());
        EXPECT_TRUE(pdf.startsWith(QStringLiteral("%PDF-")));
        EXPECT_TRUE(pdf.trimmed().endsWith(QStringLiteral("%%EOF")));
        EXPECT_EQ(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))), 6);
        const QRegularExpressionMatch box =
            QRegularExpression(QStringLiteral(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])")).match(pdf);
        ASSERT_TRUE(box.hasMatch());
        EXPECT_NEAR(box.captured(1).toDouble(), c.Points.width(), 0.5);
        EXPECT_NEAR(box.captured(2).toDouble(), c.Points.height(), 0.5);
    }
    ASSERT_FALSE(shown->dialogs->saveRequests.empty());
    EXPECT_EQ(shown->dialogs->saveRequests.back().Name, QStringLiteral("drei.pdf"));
    EXPECT_TRUE(shown->dialogs->messages.empty());
}

TEST_F(PrintWindowTest, AFileChosenInThePrinterSetupIsPrintedIntoWithoutAsking) {
    Open();
    shown->dialogs->onPrinterSetup = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(PdfPath());
    };
    WhileUp([&](PrintDialog& window) {
        Find<QPushButton>(window, "SetupBtn").click();
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Druckvorschau - PDF: druck.pdf"));
        Find<QPushButton>(window, "OKBtn").click();
    });
    EXPECT_EQ(shown->dialogs->printerSetups, 1);
    EXPECT_TRUE(shown->dialogs->saveRequests.empty());
    QFile file(PdfPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF-"));
}

TEST_F(PrintWindowTest, NoFileChosenPrintsNothing) {
    Open();
    shown->dialogs->nextSaveFile.clear();
    int jobs = 0;
    (*shown)->PrintWindow().OnJobPrinted = [&](int) { ++jobs; };
    WhileUp([&](PrintDialog& window) { Find<QPushButton>(window, "OKBtn").click(); });
    EXPECT_EQ(jobs, 0);
    EXPECT_FALSE(QFile::exists(PdfPath()));
}

TEST_F(PrintWindowTest, TheClipboardCopyReportsWhatHappened) {
    Open();
    shown->Board().SetSize(16000, 10000);
    WhileUp([&](PrintDialog& window) {
        QGuiApplication::clipboard()->clear();
        Find<QPushButton>(window, "ExportBtn").click();
        EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(1890, 1181));
        ASSERT_EQ(shown->dialogs->messages.size(), 1u);
        EXPECT_EQ(shown->dialogs->messages[0].Icon, MessageIcon::Information);
        EXPECT_EQ(shown->dialogs->messages[0].Caption, QStringLiteral("Zwischenablage"));

        // A board too large for a bitmap is not copied, and the window says so.
        window.Board()->SetSize(500000, 500000);
        EXPECT_FALSE(window.CopyToClipboard());
        ASSERT_EQ(shown->dialogs->messages.size(), 2u);
        EXPECT_EQ(shown->dialogs->messages[1].Icon, MessageIcon::Warning);
        window.Board()->SetSize(2540, 1270);
    });
}

TEST_F(PrintWindowTest, DraggingMovesThePrintoutWithTheMouse) {
    Open();
    WhileUp([&](PrintDialog& window) {
        Find<QCheckBox>(window, "Spiegeln").setChecked(true);
        QWidget& box = Find<QWidget>(window, "PaintBox1");
        const QPoint corner = window.Board()->BoardRect().TopLeft();
        const QPoint before = InPreview(window, corner);
        test::SendMouse(box, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
        EXPECT_FALSE(Find<QCheckBox>(window, "WillsteMittig").isChecked());
        QMouseEvent move(QEvent::MouseMove, QPointF(140, 125), box.mapToGlobal(QPointF(140, 125)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &move);
        test::SendMouse(box, QEvent::MouseButtonRelease, {140, 125}, Qt::LeftButton);
        const QPoint after = InPreview(window, corner);
        EXPECT_NEAR(after.x() - before.x(), 40, 1);
        EXPECT_NEAR(after.y() - before.y(), 25, 1);
    });
}

TEST_F(PrintWindowTest, DefaultsLeaveXRaySeeThroughAndUnusedAreas) {
    Open();
    WhileUp([&](PrintDialog& window) {
        for (const char* name : {"WillsteRoentgen", "WillsteDurchsicht", "WillsteFreieBereiche",
                                 "WillsteLoetseite", "Spiegeln", "WillsteUmriss"})
            Find<QCheckBox>(window, name).setChecked(true);
        for (const char* name : {"WillsteBauteile", "WillsteInfos", "WillsteMittig"})
            Find<QCheckBox>(window, name).setChecked(false);
        Find<QSpinBox>(window, "CopySpin").setValue(4);
        Find<QPushButton>(window, "BitBtn1").click();
        for (const char* name :
             {"WillsteRoentgen", "WillsteDurchsicht", "WillsteFreieBereiche", "WillsteBauteile",
              "WillsteInfos", "WillsteMittig", "WillsteLeiterbahnen", "WillsteLineale"})
            EXPECT_TRUE(Find<QCheckBox>(window, name).isChecked()) << name;
        for (const char* name : {"WillsteLoetseite", "Spiegeln", "WillsteUmriss"})
            EXPECT_FALSE(Find<QCheckBox>(window, name).isChecked()) << name;
        EXPECT_EQ(window.Copies(), 1);
        EXPECT_EQ(window.Scale(), 1.0);
    });
}

} // namespace
} // namespace karvel
