// ReportConverterError: the message for every result code, the "To big a Tiff" question and
// its effect on TiffRetryState, the pointer reset, the memory rule and the diagnostic box, all
// as the user sees them through the prompt.

#include "export_test_support.h"
#include "recording_prompt.h"

#include "export/converter_errors.h"
#include "export/tiff_state.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMimeData>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

Q_DECLARE_METATYPE(Kelbrix::PromptAnswer)

namespace {

void verifyTiffError(const PromptRequest &request, const QString &text)
{
    QCOMPARE(request.text, text);
    QCOMPARE(request.title, u"TIFF Error"_s);
    QCOMPARE(request.icon, PromptIcon::Exclamation);
    QCOMPARE(request.buttons, PromptButtons::Ok);
    QCOMPARE(request.helpContext, 0);
}

} // namespace

class TestConverterErrors : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void plainMessages_data();
    void plainMessages();
    void tooLarge_data();
    void tooLarge();
    void fileNotFoundResetsPointer();
    void insufficientMemory_data();
    void insufficientMemory();
    void diagnosticBox_data();
    void diagnosticBox();
};

void TestConverterErrors::init()
{
    TiffRetryState.clear();
    TiffResolution = 1200;
    setConverterErrorContext({});
    QGuiApplication::clipboard()->clear();
}

void TestConverterErrors::cleanup()
{
    TiffRetryState.clear();
    setConverterErrorContext({});
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void TestConverterErrors::plainMessages_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");

    const QList<std::pair<int, QString>> rows = {
        {32209, u"Disk Full Error"_s},
        {32210, u"File Already Exists"_s},
        {32211, u"Error Opening file"_s},
        {32212, u"Error Deleting File"_s},
        {32214, u"Error Locking DIB when Writing"_s},
        {32502, u"Unsupported Image Format"_s},
        {32503, u"Error Reading from File"_s},
        {32507, u"Internal Error (unknown errors)"_s},
        {32508, u"Internal Error (unknown errors)"_s},
        {32509, u"Internal Error (unknown errors)"_s},
        {32513, u"Internal Error (unknown errors)"_s},
        {32514, u"Internal Error (unknown errors)"_s},
        {32511, u"Error Printing Image"_s},
        {32512, u"Printer does not support Bitmaps"_s},
        {32515, u"Missing DIL File"_s},
        {33202, u"Missing DEL File"_s},
        {33204, u"Error Writing Data to Disk."_s},
        {33205, u"Insufficient Memory"_s},
        {33206, u"Internal Error Writing Image Data"_s},
        {33208, u"Bad Dynamic Export Library"_s},
        {-100, u"Missing Parameter Element(s)"_s},
        // Codes outside the table, among them neighbours of listed ones.
        {32213, u"Unknown Error, Error Code=32213"_s},
        {32505, u"Unknown Error, Error Code=32505"_s},
        {32510, u"Unknown Error, Error Code=32510"_s},
        {33207, u"Unknown Error, Error Code=33207"_s},
        {100, u"Unknown Error, Error Code=100"_s},
        {-101, u"Unknown Error, Error Code=-101"_s},
        {-2147483647 - 1, u"Unknown Error, Error Code=-2147483648"_s},
    };
    for (const auto &[code, text] : rows)
        QTest::addRow("%d", code) << code << text;
}

void TestConverterErrors::plainMessages()
{
    QFETCH(int, code);
    QFETCH(QString, text);

    RecordingPrompt prompt;
    ReportConverterError(code);
    QCOMPARE(prompt.asked.size(), 1);
    verifyTiffError(prompt.asked.first(), text);
    QCOMPARE(TiffRetryState, QString());
}

void TestConverterErrors::tooLarge_data()
{
    QTest::addColumn<QString>("stateBefore");
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<int>("boxes");
    QTest::addColumn<QString>("stateAfter");

    QTest::newRow("fresh, Yes") << QString() << PromptAnswer::Yes << 2 << u"Unspecified"_s;
    QTest::newRow("fresh, No") << QString() << PromptAnswer::No << 2 << u"No"_s;
    QTest::newRow("fresh, box closed") << QString() << PromptAnswer::Cancel << 2 << u"Unspecified"_s;
    QTest::newRow("after No, Yes") << u"No"_s << PromptAnswer::Yes << 2 << u"Unspecified"_s;
    QTest::newRow("while retrying") << u"Unspecified"_s << PromptAnswer::No << 0 << u"Unspecified"_s;
}

void TestConverterErrors::tooLarge()
{
    QFETCH(QString, stateBefore);
    QFETCH(PromptAnswer, answer);
    QFETCH(int, boxes);
    QFETCH(QString, stateAfter);

    RecordingPrompt prompt;
    prompt.answers.enqueue(PromptAnswer::Ok);
    prompt.answers.enqueue(answer);
    TiffRetryState = stateBefore;
    TiffResolution = 2400;
    ReportConverterError(32501);
    QCOMPARE(prompt.asked.size(), boxes);
    QCOMPARE(TiffRetryState, stateAfter);
    if (boxes == 0)
        return;
    verifyTiffError(prompt.asked.at(0), u"Unspecified Internal Error"_s);
    const PromptRequest &question = prompt.asked.at(1);
    QCOMPARE(question.text,
             u"Can't make a 2400 dpi file. But you can try again, but the size might not be right, continue ?"_s);
    QCOMPARE(question.title, u"To big a Tiff"_s);
    QCOMPARE(question.icon, PromptIcon::Question);
    QCOMPARE(question.buttons, PromptButtons::YesNo);
    QCOMPARE(question.helpContext, 820);
}

