#include "barcode/edition.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

Edition buildEdition()
{
#ifdef KELBRIX_EDITION_DEFAULT
    return editionFromCode(QString::fromLatin1(KELBRIX_EDITION_DEFAULT));
#else
    return Edition::Alla;
#endif
}

QString editionCode(Edition edition)
{
    switch (edition) {
    case Edition::Ean:
        return u"EAN"_s;
    case Edition::Upc:
        return u"UPC"_s;
    case Edition::Alla:
        break;
    }
    return u"ALLA"_s;
}

Edition editionFromCode(const QString &code)
{
    if (code == u"EAN"_s)
        return Edition::Ean;
    if (code == u"UPC"_s)
        return Edition::Upc;
    return Edition::Alla;
}

QString editionTitle(Edition edition)
{
    switch (edition) {
    case Edition::Ean:
        return u"EAN Kelbrix. "_s;
    case Edition::Upc:
        return u"UPC Kelbrix. "_s;
    case Edition::Alla:
        break;
    }
    return u"Kelbrix. "_s;
}

QString editionHelpFile(Edition edition)
{
    switch (edition) {
    case Edition::Ean:
        return u"BarcodeE.hlp"_s;
    case Edition::Upc:
        return u"BarcodeU.hlp"_s;
    case Edition::Alla:
        break;
    }
    return u"Barcode.hlp"_s;
}

QStringList editionHiddenTypeOptions(Edition edition)
{
    switch (edition) {
    case Edition::Ean:
        return {u"optUPCA"_s, u"optUPCE"_s, u"optUpcEP"_s, u"optSCC14"_s};
    case Edition::Upc:
        return {u"optEAN13"_s, u"optEAN8"_s, u"optISBN"_s, u"optSCC14"_s};
    case Edition::Alla:
        break;
    }
    return {};
}

bool typeCodeBelongsToEdition(const QString &typeCode, Edition edition)
{
    if (typeCode.isEmpty())
        return true;
    const QChar first = typeCode.front();
    if (edition == Edition::Ean)
        return first != u'U';
    if (edition == Edition::Upc)
        return first != u'E' && first != u'I';
    return true;
}

} // namespace Kelbrix
