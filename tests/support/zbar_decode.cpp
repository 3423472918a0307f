#include "zbar_decode.h"

#include <QStringList>

namespace Kelbrix::Test {

QList<DecodedSymbol> decodeSymbols(const QImage &image)
{
    return readSymbols(image);
}

QString decodedText(const QImage &image)
{
    QStringList parts;
    for (const DecodedSymbol &s : decodeSymbols(image))
        parts.append(s.data);
    return parts.join(QLatin1Char('|'));
}

} // namespace Kelbrix::Test
