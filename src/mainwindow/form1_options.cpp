// The type and supplement options of the main window and the rules that derive the
// TypeCode, the entry lengths and the window caption from them.
#include "mainwindow/form1.h"

#include "mainwindow/type_options.h"
#include "barcode/check_characters.h"
#include "barcode/entry_rules.h"
#include "widgets/label_picture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

void Form1::connectHandlers()
{
    TypeOptions::connect(*this);

    connect(TxtStreck, &QLineEdit::textChanged, this, &Form1::onBarcodeChanged);
    connect(txtSup, &QLineEdit::textChanged, this, &Form1::onSupplementChanged);
    connect(txtCopies, &QLineEdit::textChanged, this, &Form1::onCopiesChanged);
    connect(Command1, &QPushButton::clicked, this, &Form1::onMakeCode);
    connect(Command2, &QPushButton::clicked, this, &Form1::onClear);
    connect(chkDefined, &QCheckBox::clicked, this, &Form1::onUseDefined);

    for (QLineEdit *box : {TxtStreck, txtSup, txtProduct, txtFree, txtCopies})
        box->installEventFilter(this);
}

void Form1::ApplyBarcodeType()
{
    const QString fromList = typeCodeFromList();
    if (!fromList.isEmpty())
        TypeCode = fromList;

    if (TypeCode == u"Co39"_s) {
        chkModulus43->setVisible(true);
    } else {
        chkModulus43->setChecked(false);
        chkModulus43->setVisible(false);
    }

    if (const TypeInfo *type = findType(TypeCode)) {
        EntryLength = qint16(type->entryLength);
        SupplementLength = qint16(type->supplementLength);
        txtSup->setEnabled(SupplementLength > 0);
    }
    updateCommandsEnabled();
}

QString Form1::typeCodeOfOptions() const
{
    int supplement = -1;
    if (optNosup->isChecked())
        supplement = 0;
    else if (chk2digit->isChecked())
        supplement = 2;
    else if (chk5digit->isChecked())
        supplement = 5;
    if (supplement < 0)
        return {};

    for (const auto &[option, symbology] : TypeOptions::buttons(*this)) {
        if (option->isChecked())
            return typeCodeFor(symbology, supplement);
    }
    return {};
}

void Form1::TypeCodeFromOptions()
{
    const QString code = typeCodeOfOptions();
    if (code.isEmpty())
        return;
    TypeCode = code;
    if (TypeCode == u"Co39"_s)
        Code39CheckCharacter();
}

void Form1::Code39CheckCharacter()
{
    if (!chkModulus43->isChecked())
        return;
    const QString entry = TxtStreck->text();
    const QString withCheck = withCode39CheckCharacter(entry);
    // The renderer would refuse a check character past the longest Code 39 it draws.
    if (withCheck.size() > kCode39MaxLength) {
        setHint(code39TooLongHint());
        return;
    }
    if (withCheck != entry)
        TxtStreck->setText(withCheck);
}

} // namespace Kelbrix
