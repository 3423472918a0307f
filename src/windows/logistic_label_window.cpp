// The window where the user makes the GS1 logistic labels of a shipment's pallets.
#include "windows/logistic_label_window.h"

#include "barcode/sscc.h"
#include "base/user_prompt.h"
#include "gs1/application_identifiers.h"
#include "list/csv_reader.h"
#include "logistic/logistic_settings.h"
#include "settings/settings_store.h"
#include "settings/sscc_store.h"
#include "widgets/named.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// The section of the messages help that speaks of logistic labels.
constexpr int kLogisticHelpContext = 3040;

// The AIs a pallet's label carries most, offered first; any other is typed into a row.
const char16_t *const kLogisticAis[] = {u"02", u"37", u"10", u"15", u"17", u"3102", u"01"};

// The most pallets one output makes labels for, as on the command line.
constexpr int kMaxPallets = 10000;
constexpr double kMmPerInch = 25.4;
// The preview's room on the screen.
constexpr int kPreviewWidth = 300;
constexpr int kPreviewHeight = 430;

enum Column { AiColumn, TitleColumn, ValueColumn };

// The free text of \a box, its trailing blank lines aside.
QString blockText(const QPlainTextEdit *box)
{
    QString text = box->toPlainText();
    while (text.endsWith(u'\n') || text.endsWith(u' '))
        text.chop(1);
    return text;
}

// A GTIN of 8, 12 or 13 digits filled to 14 with leading zeros; anything else as it is.
QString gtin14(const QString &digits)
{
    const bool allDigits = std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c.isDigit(); });
    return allDigits && digits.size() >= 8 && digits.size() < 14 ? digits.rightJustified(14, u'0') : digits;
}

// The element of a measure named by its family (310n) from a decimal number such as "12.5": the
// decimals make the AI's last digit, the digits its six-digit value. The AI as it is otherwise.
Gs1Element measureFromNumber(const QString &family, const QString &number)
{
    static const QRegularExpression decimal(u"^(\\d+)(?:[.,](\\d{0,5}))?$"_s);
    const QRegularExpressionMatch m = decimal.match(number);
    if (!family.endsWith(u'n') || !m.hasMatch())
        return {family, number};
    const QString digits = (m.captured(1) + m.captured(2)).rightJustified(6, u'0');
    return {family.chopped(1) + QString::number(m.captured(2).size()), digits};
}

} // namespace

