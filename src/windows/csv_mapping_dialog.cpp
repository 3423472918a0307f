// The column mapping of a CSV import: the first rows of the file in a table, and a choice of
// column for each field of a record.
#include "windows/csv_mapping_dialog.h"

#include "gs1/application_identifiers.h"
#include "widgets/named.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// The types a whole file may be given, by the names the import understands.
const char16_t *const fixedTypeNames[] = {u"EAN 13", u"EAN 8", u"UPC A", u"UPC E", u"ISBN", u"SCC-14", u"Code 39"};

QComboBox *columnChoice(const QString &name, int columnCount, int selected, QWidget *parent)
{
    auto *box = named(new QComboBox(parent), name);
    box->addItem(QCoreApplication::translate("CsvMappingDialog", "(none)"), -1);
    for (int column = 0; column < columnCount; ++column)
        box->addItem(QCoreApplication::translate("CsvMappingDialog", "Column %1").arg(column + 1), column);
    box->setCurrentIndex(std::max(0, box->findData(selected)));
    return box;
}

} // namespace

CsvMappingDialog::CsvMappingDialog(const QList<CsvRow> &rows, const CsvColumns &columns, QWidget *parent)
    : QDialog(parent), m_ai(columns.ai)
{
    setObjectName(u"frmCsvMapping"_s);
    setWindowTitle(QCoreApplication::translate("CsvMappingDialog", "Import"));
    int columnCount = 0;
    for (const CsvRow &row : rows)
        columnCount = std::max(columnCount, int(row.fields.size()));

    tblRows = named(new QTableWidget(int(rows.size()), columnCount, this), u"tblRows"_s);
    QStringList headers;
    for (int column = 0; column < columnCount; ++column)
        headers.append(QCoreApplication::translate("CsvMappingDialog", "Column %1").arg(column + 1));
    tblRows->setHorizontalHeaderLabels(headers);
    QStringList lines;
    for (int r = 0; r < rows.size(); ++r) {
        lines.append(QString::number(rows[r].line));
        for (int column = 0; column < rows[r].fields.size(); ++column)
            tblRows->setItem(r, column, new QTableWidgetItem(rows[r].fields[column]));
    }
    tblRows->setVerticalHeaderLabels(lines);
    tblRows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblRows->setTabKeyNavigation(false);
    tblRows->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    cboProduct = columnChoice(u"cboProduct"_s, columnCount, columns.product, this);
    cboBarcode = columnChoice(u"cboBarcode"_s, columnCount, columns.barcode, this);
    cboSupplement = columnChoice(u"cboSupplement"_s, columnCount, columns.supplement, this);
    cboText = columnChoice(u"cboText"_s, columnCount, columns.text, this);
    cboType = columnChoice(u"cboType"_s, columnCount, columns.type, this);
    cboFixedType = named(new QComboBox(this), u"cboFixedType"_s);
    cboFixedType->addItem(QCoreApplication::translate("CsvMappingDialog", "EAN 13 or EAN 8, by length"), QString());
    for (const char16_t *name : fixedTypeNames)
        cboFixedType->addItem(QString::fromUtf16(name), typeCodeFromName(QString::fromUtf16(name)));
    cboFixedType->setCurrentIndex(std::max(0, cboFixedType->findData(columns.fixedType)));

    auto *form = new QFormLayout;
    addLabelledRow(form, this, QCoreApplication::translate("CsvMappingDialog", "&Product:"), cboProduct);
    addLabelledRow(form, this, QCoreApplication::translate("CsvMappingDialog", "&Barcode:"), cboBarcode);
    addLabelledRow(form, this, QCoreApplication::translate("CsvMappingDialog", "&Supplement:"), cboSupplement);
    addLabelledRow(form, this, QCoreApplication::translate("CsvMappingDialog", "&Text:"), cboText);
    addLabelledRow(form, this, QCoreApplication::translate("CsvMappingDialog", "T&ype:"), cboType);
    addLabelledRow(form, this, QCoreApplication::translate("CsvMappingDialog", "Type of rows &without one:"),
                   cboFixedType);

    // The GS1 columns as the header named them: "Column 6 (10) Batch, Column 7 (17) Expiry".
    QStringList gs1Columns;
    for (const CsvAiColumn &column : std::as_const(m_ai)) {
        const Gs1AiInfo *info = findAi(column.ai);
        gs1Columns.append(QCoreApplication::translate("CsvMappingDialog", "Column %1").arg(column.column + 1) +
                          u" ("_s + column.ai + u") "_s + (info ? info->shortName : QString()));
    }
    chkGs1 = named(
        new QCheckBox(
            QCoreApplication::translate("CsvMappingDialog", "&GS1 data from %1").arg(gs1Columns.join(u", "_s)), this),
        u"chkGs1"_s);
    chkGs1->setChecked(true);
    chkGs1->setVisible(!m_ai.isEmpty());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    cmdOk = named(buttons->button(QDialogButtonBox::Ok), u"cmdOk"_s);
    named(buttons->button(QDialogButtonBox::Cancel), u"cmdCancel"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(cboBarcode, &QComboBox::currentIndexChanged, this, &CsvMappingDialog::updateOk);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QCoreApplication::translate("CsvMappingDialog", "The first rows of the file. Choose the column of each field:"),
        this));
    layout->addWidget(tblRows, 1);
    layout->addLayout(form);
    layout->addWidget(chkGs1);
    layout->addWidget(buttons);
    const QList<QWidget *> order{tblRows, cboProduct, cboBarcode,   cboSupplement,
                                 cboText, cboType,    cboFixedType, chkGs1};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    resize(640, 480);
    updateOk();
    cboBarcode->setFocus();
}

CsvColumns CsvMappingDialog::columns() const
{
    CsvColumns chosen;
    chosen.product = cboProduct->currentData().toInt();
    chosen.barcode = cboBarcode->currentData().toInt();
    chosen.supplement = cboSupplement->currentData().toInt();
    chosen.text = cboText->currentData().toInt();
    chosen.type = cboType->currentData().toInt();
    chosen.fixedType = cboFixedType->currentData().toString();
    if (chkGs1->isChecked()) {
        const QList<int> fields{chosen.product, chosen.barcode, chosen.supplement, chosen.text, chosen.type};
        for (const CsvAiColumn &column : m_ai) {
            if (!fields.contains(column.column))
                chosen.ai.append(column);
        }
    }
    return chosen;
}

// Every record needs a barcode.
void CsvMappingDialog::updateOk()
{
    cmdOk->setEnabled(cboBarcode->currentData().toInt() >= 0);
}

} // namespace Kelbrix
