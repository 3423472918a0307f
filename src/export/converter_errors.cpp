#include "export/converter_errors.h"

#include "base/user_prompt.h"
#include "render/program_clipboard.h"
#include "render/symbol_geometry.h"

#include <QGuiApplication>
#include <QMimeData>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// The codes that are a plain message box with the text of their own.
QString tableText(int code)
{
    switch (code) {
    case 32209:
        return u"Disk Full Error"_s;
    case 32210:
        return u"File Already Exists"_s;
    case 32211:
        return u"Error Opening file"_s;
    case 32212:
        return u"Error Deleting File"_s;
    case 32214:
        return u"Error Locking DIB when Writing"_s;
    case 32502:
        return u"Unsupported Image Format"_s;
    case 32503:
        return u"Error Reading from File"_s;
    case 32504:
        return u"File Not Found"_s;
    case 32506:
        return u"Insufficient Memory"_s;
    case 32507:
    case 32508:
    case 32509:
    case 32513:
    case 32514:
        return u"Internal Error (unknown errors)"_s;
    case 32511:
        return u"Error Printing Image"_s;
    case 32512:
        return u"Printer does not support Bitmaps"_s;
    case 32515:
        return u"Missing DIL File"_s;
    case 33202:
        return u"Missing DEL File"_s;
    case 33203:
        return u"Unsupported Export Format"_s;
    case 33204:
        return u"Error Writing Data to Disk."_s;
    case 33205:
        return u"Insufficient Memory"_s;
    case 33206:
        return u"Internal Error Writing Image Data"_s;
    case 33208:
        return u"Bad Dynamic Export Library"_s;
    case -100:
        return u"Missing Parameter Element(s)"_s;
    default:
        return u"Unknown Error, Error Code="_s + QString::number(code);
    }
}

void tiffError(const QString &text)
{
    ask(text, u"TIFF Error"_s, PromptIcon::Exclamation, PromptButtons::Ok);
}

// A metafile picture on the clipboard is, here, a vector picture: SVG or symbol geometry.
bool clipboardHoldsVectorPicture()
{
    const QMimeData *data = ProgramClipboard::data();
    return data && (data->hasFormat(u"image/svg+xml"_s) || data->hasFormat(QLatin1StringView(kSymbolMimeType)));
}

void diagnosticBox(const ConverterErrorContext &context, const QString &picLabel)
{
    const QString text = context.typeCode + u" # "_s + context.tiffBarcodeData + picLabel +
                         (clipboardHoldsVectorPicture() ? u"True"_s : u"False"_s);
    ask(text, applicationTitle(), PromptIcon::NoIcon, PromptButtons::Ok);
}

// The hourglass is an application override cursor; all of them go.
void restoreDefaultPointer()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    }
}

TiffRetry reportTooLarge(TiffRetry retry, int resolution)
{
    if (retry == TiffRetry::Smaller)
        return retry;
    tiffError(u"Unspecified Internal Error"_s);
    const QString question = u"Can't make a "_s + QString::number(resolution) +
                             u" dpi file. But you can try again, but the size might not be right, continue ?"_s;
    const PromptAnswer answer = ask(question, u"To big a Tiff"_s, PromptIcon::Question, PromptButtons::YesNo, 820);
    return answeredYes(answer) ? TiffRetry::Smaller : TiffRetry::Stop;
}

} // namespace

TiffRetry ReportConverterError(int code, TiffRetry retry, const ConverterErrorContext &context)
{
    switch (code) {
    case 32501:
        return reportTooLarge(retry, context.tiffResolution);
    case 32504:
        tiffError(tableText(code));
        restoreDefaultPointer();
        return retry;
    case 32506:
        tiffError(tableText(code));
        return retry == TiffRetry::Smaller ? TiffRetry::Stop : retry;
    case 33203:
        tiffError(tableText(code));
        diagnosticBox(context, u" # Pic="_s);
        return retry;
    case 33211:
        diagnosticBox(context, u" # Pic(2)="_s);
        return retry;
    default:
        tiffError(tableText(code));
        return retry;
    }
}

} // namespace Kelbrix
