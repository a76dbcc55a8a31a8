// render: a picture of one board — the screen view as PNG, or the printed view as PNG, PDF or
// SVG at true scale.

#include "board/Continuity.h"
#include "output/BoardPicture.h"
#include "tools/karvel-tool/Commands.h"
#include "tools/karvel-tool/ToolSupport.h"

#include <QtCore/QBuffer>
#include <QtGui/QImage>

namespace karvel::tool {

namespace {

constexpr qint64 MaxPixels = MaxPicturePixels;

const ArgumentSpec RenderSpec{
    {QStringLiteral("--solder"), QStringLiteral("--see-through"), QStringLiteral("--xray"),
     QStringLiteral("--outline"), QStringLiteral("--no-bitmaps"), QStringLiteral("--no-components"),
     QStringLiteral("--no-layout"), QStringLiteral("--grid-numbers"), QStringLiteral("--unused")},
    {QStringLiteral("--board"), QStringLiteral("--zoom"), QStringLiteral("--dpi"),
     QStringLiteral("--title"), QStringLiteral("--probe"), QStringLiteral("--lang")},
    2,
    2};

using Format = PictureFormat;

std::optional<Format> FormatOf(const QString& path) {
    const QString lower = path.toLower();
    if (lower.endsWith(QLatin1String(".png")))
        return Format::Png;
    if (lower.endsWith(QLatin1String(".pdf")))
        return Format::Pdf;
    if (lower.endsWith(QLatin1String(".svg")))
        return Format::Svg;
    return std::nullopt;
}

std::optional<double> NumberIn(const Arguments& args, const QString& option, double low,
                               double high, double fallback) {
    if (!args.Has(option))
        return fallback;
    bool ok = false;
    const double value = args.Value(option).toDouble(&ok);
    if (!ok || !(value >= low && value <= high)) {
        UsageError(
            QStringLiteral("%1 takes a number from %2 to %3").arg(option).arg(low).arg(high));
        return std::nullopt;
    }
    return value;
}

QByteArray PngBytes(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

std::optional<QByteArray> RenderScreen(TPlatine& board, int& status) {
    const QSize size = board.ControlSize();
    if (qint64(size.width()) * size.height() > MaxPixels) {
        PrintError(QStringLiteral("the picture would be %1 x %2 pixels; choose a smaller --zoom")
                       .arg(size.width())
                       .arg(size.height()));
        status = Failed;
        return std::nullopt;
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(ToQColor(board.Color()));
    {
        Canvas canvas(image);
        board.Paint(canvas);
    }
    return PngBytes(image);
}

std::optional<QByteArray> RenderOutput(TPlatine& board, Format format, int dpi, int& status) {
    if (format == Format::Png) {
        const QSize pixels = PrintedPixels(board, dpi);
        if (qint64(pixels.width()) * pixels.height() > MaxPixels) {
            PrintError(QStringLiteral("the picture would be %1 x %2 pixels; choose a smaller --dpi")
                           .arg(pixels.width())
                           .arg(pixels.height()));
            status = Failed;
            return std::nullopt;
        }
        return PngBytes(RenderPrintedImage(board, dpi));
    }
    return format == Format::Pdf ? RenderPrintedPdf(board) : RenderPrintedSvg(board);
}

} // namespace

int Render(const QStringList& args) {
    QString error;
    const auto parsed = Arguments::Parse(args, RenderSpec, error);
    if (!parsed)
        return UsageError(error);
    const Arguments& a = *parsed;
    const std::optional<Format> format = FormatOf(a.Positional()[1]);
    if (!format)
        return UsageError(QStringLiteral("the picture's name must end in .png, .pdf or .svg"));
    if (a.Has(QStringLiteral("--zoom")) && a.Has(QStringLiteral("--dpi")))
        return UsageError(QStringLiteral("--zoom and --dpi exclude each other"));
    const auto zoom = NumberIn(a, QStringLiteral("--zoom"), 0.2, 20.0, 3.0);
    const auto dpi = NumberIn(a, QStringLiteral("--dpi"), 10.0, 2400.0, 300.0);
    const std::optional<Language> language = LanguageOf(a);
    if (!zoom || !dpi || !language)
        return BadUse;
    std::optional<QPoint> hole;
    if (a.Has(QStringLiteral("--probe")) && !(hole = ParseHole(a.Value(QStringLiteral("--probe")))))
        return UsageError(QStringLiteral("--probe takes a hole as COLUMN,ROW"));

    ViewState view = MakeView(*language);
    view.Loetseite = a.Has(QStringLiteral("--solder"));
    view.Durchsicht = a.Has(QStringLiteral("--see-through"));
    view.Roentgen = a.Has(QStringLiteral("--xray"));
    view.BitmapRendering = !a.Has(QStringLiteral("--no-bitmaps"));
    int status = Ok;
    std::optional<ProjectLoad> load = LoadProject(a.Positional()[0], view, status);
    if (!load)
        return status;
    if (load->Error)
        PrintError(load->Error->Message() + QStringLiteral(": showing what could be read"));
    TPlatine* board = ChooseBoard(a, *load, status);
    if (board == nullptr)
        return status;

    board->SetUmrissModus(a.Has(QStringLiteral("--outline")));
    board->SetZoom(*zoom);
    if (hole)
        board->Analysis().Probe({hole->x() * TPlatine::HolePitch,
                                 hole->y() * TPlatine::HolePitch + TPlatine::HolePitch / 2});
    if (a.Has(QStringLiteral("--unused")))
        board->Analysis().ShowUnused();
    board->Output.DrawComponents = !a.Has(QStringLiteral("--no-components"));
    board->Output.DrawLayout = !a.Has(QStringLiteral("--no-layout"));
    board->Output.DrawGridNumbering = a.Has(QStringLiteral("--grid-numbers"));
    board->Output.DrawTitleBlock = a.Has(QStringLiteral("--title"));
    board->Output.Title = a.Value(QStringLiteral("--title"));

    const bool printed = *format != Format::Png || a.Has(QStringLiteral("--no-components")) ||
                         a.Has(QStringLiteral("--no-layout")) ||
                         a.Has(QStringLiteral("--grid-numbers")) ||
                         a.Has(QStringLiteral("--title")) || a.Has(QStringLiteral("--dpi"));
    const std::optional<QByteArray> bytes =
        printed ? RenderOutput(*board, *format, int(*dpi), status) : RenderScreen(*board, status);
    if (!bytes)
        return status;
    const QString writeError = WriteAtomically(a.Positional()[1], *bytes);
    if (!writeError.isEmpty()) {
        PrintError(QStringLiteral("cannot write %1: %2").arg(a.Positional()[1], writeError));
        return Failed;
    }
    return load->Error ? Failed : Ok;
}

} // namespace karvel::tool
