#include "form1_driver.h"

#include "mainwindow/command_rules.h"

#include <QHeaderView>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using namespace Kelbrix::Test;

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

class TestForm1List : public QObject, public Form1Fixture {
    Q_OBJECT

    QTemporaryDir m_dir;

    void add(const QString &product, const QString &barcode, const QString &supplement = QString())
    {
        clickOption(*m_form, u"optEAN13"_s);
        clickOption(*m_form, supplement.isEmpty() ? u"optNosup"_s : u"chk5digit"_s);
        child<QLineEdit>(u"txtProduct"_s)->setText(product);
        child<QLineEdit>(u"TxtStreck"_s)->setText(barcode);
        child<QLineEdit>(u"txtSup"_s)->setText(supplement);
        child<QPushButton>(u"Command4"_s)->click();
    }
    QStringList products() const { return columnTexts(*child<QTreeView>(u"ListView3"_s)->model()); }
    void load(const QString &name, const QByteArray &bytes)
    {
        QVERIFY(writeFileBytes(m_dir.filePath(name), bytes));
        m_prompt->files.enqueue(m_dir.filePath(name));
        child<QAction>(u"mnuLoad"_s)->trigger();
    }

private slots:
    void init() { open(); }
    void cleanup() { close(); }

    void sortedViewKeepsRecordOrder()
    {
        add(u"banana"_s, u"400638133393"_s);
        add(u"Apple2"_s, u"501234567890"_s);
        add(u"apple"_s, u"123456789012"_s);
        add(u"Cherry"_s, u"400638133390"_s);
        emit child<QTreeView>(u"ListView3"_s)->header()->sectionClicked(0);
        QCOMPARE(products(), (QStringList{u"apple"_s, u"Apple2"_s, u"banana"_s, u"Cherry"_s}));
        const QString path = m_dir.filePath(u"order.qz2"_s);
        m_prompt->files.enqueue(path);
        child<QAction>(u"mnuSBAR"_s)->trigger();
        QStringList saved;
        for (const ListRecord &record : readListFile(path).records)
            saved.append(record.product);
        QCOMPARE(saved, (QStringList{u"banana"_s, u"Apple2"_s, u"apple"_s, u"Cherry"_s}));
        selectRows({1, 3});
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        child<QAction>(u"mnuRItem"_s)->trigger();
        QCOMPARE(m_form->listRecords(), (QList<ListRecord>{{u"banana"_s, u"400638133393"_s, {}, {}, u"E130"_s},
                                                           {u"apple"_s, u"123456789012"_s, {}, {}, u"E130"_s}}));
    }

    // "Clear &List", "&Remove Item", "&Print List" and "List" follow the records however they
    // come and go; "List" stays while there is a list file to save to.
    void commandsFollowTheList()
    {
        const auto offered = [this] {
            QList<bool> on;
            for (const QAction *command : {child<QAction>(u"mnuCLList"_s), child<QAction>(u"mnuRItem"_s),
                                           child<QAction>(u"mnuPrint"_s), child<QAction>(u"mnuSBAR"_s)})
                on.append(command->isEnabled());
            return on;
        };
        QCOMPARE(offered(), QList<bool>(4, false));
        add(u"Soap"_s, u"400638133393"_s);
        QCOMPARE(offered(), QList<bool>(4, true));
        QVERIFY(child<QAction>(u"mnuAs"_s)->isEnabled());
        child<QTreeView>(u"ListView3"_s)->selectAll();
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        child<QAction>(u"mnuRItem"_s)->trigger();
        QCOMPARE(offered(), QList<bool>(4, false));
        QVERIFY(!child<QAction>(u"mnuAs"_s)->isEnabled()); // no barcode was made
        load(u"one.qz2"_s, "\"Soap\"\r\n\"400638133393\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n");
        QCOMPARE(offered(), QList<bool>(4, true));
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        child<QAction>(u"mnuCLList"_s)->trigger();
        QCOMPARE(offered(), (QList<bool>{false, false, false, true}));
    }

    // The rules themselves: the commands offered for each state of the list, the entry and the
    // image list.
    void commandRules_data()
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

    void commandRules()
    {
        QFETCH(CommandState, state);
        QFETCH(QStringList, expected);
        QStringList got = offered(enabledCommands(state));
        got.sort();
        expected.sort();
        QCOMPARE(got, expected);
    }

    // "Add to List" keeps every box as typed; a product already in the list is asked about once
    // for each time it is there, and a barcode already issued is refused.
    void addToListKeepsWhatWasTyped()
    {
        child<QLineEdit>(u"txtFree"_s)->setText(u"Aisle 3"_s);
        add(u"Soap"_s, u"400638133393"_s, u"12345"_s);
        m_prompt->answers << PromptAnswer::No << PromptAnswer::Yes;
        add(u"soap"_s, u"501234567890"_s);
        add(u"SOAP"_s, u"123456789012"_s);
        add(u"Tea"_s, u"400638133393"_s);
        QCOMPARE(m_form->listRecords(),
                 (QList<ListRecord>{{u"Soap"_s, u"400638133393"_s, u"12345"_s, u"Aisle 3"_s, u"E135"_s},
                                    {u"SOAP"_s, u"123456789012"_s, {}, u"Aisle 3"_s, u"E130"_s}}));
        QCOMPARE(m_prompt->texts(), (QStringList{u"The product soap exists in list, continue? "_s,
                                                 u"The product SOAP exists in list, continue? "_s,
                                                 u"This number has been issued, please enter a different one"_s}));
    }

    void loadStoppedEarlyForgetsFileName()
    {
        const QByteArray bytes = "\"Soap\"\r\n\"400638133393\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n\"Milk\"\r\nE132\r\n";
        load(u"damaged.qz2"_s, bytes);
        QCOMPARE(m_form->listCount(), 1);
        QVERIFY(m_form->statusText().startsWith(u"1 records were read; the rest of damaged.qz2 could not be read."_s));
        m_prompt->clear();
        child<QAction>(u"mnuSBAR"_s)->trigger();
        QCOMPARE(m_prompt->fileRequests.size(), 1);
        QCOMPARE(fileBytes(m_dir.filePath(u"damaged.qz2"_s)), bytes);
    }

    void loadMergesWithoutDuplicates()
    {
        add(u"Old"_s, u"123456789012"_s);
        m_prompt->answers.enqueue(PromptAnswer::Yes);
        // The second and third records share a barcode: only the first of them stays.
        load(u"list.qz2"_s, "\"Soap\"\r\n\"400638133393\"\r\n\"12\"\r\n\"Lemon\"\r\n\"E132\"\r\n"
                            "\"Milk\"\r\n\"501234567890\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n"
                            "\"Milk 2\"\r\n\"501234567890\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n");
        checkAsked(*m_prompt, u"Your Barcode List isn't empty, do you want to merge files ?"_s, u"Merge Files"_s,
                   PromptIcon::Question, PromptButtons::YesNo);
        QCOMPARE(products(), (QStringList{u"Old"_s, u"Soap"_s, u"Milk"_s}));
    }
};

QTEST_MAIN(TestForm1List)
#include "tst_form1_list.moc"
