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
        UsageError(Say("%1 nimmt eine Zahl von %2 bis %3", "%1 takes a number from %2 to %3")
                       .arg(option)
                       .arg(low)
                       .arg(high));
        return std::nullopt;
    }
    return value;
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

// Refuses a picture of no area or beyond MaxPicturePixels before anything is allocated.
void CheckSize(qint64 width, qint64 height, const QString& smaller, Language messages) {
    CheckArea(width, height, messages);
    if (width > MaxPicturePixels / height)
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
}

QString NoMemory(qint64 width, qint64 height, Language messages) {
    return Tr(
        messages,
        QStringLiteral("Zu wenig Speicher für ein Bild von %1 x %2 Pixeln.").arg(width).arg(height),
        QStringLiteral("Not enough memory for a picture of %1 x %2 pixels.")
            .arg(width)
            .arg(height));
}

QImage MakeImage(qint64 width, qint64 height, const QString& smaller, Language messages) {
    CheckSize(width, height, smaller, messages);
    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        throw RenderFailure{NoMemory(width, height, messages)};
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

// The printed view goes through the same output code as the editor's export, so that both
// give the same picture; only the checks that explain a failure to a shell user live here.
QByteArray RenderOutput(TPlatine& board, Format format, int dpi, Language messages) {
    const Rect area = PrintedArea(board);
    CheckArea(area.Width(), area.Height(), messages);
    if (format == Format::Png) {
        const QSize pixels = PrintedPixels(board, dpi);
        CheckSize(pixels.width(), pixels.height(), QStringLiteral("--dpi"), messages);
        const QImage image = RenderPrintedImage(board, dpi);
        if (image.isNull())
            throw RenderFailure{NoMemory(pixels.width(), pixels.height(), messages)};
        return PngBytes(image, messages);
    }
    const QByteArray bytes =
        format == Format::Pdf ? RenderPrintedPdf(board) : RenderPrintedSvg(board);
    if (bytes.isEmpty())
        throw RenderFailure{Tr(messages, QStringLiteral("Das Bild kann nicht erzeugt werden."),
                               QStringLiteral("The picture cannot be made."))};
    return bytes;
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
        return UsageError(Say("der Name des Bildes muss auf .png, .pdf oder .svg enden",
                              "the picture's name must end in .png, .pdf or .svg"));
    if (a.Has(QStringLiteral("--zoom")) && a.Has(QStringLiteral("--dpi")))
        return UsageError(
            Say("--zoom und --dpi schließen einander aus", "--zoom and --dpi exclude each other"));
    const auto zoom = NumberIn(a, QStringLiteral("--zoom"), 0.2, 20.0, 3.0);
    const auto dpi = NumberIn(a, QStringLiteral("--dpi"), 10.0, 2400.0, 300.0);
    const std::optional<Language> language = LanguageOf(a);
    if (!zoom || !dpi || !language)
        return BadUse;
    std::optional<QPoint> hole;
    if (a.Has(QStringLiteral("--probe")) && !(hole = ParseHole(a.Value(QStringLiteral("--probe")))))
        return UsageError(
            Say("--probe nimmt ein Loch als SPALTE,ZEILE", "--probe takes a hole as COLUMN,ROW"));

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
    if (load->BoardsRead == 0) {
        // Nothing of a board was read: there is nothing to draw.
        PrintError(load->Error ? load->Error->Message(messages) : QString());
        return Failed;
    }
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
        board->Analysis().Probe({hole->x() * HolePitch, hole->y() * HolePitch + HolePitch / 2});
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
