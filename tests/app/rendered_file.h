#pragma once

// A written label file as a user's tools show it: TIFF and BMP as they are, SVG through
// rsvg-convert, PDF through pdftoppm and EPS through Ghostscript, each rendered at 600 dpi.

#include "export/converter_io.h"

#include <QImage>
#include <QProcess>
#include <QString>

#include <utility>

namespace Kelbrix::Test {

inline constexpr double kRenderedDpi = 600;

/// \a file as a picture, and its resolution in dots per inch.
inline std::pair<QImage, double> renderedFile(const QString &file)
{
    const QString lower = file.toLower();
    if (lower.endsWith(QLatin1String(".tif")) || lower.endsWith(QLatin1String(".bmp"))) {
        const SourceContent read = readImageFile(file);
        return {read.picture.image.convertToFormat(QImage::Format_RGB32), read.picture.xDpi};
    }
    const QString png = file + QLatin1String(".png");
    const QString dpi = QString::number(kRenderedDpi);
    if (lower.endsWith(QLatin1String(".svg")))
        QProcess::execute(QStringLiteral("rsvg-convert"),
                          {QStringLiteral("-d"), dpi, QStringLiteral("-p"), dpi, QStringLiteral("-b"),
                           QStringLiteral("white"), QStringLiteral("-o"), png, file});
    else if (lower.endsWith(QLatin1String(".pdf")))
        QProcess::execute(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-r"), dpi, QStringLiteral("-gray"), QStringLiteral("-png"),
                           QStringLiteral("-singlefile"), file, file});
    else
        QProcess::execute(QStringLiteral("gs"),
                          {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"),
                           QStringLiteral("-dNOPAUSE"), QStringLiteral("-dEPSCrop"), QStringLiteral("-sDEVICE=pnggray"),
                           QStringLiteral("-r") + dpi, QStringLiteral("-o"), png, file});
    return {QImage(png).convertToFormat(QImage::Format_RGB32), kRenderedDpi};
}

} // namespace Kelbrix::Test
