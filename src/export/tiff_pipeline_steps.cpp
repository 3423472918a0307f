#include "export/tiff_pipeline.h"

#include "base/units.h"
#include "export/converter_result.h"
#include "export/export_file_name.h"
#include "export/image_converter.h"
#include "export/label_source.h"
#include "export/tiff_parameters.h"
#include "export/tiff_step_commands.h"
#include "render/barcode_renderer.h"
#include "render/program_clipboard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

// The steps of the TIFF export, each one converter command on the picture at TiffTarget, and
// what they share: the file names, the report of a step's result and the reset at the end.

namespace Kelbrix {

int TiffPipeline::resolution() const
{
    return m_source.tiffParameters().resolutionDpi(m_source.printerDpi());
}

QString TiffPipeline::tooFewPixels() const
{
    // A module narrower than a pixel cannot be drawn: such a file would not scan.
    const double modules = m_source.tiffRenderer().geometry().width;
    if (m_fullWidthPixels >= modules)
        return {};
    return QCoreApplication::translate("TiffPipeline",
                                       "At %1 dpi the barcode of %2 is %3 pixels wide, fewer than its %4 modules: no "
                                       "file was made.")
        .arg(QString::number(m_resolution), m_source.productText(), QString::number(m_fullWidthPixels),
             QString::number(qint64(std::ceil(modules))));
}

int TiffPipeline::execute(const QString &command)
{
    const int result = m_converter.ExecuteCommand(command);
    m_source.serviceEvents();
    return result;
}

TiffRetry TiffPipeline::report(int result)
{
    // Messages keep their order: what the writer finished before is told first.
    m_files.settle(true);
    return ReportConverterError(result, m_retry, {m_source.typeCode(), m_source.tiffRenderer().data(), m_resolution});
}

int TiffPipeline::reported(int result)
{
    if (result != ConverterResult::Success) {
        m_stepFailed = true;
        if (m_retry != TiffRetry::Smaller)
            m_retry = report(result);
    }
    return result;
}

QString TiffPipeline::copyName(const QString &folder, int copy) const
{
    return exportFileName(folder, m_exportProductName, m_exportBarcodeName, copy, 3, u".tif");
}

void TiffPipeline::BuildExportNames()
{
    m_exportProductName = m_source.productText();
    m_exportBarcodeName = m_source.barcodeText();
}

void TiffPipeline::PrepareTiffPicture()
{
    m_rasterWidth = 0;
    m_targetWidthPixels = 0;
    m_targetHeightPixels = 0;

    BarcodeRenderer &tiff = m_source.tiffRenderer();
    const BarcodeRenderer &main = m_source.mainRenderer();
    tiff.setSymbology(main.symbology());
    tiff.setData(main.data());
    if (m_source.supplementChosen())
        tiff.setSupplement(main.supplement());
    const QFont definedFont = m_source.definedRenderer().font();
    if (definedFont.pointSizeF() != tiff.font().pointSizeF())
        tiff.setFont(definedFont);

    QSizeF reference = m_source.referenceSizeTwips();
    m_resolution = resolution();
    const QSizeF twipsPerPixel = m_source.screenTwipsPerPixel();
    const double k = kUserTwipsPerInch / (twipsPerPixel.height() + 5);
    const auto pixelsOf = [&](const QSizeF &twips) {
        return QSizeF(twips.width() / twipsPerPixel.height() / k * m_resolution,
                      twips.height() / twipsPerPixel.width() / k * m_resolution);
    };
    const QSizeF full = pixelsOf(reference);
    m_fullWidthPixels = roundToInt(full.width());
    m_fullHeightPixels = roundToInt(full.height());
    if (m_retry == TiffRetry::Smaller) {
        m_shrinkFactor = qint16(m_shrinkFactor + 2);
        reference /= m_shrinkFactor;
    }
    const QSizeF pixels = pixelsOf(reference);
    m_rasterWidth = std::trunc(pixels.width());
    m_targetHeightPixels = roundToInt(pixels.height());
    m_targetWidthPixels = roundToInt(pixels.width());

    m_tiffRenderOptions = tiffRenderOptions(m_rasterWidth, m_resolution);

    // The renderer fills the reference picture; its proportions go with the symbol.
    tiff.setWidthTwips(reference.width());
    tiff.setHeightTwips(reference.height());
    tiff.copyToClipboard(std::round(tiff.widthTwips()), std::round(tiff.heightTwips()));
}

int TiffPipeline::EnlargeAfterShrink()
{
    m_shrinkFactor = qint16(m_shrinkFactor * 100);
    m_resolution = resolution();
    const int result = reported(execute(enlargeCommand(m_tiffTarget, m_shrinkFactor, m_resolution)));
    if (m_listItemInWork == 0)
        ResetExportState();
    return result;
}

int TiffPipeline::AdjustToDefinedSize()
{
    if (m_tiffTarget.isEmpty())
        return ConverterResult::Success;
    const TiffParameters parameters = m_source.tiffParameters();
    const QString &target = m_tiffTarget;
    int result = ConverterResult::Success;
    // A picture made shrunk and enlarged again is adjusted to its full size, not the shrunk one.
    const bool madeShrunk = m_shrinkFactor != 0;
    if (parameters.adjustWidth) {
        if (madeShrunk)
            m_targetWidthPixels = m_fullWidthPixels;
        result = reported(execute(rescaleWidthCommand(target, m_targetWidthPixels)));
    }
    if (parameters.adjustHeight) {
        if (madeShrunk)
            m_targetHeightPixels = m_fullHeightPixels;
        const int height = reported(execute(rescaleHeightCommand(target, m_targetHeightPixels)));
        if (result == ConverterResult::Success)
            result = height;
    }
    m_shrinkFactor = 0;
    m_source.showStatus(
        QCoreApplication::translate("TiffPipeline", "Rescaleing %1, Copy=1").arg(m_source.productText()));
    return result;
}

int TiffPipeline::ApplyTransformations()
{
    if (m_tiffTarget.isEmpty())
        return ConverterResult::Success;
    const QString command = transformCommand(m_tiffTarget, m_source.tiffParameters());
    int result = ConverterResult::Success;
    if (!command.isEmpty())
        result = reported(execute(command));
    m_source.showStatus(
        QCoreApplication::translate("TiffPipeline", "Mirror, Rotate.... %1, Copy=1").arg(m_source.productText()));
    return result;
}

int TiffPipeline::ApplyCompression()
{
    if (m_tiffTarget.isEmpty())
        return ConverterResult::Success;
    const TiffParameters parameters = m_source.tiffParameters();
    const int result = reported(execute(saveTiffCommand(m_tiffTarget, m_tiffTarget, parameters.compression)));
    m_source.showStatus(
        QCoreApplication::translate("TiffPipeline", "Compressing %1, Copy=1").arg(m_source.productText()));
    return result;
}

int TiffPipeline::ApplyIsbnFontText()
{
    m_resolution = resolution();
    // The work bitmap gets a name of its own in the user's temporary folder and is removed
    // when this step ends, whatever happens.
    QTemporaryFile work(QDir::tempPath() + u"/kelbrix-isbn-XXXXXX.bmp"_s);
    if (!work.open())
        return reported(ConverterResult::WriteError);
    const QString workPath = work.fileName();
    work.close();
    struct Remover {
        QString path;
        ~Remover() { QFile::remove(path); }
    } remover{workPath};

    int result = reported(execute(saveBitmapCommand(m_tiffTarget, workPath)));
    if (result != ConverterResult::Success)
        return result;
    // The font size is in points of the screen; the band is as high as the line plus 1450 twips.
    const QSizeF twipsPerPixel = m_source.screenTwipsPerPixel();
    const double points = (m_targetWidthPixels + m_rasterWidth) / 60.0;
    const QString family = m_source.tiffParameters().isbnTiffFont;
    const QString text = u"ISBN "_s + m_source.barcodeText();
    QImage lettered;
    int drawn = ConverterResult::Success;
    m_source.runWork([&] {
        const QImage bitmap(workPath, "BMP");
        if (bitmap.isNull()) {
            drawn = ConverterResult::ReadError;
            return;
        }
        QFont font;
        if (!family.isEmpty())
            font.setFamily(family);
        font.setPixelSize(std::max(1, roundToInt(points * 20.0 / twipsPerPixel.height())));
        const QFontMetricsF metrics(font);
        const int band = roundToInt(metrics.height() + 1450.0 / twipsPerPixel.height());
        lettered = QImage(bitmap.width(), bitmap.height() + band, QImage::Format_RGB32);
        if (lettered.isNull()) {
            drawn = ConverterResult::OutOfMemory;
            return;
        }
        lettered.fill(Qt::white);
        QPainter painter(&lettered);
        painter.drawImage(0, band, bitmap);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const double x = lettered.width() / 2.0 - 0.77 * (metrics.horizontalAdvance(text) / 2.0);
        const double top = (band - metrics.height()) / 2.0;
        painter.drawText(QPointF(x, top + metrics.ascent()), text);
    });
    if (drawn != ConverterResult::Success)
        return reported(drawn);

    ProgramClipboard::clear();
    auto *data = new QMimeData;
    data->setImageData(lettered);
    ProgramClipboard::setData(data);
    result = reported(execute(twoColoursFromClipboardCommand(m_tiffTarget, m_resolution)));
    // On the clipboard route the lettered picture now is the clipboard's content.
    if (m_tiffTarget != kClipboardTarget)
        ProgramClipboard::clear();
    return result;
}

void TiffPipeline::ResetExportState()
{
    m_retry = TiffRetry::None;
    m_shrinkFactor = 0;
    m_listItemInWork = 0;
    m_source.setListItemInWork(0);
    m_source.setBatchStopRequest(BatchStop::Idle);
    m_source.setBusy(false);
    m_source.setProgress(0);
    m_source.serviceEvents();
}

} // namespace Kelbrix
