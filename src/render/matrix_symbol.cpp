#include "render/matrix_symbol.h"

#include <zint.h>

#include <memory>

namespace Kelbrix {

namespace {

struct ZintDeleter {
    void operator()(zint_symbol *symbol) const { ZBarcode_Delete(symbol); }
};

} // namespace

bool carriesDigitalLink(MatrixCarrier carrier)
{
    return carrier == MatrixCarrier::DigitalLinkQr || carrier == MatrixCarrier::DigitalLinkDataMatrix;
}

int quietZoneModules(MatrixCarrier carrier)
{
    return carrier == MatrixCarrier::DigitalLinkQr ? 4 : 1;
}

MatrixEncoding encodeMatrix(MatrixCarrier carrier, const QString &content)
{
    MatrixEncoding result;
    if (carrier == MatrixCarrier::None || content.isEmpty()) {
        result.error = QStringLiteral("nothing to encode");
        return result;
    }
    const std::unique_ptr<zint_symbol, ZintDeleter> symbol(ZBarcode_Create());
    if (!symbol) {
        result.error = QStringLiteral("libzint could not allocate a symbol");
        return result;
    }
    symbol->symbology = carrier == MatrixCarrier::DigitalLinkQr ? BARCODE_QRCODE : BARCODE_DATAMATRIX;
    symbol->input_mode = carrier == MatrixCarrier::Gs1DataMatrix ? (GS1_MODE | GS1PARENS_MODE) : DATA_MODE;
    symbol->warn_level = WARN_FAIL_ALL;
    if (carrier != MatrixCarrier::DigitalLinkQr)
        symbol->option_3 = DM_SQUARE;
    const QByteArray bytes = content.toUtf8();
    const int status =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(bytes.constData()), int(bytes.size()));
    if (status != 0 || symbol->rows <= 0 || symbol->width <= 0) {
        result.error = QString::fromUtf8(symbol->errtxt);
        if (result.error.isEmpty())
            result.error = QStringLiteral("libzint made no symbol");
        return result;
    }
    MatrixSymbol &made = result.symbol;
    made.carrier = carrier;
    made.content = content;
    made.columns = symbol->width;
    made.rows = symbol->rows;
    made.modules.reserve(qsizetype(made.columns) * made.rows);
    // libzint keeps each row's modules as bits, the first module in the lowest bit.
    for (int row = 0; row < made.rows; ++row)
        for (int column = 0; column < made.columns; ++column)
            made.modules.append((symbol->encoded_data[row][column >> 3] >> (column & 7)) & 1);
    return result;
}

} // namespace Kelbrix
