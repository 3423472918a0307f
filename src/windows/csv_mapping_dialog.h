#pragma once

#include "list/csv_import.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QTableWidget;

namespace Kelbrix {

/// The window that asks which column of a CSV file is which field of a record: it shows the
/// first rows of the file and one choice per field, and the type of the rows whose type column
/// gives none. The columns of GS1 data the header named are imported unless the user clears
/// their check box.
class CsvMappingDialog : public QDialog {
    Q_OBJECT
public:
    /// Shows \a rows (the first rows of the file) and preselects \a columns.
    CsvMappingDialog(const QList<CsvRow> &rows, const CsvColumns &columns, QWidget *parent = nullptr);

    /// The columns as chosen; a GS1 column chosen for a field is that field's alone.
    CsvColumns columns() const;

private:
    void updateOk();

    QTableWidget *tblRows = nullptr;
    QComboBox *cboProduct = nullptr;
    QComboBox *cboBarcode = nullptr;
    QComboBox *cboSupplement = nullptr;
    QComboBox *cboText = nullptr;
    QComboBox *cboType = nullptr;
    QComboBox *cboFixedType = nullptr;
    QCheckBox *chkGs1 = nullptr;
    QPushButton *cmdOk = nullptr;
    QList<CsvAiColumn> m_ai;
};

} // namespace Kelbrix
