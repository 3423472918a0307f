// Status-bar hints: moving the mouse over a control puts its hint into the status bar,
// where it stays until another control sets its own.
#include "app/form1.h"

#include "app/hint_panel.h"
#include "app/label_picture.h"

#include <QCheckBox>
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
    const std::pair<QWidget *, QString> table[] = {
        {&form, u"Press F1 for Help"_s},
        {form.StatBar1, u"Press F1 to get help."_s},
        {form.Frame1, QString()},
        {form.Frame2, QString()},
        {form.Label2, u"Barcode: Enter your digits to the right."_s},
        {form.Label3, u"Product: Enter the information to the right."_s},
        {form.Label4, u"Free Text: Enter Free Text to the right."_s},
        {form.Label5, u"Copies: Fill in the number of copies you want to the left. (max 50)"_s},
        {form.TxtStreck, u"Barcode: Enter your barcode or ISBN digits here."_s},
        {form.txtSup, u"Enter your Digit Supplement here."_s},
        {form.txtProduct, u"Product: Enter your Product Information here."_s},
        {form.txtFree, u"Free Text: Enter your information here."_s},
        {form.txtCopies, u"Fill in the number of copies you want (max 50)."_s},
        {form.Command1,
         u"Click here to make the barcode, if it's grayed out you have to few digits or the wrong barcode."_s},
        {form.Command2, u"Clear: Clears all input in Product, Barcode, Free Text."_s},
        {form.Command4, u"Add to List: Adds the Barcode information to the List."_s},
        {form.cmdToRTF1, u"Click on >> to move the Barcode Image to the Barcode Image List."_s},
        {form.chkDefined, u"Check it if you want to use the defined barcode size you have made."_s},
        {form.picTST, u"Your Barcode Picture."_s},
        {form.ListView3, u"When you click on Add to List all information is stored here."_s},
        {form.chkModulus43, u"Use Check Character for Code 39: Check to add Check Character (Modulus 43)"_s},
        {form.optEAN13, u"EAN 13: Needs 13 digits, fill in 12 digits the last one will be added automaticlly."_s},
        {form.optEAN8, u"EAN 8: Needs 8 digits, fill in 7 digits the last one will be added automaticlly"_s},
        {form.optUPCA, u"UPC A: Needs 12 digits, fill in 11 digits the last one will be added automaticlly."_s},
        {form.optUPCE, u"UPC E: Needs 8 digits, fill in 7 digits the last one will be added automaticlly."_s},
        {form.optISBN, u"ISBN: Needs 10 digits and 3 - (minus) e.g 87-7012-196-6."_s},
        {form.optSCC14, u"SCC-14: Needs 14 digits, fill in 13 digits the last one will be added automaticlly."_s},
        {form.optCode39, u"Code 39 or Code 3 of 9: Enter any Character and digits"_s},
        {form.optNosup, u"No Supplement. Add No digits to make it."_s},
        {form.chk2digit, u"2 Digit Supplement. Add additonal 2 digits to your barcode to make it."_s},
        {form.chk5digit, u"5 Digit Supplement. Add additonal 5 digits to your barcode to make it."_s},
        {form.Option1, u"Include the Product information on barcode label."_s},
        {form.Option2, u"Don't Include the Product information on barcode label."_s},
        // The window's own area is its central widget.
        {form.centralWidget(), u"Press F1 for Help"_s},
    };
    for (const auto &[widget, text] : table)
        hints.setHint(widget, text);
}

} // namespace Kelbrix
