#include "windows/frm_tiff.h"
#include "windows/help_window.h"
#include "windows/message_box_prompt.h"
#include "export_test_support.h"
#include "form1_driver.h"
#include "size_driver.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

QString resourceText(const QUrl &url)
{
    return QString::fromUtf8(fileBytes(u":"_s + url.path()));
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

QStringList anchors(const QString &html)
{
    QStringList names;
    for (const QRegularExpressionMatch &match : QRegularExpression(u"name=\"([^\"]+)\""_s).globalMatch(html))
        names.append(match.captured(1));
    names.sort();
    return names;
}

using Opener = std::function<void(Form1 &)>;

} // namespace

class TestHelpWindow : public QObject, public Form1Fixture {
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(help); }
    void cleanup() { close(); }

    // Every page and every anchor F1 or a question's Help button can ask for exists in both languages.
    void swedishPageHasTheAnchorsOfTheEnglish_data()
    {
        QTest::addColumn<QString>("page");
        const QStringList pages = QDir(u":/help"_s).entryList({u"*.html"_s}, QDir::Files);
        QVERIFY(pages.size() >= 9);
        for (const QString &page : pages)
            QTest::newRow(qPrintable(page)) << page;
    }
    void swedishPageHasTheAnchorsOfTheEnglish()
    {
        QFETCH(QString, page);
        const QString english = resourceText(QUrl(u"qrc:/help/"_s + page));
        const QString swedish = resourceText(QUrl(u"qrc:/help/sv/"_s + page));
        QVERIFY(!anchors(english).isEmpty());
        QCOMPARE(anchors(swedish), anchors(english));
        QVERIFY(swedish.contains(u'ä') || swedish.contains(u'å') || swedish.contains(u'ö'));
    }

    // F1 of each window, the help menu and a question's Help button open the page of the main
    // window's language at the same anchor.
    void helpFollowsTheLanguage_data()
    {
        QTest::addColumn<Opener>("opener");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("anchor");
        QTest::newRow("help menu") << Opener([](Form1 &form) { form.findChild<QAction *>(u"mnuHelp"_s)->trigger(); })
                                   << u"Barcode.html"_s << u"contents"_s;
        QTest::newRow("size window F1") << Opener([](Form1 &form) { QTest::keyClick(sizeWindow(form), Qt::Key_F1); })
                                        << u"size-window.html"_s << u"size"_s;
        QTest::newRow("TIFF window F1") << Opener([](Form1 &form) { QTest::keyClick(form.tiffWindow(), Qt::Key_F1); })
                                        << u"tiff-window.html"_s << u"tiff"_s;
        QTest::newRow("question's Help") << Opener([](Form1 &) {
            MessageBoxPrompt prompt;
            pressWhenShown(QMessageBox::Help);
            QTimer::singleShot(0, [] { pressWhenShown(QMessageBox::No); });
            prompt.ask({u"Do you want to Quit ?."_s, u"Exit."_s, PromptIcon::Question, PromptButtons::YesNo, 3010, {}});
        }) << u"contexts.html"_s << u"context-3010"_s;
    }
    void helpFollowsTheLanguage()
    {
        QFETCH(Opener, opener);
        QFETCH(QString, page);
        QFETCH(QString, anchor);
        open();
        QStringList titles;
        for (const QString &language : {u"mnuSvenska"_s, u"mnuEnglish"_s}) {
            child<QAction>(language)->trigger();
            opener(*m_form);
            HelpWindow *help = HelpWindow::instance();
            QVERIFY(help && help->isVisible());
            const QString folder = language == u"mnuSvenska"_s ? u"sv/"_s : QString();
            QCOMPARE(help->currentSource(), QUrl(u"qrc:/help/"_s + folder + page + u"#"_s + anchor));
            QCOMPARE(help->currentAnchor(), anchor);
            titles.append(help->findChild<QTextBrowser *>()->documentTitle());
        }
        // What the reader sees changes with the language.
        QVERIFY2(titles[0].contains(QRegularExpression(u"[åäö]"_s)), qPrintable(titles[0]));
        QVERIFY(!titles[1].isEmpty() && titles[1] != titles[0]);
    }

    // A question may name its buttons; each answers as the standard button in its place. Its Help
    // button opens the help at the question's context, and the question stays for an answer.
    void helpButtonAndCaptions()
    {
        MessageBoxPrompt prompt;
        QStringList seen;
        pressWhenShown(QMessageBox::Help);
        QTimer::singleShot(0, [&seen] { pressWhenShown(QMessageBox::No, &seen); });
        PromptRequest request{u"2 rows"_s, u"Import"_s, PromptIcon::Question, PromptButtons::YesNoCancel, 3010, {}};
        request.buttonTexts = {u"Keep all"_s, u"Skip all"_s, u"Cancel"_s};
        QCOMPARE(prompt.ask(request), PromptAnswer::No);
        QCOMPARE(seen, (QStringList{u"Import"_s, u"2 rows"_s, u"Keep all"_s, u"Skip all"_s, u"Cancel"_s}));
        QCOMPARE(HelpWindow::instance()->currentAnchor(), u"context-3010"_s);
        QVERIFY(resourceText(HelpWindow::instance()->currentSource()).contains(u"(3010)</h2>"_s));
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_help_window.moc"
