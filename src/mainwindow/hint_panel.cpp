#include "mainwindow/hint_panel.h"

#include <QCoreApplication>
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
    // The panel hears of a language switch, and shows its hint again in the new language.
    m_panel->installEventFilter(this);
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
    m_hints.insert(widget, Hint{text});
}

void HintPanel::setHint(QWidget *widget, const char *context, const char *source)
{
    setHint(widget, QString());
    m_hints.insert(widget, Hint{QString(), context, source});
}

void HintPanel::show(const QString &text)
{
    showHint(Hint{text});
}

void HintPanel::show(const char *context, const char *source)
{
    showHint(Hint{QString(), context, source});
}

void HintPanel::showHint(const Hint &hint)
{
    m_shown = hint;
    m_panel->setText(hint.source ? QCoreApplication::translate(hint.context, hint.source) : hint.text);
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
            showHint(*hint);
    } else if (watched == m_panel && event->type() == QEvent::LanguageChange && m_shown.source) {
        showHint(m_shown);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace Kelbrix
