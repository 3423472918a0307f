// The type and supplement options of the main window and the product-line option: each sets
// the TypeCode, the type name and the caption, and enables what the type allows.
#include "mainwindow/type_options.h"

#include "mainwindow/entry_panel.h"
#include "mainwindow/form1.h"
#include "mainwindow/label_panel.h"
#include "settings/settings_store.h"
#include "widgets/named.h"
#include "widgets/translation.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

TypeOptions::TypeOptions(Form1 &form) : QObject(&form), m_form(form)
{
}

QWidget *TypeOptions::build(QWidget *parent)
{
    auto *panel = new QWidget(parent);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    Frame1 =
        named(translated(new QGroupBox(panel), "title", "Form1", QT_TRANSLATE_NOOP("Form1", "Barcode")), u"Frame1"_s);
    auto *types = new QGridLayout(Frame1);
    optEAN13 = named(new QRadioButton(u"EAN &13"_s, Frame1), u"optEAN13"_s);
    optEAN8 = named(new QRadioButton(u"EAN &8"_s, Frame1), u"optEAN8"_s);
    optUPCA = named(new QRadioButton(u"UPC &A"_s, Frame1), u"optUPCA"_s);
    optUPCE = named(new QRadioButton(u"UPC &E"_s, Frame1), u"optUPCE"_s);
    optUpcEP = named(new QRadioButton(u"UPC A To E"_s, Frame1), u"optUpcEP"_s);
    optISBN = named(new QRadioButton(u"&ISBN"_s, Frame1), u"optISBN"_s);
    optSCC14 = named(new QRadioButton(u"&SCC-14"_s, Frame1), u"optSCC14"_s);
    optCode39 = named(new QRadioButton(u"Code &39"_s, Frame1), u"optCode39"_s);
    const QList<QRadioButton *> typeButtons{optEAN13, optEAN8, optUPCA,  optUPCE,
                                            optUpcEP, optISBN, optSCC14, optCode39};
    for (int i = 0; i < typeButtons.size(); ++i)
        types->addWidget(typeButtons[i], i % 4, i / 4);
    layout->addWidget(Frame1);

    auto *column = new QVBoxLayout;
    Frame2 =
        named(translated(new QGroupBox(panel), "title", "Form1", QT_TRANSLATE_NOOP("Form1", "Digit Supplementals")),
              u"Frame2"_s);
    auto *supplements = new QVBoxLayout(Frame2);
    optNosup =
        named(translated(new QRadioButton(Frame2), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "&No Supplement")),
              u"optNosup"_s);
    chk2digit = named(translated(new QRadioButton(Frame2), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "&2 Digits")),
                      u"chk2digit"_s);
    chk5digit = named(translated(new QRadioButton(Frame2), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "&5 Digits")),
                      u"chk5digit"_s);
    supplements->addWidget(optNosup);
    supplements->addWidget(chk2digit);
    supplements->addWidget(chk5digit);
    column->addWidget(Frame2);

    auto *productLine =
        named(translated(new QGroupBox(panel), "title", "Form1", QT_TRANSLATE_NOOP("Form1", "Product line")),
              u"FrameProductLine"_s);
    auto *productLayout = new QHBoxLayout(productLine);
    Option1 = named(translated(new QRadioButton(productLine), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "&Text")),
                    u"Option1"_s);
    Option2 = named(translated(new QRadioButton(productLine), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "&Blank")),
                    u"Option2"_s);
    productLayout->addWidget(Option1);
    productLayout->addWidget(Option2);
    column->addWidget(productLine);
    layout->addLayout(column);
    return panel;
}

void TypeOptions::connectHandlers()
{
    const auto onSelected = [this](QRadioButton *option, auto handler) {
        QObject::connect(option, &QRadioButton::toggled, &m_form, [handler](bool checked) {
            if (checked)
                handler();
        });
    };
    onSelected(optEAN13, [this] { typeSelected(Symbology::Ean13); });
    onSelected(optEAN8, [this] { typeSelected(Symbology::Ean8); });
    onSelected(optUPCA, [this] { typeSelected(Symbology::UpcA); });
    onSelected(optUPCE, [this] { typeSelected(Symbology::UpcE); });
    onSelected(optUpcEP, [this] { typeSelected(Symbology::UpcAToE); });
    onSelected(optISBN, [this] { isbnSelected(); });
    onSelected(optSCC14, [this] { scc14Selected(); });
    onSelected(optCode39, [this] { code39Chosen(); });
    onSelected(optNosup, [this] { supplementSelected(0); });
    onSelected(chk2digit, [this] { supplementSelected(2); });
    onSelected(chk5digit, [this] { supplementSelected(5); });
    onSelected(Option1, [this] { productLineSelected(); });
    onSelected(Option2, [this] { productLineSelected(); });
}

