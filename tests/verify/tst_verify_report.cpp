// The end text of a verified export: how many files were checked and which did not scan.
#include "verify/verify_report.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

using Kind = LabelVerdict::Kind;

LabelVerdict verdict(Kind kind, const QString &text)
{
    return {kind, text, {}, {}};
}

const LabelVerdict kScans = verdict(Kind::Scans, u"\u2713 Scans as EAN-13 5012345678900"_s);
const LabelVerdict kBlank = verdict(Kind::Unreadable, u"\u26A0 Does not scan"_s);
const LabelVerdict kOther =
    verdict(Kind::Mismatch, u"\u26A0 Reads as EAN-13 5012345678900 instead of EAN-13 501234567891"_s);
const LabelVerdict kNotChecked = verdict(Kind::NotChecked, u"Not checked"_s);

} // namespace

class TestVerifyReport : public QObject {
    Q_OBJECT
private slots:
    void summary_data()
    {
        QTest::addColumn<QList<LabelVerdict>>("verdicts");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("checked");
        QTest::newRow("nothing") << QList<LabelVerdict>{} << u"No files checked."_s << 0;
        QTest::newRow("one that scans") << QList<LabelVerdict>{kScans} << u"1 file checked: it scans."_s << 1;
        QTest::newRow("all scan") << QList<LabelVerdict>{kScans, kScans, kScans} << u"3 files checked: all scan."_s
                                  << 3;
        QTest::newRow("two fail") << QList<LabelVerdict>{kScans, kBlank, kScans, kOther}
                                  << u"4 files checked, 2 did not scan:\n"
                                     u"Soap_2.tif: Does not scan\n"
                                     u"Soap_4.tif: Reads as EAN-13 5012345678900 instead of EAN-13 501234567891"_s
                                  << 4;
        QTest::newRow("some not checked")
            << QList<LabelVerdict>{kNotChecked, kScans, kNotChecked}
            << u"1 file checked: it scans.\n2 files not checked: the reader cannot read their type."_s << 1;
        QTest::newRow("none checkable") << QList<LabelVerdict>{kNotChecked}
                                        << u"No files checked.\n1 file not checked: the reader cannot read its type."_s
                                        << 0;
    }
    void summary()
    {
        QFETCH(QList<LabelVerdict>, verdicts);
        QFETCH(QString, text);
        QFETCH(int, checked);
        VerifyReport report;
        for (int i = 0; i < verdicts.size(); ++i)
            report.add(u"Soap_%1.tif"_s.arg(i + 1), verdicts[i]);
        QCOMPARE(report.summary(), text);
        QCOMPARE(report.checked(), checked);
        QCOMPARE(report.allScan(), !text.contains(u"did not scan"_s));
    }
};

QTEST_GUILESS_MAIN(TestVerifyReport)
#include "tst_verify_report.moc"
