#include "barcode/edition.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// What each edition is: its code, the title every caption starts with, its help document
// and the type options it hides.
struct EditionInfo {
    Edition edition;
    const char16_t *code;
    const char16_t *title;
    const char16_t *helpFile;
    QStringList hidden;
};

const EditionInfo &info(Edition edition)
{
    static const EditionInfo editions[] = {
        {Edition::Alla, u"ALLA", u"Kelbrix. ", u"Barcode.hlp", {}},
        {Edition::Ean,
         u"EAN",
         u"EAN Kelbrix. ",
         u"BarcodeE.hlp",
         {u"optUPCA"_s, u"optUPCE"_s, u"optUpcEP"_s, u"optSCC14"_s}},
        {Edition::Upc,
         u"UPC",
         u"UPC Kelbrix. ",
         u"BarcodeU.hlp",
         {u"optEAN13"_s, u"optEAN8"_s, u"optISBN"_s, u"optSCC14"_s}},
    };
    for (const EditionInfo &e : editions) {
        if (e.edition == edition)
            return e;
    }
    return editions[0];
}

} // namespace

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
    return QString::fromUtf16(info(edition).code);
}

Edition editionFromCode(const QString &code)
{
    for (Edition edition : {Edition::Ean, Edition::Upc}) {
        if (code == editionCode(edition))
            return edition;
    }
    return Edition::Alla;
}

QString editionTitle(Edition edition)
{
    return QString::fromUtf16(info(edition).title);
}

QString editionHelpFile(Edition edition)
{
    return QString::fromUtf16(info(edition).helpFile);
}

QStringList editionHiddenTypeOptions(Edition edition)
{
    return info(edition).hidden;
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
