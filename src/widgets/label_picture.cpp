#include "widgets/label_picture.h"

#include "base/units.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

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
    setFixedSize(sizeHint());
    updateGeometry();
}

QSize LabelPicture::sizeHint() const
{
    const QSize label(twipsToWholePixels(m_widthTwips, logicalDpiX()),
                      twipsToWholePixels(m_heightTwips, logicalDpiY()));
    if (m_screen.isNull())
        return label;
    // The screen picture may be higher than the label: it gives the ISBN header a band of its own.
    const QSizeF screen = m_screen.deviceIndependentSize();
    return label.expandedTo(QSize(int(std::ceil(screen.width() - 1e-6)), int(std::ceil(screen.height() - 1e-6))));
}

void LabelPicture::setImage(const QImage &image)
{
    m_image = image;
    dropScreenImage();
    update();
}

void LabelPicture::dropScreenImage()
{
    if (m_screen.isNull())
        return;
    m_screen = QImage();
    updateGeometryFromTwips();
}

void LabelPicture::setScreenImage(const QImage &image)
{
    m_screen = image;
    updateGeometryFromTwips();
    update();
}

void LabelPicture::clear()
{
    dropScreenImage();
    QImage blank(sizeHint(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    setImage(blank);
}

void LabelPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_screen.isNull() && qFuzzyCompare(m_screen.devicePixelRatio(), painter.device()->devicePixelRatioF())) {
        // One image pixel to one device pixel: a scaled copy would turn the edges of the bars grey.
        painter.drawImage(QPointF(0, 0), m_screen);
        return;
    }
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
