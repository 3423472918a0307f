// The menus of the main window, its pop-up menus and its toolbar, with the commands that are
// the menus' own: "New", "&Exit", "Remove Barcode Digits", help, the start wizard and the about
// window.
#include "mainwindow/main_menu.h"

#include "windows/about_window.h"
#include "mainwindow/form1.h"
#include "mainwindow/label_panel.h"
#include "mainwindow/list_panel.h"
#include "mainwindow/type_options.h"
#include "windows/frm_tiff.h"
#include "windows/help_window.h"
#include "windows/logistic_label_window.h"
#include "label/gs1_label.h"
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

// A toolbar button: its name after "Toolbar1_", its caption and tool tip, the desktop's icon of
// its theme name where the theme has one, else the program's own file.
struct Button {
    const char16_t *key;
    const char *caption;
    const char *toolTip;
    const char16_t *theme;
    const char16_t *file;
    const char16_t *command; ///< the menu command the button gives; empty for "New"
};

} // namespace

MainMenu::MainMenu(Form1 &form) : QObject(&form), m_form(form)
{
    buildFileMenu();
    buildEditMenu();
    buildOtherMenus();
    connectOwnCommands();
    // What these open arrives with the list, find and image-list windows.
    for (const char16_t *later : {u"mnuLoad", u"mnuFind", u"mnuCopy", u"mnuCopy2", u"mnuPasteIMG"})
        action(QString::fromUtf16(later))->setEnabled(false);
    buildToolbar();
}

QAction *MainMenu::action(const QString &name) const
{
    QAction *found = m_actions.value(name);
    if (!found)
        qFatal("The main window has no action %s", qPrintable(name));
    return found;
}

QMenu *MainMenu::menu(const QString &name) const
{
    QMenu *found = m_menus.value(name);
    if (!found)
        qFatal("The main window has no menu %s", qPrintable(name));
    return found;
}

// Menus and their items carry a caption in the language of the moment.
QAction *MainMenu::addAction(QMenu *menu, const QString &name, const char *caption)
{
    QAction *added = menu->addAction(QString());
    setTranslated(added, "text", "Form1", caption);
    added->setObjectName(name);
    m_actions.insert(name, added);
    return added;
}

QMenu *MainMenu::addMenu(QWidget *parent, const QString &name, const char *caption)
{
    auto *added = new QMenu(parent);
    setTranslated(added, "title", "Form1", caption);
    added->setObjectName(name);
    added->menuAction()->setObjectName(name);
    m_menus.insert(name, added);
    m_actions.insert(name, added->menuAction());
    return added;
}

void MainMenu::buildFileMenu()
{
    QMenu *file = addMenu(&m_form, u"mnuFile"_s, QT_TRANSLATE_NOOP("Form1", "&File"));
    addAction(file, u"mnuLoad"_s, QT_TRANSLATE_NOOP("Form1", "&Load"))->setShortcut(QKeySequence::Open);
    QMenu *save = addMenu(file, u"mnuSave"_s, QT_TRANSLATE_NOOP("Form1", "&Save"));
    addAction(save, u"mnuSBMP"_s, QT_TRANSLATE_NOOP("Form1", "Barcode (*.bmp)"));
    addAction(save, u"mnuSBAR"_s, QT_TRANSLATE_NOOP("Form1", "List"));
    file->addMenu(save);
    addAction(file, u"mnuAs"_s, QT_TRANSLATE_NOOP("Form1", "Save &As"))->setShortcut(QKeySequence::SaveAs);
    file->addSeparator();
    addAction(file, u"mnuPbarcode"_s, QT_TRANSLATE_NOOP("Form1", "Print &Barcodes Image List"));
    addAction(file, u"mnuPrint"_s, QT_TRANSLATE_NOOP("Form1", "&Print List"));
    addAction(file, u"mnuLogisticLabel"_s, QT_TRANSLATE_NOOP("Form1", "L&ogistic Label..."));
    file->addSeparator();
    addAction(file, u"mnuExit"_s, QT_TRANSLATE_NOOP("Form1", "&Exit"));
    m_form.menuBar()->addMenu(file);
}

