#include "mainwindow/export_lock.h"
#include "widgets/translation.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

ExportLock::ExportLock(QMainWindow &window) : QObject(&window), m_window(window), m_actions(new QActionGroup(this))
{
    m_actions->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
}

ExportLock::~ExportLock() = default;

void ExportLock::addControls(const QList<QWidget *> &widgets)
{
    for (QWidget *widget : widgets)
        m_controls.append(widget);
}

void ExportLock::addActions(const QList<QAction *> &actions)
{
    for (QAction *action : actions)
        m_actions->addAction(action);
}

ExportLock::Held::Held(ExportLock &lock) : m_actions(lock.m_actions)
{
    if (!lock.lblExportLock) {
        QStatusBar *bar = lock.m_window.statusBar();
        lock.lblExportLock = translated(new QLabel(bar), "text", "Form1",
                                        QT_TRANSLATE_NOOP("Form1", "The list is locked while the export runs; Cancel "
                                                                   "or Esc stops it."));
        lock.lblExportLock->setObjectName(u"lblExportLock"_s);
        lock.lblExportLock->setTextFormat(Qt::PlainText);
        // The notice takes the room the status bar has; it never widens the window.
        lock.lblExportLock->setMinimumWidth(1);
        lock.lblExportLock->hide();
        bar->addPermanentWidget(lock.lblExportLock);
    }
    m_notice = lock.lblExportLock;
    for (const QPointer<QWidget> &widget : std::as_const(lock.m_controls)) {
        if (widget && widget->isEnabled()) {
            m_widgets.append(widget);
            widget->setEnabled(false);
        }
    }
    m_actions->setEnabled(false);
    m_notice->show();
}

ExportLock::Held::~Held()
{
    for (const QPointer<QWidget> &widget : std::as_const(m_widgets)) {
        if (widget)
            widget->setEnabled(true);
    }
    if (m_actions)
        m_actions->setEnabled(true);
    if (m_notice)
        m_notice->hide();
}

} // namespace Kelbrix
