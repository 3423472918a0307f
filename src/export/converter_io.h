#pragma once

#include "export/converter_command.h"
#include "export/converter_image.h"
#include "render/symbol_geometry.h"

#include <QSize>
#include <QString>

class QIODevice;

#include <optional>

namespace Kelbrix {

/// What a command's source gave.
struct SourceContent {
    int result = 0;                       ///< 0 or a ConverterResult code
    ConverterImage picture;               ///< null image when the source held only a symbol
    std::optional<SymbolGeometry> symbol; ///< a symbol the clipboard carries as geometry
    QSize shown;                          ///< the picture size the symbol was copied for, when no picture came with it
    QString problem;                      ///< what went wrong, naming the file; empty on success
    QString note;                         ///< what was replaced on reading (a resolution out of range)
};

/// Reads the image file \a path: TIFF (by its first bytes, with libtiff), BMP or PNG (with Qt).
/// FileNotFound when it does not exist, ReadError when it is no regular file (a folder, FIFO or
/// device is never opened, so nothing can wait on it) or damaged or unreadable,
/// UnsupportedImageFormat for anything else and for a BMP whose pixels lie past its end,
/// ImageTooLarge beyond the memory budget (judged from the header, before decoding).
SourceContent readImageFile(const QString &path);

/// Reads an image held in memory as readImageFile reads a file; \a name names it in problems.
SourceContent readImageBytes(const QByteArray &bytes, const QString &name);

/// Reads the clipboard: the symbol geometry of kSymbolMimeType when present, and the picture
/// ("image/tiff" first, then the ordinary image). NoClipboardImage when it holds neither, or
/// when the program has no clipboard (no QGuiApplication).
SourceContent readClipboard();

/// Writes \a picture to the file \a path as \a type (Tiff or Bmp) through saveFileSafely, so a
/// failure leaves an old file untouched. The picture must already be in the form the type
/// needs (one-bit for TIFF). 0 or WriteError.
int writeImageFile(const QString &path, const ConverterImage &picture, OutputType type, TiffCompression compression,
                   QString *problem);

/// Flushes a file device's buffer and checks that every byte was taken; true for other
/// devices. Used inside saveFileSafely writers before the file is committed.
bool flushedToDisk(QIODevice &device, QString *problem);

/// Puts \a picture on the clipboard as an ordinary image and, for TIFF output, also as
/// "image/tiff" bytes, so the next command reads back the same bits, resolution and
/// compression. 0, or WriteError when there is no clipboard or the TIFF cannot be made.
int writeClipboard(const ConverterImage &picture, OutputType type, TiffCompression compression, QString *problem);

} // namespace Kelbrix
