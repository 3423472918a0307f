#include "recording_prompt.h"

#include <QPainter>
#include <QPrinter>

namespace Kelbrix::Test {

RecordingPrompt::RecordingPrompt() : m_previous(setUserPrompt(this))
{
}

RecordingPrompt::~RecordingPrompt()
{
    setUserPrompt(m_previous);
}

PromptAnswer RecordingPrompt::ask(const PromptRequest &request)
{
    asked.append(request);
    if (!answers.isEmpty())
        return answers.dequeue();
    switch (request.buttons) {
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel:
        return PromptAnswer::Yes;
    case PromptButtons::RetryCancel:
        return PromptAnswer::Retry;
    case PromptButtons::Ok:
    case PromptButtons::OkCancel:
        break;
    }
    return PromptAnswer::Ok;
}

QString RecordingPrompt::chooseFile(const FileRequest &request)
{
    fileRequests.append(request);
    return files.isEmpty() ? QString() : files.dequeue();
}

std::optional<FontChoice> RecordingPrompt::chooseFont(const FontRequest &request)
{
    fontRequests.append(request);
    if (fonts.isEmpty())
        return std::nullopt;
    return fonts.dequeue();
}

std::optional<quint32> RecordingPrompt::chooseColor(const ColorRequest &request)
{
    colorRequests.append(request);
    if (colors.isEmpty())
        return std::nullopt;
    return colors.dequeue();
}

bool RecordingPrompt::choosePrinter(QPrinter &printer, const PrintRequest &request)
{
    printRequests.append(request);
    if (printChoices.isEmpty())
        return false;
    const PrintChoice choice = printChoices.dequeue();
    if (choice.pdfFile.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(choice.pdfFile);
    printer.setCopyCount(choice.copies);
    printer.setPrintRange(choice.selectionOnly ? QPrinter::Selection : QPrinter::AllPages);
    return true;
}

void RecordingPrompt::previewPrint(QPrinter &printer, const std::function<void(QPrinter &printer)> &paint)
{
    ++previewsShown;
    if (previewPdfFile.isEmpty())
        return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(previewPdfFile);
    paint(printer);
}

bool RecordingPrompt::previewPages(QPrinter &printer, const PagePreviewRequest &request)
{
    ++previewsShown;
    previewPageCounts << request.pageCount;
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Inch);
    for (const int page : std::as_const(previewPagesToPaint)) {
        QImage image(qRound(area.width() * 96), qRound(area.height() * 96), QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        image.fill(Qt::white);
        QPainter painter(&image);
        request.paintPage(painter, image, page);
        painter.end();
        previewPageImages << image;
    }
    return previewPrints;
}

QStringList RecordingPrompt::texts() const
{
    QStringList result;
    for (const PromptRequest &r : asked)
        result.append(r.text);
    return result;
}

void RecordingPrompt::clear()
{
    answers.clear();
    files.clear();
    asked.clear();
    fileRequests.clear();
    fonts.clear();
    colors.clear();
    fontRequests.clear();
    colorRequests.clear();
    printChoices.clear();
    printRequests.clear();
    previewsShown = 0;
}

} // namespace Kelbrix::Test
