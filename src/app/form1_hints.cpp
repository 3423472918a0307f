// Status-bar hints: moving the mouse over a control puts its hint into the status bar,
// where it stays until another control sets its own.
#include "app/form1.h"

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

void Form1::installHints()
{
    m_hints = {
        {this, u"Press F1 for Help"_s},
        {StatBar1, u"Press F1 to get help."_s},
        {Frame1, QString()},
        {Frame2, QString()},
        {Label2, u"Barcode: Enter your digits to the right."_s},
        {Label3, u"Product: Enter the information to the right."_s},
        {Label4, u"Free Text: Enter Free Text to the right."_s},
        {Label5, u"Copies: Fill in the number of copies you want to the left. (max 50)"_s},
        {TxtStreck, u"Barcode: Enter your barcode or ISBN digits here."_s},
        {txtSup, u"Enter your Digit Supplement here."_s},
        {txtProduct, u"Product: Enter your Product Information here."_s},
        {txtFree, u"Free Text: Enter your information here."_s},
        {txtCopies, u"Fill in the number of copies you want (max 50)."_s},
        {Command1,
         u"Click here to make the barcode, if it's grayed out you have to few digits or the wrong barcode."_s},
        {Command2, u"Clear: Clears all input in Product, Barcode, Free Text."_s},
        {Command4, u"Add to List: Adds the Barcode information to the List."_s},
        {cmdToRTF1, u"Click on >> to move the Barcode Image to the Barcode Image List."_s},
        {chkDefined, u"Check it if you want to use the defined barcode size you have made."_s},
        {picTST, u"Your Barcode Picture."_s},
        {ListView3, u"When you click on Add to List all information is stored here."_s},
        {chkModulus43, u"Use Check Character for Code 39: Check to add Check Character (Modulus 43)"_s},
        {optEAN13, u"EAN 13: Needs 13 digits, fill in 12 digits the last one will be added automaticlly."_s},
        {optEAN8, u"EAN 8: Needs 8 digits, fill in 7 digits the last one will be added automaticlly"_s},
        {optUPCA, u"UPC A: Needs 12 digits, fill in 11 digits the last one will be added automaticlly."_s},
        {optUPCE, u"UPC E: Needs 8 digits, fill in 7 digits the last one will be added automaticlly."_s},
        {optISBN, u"ISBN: Needs 10 digits and 3 - (minus) e.g 87-7012-196-6."_s},
        {optSCC14, u"SCC-14: Needs 14 digits, fill in 13 digits the last one will be added automaticlly."_s},
        {optCode39, u"Code 39 or Code 3 of 9: Enter any Character and digits"_s},
        {optNosup, u"No Supplement. Add No digits to make it."_s},
        {chk2digit, u"2 Digit Supplement. Add additonal 2 digits to your barcode to make it."_s},
        {chk5digit, u"5 Digit Supplement. Add additonal 5 digits to your barcode to make it."_s},
        {Option1, u"Include the Product information on barcode label."_s},
        {Option2, u"Don't Include the Product information on barcode label."_s},
    };
    for (auto it = m_hints.cbegin(); it != m_hints.cend(); ++it) {
        if (auto *widget = qobject_cast<QWidget *>(it.key())) {
            widget->setMouseTracking(true);
            if (widget != this)
                widget->installEventFilter(this);
        }
    }
    // The window's own area is its central widget.
    centralWidget()->setMouseTracking(true);
    centralWidget()->installEventFilter(this);
    m_hints.insert(centralWidget(), u"Press F1 for Help"_s);
}

} // namespace Kelbrix
