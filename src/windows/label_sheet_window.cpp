#include "windows/label_sheet_window.h"
#include "widgets/translation.h"
#include "base/units.h"

#include "widgets/named.h"
#include "windows/label_template_dialog.h"
#include "windows/sheet_preview.h"
#include "base/user_prompt.h"
#include "settings/settings_store.h"
#include "sheet/calibration_page.h"
#include "sheet/sheet_settings.h"

#include <QCoreApplication>
#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QToolBar>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QScreen>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// The resolution the preview and the PDF file are planned at.
constexpr int kPdfDpi = 600;
// Records named in the message about labels left out; the rest are counted.
constexpr int kNamedRefusals = 10;

} // namespace

frmLabels::frmLabels(const QList<ListRecord> &records, Edition edition, const LabelAppearance &appearance,
                     SettingsStore &settings, QWidget *parent)
    : QDialog(parent), m_records(records), m_edition(edition), m_appearance(appearance), m_settings(settings),
      m_ownTemplates(storedTemplates(settings))
{
    setObjectName(u"frmLabels"_s);
    setWindowTitle(QCoreApplication::translate("frmLabels", "Print Labels"));

    cboTemplate = named(new QComboBox(this), u"cboTemplate"_s);
    // The sheets' long names do not set the window's width: the list shows them whole.
    cboTemplate->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboTemplate->setMinimumContentsLength(24);
    cmdEditSheet =
        named(new QPushButton(QCoreApplication::translate("frmLabels", "Ed&it Sheet..."), this), u"cmdEditSheet"_s);
    cmdDeleteSheet =
        named(new QPushButton(QCoreApplication::translate("frmLabels", "Delete S&heet"), this), u"cmdDeleteSheet"_s);
    auto *cmdNewSheet =
        named(new QPushButton(QCoreApplication::translate("frmLabels", "Ne&w Sheet..."), this), u"cmdNewSheet"_s);
    cboPrinter = named(new QComboBox(this), u"cboPrinter"_s);
    cboPrinter->addItem(pdfPrinterName());
    cboPrinter->addItems(QPrinterInfo::availablePrinterNames());
    cboPrinter->setCurrentText(QPrinterInfo::defaultPrinterName());
    txtStart = named(new QSpinBox(this), u"txtStart"_s);
    txtCopies = named(new QSpinBox(this), u"txtCopies"_s);
    txtCopies->setRange(1, 999);
    const auto millimetres = [this](const QString &name, double lowest, double highest, const QString &suffix) {
        auto *box = named(new QDoubleSpinBox(this), name);
        box->setRange(lowest, highest);
        box->setDecimals(1);
        box->setSingleStep(0.1);
        box->setSuffix(suffix);
        return box;
    };
    const double offset = SheetCalibration::kLargestOffset;
    txtOffsetX = millimetres(u"txtOffsetX"_s, -offset, offset, QCoreApplication::translate("frmLabels", " mm"));
    txtOffsetY = millimetres(u"txtOffsetY"_s, -offset, offset, QCoreApplication::translate("frmLabels", " mm"));
    txtScale = millimetres(u"txtScale"_s, SheetCalibration::kSmallestScale, SheetCalibration::kLargestScale, u" %"_s);
    txtScale->setValue(100);
    lblSummary = named(new QLabel(this), u"lblSummary"_s);
    lblSummary->setWordWrap(true);

    auto *choices = new QFormLayout;
    addLabelledRow(choices, this, QCoreApplication::translate("frmLabels", "&Label sheet:"), cboTemplate);
    auto *sheetButtons = new QHBoxLayout;
    sheetButtons->addWidget(cmdNewSheet);
    sheetButtons->addWidget(cmdEditSheet);
    sheetButtons->addWidget(cmdDeleteSheet);
    choices->addRow(sheetButtons);
    addLabelledRow(choices, this, QCoreApplication::translate("frmLabels", "&Start at label:"), txtStart);
    addLabelledRow(choices, this, QCoreApplication::translate("frmLabels", "&Copies of each record:"), txtCopies);
    auto *calibration = new QGroupBox(QCoreApplication::translate("frmLabels", "Printer calibration"), this);
    auto *calibrationForm = new QFormLayout(calibration);
    addLabelledRow(calibrationForm, calibration, QCoreApplication::translate("frmLabels", "Pri&nter:"), cboPrinter);
    addLabelledRow(calibrationForm, calibration, QCoreApplication::translate("frmLabels", "Move &right:"), txtOffsetX);
    addLabelledRow(calibrationForm, calibration, QCoreApplication::translate("frmLabels", "Move &down:"), txtOffsetY);
    addLabelledRow(calibrationForm, calibration, QCoreApplication::translate("frmLabels", "Sc&ale:"), txtScale);
    auto *cmdCalibration =
        named(new QPushButton(QCoreApplication::translate("frmLabels", "Calibration Pa&ge..."), calibration),
              u"cmdCalibration"_s);
    cmdCalibration->setToolTip(QCoreApplication::translate(
        "frmLabels", "Print a page with rulers and crosshairs to measure the printer's offsets"));
    calibrationForm->addRow(cmdCalibration);
    connect(cmdCalibration, &QPushButton::clicked, this, &frmLabels::printCalibrationPage);

    picPreview = named(new SheetPreview(this), u"picPreview"_s);
    cmdPrevious = named(new QPushButton(u"<"_s, this), u"cmdPrevious"_s);
    cmdNext = named(new QPushButton(u">"_s, this), u"cmdNext"_s);
    cmdPrevious->setToolTip(QCoreApplication::translate("frmLabels", "Previous page"));
    cmdNext->setToolTip(QCoreApplication::translate("frmLabels", "Next page"));
    lblPage = named(new QLabel(this), u"lblPage"_s);
    lblPage->setAlignment(Qt::AlignCenter);
    auto *pages = new QHBoxLayout;
    pages->addWidget(cmdPrevious);
    pages->addWidget(lblPage, 1);
    pages->addWidget(cmdNext);

    auto *buttons = new QDialogButtonBox(this);
    auto *cmdPrint =
        named(buttons->addButton(QCoreApplication::translate("frmLabels", "&Print..."), QDialogButtonBox::AcceptRole),
              u"cmdPrint"_s);
    auto *cmdPreview = named(
        buttons->addButton(QCoreApplication::translate("frmLabels", "Print Pre&view..."), QDialogButtonBox::ActionRole),
        u"cmdPreview"_s);
    auto *cmdPdf = named(
        buttons->addButton(QCoreApplication::translate("frmLabels", "Save as PD&F..."), QDialogButtonBox::ActionRole),
        u"cmdPdf"_s);
    named(buttons->addButton(QDialogButtonBox::Close), u"cmdClose"_s);
    // The print buttons do their work and leave the window open for another job.
    cmdPrint->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(cmdPrint, &QPushButton::clicked, this, &frmLabels::printLabels);
    connect(cmdPreview, &QPushButton::clicked, this, &frmLabels::previewLabels);
    connect(cmdPdf, &QPushButton::clicked, this, &frmLabels::saveAsPdf);

    auto *left = new QVBoxLayout;
    left->addLayout(choices);
    left->addWidget(calibration);
    left->addWidget(lblSummary);
    left->addStretch(1);
    auto *right = new QVBoxLayout;
    right->addWidget(picPreview, 1);
    right->addLayout(pages);
    auto *top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);

    // The last choices come back; the calibration shown is the chosen printer's.
    const SheetChoices last = storedChoices(m_settings);
    fillTemplates(last.templateName);
    txtStart->setRange(1, 1000);
    txtStart->setValue(last.startAt);
    txtCopies->setValue(last.copies);
    printerChanged();

    connect(cboTemplate, &QComboBox::currentIndexChanged, this, &frmLabels::choicesChanged);
    for (QSpinBox *box : {txtStart, txtCopies})
        connect(box, &QSpinBox::valueChanged, this, &frmLabels::choicesChanged);
    for (QDoubleSpinBox *box : {txtOffsetX, txtOffsetY, txtScale})
        connect(box, &QDoubleSpinBox::valueChanged, this, &frmLabels::calibrationChanged);
    connect(cboPrinter, &QComboBox::currentIndexChanged, this, &frmLabels::printerChanged);
    connect(cmdNewSheet, &QPushButton::clicked, this, &frmLabels::newSheet);
    connect(cmdEditSheet, &QPushButton::clicked, this, &frmLabels::editSheet);
    connect(cmdDeleteSheet, &QPushButton::clicked, this, &frmLabels::deleteSheet);
    connect(cmdPrevious, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    choicesChanged();
    // As large as is pleasant, but never larger than the screen (a scaled desktop has fewer
    // pixels to give).
    QSize size(920, 640);
    if (const QScreen *shown = screen())
        size = size.boundedTo(shown->availableGeometry().size() * 0.9);
    resize(size);
}

