// The barcode view update: selects the options of the TypeCode, sizes the renderer, hands it
// the data and the supplement, completes short entries with the renderer's check digit and
// composes the labels.
#include "mainwindow/form1.h"

#include "mainwindow/type_options.h"
#include "windows/frm_bar_size.h"
#include "mainwindow/parameter_windows.h"
#include "mainwindow/verify_panel.h"
#include "base/user_prompt.h"
#include "widgets/label_picture.h"
#include "label/label_image.h"
#include "label/record_label.h"
#include "render/view_update_plan.h"

#include <QCoreApplication>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

double Form1::labelDotsPerInch() const
{
    // Labels are made at print resolution (300 dpi) at least, so they stay sharp and
    // scannable when copied to other programs, and on high-density screens.
    return std::max(300.0, logicalDpiX() * devicePixelRatioF());
}

void Form1::selectOptionsOf(const TypeInfo &type)
{
    QRadioButton *option = nullptr;
    for (const auto &[candidate, symbology] : TypeOptions::buttons(*this)) {
        if (symbology == type.symbology)
            option = candidate;
    }
    const QString code = type.code;
    option->setChecked(true);
    (type.supplement == 2 ? chk2digit : type.supplement == 5 ? chk5digit : optNosup)->setChecked(true);
    TypeCode = code;
}

void Form1::rendererRefused(const BarcodeRenderer &renderer)
{
    if (TypeCode.startsWith(u"UPP"_s)) {
        if (!m_refusalShown && ListItemInWork == 0) {
            m_refusalShown = true;
            ask(QCoreApplication::translate("Form1",
                                            "The UPC A number %1 can not be shown as UPC E: only UPC A numbers of "
                                            "number system 0 or 1 with enough zeros can be zero-suppressed. "
                                            "Make it as UPC A instead.")
                    .arg(TxtStreck->text()),
                u"UPC A To E"_s, PromptIcon::Exclamation, PromptButtons::Ok);
        }
        return;
    }
    // A value the renderer refused (runtime error 380) shows no box: the current record goes
    // back into the entry instead.
    setHint(QCoreApplication::translate("Form1", "The barcode was not made: %1").arg(renderer.lastErrorDetail()));
    refillEntryFromRecord();
}

ViewUpdateState Form1::viewUpdateState() const
{
    return {TypeCode, edition, TxtStreck->text(), txtSup->text(), txtProduct->text()};
}

bool Form1::IsbnToEan(const ViewUpdatePlan &plan)
{
    if (!plan.isbnRefused)
        return true;
    // "&Make Code" converts the entry more than once; the user hears of it once.
    if (!m_isbnMessageShown && ListItemInWork == 0) {
        m_isbnMessageShown = true;
        ask(QCoreApplication::translate(
                "Form1", "You must have 10 digits and 3 Deviders ( - ) in your ISBN code! e.g 1-57169-006-9"),
            QCoreApplication::translate("Form1", "ISBN Error"), PromptIcon::Information, PromptButtons::Ok);
    }
    return false;
}

bool Form1::applyPlan(BarcodeRenderer &renderer, const ViewUpdatePlan &plan)
{
    const PlanApplied applied = applyViewUpdatePlan(plan, renderer);
    if (applied == PlanApplied::Refused) {
        rendererRefused(renderer);
        return false;
    }
    if (!IsbnToEan(plan) || applied == PlanApplied::NotHanded)
        return false;
    if (plan.completeEntry)
        TxtStreck->setText(renderer.data());
    return plan.compose;
}

