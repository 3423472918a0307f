#include "base/runtime_errors.h"
#include "base/safe_save.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <sys/stat.h>

using namespace Kelbrix;
using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

SaveResult saveText(const QString &path, const QByteArray &bytes)
{
    return saveFileSafely(path, [&](QIODevice &device) { return device.write(bytes) == bytes.size(); });
}

} // namespace

class TestSafeSave : public QObject {
    Q_OBJECT

private slots:
    void failedFlushToDiskKeepsOldFile_data()
    {
        QTest::addColumn<int>("syncError");
        QTest::addColumn<int>("closeError");
        QTest::addColumn<int>("runtimeError");
        QTest::newRow("fdatasync EIO") << EIO << 0 << RuntimeError::DeviceIoError;
        QTest::newRow("close ENOSPC") << 0 << ENOSPC << RuntimeError::DiskFull;
    }
    void failedFlushToDiskKeepsOldFile()
    {
        QFETCH(int, syncError);
        QFETCH(int, closeError);
        QFETCH(int, runtimeError);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"list.qz2"_s);
        QVERIFY(saveText(path, "old contents").ok);
        setSaveFaultsForTesting({syncError, closeError});
        const SaveResult result = saveText(path, "new contents");
        setSaveFaultsForTesting({});
        QCOMPARE(std::pair(result.ok, result.runtimeError), std::pair(false, runtimeError));
        QVERIFY(result.message.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(contentOf(path), QByteArray("old contents"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"list.qz2"_s});
    }

    void refusesTargetsThatAreNoRegularFile()
    {
        for (const bool throughLink : {false, true}) {
            QTemporaryDir dir;
            const QString special = dir.filePath(u"special"_s);
            QCOMPARE(::mkfifo(QFile::encodeName(special).constData(), 0600), 0);
            const QString path = throughLink ? dir.filePath(u"link"_s) : special;
            QVERIFY(!throughLink || QFile::link(special, path));
            const SaveResult result = saveText(path, "data");
            QCOMPARE(std::pair(result.ok, result.runtimeError),
                     std::pair(false, int(RuntimeError::PathFileAccessError)));
            QVERIFY(result.message.contains(QDir::toNativeSeparators(path)));
            struct stat status {};
            QCOMPARE(::lstat(QFile::encodeName(special).constData(), &status), 0);
            QVERIFY(S_ISFIFO(status.st_mode));
        }
    }

    void writesThroughSymbolicLinkKeepingPermissions()
    {
        QTemporaryDir dir;
        const QString real = dir.filePath(u"real.ini"_s), link = dir.filePath(u"link.ini"_s);
        QVERIFY(saveText(real, "old").ok && QFile::link(real, link));
        QVERIFY(QFile::setPermissions(real, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
        const QFileDevice::Permissions before = QFile::permissions(real);
        QVERIFY(saveText(link, "new").ok);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(contentOf(real), QByteArray("new"));
        QCOMPARE(QFile::permissions(real), before);
    }
};

QTEST_GUILESS_MAIN(TestSafeSave)
#include "tst_safe_save.moc"
