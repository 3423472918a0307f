#include "list/image_list_printer.h"

#include "base/units.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <cmath>
#include <memory>

namespace Kelbrix {

namespace {

// The document is laid out in units of 1/96 inch without a paint device, so that a picture
// given a size in those units keeps it whatever the printer's resolution; painting scales the
// units to the device.
constexpr double kLayoutUnitsPerInch = kDefaultDotsPerInch;

QImage resourceImage(const QTextDocument &document, const QString &name)
{
    const QVariant data = document.resource(QTextDocument::ImageResource, QUrl(name));
    if (data.typeId() == QMetaType::QImage)
        return data.value<QImage>();
    if (data.typeId() == QMetaType::QPixmap)
        return data.value<QPixmap>().toImage();
    if (data.typeId() == QMetaType::QByteArray)
        return QImage::fromData(data.toByteArray());
    return {};
}

double inchesPerDot(int dotsPerMetre)
{
    const double dpi = dotsPerInchOf(dotsPerMetre);
    return 1.0 / (dpi > 0 ? dpi : kLayoutUnitsPerInch);
}

// Gives every picture of \a document its physical size in layout units.
void sizePicturesPhysically(QTextDocument &document, double shownDotsPerInch)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || !fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QImage image = resourceImage(document, format.name());
            if (image.isNull())
                continue;
            // The shown size, else the image's own resolution; a picture shown at one size only
            // keeps the image's proportions for the other.
            const double imageWidth = image.width() * inchesPerDot(image.dotsPerMeterX());
            const double imageHeight = image.height() * inchesPerDot(image.dotsPerMeterY());
            const bool shownWidth = shownDotsPerInch > 0 && format.hasProperty(QTextFormat::ImageWidth);
            const bool shownHeight = shownDotsPerInch > 0 && format.hasProperty(QTextFormat::ImageHeight);
            double width = shownWidth ? format.width() / shownDotsPerInch : imageWidth;
            double height = shownHeight ? format.height() / shownDotsPerInch : imageHeight;
            if (shownWidth && !shownHeight && imageWidth > 0)
                height = imageHeight * width / imageWidth;
            else if (shownHeight && !shownWidth && imageHeight > 0)
                width = imageWidth * height / imageHeight;
            format.setWidth(width * kLayoutUnitsPerInch);
            format.setHeight(height * kLayoutUnitsPerInch);
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

QSizeF pageSizeInUnits(const QPagedPaintDevice &device)
{
    return {device.width() * kLayoutUnitsPerInch / device.logicalDpiX(),
            device.height() * kLayoutUnitsPerInch / device.logicalDpiY()};
}

std::unique_ptr<QTextDocument> printableCopy(const QTextDocument &document, const QPagedPaintDevice &device,
                                             const ImageListPrintOptions &options)
{
    const int selectionStart = options.selectionStart;
    const int selectionEnd = options.selectionEnd;
    std::unique_ptr<QTextDocument> copy(document.clone());
    if (selectionStart >= 0 && selectionStart < selectionEnd) {
        QTextCursor cursor(copy.get());
        cursor.movePosition(QTextCursor::End);
        const int end = std::min(selectionEnd, cursor.position());
        cursor.setPosition(end);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        cursor.setPosition(0);
        cursor.setPosition(std::min(selectionStart, end), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    sizePicturesPhysically(*copy, options.shownDotsPerInch);
    copy->setDocumentMargin(0);
    copy->setPageSize(pageSizeInUnits(device));
    return copy;
}

} // namespace

ImageListPages::ImageListPages(const QTextDocument &document, const QPagedPaintDevice &device,
                               const ImageListPrintOptions &options)
    : m_layout(printableCopy(document, device, options))
{
}

ImageListPages::~ImageListPages() = default;

int ImageListPages::pageCount() const
{
    return m_layout->pageCount();
}

void ImageListPages::paintPage(QPainter &painter, const QPaintDevice &device, int page) const
{
    const QSizeF size = m_layout->pageSize();
    painter.save();
    painter.scale(device.logicalDpiX() / kLayoutUnitsPerInch, device.logicalDpiY() / kLayoutUnitsPerInch);
    painter.translate(0, -page * size.height());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(QPointF(0, page * size.height()), size);
    painter.setClipRect(context.clip);
    m_layout->documentLayout()->draw(&painter, context);
    painter.restore();
}

bool printImageList(const QTextDocument &document, QPagedPaintDevice &device, const ImageListPrintOptions &options,
                    const std::function<bool(int printed, int total)> &progress)
{
    const ImageListPages pages(document, device, options);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int count = pages.pageCount();
    bool going = true;
    for (int p = 0; going && p < count; ++p) {
        if (p > 0)
            device.newPage();
        pages.paintPage(painter, device, p);
        going = !progress || progress(p + 1, count);
    }
    return painter.end() && going;
}

int imageListPageCount(const QTextDocument &document, const QPagedPaintDevice &device,
                       const ImageListPrintOptions &options)
{
    return ImageListPages(document, device, options).pageCount();
}

} // namespace Kelbrix
