#include "settings/settings_store.h"
#include "size/bar_size_settings.h"
#include "size/preview_samples.h"

#include <QLocale>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

using Unit = BarSizeSettings::Unit;
using Dpi = BarSizeSettings::Dpi;

namespace {

BarSizeSettings sized(Unit unit, const QString &width, const QString &height, Dpi dpi = Dpi::Dpi72,
                      const QString &userDpi = {})
{
    BarSizeSettings settings;
    settings.unit = unit;
    settings.widthText = width;
    settings.heightText = height;
    settings.dpi = dpi;
    settings.userDpiText = userDpi;
    return settings;
}

const QStringList kSizeNames{u"Bar Matt"_s,   u"Bar Width"_s, u"Bar Height"_s, u"DPI"_s,      u"Bar Def"_s,
                             u"FontName"_s,   u"FontBold"_s,  u"FontItalic"_s, u"FontSize"_s, u"PicTXTColor"_s,
                             u"Bar1xColor"_s, u"Pixel"_s,     u"Aspect"_s,     u"Font"_s,     u"BarAlign"_s};

QStringList savedValues(const BarSizeSettings &settings)
{
    SettingsStore store(Edition::Alla);
    settings.save(store);
    QStringList values;
    for (const QString &name : kSizeNames)
        values.append(name + u"="_s + store.value(name));
    return values;
}

// The settings loaded from a store holding \a values ("name=value").
BarSizeSettings loaded(const QStringList &values)
{
    SettingsStore store(Edition::Alla);
    for (const QString &value : values)
        store.setValue(value.section(u'=', 0, 0), value.section(u'=', 1));
    BarSizeSettings settings;
    settings.load(store);
    return settings;
}

} // namespace