void MainMenu::buildEditMenu()
{
    QMenu *edit = addMenu(&m_form, u"mnuEdit"_s, QT_TRANSLATE_NOOP("Form1", "&Edit"));
    addAction(edit, u"mnuFind"_s, QT_TRANSLATE_NOOP("Form1", "&Find"))->setShortcut(QKeySequence::Find);
    addAction(edit, u"mnuCLList"_s, QT_TRANSLATE_NOOP("Form1", "Clear &List"));
    addAction(edit, u"mnuRItem"_s, QT_TRANSLATE_NOOP("Form1", "&Remove Item"));
    edit->addSeparator();
    addAction(edit, u"mnuCopy"_s, QT_TRANSLATE_NOOP("Form1", "&Copy Barcode"));
    addAction(edit, u"mnuClearBar"_s, QT_TRANSLATE_NOOP("Form1", "Clear &Barcodes Image List"));
    QMenu *digits = addMenu(edit, u"mnuRBD"_s, QT_TRANSLATE_NOOP("Form1", "Remove Barcode Digits"));
    QAction *yes = addAction(digits, u"mnuRBDY"_s, QT_TRANSLATE_NOOP("Form1", "Yes"));
    QAction *no = addAction(digits, u"mnuRBDN"_s, QT_TRANSLATE_NOOP("Form1", "No"));
    yes->setCheckable(true);
    no->setCheckable(true);
    no->setChecked(true);
    edit->addMenu(digits);
    edit->addSeparator();
    addAction(edit, u"mnuTiff"_s, QT_TRANSLATE_NOOP("Form1", "&TIFF Parameters"));
    addAction(edit, u"mnuBarSize"_s, QT_TRANSLATE_NOOP("Form1", "Barcode &Size"));
    addAction(edit, u"mnuGs1Data"_s, QT_TRANSLATE_NOOP("Form1", "&GS1 Data..."));
    QMenu *language = addMenu(edit, u"mnulange"_s, QT_TRANSLATE_NOOP("Form1", "&Language"));
    addAction(language, u"mnuEnglish"_s, QT_TRANSLATE_NOOP("Form1", "English"));
    addAction(language, u"mnuSvenska"_s, QT_TRANSLATE_NOOP("Form1", "Svenska"));
    addAction(language, u"mnuLsave"_s, QT_TRANSLATE_NOOP("Form1", "Spara/Save"));
    edit->addMenu(language);
    m_form.menuBar()->addMenu(edit);
}

