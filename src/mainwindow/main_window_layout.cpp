// The main window's controls laid out and named: the options and the entry on the left, the
// label pictures, the barcode list and the image list on the right, the status bar below.
#include "mainwindow/main_window_layout.h"

#include "label/label_layout.h"
#include "widgets/translation.h"

#include "widgets/named.h"
#include "mainwindow/export_lock.h"
#include "mainwindow/form1.h"
#include "mainwindow/hint_panel.h"
#include "mainwindow/image_list_edit.h"
#include "widgets/label_picture.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

void MainWindowLayout::build(Form1 &form)
{
    auto *central = new QWidget(&form);
    auto *layout = new QHBoxLayout(central);
    auto *left = new QVBoxLayout;
    QWidget *options = buildOptionsPanel(form);
    left->addWidget(options);
    left->addWidget(buildEntryPanel(form));
    left->addStretch(1);
    layout->addLayout(left, 0);

    // The label picture and the barcode list fill the right side.
    auto *right = new QVBoxLayout;
    form.pictureArea = named(new QFrame(central), u"pictureArea"_s);
    form.pictureArea->setFrameShape(QFrame::StyledPanel);
    buildPictures(form);
    form.listArea = named(new QFrame(central), u"listArea"_s);
    form.listArea->setFrameShape(QFrame::StyledPanel);
    form.listArea->setMinimumHeight(form.fontMetrics().height() * 10);
    right->addWidget(form.pictureArea, 1);
    right->addWidget(form.listArea, 2);
    form.RTF1 = new ImageListEdit(central);
    form.RTF1->setMinimumHeight(form.fontMetrics().height() * 8);
    right->addWidget(form.RTF1, 2);
    layout->addLayout(right, 1);
    form.setCentralWidget(central);
    form.m_exportLock->addControls({options, form.pictureArea, form.listArea});

    form.StatBar1 = named(new QStatusBar(&form), u"StatBar1"_s);
    form.m_hints = new HintPanel(form.StatBar1);
    form.ProgressBar1 = named(new QProgressBar(form.StatBar1), u"ProgressBar1"_s);
    form.ProgressBar1->setMaximumWidth(form.fontMetrics().averageCharWidth() * 30);
    form.ProgressBar1->hide();
    form.StatBar1->addPermanentWidget(form.ProgressBar1);
    form.setStatusBar(form.StatBar1);
}

