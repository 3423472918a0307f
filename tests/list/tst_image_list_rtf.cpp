// The barcode image list as rich text: what the writer writes reads back picture for picture,
// and the reader takes what word processors save and refuses hostile files with a message.
#include "base/units.h"
#include "list/image_list_document.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;

namespace {

QString dataFolder()
{
    return qEnvironmentVariable("KELBRIX_TEST_DATA") + u"/rtf"_s;
}

// A label-like picture: bars of a width that depends on \a seed, at \a dpi.
QImage labelImage(int width, int height, int seed, int dpi)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int x = 2, i = 0; x < width - 2; x += 2 + (i + seed) % 3, ++i) {
        if (i % 2 == 0)
            painter.fillRect(x, 1, 1 + (i * seed) % 2, height - 2, Qt::black);
    }
    painter.end();
    image.setDotsPerMeterX(dotsPerMetre(dpi));
    image.setDotsPerMeterY(dotsPerMetre(dpi));
    return image;
}

QImage rgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestImageListRtf : public QObject {
    Q_OBJECT
private slots:
    void writtenListReadsBack();
    void textReadsBack_data();
    void textReadsBack();
    void writerWritesPngPicturesWithTwips();
    void dataFiles_data();
    void dataFiles();
    void declaredSideCap_data();
    void declaredSideCap();
    void countCaps_data();
    void countCaps();
    void failedSaveNamesFileAndKeepsOldOne();
};

void TestImageListRtf::writtenListReadsBack()
{
    // Twenty labels, each followed by a spacer, as the image list holds them.
    ImageListDocument document;
    for (int i = 0; i < 20; ++i) {
        const int dpi = i % 2 == 0 ? 96 : 300;
        document.appendPicture(labelImage(60 + 7 * i, 30 + i, i + 1, dpi), 1815 + 10 * i, 1190 - 5 * i);
        document.appendPicture(labelImage(40, 6, 0, 96), 1815, 285);
    }
    const RtfReadResult read = readRtf(writeRtf(document));
    QVERIFY2(read.ok(), qPrintable(read.message));
    const QList<ImageListPart> before = document.pictures();
    const QList<ImageListPart> after = read.document.pictures();
    QCOMPARE(after.size(), 40);
    for (qsizetype i = 0; i < before.size(); ++i) {
        QCOMPARE(rgb(after[i].image), rgb(before[i].image));
        QCOMPARE(after[i].widthTwips, before[i].widthTwips);
        QCOMPARE(after[i].heightTwips, before[i].heightTwips);
    }
    QCOMPARE(read.document.text(), QString());
}

void TestImageListRtf::textReadsBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << u"Soap 500 g"_s;
    QTest::newRow("rtf characters") << u"{braces} and back\\slash"_s;
    QTest::newRow("paragraphs and tabs") << u"one\ntwo\tthree\n\nfour"_s;
    QTest::newRow("code page") << u"Café Ünïcödé ½"_s;
    QTest::newRow("beyond code page") << u"€ — ☃ 漢字"_s;
}

void TestImageListRtf::textReadsBack()
{
    QFETCH(QString, text);
    ImageListDocument document;
    document.appendText(text);
    document.appendPicture(labelImage(20, 10, 1, 96), 300, 150);
    document.appendText(text);
    const RtfReadResult read = readRtf(writeRtf(document));
    QVERIFY2(read.ok(), qPrintable(read.message));
    QCOMPARE(read.document.parts().size(), 3);
    QCOMPARE(read.document.parts()[0].text, text);
    QCOMPARE(read.document.parts()[2].text, text);
}

void TestImageListRtf::writerWritesPngPicturesWithTwips()
{
    ImageListDocument document;
    document.appendPicture(labelImage(121, 79, 3, 96), 1815, 1190);
    const QByteArray rtf = writeRtf(document);
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi"));
    QVERIFY(rtf.contains("{\\pict\\pngblip\\picw121\\pich79\\picwgoal1815\\pichgoal1190\n89504e47"));
    QVERIFY(rtf.trimmed().endsWith('}'));
    // Plain ASCII throughout, so any reader and any code page takes it.
    for (char c : rtf)
        QVERIFY(uchar(c) < 0x80);
}

void TestImageListRtf::dataFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("pass");
    for (const QString &kind : {u"pass"_s, u"fail"_s}) {
        const QDir folder(dataFolder() + u"/"_s + kind);
        const QStringList names = folder.entryList({u"*.rtf"_s}, QDir::Files, QDir::Name);
        QVERIFY(!names.isEmpty());
        for (const QString &name : names)
            QTest::newRow(qPrintable(kind + u"/"_s + name)) << folder.filePath(name) << (kind == u"pass"_s);
    }
}

