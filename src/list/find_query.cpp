#include "list/find_query.h"

#include <algorithm>

namespace Kelbrix {

bool FindFields::anySet() const
{
    return std::any_of(columns.begin(), columns.end(), [](bool on) { return on; });
}

FindFields FindFields::checkAll(bool set)
{
    FindFields fields;
    fields.columns = {true, set, set, set, set};
    return fields;
}

FindQuery::FindQuery(const QString &searchText, FindFields fields)
    : m_matcher(searchText, Qt::CaseInsensitive), m_fields(fields)
{
}

bool FindQuery::matches(const ListRecord &record) const
{
    const QString *texts[] = {&record.product, &record.barcode, &record.digitSup, &record.text, &record.type};
    for (size_t column = 0; column < m_fields.columns.size(); ++column) {
        if (m_fields.columns[column] && !texts[column]->isEmpty() && m_matcher.indexIn(*texts[column]) >= 0)
            return true;
    }
    return false;
}

QList<ListRecord> FindQuery::run(const QList<ListRecord> &records, const std::function<void()> &service,
                                 qsizetype serviceEvery) const
{
    if (!service)
        return *runStoppable(records, {}, serviceEvery);
    return *runStoppable(
        records,
        [&service](qsizetype) {
            service();
            return true;
        },
        serviceEvery);
}

std::optional<QList<ListRecord>> FindQuery::runStoppable(const QList<ListRecord> &records,
                                                         const std::function<bool(qsizetype tested)> &service,
                                                         qsizetype serviceEvery) const
{
    QList<ListRecord> found;
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (matches(records[i]))
            found.append(records[i]);
        if (service && serviceEvery > 0 && (i + 1) % serviceEvery == 0 && !service(i + 1))
            return std::nullopt;
    }
    return found;
}

} // namespace Kelbrix
