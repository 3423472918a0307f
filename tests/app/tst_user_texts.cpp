// The texts a user reads, compared with one golden file: every runtime error message with
// its title, every menu entry of the main window, and the status-bar hint of every control.
// The texts are collected from the running program, so the golden file is the one place a
// reviewer reads them, typos and all. Run with KELBRIX_UPDATE_GOLDEN=1 to rewrite the file
// after a deliberate change, and review the difference.
// The Language menu: "Svenska" and "English" switch every window at once, and "Spara/Save"
// keeps the choice for the next start. The help, in both languages, opens where it is asked for.
#include "user_text_lines.h"

#include "export/batch_stop.h"
#include "windows/frm_tiff.h"
#include "windows/help_window.h"
#include "windows/message_box_prompt.h"
#include "size_driver.h"

#include <QDir>
#include <QMessageBox>
#include <QTextBrowser>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

// Texts that read the same in Swedish on purpose: the program's name, which titles some
// messages, the language names and the command that serves both, and the empty hints.
const QStringList kKeptTexts{u"Kelbrix"_s, u"English"_s, u"Svenska"_s, u"Spara/Save"_s, QString()};

// The texts one line of the user-texts walk shows: an error's title and message, a menu's or
// menu item's caption, a control's hint.
QStringList textsOf(const QString &line)
{
    const QStringList fields = line.split(u" | "_s);
    if (line.startsWith(u"error "_s))
        return fields.value(1) == u"(nothing)"_s ? QStringList{} : QStringList{fields.value(1), fields.value(2)};
    if (line.startsWith(u"menu "_s))
        return {fields.value(0).split(u" > "_s).last()};
    if (line.startsWith(u"hint "_s))
        return {fields.value(1)};
    return {};
}

QStringList goldenLines()
{
    QStringList lines = QString::fromUtf8(fileBytes(goldenPath())).split(u'\n');
    lines.removeLast(); // the file ends with a line break
    return lines;
}

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

