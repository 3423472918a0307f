// The barcode view update: selects the options of the TypeCode, sizes the renderer, hands it
// the data and the supplement, completes short entries with the renderer's check digit and
// composes the labels; and the label as it leaves the window.
#include "mainwindow/label_panel.h"

#include "settings/settings_store.h"
#include "windows/gs1_data_window.h"

#include "artwork/artwork.h"
#include "base/units.h"
#include "base/user_prompt.h"
#include "label/label_image.h"
#include "label/record_label.h"
#include "label/vector_writers.h"
#include "mainwindow/batch_runner.h"
#include "mainwindow/entry_panel.h"
#include "mainwindow/form1.h"
#include "mainwindow/list_panel.h"
#include "mainwindow/parameter_windows.h"
#include "mainwindow/type_options.h"
#include "mainwindow/verify_panel.h"
#include "render/view_update_plan.h"
#include "widgets/label_picture.h"
#include "widgets/named.h"
#include "widgets/translation.h"
#include "windows/frm_bar_size.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

LabelPanel::LabelPanel(Form1 &form) : QObject(&form), m_form(form)
{
}

QFrame *LabelPanel::build(QWidget *parent)
{
    pictureArea = named(new QFrame(parent), u"pictureArea"_s);
    pictureArea->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QGridLayout(pictureArea);
    picTST = new LabelPicture(u"picTST"_s, pictureArea);
    picTST1 = new LabelPicture(u"picTST1"_s, pictureArea);
    // The bare symbols and the spacer are working pictures.
    Pstrk = new LabelPicture(u"Pstrk"_s, pictureArea);
    picBarcode1 = new LabelPicture(u"picBarcode1"_s, pictureArea);
    picMellan = new LabelPicture(u"picMellan"_s, pictureArea);
    for (LabelPicture *working : {Pstrk, picBarcode1, picMellan})
        working->hide();

    // Before the first label the pictures have the size of an EAN-13's label with its product line.
    LabelDescription first;
    first.symbolWidthTwips = first.labelWidthTwips = Barcode1.widthTwips();
    first.symbolHeightTwips = Barcode1.heightTwips();
    first.product = u" "_s;
    const LabelLayout firstLayout = layoutLabel(first);
    picTST->setWidthTwips(firstLayout.size.width());
    picTST->setHeightTwips(firstLayout.size.height());
    picTST->clear();
    Pstrk->setWidthTwips(firstLayout.symbol.width());
    Pstrk->setHeightTwips(firstLayout.symbolPictureHeight);
    picMellan->setWidthTwips(1815);
    picMellan->setHeightTwips(285);
    picMellan->clear();

    chkDefined = named(
        translated(new QCheckBox(pictureArea), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "&Use Defined Barcode")),
        u"chkDefined"_s);
    cmdToRTF1 = named(new QPushButton(u">>"_s, pictureArea), u"cmdToRTF1"_s);
    layout->addWidget(picTST, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(picTST1, 0, 1, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(chkDefined, 1, 0);
    layout->addWidget(cmdToRTF1, 1, 1, Qt::AlignRight);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(0, 1);
    // The area is as large as its layout needs, never less: the pictures hold the labels they
    // show, so a larger label makes the area (and, when needed, the window) larger.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->setColumnMinimumWidth(0, m_form.fontMetrics().averageCharWidth() * 20);
    return pictureArea;
}

void LabelPanel::connectHandlers()
{
    connect(chkDefined, &QCheckBox::clicked, this, [this](bool checked) {
        onUseDefined();
        emit definedClicked(checked);
    });
}

void LabelPanel::addVerifyPanel(QStatusBar *statusBar, HintPanel &hints)
{
    m_verify = new VerifyPanel(statusBar, hints, [this] {
        // A batch draws one label after another and reads back the files it writes itself;
        // reading every passing label as well would only slow it down.
        if (m_form.batch().recordInWork() != 0 || !Barcode1.hasSymbol())
            return VerifyPanel::Label{};
        return VerifyPanel::Label{picTST->image(),
                                  m_form.entry().typeCode(),
                                  Barcode1.data(),
                                  Barcode1.supplement(),
                                  {m_gs1.carrier, m_gs1.dual, m_mainGs1}};
    });
}

double LabelPanel::labelDotsPerInch() const
{
    // Labels are made at print resolution (300 dpi) at least, so they stay sharp and
    // scannable when copied to other programs, and on high-density screens.
    return std::max(300.0, m_form.logicalDpiX() * m_form.devicePixelRatioF());
}

void LabelPanel::rendererRefused(const BarcodeRenderer &renderer)
{
    if (m_form.entry().typeCode().startsWith(u"UPP"_s)) {
        if (!m_refusalShown && m_form.batch().recordInWork() == 0) {
            m_refusalShown = true;
            ask(QCoreApplication::translate("Form1",
                                            "The UPC A number %1 can not be shown as UPC E: only UPC A numbers of "
                                            "number system 0 or 1 with enough zeros can be zero-suppressed. "
                                            "Make it as UPC A instead.")
                    .arg(m_form.entry().barcode()),
                u"UPC A To E"_s, PromptIcon::Exclamation, PromptButtons::Ok);
        }
        return;
    }
    // A value the renderer refused (runtime error 380) shows no box: the current record goes
    // back into the entry instead.
    m_form.setHint(
        QCoreApplication::translate("Form1", "The barcode was not made: %1").arg(renderer.lastErrorDetail()));
    m_form.list().refillEntryFromRecord();
}

ViewUpdateState LabelPanel::viewUpdateState() const
{
    const EntryPanel &entry = m_form.entry();
    return {entry.typeCode(), m_form.currentEdition(), entry.barcode(), entry.supplement(), entry.product()};
}

bool LabelPanel::IsbnToEan(const ViewUpdatePlan &plan)
{
    if (!plan.isbnRefused)
        return true;
    // "&Make Code" converts the entry more than once; the user hears of it once.
    if (!m_isbnMessageShown && m_form.batch().recordInWork() == 0) {
        m_isbnMessageShown = true;
        ask(QCoreApplication::translate(
                "Form1", "You must have 10 digits and 3 Deviders ( - ) in your ISBN code! e.g 1-57169-006-9"),
            QCoreApplication::translate("Form1", "ISBN Error"), PromptIcon::Information, PromptButtons::Ok);
    }
    return false;
}

bool LabelPanel::applyPlan(BarcodeRenderer &renderer, const ViewUpdatePlan &plan)
{
    const PlanApplied applied = prepareRenderer(plan, renderer);
    if (applied == PlanApplied::Refused) {
        rendererRefused(renderer);
        return false;
    }
    if (!IsbnToEan(plan) || applied == PlanApplied::NotHanded)
        return false;
    if (plan.completeEntry)
        m_form.entry().setBarcode(renderer.data());
    return plan.compose;
}

void LabelPanel::UpdateBarcodeView()
{
    const ViewUpdatePlan plan = planMainViewUpdate(viewUpdateState());
    if (!plan.update)
        return;
    picTST->setWidthTwips(plan.widthTwips);
    m_mainLabelWidth = plan.widthTwips;
    m_form.options().selectOptionsOf(plan.type);
    if (plan.type.symbology == Symbology::Isbn)
        Barcode1x.setSymbology(plan.rendererSymbology);

    if (applyPlan(Barcode1, plan)) {
        composeMain();
        m_madeLabelEntry = labelEntry();
        m_verify->labelChanged();
    }

    if (chkDefined->isChecked())
        UpdateDefinedBarcodeView();
}

QStringList LabelPanel::labelEntry() const
{
    const EntryPanel &entry = m_form.entry();
    return {m_form.options().typeCodeOfOptions(), entry.barcode(), entry.supplement()};
}

bool LabelPanel::refuseStaleLabel()
{
    // Before the first label is made the empty picture goes out as it is.
    if (m_madeLabelEntry.isEmpty() || labelEntry() == m_madeLabelEntry)
        return false;
    ask(QCoreApplication::translate("Form1", "Make the code first: the label does not show the barcode in the entry."),
        QCoreApplication::translate("Form1", "Make Code"), PromptIcon::Exclamation, PromptButtons::Ok);
    return true;
}

void LabelPanel::UpdateDefinedBarcodeView()
{
    const ViewUpdatePlan plan = planDefinedViewUpdate(viewUpdateState(), DefinedWidth, DefinedHeight);
    if (!plan.update)
        return;
    picTST1->setWidthTwips(plan.widthTwips);
    m_definedLabelWidth = plan.widthTwips;
    if (applyPlan(Barcode1x, plan))
        composeDefined();
}

LabelAppearance LabelPanel::labelAppearance() const
{
    const ParameterWindows *windows = m_form.parameterWindows();
    return windows ? windows->sizeWindow()->appearance() : LabelAppearance{};
}

Gs1Request LabelPanel::gs1RequestNow() const
{
    Gs1Request request = m_gs1;
    if (const ParameterWindows *windows = m_form.parameterWindows())
        request.moduleMm = windows->sizeWindow()->settings().matrixModuleMm;
    return request;
}

Gs1LabelData LabelPanel::gs1Data(const BarcodeRenderer &renderer) const
{
    // A record's own data holds while the entry shows that record.
    const bool recordShown = !m_recordGs1.isEmpty() && m_form.entry().barcode() == m_recordGs1Barcode;
    return gs1LabelData(gs1RequestNow(), gtinOf(renderer), recordShown ? m_recordGs1 : QList<Gs1Element>{},
                        m_labelIndex);
}

void LabelPanel::setRecordGs1(const ListRecord &record)
{
    m_recordGs1 = record.gs1;
    m_recordGs1Barcode = record.barcode;
}

void LabelPanel::setLabelIndex(qint64 index)
{
    if (index == m_labelIndex)
        return;
    m_labelIndex = index;
    if (!m_gs1.active() || !m_gs1.serialFrom || !m_labelComposed)
        return;
    composeMain();
    if (chkDefined->isChecked())
        composeDefined();
}

void LabelPanel::addMatrix(LabelDescription &label, Gs1LabelData *data) const
{
    if (!m_gs1.active() || !label.renderer)
        return;
    // A label whose 2D data or place is refused goes without its 2D symbol; the verdict says why.
    Gs1LabelData made = gs1Data(*label.renderer);
    if (made.problem.isEmpty())
        made.problem = addMatrixPart(label, gs1RequestNow(), made);
    if (data)
        *data = made;
}

void LabelPanel::showGs1Data()
{
    Gs1DataContext context;
    context.label = mainLabelDescription();
    if (context.label)
        context.gtin = gtinOf(Barcode1);
    context.moduleMm = gs1RequestNow().moduleMm;
    Gs1DataWindow window(m_gs1, context, &m_form);
    if (window.exec() == QDialog::Accepted)
        setGs1Request(window.request());
}

void LabelPanel::loadSettings(const SettingsStore &settings)
{
    if (const QString domain = settings.value(u"GS1Domain"_s); !domain.isEmpty())
        m_gs1.domain = domain;
}

void LabelPanel::saveSettings(SettingsStore &settings) const
{
    // Kept once the user has named a domain of their own; the default needs no entry.
    if (m_gs1.domain != QString::fromLatin1(kDefaultDigitalLinkDomain) || !settings.value(u"GS1Domain"_s).isEmpty())
        settings.setValue(u"GS1Domain"_s, m_gs1.domain);
}

void LabelPanel::setGs1Request(const Gs1Request &request)
{
    m_gs1 = request;
    UpdateBarcodeView();
}

std::optional<LabelDescription> LabelPanel::mainLabelDescription() const
{
    if (!m_labelComposed || !Barcode1.hasSymbol())
        return std::nullopt;
    return describeLabel(LabelForm::Main, Barcode1, m_mainLabelWidth, m_form.entry().product(),
                         m_form.options().productLineOn(), isbnHeader(), labelAppearance());
}

void LabelPanel::composeMain()
{
    // Barcode1's header space was set with the plan (prepareRenderer).
    // The width the plan gave: the picture's own grows by a 2D symbol once it is drawn.
    LabelDescription label = describeLabel(LabelForm::Main, Barcode1, m_mainLabelWidth, m_form.entry().product(),
                                           m_form.options().productLineOn(), isbnHeader(), labelAppearance());
    addMatrix(label, &m_mainGs1);
    composeLabel(label, labelDotsPerInch(), Pstrk, picTST);
}

void LabelPanel::composeDefined()
{
    // A Code 39 label keeps the Code 39 width; the others take the defined width.
    const double width = m_form.entry().typeCode() == u"Co39"_s ? m_definedLabelWidth : Barcode1x.widthTwips();
    // The defined-size label is made at the resolution the size window names.
    LabelDescription label = describeLabel(LabelForm::Defined, Barcode1x, width, m_form.entry().product(),
                                           m_form.options().productLineOn(), isbnHeader(), labelAppearance());
    addMatrix(label, nullptr);
    composeLabel(label, m_form.parameterWindows()->definedLabelDotsPerInch(), picBarcode1, picTST1);
}

QString LabelPanel::isbnHeader() const
{
    return isIsbnCode(m_form.entry().typeCode()) ? u"ISBN "_s + m_form.entry().barcode() : QString();
}

void LabelPanel::composeLabel(const LabelDescription &label, double dpi, LabelPicture *symbolPicture,
                              LabelPicture *labelPicture)
{
    // The clipboard is cleared before the symbol goes on it again; then the pictures' old
    // images are held nowhere else and their memory serves the new ones.
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard)
        clipboard->clear();
    ComposedLabel composed = paintLabelImages(label, dpi, symbolPicture->takeImage(), labelPicture->takeImage());
    const double ratio = dpi / m_form.logicalDpiX();
    composed.symbol.setDevicePixelRatio(ratio);
    composed.label.setDevicePixelRatio(ratio);
    symbolPicture->setWidthTwips(composed.symbolWidthTwips);
    symbolPicture->setHeightTwips(composed.symbolHeightTwips);
    symbolPicture->setImage(composed.symbol);
    labelPicture->setWidthTwips(composed.widthTwips);
    labelPicture->setHeightTwips(composed.heightTwips);
    labelPicture->setImage(composed.label);
    // What the window shows is the same label made again at the screen's resolution.
    labelPicture->setScreenImage(paintScreenLabel(label, m_form.logicalDpiX(), m_form.devicePixelRatioF()));
    // After a composition the clipboard holds the bare symbol.
    if (clipboard)
        clipboard->setImage(composed.symbol);
    m_labelComposed = true;
    m_form.refreshCommands();
}

