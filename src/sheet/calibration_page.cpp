#include "sheet/calibration_page.h"
#include "base/units.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// From millimetres on the sheet to device units on the printed page, the calibration applied.
class PageMap {
public:
    PageMap(double dotsPerMillimetre, const SheetCalibration &calibration)
        : m_dots(dotsPerMillimetre), m_scale(calibration.scalePercent / 100.0),
          m_offset(calibration.offsetX, calibration.offsetY)
    {
    }

    QPointF operator()(QPointF millimetres) const { return (millimetres * m_scale + m_offset) * m_dots; }
    QPointF operator()(double x, double y) const { return (*this)(QPointF(x, y)); }
    // A length that is not scaled (line widths, marks), in device units.
    double length(double millimetres) const { return millimetres * m_dots; }

private:
    double m_dots;
    double m_scale;
    QPointF m_offset;
};

void drawRulers(QPainter &painter, const PageMap &map, const QSizeF &page)
{
    painter.setPen(QPen(Qt::black, map.length(0.1)));
    QFont font(u"Sans"_s);
    font.setPointSizeF(5);
    painter.setFont(font);
    const auto tick = [&map](int mm) { return mm % 10 == 0 ? 5.0 : mm % 5 == 0 ? 3.5 : 2.0; };
    for (int mm = 0; mm <= int(page.width()); ++mm) {
        painter.drawLine(map(mm, 0), map(mm, 0) + QPointF(0, map.length(tick(mm))));
        if (mm % 10 == 0 && mm > 0)
            painter.drawText(map(mm, 0) + QPointF(map.length(0.5), map.length(5)), QString::number(mm));
    }
    for (int mm = 0; mm <= int(page.height()); ++mm) {
        painter.drawLine(map(0, mm), map(0, mm) + QPointF(map.length(tick(mm)), 0));
        if (mm % 10 == 0 && mm > 0)
            painter.drawText(map(0, mm) + QPointF(map.length(2.5), map.length(-0.5)), QString::number(mm));
    }
}

void drawCrosshair(QPainter &painter, const PageMap &map, const QRectF &cell)
{
    const double arm = std::min(5.0, std::min(cell.width(), cell.height()) * 0.4);
    const QPointF centre = map(cell.center());
    painter.setPen(QPen(Qt::black, map.length(0.15)));
    painter.drawLine(centre - QPointF(map.length(arm), 0), centre + QPointF(map.length(arm), 0));
    painter.drawLine(centre - QPointF(0, map.length(arm)), centre + QPointF(0, map.length(arm)));
    const double radius = map.length(std::min(1.5, arm / 2));
    painter.drawEllipse(centre, radius, radius);
}

} // namespace

QString calibrationInstruction(const SheetCalibration &calibration)
{
    return u"Measure how far each crosshair lies from the centre of its label: the distance from the "
           u"crosshair to the centre, in mm, to the right and down (negative to the left and up), is what "
           u"to add to the printer's x offset and y offset. When the last crosshair is off by more than the "
           u"first, the printer scales the page: multiply the scale by the distance between the two label "
           u"centres and divide it by the distance between the two crosshairs. This page was printed with "
           u"x offset %1 mm, y offset %2 mm, scale %3 %."_s.arg(decimalText(calibration.offsetX, 2),
                                                                decimalText(calibration.offsetY, 2),
                                                                decimalText(calibration.scalePercent, 2));
}

bool paintCalibrationPage(QPagedPaintDevice &device, const LabelTemplate &sheet, const SheetCalibration &calibration)
{
    device.setPageLayout(QPageLayout(QPageSize(sheet.page), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const PageMap map(device.logicalDpiX() / kMillimetresPerInch, calibration);
    const QSizeF page = sheet.pageSize();

    drawRulers(painter, map, page);

    painter.setPen(QPen(Qt::black, map.length(0.05)));
    painter.setBrush(Qt::NoBrush);
    for (int cell = 0; cell < sheet.labelsPerSheet(); ++cell) {
        const QRectF rect = sheet.cellRect(cell);
        painter.drawRect(QRectF(map(rect.topLeft()), map(rect.bottomRight())));
    }

    drawCrosshair(painter, map, sheet.cellRect(0));
    if (sheet.labelsPerSheet() > 1)
        drawCrosshair(painter, map, sheet.cellRect(sheet.labelsPerSheet() - 1));

    // The instruction across the page, a third of the way down, clear of the rulers.
    QFont font(u"Sans"_s);
    font.setPointSizeF(9);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRectF text(map(20, page.height() / 3), map(page.width() - 20, page.height() / 3 + 40));
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QString instruction = calibrationInstruction(calibration);
    // On white, so that the label outlines do not run through the words.
    const QRectF used = painter.boundingRect(text, flags, instruction);
    const double pad = map.length(1);
    painter.fillRect(used.adjusted(-pad, -pad, pad, pad), Qt::white);
    painter.drawText(text, flags, instruction);
    painter.end();
    return true;
}

} // namespace Kelbrix
