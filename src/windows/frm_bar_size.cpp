#include "windows/frm_bar_size.h"
#include "widgets/translation.h"

#include "widgets/named.h"
#include "windows/artwork_options_box.h"
#include "windows/help_window.h"
#include "windows/look_menus.h"
#include "barcode/type_catalogue.h"
#include "base/units.h"
#include "base/user_prompt.h"
#include "widgets/label_picture.h"
#include "size/preview_samples.h"

#include <QCoreApplication>
#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// What the preview shows while no size is defined: the main label's EAN-13 symbol.
constexpr double kUndefinedWidthTwips = 1815;
constexpr double kUndefinedHeightTwips = 900;
const QString kInchSign = u"\""_s;

} // namespace

frmBarSize::frmBarSize(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(u"frmBarSize"_s);
    setTranslated(this, "windowTitle", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "Barcode Size"));
    setWindowFlag(Qt::Window, true);
    buildWindow();
    buildMenus();
    installHints();
    Barcode2.setData(u"00000000000"_s);
    showSettings();
    updateDefinedBox();
    updatePreview();
}

frmBarSize::~frmBarSize()
{
    // Going away closes the window, and a box that loses the focus then would apply itself:
    // nothing reaches the handlers of this window and its parts, or its listeners (the main
    // window may be going away too), any more.
    blockSignals(true);
    const std::initializer_list<const QObject *> receivers{this, fraArtwork, m_lookMenus};
    for (QObject *child : findChildren<QObject *>()) {
        for (const QObject *receiver : receivers)
            QObject::disconnect(child, nullptr, receiver, nullptr);
    }
}

void frmBarSize::buildWindow()
{
    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    layout->addWidget(buildSizePanel());

    auto *right = new QVBoxLayout;
    right->addWidget(buildPreviewOptions());
    picBarsize = new LabelPicture(u"picBarsize"_s, central);
    right->addWidget(picBarsize, 0, Qt::AlignLeft | Qt::AlignTop);
    lblModuleWidth = named(new QLabel(central), u"lblModuleWidth"_s);
    lblModuleWarning = named(new QLabel(central), u"lblModuleWarning"_s);
    lblModuleWarning->setWordWrap(true);
    QPalette warning = lblModuleWarning->palette();
    warning.setColor(QPalette::WindowText, QColor(0xB0, 0, 0));
    lblModuleWarning->setPalette(warning);
    for (QLabel *label : {lblModuleWidth, lblModuleWarning})
        label->setTextFormat(Qt::PlainText);
    right->addWidget(lblModuleWidth);
    right->addWidget(lblModuleWarning);
    fraArtwork = new ArtworkOptionsBox(this);
    connect(fraArtwork, &ArtworkOptionsBox::edited, this, [this] {
        showArtworkOptions();
        emit settingsChanged();
    });
    right->addWidget(fraArtwork);
    right->addStretch(1);
    layout->addLayout(right, 1);
    setCentralWidget(central);

    StatusBar1 = named(new QStatusBar(this), u"StatusBar1"_s);
    m_hintPanel = named(new QLabel(StatusBar1), u"StatusHint"_s);
    StatusBar1->addWidget(m_hintPanel, 1);
    setStatusBar(StatusBar1);
    setHint(QCoreApplication::translate("frmBarSize", "Press F1 for Help"));
}

