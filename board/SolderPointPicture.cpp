#include "board/SolderPointPicture.h"

#include <QtCore/QDir>

namespace karvel {

QImage BuiltInSolderPointPicture() {
    return QImage(QStringLiteral(":/pictures/LOETSTELLE.bmp"));
}

const QImage& SolderPointPicture(const QString& programFolder, Language language) {
    static const QImage picture = [&] {
        const QString file = UsesEnglish(language)
                                 ? QStringLiteral("Bitmaps/Miscellaneous/Soldering-Point.BMP")
                                 : QStringLiteral("Bitmaps/Diverse/Loetstelle.BMP");
        QImage loaded(QDir(programFolder).filePath(file));
        return loaded.isNull() ? BuiltInSolderPointPicture() : loaded;
    }();
    return picture;
}

} // namespace karvel
