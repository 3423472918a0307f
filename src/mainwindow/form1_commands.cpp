// The commands of the File and Edit menus and ">>", enabled from the window's state by the
// rules of command_rules.h.
#include "mainwindow/command_rules.h"
#include "mainwindow/form1.h"

#include "mainwindow/image_list_edit.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

void Form1::refreshCommands()
{
    CommandState state;
    state.listCount = listCount();
    state.hasListFile = !currentListFile.isEmpty();
    // An image list saved as rich text also keeps its name here; only a bitmap is saved again.
    state.hasBitmapFile = currentBitmapFile.right(3).toUpper() == u"BMP"_s;
    state.barcodeMade = barcodeMade != 0;
    state.labelComposed = m_labelComposed;
    state.imageListHasContent = RTF1 && !RTF1->document()->isEmpty();

    const EnabledCommands on = enabledCommands(state);
    mnuSave->menuAction()->setEnabled(on.mnuSave);
    mnuSBMP->setEnabled(on.mnuSBMP);
    mnuSBAR->setEnabled(on.mnuSBAR);
    mnuAs->setEnabled(on.mnuAs);
    // "E&xport..." belongs to the CSV commands, which name it.
    if (auto *mnuExport = mnuFile->findChild<QAction *>(u"mnuExport"_s))
        mnuExport->setEnabled(on.mnuExport);
    mnuCLList->setEnabled(on.mnuCLList);
    mnuRItem->setEnabled(on.mnuRItem);
    mnuPrint->setEnabled(on.mnuPrint);
    mnuClearBar->setEnabled(on.mnuClearBar);
    mnuPbarcode->setEnabled(on.mnuPbarcode);
    cmdToRTF1->setEnabled(on.cmdToRTF1);
}

} // namespace Kelbrix
