#include "base/units.h"
#include "list/image_list_document.h"

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
        QFile expectation(path + u".json"_s);
        QVERIFY(expectation.open(QIODevice::ReadOnly));
        const QJsonObject expected = QJsonDocument::fromJson(expectation.readAll()).object();

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
};

QTEST_GUILESS_MAIN(TestImageListRtf)
#include "tst_image_list_rtf.moc"
