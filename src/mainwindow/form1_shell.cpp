// The shell of the main window: closing, activation, the Escape key, unloading the other
// windows, and the enabled state of the File and Edit commands and ">>".
#include "mainwindow/form1.h"

#include "base/user_prompt.h"
#include "export/image_converter.h"
#include "mainwindow/batch_runner.h"
#include "mainwindow/command_rules.h"
#include "mainwindow/entry_panel.h"
#include "mainwindow/image_list_panel.h"
#include "mainwindow/label_panel.h"
#include "mainwindow/list_panel.h"
#include "mainwindow/main_menu.h"
#include "mainwindow/parameter_windows.h"
#include "mainwindow/save_as_commands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

void Form1::closeEvent(QCloseEvent *event)
{
    // The export works on this window's controls: closing asks it to stop first.
    if (m_saveAs->isExportRunning()) {
        event->ignore();
        m_batch->onCancel();
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
        m_entry->showModulus43ForType();
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
        m_batch->onCancel();
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

void Form1::refreshCommands()
{
    // Until the window's parts are all made there is nothing to enable.
    if (!m_menus || !m_saveAs)
        return;
    CommandState state;
    state.listCount = listCount();
    state.hasListFile = !m_listPanel->listFileName().isEmpty();
    // An image list saved as rich text also keeps its name here; only a bitmap is saved again.
    state.hasBitmapFile = m_saveAs->bitmapFileName().right(3).toUpper() == u"BMP"_s;
    state.barcodeMade = barcodeMade != 0;
    state.labelComposed = m_label->isComposed();
    state.imageListHasContent = m_images->hasContent();

    const EnabledCommands on = enabledCommands(state);
    const auto enable = [this](const char16_t *name, bool enabled) {
        m_menus->action(QString::fromUtf16(name))->setEnabled(enabled);
    };
    enable(u"mnuSave", on.mnuSave);
    enable(u"mnuSBMP", on.mnuSBMP);
    enable(u"mnuSBAR", on.mnuSBAR);
    enable(u"mnuAs", on.mnuAs);
    // "E&xport..." belongs to the CSV commands, which name it.
    if (auto *mnuExport = m_menus->menu(u"mnuFile"_s)->findChild<QAction *>(u"mnuExport"_s))
        mnuExport->setEnabled(on.mnuExport);
    enable(u"mnuCLList", on.mnuCLList);
    enable(u"mnuRItem", on.mnuRItem);
    enable(u"mnuPrint", on.mnuPrint);
    enable(u"mnuClearBar", on.mnuClearBar);
    enable(u"mnuPbarcode", on.mnuPbarcode);
    m_label->moveButton()->setEnabled(on.cmdToRTF1);
}

} // namespace Kelbrix