void LabelPanel::onUseDefined()
{
    if (DefinedWidth <= 0 || DefinedHeight <= 0) {
        chkDefined->setChecked(false);
        chkDefined->setEnabled(false);
        UpdateBarcodeView();
        return;
    }
    chkDefined->setEnabled(true);
    UpdateDefinedBarcodeView();
    if (m_form.entry().typeCode() == u"Co39"_s) {
        UpdateBarcodeView();
        Barcode1x.setWidthTwips(picTST->widthTwips());
        picTST1->setWidthTwips(picTST->widthTwips());
    }
}

void LabelPanel::onMakeCode()
{
    forgetMessagesShown();
    EntryPanel &entry = m_form.entry();
    entry.TypeCodeFromOptions();
    const auto state = [&entry] {
        return QStringList{entry.typeCode(), entry.barcode(), entry.supplement(), entry.product()};
    };
    const QStringList before = state();
    UpdateBarcodeView();
    // A second pass shows what the first one changed (a completed check digit, the options
    // of the type); when nothing changed it would draw the same label again.
    if (state() != before)
        UpdateBarcodeView();
    m_form.setBarcodeMade(true);
    m_form.refreshCommands();
}

void LabelPanel::forgetMessagesShown()
{
    m_isbnMessageShown = false;
    m_refusalShown = false;
}