QWidget *frmBarSize::buildSizePanel()
{
    auto *panel = new QWidget(this);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    Frame1 =
        named(translated(new QGroupBox(panel), "title", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "Scale Mode")),
              u"Frame1"_s);
    auto *units = new QVBoxLayout(Frame1);
    optBSmm = named(
        translated(new QRadioButton(Frame1), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "&Millimeter (mm)")),
        u"optBSmm"_s);
    optBSInch = named(
        translated(new QRadioButton(Frame1), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "I&nches (\")")),
        u"optBSInch"_s);
    units->addWidget(optBSmm);
    units->addWidget(optBSInch);
    column->addWidget(Frame1);

    auto *sizes = new QGridLayout;
    Label1 = named(translated(new QLabel(panel), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "&Width")),
                   u"Label1"_s);
    Label2 = named(translated(new QLabel(panel), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "&Height")),
                   u"Label2"_s);
    txtBSWidth = named(new QLineEdit(panel), u"txtBSWidth"_s);
    txtBSHeight = named(new QLineEdit(panel), u"txtBSHeight"_s);
    lblUnitWidth = named(new QLabel(u"mm"_s, panel), u"lblUnitWidth"_s);
    lblUnitHeight = named(new QLabel(u"mm"_s, panel), u"lblUnitHeight"_s);
    for (QLineEdit *box : {txtBSWidth, txtBSHeight})
        box->setMaxLength(64);
    Label1->setBuddy(txtBSWidth);
    Label2->setBuddy(txtBSHeight);
    sizes->addWidget(Label1, 0, 0);
    sizes->addWidget(txtBSWidth, 0, 1);
    sizes->addWidget(lblUnitWidth, 0, 2);
    sizes->addWidget(Label2, 1, 0);
    sizes->addWidget(txtBSHeight, 1, 1);
    sizes->addWidget(lblUnitHeight, 1, 2);
    column->addLayout(sizes);

    Frame2 =
        named(translated(new QGroupBox(panel), "title", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "Resolution")),
              u"Frame2"_s);
    auto *dpis = new QGridLayout(Frame2);
    opt72dpi = named(new QRadioButton(u"&72 dpi"_s, Frame2), u"opt72dpi"_s);
    opt96dpi = named(new QRadioButton(u"&96 dpi"_s, Frame2), u"opt96dpi"_s);
    optUserdpiW =
        named(translated(new QRadioButton(Frame2), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "U&ser dpi")),
              u"optUserdpiW"_s);
    Text1 = named(new QLineEdit(Frame2), u"Text1"_s);
    Text1->setMaxLength(16);
    Label6 = named(
        translated(new QLabel(Frame2), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "Click Here for dpi")),
        u"Label6"_s);
    Label6->setCursor(Qt::PointingHandCursor);
    dpis->addWidget(opt72dpi, 0, 0);
    dpis->addWidget(opt96dpi, 1, 0);
    dpis->addWidget(optUserdpiW, 2, 0);
    dpis->addWidget(Text1, 2, 1);
    dpis->addWidget(Label6, 3, 0, 1, 2);
    column->addWidget(Frame2);

    chkDefined = named(
        translated(new QCheckBox(panel), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "&Use Defined Barcode")),
        u"chkDefined"_s);
    comMinimum =
        named(translated(new QPushButton(panel), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "&Use Minimum")),
              u"comMinimum"_s);
    cmdRegSize = named(
        translated(new QPushButton(panel), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "&Register Size")),
        u"cmdRegSize"_s);
    column->addWidget(chkDefined);
    column->addWidget(comMinimum);
    column->addWidget(cmdRegSize);
    column->addStretch(1);

    connect(optBSmm, &QRadioButton::clicked, this, [this] { onUnit(BarSizeSettings::Unit::Millimetre); });
    connect(optBSInch, &QRadioButton::clicked, this, [this] { onUnit(BarSizeSettings::Unit::Inch); });
    connect(txtBSWidth, &QLineEdit::textChanged, this, [this] { onSizeEdited(txtBSWidth); });
    connect(txtBSHeight, &QLineEdit::textChanged, this, [this] { onSizeEdited(txtBSHeight); });
    for (QRadioButton *option : {opt72dpi, opt96dpi, optUserdpiW})
        connect(option, &QRadioButton::clicked, this, &frmBarSize::onDpiOption);
    // Typing a resolution chooses it; leaving the box settles it.
    connect(Text1, &QLineEdit::textEdited, this, [this] {
        optUserdpiW->setChecked(true);
        onDpiOption();
    });
    connect(Text1, &QLineEdit::editingFinished, this, &frmBarSize::onUserDpiFinished);
    connect(chkDefined, &QCheckBox::clicked, this, &frmBarSize::onDefinedClicked);
    connect(comMinimum, &QPushButton::clicked, this, &frmBarSize::onUseMinimum);
    // "&Register Size" carries no action.
    Label6->installEventFilter(this);
    return panel;
}

