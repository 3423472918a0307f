#include "artwork/artwork.h"
#include "artwork/artwork_writers.h"
#include "label/record_label.h"
#include "label/vector_writers.h"
#include "render/barcode_renderer.h"
#include "render/label_appearance.h"
#include "render/view_update_plan.h"
#include "verify/label_verdict.h"
#include "test_helpers.h"
#include "zbar_decode.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

struct Sample {
    const char *type;
    QString entry;
    QString supplement;
    double quietLeft; ///< the type's quiet zones, in modules
    double quietRight;
};

// One record of every type of the catalogue.
const QList<Sample> &samples()
{
    static const QList<Sample> list{
        {"E130", u"501234567890"_s, {}, 11, 7},
        {"E132", u"501234567890"_s, u"12"_s, 11, 5},
        {"E135", u"501234567890"_s, u"12345"_s, 11, 5},
        {"UPA0", u"03600029145"_s, {}, 9, 9},
        {"UPA2", u"03600029145"_s, u"12"_s, 9, 5},
        {"UPA5", u"03600029145"_s, u"12345"_s, 9, 5},
        {"UPE0", u"0123456"_s, {}, 9, 7},
        {"UPE2", u"0123456"_s, u"12"_s, 9, 5},
        {"UPE5", u"0123456"_s, u"12345"_s, 9, 5},
        {"UPP0", u"01210000003"_s, {}, 9, 7},
        {"UPP2", u"01210000003"_s, u"12"_s, 9, 5},
        {"UPP5", u"01210000003"_s, u"12345"_s, 9, 5},
        {"ISB0", u"1-57169-006-9"_s, {}, 11, 7},
        {"ISB5", u"1-57169-006-9"_s, u"90000"_s, 11, 5},
        {"SC14", u"1501234567890"_s, {}, 10, 10},
        {"Co39", u"KELBRIX-39"_s, {}, 10, 10},
        {"E80 ", u"5512345"_s, {}, 7, 7},
        {"E82 ", u"5512345"_s, u"12"_s, 7, 5},
        {"E85 ", u"5512345"_s, u"12345"_s, 7, 5},
    };
    return list;
}

// The artwork of a record, made as the main view makes its label.
struct Made {
    std::optional<LabelLayout> artwork;
    QString error;
};

Made makeFor(const Sample &sample, const ArtworkOptions &options, const QString &product = {})
{
    Made made;
    const std::optional<RecordLabel> record = makeRecordLabel(
        {QString::fromLatin1(sample.type), Edition::Alla, sample.entry, sample.supplement, product}, {});
    if (record)
        made.artwork = makeArtwork({record->label(), options}, &made.error);
    return made;
}

// Options at \a percent: the magnification for EAN/UPC, the X-dimension scaled alike for the others.
ArtworkOptions optionsAt(double percent, double bwr = 0)
{
    ArtworkOptions options;
    options.magnification = percent;
    options.moduleMm = 0.25 * percent / 100.0;
    options.bwrMm = bwr;
    return options;
}

const char *formatName(ArtworkFormat format)
{
    return format == ArtworkFormat::Svg ? "svg" : (format == ArtworkFormat::Pdf ? "pdf" : "eps");
}

// The file rendered at 1200 dpi by the tool its readers use.
QImage rendered(const QString &path, ArtworkFormat format)
{
    const QString png = path + u".png"_s;
    QProcess tool;
    if (format == ArtworkFormat::Svg)
        tool.start(u"rsvg-convert"_s, {u"--dpi-x=1200"_s, u"--dpi-y=1200"_s, u"-o"_s, png, path});
    else if (format == ArtworkFormat::Eps)
        tool.start(u"gs"_s, {u"-q"_s, u"-dSAFER"_s, u"-dBATCH"_s, u"-dNOPAUSE"_s, u"-dEPSCrop"_s, u"-r1200"_s,
                             u"-sDEVICE=pnggray"_s, u"-sOutputFile="_s + png, path});
    else
        tool.start(u"pdftoppm"_s, {u"-r"_s, u"1200"_s, u"-gray"_s, u"-png"_s, u"-singlefile"_s, path, path});
    if (!tool.waitForFinished(120000) || tool.exitCode() != 0)
        return {};
    return QImage(png);
}

