// render: a picture of one board — the screen view as PNG, or the printed view as PNG, PDF or
// SVG at true scale.

#include "board/Continuity.h"
#include "tools/karvel-tool/Commands.h"
#include "tools/karvel-tool/ToolSupport.h"

#include <QtCore/QBuffer>
#include <QtGui/QImage>
#include <QtGui/QPdfWriter>
#include <QtSvg/QSvgGenerator>

namespace karvel::tool {

namespace {

constexpr qint64 MaxPixels = 64'000'000; // 256 MB of picture
constexpr int UnitsPerInch = 2540;

const ArgumentSpec RenderSpec{
    {QStringLiteral("--solder"), QStringLiteral("--see-through"), QStringLiteral("--xray"),
     QStringLiteral("--outline"), QStringLiteral("--no-bitmaps"), QStringLiteral("--no-components"),
     QStringLiteral("--no-layout"), QStringLiteral("--grid-numbers"), QStringLiteral("--unused")},
    {QStringLiteral("--board"), QStringLiteral("--zoom"), QStringLiteral("--dpi"),
     QStringLiteral("--title"), QStringLiteral("--probe"), QStringLiteral("--lang")},
    2,
    2};

enum class Format { Png, Pdf, Svg };

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

// The area a printed picture covers: the board, and room for titles and grid numbers.
Rect PageArea(const TPlatine& board) {
    const bool titles = board.Output.DrawTitleBlock || board.Output.DrawGridNumbering;
    const int margin = titles ? 2700 : 100;
    const Rect r = board.BoardRect();
    return {r.Left - margin, r.Top - margin, r.Right + margin, r.Bottom + margin};
}

// Maps board units onto a printed page; seen from below, the board turns over as on screen.
void MapPage(Canvas& canvas, const Rect& area, int dotsPerInch, bool solderSide) {
    if (solderSide)
        canvas.SetMapping({area.Left, area.Bottom}, {UnitsPerInch, -UnitsPerInch}, {0, 0},
                          {dotsPerInch, dotsPerInch});
    else
        canvas.SetMapping(area.TopLeft(), {UnitsPerInch, UnitsPerInch}, {0, 0},
                          {dotsPerInch, dotsPerInch});
}

// Why a picture was not made; the caller prints it and fails.
struct RenderFailure {
    QString Reason;
};

// A board of no area (a damaged size) gives no picture.
void CheckArea(qint64 width, qint64 height, Language messages) {
    if (width <= 0 || height <= 0)
        throw RenderFailure{Tr(messages,
                               QStringLiteral("Die Platine hat keine Fläche (%1 x %2 Pixel); "
                                              "die Datei ist vermutlich beschädigt.")
                                   .arg(width)
                                   .arg(height),
                               QStringLiteral("The board has no area (%1 x %2 pixels); the file "
                                              "is probably damaged.")
                                   .arg(width)
                                   .arg(height))};
}

// Refuses a picture of no area or beyond MaxPixels before anything is allocated, and a picture
// that could not be allocated.
QImage MakeImage(qint64 width, qint64 height, const QString& smaller, Language messages) {
    CheckArea(width, height, messages);
    if (width > MaxPixels / height)
        throw RenderFailure{
            Tr(messages,
               QStringLiteral("Das Bild hätte %1 x %2 Pixel; wählen Sie ein kleineres %3.")
                   .arg(width)
                   .arg(height)
                   .arg(smaller),
               QStringLiteral("The picture would be %1 x %2 pixels; choose a smaller %3.")
                   .arg(width)
                   .arg(height)
                   .arg(smaller))};
    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        throw RenderFailure{Tr(messages,
                               QStringLiteral("Zu wenig Speicher für ein Bild von %1 x %2 Pixeln.")
                                   .arg(width)
                                   .arg(height),
                               QStringLiteral("Not enough memory for a picture of %1 x %2 pixels.")
                                   .arg(width)
                                   .arg(height))};
    return image;
}

// The canvas of a picture or page must have started painting; otherwise nothing is drawn.
void CheckActive(Canvas& canvas, Language messages) {
    if (!canvas.Painter().isActive())
        throw RenderFailure{Tr(messages, QStringLiteral("Das Bild kann nicht gezeichnet werden."),
                               QStringLiteral("The picture cannot be drawn."))};
}

QByteArray PngBytes(const QImage& image, Language messages) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG") || buffer.data().isEmpty())
        throw RenderFailure{Tr(messages, QStringLiteral("Das PNG-Bild kann nicht erzeugt werden."),
                               QStringLiteral("The PNG picture cannot be made."))};
    return buffer.data();
}

QByteArray RenderScreen(TPlatine& board, Language messages) {
    const QSize size = board.ControlSize();
    QImage image = MakeImage(size.width(), size.height(), QStringLiteral("--zoom"), messages);
    image.fill(ToQColor(board.Color()));
    {
        Canvas canvas(image);
        CheckActive(canvas, messages);
        board.Paint(canvas);
    }
    return PngBytes(image, messages);
}

QByteArray RenderOutput(TPlatine& board, Format format, int dpi, Language messages) {
    const Rect area = PageArea(board);
    const bool solder = board.View().Loetseite;
    if (format == Format::Png) {
        QImage image = MakeImage(qint64(area.Width()) * dpi / UnitsPerInch + 1,
                                 qint64(area.Height()) * dpi / UnitsPerInch + 1,
                                 QStringLiteral("--dpi"), messages);
        image.fill(Qt::white);
        {
            Canvas canvas(image);
            CheckActive(canvas, messages);
            MapPage(canvas, area, dpi, solder);
            board.ZeichneAusgabe(canvas, area);
        }
        return PngBytes(image, messages);
    }
    CheckArea(area.Width(), area.Height(), messages);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    // One dot per board unit: the page is exactly as large as the board and its margin.
    constexpr int VectorDpi = UnitsPerInch;
    const QSize dots(int(qint64(area.Width()) * VectorDpi / UnitsPerInch),
                     int(qint64(area.Height()) * VectorDpi / UnitsPerInch));
    if (format == Format::Pdf) {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(VectorDpi);
        pdf.setPageSize(QPageSize(QSizeF(area.Width() / 100.0, area.Height() / 100.0),
                                  QPageSize::Millimeter, QStringLiteral("Board")));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(board.PlatinenName());
        pdf.setCreator(QStringLiteral("Karvel 3.0"));
        Canvas canvas(pdf);
        CheckActive(canvas, messages);
        MapPage(canvas, area, VectorDpi, solder);
        board.ZeichneAusgabe(canvas, area);
    } else {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setResolution(VectorDpi);
        svg.setSize(dots);
        svg.setViewBox(QRect(QPoint(0, 0), dots));
        svg.setTitle(board.PlatinenName());
        Canvas canvas(svg);
        CheckActive(canvas, messages);
        MapPage(canvas, area, VectorDpi, solder);
        board.ZeichneAusgabe(canvas, area);
    }
    if (buffer.data().isEmpty())
        throw RenderFailure{Tr(messages, QStringLiteral("Das Bild kann nicht erzeugt werden."),
                               QStringLiteral("The picture cannot be made."))};
    return buffer.data();
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
    const Language messages = MessageLanguageOf(a);
    int status = Ok;
    std::optional<ProjectLoad> load = LoadProject(a.Positional()[0], view, messages, status);
    if (!load)
        return status;
    if (load->Error)
        PrintError(load->Error->Message(messages) + u' ' +
                   Tr(messages, QStringLiteral("Das Bild zeigt, was gelesen werden konnte."),
                      QStringLiteral("The picture shows what could be read.")));
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
    QByteArray bytes;
    try {
        bytes = printed ? RenderOutput(*board, *format, int(*dpi), messages)
                        : RenderScreen(*board, messages);
    } catch (const RenderFailure& failure) {
        PrintError(failure.Reason);
        return Failed;
    }
    const QString writeError = WriteAtomically(a.Positional()[1], bytes);
    if (!writeError.isEmpty()) {
        PrintError(Tr(messages, QStringLiteral("%1 kann nicht geschrieben werden: %2"),
                      QStringLiteral("cannot write %1: %2"))
                       .arg(a.Positional()[1], writeError));
        return Failed;
    }
    return load->Error ? Failed : Ok;
}

} // namespace karvel::tool
