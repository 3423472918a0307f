// "&Make Code" from the user's side: every TypeCode typed into the main window, the label
// picture decoded with zbar, the product line and the ISBN header found on the image, the
// digits hidden and shown, and refused data.
#include "form1_driver.h"
#include "recording_prompt.h"
#include "zbar_decode.h"

#include "render/label_composer.h"
#include "render/label_picture.h"

#include <QAction>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using Kelbrix::Test::clickOption;
using Kelbrix::Test::pasteInto;
using Kelbrix::Test::typeInto;

namespace {

// Rows of the image that hold any dark pixel, as a fraction of the image's height.
int darkRows(const QImage &image, int fromRow, int toRow)
{
    int rows = 0;
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    for (int y = std::max(0, fromRow); y < std::min(toRow, grey.height()); ++y) {
        const uchar *line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            if (line[x] < 128) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

// Horizontal extent (first and last dark column) of the dark pixels in a band of rows.
std::pair<int, int> darkColumns(const QImage &image, int fromRow, int toRow)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    int first = grey.width(), last = -1;
    for (int y = std::max(0, fromRow); y < std::min(toRow, grey.height()); ++y) {
        const uchar *line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            if (line[x] < 128) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {first, last};
}

int pixelsOfTwips(const QImage &image, double twips)
{
    return int(twips * image.dotsPerMeterY() * 0.0254 / 1440.0 + 0.5);
}

} // namespace

class TestForm1MakeCode : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyTypeCodeDecodes_data();
    void everyTypeCodeDecodes();
    void pastedWrongCheckDigitIsReplaced();
    void shortEntrySetsOptionsButComposesNothing();
    void code39LabelWidth();
    void emptyEntryAndProductChangeNothing();
    void productLine_data();
    void productLine();
    void isbnHeaderIsCentredAtTheTop();
    void removeBarcodeDigits();
    void refusedDataLeavesWindowUsable();
    void upcAToERefusesWhatCannotBeSuppressed();
    void useDefined_data();
    void useDefined();

private:
    void make(const QString &type, const QString &supplement, const QString &entry, const QString &digits,
              const QString &product = QString());
    Form1 *m_form = nullptr;
    Test::RecordingPrompt *m_prompt = nullptr;
};

void TestForm1MakeCode::init()
{
    Test::resetSettings();
    m_prompt = new Test::RecordingPrompt;
    m_form = new Form1(Edition::Alla);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestForm1MakeCode::cleanup()
{
    delete m_form;
    delete m_prompt;
}

void TestForm1MakeCode::make(const QString &type, const QString &supplement, const QString &entry,
                             const QString &digits, const QString &product)
{
    clickOption(*m_form, type);
    clickOption(*m_form, supplement);
    typeInto(m_form->TxtStreck, entry);
    typeInto(m_form->txtSup, digits);
    typeInto(m_form->txtProduct, product);
    QVERIFY(m_form->Command1->isEnabled());
    m_form->Command1->click();
}

void TestForm1MakeCode::everyTypeCodeDecodes_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("supplement");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("typeCode");
    QTest::addColumn<QStringList>("decoded");
    const QList<std::tuple<QString, QString, QString, QString, QString, QStringList>> rows{
        {u"optEAN13"_s, u"optNosup"_s, u"400638133393"_s, QString(), u"E130"_s, {u"4006381333931"_s}},
        {u"optEAN13"_s, u"chk2digit"_s, u"400638133393"_s, u"12"_s, u"E132"_s, {u"4006381333931"_s, u"12"_s}},
        {u"optEAN13"_s, u"chk5digit"_s, u"978157169006"_s, u"54321"_s, u"E135"_s, {u"9781571690067"_s, u"54321"_s}},
        {u"optEAN8"_s, u"optNosup"_s, u"9638507"_s, QString(), u"E80 "_s, {u"96385074"_s}},
        {u"optEAN8"_s, u"chk2digit"_s, u"9638507"_s, u"05"_s, u"E82 "_s, {u"96385074"_s, u"05"_s}},
        {u"optEAN8"_s, u"chk5digit"_s, u"9638507"_s, u"90000"_s, u"E85 "_s, {u"96385074"_s, u"90000"_s}},
        {u"optUPCA"_s, u"optNosup"_s, u"03600029145"_s, QString(), u"UPA0"_s, {u"036000291452"_s}},
        {u"optUPCA"_s, u"chk2digit"_s, u"03600029145"_s, u"12"_s, u"UPA2"_s, {u"036000291452"_s, u"12"_s}},
        {u"optUPCA"_s, u"chk5digit"_s, u"03600029145"_s, u"52495"_s, u"UPA5"_s, {u"036000291452"_s, u"52495"_s}},
        {u"optUPCE"_s, u"optNosup"_s, u"0123456"_s, QString(), u"UPE0"_s, {u"01234565"_s}},
        {u"optUPCE"_s, u"chk2digit"_s, u"0123456"_s, u"12"_s, u"UPE2"_s, {u"01234565"_s, u"12"_s}},
        {u"optUPCE"_s, u"chk5digit"_s, u"0123456"_s, u"12345"_s, u"UPE5"_s, {u"01234565"_s, u"12345"_s}},
        {u"optUpcEP"_s, u"optNosup"_s, u"01200000345"_s, QString(), u"UPP0"_s, {u"01234505"_s}},
        {u"optUpcEP"_s, u"chk2digit"_s, u"01200000345"_s, u"07"_s, u"UPP2"_s, {u"01234505"_s, u"07"_s}},
        {u"optUpcEP"_s, u"chk5digit"_s, u"01200000345"_s, u"00995"_s, u"UPP5"_s, {u"01234505"_s, u"00995"_s}},
        {u"optISBN"_s, u"optNosup"_s, u"1-57169-006-9"_s, QString(), u"ISB0"_s, {u"9781571690067"_s}},
        {u"optISBN"_s, u"chk5digit"_s, u"0-306-40615-2"_s, u"51295"_s, u"ISB5"_s, {u"9780306406157"_s, u"51295"_s}},
        {u"optSCC14"_s, u"optNosup"_s, u"1540014128876"_s, QString(), u"SC14"_s, {u"15400141288763"_s}},
        {u"optCode39"_s, u"optNosup"_s, u"KELBRIX-39"_s, QString(), u"Co39"_s, {u"KELBRIX-39"_s}},
    };
    for (const auto &[type, supplement, entry, digits, code, decoded] : rows)
        QTest::addRow("%s", qPrintable(code)) << type << supplement << entry << digits << code << decoded;
}

void TestForm1MakeCode::everyTypeCodeDecodes()
{
    QFETCH(QString, type);
    QFETCH(QString, supplement);
    QFETCH(QString, entry);
    QFETCH(QString, digits);
    QFETCH(QString, typeCode);
    QFETCH(QStringList, decoded);
    make(type, supplement, entry, digits, u"Soap"_s);
    QCOMPARE(m_form->TypeCode, typeCode);
    QVERIFY(m_prompt->asked.isEmpty());
    const QImage label = m_form->picTST->image();
    if (qEnvironmentVariableIsSet("KELBRIX_DUMP"))
        label.save(u"/tmp/label_"_s + typeCode.trimmed() + u".png"_s);
    QStringList found;
    for (const Test::DecodedSymbol &s : Test::decodeSymbols(label))
        found.append(s.data);
    // zbar reports an add-on joined to its symbol or on its own; both read the same digits.
    QCOMPARE(found.join(QString()), decoded.join(QString()));
    QVERIFY(m_form->cmdToRTF1->isEnabled());
    QVERIFY(m_form->mnuAs->isEnabled());
    QCOMPARE(m_form->barcodeMade, 1);
    // The clipboard holds the bare symbol, which decodes too.
    QCOMPARE(Test::decodedText(QGuiApplication::clipboard()->image()).remove(u'|'), decoded.join(QString()));
}

void TestForm1MakeCode::pastedWrongCheckDigitIsReplaced()
{
    pasteInto(m_form->TxtStreck, u"4006381333930"_s);
    m_form->Command1->click();
    QCOMPARE(Test::decodedText(m_form->picTST->image()), u"4006381333931"_s);
    QCOMPARE(m_form->Barcode1.data(), u"4006381333931"_s);
}

void TestForm1MakeCode::shortEntrySetsOptionsButComposesNothing()
{
    const QImage before = m_form->picTST->image();
    clickOption(*m_form, u"optEAN8"_s);
    typeInto(m_form->TxtStreck, u"40063813339"_s);
    m_form->TypeCode = u"E135"_s; // as a list record of that type would set it
    m_form->UpdateBarcodeView();
    QVERIFY(m_form->optEAN13->isChecked());
    QVERIFY(m_form->chk5digit->isChecked());
    QCOMPARE(m_form->picTST->widthTwips(), 2655.0);
    QCOMPARE(m_form->Barcode1.widthTwips(), 2655.0);
    QCOMPARE(m_form->picTST->image(), before);
}

void TestForm1MakeCode::code39LabelWidth()
{
    make(u"optCode39"_s, u"optNosup"_s, u"ABCDEFGHIJ"_s, QString());
    QCOMPARE(m_form->picTST->widthTwips(), 3300.0);
    QCOMPARE(m_form->Barcode1.widthTwips(), 3300.0);
    QCOMPARE(Test::decodedText(m_form->picTST->image()), u"ABCDEFGHIJ"_s);
}

void TestForm1MakeCode::emptyEntryAndProductChangeNothing()
{
    make(u"optEAN13"_s, u"optNosup"_s, u"400638133393"_s, QString());
    const QImage label = m_form->picTST->image();
    clickOption(*m_form, u"optCode39"_s);
    m_form->Command2->click();
    QVERIFY(m_form->Command1->isEnabled()); // Code 39 takes any length
    m_form->Command1->click();
    QCOMPARE(m_form->picTST->image(), label);
    QCOMPARE(m_form->picTST->widthTwips(), 1815.0);
}

void TestForm1MakeCode::productLine_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<bool>("text");
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("lineDrawn");
    QTest::newRow("25 characters") << u"iiiiiiiiiiiiiiiiiiiiWWWWW"_s << true << 1190.0 << true;
    QTest::newRow("one character") << u"W"_s << true << 1190.0 << true;
    QTest::newRow("Blank never prints") << u"Soap"_s << false << 1000.0 << false;
    QTest::newRow("no product") << QString() << true << 1000.0 << false;
}

