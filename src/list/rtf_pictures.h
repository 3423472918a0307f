#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace Kelbrix {

/// The picture kinds rich text stores, as far as the image list reads them.
enum class RtfPictureKind { Png, Jpeg, Dib, Wmf, Unsupported };

/// A picture of a rich-text file turned into an image: the image, or the reason it could not
/// be (then \a skipped says whether the picture is only of a kind the reader cannot show, as
/// a metafile that holds no bitmap, rather than broken).
struct RtfPicture {
    QImage image;
    QString error;
    bool skipped = false;
};

/// Decodes the data of one \pict group of kind \a kind. Sizes are checked against the image
/// list limits, and the memory of the decoded picture against \a bytesLeft (see
/// decodedPictureBytes), before any pixel is allocated; a truncated or malformed picture gives
/// an error.
RtfPicture decodeRtfPicture(RtfPictureKind kind, const QByteArray &data, qint64 bytesLeft);

} // namespace Kelbrix