LogisticLabelWindow::LogisticLabelWindow(const LogisticLabelContext &context, QWidget *parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(u"frmLogisticLabel"_s);
    setWindowTitle(tr("Logistic Label"));

    cboSize = named(new QComboBox(this), u"cboSize"_s);
    cboSize->addItem(tr("A6 105 x 148 mm"), int(LogisticSize::A6));
    cboSize->addItem(tr("A5 148 x 210 mm"), int(LogisticSize::A5));
    cboSize->addItem(tr("4 x 6 in"), int(LogisticSize::Inch4x6));
    const auto block = [this](const QString &name, const QString &placeholder) {
        auto *box = named(new QPlainTextEdit(this), name);
        box->setTabChangesFocus(true);
        box->setPlaceholderText(placeholder);
        box->setFixedHeight(box->fontMetrics().lineSpacing() * 4 + 12);
        return box;
    };
    txtSupplier = block(u"txtSupplier"_s, tr("Name and address, a line each"));
    txtCustomer = block(u"txtCustomer"_s, tr("none"));
    txtCarrier = block(u"txtCarrier"_s, tr("none"));

    auto *sscc = new QGroupBox(tr("SSCC"), this);
    optSsccSequence = named(new QRadioButton(tr("Take from the &sequence"), sscc), u"optSsccSequence"_s);
    optSsccSequence->setToolTip(tr("Each pallet gets the next SSCC of the company prefix when the labels are "
                                   "printed or saved."));
    txtPrefix = named(new QLineEdit(sscc), u"txtPrefix"_s);
    txtPrefix->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]{0,11}"_s), this));
    txtPrefix->setToolTip(tr("Your GS1 company prefix, 6 to 11 digits."));
    txtExtension = named(new QLineEdit(sscc), u"txtExtension"_s);
    txtExtension->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]?"_s), this));
    txtExtension->setMaxLength(1);
    txtExtension->setMaximumWidth(txtExtension->fontMetrics().horizontalAdvance(u"0000"_s) + 12);
    optSsccTyped = named(new QRadioButton(tr("T&yped:"), sscc), u"optSsccTyped"_s);
    txtSscc = named(new QLineEdit(sscc), u"txtSscc"_s);
    txtSscc->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]{0,18}"_s), this));
    txtSscc->setPlaceholderText(tr("18 digits"));
    txtSscc->setToolTip(tr("One SSCC of your own, for one pallet."));
    optSsccSequence->setChecked(true);
    auto *ssccForm = new QFormLayout(sscc);
    ssccForm->addRow(optSsccSequence);
    addLabelledRow(ssccForm, sscc, tr("GS1 company pre&fix:"), txtPrefix);
    addLabelledRow(ssccForm, sscc, tr("E&xtension digit:"), txtExtension);
    ssccForm->addRow(optSsccTyped, txtSscc);

    grdData = named(new QTableWidget(0, 3, this), u"grdData"_s);
    grdData->setHorizontalHeaderLabels({tr("AI"), tr("Title"), tr("Value")});
    grdData->horizontalHeader()->setSectionResizeMode(TitleColumn, QHeaderView::Stretch);
    grdData->horizontalHeader()->setSectionResizeMode(ValueColumn, QHeaderView::Stretch);
    grdData->verticalHeader()->hide();
    grdData->setMinimumHeight(120);
    grdData->setTabKeyNavigation(false);
    grdData->setWordWrap(false);
    grdData->verticalHeader()->setDefaultSectionSize(grdData->fontMetrics().height() + 8);
    grdData->setToolTip(tr("The title is printed above the value; change it to print your own."));
    cboAddAi = named(new QComboBox(this), u"cboAddAi"_s);
    for (const char16_t *ai : kLogisticAis) {
        const QString code = QString::fromUtf16(ai);
        cboAddAi->addItem(u"("_s + code + u") "_s + defaultLogisticTitle(code), code);
    }
    cboAddAi->addItem(tr("Another AI"), QString());
    cmdAddRow = named(new QPushButton(tr("Add Ro&w"), this), u"cmdAddRow"_s);
    cmdRemoveRow = named(new QPushButton(tr("Re&move Row"), this), u"cmdRemoveRow"_s);
    cmdFromRecord = named(new QPushButton(tr("From &Record"), this), u"cmdFromRecord"_s);
    cmdFromRecord->setToolTip(tr("CONTENT (02): the GTIN of the code the main window shows"));
    cmdFromCsv = named(new QPushButton(tr("From &CSV Row..."), this), u"cmdFromCsv"_s);
    cmdFromCsv->setToolTip(tr("The columns of a CSV file's first record that name an AI, such as Batch or (10)"));

    spnPallets = named(new QSpinBox(this), u"spnPallets"_s);
    spnPallets->setRange(1, kMaxPallets);
    chkA4Sheet = named(new QCheckBox(tr("Four to an &A4 sheet"), this), u"chkA4Sheet"_s);

    lblVerdict = named(new QLabel(this), u"lblVerdict"_s);
    lblVerdict->setTextFormat(Qt::PlainText);
    lblVerdict->setWordWrap(true);
    lblVerdict->setTextInteractionFlags(Qt::TextSelectableByMouse);
    picPreview = named(new QLabel(this), u"picPreview"_s);
    picPreview->setAlignment(Qt::AlignCenter);
    picPreview->setFixedSize(kPreviewWidth, kPreviewHeight);
    picPreview->setWordWrap(true);

    auto *cmdPrint = named(new QPushButton(tr("&Print..."), this), u"cmdPrint"_s);
    auto *cmdPreview = named(new QPushButton(tr("Pre&view..."), this), u"cmdPreview"_s);
    auto *cmdPdf = named(new QPushButton(tr("Save P&DF..."), this), u"cmdPdf"_s);
    auto *cmdTiff = named(new QPushButton(tr("Save &TIFF..."), this), u"cmdTiff"_s);
    auto *cmdClose = named(new QPushButton(tr("Close"), this), u"cmdClose"_s);
    // The output buttons leave the window open for the next shipment; Enter makes no labels.
    for (QPushButton *button :
         {cmdPrint, cmdPreview, cmdPdf, cmdTiff, cmdClose, cmdAddRow, cmdRemoveRow, cmdFromRecord, cmdFromCsv})
        button->setAutoDefault(false);

    auto *blocks = new QFormLayout;
    addLabelledRow(blocks, this, tr("Label si&ze:"), cboSize);
    addLabelledRow(blocks, this, tr("S&upplier:"), txtSupplier);
    addLabelledRow(blocks, this, tr("Cust&omer:"), txtCustomer);
    addLabelledRow(blocks, this, tr("Carri&er:"), txtCarrier);
    auto *rowButtons = new QHBoxLayout;
    rowButtons->addWidget(cboAddAi, 1);
    rowButtons->addWidget(cmdAddRow);
    rowButtons->addWidget(cmdRemoveRow);
    auto *fillButtons = new QHBoxLayout;
    fillButtons->addWidget(cmdFromRecord);
    fillButtons->addWidget(cmdFromCsv);
    fillButtons->addStretch(1);
    auto *dataLabel = new QLabel(tr("Data &lines:"), this);
    dataLabel->setBuddy(grdData);
    auto *pallets = new QFormLayout;
    addLabelledRow(pallets, this, tr("&Number of pallets:"), spnPallets);
    pallets->addRow(QString(), chkA4Sheet);

    auto *left = new QVBoxLayout;
    left->addLayout(blocks);
    left->addWidget(sscc);
    left->addWidget(dataLabel);
    left->addWidget(grdData, 1);
    left->addLayout(rowButtons);
    left->addLayout(fillButtons);
    left->addLayout(pallets);
    auto *right = new QVBoxLayout;
    right->addWidget(picPreview);
    right->addWidget(lblVerdict, 1);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {cmdPrint, cmdPreview, cmdPdf, cmdTiff})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    // The focus goes down the left column, then to the buttons.
    const QList<QWidget *> order{cboSize,      txtSupplier,   txtCustomer, txtCarrier, optSsccSequence, txtPrefix,
                                 txtExtension, optSsccTyped,  txtSscc,     grdData,    cboAddAi,        cmdAddRow,
                                 cmdRemoveRow, cmdFromRecord, cmdFromCsv,  spnPallets, chkA4Sheet,      cmdPrint,
                                 cmdPreview,   cmdPdf,        cmdTiff,     cmdClose};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    // What the last window kept.
    SettingsStore settings(m_context.edition);
    settings.load();
    const LogisticSettings kept = readLogisticSettings(settings);
    m_filling = true;
    cboSize->setCurrentIndex(std::max(0, cboSize->findData(int(kept.size))));
    txtSupplier->setPlainText(kept.supplier);
    txtCustomer->setPlainText(kept.customer);
    txtCarrier->setPlainText(kept.carrier);
    txtPrefix->setText(kept.prefix);
    txtExtension->setText(kept.extension);
    m_filling = false;

    connect(cboSize, &QComboBox::currentIndexChanged, this, &LogisticLabelWindow::refresh);
    for (QPlainTextEdit *box : {txtSupplier, txtCustomer, txtCarrier})
        connect(box, &QPlainTextEdit::textChanged, this, &LogisticLabelWindow::refresh);
    for (QLineEdit *box : {txtPrefix, txtExtension, txtSscc})
        connect(box, &QLineEdit::textChanged, this, &LogisticLabelWindow::refresh);
    connect(optSsccSequence, &QRadioButton::toggled, this, &LogisticLabelWindow::refresh);
    // Typing an SSCC chooses it.
    connect(txtSscc, &QLineEdit::textEdited, optSsccTyped, [this] { optSsccTyped->setChecked(true); });
    connect(spnPallets, &QSpinBox::valueChanged, this, &LogisticLabelWindow::refresh);
    connect(chkA4Sheet, &QCheckBox::toggled, this, &LogisticLabelWindow::refresh);
    connect(grdData, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (m_filling || item->column() != AiColumn)
            return refresh();
        // The title follows the AI the user typed.
        m_filling = true;
        grdData->item(item->row(), TitleColumn)->setText(defaultLogisticTitle(rowAi(item->row())));
        m_filling = false;
        refresh();
    });
    connect(cmdAddRow, &QPushButton::clicked, this, [this] {
        const QString ai = cboAddAi->currentData().toString();
        addRow(ai, QString());
        grdData->setCurrentCell(grdData->rowCount() - 1, ai.isEmpty() ? AiColumn : ValueColumn);
        grdData->editItem(grdData->currentItem());
    });
    connect(cmdRemoveRow, &QPushButton::clicked, this, [this] {
        if (grdData->currentRow() >= 0) {
            grdData->removeRow(grdData->currentRow());
            refresh();
        }
    });
    connect(cmdFromRecord, &QPushButton::clicked, this, &LogisticLabelWindow::fillFromRecord);
    connect(cmdFromCsv, &QPushButton::clicked, this, &LogisticLabelWindow::fillFromCsv);
    connect(cmdPrint, &QPushButton::clicked, this, &LogisticLabelWindow::printLabels);
    connect(cmdPreview, &QPushButton::clicked, this, &LogisticLabelWindow::previewLabels);
    connect(cmdPdf, &QPushButton::clicked, this, &LogisticLabelWindow::saveAsPdf);
    connect(cmdTiff, &QPushButton::clicked, this, &LogisticLabelWindow::saveAsTiff);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    refresh();
    // Within the smallest screen the program runs on, 1024 x 768, and within the one it is on.
    QSize size = sizeHint().boundedTo(QSize(1000, 720));
    if (const QScreen *shown = screen())
        size = size.boundedTo(shown->availableGeometry().size());
    resize(size);
}

