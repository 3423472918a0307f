#include "logistic/logistic_output.h"

#include "export/converter_image.h"
#include "export/tiff_io.h"
#include "label/mono_symbol.h"
#include "verify/symbol_reader.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// The resolution of the PDF's coordinates: fine enough that no bar edge moves by rounding.
constexpr int kPdfResolution = 1200;
constexpr double kMmPerInch = 25.4;
// An A4 page and the cells of its two-by-two sheet.
constexpr double kA4WidthMm = 210;
constexpr double kA4HeightMm = 297;

QString outputText(const char *source)
{
    return QCoreApplication::translate("Kelbrix::LogisticLabel", source);
}

void paintText(QPainter &painter, const LogisticText &text, double unitsPerMm, QPointF origin)
{
    QFont font(u"DejaVu Sans"_s);
    font.setBold(text.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPixelSize(1000);
    const double capRatio = QFontMetricsF(font).capHeight() / 1000;
    const double emUnits = text.capMm / capRatio * unitsPerMm;
    const int pixels = std::max(1, int(std::lround(emUnits)));
    font.setPixelSize(pixels);
    painter.save();
    painter.setFont(font);
    painter.translate(origin + text.baseline * unitsPerMm);
    // The font comes in whole pixels; the scale makes up the rest, and narrows a text that has to.
    painter.scale(text.stretch * emUnits / pixels, emUnits / pixels);
    painter.drawText(QPointF(0, 0), text.text);
    painter.restore();
}

void paintBars(QPainter &painter, const LogisticSymbol &symbol, double unitsPerMm, QPointF origin)
{
    const QList<bool> &modules = symbol.symbol.modules;
    const QPointF topLeft = origin + symbol.barsTopLeft * unitsPerMm;
    const double module = symbol.moduleMm * unitsPerMm;
    const double height = symbol.heightMm * unitsPerMm;
    for (qsizetype i = 0; i < modules.size();) {
        if (!modules.at(i)) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < modules.size() && modules.at(end))
            ++end;
        painter.fillRect(QRectF(topLeft.x() + i * module, topLeft.y(), (end - i) * module, height), Qt::black);
        i = end;
    }
}

// Where label \a index goes: the top left of its page, or of its cell of the A4 sheet.
QPointF labelOrigin(qsizetype index, bool a4Sheet, QSizeF labelMm)
{
    if (!a4Sheet)
        return {};
    const int cell = int(index % 4);
    const double cellWidth = kA4WidthMm / 2, cellHeight = kA4HeightMm / 2;
    return {(cell % 2) * cellWidth + (cellWidth - labelMm.width()) / 2,
            (cell / 2) * cellHeight + (cellHeight - labelMm.height()) / 2};
}

} // namespace

void paintLogisticLabel(QPainter &painter, const LogisticLayout &layout, double unitsPerMm, QPointF origin)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.fillRect(QRectF(origin, layout.pageMm * unitsPerMm), Qt::white);
    for (const double y : layout.rules)
        painter.fillRect(
            QRectF(origin.x() + kLogisticMarginMm * unitsPerMm, origin.y() + (y - layout.ruleMm / 2) * unitsPerMm,
                   (layout.pageMm.width() - 2 * kLogisticMarginMm) * unitsPerMm, layout.ruleMm * unitsPerMm),
            Qt::black);
    for (const LogisticSymbol &symbol : layout.symbols)
        paintBars(painter, symbol, unitsPerMm, origin);
    painter.setPen(Qt::black);
    for (const LogisticText &text : layout.texts)
        paintText(painter, text, unitsPerMm, origin);
    painter.restore();
}

QString verifyLogisticLabel(const LogisticLayout &layout)
{
    if (!layout.ok())
        return layout.error;
    for (const LogisticSymbol &symbol : layout.symbols) {
        const QImage picture = gs1_128Picture(symbol.symbol, 3, 80);
        const std::optional<MatrixReading> reading = readCode128Symbol(picture);
        const QString expected = scannedElementString(symbol.symbol.elements);
        if (!reading || reading->symbologyIdentifier != u"]C1" || reading->content != expected)
            return outputText(QT_TRANSLATE_NOOP("Kelbrix::LogisticLabel",
                                                "The symbol \"%1\" does not read back as its data; nothing was made."))
                .arg(symbol.symbol.humanReadable);
    }
    return {};
}

bool fitsLogisticSheet(const QList<LogisticLayout> &labels)
{
    for (const LogisticLayout &label : labels)
        if (label.pageMm.width() > kA4WidthMm / 2 || label.pageMm.height() > kA4HeightMm / 2)
            return false;
    return true;
}

int logisticPageCount(qsizetype labels, bool a4Sheet)
{
    const int perPage = a4Sheet ? 4 : 1;
    return int((labels + perPage - 1) / perPage);
}

