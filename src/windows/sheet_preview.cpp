#include "windows/sheet_preview.h"

#include "base/units.h"
#include "sheet/sheet_printer.h"

#include <QPainter>

namespace Kelbrix {

SheetPreview::SheetPreview(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(200, 280);
}

void SheetPreview::show(const SheetPlan *plan, int page)
{
    m_plan = plan;
    m_page = page;
    update();
}

void SheetPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!m_plan)
        return;
    const LabelTemplate &sheet = m_plan->job().sheet;
    const QSizeF page = sheet.pageSize();
    const double scale = std::min((width() - 8) / page.width(), (height() - 8) / page.height()); // px per mm
    painter.translate((width() - page.width() * scale) / 2, (height() - page.height() * scale) / 2);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(QPointF(0, 0), page * scale), Qt::white);
    painter.setPen(QPen(QColor(160, 160, 160), 0));
    for (int cell = 0; cell < sheet.labelsPerSheet(); ++cell) {
        const QRectF r = sheet.cellRect(cell);
        painter.drawRoundedRect(QRectF(r.topLeft() * scale, r.size() * scale), sheet.cornerRadius * scale,
                                sheet.cornerRadius * scale);
    }
    painter.scale(scale * kMillimetresPerInch / m_plan->job().printerDpi,
                  scale * kMillimetresPerInch / m_plan->job().printerDpi);
    m_plan->paintPage(painter, m_page, true);
}

} // namespace Kelbrix
