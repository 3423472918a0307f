#pragma once

#include "base/safe_save.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <QString>

class QIODevice;

namespace Kelbrix {

/// Limits that protect the rich-text reader against absurd or hostile files. Reading stops
/// at the first limit reached, with a message that names it; what was read before stays.
namespace ImageListLimits {
/// Bytes in one file (a label at 600 dpi is a few tens of kilobytes as PNG).
inline constexpr qint64 MaxFileSize = 64 * 1024 * 1024;
/// Groups open at the same time.
inline constexpr int MaxDepth = 200;
/// Pixels on either side of one picture, declared or stored.
inline constexpr int MaxPictureSide = 16384;
/// Pixels of one picture.
inline constexpr qint64 MaxPicturePixels = 25'000'000;
/// Bytes of data of one picture.
inline constexpr qsizetype MaxPictureBytes = 16 * 1024 * 1024;
/// Display size of one picture, twips on either side (10 metres is no label).
inline constexpr int MaxPictureTwips = 1440 * 400;
/// Pictures in one document.
inline constexpr qsizetype MaxPictures = 10000;
/// Characters of text in one document.
inline constexpr qsizetype MaxTextLength = 8 * 1024 * 1024;
/// Memory the decoded pictures of one document take together (see decodedPictureBytes): a
/// few pictures that are each allowed must not add up to more than the program can hold.
inline constexpr qint64 MaxDecodedBytes = 256 * 1024 * 1024;
} // namespace ImageListLimits

/// Bytes a picture of \a width x \a height pixels of \a depth bits takes once the reader has
/// decoded it: pictures of more than 8 bits a pixel come back with at least 32, rows are whole
/// 32-bit words.
qint64 decodedPictureBytes(qint64 width, qint64 height, int depth);

/// Why a picture of \a pixels shown \a widthTwips x \a heightTwips cannot join a document that
/// holds \a pictures pictures taking \a decodedBytes: a size the reader refuses, or one picture
/// too many or too large for the whole. Empty when it can. Pictures that are only too many
/// pixels are first made smaller with pictureWithinLimits().
QString refusedPicture(const QImage &picture, double widthTwips, double heightTwips, qsizetype pictures,
                       qint64 decodedBytes);

/// \a picture scaled down, keeping its proportions, to the pixels the reader takes (16384 a
/// side, 25,000,000 in all); \a picture itself when it fits.
QImage pictureWithinLimits(const QImage &picture);

/// One piece of the barcode image list: a run of text (paragraphs separated by '\n') or a
/// picture with its full-resolution image and the size it is shown and printed at.
struct ImageListPart {
    enum class Kind { Text, Picture };
    Kind kind = Kind::Text;
    QString text;
    QImage image;
    double widthTwips = 0;
    double heightTwips = 0;

    bool isPicture() const { return kind == Kind::Picture; }
    static ImageListPart textPart(const QString &text);
    static ImageListPart picturePart(const QImage &image, double widthTwips, double heightTwips);
};

/// The barcode image list as plain data: text and pictures in document order. Neighbouring
/// text is kept as one part.
class ImageListDocument {
public:
    const QList<ImageListPart> &parts() const { return m_parts; }
    bool isEmpty() const { return m_parts.isEmpty(); }
    void clear() { m_parts.clear(); }
    void appendText(const QString &text);
    void appendPicture(const QImage &image, double widthTwips, double heightTwips);
    /// The picture parts, in document order.
    QList<ImageListPart> pictures() const;
    /// All text of the document.
    QString text() const;

private:
    QList<ImageListPart> m_parts;
};

/// The document as rich text: pictures as PNG (\pict\pngblip) with their size in pixels and,
/// in \picwgoal/\pichgoal, the twips they are shown at; text as text in the Windows-1252 code
/// page, characters outside it as \u escapes. Empty when a picture cannot be stored as PNG.
QByteArray writeRtf(const ImageListDocument &document);

/// Saves \a document as the rich-text file \a path through the save helper: a failure, a
/// picture that cannot be stored included, leaves the old file as it was and the result names
/// the file.
SaveResult saveRtfFile(const QString &path, const ImageListDocument &document);

/// What the rich-text reader produced. Reading stops at the first error; the parts read
/// before it are kept.
struct RtfReadResult {
    ImageListDocument document;
    QString message;         ///< a sentence for the user naming the problem; empty on success
    int skippedPictures = 0; ///< pictures of kinds this reader does not show (EMF, PICT, ...)

    bool ok() const { return message.isEmpty(); }
};

/// Reads rich text holding pictures and text: pictures as \pngblip, \jpegblip, \dibitmap and
/// \wmetafile with a device-independent bitmap inside, each as hex or \bin data; text with
/// \par, \line, \tab, \'hh and \u escapes. Font, colour and style tables, fields' codes and
/// every group marked \* that the reader does not know are skipped. Groups are tracked on an
/// explicit stack, so nesting costs no call depth; each cap of ImageListLimits gives a message.
RtfReadResult readRtf(QByteArrayView data);

/// The same for the file at \a path; a missing, unreadable or too large file gives a message
/// naming it.
RtfReadResult readRtfFile(const QString &path);

} // namespace Kelbrix
