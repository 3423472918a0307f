#pragma once

class QPagedPaintDevice;
class QTextDocument;

namespace Kelbrix {

/// Prints the barcode image list, a rich-text document of label pictures, so that every
/// picture comes out at its physical size: its pixels divided by the resolution stored in the
/// image (96 dots per inch when it stores none). The document is laid out on pages of the
/// device's printable area; \a document itself is not changed.
///
/// With \a selectionStart < \a selectionEnd only that part of the document (character
/// positions) is printed. Returns false when the device could not be painted on.
bool printImageList(const QTextDocument &document, QPagedPaintDevice &device, int selectionStart = -1,
                    int selectionEnd = -1);

/// Pages that printImageList gives for \a document on \a device.
int imageListPageCount(const QTextDocument &document, const QPagedPaintDevice &device);

} // namespace Kelbrix
