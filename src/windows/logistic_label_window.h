#pragma once

#include "barcode/edition.h"
#include "logistic/logistic_output.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace Kelbrix {

/// What the Logistic Label window takes from the main window.
struct LogisticLabelContext {
    /// The edition whose settings and SSCC counters the window uses.
    Edition edition = Edition::Alla;
    /// The GTIN-14 of the code the main window shows now; empty when it has none.
    std::function<QString()> recordGtin;
    /// The resolution TIFF files are made at, as the TIFF Parameters window sets it.
    int tiffDpi = 300;
};

/// The "Logistic Label" window (File, Logistic Label): a GS1 logistic label for each pallet, with
/// the supplier, customer and carrier blocks, the data rows with their titles and GS1-128
/// symbols, the SSCC's lowest. The SSCCs come from the sequence of a company prefix, one a pallet,
/// taken only when labels are printed or written and only for data that passes; or one SSCC is
/// typed for a single pallet. Every change shows the verdict and a preview at once. The blocks,
/// the size, the prefix and the extension digit are kept in the settings when the window closes.
class LogisticLabelWindow : public QDialog {
    Q_OBJECT
public:
    explicit LogisticLabelWindow(const LogisticLabelContext &context, QWidget *parent = nullptr);

    /// The label of the window's fields, without an SSCC.
    LogisticLabelRequest request() const;
    /// The label of the window's fields with a stand-in SSCC (serial reference 0) when the SSCCs
    /// come from the sequence, laid out for \a dotsPerMm; its error says why the window's data is
    /// refused.
    LogisticLayout trialLayout(double dotsPerMm = 0) const;
    /// The text of the verdict shown now.
    QString verdict() const;

    void printLabels();
    void previewLabels();
    void saveAsPdf();
    void saveAsTiff();
    /// Puts the GTIN of the main window's code into CONTENT (02).
    void fillFromRecord();
    /// Puts the AI columns of a CSV file's first record into the rows.
    void fillFromCsv();

    /// Keeps the settings, whichever way the window closes.
    void done(int result) override;

private:
    void addRow(const QString &ai, const QString &value);
    /// Puts \a value into the row of \a ai, or a new row when there is none.
    void setRowValue(const QString &ai, const QString &value);
    /// The AI of row \a row's first cell: "10", "(10)" or a name such as "Batch".
    QString rowAi(int row) const;
    bool fromSequence() const;
    bool a4Sheet() const;
    /// A problem of the window's fields that the layout does not see; empty when there is none.
    QString fieldProblem() const;
    /// The labels of every pallet for \a dotsPerMm, their SSCCs taken from the sequence; nullopt,
    /// when the data is refused or no SSCC could be taken, after saying why.
    std::optional<QList<LogisticLayout>> takeLabels(double dotsPerMm);
    /// Says \a problem of an output whose SSCCs were taken: they stay taken.
    void reportFailure(const QString &problem);
    void refresh();
    void saveSettings();

    LogisticLabelContext m_context;
    QComboBox *cboSize = nullptr;
    QPlainTextEdit *txtSupplier = nullptr;
    QPlainTextEdit *txtCustomer = nullptr;
    QPlainTextEdit *txtCarrier = nullptr;
    QRadioButton *optSsccSequence = nullptr;
    QLineEdit *txtPrefix = nullptr;
    QLineEdit *txtExtension = nullptr;
    QRadioButton *optSsccTyped = nullptr;
    QLineEdit *txtSscc = nullptr;
    QTableWidget *grdData = nullptr;
    QComboBox *cboAddAi = nullptr;
    QPushButton *cmdAddRow = nullptr;
    QPushButton *cmdRemoveRow = nullptr;
    QPushButton *cmdFromRecord = nullptr;
    QPushButton *cmdFromCsv = nullptr;
    QSpinBox *spnPallets = nullptr;
    QCheckBox *chkA4Sheet = nullptr;
    QLabel *lblVerdict = nullptr;
    QLabel *picPreview = nullptr;
    /// The SSCCs of the last labels made, "first to last", for the verdict.
    QString m_used;
    bool m_filling = false;
};

} // namespace Kelbrix
