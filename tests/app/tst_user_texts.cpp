// The texts a user reads, compared with one golden file: every runtime error message with
// its title, every menu entry of the main window, and the status-bar hint of every control.
// The texts are collected from the running program, so the golden file is the one place a
// reviewer reads them, typos and all. Run with KELBRIX_UPDATE_GOLDEN=1 to rewrite the file
// after a deliberate change, and review the difference.
// The Language menu: "Svenska" and "English" switch every window at once, and "Spara/Save"
// keeps the choice for the next start.
#include "user_text_lines.h"

#include "export/batch_stop.h"
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

} // namespace

class TestUserTexts : public QObject, public Form1Fixture {
    Q_OBJECT

private slots:
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
};

QTEST_MAIN(TestUserTexts)
#include "tst_user_texts.moc"