void Form1::UpdateBarcodeView()
{
    const ViewUpdatePlan plan = planMainViewUpdate(viewUpdateState());
    if (!plan.update)
        return;
    Barcode1.setWidthTwips(plan.widthTwips);
    Barcode1.setHeightTwips(plan.heightTwips);
    picTST->setWidthTwips(plan.widthTwips);
    selectOptionsOf(plan.type);
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

QStringList Form1::labelEntry() const
{
    return {typeCodeOfOptions(), TxtStreck->text(), txtSup->text()};
}

bool Form1::refuseStaleLabel()
{
    // Before the first label is made the empty picture goes out as it is.
    if (m_madeLabelEntry.isEmpty() || labelEntry() == m_madeLabelEntry)
        return false;
    ask(QCoreApplication::translate("Form1", "Make the code first: the label does not show the barcode in the entry."),
        QCoreApplication::translate("Form1", "Make Code"), PromptIcon::Exclamation, PromptButtons::Ok);
    return true;
}

void Form1::UpdateDefinedBarcodeView()
{
    const ViewUpdatePlan plan = planDefinedViewUpdate(viewUpdateState(), DefinedWidth, DefinedHeight);
    if (!plan.update)
        return;
    Barcode1x.setWidthTwips(plan.widthTwips);
    Barcode1x.setHeightTwips(plan.heightTwips);
    picTST1->setWidthTwips(plan.widthTwips);
    if (applyPlan(Barcode1x, plan))
        composeDefined();
}

LabelAppearance Form1::labelAppearance() const
{
    return m_windows ? m_windows->sizeWindow()->appearance() : LabelAppearance{};
}

void Form1::composeMain()
{
    const bool isbn = isIsbnCode(TypeCode);
    Barcode1.setHeaderSpace(isbn ? BarcodeRenderer::kIsbnHeaderSpace : BarcodeRenderer::kNoHeaderSpace);
    Barcode1x.setHeaderSpace(isbn ? BarcodeRenderer::kIsbnHeaderSpace : BarcodeRenderer::kNoHeaderSpace);
    composeLabel(describeLabel(LabelForm::Main, Barcode1, picTST->widthTwips(), txtProduct->text(),
                               Option1->isChecked(), isbnHeader(), labelAppearance()),
                 labelDotsPerInch(), Pstrk, picTST);
}

void Form1::composeDefined()
{
    // A Code 39 label keeps the Code 39 width; the others take the defined width.
    const double width = TypeCode == u"Co39"_s ? picTST1->widthTwips() : Barcode1x.widthTwips();
    // The defined-size label is made at the resolution the size window names.
    composeLabel(describeLabel(LabelForm::Defined, Barcode1x, width, txtProduct->text(), Option1->isChecked(),
                               isbnHeader(), labelAppearance()),
                 m_windows->definedLabelDotsPerInch(), picBarcode1, picTST1);
}

QString Form1::isbnHeader() const
{
    return isIsbnCode(TypeCode) ? u"ISBN "_s + TxtStreck->text() : QString();
}

void Form1::composeLabel(const LabelDescription &label, double dpi, LabelPicture *symbolPicture,
                         LabelPicture *labelPicture)
{
    // The clipboard is cleared before the symbol goes on it again; then the pictures' old
    // images are held nowhere else and their memory serves the new ones.
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard)
        clipboard->clear();
    ComposedLabel composed = paintLabelImages(label, dpi, symbolPicture->takeImage(), labelPicture->takeImage());
    const double ratio = dpi / logicalDpiX();
    composed.symbol.setDevicePixelRatio(ratio);
    composed.label.setDevicePixelRatio(ratio);
    symbolPicture->setWidthTwips(composed.symbolWidthTwips);
    symbolPicture->setHeightTwips(composed.symbolHeightTwips);
    symbolPicture->setImage(composed.symbol);
    labelPicture->setWidthTwips(composed.widthTwips);
    labelPicture->setHeightTwips(composed.heightTwips);
    labelPicture->setImage(composed.label);
    // What the window shows is the same label made again at the screen's resolution.
    labelPicture->setScreenImage(paintScreenLabel(label, logicalDpiX(), devicePixelRatioF()));
    // After a composition the clipboard holds the bare symbol.
    if (clipboard)
        clipboard->setImage(composed.symbol);
    m_labelComposed = true;
    refreshCommands();
}

void Form1::onUseDefined()
{
    if (DefinedWidth <= 0 || DefinedHeight <= 0) {
        chkDefined->setChecked(false);
        chkDefined->setEnabled(false);
        UpdateBarcodeView();
        return;
    }
    chkDefined->setEnabled(true);
    UpdateDefinedBarcodeView();
    if (TypeCode == u"Co39"_s) {
        UpdateBarcodeView();
        Barcode1x.setWidthTwips(picTST->widthTwips());
        picTST1->setWidthTwips(picTST->widthTwips());
    }
}

void Form1::onMakeCode()
{
    m_isbnMessageShown = false;
    m_refusalShown = false;
    TypeCodeFromOptions();
    const auto state = [this] { return QStringList{TypeCode, TxtStreck->text(), txtSup->text(), txtProduct->text()}; };
    const QStringList before = state();
    UpdateBarcodeView();
    // A second pass shows what the first one changed (a completed check digit, the options
    // of the type); when nothing changed it would draw the same label again.
    if (state() != before)
        UpdateBarcodeView();
    barcodeMade = 1;
    refreshCommands();
}

void Form1::setDefinedSize(double width, double height)
{
    DefinedWidth = width;
    DefinedHeight = height;
}

} // namespace Kelbrix