frmLabels::~frmLabels() = default;

QString frmLabels::pdfPrinterName()
{
    return QCoreApplication::translate("frmLabels", "PDF file");
}

void frmLabels::fillTemplates(const QString &current)
{
    const QSignalBlocker quiet(cboTemplate);
    m_templates = builtInTemplates() + m_ownTemplates;
    cboTemplate->clear();
    for (const LabelTemplate &sheet : std::as_const(m_templates))
        cboTemplate->addItem(sheet.products.isEmpty() ? sheet.name
                                                      : sheet.name + u" ("_s + sheet.products.join(u", "_s) + u')');
    int index = 0;
    for (qsizetype i = 0; i < m_templates.size(); ++i)
        if (m_templates[i].name == current)
            index = int(i);
    cboTemplate->setCurrentIndex(index);
}

SheetCalibration frmLabels::calibrationFor(const QString &printer) const
{
    if (printer == cboPrinter->currentText())
        return {txtOffsetX->value(), txtOffsetY->value(), txtScale->value()};
    return storedCalibration(m_settings, printer);
}

void frmLabels::printerChanged()
{
    const SheetCalibration calibration = storedCalibration(m_settings, cboPrinter->currentText());
    for (auto [box, value] : {std::pair{txtOffsetX, calibration.offsetX}, std::pair{txtOffsetY, calibration.offsetY},
                              std::pair{txtScale, calibration.scalePercent}}) {
        const QSignalBlocker quiet(box);
        box->setValue(value);
    }
    choicesChanged();
}

