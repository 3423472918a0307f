#include "mainwindow/form1.h"

#include "base/units.h"
#include "mainwindow/batch_runner.h"
#include "mainwindow/csv_commands.h"
#include "mainwindow/entry_panel.h"
#include "mainwindow/export_lock.h"
#include "mainwindow/hint_panel.h"
#include "mainwindow/image_list_edit.h"
#include "mainwindow/image_list_panel.h"
#include "mainwindow/label_panel.h"
#include "mainwindow/list_panel.h"
#include "mainwindow/main_menu.h"
#include "mainwindow/parameter_windows.h"
#include "mainwindow/print_commands.h"
#include "mainwindow/save_as_commands.h"
#include "mainwindow/type_options.h"
#include "widgets/named.h"
#include "widgets/window_placement.h"
#include "windows/frm_bar_size.h"
#include "windows/frm_find.h"
#include "windows/help_window.h"
#include "windows/label_sheet_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

Form1::Form1(Edition edition, QWidget *parent) : QMainWindow(parent), edition(edition), m_settings(edition)
{
    setObjectName(u"Form1"_s);
    m_exportLock = new ExportLock(*this);
    m_options = new TypeOptions(*this);
    m_entry = new EntryPanel(*this);
    m_label = new LabelPanel(*this);
    m_listPanel = new ListPanel(*this);
    m_images = new ImageListPanel(*this);
    m_saveAs = new SaveAsCommands(*this);
    buildLayout();
    m_batch = new BatchRunner(*this);
    m_menus = new MainMenu(*this);
    m_listPanel->build();
    buildFindWindow();
    QMenu *file = m_menus->menu(u"mnuFile"_s);
    QAction *mnuPrint = m_menus->action(u"mnuPrint"_s);
    new PrintCommands(file, mnuPrint, m_menus->action(u"mnuPbarcode"_s), m_listPanel->model(), m_images->edit(),
                      m_options->windowTitle());
    // Label sheets print the selected records, or the whole list when none is selected.
    installLabelSheetCommands(this, file, findChild<QAction *>(u"mnuPreview"_s), m_menus->toolbar(),
                              m_menus->action(u"Toolbar1_Print"_s), mnuPrint,
                              {[this] {
                                   QList<ListRecord> records;
                                   for (const auto &[number, record] : m_listPanel->selectedRecords())
                                       records << record;
                                   return records.isEmpty() ? listRecords() : records;
                               },
                               edition, [this] { return m_windows->sizeWindow()->appearance(); },
                               [this] { return m_label->gs1RequestNow(); }},
                              m_settings);
    // Import and Export after "Save &As", Number Sequence after "&Remove Item".
    QMenu *edit = m_menus->menu(u"mnuEdit"_s);
    const QList<QAction *> fileActions = file->actions();
    const QList<QAction *> editActions = edit->actions();
    new CsvCommands(this, file, fileActions.value(fileActions.indexOf(m_menus->action(u"mnuAs"_s)) + 1), edit,
                    editActions.value(editActions.indexOf(m_menus->action(u"mnuRItem"_s)) + 1), m_listPanel->model(),
                    *m_exportLock, ProgressBar1);
    installMainWindowHints(*this, *m_hints);
    m_options->connectHandlers();
    m_entry->connectHandlers();
    m_label->connectHandlers();
    m_windows = new ParameterWindows(*this);
    m_images->connectHandlers();
    m_saveAs->connectHandlers();
    m_label->addVerifyPanel(StatBar1, *m_hints);
    // The commands follow the list's records and the image list's content, however they change.
    BarcodeList *list = &m_listPanel->model();
    for (const auto change : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(list, change, this, &Form1::refreshCommands);
    connect(list, &QAbstractItemModel::modelReset, this, &Form1::refreshCommands);
    connect(m_images->edit(), &QTextEdit::textChanged, this, &Form1::refreshCommands);
    // What would change the list, the entry the export loads each record into (the find window
    // too) or the sizes it reads; loading, removing, clearing, finding, a second Save As,
    // re-saving a bitmap, the parameter windows, pasting the label, and the toolbar keys that
    // lead to them. "Cancel" stays usable.
    m_exportLock->addControls({m_find, m_windows->sizeWindow()});
    for (const char16_t *name :
         {u"mnuLoad", u"mnuRItem", u"mnuCLList", u"mnuFind", u"mnuAs", u"mnuSBMP", u"mnuTiff", u"mnuBarSize",
          u"mnuGs1Data", u"mnuLogisticLabel", u"mnuPasteIMG", u"Toolbar1_New", u"Toolbar1_Open", u"Toolbar1_Save",
          u"Toolbar1_Find", u"Toolbar1_BarSize", u"Toolbar1_TIF"})
        m_exportLock->addActions({m_menus->action(QString::fromUtf16(name))});
    startUp();
}

Form1::~Form1() = default;

void Form1::buildLayout()
{
    // The options and the entry on the left, the label pictures, the barcode list and the
    // image list on the right, the status bar below.
    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    auto *left = new QVBoxLayout;
    QWidget *options = m_options->build(this);
    left->addWidget(options);
    left->addWidget(m_entry->build(this));
    left->addStretch(1);
    layout->addLayout(left, 0);

    // The label picture and the barcode list fill the right side.
    auto *right = new QVBoxLayout;
    QFrame *pictureArea = m_label->build(central);
    QFrame *listArea = m_listPanel->buildArea(central);
    right->addWidget(pictureArea, 1);
    right->addWidget(listArea, 2);
    right->addWidget(m_images->build(central), 2);
    layout->addLayout(right, 1);
    setCentralWidget(central);
    m_exportLock->addControls({options, pictureArea, listArea});

    StatBar1 = named(new QStatusBar(this), u"StatBar1"_s);
    m_hints = new HintPanel(StatBar1);
    ProgressBar1 = named(new QProgressBar(StatBar1), u"ProgressBar1"_s);
    ProgressBar1->setMaximumWidth(fontMetrics().averageCharWidth() * 30);
    ProgressBar1->hide();
    StatBar1->addPermanentWidget(ProgressBar1);
    setStatusBar(StatBar1);
}

void Form1::buildFindWindow()
{
    // Created hidden now, because the settings load sets its field boxes.
    m_find = new frmFind(this);
    m_find->setMainList({[this] { return m_listPanel->model().count(); },
                         [this] { return m_listPanel->model().records(); }, [this] { return m_entry->product(); }});
    m_find->setImageListAvailable(true);
    connect(m_find, &frmFind::recordChosen, this, [this](const ListRecord &record) {
        if (listCount() > 0)
            m_listPanel->showRecord(record);
    });
    // The move button: the label as the view update makes it, once, into the image list.
    connect(m_find, &frmFind::moveRequested, this, [this] {
        m_label->UpdateBarcodeView();
        m_images->MoveLabelToImageList();
    });
    QAction *mnuFind = m_menus->action(u"mnuFind"_s);
    mnuFind->setEnabled(true);
    connect(mnuFind, &QAction::triggered, this, [this] {
        placeOverMainWindow(m_find, this);
        m_find->show();
        m_find->raise();
        m_find->activateWindow();
        m_find->refreshControls();
    });
}

frmTiff *Form1::tiffWindow()
{
    return m_windows->tiffWindow();
}

void Form1::startUp()
{
    m_entry->startUp();
    setWindowTitle(editionTitle(edition).trimmed());
    m_hints->show("Form1", QT_TRANSLATE_NOOP("Form1", "Press F1 for Help"));
    m_options->selectDefaults();
    LoadSettings();
    HelpWindow::setEdition(edition);
    HelpWindow::setLanguageSource([form = QPointer<Form1>(this)] { return form ? int(form->languageFlag) : 1; });
    m_listPanel->showColumnWidths();
    m_options->offerEdition(edition);
    setWindowTitle(editionTitle(edition));
    refreshCommands();
    m_options->startCaption(windowTitle());
    retranslateState();
    m_entry->ApplyBarcodeType();
    m_entry->readyForTyping();
}

void Form1::retranslateState()
{
    // Before the start-up has set the title there is no caption to build.
    if (m_options->windowTitle().isEmpty())
        return;
    m_options->showCaption();
    m_menus->retranslate(m_options->windowTitle());
}

void Form1::setHint(const QString &text)
{
    m_hints->show(text);
}

QString Form1::statusText() const
{
    return m_hints->text();
}

const QString &Form1::typeCode() const
{
    return m_entry->typeCode();
}

void Form1::setDisplayDepth(int bits)
{
    m_saveAs->setDisplayDepth(bits);
}

bool Form1::isExportRunning() const
{
    return m_saveAs->isExportRunning();
}

int Form1::listCount() const
{
    return m_listPanel->count();
}

QList<ListRecord> Form1::listRecords() const
{
    return m_listPanel->records();
}

void Form1::loadListFile(const QString &path)
{
    m_listPanel->loadListFile(path);
}

} // namespace Kelbrix