void TestForm1MakeCode::productLine()
{
    QFETCH(QString, product);
    QFETCH(bool, text);
    QFETCH(double, height);
    QFETCH(bool, lineDrawn);
    (text ? m_form->Option1 : m_form->Option2)->click();
    make(u"optEAN13"_s, u"optNosup"_s, u"400638133393"_s, QString(), product);
    QCOMPARE(m_form->picTST->heightTwips(), height);
    const QImage label = m_form->picTST->image();
    const int lineTop = pixelsOfTwips(label, 950);
    QCOMPARE(darkRows(label, lineTop + 2, label.height()) > 0, lineDrawn);
    QCOMPARE(Test::decodedText(label), u"4006381333931"_s);
    if (product.size() > 20) {
        // Only the first 20 characters print: the label is the one of those 20.
        m_form->txtProduct->setText(product.left(20));
        m_form->Command1->click();
        QCOMPARE(m_form->picTST->image(), label);
        m_form->txtProduct->setText(product.left(19));
        m_form->Command1->click();
        QVERIFY(m_form->picTST->image() != label);
    }
    QCOMPARE(Kelbrix::productLine(product).size(), 20);
}

void TestForm1MakeCode::isbnHeaderIsCentredAtTheTop()
{
    make(u"optISBN"_s, u"optNosup"_s, u"1-57169-006-9"_s, QString(), u"Book"_s);
    const QImage label = m_form->picTST->image();
    QCOMPARE(Test::decodedText(label), u"9781571690067"_s);
    QCOMPARE(m_form->isbnHandOver.header, u"ISBN 1-57169-006-9"_s);
    // The header: dark pixels in the top rows, centred on the label's width.
    const int headerBottom = pixelsOfTwips(label, 180);
    QVERIFY(darkRows(label, 0, headerBottom) > 3);
    const auto [first, last] = darkColumns(label, 0, headerBottom);
    const double centre = (first + last) / 2.0;
    QVERIFY2(std::abs(centre - label.width() / 2.0) < label.width() * 0.05,
             qPrintable(u"header centre %1 of %2"_s.arg(centre).arg(label.width())));
    QVERIFY(m_form->IsbnCenterX > 0);
    QCOMPARE(m_form->Barcode1.headerSpace(), BarcodeRenderer::kIsbnHeaderSpace);
}

