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

// Presses \a which once a message box shows; \a seen gets its title, text and the captions of
// its Yes, No and Cancel buttons that it has.
void pressWhenShown(QMessageBox::StandardButton which, QStringList *seen = nullptr)
{
    QTimer::singleShot(0, [which, seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return pressWhenShown(which, seen);
        if (seen) {
            *seen = QStringList{box->windowTitle(), box->text()};
            for (QMessageBox::StandardButton button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                if (box->button(button))
                    seen->append(box->button(button)->text());
        }
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
            prompt.ask({u"Do you want to Quit ?."_s, u"Exit."_s, PromptIcon::Question, PromptButtons::YesNo, 3010, {}}),
            PromptAnswer::No);
        QCOMPARE(seen.mid(0, 2), (QStringList{u"Exit."_s, u"Do you want to Quit ?."_s}));
        QCOMPARE(HelpWindow::instance()->currentAnchor(), u"context-3010"_s);
        QVERIFY(resourceText(HelpWindow::instance()->currentSource()).contains(u"(3010)</h2>"_s));
    }

    // A question may name its buttons; each answers as the standard button in its place.
    void buttonsCarryTheirCaptions()
    {
        MessageBoxPrompt prompt;
        QStringList seen;
        pressWhenShown(QMessageBox::No, &seen);
        PromptRequest request{u"2 rows"_s, u"Import"_s, PromptIcon::Question, PromptButtons::YesNoCancel, 0, {}};
        request.buttonTexts = {u"Keep all"_s, u"Skip all"_s, u"Cancel"_s};
        QCOMPARE(prompt.ask(request), PromptAnswer::No);
        QCOMPARE(seen, (QStringList{u"Import"_s, u"2 rows"_s, u"Keep all"_s, u"Skip all"_s, u"Cancel"_s}));
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_help_window.moc"
