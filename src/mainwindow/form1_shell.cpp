// The shell of the main window: closing, activation, the Escape key, unloading the other
// windows, and the batch stop request that "Cancel" sets.
#include "mainwindow/form1.h"

#include "mainwindow/parameter_windows.h"
#include "base/user_prompt.h"
#include "export/image_converter.h"

#include <QCoreApplication>
#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

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
    m_windows->returnToStartUpColourMode();
    if (!SaveSettings()) {
        ask(QCoreApplication::translate("Form1", "Your settings could not be saved."), applicationTitle(),
            PromptIcon::Exclamation, PromptButtons::Ok);
    }
    UnloadAllForms();
    releaseImageConverter();
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
        m_windows->offerColourMode();
    }
    if (event->type() == QEvent::LanguageChange)
        retranslateState();
    QMainWindow::changeEvent(event);
}

void Form1::keyPressEvent(QKeyEvent *event)
{
    // Escape does what "Cancel" does; the window's shortcut takes it first, and this takes it
    // when a control in focus claimed the key for itself and then left it unused.
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

void Form1::startBatch()
{
    BatchStopRequest = BatchStop::Running;
}

void Form1::onCancel()
{
    if (BatchStopRequest == BatchStop::Running)
        BatchStopRequest = BatchStop::Asked;
}

} // namespace Kelbrix
