#include "matrix_checks.h"

namespace Kelbrix::Test {

double matrixModulePixels(const QImage &picture, const MatrixReading &reading)
{
    const int y = reading.box.top() + 1;
    if (reading.format.contains(u"QR")) {
        int x = reading.box.left();
        while (x < picture.width() && qGray(picture.pixel(x, y)) < 128)
            ++x;
        return (x - reading.box.left()) / 7.0;
    }
    int runs = 0;
    bool dark = false;
    for (int x = reading.box.left(); x <= reading.box.right(); ++x) {
        const bool now = qGray(picture.pixel(x, y)) < 128;
        if (now != dark || x == reading.box.left())
            ++runs;
        dark = now;
    }
    return double(reading.box.width() + 1) / runs;
}

bool quietZoneWhole(const QImage &picture, const QRect &box, int quiet)
{
    const QRect ring = box.adjusted(-quiet, -quiet, quiet, quiet);
    if (!picture.rect().contains(ring))
        return false;
    // The corners ZXing gives may sit half a module inside the symbol's edge.
    const QRect inner = box.adjusted(-1, -1, 1, 1);
    for (int y = ring.top(); y <= ring.bottom(); ++y)
        for (int x = ring.left(); x <= ring.right(); ++x)
            if (!inner.contains(x, y) && qGray(picture.pixel(x, y)) < 128)
                return false;
    return true;
}

} // namespace Kelbrix::Test
