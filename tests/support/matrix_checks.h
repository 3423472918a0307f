#pragma once

#include "verify/symbol_reader.h"

#include <QImage>
#include <QRect>

namespace Kelbrix::Test {

/// The width of one module of the 2D symbol \a reading found in \a picture, in pixels: the
/// symbol's width over the runs of light and dark modules along its top edge (Data Matrix: its
/// timing pattern alternates every module; QR Code: the finder pattern's top row is 7 modules).
double matrixModulePixels(const QImage &picture, const MatrixReading &reading);

/// Whether every pixel of the ring \a quiet pixels wide around \a box is light, and the ring lies
/// inside \a picture.
bool quietZoneWhole(const QImage &picture, const QRect &box, int quiet);

} // namespace Kelbrix::Test
