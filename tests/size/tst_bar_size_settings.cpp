#include "base/units.h"
#include "render/barcode_renderer.h"
#include "render/label_appearance.h"
#include "settings/settings_store.h"
#include "size/bar_size_settings.h"
#include "size/module_width.h"
#include "test_helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
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

const QStringList kSizeNames{u"Bar Matt"_s, u"Bar Width"_s,   u"Bar Height"_s, u"DPI"_s,
                             u"Bar Def"_s,  u"FontName"_s,    u"FontBold"_s,   u"FontItalic"_s,
                             u"FontSize"_s, u"PicTXTColor"_s, u"Bar1xColor"_s, u"Pixel"_s,
                             u"Aspect"_s,   u"Font"_s,        u"BarAlign"_s,   u"Bearers"_s};

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

BarcodeRenderer sample(int symbology, const QString &data, bool pixelAlign)
{
    BarcodeRenderer renderer;
    LabelAppearance look;
    look.pixelAlign = pixelAlign;
    look.retainAspectRatio = false;
    look.applyTo(renderer);
    renderer.setSymbology(symbology);
    renderer.setData(data);
    return renderer;
}

// The narrowest dark run across the middle of the bars, in pixels.
int narrowestBar(const QImage &image)
{
    const int y = image.height() / 3;
    int narrowest = image.width();
    int run = 0;
    for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) < 128) {
            ++run;
        } else {
            if (run > 0)
                narrowest = std::min(narrowest, run);
            run = 0;
        }
    }
    return narrowest;
}

} // namespace

