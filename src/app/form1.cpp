#include "app/form1.h"

#include "app/help_window.h"
#include "export/image_converter.h"
#include "base/runtime_errors.h"
#include "app/label_picture.h"
#include "base/units.h"

#include <QTreeView>

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

template <typename T> T *named(T *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

Form1::Form1(Edition edition, QWidget *parent) : QMainWindow(parent), edition(edition), m_settings(edition)
{
    setObjectName(u"Form1"_s);
    buildWindow();
    buildMenus();
    buildToolbar();
    buildList();
    buildFindWindow();
    buildPrinting();
    installHints();
    connectHandlers();
    buildSizeWindow();
    connectImageList();
    buildVerify();
    startUp();
}

Form1::~Form1() = default;

void Form1::buildWindow()
{
    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    auto *left = new QVBoxLayout;
    m_optionsPanel = buildOptionsPanel();
    left->addWidget(m_optionsPanel);
    left->addWidget(buildEntryPanel());
    left->addStretch(1);
    layout->addLayout(left, 0);

    // The label picture and the barcode list fill the right side.
    auto *right = new QVBoxLayout;
    pictureArea = named(new QFrame(central), u"pictureArea"_s);
    pictureArea->setFrameShape(QFrame::StyledPanel);
    buildPictures();
    listArea = named(new QFrame(central), u"listArea"_s);
    listArea->setFrameShape(QFrame::StyledPanel);
    listArea->setMinimumHeight(fontMetrics().height() * 10);
    right->addWidget(pictureArea, 1);
    right->addWidget(listArea, 2);
    right->addWidget(buildImageList(), 2);
    layout->addLayout(right, 1);
    setCentralWidget(central);

    StatBar1 = named(new QStatusBar(this), u"StatBar1"_s);
    m_hintPanel = named(new QLabel(StatBar1), u"StatusHint"_s);
    // Hints name files and show user input: plain text, never markup.
    m_hintPanel->setTextFormat(Qt::PlainText);
    StatBar1->addWidget(m_hintPanel, 1);
    ProgressBar1 = named(new QProgressBar(StatBar1), u"ProgressBar1"_s);
    ProgressBar1->setMaximumWidth(fontMetrics().averageCharWidth() * 30);
    ProgressBar1->hide();
    StatBar1->addPermanentWidget(ProgressBar1);
    setStatusBar(StatBar1);
}

void Form1::buildPictures()
{
    auto *layout = new QGridLayout(pictureArea);
    picTST = new LabelPicture(u"picTST"_s, pictureArea);
    picTST1 = new LabelPicture(u"picTST1"_s, pictureArea);
    // The bare symbols, the product-line strip and the spacer are working pictures.
    Pstrk = new LabelPicture(u"Pstrk"_s, pictureArea);
    picBarcode1 = new LabelPicture(u"picBarcode1"_s, pictureArea);
    PicTXT = new LabelPicture(u"PicTXT"_s, pictureArea);
    picMellan = new LabelPicture(u"picMellan"_s, pictureArea);
    for (LabelPicture *working : {Pstrk, picBarcode1, PicTXT, picMellan})
        working->hide();
    PicTXT->setAutoFillBackground(true);
    QPalette textPalette = PicTXT->palette();
    textPalette.setColor(QPalette::Window, Qt::white);
    PicTXT->setPalette(textPalette);

    picTST->setWidthTwips(1815);
    picTST->setHeightTwips(1190);
    picTST->clear();
    Pstrk->setWidthTwips(1815);
    Pstrk->setHeightTwips(1065);
    picMellan->setWidthTwips(1815);
    picMellan->setHeightTwips(285);
    picMellan->clear();

    chkDefined = named(new QCheckBox(u"&Use Defined Barcode"_s, pictureArea), u"chkDefined"_s);
    cmdToRTF1 = named(new QPushButton(u">>"_s, pictureArea), u"cmdToRTF1"_s);
    cmdToRTF1->setEnabled(false);
    layout->addWidget(picTST, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(picTST1, 0, 1, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(chkDefined, 1, 0);
    layout->addWidget(cmdToRTF1, 1, 1, Qt::AlignRight);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(0, 1);
    // The area is as large as its layout needs, never less: the pictures hold the labels they
    // show, so a larger label makes the area (and, when needed, the window) larger.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->setColumnMinimumWidth(0, fontMetrics().averageCharWidth() * 20);
}

QWidget *Form1::buildOptionsPanel()
{
    auto *panel = new QWidget(this);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    Frame1 = named(new QGroupBox(u"Barcode"_s, panel), u"Frame1"_s);
    auto *types = new QGridLayout(Frame1);
    optEAN13 = named(new QRadioButton(u"EAN &13"_s, Frame1), u"optEAN13"_s);
    optEAN8 = named(new QRadioButton(u"EAN &8"_s, Frame1), u"optEAN8"_s);
    optUPCA = named(new QRadioButton(u"UPC &A"_s, Frame1), u"optUPCA"_s);
    optUPCE = named(new QRadioButton(u"UPC &E"_s, Frame1), u"optUPCE"_s);
    optUpcEP = named(new QRadioButton(u"UPC A To E"_s, Frame1), u"optUpcEP"_s);
    optISBN = named(new QRadioButton(u"&ISBN"_s, Frame1), u"optISBN"_s);
    optSCC14 = named(new QRadioButton(u"&SCC-14"_s, Frame1), u"optSCC14"_s);
    optCode39 = named(new QRadioButton(u"Code &39"_s, Frame1), u"optCode39"_s);
    const QList<QRadioButton *> typeOptions{optEAN13, optEAN8, optUPCA,  optUPCE,
                                            optUpcEP, optISBN, optSCC14, optCode39};
    for (int i = 0; i < typeOptions.size(); ++i)
        types->addWidget(typeOptions[i], i % 4, i / 4);
    layout->addWidget(Frame1);

    auto *column = new QVBoxLayout;
    Frame2 = named(new QGroupBox(u"Digit Supplementals"_s, panel), u"Frame2"_s);
    auto *supplements = new QVBoxLayout(Frame2);
    optNosup = named(new QRadioButton(u"&No Supplement"_s, Frame2), u"optNosup"_s);
    chk2digit = named(new QRadioButton(u"&2 Digits"_s, Frame2), u"chk2digit"_s);
    chk5digit = named(new QRadioButton(u"&5 Digits"_s, Frame2), u"chk5digit"_s);
    supplements->addWidget(optNosup);
    supplements->addWidget(chk2digit);
    supplements->addWidget(chk5digit);
    column->addWidget(Frame2);

    auto *productLine = named(new QGroupBox(u"Product line"_s, panel), u"FrameProductLine"_s);
    auto *productLayout = new QHBoxLayout(productLine);
    Option1 = named(new QRadioButton(u"&Text"_s, productLine), u"Option1"_s);
    Option2 = named(new QRadioButton(u"&Blank"_s, productLine), u"Option2"_s);
    productLayout->addWidget(Option1);
    productLayout->addWidget(Option2);
    column->addWidget(productLine);
    layout->addLayout(column);
    return panel;
}

QWidget *Form1::buildEntryPanel()
{
    auto *panel = new QWidget(this);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    // The boxes and the commands that change the entry sit in containers of their own, so a
    // running export can lock them as a whole while "Cancel" stays usable.
    m_entryFields = new QWidget(panel);
    auto *grid = new QGridLayout(m_entryFields);
    grid->setContentsMargins(0, 0, 0, 0);
    QWidget *fields = m_entryFields;

    Label2 = named(new QLabel(u"Barcode"_s, fields), u"Label2"_s);
    Label3 = named(new QLabel(u"Product"_s, fields), u"Label3"_s);
    Label4 = named(new QLabel(u"Free Text"_s, fields), u"Label4"_s);
    Label5 = named(new QLabel(u"Copies"_s, fields), u"Label5"_s);
    TxtStreck = named(new QLineEdit(fields), u"TxtStreck"_s);
    txtSup = named(new QLineEdit(fields), u"txtSup"_s);
    txtProduct = named(new QLineEdit(fields), u"txtProduct"_s);
    txtFree = named(new QLineEdit(fields), u"txtFree"_s);
    txtCopies = named(new QLineEdit(fields), u"txtCopies"_s);
    chkModulus43 = named(new QCheckBox(u"A&dd Check character"_s, fields), u"chkModulus43"_s);

    const int digitWidth = fontMetrics().horizontalAdvance(u'0');
    TxtStreck->setMinimumWidth(digitWidth * 20);
    txtSup->setMaximumWidth(digitWidth * 9);
    txtCopies->setMaximumWidth(digitWidth * 6);
    txtSup->setPlaceholderText(u"+"_s);

    Label2->setBuddy(TxtStreck);
    Label3->setBuddy(txtProduct);
    Label4->setBuddy(txtFree);
    Label5->setBuddy(txtCopies);

    grid->addWidget(Label2, 0, 0);
    grid->addWidget(TxtStreck, 0, 1);
    grid->addWidget(txtSup, 0, 2);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(txtProduct, 1, 1, 1, 2);
    grid->addWidget(Label4, 2, 0);
    grid->addWidget(txtFree, 2, 1, 1, 2);
    grid->addWidget(Label5, 3, 0);
    grid->addWidget(txtCopies, 3, 1, Qt::AlignLeft);
    grid->addWidget(chkModulus43, 4, 1, 1, 2);

    column->addWidget(m_entryFields);
    auto *buttons = new QHBoxLayout;
    m_entryCommands = new QWidget(panel);
    auto *commands = new QHBoxLayout(m_entryCommands);
    commands->setContentsMargins(0, 0, 0, 0);
    Command1 = named(new QPushButton(u"&Make Code"_s, m_entryCommands), u"Command1"_s);
    Command4 = named(new QPushButton(u"&Add to List"_s, m_entryCommands), u"Command4"_s);
    Command2 = named(new QPushButton(u"&Clear"_s, m_entryCommands), u"Command2"_s);
    commands->addWidget(Command1);
    commands->addWidget(Command4);
    commands->addWidget(Command2);
    buttons->addWidget(m_entryCommands);
    buttons->addStretch(1);
    cmdCancel = named(new QPushButton(u"Cancel"_s, panel), u"cmdCancel"_s);
    cmdCancel->setShortcut(QKeySequence(Qt::Key_Escape));
    buttons->addWidget(cmdCancel);
    connect(cmdCancel, &QPushButton::clicked, this, &Form1::onCancel);
    column->addLayout(buttons);

    setTabOrder(TxtStreck, txtSup);
    setTabOrder(txtSup, txtProduct);
    setTabOrder(txtProduct, txtFree);
    setTabOrder(txtFree, txtCopies);
    setTabOrder(txtCopies, Command1);
    return panel;
}

void Form1::startUp()
{
    // Qt gives every control the desktop's interface font already.
    txtCopies->setText(u"1"_s);
    setWindowTitle(editionTitle(edition).trimmed());
    setHint(u"Press F1 for Help"_s);

    // The window's own choices, which settings that are missing or not understood leave.
    TypeCode = u"E130"_s;
    EntryLength = 12;
    optEAN13->setChecked(true);
    optNosup->setChecked(true);
    Option1->setChecked(true);
    LoadSettings();
    HelpWindow::setEdition(edition);
    for (int column = 0; column < 5; ++column)
        ListView3->setColumnWidth(column, roundToInt(twipsToPixels(columnWidths[size_t(column)], logicalDpiX())));

    for (const QString &name : editionHiddenTypeOptions(edition)) {
        if (auto *option = findChild<QRadioButton *>(name))
            option->setVisible(false);
    }
    // The UPC edition starts with UPC-A unless the user's own UPC type was restored.
    if (edition == Edition::Upc && !(optUPCE->isChecked() || optUpcEP->isChecked() || optCode39->isChecked()))
        optUPCA->setChecked(true);
    setWindowTitle(editionTitle(edition));

    for (QAction *action : {mnuSBMP, mnuSBAR, mnuAs, mnuCLList, mnuRItem, mnuClearBar, mnuPbarcode, mnuPrint})
        action->setEnabled(false);
    mnuSave->menuAction()->setEnabled(false);
    homePage = QString::fromUtf8(KELBRIX_HOMEPAGE);
    mnuHome->setEnabled(!homePage.isEmpty());

    WindowTitle = windowTitle();
    TypeName = startUpTypeName();
    setWindowTitle(WindowTitle + u" "_s + TypeName + u" "_s + m_startUpSuffix);
    mnuHelp->setText(u"&"_s + WindowTitle + u"Help"_s);
    mnuAbout->setText(u"About "_s + WindowTitle);
    ApplyBarcodeType();
    // Disabled after the restored options' handlers have run, which enable them for Code 39:
    // every type starts with both disabled until an entry is typed.
    Command4->setEnabled(false);
    Command1->setEnabled(false);
    // The user starts by typing the barcode.
    TxtStreck->setFocus();
}

void Form1::setDigitsHidden(bool hidden)
{
    // The renderers show the change at their next update.
    Barcode1.setDigitsHidden(hidden);
    Barcode1x.setDigitsHidden(hidden);
}

void Form1::releaseWindowResources()
{
    releaseImageConverter();
}

QString Form1::startUpTypeName() const
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

void Form1::setHint(const QString &text)
{
    m_hintPanel->setText(text);
}

QString Form1::statusText() const
{
    return m_hintPanel->text();
}

} // namespace Kelbrix
