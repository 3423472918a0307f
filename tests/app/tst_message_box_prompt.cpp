// The real message boxes: exact texts and buttons, and a Help button that opens the help at
// its context without answering the question.
#include "app/help_window.h"
#include "app/message_box_prompt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

class TestMessageBoxPrompt : public QObject {
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
    void helpButtonOpensContextAndKeepsAsking();
};

namespace {

QMessageBox *openBox()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
            return box;
    }
    return nullptr;
}

// Presses the button of \a which in the message box as soon as it shows.
void pressWhenShown(QMessageBox::StandardButton which, QStringList *seen = nullptr)
{
    QTimer::singleShot(0, [which, seen] {
        QMessageBox *box = openBox();
        if (!box) {
            pressWhenShown(which, seen);
            return;
        }
        if (seen)
            *seen = QStringList{box->windowTitle(), box->text()};
        box->button(which)->click();
    });
}

} // namespace

void TestMessageBoxPrompt::answers_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("press");
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes") << int(PromptButtons::YesNo) << int(QMessageBox::Yes) << int(PromptAnswer::Yes);
    QTest::newRow("No") << int(PromptButtons::YesNo) << int(QMessageBox::No) << int(PromptAnswer::No);
    QTest::newRow("OK") << int(PromptButtons::Ok) << int(QMessageBox::Ok) << int(PromptAnswer::Ok);
    QTest::newRow("Retry") << int(PromptButtons::RetryCancel) << int(QMessageBox::Retry) << int(PromptAnswer::Retry);
    QTest::newRow("Cancel") << int(PromptButtons::RetryCancel) << int(QMessageBox::Cancel)
                            << int(PromptAnswer::Cancel);
}

void TestMessageBoxPrompt::answers()
{
    QFETCH(int, buttons);
    QFETCH(int, press);
    QFETCH(int, answer);
    MessageBoxPrompt prompt;
    QStringList seen;
    pressWhenShown(QMessageBox::StandardButton(press), &seen);
    const PromptAnswer got =
        prompt.ask({u"Do you want to Quit ?."_s, u"Exit."_s, PromptIcon::Question, PromptButtons(buttons), 0});
    QCOMPARE(int(got), answer);
    QCOMPARE(seen, (QStringList{u"Exit."_s, u"Do you want to Quit ?."_s}));
}

void TestMessageBoxPrompt::helpButtonOpensContextAndKeepsAsking()
{
    MessageBoxPrompt prompt;
    int shown = 0;
    QTimer::singleShot(0, [&shown] {
        QMessageBox *box = openBox();
        QVERIFY(box);
        ++shown;
        QVERIFY(box->button(QMessageBox::Help));
        box->button(QMessageBox::Help)->click();
        // The question comes back after the help opened; answer it now.
        pressWhenShown(QMessageBox::No);
    });
    const PromptAnswer got =
        prompt.ask({u"Do you want to Quit ?."_s, u"Exit."_s, PromptIcon::Question, PromptButtons::YesNo, 3010});
    QCOMPARE(got, PromptAnswer::No);
    QCOMPARE(shown, 1);
    QVERIFY(HelpWindow::instance());
    QVERIFY(HelpWindow::instance()->isVisible());
    QCOMPARE(HelpWindow::instance()->currentAnchor(), u"context-3010"_s);
}

QTEST_MAIN(TestMessageBoxPrompt)
#include "tst_message_box_prompt.moc"