void TestConverterErrors::fileNotFoundResetsPointer()
{
    RecordingPrompt prompt;
    // The hourglass, set twice by nested steps, is gone after the message.
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ReportConverterError(32504);
    QCOMPARE(prompt.asked.size(), 1);
    verifyTiffError(prompt.asked.first(), u"File Not Found"_s);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

    // A main window that shows its pointer another way says how to reset it.
    int resets = 0;
    ConverterErrorContext context;
    context.restoreDefaultPointer = [&resets] { ++resets; };
    setConverterErrorContext(context);
    ReportConverterError(32504);
    QCOMPARE(resets, 1);
    ReportConverterError(32503);
    QCOMPARE(resets, 1);
    QCOMPARE(prompt.texts(), (QStringList{u"File Not Found"_s, u"File Not Found"_s, u"Error Reading from File"_s}));
}

void TestConverterErrors::insufficientMemory_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("stateBefore");
    QTest::addColumn<QString>("stateAfter");

    QTest::newRow("32506 while retrying stops") << 32506 << u"Unspecified"_s << u"No"_s;
    QTest::newRow("32506 fresh") << 32506 << QString() << QString();
    QTest::newRow("32506 after No") << 32506 << u"No"_s << u"No"_s;
    QTest::newRow("33205 while retrying") << 33205 << u"Unspecified"_s << u"Unspecified"_s;
}

void TestConverterErrors::insufficientMemory()
{
    QFETCH(int, code);
    QFETCH(QString, stateBefore);
    QFETCH(QString, stateAfter);

    RecordingPrompt prompt;
    TiffRetryState = stateBefore;
    ReportConverterError(code);
    QCOMPARE(prompt.asked.size(), 1);
    verifyTiffError(prompt.asked.first(), u"Insufficient Memory"_s);
    QCOMPARE(TiffRetryState, stateAfter);
}

void TestConverterErrors::diagnosticBox_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("context");
    QTest::addColumn<QStringList>("texts");

    const QString unsupported = u"Unsupported Export Format"_s;
    QTest::newRow("33203, SVG on the clipboard")
        << 33203 << u"svg"_s << true << QStringList{unsupported, u"E130 # 5012345678900 # Pic=True"_s};
    QTest::newRow("33203, symbol on the clipboard")
        << 33203 << u"symbol"_s << true << QStringList{unsupported, u"E130 # 5012345678900 # Pic=True"_s};
    QTest::newRow("33203, bitmap only") << 33203 << u"image"_s << true
                                        << QStringList{unsupported, u"E130 # 5012345678900 # Pic=False"_s};
    QTest::newRow("33203, empty clipboard")
        << 33203 << u"empty"_s << true << QStringList{unsupported, u"E130 # 5012345678900 # Pic=False"_s};
    QTest::newRow("33211, empty clipboard")
        << 33211 << u"empty"_s << true << QStringList{u"E130 # 5012345678900 # Pic(2)=False"_s};
    QTest::newRow("33211, SVG on the clipboard")
        << 33211 << u"svg"_s << true << QStringList{u"E130 # 5012345678900 # Pic(2)=True"_s};
    QTest::newRow("33211, nothing installed") << 33211 << u"empty"_s << false << QStringList{u" #  # Pic(2)=False"_s};
}

void TestConverterErrors::diagnosticBox()
{
    QFETCH(int, code);
    QFETCH(QString, clipboard);
    QFETCH(bool, context);
    QFETCH(QStringList, texts);

    if (clipboard == u"svg") {
        putSymbolOnClipboard(ean13Geometry(), QSize(226, 120), true);
        // Only the picture formats count, not the geometry beside it.
        auto *data = new QMimeData;
        data->setData(u"image/svg+xml"_s, QGuiApplication::clipboard()->mimeData()->data(u"image/svg+xml"_s));
        QGuiApplication::clipboard()->setMimeData(data);
    } else if (clipboard == u"symbol") {
        putSymbolOnClipboard(ean13Geometry(), QSize());
    } else if (clipboard == u"image") {
        QImage image(20, 10, QImage::Format_RGB32);
        image.fill(Qt::white);
        putImageOnClipboard(image);
    }
    if (context) {
        ConverterErrorContext installed;
        installed.typeCode = [] { return u"E130"_s; };
        installed.tiffBarcodeData = [] { return u"5012345678900"_s; };
        setConverterErrorContext(installed);
    }

    RecordingPrompt prompt;
    ReportConverterError(code);
    QCOMPARE(prompt.texts(), texts);
    if (texts.size() == 2)
        verifyTiffError(prompt.asked.first(), texts.first());
    const PromptRequest &box = prompt.asked.last();
    QCOMPARE(box.title, applicationTitle());
    QCOMPARE(box.icon, PromptIcon::NoIcon);
    QCOMPARE(box.buttons, PromptButtons::Ok);
    QCOMPARE(box.helpContext, 0);
}

QTEST_MAIN(TestConverterErrors)
#include "tst_converter_errors.moc"
