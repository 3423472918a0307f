#include "app/help_window.h"

#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {
QPointer<HelpWindow> g_help;
}

HelpWindow::HelpWindow()
    : m_browser(new QTextBrowser(this))
{
    setObjectName(u"HelpWindow"_s);
    setWindowTitle(u"Kelbrix Help"_s);
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(QUrl(u"qrc:/help/index.html"_s));
    resize(640, 560);
}

HelpWindow *HelpWindow::instance()
{
    return g_help;
}

void HelpWindow::showAnchor(const QString &anchor)
{
    m_anchor = anchor;
    m_browser->setSource(QUrl(u"qrc:/help/index.html#"_s + anchor));
    m_browser->scrollToAnchor(anchor);
    show();
    raise();
    activateWindow();
}

void HelpWindow::showContents()
{
    if (!g_help)
        g_help = new HelpWindow;
    g_help->showAnchor(u"contents"_s);
}

void HelpWindow::showContext(int context)
{
    if (!g_help)
        g_help = new HelpWindow;
    g_help->showAnchor(u"context-"_s + QString::number(context));
}

} // namespace Kelbrix
