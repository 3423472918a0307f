#include "list/barcode_list.h"

#include "list/list_files.h"

#include <QCoreApplication>

#include <algorithm>

namespace Kelbrix {

static_assert(BarcodeList::MaxRecords == ListFileLimits::MaxRecords,
              "a list file holds exactly what the barcode list can hold");

/// A list model over one of the string lists kept beside the records.
class BarcodeList::StringColumn : public QAbstractListModel {
public:
    StringColumn(const QStringList &strings, QObject *parent) : QAbstractListModel(parent), m_strings(strings) {}

    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_strings.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_strings.size() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
            return {};
        return m_strings.at(index.row());
    }
    void beginAppend(qsizetype added) { beginInsertRows({}, int(m_strings.size()), int(m_strings.size() + added - 1)); }
    using QAbstractListModel::beginResetModel;
    using QAbstractListModel::endInsertRows;
    using QAbstractListModel::endResetModel;

private:
    const QStringList &m_strings;
};

BarcodeList::BarcodeList(QObject *parent)
    : QAbstractTableModel(parent), m_productModel(new StringColumn(m_products, this)),
      m_barcodeModel(new StringColumn(m_barcodes, this))
{
}

BarcodeList::~BarcodeList() = default;

int BarcodeList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

int BarcodeList::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 5;
}

QVariant BarcodeList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_records.size() || index.column() >= 5 ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return m_records.at(index.row()).field(ListColumn(index.column()));
}

QVariant BarcodeList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= 5)
        return QAbstractTableModel::headerData(section, orientation, role);
    // The captions the view shows, in the language of the moment; the files keep them English.
    static const char *const captions[] = {
        QT_TRANSLATE_NOOP("BarcodeList", "Product"), QT_TRANSLATE_NOOP("BarcodeList", "Barcode"),
        QT_TRANSLATE_NOOP("BarcodeList", "Digit Sup."), QT_TRANSLATE_NOOP("BarcodeList", "Text"),
        QT_TRANSLATE_NOOP("BarcodeList", "Type")};
    return QCoreApplication::translate("BarcodeList", captions[section]);
}

ListRecord BarcodeList::record(qsizetype number) const
{
    return number >= 1 && number <= m_records.size() ? m_records.at(number - 1) : ListRecord{};
}

void BarcodeList::rebuildLookups() const
{
    if (m_lookupsValid)
        return;
    m_productPositions.clear();
    m_barcodePositions.clear();
    m_productPositions.reserve(m_products.size());
    m_barcodePositions.reserve(m_barcodes.size());
    for (qsizetype i = 0; i < m_products.size(); ++i)
        m_productPositions[m_products.at(i).toCaseFolded()].append(i);
    for (qsizetype i = 0; i < m_barcodes.size(); ++i) {
        if (!m_barcodePositions.contains(m_barcodes.at(i)))
            m_barcodePositions.insert(m_barcodes.at(i), i);
    }
    m_lookupsValid = true;
}

BarcodeList::AddCheck BarcodeList::checkAdd(const QString &product, const QString &barcode) const
{
    AddCheck check;
    if (product.isEmpty())
        return check;
    rebuildLookups();
    // Only positions the product list reaches are looked at: older list files fill the
    // product list without the barcode index, and the index may be the shorter one.
    qsizetype issuedAt = -1;
    if (const auto found = m_barcodePositions.constFind(barcode);
        found != m_barcodePositions.cend() && *found < m_products.size())
        issuedAt = *found;
    check.barcodeIssued = issuedAt >= 0;
    if (const auto found = m_productPositions.constFind(product.toCaseFolded()); found != m_productPositions.cend()) {
        const QList<qsizetype> &positions = *found;
        check.productQuestions =
            issuedAt < 0 ? positions.size()
                         : std::upper_bound(positions.begin(), positions.end(), issuedAt) - positions.begin();
    }
    return check;
}

void BarcodeList::append(const ListRecord &record)
{
    appendRecords({record}, true);
}

qsizetype BarcodeList::appendRecords(const QList<ListRecord> &records, bool intoIndexes)
{
    const qsizetype added = std::min(records.size(), MaxRecords - m_records.size());
    if (added <= 0)
        return 0;
    // One record is inserted in place; a file's worth resets the views, which re-sort once
    // instead of placing every record on its own. The lookups of the duplicate checks are
    // then built when Add to List first needs them, not while a file loads.
    const bool bulk = added > 1;
    if (bulk && intoIndexes)
        m_lookupsValid = false;
    if (bulk)
        beginResetModel();
    else
        beginInsertRows({}, int(m_records.size()), int(m_records.size() + added - 1));
    if (intoIndexes) {
        m_productModel->beginAppend(added);
        m_barcodeModel->beginAppend(added);
    }
    m_records.reserve(m_records.size() + added);
    for (qsizetype i = 0; i < added; ++i) {
        const ListRecord &record = records.at(i);
        m_records.append(record);
        if (!intoIndexes)
            continue;
        if (m_lookupsValid) {
            m_productPositions[record.product.toCaseFolded()].append(m_products.size());
            if (!m_barcodePositions.contains(record.barcode))
                m_barcodePositions.insert(record.barcode, m_barcodes.size());
        }
        m_products.append(record.product);
        m_barcodes.append(record.barcode);
    }
    if (intoIndexes) {
        m_productModel->endInsertRows();
        m_barcodeModel->endInsertRows();
    }
    if (bulk)
        endResetModel();
    else
        endInsertRows();
    return added;
}

