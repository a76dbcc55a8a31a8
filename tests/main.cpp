// One test program for the whole tree. Qt runs offscreen with a fixed locale, so text
// measurement and number formatting give the same answers on every machine.

#include "board/ElementClasses.h"

#include <gtest/gtest.h>
#include <QtCore/QLocale>
#include <QtWidgets/QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    karvel::RegisterElementClasses();
    return RUN_ALL_TESTS();
}
