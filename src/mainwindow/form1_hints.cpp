// Status-bar hints: moving the mouse over a control puts its hint into the status bar,
// where it stays until another control sets its own.
#include "mainwindow/form1.h"

#include "mainwindow/hint_panel.h"

#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

void installMainWindowHints(Form1 &form, HintPanel &hints)
{
    const std::pair<const char16_t *, const char *> table[] = {
        {u"Form1", QT_TRANSLATE_NOOP("Form1", "Press F1 for Help")},
        {u"StatBar1", QT_TRANSLATE_NOOP("Form1", "Press F1 to get help.")},
        {u"Frame1", ""},
        {u"Frame2", ""},
        {u"Label2", QT_TRANSLATE_NOOP("Form1", "Barcode: Enter your digits to the right.")},
        {u"Label3", QT_TRANSLATE_NOOP("Form1", "Product: Enter the information to the right.")},
        {u"Label4", QT_TRANSLATE_NOOP("Form1", "Free Text: Enter Free Text to the right.")},
        {u"Label5", QT_TRANSLATE_NOOP("Form1", "Copies: Fill in the number of copies you want to the left. (max 50)")},
        {u"TxtStreck", QT_TRANSLATE_NOOP("Form1", "Barcode: Enter your barcode or ISBN digits here.")},
        {u"txtSup", QT_TRANSLATE_NOOP("Form1", "Enter your Digit Supplement here.")},
        {u"txtProduct", QT_TRANSLATE_NOOP("Form1", "Product: Enter your Product Information here.")},
        {u"txtFree", QT_TRANSLATE_NOOP("Form1", "Free Text: Enter your information here.")},
        {u"txtCopies", QT_TRANSLATE_NOOP("Form1", "Fill in the number of copies you want (max 50).")},
        {u"Command1",
         QT_TRANSLATE_NOOP(
             "Form1",
             "Click here to make the barcode, if it's grayed out you have to few digits or the wrong barcode.")},
        {u"Command2", QT_TRANSLATE_NOOP("Form1", "Clear: Clears all input in Product, Barcode, Free Text.")},
        {u"Command4", QT_TRANSLATE_NOOP("Form1", "Add to List: Adds the Barcode information to the List.")},
        {u"cmdToRTF1", QT_TRANSLATE_NOOP("Form1", "Click on >> to move the Barcode Image to the Barcode Image List.")},
        {u"chkDefined",
         QT_TRANSLATE_NOOP("Form1", "Check it if you want to use the defined barcode size you have made.")},
        {u"picTST", QT_TRANSLATE_NOOP("Form1", "Your Barcode Picture.")},
        {u"ListView3", QT_TRANSLATE_NOOP("Form1", "When you click on Add to List all information is stored here.")},
        {u"chkModulus43",
         QT_TRANSLATE_NOOP("Form1", "Use Check Character for Code 39: Check to add Check Character (Modulus 43)")},
        {u"optEAN13",
         QT_TRANSLATE_NOOP("Form1",
                           "EAN 13: Needs 13 digits, fill in 12 digits the last one will be added automaticlly.")},
        {u"optEAN8",
         QT_TRANSLATE_NOOP("Form1", "EAN 8: Needs 8 digits, fill in 7 digits the last one will be added automaticlly")},
        {u"optUPCA",
         QT_TRANSLATE_NOOP("Form1",
                           "UPC A: Needs 12 digits, fill in 11 digits the last one will be added automaticlly.")},
        {u"optUPCE", QT_TRANSLATE_NOOP(
                         "Form1", "UPC E: Needs 8 digits, fill in 7 digits the last one will be added automaticlly.")},
        {u"optISBN", QT_TRANSLATE_NOOP("Form1", "ISBN: Needs 10 digits and 3 - (minus) e.g 87-7012-196-6.")},
        {u"optSCC14",
         QT_TRANSLATE_NOOP("Form1",
                           "SCC-14: Needs 14 digits, fill in 13 digits the last one will be added automaticlly.")},
        {u"optCode39", QT_TRANSLATE_NOOP("Form1", "Code 39 or Code 3 of 9: Enter any Character and digits")},
        {u"optNosup", QT_TRANSLATE_NOOP("Form1", "No Supplement. Add No digits to make it.")},
        {u"chk2digit",
         QT_TRANSLATE_NOOP("Form1", "2 Digit Supplement. Add additonal 2 digits to your barcode to make it.")},
        {u"chk5digit",
         QT_TRANSLATE_NOOP("Form1", "5 Digit Supplement. Add additonal 5 digits to your barcode to make it.")},
        {u"Option1", QT_TRANSLATE_NOOP("Form1", "Include the Product information on barcode label.")},
        {u"Option2", QT_TRANSLATE_NOOP("Form1", "Don't Include the Product information on barcode label.")},
        // The window's own area is its central widget.
        {nullptr, QT_TRANSLATE_NOOP("Form1", "Press F1 for Help")},
    };
    for (const auto &[name, source] : table) {
        // The window's own area, its central widget, has no name of its own.
        QWidget *widget = !name                           ? form.centralWidget()
                          : QStringView(name) == u"Form1" ? &form
                                                          : form.findChild<QWidget *>(QString::fromUtf16(name));
        if (!widget)
            qFatal("The main window has no control %s", qPrintable(QString::fromUtf16(name)));
        hints.setHint(widget, "Form1", source);
    }
}

} // namespace Kelbrix
