// libFuzzer entry point for the rich-text reader of the barcode image list. Besides crashes,
// hangs and sanitizer reports it checks what must hold for any input: the reader keeps within
// its caps, and whatever it accepted the writer writes so that it reads back the same.

#include "list/image_list_document.h"

#include <cstdint>
#include <cstdlib>

using namespace Kelbrix;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const RtfReadResult read = readRtf(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QList<ImageListPart> pictures = read.document.pictures();
    require(pictures.size() <= ImageListLimits::MaxPictures);
    require(read.document.text().size() <= ImageListLimits::MaxTextLength);
    for (const ImageListPart &picture : pictures) {
        require(!picture.image.isNull());
        require(picture.image.width() <= ImageListLimits::MaxPictureSide);
        require(picture.image.height() <= ImageListLimits::MaxPictureSide);
        require(picture.widthTwips >= 0 && picture.heightTwips >= 0);
    }

    const RtfReadResult again = readRtf(writeRtf(read.document));
    require(again.ok());
    require(again.document.text() == read.document.text());
    const QList<ImageListPart> written = again.document.pictures();
    require(written.size() == pictures.size());
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        require(written[i].image.size() == pictures[i].image.size());
        require(qRound(written[i].widthTwips) == qRound(pictures[i].widthTwips));
    }
    return 0;
}
