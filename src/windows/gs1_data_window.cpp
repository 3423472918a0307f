// The window where the user gives the 2D symbol of the job's labels its data.
#include "windows/gs1_data_window.h"

#include "base/user_prompt.h"
#include "gs1/application_identifiers.h"
#include "label/label_image.h"
#include "settings/language.h"
#include "widgets/named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// The AIs most labels at the till carry, offered first.
const char16_t *const kCommonAis[] = {u"10",   u"17",   u"15", u"11", u"13",  u"21",
                                      u"3103", u"3102", u"30", u"22", u"7003"};

// The name of \a info in the language the program speaks.
QString aiName(const Gs1AiInfo &info)
{
    return currentLanguage() == Language::Swedish && !info.swedishName.isEmpty() ? info.swedishName : info.shortName;
}

// "(3103) Net weight" for the AI \a ai.
QString aiCaption(const QString &ai)
{
    const Gs1AiInfo *info = findAi(ai);
    return u"("_s + ai + u") "_s + (info ? aiName(*info) : QString());
}

enum Column { AiColumn, ValueColumn, NameColumn };

} // namespace

Gs1DataWindow::Gs1DataWindow(const Gs1Request &request, const Gs1DataContext &context, QWidget *parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(u"frmGs1Data"_s);
    setWindowTitle(tr("GS1 Data"));

    cboCarrier = named(new QComboBox(this), u"cboCarrier"_s);
    cboCarrier->addItem(tr("None: the linear barcode alone"), int(MatrixCarrier::None));
    cboCarrier->addItem(tr("GS1 DataMatrix"), int(MatrixCarrier::Gs1DataMatrix));
    cboCarrier->addItem(tr("QR Code with a GS1 Digital Link"), int(MatrixCarrier::DigitalLinkQr));
    cboCarrier->addItem(tr("Data Matrix with a GS1 Digital Link"), int(MatrixCarrier::DigitalLinkDataMatrix));
    cboCarrier->setCurrentIndex(std::max(0, cboCarrier->findData(int(request.carrier))));
    chkDual = named(new QCheckBox(tr("&Beside the linear barcode"), this), u"chkDual"_s);
    chkDual->setChecked(request.dual);
    chkDual->setToolTip(tr("Leave it unchecked to make the 2D symbol alone."));

    grdElements = named(new QTableWidget(0, 3, this), u"grdElements"_s);
    grdElements->setHorizontalHeaderLabels({tr("AI"), tr("Value"), tr("Name")});
    grdElements->horizontalHeader()->setSectionResizeMode(ValueColumn, QHeaderView::Stretch);
    grdElements->verticalHeader()->hide();
    grdElements->setMinimumHeight(140);
    cboAddAi = named(new QComboBox(this), u"cboAddAi"_s);
    for (const char16_t *ai : kCommonAis)
        cboAddAi->addItem(aiCaption(QString::fromUtf16(ai)), QString::fromUtf16(ai));
    cboAddAi->addItem(tr("Another AI"), QString());
    cmdAddRow = named(new QPushButton(tr("&Add"), this), u"cmdAddRow"_s);
    cmdRemoveRow = named(new QPushButton(tr("&Remove"), this), u"cmdRemoveRow"_s);

    txtSerialFrom = named(new QLineEdit(this), u"txtSerialFrom"_s);
    txtSerialFrom->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]{0,18}"_s), this));
    txtSerialFrom->setPlaceholderText(tr("none"));
    txtSerialFrom->setToolTip(tr("Every label gets its own serial number (21), from this number on."));
    if (request.serialFrom)
        txtSerialFrom->setText(QString::number(*request.serialFrom));
    txtDomain = named(new QLineEdit(request.domain, this), u"txtDomain"_s);
    txtDomain->setPlaceholderText(QString::fromLatin1(kDefaultDigitalLinkDomain));

    lblVerdict = named(new QLabel(this), u"lblVerdict"_s);
    lblVerdict->setTextFormat(Qt::PlainText);
    lblVerdict->setWordWrap(true);
    txtElementString = named(new QLineEdit(this), u"txtElementString"_s);
    txtElementString->setReadOnly(true);
    txtDigitalLink = named(new QLineEdit(this), u"txtDigitalLink"_s);
    txtDigitalLink->setReadOnly(true);
    picPreview = named(new QLabel(this), u"picPreview"_s);
    picPreview->setAlignment(Qt::AlignCenter);
    picPreview->setMinimumSize(360, 160);
    picPreview->setWordWrap(true);

    auto *symbol = new QFormLayout;
    addLabelledRow(symbol, this, tr("&Symbol:"), cboCarrier);
    symbol->addRow(QString(), chkDual);
    auto *rowButtons = new QHBoxLayout;
    rowButtons->addWidget(cboAddAi, 1);
    rowButtons->addWidget(cmdAddRow);
    rowButtons->addWidget(cmdRemoveRow);
    auto *more = new QFormLayout;
    addLabelledRow(more, this, tr("Serial (21) &from:"), txtSerialFrom);
    addLabelledRow(more, this, tr("Digital Link &domain:"), txtDomain);
    auto *result = new QFormLayout;
    addLabelledRow(result, this, tr("&Element string:"), txtElementString);
    addLabelledRow(result, this, tr("Digital &Link:"), txtDigitalLink);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    named(buttons->button(QDialogButtonBox::Ok), u"cmdOk"_s);
    named(buttons->button(QDialogButtonBox::Cancel), u"cmdCancel"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &Gs1DataWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *left = new QVBoxLayout;
    left->addLayout(symbol);
    left->addWidget(grdElements, 1);
    left->addLayout(rowButtons);
    left->addLayout(more);
    auto *right = new QVBoxLayout;
    right->addWidget(picPreview, 1);
    right->addWidget(lblVerdict);
    right->addLayout(result);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    m_filling = true;
    for (const Gs1Element &element : request.elements)
        addRow(element.ai, element.value);
    m_filling = false;

    connect(cboCarrier, &QComboBox::currentIndexChanged, this, &Gs1DataWindow::refresh);
    connect(chkDual, &QCheckBox::toggled, this, &Gs1DataWindow::refresh);
    connect(grdElements, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (m_filling || item->column() != AiColumn)
            return refresh();
        // The name column follows the AI the user typed.
        const QString ai = rowAi(item->row());
        const Gs1AiInfo *info = findAi(ai);
        m_filling = true;
        grdElements->item(item->row(), NameColumn)->setText(info ? aiName(*info) : QString());
        m_filling = false;
        refresh();
    });
    connect(cmdAddRow, &QPushButton::clicked, this, [this] {
        addRow(cboAddAi->currentData().toString(), QString());
        const int row = grdElements->rowCount() - 1;
        grdElements->setCurrentCell(row, cboAddAi->currentData().toString().isEmpty() ? AiColumn : ValueColumn);
        grdElements->editItem(grdElements->currentItem());
    });
    connect(cmdRemoveRow, &QPushButton::clicked, this, [this] {
        if (grdElements->currentRow() >= 0) {
            grdElements->removeRow(grdElements->currentRow());
            refresh();
        }
    });
    connect(txtSerialFrom, &QLineEdit::textChanged, this, &Gs1DataWindow::refresh);
    connect(txtDomain, &QLineEdit::textChanged, this, &Gs1DataWindow::refresh);
    refresh();
}