const ArtworkOptions &frmBarSize::artworkOptions() const
{
    return fraArtwork->options();
}

void frmBarSize::setArtworkOptions(const ArtworkOptions &options)
{
    fraArtwork->setOptions(options);
    showArtworkOptions();
}

void frmBarSize::showArtworkOptions()
{
    // The X the preview's type gets in artwork; a defined size in use wins over the options.
    fraArtwork->showFor(Barcode2, m_settings.defined && m_settings.hasSize() ? m_settings.millimetres().width() : 0);
}

QGroupBox *frmBarSize::buildPreviewOptions()
{
    Frame3 = named(translated(new QGroupBox(this), "title", "frmBarSize",
                              QT_TRANSLATE_NOOP("frmBarSize", "Show Barcode (Select Barcode)")),
                   u"Frame3"_s);
    auto *grid = new QGridLayout(Frame3);
    const QList<PreviewSample> &samples = previewSamples();
    for (int i = 0; i < samples.size(); ++i) {
        const PreviewSample &sample = samples[i];
        auto *option = named(new QRadioButton(sample.caption, Frame3), sample.option);
        option->setChecked(sample.option == m_previewOption);
        grid->addWidget(option, i % 8, i / 8);
        m_previewOptions.append(option);
        connect(option, &QRadioButton::clicked, this, [this, name = sample.option] { onPreviewOption(name); });
    }
    return Frame3;
}

void frmBarSize::buildMenus()
{
    QMenuBar *bar = menuBar();
    m_lookMenus = new LookMenus(bar, this);
    connect(m_lookMenus, &LookMenus::lookEdited, this, &frmBarSize::onLookEdited);
    mnuClose = translated(bar->addAction(QString()), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "&Close"));
    mnuClose->setObjectName(u"mnuClose"_s);
    connect(mnuClose, &QAction::triggered, this, [this] {
        hide();
        emit definedSizeTaken();
    });
}

void frmBarSize::installHints()
{
    m_hints = {
        {this, QCoreApplication::translate("frmBarSize", "Press F1 for Help")},
        {centralWidget(), QCoreApplication::translate("frmBarSize", "Press F1 for Help")},
        {Frame3, QCoreApplication::translate("frmBarSize", "Press F1 for Help")},
        {Label1, QCoreApplication::translate("frmBarSize", "Width: Fill in the Width for the Barcode to the right.")},
        {Label2, QCoreApplication::translate("frmBarSize", "Height: Fill in the Height for the Barcode to the right.")},
        {txtBSWidth, QCoreApplication::translate("frmBarSize", "Fill in the Width for the Barcode.")},
        {txtBSHeight, QCoreApplication::translate("frmBarSize", "Fill in the Height for the Barcode.")},
        {optBSmm, QCoreApplication::translate("frmBarSize", "Millimeter(mm): All measurements is in MilliMeters.")},
        {optBSInch, QCoreApplication::translate("frmBarSize", "Inches (\"): All measurements is in Inches.")},
        {chkDefined,
         QCoreApplication::translate("frmBarSize", "If it's checked then this size for the Barcode is default.")},
        {picBarsize, QCoreApplication::translate("frmBarSize", "Actual barcode on the label")},
        {StatusBar1, QCoreApplication::translate("frmBarSize", "Press F1 to get help.")},
    };
    for (QRadioButton *option : std::as_const(m_previewOptions))
        m_hints.insert(option, previewSample(option->objectName()).hint());
    for (auto it = m_hints.cbegin(); it != m_hints.cend(); ++it) {
        if (auto *widget = qobject_cast<QWidget *>(it.key())) {
            widget->setMouseTracking(true);
            if (widget != this)
                widget->installEventFilter(this);
        }
    }
    // F1 opens this window's help wherever the focus is in it.
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

bool frmBarSize::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
        if (m_hints.contains(watched))
            setHint(m_hints.value(watched));
        break;
    case QEvent::MouseButtonRelease:
        if (watched == Label6 && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            emit dpiWindowRequested();
        break;
    case QEvent::ShortcutOverride:
        // The main window's F1 opens the contents; in this window it opens this window's page.
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
            event->accept();
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool frmBarSize::event(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        // The hints and the module width readout are built from the state: build them again,
        // and show the hint that was shown in the new language.
        QObject *shown = nullptr;
        for (auto it = m_hints.cbegin(); it != m_hints.cend() && !shown; ++it) {
            if (it.value() == m_hintPanel->text())
                shown = it.key();
        }
        installHints();
        if (shown)
            setHint(m_hints.value(shown));
        updatePreview();
    }
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::WindowActivate)
        emit definedSizeTaken();
    if (event->type() == QEvent::Enter)
        setHint(m_hints.value(this));
    return QMainWindow::event(event);
}