class TestBarSizeSettings : public QObject {
    Q_OBJECT
private slots:
    void sizeText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("clampedMm");
        QTest::addColumn<QString>("clampedInch");
        QTest::newRow("at the maximum") << u"102"_s << 102.0 << u"102"_s << u"4"_s;
        QTest::newRow("above mm") << u"103"_s << 103.0 << u"102"_s << u"4"_s;
        QTest::newRow("comma") << u"1,5"_s << 1.5 << u"1,5"_s << u"1,5"_s;
        QTest::newRow("letters") << u"abc"_s << 0.0 << u"abc"_s << u"abc"_s;
        QTest::newRow("negative") << u"-5"_s << 0.0 << u"-5"_s << u"-5"_s;
        QTest::newRow("too large for a double") << u"1e309"_s << qInf() << u"102"_s << u"4"_s;
        QTest::newRow("20 digits") << u"12345678901234567890"_s << 12345678901234567890.0 << u"102"_s << u"4"_s;
    }
    void sizeText()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(QString, clampedMm);
        QFETCH(QString, clampedInch);
        QCOMPARE(BarSizeSettings::sizeValue(text), value);
        QCOMPARE(BarSizeSettings::clampedText(text, Unit::Millimetre), clampedMm);
        QCOMPARE(BarSizeSettings::clampedText(text, Unit::Inch), clampedInch);
        for (Unit unit : {Unit::Millimetre, Unit::Inch}) {
            const BarSizeSettings settings = sized(unit, text, text);
            QVERIFY(std::isfinite(settings.widthTwips()));
            QVERIFY(settings.widthTwips() >= 0 && settings.widthTwips() <= 102 * 56.7);
            QCOMPARE(settings.hasSize(), value > 0);
        }
    }

    void twips_data()
    {
        QTest::addColumn<BarSizeSettings>("settings");
        QTest::addColumn<QList<double>>("expected"); // width, height and preview height in twips, dpi
        QTest::newRow("40 mm at 72 dpi") << sized(Unit::Millimetre, u"48"_s, u"40"_s)
                                         << QList<double>{2721.6, 2268.0, 1701.0, 72.0};
        QTest::newRow("40 mm at 96 dpi") << sized(Unit::Millimetre, u"48"_s, u"40"_s, Dpi::Dpi96)
                                         << QList<double>{2721.6, 2268.0, 2268.0, 96.0};
        QTest::newRow("user above 300") << sized(Unit::Millimetre, u"48"_s, u"40"_s, Dpi::User, u"600"_s)
                                        << QList<double>{2721.6, 2268.0, 2268.0 * 300 / 96, 300.0};
        QTest::newRow("one inch") << sized(Unit::Inch, u"1"_s, u"0.5"_s, Dpi::Dpi96)
                                  << QList<double>{1440.18, 720.09, 720.09, 96.0};
    }
    void twips()
    {
        QFETCH(BarSizeSettings, settings);
        QFETCH(QList<double>, expected);
        const double actual[] = {settings.widthTwips(), settings.heightTwips(), settings.previewHeightTwips(),
                                 settings.dotsPerInch()};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(actual[i], expected[i]);
    }

    void userDpi_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Dpi>("dpi");
        QTest::addColumn<QString>("kept");
        QTest::newRow("empty") << QString() << Dpi::Dpi72 << QString();
        QTest::newRow("below 72") << u"71"_s << Dpi::Dpi72 << u"71"_s;
        QTest::newRow("72") << u"72"_s << Dpi::User << u"72"_s;
        QTest::newRow("301") << u"301"_s << Dpi::User << u"300"_s;
    }
    void userDpi()
    {
        QFETCH(QString, text);
        QFETCH(Dpi, dpi);
        QFETCH(QString, kept);
        BarSizeSettings settings = sized(Unit::Millimetre, u"40"_s, u"20"_s, Dpi::User, text);
        settings.settleUserDpi();
        QCOMPARE(settings.dpi, dpi);
        QCOMPARE(settings.userDpiText, kept);
    }

    void unitSwitchWritesPointsInAnyLocale()
    {
        QLocale::setDefault(QLocale(u"de_DE"_s));
        BarSizeSettings settings = sized(Unit::Millimetre, u"40"_s, u"19,5"_s);
        settings.switchUnit(Unit::Inch);
        // 15 significant digits, "." as separator, no blank, no trailing zeros.
        QCOMPARE(settings.widthText + u" x "_s + settings.heightText, u"1.5748031496063 x 0.767716535433071"_s);
        settings.switchUnit(Unit::Inch);
        QCOMPARE(settings.widthText, u"1.5748031496063"_s);
        settings.switchUnit(Unit::Millimetre);
        QCOMPARE(settings.widthText + u" x "_s + settings.heightText, u"40 x 19.5"_s);
        settings.widthText = u"abc"_s; // text that is no number switches as 0
        settings.switchUnit(Unit::Inch);
        QCOMPARE(settings.widthText, u"0"_s);
        QLocale::setDefault(QLocale::c());
    }

    void minimumInInches()
    {
        BarSizeSettings settings = sized(Unit::Inch, u"1"_s, u"1"_s);
        settings.setSizeMillimetres(previewSample(u"optEAN13"_s).minimumMillimetres);
        QCOMPARE(settings.widthText + u" x "_s + settings.heightText, u"1.88976377952756 x 0.748031496062992"_s);
        QVERIFY(previewSample(u"optCode39"_s).minimumMillimetres.isEmpty());
    }

    void roundTrip()
    {
        const QStringList values{u"Bar Matt=I"_s,    u"Bar Width=1.5"_s,    u"Bar Height=0.75"_s,  u"DPI=150"_s,
                                 u"Bar Def=Y"_s,     u"FontName=Courier"_s, u"FontBold=Y"_s,       u"FontItalic=Y"_s,
                                 u"FontSize=12.5"_s, u"PicTXTColor=255"_s,  u"Bar1xColor=65280"_s, u"Pixel=NO"_s,
                                 u"Aspect=NO"_s,     u"Font=Normal"_s,      u"BarAlign=Left"_s};
        QCOMPARE(savedValues(loaded(values)), values);
    }

    void loadSettles()
    {
        const BarSizeSettings settings =
            loaded({u"Bar Matt=I"_s, u"Bar Width=5"_s, u"Bar Height=0"_s, u"DPI=400"_s, u"Bar Def=Y"_s});
        QCOMPARE(std::pair(settings.widthText, settings.userDpiText), std::pair(u"4"_s, u"300"_s));
        QVERIFY(!settings.defined); // no height: the defined size cannot be on
    }

    void badValues_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("garbage") << u"zz\u00e9\u20ac"_s;
        QTest::newRow("long") << QString(100000, u'9');
    }
    void badValues()
    {
        QFETCH(QString, value);
        QStringList values;
        for (const QString &name : kSizeNames)
            values.append(name + u"="_s + value);
        const BarSizeSettings settings = loaded(values);
        const LabelAppearance defaults;
        QCOMPARE(settings.unit, Unit::Millimetre);
        QVERIFY(!settings.defined);
        QVERIFY(settings.widthText.size() <= 64);
        QVERIFY(std::isfinite(settings.widthTwips()) && std::isfinite(settings.previewHeightTwips()));
        QVERIFY(settings.dotsPerInch() >= 72 && settings.dotsPerInch() <= 300);
        QCOMPARE(settings.appearance.fontSize, defaults.fontSize);
        QCOMPARE(settings.appearance.textBackColor, QColor(Qt::white));
        QCOMPARE(settings.appearance.alignment, defaults.alignment);
    }
};

QTEST_GUILESS_MAIN(TestBarSizeSettings)
#include "tst_bar_size_settings.moc"
