#include "base/units.h"
#include "list/image_list_document.h"
#include "test_helpers.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;

namespace {

QImage labelImage(int width, int height, int seed, int dpi)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y)
            image.setPixel(x, y, (x * seed / 3 + y / 4) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
    image.setDotsPerMeterX(dotsPerMetre(dpi));
    image.setDotsPerMeterY(dotsPerMetre(dpi));
    return image;
}

} // namespace

class TestImageListRtf : public QObject {
    Q_OBJECT
private slots:
    void writtenListReadsBack()
    {
        const QString text = u"{braces} and back\\slash\none\ttwo\n\nCafé € — ☃ 漢字"_s;
        ImageListDocument document;
        document.appendText(text);
        document.appendPicture(labelImage(60, 30, 1, 96), 1815, 1190);
        document.appendPicture(labelImage(67, 31, 2, 300), 1825, 1185);
        const QByteArray rtf = writeRtf(document);
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi") &&
                std::all_of(rtf.begin(), rtf.end(), [](char c) { return uchar(c) < 0x80; }));
        const RtfReadResult read = readRtf(rtf);
        QVERIFY(read.ok());
        QCOMPARE(read.document.parts()[0].text, text);
        const QList<ImageListPart> before = document.pictures(), after = read.document.pictures();
        QCOMPARE(after.size(), before.size());
        for (qsizetype i = 0; i < before.size(); ++i) {
            QCOMPARE(after[i].image.convertToFormat(QImage::Format_RGB32),
                     before[i].image.convertToFormat(QImage::Format_RGB32));
            QCOMPARE(std::pair(after[i].widthTwips, after[i].heightTwips),
                     std::pair(before[i].widthTwips, before[i].heightTwips));
        }
    }

    void pictureThatCannotBeStoredKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"labels.rtf"_s);
        QVERIFY(Test::writeFileBytes(path, "{\\rtf1 old}"));
        ImageListDocument document;
        document.appendText(u"new"_s);
        document.appendPicture(QImage(), 300, 150);
        const SaveResult saved = saveRtfFile(path, document);
        QVERIFY(!saved.ok);
        QVERIFY2(saved.message.contains(u"labels.rtf"_s) && saved.message.contains(u"picture"_s),
                 qPrintable(saved.message));
        QCOMPARE(Test::fileBytes(path), QByteArray("{\\rtf1 old}"));
    }

    // A FIFO named like an image list is not opened, which would wait for a writer for ever.
    void fifoIsNotOpened()
    {
        QTemporaryDir folder;
        const QString fifo = folder.filePath(u"x.rtf"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const RtfReadResult read = readRtfFile(fifo);
        QCOMPARE(read.message, u"The Barcode Image List "_s + fifo + u" could not be opened: it is no regular file."_s);
    }

    void dataFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("pass");
        for (const QString &kind : {u"pass"_s, u"fail"_s}) {
            const QDir folder(qEnvironmentVariable("KELBRIX_TEST_DATA") + u"/rtf/"_s + kind);
            const QStringList names = folder.entryList({u"*.rtf"_s}, QDir::Files, QDir::Name);
            QVERIFY(!names.isEmpty());
            for (const QString &name : names)
                QTest::newRow(qPrintable(kind + u"/"_s + name)) << folder.filePath(name) << (kind == u"pass"_s);
        }
    }
    void dataFiles()
    {
        QFETCH(QString, path);
        QFETCH(bool, pass);
        const QJsonObject expected = QJsonDocument::fromJson(Test::fileBytes(path + u".json"_s)).object();
        QVERIFY(!expected.isEmpty());

        const RtfReadResult read = readRtfFile(path);
        QCOMPARE(read.ok(), pass);
        if (!pass) {
            QVERIFY(read.message.contains(expected[u"message"_s].toString()));
            QVERIFY(read.message.contains(QDir::toNativeSeparators(path)));
        }
        if (expected.contains(u"text"_s))
            QCOMPARE(read.document.text(), expected[u"text"_s].toString());
        QCOMPARE(read.skippedPictures, expected[u"skipped"_s].toInt(0));
        if (!expected.contains(u"pictures"_s))
            return;
        const QJsonArray pictures = expected[u"pictures"_s].toArray();
        const QList<ImageListPart> got = read.document.pictures();
        QCOMPARE(got.size(), pictures.size());
        for (qsizetype i = 0; i < pictures.size(); ++i) {
            const QJsonArray sizes = pictures[i].toArray();
            QCOMPARE(got[i].image.size(), QSize(sizes[0].toInt(), sizes[1].toInt()));
            QCOMPARE(qRound(got[i].widthTwips), sizes[2].toInt());
            QCOMPARE(qRound(got[i].heightTwips), sizes[3].toInt());
        }
    }

    // Every cap just below, at and just above it: reading stops past the cap with a message that
    // names it, and keeps what was read before.
    void caps_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<qsizetype>("kept");  // pictures or characters read
        QTest::addColumn<QString>("refusal"); // empty when the file is read whole
        const QByteArray written = writeRtf([] {
            ImageListDocument document;
            document.appendPicture(labelImage(20, 10, 1, 96), 300, 150);
            return document;
        }());
        const qsizetype start = written.indexOf("{\\pict");
        const QByteArray picture = written.mid(start, written.lastIndexOf('}') - start);
        const auto pictures = [&picture](qsizetype count) { return "{\\rtf1 " + picture.repeated(count) + "}"; };
        const auto text = [](qsizetype length) { return "{\\rtf1 " + QByteArray(length, 'a') + "}"; };
        using namespace ImageListLimits;
        const QString tooManyPictures = u"more than 10000 pictures"_s;
        const QString tooMuchText = u"more than 8388608 characters of text"_s;
        QTest::newRow("pictures below") << pictures(MaxPictures - 1) << MaxPictures - 1 << QString();
        QTest::newRow("pictures at") << pictures(MaxPictures) << MaxPictures << QString();
        QTest::newRow("pictures above") << pictures(MaxPictures + 1) << MaxPictures << tooManyPictures;
        QTest::newRow("text below") << text(MaxTextLength - 1) << MaxTextLength - 1 << QString();
        QTest::newRow("text at") << text(MaxTextLength) << MaxTextLength << QString();
        QTest::newRow("text above") << text(MaxTextLength + 1) << MaxTextLength << tooMuchText;
    }
    void caps()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(qsizetype, kept);
        QFETCH(QString, refusal);
        const RtfReadResult read = readRtf(rtf);
        QCOMPARE(read.message.isEmpty(), refusal.isEmpty());
        QVERIFY2(read.message.contains(refusal), qPrintable(read.message));
        const bool pictures = QByteArrayView(QTest::currentDataTag()).startsWith("pictures");
        QCOMPARE(pictures ? read.document.pictures().size() : read.document.text().size(), kept);
    }

    // A picture without a goal size is shown at its own resolution and scale, each side at its own:
    // dpi across and down (0 for none: 96 dpi), the scale in per cent, and the twips shown.
    void pictureSizeFromItsResolution()
    {
        for (const auto &[dpi, scale, twips] : {std::tuple(QSize(300, 100), QSize(100, 100), QSize(288, 432)),
                                                std::tuple(QSize(100, 300), QSize(100, 100), QSize(864, 144)),
                                                std::tuple(QSize(0, 0), QSize(100, 100), QSize(900, 450)),
                                                std::tuple(QSize(300, 100), QSize(50, 200), QSize(144, 864))}) {
            QImage image = labelImage(60, 30, 1, 96);
            image.setDotsPerMeterX(dpi.width() > 0 ? dotsPerMetre(dpi.width()) : 0);
            image.setDotsPerMeterY(dpi.height() > 0 ? dotsPerMetre(dpi.height()) : 0);
            QByteArray png;
            QBuffer buffer(&png);
            QVERIFY(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG"));
            const QByteArray scaled =
                "\\picscalex" + QByteArray::number(scale.width()) + "\\picscaley" + QByteArray::number(scale.height());
            const RtfReadResult read =
                readRtf("{\\rtf1{\\pict\\pngblip\\picw60\\pich30" + scaled + " " + png.toHex() + "}}");
            QVERIFY2(read.ok(), qPrintable(read.message));
            QCOMPARE(read.document.pictures().size(), 1);
            const ImageListPart picture = read.document.pictures().first();
            QCOMPARE(QSize(qRound(picture.widthTwips), qRound(picture.heightTwips)), twips);
        }
    }
};

QTEST_GUILESS_MAIN(TestImageListRtf)
#include "tst_image_list_rtf.moc"
