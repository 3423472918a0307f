#pragma once

#include "render/symbol_geometry.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace Kelbrix::Test {

/// A symbol as geometry in module units, built straight from libzint's vector output (the
/// program's renderer is not used, so these tests stand on their own).
SymbolGeometry zintGeometry(int zintSymbology, const QByteArray &data);

/// An EAN-13 of 501234567890 (check digit 0 completed by libzint).
SymbolGeometry ean13Geometry();

/// Puts \a symbol on the clipboard the way the renderer does: its geometry, plus an ordinary
/// image of \a imageSize (none when imageSize is empty) and SVG when \a withSvg.
void putSymbolOnClipboard(const SymbolGeometry &symbol, QSize imageSize, bool withSvg = false);

/// Puts only \a image on the clipboard.
void putImageOnClipboard(const QImage &image);

/// A TIFF file as libtiff reads it, independently of the converter.
struct TiffFile {
    bool ok = false;
    QString error;
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

/// Lengths of the runs of black and white pixels along row \a y, from the first black pixel to
/// the last one; black runs at even indices.
QList<int> runsOfRow(const QImage &image, int y);

/// True when the pixel at (x, y) is dark.
bool isBlack(const QImage &image, int x, int y);

/// Number of dark pixels in \a image.
qint64 blackPixels(const QImage &image);

} // namespace Kelbrix::Test
