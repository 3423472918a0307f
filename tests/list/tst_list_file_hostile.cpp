// A FIFO refused, a damaged file read part way, UTF-8 saved only when the user agrees.

#include "list/list_files.h"
#include "recording_prompt.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/types.h>

using namespace Kelbrix;
using namespace Kelbrix::Test;
using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray qz2Record(const QByteArray &product)
{
    return '"' + product + "\"\r\n\"4006381333931\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n";
}

} // namespace

class TestListFileHostile : public QObject {
    Q_OBJECT

private slots:
    void refusesWhatIsNoRegularFile();
    void saysHowMuchWasRead();
    void savingWhatTheCodePageCannotHold_data();
    void savingWhatTheCodePageCannotHold();
    void listsThatFitAreSavedAsBefore();
};

void TestListFileHostile::refusesWhatIsNoRegularFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"pipe.qz2"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const ListReadResult result = readListFile(path);
    QCOMPARE(result.runtimeError, 75);
    QVERIFY(result.refusedUnread && !result.complete() && result.recordsRead() == 0);
    QVERIFY(result.message.contains(QDir::toNativeSeparators(path)));
    QVERIFY(incompleteReadStatus(result, path).contains(u"was not read"_s));
}

void TestListFileHostile::saysHowMuchWasRead()
{
    QTemporaryDir dir;
    // The third record has an unquoted Product field.
    const QByteArray bytes = qz2Record("A") + qz2Record("B") + qz2Record("E132").replace("\"E132\"", "E132");
    const QString damaged = dir.filePath(u"damaged.qz2"_s);
    QVERIFY(writeFile(damaged, bytes));
    const ListReadResult partial = readListFile(damaged);
    QVERIFY(!partial.complete() && !partial.refusedUnread);
    QCOMPARE(partial.recordsRead(), 2);
    QCOMPARE(incompleteReadStatus(partial, damaged), u"Read 2 records of \""_s + QDir::toNativeSeparators(damaged) +
                                                         u"\"; the rest of the file could not be read."_s);

    const ListReadResult whole = readListFile(QFINDTESTDATA("../data/qz2/pass/basic.qz2"));
    QVERIFY(whole.complete() && !whole.refusedUnread && whole.recordsRead() == 4);
    QVERIFY(incompleteReadStatus(whole, u"basic.qz2"_s).isEmpty());
}

void TestListFileHostile::savingWhatTheCodePageCannotHold_data()
{
    QTest::addColumn<PromptAnswer>("answer");
    QTest::newRow("Yes: UTF-8 with a byte-order mark") << PromptAnswer::Yes;
    QTest::newRow("No: refused, old file kept") << PromptAnswer::No;
}

void TestListFileHostile::savingWhatTheCodePageCannotHold()
{
    QFETCH(PromptAnswer, answer);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"list.qz2"_s);
    QVERIFY(writeFile(path, "old"));
    const QList<ListRecord> records{{u"Milk"_s, u"4006381333931"_s, {}, {}, u"E130"_s},
                                    {u"50%1 off Łódź"_s, u"4006381333931"_s, {}, u"€ 3"_s, u"E130"_s},
                                    {u"Ωmega"_s, u"4006381333931"_s, {}, {}, u"E130"_s}};
    RecordingPrompt prompt;
    prompt.answers.enqueue(answer);
    const ListWriteResult result = saveListFileAsking(path, records);

    QCOMPARE(prompt.asked.size(), 1);
    const PromptRequest &question = prompt.asked.first();
    QCOMPARE(std::pair(question.buttons, question.icon), std::pair(PromptButtons::YesNo, PromptIcon::Question));
    QVERIFY(question.text.contains(u"Record 2 (\"50%1 off Łódź\")"_s) && question.text.contains(u"\"Ł\" (U+0141)"_s));
    QVERIFY(question.text.contains(u"UTF-8 with a byte-order mark"_s) &&
            question.text.contains(u"Older programs may show such characters wrongly"_s));

    if (answer == PromptAnswer::Yes) {
        QVERIFY(result.ok);
        QVERIFY(contentOf(path).startsWith("\xEF\xBB\xBF\"Milk\"\r\n"));
        const ListReadResult back = readListFile(path);
        QVERIFY(back.complete() && back.utf8);
        QCOMPARE(back.records, records);
    } else {
        QVERIFY(!result.ok);
        QVERIFY(result.message.contains(u"50%1 off Łódź"_s) && result.message.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(contentOf(path), QByteArray("old"));
    }
}

void TestListFileHostile::listsThatFitAreSavedAsBefore()
{
    QTemporaryDir dir;
    const QList<ListRecord> records{{u"Café \"Noir\""_s, u"4006381333931"_s, u"12"_s, u"€ 3"_s, u"E132"_s}};
    RecordingPrompt prompt;
    QVERIFY(saveListFileAsking(dir.filePath(u"a.qz2"_s), records).ok);
    QVERIFY(prompt.asked.isEmpty());
    QCOMPARE(contentOf(dir.filePath(u"a.qz2"_s)),
             QByteArray("\"Caf\xE9 \"Noir\"\"\r\n\"4006381333931\"\r\n\"12\"\r\n\"\x80 3\"\r\n\"E132\"\r\n"));
    // A line break is no matter of the code page: refused without a question.
    const QList<ListRecord> broken{{u"two\nlines"_s, u"4006381333931"_s, {}, {}, u"E130"_s}};
    QVERIFY(!saveListFileAsking(dir.filePath(u"c.qz2"_s), broken).ok);
    QVERIFY(prompt.asked.isEmpty());
}

QTEST_GUILESS_MAIN(TestListFileHostile)
#include "tst_list_file_hostile.moc"
