// The help: every help context number used by the program's questions opens the help
// window at a section of its own, and each edition opens its own contents page.
#include "app/help_window.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestHelpWindow : public QObject {
    Q_OBJECT
private slots:
    void contexts_data();
    void contexts();
    void contents_data();
    void contents();
};

namespace {

QString resourceText(const QUrl &url)
{
    QFile file(u":"_s + url.path());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

void TestHelpWindow::contexts_data()
{
    QTest::addColumn<int>("context");
    for (int context : {810, 820, 3005, 3008, 3009, 3010, 3012, 3013, 3014, 3015, 3016, 3031})
        QTest::addRow("%d", context) << context;
}

void TestHelpWindow::contexts()
{
    QFETCH(int, context);
    HelpWindow::showContext(context);
    HelpWindow *help = HelpWindow::instance();
    QVERIFY(help && help->isVisible());
    const QString anchor = u"context-"_s + QString::number(context);
    QCOMPARE(help->currentAnchor(), anchor);
    QCOMPARE(help->currentSource().fragment(), anchor);
    const QString page = resourceText(help->currentSource());
    QVERIFY(page.contains(u"<a name=\""_s + anchor + u"\"></a>"_s));
    // The section names its number, so the user sees where the Help button brought them.
    QVERIFY(page.contains(u"("_s + QString::number(context) + u")</h2>"_s));
}

void TestHelpWindow::contents_data()
{
    QTest::addColumn<int>("edition");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");
    QTest::newRow("ALLA") << int(Edition::Alla) << u"/help/Barcode.html"_s << u"Kelbrix Help"_s;
    QTest::newRow("EAN") << int(Edition::Ean) << u"/help/BarcodeE.html"_s << u"EAN Kelbrix Help"_s;
    QTest::newRow("UPC") << int(Edition::Upc) << u"/help/BarcodeU.html"_s << u"UPC Kelbrix Help"_s;
}

void TestHelpWindow::contents()
{
    QFETCH(int, edition);
    QFETCH(QString, page);
    QFETCH(QString, title);
    HelpWindow::setEdition(Edition(edition));
    HelpWindow::showContents();
    HelpWindow *help = HelpWindow::instance();
    QCOMPARE(help->currentSource().path(), page);
    QCOMPARE(help->currentAnchor(), u"contents"_s);
    QVERIFY(resourceText(help->currentSource()).contains(u"<title>"_s + title + u"</title>"_s));
    // Escape closes the help.
    QApplication::setActiveWindow(help);
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help, Qt::Key_Escape);
    QVERIFY(!help->isVisible());
}

QTEST_MAIN(TestHelpWindow)
#include "tst_help_window.moc"
