#include "elements/SolderPointPicture.h"

#include <map>
#include <QtCore/QDir>
#include <utility>

namespace karvel {

QImage BuiltInSolderPointPicture() {
    return QImage(QStringLiteral(":/pictures/LOETSTELLE.bmp"));
}

const QImage& SolderPointPicture(const QString& programFolder, Language language) {
    // Kept per folder and language, so whoever asks first cannot decide for everyone else;
    // a program has one folder and one language, so this holds one picture in practice.
    static std::map<std::pair<QString, bool>, QImage> pictures;
    const bool english = UsesEnglish(language);
    const auto key = std::make_pair(programFolder, english);
    auto it = pictures.find(key);
    if (it == pictures.end()) {
        const QString file = english ? QStringLiteral("Bitmaps/Miscellaneous/Soldering-Point.BMP")
                                     : QStringLiteral("Bitmaps/Diverse/Loetstelle.BMP");
        QImage loaded(QDir(programFolder).filePath(file));
        it = pictures.emplace(key, loaded.isNull() ? BuiltInSolderPointPicture() : loaded).first;
    }
    return it->second;
}

} // namespace karvel
