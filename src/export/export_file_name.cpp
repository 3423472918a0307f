#include "export/export_file_name.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// Characters that cannot stand in a file name on every system the files travel to, and control
// characters (ESC, BEL, ...), which no file name should hold.
QString withoutUnsafeCharacters(QString text, bool dropDashes)
{
    constexpr QStringView unsafe = u"/\\:*?\"<>|";
    text.removeIf([&](QChar c) {
        return unsafe.contains(c) || c.category() == QChar::Other_Control || (dropDashes && c == u'-');
    });
    return text;
}

} // namespace

QString exportFileName(const QString &folder, const QString &product, const QString &barcode, int copy, int copyDigits,
                       QStringView suffix)
{
    return folder + u'/' + withoutUnsafeCharacters(product, true) + u'_' + withoutUnsafeCharacters(barcode, false) +
           u'_' + QString::number(copy).rightJustified(copyDigits, u'0') + suffix.toString();
}

} // namespace Kelbrix
