#include "export/tiff_parameters.h"
#include "settings/settings_store.h"

#include <QTest>

#include <limits>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

const QStringList kTiffNames{u"TiffRes"_s,     u"TiffComp"_s,    u"TiffInvert"_s, u"TiffMirror"_s,   u"TiffRotate"_s,
                             u"TiffAdjustW"_s, u"TiffAdjustH"_s, u"Use256"_s,     u"ISBNtiffFont"_s, u"TiffVerify"_s};

SettingsStore storeWith(const QStringList &texts)
{
    SettingsStore store(Edition::Alla);
    for (int i = 0; i < texts.size(); ++i)
        store.setValue(kTiffNames[i], texts[i]);
    return store;
}

QStringList textsOf(const SettingsStore &store)
{
    QStringList texts;
    for (const QString &name : kTiffNames)
        texts.append(store.value(name));
    return texts;
}

} // namespace

Q_DECLARE_METATYPE(TiffParameters)
Q_DECLARE_METATYPE(KeyDecision)

class TestTiffParameters : public QObject {
    Q_OBJECT
private slots:
    void storedTexts()
    {
        const QStringList texts{u"Printer"_s, u"Huff"_s, u"No"_s,  u"No"_s,   u"No"_s,
                                u"No"_s,      u"No"_s,   u"Ask"_s, QString(), u"Y"_s};
        SettingsStore store(Edition::Alla);
        TiffParameters{}.toSettings(store);
        QCOMPARE(textsOf(store), texts);
        SettingsStore again = storeWith(texts);
        QCOMPARE(TiffParameters::fromSettings(again), TiffParameters{});
    }

    void readBack_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<TiffParameters>("parameters");
        QTest::addColumn<QString>("use256Stored");
        const TiffParameters defaults;
        QTest::newRow("empty") << QStringList(10, QString()) << defaults << u"Ask"_s;
        QTest::newRow("garbage") << QStringList(10, u"zz\u00e9\u20ac"_s) << [] {
            TiffParameters p;
            p.isbnTiffFont = u"zz\u00e9\u20ac"_s;
            return p;
        }() << u"zz\u00e9\u20ac"_s;
        QTest::newRow("TiffComp missing") << QStringList{u"Printer"_s, QString(), u"Inv"_s} << [] {
            TiffParameters p;
            p.invert = true;
            return p;
        }() << u"Ask"_s;
        QTest::newRow("verify off") << QStringList{u"Printer"_s, u"G4"_s, u"No"_s,  u"No"_s,   u"No"_s,
                                                   u"No"_s,      u"No"_s, u"Ask"_s, QString(), u"N"_s}
                                    <<
            [] {
                TiffParameters p;
                p.compression = TiffCompression::Group4;
                p.verify = false;
                return p;
            }() << u"Ask"_s;
        QTest::newRow("resolution above 4800") << QStringList{u"9999"_s} << [] {
            TiffParameters p;
            p.printerResolution = false;
            p.userResolution = u"4800"_s;
            return p;
        }() << u"Ask"_s;
    }
    void readBack()
    {
        QFETCH(QStringList, texts);
        QFETCH(TiffParameters, parameters);
        QFETCH(QString, use256Stored);
        SettingsStore store = storeWith(texts);
        QCOMPARE(TiffParameters::fromSettings(store), parameters);
        QCOMPARE(store.value(u"Use256"_s), use256Stored);
    }

    void keyRule_data()
    {
        QTest::addColumn<QChar>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("allSelected");
        QTest::addColumn<int>("maxChars");
        QTest::addColumn<KeyDecision>("decision");
        QTest::newRow("fifth digit") << QChar(u'7') << u"3000"_s << false << 4 << KeyDecision::Drop;
        QTest::newRow("fourth copy digit") << QChar(u'7') << u"100"_s << false << 3 << KeyDecision::Drop;
        QTest::newRow("full but selected") << QChar(u'6') << u"3000"_s << true << 4 << KeyDecision::ClearThenInsert;
    }
    void keyRule()
    {
        QFETCH(QChar, key);
        QFETCH(QString, text);
        QFETCH(bool, allSelected);
        QFETCH(int, maxChars);
        QFETCH(KeyDecision, decision);
        QCOMPARE(filterEntryKey(key, text, allSelected, maxChars), decision);
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("tooHigh");
        QTest::newRow("4800.5") << u"4800.5"_s << 4800.5 << true;
        QTest::newRow("many digits") << QString(400, u'9') << std::numeric_limits<double>::infinity() << true;
    }
    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(bool, tooHigh);
        QCOMPARE(leadingNumber(text), value);
        QCOMPARE(resolutionTooHigh(text), tooHigh);
    }
};

QTEST_GUILESS_MAIN(TestTiffParameters)
#include "tst_tiff_parameters.moc"
