#include "export/converter_errors.h"

#include "base/user_prompt.h"
#include "render/program_clipboard.h"
#include "render/symbol_geometry.h"

#include <QCoreApplication>
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
        return QCoreApplication::translate("ConverterError", "Disk Full Error");
    case 32210:
        return QCoreApplication::translate("ConverterError", "File Already Exists");
    case 32211:
        return QCoreApplication::translate("ConverterError", "Error Opening file");
    case 32212:
        return QCoreApplication::translate("ConverterError", "Error Deleting File");
    case 32214:
        return QCoreApplication::translate("ConverterError", "Error Locking DIB when Writing");
    case 32502:
        return QCoreApplication::translate("ConverterError", "Unsupported Image Format");
    case 32503:
        return QCoreApplication::translate("ConverterError", "Error Reading from File");
    case 32504:
        return QCoreApplication::translate("ConverterError", "File Not Found");
    case 32506:
        return QCoreApplication::translate("ConverterError", "Insufficient Memory");
    case 32507:
    case 32508:
    case 32509:
    case 32513:
    case 32514:
        return QCoreApplication::translate("ConverterError", "Internal Error (unknown errors)");
    case 32511:
        return QCoreApplication::translate("ConverterError", "Error Printing Image");
    case 32512:
        return QCoreApplication::translate("ConverterError", "Printer does not support Bitmaps");
    case 32515:
        return QCoreApplication::translate("ConverterError", "Missing DIL File");
    case 33202:
        return QCoreApplication::translate("ConverterError", "Missing DEL File");
    case 33203:
        return QCoreApplication::translate("ConverterError", "Unsupported Export Format");
    case 33204:
        return QCoreApplication::translate("ConverterError", "Error Writing Data to Disk.");
    case 33205:
        return QCoreApplication::translate("ConverterError", "Insufficient Memory");
    case 33206:
        return QCoreApplication::translate("ConverterError", "Internal Error Writing Image Data");
    case 33208:
        return QCoreApplication::translate("ConverterError", "Bad Dynamic Export Library");
    case -100:
        return QCoreApplication::translate("ConverterError", "Missing Parameter Element(s)");
    default:
        return QCoreApplication::translate("ConverterError", "Unknown Error, Error Code=") + QString::number(code);
    }
}

void tiffError(const QString &text)
{
    ask(text, QCoreApplication::translate("ConverterError", "TIFF Error"), PromptIcon::Exclamation, PromptButtons::Ok);
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
    tiffError(QCoreApplication::translate("ConverterError", "Unspecified Internal Error"));
    const QString question =
        QCoreApplication::translate("ConverterError",
                                    "Can't make a %1 dpi file. But you can try again, but the size might not be right, "
                                    "continue ?")
            .arg(resolution);
    const PromptAnswer answer = ask(question, QCoreApplication::translate("ConverterError", "To big a Tiff"),
                                    PromptIcon::Question, PromptButtons::YesNo, 820);
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
