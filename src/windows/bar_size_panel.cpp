#include "windows/bar_size_panel.h"
#include "widgets/translation.h"

#include "widgets/named.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

const QString kInchSign = u"\""_s;

} // namespace

BarSizePanel::BarSizePanel(QWidget *parent) : QWidget(parent)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    Frame1 =
        named(translated(new QGroupBox(this), "title", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "Scale Mode")),
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
    Label1 = named(translated(new QLabel(this), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "&Width")),
                   u"Label1"_s);
    Label2 = named(translated(new QLabel(this), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "&Height")),
                   u"Label2"_s);
    txtBSWidth = named(new QLineEdit(this), u"txtBSWidth"_s);
    txtBSHeight = named(new QLineEdit(this), u"txtBSHeight"_s);
    lblUnitWidth = named(new QLabel(u"mm"_s, this), u"lblUnitWidth"_s);
    lblUnitHeight = named(new QLabel(u"mm"_s, this), u"lblUnitHeight"_s);
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
        named(translated(new QGroupBox(this), "title", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "Resolution")),
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
        translated(new QCheckBox(this), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "&Use Defined Barcode")),
        u"chkDefined"_s);
    comMinimum =
        named(translated(new QPushButton(this), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "&Use Minimum")),
              u"comMinimum"_s);
    cmdRegSize = named(
        translated(new QPushButton(this), "text", "frmBarSize", QT_TRANSLATE_NOOP("frmBarSize", "&Register Size")),
        u"cmdRegSize"_s);
    column->addWidget(chkDefined);
    column->addWidget(comMinimum);
    column->addWidget(cmdRegSize);
    column->addStretch(1);

    connect(optBSmm, &QRadioButton::clicked, this, [this] { emit unitChosen(BarSizeSettings::Unit::Millimetre); });
    connect(optBSInch, &QRadioButton::clicked, this, [this] { emit unitChosen(BarSizeSettings::Unit::Inch); });
    for (QLineEdit *box : {txtBSWidth, txtBSHeight}) {
        connect(box, &QLineEdit::textChanged, this, [this, box](const QString &text) {
            if (!m_showing)
                emit sizeEdited(box == txtBSHeight, text);
        });
    }
    for (QRadioButton *option : {opt72dpi, opt96dpi, optUserdpiW})
        connect(option, &QRadioButton::clicked, this, &BarSizePanel::onDpiOption);
    // Typing a resolution chooses it; leaving the box settles it.
    connect(Text1, &QLineEdit::textEdited, this, [this] {
        optUserdpiW->setChecked(true);
        onDpiOption();
    });
    connect(Text1, &QLineEdit::editingFinished, this, [this] { emit userDpiFinished(Text1->text()); });
    connect(chkDefined, &QCheckBox::clicked, this, &BarSizePanel::definedClicked);
    connect(comMinimum, &QPushButton::clicked, this, &BarSizePanel::minimumClicked);
    // "&Register Size" carries no action.
    Label6->installEventFilter(this);
}

void BarSizePanel::showSettings(const BarSizeSettings &settings)
{
    m_showing = true;
    const bool inch = settings.unit == BarSizeSettings::Unit::Inch;
    (inch ? optBSInch : optBSmm)->setChecked(true);
    lblUnitWidth->setText(inch ? kInchSign : u"mm"_s);
    lblUnitHeight->setText(inch ? kInchSign : u"mm"_s);
    if (txtBSWidth->text() != settings.widthText)
        txtBSWidth->setText(settings.widthText);
    if (txtBSHeight->text() != settings.heightText)
        txtBSHeight->setText(settings.heightText);
    switch (settings.dpi) {
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
    Text1->setText(settings.userDpiText);
    m_showing = false;
}

void BarSizePanel::showDefined(bool enabled, bool checked)
{
    chkDefined->setEnabled(enabled);
    chkDefined->setChecked(checked);
}

QList<std::pair<QObject *, QString>> BarSizePanel::hints() const
{
    return {
        {Label1, QCoreApplication::translate("frmBarSize", "Width: Fill in the Width for the Barcode to the right.")},
        {Label2, QCoreApplication::translate("frmBarSize", "Height: Fill in the Height for the Barcode to the right.")},
        {txtBSWidth, QCoreApplication::translate("frmBarSize", "Fill in the Width for the Barcode.")},
        {txtBSHeight, QCoreApplication::translate("frmBarSize", "Fill in the Height for the Barcode.")},
        {optBSmm, QCoreApplication::translate("frmBarSize", "Millimeter(mm): All measurements is in MilliMeters.")},
        {optBSInch, QCoreApplication::translate("frmBarSize", "Inches (\"): All measurements is in Inches.")},
        {chkDefined,
         QCoreApplication::translate("frmBarSize", "If it's checked then this size for the Barcode is default.")},
    };
}

bool BarSizePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label6 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        emit dpiWindowRequested();
    return QWidget::eventFilter(watched, event);
}

void BarSizePanel::onDpiOption()
{
    if (m_showing)
        return;
    const BarSizeSettings::Dpi dpi = opt96dpi->isChecked()      ? BarSizeSettings::Dpi::Dpi96
                                     : optUserdpiW->isChecked() ? BarSizeSettings::Dpi::User
                                                                : BarSizeSettings::Dpi::Dpi72;
    emit dpiEdited(dpi, Text1->text());
}

} // namespace Kelbrix
