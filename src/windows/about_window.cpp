#include "windows/about_window.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

AboutWindow::AboutWindow(const QString &windowTitle, QWidget *parent) : QDialog(parent)
{
    setObjectName(u"frmAbout"_s);
    setWindowTitle(QCoreApplication::translate("Form1", "About %1").arg(windowTitle));
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(this);
    text->setObjectName(u"lblAbout"_s);
    text->setTextFormat(Qt::RichText);
    text->setText(QCoreApplication::translate(
                      "AboutWindow",
                      "<h2>%1</h2><p>Version %2</p>"
                      "<p>Makes EAN-13, EAN-8, UPC-A, UPC-E, ISBN, SCC-14 and Code 39 barcodes with 2- and 5-digit "
                      "supplements, and the labels, lists, bitmaps and TIFF files that carry them.</p>"
                      "<p>Bars are drawn by libzint; TIFF files are written by libtiff.</p>")
                      .arg(windowTitle.toHtmlEscaped(), QString::fromLatin1(KELBRIX_VERSION)));
    text->setWordWrap(true);
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace Kelbrix
