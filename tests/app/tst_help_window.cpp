#include "app/help_window.h"
#include "app/message_box_prompt.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

QString resourceText(const QUrl &url)
{
    QFile file(u":"_s + url.path());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Presses \a which in the next message box shown, noting its title and text in \a seen.
void pressWhenShown(QMessageBox::StandardButton which, QStringList *seen = nullptr)
{
    QTimer::singleShot(0, [which, seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return pressWhenShown(which, seen);
        if (seen)
            *seen = QStringList{box->windowTitle(), box->text()};
        box->button(which)->click();
    });
}

} // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT
private slots:
    void contexts()
    {
        for (int context : {810, 3031}) { // a message and a runtime error
            HelpWindow::showContext(context);
            const QString anchor = u"context-"_s + QString::number(context);
            QCOMPARE(HelpWindow::instance()->currentAnchor(), anchor);
            const QString page = resourceText(HelpWindow::instance()->currentSource());
            QVERIFY(page.contains(u"<a name=\""_s + anchor + u"\"></a>"_s));
            QVERIFY(page.contains(u"("_s + QString::number(context) + u")</h2>"_s));
        }
    }

    void contentsOfTheEditionCloseOnEscape()
    {
        HelpWindow::setEdition(Edition::Upc);
        HelpWindow::showContents();
        HelpWindow *help = HelpWindow::instance();
        QCOMPARE(help->currentAnchor(), u"contents"_s);
        QVERIFY(resourceText(help->currentSource()).contains(u"<title>UPC Kelbrix Help</title>"_s));
        QApplication::setActiveWindow(help);
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help, Qt::Key_Escape);
        QVERIFY(!help->isVisible());
    }

    void helpButtonOpensContextAndKeepsAsking()
    {
        MessageBoxPrompt prompt;
        QStringList seen;
        pressWhenShown(QMessageBox::Help);
        QTimer::singleShot(0, [&seen] { pressWhenShown(QMessageBox::No, &seen); });
        QCOMPARE(
            prompt.ask({u"Do you want to Quit ?."_s, u"Exit."_s, PromptIcon::Question, PromptButtons::YesNo, 3010}),
            PromptAnswer::No);
        QCOMPARE(seen, (QStringList{u"Exit."_s, u"Do you want to Quit ?."_s}));
        QVERIFY(HelpWindow::instance()->isVisible());
        QCOMPARE(HelpWindow::instance()->currentAnchor(), u"context-3010"_s);
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_help_window.moc"
