#pragma once

#include "list/list_record.h"

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QSortFilterProxyModel>
#include <QStringList>

namespace Kelbrix {

struct ListReadResult;

/// The barcode list: records in the order they were added, with the product list and the
/// barcode index kept beside them for the duplicate checks of Add to List.
///
/// The records are plain values; views show them through this model (five columns with the
/// list's captions) and sort them through a BarcodeListSortProxy, so sorting never changes
/// the record order that files, printing and export use. Every operation is linear in the
/// list or better, so lists of a million records stay usable.
class BarcodeList : public QAbstractTableModel {
    Q_OBJECT
public:
    /// Records one list holds at most; a load stops there with runtime error 9.
    static constexpr qsizetype MaxRecords = 1'000'000;

    explicit BarcodeList(QObject *parent = nullptr);
    ~BarcodeList() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    qsizetype count() const { return m_records.size(); }
    /// True when the list holds MaxRecords records: Add to List takes no more (runtime error 9).
    bool isFull() const { return m_records.size() >= MaxRecords; }
    bool isEmpty() const { return m_records.isEmpty(); }
    /// The records in record order.
    const QList<ListRecord> &records() const { return m_records; }
    /// Record \a number, 1-based; an empty record when there is none.
    ListRecord record(qsizetype number) const;

    /// What Add to List must do before the entry may be appended. The product list is
    /// walked from the top: every entry equal to the product (ignoring case) asks whether to
    /// keep the product, and the first barcode index entry equal to the barcode refuses the
    /// add; whichever comes first counts, and at the same position the question comes first.
    struct AddCheck {
        /// How many times "Keep Product ?." is asked before the refusal (or the add).
        qsizetype productQuestions = 0;
        /// The barcode is already issued: after the questions, the add is refused.
        bool barcodeIssued = false;
    };
    /// The checks for adding \a product with \a barcode. An empty product needs no check.
    AddCheck checkAdd(const QString &product, const QString &barcode) const;

    /// Appends \a record, its product to the product list and its barcode to the index.
    void append(const ListRecord &record);
    /// Appends records read from a file; with \a intoIndexes their products and barcodes
    /// also go to the product list and the barcode index. Records past MaxRecords are
    /// dropped; returns how many were appended.
    qsizetype appendRecords(const QList<ListRecord> &records, bool intoIndexes);
    /// After a list file load: wherever two neighbouring records have the same barcode the
    /// later one goes (the product list and the barcode index keep their entries, as the
    /// pass only looks at records). Returns how many were removed.
    qsizetype removeNeighbouringDuplicates();
    /// Merges the records of a current-format list file \a read into the list: they are
    /// appended with their products and barcodes up to MaxRecords. When the cap left some out
    /// of a read that had no error of its own, \a read keeps only the records taken and
    /// reports runtime error 9. Then the duplicate pass runs. Returns how many were appended.
    qsizetype mergeRead(ListReadResult &read);
    /// Removes the records at \a rows (0-based, in record order, any order and repeats
    /// allowed). For each removed record the first product list entry equal to its product
    /// and the first barcode index entry equal to its barcode go too.
    void removeRecords(QList<qsizetype> rows);
    /// Removes every record and empties the product list and the barcode index.
    void clear();

    /// The product list: products of the records added or loaded, or the entries of an
    /// older list file, in the order they came.
    const QStringList &productList() const { return m_products; }
    /// Replaces the product list (an older list file shows its entries there).
    void setProductList(const QStringList &entries);
    /// The barcode index: barcodes of the records added or loaded from current list files.
    const QStringList &barcodeIndex() const { return m_barcodes; }

    /// Models of the product list and the barcode index, for the list boxes that show them.
    QAbstractItemModel *productListModel() const;
    QAbstractItemModel *barcodeIndexModel() const;

private:
    class StringColumn;
    void rebuildLookups() const;

    QList<ListRecord> m_records;
    QStringList m_products;
    QStringList m_barcodes;
    StringColumn *m_productModel = nullptr;
    StringColumn *m_barcodeModel = nullptr;
    // Positions of every product (case folded) and barcode, rebuilt after a removal.
    mutable QHash<QString, QList<qsizetype>> m_productPositions;
    mutable QHash<QString, qsizetype> m_barcodePositions;
    mutable bool m_lookupsValid = true;
};

/// Sorts the barcode list for a view: by one column, as text regardless of case, keeping the
/// record order among equal texts.
class BarcodeListSortProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit BarcodeListSortProxy(QObject *parent = nullptr);

    /// Record rows (0-based) of the proxy rows in \a proxyRows, ascending: the selected
    /// records in record order.
    QList<qsizetype> recordRows(const QModelIndexList &proxyRows) const;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    const QString &sortKey(const BarcodeList &list, int row, int column) const;
    // The case-folded texts of the column being sorted, made once per sort rather than on
    // every comparison; dropped whenever the records change.
    mutable QStringList m_keys;
    mutable int m_keysColumn = -1;
};

} // namespace Kelbrix
