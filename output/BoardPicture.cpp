#include "output/BoardPicture.h"

#include "elements/Geometry.h"
#include "platform/AtomicFile.h"

#include <functional>
#include <QtCore/QBuffer>
#include <QtGui/QPdfWriter>
#include <QtSvg/QSvgGenerator>

namespace karvel {

namespace {

constexpr int UnitsPerInch = 2540;
// Vector pictures use one dot per board unit, so the page is exactly the printed area.
constexpr int VectorDpi = UnitsPerInch;

bool TooLarge(QSize pixels) {
    return qint64(pixels.width()) * pixels.height() > MaxPicturePixels;
}

// Board units onto a page that starts at the area's corner; turned over, the board is seen
// from below as on screen, and mirrored its right edge comes first.
void MapArea(Canvas& canvas, const TPlatine& board, const Rect& area, int dotsPerInch) {
    const bool turned = board.View().Loetseite;
    const bool mirrored = board.Spiegeln();
    canvas.SetMapping(
        {mirrored ? area.Right : area.Left, turned ? area.Bottom : area.Top},
        {mirrored ? -UnitsPerInch : UnitsPerInch, turned ? -UnitsPerInch : UnitsPerInch}, {0, 0},
        {dotsPerInch, dotsPerInch});
}

void SetResolution(QImage& image, int dotsPerInch) {
    const int perMetre = RoundToUnit(dotsPerInch / 0.0254L);
    image.setDotsPerMeterX(perMetre);
    image.setDotsPerMeterY(perMetre);
}

} // namespace

std::optional<PictureFormat> PictureFormatOf(const QString& path) {
    const QString lower = path.toLower();
    if (lower.endsWith(QLatin1String(".png")))
        return PictureFormat::Png;
    if (lower.endsWith(QLatin1String(".bmp")))
        return PictureFormat::Bmp;
    if (lower.endsWith(QLatin1String(".pdf")))
        return PictureFormat::Pdf;
    if (lower.endsWith(QLatin1String(".svg")))
        return PictureFormat::Svg;
    return std::nullopt;
}

QSize BoardBitmapSize(const TPlatine& board, int dotsPerInch) {
    return {RoundToUnit(board.Width() / 100.0L / 25.4L * dotsPerInch),
            RoundToUnit(board.Height() / 100.0L / 25.4L * dotsPerInch)};
}

// The mapping covers exactly the board rectangle, so that the title block and the grid
// numbering, which lie outside it, do not appear.
QImage RenderBoardBitmap(TPlatine& board, int dotsPerInch) {
    const QSize size = BoardBitmapSize(board, dotsPerInch);
    if (size.isEmpty() || TooLarge(size))
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) // out of memory: painting on it would only warn
        return {};
    image.fill(Qt::white);
    SetResolution(image, dotsPerInch);
    const Rect r = board.BoardRect();
    const bool turned = board.View().Loetseite;
    const bool mirrored = board.Spiegeln();
    {
        Canvas canvas(image);
        canvas.SetMapping({mirrored ? r.Right : r.Left, turned ? r.Bottom : r.Top},
                          {mirrored ? -r.Width() : r.Width(), turned ? -r.Height() : r.Height()},
                          {0, 0}, size);
        board.DrawOutput(canvas, r);
    }
    return image;
}

Rect PrintedArea(const TPlatine& board) {
    const bool titles = board.Output.DrawTitleBlock || board.Output.DrawGridNumbering;
    const int margin = titles ? 2700 : 100;
    const Rect r = board.BoardRect();
    return {r.Left - margin, r.Top - margin, r.Right + margin, r.Bottom + margin};
}

QSize PrintedPixels(const TPlatine& board, int dotsPerInch) {
    const Rect area = PrintedArea(board);
    return {int(qint64(area.Width()) * dotsPerInch / UnitsPerInch) + 1,
            int(qint64(area.Height()) * dotsPerInch / UnitsPerInch) + 1};
}

QImage RenderPrintedImage(TPlatine& board, int dotsPerInch) {
    const QSize pixels = PrintedPixels(board, dotsPerInch);
    if (TooLarge(pixels))
        return {};
    const Rect area = PrintedArea(board);
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::white);
    SetResolution(image, dotsPerInch);
    {
        Canvas canvas(image);
        MapArea(canvas, board, area, dotsPerInch);
        board.DrawOutput(canvas, area);
    }
    return image;
}

