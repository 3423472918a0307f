// The shell of the main window: menus, toolbar, quit and close, the start wizard, the about
// window and the commands that belong to no other part.
#include "app/form1.h"

#include "app/about_window.h"
#include "app/help_window.h"
#include "app/window_placement.h"
#include "app/wiz_start.h"
#include "base/user_prompt.h"

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

// The toolbar icons are resources of a static library, which registers them only when asked.
static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace Kelbrix {

namespace {

QAction *addNamedAction(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QMenu *addNamedMenu(QWidget *parent, const QString &name, const QString &caption)
{
    auto *menu = new QMenu(caption, parent);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

} // namespace

void Form1::buildMenus()
{
    QMenuBar *bar = menuBar();

    mnuFile = addNamedMenu(this, u"mnuFile"_s, u"&File"_s);
    mnuLoad = addNamedAction(mnuFile, u"mnuLoad"_s, u"&Load"_s);
    mnuLoad->setShortcut(QKeySequence::Open);
    mnuSave = addNamedMenu(mnuFile, u"mnuSave"_s, u"&Save"_s);
    mnuSBMP = addNamedAction(mnuSave, u"mnuSBMP"_s, u"Barcode (*.bmp)"_s);
    mnuSBAR = addNamedAction(mnuSave, u"mnuSBAR"_s, u"List"_s);
    mnuFile->addMenu(mnuSave);
    mnuAs = addNamedAction(mnuFile, u"mnuAs"_s, u"Save &As"_s);
    mnuAs->setShortcut(QKeySequence::SaveAs);
    mnuFile->addSeparator();
    mnuPbarcode = addNamedAction(mnuFile, u"mnuPbarcode"_s, u"Print &Barcodes Image List"_s);
    mnuPrint = addNamedAction(mnuFile, u"mnuPrint"_s, u"&Print List"_s);
    mnuFile->addSeparator();
    mnuExit = addNamedAction(mnuFile, u"mnuExit"_s, u"&Exit"_s);
    bar->addMenu(mnuFile);

    mnuEdit = addNamedMenu(this, u"mnuEdit"_s, u"&Edit"_s);
    mnuFind = addNamedAction(mnuEdit, u"mnuFind"_s, u"&Find"_s);
    mnuFind->setShortcut(QKeySequence::Find);
    mnuCLList = addNamedAction(mnuEdit, u"mnuCLList"_s, u"Clear &List"_s);
    mnuRItem = addNamedAction(mnuEdit, u"mnuRItem"_s, u"&Remove Item"_s);
    mnuEdit->addSeparator();
    mnuCopy = addNamedAction(mnuEdit, u"mnuCopy"_s, u"&Copy Barcode"_s);
    mnuClearBar = addNamedAction(mnuEdit, u"mnuClearBar"_s, u"Clear &Barcodes Image List"_s);
    mnuRBD = addNamedMenu(mnuEdit, u"mnuRBD"_s, u"Remove Barcode Digits"_s);
    mnuRBDY = addNamedAction(mnuRBD, u"mnuRBDY"_s, u"Yes"_s);
    mnuRBDN = addNamedAction(mnuRBD, u"mnuRBDN"_s, u"No"_s);
    mnuRBDY->setCheckable(true);
    mnuRBDN->setCheckable(true);
    mnuRBDN->setChecked(true);
    mnuEdit->addMenu(mnuRBD);
    mnuEdit->addSeparator();
    mnuTiff = addNamedAction(mnuEdit, u"mnuTiff"_s, u"&TIFF Parameters"_s);
    mnuBarSize = addNamedAction(mnuEdit, u"mnuBarSize"_s, u"Barcode &Size"_s);
    mnulange = addNamedMenu(mnuEdit, u"mnulange"_s, u"&Language"_s);
    mnuEnglish = addNamedAction(mnulange, u"mnuEnglish"_s, u"English"_s);
    mnuSvenska = addNamedAction(mnulange, u"mnuSvenska"_s, u"Svenska"_s);
    mnuLsave = addNamedAction(mnulange, u"mnuLsave"_s, u"Spara/Save"_s);
    mnuEdit->addMenu(mnulange);
    bar->addMenu(mnuEdit);

    mnuInfo = addNamedMenu(this, u"mnuInfo"_s, u"&Help"_s);
    mnuHelp = addNamedAction(mnuInfo, u"mnuHelp"_s, u"&Help"_s);
    mnuHelp->setShortcut(QKeySequence(Qt::Key_F1));
    mnuHelp->setShortcutContext(Qt::ApplicationShortcut);
    mnuHome = addNamedAction(mnuInfo, u"mnuHome"_s, u"Goto HomePage"_s);
    mnuAbout = addNamedAction(mnuInfo, u"mnuAbout"_s, u"About"_s);
    bar->addMenu(mnuInfo);

    // The start wizard's menu is never shown in the menu bar.
    mnuWiz = addNamedMenu(this, u"mnuWiz"_s, u"Wiz"_s);
    mnuWizStart = addNamedAction(mnuWiz, u"mnuWizStart"_s, u"WizStart"_s);

    // Pop-up menus of the barcode picture and of the barcode image list.
    mnuCopyit = addNamedMenu(this, u"mnuCopyit"_s, u"Copyit"_s);
    mnuCopy2 = addNamedAction(mnuCopyit, u"mnuCopy2"_s, u"Copy"_s);
    mnuIMGPaste = addNamedMenu(this, u"mnuIMGPaste"_s, u"PasteIMG"_s);
    mnuPasteIMG = addNamedAction(mnuIMGPaste, u"mnuPasteIMG"_s, u"Paste Barcode"_s);

    connect(mnuExit, &QAction::triggered, this, &Form1::onExit);
    connect(mnuRBDY, &QAction::triggered, this, [this] { onRemoveDigits(true); });
    connect(mnuRBDN, &QAction::triggered, this, [this] { onRemoveDigits(false); });
    connect(mnuEnglish, &QAction::triggered, this, [this] { languageFlag = 1; });
    connect(mnuHelp, &QAction::triggered, this, [] { HelpWindow::showContents(); });
    connect(mnuHome, &QAction::triggered, this, [this] {
        if (!homePage.isEmpty())
            QDesktopServices::openUrl(QUrl::fromUserInput(homePage));
    });
    connect(mnuAbout, &QAction::triggered, this, &Form1::showAbout);
    connect(mnuWizStart, &QAction::triggered, this, &Form1::showWizard);
    connect(mnuTiff, &QAction::triggered, this, &Form1::showTiffWindow);

    // What these open arrives with the list, find and image-list windows.
    for (QAction *later : {mnuLoad, mnuFind, mnuCopy, mnuCopy2, mnuPasteIMG})
        later->setEnabled(false);
}

void Form1::buildToolbar()
{
    Toolbar1 = new QToolBar(u"Toolbar"_s, this);
    Toolbar1->setObjectName(u"Toolbar1"_s);
    Toolbar1->setMovable(false);
    addToolBar(Qt::TopToolBarArea, Toolbar1);

    initIconResources();
    // The desktop's own icon where its theme has one, else the program's.
    struct Button {
        const char16_t *key;
        const char16_t *toolTip;
        const char16_t *theme;
        const char16_t *file;
    };
    const Button buttons[] = {
        {u"New", u"", u"document-new", u"new"},
        {u"Open", u"Load a file", u"document-open", u"open"},
        {u"Save", u"Save as", u"document-save-as", u"save"},
        {u"Print", u"Print Barcode Image List", u"document-print", u"print"},
        {u"Copy", u"", u"edit-copy", u"copy"},
        {u"Find", u"", u"edit-find", u"find"},
        {u"BarSize", u"Change Barcode/Label Size", u"", u"barsize"},
        {u"TIF", u"Change TIFF Parameters", u"", u"tif"},
        {u"Help", u"Help (F1)", u"help-contents", u"help"},
    };
    for (const Button &b : buttons) {
        const QString key = QString::fromUtf16(b.key);
        const QIcon own(u":/icons/"_s + QString::fromUtf16(b.file) + u".svg"_s);
        const QString theme = QString::fromUtf16(b.theme);
        const QIcon icon = theme.isEmpty() ? own : QIcon::fromTheme(theme, own);
        QAction *action = Toolbar1->addAction(icon, key);
        action->setObjectName(u"Toolbar1_"_s + key);
        action->setData(key);
        action->setToolTip(QString::fromUtf16(b.toolTip).isEmpty() ? key : QString::fromUtf16(b.toolTip));
        connect(action, &QAction::triggered, this, [this, key] {
            if (key == u"New"_s)
                onToolbarNew();
            else if (key == u"Open"_s)
                mnuLoad->trigger();
            else if (key == u"Save"_s && mnuAs->isEnabled())
                mnuAs->trigger();
            else if (key == u"Print"_s && mnuPbarcode->isEnabled())
                mnuPbarcode->trigger();
            else if (key == u"Copy"_s)
                mnuCopy->trigger();
            else if (key == u"Find"_s)
                mnuFind->trigger();
            else if (key == u"BarSize"_s)
                mnuBarSize->trigger();
            else if (key == u"TIF"_s)
                mnuTiff->trigger();
            else if (key == u"Help"_s)
                mnuHelp->trigger();
        });
    }
}

void Form1::onToolbarNew()
{
    const PromptAnswer answer = ask(u"All information will be Lost so please save your data, Continue ?"_s,
                                    applicationTitle(), PromptIcon::Question, PromptButtons::YesNo);
    if (answer == PromptAnswer::No)
        return;
    clearList();
    for (QAction *action : {mnuCLList, mnuAs, mnuPrint, mnuRItem, mnuClearBar, mnuPbarcode})
        action->setEnabled(false);
    mnuSave->setEnabled(false);
    mnuSave->menuAction()->setEnabled(false);
    if (barcodeMade)
        mnuAs->setEnabled(true);
}

void Form1::onExit()
{
    const PromptAnswer answer =
        ask(u"Do you want to Quit ?."_s, u"Exit."_s, PromptIcon::Question, PromptButtons::YesNo, 3010);
    if (answer == PromptAnswer::No)
        return;
    close();
}

void Form1::closeEvent(QCloseEvent *event)
{
    // The export works on this window's controls: closing asks it to stop first.
    if (m_exportRunning) {
        event->ignore();
        onCancel();
        return;
    }
    if (m_closing) {
        event->accept();
        return;
    }
    m_closing = true;
    returnToStartUpColourMode();
    if (!SaveSettings()) {
        ask(u"Your settings could not be saved."_s, applicationTitle(), PromptIcon::Exclamation, PromptButtons::Ok);
    }
    UnloadAllForms();
    releaseWindowResources();
    event->accept();
}

void Form1::changeEvent(QEvent *event)
{
    // Each activation shows the Code 39 check box only for Code 39, then may offer the
    // 256-colour display mode.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (TypeCode == u"Co39"_s) {
            chkModulus43->setVisible(true);
        } else {
            chkModulus43->setChecked(false);
            chkModulus43->setVisible(false);
        }
        offerColourMode();
    }
    QMainWindow::changeEvent(event);
}

void Form1::keyPressEvent(QKeyEvent *event)
{
    // Escape anywhere in the window does what "Cancel" does.
    if (event->key() == Qt::Key_Escape) {
        onCancel();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void Form1::UnloadAllForms(const QString &except)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window == this || !window->isWindow() || (!except.isEmpty() && window->objectName() == except))
            continue;
        if (qobject_cast<QMenu *>(window))
            continue;
        window->close();
    }
}

void Form1::onRemoveDigits(bool remove)
{
    mnuRBDY->setChecked(remove);
    mnuRBDN->setChecked(!remove);
    setDigitsHidden(remove);
}

void Form1::startBatch()
{
    BatchStopRequest = BatchStop::Running;
}

void Form1::onCancel()
{
    if (BatchStopRequest == BatchStop::Running)
        BatchStopRequest = BatchStop::Asked;
}

void Form1::showWizard()
{
    placeOverMainWindow(WizStart::instance(), this);
    WizStart::instance()->show();
}

void Form1::showAbout()
{
    AboutWindow about(WindowTitle, this);
    placeOverMainWindow(&about, this);
    about.exec();
}

} // namespace Kelbrix
