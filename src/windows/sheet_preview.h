#pragma once

#include <QWidget>

namespace Kelbrix {

class SheetPlan;

/// One page of a sheet as it will print: the paper, the label outlines with their corners, and
/// the labels, scaled to the widget.
class SheetPreview : public QWidget {
    Q_OBJECT
public:
    explicit SheetPreview(QWidget *parent);
    /// Shows page \a page (from 0) of \a plan, which outlives the showing; null shows the paper only.
    void show(const SheetPlan *plan, int page);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const SheetPlan *m_plan = nullptr;
    int m_page = 0;
};

} // namespace Kelbrix