void LabelPanel::setDefinedSize(double width, double height)
{
    DefinedWidth = width;
    DefinedHeight = height;
}

bool LabelPanel::usesDefined() const
{
    return chkDefined->isChecked();
}

void LabelPanel::checkUsesDefined(bool checked)
{
    chkDefined->setChecked(checked);
}

void LabelPanel::setUsesDefined(bool checked, bool enabled)
{
    chkDefined->setEnabled(enabled);
    chkDefined->setChecked(checked);
}

void LabelPanel::applyAppearance(const LabelAppearance &appearance)
{
    appearance.applyTo(Barcode1);
    appearance.applyTo(Barcode1x);
}

void LabelPanel::setDigitsHidden(bool hidden)
{
    Barcode1.setDigitsHidden(hidden);
    Barcode1x.setDigitsHidden(hidden);
}

LabelData LabelPanel::currentLabel() const
{
    // The defined-size label when "&Use Defined Barcode" is checked, else the main label; an
    // image of one device pixel per image pixel, with the label's resolution recorded in it.
    const LabelPicture *picture = chkDefined->isChecked() ? picTST1 : picTST;
    LabelData label;
    label.image = picture->image();
    label.image.setDevicePixelRatio(1);
    const double dpi = label.image.width() > 0 && picture->widthTwips() > 0
                           ? label.image.width() * kTwipsPerInch / picture->widthTwips()
                           : m_form.logicalDpiX();
    label.image.setDotsPerMeterX(dotsPerMetre(dpi));
    label.image.setDotsPerMeterY(dotsPerMetre(dpi));
    label.widthTwips = picture->widthTwips();
    label.heightTwips = picture->heightTwips();
    // The drawing is the label's vector artwork, sized as the size window says.
    if (const std::optional<LabelLayout> artwork = labelArtwork(nullptr))
        label.svg = svgLabel(*artwork);
    return label;
}

std::optional<LabelLayout> LabelPanel::labelArtwork(QString *error) const
{
    const bool defined = chkDefined->isChecked();
    const frmBarSize *size = m_form.parameterWindows()->sizeWindow();
    const BarcodeRenderer &renderer = defined ? Barcode1x : Barcode1;
    ArtworkRequest request;
    request.label = describeLabel(LabelForm::Main, renderer, renderer.widthTwips(), m_form.entry().product(),
                                  m_form.options().productLineOn(), isbnHeader(), size->appearance());
    addMatrix(request.label, nullptr);
    request.options = size->artworkOptions();
    // A defined size wins: the symbol fills its width, whatever the magnification says.
    if (defined)
        request.definedWidthMm = size->settings().millimetres().width();
    return makeArtwork(request, error);
}

} // namespace Kelbrix
