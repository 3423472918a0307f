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
        QCOMPARE(HelpWindow::instance()->currentAnchor(), u"context-3010"_s);
        QVERIFY(resourceText(HelpWindow::instance()->currentSource()).contains(u"(3010)</h2>"_s));
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_help_window.moc"