class TestBarSizeSettings : public QObject {
    Q_OBJECT
private slots:
    // A typed size: its value, the text kept in millimetres and in inches, and sizes that stay
    // finite and within the largest label.
    void sizeText()
    {
        for (const auto &[text, value, clampedMm, clampedInch] :
             {std::tuple(u"103"_s, 103.0, u"102"_s, u"4"_s), std::tuple(u"1,5"_s, 1.5, u"1,5"_s, u"1,5"_s),
              std::tuple(u"1e309"_s, qInf(), u"102"_s, u"4"_s)}) {
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
    }

    // Width, height and preview height in twips, and the dots per inch.
    void twips()
    {
        for (const auto &[settings, expected] :
             {std::pair(sized(Unit::Millimetre, u"48"_s, u"40"_s), QList<double>{2721.6, 2268.0, 1701.0, 72.0}),
              std::pair(sized(Unit::Millimetre, u"48"_s, u"40"_s, Dpi::User, u"600"_s),
                        QList<double>{2721.6, 2268.0, 2268.0 * 300 / 96, 300.0}),
              std::pair(sized(Unit::Inch, u"1"_s, u"0.5"_s, Dpi::Dpi96),
                        QList<double>{1440.18, 720.09, 720.09, 96.0})}) {
            const double actual[] = {settings.widthTwips(), settings.heightTwips(), settings.previewHeightTwips(),
                                     settings.dotsPerInch()};
            for (int i = 0; i < 4; ++i)
                QCOMPARE(actual[i], expected[i]); // each within QCOMPARE's tolerance for doubles
        }
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

    // "Use Defined Barcode" is on only when stored on with a width and a height.
    void definedNeedsASize()
    {
        for (const auto &[stored, defined] :
             {std::pair(QStringList{u"Bar Width=40"_s, u"Bar Height=20"_s, u"Bar Def=Y"_s}, true),
              std::pair(QStringList{u"Bar Width=0"_s, u"Bar Height=20"_s, u"Bar Def=Y"_s}, false),
              std::pair(QStringList{u"Bar Width=40"_s, u"Bar Def=Y"_s}, false),
              std::pair(QStringList{u"Bar Width=40"_s, u"Bar Height=20"_s, u"Bar Def=N"_s}, false)})
            QCOMPARE(loaded(stored).defined, defined);
    }

    // The size a TIFF is made at: the typed one, or the label's when defined or when incomplete.
    void tiffReference()
    {
        const QSizeF label(1800, 900);
        for (const auto &[settings, useDefined, twips] :
             {std::tuple(sized(Unit::Millimetre, u"40"_s, u"20,5"_s), false, QSizeF(1701, 850.5)),
              std::tuple(sized(Unit::Inch, u" 1.5in"_s, u"0.75"_s), false, QSizeF(1575, 787.5)),
              std::tuple(sized(Unit::Millimetre, u"40"_s, u"20"_s), true, label),
              std::tuple(sized(Unit::Millimetre, u"40"_s, u"x"_s), false, label)})
            QCOMPARE(settings.tiffReferenceTwips(useDefined, label), twips);
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
        const QStringList values{
            u"Bar Matt=I"_s,    u"Bar Width=1.5"_s,    u"Bar Height=0.75"_s,  u"DPI=150"_s,
            u"Bar Def=Y"_s,     u"FontName=Courier"_s, u"FontBold=Y"_s,       u"FontItalic=Y"_s,
            u"FontSize=12.5"_s, u"PicTXTColor=255"_s,  u"Bar1xColor=65280"_s, u"Pixel=NO"_s,
            u"Aspect=NO"_s,     u"Font=Normal"_s,      u"BarAlign=Left"_s,    u"Bearers=top-bottom"_s};
        QCOMPARE(savedValues(loaded(values)), values);
        QCOMPARE(loaded({u"Bearers=none"_s}).appearance.bearers, Bearers::None);
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
        // Bearer bars the program does not know, or none, read as the frame it always drew.
        QCOMPARE(settings.appearance.bearers, Bearers::Frame);
        QCOMPARE(loaded({}).appearance.bearers, Bearers::Frame);
    }

    void agreesWithTheImage()
    {
        const double dpi = 72;
        const BarcodeRenderer renderer = sample(5, u"12345678901"_s, true);
        const QSizeF twips = QSizeF(90, 60) * kTwipsPerMillimetre;
        const ModuleWidthReadout readout = moduleWidthReadout(renderer, twips.width(), twips.height(), dpi);
        const QImage image = renderer.image((twips * dpi / kTwipsPerInch).toSize());
        QCOMPARE(readout.pixels, double(narrowestBar(image)));
    }

    // Each family's smallest and largest X, just inside and just outside. At 2400 dpi the whole
    // pixels move X by far less than the thousandth of a millimetre the window shows.
    void limits()
    {
        const QString narrow = u"Warning: the bars are too narrow"_s;
        const QString wide = u"Warning: the bars are wider than"_s;
        // The symbology, X in millimetres, the percentage of the nominal X shown and the start of
        // the warning, empty for none.
        for (const auto &[symbology, xMm, percent, warning] :
             {std::tuple(kRendererEan13, 0.263, 80,
                         narrow + u", many scanners will fail to read this EAN and UPC symbol (smallest X 0.264 mm)"_s),
              std::tuple(kRendererEan13, 0.264, 80, QString()), std::tuple(kRendererEan13, 0.66, 200, QString()),
              std::tuple(kRendererEan13, 0.661, 200, wide + u" EAN and UPC allows (largest X 0.660 mm)"_s),
              std::tuple(kRendererScc14, 0.494, 100,
                         narrow + u", many scanners will fail to read this SCC-14 symbol (smallest X 0.495 mm)"_s),
              std::tuple(kRendererScc14, 0.495, 100, QString()), std::tuple(kRendererScc14, 1.016, 205, QString()),
              std::tuple(kRendererScc14, 1.017, 205, wide + u" SCC-14 allows (largest X 1.016 mm)"_s),
              std::tuple(kRendererCode39, 0.189, 99, narrow), std::tuple(kRendererCode39, 0.19, 100, QString())}) {
            const QString data = symbology == kRendererCode39 ? u"KEL39"_s : u"3001234567890"_s;
            const BarcodeRenderer renderer = sample(symbology, data.left(symbology == kRendererEan13 ? 12 : 13), false);
            const ModuleWidthReadout readout = moduleWidthReadout(
                renderer, xMm * renderer.geometry().width * kTwipsPerMillimetre, 20 * kTwipsPerMillimetre, 2400);
            QCOMPARE(readout.text, u"X = %1 mm, %2 %"_s.arg(QString::number(xMm, 'f', 3)).arg(percent));
            QVERIFY2(warning.isEmpty() ? readout.warning.isEmpty() : readout.warning.startsWith(warning),
                     qPrintable(readout.warning));
        }
    }
};

QTEST_MAIN(TestBarSizeSettings)
#include "tst_bar_size_settings.moc"