void LogisticLabelWindow::addRow(const QString &ai, const QString &value)
{
    const bool filling = m_filling;
    m_filling = true;
    const int row = grdData->rowCount();
    grdData->insertRow(row);
    grdData->setItem(row, AiColumn, new QTableWidgetItem(ai));
    grdData->setItem(row, TitleColumn, new QTableWidgetItem(ai.isEmpty() ? QString() : defaultLogisticTitle(ai)));
    grdData->setItem(row, ValueColumn, new QTableWidgetItem(value));
    m_filling = filling;
    refresh();
}

void LogisticLabelWindow::setRowValue(const QString &ai, const QString &value)
{
    for (int row = 0; row < grdData->rowCount(); ++row)
        if (rowAi(row) == ai) {
            grdData->item(row, ValueColumn)->setText(value);
            return;
        }
    addRow(ai, value);
}

QString LogisticLabelWindow::rowAi(int row) const
{
    const QTableWidgetItem *item = grdData->item(row, AiColumn);
    QString text = item ? item->text().trimmed() : QString();
    if (text.startsWith(u'(') && text.endsWith(u')'))
        text = text.mid(1, text.size() - 2).trimmed();
    const bool digits = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
    if (digits)
        return text;
    // A name: "Batch", "Bäst före".
    const QString named = aiForColumnHeader(text);
    return named.isEmpty() ? text : named;
}

