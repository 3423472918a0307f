#include "windows/page_preview_dialog.h"

#include "base/units.h"

#include <QCoreApplication>
#include <QBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

/// The resolution pages are shown at: the size of print on a screen, a few megabytes a page.
constexpr int kPreviewDotsPerInch = 96;

QToolButton *pageButton(const QString &name, const QString &text, const QString &tip, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(tip);
    return button;
}

} // namespace

PagePreviewDialog::PagePreviewDialog(const QPageLayout &layout, PagePreviewRequest request, QWidget *parent)
    : QDialog(parent), m_request(std::move(request)), m_dotsPerInch(kPreviewDotsPerInch)
{
    setObjectName(u"PagePreview"_s);
    setWindowTitle(m_request.title);
    // The printable area of the printer's page, as the printer paints into it.
    const QRectF area = layout.paintRect(QPageLayout::Inch);
    m_pixels = QSize(std::max(1, roundToInt(area.width() * m_dotsPerInch)),
                     std::max(1, roundToInt(area.height() * m_dotsPerInch)));

    m_first =
        pageButton(u"cmdFirstPage"_s, u"|<"_s, QCoreApplication::translate("PagePreviewDialog", "First page"), this);
    m_previous = pageButton(u"cmdPreviousPage"_s, u"<"_s,
                            QCoreApplication::translate("PagePreviewDialog", "Previous page"), this);
    m_next = pageButton(u"cmdNextPage"_s, u">"_s, QCoreApplication::translate("PagePreviewDialog", "Next page"), this);
    m_last = pageButton(u"cmdLastPage"_s, u">|"_s, QCoreApplication::translate("PagePreviewDialog", "Last page"), this);
    m_number = new QSpinBox(this);
    m_number->setObjectName(u"txtPage"_s);
    m_number->setRange(1, std::max(1, m_request.pageCount));
    auto *of = new QLabel(
        QCoreApplication::translate("PagePreviewDialog", "of ") + QString::number(m_request.pageCount), this);
    auto *print = new QPushButton(QCoreApplication::translate("PagePreviewDialog", "&Print..."), this);
    print->setObjectName(u"cmdPrint"_s);
    auto *close = new QPushButton(QCoreApplication::translate("PagePreviewDialog", "&Close"), this);
    close->setObjectName(u"cmdClose"_s);

    m_picture = new QLabel(this);
    m_picture->setAlignment(Qt::AlignCenter);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(m_picture);
    scroll->setWidgetResizable(true);
    scroll->setBackgroundRole(QPalette::Dark);

    auto *bar = new QHBoxLayout;
    for (QWidget *widget : std::initializer_list<QWidget *>{m_first, m_previous, m_number, of, m_next, m_last})
        bar->addWidget(widget);
    bar->addStretch();
    bar->addWidget(print);
    bar->addWidget(close);
    auto *column = new QVBoxLayout(this);
    column->addLayout(bar);
    column->addWidget(scroll);
    resize(std::min(m_pixels.width() + 80, 1000), 760);

    connect(m_first, &QToolButton::clicked, this, [this] { showPage(0); });
    connect(m_previous, &QToolButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QToolButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(m_last, &QToolButton::clicked, this, [this] { showPage(m_request.pageCount - 1); });
    connect(m_number, &QSpinBox::valueChanged, this, [this](int number) { showPage(number - 1); });
    connect(print, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    showPage(0);
}

void PagePreviewDialog::showPage(int page)
{
    page = std::clamp(page, 0, std::max(0, m_request.pageCount - 1));
    if (page == m_page)
        return;
    m_page = page;
    m_image = QImage(m_pixels, QImage::Format_RGB32);
    m_image.setDotsPerMeterX(dotsPerMetre(m_dotsPerInch));
    m_image.setDotsPerMeterY(dotsPerMetre(m_dotsPerInch));
    m_image.fill(Qt::white);
    if (m_request.paintPage && m_page < m_request.pageCount) {
        QPainter painter(&m_image);
        m_request.paintPage(painter, m_image, m_page);
    }
    m_picture->setPixmap(QPixmap::fromImage(m_image));
    const QSignalBlocker quiet(m_number);
    m_number->setValue(m_page + 1);
    m_first->setEnabled(m_page > 0);
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < m_request.pageCount);
    m_last->setEnabled(m_page + 1 < m_request.pageCount);
}

} // namespace Kelbrix
