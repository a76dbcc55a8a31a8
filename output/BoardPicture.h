#pragma once
// Pictures of a board at true scale, for export, the clipboard and karvel-tool alike: the
// board rectangle alone as a bitmap, and the printed view (board, title block and grid
// numbering) as PNG, PDF or SVG. The board draws as it stands: its view state, outline and
// mirror mode and output options (see OutputViewScope to draw with other choices).

#include "board/Platine.h"

#include <optional>
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtGui/QImage>

namespace karvel {

enum class PictureFormat { Png, Bmp, Pdf, Svg };

// By the file name's extension, any case; nothing for other names.
std::optional<PictureFormat> PictureFormatOf(const QString& path);

inline constexpr int BitmapDotsPerInch = 300;
// A bitmap beyond this many pixels (256 MB) is refused rather than allocated.
inline constexpr qint64 MaxPicturePixels = 64'000'000;

// --- The board rectangle alone, as the clipboard copy takes it
QSize BoardBitmapSize(const TPlatine& board, int dotsPerInch = BitmapDotsPerInch);
// A null image when the bitmap would exceed MaxPicturePixels or cannot be allocated. The
// image knows its resolution.
QImage RenderBoardBitmap(TPlatine& board, int dotsPerInch = BitmapDotsPerInch);

// --- The printed view: the board and room for the title block and grid numbering
Rect PrintedArea(const TPlatine& board);
QSize PrintedPixels(const TPlatine& board, int dotsPerInch);
// A null image when it would exceed MaxPicturePixels or cannot be allocated.
QImage RenderPrintedImage(TPlatine& board, int dotsPerInch);
// One page exactly as large as the printed area: 1 mm of board is 1 mm on the page.
QByteArray RenderPrintedPdf(TPlatine& board);
QByteArray RenderPrintedSvg(TPlatine& board);

// The image in a file format ("PNG", "BMP"); empty when it cannot be encoded.
QByteArray EncodeImage(const QImage& image, const char* format);

// An export file: PNG and BMP are the 300 dpi bitmap of the board, PDF and SVG the printed
// view at true scale. Written atomically: a failure leaves an existing file as it was.
struct ExportResult {
    enum class Status { Written, UnknownFormat, TooLarge, WriteFailed };
    Status State = Status::Written;
    QString Error; // the system's reason when writing failed
    bool Ok() const { return State == Status::Written; }
};
ExportResult ExportBoardPicture(TPlatine& board, const QString& path);

} // namespace karvel
