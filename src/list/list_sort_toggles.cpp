#include "list/list_sort_toggles.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

size_t toggleOf(const QString &caption)
{
    if (caption == u"Barcode"_s)
        return 1;
    if (caption == u"Text"_s)
        return 2;
    if (caption == u"Type"_s)
        return 3;
    return 0;
}

} // namespace

Qt::SortOrder ListSortToggles::click(const QString &caption)
{
    bool &descending = m_descending[toggleOf(caption)];
    const Qt::SortOrder order = descending ? Qt::DescendingOrder : Qt::AscendingOrder;
    descending = !descending;
    return order;
}

} // namespace Kelbrix
