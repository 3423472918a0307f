#pragma once

#include "render/barcode_renderer.h"

#include <QColor>
#include <QFont>
#include <QString>

namespace Kelbrix {

/// The look every barcode renderer of the program shares: the font of the digits and of the
/// label texts, the two background colours, pixel alignment, aspect ratio, alignment, small
/// digits and the bearer bars of SCC-14. The size window edits one of these; each window that
/// owns a renderer applies it with applyTo() whenever it changes, so a renderer never keeps a
/// look of its own.
///
/// A plain value: copy it, compare it, hand it around.
struct LabelAppearance {
    static constexpr int kAlignLeft = kSymbolAlignLeft;
    static constexpr int kAlignCentre = kSymbolAlignCentre;
    static constexpr int kAlignRight = kSymbolAlignRight;

    QString fontName = QStringLiteral("Arial");
    double fontSize = 9; ///< points
    bool bold = false;
    bool italic = false;
    QColor barcodeBackColor = Qt::white; ///< background of every renderer's symbol
    QColor textBackColor = Qt::white;    ///< background of the product line strip
    bool pixelAlign = true;              ///< every module a whole number of pixels
    bool retainAspectRatio = true;       ///< natural proportions, as large as fits
    int alignment = kAlignCentre;        ///< kAlignLeft, kAlignCentre or kAlignRight
    bool smallFont = false;              ///< digits at three quarters of the font size
    Bearers bearers = Bearers::Frame;    ///< SCC-14's bearer bars

    /// The font: \a fontName at \a fontSize points, bold and italic as set. Where the named
    /// font is not installed Qt's font matching draws with the nearest one; family() still
    /// gives the name as stored.
    QFont font() const;
    /// Takes name, point size, bold and italic from \a font.
    void setFont(const QFont &font);

    /// Gives \a renderer this look: font, background, pixel alignment, ratio, alignment, small
    /// digits and bearer bars. Its symbology, data, size and digit visibility stay as they are.
    void applyTo(BarcodeRenderer &renderer) const;

    friend bool operator==(const LabelAppearance &, const LabelAppearance &) = default;
};

} // namespace Kelbrix
