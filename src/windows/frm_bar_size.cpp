#include "windows/frm_bar_size.h"
#include "widgets/translation.h"

#include "widgets/named.h"
#include "windows/artwork_options_box.h"
#include "windows/bar_size_panel.h"
#include "windows/help_window.h"
#include "windows/look_menus.h"
#include "barcode/type_catalogue.h"
#include "base/units.h"
#include "base/user_prompt.h"
#include "label/matrix_part.h"
#include "widgets/label_picture.h"
#include "size/preview_samples.h"

#include <QCoreApplication>
#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// What the preview shows while no size is defined: the main label's EAN-13 symbol.
constexpr double kUndefinedWidthTwips = 1815;
constexpr double kUndefinedHeightTwips = 900;

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
    const std::initializer_list<const QObject *> receivers{this, m_sizePanel, fraArtwork, m_lookMenus};
    for (QObject *child : findChildren<QObject *>()) {
        for (const QObject *receiver : receivers)
            QObject::disconnect(child, nullptr, receiver, nullptr);
    }
}

void frmBarSize::buildWindow()
{
    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    m_sizePanel = new BarSizePanel(this);
    connectSizePanel();
    layout->addWidget(m_sizePanel);

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
    right->addWidget(buildMatrixBox());
    right->addWidget(buildBearersBox());
    right->addStretch(1);
    layout->addLayout(right, 1);
    setCentralWidget(central);

    StatusBar1 = named(new QStatusBar(this), u"StatusBar1"_s);
    m_hintPanel = named(new QLabel(StatusBar1), u"StatusHint"_s);
    StatusBar1->addWidget(m_hintPanel, 1);
    setStatusBar(StatusBar1);
    setHint(QCoreApplication::translate("frmBarSize", "Press F1 for Help"));
}

void frmBarSize::connectSizePanel()
{
    connect(m_sizePanel, &BarSizePanel::unitChosen, this, &frmBarSize::onUnit);
    connect(m_sizePanel, &BarSizePanel::sizeEdited, this, &frmBarSize::onSizeEdited);
    connect(m_sizePanel, &BarSizePanel::dpiEdited, this, &frmBarSize::onDpiEdited);
    connect(m_sizePanel, &BarSizePanel::userDpiFinished, this, &frmBarSize::onUserDpiFinished);
    connect(m_sizePanel, &BarSizePanel::definedClicked, this, &frmBarSize::onDefinedClicked);
    connect(m_sizePanel, &BarSizePanel::minimumClicked, this, &frmBarSize::onUseMinimum);
    connect(m_sizePanel, &BarSizePanel::dpiWindowRequested, this, &frmBarSize::dpiWindowRequested);
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

QGroupBox *frmBarSize::buildMatrixBox()
{
    fraMatrix =
        named(translated(new QGroupBox(this), "title", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "2D Symbol")),
              u"fraMatrix"_s);
    auto *row = new QHBoxLayout(fraMatrix);
    auto *caption =
        named(translated(new QLabel(fraMatrix), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "M&odule")),
              u"lblMatrixModule"_s);
    txtMatrixModule = named(new QLineEdit(fraMatrix), u"txtMatrixModule"_s);
    txtMatrixModule->setMaximumWidth(80);
    caption->setBuddy(txtMatrixModule);
    auto *unit =
        named(new QLabel(
                  QString::fromUtf8("mm (%1–%2)").arg(kMatrixModuleMinMm, 0, 'f', 3).arg(kMatrixModuleMaxMm, 0, 'f', 3),
                  fraMatrix),
              u"lblMatrixRange"_s);
    row->addWidget(caption);
    row->addWidget(txtMatrixModule);
    row->addWidget(unit, 1);
    connect(txtMatrixModule, &QLineEdit::editingFinished, this, &frmBarSize::onMatrixModuleEdited);
    return fraMatrix;
}