bool LogisticLabelWindow::fromSequence() const
{
    return optSsccSequence->isChecked();
}

bool LogisticLabelWindow::a4Sheet() const
{
    return chkA4Sheet->isEnabled() && chkA4Sheet->isChecked();
}

LogisticLabelRequest LogisticLabelWindow::request() const
{
    LogisticLabelRequest made;
    made.size = LogisticSize(cboSize->currentData().toInt());
    made.supplier = blockText(txtSupplier);
    made.customer = blockText(txtCustomer);
    made.carrier = blockText(txtCarrier);
    for (int row = 0; row < grdData->rowCount(); ++row) {
        const QString ai = rowAi(row);
        const QString value = grdData->item(row, ValueColumn)->text().trimmed();
        if (ai.isEmpty() && value.isEmpty())
            continue;
        made.elements.append({ai, value});
        // A title of the user's own, in place of the English one.
        const QString title = grdData->item(row, TitleColumn)->text().trimmed();
        if (!ai.isEmpty() && !title.isEmpty() && title != defaultLogisticTitle(ai))
            made.titles.insert(ai, title);
    }
    if (fromSequence())
        made.ssccPrefixLength = int(txtPrefix->text().size());
    return made;
}

QString LogisticLabelWindow::fieldProblem() const
{
    for (const Gs1Element &element : request().elements) {
        if (element.ai.isEmpty())
            return tr("A row has a value but no application identifier: give it one, such as 10 for a batch");
        if (element.ai.endsWith(u'n'))
            return tr("(%1): give the AI with its number of decimals, such as %2 for 3 decimals")
                .arg(element.ai, element.ai.chopped(1) + u'3');
        if (element.ai == u"00")
            return tr("(00): the SSCC is taken from the sequence or typed above, not given in a row");
    }
    if (fromSequence())
        return ssccKeyProblem(txtPrefix->text().trimmed(), txtExtension->text().trimmed());
    if (spnPallets->value() > 1)
        return tr("A typed SSCC is for one pallet: take the SSCCs from the sequence for %1 pallets")
            .arg(spnPallets->value());
    return {};
}