void MainMenu::buildOtherMenus()
{
    QMenu *info = addMenu(&m_form, u"mnuInfo"_s, QT_TRANSLATE_NOOP("Form1", "&Help"));
    QAction *help = addAction(info, u"mnuHelp"_s, QT_TRANSLATE_NOOP("Form1", "&Help"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::ApplicationShortcut);
    addAction(info, u"mnuHome"_s, QT_TRANSLATE_NOOP("Form1", "Goto HomePage"));
    addAction(info, u"mnuAbout"_s, QT_TRANSLATE_NOOP("Form1", "About"));
    m_form.menuBar()->addMenu(info);

    // The start wizard's menu is never shown in the menu bar.
    QMenu *wizard = addMenu(&m_form, u"mnuWiz"_s, QT_TRANSLATE_NOOP("Form1", "Wiz"));
    addAction(wizard, u"mnuWizStart"_s, QT_TRANSLATE_NOOP("Form1", "WizStart"));

    // Pop-up menus of the barcode picture and of the barcode image list.
    addAction(addMenu(&m_form, u"mnuCopyit"_s, QT_TRANSLATE_NOOP("Form1", "Copyit")), u"mnuCopy2"_s,
              QT_TRANSLATE_NOOP("Form1", "Copy"));
    addAction(addMenu(&m_form, u"mnuIMGPaste"_s, QT_TRANSLATE_NOOP("Form1", "PasteIMG")), u"mnuPasteIMG"_s,
              QT_TRANSLATE_NOOP("Form1", "Paste Barcode"));
}

void MainMenu::connectOwnCommands()
{
    const auto on = [this](const char16_t *name, auto handler) {
        QObject::connect(action(QString::fromUtf16(name)), &QAction::triggered, &m_form, handler);
    };
    on(u"mnuExit", [this] { quit(); });
    on(u"mnuRBDY", [this] { removeDigits(true); });
    on(u"mnuRBDN", [this] { removeDigits(false); });
    on(u"mnuEnglish", [this] { m_form.switchLanguage(Language::English); });
    on(u"mnuSvenska", [this] { m_form.switchLanguage(Language::Swedish); });
    on(u"mnuLsave", [this] { m_form.saveLanguage(); });
    on(u"mnuHelp", [] { HelpWindow::showContents(); });
    // The maker's home page, when the program was built with one.
    const QString homePage = QString::fromUtf8(KELBRIX_HOMEPAGE);
    action(u"mnuHome"_s)->setEnabled(!homePage.isEmpty());
    on(u"mnuHome", [homePage] {
        if (!homePage.isEmpty())
            QDesktopServices::openUrl(QUrl::fromUserInput(homePage));
    });
    on(u"mnuAbout", [this] { showAbout(); });
    on(u"mnuWizStart", [this] { showWizard(); });
    on(u"mnuTiff", [this] { m_form.tiffWindow()->showParameters(); });
    on(u"mnuGs1Data", [this] { m_form.label().showGs1Data(); });
    on(u"mnuLogisticLabel", [this] { showLogisticLabel(); });
}

void MainMenu::buildToolbar()
{
    m_toolbar = new QToolBar(&m_form);
    setTranslated(m_toolbar, "windowTitle", "Form1", QT_TRANSLATE_NOOP("Form1", "Toolbar"));
    m_toolbar->setObjectName(u"Toolbar1"_s);
    m_toolbar->setMovable(false);
    m_form.addToolBar(Qt::TopToolBarArea, m_toolbar);

    initIconResources();
    const Button buttons[] = {
        {u"New", QT_TRANSLATE_NOOP("Form1", "New"), "", u"document-new", u"new", u""},
        {u"Open", QT_TRANSLATE_NOOP("Form1", "Open"), QT_TRANSLATE_NOOP("Form1", "Load a file"), u"document-open",
         u"open", u"mnuLoad"},
        {u"Save", QT_TRANSLATE_NOOP("Form1", "Save"), QT_TRANSLATE_NOOP("Form1", "Save as"), u"document-save-as",
         u"save", u"mnuAs"},
        {u"Print", QT_TRANSLATE_NOOP("Form1", "Print"), QT_TRANSLATE_NOOP("Form1", "Print Barcode Image List"),
         u"document-print", u"print", u"mnuPbarcode"},
        {u"Copy", QT_TRANSLATE_NOOP("Form1", "Copy"), "", u"edit-copy", u"copy", u"mnuCopy"},
        {u"Find", QT_TRANSLATE_NOOP("Form1", "Find"), "", u"edit-find", u"find", u"mnuFind"},
        {u"BarSize", QT_TRANSLATE_NOOP("Form1", "BarSize"), QT_TRANSLATE_NOOP("Form1", "Change Barcode/Label Size"),
         u"", u"barsize", u"mnuBarSize"},
        {u"TIF", QT_TRANSLATE_NOOP("Form1", "TIF"), QT_TRANSLATE_NOOP("Form1", "Change TIFF Parameters"), u"", u"tif",
         u"mnuTiff"},
        {u"Help", QT_TRANSLATE_NOOP("Form1", "Help"), QT_TRANSLATE_NOOP("Form1", "Help (F1)"), u"help-contents",
         u"help", u"mnuHelp"},
    };
    for (const Button &b : buttons) {
        const QString key = QString::fromUtf16(b.key);
        const QIcon own(u":/icons/"_s + QString::fromUtf16(b.file) + u".svg"_s);
        const QString theme = QString::fromUtf16(b.theme);
        const QIcon icon = theme.isEmpty() ? own : QIcon::fromTheme(theme, own);
        QAction *button = m_toolbar->addAction(icon, QString());
        button->setObjectName(u"Toolbar1_"_s + key);
        button->setData(key);
        m_actions.insert(button->objectName(), button);
        setTranslated(button, "text", "Form1", b.caption);
        // A button without a tool tip of its own shows its name.
        setTranslated(button, "toolTip", "Form1", *b.toolTip ? b.toolTip : b.caption);
        const QString command = QString::fromUtf16(b.command);
        QObject::connect(button, &QAction::triggered, &m_form, [this, command] {
            if (command.isEmpty()) {
                newList();
                return;
            }
            // Save and Print give their command only while it is enabled; the others always.
            QAction *given = action(command);
            if (given->isEnabled() || (command != u"mnuAs"_s && command != u"mnuPbarcode"_s))
                given->trigger();
        });
    }
}

void MainMenu::newList()
{
    const PromptAnswer answer =
        ask(QCoreApplication::translate("Form1", "All information will be Lost so please save your data, Continue ?"),
            applicationTitle(), PromptIcon::Question, PromptButtons::YesNo);
    if (answer == PromptAnswer::No)
        return;
    m_form.list().clear();
}

void MainMenu::quit()
{
    const PromptAnswer answer =
        ask(QCoreApplication::translate("Form1", "Do you want to Quit ?."),
            QCoreApplication::translate("Form1", "Exit."), PromptIcon::Question, PromptButtons::YesNo, 3010);
    if (answer == PromptAnswer::No)
        return;
    m_form.close();
}

void MainMenu::removeDigits(bool remove)
{
    action(u"mnuRBDY"_s)->setChecked(remove);
    action(u"mnuRBDN"_s)->setChecked(!remove);
    // The renderers show the change at their next update.
    m_form.label().setDigitsHidden(remove);
}

bool MainMenu::digitsRemoved() const
{
    return action(u"mnuRBDY"_s)->isChecked();
}

void MainMenu::retranslate(const QString &windowTitle)
{
    action(u"mnuHelp"_s)->setText(QCoreApplication::translate("Form1", "&%1Help").arg(windowTitle));
    action(u"mnuAbout"_s)->setText(QCoreApplication::translate("Form1", "About %1").arg(windowTitle));
}

void MainMenu::showWizard()
{
    placeOverMainWindow(WizStart::instance(), &m_form);
    WizStart::instance()->show();
}

void MainMenu::showAbout()
{
    AboutWindow about(m_form.options().windowTitle(), &m_form);
    placeOverMainWindow(&about, &m_form);
    about.exec();
}

void MainMenu::showLogisticLabel()
{
    LogisticLabelContext context;
    context.edition = m_form.currentEdition();
    context.recordGtin = [this] { return gtinOf(m_form.label().mainRenderer()); };
    context.tiffDpi = m_form.tiffWindow()->resolutionDpi();
    LogisticLabelWindow window(context, &m_form);
    placeOverMainWindow(&window, &m_form);
    window.exec();
}

} // namespace Kelbrix
