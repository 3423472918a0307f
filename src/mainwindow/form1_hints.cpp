// Status-bar hints: moving the mouse over a control puts its hint into the status bar,
// where it stays until another control sets its own.
#include "mainwindow/form1.h"

#include "mainwindow/hint_panel.h"
#include "widgets/label_picture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTreeView>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

void installMainWindowHints(Form1 &form, HintPanel &hints)
{
    const std::pair<QWidget *, const char *> table[] = {
        {&form, QT_TRANSLATE_NOOP("Form1", "Press F1 for Help")},
        {form.StatBar1, QT_TRANSLATE_NOOP("Form1", "Press F1 to get help.")},
        {form.Frame1, ""},
        {form.Frame2, ""},
        {form.Label2, QT_TRANSLATE_NOOP("Form1", "Barcode: Enter your digits to the right.")},
        {form.Label3, QT_TRANSLATE_NOOP("Form1", "Product: Enter the information to the right.")},
        {form.Label4, QT_TRANSLATE_NOOP("Form1", "Free Text: Enter Free Text to the right.")},
        {form.Label5,
         QT_TRANSLATE_NOOP("Form1", "Copies: Fill in the number of copies you want to the left. (max 50)")},
        {form.TxtStreck, QT_TRANSLATE_NOOP("Form1", "Barcode: Enter your barcode or ISBN digits here.")},
        {form.txtSup, QT_TRANSLATE_NOOP("Form1", "Enter your Digit Supplement here.")},
        {form.txtProduct, QT_TRANSLATE_NOOP("Form1", "Product: Enter your Product Information here.")},
        {form.txtFree, QT_TRANSLATE_NOOP("Form1", "Free Text: Enter your information here.")},
        {form.txtCopies, QT_TRANSLATE_NOOP("Form1", "Fill in the number of copies you want (max 50).")},
        {form.Command1,
         QT_TRANSLATE_NOOP(
             "Form1",
             "Click here to make the barcode, if it's grayed out you have to few digits or the wrong barcode.")},
        {form.Command2, QT_TRANSLATE_NOOP("Form1", "Clear: Clears all input in Product, Barcode, Free Text.")},
        {form.Command4, QT_TRANSLATE_NOOP("Form1", "Add to List: Adds the Barcode information to the List.")},
        {form.cmdToRTF1,
         QT_TRANSLATE_NOOP("Form1", "Click on >> to move the Barcode Image to the Barcode Image List.")},
        {form.chkDefined,
         QT_TRANSLATE_NOOP("Form1", "Check it if you want to use the defined barcode size you have made.")},
        {form.picTST, QT_TRANSLATE_NOOP("Form1", "Your Barcode Picture.")},
        {form.ListView3, QT_TRANSLATE_NOOP("Form1", "When you click on Add to List all information is stored here.")},
        {form.chkModulus43,
         QT_TRANSLATE_NOOP("Form1", "Use Check Character for Code 39: Check to add Check Character (Modulus 43)")},
        {form.optEAN13,
         QT_TRANSLATE_NOOP("Form1",
                           "EAN 13: Needs 13 digits, fill in 12 digits the last one will be added automaticlly.")},
        {form.optEAN8,
         QT_TRANSLATE_NOOP("Form1", "EAN 8: Needs 8 digits, fill in 7 digits the last one will be added automaticlly")},
        {form.optUPCA,
         QT_TRANSLATE_NOOP("Form1",
                           "UPC A: Needs 12 digits, fill in 11 digits the last one will be added automaticlly.")},
        {form.optUPCE,
         QT_TRANSLATE_NOOP("Form1",
                           "UPC E: Needs 8 digits, fill in 7 digits the last one will be added automaticlly.")},
        {form.optISBN, QT_TRANSLATE_NOOP("Form1", "ISBN: Needs 10 digits and 3 - (minus) e.g 87-7012-196-6.")},
        {form.optSCC14,
         QT_TRANSLATE_NOOP("Form1",
                           "SCC-14: Needs 14 digits, fill in 13 digits the last one will be added automaticlly.")},
        {form.optCode39, QT_TRANSLATE_NOOP("Form1", "Code 39 or Code 3 of 9: Enter any Character and digits")},
        {form.optNosup, QT_TRANSLATE_NOOP("Form1", "No Supplement. Add No digits to make it.")},
        {form.chk2digit,
         QT_TRANSLATE_NOOP("Form1", "2 Digit Supplement. Add additonal 2 digits to your barcode to make it.")},
        {form.chk5digit,
         QT_TRANSLATE_NOOP("Form1", "5 Digit Supplement. Add additonal 5 digits to your barcode to make it.")},
        {form.Option1, QT_TRANSLATE_NOOP("Form1", "Include the Product information on barcode label.")},
        {form.Option2, QT_TRANSLATE_NOOP("Form1", "Don't Include the Product information on barcode label.")},
        // The window's own area is its central widget.
        {form.centralWidget(), QT_TRANSLATE_NOOP("Form1", "Press F1 for Help")},
    };
    for (const auto &[widget, source] : table)
        hints.setHint(widget, "Form1", source);
}

} // namespace Kelbrix
