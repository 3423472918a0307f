#pragma once

#include "export/converter_command.h"
#include "export/converter_image.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace Kelbrix {

/// True when \a head (the first bytes of a file) starts like a TIFF or BigTIFF file.
bool looksLikeTiff(const QByteArray &head);

/// The outcome of reading a TIFF.
struct TiffReadResult {
    int result = 0; ///< 0, ImageTooLarge, ReadError or OutOfMemory
    ConverterImage picture;
    QString problem; ///< what went wrong, for the log; empty on success
    QString note;    ///< a resolution tag out of range that was ignored; empty otherwise
};

/// Reads the first image of the TIFF in \a device (open for reading, positioned anywhere)
/// with libtiff. One-bit black-and-white images come back one-bit in the converter's form,
/// everything else as 32-bit colour; resolution and compression come from the tags (a
/// resolution outside 1 to 65,535 dpi, infinite or not a number counts as absent). A
/// damaged file gives ReadError, a picture beyond the budget ImageTooLarge; libtiff's
/// complaints go to `problem`, never to the console.
TiffReadResult readTiff(QIODevice &device, const QString &name);

/// Writes \a mono (a one-bit picture in the converter's form) to \a device (open for writing)
/// as a TIFF: 1 bit per sample, PHOTOMETRIC_MINISWHITE, the given compression, and the
/// resolution in dots per inch when it is known. Returns false, with the reason in \a problem,
/// when libtiff or the device refuses anything; the device may then hold a partial file.
bool writeTiff(QIODevice &device, const ConverterImage &mono, TiffCompression compression, QString *problem);

} // namespace Kelbrix
