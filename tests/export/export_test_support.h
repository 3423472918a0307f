#pragma once

#include "render/symbol_geometry.h"

#include <QImage>

namespace Kelbrix::Test {

/// The program's EAN-13 of 501234567890 (check digit 0) as geometry.
SymbolGeometry ean13Geometry();

/// Puts \a symbol on the clipboard the way the renderer does: its geometry plus, unless
/// \a imageSize is empty, the symbol painted into an ordinary image of that size.
void putSymbolOnClipboard(const SymbolGeometry &symbol, QSize imageSize);

/// A TIFF file as libtiff reads it, independently of the converter.
struct TiffFile {
    bool ok = false; ///< false when libtiff cannot open or decode the file
    quint32 width = 0;
    quint32 height = 0;
    quint16 bitsPerSample = 0;
    quint16 samplesPerPixel = 0;
    quint16 photometric = 0;
    quint16 compression = 0;
    quint16 resolutionUnit = 0;
    float xResolution = 0;
    float yResolution = 0;
    QImage image; ///< decoded by libtiff's RGBA reader; null when not decoded
};

/// Reads the tags of the TIFF at \a path and, when \a decode, its pixels.
TiffFile readTiffFile(const QString &path, bool decode = true);

/// True when the pixel at (x, y) is dark.
bool isBlack(const QImage &image, int x, int y);

/// The bytes of the file at \a path; empty when it cannot be read.
QByteArray fileBytes(const QString &path);

/// Writes \a bytes to the file at \a path; false when that fails.
bool writeFileBytes(const QString &path, const QByteArray &bytes);

} // namespace Kelbrix::Test
