#pragma once

#include "render/symbol_geometry.h"

#include <QImage>

namespace Kelbrix::Test {

SymbolGeometry ean13Geometry();

void putSymbolOnClipboard(const SymbolGeometry &symbol, QSize imageSize);

struct TiffFile {
    bool ok = false;
    quint32 width = 0;
    quint32 height = 0;
    quint16 bitsPerSample = 0;
    quint16 samplesPerPixel = 0;
    quint16 photometric = 0;
    quint16 compression = 0;
    quint16 resolutionUnit = 0;
    float xResolution = 0;
    float yResolution = 0;
    QImage image;
};

TiffFile readTiffFile(const QString &path, bool decode = true);

bool isBlack(const QImage &image, int x, int y);

QByteArray fileBytes(const QString &path);

bool writeFileBytes(const QString &path, const QByteArray &bytes);

} // namespace Kelbrix::Test