LogisticLayout LogisticLabelWindow::trialLayout(double dotsPerMm) const
{
    LogisticLayout refused;
    refused.error = fieldProblem();
    if (!refused.ok())
        return refused;
    const QString sscc = fromSequence()
                             ? makeSscc(txtExtension->text().trimmed(), txtPrefix->text().trimmed(), u"0"_s).digits
                             : txtSscc->text().trimmed();
    return layoutLogisticLabel(withSscc(request(), sscc), dotsPerMm);
}

QString LogisticLabelWindow::verdict() const
{
    return lblVerdict->text();
}

void LogisticLabelWindow::refresh()
{
    if (m_filling)
        return;
    chkA4Sheet->setEnabled(LogisticSize(cboSize->currentData().toInt()) == LogisticSize::A6);
    txtPrefix->setEnabled(fromSequence());
    txtExtension->setEnabled(fromSequence());

    const LogisticLayout trial = trialLayout();
    QString text;
    if (!trial.ok()) {
        text = u"⚠ "_s + trial.error;
        picPreview->setPixmap({});
        picPreview->setText(tr("No preview: the data is refused."));
    } else {
        const int pallets = spnPallets->value();
        if (!fromSequence())
            text = tr("Ready: %1 symbols, SSCC %2.").arg(trial.symbols.size()).arg(trial.sscc);
        else if (pallets == 1)
            text = tr("Ready: %1 symbols on the label. The preview shows a stand-in SSCC: the pallet's SSCC is "
                      "taken from the sequence when the label is printed or saved.")
                       .arg(trial.symbols.size());
        else
            text = tr("Ready: %1 symbols on each label. The preview shows a stand-in SSCC: the %2 SSCCs are taken "
                      "from the sequence when the labels are printed or saved.")
                       .arg(trial.symbols.size())
                       .arg(pallets);
        // The label as large as the preview's room allows, at the screen's density.
        const QSizeF pageMm = trial.pageMm;
        const double unitsPerMm = std::min(kPreviewWidth / pageMm.width(), kPreviewHeight / pageMm.height());
        const qreal ratio = devicePixelRatioF();
        QImage picture((pageMm * unitsPerMm * ratio).toSize(), QImage::Format_RGB32);
        picture.fill(Qt::white);
        {
            QPainter painter(&picture);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            paintLogisticLabel(painter, trial, unitsPerMm * ratio);
            painter.setPen(Qt::gray);
            painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
        }
        picture.setDevicePixelRatio(ratio);
        picPreview->setPixmap(QPixmap::fromImage(picture));
    }
    if (!m_used.isEmpty())
        text += u"\n\n"_s + tr("SSCC %1 used.").arg(m_used);
    lblVerdict->setText(text);
}

