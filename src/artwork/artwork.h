#pragma once

#include "artwork/artwork_options.h"
#include "label/label_layout.h"

#include <QString>

#include <optional>

namespace Kelbrix {

/// What a label's artwork is made of: the label as the main view describes it (its renderer
/// holding the symbol, the ISBN header, the product line, the appearance) and how its symbol is
/// sized.
struct ArtworkRequest {
    LabelDescription label;
    ArtworkOptions options;
    /// A defined width in millimetres that the symbol with its quiet zones is to fill: the
    /// X-dimension follows from it in place of the magnification or the set X-dimension.
    /// 0: none.
    double definedWidthMm = 0;
};

/// The artwork of \a request: the label laid out as print artwork (LabelForm::Artwork), its
/// symbol at the X-dimension the options give. Its size holds the symbol with the full quiet
/// zones of its type, the ISBN header above it and the product line below it, widened to whole
/// points (at most 1/72 inch, shared equally on both sides) so that every format, the PDF's page
/// included, has exactly that size. nullopt, with a message for the user in \a error, when the
/// options cannot make it (ArtworkOptions::problem) or the renderer holds no symbol.
std::optional<LabelLayout> makeArtwork(const ArtworkRequest &request, QString *error);

} // namespace Kelbrix
