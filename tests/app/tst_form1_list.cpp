// The barcode list driven as a user drives it: adding with the duplicate questions, loading
// records back, sorting, removing, clearing, and loading and saving list files.
#include "form1_driver.h"
#include "recording_prompt.h"
#include "zbar_decode.h"

#include "render/label_picture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QTreeWidget>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;
using Kelbrix::Test::clickOption;
using Kelbrix::Test::typeInto;

class TestForm1List : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void addChecksDuplicates_data();
    void addChecksDuplicates();
    void menusAfterAdd();
    void clickLoadsRecordAndMakesIt();
    void sortToggles();
    void removeSelectedRecords();
    void removeWithoutSelection();
    void clearList_data();
    void clearList();
    void loadMerges_data();
    void loadMerges();
    void loadOlderFormatFillsProductList();
    void loadRefusesWrongFormatAndReportsDamage_data();
    void loadRefusesWrongFormatAndReportsDamage();
    void saveListRoundTrip();
    void saveListRenamesAndAsks();
    void failedSaveKeepsOldFile();
    void refusedRecordIsPutBackQuietly();

private:
    void add(const QString &product, const QString &barcode, const QString &supplement = QString(),
             const QString &type = u"optEAN13"_s);
    QStringList column(int column) const;
    QString writeFile(const QString &name, const QByteArray &bytes);

    Form1 *m_form = nullptr;
    Test::RecordingPrompt *m_prompt = nullptr;
    QTemporaryDir m_dir;
};

void TestForm1List::init()
{
    Test::resetSettings();
    m_prompt = new Test::RecordingPrompt;
    m_form = new Form1(Edition::Alla);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestForm1List::cleanup()
{
    delete m_form;
    delete m_prompt;
}

void TestForm1List::add(const QString &product, const QString &barcode, const QString &supplement,
                        const QString &type)
{
    clickOption(*m_form, type);
    clickOption(*m_form, supplement.isEmpty() ? u"optNosup"_s : supplement.size() == 2 ? u"chk2digit"_s : u"chk5digit"_s);
    m_form->txtProduct->setText(product);
    m_form->TxtStreck->setText(barcode);
    m_form->txtSup->setText(supplement);
    QVERIFY(m_form->Command4->isEnabled());
    m_form->Command4->click();
}

QStringList TestForm1List::column(int column) const
{
    QStringList texts;
    for (int i = 0; i < m_form->ListView3->topLevelItemCount(); ++i)
        texts.append(m_form->ListView3->topLevelItem(i)->text(column));
    return texts;
}

QString TestForm1List::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test file");
    return path;
}

void TestForm1List::addChecksDuplicates_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("barcode");
    QTest::addColumn<QString>("supplement");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<int>("records");
    const QString keep = u"The product abc exists in list, continue? "_s;
    const QString same = u"This number has been issued, please enter a different one"_s;
    QTest::newRow("empty product: no checks") << QString() << u"400638133393"_s << QString() << 0 << QStringList()
                                              << 2;
    QTest::newRow("abc after ABC, No") << u"abc"_s << u"501234567890"_s << QString() << int(PromptAnswer::No)
                                       << QStringList{keep} << 1;
    QTest::newRow("abc after ABC, Yes") << u"abc"_s << u"501234567890"_s << QString() << int(PromptAnswer::Yes)
                                        << QStringList{keep} << 2;
    QTest::newRow("same barcode, other supplement") << u"Soap"_s << u"400638133393"_s << u"12"_s << 0
                                                    << QStringList{same} << 1;
    QTest::newRow("other product and barcode") << u"Soap"_s << u"501234567890"_s << QString() << 0 << QStringList()
                                               << 2;
}

