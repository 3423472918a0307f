#include "windows/tiff_resolution_frame.h"
#include "widgets/translation.h"

#include "widgets/named.h"
#include "windows/entry_key_filter.h"
#include "base/user_prompt.h"
#include "export/tiff_parameters.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

TiffResolutionFrame::TiffResolutionFrame(PrinterResolution printer, QWidget *parent)
    : QGroupBox(parent), m_printer(printer)
{
    setObjectName(u"FrameResolution"_s);
    setTranslated(this, "title", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "TIFF Resolution"));
    auto *grid = new QGridLayout(this);
    optPrinterRes = named(new QRadioButton(this), u"optPrinterRes"_s);
    optUserRes = named(
        translated(new QRadioButton(this), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Save TIF picture at")),
        u"optUserRes"_s);
    txtUserRes = named(new QLineEdit(this), u"txtUserRes"_s);
    txtScreenDPI = named(new QLineEdit(this), u"txtScreenDPI"_s);
    Label2 =
        named(translated(new QLabel(this), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "Screen dpi")), u"Label2"_s);
    // The boxes are measured in the window's font, as the copies box is; a group box may have
    // a font of its own.
    const int digitWidth = parent->fontMetrics().horizontalAdvance(u'0');
    for (QLineEdit *box : {txtUserRes, txtScreenDPI})
        box->setMaximumWidth(digitWidth * 8);
    txtUserRes->setMaxLength(TiffParameters::kResolutionChars);
    txtUserRes->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9.]{0,4}"_s), txtUserRes));
    txtScreenDPI->setText(QString::number(parent->logicalDpiX()));
    Label2->setBuddy(txtScreenDPI);
    grid->addWidget(optPrinterRes, 0, 0, 1, 3);
    grid->addWidget(optUserRes, 1, 0);
    grid->addWidget(txtUserRes, 1, 1);
    grid->addWidget(translated(new QLabel(this), "text", "frmTiff", QT_TRANSLATE_NOOP("frmTiff", "dpi")), 1, 2);
    grid->addWidget(Label2, 2, 0, Qt::AlignRight);
    grid->addWidget(txtScreenDPI, 2, 1);
    grid->setColumnStretch(2, 1);

    connect(optPrinterRes, &QRadioButton::toggled, this, [this](bool on) { txtUserRes->setEnabled(!on); });
    connect(txtUserRes, &QLineEdit::textChanged, this, &TiffResolutionFrame::onUserResolutionChanged);
    new EntryKeyFilter(txtUserRes, TiffParameters::kResolutionChars);
    txtUserRes->installEventFilter(this);
}

bool TiffResolutionFrame::printerResolution() const
{
    return optPrinterRes->isChecked();
}

QString TiffResolutionFrame::userResolution() const
{
    return txtUserRes->text();
}

void TiffResolutionFrame::showResolution(bool printerResolution, const QString &userResolution)
{
    (printerResolution ? optPrinterRes : optUserRes)->setChecked(true);
    txtUserRes->setEnabled(!printerResolution);
    const QSignalBlocker quiet(txtUserRes);
    txtUserRes->setText(userResolution);
}

void TiffResolutionFrame::setPrinterCaption(const QString &unit)
{
    m_printerCaptionUnit = unit;
    QString caption = QCoreApplication::translate("frmTiff", "Save TIF picture in the same Resolution as my printer %1")
                          .arg(m_printer.dotsPerInch) +
                      unit;
    // Without a printer the figure is an assumption; the caption says so.
    if (!m_printer.printerFound)
        caption += QCoreApplication::translate("frmTiff", " - no printer found");
    optPrinterRes->setText(caption);
}

bool TiffResolutionFrame::settleOnOk()
{
    // The check reads the resolution choice alone.
    TiffParameters p;
    p.printerResolution = printerResolution();
    p.userResolution = userResolution();
    switch (checkResolutionOnOk(p)) {
    case ResolutionCheck::TooLow:
        ask(QCoreApplication::translate("frmTiff", "Min. resolution is 300 dpi"), applicationTitle(),
            PromptIcon::NoIcon, PromptButtons::Ok);
        txtUserRes->setText(p.userResolution);
        return false;
    case ResolutionCheck::PrinterChosen:
        optPrinterRes->setChecked(true);
        break;
    case ResolutionCheck::Accepted:
        break;
    }
    return true;
}

bool TiffResolutionFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtUserRes && event->type() == QEvent::MouseButtonPress)
        optUserRes->setChecked(true);
    return QGroupBox::eventFilter(watched, event);
}

void TiffResolutionFrame::changeEvent(QEvent *event)
{
    // The caption is built from the printer: it is built again in the new language.
    if (event->type() == QEvent::LanguageChange)
        setPrinterCaption(m_printerCaptionUnit);
    QGroupBox::changeEvent(event);
}

void TiffResolutionFrame::onUserResolutionChanged()
{
    if (!resolutionTooHigh(txtUserRes->text()))
        return;
    ask(QCoreApplication::translate("frmTiff", "Max resolution is 4800 dpi"),
        QCoreApplication::translate("frmTiff", "Max 4800 dpi"), PromptIcon::Exclamation, PromptButtons::Ok);
    txtUserRes->setText(QString::number(TiffParameters::kMaxResolution));
    txtUserRes->setCursorPosition(int(txtUserRes->text().size()));
}

} // namespace Kelbrix
