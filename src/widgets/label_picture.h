#pragma once

#include <QImage>
#include <QWidget>

#include <utility>

namespace Kelbrix {

/// A picture box of the label: an image of its own (what is copied, dragged, saved and
/// printed) shown at its size in twips.
class LabelPicture : public QWidget {
    Q_OBJECT
public:
    explicit LabelPicture(const QString &name, QWidget *parent = nullptr);

    double widthTwips() const { return m_widthTwips; }
    double heightTwips() const { return m_heightTwips; }
    void setWidthTwips(double twips);
    void setHeightTwips(double twips);

    /// The picture's current image; its device pixel ratio says how many image pixels make
    /// one pixel on the screen.
    QImage image() const { return m_image; }
    /// The image, leaving the picture without one until the next setImage.
    QImage takeImage() { return std::exchange(m_image, QImage()); }
    /// Sets the image, which the picture shows scaled to its size until a screen image is set.
    void setImage(const QImage &image);
    /// Sets what the picture shows instead of its image: a picture of the same label made for
    /// the screen, whose pixels go to device pixels one to one (see composeScreenLabel). The
    /// picture grows to hold it. A null image, and every setImage, goes back to showing the image.
    void setScreenImage(const QImage &image);
    QImage screenImage() const { return m_screen; }
    /// Clears the picture to white at its current size.
    void clear();

    QSize sizeHint() const override;

signals:
    /// The right mouse button went down on the picture.
    void rightButtonPressed(const QPoint &globalPosition);
    /// The left mouse button was pressed and moved far enough to start a drag.
    void dragStarted();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void updateGeometryFromTwips();
    void dropScreenImage();

    double m_widthTwips = 0;
    double m_heightTwips = 0;
    QImage m_image;
    QImage m_screen;
    QPoint m_pressPosition;
    bool m_leftPressed = false;
};

} // namespace Kelbrix
