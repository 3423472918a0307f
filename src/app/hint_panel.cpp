#include "app/hint_panel.h"

#include <QEvent>
#include <QLabel>
#include <QStatusBar>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

HintPanel::HintPanel(QStatusBar *statusBar) : QObject(statusBar), m_panel(new QLabel(statusBar))
{
    m_panel->setObjectName(u"StatusHint"_s);
    // Hints name files and show user input: plain text, never markup.
    m_panel->setTextFormat(Qt::PlainText);
    statusBar->addWidget(m_panel, 1);
}

void HintPanel::setHint(QWidget *widget, const QString &text)
{
    if (!m_hints.contains(widget)) {
        widget->setMouseTracking(true);
        // The window's own hint is shown by the window; the mouse entering it would otherwise
        // reach it before every control it enters.
        if (widget != m_panel->window())
            widget->installEventFilter(this);
    }
    m_hints.insert(widget, text);
}

void HintPanel::show(const QString &text)
{
    m_panel->setText(text);
}

QString HintPanel::text() const
{
    return m_panel->text();
}

bool HintPanel::eventFilter(QObject *watched, QEvent *event)
{
    // The mouse entering a control shows its hint (mouse moves would reach the parents too,
    // whose hints would then win).
    if (event->type() == QEvent::Enter) {
        const auto hint = m_hints.constFind(watched);
        if (hint != m_hints.cend())
            show(*hint);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace Kelbrix
