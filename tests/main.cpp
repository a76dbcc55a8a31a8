// One test program for the whole tree. Qt runs offscreen with a fixed locale, so text
// measurement and number formatting give the same answers on every machine.
//
// "karvel_tests --grab-screen FILE MILLISECONDS" does no testing: after the wait it saves a
// picture of the whole screen, as the smoke test needs of the program running beside it.

#include "board/ElementClasses.h"

#include <cstring>
#include <gtest/gtest.h>
#include <QtCore/QLocale>
#include <QtCore/QTimer>
#include <QtGui/QGuiApplication>
#include <QtGui/QPixmap>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>

namespace {

int GrabScreen(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString file = QString::fromLocal8Bit(argv[2]);
    const int wait = argc > 3 ? std::atoi(argv[3]) : 0;
    int result = 1;
    QTimer::singleShot(wait, &app, [&] {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (screen != nullptr && screen->grabWindow(0).save(file))
            result = 0;
        QGuiApplication::quit();
    });
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