void MainWindowLayout::buildPictures(Form1 &form)
{
    auto *layout = new QGridLayout(form.pictureArea);
    form.picTST = new LabelPicture(u"picTST"_s, form.pictureArea);
    form.picTST1 = new LabelPicture(u"picTST1"_s, form.pictureArea);
    // The bare symbols, the product-line strip and the spacer are working pictures.
    form.Pstrk = new LabelPicture(u"Pstrk"_s, form.pictureArea);
    form.picBarcode1 = new LabelPicture(u"picBarcode1"_s, form.pictureArea);
    form.PicTXT = new LabelPicture(u"PicTXT"_s, form.pictureArea);
    form.picMellan = new LabelPicture(u"picMellan"_s, form.pictureArea);
    for (LabelPicture *working : {form.Pstrk, form.picBarcode1, form.PicTXT, form.picMellan})
        working->hide();
    form.PicTXT->setAutoFillBackground(true);
    QPalette textPalette = form.PicTXT->palette();
    textPalette.setColor(QPalette::Window, Qt::white);
    form.PicTXT->setPalette(textPalette);

    // Before the first label the pictures have the size of an EAN-13's label with its product line.
    LabelDescription first;
    first.symbolWidthTwips = first.labelWidthTwips = form.Barcode1.widthTwips();
    first.symbolHeightTwips = form.Barcode1.heightTwips();
    first.product = u" "_s;
    const LabelLayout firstLayout = layoutLabel(first);
    form.picTST->setWidthTwips(firstLayout.size.width());
    form.picTST->setHeightTwips(firstLayout.size.height());
    form.picTST->clear();
    form.Pstrk->setWidthTwips(firstLayout.symbol.width());
    form.Pstrk->setHeightTwips(firstLayout.symbolPictureHeight);
    form.picMellan->setWidthTwips(1815);
    form.picMellan->setHeightTwips(285);
    form.picMellan->clear();

    form.chkDefined = named(translated(new QCheckBox(form.pictureArea), "text", "Form1",
                                       QT_TRANSLATE_NOOP("Form1", "&Use Defined Barcode")),
                            u"chkDefined"_s);
    form.cmdToRTF1 = named(new QPushButton(u">>"_s, form.pictureArea), u"cmdToRTF1"_s);
    layout->addWidget(form.picTST, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(form.picTST1, 0, 1, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(form.chkDefined, 1, 0);
    layout->addWidget(form.cmdToRTF1, 1, 1, Qt::AlignRight);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(0, 1);
    // The area is as large as its layout needs, never less: the pictures hold the labels they
    // show, so a larger label makes the area (and, when needed, the window) larger.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->setColumnMinimumWidth(0, form.fontMetrics().averageCharWidth() * 20);
}

QWidget *MainWindowLayout::buildOptionsPanel(Form1 &form)
{
    auto *panel = new QWidget(&form);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    form.Frame1 =
        named(translated(new QGroupBox(panel), "title", "Form1", QT_TRANSLATE_NOOP("Form1", "Barcode")), u"Frame1"_s);
    auto *types = new QGridLayout(form.Frame1);
    form.optEAN13 = named(new QRadioButton(u"EAN &13"_s, form.Frame1), u"optEAN13"_s);
    form.optEAN8 = named(new QRadioButton(u"EAN &8"_s, form.Frame1), u"optEAN8"_s);
    form.optUPCA = named(new QRadioButton(u"UPC &A"_s, form.Frame1), u"optUPCA"_s);
    form.optUPCE = named(new QRadioButton(u"UPC &E"_s, form.Frame1), u"optUPCE"_s);
    form.optUpcEP = named(new QRadioButton(u"UPC A To E"_s, form.Frame1), u"optUpcEP"_s);
    form.optISBN = named(new QRadioButton(u"&ISBN"_s, form.Frame1), u"optISBN"_s);
    form.optSCC14 = named(new QRadioButton(u"&SCC-14"_s, form.Frame1), u"optSCC14"_s);
    form.optCode39 = named(new QRadioButton(u"Code &39"_s, form.Frame1), u"optCode39"_s);
    const QList<QRadioButton *> typeButtons{form.optEAN13, form.optEAN8, form.optUPCA,  form.optUPCE,
                                            form.optUpcEP, form.optISBN, form.optSCC14, form.optCode39};
    for (int i = 0; i < typeButtons.size(); ++i)
        types->addWidget(typeButtons[i], i % 4, i / 4);
    layout->addWidget(form.Frame1);

    auto *column = new QVBoxLayout;
    form.Frame2 =
        named(translated(new QGroupBox(panel), "title", "Form1", QT_TRANSLATE_NOOP("Form1", "Digit Supplementals")),
              u"Frame2"_s);
    auto *supplements = new QVBoxLayout(form.Frame2);
    form.optNosup =
        named(translated(new QRadioButton(form.Frame2), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "&No Supplement")),
              u"optNosup"_s);
    form.chk2digit =
        named(translated(new QRadioButton(form.Frame2), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "&2 Digits")),
              u"chk2digit"_s);
    form.chk5digit =
        named(translated(new QRadioButton(form.Frame2), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "&5 Digits")),
              u"chk5digit"_s);
    supplements->addWidget(form.optNosup);
    supplements->addWidget(form.chk2digit);
    supplements->addWidget(form.chk5digit);
    column->addWidget(form.Frame2);

    auto *productLine =
        named(translated(new QGroupBox(panel), "title", "Form1", QT_TRANSLATE_NOOP("Form1", "Product line")),
              u"FrameProductLine"_s);
    auto *productLayout = new QHBoxLayout(productLine);
    form.Option1 = named(
        translated(new QRadioButton(productLine), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "&Text")), u"Option1"_s);
    form.Option2 = named(
        translated(new QRadioButton(productLine), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "&Blank")), u"Option2"_s);
    productLayout->addWidget(form.Option1);
    productLayout->addWidget(form.Option2);
    column->addWidget(productLine);
    layout->addLayout(column);
    return panel;
}

