#pragma once

#include "list/find_query.h"

#include <QString>

namespace Kelbrix {

/// The stored "Find" setting: which field boxes of the find window are checked, as six
/// characters "1" or "0" for Product, Barcode, Digit Sup., Free Text, Type and "Check All", in
/// that order.
struct FindSetting {
    FindFields fields;
    bool checkAll = false;

    /// Reads a stored value. An empty value, "000000" (nothing to search in) or any value that
    /// is not six of "0" and "1" gives the setting at load: Product alone.
    static FindSetting parse(const QString &value);
    /// The value to store.
    QString toString() const;

    friend bool operator==(const FindSetting &, const FindSetting &) = default;
};

} // namespace Kelbrix
