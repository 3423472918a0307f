#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

class QMimeData;

namespace Kelbrix {

/// A label as it leaves the program through the clipboard or a drag.
struct LabelData {
    QImage image;          ///< full resolution, its dots per metre set
    double widthTwips = 0; ///< the size it is printed at
    double heightTwips = 0;
    QByteArray svg; ///< the label as drawing, when there is one
};

/// The formats other programs read a label from: PNG ("image/png"), a Windows bitmap
/// ("image/bmp"), Qt's own image type, SVG when the label has a drawing, and the program's own
/// size record, so a label pasted back into the image list keeps its size exactly.
QMimeData *labelMimeData(const LabelData &label);

/// The size in twips that \a data carries for its image: the program's own size record, else
/// the image's pixels at its resolution (96 dpi when it has none).
std::optional<std::pair<double, double>> labelSizeOf(const QMimeData *data, const QImage &image);

} // namespace Kelbrix