QWidget *MainWindowLayout::buildEntryPanel(Form1 &form)
{
    auto *panel = new QWidget(&form);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    // The boxes and the commands that change the entry sit in containers of their own, so a
    // running export can lock them as a whole while "Cancel" stays usable.
    auto *fields = new QWidget(panel);
    auto *grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);

    form.Label2 =
        named(translated(new QLabel(fields), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "Barcode")), u"Label2"_s);
    form.Label3 =
        named(translated(new QLabel(fields), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "Product")), u"Label3"_s);
    form.Label4 =
        named(translated(new QLabel(fields), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "Free Text")), u"Label4"_s);
    form.Label5 =
        named(translated(new QLabel(fields), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "Copies")), u"Label5"_s);
    form.TxtStreck = named(new QLineEdit(fields), u"TxtStreck"_s);
    form.txtSup = named(new QLineEdit(fields), u"txtSup"_s);
    form.txtProduct = named(new QLineEdit(fields), u"txtProduct"_s);
    form.txtFree = named(new QLineEdit(fields), u"txtFree"_s);
    form.txtCopies = named(new QLineEdit(fields), u"txtCopies"_s);
    form.chkModulus43 =
        named(translated(new QCheckBox(fields), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "A&dd Check character")),
              u"chkModulus43"_s);

    const int digitWidth = form.fontMetrics().horizontalAdvance(u'0');
    form.TxtStreck->setMinimumWidth(digitWidth * 20);
    form.txtSup->setMaximumWidth(digitWidth * 9);
    form.txtCopies->setMaximumWidth(digitWidth * 6);
    form.txtSup->setPlaceholderText(u"+"_s);

    form.Label2->setBuddy(form.TxtStreck);
    form.Label3->setBuddy(form.txtProduct);
    form.Label4->setBuddy(form.txtFree);
    form.Label5->setBuddy(form.txtCopies);

    grid->addWidget(form.Label2, 0, 0);
    grid->addWidget(form.TxtStreck, 0, 1);
    grid->addWidget(form.txtSup, 0, 2);
    grid->addWidget(form.Label3, 1, 0);
    grid->addWidget(form.txtProduct, 1, 1, 1, 2);
    grid->addWidget(form.Label4, 2, 0);
    grid->addWidget(form.txtFree, 2, 1, 1, 2);
    grid->addWidget(form.Label5, 3, 0);
    grid->addWidget(form.txtCopies, 3, 1, Qt::AlignLeft);
    grid->addWidget(form.chkModulus43, 4, 1, 1, 2);

    column->addWidget(fields);
    auto *buttons = new QHBoxLayout;
    auto *entryCommands = new QWidget(panel);
    auto *commands = new QHBoxLayout(entryCommands);
    commands->setContentsMargins(0, 0, 0, 0);
    form.Command1 =
        named(translated(new QPushButton(entryCommands), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "&Make Code")),
              u"Command1"_s);
    form.Command4 =
        named(translated(new QPushButton(entryCommands), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "&Add to List")),
              u"Command4"_s);
    form.Command2 =
        named(translated(new QPushButton(entryCommands), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "&Clear")),
              u"Command2"_s);
    commands->addWidget(form.Command1);
    commands->addWidget(form.Command4);
    commands->addWidget(form.Command2);
    buttons->addWidget(entryCommands);
    buttons->addStretch(1);
    form.cmdCancel = named(translated(new QPushButton(panel), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "Cancel")),
                           u"cmdCancel"_s);
    buttons->addWidget(form.cmdCancel);
    QObject::connect(form.cmdCancel, &QPushButton::clicked, &form, &Form1::onCancel);
    // Escape stops at once: as the button's own shortcut it would first show the button pressed
    // for a tenth of a second.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), &form);
    escape->setObjectName(u"shortcutCancel"_s);
    QObject::connect(escape, &QShortcut::activated, &form, &Form1::onCancel);
    column->addLayout(buttons);
    form.m_exportLock->addControls({fields, entryCommands});

    form.setTabOrder(form.TxtStreck, form.txtSup);
    form.setTabOrder(form.txtSup, form.txtProduct);
    form.setTabOrder(form.txtProduct, form.txtFree);
    form.setTabOrder(form.txtFree, form.txtCopies);
    form.setTabOrder(form.txtCopies, form.Command1);
    return panel;
}

} // namespace Kelbrix
