// Reading labels back: the verdict for every barcode type, damaged and inverted labels.
#include "verify/label_verdict.h"
#include "verify/verify_report.h"

#include "barcode/check_characters.h"
#include "barcode/type_catalogue.h"
#include "render/barcode_renderer.h"
#include "zbar_decode.h"

#include <QHash>
#include <QMap>
#include <QPainter>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

using Kind = LabelVerdict::Kind;

// The symbol of \a typeCode as the renderer draws it at 300 dpi, from the digits as typed.
QImage label(const QString &typeCode, const QString &digits, const QString &supplement)
{
    const TypeInfo *type = findType(typeCode);
    BarcodeRenderer renderer;
    const QString data = isIsbnCode(typeCode) ? isbnToEanData(digits) : digits;
    if (!type || !renderer.setSymbology(type->rendererSymbology) || !renderer.setData(data) ||
        !renderer.setSupplement(supplement))
        return {};
    renderer.setWidthTwips(renderer.geometry().width * 16);
    return renderer.image((QSizeF(renderer.widthTwips(), 900) * 300 / 1440).toSize());
}

const QString kEan13 = u"501234567890"_s;

} // namespace

class TestLabelVerdict : public QObject {
    Q_OBJECT
private slots:
    // A label of every type read back as itself, then labels read back as something else than
    // what was asked for.
    void readBack_data()
    {
        QTest::addColumn<QStringList>("drawn"); // type, digits and add-on of the label
        QTest::addColumn<QStringList>("asked"); // the same, expected; empty: as drawn
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("wanted"); // empty when the label scans
        const QString code39 = withCode39CheckCharacter(u"KEL-39 $"_s);
        const QHash<QString, QStringList> samples{
            {u"E130"_s, {kEan13, {}, u"EAN-13 5012345678900"_s}},
            {u"E132"_s, {kEan13, u"12"_s, u"EAN-13 5012345678900 + 12"_s}},
            {u"E135"_s, {kEan13, u"12345"_s, u"EAN-13 5012345678900 + 12345"_s}},
            {u"E80 "_s, {u"9638507"_s, {}, u"EAN-8 96385074"_s}},
            {u"E82 "_s, {u"9638507"_s, u"07"_s, u"EAN-8 96385074 + 07"_s}},
            {u"E85 "_s, {u"9638507"_s, u"00295"_s, u"EAN-8 96385074 + 00295"_s}},
            {u"UPA0"_s, {u"03600029145"_s, {}, u"UPC-A 036000291452"_s}},
            {u"UPA2"_s, {u"72527273070"_s, u"31"_s, u"UPC-A 725272730706 + 31"_s}},
            {u"UPA5"_s, {u"03600029145"_s, u"51295"_s, u"UPC-A 036000291452 + 51295"_s}},
            {u"UPE0"_s, {u"1123456"_s, {}, u"UPC-E 11234562"_s}},
            {u"UPE2"_s, {u"0425261"_s, u"99"_s, u"UPC-E 04252614 + 99"_s}},
            {u"UPE5"_s, {u"1425261"_s, u"12345"_s, u"UPC-E 14252611 + 12345"_s}},
            {u"UPP0"_s, {u"01234500007"_s, {}, u"UPC-E 01234572"_s}},
            {u"UPP2"_s, {u"19820000123"_s, u"12"_s, u"UPC-E 19812328 + 12"_s}},
            {u"UPP5"_s, {u"01234500007"_s, u"12345"_s, u"UPC-E 01234572 + 12345"_s}},
            {u"ISB0"_s, {u"0-306-40615-2"_s, {}, u"EAN-13 9780306406157"_s}},
            {u"ISB5"_s, {u"1-57169-006-9"_s, u"51295"_s, u"EAN-13 9781571690067 + 51295"_s}},
            {u"SC14"_s, {u"3001234567890"_s, {}, u"ITF-14 30012345678906"_s}},
            {u"Co39"_s, {code39, {}, u"Code 39 "_s + code39}},
        };
        // Every row of the catalogue; a type without a sample fails for want of a label.
        for (const TypeInfo &type : allTypes()) {
            const QStringList sample = samples.value(type.code, {{}, {}, {}});
            QTest::newRow(qPrintable(type.code))
                << QStringList{type.code, sample[0], sample[1]} << QStringList() << sample[2] << QString();
        }
        const QStringList ean135{u"E135"_s, kEan13, u"12345"_s};
        const QString ean = u"EAN-13 5012345678900 + 12345"_s;
        QTest::newRow("other digits") << ean135 << QStringList{u"E135"_s, u"501234567891"_s, u"12345"_s} << ean
                                      << u"EAN-13 501234567891 + 12345"_s;
        QTest::newRow("other add-on") << ean135 << QStringList{u"E135"_s, kEan13, u"54321"_s} << ean
                                      << u"EAN-13 501234567890 + 54321"_s;
        QTest::newRow("other type") << ean135 << QStringList{u"UPA5"_s, u"50123456789"_s, u"12345"_s} << ean
                                    << u"UPC-A 50123456789 + 12345"_s;
        QTest::newRow("other ITF-14") << QStringList{u"SC14"_s, u"3001234567890"_s, {}}
                                      << QStringList{u"SC14"_s, u"3001234567891"_s, {}} << u"ITF-14 30012345678906"_s
                                      << u"ITF-14 3001234567891"_s;
        QTest::newRow("UPC-E, number system 1")
            << QStringList{u"UPE0"_s, u"1123456"_s, {}} << QStringList{u"UPE0"_s, u"1123457"_s, {}}
            << u"UPC-E 11234562"_s << u"UPC-E 1123457"_s;
    }
    void readBack()
    {
        QFETCH(QStringList, drawn);
        QFETCH(QStringList, asked);
        QFETCH(QString, read);
        QFETCH(QString, wanted);
        if (asked.isEmpty())
            asked = drawn;
        const QImage image = label(drawn[0], drawn[1], drawn[2]);
        QVERIFY(!image.isNull());
        const LabelVerdict verdict = verifyLabel(image, asked[0], asked[1], asked[2]);
        QCOMPARE(verdict.kind, wanted.isEmpty() ? Kind::Scans : Kind::Mismatch);
        QCOMPARE(verdict.text, wanted.isEmpty() ? u"\u2713 Scans as "_s + read
                                                : u"\u26A0 Reads as "_s + read + u" instead of "_s + wanted);
        QCOMPARE(verdict.read, read);
        QVERIFY(!verdict.hint.isEmpty());
    }