std::optional<QList<LogisticLayout>> LogisticLabelWindow::takeLabels(double dotsPerMm)
{
    // The data is checked, with a stand-in SSCC, before any SSCC is taken.
    const LogisticLayout trial = trialLayout(dotsPerMm);
    if (!trial.ok()) {
        ask(trial.error, windowTitle(), PromptIcon::Exclamation, PromptButtons::Ok, kLogisticHelpContext);
        return std::nullopt;
    }
    if (!fromSequence()) {
        m_used = trial.sscc;
        refresh();
        return QList<LogisticLayout>{trial};
    }

    const int pallets = spnPallets->value();
    const SsccTake take = SsccStore::forEdition(m_context.edition)
                              .takeSsccs(txtPrefix->text().trimmed(), txtExtension->text().trimmed(), pallets,
                                         tr("logistic label, pallet {n} of %1").arg(pallets));
    if (!take.ok()) {
        ask(take.error, windowTitle(), PromptIcon::Critical, PromptButtons::Ok, kLogisticHelpContext);
        return std::nullopt;
    }
    m_used = take.ssccs.size() == 1 ? take.ssccs.constFirst()
                                    : tr("%1 to %2").arg(take.ssccs.constFirst(), take.ssccs.constLast());
    refresh();
    const LogisticLabelRequest base = request();
    QList<LogisticLayout> labels;
    for (const QString &sscc : take.ssccs) {
        labels.append(layoutLogisticLabel(withSscc(base, sscc), dotsPerMm));
        if (!labels.constLast().ok()) {
            reportFailure(labels.constLast().error);
            return std::nullopt;
        }
    }
    return labels;
}

void LogisticLabelWindow::reportFailure(const QString &problem)
{
    QString text = problem;
    // A counter never goes back: the numbers of a failed output are gaps, not repeats.
    if (fromSequence())
        text += u"\n\n"_s + tr("The SSCCs taken for these labels stay taken and are not given again: %1").arg(m_used);
    ask(text, windowTitle(), PromptIcon::Critical, PromptButtons::Ok, kLogisticHelpContext);
}

void LogisticLabelWindow::printLabels()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    PrintRequest print;
    print.title = windowTitle();
    if (!userPrompt().choosePrinter(printer, print))
        return;
    // Bars of whole printer dots.
    const std::optional<QList<LogisticLayout>> labels = takeLabels(printer.resolution() / kMmPerInch);
    if (!labels)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString problem = paintLogisticPages(printer, *labels, a4Sheet());
    QApplication::restoreOverrideCursor();
    if (!problem.isEmpty())
        reportFailure(problem);
}

void LogisticLabelWindow::previewLabels()
{
    const LogisticLayout trial = trialLayout();
    if (!trial.ok()) {
        ask(trial.error, windowTitle(), PromptIcon::Exclamation, PromptButtons::Ok, kLogisticHelpContext);
        return;
    }
    // The pages as they will print, every pallet's label with the stand-in SSCC: the real ones
    // are taken only when the labels are printed.
    const QList<LogisticLayout> labels(fromSequence() ? spnPallets->value() : 1, trial);
    const bool sheet = a4Sheet();
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(logisticSheetMm(labels, sheet), QPageSize::Millimeter),
                                      QPageLayout::Portrait, QMarginsF()));
    PagePreviewRequest request;
    request.title = windowTitle();
    request.pageCount = logisticPageCount(labels.size(), sheet);
    request.paintPage = [&labels, sheet](QPainter &painter, const QPaintDevice &device, int page) {
        paintLogisticPage(painter, labels, sheet, page, device.logicalDpiX() / kMmPerInch);
    };
    if (userPrompt().previewPages(printer, request))
        printLabels();
}

void LogisticLabelWindow::saveAsPdf()
{
    FileRequest file;
    file.mode = FileRequest::Mode::Save;
    file.title = tr("Save PDF");
    file.filter = tr("PDF (*.pdf)");
    file.extensionFromFilter = true;
    const QString path = userPrompt().chooseFile(file);
    if (path.isEmpty())
        return;
    const std::optional<QList<LogisticLayout>> labels = takeLabels(0);
    if (!labels)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const LogisticPdfResult written = writeLogisticPdf(path, *labels, a4Sheet());
    QApplication::restoreOverrideCursor();
    if (!written.ok())
        reportFailure(written.message());
}