qsizetype BarcodeList::mergeRead(ListReadResult &read)
{
    const qsizetype appended = appendRecords(read.records, true);
    if (appended < read.records.size() && read.ok()) {
        read.records.resize(appended);
        read.runtimeError = 9;
    }
    // Neighbouring records with the same barcode keep only the first.
    removeNeighbouringDuplicates();
    return appended;
}

qsizetype BarcodeList::removeNeighbouringDuplicates()
{
    const auto repeat =
        std::adjacent_find(m_records.cbegin(), m_records.cend(),
                           [](const ListRecord &a, const ListRecord &b) { return a.barcode == b.barcode; });
    if (repeat == m_records.cend())
        return 0;
    beginResetModel();
    const qsizetype removed = removeConsecutiveDuplicateBarcodes(m_records).size();
    endResetModel();
    return removed;
}

namespace {

// Drops from \a list the first \a counts[text] entries equal to each text, in one pass:
// the same as removing the first equal entry once per removed record.
void dropFirstEqual(QStringList &list, QHash<QString, qsizetype> counts)
{
    if (counts.isEmpty())
        return;
    QStringList kept;
    kept.reserve(list.size());
    for (QString &entry : list) {
        auto found = counts.find(entry);
        if (found != counts.end() && *found > 0) {
            --*found;
            continue;
        }
        kept.append(std::move(entry));
    }
    list = std::move(kept);
}

} // namespace

void BarcodeList::removeRecords(QList<qsizetype> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(
        std::remove_if(rows.begin(), rows.end(), [this](qsizetype row) { return row < 0 || row >= m_records.size(); }),
        rows.end());
    if (rows.isEmpty())
        return;

    QHash<QString, qsizetype> products;
    QHash<QString, qsizetype> barcodes;
    QList<ListRecord> kept;
    kept.reserve(m_records.size() - rows.size());
    auto next = rows.cbegin();
    for (qsizetype i = 0; i < m_records.size(); ++i) {
        if (next != rows.cend() && *next == i) {
            ++next;
            ++products[m_records.at(i).product];
            ++barcodes[m_records.at(i).barcode];
            continue;
        }
        kept.append(std::move(m_records[i]));
    }

    beginResetModel();
    m_productModel->beginResetModel();
    m_barcodeModel->beginResetModel();
    m_records = std::move(kept);
    dropFirstEqual(m_products, std::move(products));
    dropFirstEqual(m_barcodes, std::move(barcodes));
    m_lookupsValid = false;
    m_barcodeModel->endResetModel();
    m_productModel->endResetModel();
    endResetModel();
}

void BarcodeList::clear()
{
    beginResetModel();
    m_productModel->beginResetModel();
    m_barcodeModel->beginResetModel();
    m_records.clear();
    m_products.clear();
    m_barcodes.clear();
    m_productPositions.clear();
    m_barcodePositions.clear();
    m_lookupsValid = true;
    m_barcodeModel->endResetModel();
    m_productModel->endResetModel();
    endResetModel();
}

void BarcodeList::setProductList(const QStringList &entries)
{
    m_productModel->beginResetModel();
    m_products = entries;
    m_lookupsValid = false;
    m_productModel->endResetModel();
}

QAbstractItemModel *BarcodeList::productListModel() const
{
    return m_productModel;
}

QAbstractItemModel *BarcodeList::barcodeIndexModel() const
{
    return m_barcodeModel;
}

BarcodeListSortProxy::BarcodeListSortProxy(QObject *parent) : QSortFilterProxyModel(parent)
{
    setSortCaseSensitivity(Qt::CaseInsensitive);
    connect(this, &QAbstractProxyModel::sourceModelChanged, this, [this] {
        m_keysColumn = -1;
        if (!sourceModel())
            return;
        const auto forget = [this] { m_keysColumn = -1; };
        connect(sourceModel(), &QAbstractItemModel::modelAboutToBeReset, this, forget);
        connect(sourceModel(), &QAbstractItemModel::rowsAboutToBeInserted, this, forget);
        connect(sourceModel(), &QAbstractItemModel::rowsAboutToBeRemoved, this, forget);
    });
}

const QString &BarcodeListSortProxy::sortKey(const BarcodeList &list, int row, int column) const
{
    if (m_keysColumn != column || m_keys.size() != list.count()) {
        m_keys.clear();
        m_keys.reserve(list.count());
        for (const ListRecord &record : list.records())
            m_keys.append(record.field(ListColumn(column)).toCaseFolded());
        m_keysColumn = column;
    }
    return m_keys.at(row);
}

QList<qsizetype> BarcodeListSortProxy::recordRows(const QModelIndexList &proxyRows) const
{
    QList<qsizetype> rows;
    rows.reserve(proxyRows.size());
    for (const QModelIndex &index : proxyRows) {
        const QModelIndex source = mapToSource(index);
        if (source.isValid())
            rows.append(source.row());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

bool BarcodeListSortProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    // Compare the records' folded texts directly: going through data() would build a
    // variant and fold the case for every comparison, which dominates sorting a big list.
    if (const auto *list = qobject_cast<const BarcodeList *>(sourceModel())) {
        const QString &a = sortKey(*list, left.row(), left.column());
        return a < sortKey(*list, right.row(), left.column());
    }
    return QSortFilterProxyModel::lessThan(left, right);
}

} // namespace Kelbrix
