#include "base/runtime_errors.h"
#include "base/safe_save.h"
#include "test_helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <sys/stat.h>

using namespace Kelbrix;
using namespace Kelbrix::Test;
using namespace Qt::Literals::StringLiterals;

namespace {

SaveResult saveText(const QString &path, const QByteArray &bytes)
{
    return saveFileSafely(path, [&](QIODevice &device) { return device.write(bytes) == bytes.size(); });
}

} // namespace

class TestSafeSave : public QObject {
    Q_OBJECT

private slots:
    void failedFlushToDiskKeepsOldFile()
    {
        for (const auto &[faults, runtimeError] : {std::pair(SaveFaults{EIO, 0}, int(RuntimeError::DeviceIoError)),
                                                   std::pair(SaveFaults{0, ENOSPC}, int(RuntimeError::DiskFull))}) {
            QTemporaryDir dir;
            const QString path = dir.filePath(u"list.qz2"_s);
            QVERIFY(saveText(path, "old contents").ok);
            setSaveFaultsForTesting(faults);
            const SaveResult result = saveText(path, "new contents");
            setSaveFaultsForTesting({});
            QCOMPARE(std::pair(result.ok, result.runtimeError), std::pair(false, runtimeError));
            QVERIFY(result.message.contains(QDir::toNativeSeparators(path)));
            QCOMPARE(fileBytes(path), QByteArray("old contents"));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"list.qz2"_s});
        }
    }

    // Files saved as a group appear under their names only at the commit, each whole; one that
    // fails keeps its old file and the others still go in place.
    void groupedSavesCommitTogether()
    {
        for (const auto &[faults, committed] :
             {std::pair(SaveFaults{}, QList<bool>{true, true, true}),
              std::pair(SaveFaults{0, 0, EIO, 2}, QList<bool>{true, false, true}), // the second rename fails
              std::pair(SaveFaults{EIO, 0, 0, 0}, QList<bool>{false, false, false})}) {
            QTemporaryDir dir;
            const QStringList names{u"a.tif"_s, u"b.tif"_s, u"c.tif"_s};
            QVERIFY(saveText(dir.filePath(names[0]), "old a").ok && saveText(dir.filePath(names[1]), "old b").ok);
            QList<GroupedSave> group;
            for (const QString &name : names) {
                GroupedSave save;
                QVERIFY(!beginGroupedSave(dir.filePath(name), save));
                QVERIFY(
                    writeGroupedSave(save, [&](QIODevice &device) { return device.write(name.toLatin1()) > 0; }).ok);
                group.append(save);
            }
            QCOMPARE(fileBytes(dir.filePath(names[0])), QByteArray("old a"));
            QVERIFY(!QFile::exists(dir.filePath(names[2])));
            setSaveFaultsForTesting(faults);
            const QList<SaveResult> results = commitGroupedSaves(group);
            setSaveFaultsForTesting({});
            QCOMPARE(results.size(), 3);
            const QByteArrayList old{"old a", "old b", {}};
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(std::pair(results[i].ok, results[i].runtimeError),
                         std::pair(committed[i], committed[i] ? 0 : int(RuntimeError::DeviceIoError)));
                QCOMPARE(fileBytes(dir.filePath(names[i])), committed[i] ? names[i].toLatin1() : old[i]);
            }
            QVERIFY(group.isEmpty());
            QCOMPARE(QDir(dir.path()).entryList({u".*"_s}, QDir::Files | QDir::Hidden), QStringList());
        }
    }

    // Only the temporary files of grouped saves are taken for leftovers.
    void removesOnlyGroupedSaveLeftovers()
    {
        QTemporaryDir dir;
        const QStringList kept{u"notes.kelbrix-part"_s, u".kelbrix-part"_s, u".a.tif.1x.tmp"_s, u"b.tif"_s};
        for (const QString &name : kept + QStringList{u".b.tif.3kz9.kelbrix-part"_s})
            QVERIFY(saveText(dir.filePath(name), "x").ok);
        QCOMPARE(removeGroupedSaveLeftovers(dir.path()), 1);
        QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        QStringList expected = kept;
        expected.sort();
        QCOMPARE(left, expected);
    }

    // A kill between the temporary file and its rename leaves one of these beside the file.
    void removesOnlyLeftoversOfItsFile()
    {
        QTemporaryDir dir;
        const QStringList kept{u".sscc.txt.tmp"_s,
                               u".sscc.txt.A1.tmp"_s,
                               u"sscc.txt.3kz9.tmp"_s,
                               u".other.txt.3kz9.tmp"_s,
                               u".sscc.txt.3kz9.kelbrix-part"_s,
                               u"sscc.txt"_s};
        for (const QString &name : kept + QStringList{u".sscc.txt.3kz9.tmp"_s, u".sscc.txt.0.tmp"_s})
            QVERIFY(saveText(dir.filePath(name), "x").ok);
        QCOMPARE(removeSaveLeftovers(dir.filePath(u"sscc.txt"_s)), 2);
        QStringList expected = kept;
        expected.sort();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
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
        QCOMPARE(fileBytes(real), QByteArray("new"));
        QCOMPARE(QFile::permissions(real), before);
    }
};

QTEST_GUILESS_MAIN(TestSafeSave)
#include "tst_safe_save.moc"
