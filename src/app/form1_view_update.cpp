// The barcode view update: selects the options of the TypeCode, sizes the renderer, hands it
// the data and the supplement, completes short entries with the renderer's check digit and
// composes the labels.
#include "app/form1.h"

#include "base/runtime_errors.h"
#include "base/user_prompt.h"
#include "render/label_composer.h"
#include "render/label_picture.h"

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

namespace {

// Height of the renderers' symbols, in twips; the label adds its lines around them.
constexpr double kSymbolHeightTwips = 900;

} // namespace

double Form1::labelDotsPerInch() const
{
    // Labels are made at print resolution (300 dpi) at least, so they stay sharp and
    // scannable when copied to other programs, and on high-density screens.
    return std::max(300.0, logicalDpiX() * devicePixelRatioF());
}

void Form1::selectOptionsOf(const TypeInfo &type)
{
    QRadioButton *option = nullptr;
    for (const auto &[candidate, symbology] : typeOptions()) {
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
            ask(u"The UPC A number %1 can not be shown as UPC E: only UPC A numbers of number system 0 or 1 "
                "with enough zeros can be zero-suppressed. Make it as UPC A instead."_s
                    .arg(TxtStreck->text()),
                u"UPC A To E"_s, PromptIcon::Exclamation, PromptButtons::Ok);
        }
        return;
    }
    setHint(u"The barcode was not made: "_s + renderer.lastErrorDetail());
    ReportRuntimeError(renderer.lastError());
}

bool Form1::handToRenderer(BarcodeRenderer &renderer, const TypeInfo &type, bool defined)
{
    if (!renderer.setSymbology(type.rendererSymbology)) {
        rendererRefused(renderer);
        return false;
    }
    const QString entry = TxtStreck->text();
    const qsizetype n = entry.size();

    if (type.symbology == Symbology::Isbn) {
        if (!IsbnToEan())
            return false;
        if (!renderer.setData(isbnHandOver.data) || !renderer.setSupplement(isbnHandOver.supplement)) {
            rendererRefused(renderer);
            return false;
        }
        return n == 13;
    }

    if (type.symbology == Symbology::Code39) {
        if (entry.isEmpty())
            return false;
        if (!renderer.setData(entry)) {
            rendererRefused(renderer);
            return false;
        }
        return true;
    }

    // EAN, UPC and SCC-14: an entry without its check digit is handed over as it is; a longer
    // one is cut to its data, and the box receives the data completed by the renderer.
    const int length = type.entryLength;
    if (n < length)
        return false;
    if (!renderer.setData(entry.left(length)) || !renderer.setSupplement(type.supplement ? txtSup->text() : QString())) {
        rendererRefused(renderer);
        return false;
    }
    if (type.code == u"E80 "_s && n > 7 && defined)
        renderer.setTypeName(u"EAN 8"_s);
    if (n > length) {
        if (type.symbology == Symbology::Scc14 && !defined)
            renderer.setShowText(true);
        TxtStreck->setText(renderer.data());
    }
    return true;
}

const TypeInfo *Form1::typeToShow() const
{
    // Nothing to show without an entry or a product, or for a type the edition cannot make.
    if (TxtStreck->text().isEmpty() && txtProduct->text().isEmpty())
        return nullptr;
    if (!typeCodeBelongsToEdition(TypeCode, edition))
        return nullptr;
    return findType(TypeCode);
}

void Form1::UpdateBarcodeView()
{
    const TypeInfo *found = typeToShow();
    if (!found)
        return;
    const TypeInfo type = *found;
    const QString entry = TxtStreck->text();

    const double width = type.symbology == Symbology::Code39 ? code39WidthTwips(int(entry.size())) : type.widthTwips;
    Barcode1.setWidthTwips(width);
    Barcode1.setHeightTwips(kSymbolHeightTwips);
    picTST->setWidthTwips(width);
    selectOptionsOf(type);
    if (type.symbology == Symbology::Isbn)
        Barcode1x.setSymbology(type.rendererSymbology);

    if (handToRenderer(Barcode1, type, false))
        composeMain();

    if (chkDefined->isChecked())
        UpdateDefinedBarcodeView();
}