void frmBarSize::onMatrixModuleEdited()
{
    bool ok = false;
    const double mm = QString(txtMatrixModule->text()).replace(u',', u'.').trimmed().toDouble(&ok);
    const QString problem = ok ? matrixModuleProblem(mm) : matrixModuleProblem(0).section(u';', 0, 0);
    if (!problem.isEmpty()) {
        // The box shows the module in use again.
        showMatrixModule();
        ask(problem, windowTitle(), PromptIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    if (std::abs(mm - m_settings.matrixModuleMm) < 1e-9)
        return;
    m_settings.matrixModuleMm = mm;
    showMatrixModule();
    changed();
}

void frmBarSize::showMatrixModule()
{
    txtMatrixModule->setText(QString::number(m_settings.matrixModuleMm, 'f', 3));
}

QGroupBox *frmBarSize::buildBearersBox()
{
    fraBearers = named(
        translated(new QGroupBox(this), "title", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "SCC-14 Bearer Bars")),
        u"fraBearers"_s);
    auto *row = new QHBoxLayout(fraBearers);
    // "&None" and "&Top and Bottom" would share their keys with "I&nches" and the Barcode
    // menu's "Cen&ter"; "e" and "p" are free in the window, and "f" is taken only inside the
    // Font menu.
    const auto option = [&](const char *caption, const QString &name, Bearers bearers) {
        auto *button = named(translated(new QRadioButton(fraBearers), "text", "frmBarSize", caption), name);
        row->addWidget(button);
        connect(button, &QRadioButton::clicked, this, [this, bearers] { onBearersChosen(bearers); });
        return button;
    };
    optBearersNone = option(QT_TRANSLATE_NOOP("frmBarSize", "Non&e"), u"optBearersNone"_s, Bearers::None);
    optBearersTopBottom =
        option(QT_TRANSLATE_NOOP("frmBarSize", "To&p and Bottom"), u"optBearersTopBottom"_s, Bearers::TopBottom);
    optBearersFrame = option(QT_TRANSLATE_NOOP("frmBarSize", "&Frame"), u"optBearersFrame"_s, Bearers::Frame);
    row->addStretch(1);
    return fraBearers;
}

void frmBarSize::onBearersChosen(Bearers bearers)
{
    if (bearers == m_settings.appearance.bearers)
        return;
    m_settings.appearance.bearers = bearers;
    // The look menus hand back the whole look when one of theirs is edited.
    m_lookMenus->showLook(m_settings.appearance);
    changed();
}

void frmBarSize::showBearers()
{
    const Bearers bearers = m_settings.appearance.bearers;
    optBearersNone->setChecked(bearers == Bearers::None);
    optBearersTopBottom->setChecked(bearers == Bearers::TopBottom);
    optBearersFrame->setChecked(bearers == Bearers::Frame);
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
        {picBarsize, QCoreApplication::translate("frmBarSize", "Actual barcode on the label")},
        {StatusBar1, QCoreApplication::translate("frmBarSize", "Press F1 to get help.")},
    };
    for (const auto &[control, hint] : m_sizePanel->hints())
        m_hints.insert(control, hint);
    for (QRadioButton *option : std::as_const(m_previewOptions))
        m_hints.insert(option, previewSample(option->objectName()).hint());
    m_hints.insert(
        txtMatrixModule,
        QCoreApplication::translate("frmBarSize", "The module of the 2D symbols (Edit, GS1 Data), in millimetres."));
    for (QWidget *control :
         std::initializer_list<QWidget *>{fraBearers, optBearersNone, optBearersTopBottom, optBearersFrame})
        m_hints.insert(control, QCoreApplication::translate("frmBarSize",
                                                            "Bearer bars of SCC-14, 5 modules thick: none, along the "
                                                            "top and bottom, or a frame around the quiet zones."));
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
    m_sizePanel->showSettings(m_settings);
    m_lookMenus->showLook(m_settings.appearance);
    showMatrixModule();
    showBearers();
}

void frmBarSize::onSizeEdited(bool height, const QString &text)
{
    (height ? m_settings.heightText : m_settings.widthText) = text;
    // A clamped box shows its maximum at once.
    if (m_settings.clamp())
        showSettings();
    changed();
    if (height)
        adjustSize();
}

void frmBarSize::onUnit(BarSizeSettings::Unit unit)
{
    m_settings.switchUnit(unit);
    m_settings.clamp();
    showSettings();
    changed();
}

void frmBarSize::onDpiEdited(BarSizeSettings::Dpi dpi, const QString &userDpiText)
{
    m_settings.dpi = dpi;
    m_settings.userDpiText = userDpiText;
    changed();
}

void frmBarSize::onUserDpiFinished(const QString &text)
{
    if (m_settings.dpi != BarSizeSettings::Dpi::User)
        return;
    m_settings.userDpiText = text;
    m_settings.settleUserDpi();
    showSettings();
    changed();
}

void frmBarSize::onDefinedClicked(bool checked)
{
    m_settings.defined = checked && m_settings.hasSize();
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
    m_sizePanel->showDefined(hasSize, m_settings.defined);
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