// The bars read back out of a file, in millimetres: the rectangles filled in ink, the background
// (the first rectangle of the label's size) left out.
QList<QRectF> barsOf(const QByteArray &file, ArtworkFormat format, QSizeF size)
{
    static const QRegularExpression svg(
        u"<rect x=\"([-\\d.]+)\" y=\"([-\\d.]+)\" width=\"([-\\d.]+)\" height=\"([-\\d.]+)\""_s);
    static const QRegularExpression eps(u"^([-\\d.]+) ([-\\d.]+) ([-\\d.]+) ([-\\d.]+) rectfill$"_s,
                                        QRegularExpression::MultilineOption);
    static const QRegularExpression pdf(u"([-\\d.]+) ([-\\d.]+) ([-\\d.]+) ([-\\d.]+) re"_s);
    // The PDF's page contents count in points, from the bottom up.
    const bool inPoints = format == ArtworkFormat::Pdf;
    const QRegularExpression &rect = format == ArtworkFormat::Svg ? svg : (inPoints ? pdf : eps);
    const double unit = inPoints ? kPointsPerMm : 1;
    QList<QRectF> bars;
    for (const QRegularExpressionMatch &m :
         rect.globalMatch(QString::fromLatin1(inPoints ? Test::inflatedPdfStreams(file).join() : file))) {
        const double y = m.captured(2).toDouble() / unit, h = m.captured(4).toDouble() / unit;
        const QRectF bar(m.captured(1).toDouble() / unit, inPoints ? -y : y, m.captured(3).toDouble() / unit,
                         inPoints ? std::abs(h) : h);
        if (std::abs(bar.width() - size.width()) > 1e-3 || std::abs(bar.height() - size.height()) > 1e-3)
            bars.append(bar);
    }
    return bars;
}

// The two numbers \a pattern captures in \a text, as a size; an empty size when nothing matches.
QSizeF capturedSize(const QString &text, const QString &pattern)
{
    const QRegularExpressionMatch found = QRegularExpression(pattern, QRegularExpression::MultilineOption).match(text);
    return found.hasMatch() ? QSizeF(found.captured(1).toDouble(), found.captured(2).toDouble()) : QSizeF();
}

bool near(QSizeF size, QSizeF expected, double tolerance)
{
    return std::abs(size.width() - expected.width()) < tolerance &&
           std::abs(size.height() - expected.height()) < tolerance;
}