void TestForm1List::addChecksDuplicates()
{
    QFETCH(QString, product);
    QFETCH(QString, barcode);
    QFETCH(QString, supplement);
    QFETCH(int, answer);
    QFETCH(QStringList, asked);
    QFETCH(int, records);
    add(u"ABC"_s, u"400638133393"_s);
    QVERIFY(m_prompt->asked.isEmpty());
    if (answer)
        m_prompt->answers.enqueue(PromptAnswer(answer));
    add(product, barcode, supplement);
    QCOMPARE(m_prompt->texts(), asked);
    for (const PromptRequest &r : m_prompt->asked) {
        const bool keepQuestion = r.title == u"Keep Product ?."_s;
        QVERIFY(keepQuestion || r.title == u"Barcode is the same."_s);
        QCOMPARE(r.buttons, keepQuestion ? PromptButtons::YesNo : PromptButtons::Ok);
        QCOMPARE(r.icon, keepQuestion ? PromptIcon::Question : PromptIcon::Exclamation);
    }
    QCOMPARE(m_form->listCount(), records);
    QCOMPARE(m_form->List1->count(), records);
    QCOMPARE(m_form->List2->count(), records);
    if (records == 2) {
        QCOMPARE(m_form->listRecord(2), (ListRecord{product, barcode, supplement, QString(),
                                                   supplement.isEmpty() ? u"E130"_s : u"E132"_s}));
    }
}

void TestForm1List::menusAfterAdd()
{
    QVERIFY(!m_form->mnuCLList->isEnabled());
    add(u"Soap"_s, u"400638133393"_s);
    for (QAction *a : {m_form->mnuCLList, m_form->mnuRItem, m_form->mnuSBAR, m_form->mnuAs, m_form->mnuSBMP})
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(m_form->mnuSave->menuAction()->isEnabled());
}

void TestForm1List::clickLoadsRecordAndMakesIt()
{
    add(u"Soap"_s, u"400638133393"_s, u"12"_s);
    add(u"Book"_s, u"0-306-40615-2"_s, u"51295"_s, u"optISBN"_s);
    add(u"Milk"_s, u"9638507"_s, QString(), u"optEAN8"_s);
    m_form->Command2->click();
    clickOption(*m_form, u"optCode39"_s);

    QTreeWidgetItem *book = m_form->ListView3->topLevelItem(1);
    QTRY_VERIFY(m_form->ListView3->visualItemRect(book).isValid());
    const QRect rect = m_form->ListView3->visualItemRect(book);
    QTest::mouseClick(m_form->ListView3->viewport(), Qt::LeftButton, {}, QPoint(4, rect.center().y()));
    QCOMPARE(m_form->txtProduct->text(), u"Book"_s);
    QCOMPARE(m_form->TxtStreck->text(), u"0-306-40615-2"_s);
    QCOMPARE(m_form->txtSup->text(), u"51295"_s);
    QCOMPARE(m_form->TypeCode, u"ISB5"_s);
    QVERIFY(m_form->optISBN->isChecked());
    QVERIFY(m_form->chk5digit->isChecked());
    QCOMPARE(Test::decodedText(m_form->picTST->image()).remove(u'|'), u"978030640615751295"_s);
    QCOMPARE(m_form->barcodeMade, 1);

    // Arrow keys walk the list and load each record.
    QTest::keyClick(m_form->ListView3, Qt::Key_Down);
    QCOMPARE(m_form->TypeCode, u"E80 "_s);
    QCOMPARE(m_form->TxtStreck->text(), u"9638507"_s);
    QCOMPARE(Test::decodedText(m_form->picTST->image()), u"96385074"_s);
}

