#include "render/symbol_encoder.h"

#include <zint.h>

#include <memory>

namespace Kelbrix {

namespace {

// At scale 1 libzint's vector output draws one module as two units.
constexpr double kVectorUnitsPerModule = 2.0;
// The thickness of ITF-14's bearer bars, in modules.
constexpr int kBearerModules = 5;

int zintSymbology(ZintSymbology symbology)
{
    switch (symbology) {
    case ZintSymbology::Code39:
        return BARCODE_CODE39;
    case ZintSymbology::Itf14:
        return BARCODE_ITF14;
    case ZintSymbology::UpcA:
        return BARCODE_UPCA;
    case ZintSymbology::UpcE:
        return BARCODE_UPCE;
    case ZintSymbology::Ean:
        return BARCODE_EANX;
    }
    return BARCODE_EANX;
}

struct ZintDeleter {
    void operator()(zint_symbol *symbol) const { ZBarcode_Delete(symbol); }
};

SymbolGeometry::Text toText(const zint_vector_string &string)
{
    SymbolGeometry::Text text;
    text.x = string.x / kVectorUnitsPerModule;
    text.y = string.y / kVectorUnitsPerModule;
    text.fontSize = string.fsize / kVectorUnitsPerModule;
    // libzint and SymbolGeometry both number the alignments 0 centre, 1 left, 2 right.
    text.alignment = string.halign;
    text.text = QString::fromUtf8(reinterpret_cast<const char *>(string.text), string.length);
    return text;
}

} // namespace

EncodedSymbol encodeSymbol(ZintSymbology symbology, const QString &data, bool showText)
{
    EncodeOptions options;
    options.showText = showText;
    return encodeSymbol(symbology, data, options);
}

EncodedSymbol encodeSymbol(ZintSymbology symbology, const QString &data, const EncodeOptions &options)
{
    EncodedSymbol result;
    const std::unique_ptr<zint_symbol, ZintDeleter> symbol(ZBarcode_Create());
    if (!symbol) {
        result.error = QStringLiteral("libzint could not allocate a symbol");
        return result;
    }
    symbol->symbology = zintSymbology(symbology);
    symbol->show_hrt = options.showText ? 1 : 0;
    if (options.standardHeight)
        symbol->output_options |= COMPLIANT_HEIGHT;
    if (options.quietZones)
        symbol->output_options |= BARCODE_QUIET_ZONES;
    if (options.barModules > 0)
        symbol->height = float(options.barModules);
    // libzint frames ITF-14 with a box of 5 modules by itself. Binding it instead draws the top
    // and bottom bars alone, as thick as the border width; a width of 0 draws none. The quiet
    // zones stay 10 modules on both sides either way.
    if (symbology == ZintSymbology::Itf14 && options.bearers != Bearers::Frame) {
        symbol->output_options |= BARCODE_BIND;
        symbol->border_width = options.bearers == Bearers::TopBottom ? kBearerModules : 0;
    }
    symbol->input_mode = DATA_MODE;

    const QByteArray bytes = data.toUtf8();
    int status =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(bytes.constData()), int(bytes.size()));
    if (status < ZINT_ERROR)
        status = ZBarcode_Buffer_Vector(symbol.get(), 0);
    if (status >= ZINT_ERROR || !symbol->vector) {
        result.error = QString::fromUtf8(symbol->errtxt);
        return result;
    }

    result.ok = true;
    result.humanReadable = QString::fromUtf8(reinterpret_cast<const char *>(symbol->text));
    const zint_vector &vector = *symbol->vector;
    SymbolGeometry &geometry = result.geometry;
    geometry.width = vector.width / kVectorUnitsPerModule;
    geometry.height = vector.height / kVectorUnitsPerModule;
    for (const zint_vector_rect *rect = vector.rectangles; rect; rect = rect->next) {
        // -1 is the foreground colour; the symbologies drawn here use no other.
        if (rect->colour != -1)
            continue;
        geometry.bars.append({rect->x / kVectorUnitsPerModule, rect->y / kVectorUnitsPerModule,
                              rect->width / kVectorUnitsPerModule, rect->height / kVectorUnitsPerModule});
    }
    for (const zint_vector_string *string = vector.strings; string; string = string->next) {
        if (string->rotation != 0)
            continue;
        geometry.texts.append(toText(*string));
        result.textRoom.append(string->width / kVectorUnitsPerModule);
    }
    return result;
}

} // namespace Kelbrix