void TypeOptions::selectDefaults()
{
    optEAN13->setChecked(true);
    optNosup->setChecked(true);
    Option1->setChecked(true);
}

void TypeOptions::offerEdition(Edition edition)
{
    for (const QString &name : editionHiddenTypeOptions(edition)) {
        if (auto *option = m_form.findChild<QRadioButton *>(name))
            option->setVisible(false);
    }
    if (edition == Edition::Upc && !(optUPCE->isChecked() || optUpcEP->isChecked() || optCode39->isChecked()))
        optUPCA->setChecked(true);
}

QString TypeOptions::startUpTypeName() const
{
    // The caption names the selected type (without the trailing blanks some type names
    // carry elsewhere); "UPC A To E" starts as its UPC-A data.
    if (optEAN13->isChecked())
        return u"EAN 13"_s;
    if (optEAN8->isChecked())
        return u"EAN 8"_s;
    if (optISBN->isChecked())
        return u"ISBN"_s;
    if (optSCC14->isChecked())
        return u"SCC-14"_s;
    if (optUPCA->isChecked() || optUpcEP->isChecked())
        return u"UPC A"_s;
    if (optUPCE->isChecked())
        return u"UPC E"_s;
    return {};
}

void TypeOptions::startCaption(const QString &windowTitle)
{
    WindowTitle = windowTitle;
    TypeName = startUpTypeName();
    m_captionSeparator = u" "_s;
    m_captionSuffix = m_startUpSuffix;
    showCaption();
}

void TypeOptions::showCaption()
{
    // Before the start-up has set the title there is no caption to build.
    if (WindowTitle.isEmpty())
        return;
    m_form.setWindowTitle(WindowTitle + m_captionSeparator + TypeName +
                          (m_captionSuffix ? QCoreApplication::translate("Form1", m_captionSuffix) : QString()));
}

int TypeOptions::selectedSupplement() const
{
    if (chk2digit->isChecked())
        return 2;
    if (chk5digit->isChecked())
        return 5;
    return 0;
}

bool TypeOptions::code39Selected() const
{
    return optCode39->isChecked() && optNosup->isChecked();
}

bool TypeOptions::productLineOn() const
{
    return Option1->isChecked();
}

const char *TypeOptions::supplementSuffix() const
{
    switch (selectedSupplement()) {
    case 2:
        return QT_TRANSLATE_NOOP("Form1", " - 2 Digits");
    case 5:
        return QT_TRANSLATE_NOOP("Form1", " - 5 Digits");
    default:
        return " ";
    }
}

void TypeOptions::setCaption(const QString &separator, const char *suffix)
{
    m_captionSeparator = separator;
    m_captionSuffix = suffix;
    showCaption();
}

void TypeOptions::typeSelected(Symbology symbology)
{
    EntryPanel &entry = m_form.entry();
    Frame2->setEnabled(true);
    TypeName = typeDisplayName(symbology);
    chk2digit->setEnabled(true);
    const QString code = typeCodeFor(symbology, selectedSupplement());
    if (!code.isEmpty())
        entry.setTypeCode(code);
    setCaption(u" - "_s, supplementSuffix());
    entry.ApplyBarcodeType();
    entry.setBarcodeCaption(QT_TRANSLATE_NOOP("Form1", "Barcode"));
}

void TypeOptions::isbnSelected()
{
    EntryPanel &entry = m_form.entry();
    Frame2->setEnabled(true);
    TypeName = u"ISBN "_s;
    chk2digit->setEnabled(false);
    if (chk2digit->isChecked()) {
        optNosup->setChecked(true);
        entry.setSupplement(QString());
    }
    entry.setTypeCode(typeCodeFor(Symbology::Isbn, selectedSupplement()));
    // Only the 5-digit supplement adds a suffix; "ISBN " brings its own trailing blank.
    setCaption(u" - "_s, chk5digit->isChecked() ? supplementSuffix() : nullptr);
    entry.setBarcodeCaption(QT_TRANSLATE_NOOP("Form1", "ISBN Code"));
    entry.ApplyBarcodeType();
}

void TypeOptions::scc14Selected()
{
    EntryPanel &entry = m_form.entry();
    TypeName = u"SCC-14 "_s;
    entry.setBarcodeCaption(QT_TRANSLATE_NOOP("Form1", "Barcode"));
    if (!optNosup->isChecked())
        optNosup->setChecked(true);
    entry.setTypeCode(u"SC14"_s);
    setCaption(u" - "_s, nullptr);
    Frame2->setEnabled(false);
    entry.ApplyBarcodeType();
}

