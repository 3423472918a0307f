#include "artwork/artwork_writers.h"

#include "label/label_layout.h"
#include "label/vector_writers.h"

#include <QFileInfo>
#include <QIODevice>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

QString artworkSuffix(ArtworkFormat format)
{
    switch (format) {
    case ArtworkFormat::Svg:
        return u".svg"_s;
    case ArtworkFormat::Pdf:
        return u".pdf"_s;
    case ArtworkFormat::Eps:
        return u".eps"_s;
    }
    return {};
}

std::optional<ArtworkFormat> artworkFormatForPath(const QString &path)
{
    const QString suffix = u'.' + QFileInfo(path).suffix().toLower();
    for (const ArtworkFormat format : {ArtworkFormat::Svg, ArtworkFormat::Pdf, ArtworkFormat::Eps}) {
        if (suffix == artworkSuffix(format))
            return format;
    }
    return std::nullopt;
}

QByteArray artworkBytes(const LabelLayout &artwork, ArtworkFormat format)
{
    switch (format) {
    case ArtworkFormat::Svg:
        return svgLabel(artwork);
    case ArtworkFormat::Pdf:
        return pdfLabel(artwork);
    case ArtworkFormat::Eps:
        return epsLabel(artwork);
    }
    return {};
}

SaveResult saveArtwork(const QString &path, const LabelLayout &artwork, ArtworkFormat format)
{
    const QByteArray bytes = artworkBytes(artwork, format);
    return saveFileSafely(path,
                          [&](QIODevice &device) { return !bytes.isEmpty() && device.write(bytes) == bytes.size(); });
}

} // namespace Kelbrix
