// Writes the fuzzer's seed corpus: real projects as the writer makes them, of the current and
// of older versions, and the edge cases a reader must survive: values at the limits of what a
// file may hold, a diameter one flipped byte away from absurd, run-length bitmaps that unpack
// to far more than they hold, and board counts that do not fit the boards.
//   make_fuzz_corpus <folder>

#include "board/ElementClasses.h"
#include "board/ProjectFile.h"
#include "elements/Auge.h"
#include "elements/Bohrung.h"
#include "elements/Kreis.h"
#include "elements/Trenner.h"
#include "elements/Txtlabel.h"
#include "platform/encoding/Extended80.h"
#include "stream/RecordIO.h"
#include "support/SampleBoard.h"

#include <cstdio>
#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QtEndian>
#include <QtGui/QGuiApplication>

namespace {

bool Write(const QDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray Project(const std::vector<karvel::TPlatine*>& boards) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    karvel::WriteProject(buffer, boards);
    return buffer.data();
}

// Elements and a board at the edges of what a file may hold.
void FillFarBoard(karvel::TPlatine& board) {
    using namespace karvel;
    constexpr int far = record::MaxCoordinate;
    constexpr double widest = record::MaxExtent / 100.0;
    board.SetNullpunkt({-far, far});
    board.SetSize(record::MaxExtent, record::MaxExtent);
    auto pad = std::make_unique<TAuge>();
    pad->Centre = {far, -far};
    pad->Diameter = widest;
    board.Add(std::move(pad));
    auto drilling = std::make_unique<TBohrung>();
    drilling->Centre = {-far, far};
    drilling->Diameter = widest;
    board.Add(std::move(drilling));
    auto wire = test::MakeWire(TBauteilTyp::btPolygon, {{-far, -far}, {far, far}, {far, -far}});
    wire->SetStiftbreite(32767);
    board.Add(std::move(wire));
    auto cut = std::make_unique<TTrenner>();
    cut->CutRect = {far, far, -far, -far};
    board.Add(std::move(cut));
    auto circle = std::make_unique<TKreis>();
    circle->Centre = {far / 2, far / 2};
    circle->RimPoint = {far / 2 + far / 4, far / 2};
    circle->BuildCircle();
    board.Add(std::move(circle));
    auto label = std::make_unique<TTextLabel>();
    label->SetTextString(QString(200, QLatin1Char('W')));
    label->Position = {far, -far};
    label->TextHeight = 32767;
    label->Angle = 1e6;
    board.Add(std::move(label));
}

// An 8-bit run-length BMP of the given size holding nothing but the end-of-bitmap code.
QByteArray EmptyRleBmp(int width, int height) {
    auto little = [](std::uint32_t v) {
        QByteArray bytes(4, '\0');
        qToLittleEndian(v, bytes.data());
        return bytes;
    };
    const QByteArray palette = QByteArray::fromHex("00000000ffffff00");
    const QByteArray data = QByteArray::fromHex("0001");
    const std::uint32_t offset = 14 + 40 + std::uint32_t(palette.size());
    return "BM" + little(offset + std::uint32_t(data.size())) + little(0) + little(offset) +
           little(40) + little(std::uint32_t(width)) + little(std::uint32_t(height)) +
           QByteArray::fromHex("01000800") + little(1) + little(std::uint32_t(data.size())) +
           little(0) + little(0) + little(2) + little(0) + palette + data;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    karvel::RegisterElementClasses();
    if (argc != 2) {
        std::fputs("usage: make_fuzz_corpus <folder>\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(QStringLiteral("."));
    karvel::ViewState view;
    karvel::TPlatine sample(view), empty(view), second(view);
    karvel::test::FillSampleBoard(sample);
    second.Add(karvel::test::MakeResistor());
    QByteArray current = Project({&sample, &empty, &second});
    bool ok = Write(folder, QStringLiteral("sample-3,08.rst"), current);
    ok &= Write(folder, QStringLiteral("empty-3,08.rst"), Project({&empty}));
    // The same projects as older versions announce themselves: the reader takes other paths.
    for (const char* version : {"3,07", "3,02", "1,00"}) {
        QByteArray old = current;
        old.replace(37, 4, version);
        ok &= Write(folder, QStringLiteral("sample-%1.rst").arg(QLatin1String(version)), old);
    }

    karvel::TPlatine far(view);
    FillFarBoard(far);
    ok &= Write(folder, QStringLiteral("far-3,08.rst"), Project({&far}));

    // The sample's drilling of 3.2 mm with the high byte of its exponent flipped.
    const auto diameter = karvel::Extended80::FromDouble(3.2).ToBytes();
    QByteArray flipped = current;
    const qsizetype at = flipped.indexOf(
        QByteArray(reinterpret_cast<const char*>(diameter.data()), qsizetype(diameter.size())));
    ok &= at >= 0;
    flipped[at + 9] = char(flipped[at + 9] ^ 0x3F);
    ok &= Write(folder, QStringLiteral("flipped-diameter-3,08.rst"), flipped);

    // Three fills of 25 megapixels, 64 bytes each: more than one file may unpack.
    karvel::TPlatine bitmaps(view);
    const QByteArray bomb = EmptyRleBmp(5000, 5000);
    QImage picture;
    picture.loadFromData(bomb, "BMP");
    for (int i = 0; i < 3; ++i) {
        auto* rect = static_cast<karvel::TDraht*>(bitmaps.Add(
            karvel::test::MakeWire(karvel::TBauteilTyp::btRect, {{0, 0}, {2540, 2540}})));
        ok &= rect->AdoptFillBitmap(picture, bomb);
    }
    ok &= Write(folder, QStringLiteral("rle-bitmaps-3,08.rst"), Project({&bitmaps}));

    // Board counts that do not fit the boards that follow: too many, and too few.
    const qsizetype count = Project({&sample}).size() - 2;
    QByteArray more = current;
    more.replace(count, 2, QByteArray::fromHex("0460ea0000"));
    ok &= Write(folder, QStringLiteral("count-too-large-3,08.rst"), more);
    QByteArray fewer = current;
    fewer[count + 1] = 1;
    ok &= Write(folder, QStringLiteral("count-too-small-3,08.rst"), fewer);
    return ok ? 0 : 1;
}
