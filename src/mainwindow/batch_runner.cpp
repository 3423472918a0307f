#include "mainwindow/batch_runner.h"

#include "mainwindow/form1.h"
#include "mainwindow/list_panel.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QShortcut>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

BatchRunner::BatchRunner(Form1 &form) : QObject(&form), m_form(form)
{
    if (auto *cancel = form.findChild<QPushButton *>(u"cmdCancel"_s))
        connect(cancel, &QPushButton::clicked, this, &BatchRunner::onCancel);
    // Escape stops at once: as the button's own shortcut it would first show the button pressed
    // for a tenth of a second.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), &form);
    escape->setObjectName(u"shortcutCancel"_s);
    connect(escape, &QShortcut::activated, this, &BatchRunner::onCancel);
}

void BatchRunner::begin()
{
    BatchStopRequest = BatchStop::Running;
    ListItemInWork = 0;
}

void BatchRunner::end()
{
    ListItemInWork = 0;
    BatchStopRequest = BatchStop::Idle;
}

void BatchRunner::onCancel()
{
    if (BatchStopRequest == BatchStop::Running)
        BatchStopRequest = BatchStop::Asked;
}

bool BatchRunner::stopConfirmed()
{
    QCoreApplication::processEvents();
    return confirmBatchStop(BatchStopRequest);
}

void BatchRunner::loadRecord(int number, const ListRecord &record)
{
    ListItemInWork = number;
    m_form.list().showRecord(record);
    m_form.setBarcodeMade(true);
    m_form.refreshCommands();
}

} // namespace Kelbrix
