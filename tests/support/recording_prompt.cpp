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
    PromptAnswer answer = PromptAnswer::Ok;
    if (!answers.isEmpty())
        answer = answers.dequeue();
    else if (request.buttons == PromptButtons::YesNo || request.buttons == PromptButtons::YesNoCancel)
        answer = PromptAnswer::Yes;
    else if (request.buttons == PromptButtons::RetryCancel)
        answer = PromptAnswer::Retry;
    given.append(answer);
    return answer;
}

QString RecordingPrompt::chooseFile(const FileRequest &request)
{
    fileRequests.append(request);
    return files.isEmpty() ? QString() : files.dequeue();
}

std::optional<FontChoice> RecordingPrompt::chooseFont(const FontRequest &request)
{
    fontRequests.append(request);
    return fonts.isEmpty() ? std::nullopt : std::optional(fonts.dequeue());
}

std::optional<quint32> RecordingPrompt::chooseColor(const ColorRequest &)
{
    return colors.isEmpty() ? std::nullopt : std::optional(colors.dequeue());
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

bool RecordingPrompt::previewPages(QPrinter &printer, const PagePreviewRequest &request)
{
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
    given.clear();
    fileRequests.clear();
    fonts.clear();
    colors.clear();
    fontRequests.clear();
    printChoices.clear();
    printRequests.clear();
}

} // namespace Kelbrix::Test