void TestImageListRtf::dataFiles()
{
    QFETCH(QString, path);
    QFETCH(bool, pass);
    QFile expectation(path + u".json"_s);
    QVERIFY(expectation.open(QIODevice::ReadOnly));
    const QJsonObject expected = QJsonDocument::fromJson(expectation.readAll()).object();

    const RtfReadResult read = readRtfFile(path);
    if (pass) {
        QVERIFY2(read.ok(), qPrintable(read.message));
    } else {
        QVERIFY(!read.ok());
        QVERIFY2(read.message.contains(expected[u"message"_s].toString()), qPrintable(read.message));
        QVERIFY2(read.message.contains(QDir::toNativeSeparators(path)), qPrintable(read.message));
    }
    if (expected.contains(u"text"_s))
        QCOMPARE(read.document.text(), expected[u"text"_s].toString());
    QCOMPARE(read.skippedPictures, expected[u"skipped"_s].toInt(0));
    if (!expected.contains(u"pictures"_s))
        return;
    const QJsonArray pictures = expected[u"pictures"_s].toArray();
    const QList<ImageListPart> read_pictures = read.document.pictures();
    QCOMPARE(read_pictures.size(), pictures.size());
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        const QJsonArray sizes = pictures[i].toArray();
        const ImageListPart &picture = read_pictures[i];
        QCOMPARE(picture.image.size(), QSize(sizes[0].toInt(), sizes[1].toInt()));
        QCOMPARE(qRound(picture.widthTwips), sizes[2].toInt());
        QCOMPARE(qRound(picture.heightTwips), sizes[3].toInt());
    }
    // The bitmaps are red on the left and blue on the right, whatever wraps them.
    if (expected.contains(u"leftColour"_s)) {
        const QImage image = read_pictures[0].image;
        QCOMPARE(image.pixelColor(0, 0).name(), expected[u"leftColour"_s].toString());
        QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1).name(), expected[u"rightColour"_s].toString());
    }
}

void TestImageListRtf::declaredSideCap_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<bool>("ok");
    QTest::newRow("below") << ImageListLimits::MaxPictureSide - 1 << true;
    QTest::newRow("at") << ImageListLimits::MaxPictureSide << true;
    QTest::newRow("above") << ImageListLimits::MaxPictureSide + 1 << false;
}

void TestImageListRtf::declaredSideCap()
{
    QFETCH(int, side);
    QFETCH(bool, ok);
    ImageListDocument document;
    document.appendPicture(labelImage(20, 10, 1, 96), 300, 150);
    QByteArray rtf = writeRtf(document);
    rtf.replace("\\picw20", "\\picw" + QByteArray::number(side));
    const RtfReadResult read = readRtf(rtf);
    QCOMPARE(read.ok(), ok);
    QCOMPARE(read.document.pictures().size(), ok ? 1 : 0);
    if (!ok)
        QVERIFY2(read.message.contains(QString::number(side) + u" x 10 pixels"_s), qPrintable(read.message));
}

void TestImageListRtf::countCaps_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("refusal"); // empty when the file is read whole

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    labelImage(4, 4, 1, 96).save(&buffer, "PNG");
    const QByteArray picture = "{\\pict\\pngblip " + png.toHex() + "}";
    const auto pictures = [&picture](qsizetype count) { return "{\\rtf1 " + picture.repeated(count) + "}"; };
    const auto text = [](qsizetype length) { return "{\\rtf1 " + QByteArray(length, 'a') + "}"; };
    using namespace ImageListLimits;
    QTest::newRow("pictures below") << pictures(MaxPictures - 1) << QString();
    QTest::newRow("pictures at") << pictures(MaxPictures) << QString();
    QTest::newRow("pictures above") << pictures(MaxPictures + 1) << u"more than 10000 pictures"_s;
    QTest::newRow("text below") << text(MaxTextLength - 1) << QString();
    QTest::newRow("text at") << text(MaxTextLength) << QString();
    QTest::newRow("text above") << text(MaxTextLength + 1) << u"characters of text"_s;
}

void TestImageListRtf::countCaps()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, refusal);
    const RtfReadResult read = readRtf(rtf);
    QCOMPARE(read.ok(), refusal.isEmpty());
    QVERIFY2(read.message.contains(refusal), qPrintable(read.message));
    // What came before the cap stays.
    QVERIFY(read.document.pictures().size() <= ImageListLimits::MaxPictures);
    QVERIFY(read.document.text().size() <= ImageListLimits::MaxTextLength);
    QVERIFY(!read.document.isEmpty());
}

void TestImageListRtf::failedSaveNamesFileAndKeepsOldOne()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"labels.rtf"_s);
    ImageListDocument first;
    first.appendText(u"first"_s);
    QVERIFY(saveRtfFile(path, first).ok);

    // A folder that is not there cannot take the file; the message names it.
    const QString missing = folder.filePath(u"no-such-folder/labels.rtf"_s);
    const SaveResult failed = saveRtfFile(missing, first);
    QVERIFY(!failed.ok);
    QVERIFY2(failed.message.contains(u"labels.rtf"_s), qPrintable(failed.message));

    QCOMPARE(readRtfFile(path).document.text(), u"first"_s);
}

QTEST_GUILESS_MAIN(TestImageListRtf)
#include "tst_image_list_rtf.moc"