QByteArray RenderPrintedPdf(TPlatine& board) {
    const Rect area = PrintedArea(board);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(VectorDpi);
        pdf.setPageSize(QPageSize(QSizeF(area.Width() / 100.0, area.Height() / 100.0),
                                  QPageSize::Millimeter, QStringLiteral("Board")));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(board.PlatinenName());
        pdf.setCreator(QStringLiteral("Karvel 3.0"));
        Canvas canvas(pdf);
        MapArea(canvas, board, area, VectorDpi);
        board.DrawOutput(canvas, area);
    }
    return buffer.data();
}

namespace {

// Qt's SVG generator ignores clipping, so the part of the drawing that is clipped to the board
// is drawn into a document of its own and put into the other one as a group under a clip
// path. The generator's documents hold their drawing in groups after a head of title,
// description and definitions; the tiny profile it declares knows no clip paths.
QByteArray WithClippedPart(QByteArray document, const QByteArray& clipped, const Rect& clip) {
    const qsizetype clippedStart = clipped.indexOf("<g ");
    const qsizetype clippedEnd = clipped.lastIndexOf("</svg>");
    const qsizetype insertAt = document.indexOf("<g ");
    if (clippedStart < 0 || clippedEnd < clippedStart || insertAt < 0)
        return {};
    const QByteArray group = QStringLiteral("<defs>\n<clipPath id=\"board\">\n"
                                            "<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"/>\n"
                                            "</clipPath>\n</defs>\n<g clip-path=\"url(#board)\">\n")
                                 .arg(clip.Left)
                                 .arg(clip.Top)
                                 .arg(clip.Width())
                                 .arg(clip.Height())
                                 .toUtf8() +
                             clipped.mid(clippedStart, clippedEnd - clippedStart) + "</g>\n";
    document.insert(insertAt, group);
    document.replace("version=\"1.2\" baseProfile=\"tiny\"", "version=\"1.1\"");
    return document;
}

} // namespace

QByteArray RenderPrintedSvg(TPlatine& board) {
    const Rect area = PrintedArea(board);
    const QSize dots(int(qint64(area.Width()) * VectorDpi / UnitsPerInch),
                     int(qint64(area.Height()) * VectorDpi / UnitsPerInch));
    Rect clip;
    const auto render = [&](const std::function<void(Canvas&)>& draw) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setResolution(VectorDpi);
            svg.setSize(dots);
            svg.setViewBox(QRect(QPoint(0, 0), dots));
            svg.setTitle(board.PlatinenName());
            Canvas canvas(svg);
            MapArea(canvas, board, area, VectorDpi);
            clip = Intersection(Normalised(canvas.LPtoDP(board.BoardRect())),
                                {0, 0, dots.width(), dots.height()});
            draw(canvas);
        }
        return buffer.data();
    };
    const QByteArray onBoard = render([&](Canvas& canvas) { board.DrawOutputBoard(canvas, area); });
    const QByteArray around = render([&](Canvas& canvas) {
        board.DrawOutputFrame(canvas, area);
        board.DrawOutputLabels(canvas, area);
    });
    return WithClippedPart(around, onBoard, clip);
}

QByteArray EncodeImage(const QImage& image, const char* format) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, format))
        return {};
    return buffer.data();
}

ExportResult ExportBoardPicture(TPlatine& board, const QString& path) {
    using Status = ExportResult::Status;
    const std::optional<PictureFormat> format = PictureFormatOf(path);
    if (!format)
        return {Status::UnknownFormat, {}};
    QByteArray bytes;
    switch (*format) {
    case PictureFormat::Png:
    case PictureFormat::Bmp: {
        const QImage image = RenderBoardBitmap(board);
        if (image.isNull())
            return {Status::TooLarge, {}};
        bytes = EncodeImage(image, *format == PictureFormat::Png ? "PNG" : "BMP");
        break;
    }
    case PictureFormat::Pdf:
        bytes = RenderPrintedPdf(board);
        break;
    case PictureFormat::Svg:
        bytes = RenderPrintedSvg(board);
        break;
    }
    if (bytes.isEmpty())
        return {Status::WriteFailed, QStringLiteral("the picture could not be encoded")};
    const QString error = WriteFileAtomically(path, bytes);
    if (!error.isEmpty())
        return {Status::WriteFailed, error};
    return {};
}

} // namespace karvel
