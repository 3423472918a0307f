// Printing from the main window: the barcode list as a paged text listing and the barcode
// image list at the pictures' size, each through the print dialog or a preview that paints the
// page it shows.
#include "mainwindow/print_commands.h"
#include "widgets/translation.h"

#include "widgets/busy_progress.h"
#include "widgets/named.h"

#include "base/runtime_errors.h"
#include "base/safe_save.h"
#include "base/user_prompt.h"
#include "list/barcode_list.h"
#include "list/image_list_printer.h"
#include "list/list_printer.h"

#include <QCoreApplication>
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

bool listIsEmpty(int count)
{
    if (count > 0)
        return false;
    ask(QCoreApplication::translate("PrintCommands", "Sorry! Nothing to Print."), applicationTitle(),
        PromptIcon::Exclamation, PromptButtons::Ok, 3012);
    return true;
}

} // namespace

PrintCommands::PrintCommands(QMenu *fileMenu, QAction *mnuPrint, QAction *mnuPbarcode, const BarcodeList &list,
                             QTextEdit *images, const QString &title)
    : QObject(fileMenu), m_list(list), m_images(images), m_title(title)
{
    auto *mnuPreview =
        translated(new QAction(fileMenu), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "Print Pre&view..."));
    mnuPreview->setObjectName(u"mnuPreview"_s);
    insertActionAfter(fileMenu, mnuPrint, mnuPreview);
    auto *mnuPbPreview = translated(new QAction(fileMenu), "text", "Form1",
                                    QT_TRANSLATE_NOOP("Form1", "Barcodes Image List Previe&w..."));
    mnuPbPreview->setObjectName(u"mnuPbPreview"_s);
    insertActionAfter(fileMenu, mnuPbarcode, mnuPbPreview);
    followEnabled(mnuPrint, mnuPreview);
    followEnabled(mnuPbarcode, mnuPbPreview);

    connect(mnuPrint, &QAction::triggered, this, &PrintCommands::printList);
    connect(mnuPreview, &QAction::triggered, this, &PrintCommands::previewList);
    connect(mnuPbarcode, &QAction::triggered, this, &PrintCommands::printImages);
    connect(mnuPbPreview, &QAction::triggered, this, &PrintCommands::previewImages);
}

void PrintCommands::printList()
{
    if (listIsEmpty(int(m_list.count())))
        return;
    QPrinter printer(QPrinter::HighResolution);
    PrintRequest request;
    request.title = QCoreApplication::translate("PrintCommands", "Print List");
    if (!userPrompt().choosePrinter(printer, request))
        return;
    const ListPrinter listing(m_list.records(), m_title,
                              QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    printWithProgress(printer, [&listing](QPrinter &target, const std::function<bool(int, int)> &progress) {
        return listing.print(target, progress);
    });
}

void PrintCommands::previewList()
{
    if (listIsEmpty(int(m_list.count())))
        return;
    QPrinter printer(QPrinter::HighResolution);
    const ListPrinter listing(m_list.records(), m_title,
                              QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    // Each page is painted when it is shown, so a list of a million records opens at once.
    PagePreviewRequest request;
    request.title = QCoreApplication::translate("PrintCommands", "Print Preview");
    request.pageCount = listing.pageCount();
    request.paintPage = [&listing](QPainter &painter, const QPaintDevice &device, int page) {
        listing.paintPage(painter, device, page);
    };
    if (userPrompt().previewPages(printer, request))
        printList();
}

void PrintCommands::printImages()
{
    QTextEdit *images = m_images;
    QPrinter printer(QPrinter::HighResolution);
    // The labels print upright unless the printer is set to landscape.
    if (printer.pageLayout().orientation() != QPageLayout::Landscape)
        printer.setPageOrientation(QPageLayout::Portrait);
    const QTextCursor selection = images->textCursor();
    PrintRequest request;
    request.title = QCoreApplication::translate("PrintCommands", "Print Barcodes Image List");
    request.selectionAvailable = selection.hasSelection();
    if (!userPrompt().choosePrinter(printer, request))
        return;
    ImageListPrintOptions options;
    options.shownDotsPerInch = images->logicalDpiX();
    if (printer.printRange() == QPrinter::Selection && selection.hasSelection()) {
        options.selectionStart = selection.selectionStart();
        options.selectionEnd = selection.selectionEnd();
    }
    printWithProgress(printer, [images, options](QPrinter &target, const std::function<bool(int, int)> &progress) {
        return printImageList(*images->document(), target, options, progress);
    });
}

void PrintCommands::previewImages()
{
    QTextEdit *images = m_images;
    QPrinter printer(QPrinter::HighResolution);
    ImageListPrintOptions options;
    options.shownDotsPerInch = images->logicalDpiX();
    // Laid out once; each page is painted when it is shown, so a list of a thousand pictures
    // opens at once and holds one page image.
    const ImageListPages pages(*images->document(), printer, options);
    PagePreviewRequest request;
    request.title = u"Print Preview"_s;
    request.pageCount = pages.pageCount();
    request.paintPage = [&pages](QPainter &painter, const QPaintDevice &device, int page) {
        pages.paintPage(painter, device, page);
    };
    if (userPrompt().previewPages(printer, request))
        printImages();
}

void PrintCommands::printWithProgress(
    QPrinter &printer, const std::function<bool(QPrinter &, const std::function<bool(int, int)> &)> &print)
{
    StoppableProgress progress(m_images->window(), tr("Printing..."), 0);
    const auto step = [&progress](int printed, int total) {
        progress.setTotal(total);
        return progress.step(printed);
    };
    bool ok = false;
    const QString file = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    if (file.isEmpty()) {
        ok = print(printer, step);
    } else {
        ok = saveFileSafelyByPath(file, [&](const QString &temporaryPath) {
                 printer.setOutputFileName(temporaryPath);
                 const bool printed = print(printer, step);
                 printer.setOutputFileName(file);
                 return printed;
             }).ok;
    }
    if (!ok && !progress.stopped())
        ReportRuntimeError(kPrinterError);
}

} // namespace Kelbrix
