#pragma once

// What the readers of element strings and Digital Link URIs share: elements that know where
// they stand in the input, the checks, and the texts of their messages.

#include "gs1/element_string.h"

#include <QCoreApplication>

namespace Kelbrix::Gs1Internal {

/// An element and where it stands in the input: its AI and each character of its value, all
/// counted from 1.
struct PlacedElement {
    Gs1Element element;
    int aiPosition = 0;
    QList<int> valuePositions;
    /// Where character \a index of the value stands; past the value, where the value starts.
    int valuePosition(qsizetype index) const;
};

/// \a elements placed as bracketedElementString writes them.
QList<PlacedElement> placeInBracketed(const QList<Gs1Element> &elements);

/// Checks \a elements as checkGs1 does and leaves out the repeats it takes once.
QList<Gs1Problem> checkPlaced(QList<PlacedElement> &elements, Gs1Carrier carrier);

/// The data of checked elements: their elements and \a problems in the order of the input, the
/// problems of the whole data last.
Gs1Data dataOf(const QList<PlacedElement> &elements, QList<Gs1Problem> problems);

/// Reads the Digital Link URI \a uri, whose first character is character \a offset of the
/// input, as parseDigitalLink does, and checks its elements for \a carrier.
Gs1Data parseDigitalLinkAt(const QString &uri, int offset, Gs1Carrier carrier);

/// A user text of the context "Kelbrix::Gs1" (marked with QT_TRANSLATE_NOOP where it is
/// written), translated, its %1, %2, ... replaced by \a values in one pass.
template <typename... Values> QString gs1Text(const char *source, const Values &...values)
{
    const QString text = QCoreApplication::translate("Kelbrix::Gs1", source);
    if constexpr (sizeof...(values) == 0)
        return text;
    else
        return text.arg(values...);
}

/// \a value as a message shows it: characters that cannot be printed as U+FFFD, and only its
/// first 20 characters and "…" when it is longer.
QString shownValue(QStringView value);

/// A user's list of AIs, "(01), (03) or (8006)".
QString aiList(const QStringList &ais);

} // namespace Kelbrix::Gs1Internal
