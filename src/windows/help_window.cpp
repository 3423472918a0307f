#include "windows/help_window.h"
#include "widgets/translation.h"
#include "widgets/window_placement.h"

#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

// The help pages are resources of a static library, which registers them only when asked.
static void initHelpResources()
{
    Q_INIT_RESOURCE(help);
}

namespace Kelbrix {

namespace {
QPointer<HelpWindow> g_help;
Edition g_edition = buildEdition();
std::function<int()> g_languageFlag;

// The folder of the pages in the chosen language, below the English ones.
QString languageFolder()
{
    return g_languageFlag && g_languageFlag() == 2 ? u"sv/"_s : QString();
}

} // namespace

HelpWindow *HelpWindow::window()
{
    if (!g_help) {
        initHelpResources();
        g_help = new HelpWindow;
    }
    return g_help;
}

void HelpWindow::setEdition(Edition edition)
{
    g_edition = edition;
}

void HelpWindow::setLanguageSource(std::function<int()> languageFlag)
{
    g_languageFlag = std::move(languageFlag);
}

QUrl HelpWindow::currentSource() const
{
    return m_browser->source();
}

HelpWindow::HelpWindow() : m_browser(new QTextBrowser(this))
{
    setObjectName(u"HelpWindow"_s);
    setTranslated(this, "windowTitle", "HelpWindow", QT_TRANSLATE_NOOP("HelpWindow", "Kelbrix Help"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setOpenExternalLinks(true);
    // Escape closes the help, as it does a dialog.
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    resize(640, 560);
}

HelpWindow *HelpWindow::instance()
{
    return g_help;
}

void HelpWindow::showPage(const QString &page, const QString &anchor)
{
    m_anchor = anchor;
    m_browser->setSource(QUrl(u"qrc:/help/"_s + languageFolder() + page + u"#"_s + anchor));
    m_browser->scrollToAnchor(anchor);
    placeOverMainWindow(this);
    show();
    raise();
    activateWindow();
}

void HelpWindow::showContents()
{
    // The edition's help file name without its old extension names its contents page.
    const QString file = editionHelpFile(g_edition);
    window()->showPage(file.left(file.lastIndexOf(u'.')) + u".html"_s, u"contents"_s);
}

void HelpWindow::showTopic(const QString &page, const QString &anchor)
{
    window()->showPage(page, anchor);
}

void HelpWindow::showContext(int context)
{
    window()->showPage(u"contexts.html"_s, u"context-"_s + QString::number(context));
}

} // namespace Kelbrix
