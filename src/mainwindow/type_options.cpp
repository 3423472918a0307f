// The type and supplement options of the main window and the product-line option: each sets
// the TypeCode, the type name and the caption, and enables what the type allows.
#include "mainwindow/type_options.h"

#include "mainwindow/form1.h"
#include "widgets/translation.h"
#include "barcode/entry_rules.h"
#include "widgets/label_picture.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

void TypeOptions::connect(Form1 &form)
{
    const auto onSelected = [&form](QRadioButton *option, auto handler) {
        QObject::connect(option, &QRadioButton::toggled, &form, [handler](bool checked) {
            if (checked)
                handler();
        });
    };
    onSelected(form.optEAN13, [&form] { typeSelected(form, Symbology::Ean13); });
    onSelected(form.optEAN8, [&form] { typeSelected(form, Symbology::Ean8); });
    onSelected(form.optUPCA, [&form] { typeSelected(form, Symbology::UpcA); });
    onSelected(form.optUPCE, [&form] { typeSelected(form, Symbology::UpcE); });
    onSelected(form.optUpcEP, [&form] { typeSelected(form, Symbology::UpcAToE); });
    onSelected(form.optISBN, [&form] { isbnSelected(form); });
    onSelected(form.optSCC14, [&form] { scc14Selected(form); });
    onSelected(form.optCode39, [&form] { code39Selected(form); });
    onSelected(form.optNosup, [&form] { supplementSelected(form, 0); });
    onSelected(form.chk2digit, [&form] { supplementSelected(form, 2); });
    onSelected(form.chk5digit, [&form] { supplementSelected(form, 5); });
    onSelected(form.Option1, [&form] { productLineSelected(form); });
    onSelected(form.Option2, [&form] { productLineSelected(form); });
}

int TypeOptions::selectedSupplement(const Form1 &form)
{
    if (form.chk2digit->isChecked())
        return 2;
    if (form.chk5digit->isChecked())
        return 5;
    return 0;
}

const char *TypeOptions::supplementSuffix(const Form1 &form)
{
    switch (selectedSupplement(form)) {
    case 2:
        return QT_TRANSLATE_NOOP("Form1", " - 2 Digits");
    case 5:
        return QT_TRANSLATE_NOOP("Form1", " - 5 Digits");
    default:
        return " ";
    }
}

void TypeOptions::setCaption(Form1 &form, const QString &separator, const char *suffix)
{
    form.m_captionSeparator = separator;
    form.m_captionSuffix = suffix;
    form.showCaption();
}

void TypeOptions::typeSelected(Form1 &form, Symbology symbology)
{
    form.Frame2->setEnabled(true);
    form.TypeName = typeDisplayName(symbology);
    form.chk2digit->setEnabled(true);
    const QString code = typeCodeFor(symbology, selectedSupplement(form));
    if (!code.isEmpty())
        form.TypeCode = code;
    setCaption(form, u" - "_s, supplementSuffix(form));
    form.ApplyBarcodeType();
    setTranslated(form.Label2, "text", "Form1", QT_TRANSLATE_NOOP("Form1", "Barcode"));
}

void TypeOptions::isbnSelected(Form1 &form)
{
    form.Frame2->setEnabled(true);
    form.TypeName = u"ISBN "_s;
    form.chk2digit->setEnabled(false);
    if (form.chk2digit->isChecked()) {
        form.optNosup->setChecked(true);
        form.txtSup->clear();
    }
    form.TypeCode = typeCodeFor(Symbology::Isbn, selectedSupplement(form));
    // Only the 5-digit supplement adds a suffix; "ISBN " brings its own trailing blank.
    setCaption(form, u" - "_s, form.chk5digit->isChecked() ? supplementSuffix(form) : nullptr);
    setTranslated(form.Label2, "text", "Form1", QT_TRANSLATE_NOOP("Form1", "ISBN Code"));
    form.ApplyBarcodeType();
}

void TypeOptions::scc14Selected(Form1 &form)
{
    form.TypeName = u"SCC-14 "_s;
    setTranslated(form.Label2, "text", "Form1", QT_TRANSLATE_NOOP("Form1", "Barcode"));
    if (!form.optNosup->isChecked())
        form.optNosup->setChecked(true);
    form.TypeCode = u"SC14"_s;
    setCaption(form, u" - "_s, nullptr);
    form.Frame2->setEnabled(false);
    form.ApplyBarcodeType();
}

void TypeOptions::code39Selected(Form1 &form)
{
    form.TypeName = u"Code 39"_s;
    form.Frame2->setEnabled(false);
    if (!form.optNosup->isChecked())
        form.optNosup->setChecked(true);
    form.TypeCode = u"Co39"_s;
    setCaption(form, u" - "_s, nullptr);
    form.ApplyBarcodeType();
    setTranslated(form.Label2, "text", "Form1", QT_TRANSLATE_NOOP("Form1", "Barcode"));
    if (!form.TxtStreck->text().isEmpty()) {
        form.Command1->setEnabled(true);
        form.Command4->setEnabled(true);
    }
}

void TypeOptions::supplementSelected(Form1 &form, int digits)
{
    setCaption(form, u" "_s, digits == 0 ? " " : supplementSuffix(form));
    form.TypeCode = remapSupplement(form.TypeCode, digits);
    if (digits == 0 || (digits == 2 && form.txtSup->text().size() > 2))
        form.txtSup->clear();
    form.ApplyBarcodeType();
}

void TypeOptions::productLineSelected(Form1 &form)
{
    form.m_isbnMessageShown = false;
    form.m_refusalShown = false;
    form.UpdateBarcodeView();
}

QList<std::pair<QRadioButton *, Symbology>> TypeOptions::buttons(const Form1 &form)
{
    return {{form.optCode39, Symbology::Code39}, {form.optEAN13, Symbology::Ean13},  {form.optISBN, Symbology::Isbn},
            {form.optSCC14, Symbology::Scc14},   {form.optEAN8, Symbology::Ean8},    {form.optUPCA, Symbology::UpcA},
            {form.optUPCE, Symbology::UpcE},     {form.optUpcEP, Symbology::UpcAToE}};
}

} // namespace Kelbrix
