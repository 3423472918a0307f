// "&Make Code" from the press to the finished label, next to libzint alone encoding and
// laying out the same symbol, in the same run. Prints both medians and their ratio.
//
//   QT_QPA_PLATFORM=offscreen ./bench_make_code [presses]
#include "mainwindow/form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <zint.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// libzint alone: encode EAN-13 with its 5-digit add-on and render it to its own bitmap at
// about the label's resolution (3 pixels a module).
double zintOnce()
{
    QElapsedTimer timer;
    timer.start();
    zint_symbol *symbol = ZBarcode_Create();
    symbol->symbology = BARCODE_EANX;
    symbol->scale = 1.5f;
    const char data[] = "400638133393+54321";
    ZBarcode_Encode_and_Buffer(symbol, reinterpret_cast<const unsigned char *>(data), int(sizeof data - 1), 0);
    ZBarcode_Delete(symbol);
    return timer.nsecsElapsed() / 1000.0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int presses = argc > 1 ? std::max(1, atoi(argv[1])) : 1000;

    Kelbrix::Form1 form(Kelbrix::Edition::Alla);
    form.show();
    form.findChild<QRadioButton *>(u"chk5digit"_s)->click();
    form.findChild<QLineEdit *>(u"TxtStreck"_s)->setText(u"400638133393"_s);
    form.findChild<QLineEdit *>(u"txtSup"_s)->setText(u"54321"_s);
    form.findChild<QLineEdit *>(u"txtProduct"_s)->setText(u"Lemon soap 250 g"_s);

    std::vector<double> make, zint;
    make.reserve(size_t(presses));
    zint.reserve(size_t(presses));
    for (int i = 0; i < presses; ++i) {
        QElapsedTimer timer;
        timer.start();
        form.findChild<QPushButton *>(u"Command1"_s)->click();
        make.push_back(timer.nsecsElapsed() / 1000.0);
        zint.push_back(zintOnce());
    }
    const double makeMedian = median(make);
    const double zintMedian = median(zint);
    std::printf("presses: %d\n", presses);
    std::printf("Make Code, press to finished label: median %.1f us\n", makeMedian);
    std::printf("libzint alone, encode and render to a bitmap: median %.1f us\n", zintMedian);
    std::printf("ratio: %.1f\n", makeMedian / zintMedian);
    return 0;
}