void frmBarSize::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        HelpWindow::showTopic(u"size-window.html"_s, u"size"_s);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmBarSize::setSettings(const BarSizeSettings &settings)
{
    m_settings = settings;
    m_settings.clamp();
    m_settings.settleUserDpi();
    showSettings();
    updateDefinedBox();
    updatePreview();
}

void frmBarSize::setDefinedChecked(bool checked)
{
    m_settings.defined = checked && m_settings.hasSize();
    updateDefinedBox();
}

QString frmBarSize::statusText() const
{
    return m_hintPanel->text();
}

void frmBarSize::setHint(const QString &text)
{
    m_hintPanel->setText(text);
}

void frmBarSize::showSettings()
{
    // The controls follow the settings without running their handlers.
    m_showing = true;
    const bool inch = m_settings.unit == BarSizeSettings::Unit::Inch;
    (inch ? optBSInch : optBSmm)->setChecked(true);
    lblUnitWidth->setText(inch ? kInchSign : u"mm"_s);
    lblUnitHeight->setText(inch ? kInchSign : u"mm"_s);
    if (txtBSWidth->text() != m_settings.widthText)
        txtBSWidth->setText(m_settings.widthText);
    if (txtBSHeight->text() != m_settings.heightText)
        txtBSHeight->setText(m_settings.heightText);
    switch (m_settings.dpi) {
    case BarSizeSettings::Dpi::Dpi72:
        opt72dpi->setChecked(true);
        break;
    case BarSizeSettings::Dpi::Dpi96:
        opt96dpi->setChecked(true);
        break;
    case BarSizeSettings::Dpi::User:
        optUserdpiW->setChecked(true);
        break;
    }
    Text1->setText(m_settings.userDpiText);
    m_lookMenus->showLook(m_settings.appearance);
    m_showing = false;
}

void frmBarSize::onSizeEdited(QLineEdit *box)
{
    if (m_showing)
        return;
    (box == txtBSWidth ? m_settings.widthText : m_settings.heightText) = box->text();
    // A clamped box shows its maximum at once.
    if (m_settings.clamp())
        showSettings();
    changed();
    if (box == txtBSHeight)
        adjustSize();
}

void frmBarSize::onUnit(BarSizeSettings::Unit unit)
{
    m_settings.switchUnit(unit);
    m_settings.clamp();
    showSettings();
    changed();
}

