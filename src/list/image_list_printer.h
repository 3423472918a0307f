#pragma once

#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
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

/// The barcode image list laid out once on the pages of a device, so that its pages can be
/// painted one at a time and in any order (a preview paints only the page it shows). The
/// pictures get their physical size as printImageList describes; the document given is not
/// changed and not needed afterwards.
class ImageListPages {
public:
    ImageListPages(const QTextDocument &document, const QPagedPaintDevice &device,
                   const ImageListPrintOptions &options = {});
    ~ImageListPages();
    ImageListPages(const ImageListPages &) = delete;
    ImageListPages &operator=(const ImageListPages &) = delete;

    int pageCount() const;
    /// Paints page \a page (from 0) with \a painter at the resolution of \a device: the printer
    /// the layout was made for, or an image of its printable area in a preview.
    void paintPage(QPainter &painter, const QPaintDevice &device, int page) const;

private:
    std::unique_ptr<QTextDocument> m_layout;
};

/// Prints the barcode image list, a rich-text document of label pictures, so that every
/// picture comes out at its physical size: the size its format shows it at (see
/// ImageListPrintOptions::shownDotsPerInch), or else its pixels divided by the resolution
/// stored in the image (96 dots per inch when it stores none). The document is laid out on
/// pages of the device's printable area; \a document itself is not changed.
/// \a progress, when given, is told after each page the pages printed and the pages in all, and
/// returns false to stop; printing then ends after that page.
/// Returns false when the device could not be painted on or printing was stopped.
bool printImageList(const QTextDocument &document, QPagedPaintDevice &device, const ImageListPrintOptions &options = {},
                    const std::function<bool(int printed, int total)> &progress = {});

/// Pages that printImageList gives for \a document on \a device.
int imageListPageCount(const QTextDocument &document, const QPagedPaintDevice &device,
                       const ImageListPrintOptions &options = {});

} // namespace Kelbrix
