#include "mainwindow/form1.h"

#include "mainwindow/csv_commands.h"
#include "windows/label_sheet_window.h"
#include "mainwindow/export_lock.h"
#include "windows/frm_bar_size.h"
#include "windows/frm_find.h"
#include "mainwindow/hint_panel.h"
#include "mainwindow/image_list_commands.h"
#include "mainwindow/image_list_edit.h"
#include "mainwindow/main_menu.h"
#include "mainwindow/main_window_layout.h"
#include "mainwindow/parameter_windows.h"
#include "mainwindow/print_commands.h"
#include "mainwindow/verify_panel.h"

#include "windows/help_window.h"
#include "export/image_converter.h"
#include "base/runtime_errors.h"
#include "widgets/label_picture.h"
#include "base/units.h"

#include <QCoreApplication>
#include <QTreeView>

#include <QAction>
#include <QToolBar>
#include <QCheckBox>
#include <QMenu>
#include <QPointer>
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

QString startUpTypeName(const Form1 &form)
{
    // The caption names the selected type (without the trailing blanks some type names
    // carry elsewhere); "UPC A To E" starts as its UPC-A data.
    if (form.optEAN13->isChecked())
        return u"EAN 13"_s;
    if (form.optEAN8->isChecked())
        return u"EAN 8"_s;
    if (form.optISBN->isChecked())
        return u"ISBN"_s;
    if (form.optSCC14->isChecked())
        return u"SCC-14"_s;
    if (form.optUPCA->isChecked() || form.optUpcEP->isChecked())
        return u"UPC A"_s;
    if (form.optUPCE->isChecked())
        return u"UPC E"_s;
    return {};
}

} // namespace

Form1::Form1(Edition edition, QWidget *parent) : QMainWindow(parent), edition(edition), m_settings(edition)
{
    setObjectName(u"Form1"_s);
    m_exportLock = new ExportLock(*this);
    MainWindowLayout::build(*this);
    MainMenu::build(*this);
    buildList();
    buildFindWindow();
    new PrintCommands(mnuFile, mnuPrint, mnuPbarcode, *m_list, RTF1, WindowTitle);
    // Label sheets print the selected records, or the whole list when none is selected.
    installLabelSheetCommands(this, mnuFile, findChild<QAction *>(u"mnuPreview"_s), Toolbar1,
                              Toolbar1->findChild<QAction *>(u"Toolbar1_Print"_s), mnuPrint,
                              {[this] {
                                   QList<ListRecord> records;
                                   for (const auto &[number, record] : selectedListRecords())
                                       records << record;
                                   return records.isEmpty() ? listRecords() : records;
                               },
                               edition, [this] { return m_windows->sizeWindow()->appearance(); }},
                              m_settings);
    // Import and Export after "Save &As", Number Sequence after "&Remove Item".
    const QList<QAction *> fileActions = mnuFile->actions();
    const QList<QAction *> editActions = mnuEdit->actions();
    new CsvCommands(this, mnuFile, fileActions.value(fileActions.indexOf(mnuAs) + 1), mnuEdit,
                    editActions.value(editActions.indexOf(mnuRItem) + 1), *m_list, *m_exportLock, ProgressBar1);
    installMainWindowHints(*this, *m_hints);
    connectHandlers();
    m_windows = new ParameterWindows(*this);
    ImageListCommands::connect(*this);
    connect(mnuAs, &QAction::triggered, this, &Form1::onSaveAs);
    connect(mnuSBMP, &QAction::triggered, this, &Form1::onSaveBitmap);
    m_verify = new VerifyPanel(StatBar1, *m_hints, [this] {
        // A batch draws one label after another and reads back the files it writes itself;
        // reading every passing label as well would only slow it down.
        if (ListItemInWork != 0 || !Barcode1.hasSymbol())
            return VerifyPanel::Label{};
        return VerifyPanel::Label{picTST->image(), TypeCode, Barcode1.data(), Barcode1.supplement()};
    });
    lblVerify = m_verify->panel();
    // The commands follow the list's records and the image list's content, however they change.
    for (const auto change : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(m_list, change, this, &Form1::refreshCommands);
    connect(m_list, &QAbstractItemModel::modelReset, this, &Form1::refreshCommands);
    connect(RTF1, &QTextEdit::textChanged, this, &Form1::refreshCommands);
    // What would change the list, the entry the export loads each record into (the find window
    // too) or the sizes it reads; loading, removing, clearing, finding, a second Save As,
    // re-saving a bitmap, the parameter windows, pasting the label, and the toolbar keys that
    // lead to them. "Cancel" stays usable.
    m_exportLock->addControls({m_find, m_windows->sizeWindow()});
    m_exportLock->addActions({mnuLoad, mnuRItem, mnuCLList, mnuFind, mnuAs, mnuSBMP, mnuTiff, mnuBarSize, mnuPasteIMG});
    for (const char16_t *key : {u"New", u"Open", u"Save", u"Find", u"BarSize", u"TIF"})
        m_exportLock->addActions({Toolbar1->findChild<QAction *>(u"Toolbar1_"_s + QString::fromUtf16(key))});
    startUp();
}

Form1::~Form1() = default;

frmTiff *Form1::tiffWindow()
{
    return m_windows->tiffWindow();
}

void Form1::startUp()
{
    // Qt gives every control the desktop's interface font already.
    txtCopies->setText(u"1"_s);
    setWindowTitle(editionTitle(edition).trimmed());
    m_hints->show("Form1", QT_TRANSLATE_NOOP("Form1", "Press F1 for Help"));

    // The window's own choices, which settings that are missing or not understood leave.
    TypeCode = u"E130"_s;
    EntryLength = 12;
    optEAN13->setChecked(true);
    optNosup->setChecked(true);
    Option1->setChecked(true);
    LoadSettings();
    HelpWindow::setEdition(edition);
    HelpWindow::setLanguageSource([form = QPointer<Form1>(this)] { return form ? int(form->languageFlag) : 1; });
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

    refreshCommands();
    homePage = QString::fromUtf8(KELBRIX_HOMEPAGE);
    mnuHome->setEnabled(!homePage.isEmpty());

    WindowTitle = windowTitle();
    TypeName = startUpTypeName(*this);
    m_captionSeparator = u" "_s;
    m_captionSuffix = m_startUpSuffix;
    showCaption();
    retranslateState();
    ApplyBarcodeType();
    // Disabled after the restored options' handlers have run, which enable them for Code 39:
    // every type starts with both disabled until an entry is typed.
    Command4->setEnabled(false);
    Command1->setEnabled(false);
    // The user starts by typing the barcode.
    TxtStreck->setFocus();
}

void Form1::showCaption()
{
    setWindowTitle(WindowTitle + m_captionSeparator + TypeName +
                   (m_captionSuffix ? QCoreApplication::translate("Form1", m_captionSuffix) : QString()));
}

void Form1::retranslateState()
{
    // Before the start-up has set the title there is no caption to build.
    if (WindowTitle.isEmpty())
        return;
    showCaption();
    mnuHelp->setText(QCoreApplication::translate("Form1", "&%1Help").arg(WindowTitle));
    mnuAbout->setText(QCoreApplication::translate("Form1", "About %1").arg(WindowTitle));
}

void Form1::setHint(const QString &text)
{
    m_hints->show(text);
}

QString Form1::statusText() const
{
    return m_hints->text();
}

} // namespace Kelbrix