void frmBarSize::onDpiOption()
{
    if (m_showing)
        return;
    m_settings.dpi = opt96dpi->isChecked()      ? BarSizeSettings::Dpi::Dpi96
                     : optUserdpiW->isChecked() ? BarSizeSettings::Dpi::User
                                                : BarSizeSettings::Dpi::Dpi72;
    m_settings.userDpiText = Text1->text();
    changed();
}

void frmBarSize::onUserDpiFinished()
{
    if (m_settings.dpi != BarSizeSettings::Dpi::User)
        return;
    m_settings.userDpiText = Text1->text();
    m_settings.settleUserDpi();
    showSettings();
    changed();
}

void frmBarSize::onDefinedClicked()
{
    m_settings.defined = chkDefined->isChecked() && m_settings.hasSize();
    updateDefinedBox();
    emit definedClicked(m_settings.defined);
    changed();
}

void frmBarSize::onUseMinimum()
{
    const PreviewSample &sample = previewSample(m_previewOption);
    if (sample.minimumMillimetres.isEmpty())
        return;
    m_settings.setSizeMillimetres(sample.minimumMillimetres);
    showSettings();
    changed();
}

void frmBarSize::onPreviewOption(const QString &option)
{
    m_previewOption = option;
    if (previewSample(option).isCode39())
        ask(QCoreApplication::translate("frmBarSize", "Only Height is used for Code 39"), u"Code 39"_s,
            PromptIcon::Information, PromptButtons::Ok);
    changed();
}

void frmBarSize::onLookEdited(bool reshow)
{
    m_settings.appearance = m_lookMenus->appearance();
    if (reshow)
        showSettings();
    changed();
}

void frmBarSize::changed()
{
    updateDefinedBox();
    updatePreview();
    emit settingsChanged();
}

void frmBarSize::updateDefinedBox()
{
    // Without a size there is nothing to use: the box is cleared and cannot be checked.
    const bool hasSize = m_settings.hasSize();
    if (!hasSize)
        m_settings.defined = false;
    chkDefined->setEnabled(hasSize);
    chkDefined->setChecked(m_settings.defined);
}

double frmBarSize::previewWidthTwips() const
{
    const PreviewSample &sample = previewSample(m_previewOption);
    // Code 39 grows with its data; the defined width does not apply to it.
    if (sample.isCode39())
        return code39WidthTwips(int(sample.data.size()));
    return m_settings.hasSize() ? m_settings.widthTwips() : kUndefinedWidthTwips;
}

void frmBarSize::updatePreview()
{
    const PreviewSample &sample = previewSample(m_previewOption);
    Barcode2.setSymbology(sample.symbology);
    Barcode2.setData(sample.data);
    Barcode2.setSupplement(sample.supplement);
    m_settings.appearance.applyTo(Barcode2);
    const double width = previewWidthTwips();
    const double height = m_settings.hasSize() ? m_settings.previewHeightTwips() : kUndefinedHeightTwips;
    Barcode2.setWidthTwips(width);
    Barcode2.setHeightTwips(height);

    picBarsize->setWidthTwips(width);
    picBarsize->setHeightTwips(height);
    const double screenDpi = logicalDpiX() * devicePixelRatioF();
    QImage image = Barcode2.image(QSize(twipsToWholePixels(width, screenDpi), twipsToWholePixels(height, screenDpi)));
    image.setDevicePixelRatio(devicePixelRatioF());
    picBarsize->setImage(image);

    // The module width is judged on the defined-size label: defined width and height at the
    // chosen resolution.
    m_readout = m_settings.hasSize()
                    ? moduleWidthReadout(Barcode2, width, m_settings.heightTwips(), m_settings.dotsPerInch())
                    : ModuleWidthReadout();
    lblModuleWidth->setText(m_readout.text);
    lblModuleWarning->setText(m_readout.warning);
    lblModuleWarning->setVisible(!m_readout.warning.isEmpty());
    showArtworkOptions();
}

} // namespace Kelbrix
