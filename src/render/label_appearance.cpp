#include "render/label_appearance.h"

#include "render/barcode_renderer.h"

namespace Kelbrix {

QFont LabelAppearance::font() const
{
    QFont result(fontName);
    result.setPointSizeF(fontSize > 0 ? fontSize : 9.0);
    result.setBold(bold);
    result.setItalic(italic);
    return result;
}

void LabelAppearance::setFont(const QFont &font)
{
    fontName = font.family();
    if (font.pointSizeF() > 0)
        fontSize = font.pointSizeF();
    bold = font.bold();
    italic = font.italic();
}

void LabelAppearance::applyTo(BarcodeRenderer &renderer) const
{
    renderer.setFont(font());
    renderer.setBackColor(barcodeBackColor);
    renderer.setPixelAlign(pixelAlign);
    renderer.setRetainAspectRatio(retainAspectRatio);
    renderer.setAlignment(alignment);
    renderer.setSmallFont(smallFont);
    renderer.setBearers(bearers);
}

} // namespace Kelbrix
