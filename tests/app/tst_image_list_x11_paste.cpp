// Pasting into the image list on a real X display (Xvfb, started here): with a clipboard that
// has no owner, and with HTML from another program that names a FIFO as a picture. The pastes
// run in child processes of this program on that display, so a crash or a hang shows as such.
#include "app/image_list_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

const QString kOwnHtml = u"--own-html"_s;
const QString kPaste = u"--paste"_s;

// The helper that owns the clipboard: offers \a html (and nothing else) on the clipboard and the
// selection, says "ready", and serves the clipboard until it is ended.
int ownHtml(const QString &html)
{
    auto *data = new QMimeData;
    data->setHtml(html);
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
    auto *selection = new QMimeData;
    selection->setHtml(html);
    QGuiApplication::clipboard()->setMimeData(selection, QClipboard::Selection);
    std::puts("ready");
    std::fflush(stdout);
    return QApplication::exec();
}

// The helper that pastes: Ctrl+V and a middle click into the image list, then prints what the
// list holds.
int paste()
{
    ImageListEdit list;
    list.resize(400, 300);
    list.show();
    QTest::keyClick(&list, Qt::Key_V, Qt::ControlModifier);
    QTest::mouseClick(list.viewport(), Qt::MiddleButton, Qt::NoModifier, QPoint(20, 20));
    std::printf("pictures=%d text=%s\n", list.pictureCount(), qPrintable(list.toPlainText().simplified()));
    return 0;
}

} // namespace

class TestImageListX11Paste : public QObject {
    Q_OBJECT

    QProcess m_xvfb;
    QString m_display;
    QTemporaryDir m_dir;

    QProcessEnvironment onDisplay() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DISPLAY"_s, m_display);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        return environment;
    }

    // Runs the pasting helper and compares what it printed; a crash or a hang fails.
    void checkPaste(const QString &expected)
    {
        QProcess helper;
        helper.setProcessEnvironment(onDisplay());
        helper.start(QCoreApplication::applicationFilePath(), {kPaste});
        const bool ended = helper.waitForFinished(60000);
        if (!ended)
            helper.kill();
        helper.waitForFinished();
        QVERIFY2(ended, "the paste hangs");
        QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
        QCOMPARE(helper.exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(helper.readAllStandardOutput()).trimmed(), expected);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // Xvfb picks a free display itself and writes its number on the descriptor given.
        m_xvfb.start(u"Xvfb"_s,
                     {u"-displayfd"_s, u"1"_s, u"-nolisten"_s, u"tcp"_s, u"-screen"_s, u"0"_s, u"800x600x24"_s});
        if (!m_xvfb.waitForStarted(10000))
            QSKIP("Xvfb could not start (is the xvfb package installed?); no paste on a real X display is tested");
        while (!m_xvfb.canReadLine() && m_xvfb.waitForReadyRead(20000)) {
        }
        const QByteArray number = m_xvfb.readLine().trimmed();
        if (number.isEmpty() || m_xvfb.state() != QProcess::Running)
            QSKIP(
                qPrintable(u"Xvfb did not give a display: "_s + QString::fromLocal8Bit(m_xvfb.readAllStandardError())));
        m_display = u":"_s + QString::fromLatin1(number);
    }
    void cleanupTestCase()
    {
        if (m_xvfb.state() != QProcess::NotRunning) {
            m_xvfb.terminate();
            m_xvfb.waitForFinished(10000);
        }
    }

    // A fresh display: no program owns the clipboard or the selection.
    void clipboardWithoutOwner() { checkPaste(u"pictures=0 text="_s); }

    // The text of the HTML goes in; the FIFO it names as a picture is never opened (which would
    // wait for a writer for ever).
    void htmlNamingAFifo()
    {
        const QString fifo = m_dir.filePath(u"picture.png"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QProcess owner;
        owner.setProcessEnvironment(onDisplay());
        owner.start(QCoreApplication::applicationFilePath(),
                    {kOwnHtml, u"<p>Soap <img src=\"file://"_s + fifo + u"\"> 5012345678900</p>"_s});
        QVERIFY(owner.waitForReadyRead(30000));
        QCOMPARE(owner.readLine().trimmed(), QByteArray("ready"));

        checkPaste(u"pictures=0 text=Soap 5012345678900Soap 5012345678900"_s);
        owner.kill();
        owner.waitForFinished();
    }
};

int main(int argc, char *argv[])
{
    const QString mode = argc >= 2 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == kOwnHtml || mode == kPaste) {
        QApplication app(argc, argv);
        return mode == kPaste ? paste() : ownHtml(argc >= 3 ? QString::fromLocal8Bit(argv[2]) : QString());
    }
    QCoreApplication app(argc, argv);
    TestImageListX11Paste test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_image_list_x11_paste.moc"
