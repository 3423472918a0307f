#include "size/preview_samples.h"

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// Minimum sizes of the families, in millimetres (width, height).
const QSizeF kEan13Minimum(48, 19);
const QSizeF kEan8Minimum(32, 19);
const QSizeF kIsbnMinimum(48, 24);
const QSizeF kUpcAMinimum(45, 19);
const QSizeF kUpcEMinimum(26, 19);

} // namespace

QString PreviewSample::hint() const
{
    if (isCode39())
        return QCoreApplication::translate("frmBarSize",
                                           "Code 39 or Code 3 of 9: Only the Height is used as the Width is flexible");
    return typeName + QCoreApplication::translate("frmBarSize", ": Look how the Barcode fits the label.");
}

const QList<PreviewSample> &previewSamples()
{
    static const QList<PreviewSample> samples{
        {u"optEAN13"_s, u"EAN &13"_s, u"EAN 13"_s, 11, u"123456789012"_s, {}, kEan13Minimum},
        {u"optEan132"_s, u"EAN 13 + 2 Digit"_s, u"EAN 13 + 2 Digit"_s, 12, u"123456789012"_s, u"12"_s, kEan13Minimum},
        {u"optEan135"_s, u"EAN 13 + 5 Digit"_s, u"EAN 13 + 5 Digit"_s, 13, u"123456789012"_s, u"12345"_s,
         kEan13Minimum},
        {u"optEAN8"_s, u"EAN 8"_s, u"EAN 8"_s, 14, u"1234567"_s, {}, kEan8Minimum},
        {u"optEan82"_s, u"EAN 8 + 2 Digit"_s, u"EAN 8 + 2 Digit"_s, 15, u"1234567"_s, u"12"_s, kEan8Minimum},
        {u"optEan85"_s, u"EAN 8 + 5 Digit"_s, u"EAN 8 + 5 Digit"_s, 16, u"1234567"_s, u"12345"_s, kEan8Minimum},
        {u"optISBN"_s, u"ISBN"_s, u"ISBN"_s, 11, u"978157169006"_s, {}, kIsbnMinimum},
        {u"optISBN5"_s, u"ISBN + 5 Digit"_s, u"ISBN + 5 Digit"_s, 13, u"978157169006"_s, u"12345"_s, kIsbnMinimum},
        {u"optSCC14"_s, u"SCC-14"_s, u"SCC-14"_s, 2, u"30012345678906"_s, {}, {}},
        {u"optUPCA"_s, u"UPC A"_s, u"UPC A"_s, 5, u"12345678901"_s, {}, kUpcAMinimum},
        {u"optUPCA2"_s, u"UPC A + 2 Digit"_s, u"UPC A + 2 Digit"_s, 6, u"12345678901"_s, u"12"_s, kUpcAMinimum},
        {u"optUPCA5"_s, u"UPC A + 5 Digit"_s, u"UPC A + 5 Digit"_s, 7, u"12345678901"_s, u"12345"_s, kUpcAMinimum},
        {u"optUPCE"_s, u"UPC E"_s, u"UPC E"_s, 8, u"0123456"_s, {}, kUpcEMinimum},
        {u"optUPCE2"_s, u"UPC E + 2 Digit"_s, u"UPC E + 2 Digit"_s, 9, u"1234567"_s, u"12"_s, kUpcEMinimum},
        {u"optUPCE5"_s, u"UPC E + 5 Digit"_s, u"UPC E + 5 Digit"_s, 10, u"1234567"_s, u"12345"_s, kUpcEMinimum},
        {u"optCode39"_s, u"Code 39"_s, u"Code 39"_s, 0, u"12345"_s, {}, {}},
    };
    return samples;
}

const PreviewSample &previewSample(const QString &option)
{
    for (const PreviewSample &sample : previewSamples()) {
        if (sample.option == option)
            return sample;
    }
    return previewSamples().front();
}

} // namespace Kelbrix