void TestForm1MakeCode::removeBarcodeDigits()
{
    make(u"optEAN13"_s, u"optNosup"_s, u"400638133393"_s, QString());
    const QImage withDigits = m_form->picTST->image();
    m_form->mnuRBDY->trigger();
    QVERIFY(m_form->mnuRBDY->isChecked());
    QVERIFY(!m_form->mnuRBDN->isChecked());
    QCOMPARE(m_form->picTST->image(), withDigits); // shown at the next update
    m_form->Command1->click();
    const QImage withoutDigits = m_form->picTST->image();
    QCOMPARE(Test::decodedText(withoutDigits), u"4006381333931"_s);
    // Without digits the bars reach further down, and the band of the digits has no
    // separate text below the shortest bars.
    QCOMPARE(m_form->Barcode1.geometry().texts.size(), 0);
    QVERIFY(withoutDigits != withDigits);
    m_form->mnuRBDN->trigger();
    m_form->Command1->click();
    QCOMPARE(m_form->picTST->image(), withDigits);
}

void TestForm1MakeCode::refusedDataLeavesWindowUsable()
{
    make(u"optUPCE"_s, u"optNosup"_s, u"0123456"_s, QString());
    const QImage good = m_form->picTST->image();
    m_form->TxtStreck->clear();
    typeInto(m_form->TxtStreck, u"2123456"_s); // number system 2 has no UPC-E
    m_form->Command1->click();
    QVERIFY(m_prompt->asked.isEmpty()); // 380 shows no box
    QVERIFY(m_form->statusText().startsWith(u"The barcode was not made"_s));
    QCOMPARE(m_form->picTST->image(), good);
    QVERIFY(m_form->Command1->isEnabled());
    m_form->TxtStreck->clear();
    typeInto(m_form->TxtStreck, u"0654321"_s);
    m_form->Command1->click();
    QCOMPARE(Test::decodedText(m_form->picTST->image()), m_form->Barcode1.data());
}

