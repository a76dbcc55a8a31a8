// One test program for the whole tree. Qt runs offscreen with a fixed locale, so text
// measurement and number formatting give the same answers on every machine.
//
// "karvel_tests --grab-screen FILE MILLISECONDS [RRGGBB...]" does no testing: it saves a picture
// of the whole screen, as the smoke test needs of the program running beside it. With colours it
// looks every quarter second and saves as soon as each colour is on the screen, at the latest
// when the time is up: a loaded machine may take a while to show the program's window.

#include "board/ElementClasses.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <QtCore/QElapsedTimer>
#include <QtCore/QLocale>
#include <QtCore/QTimer>
#include <QtGui/QColor>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPixmap>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <vector>

namespace {

bool ShowsEveryColour(const QImage& picture, const std::vector<QColor>& colours) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    return std::all_of(colours.begin(), colours.end(), [&](QColor colour) {
        for (int y = 0; y < rgb.height(); y += 2)
            for (int x = 0; x < rgb.width(); x += 2)
                if (rgb.pixelColor(x, y) == colour)
                    return true;
        return false;
    });
}

int GrabScreen(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString file = QString::fromLocal8Bit(argv[2]);
    const int wait = argc > 3 ? std::atoi(argv[3]) : 0;
    std::vector<QColor> colours;
    for (int index = 4; index < argc; ++index)
        colours.emplace_back(QStringLiteral("#%1").arg(QString::fromLatin1(argv[index])));
    QElapsedTimer clock;
    clock.start();
    int result = 1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [&] {
        const bool timeUp = clock.elapsed() >= wait;
        if (colours.empty() && !timeUp)
            return;
        QScreen* screen = QGuiApplication::primaryScreen();
        const QImage picture = screen != nullptr ? screen->grabWindow(0).toImage() : QImage();
        if (!timeUp && (picture.isNull() || !ShowsEveryColour(picture, colours)))
            return;
        if (!picture.isNull() && picture.save(file))
            result = 0;
        QGuiApplication::quit();
    });
    poll.start(250);
    QGuiApplication::exec();
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--grab-screen") == 0)
        return GrabScreen(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    karvel::RegisterElementClasses();
    return RUN_ALL_TESTS();
}
