// Starts the real program on a virtual X screen with a project and looks at it. The picture of
// the screen is taken with Qt by the test program itself, so that nothing beyond the virtual
// screen is needed.

#include "shell/ShellFixture.h"

#include <gtest/gtest.h>
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtGui/QImage>

namespace karvel {
namespace {

QString ProgramPath() {
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral("../shell/karvel"));
}

int CountPixels(const QImage& image, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (image.pixelColor(x, y) == colour)
                ++count;
    return count;
}

struct Screen {
    const char* name;
    const char* size;
    const char* scale;
    const char* firstDisplay;
};

void PrintTo(const Screen& c, std::ostream* os) {
    *os << c.name;
}

class SmokeTest : public ::testing::TestWithParam<Screen> {};

INSTANTIATE_TEST_SUITE_P(Screens, SmokeTest,
                         ::testing::Values(Screen{"Large", "1280x900", "1", "110"},
                                           Screen{"Laptop", "1366x768", "1", "130"},
                                           Screen{"Scaled", "1280x1024", "1.5", "150"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(SmokeTest, TheProgramStartsWithAProjectAndShowsAllOfItsWindow) {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    ASSERT_FALSE(xvfb.isEmpty()) << "xvfb-run (package xvfb) is one of the build's packages";
    ASSERT_TRUE(QFileInfo::exists(ProgramPath())) << ProgramPath().toStdString();

    QTemporaryDir folder;
    const QString project = folder.filePath(QStringLiteral("smoke test.rst"));
    ASSERT_EQ(test::WriteStripboardProject(project, {"Rauchtest"}), u"");
    const QString output = QStringLiteral(KARVEL_TEST_OUTPUT_DIR) + QStringLiteral("/shell");
    QDir().mkpath(output);
    const QString shot =
        output + QStringLiteral("/karvel-smoke-%1.png").arg(QString::fromLatin1(GetParam().name));
    QFile::remove(shot);

    // The project path is given in two pieces, as an unquoted path with a space arrives. The
    // program's folder holds no settings, so its user copy is kept in the temporary folder.
    // The picture is taken once the board's surface and the information display are on the
    // screen, or after 45 seconds: a busy machine may be slow to show the window.
    const QString script =
        QStringLiteral("\"$0\" --no-splash \"$1\" \"$2\" & pid=$!; "
                       "\"$4\" --grab-screen \"$3\" 45000 EFCC05 60646A; sleep 1; "
                       "if kill -0 $pid; then echo ALIVE; kill $pid; fi");
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    // The tests run offscreen; the program and the picture are to use the virtual X screen.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(GetParam().scale));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       folder.filePath(QStringLiteral("config")));
    run.setProcessEnvironment(environment);
    // Screens that start side by side would race for the same free display number: each
    // looks for one from a place of its own.
    run.start(xvfb, {QStringLiteral("-a"), QStringLiteral("-n"),
                     QString::fromLatin1(GetParam().firstDisplay), QStringLiteral("-s"),
                     QStringLiteral("-screen 0 %1x24").arg(QString::fromLatin1(GetParam().size)),
                     QStringLiteral("bash"), QStringLiteral("-c"), script, ProgramPath(),
                     folder.filePath(QStringLiteral("smoke")), QStringLiteral("test.rst"), shot,
                     QCoreApplication::applicationFilePath()});
    ASSERT_TRUE(run.waitForFinished(90000));
    const QString log = QString::fromLocal8Bit(run.readAll());
    EXPECT_TRUE(log.contains(u"ALIVE")) << log.toStdString();

    const QImage picture(shot);
    ASSERT_FALSE(picture.isNull()) << log.toStdString();
    // The board's surface fills a good part of the screen.
    EXPECT_GT(CountPixels(picture, QColor(239, 204, 5)), 2000) << shot.toStdString();
    // The information display stands in the bottom dock bar: seen, the window's lower edge is
    // on the screen.
    EXPECT_GT(CountPixels(picture, QColor(96, 100, 106)), 100) << shot.toStdString();
}

} // namespace
} // namespace karvel
