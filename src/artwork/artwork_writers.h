#pragma once

#include "base/safe_save.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace Kelbrix {

struct LabelLayout;

enum class ArtworkFormat { Svg, Pdf, Eps };

/// The file name extension of \a format, with its dot: ".svg", ".pdf" or ".eps".
QString artworkSuffix(ArtworkFormat format);

/// The vector format a file name asks for by its extension (.svg, .pdf, .eps, any case);
/// nullopt for every other name.
std::optional<ArtworkFormat> artworkFormatForPath(const QString &path);

/// The artwork (see makeArtwork) in \a format, as the label's vector writers make it.
QByteArray artworkBytes(const LabelLayout &artwork, ArtworkFormat format);

/// Writes the artwork to \a path in \a format through the save helper: a failure leaves an
/// existing file as it was and the result says why.
SaveResult saveArtwork(const QString &path, const LabelLayout &artwork, ArtworkFormat format);

} // namespace Kelbrix
