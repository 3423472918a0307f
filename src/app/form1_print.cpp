// Printing from the main window: the barcode list as a paged text listing and the barcode
// image list at the pictures' size, each through the print dialog or Qt's print preview.
#include "app/form1.h"

#include "base/runtime_errors.h"
#include "base/user_prompt.h"
#include "list/image_list_printer.h"
#include "list/list_printer.h"

#include <QAction>
#include <QDate>
#include <QLocale>
#include <QMenu>
#include <QPrinter>
#include <QTextEdit>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

constexpr int kPrinterError = 482;

// Puts \a action into \a menu right after \a after.
void insertAfter(QMenu *menu, QAction *after, QAction *action)
{
    const QList<QAction *> actions = menu->actions();
    const qsizetype at = actions.indexOf(after);
    menu->insertAction(at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr, action);
}

// Makes \a follower enabled exactly when \a leader is.
void followEnabled(QAction *leader, QAction *follower)
{
    follower->setEnabled(leader->isEnabled());
    QObject::connect(leader, &QAction::enabledChanged, follower, &QAction::setEnabled);
}

bool listIsEmpty(int count)
{
    if (count > 0)
        return false;
    ask(u"Sorry! Nothing to Print."_s, applicationTitle(), PromptIcon::Exclamation, PromptButtons::Ok, 3012);
    return true;
}

// The barcode image list, when the window has one.
QTextEdit *imageList(const Form1 &form)
{
    return form.findChild<QTextEdit *>(u"RTF1"_s);
}

} // namespace

void Form1::buildPrinting()
{
    mnuPreview = new QAction(u"Print Pre&view..."_s, mnuFile);
    mnuPreview->setObjectName(u"mnuPreview"_s);
    insertAfter(mnuFile, mnuPrint, mnuPreview);
    mnuPbPreview = new QAction(u"Barcodes Image List Previe&w..."_s, mnuFile);
    mnuPbPreview->setObjectName(u"mnuPbPreview"_s);
    insertAfter(mnuFile, mnuPbarcode, mnuPbPreview);
    followEnabled(mnuPrint, mnuPreview);
    followEnabled(mnuPbarcode, mnuPbPreview);

    connect(mnuPrint, &QAction::triggered, this, &Form1::onPrintList);
    connect(mnuPreview, &QAction::triggered, this, &Form1::onPreviewList);
    connect(mnuPbarcode, &QAction::triggered, this, &Form1::onPrintImageList);
    connect(mnuPbPreview, &QAction::triggered, this, &Form1::onPreviewImageList);
    // A list that holds records can be printed, however the records came.
    connect(m_list, &QAbstractItemModel::rowsInserted, mnuPrint, [this] { mnuPrint->setEnabled(true); });
}

void Form1::onPrintList()
{
    if (listIsEmpty(listCount()))
        return;
    QPrinter printer(QPrinter::HighResolution);
    PrintRequest request;
    request.title = u"Print List"_s;
    if (!userPrompt().choosePrinter(printer, request))
        return;
    const ListPrinter listing(m_list->records(), WindowTitle,
                              QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    if (!listing.print(printer))
        ReportRuntimeError(kPrinterError);
}

void Form1::onPreviewList()
{
    if (listIsEmpty(listCount()))
        return;
    QPrinter printer(QPrinter::HighResolution);
    const ListPrinter listing(m_list->records(), WindowTitle,
                              QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    // Each page is painted when it is shown, so a list of a million records opens at once.
    PagePreviewRequest request;
    request.title = u"Print Preview"_s;
    request.pageCount = listing.pageCount();
    request.paintPage = [&listing](QPainter &painter, const QPaintDevice &device, int page) {
        listing.paintPage(painter, device, page);
    };
    if (userPrompt().previewPages(printer, request))
        onPrintList();
}

void Form1::onPrintImageList()
{
    QTextEdit *images = imageList(*this);
    if (!images)
        return;
    QPrinter printer(QPrinter::HighResolution);
    // The labels print upright unless the printer is set to landscape.
    if (printer.pageLayout().orientation() != QPageLayout::Landscape)
        printer.setPageOrientation(QPageLayout::Portrait);
    const QTextCursor selection = images->textCursor();
    PrintRequest request;
    request.title = u"Print Barcodes Image List"_s;
    request.selectionAvailable = selection.hasSelection();
    if (!userPrompt().choosePrinter(printer, request))
        return;
    ImageListPrintOptions options;
    options.shownDotsPerInch = images->logicalDpiX();
    if (printer.printRange() == QPrinter::Selection && selection.hasSelection()) {
        options.selectionStart = selection.selectionStart();
        options.selectionEnd = selection.selectionEnd();
    }
    if (!printImageList(*images->document(), printer, options))
        ReportRuntimeError(kPrinterError);
}

void Form1::onPreviewImageList()
{
    QTextEdit *images = imageList(*this);
    if (!images)
        return;
    QPrinter printer(QPrinter::HighResolution);
    ImageListPrintOptions options;
    options.shownDotsPerInch = images->logicalDpiX();
    userPrompt().previewPrint(printer, [images, options](QPrinter &target) {
        if (!printImageList(*images->document(), target, options))
            ReportRuntimeError(kPrinterError);
    });
}

} // namespace Kelbrix
