// SSCCs made from an extension digit, a company prefix and a serial reference: check digits
// worked out by hand from the modulus 10 rule, each SSCC read back by the GS1 validator, which
// refuses it with any other check digit; and the requests that make no SSCC, with their messages.
#include "barcode/sscc.h"
#include "gs1/element_string.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestSscc : public QObject {
    Q_OBJECT
private slots:
    void checkDigits_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("sscc");
        // The 17 data digits weighted 3, 1, 3, ... from the left sum to 44, 50, 149, 45 and 218.
        QTest::newRow("extension 3, prefix 5012345, serial filled with zeros")
            << u"3"_s << u"5012345"_s << u"1"_s << u"350123450000000016"_s;
        QTest::newRow("check digit 0") << u"3"_s << u"5012345"_s << u"000000003"_s << u"350123450000000030"_s;
        QTest::newRow("prefix 0614141, serial 123456789")
            << u"3"_s << u"0614141"_s << u"123456789"_s << u"306141411234567891"_s;
        QTest::newRow("prefix of 6 digits, serial 0") << u"0"_s << u"123456"_s << u"0"_s << u"012345600000000005"_s;
        QTest::newRow("prefix of 11 digits, its last serial")
            << u"9"_s << u"95012345678"_s << u"99999"_s << u"995012345678999992"_s;
    }
    void checkDigits()
    {
        QFETCH(QString, extension);
        QFETCH(QString, prefix);
        QFETCH(QString, serial);
        QFETCH(QString, sscc);
        const Sscc made = makeSscc(extension, prefix, serial);
        QCOMPARE(made.error, QString());
        QCOMPARE(made.digits, sscc);

        const Gs1Data read = parseGs1(u"(00)"_s + sscc);
        QVERIFY2(read.isValid(), qPrintable(read.problems.value(0).message));
        QCOMPARE(read.elements.first().value, sscc);
        QString wrong = sscc;
        wrong.back() = QChar(u'0' + (sscc.back().digitValue() + 5) % 10);
        const Gs1Data refused = parseGs1(u"(00)"_s + wrong);
        QCOMPARE(refused.problems.value(0).message,
                 u"(00) "_s + wrong + u": the check digit should be "_s + sscc.back());
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("message");
        const auto prefixOf = [](const QString &prefix) {
            return u"A GS1 company prefix has 6 to 11 digits; \""_s + prefix + u"\" is not one."_s;
        };
        QTest::newRow("no prefix") << u"3"_s << QString() << u"1"_s
                                   << u"An SSCC needs a GS1 company prefix of 6 to 11 digits."_s;
        QTest::newRow("prefix of 5 digits") << u"3"_s << u"50123"_s << u"1"_s << prefixOf(u"50123"_s);
        QTest::newRow("prefix of 12 digits") << u"3"_s << u"501234567890"_s << u"1"_s << prefixOf(u"501234567890"_s);
        QTest::newRow("a letter in the prefix") << u"3"_s << u"50123A5"_s << u"1"_s << prefixOf(u"50123A5"_s);
        QTest::newRow("two extension digits")
            << u"12"_s << u"5012345"_s << u"1"_s << u"The extension digit is one digit, 0 to 9, not \"12\"."_s;
        QTest::newRow("extension a letter")
            << u"x"_s << u"5012345"_s << u"1"_s << u"The extension digit is one digit, 0 to 9, not \"x\"."_s;
        QTest::newRow("no extension") << QString() << u"5012345"_s << u"1"_s
                                      << u"The extension digit is one digit, 0 to 9, not \"\"."_s;
        QTest::newRow("serial one digit too long")
            << u"3"_s << u"5012345"_s << u"1234567890"_s
            << u"Under company prefix 5012345 the serial reference has at most 9 digits; \"1234567890\" has 10."_s;
        QTest::newRow("serial too long for the longest prefix")
            << u"3"_s << u"95012345678"_s << u"100000"_s
            << u"Under company prefix 95012345678 the serial reference has at most 5 digits; \"100000\" has 6."_s;
        QTest::newRow("serial not digits")
            << u"3"_s << u"5012345"_s << u"12-4"_s << u"A serial reference is digits only, not \"12-4\"."_s;
        QTest::newRow("no serial") << u"3"_s << u"5012345"_s << QString()
                                   << u"A serial reference is digits only, not \"\"."_s;
    }
    void refusals()
    {
        QFETCH(QString, extension);
        QFETCH(QString, prefix);
        QFETCH(QString, serial);
        QFETCH(QString, message);
        const Sscc made = makeSscc(extension, prefix, serial);
        QCOMPARE(made.error, message);
        QCOMPARE(made.digits, QString());
    }
};

QTEST_GUILESS_MAIN(TestSscc)
#include "tst_sscc.moc"
