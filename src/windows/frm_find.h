#pragma once

#include "list/find_query.h"
#include "list/list_record.h"
#include "list/list_sort_toggles.h"

#include <QHash>
#include <QMainWindow>

#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QModelIndex;
class QStatusBar;
class QTreeView;

namespace Kelbrix {

class BarcodeList;
class BarcodeListSortProxy;

/// The find window: searches the main window's barcode list for a piece of text in the
/// chosen columns, lists the records found, hands a chosen result back to the main window
/// and saves the results as a QZ2 list. It is created, hidden, with the main window and
/// keeps its state while hidden.
///
/// Controls keep their given names as member names and Qt object names.
class frmFind : public QMainWindow {
    Q_OBJECT
public:
    /// What the window reads of the main window.
    struct MainList {
        std::function<qsizetype()> count;           ///< records in the main list
        std::function<QList<ListRecord>()> records; ///< the records, in list order
        std::function<QString()> product;           ///< the main window's product text
    };

    explicit frmFind(QWidget *parent = nullptr);

    void setMainList(MainList mainList);
    /// Whether the image list can take a picture; the move button stays disabled while not.
    void setImageListAvailable(bool available);

    /// The "Find" setting: "1" or "0" for chkProduct, chkBarcode, chkDigitSup, chkFreeText,
    /// chkType and chkAll, in that order.
    QString findSetting() const;
    /// Checks the boxes as \a value says; an empty value, "000000" or any value that is not six
    /// of "0" and "1" checks chkProduct alone.
    void applyFindSetting(const QString &value);

    /// The records found, in the order the result list shows them.
    QList<ListRecord> results() const;
    /// The columns the field boxes choose.
    FindFields fields() const;

    /// Enables "&Search", "Save &As" and the move button as the search text, the field boxes,
    /// the main list and the selected result allow.
    void refreshControls();
    /// Runs the search (the "&Search" button).
    void search();

    QLabel *Label1 = nullptr; ///< "Search for:"
    QLineEdit *txtSearch = nullptr;
    QCheckBox *chkProduct = nullptr;
    QCheckBox *chkBarcode = nullptr;
    QCheckBox *chkDigitSup = nullptr;
    QCheckBox *chkFreeText = nullptr;
    QCheckBox *chkType = nullptr;
    QCheckBox *chkAll = nullptr;
    /// The results (Product, Barcode, Digit Sup., Text, Type), sorted as the main list sorts.
    QTreeView *ListView3 = nullptr;
    QLabel *Label2 = nullptr; ///< "Items Found:"
    QLabel *Label3 = nullptr; ///< the number of results
    QPushButton *cmdSearch = nullptr;
    QPushButton *cmdFOK = nullptr;
    QPushButton *Command1 = nullptr; ///< ">>": moves the chosen result's label to the image list
    QMenu *mnuFile = nullptr;
    QAction *mnuAs = nullptr;
    QAction *mnuClose = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *StatusHint = nullptr; ///< the status bar's hint panel

signals:
    /// The user chose \a record (double click): the main window loads it into its entry.
    void recordChosen(const Kelbrix::ListRecord &record);
    /// The move button: the main window puts its label into the image list.
    void moveRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildWindow();
    void installHints();
    void onCheckAll();
    void onSortColumn(int column);
    void onLoadResult();
    /// The record of the result list's current row; none when no row is current.
    std::optional<ListRecord> currentResult() const;
    void onSaveResults();
    QList<QCheckBox *> fieldBoxes() const;
    qsizetype mainCount() const;

    MainList m_mainList;
    bool m_imageListAvailable = false;
    // The records found, in list order; the view shows them through the sort proxy.
    BarcodeList *m_results = nullptr;
    BarcodeListSortProxy *m_sortProxy = nullptr;
    ListSortToggles m_sortToggles;
    QHash<QObject *, QString> m_hints;
};

} // namespace Kelbrix
