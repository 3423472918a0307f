#pragma once

#include "list/list_record.h"

#include <QList>
#include <QString>
#include <QStringMatcher>

#include <array>
#include <functional>
#include <optional>

namespace Kelbrix {

/// Which columns a search looks in, in column order: Product, Barcode, Digit Sup., Text, Type.
struct FindFields {
    std::array<bool, 5> columns{true, false, false, false, false};

    bool isSet(ListColumn column) const { return columns[size_t(column)]; }
    void set(ListColumn column, bool on) { columns[size_t(column)] = on; }
    bool anySet() const;

    /// What "Check All" does: set, every column; cleared, Product alone.
    static FindFields checkAll(bool set);

    friend bool operator==(const FindFields &, const FindFields &) = default;
};

/// A search of the barcode list: the records that hold the search text in one of the chosen
/// columns, compared without regard to letter case. "*" and "?" are plain characters; an
/// empty column never matches. Each record is found at most once, in list order.
class FindQuery {
public:
    FindQuery(const QString &searchText, FindFields fields);

    /// True when \a record holds the search text in a chosen column.
    bool matches(const ListRecord &record) const;

    /// Records of \a records that match, in their order. \a service, when given, is called
    /// after every \a serviceEvery records, so that a window can repaint during a long search.
    QList<ListRecord> run(const QList<ListRecord> &records, const std::function<void()> &service = {},
                          qsizetype serviceEvery = 4096) const;
    /// The same search, which the caller may stop: \a service gets the number of records tested
    /// so far after every \a serviceEvery records and returns false to stop. Nullopt when stopped.
    std::optional<QList<ListRecord>> runStoppable(const QList<ListRecord> &records,
                                                  const std::function<bool(qsizetype tested)> &service,
                                                  qsizetype serviceEvery = 4096) const;

private:
    QStringMatcher m_matcher;
    FindFields m_fields;
};

} // namespace Kelbrix
