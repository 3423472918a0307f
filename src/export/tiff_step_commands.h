#pragma once

#include "export/converter_command.h"

#include <QString>
#include <QStringView>

namespace Kelbrix {

struct TiffParameters;

// The converter commands of the TIFF export's steps (see parseConverterCommand()). A target is
// a file path or "clipboard"; every command asks for its line in the converter log (log=1).

/// The target of the clipboard route, on which the picture travels between the steps.
inline constexpr QStringView kClipboardTarget = u"clipboard";

/// The option tail of the render command, which reads the symbol on the clipboard and writes
/// the target named before this tail: the whole part of \a rasterWidth as the raster width in
/// pixels, a one-bit TIFF, \a dpi across and down.
QString tiffRenderOptions(double rasterWidth, int dpi);

/// Enlarges the picture at \a target by \a percent % both ways and gives it \a dpi.
QString enlargeCommand(const QString &target, int percent, int dpi);
/// Rescales the picture at \a target to \a pixels wide, its height as it is.
QString rescaleWidthCommand(const QString &target, qint32 pixels);
/// Rescales the picture at \a target to \a pixels high, its width as it is.
QString rescaleHeightCommand(const QString &target, qint32 pixels);
/// Inverts, mirrors and rotates the picture at \a target as \a parameters ask; empty when
/// they ask for none of that.
QString transformCommand(const QString &target, const TiffParameters &parameters);
/// Writes the picture at \a source to \a dest as a TIFF with \a compression.
QString saveTiffCommand(const QString &source, const QString &dest, TiffCompression compression);
/// Writes the picture on the clipboard to \a dest as a TIFF of \a dpi with \a compression.
QString saveClipboardTiffCommand(const QString &dest, int dpi, TiffCompression compression);
/// Writes the picture at \a source to \a dest as a BMP.
QString saveBitmapCommand(const QString &source, const QString &dest);
/// Writes the picture on the clipboard to \a dest as a two-colour picture of \a dpi.
QString twoColoursFromClipboardCommand(const QString &dest, int dpi);

} // namespace Kelbrix