void Gs1DataWindow::addRow(const QString &ai, const QString &value)
{
    const bool filling = m_filling;
    m_filling = true;
    const int row = grdElements->rowCount();
    grdElements->insertRow(row);
    grdElements->setItem(row, AiColumn, new QTableWidgetItem(ai));
    grdElements->setItem(row, ValueColumn, new QTableWidgetItem(value));
    const Gs1AiInfo *info = findAi(ai);
    auto *name = new QTableWidgetItem(info ? aiName(*info) : QString());
    name->setFlags(name->flags() & ~Qt::ItemIsEditable);
    grdElements->setItem(row, NameColumn, name);
    m_filling = filling;
    if (!m_filling)
        refresh();
}

QString Gs1DataWindow::rowAi(int row) const
{
    const QTableWidgetItem *item = grdElements->item(row, AiColumn);
    QString text = item ? item->text().trimmed() : QString();
    if (text.startsWith(u'(') && text.endsWith(u')'))
        text = text.mid(1, text.size() - 2).trimmed();
    bool digits = !text.isEmpty();
    for (const QChar c : text)
        digits = digits && c.isDigit();
    if (digits || text.isEmpty())
        return text;
    // A name: "Batch", "Bäst före".
    const QString named = aiForColumnHeader(text);
    return named.isEmpty() ? text : named;
}

