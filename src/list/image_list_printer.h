#pragma once

class QPagedPaintDevice;
class QTextDocument;

namespace Kelbrix {

/// How the pictures of an image list get their size on paper.
struct ImageListPrintOptions {
    /// The resolution of the view that shows the document: a picture whose format gives the
    /// size it is shown at is printed at that size read at this resolution, so it comes out as
    /// large as the view says it is. 0: formats give no physical size.
    double shownDotsPerInch = 0;
    /// Character positions of the part to print; the whole document when start >= end.
    int selectionStart = -1;
    int selectionEnd = -1;
};

/// Prints the barcode image list, a rich-text document of label pictures, so that every
/// picture comes out at its physical size: the size its format shows it at (see
/// ImageListPrintOptions::shownDotsPerInch), or else its pixels divided by the resolution
/// stored in the image (96 dots per inch when it stores none). The document is laid out on
/// pages of the device's printable area; \a document itself is not changed.
/// Returns false when the device could not be painted on.
bool printImageList(const QTextDocument &document, QPagedPaintDevice &device,
                    const ImageListPrintOptions &options = {});

/// Pages that printImageList gives for \a document on \a device.
int imageListPageCount(const QTextDocument &document, const QPagedPaintDevice &device,
                       const ImageListPrintOptions &options = {});

} // namespace Kelbrix
