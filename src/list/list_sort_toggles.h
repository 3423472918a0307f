#pragma once

#include <QString>

#include <array>

namespace Kelbrix {

/// The sort direction of a list view's header clicks, as the barcode list and the find window's
/// results share it: "Barcode", "Text" and "Type" have a toggle each, and "Product", "Digit Sup."
/// and any other caption share the first. A column sorts ascending when its toggle is clear and
/// descending when it is set, and every click flips the toggle it used.
class ListSortToggles {
public:
    /// The order a click on the column headed \a caption sorts in; flips that column's toggle.
    Qt::SortOrder click(const QString &caption);

private:
    std::array<bool, 4> m_descending{};
};

} // namespace Kelbrix
