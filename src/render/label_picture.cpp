#include "render/label_picture.h"

#include "base/units.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace Kelbrix {

LabelPicture::LabelPicture(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void LabelPicture::setWidthTwips(double twips)
{
    m_widthTwips = twips;
    updateGeometryFromTwips();
}

void LabelPicture::setHeightTwips(double twips)
{
    m_heightTwips = twips;
    updateGeometryFromTwips();
}

void LabelPicture::updateGeometryFromTwips()
{
    const QSize size(twipsToWholePixels(m_widthTwips, logicalDpiX()), twipsToWholePixels(m_heightTwips, logicalDpiY()));
    setFixedSize(size);
    updateGeometry();
}

QSize LabelPicture::sizeHint() const
{
    return QSize(twipsToWholePixels(m_widthTwips, logicalDpiX()), twipsToWholePixels(m_heightTwips, logicalDpiY()));
}

void LabelPicture::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void LabelPicture::clear()
{
    QImage blank(sizeHint(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    setImage(blank);
}

void LabelPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_image.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(QRectF(QPointF(0, 0), m_image.deviceIndependentSize()), m_image);
    }
}

void LabelPicture::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        emit rightButtonPressed(event->globalPosition().toPoint());
        return;
    }
    if (event->button() == Qt::LeftButton) {
        m_leftPressed = true;
        m_pressPosition = event->position().toPoint();
    }
    QWidget::mousePressEvent(event);
}

void LabelPicture::mouseMoveEvent(QMouseEvent *event)
{
    if (m_leftPressed && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - m_pressPosition).manhattanLength() >= QApplication::startDragDistance()) {
        m_leftPressed = false;
        emit dragStarted();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

} // namespace Kelbrix
