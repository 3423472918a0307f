// The type and supplement options of the main window and the rules that derive the
// TypeCode, the entry lengths and the window caption from them.
#include "app/form1.h"

#include "barcode/check_characters.h"
#include "barcode/entry_rules.h"
#include "app/label_picture.h"

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
    const auto onSelected = [this](QRadioButton *option, auto handler) {
        connect(option, &QRadioButton::toggled, this, [handler](bool checked) {
            if (checked)
                handler();
        });
    };
    onSelected(optEAN13, [this] { onTypeOption(Symbology::Ean13); });
    onSelected(optEAN8, [this] { onTypeOption(Symbology::Ean8); });
    onSelected(optUPCA, [this] { onTypeOption(Symbology::UpcA); });
    onSelected(optUPCE, [this] { onTypeOption(Symbology::UpcE); });
    onSelected(optUpcEP, [this] { onTypeOption(Symbology::UpcAToE); });
    onSelected(optISBN, [this] { onIsbnOption(); });
    onSelected(optSCC14, [this] { onScc14Option(); });
    onSelected(optCode39, [this] { onCode39Option(); });
    onSelected(optNosup, [this] { onSupplementOption(0); });
    onSelected(chk2digit, [this] { onSupplementOption(2); });
    onSelected(chk5digit, [this] { onSupplementOption(5); });
    onSelected(Option1, [this] { onProductLineOption(true); });
    onSelected(Option2, [this] { onProductLineOption(false); });

    connect(TxtStreck, &QLineEdit::textChanged, this, &Form1::onBarcodeChanged);
    connect(txtSup, &QLineEdit::textChanged, this, &Form1::onSupplementChanged);
    connect(txtCopies, &QLineEdit::textChanged, this, &Form1::onCopiesChanged);
    connect(Command1, &QPushButton::clicked, this, &Form1::onMakeCode);
    connect(Command2, &QPushButton::clicked, this, &Form1::onClear);
    connect(chkDefined, &QCheckBox::clicked, this, &Form1::onUseDefined);

    for (QLineEdit *box : {TxtStreck, txtSup, txtProduct, txtFree, txtCopies})
        box->installEventFilter(this);
}

int Form1::selectedSupplement() const
{
    if (chk2digit->isChecked())
        return 2;
    if (chk5digit->isChecked())
        return 5;
    return 0;
}

QString Form1::supplementSuffix() const
{
    switch (selectedSupplement()) {
    case 2:
        return u" - 2 Digits"_s;
    case 5:
        return u" - 5 Digits"_s;
    default:
        return u" "_s;
    }
}

void Form1::setCaption(const QString &separator, const QString &suffix)
{
    setWindowTitle(WindowTitle + separator + TypeName + suffix);
}

void Form1::onTypeOption(Symbology symbology)
{
    Frame2->setEnabled(true);
    TypeName = typeDisplayName(symbology);
    chk2digit->setEnabled(true);
    const QString code = typeCodeFor(symbology, selectedSupplement());
    if (!code.isEmpty())
        TypeCode = code;
    setCaption(u" - "_s, supplementSuffix());
    ApplyBarcodeType();
    Label2->setText(u"Barcode"_s);
}

void Form1::onIsbnOption()
{
    Frame2->setEnabled(true);
    TypeName = u"ISBN "_s;
    chk2digit->setEnabled(false);
    if (chk2digit->isChecked()) {
        optNosup->setChecked(true);
        txtSup->clear();
    }
    TypeCode = typeCodeFor(Symbology::Isbn, selectedSupplement());
    // Only the 5-digit supplement adds a suffix; "ISBN " brings its own trailing blank.
    setCaption(u" - "_s, chk5digit->isChecked() ? supplementSuffix() : QString());
    Label2->setText(u"ISBN Code"_s);
    ApplyBarcodeType();
}

void Form1::onScc14Option()
{
    TypeName = u"SCC-14 "_s;
    Label2->setText(u"Barcode"_s);
    if (!optNosup->isChecked())
        optNosup->setChecked(true);
    TypeCode = u"SC14"_s;
    setCaption(u" - "_s, QString());
    Frame2->setEnabled(false);
    ApplyBarcodeType();
}

void Form1::onCode39Option()
{
    TypeName = u"Code 39"_s;
    Frame2->setEnabled(false);
    if (!optNosup->isChecked())
        optNosup->setChecked(true);
    TypeCode = u"Co39"_s;
    setCaption(u" - "_s, QString());
    ApplyBarcodeType();
    Label2->setText(u"Barcode"_s);
    if (!TxtStreck->text().isEmpty()) {
        Command1->setEnabled(true);
        Command4->setEnabled(true);
    }
}

void Form1::onSupplementOption(int digits)
{
    setCaption(u" "_s, digits == 0 ? u" "_s : supplementSuffix());
    TypeCode = remapSupplement(TypeCode, digits);
    if (digits == 0 || (digits == 2 && txtSup->text().size() > 2))
        txtSup->clear();
    ApplyBarcodeType();
}

void Form1::onProductLineOption(bool on)
{
    Pstrk->setHeightTwips(on ? 1065 : 900);
    m_isbnMessageShown = false;
    m_refusalShown = false;
    UpdateBarcodeView();
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

QList<std::pair<QRadioButton *, Symbology>> Form1::typeOptions() const
{
    return {{optCode39, Symbology::Code39}, {optEAN13, Symbology::Ean13},  {optISBN, Symbology::Isbn},
            {optSCC14, Symbology::Scc14},   {optEAN8, Symbology::Ean8},    {optUPCA, Symbology::UpcA},
            {optUPCE, Symbology::UpcE},     {optUpcEP, Symbology::UpcAToE}};
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

    for (const auto &[option, symbology] : typeOptions()) {
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
