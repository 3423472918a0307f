#pragma once

#include "export/converter_command.h"
#include "label/mono_symbol.h"

#include <QImage>

#include <optional>

namespace Kelbrix {

struct SymbolGeometry;

/// The largest picture the converter makes or reads, in pixels: 2^30 (128 MiB at one bit per
/// pixel). A label 102 mm wide and 152 mm high at 4800 dpi is about 5.5 x 10^8 pixels, so real
/// labels fit with room to spare, and a larger request gives ConverterResult::ImageTooLarge,
/// which the export answers by retrying at a smaller size.
inline constexpr qint64 kMaxImagePixels = qint64(1) << 30;
/// The default memory budget of one command: the bytes of all pictures it holds at once.
inline constexpr qint64 kDefaultMemoryBudget = qint64(512) << 20;

/// The memory budget every command is held to (kDefaultMemoryBudget unless changed). Each
/// step checks the bytes of the pictures it holds at once, from the sizes alone, before it
/// allocates anything; a step beyond the budget gives ConverterResult::ImageTooLarge.
qint64 converterMemoryBudget();
/// Sets the memory budget; a value below 1 MiB restores the default.
void setConverterMemoryBudget(qint64 bytes);

/// The bytes a QImage of \a width x \a height pixels at \a bitsPerPixel takes (rows padded to
/// 32 bits, as Qt keeps them); the sizes are taken as 64-bit, so nothing overflows.
qint64 imageBytes(qint64 width, qint64 height, int bitsPerPixel);
/// The bytes \a image takes.
qint64 imageBytes(const QImage &image);
/// 0 when \a bytes held at once fit the memory budget, else ImageTooLarge.
int checkMemory(qint64 bytes);

/// A picture being converted: the image and what is known about it. One-bit pictures are kept
/// as QImage::Format_Mono with the colour table {white, black}, so a set bit is black, as in a
/// TIFF with PHOTOMETRIC_MINISWHITE.
struct ConverterImage {
    QImage image;
    double xDpi = 0;                            ///< 0 when unknown
    double yDpi = 0;                            ///< 0 when unknown
    std::optional<TiffCompression> compression; ///< set when read from a TIFF
};

/// The lowest and highest resolution the converter takes from a source, in dpi; a value
/// outside (infinite, not a number, 0, negative, absurd) counts as absent.
inline constexpr double kMinDpi = 1;
inline constexpr double kMaxDpi = 65535;

/// \a dpi when it lies in kMinDpi to kMaxDpi, else 0 (absent).
double usableDpi(double dpi);

/// 0 when a picture of \a width x \a height pixels fits the budget, else ImageTooLarge.
int checkImageSize(qint64 width, qint64 height);

/// True for a one-bit picture in the converter's form (Format_Mono, {white, black}).
bool isMonochrome(const QImage &image);

/// \a image reduced to one bit per pixel by a 50% threshold (transparent counts as white), in
/// the converter's form. A null image when memory runs out.
QImage toMonochrome(const QImage &image);

/// The picture of a clipboard symbol for a command: \a raster pixels wide, or 3 pixels per
/// module when \a raster is 0, in the shape of \a shown when it is a valid size (the shape the
/// symbol was copied at), else in the symbol's own proportions. Fails with ImageTooLarge,
/// before drawing, when the size or its memory is beyond the budget, or with OutOfMemory. The
/// picture itself is renderSymbol()'s.
int symbolPicture(const SymbolGeometry &symbol, QSize shown, int raster, QImage *out, QString *problem);

/// \a image scaled to \a size by nearest-neighbour sampling, so bars stay sharp and a one-bit
/// picture stays one-bit (scaled here bit by bit, so it never takes more memory than the two
/// one-bit pictures). Other pictures may come back at 32 bits per pixel.
QImage rescaled(const QImage &image, QSize size);

/// \a image with black and white (every colour) inverted; one-bit stays one-bit.
QImage inverted(const QImage &image);

/// \a image mirrored: \a mode 1 left-right, 2 top-bottom, 0 unchanged.
QImage mirroredImage(const QImage &image, int mode);

/// \a image turned clockwise by \a degrees (0, 90, 180 or 270).
QImage rotatedImage(const QImage &image, int degrees);

} // namespace Kelbrix
