#pragma once

#include "base/safe_save.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace Kelbrix {

struct Artwork;

enum class ArtworkFormat { Svg, Pdf, Eps };

/// The file name extension of \a format, with its dot: ".svg", ".pdf" or ".eps".
QString artworkSuffix(ArtworkFormat format);

/// The vector format a file name asks for by its extension (.svg, .pdf, .eps, any case);
/// nullopt for every other name.
std::optional<ArtworkFormat> artworkFormatForPath(const QString &path);

/// The artwork as an SVG document: width and height in millimetres, a view box in millimetres,
/// the bars as rectangles and the texts as outlines.
QByteArray svgArtwork(const Artwork &artwork);

/// The artwork as Encapsulated PostScript: %%BoundingBox in whole points and %%HiResBoundingBox,
/// both exactly the label's size, the bars as rectangles and the texts as outlines.
QByteArray epsArtwork(const Artwork &artwork);

/// The artwork as a one-page PDF whose page is the label's size, the bars as rectangles and the
/// texts as text in their font, which the file embeds. Empty when Qt could not make it.
QByteArray pdfArtwork(const Artwork &artwork);

/// The artwork in \a format.
QByteArray artworkBytes(const Artwork &artwork, ArtworkFormat format);

/// Writes the artwork to \a path in \a format through the save helper: a failure leaves an
/// existing file as it was and the result says why.
SaveResult saveArtwork(const QString &path, const Artwork &artwork, ArtworkFormat format);

} // namespace Kelbrix
