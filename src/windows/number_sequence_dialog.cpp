// The window that numbers items in sequence under a GS1 company prefix.
#include "windows/number_sequence_dialog.h"

#include "widgets/named.h"
#include "base/user_prompt.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

NumberSequenceDialog::NumberSequenceDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"frmSequence"_s);
    setWindowTitle(QCoreApplication::translate("NumberSequenceDialog", "Number Sequence"));
    auto *digits = new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), this);
    txtPrefix = named(new QLineEdit(this), u"txtPrefix"_s);
    txtPrefix->setValidator(digits);
    txtPrefix->setMaxLength(11);
    txtFirstItem = named(new QLineEdit(this), u"txtFirstItem"_s);
    txtFirstItem->setValidator(digits);
    txtCount = named(new QSpinBox(this), u"txtCount"_s);
    txtCount->setRange(1, int(kMaxSequenceCount));
    txtCount->setValue(10);
    txtPattern =
        named(new QLineEdit(QCoreApplication::translate("NumberSequenceDialog", "Item {n}"), this), u"txtPattern"_s);
    txtPattern->setToolTip(QCoreApplication::translate(
        "NumberSequenceDialog", "{n} stands for the number's place in the sequence: 1, 2, 3, ..."));

    auto *form = new QFormLayout;
    addLabelledRow(form, this, QCoreApplication::translate("NumberSequenceDialog", "Company &prefix:"), txtPrefix);
    addLabelledRow(form, this, QCoreApplication::translate("NumberSequenceDialog", "&First item reference:"),
                   txtFirstItem);
    addLabelledRow(form, this, QCoreApplication::translate("NumberSequenceDialog", "&Count:"), txtCount);
    addLabelledRow(form, this, QCoreApplication::translate("NumberSequenceDialog", "Product &name:"), txtPattern);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    named(buttons->button(QDialogButtonBox::Ok), u"cmdOk"_s);
    named(buttons->button(QDialogButtonBox::Cancel), u"cmdCancel"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &NumberSequenceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void NumberSequenceDialog::accept()
{
    NumberSequenceRequest request;
    request.companyPrefix = txtPrefix->text();
    request.firstItemReference = txtFirstItem->text();
    request.count = txtCount->value();
    request.productPattern = txtPattern->text();
    m_sequence = makeNumberSequence(request);
    if (!m_sequence.ok()) {
        ask(m_sequence.error, windowTitle(), PromptIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    QDialog::accept();
}

} // namespace Kelbrix