    void barPaintedOverWarns()
    {
        QImage image = label(u"E130"_s, kEan13, {});
        QVERIFY(verifyLabel(image, u"E130"_s, kEan13, {}).scans());
        QPainter(&image).fillRect(QRectF(image.width() * 0.4, 0, image.width() * 0.08, image.height()), Qt::black);
        const LabelVerdict verdict = verifyLabel(image, u"E130"_s, kEan13, {});
        QCOMPARE(verdict.kind, Kind::Unreadable);
        QCOMPARE(verdict.text, u"\u26A0 Does not scan"_s);
    }

    void invertedScansAndSaysSo()
    {
        QImage image = label(u"E135"_s, kEan13, u"12345"_s);
        image.invertPixels();
        QCOMPARE(Test::decodedText(image), QString()); // not as dark bars on light
        const LabelVerdict verdict = verifyLabel(image, u"E135"_s, kEan13, u"12345"_s);
        QCOMPARE(verdict.kind, Kind::Scans);
        QCOMPARE(verdict.text, u"\u2713 Scans as EAN-13 5012345678900 + 12345 (inverted)"_s);
        QVERIFY(verdict.hint.contains(u"light bars on a dark ground"_s));
    }

    void digitsAsDrawnAreAccepted()
    {
        const QImage image = label(u"UPP0"_s, u"01234500007"_s, {});
        QVERIFY(verifyLabel(image, u"UPP0"_s, u"012345000072"_s, {}).scans()); // UPC-A with check digit
        QVERIFY(verifyLabel(image, u"UPE0"_s, u"01234572"_s, {}).scans());     // UPC-E as drawn
    }

    // The summary of an export's verdicts, one file after another.
    void exportReport()
    {
        const QImage good = label(u"E130"_s, kEan13, {});
        QImage blank(200, 100, QImage::Format_RGB32);
        blank.fill(Qt::white);
        const QMap<Kind, LabelVerdict> verdicts{
            {Kind::Scans, verifyLabel(good, u"E130"_s, kEan13, {})},
            {Kind::NotChecked, verifyLabel(good, u"XXXX"_s, kEan13, {})},
            {Kind::Unreadable, verifyLabel(blank, u"E130"_s, kEan13, {})},
            {Kind::Mismatch, verifyLabel(good, u"E130"_s, u"501234567891"_s, {})},
        };
        for (const auto &[kinds, text] :
             {std::pair(QList<Kind>{}, u"No files checked."_s),
              std::pair(QList<Kind>{Kind::Scans, Kind::Scans}, u"2 files checked: all scan."_s),
              std::pair(QList<Kind>{Kind::Scans, Kind::NotChecked, Kind::Unreadable, Kind::Mismatch},
                        u"3 files checked, 2 did not scan:\nSoap_3.tif: Does not scan\nSoap_4.tif: Reads as EAN-13 "
                        u"5012345678900 instead of EAN-13 501234567891\n1 file not checked: the reader cannot read "
                        u"its type."_s)}) {
            VerifyReport report;
            for (int i = 0; i < kinds.size(); ++i) {
                QCOMPARE(verdicts[kinds[i]].kind, kinds[i]);
                report.add(u"Soap_%1.tif"_s.arg(i + 1), verdicts[kinds[i]]);
            }
            QCOMPARE(report.summary(), text);
            QCOMPARE(report.allScan(), !text.contains(u"did not scan"_s));
        }
    }
};

QTEST_MAIN(TestLabelVerdict)
#include "tst_label_verdict.moc"