void frmLabels::calibrationChanged()
{
    storeCalibration(m_settings, cboPrinter->currentText(),
                     {txtOffsetX->value(), txtOffsetY->value(), txtScale->value()});
    choicesChanged();
}

SheetJob frmLabels::job(int printerDpi) const
{
    SheetJob made;
    made.sheet = m_templates.value(cboTemplate->currentIndex());
    made.startAt = txtStart->value();
    made.copies = txtCopies->value();
    made.printerDpi = printerDpi;
    made.calibration = calibrationFor(cboPrinter->currentText());
    made.edition = m_edition;
    made.appearance = m_appearance;
    made.gs1 = m_gs1;
    return made;
}

void frmLabels::setGs1Request(const Gs1Request &request)
{
    m_gs1 = request;
    choicesChanged();
}

void frmLabels::choicesChanged()
{
    const LabelTemplate sheet = m_templates.value(cboTemplate->currentIndex());
    txtStart->setRange(1, std::max(1, sheet.labelsPerSheet()));
    const bool own = cboTemplate->currentIndex() >= builtInTemplates().size();
    cmdEditSheet->setEnabled(own);
    cmdDeleteSheet->setEnabled(own);
    storeChoices(m_settings, {sheet.name, txtStart->value(), txtCopies->value()});
    // Fitting every label again is only needed for labels of another size: a start, copies, a
    // calibration or another sheet of the same labels only move the labels already fitted, at
    // once even for a long list.
    const SheetJob wanted = job(kPdfDpi);
    if (!m_plan || !m_plan->place(wanted)) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_plan = std::make_unique<SheetPlan>(m_records, wanted);
        QApplication::restoreOverrideCursor();
    }
    QString summary = QCoreApplication::translate("frmLabels", "%1 records: %2 labels on %3 pages.")
                          .arg(m_records.size())
                          .arg(m_plan->labels())
                          .arg(m_plan->pages());
    if (!m_plan->refused().isEmpty())
        summary +=
            QCoreApplication::translate("frmLabels", "\n%1 records do not fit this label and are left out, first %2")
                .arg(m_plan->refused().size())
                .arg(m_plan->refused().constFirst());
    lblSummary->setText(summary);
    showPage(std::min(m_page, std::max(0, m_plan->pages() - 1)));
}

