#pragma once

#include "gs1/element_string.h"
#include "render/gs1_128_symbol.h"

#include <QList>
#include <QMap>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <optional>

namespace Kelbrix {

/// The sizes of GS1 logistic labels Kelbrix makes, all portrait.
enum class LogisticSize { A6, A5, Inch4x6 };

/// The page of \a size in millimetres: 105 x 148, 148 x 210 or 101.6 x 152.4.
QSizeF logisticPageMm(LogisticSize size);
/// "a6", "a5" and "4x6", as the command line and the settings write them.
QString logisticSizeName(LogisticSize size);
std::optional<LogisticSize> logisticSizeFromName(const QString &name);

/// The data title a logistic label shows above the value of \a ai, in English as GS1's
/// logistic label guideline has them: "SSCC", "CONTENT", "COUNT", "BATCH", "BEST BEFORE
/// (dd.mm.yyyy)", "NET WEIGHT (kg)", and GS1's own title for the other AIs.
QString defaultLogisticTitle(const QString &ai);

/// \a element's value as the label's text shows it: dates as dd.mm.yyyy (mm.yyyy for day 00),
/// weights and measures with their decimal point, an SSCC in its parts when its company prefix
/// has \a ssccPrefixLength digits, everything else as it is.
QString logisticValueText(const Gs1Element &element, int ssccPrefixLength = 0);

/// What a logistic label is made of.
struct LogisticLabelRequest {
    LogisticSize size = LogisticSize::A6;
    QString supplier;              ///< the top block, free in form: name and address, a line each
    QString customer;              ///< an optional block below it
    QString carrier;               ///< an optional block below that
    QList<Gs1Element> elements;    ///< the data, with the SSCC (00)
    QMap<QString, QString> titles; ///< the user's own data titles, by AI, in place of the defaults
    int ssccPrefixLength = 0;      ///< the company prefix's digits in the SSCC, when known
    double moduleMm = kGs1_128MinimumModuleMm;
    double barHeightMm = kGs1_128HeightMm; ///< lowered where the label has no room, down to the short height
};

/// One line of text on the label, in millimetres from the label's top left.
struct LogisticText {
    enum class Role { Block, Title, Value, HumanReadable };
    Role role = Role::Block;
    QString text;
    QPointF baseline; ///< the left end of the baseline
    double capMm = 0; ///< the height of its capitals and digits
    bool bold = false;
    double stretch = 1; ///< the width the text is drawn at, of its natural width
    double widthMm = 0; ///< as drawn
};

/// One GS1-128 symbol on the label.
struct LogisticSymbol {
    Gs1_128Symbol symbol;
    QPointF barsTopLeft; ///< the first module's top left, in millimetres (the quiet zone is left of it)
    double moduleMm = 0;
    double heightMm = 0;
    double widthMm() const { return symbol.width() * moduleMm; }
};

/// A logistic label laid out, or why it cannot be.
struct LogisticLayout {
    QSizeF pageMm;
    QList<LogisticText> texts;
    QList<double> rules;           ///< the heights of the lines between the blocks, across the label
    double ruleMm = 0.35;          ///< their thickness
    QList<LogisticSymbol> symbols; ///< from the top; the last one is the SSCC's
    QString sscc;                  ///< its 18 digits
    QString error;
    bool ok() const { return error.isEmpty(); }
};

/// \a request with the SSCC \a sscc in place of any it had, first among the elements.
LogisticLabelRequest withSscc(const LogisticLabelRequest &request, const QString &sscc);

/// The margin left free on every side of the label.
inline constexpr double kLogisticMarginMm = 4;
/// The height of the capitals and digits of the data values: GS1 asks for at least 7 mm, and the
/// fifth of a millimetre more keeps them there after a printer's rounding.
inline constexpr double kLogisticValueCapMm = 7.2;

/// Lays out the label of \a request. The data is checked in full first, and must hold an SSCC.
/// From the top: the supplier block, the customer and carrier blocks when they have text, the
/// data block (each element's title and its value, two to a row where they fit), then the
/// GS1-128 symbols, the SSCC's lowest and alone. The other elements share the symbols above it,
/// as many to a symbol as its width and the 48-character limit allow. With \a dotsPerMm above 0
/// the module is a whole number of dots (the nearest within GS1's table), for a printer or a TIFF.
/// The bars are lowered from barHeightMm, all alike, where the label is too short for them, but
/// not below the short height; a label that still does not fit is refused.
LogisticLayout layoutLogisticLabel(const LogisticLabelRequest &request, double dotsPerMm = 0);

} // namespace Kelbrix
