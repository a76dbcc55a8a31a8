#include "tools/datagen/GradientBitmaps.h"

#include "assistant/GradientBitmaps.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <cmath>

namespace karvel::datagen {

namespace {

struct Named {
    const char* Name;
    QColor Body;
};

const QColor Beige(222, 198, 150);
const QColor Blue(52, 92, 178);
const QColor Brown(128, 84, 52);
const QColor Cyan(70, 180, 200);
const QColor Gold(200, 160, 60);
const QColor Green(70, 140, 80);
const QColor Grey(140, 140, 140);
const QColor Ivory(236, 230, 206);
const QColor Lilac(170, 130, 200);
const QColor Orange(226, 120, 40);
const QColor Pink(232, 170, 180);
const QColor Red(196, 40, 40);
const QColor Silver(196, 196, 200);
const QColor Black(28, 28, 30);
const QColor Turquoise(64, 184, 172);
const QColor White(240, 240, 240);
const QColor Yellow(232, 200, 50);
const QColor LightBlue(120, 170, 220);

void Add(std::vector<GradientBitmap>& list, karvel::Language language, int style,
         GradientShape shape, std::initializer_list<Named> named) {
    for (const Named& n : named)
        list.push_back({QString::fromUtf8(n.Name), language, style, shape, n.Body});
}

// Mixes a colour towards another by a fraction.
double Mix(double from, double to, double fraction) {
    return from + (to - from) * fraction;
}

} // namespace

std::vector<GradientBitmap> GradientBitmaps() {
    using karvel::Language;
    std::vector<GradientBitmap> list;
    // Resistors: the first is the default.
    Add(list, Language::German, 11, GradientShape::Diagonal,
        {{"Beige", Beige},
         {"Blau", LightBlue},
         {"Braun", Brown},
         {"Grau", Grey},
         {"Grün", Green},
         {"Rosa", Pink},
         {"Türkis", Turquoise}});
    Add(list, Language::English, 11, GradientShape::Diagonal,
        {{"Beige", Beige},
         {"Blue", LightBlue},
         {"Brown", Brown},
         {"Green", Green},
         {"Grey", Grey},
         {"Pink", Pink},
         {"Turquoise", Turquoise}});
    // Electrolytic capacitors take the first, diodes the ninth.
    Add(list, Language::German, 12, GradientShape::Round,
        {{"Blau", Blue},
         {"Braun", Brown},
         {"Gelb", Yellow},
         {"Gold", Gold},
         {"Grau", Grey},
         {"Grün", Green},
         {"Orange", Orange},
         {"Rot", Red},
         {"Schwarz", Black},
         {"Silber", Silver},
         {"Türkis", Turquoise},
         {"Weiss", White}});
    Add(list, Language::English, 12, GradientShape::Round,
        {{"Blue", Blue},
         {"Brown", Brown},
         {"Cyan", Cyan},
         {"Gold", Gold},
         {"Green", Green},
         {"Grey", Grey},
         {"Ivory", Ivory},
         {"Lilac", Lilac},
         {"Matt black", Black},
         {"Orange", Orange},
         {"Red", Red},
         {"Silver", Silver},
         {"White", White},
         {"Yellow", Yellow}});
    // Capacitors take the fifth.
    Add(list, Language::German, 13, GradientShape::Square,
        {{"Blau", Blue},
         {"Braun", Brown},
         {"Gelb", Yellow},
         {"Grün", Green},
         {"Rot", Red},
         {"Schwarz", Black},
         {"Weiss", White}});
    Add(list, Language::English, 13, GradientShape::Square,
        {{"Black", Black},
         {"Blue", Blue},
         {"Brown", Brown},
         {"Green", Green},
         {"Red", Red},
         {"White", White},
         {"Yellow", Yellow}});
    return list;
}

QImage MakeGradientBitmap(GradientShape shape, const QColor& body, int size) {
    QImage image(size, size, QImage::Format_RGB32);
    const double last = std::max(size - 1, 1);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double u = x / last;
            const double v = y / last;
            double light = 0; // towards white
            double dark = 0;  // towards black
            switch (shape) {
            case GradientShape::Diagonal: {
                // A bright stripe along the diagonal nearer the light, falling off to the far
                // corner.
                const double t = (u + v) / 2;
                light = 0.55 * std::exp(-std::pow((t - 0.3) / 0.16, 2));
                dark = 0.5 * t * t;
                break;
            }
            case GradientShape::Round: {
                const double d = std::min(std::hypot(u - 0.36, v - 0.34) / 0.9, 1.0);
                light = 0.6 * std::pow(1 - d, 3);
                dark = 0.5 * d * d;
                break;
            }
            case GradientShape::Square: {
                const double d = std::max(std::fabs(u - 0.45), std::fabs(v - 0.45)) / 0.55;
                light = 0.45 * std::pow(std::max(1 - d, 0.0), 2);
                dark = 0.45 * std::min(d, 1.0) * std::min(d, 1.0);
                break;
            }
            }
            const auto channel = [&](int c) {
                const double shaded = Mix(c, 0, dark);
                return int(std::lround(Mix(shaded, 255, light)));
            };
            image.setPixel(x, y,
                           qRgb(channel(body.red()), channel(body.green()), channel(body.blue())));
        }
    }
    return image;
}

QString WriteGradientBitmaps(const QDir& resources, QStringList& written) {
    for (const GradientBitmap& bitmap : GradientBitmaps()) {
        const QString folder = GradientFolder(bitmap.Style, bitmap.Language);
        if (!resources.mkpath(folder))
            return resources.filePath(folder);
        const QString path =
            resources.filePath(folder + u'/' + bitmap.Name + QStringLiteral(".BMP"));
        const QImage picture = MakeGradientBitmap(bitmap.Shape, bitmap.Body);
        if (!WriteFileAtomically(path, [&](QIODevice& file) {
                 return picture.save(&file, "BMP");
             }).isEmpty())
            return path;
        written << path;
    }
    return {};
}

} // namespace karvel::datagen