void frmLabels::showPage(int page)
{
    m_page = std::clamp(page, 0, std::max(0, m_plan->pages() - 1));
    lblPage->setText(QCoreApplication::translate("frmLabels", "Page %1 of %2")
                         .arg(m_plan->pages() ? m_page + 1 : 0)
                         .arg(m_plan->pages()));
    cmdPrevious->setEnabled(m_page > 0);
    cmdNext->setEnabled(m_page + 1 < m_plan->pages());
    picPreview->show(m_plan.get(), m_page);
}

void frmLabels::reportLeftOut(const SheetPlan &plan)
{
    const QStringList &refused = plan.refused();
    if (refused.isEmpty())
        return;
    QString text = refused.mid(0, kNamedRefusals).join(u'\n');
    if (refused.size() > kNamedRefusals)
        text += QCoreApplication::translate("frmLabels", "\n... and %1 more.").arg(refused.size() - kNamedRefusals);
    ask(text, windowTitle(), PromptIcon::Exclamation, PromptButtons::Ok);
}

void frmLabels::runJob(QPrinter &printer, const SheetPlan &plan)
{
    QProgressDialog progress(QCoreApplication::translate("frmLabels", "Printing labels..."), u"Cancel"_s, 0,
                             plan.pages(), this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const SheetOutcome outcome = paintSheets(printer, plan, [&progress](int page, int) {
        progress.setValue(page);
        return !progress.wasCanceled();
    });
    progress.reset();
    if (!outcome.error.isEmpty())
        ask(outcome.error, windowTitle(), PromptIcon::Critical, PromptButtons::Ok);
    reportLeftOut(plan);
}

void frmLabels::printLabels()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    PrintRequest request;
    request.title = windowTitle();
    if (!userPrompt().choosePrinter(printer, request))
        return;
    SheetJob printJob = job(printer.resolution());
    printJob.calibration = calibrationFor(printer.printerName());
    const SheetPlan plan(m_records, printJob);
    runJob(printer, plan);
}

void frmLabels::printCalibrationPage()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    if (cboPrinter->currentText() != pdfPrinterName())
        printer.setPrinterName(cboPrinter->currentText());
    PrintRequest request;
    request.title = QCoreApplication::translate("frmLabels", "Calibration Page");
    if (!userPrompt().choosePrinter(printer, request))
        return;
    if (!paintCalibrationPage(printer, m_templates.value(cboTemplate->currentIndex()),
                              calibrationFor(printer.printerName())))
        ask(QCoreApplication::translate("frmLabels", "The calibration page could not be printed."), windowTitle(),
            PromptIcon::Critical, PromptButtons::Ok);
}

void frmLabels::newSheet()
{
    QStringList taken;
    for (const LabelTemplate &sheet : std::as_const(m_templates))
        taken << sheet.name;
    LabelTemplate start = m_templates.value(cboTemplate->currentIndex());
    start.name = QCoreApplication::translate("frmLabels", "My sheet");
    start.products.clear();
    frmLabelTemplate editor(start, taken, this);
    if (editor.exec() != QDialog::Accepted)
        return;
    m_ownTemplates << editor.sheet();
    storeTemplates(m_settings, m_ownTemplates);
    fillTemplates(editor.sheet().name);
    choicesChanged();
}

void frmLabels::editSheet()
{
    const qsizetype own = cboTemplate->currentIndex() - builtInTemplates().size();
    if (own < 0 || own >= m_ownTemplates.size())
        return;
    QStringList taken;
    for (const LabelTemplate &sheet : std::as_const(m_templates))
        if (sheet.name != m_ownTemplates[own].name)
            taken << sheet.name;
    frmLabelTemplate editor(m_ownTemplates[own], taken, this);
    if (editor.exec() != QDialog::Accepted)
        return;
    m_ownTemplates[own] = editor.sheet();
    storeTemplates(m_settings, m_ownTemplates);
    fillTemplates(editor.sheet().name);
    choicesChanged();
}