void LogisticLabelWindow::saveAsTiff()
{
    FileRequest file;
    file.mode = FileRequest::Mode::Save;
    file.title = tr("Save TIFF");
    file.filter = tr("TIFF (*.tif)");
    file.extensionFromFilter = true;
    const QString path = userPrompt().chooseFile(file);
    if (path.isEmpty())
        return;
    const int dpi = m_context.tiffDpi > 0 ? m_context.tiffDpi : 300;
    const std::optional<QList<LogisticLayout>> labels = takeLabels(dpi / kMmPerInch);
    if (!labels)
        return;
    // One file a pallet: name.tif, name-2.tif, name-3.tif ...
    const QFileInfo first(path);
    const QString suffix = first.suffix().isEmpty() ? QString() : u"."_s + first.suffix();
    const QString stem = first.dir().filePath(first.completeBaseName());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (qsizetype i = 0; i < labels->size(); ++i) {
        const QString name = i == 0 ? path : stem + u'-' + QString::number(i + 1) + suffix;
        const SaveResult saved = saveLogisticTiff(name, labels->at(i), dpi);
        if (!saved.ok) {
            QApplication::restoreOverrideCursor();
            reportFailure(tr("%1 was not written: %2").arg(QDir::toNativeSeparators(name), saved.message));
            return;
        }
    }
    QApplication::restoreOverrideCursor();
}

void LogisticLabelWindow::fillFromRecord()
{
    const QString gtin = m_context.recordGtin ? gtin14(m_context.recordGtin()) : QString();
    if (gtin.isEmpty()) {
        ask(tr("The main window shows no code with a GTIN: make one, or click a record of the list, first."),
            windowTitle(), PromptIcon::Exclamation, PromptButtons::Ok, kLogisticHelpContext);
        return;
    }
    setRowValue(u"02"_s, gtin);
}

void LogisticLabelWindow::fillFromCsv()
{
    FileRequest file;
    file.mode = FileRequest::Mode::Open;
    file.title = tr("From CSV Row");
    file.filter = tr("CSV files (*.csv *.txt);;All files (*)");
    const QString path = userPrompt().chooseFile(file);
    if (path.isEmpty())
        return;
    CsvReader reader = CsvReader::fromFile(path);
    const QList<CsvRow> rows = readCsvRows(reader, 2);
    if (!reader.ok()) {
        ask(reader.error(), windowTitle(), PromptIcon::Critical, PromptButtons::Ok, kLogisticHelpContext);
        return;
    }
    const QString shown = QDir::toNativeSeparators(path);
    if (rows.size() < 2) {
        ask(tr("%1 has no record below its header row.").arg(shown), windowTitle(), PromptIcon::Exclamation,
            PromptButtons::Ok, kLogisticHelpContext);
        return;
    }
    QList<Gs1Element> found;
    const QStringList &header = rows.at(0).fields;
    for (qsizetype i = 0; i < header.size(); ++i) {
        const QString ai = aiForColumnHeader(header.at(i));
        const QString value = rows.at(1).fields.value(i).trimmed();
        if (ai.isEmpty() || value.isEmpty())
            continue;
        // A barcode column holds the GTIN of the goods on the pallet: its CONTENT.
        if (ai == u"01")
            found.append({u"02"_s, gtin14(value)});
        else
            found.append(measureFromNumber(ai, value));
    }
    if (found.isEmpty()) {
        ask(tr("No column of %1 names an application identifier, such as Batch or (10).").arg(shown), windowTitle(),
            PromptIcon::Exclamation, PromptButtons::Ok, kLogisticHelpContext);
        return;
    }
    m_filling = true;
    for (const Gs1Element &element : std::as_const(found))
        setRowValue(element.ai, element.value);
    m_filling = false;
    refresh();
}

void LogisticLabelWindow::saveSettings()
{
    SettingsStore settings(m_context.edition);
    settings.load();
    LogisticSettings values;
    values.supplier = blockText(txtSupplier);
    values.customer = blockText(txtCustomer);
    values.carrier = blockText(txtCarrier);
    values.size = LogisticSize(cboSize->currentData().toInt());
    values.prefix = txtPrefix->text().trimmed();
    values.extension = txtExtension->text().trimmed();
    writeLogisticSettings(settings, values);
    if (!settings.save())
        ask(tr("The logistic label's supplier, customer, carrier, size and company prefix could not be kept for "
               "the next time: %1")
                .arg(settings.saveProblem()),
            windowTitle(), PromptIcon::Exclamation, PromptButtons::Ok, kLogisticHelpContext);
}

void LogisticLabelWindow::done(int result)
{
    saveSettings();
    QDialog::done(result);
}

} // namespace Kelbrix
