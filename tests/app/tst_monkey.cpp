// A thousand random user actions on the real main window; its list must then hold exactly the
// records the actions left there. KELBRIX_MONKEY_SEED replays a seed, KELBRIX_MONKEY_ACTIONS
// changes the number of actions.

#include "form1_driver.h"

#include "mainwindow/image_list_edit.h"

#include <QDialog>
#include <QDir>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>
#include <functional>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

namespace {

// Windows that could end the run or leave the process: quitting, and the browser. Swedish too:
// the run checks the questions it answers by their English texts.
const QStringList kNeverTriggered{u"mnuExit"_s, u"mnuHome"_s, u"mnuSvenska"_s};

struct Action {
    QString name;
    std::function<void()> run;
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void randomUserActions();

private:
    quint32 m_seed = 20261207;
    int m_actionCount = 1000;
    QRandomGenerator m_random;
    QTemporaryDir m_dir;
    QStringList m_goldenFiles; ///< copies of the golden list files, so a save never touches the originals

    int below(int n) { return int(m_random.bounded(n)); }
    bool chance(int percent) { return below(100) < percent; }
    QString randomText();
    QString randomFile();
    QList<Action> actionsOn(Form1 &form);
};

void TestMonkey::initTestCase()
{
    if (const QByteArray seed = qgetenv("KELBRIX_MONKEY_SEED"); !seed.isEmpty())
        m_seed = seed.toUInt();
    if (const QByteArray count = qgetenv("KELBRIX_MONKEY_ACTIONS"); !count.isEmpty())
        m_actionCount = count.toInt();
    m_random.seed(m_seed);
    qInfo("monkey seed %u (set KELBRIX_MONKEY_SEED to replay)", m_seed);

    QVERIFY(m_dir.isValid());
    const QDir data(qEnvironmentVariable("KELBRIX_TEST_DATA"));
    for (const QString &format : {u"qz2"_s, u"qzl"_s, u"bar"_s, u"rtf"_s}) {
        for (const QString &outcome : {u"pass"_s, u"fail"_s}) {
            const QDir folder(data.filePath(format + u'/' + outcome));
            for (const QString &name : folder.entryList(QDir::Files)) {
                if (name.endsWith(u".json"_s))
                    continue;
                const QString copy = m_dir.filePath(outcome + u'_' + name);
                QVERIFY(QFile::copy(folder.filePath(name), copy));
                m_goldenFiles.append(copy);
            }
        }
    }
    QVERIFY2(m_goldenFiles.size() > 20, qPrintable(data.path()));
}

QString TestMonkey::randomText()
{
    // Mostly digits, so barcodes of every length come up; now and then letters, Code 39
    // characters, quotes and text from outside Latin-1.
    static const QString pieces = u"0123456789Az- .$/+%\"\u00e9Xx*\t\u65e5',"_s;
    const int length = chance(10) ? 20 + below(60) : below(14);
    QString text;
    for (int i = 0; i < length; ++i)
        text += chance(70) ? pieces[below(10)] : pieces[below(int(pieces.size()))];
    return text;
}

QString TestMonkey::randomFile()
{
    switch (below(6)) {
    case 0:
        return {}; // the dialog is cancelled
    case 1: {
        static const QStringList extensions{u".qz2"_s, u".QZ2"_s, u".bmp"_s, u".rtf"_s, u".tif"_s, u".txt"_s, u""_s};
        return m_dir.filePath(u"out"_s + QString::number(below(5)) + extensions[below(int(extensions.size()))]);
    }
    case 2:
        return m_dir.filePath(u"missing/no-such-list.qz2"_s);
    default:
        return m_goldenFiles[below(int(m_goldenFiles.size()))];
    }
}

QList<Action> TestMonkey::actionsOn(Form1 &form)
{
    QList<Action> actions;
    for (QAbstractButton *button : form.findChildren<QAbstractButton *>()) {
        if (!button->objectName().isEmpty() && button->isEnabled() && button->isVisible())
            actions.append({u"click "_s + button->objectName(), [button] { button->click(); }});
    }
    for (QAction *action : form.findChildren<QAction *>()) {
        if (action->objectName().isEmpty() || action->menu() || !action->isEnabled() ||
            kNeverTriggered.contains(action->objectName()))
            continue;
        actions.append({u"trigger "_s + action->objectName(), [action] { action->trigger(); }});
    }
    // Loads of the golden files, barcodes of the right length, adds and removals come often, so
    // the list grows, sees merges, duplicates and bad files, and shrinks again.
    for (int i = 0; i < 6; ++i)
        actions.append({u"trigger mnuLoad"_s, [&form] { found<QAction>(form, u"mnuLoad"_s)->trigger(); }});
    if (form.entry().entryLength() > 0) {
        QString digits;
        for (int i = 0; i < form.entry().entryLength(); ++i)
            digits += QChar(u'0' + below(10));
        for (int i = 0; i < 4; ++i)
            actions.append({u"type into TxtStreck: "_s + digits, [&form, digits] {
                                found<QLineEdit>(form, u"TxtStreck"_s)->selectAll();
                                QTest::keyClicks(found<QLineEdit>(form, u"TxtStreck"_s), digits);
                            }});
    }
    for (int i = 0; i < 4 && found<QPushButton>(form, u"Command4"_s)->isEnabled(); ++i)
        actions.append({u"click Command4"_s, [&form] { found<QPushButton>(form, u"Command4"_s)->click(); }});
    for (int i = 0; i < 2 && found<QAction>(form, u"mnuRItem"_s)->isEnabled(); ++i)
        actions.append({u"trigger mnuRItem"_s, [&form] { found<QAction>(form, u"mnuRItem"_s)->trigger(); }});
    for (QLineEdit *box : form.findChildren<QLineEdit *>()) {
        if (!box->isEnabled() || !box->isVisible())
            continue;
        const QString text = randomText();
        const bool replace = chance(50);
        actions.append({u"type into "_s + box->objectName() + u": "_s + text, [box, text, replace] {
                            box->setFocus();
                            if (replace)
                                box->selectAll();
                            else
                                box->end(false);
                            // Real key events for plain ASCII; other text arrives as an input would paste it.
                            if (std::all_of(text.begin(), text.end(),
                                            [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7f; }))
                                QTest::keyClicks(box, text);
                            else
                                box->insert(text);
                        }});
    }
    const QString imageText = randomText();
    actions.append({u"type into RTF1: "_s + imageText,
                    [&form, imageText] { found<ImageListEdit>(form, u"RTF1"_s)->insertPlainText(imageText); }});

    QAbstractItemModel *model = found<QTreeView>(form, u"ListView3"_s)->model();
    if (model->rowCount() > 0) {
        // Rows are clicked often, with Ctrl and Shift too, so Remove Item finds a selection.
        for (int i = 0; i < 3; ++i) {
            const int row = below(model->rowCount());
            const Qt::KeyboardModifiers modifiers =
                QList<Qt::KeyboardModifiers>{Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier}[below(3)];
            actions.append({u"click list row "_s + QString::number(row), [&form, model, row, modifiers] {
                                const QModelIndex index = model->index(row, 0);
                                found<QTreeView>(form, u"ListView3"_s)->scrollTo(index);
                                QTest::mouseClick(found<QTreeView>(form, u"ListView3"_s)->viewport(), Qt::LeftButton,
                                                  modifiers,
                                                  found<QTreeView>(form, u"ListView3"_s)->visualRect(index).center());
                            }});
        }
    }
    return actions;
}

void TestMonkey::randomUserActions()
{
    Form1Fixture fixture;
    fixture.open();
    Form1 &form = *fixture.m_form;
    RecordingPrompt &prompt = *fixture.m_prompt;

    // Windows that open modally on their own (the TIFF parameters, the about box) are closed as
    // soon as they show, as a user would dismiss them.
    QTimer dismiss;
    connect(&dismiss, &QTimer::timeout, [] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    dismiss.start(5);

    QList<ListRecord> expected;
    for (int step = 0; step < m_actionCount; ++step) {
        const QList<Action> actions = actionsOn(form);
        const Action &action = actions[below(int(actions.size()))];
        const QString where =
            u"seed "_s + QString::number(m_seed) + u", action "_s + QString::number(step) + u": "_s + action.name;

        // The answers this action will get: questions, file, font, colour and print dialogs.
        prompt.clear();
        for (int i = 0; i < 3; ++i)
            prompt.answers.enqueue(QList<PromptAnswer>{PromptAnswer::Yes, PromptAnswer::No, PromptAnswer::Yes,
                                                       PromptAnswer::No, PromptAnswer::Ok, PromptAnswer::Cancel,
                                                       PromptAnswer::Retry}[below(7)]);
        const QString file = randomFile();
        prompt.files.enqueue(file);
        if (chance(50))
            prompt.fonts.enqueue(FontChoice{u"DejaVu Sans"_s, 6.0 + below(30), chance(50), chance(50)});
        if (chance(50))
            prompt.colors.enqueue(m_random.generate() & 0xFFFFFFu);
        if (chance(30))
            prompt.printChoices.enqueue({m_dir.filePath(u"print.pdf"_s), 1, chance(50)});

        const QList<int> selected = form.list().selectedRecordNumbers();

        action.run();
        QVERIFY2(form.isVisible(), qPrintable(where));

        // What the questions of this action say the list must now hold.
        const auto answered = [&](const QString &text) -> std::optional<PromptAnswer> {
            for (qsizetype i = 0; i < prompt.asked.size(); ++i) {
                if (prompt.asked[i].text == text)
                    return prompt.given[i];
            }
            return std::nullopt;
        };
        const auto saidYes = [&](const QString &text) {
            const std::optional<PromptAnswer> answer = answered(text);
            return answer && answeredYes(*answer);
        };
        if (saidYes(u"All information will be Lost so please save your data, Continue ?"_s) ||
            saidYes(u"Do you want to clear List ?"_s)) {
            expected.clear();
        }
        if (saidYes(u"Remove:  Selected Item/Items."_s)) {
            for (qsizetype i = selected.size() - 1; i >= 0; --i)
                expected.removeAt(selected[i] - 1);
        }
        const bool loaded =
            !prompt.fileRequests.isEmpty() && prompt.fileRequests[0].title == u"Load"_s && !file.isEmpty();
        const ListFileFormat format = loaded ? listFileFormatFor(file) : ListFileFormat::Unknown;
        if (format == ListFileFormat::Qz2 || format == ListFileFormat::Qzl || format == ListFileFormat::Ornatec) {
            const std::optional<PromptAnswer> merge =
                answered(u"Your Barcode List isn't empty, do you want to merge files ?"_s);
            if (merge && !answeredYes(*merge))
                expected.clear();
            expected += readListFile(file).records;
            // A loaded list keeps only the first of neighbouring records with the same barcode.
            const auto sameBarcode = [](const ListRecord &a, const ListRecord &b) { return a.barcode == b.barcode; };
            if (format == ListFileFormat::Qz2)
                expected.erase(std::unique(expected.begin(), expected.end(), sameBarcode), expected.end());
        }
        if (action.name == u"click Command4"_s) {
            bool refused = false;
            for (qsizetype i = 0; i < prompt.asked.size(); ++i) {
                refused = refused || prompt.asked[i].title == u"Barcode is the same."_s ||
                          (prompt.asked[i].title == u"Keep Product ?."_s && !answeredYes(prompt.given[i]));
            }
            if (!refused)
                expected.append(ListRecord{found<QLineEdit>(form, u"txtProduct"_s)->text(),
                                           found<QLineEdit>(form, u"TxtStreck"_s)->text(),
                                           found<QLineEdit>(form, u"txtSup"_s)->text(),
                                           found<QLineEdit>(form, u"txtFree"_s)->text(), form.typeCode()});
        }

        QVERIFY2(form.listRecords() == expected,
                 qPrintable(where + u"\nfile dialog answer: "_s + file + u"\nrecords: "_s +
                            QString::number(form.listRecords().size()) + u", expected "_s +
                            QString::number(expected.size())));
    }
    dismiss.stop();
    fixture.close();
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