class TestUserTexts : public QObject, public Form1Fixture {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(help); }
    void init() { open(); }
    void cleanup() { close(); }

    void matchGoldenFile()
    {
        const QStringList lines = userTextLines(m_form);
        if (qEnvironmentVariableIsSet("KELBRIX_UPDATE_GOLDEN")) {
            QVERIFY(writeFileBytes(goldenPath(), (lines.join(u'\n') + u'\n').toUtf8()));
            QSKIP("golden file rewritten");
        }
        const QStringList expected = goldenLines();
        // Name the first line that differs, so a failure says which text changed.
        for (qsizetype i = 0; i < std::max(lines.size(), expected.size()); ++i) {
            const QString want = i < expected.size() ? expected.at(i) : u"(end of file)"_s;
            const QString got = i < lines.size() ? lines.at(i) : u"(end of output)"_s;
            QVERIFY2(want == got, qPrintable(u"line "_s + QString::number(i + 1) + u"\n expected: "_s + want +
                                             u"\n actual:   "_s + got));
        }
    }

    void switchesEveryTextAndKeepsTheWork()
    {
        addRecord(u"501234567890"_s, u"Soap"_s);
        typeInto(child<QLineEdit>(u"txtFree"_s), u"typed"_s);
        const QImage label = child<LabelPicture>(u"picTST"_s)->image();
        // The golden file's walk, with the commands the record enables.
        const QStringList english = userTextLines(m_form);
        const QStringList golden = goldenLines();
        QCOMPARE(english.size(), golden.size());
        for (qsizetype i = 0; i < golden.size(); ++i)
            QCOMPARE(textsOf(english[i]), textsOf(golden[i]));

        // The hint on show changes with the rest.
        enter(child<QLineEdit>(u"txtFree"_s));
        child<QAction>(u"mnuSvenska"_s)->trigger();
        QCOMPARE(child<QLabel>(u"StatusHint"_s)->text(), u"Fritext: Skriv in din information här."_s);
        const QStringList swedish = userTextLines(m_form);
        QCOMPARE(swedish.size(), english.size());
        for (qsizetype i = 0; i < english.size(); ++i) {
            const QStringList was = textsOf(english[i]);
            const QStringList now = textsOf(swedish[i]);
            QCOMPARE(now.size(), was.size());
            for (qsizetype t = 0; t < was.size(); ++t) {
                const QString why = u"line "_s + QString::number(i + 1) + u": "_s + swedish[i];
                if (kKeptTexts.contains(was[t]))
                    QVERIFY2(now[t] == was[t], qPrintable(why));
                else
                    QVERIFY2(!now[t].isEmpty() && now[t] != was[t], qPrintable(why));
            }
        }
        // The captions built from the window's state.
        QCOMPARE(child<QAction>(u"mnulange"_s)->text(), u"&Språk"_s);
        QCOMPARE(child<QAction>(u"mnuHelp"_s)->text(), u"&Kelbrix. Hjälp"_s);
        QCOMPARE(child<QAction>(u"mnuAbout"_s)->text(), u"Om Kelbrix. "_s);
        auto *list = child<QTreeView>(u"ListView3"_s);
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), u"Produkt"_s);

        child<QAction>(u"mnuEnglish"_s)->trigger();
        QCOMPARE(userTextLines(m_form), english);
        // What the user typed, the list and the label are as they were.
        QCOMPARE((QStringList{child<QLineEdit>(u"TxtStreck"_s)->text(), child<QLineEdit>(u"txtProduct"_s)->text(),
                              child<QLineEdit>(u"txtFree"_s)->text()}),
                 (QStringList{u"501234567890"_s, u"Soap"_s, u"typed"_s}));
        QCOMPARE(m_form->listCount(), 1);
        QCOMPARE(m_form->list().record(1).product, u"Soap"_s);
        QCOMPARE(child<LabelPicture>(u"picTST"_s)->image(), label);

        // The caption names the supplement in the language of the moment.
        clickOption(*m_form, u"chk2digit"_s);
        QVERIFY(m_form->windowTitle().endsWith(u" - 2 Digits"_s));
        child<QAction>(u"mnuSvenska"_s)->trigger();
        QVERIFY2(m_form->windowTitle().endsWith(u" - 2 siffror"_s), qPrintable(m_form->windowTitle()));
    }

    // A question asked by the export's library code, not by a window, follows the language too.
    void stopQuestionSpeaksTheLanguage()
    {
        child<QAction>(u"mnuSvenska"_s)->trigger();
        BatchStop request = BatchStop::Asked;
        m_prompt->answers.enqueue(PromptAnswer::No);
        QVERIFY(!confirmBatchStop(request));
        checkAsked(*m_prompt, u"Du har tryckt på Escape (ESC). Vill du avbryta?"_s, u"Avbryta eller fortsätta"_s,
                   PromptIcon::Question, PromptButtons::YesNo);
        child<QAction>(u"mnuEnglish"_s)->trigger();
    }

    void nextStartSpeaksTheSavedLanguage_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("fileMenu");
        QTest::newRow("Svenska, Spara/Save") << true << u"&Arkiv"_s;
        QTest::newRow("Svenska, not saved") << false << u"&File"_s;
    }

    void nextStartSpeaksTheSavedLanguage()
    {
        QFETCH(bool, save);
        QFETCH(QString, fileMenu);
        child<QAction>(u"mnuSvenska"_s)->trigger();
        if (save)
            child<QAction>(u"mnuLsave"_s)->trigger();
        QCOMPARE(ReadRegistryValue(Edition::Alla, u"Language"_s), save ? u"2"_s : QString());
        // The program ends without its exit and starts again on the same settings.
        close();
        start();
        QCOMPARE(child<QAction>(u"mnuFile"_s)->text(), fileMenu);
        QCOMPARE(child<QAction>(u"mnuEnglish"_s)->text(), u"English"_s);
    }

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

QTEST_MAIN(TestUserTexts)
#include "tst_user_texts.moc"
