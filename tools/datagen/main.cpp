// karvel-datagen: writes the data that lies beside the program and the pictures compiled into
// it, from code, so they can be reviewed and rebuilt:  karvel-datagen <resources folder>

#include "tools/datagen/SolderPointPicture.h"

#include <QtCore/QDir>
#include <QtGui/QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                      : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: karvel-datagen <resources folder>\n", stderr);
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    if (!resources.mkpath(QStringLiteral("pictures"))) {
        std::fprintf(stderr, "karvel-datagen: cannot create %s/pictures\n", argv[1]);
        return 1;
    }
    const QString picture = resources.filePath(QStringLiteral("pictures/LOETSTELLE.bmp"));
    if (!karvel::datagen::MakeSolderPointPicture().save(picture, "BMP")) {
        std::fprintf(stderr, "karvel-datagen: cannot write %s\n", qPrintable(picture));
        return 1;
    }
    std::printf("wrote %s\n", qPrintable(picture));
    return 0;
}
