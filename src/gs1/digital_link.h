#pragma once

#include "gs1/element_string.h"

#include <QList>
#include <QString>

namespace Kelbrix {

/// The domain of a Digital Link when the user names none: GS1's own resolver.
inline constexpr char kDefaultDigitalLinkDomain[] = "https://id.gs1.org";

/// A GS1 Digital Link URI, or the problems that keep the elements from making one.
struct DigitalLink {
    QString uri; ///< empty when there are problems
    QList<Gs1Problem> problems;
};

/// The Digital Link URI of \a elements under \a domain (http:// or https://, maybe with a path;
/// a trailing slash is dropped; empty for kDefaultDigitalLinkDomain):
/// {domain}/{primary key}/{value}, then the key's qualifiers that are given, in GS1's order
/// (/01/{gtin}/22/{variant}/10/{lot}/21/{serial}, or /01/{gtin}/235/{serial}), then every other
/// element as a query attribute ?17=271231&3103=000750 in the elements' order. Values are
/// percent-encoded but for A-Z a-z 0-9 - . _ ~. Refused: elements checkGs1 refuses (with its
/// problems), no primary key or two, key qualifiers of two chains, a key qualifier of another
/// key, and AIs kept out of web addresses (90 to 99). Positions are those of checkGs1.
DigitalLink buildDigitalLink(const QList<Gs1Element> &elements,
                             const QString &domain = QString::fromLatin1(kDefaultDigitalLinkDomain));

/// The elements of a Digital Link URI: any domain, any path before the primary key
/// (https://example.com/shop/01/...), the key and its qualifiers in their order, each value
/// percent-decoded, a GTIN of 8, 12 or 13 digits made 14 with leading zeros; query attributes
/// whose key is a number become elements (other keys, such as linkType, are left alone), and the
/// fragment is left out. Refused, with the reason: no http:// or https://, no domain, no primary
/// key, a qualifier the key does not take or out of its order, a key or qualifier in the query,
/// an AI kept out of web addresses, an AI given twice, a malformed percent escape, and every
/// problem checkGs1 finds. Positions are characters of \a uri.
Gs1Data parseDigitalLink(const QString &uri);

} // namespace Kelbrix