const QList<ArtworkFormat> kFormats{ArtworkFormat::Svg, ArtworkFormat::Pdf, ArtworkFormat::Eps};

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const QString &tool : {u"rsvg-convert"_s, u"gs"_s, u"pdftoppm"_s})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(qPrintable(tool + u" is not installed"_s));
        QVERIFY(m_dir.isValid());
    }

    void filesScan_data()
    {
        QTest::addColumn<int>("sample");
        QTest::addColumn<double>("percent");
        QTest::addColumn<ArtworkFormat>("format");
        for (int i = 0; i < samples().size(); ++i)
            for (const double percent : {80.0, 100.0, 200.0})
                for (const ArtworkFormat format : kFormats)
                    QTest::addRow("%s %g%% %s", samples().at(i).type, percent, formatName(format))
                        << i << percent << format;
    }

    // Each file, rendered by the tool its users' programs use, scans to its record.
    void filesScan()
    {
        QFETCH(int, sample);
        QFETCH(double, percent);
        QFETCH(ArtworkFormat, format);
        const Sample &s = samples().at(sample);
        ArtworkOptions options = optionsAt(percent, 0.02);
        options.quietZoneMarks = true;
        const Made made = makeFor(s, options, u"Artwork"_s);
        QVERIFY2(made.artwork, qPrintable(made.error));
        const QString path =
            m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_').remove(u'%') + u'.' +
                           QString::fromLatin1(formatName(format)));
        QVERIFY(saveArtwork(path, *made.artwork, format).ok);
        const QImage image = rendered(path, format);
        QVERIFY(!image.isNull());
        // 1200 dpi: the picture is the label's size, to the pixel the tool rounds to.
        const double pixels = made.artwork->size.width() / 25.4 * 1200;
        QVERIFY2(std::abs(image.width() - pixels) < 1.5,
                 qPrintable(u"%1 pixels for %2"_s.arg(image.width()).arg(pixels)));
        const LabelVerdict verdict = verifyLabel(image, QString::fromLatin1(s.type), s.entry, s.supplement);
        QVERIFY2(verdict.scans(), qPrintable(verdict.text));
    }

    void barWidths_data()
    {
        QTest::addColumn<int>("sample");
        QTest::addColumn<double>("bwr");
        QTest::addColumn<ArtworkFormat>("format");
        for (int i = 0; i < samples().size(); ++i)
            for (const double bwr : {0.0, 0.020})
                for (const ArtworkFormat format : kFormats)
                    QTest::addRow("%s bwr %.3f %s", samples().at(i).type, bwr, formatName(format))
                        << i << bwr << format;
    }

    // The bars read back from each file are whole modules less the reduction, centred where they
    // would be without it, and the quiet zones lie inside the label.
    void barWidths()
    {
        QFETCH(int, sample);
        QFETCH(double, bwr);
        QFETCH(ArtworkFormat, format);
        const Sample &s = samples().at(sample);
        const Made plain = makeFor(s, optionsAt(100));
        const Made reduced = makeFor(s, optionsAt(100, bwr));
        QVERIFY(plain.artwork && reduced.artwork);
        const LabelLayout &artwork = *reduced.artwork;
        const double x = artwork.moduleSize;
        const QList<QRectF> bars = barsOf(artworkBytes(artwork, format), format, artwork.size);
        const QList<QRectF> nominal = barsOf(artworkBytes(*plain.artwork, format), format, artwork.size);
        QCOMPARE(bars.size(), artwork.bars.size());
        QCOMPARE(nominal.size(), bars.size());
        double left = artwork.size.width(), right = 0;
        for (qsizetype i = 0; i < bars.size(); ++i) {
            const QRectF &bar = bars.at(i);
            if (bar.width() > bar.height() || bar.width() > 4.5 * x)
                continue; // a side of the bearer box
            const double modules = std::round((bar.width() + bwr) / x);
            QVERIFY2(modules >= 1 && std::abs(bar.width() - (modules * x - bwr)) < 0.001,
                     qPrintable(u"bar %1 is %2 mm wide"_s.arg(i).arg(bar.width())));
            QVERIFY(std::abs(bar.center().x() - nominal.at(i).center().x()) < 0.001);
            left = std::min(left, bar.left());
            right = std::max(right, bar.right());
        }
        QVERIFY(left + bwr / 2 >= s.quietLeft * x - 0.001);
        QVERIFY(artwork.size.width() - right - bwr / 2 >= s.quietRight * x - 0.001);
    }

    void scc14Bearers_data()
    {
        QTest::addColumn<Bearers>("bearers");
        QTest::addColumn<int>("alongBars"); ///< bearer bars along the top and bottom
        QTest::addColumn<int>("sideBars");  ///< bearer bars down the sides
        QTest::newRow("none") << Bearers::None << 0 << 0;
        QTest::newRow("top-bottom") << Bearers::TopBottom << 2 << 0;
        QTest::newRow("frame") << Bearers::Frame << 2 << 2;
    }

    // SCC-14 artwork with each choice of bearer bars, measured in the SVG written for it in
    // narrow bars X found there: the bearer bars are 5 X thick, 10 X of quiet zone lie between
    // them (or the label's edges) and the bars on both sides, and the file, rendered, reads as
    // the 14 digits.
    void scc14Bearers()
    {
        QFETCH(Bearers, bearers);
        QFETCH(int, alongBars);
        QFETCH(int, sideBars);
        LabelAppearance look;
        look.bearers = bearers;
        const std::optional<RecordLabel> record =
            makeRecordLabel({u"SC14"_s, Edition::Alla, u"1501234567890"_s, {}, {}}, look);
        QVERIFY(record);
        QString error;
        const std::optional<LabelLayout> artwork = makeArtwork({record->label(), optionsAt(200)}, &error);
        QVERIFY2(artwork, qPrintable(error));
        const QString path = m_dir.filePath(u"scc14-"_s + QString::fromLatin1(QTest::currentDataTag()) + u".svg"_s);
        QVERIFY(saveArtwork(path, *artwork, ArtworkFormat::Svg).ok);
        const QByteArray svg = Test::fileBytes(path);
        const QSizeF size =
            capturedSize(QString::fromUtf8(svg), u"<svg [^>]*width=\"([\\d.]+)mm\" height=\"([\\d.]+)mm\""_s);

        QList<QRectF> along, upright;
        for (const QRectF &rect : barsOf(svg, ArtworkFormat::Svg, size))
            (rect.width() > rect.height() ? along : upright).append(rect);
        QVERIFY(!upright.isEmpty());
        double x = size.width();
        for (const QRectF &rect : std::as_const(upright))
            x = std::min(x, rect.width());
        QList<QRectF> sides, bars;
        for (const QRectF &rect : std::as_const(upright))
            (rect.width() > 4 * x ? sides : bars).append(rect);
        QVERIFY(std::abs(x - 0.5) < 0.001);
        QCOMPARE(along.size(), alongBars);
        QCOMPARE(sides.size(), sideBars);
        QCOMPARE(bars.size(), 7 * 5 + 2 + 2); // five in each pair of digits, two in the start and two in the stop
        double barsLeft = size.width(), barsRight = 0;
        for (const QRectF &bar : std::as_const(bars)) {
            barsLeft = std::min(barsLeft, bar.left());
            barsRight = std::max(barsRight, bar.right());
        }
        const auto modules = [x](double mm) { return mm / x; };
        const auto isModules = [&](double mm, double expected) { return std::abs(modules(mm) - expected) < 0.002; };
        for (const QRectF &bearer : std::as_const(along))
            QVERIFY2(isModules(bearer.height(), 5), qPrintable(u"%1 X thick"_s.arg(modules(bearer.height()))));
        for (const QRectF &side : std::as_const(sides))
            QVERIFY2(isModules(side.width(), 5), qPrintable(u"%1 X thick"_s.arg(modules(side.width()))));

        // Where the quiet zones end: at a frame's sides, at the ends of the bars along the top and
        // bottom, or at the label's edges, which round the label up to whole points.
        double quietLeft = barsLeft, quietRight = size.width() - barsRight, slack = 0.002;
        if (!sides.isEmpty()) {
            std::sort(sides.begin(), sides.end(), [](const QRectF &a, const QRectF &b) { return a.left() < b.left(); });
            quietLeft = barsLeft - sides.first().right();
            quietRight = sides.last().left() - barsRight;
            for (const QRectF &bearer : std::as_const(along))
                QVERIFY(std::abs(bearer.left() - sides.first().left()) < 0.001 &&
                        std::abs(bearer.right() - sides.last().right()) < 0.001);
        } else if (!along.isEmpty()) {
            for (const QRectF &bearer : std::as_const(along)) {
                QVERIFY(std::abs(bearer.left() - along.first().left()) < 0.001);
                QVERIFY(std::abs(bearer.right() - along.first().right()) < 0.001);
            }
            quietLeft = barsLeft - along.first().left();
            quietRight = along.first().right() - barsRight;
        } else {
            slack += modules(25.4 / 72 / 2);
        }
        for (const double quiet : {quietLeft, quietRight})
            QVERIFY2(modules(quiet) > 10 - 0.002 && modules(quiet) < 10 + slack,
                     qPrintable(u"a quiet zone of %1 X"_s.arg(modules(quiet))));

        const QImage image = rendered(path, ArtworkFormat::Svg);
        QVERIFY(!image.isNull());
        QStringList read;
        for (const Test::DecodedSymbol &symbol : Test::decodeSymbols(image))
            read.append(symbol.type + u' ' + symbol.data);
        QCOMPARE(read, QStringList{u"I2/5 15012345678907"_s});
    }

    // Each format states the label's size in its own terms: the SVG in millimetres, the EPS's
    // bounding boxes in points, the PDF's page in points.
    void sizes()
    {
        for (const int sample : {0, 13, 14, 15})
            for (const double percent : {80.0, 200.0}) {
                const Made made = makeFor(samples().at(sample), optionsAt(percent));
                QVERIFY(made.artwork);
                const QSizeF mm = made.artwork->size;
                const QSizeF pt = mm * kPointsPerMm;
                // The symbol with its quiet zones, magnified.
                QVERIFY(made.artwork->symbol.width() <= mm.width() + 1e-9);
                if (sample != 15 && sample != 14)
                    QVERIFY(std::abs(made.artwork->moduleSize - 0.330 * percent / 100) < 1e-9);

                const QString svg = QString::fromUtf8(svgLabel(*made.artwork));
                QVERIFY(near(capturedSize(svg, u"<svg [^>]*width=\"([\\d.]+)mm\" height=\"([\\d.]+)mm\""_s), mm, 1e-4));
                const QString eps = QString::fromLatin1(epsLabel(*made.artwork));
                QCOMPARE(capturedSize(eps, u"^%%BoundingBox: 0 0 (\\d+) (\\d+)$"_s),
                         QSizeF(std::lround(pt.width()), std::lround(pt.height())));
                QVERIFY(near(capturedSize(eps, u"^%%HiResBoundingBox: 0 0 ([\\d.]+) ([\\d.]+)$"_s), pt, 1e-3));
                const QString pdf = QString::fromLatin1(pdfLabel(*made.artwork));
                QVERIFY(near(capturedSize(pdf, u"/MediaBox \\[0 0 ([\\d.]+) ([\\d.]+)\\]"_s), pt, 1e-3));
            }
    }

    // Hostile sizes are refused with a message that says what is wrong: the sample, the
    // magnification, the X-dimension and the bar width reduction, and the message.
    void hostileValues()
    {
        const double nan = std::nan("");
        for (const auto &[sample, magnification, module, bwr, message] :
             {std::tuple(0, 0.0, 0.5, 0.0, u"The magnification must be from 80 to 200 %, not 0.0 %."_s),
              std::tuple(0, 1000.0, 0.5, 0.0, u"The magnification must be from 80 to 200 %, not 1000.0 %."_s),
              std::tuple(13, nan, 0.5, 0.0, u"The magnification must be from 80 to 200 %, not nan %."_s),
              std::tuple(15, 100.0, double(INFINITY), 0.0,
                         u"The X-dimension must be from 0.100 to 2.540 mm, not inf mm."_s),
              std::tuple(0, 100.0, 0.5, nan, u"The bar width reduction must be from 0 to 0.100 mm, not nan mm."_s),
              std::tuple(0, 100.0, 0.5, -0.01, u"The bar width reduction must be from 0 to 0.100 mm, not -0.010 mm."_s),
              std::tuple(15, 100.0, 0.1, 0.1,
                         u"The bar width reduction of 0.100 mm would leave no bar: it must be smaller than the "
                         "X-dimension of 0.100 mm."_s)}) {
            ArtworkOptions options;
            options.magnification = magnification;
            options.moduleMm = module;
            options.bwrMm = bwr;
            const Made made = makeFor(samples().at(sample), options);
            QVERIFY(!made.artwork);
            QCOMPARE(made.error, message);
        }
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
