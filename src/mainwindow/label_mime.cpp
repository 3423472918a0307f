#include "mainwindow/label_mime.h"

#include "base/units.h"

#include <QBuffer>
#include <QDataStream>
#include <QMimeData>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

const QString kSizeFormat = u"application/x-kelbrix-label-twips"_s;

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

QMimeData *labelMimeData(const LabelData &label)
{
    auto *data = new QMimeData;
    data->setImageData(label.image);
    data->setData(u"image/png"_s, encoded(label.image, "PNG"));
    data->setData(u"image/bmp"_s, encoded(label.image, "BMP"));
    if (!label.svg.isEmpty())
        data->setData(u"image/svg+xml"_s, label.svg);
    QByteArray size;
    QDataStream stream(&size, QIODevice::WriteOnly);
    stream << label.widthTwips << label.heightTwips;
    data->setData(kSizeFormat, size);
    return data;
}

std::optional<std::pair<double, double>> labelSizeOf(const QMimeData *data, const QImage &image)
{
    if (image.isNull())
        return std::nullopt;
    if (data && data->hasFormat(kSizeFormat)) {
        QDataStream stream(data->data(kSizeFormat));
        double width = 0;
        double height = 0;
        stream >> width >> height;
        if (stream.status() == QDataStream::Ok && width > 0 && height > 0)
            return std::pair{width, height};
    }
    const double xDpi = image.dotsPerMeterX() > 0 ? dotsPerInchOf(image.dotsPerMeterX()) : kDefaultDotsPerInch;
    const double yDpi = image.dotsPerMeterY() > 0 ? dotsPerInchOf(image.dotsPerMeterY()) : kDefaultDotsPerInch;
    return std::pair{pixelsToTwips(image.width(), xDpi), pixelsToTwips(image.height(), yDpi)};
}

} // namespace Kelbrix
