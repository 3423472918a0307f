#include "mainwindow/command_rules.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

Q_DECLARE_METATYPE(Kelbrix::CommandState)

namespace {

// The names of the offered commands, in menu order.
QStringList offered(const EnabledCommands &on)
{
    QStringList names;
    const std::pair<bool, const char16_t *> commands[] = {
        {on.mnuSave, u"mnuSave"},     {on.mnuSBMP, u"mnuSBMP"},
        {on.mnuSBAR, u"mnuSBAR"},     {on.mnuAs, u"mnuAs"},
        {on.mnuExport, u"mnuExport"}, {on.mnuPbarcode, u"mnuPbarcode"},
        {on.mnuPrint, u"mnuPrint"},   {on.mnuCLList, u"mnuCLList"},
        {on.mnuRItem, u"mnuRItem"},   {on.mnuClearBar, u"mnuClearBar"},
        {on.cmdToRTF1, u"cmdToRTF1"},
    };
    for (const auto &[enabled, name] : commands) {
        if (enabled)
            names.append(QString::fromUtf16(name));
    }
    return names;
}

} // namespace

class TestCommandRules : public QObject {
    Q_OBJECT
private slots:
    void rules_data()
    {
        QTest::addColumn<CommandState>("state");
        QTest::addColumn<QStringList>("expected");
        const QStringList list{u"mnuSave"_s,   u"mnuSBMP"_s,  u"mnuSBAR"_s,   u"mnuAs"_s,
                               u"mnuExport"_s, u"mnuPrint"_s, u"mnuCLList"_s, u"mnuRItem"_s};
        // records, list file, bitmap file, barcode made, label composed, image list content
        QTest::newRow("start-up") << CommandState{0, false, false, false, false, false} << QStringList{};
        QTest::newRow("label drawn, not made")
            << CommandState{0, false, false, false, true, false} << QStringList{u"cmdToRTF1"_s};
        QTest::newRow("made code") << CommandState{0, false, false, true, true, false}
                                   << QStringList{u"mnuAs"_s, u"cmdToRTF1"_s};
        QTest::newRow("made, refused entry")
            << CommandState{0, false, false, true, false, false} << QStringList{u"mnuAs"_s};
        QTest::newRow("one record") << CommandState{1, false, false, false, false, false} << list;
        QTest::newRow("cleared list keeps its file")
            << CommandState{0, true, false, false, false, false} << QStringList{u"mnuSave"_s, u"mnuSBAR"_s};
        QTest::newRow("cleared list keeps a bitmap")
            << CommandState{0, false, true, false, false, false} << QStringList{u"mnuSave"_s, u"mnuSBMP"_s};
        QTest::newRow("image list only") << CommandState{0, false, false, false, true, true}
                                         << QStringList{u"mnuAs"_s, u"mnuPbarcode"_s, u"mnuClearBar"_s, u"cmdToRTF1"_s};
        QTest::newRow("everything") << CommandState{1, true, true, true, true, true}
                                    << list + QStringList{u"mnuPbarcode"_s, u"mnuClearBar"_s, u"cmdToRTF1"_s};
    }

    void rules()
    {
        QFETCH(CommandState, state);
        QFETCH(QStringList, expected);
        QStringList got = offered(enabledCommands(state));
        got.sort();
        expected.sort();
        QCOMPARE(got, expected);
    }
};

QTEST_GUILESS_MAIN(TestCommandRules)
#include "tst_command_rules.moc"
