#pragma once

#include "export/display_modes.h"
#include "render/symbol_geometry.h"
#include "test_helpers.h"

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

/// A display whose modes can be switched, as on Windows: 1024x768 at 8, 16, 24 and 32 bits,
/// running at \a bits until a change picks another of them. With \a switches false it is fixed
/// in that one mode, as under X11 or Wayland.
class SwitchingDisplay final : public DisplayModes {
public:
    explicit SwitchingDisplay(int bits = 32, bool switches = true) : now{1024, 768, bits}, switches(switches) {}
    DisplayMode now;
    bool switches;
    QList<DisplayMode> modes() const override;
    DisplayMode current() const override { return now; }
    int change(const DisplayMode &mode) override;
    bool restartSystem() override { return false; }
    bool canSwitchModes() const override { return switches; }
};

} // namespace Kelbrix::Test
