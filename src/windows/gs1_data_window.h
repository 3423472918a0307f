#pragma once

#include "label/gs1_label.h"
#include "label/label_layout.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace Kelbrix {

/// What the GS1 Data window checks the data against and previews it on.
struct Gs1DataContext {
    QString gtin;                          ///< the GTIN of the main window's code; empty when it has none
    std::optional<LabelDescription> label; ///< the main label without a 2D symbol, for the preview
    double moduleMm = kMatrixModuleDefaultMm;
};

/// The "GS1 Data" window (Edit, GS1 Data): the 2D symbol of the job's labels and its data. The
/// user picks the carrier, whether it stands beside the linear symbol, enters application
/// identifier rows (batch, expiry, serial, net weight...), a first serial number and the domain
/// of Digital Link URIs. Every change shows the verdict of the data at once, the element string,
/// the Digital Link URI and a preview of the label. OK takes data that passes every check;
/// refused data is explained and the window stays open.
class Gs1DataWindow : public QDialog {
    Q_OBJECT
public:
    Gs1DataWindow(const Gs1Request &request, const Gs1DataContext &context, QWidget *parent = nullptr);

    /// The request as the window holds it now.
    Gs1Request request() const;
    /// The data the request gives the main window's label, checked in full: the GS1 rules, the
    /// symbol, and its place beside the linear symbol. The label with its 2D symbol, for the
    /// preview, in \a label when the data passes.
    Gs1LabelData labelData(std::optional<LabelDescription> *label = nullptr) const;

    void accept() override;

private:
    void addRow(const QString &ai, const QString &value);
    void refresh();
    /// The AI of row \a row's first cell: "10", "(10)" or a name such as "Batch".
    QString rowAi(int row) const;

    Gs1DataContext m_context;
    QComboBox *cboCarrier = nullptr;
    QCheckBox *chkDual = nullptr;
    QTableWidget *grdElements = nullptr;
    QComboBox *cboAddAi = nullptr;
    QPushButton *cmdAddRow = nullptr;
    QPushButton *cmdRemoveRow = nullptr;
    QLineEdit *txtSerialFrom = nullptr;
    QLineEdit *txtDomain = nullptr;
    QLabel *lblVerdict = nullptr;
    QLineEdit *txtElementString = nullptr;
    QLineEdit *txtDigitalLink = nullptr;
    QLabel *picPreview = nullptr;
    bool m_filling = false;
};

} // namespace Kelbrix