Gs1Request Gs1DataWindow::request() const
{
    Gs1Request request;
    request.carrier = MatrixCarrier(cboCarrier->currentData().toInt());
    request.dual = chkDual->isChecked();
    for (int row = 0; row < grdElements->rowCount(); ++row) {
        const QString ai = rowAi(row);
        const QTableWidgetItem *value = grdElements->item(row, ValueColumn);
        const QString text = value ? value->text().trimmed() : QString();
        if (!ai.isEmpty() || !text.isEmpty())
            request.elements.append({ai, text});
    }
    if (!txtSerialFrom->text().isEmpty())
        request.serialFrom = txtSerialFrom->text().toLongLong();
    request.domain = txtDomain->text().trimmed().isEmpty() ? QString::fromLatin1(kDefaultDigitalLinkDomain)
                                                           : txtDomain->text().trimmed();
    request.moduleMm = m_context.moduleMm;
    return request;
}

Gs1LabelData Gs1DataWindow::labelData(std::optional<LabelDescription> *label) const
{
    if (label)
        *label = m_context.label;
    Gs1Request asked = request();
    Gs1LabelData data = gs1LabelData(asked, m_context.gtin, {}, 0);
    for (const Gs1Element &element : asked.elements) {
        if (element.ai.endsWith(u'n'))
            data.problem = tr("(%1): give the AI with its number of decimals, such as %2 for 3 decimals")
                               .arg(element.ai, element.ai.chopped(1) + u'3');
        else if (element.ai.isEmpty())
            data.problem = tr("A row has a value but no application identifier: give it one, such as 10 for a batch");
    }
    const QString domain = asked.domain;
    if (data.problem.isEmpty() && carriesDigitalLink(asked.carrier) && !domain.startsWith(u"https://"_s) &&
        !domain.startsWith(u"http://"_s))
        data.problem = tr("The Digital Link domain must start with https:// or http://, as %1 does")
                           .arg(QString::fromLatin1(kDefaultDigitalLinkDomain));
    // On the label: the symbol must be made, and beside the linear one keep its place.
    if (m_context.label && asked.active() && data.problem.isEmpty()) {
        LabelDescription made = *m_context.label;
        data.problem = addMatrixPart(made, asked, data);
        if (label && data.problem.isEmpty())
            *label = made;
    }
    return data;
}

void Gs1DataWindow::refresh()
{
    if (m_filling)
        return;
    const Gs1Request asked = request();
    std::optional<LabelDescription> label;
    const Gs1LabelData data = labelData(&label);
    chkDual->setEnabled(asked.active());
    txtDomain->setEnabled(carriesDigitalLink(asked.carrier));

    if (!m_context.label) {
        picPreview->setPixmap({});
        picPreview->setText(tr("Make a barcode in the main window to see its label here."));
    } else if (!data.problem.isEmpty() && asked.active()) {
        picPreview->setPixmap({});
        picPreview->setText(tr("No preview: the data is refused."));
    } else {
        QImage picture = paintScreenLabel(*label, logicalDpiX(), devicePixelRatioF());
        if (picture.isNull())
            picture = paintLabelImages(*label, logicalDpiX()).label;
        picPreview->setPixmap(QPixmap::fromImage(picture));
    }

    if (data.problem.isEmpty()) {
        lblVerdict->setText(asked.active() ? u"✓ "_s + tr("The data passes every GS1 check.")
                                           : tr("No 2D symbol: the labels carry the linear barcode alone."));
    } else {
        lblVerdict->setText(u"⚠ "_s + data.problem);
    }
    txtElementString->setText(data.problem.isEmpty() ? data.elementString : QString());
    txtElementString->setCursorPosition(0);
    QString uri = data.uri;
    if (data.problem.isEmpty() && uri.isEmpty()) {
        const DigitalLink link = buildDigitalLink(data.elements, asked.domain);
        uri = link.problems.isEmpty() ? link.uri : tr("none: %1").arg(link.problems.constFirst().message);
    }
    txtDigitalLink->setText(data.problem.isEmpty() ? uri : QString());
    txtDigitalLink->setCursorPosition(0);
}

void Gs1DataWindow::accept()
{
    const Gs1Request asked = request();
    const Gs1LabelData data = labelData();
    if (asked.active() && !data.problem.isEmpty()) {
        ask(data.problem, windowTitle(), PromptIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    QDialog::accept();
}

} // namespace Kelbrix
