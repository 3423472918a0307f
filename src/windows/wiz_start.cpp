#include "windows/wiz_start.h"
#include "widgets/translation.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

WizStart *WizStart::instance()
{
    static QPointer<WizStart> wizard;
    if (!wizard)
        wizard = new WizStart;
    return wizard;
}

WizStart::WizStart()
{
    setObjectName(u"WizStart"_s);
    setTranslated(this, "windowTitle", "WizStart", QT_TRANSLATE_NOOP("WizStart", "Getting started"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto *layout = new QVBoxLayout(this);
    auto *text = translated(
        new QLabel(this), "text", "WizStart",
        QT_TRANSLATE_NOOP("WizStart",
                          "<ol><li>Choose the barcode type and, if you need one, a supplement.</li>"
                          "<li>Type the digits without the check digit; it is added for you.</li>"
                          "<li>Type the product text to print under the barcode.</li>"
                          "<li>Press <b>Make Code</b>, then copy, drag, list, print or save the label.</li></ol>"));
    text->setWordWrap(true);
    layout->addWidget(text);
    Command1 = translated(new QPushButton(this), "text", "WizStart", QT_TRANSLATE_NOOP("WizStart", "&Close"));
    Command1->setObjectName(u"Command1"_s);
    layout->addWidget(Command1, 0, Qt::AlignRight);
    connect(Command1, &QPushButton::clicked, this, &QWidget::hide);
}

} // namespace Kelbrix