void frmLabels::deleteSheet()
{
    const qsizetype own = cboTemplate->currentIndex() - builtInTemplates().size();
    if (own < 0 || own >= m_ownTemplates.size())
        return;
    if (ask(QCoreApplication::translate("frmLabels", "Delete the label sheet %1?").arg(m_ownTemplates[own].name),
            windowTitle(), PromptIcon::Question, PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    m_ownTemplates.removeAt(own);
    storeTemplates(m_settings, m_ownTemplates);
    fillTemplates(QString());
    choicesChanged();
}

void frmLabels::previewLabels()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    const SheetPlan plan(m_records, job(printer.resolution()));
    printer.setPageLayout(QPageLayout(QPageSize(plan.job().sheet.page), QPageLayout::Portrait, QMarginsF()));
    PagePreviewRequest request;
    request.title = windowTitle();
    request.pageCount = plan.pages();
    request.paintPage = [&plan](QPainter &painter, const QPaintDevice &device, int page) {
        const double scale = device.logicalDpiX() / double(plan.job().printerDpi);
        painter.scale(scale, scale);
        plan.paintPage(painter, page, true);
    };
    if (plan.pages() > 0 && userPrompt().previewPages(printer, request)) {
        PrintRequest print;
        print.title = windowTitle();
        if (userPrompt().choosePrinter(printer, print))
            runJob(printer, plan);
    }
}

void frmLabels::saveAsPdf()
{
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.title = QCoreApplication::translate("frmLabels", "Save as PDF");
    request.filter = QCoreApplication::translate("frmLabels", "PDF (*.pdf)");
    request.extensionFromFilter = true;
    const QString path = userPrompt().chooseFile(request);
    if (path.isEmpty())
        return;
    SheetJob pdfJob = job(kPdfDpi);
    pdfJob.calibration = calibrationFor(pdfPrinterName());
    const SheetPlan plan(m_records, pdfJob);
    QProgressDialog progress(
        QCoreApplication::translate("frmLabels", "Writing %1...").arg(QDir::toNativeSeparators(path)), u"Cancel"_s, 0,
        plan.pages(), this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const SheetPdfResult written = writeSheetPdf(path, plan, [&progress](int page, int) {
        progress.setValue(page);
        return !progress.wasCanceled();
    });
    progress.reset();
    if (written.outcome.stopped)
        return;
    if (!written.outcome.error.isEmpty())
        ask(written.outcome.error, windowTitle(), PromptIcon::Critical, PromptButtons::Ok);
    else if (written.outcome.labels == 0)
        ask(QCoreApplication::translate("frmLabels", "No label fits this sheet: nothing was written."), windowTitle(),
            PromptIcon::Exclamation, PromptButtons::Ok);
    else if (!written.saved.ok)
        ask(written.saved.message, windowTitle(), PromptIcon::Critical, PromptButtons::Ok);
    reportLeftOut(plan);
}

void installLabelSheetCommands(QWidget *window, QMenu *fileMenu, QAction *menuAfter, QToolBar *toolbar,
                               QAction *toolbarAfter, QAction *leader, const LabelSheetSource &source,
                               SettingsStore &settings)
{
    auto *menuAction =
        named(translated(new QAction(fileMenu), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "Print &Labels...")),
              u"mnuLabels"_s);
    menuAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    insertActionAfter(fileMenu, menuAfter, menuAction);
    auto *button = named(translated(new QAction(QIcon(u":/icons/labels.svg"_s), QString(), toolbar), "text", "Form1",
                                    QT_TRANSLATE_NOOP("Form1", "Labels")),
                         u"Toolbar1_Labels"_s);
    setTranslated(button, "toolTip", "Form1", QT_TRANSLATE_NOOP("Form1", "Print Labels on Label Sheets"));
    insertActionAfter(toolbar, toolbarAfter, button);
    for (QAction *action : {menuAction, button}) {
        followEnabled(leader, action);
        QObject::connect(action, &QAction::triggered, window, [window, source, &settings] {
            frmLabels labels(source.records(), source.edition, source.appearance(), settings, window);
            if (source.gs1)
                labels.setGs1Request(source.gs1());
            labels.exec();
        });
    }
}

} // namespace Kelbrix