void TestForm1List::sortToggles()
{
    add(u"Beta"_s, u"400638133393"_s, u"12"_s);
    add(u"Alpha"_s, u"501234567890"_s, u"99"_s);
    add(u"Gamma"_s, u"123456789012"_s, u"50"_s);
    QHeaderView *header = m_form->ListView3->header();
    const auto click = [header](int section) { emit header->sectionClicked(section); };
    click(0); // Product, ascending
    QCOMPARE(column(0), (QStringList{u"Alpha"_s, u"Beta"_s, u"Gamma"_s}));
    click(2); // Digit Sup. shares the toggle: descending
    QCOMPARE(column(2), (QStringList{u"99"_s, u"50"_s, u"12"_s}));
    click(1); // Barcode has its own toggle: ascending
    QCOMPARE(column(1), (QStringList{u"123456789012"_s, u"400638133393"_s, u"501234567890"_s}));
    click(1);
    QCOMPARE(column(1), (QStringList{u"501234567890"_s, u"400638133393"_s, u"123456789012"_s}));
    click(0); // back to ascending for the shared toggle
    QCOMPARE(column(0), (QStringList{u"Alpha"_s, u"Beta"_s, u"Gamma"_s}));
}

void TestForm1List::removeSelectedRecords()
{
    const QStringList products{u"A1"_s, u"B2"_s, u"C3"_s, u"D4"_s, u"E5"_s};
    for (int i = 0; i < products.size(); ++i)
        add(products[i], u"40063813339"_s + QString::number(i));
    for (int i = 1; i <= 3; ++i)
        m_form->ListView3->topLevelItem(i)->setSelected(true);
    m_prompt->answers.enqueue(PromptAnswer::No);
    m_form->mnuRItem->trigger();
    QCOMPARE(m_form->listCount(), 5);
    m_form->mnuRItem->trigger();
    QCOMPARE(m_prompt->texts(), (QStringList{u"Remove:  Selected Item/Items."_s, u"Remove:  Selected Item/Items."_s}));
    QCOMPARE(m_prompt->asked[0].title, u"Remove Item"_s);
    QCOMPARE(m_prompt->asked[0].helpContext, 3013);
    QCOMPARE(column(0), (QStringList{u"A1"_s, u"E5"_s}));
    QCOMPARE(m_form->List1->count(), 2);
    QCOMPARE(m_form->List2->item(1)->text(), u"400638133394"_s);
    QVERIFY(m_form->mnuRItem->isEnabled());
}

void TestForm1List::removeWithoutSelection()
{
    m_form->mnuRItem->setEnabled(true);
    m_form->mnuRItem->trigger();
    QVERIFY(m_prompt->asked.isEmpty()); // an empty list asks nothing
    add(u"Soap"_s, u"400638133393"_s);
    m_form->ListView3->clearSelection();
    m_form->mnuRItem->trigger();
    QCOMPARE(m_prompt->texts(), QStringList{u"No Item was selected, Select Item to remove."_s});
    QCOMPARE(m_prompt->asked[0].title, u"Error"_s);
    QCOMPARE(m_prompt->asked[0].icon, PromptIcon::Critical);
    QCOMPARE(m_prompt->asked[0].helpContext, 3014);
    QCOMPARE(m_form->listCount(), 1);
}

void TestForm1List::clearList_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("barcodeMade");
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("saveAs");
    QTest::newRow("No keeps the list") << int(PromptAnswer::No) << false << 2 << true;
    QTest::newRow("Yes clears") << int(PromptAnswer::Yes) << false << 0 << false;
    QTest::newRow("Yes after a barcode keeps Save As") << int(PromptAnswer::Yes) << true << 0 << true;
}

void TestForm1List::clearList()
{
    QFETCH(int, answer);
    QFETCH(bool, barcodeMade);
    QFETCH(int, records);
    QFETCH(bool, saveAs);
    add(u"Soap"_s, u"400638133393"_s);
    add(u"Milk"_s, u"501234567890"_s);
    m_form->barcodeMade = barcodeMade;
    m_prompt->answers.enqueue(PromptAnswer(answer));
    m_form->mnuCLList->trigger();
    QCOMPARE(m_prompt->texts(), QStringList{u"Do you want to clear List ?"_s});
    QCOMPARE(m_prompt->asked[0].title, u"Clear List."_s);
    QCOMPARE(m_prompt->asked[0].helpContext, 3009);
    QCOMPARE(m_form->listCount(), records);
    QCOMPARE(m_form->List1->count(), records);
    QCOMPARE(m_form->mnuCLList->isEnabled(), records > 0);
    QCOMPARE(m_form->mnuRItem->isEnabled(), records > 0);
    QCOMPARE(m_form->mnuAs->isEnabled(), saveAs);
}