QSizeF logisticSheetMm(const QList<LogisticLayout> &labels, bool a4Sheet)
{
    if (a4Sheet)
        return {kA4WidthMm, kA4HeightMm};
    return labels.isEmpty() ? QSizeF() : labels.constFirst().pageMm;
}

void paintLogisticPage(QPainter &painter, const QList<LogisticLayout> &labels, bool a4Sheet, int page,
                       double unitsPerMm)
{
    const int perPage = a4Sheet ? 4 : 1;
    for (qsizetype i = qsizetype(page) * perPage; i < labels.size() && i < qsizetype(page + 1) * perPage; ++i)
        paintLogisticLabel(painter, labels.at(i), unitsPerMm,
                           labelOrigin(i, a4Sheet, labels.at(i).pageMm) * unitsPerMm);
}

QString paintLogisticPages(QPagedPaintDevice &device, const QList<LogisticLayout> &labels, bool a4Sheet,
                           const std::function<bool(int page, int pages)> &pageDone)
{
    if (labels.isEmpty())
        return outputText(QT_TRANSLATE_NOOP("Kelbrix::LogisticLabel", "There is no label to make."));
    for (const LogisticLayout &label : labels)
        if (!label.ok())
            return label.error;
    if (a4Sheet && !fitsLogisticSheet(labels))
        return outputText(QT_TRANSLATE_NOOP("Kelbrix::LogisticLabel", "Only A6 labels go four to an A4 sheet."));
    device.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    device.setPageSize(a4Sheet ? QPageSize(QPageSize::A4)
                               : QPageSize(logisticSheetMm(labels, a4Sheet), QPageSize::Millimeter));
    device.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&device))
        return outputText(
            QT_TRANSLATE_NOOP("Kelbrix::LogisticLabel", "The printer or file could not be opened for the labels."));
    const double unitsPerMm = device.logicalDpiX() / kMmPerInch;
    const int pages = logisticPageCount(labels.size(), a4Sheet);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) {
            if (pageDone && !pageDone(page, pages)) {
                painter.end();
                return outputText(QT_TRANSLATE_NOOP("Kelbrix::LogisticLabel", "The labels were stopped."));
            }
            device.newPage();
        }
        paintLogisticPage(painter, labels, a4Sheet, page, unitsPerMm);
    }
    if (pageDone)
        pageDone(pages, pages);
    painter.end();
    return {};
}

LogisticPdfResult writeLogisticPdf(const QString &path, const QList<LogisticLayout> &labels, bool a4Sheet,
                                   const std::function<bool(int page, int pages)> &pageDone)
{
    LogisticPdfResult result;
    for (const LogisticLayout &label : labels) {
        result.error = verifyLogisticLabel(label);
        if (!result.error.isEmpty())
            return result;
    }
    result.saved = saveFileSafely(path, [&](QIODevice &device) {
        QPdfWriter writer(&device);
        writer.setResolution(kPdfResolution);
        writer.setCreator(u"Kelbrix"_s);
        writer.setTitle(outputText(QT_TRANSLATE_NOOP("Kelbrix::LogisticLabel", "GS1 logistic labels")));
        result.error = paintLogisticPages(writer, labels, a4Sheet, pageDone);
        return result.error.isEmpty();
    });
    return result;
}

QImage logisticLabelImage(const LogisticLayout &layout, int dpi)
{
    const double dotsPerMm = dpi / kMmPerInch;
    QImage grey(int(std::lround(layout.pageMm.width() * dotsPerMm)),
                int(std::lround(layout.pageMm.height() * dotsPerMm)), QImage::Format_Grayscale8);
    grey.fill(Qt::white);
    {
        QPainter painter(&grey);
        painter.setRenderHint(QPainter::TextAntialiasing);
        paintLogisticLabel(painter, layout, dotsPerMm);
    }
    QImage mono = grey.convertToFormat(QImage::Format_Mono, whiteBlackTable(), Qt::ThresholdDither);
    const int dotsPerMetre = int(std::lround(dpi / 0.0254));
    mono.setDotsPerMeterX(dotsPerMetre);
    mono.setDotsPerMeterY(dotsPerMetre);
    return mono;
}

SaveResult saveLogisticTiff(const QString &path, const LogisticLayout &layout, int dpi)
{
    if (const QString problem = verifyLogisticLabel(layout); !problem.isEmpty())
        return SaveResult{false, 0, problem};
    ConverterImage mono;
    mono.image = logisticLabelImage(layout, dpi);
    mono.xDpi = mono.yDpi = dpi;
    QString problem;
    return saveFileSafely(
        path, [&](QIODevice &device) { return writeTiff(device, mono, TiffCompression::Group4, &problem); });
}

} // namespace Kelbrix
