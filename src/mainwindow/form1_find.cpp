// The find window as the main window uses it: opened by "&Find" and the toolbar, reading the
// barcode list, and loading the result the user chooses into the entry.
#include "mainwindow/form1.h"

#include "windows/frm_find.h"
#include "widgets/window_placement.h"

#include <QAction>
#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

void Form1::buildFindWindow()
{
    // Created hidden now, because the settings load sets its field boxes.
    m_find = new frmFind(this);
    m_find->setMainList({[this] { return m_list->count(); }, [this] { return m_list->records(); },
                         [this] { return txtProduct->text(); }});
    m_find->setImageListAvailable(true);
    connect(m_find, &frmFind::recordChosen, this, [this](const ListRecord &record) {
        if (listCount() > 0)
            showRecord(record);
    });
    // The move button: the label as the view update makes it, once, into the image list.
    connect(m_find, &frmFind::moveRequested, this, [this] {
        UpdateBarcodeView();
        MoveLabelToImageList();
    });
    mnuFind->setEnabled(true);
    connect(mnuFind, &QAction::triggered, this, [this] {
        placeOverMainWindow(m_find, this);
        m_find->show();
        m_find->raise();
        m_find->activateWindow();
        m_find->refreshControls();
    });
}

} // namespace Kelbrix