void TypeOptions::code39Chosen()
{
    EntryPanel &entry = m_form.entry();
    TypeName = u"Code 39"_s;
    Frame2->setEnabled(false);
    if (!optNosup->isChecked())
        optNosup->setChecked(true);
    entry.setTypeCode(u"Co39"_s);
    setCaption(u" - "_s, nullptr);
    entry.ApplyBarcodeType();
    entry.setBarcodeCaption(QT_TRANSLATE_NOOP("Form1", "Barcode"));
    // Any Code 39 text can be made.
    if (!entry.barcode().isEmpty())
        entry.setCommandsEnabled(true);
}

void TypeOptions::supplementSelected(int digits)
{
    EntryPanel &entry = m_form.entry();
    setCaption(u" "_s, digits == 0 ? " " : supplementSuffix());
    entry.setTypeCode(remapSupplement(entry.typeCode(), digits));
    if (digits == 0 || (digits == 2 && entry.supplement().size() > 2))
        entry.setSupplement(QString());
    entry.ApplyBarcodeType();
}

void TypeOptions::productLineSelected()
{
    m_form.label().forgetMessagesShown();
    m_form.label().UpdateBarcodeView();
}

QList<std::pair<QRadioButton *, Symbology>> TypeOptions::buttons() const
{
    return {{optCode39, Symbology::Code39}, {optEAN13, Symbology::Ean13},  {optISBN, Symbology::Isbn},
            {optSCC14, Symbology::Scc14},   {optEAN8, Symbology::Ean8},    {optUPCA, Symbology::UpcA},
            {optUPCE, Symbology::UpcE},     {optUpcEP, Symbology::UpcAToE}};
}

QString TypeOptions::typeCodeOfOptions() const
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
    for (const auto &[option, symbology] : buttons()) {
        if (option->isChecked())
            return typeCodeFor(symbology, supplement);
    }
    return {};
}

void TypeOptions::selectOptionsOf(const TypeInfo &type)
{
    QRadioButton *option = nullptr;
    for (const auto &[candidate, symbology] : buttons()) {
        if (symbology == type.symbology)
            option = candidate;
    }
    const QString code = type.code;
    option->setChecked(true);
    (type.supplement == 2 ? chk2digit : type.supplement == 5 ? chk5digit : optNosup)->setChecked(true);
    m_form.entry().setTypeCode(code);
}

QList<std::pair<QString, QRadioButton *>> TypeOptions::storedTypeOptions() const
{
    return {{u"Ean8"_s, optEAN8}, {u"Ean13"_s, optEAN13}, {u"ISBN"_s, optISBN}, {u"SC14"_s, optSCC14},
            {u"UpcA"_s, optUPCA}, {u"UpEP"_s, optUpcEP},  {u"UpcE"_s, optUPCE}, {u"Co39"_s, optCode39}};
}

QList<std::pair<QString, QRadioButton *>> TypeOptions::storedSupplementOptions() const
{
    return {{u"Chk0"_s, optNosup}, {u"Chk2"_s, chk2digit}, {u"Chk5"_s, chk5digit}};
}

void TypeOptions::loadSettings(const SettingsStore &settings, Edition edition)
{
    // An option of a type the edition does not offer is never selected: it stays hidden and
    // the edition's own choice applies.
    const QString typeOption = settings.value(u"F1Bar"_s);
    if (typeOption.isEmpty()) {
        optEAN13->setChecked(true);
    } else {
        for (const auto &[stored, option] : storedTypeOptions()) {
            if (typeOption == stored && !editionHiddenTypeOptions(edition).contains(option->objectName()))
                option->setChecked(true);
        }
    }

    const QString supplement = settings.value(u"F1Dig"_s);
    if (supplement.isEmpty()) {
        optNosup->setChecked(true);
    } else {
        for (const auto &[stored, option] : storedSupplementOptions()) {
            if (supplement == stored && option->isEnabled())
                option->setChecked(true);
        }
    }
    m_startUpSuffix = supplement == u"Chk2"_s   ? QT_TRANSLATE_NOOP("Form1", " - 2 Digits")
                      : supplement == u"Chk5"_s ? QT_TRANSLATE_NOOP("Form1", " - 5 Digits")
                                                : " ";

    const QString productLine = settings.value(u"fBtxt"_s);
    if (productLine.isEmpty() || productLine == u"Y"_s)
        Option1->setChecked(true);
    else if (productLine == u"N"_s)
        Option2->setChecked(true);
}

void TypeOptions::saveSettings(SettingsStore &settings) const
{
    for (const auto &[stored, option] : storedTypeOptions()) {
        if (option->isChecked())
            settings.setValue(u"F1Bar"_s, stored);
    }
    for (const auto &[stored, option] : storedSupplementOptions()) {
        if (option->isChecked())
            settings.setValue(u"F1Dig"_s, stored);
    }
    settings.setValue(u"fBtxt"_s, Option1->isChecked() ? u"Y"_s : u"N"_s);
}

} // namespace Kelbrix