void TestForm1List::loadMerges_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("products");
    QTest::newRow("Yes keeps the old records first") << int(PromptAnswer::Yes)
                                                     << QStringList{u"Old"_s, u"Soap"_s, u"Milk"_s};
    QTest::newRow("No replaces them") << int(PromptAnswer::No) << QStringList{u"Soap"_s, u"Milk"_s};
}

void TestForm1List::loadMerges()
{
    QFETCH(int, answer);
    QFETCH(QStringList, products);
    // The second and third records share a barcode: only the first of them stays.
    const QString path = writeFile(u"list.qz2"_s, "\"Soap\"\r\n\"400638133393\"\r\n\"12\"\r\n\"Lemon\"\r\n\"E132\"\r\n"
                                                  "\"Milk\"\r\n\"501234567890\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n"
                                                  "\"Milk 2\"\r\n\"501234567890\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n");
    add(u"Old"_s, u"123456789012"_s);
    m_prompt->files.enqueue(path);
    m_prompt->answers.enqueue(PromptAnswer(answer));
    m_form->mnuLoad->trigger();
    QCOMPARE(m_prompt->texts(), QStringList{u"Your Barcode List isn't empty, do you want to merge files ?"_s});
    QCOMPARE(m_prompt->asked[0].title, u"Merge Files"_s);
    QCOMPARE(column(0), products);
    QCOMPARE(m_form->listRecord(products.size() - 1), (ListRecord{u"Soap"_s, u"400638133393"_s, u"12"_s, u"Lemon"_s,
                                                                 u"E132"_s}));
    QCOMPARE(m_form->currentListFile, path);
    for (QAction *a : {m_form->mnuSBAR, m_form->mnuAs, m_form->mnuCLList, m_form->mnuRItem, m_form->mnuPrint})
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
}

void TestForm1List::loadOlderFormatFillsProductList()
{
    const QString path = writeFile(u"shop.bar"_s, "Milk 4006381333931\r\nSoap 5012345678900\r\n");
    m_prompt->files.enqueue(path);
    m_form->mnuLoad->trigger();
    QCOMPARE(m_form->listCount(), 2);
    QCOMPARE(m_form->listRecord(1), (ListRecord{u"Milk"_s, u"4006381333931"_s, QString(), QString(), u"E130"_s}));
    QCOMPARE(m_form->List1->count(), 2);
    QCOMPARE(m_form->List1->item(0)->text(), u"E130 Milk 4006381333931"_s);

    // A click on such an entry puts its barcode into the entry.
    clickOption(*m_form, u"optUPCA"_s);
    m_form->List1->setCurrentRow(1);
    emit m_form->List1->itemClicked(m_form->List1->item(1));
    QCOMPARE(m_form->TypeCode, u"E130"_s);
    QVERIFY(m_form->optEAN13->isChecked());
    QCOMPARE(m_form->TxtStreck->text(), u"501234567890"_s);
}

void TestForm1List::loadRefusesWrongFormatAndReportsDamage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("records");
    QTest::newRow("wrong extension") << u"list.txt"_s << QByteArray("x") << u"Sorry, Wrong file format."_s
                                     << u"Wrong File Format"_s << 0;
    QTest::newRow("truncated QZ2") << u"cut.qz2"_s
                                   << QByteArray("\"Soap\"\r\n\"400638133393\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n"
                                                 "\"Milk\"\r\n\"5012345\"\r\n")
                                   << u"Input past end of file."_s << u"File Error"_s << 1;
}

void TestForm1List::loadRefusesWrongFormatAndReportsDamage()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(int, records);
    m_prompt->files.enqueue(writeFile(name, bytes));
    m_form->mnuLoad->trigger();
    QCOMPARE(m_prompt->texts(), QStringList{message});
    QCOMPARE(m_prompt->asked[0].title, title);
    QCOMPARE(m_form->listCount(), records);
    QVERIFY(m_form->isVisible());
}

