// Starts the real program on a virtual screen with a project and looks at it.

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

TEST(SmokeTest, TheProgramStartsWithAProjectAndShowsItsBoard) {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    const QString grab = QStandardPaths::findExecutable(QStringLiteral("import"));
    if (xvfb.isEmpty() || grab.isEmpty())
        GTEST_SKIP() << "needs xvfb-run and ImageMagick's import";
    ASSERT_TRUE(QFileInfo::exists(ProgramPath())) << ProgramPath().toStdString();

    QTemporaryDir folder;
    const QString project = folder.filePath(QStringLiteral("smoke test.rst"));
    ASSERT_EQ(test::WriteStripboardProject(project, {"Rauchtest"}), u"");
    const QString output = QStringLiteral(KARVEL_TEST_OUTPUT_DIR) + QStringLiteral("/shell");
    QDir().mkpath(output);
    const QString shot = output + QStringLiteral("/karvel-smoke.png");
    QFile::remove(shot);

    // The project path is given in two pieces, as an unquoted path with a space arrives.
    const QString script = QStringLiteral(
        "\"$0\" --no-splash \"$1\" \"$2\" & pid=$!; sleep 6; import -window root \"$3\"; "
        "if kill -0 $pid; then echo ALIVE; kill $pid; fi");
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    // The tests run offscreen; the program is to use the virtual X screen.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    run.setProcessEnvironment(environment);
    run.start(xvfb,
              {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x900x24"),
               QStringLiteral("bash"), QStringLiteral("-c"), script, ProgramPath(),
               folder.filePath(QStringLiteral("smoke")), QStringLiteral("test.rst"), shot});
    ASSERT_TRUE(run.waitForFinished(60000));
    const QString log = QString::fromLocal8Bit(run.readAll());
    EXPECT_TRUE(log.contains(u"ALIVE")) << log.toStdString();

    const QImage picture(shot);
    ASSERT_FALSE(picture.isNull()) << log.toStdString();
    // The board's surface fills a good part of the screen.
    EXPECT_GT(CountPixels(picture, QColor(239, 204, 5)), 5000);
}

} // namespace
} // namespace karvel