void TestForm1MakeCode::upcAToERefusesWhatCannotBeSuppressed()
{
    make(u"optUpcEP"_s, u"optNosup"_s, u"03600029145"_s, QString());
    QCOMPARE(m_prompt->asked.size(), 1);
    QVERIFY(m_prompt->asked[0].text.contains(u"03600029145"_s));
    QVERIFY(m_prompt->asked[0].text.contains(u"can not be shown as UPC E"_s));
    QVERIFY(Test::decodedText(m_form->picTST->image()).isEmpty());
}

void TestForm1MakeCode::useDefined_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("used");
    QTest::newRow("no defined size") << 0.0 << 0.0 << false;
    QTest::newRow("a defined size") << 3000.0 << 1500.0 << true;
}

void TestForm1MakeCode::useDefined()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(bool, used);
    m_form->DefinedWidth = width;
    m_form->DefinedHeight = height;
    make(u"optEAN13"_s, u"chk2digit"_s, u"400638133393"_s, u"12"_s, u"Soap"_s);
    m_form->chkDefined->click();
    QCOMPARE(m_form->chkDefined->isChecked(), used);
    QCOMPARE(m_form->chkDefined->isEnabled(), used);
    QCOMPARE(Test::decodedText(m_form->picTST->image()).remove(u'|'), u"400638133393112"_s);
    if (used) {
        // The defined-size label: the symbol at the defined size, the product line below it.
        QCOMPARE(m_form->picTST1->widthTwips(), width);
        QCOMPARE(m_form->picTST1->heightTwips(), height + 170);
        QCOMPARE(Test::decodedText(m_form->picTST1->image()).remove(u'|'), u"400638133393112"_s);
    }
}

QTEST_MAIN(TestForm1MakeCode)
#include "tst_form1_make_code.moc"