void TestForm1List::saveListRoundTrip()
{
    add(u"Caf\u00e9 \"Noir\""_s, u"400638133393"_s, u"12"_s);
    add(u"Milk"_s, u"9638507"_s, QString(), u"optEAN8"_s);
    const QList<ListRecord> before = m_form->listRecords();
    const QString path = m_dir.filePath(u"saved"_s);
    m_prompt->files.enqueue(path);
    m_form->mnuSBAR->trigger();
    QCOMPARE(m_form->currentListFile, path + u".qz2"_s);
    QVERIFY(QFile::exists(path + u".qz2"_s));

    Form1 other(Edition::Alla);
    m_prompt->files.enqueue(path + u".qz2"_s);
    other.mnuLoad->trigger();
    QCOMPARE(other.listRecords(), before);
}

void TestForm1List::saveListRenamesAndAsks()
{
    const QString old = writeFile(u"LIST.BAR"_s, "Milk 4006381333931\r\n");
    m_prompt->files.enqueue(old);
    m_form->mnuLoad->trigger();
    m_prompt->answers.enqueue(PromptAnswer::No);
    m_form->mnuSBAR->trigger();
    const QString renamed = m_dir.filePath(u"LIST.qz2"_s);
    QCOMPARE(m_prompt->texts(), QStringList{u"Save as "_s + renamed + u" ?"_s});
    QCOMPARE(m_prompt->asked[0].title, u"Save List ?."_s);
    QCOMPARE(m_prompt->asked[0].helpContext, 3015);
    QVERIFY(!QFile::exists(renamed));
    m_form->mnuSBAR->trigger();
    QVERIFY(QFile::exists(renamed));
}

void TestForm1List::failedSaveKeepsOldFile()
{
    const QString path = writeFile(u"keep.qz2"_s, "\"Old\"\r\n\"123456789012\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n");
    add(u"\u4e2d\u6587"_s, u"400638133393"_s); // a product the file's code page cannot hold
    m_form->currentListFile = path;
    m_form->mnuSBAR->trigger();
    QCOMPARE(m_prompt->asked.size(), 2);
    QCOMPARE(m_prompt->asked[1].title, u"Save List"_s);
    QVERIFY(m_prompt->asked[1].text.contains(u"\u4e2d\u6587"_s));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("\"Old\"\r\n\"123456789012\"\r\n\"\"\r\n\"\"\r\n\"E130\"\r\n"));
}

void TestForm1List::refusedRecordIsPutBackQuietly()
{
    add(u"Good"_s, u"0123456"_s, QString(), u"optUPCE"_s);
    // A record whose data the renderer cannot take (UPC-E has no number system 2).
    const QString path = writeFile(u"bad.qz2"_s, "\"Bad\"\r\n\"2123456\"\r\n\"\"\r\n\"\"\r\n\"UPE0\"\r\n");
    m_prompt->files.enqueue(path);
    m_prompt->answers.enqueue(PromptAnswer::Yes);
    m_form->mnuLoad->trigger();
    m_prompt->clear();
    QTreeWidgetItem *bad = m_form->ListView3->topLevelItem(1);
    m_form->ListView3->setCurrentItem(bad);
    QTRY_VERIFY(m_form->ListView3->visualItemRect(bad).isValid());
    QTest::mouseClick(m_form->ListView3->viewport(), Qt::LeftButton, {},
                      QPoint(4, m_form->ListView3->visualItemRect(bad).center().y()));
    QVERIFY(m_prompt->asked.isEmpty());
    QCOMPARE(m_form->TxtStreck->text(), u"2123456"_s);
    QVERIFY(m_form->isVisible());
    QVERIFY(m_form->statusText().startsWith(u"The barcode was not made"_s));
}

QTEST_MAIN(TestForm1List)
#include "tst_form1_list.moc"
