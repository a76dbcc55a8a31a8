// The main window's export: the file dialog, the formats, the export folder kept in the
// settings, and failures told in the user's language.

#include "platform/ProgramSettings.h"
#include "shell/ProgramStart.h"
#include "shell/ShellFixture.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>

namespace karvel {
namespace {

class ExportCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString path = folder.filePath(QStringLiteral("zwei.rst"));
        ASSERT_EQ(test::WriteStripboardProject(path, {"Eins", "Zwei"}), u"");
        ASSERT_TRUE(shown->OpenProjectFile(path));
    }
    QByteArray Bytes(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    test::ShownWindow shown;
};

TEST_F(ExportCommandTest, WritesEachFormatAndRemembersTheFolder) {
    const QString out = folder.filePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(out));
    std::vector<QString> told;
    shown->OnExportDirChanged = [&](const QString& dir) { told.push_back(dir); };
    struct Case {
        const char* Name;
        std::function<bool(const QByteArray&)> Valid;
    };
    const Case cases[] = {
        {"board.png",
         [](const QByteArray& b) {
             // The 25.4 × 12.7 mm board at 300 dpi.
             return QImage::fromData(b, "PNG").size() == QSize(300, 150);
         }},
        {"board.bmp", [](const QByteArray& b) { return !QImage::fromData(b, "BMP").isNull(); }},
        {"board.pdf", [](const QByteArray& b) { return b.startsWith("%PDF-"); }},
        {"board.svg", [](const QByteArray& b) { return b.contains("<svg"); }},
    };
    for (const Case& c : cases) {
        const QString path = QDir(out).filePath(QString::fromLatin1(c.Name));
        shown.dialogs->nextSaveFile = path;
        shown->Execute(CommandId::FileExport);
        EXPECT_TRUE(c.Valid(Bytes(path))) << c.Name;
    }
    ASSERT_EQ(shown.dialogs->saveRequests.size(), 4u);
    const SaveFileRequest& request = shown.dialogs->saveRequests.front();
    EXPECT_EQ(request.Title, QStringLiteral("Export"));
    EXPECT_EQ(request.Filters.size(), 4);
    EXPECT_TRUE(request.Filters.at(request.InitialFilter).contains(QStringLiteral("*.pdf")));
    EXPECT_EQ(shown.dialogs->saveRequests.back().Folder, out) << "the folder of the last export";
    EXPECT_EQ(shown->ExportDir(), out);
    EXPECT_EQ(told.back(), out);
    EXPECT_TRUE(shown.dialogs->messages.empty());
}

TEST_F(ExportCommandTest, TheExportShowsTheBoardAsTheScreenDoes) {
    ViewState& view = shown->View();
    view.Roentgen = false;
    constexpr QRgb Surface = qRgb(239, 204, 5);
    // The strip cut in row 1 at column 4, and the whole strip of row 3 below it.
    const QPoint cut(135, 45), strip(135, 105);
    for (const bool turned : {false, true}) {
        view.Loetseite = turned;
        const QString path =
            folder.filePath(turned ? QStringLiteral("unten.png") : QStringLiteral("oben.png"));
        shown.dialogs->nextSaveFile = path;
        shown->Execute(CommandId::FileExport);
        const QImage image(path);
        ASSERT_EQ(image.size(), QSize(300, 150));
        // Seen from below the board turns over: row 1 comes out where row 3 was.
        EXPECT_EQ(image.pixel(turned ? strip : cut), Surface) << turned;
        EXPECT_NE(image.pixel(turned ? cut : strip), Surface) << turned;
        EXPECT_EQ(view.Loetseite, turned) << "the program's switch stays";
    }
}

TEST_F(ExportCommandTest, FailuresAreToldAndCancellingWritesNothing) {
    shown.dialogs->nextSaveFile.clear();
    shown->Execute(CommandId::FileExport);
    EXPECT_TRUE(shown.dialogs->messages.empty());

    shown.dialogs->nextSaveFile = folder.filePath(QStringLiteral("board.gif"));
    shown->Execute(CommandId::FileExport);
    shown.dialogs->nextSaveFile = folder.filePath(QStringLiteral("fehlt/board.png"));
    shown->Execute(CommandId::FileExport);
    ASSERT_EQ(shown.dialogs->messages.size(), 2u);
    EXPECT_TRUE(shown.dialogs->messages[0].Text.contains(QStringLiteral(".svg")));
    EXPECT_TRUE(shown.dialogs->messages[1].Text.contains(QStringLiteral("nicht geschrieben")));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("board.gif"))));
}

TEST(ExportDirSettingTest, AnExportFolderIsWrittenBackAndReadAtTheNextStart) {
    QTemporaryDir root;
    const QString program = root.filePath(QStringLiteral("program"));
    ASSERT_TRUE(QDir().mkpath(program));
    auto start = [&] {
        StartRequest request;
        request.Line.Splash = false;
        request.SettingsFolder = program;
        request.UserFolder = root.filePath(QStringLiteral("config"));
        auto fake = std::make_unique<test::FakeDialogs>();
        fake->nextSaveFile = root.filePath(QStringLiteral("bild.png"));
        request.Dialogs = std::move(fake);
        return StartProgram(std::move(request));
    };
    auto first = start();
    EXPECT_EQ(first->ExportDir(), program + u'/') << "the program folder by default";
    first->Execute(CommandId::FileExport);
    first.reset();
    const ProgramSettings settings(SettingsStore(program), ProgramSettings::MainWindowFile());
    EXPECT_EQ(settings.Read().ExportDir, root.path() + u'/');
    EXPECT_EQ(start()->ExportDir(), root.path() + u'/');
}

} // namespace
} // namespace karvel