void Form1::UpdateDefinedBarcodeView()
{
    const TypeInfo *found = typeToShow();
    if (!found || DefinedWidth <= 0 || DefinedHeight <= 0)
        return;
    const TypeInfo type = *found;
    const QString entry = TxtStreck->text();
    const double width =
        type.symbology == Symbology::Code39 ? code39WidthTwips(int(entry.size())) : DefinedWidth;
    Barcode1x.setWidthTwips(width);
    Barcode1x.setHeightTwips(DefinedHeight);
    picTST1->setWidthTwips(width);
    if (handToRenderer(Barcode1x, type, true))
        composeDefined();
}

void Form1::composeMain()
{
    const bool isbn = isIsbnCode(TypeCode);
    Barcode1.setHeaderSpace(isbn ? BarcodeRenderer::kIsbnHeaderSpace : BarcodeRenderer::kNoHeaderSpace);
    Barcode1x.setHeaderSpace(isbn ? BarcodeRenderer::kIsbnHeaderSpace : BarcodeRenderer::kNoHeaderSpace);
    Pstrk->setWidthTwips(Barcode1.widthTwips());
    composeLabel(Barcode1, picTST->widthTwips(), composeMainLabel, Pstrk, picTST, IsbnCenterX);
}

void Form1::composeDefined()
{
    picBarcode1->setWidthTwips(Barcode1x.widthTwips());
    picBarcode1->setHeightTwips(Barcode1x.heightTwips());
    // A Code 39 label keeps the Code 39 width; the others take the defined width.
    const double width = TypeCode == u"Co39"_s ? picTST1->widthTwips() : picBarcode1->widthTwips();
    composeLabel(Barcode1x, width, composeDefinedLabel, picBarcode1, picTST1, IsbnCenterXDefined);
    picTST1->setWidthTwips(width);
}

void Form1::composeLabel(const BarcodeRenderer &renderer, double labelWidthTwips,
                         ComposedLabel (*compose)(const LabelRequest &), LabelPicture *symbolPicture,
                         LabelPicture *labelPicture, double &isbnCenterX)
{
    const bool isbn = isIsbnCode(TypeCode);
    LabelRequest request;
    request.renderer = &renderer;
    request.symbolWidthTwips = renderer.widthTwips();
    request.symbolHeightTwips = renderer.heightTwips();
    request.labelWidthTwips = labelWidthTwips;
    request.product = txtProduct->text();
    request.productLineOn = Option1->isChecked();
    request.isbnHeader = isbn ? u"ISBN "_s + TxtStreck->text() : QString();
    request.textBackColor = PicTXT->palette().color(QPalette::Window);
    // The defined-size label is made at the resolution the size window names.
    request.dotsPerInch = labelPicture == picTST1 ? definedLabelDotsPerInch() : labelDotsPerInch();
    ComposedLabel label = compose(request);

    const double ratio = request.dotsPerInch / logicalDpiX();
    label.symbol.setDevicePixelRatio(ratio);
    label.label.setDevicePixelRatio(ratio);
    symbolPicture->setImage(label.symbol);
    labelPicture->setHeightTwips(label.heightTwips);
    labelPicture->setImage(label.label);
    if (isbn)
        isbnCenterX = label.isbnCenterX;
    // After a composition the clipboard holds the bare symbol.
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setImage(label.symbol);
    cmdToRTF1->setEnabled(true);
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
    const auto state = [this] {
        return QStringList{TypeCode, TxtStreck->text(), txtSup->text(), txtProduct->text()};
    };
    const QStringList before = state();
    UpdateBarcodeView();
    mnuAs->setEnabled(true);
    // A second pass shows what the first one changed (a completed check digit, the options
    // of the type); when nothing changed it would draw the same label again.
    if (state() != before)
        UpdateBarcodeView();
    barcodeMade = 1;
}

void Form1::setDefinedSize(double width, double height)
{
    DefinedWidth = width;
    DefinedHeight = height;
}

} // namespace Kelbrix
