#pragma once

#include "list/barcode_list.h"
#include "list/list_sort_toggles.h"

#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <utility>

class QFrame;
class QListView;
class QModelIndex;
class QTreeView;
class QWidget;

namespace Kelbrix {

class Form1;
class SettingsStore;

/// The barcode list of the main window: the list view ListView3 over the records, the product
/// list List1 and the barcode index List2 beside it; adding with the duplicate checks, loading a
/// record back into the entry, sorting, removing, clearing, and the list files.
class ListPanel : public QObject {
    Q_OBJECT
public:
    explicit ListPanel(Form1 &form);

    /// Makes the list area in \a parent; the views come with build().
    QFrame *buildArea(QWidget *parent);
    /// Makes the views of the list area and connects them and the list's commands.
    void build();

    /// The records, the product list and the barcode index.
    BarcodeList &model() const { return *m_list; }
    int count() const;
    /// Record \a number (1-based, record order).
    ListRecord record(int number) const;
    QList<ListRecord> records() const;
    /// Numbers (1-based) of the records selected in the list view, in record order.
    QList<int> selectedRecordNumbers() const;
    /// The selected records in record order, each with its 1-based number.
    QList<std::pair<int, ListRecord>> selectedRecords() const;
    /// Empties the list.
    void clear();

    /// The type of the record the user is on while the list view has the focus (the record a
    /// batch works on, or the current one); empty otherwise.
    QString typeCodeFromList() const;
    /// Puts \a record into the entry, selects its options and draws it, as a click on it does.
    void showRecord(const ListRecord &record);
    /// A value the renderer refused: puts the current record back into the entry and shows it.
    void refillEntryFromRecord();
    /// "&Add to List".
    void onAddToList();

    /// Loads the list file, image list or older list at \a path as "&Load" does once its file
    /// dialog has answered.
    void loadListFile(const QString &path);
    /// The current list file name: empty until a list file is loaded or saved.
    const QString &listFileName() const { return currentListFile; }
    void setListFileName(const QString &name) { currentListFile = name; }

    /// Width of list column \a column (0-based), in twips.
    int currentColumnWidth(int column) const;
    /// The column widths stored ("ClmnH1" to "ClmnH5"), shown once the window starts.
    void loadSettings(const SettingsStore &settings);
    void saveSettings(SettingsStore &settings) const;
    void showColumnWidths();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadRecord(const QModelIndex &index);
    int recordNumberOf(const QModelIndex &viewIndex) const;
    void copyRecordToEntry(const ListRecord &record);
    void onListKeyRelease();
    void onSortColumn(int column);
    void onRemoveItem();
    void onClearList();
    void onProductListClicked(const QModelIndex &index);
    void onLoad();
    void onSaveList();

    Form1 &m_form;
    QFrame *listArea = nullptr;
    QTreeView *ListView3 = nullptr; ///< the barcode list: Product, Barcode, Digit Sup., Text, Type
    QListView *List1 = nullptr;     ///< product list: products of the records added or loaded
    QListView *List2 = nullptr;     ///< barcode index: their barcodes (not shown)
    BarcodeList *m_list = nullptr;
    BarcodeListSortProxy *m_sortProxy = nullptr;
    ListSortToggles m_sortToggles;
    bool TypeFromList = false; ///< the barcode list has the focus: the type comes from it
    /// Widths of the five barcode list columns, in twips.
    std::array<int, 5> columnWidths{903, 903, 903, 903, 903};
    QString currentListFile;
    bool m_refilling = false;
};

} // namespace Kelbrix
