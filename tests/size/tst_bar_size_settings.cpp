#include "settings/settings_store.h"
#include "size/bar_size_settings.h"

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
        QTest::newRow("above mm") << u"103"_s << 103.0 << u"102"_s << u"4"_s;
        QTest::newRow("comma") << u"1,5"_s << 1.5 << u"1,5"_s << u"1,5"_s;
        QTest::newRow("too large for a double") << u"1e309"_s << qInf() << u"102"_s << u"4"_s;
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

    // Typed dpi below 72 or not a number selects the 72 dpi option instead; above 300 keeps 300.
    void userDpiLimits()
    {
        for (const auto &[typed, kept] :
             {std::pair(u"71"_s, QString()), std::pair(u"71.9"_s, QString()), std::pair(u"72"_s, u"72"_s),
              std::pair(u"73"_s, u"73"_s), std::pair(u"299"_s, u"299"_s), std::pair(u"300"_s, u"300"_s),
              std::pair(u"301"_s, u"300"_s), std::pair(u"dpi"_s, QString())})
            QCOMPARE(BarSizeSettings::userDpiAfterEditing(typed).value_or(QString()), kept);
    }

    void definedNeedsASize_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<bool>("defined");
        QTest::newRow("on with a size") << QStringList{u"Bar Width=40"_s, u"Bar Height=20"_s, u"Bar Def=Y"_s} << true;
        QTest::newRow("on without a width")
            << QStringList{u"Bar Width=0"_s, u"Bar Height=20"_s, u"Bar Def=Y"_s} << false;
        QTest::newRow("on without a height") << QStringList{u"Bar Width=40"_s, u"Bar Def=Y"_s} << false;
        QTest::newRow("off with a size") << QStringList{u"Bar Width=40"_s, u"Bar Height=20"_s, u"Bar Def=N"_s} << false;
    }
    void definedNeedsASize()
    {
        QFETCH(QStringList, stored);
        QFETCH(bool, defined);
        QCOMPARE(loaded(stored).defined, defined);
    }

    void tiffReference_data()
    {
        QTest::addColumn<BarSizeSettings>("settings");
        QTest::addColumn<bool>("useDefined");
        QTest::addColumn<QSizeF>("twips");
        const QSizeF label(1800, 900);
        QTest::newRow("millimetres") << sized(Unit::Millimetre, u"40"_s, u"20,5"_s) << false << QSizeF(1701, 850.5);
        QTest::newRow("inches") << sized(Unit::Inch, u" 1.5in"_s, u"0.75"_s) << false << QSizeF(1575, 787.5);
        QTest::newRow("defined: the label's size") << sized(Unit::Millimetre, u"40"_s, u"20"_s) << true << label;
        QTest::newRow("no height: the label's size") << sized(Unit::Millimetre, u"40"_s, u"x"_s) << false << label;
    }
    void tiffReference()
    {
        QFETCH(BarSizeSettings, settings);
        QFETCH(bool, useDefined);
        QFETCH(QSizeF, twips);
        QCOMPARE(settings.tiffReferenceTwips(useDefined, QSizeF(1800, 900)), twips);
    }

    void unitSwitchWritesPointsInAnyLocale()
    {
        QLocale::setDefault(QLocale(u"de_DE"_s));
        BarSizeSettings settings = sized(Unit::Millimetre, u"40"_s, u"19,5"_s);
        settings.switchUnit(Unit::Inch);
        // 15 significant digits, "." as separator, no blank, no trailing zeros.
        QCOMPARE(settings.widthText + u" x "_s + settings.heightText, u"1.5748031496063 x 0.767716535433071"_s);
        settings.switchUnit(Unit::Millimetre);
        QCOMPARE(settings.widthText + u" x "_s + settings.heightText, u"40 x 19.5"_s);
        QLocale::setDefault(QLocale::c());
    }

    void roundTrip()
    {
        const QStringList values{u"Bar Matt=I"_s,    u"Bar Width=1.5"_s,    u"Bar Height=0.75"_s,  u"DPI=150"_s,
                                 u"Bar Def=Y"_s,     u"FontName=Courier"_s, u"FontBold=Y"_s,       u"FontItalic=Y"_s,
                                 u"FontSize=12.5"_s, u"PicTXTColor=255"_s,  u"Bar1xColor=65280"_s, u"Pixel=NO"_s,
                                 u"Aspect=NO"_s,     u"Font=Normal"_s,      u"BarAlign=Left"_s};
        QCOMPARE(savedValues(loaded(values)), values);
    }

    void badValues()
    {
        QStringList values;
        for (const QString &name : kSizeNames)
            values.append(name + u"=zz\u00e9\u20ac"_s);
        const BarSizeSettings settings = loaded(values);
        QCOMPARE(std::pair(settings.unit, settings.defined), std::pair(Unit::Millimetre, false));
        QVERIFY(std::isfinite(settings.widthTwips()) && std::isfinite(settings.previewHeightTwips()));
        QVERIFY(settings.dotsPerInch() >= 72 && settings.dotsPerInch() <= 300);
        QCOMPARE(settings.appearance.fontSize, LabelAppearance().fontSize);
        QCOMPARE(settings.appearance.textBackColor, QColor(Qt::white));
    }
};

QTEST_GUILESS_MAIN(TestBarSizeSettings)
#include "tst_bar_size_settings.moc"
