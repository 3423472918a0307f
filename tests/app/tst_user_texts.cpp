// The texts a user reads, compared with one golden file: every runtime error message with
// its title, every menu entry of the main window, and the status-bar hint of every control.
// The texts are collected from the running program, so the golden file is the one place a
// reviewer reads them, typos and all. Run with KELBRIX_UPDATE_GOLDEN=1 to rewrite the file
// after a deliberate change, and review the difference.
#include "export_test_support.h"
#include "user_text_lines.h"

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

class TestUserTexts : public QObject, public Form1Fixture {
    Q_OBJECT

private slots:
    void init() { open(); }
    void cleanup() { close(); }

    void matchGoldenFile()
    {
        const QStringList actual = userTextLines(m_form);
        const QString text = actual.join(u'\n') + u'\n';

        if (qEnvironmentVariableIsSet("KELBRIX_UPDATE_GOLDEN")) {
            QVERIFY(writeFileBytes(goldenPath(), text.toUtf8()));
            QSKIP("golden file rewritten");
        }
        const QStringList expected = QString::fromUtf8(fileBytes(goldenPath())).split(u'\n');
        const QStringList lines = text.split(u'\n');
        // Name the first line that differs, so a failure says which text changed.
        for (qsizetype i = 0; i < std::max(lines.size(), expected.size()); ++i) {
            const QString want = i < expected.size() ? expected.at(i) : u"(end of file)"_s;
            const QString got = i < lines.size() ? lines.at(i) : u"(end of output)"_s;
            QVERIFY2(want == got, qPrintable(u"line "_s + QString::number(i + 1) + u"\n expected: "_s + want +
                                             u"\n actual:   "_s + got));
        }
    }
};

QTEST_MAIN(TestUserTexts)
#include "tst_user_texts.moc"
