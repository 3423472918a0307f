// The menus of the main window, its pop-up menus and its toolbar, with the commands that are
// the menus' own: "New", "&Exit", "Remove Barcode Digits", help, the start wizard and the about
// window.
#include "mainwindow/main_menu.h"

#include "windows/about_window.h"
#include "mainwindow/form1.h"
#include "windows/frm_tiff.h"
#include "windows/help_window.h"
#include "widgets/translation.h"
#include "widgets/window_placement.h"
#include "windows/wiz_start.h"
#include "base/user_prompt.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
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

// Menus and their items carry a caption in the language of the moment.
QAction *addNamedAction(QMenu *menu, const QString &name, const char *caption)
{
    QAction *action = menu->addAction(QString());
    setTranslated(action, "text", "Form1", caption);
    action->setObjectName(name);
    return action;
}

QMenu *addNamedMenu(QWidget *parent, const QString &name, const char *caption)
{
    auto *menu = new QMenu(parent);
    setTranslated(menu, "title", "Form1", caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

} // namespace

void MainMenu::build(Form1 &form)
{
    QMenuBar *bar = form.menuBar();

    form.mnuFile = addNamedMenu(&form, u"mnuFile"_s, QT_TRANSLATE_NOOP("Form1", "&File"));
    form.mnuLoad = addNamedAction(form.mnuFile, u"mnuLoad"_s, QT_TRANSLATE_NOOP("Form1", "&Load"));
    form.mnuLoad->setShortcut(QKeySequence::Open);
    form.mnuSave = addNamedMenu(form.mnuFile, u"mnuSave"_s, QT_TRANSLATE_NOOP("Form1", "&Save"));
    form.mnuSBMP = addNamedAction(form.mnuSave, u"mnuSBMP"_s, QT_TRANSLATE_NOOP("Form1", "Barcode (*.bmp)"));
    form.mnuSBAR = addNamedAction(form.mnuSave, u"mnuSBAR"_s, QT_TRANSLATE_NOOP("Form1", "List"));
    form.mnuFile->addMenu(form.mnuSave);
    form.mnuAs = addNamedAction(form.mnuFile, u"mnuAs"_s, QT_TRANSLATE_NOOP("Form1", "Save &As"));
    form.mnuAs->setShortcut(QKeySequence::SaveAs);
    form.mnuFile->addSeparator();
    form.mnuPbarcode =
        addNamedAction(form.mnuFile, u"mnuPbarcode"_s, QT_TRANSLATE_NOOP("Form1", "Print &Barcodes Image List"));
    form.mnuPrint = addNamedAction(form.mnuFile, u"mnuPrint"_s, QT_TRANSLATE_NOOP("Form1", "&Print List"));
    form.mnuFile->addSeparator();
    form.mnuExit = addNamedAction(form.mnuFile, u"mnuExit"_s, QT_TRANSLATE_NOOP("Form1", "&Exit"));
    bar->addMenu(form.mnuFile);

    form.mnuEdit = addNamedMenu(&form, u"mnuEdit"_s, QT_TRANSLATE_NOOP("Form1", "&Edit"));
    form.mnuFind = addNamedAction(form.mnuEdit, u"mnuFind"_s, QT_TRANSLATE_NOOP("Form1", "&Find"));
    form.mnuFind->setShortcut(QKeySequence::Find);
    form.mnuCLList = addNamedAction(form.mnuEdit, u"mnuCLList"_s, QT_TRANSLATE_NOOP("Form1", "Clear &List"));
    form.mnuRItem = addNamedAction(form.mnuEdit, u"mnuRItem"_s, QT_TRANSLATE_NOOP("Form1", "&Remove Item"));
    form.mnuEdit->addSeparator();
    form.mnuCopy = addNamedAction(form.mnuEdit, u"mnuCopy"_s, QT_TRANSLATE_NOOP("Form1", "&Copy Barcode"));
    form.mnuClearBar =
        addNamedAction(form.mnuEdit, u"mnuClearBar"_s, QT_TRANSLATE_NOOP("Form1", "Clear &Barcodes Image List"));
    form.mnuRBD = addNamedMenu(form.mnuEdit, u"mnuRBD"_s, QT_TRANSLATE_NOOP("Form1", "Remove Barcode Digits"));
    form.mnuRBDY = addNamedAction(form.mnuRBD, u"mnuRBDY"_s, QT_TRANSLATE_NOOP("Form1", "Yes"));
    form.mnuRBDN = addNamedAction(form.mnuRBD, u"mnuRBDN"_s, QT_TRANSLATE_NOOP("Form1", "No"));
    form.mnuRBDY->setCheckable(true);
    form.mnuRBDN->setCheckable(true);
    form.mnuRBDN->setChecked(true);
    form.mnuEdit->addMenu(form.mnuRBD);
    form.mnuEdit->addSeparator();
    form.mnuTiff = addNamedAction(form.mnuEdit, u"mnuTiff"_s, QT_TRANSLATE_NOOP("Form1", "&TIFF Parameters"));
    form.mnuBarSize = addNamedAction(form.mnuEdit, u"mnuBarSize"_s, QT_TRANSLATE_NOOP("Form1", "Barcode &Size"));
    form.mnulange = addNamedMenu(form.mnuEdit, u"mnulange"_s, QT_TRANSLATE_NOOP("Form1", "&Language"));
    form.mnuEnglish = addNamedAction(form.mnulange, u"mnuEnglish"_s, QT_TRANSLATE_NOOP("Form1", "English"));
    form.mnuSvenska = addNamedAction(form.mnulange, u"mnuSvenska"_s, QT_TRANSLATE_NOOP("Form1", "Svenska"));
    form.mnuLsave = addNamedAction(form.mnulange, u"mnuLsave"_s, QT_TRANSLATE_NOOP("Form1", "Spara/Save"));
    form.mnuEdit->addMenu(form.mnulange);
    bar->addMenu(form.mnuEdit);

    form.mnuInfo = addNamedMenu(&form, u"mnuInfo"_s, QT_TRANSLATE_NOOP("Form1", "&Help"));
    form.mnuHelp = addNamedAction(form.mnuInfo, u"mnuHelp"_s, QT_TRANSLATE_NOOP("Form1", "&Help"));
    form.mnuHelp->setShortcut(QKeySequence(Qt::Key_F1));
    form.mnuHelp->setShortcutContext(Qt::ApplicationShortcut);
    form.mnuHome = addNamedAction(form.mnuInfo, u"mnuHome"_s, QT_TRANSLATE_NOOP("Form1", "Goto HomePage"));
    form.mnuAbout = addNamedAction(form.mnuInfo, u"mnuAbout"_s, QT_TRANSLATE_NOOP("Form1", "About"));
    bar->addMenu(form.mnuInfo);

    // The start wizard's menu is never shown in the menu bar.
    form.mnuWiz = addNamedMenu(&form, u"mnuWiz"_s, QT_TRANSLATE_NOOP("Form1", "Wiz"));
    form.mnuWizStart = addNamedAction(form.mnuWiz, u"mnuWizStart"_s, QT_TRANSLATE_NOOP("Form1", "WizStart"));

    // Pop-up menus of the barcode picture and of the barcode image list.
    form.mnuCopyit = addNamedMenu(&form, u"mnuCopyit"_s, QT_TRANSLATE_NOOP("Form1", "Copyit"));
    form.mnuCopy2 = addNamedAction(form.mnuCopyit, u"mnuCopy2"_s, QT_TRANSLATE_NOOP("Form1", "Copy"));
    form.mnuIMGPaste = addNamedMenu(&form, u"mnuIMGPaste"_s, QT_TRANSLATE_NOOP("Form1", "PasteIMG"));
    form.mnuPasteIMG = addNamedAction(form.mnuIMGPaste, u"mnuPasteIMG"_s, QT_TRANSLATE_NOOP("Form1", "Paste Barcode"));

    QObject::connect(form.mnuExit, &QAction::triggered, &form, [&form] { quit(form); });
    QObject::connect(form.mnuRBDY, &QAction::triggered, &form, [&form] { removeDigits(form, true); });
    QObject::connect(form.mnuRBDN, &QAction::triggered, &form, [&form] { removeDigits(form, false); });
    QObject::connect(form.mnuEnglish, &QAction::triggered, &form, [&form] { form.switchLanguage(Language::English); });
    QObject::connect(form.mnuSvenska, &QAction::triggered, &form, [&form] { form.switchLanguage(Language::Swedish); });
    QObject::connect(form.mnuLsave, &QAction::triggered, &form, [&form] { form.saveLanguage(); });
    QObject::connect(form.mnuHelp, &QAction::triggered, &form, [] { HelpWindow::showContents(); });
    QObject::connect(form.mnuHome, &QAction::triggered, &form, [&form] {
        if (!form.homePage.isEmpty())
            QDesktopServices::openUrl(QUrl::fromUserInput(form.homePage));
    });
    QObject::connect(form.mnuAbout, &QAction::triggered, &form, [&form] { showAbout(form); });
    QObject::connect(form.mnuWizStart, &QAction::triggered, &form, [&form] { showWizard(form); });
    QObject::connect(form.mnuTiff, &QAction::triggered, &form, [&form] { form.tiffWindow()->showParameters(); });

    // What these open arrives with the list, find and image-list windows.
    for (QAction *later : {form.mnuLoad, form.mnuFind, form.mnuCopy, form.mnuCopy2, form.mnuPasteIMG})
        later->setEnabled(false);
    buildToolbar(form);
}

void MainMenu::buildToolbar(Form1 &form)
{
    form.Toolbar1 = new QToolBar(&form);
    setTranslated(form.Toolbar1, "windowTitle", "Form1", QT_TRANSLATE_NOOP("Form1", "Toolbar"));
    form.Toolbar1->setObjectName(u"Toolbar1"_s);
    form.Toolbar1->setMovable(false);
    form.addToolBar(Qt::TopToolBarArea, form.Toolbar1);

    initIconResources();
    // The desktop's own icon where its theme has one, else the program's.
    struct Button {
        const char16_t *key;
        const char *caption;
        const char *toolTip;
        const char16_t *theme;
        const char16_t *file;
    };
    const Button buttons[] = {
        {u"New", QT_TRANSLATE_NOOP("Form1", "New"), "", u"document-new", u"new"},
        {u"Open", QT_TRANSLATE_NOOP("Form1", "Open"), QT_TRANSLATE_NOOP("Form1", "Load a file"), u"document-open",
         u"open"},
        {u"Save", QT_TRANSLATE_NOOP("Form1", "Save"), QT_TRANSLATE_NOOP("Form1", "Save as"), u"document-save-as",
         u"save"},
        {u"Print", QT_TRANSLATE_NOOP("Form1", "Print"), QT_TRANSLATE_NOOP("Form1", "Print Barcode Image List"),
         u"document-print", u"print"},
        {u"Copy", QT_TRANSLATE_NOOP("Form1", "Copy"), "", u"edit-copy", u"copy"},
        {u"Find", QT_TRANSLATE_NOOP("Form1", "Find"), "", u"edit-find", u"find"},
        {u"BarSize", QT_TRANSLATE_NOOP("Form1", "BarSize"), QT_TRANSLATE_NOOP("Form1", "Change Barcode/Label Size"),
         u"", u"barsize"},
        {u"TIF", QT_TRANSLATE_NOOP("Form1", "TIF"), QT_TRANSLATE_NOOP("Form1", "Change TIFF Parameters"), u"", u"tif"},
        {u"Help", QT_TRANSLATE_NOOP("Form1", "Help"), QT_TRANSLATE_NOOP("Form1", "Help (F1)"), u"help-contents",
         u"help"},
    };
    for (const Button &b : buttons) {
        const QString key = QString::fromUtf16(b.key);
        const QIcon own(u":/icons/"_s + QString::fromUtf16(b.file) + u".svg"_s);
        const QString theme = QString::fromUtf16(b.theme);
        const QIcon icon = theme.isEmpty() ? own : QIcon::fromTheme(theme, own);
        QAction *action = form.Toolbar1->addAction(icon, QString());
        action->setObjectName(u"Toolbar1_"_s + key);
        action->setData(key);
        setTranslated(action, "text", "Form1", b.caption);
        // A button without a tool tip of its own shows its name.
        setTranslated(action, "toolTip", "Form1", *b.toolTip ? b.toolTip : b.caption);
        QObject::connect(action, &QAction::triggered, &form, [&form, key] {
            if (key == u"New"_s)
                newList(form);
            else if (key == u"Open"_s)
                form.mnuLoad->trigger();
            else if (key == u"Save"_s && form.mnuAs->isEnabled())
                form.mnuAs->trigger();
            else if (key == u"Print"_s && form.mnuPbarcode->isEnabled())
                form.mnuPbarcode->trigger();
            else if (key == u"Copy"_s)
                form.mnuCopy->trigger();
            else if (key == u"Find"_s)
                form.mnuFind->trigger();
            else if (key == u"BarSize"_s)
                form.mnuBarSize->trigger();
            else if (key == u"TIF"_s)
                form.mnuTiff->trigger();
            else if (key == u"Help"_s)
                form.mnuHelp->trigger();
        });
    }
}

void MainMenu::newList(Form1 &form)
{
    const PromptAnswer answer =
        ask(QCoreApplication::translate("Form1", "All information will be Lost so please save your data, Continue ?"),
            applicationTitle(), PromptIcon::Question, PromptButtons::YesNo);
    if (answer == PromptAnswer::No)
        return;
    form.m_list->clear();
}

void MainMenu::quit(Form1 &form)
{
    const PromptAnswer answer =
        ask(QCoreApplication::translate("Form1", "Do you want to Quit ?."),
            QCoreApplication::translate("Form1", "Exit."), PromptIcon::Question, PromptButtons::YesNo, 3010);
    if (answer == PromptAnswer::No)
        return;
    form.close();
}

void MainMenu::removeDigits(Form1 &form, bool remove)
{
    form.mnuRBDY->setChecked(remove);
    form.mnuRBDN->setChecked(!remove);
    // The renderers show the change at their next update.
    form.Barcode1.setDigitsHidden(remove);
    form.Barcode1x.setDigitsHidden(remove);
}

void MainMenu::showWizard(Form1 &form)
{
    placeOverMainWindow(WizStart::instance(), &form);
    WizStart::instance()->show();
}

void MainMenu::showAbout(Form1 &form)
{
    AboutWindow about(form.WindowTitle, &form);
    placeOverMainWindow(&about, &form);
    about.exec();
}

} // namespace Kelbrix
