#pragma once

#include "artwork/artwork_options.h"
#include "barcode/edition.h"
#include "cli/headless_export.h"
#include "size/bar_size_settings.h"

#include <QList>

namespace Kelbrix {

/// The export of \a request when it asks for a 2D symbol: one file of each copy of each record in
/// \a numbers, a 1-bit TIFF at \a dpi or the artwork in the request's vector format, each with the
/// label's 2D symbol beside its linear one (or alone). Every label gets its own serial when the
/// request numbers them. Each picture is read back before it is written: a label whose symbols do
/// not scan to exactly the data asked for, whose data the GS1 rules refuse, or whose 2D symbol lies
/// too far from the linear one is named on the standard error and not written. Prints each file
/// and a final count, with the serials given. Returns 0 when every label was written, else 1.
int exportMatrixLabels(const QList<ListRecord> &records, const QList<int> &numbers, const ExportRequest &request,
                       Edition edition, const BarSizeSettings &size, const ArtworkOptions &options, int dpi,
                       TiffCompression compression, int copies);

} // namespace Kelbrix
