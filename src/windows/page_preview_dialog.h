#pragma once

#include "base/user_prompt.h"

#include <QDialog>
#include <QPageLayout>

class QLabel;
class QSpinBox;
class QToolButton;

namespace Kelbrix {

/// The print preview of a paged document: one page at a time, painted when it is shown and
/// forgotten when another is, so a listing of thousands of pages opens at once and holds one
/// page image. "Print..." closes the preview accepted; the caller then prints.
class PagePreviewDialog : public QDialog {
    Q_OBJECT
public:
    PagePreviewDialog(const QPageLayout &layout, PagePreviewRequest request, QWidget *parent = nullptr);

    /// The page shown, from 0.
    int page() const { return m_page; }
    /// Shows page \a page (from 0), bounded to the document.
    void showPage(int page);
    /// The image of the page shown.
    QImage pageImage() const { return m_image; }

private:
    PagePreviewRequest m_request;
    QSize m_pixels;
    int m_dotsPerInch;
    int m_page = -1;
    QImage m_image;
    QLabel *m_picture = nullptr;
    QSpinBox *m_number = nullptr;
    QToolButton *m_first = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    QToolButton *m_last = nullptr;
};

} // namespace Kelbrix
