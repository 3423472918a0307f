#pragma once

#include "label/gs1_label.h"

#include <QImage>
#include <QString>

namespace Kelbrix {

/// What reading a label back found.
struct LabelVerdict {
    enum class Kind {
        Scans,      ///< the label reads as the digits and add-on it was made from
        Mismatch,   ///< the label reads, but as something else
        NotChecked, ///< the reader cannot read this kind of label, so nothing was tried
        Unreadable, ///< no barcode could be read from the label
    };
    Kind kind = Kind::NotChecked;
    /// The short verdict a status line shows: a tick and "Scans as EAN-13 5012345678900 + 12345",
    /// a warning sign and what was read instead, or "Not checked".
    QString text;
    /// One or two sentences that say what the verdict means for the user.
    QString hint;
    /// What was read, as "EAN-13 5012345678900 + 12345"; empty when nothing was.
    QString read;

    bool scans() const { return kind == Kind::Scans; }
};

/// Reads \a label back and compares it with what it was made from: \a typeCode (a TypeCode such
/// as "E135"), \a expectedDigits and \a expectedSupplement.
///
/// The digits may be given as typed (without check digit; an ISBN with its dividers; UPC-A
/// digits for "UPC A to E") or as drawn (with check digit; Code 39 with its check character).
/// A check digit the reader finds is accepted when the reader itself vouches for it. A label
/// drawn light on dark (an inverted export) is read too. UPC-E of number system 1, which zbar does
/// not read, is read with ZXing-C++; an unknown TypeCode is not checked.
LabelVerdict verifyLabel(const QImage &label, const QString &typeCode, const QString &expectedDigits,
                         const QString &expectedSupplement);

/// Reads the 2D symbol of \a label back with ZXing-C++ and compares it with \a expected, the
/// data it was made from as \a carrier: the GS1 element strings a GS1 DataMatrix gives ("]d2"),
/// or the Digital Link URI, which must be the one asked for and parse back to the same data. The
/// verdict names the data: "Scans as GS1 DataMatrix (01)09506000134352(10)ABC123".
LabelVerdict verifyMatrixLabel(const QImage &label, MatrixCarrier carrier, const Gs1LabelData &expected);

/// The 2D symbol a label is to carry, to check it against.
struct MatrixExpectation {
    MatrixCarrier carrier = MatrixCarrier::None; ///< None: the label has no 2D symbol
    bool dual = true;                            ///< the linear symbol is on the label too
    Gs1LabelData data;
};

/// Reads back a label that may carry a 2D symbol. Without one, as verifyLabel. With one, the 2D
/// symbol as verifyMatrixLabel and, on a dual label, the linear symbol too; the verdict is the
/// first of them that fails, else the 2D symbol's, which names its data. A label whose 2D data
/// was refused (so it carries no 2D symbol) says why.
LabelVerdict verifyLabelWithMatrix(const QImage &label, const QString &typeCode, const QString &expectedDigits,
                                   const QString &expectedSupplement, const MatrixExpectation &matrix);

} // namespace Kelbrix
