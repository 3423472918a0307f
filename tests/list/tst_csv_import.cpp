#include "expected_records.h"
#include "test_helpers.h"
#include "list/barcode_list.h"
#include "list/csv_import.h"
#include "list/csv_reader.h"
#include "list/csv_writer.h"
#include "list/list_files.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <sys/resource.h>

using namespace Kelbrix;
using namespace Kelbrix::Test;
using namespace Qt::Literals::StringLiterals;

using Rows = QList<QStringList>;

namespace {

CsvImportResult importBytes(const QByteArray &bytes, std::optional<CsvColumns> columns = std::nullopt,
                            const BarcodeList *list = nullptr, DuplicateProducts products = DuplicateProducts::KeepAll)
{
    CsvReader reader(bytes);
    return importCsv(reader, columns, list, products);
}

} // namespace

class TestCsvImport : public QObject {
    Q_OBJECT

private slots:
    // Each text read: the rows, the line each starts on, the separator found and the start of the
    // error, naming its line.
    void reader()
    {
        const QString tab = u"\t"_s;
        using Lines = QList<qint64>;
        for (const auto &[bytes, rows, lines, separator, error] :
             {std::tuple(QByteArray("a,b\n1,2\n"), Rows{{u"a"_s, u"b"_s}, {u"1"_s, u"2"_s}}, Lines{1, 2}, u","_s,
                         QString()),
              // semicolon, CR LF, empty lines skipped
              std::tuple(QByteArray("a;b\r\n\r\n1;2,5\r\n"), Rows{{u"a"_s, u"b"_s}, {u"1"_s, u"2,5"_s}}, Lines{1, 3},
                         u";"_s, QString()),
              std::tuple(QByteArray("a\tb;c\r1\t2"), Rows{{u"a"_s, u"b;c"_s}, {u"1"_s, u"2"_s}}, Lines{1, 2}, tab,
                         QString()),
              // quoted separator and doubled quotes
              std::tuple(QByteArray("\"a,b\",\"say \"\"hi\"\"\",\"\"\n"), Rows{{u"a,b"_s, u"say \"hi\""_s, QString()}},
                         Lines{1}, u","_s, QString()),
              // line breaks inside quotes count as lines
              std::tuple(QByteArray("x,\"one\r\ntwo\nthree\"\ny,z\n"),
                         Rows{{u"x"_s, u"one\r\ntwo\nthree"_s}, {u"y"_s, u"z"_s}}, Lines{1, 4}, u","_s, QString()),
              // separators in quotes do not count
              std::tuple(QByteArray("\"a;b;c\",d\n"), Rows{{u"a;b;c"_s, u"d"_s}}, Lines{1}, u","_s, QString()),
              std::tuple(QByteArray("a,\n"), Rows{{u"a"_s, QString()}}, Lines{1}, u","_s, QString()),
              std::tuple(QByteArray("\xEF\xBB\xBFR\xC3\xA4k\n"), Rows{{u"R\u00e4k"_s}}, Lines{1}, u","_s, QString()),
              std::tuple(QByteArray("R\xE4k;\x80\n"), Rows{{u"R\u00e4k"_s, u"\u20ac"_s}}, Lines{1}, u";"_s, QString()),
              std::tuple(QByteArray("a,b\n") + QByteArray(10 << 20, 'x') + "\n1,2\n", Rows{{u"a"_s, u"b"_s}}, Lines{1},
                         u","_s, u"Line 2 is longer than 65536 bytes."_s),
              std::tuple(QByteArray("a,\"") + QByteArray(10 << 20, 'x') + "\"\n", Rows{}, Lines{}, u","_s,
                         u"Line 1 is longer than 65536 bytes."_s)}) {
            CsvReader reader(bytes);
            QCOMPARE(reader.separator(), separator.front());
            Rows read;
            Lines readLines;
            for (const CsvRow &row : readCsvRows(reader, 100)) {
                read.append(row.fields);
                readLines.append(row.line);
            }
            QCOMPARE(read, rows);
            QCOMPARE(readLines, lines);
            QVERIFY2(reader.error().startsWith(error) && reader.ok() == error.isEmpty(), qPrintable(reader.error()));
        }
    }

    void rowRules_data()
    {
        QTest::addColumn<QStringList>("row"); ///< product, barcode, supplement, text, type
        QTest::addColumn<QStringList>("record");
        QTest::addColumn<QString>("refusal");
        const auto row = [](const char *barcode, const char *type, const char *supplement = "") {
            return QStringList{u"P"_s, QString::fromUtf8(barcode), QString::fromUtf8(supplement), u"T"_s,
                               QString::fromUtf8(type)};
        };
        const auto record = row; // the fields in the same order
        const QStringList none;
        QTest::newRow("EAN-13 with its check digit")
            << row("4006381333931", "EAN 13") << record("400638133393", "E130") << QString();
        QTest::newRow("EAN-13 check digit completed")
            << row(" 400638133393 ", "E130") << record("400638133393", "E130") << QString();
        QTest::newRow("EAN-13 wrong check digit")
            << row("5012345678901", "ean-13") << none << u"the check digit is 1, but it should be 0"_s;
        QTest::newRow("EAN-13 too short")
            << row("40063813339", "EAN 13") << none << u"EAN 13 has 12 digits, or 13 with its check digit, not 11"_s;
        QTest::newRow("letters in an EAN")
            << row("40063813339O", "EAN 13") << none << u"the barcode 40063813339O is not all digits"_s;
        QTest::newRow("EAN-8") << row("96385074", "E80") << record("9638507", "E80 ") << QString();
        QTest::newRow("UPC-A") << row("036000291452", "UPC A") << record("03600029145", "UPA0") << QString();
        QTest::newRow("UPC-E checked through its UPC-A")
            << row("04252614", "UPE0") << record("0425261", "UPE0") << QString();
        QTest::newRow("UPC-E wrong check digit")
            << row("04252615", "UPC E") << none << u"the check digit is 5, but it should be 4"_s;
        QTest::newRow("UPC A to E") << row("036000291452", "UPC A to E") << record("03600029145", "UPP0") << QString();
        QTest::newRow("SCC-14") << row("10012345678902", "SCC-14") << record("1001234567890", "SC14") << QString();
        QTest::newRow("ISBN") << row("1-57169-006-9", "ISBN") << record("1-57169-006-9", "ISB0") << QString();
        QTest::newRow("ISBN wrong check character")
            << row("1-57169-006-8", "ISBN") << none << u"the ISBN check character is 8, but it should be 9"_s;
        QTest::newRow("ISBN without dividers")
            << row("1571690069", "ISB0") << none << u"an ISBN is written as 10 characters and 3 dividers"_s;
        QTest::newRow("Code 39 in capitals") << row("box-12 a", "Code 39") << record("BOX-12 A", "Co39") << QString();
        QTest::newRow("Code 39 character") << row("BOX_12", "Co39") << none << u"\"_\" is no Code 39 character"_s;
        QTest::newRow("Code 39 too long") << row(QByteArray(86, 'A').constData(), "Co39") << none
                                          << u"a Code 39 barcode has at most 85 characters, not 86"_s;
        QTest::newRow("2-digit supplement makes the add-on type")
            << row("9771234567003", "EAN 13", "12") << record("977123456700", "E132", "12") << QString();
        QTest::newRow("5-digit supplement on UPC-A")
            << row("03600029145", "UPA0", "51234") << record("03600029145", "UPA5", "51234") << QString();
        QTest::newRow("name with add-on")
            << row("96385074", "EAN 8+5", "00123") << record("9638507", "E85 ", "00123") << QString();
        QTest::newRow("add-on type without supplement")
            << row("9638507", "E82") << none << u"EAN 8+2 needs a supplement of 2 digits, not 0"_s;
        QTest::newRow("3-digit supplement")
            << row("9638507", "E80", "123") << none << u"a supplement has 2 or 5 digits, not 3"_s;
        QTest::newRow("ISBN takes no 2 digits")
            << row("1-57169-006-9", "ISBN", "12") << none << u"ISBN takes no 2-digit supplement"_s;
        QTest::newRow("unknown type") << row("4006381333931", "QR") << none << u"\"QR\" is no barcode type"_s;
        QTest::newRow("no type, 13 digits") << row("4006381333931", "") << record("400638133393", "E130") << QString();
        QTest::newRow("no type, 7 digits") << row("9638507", " ") << record("9638507", "E80 ") << QString();
        QTest::newRow("no type, letters") << row("ABC", "") << none << u"no type is given"_s;
        QTest::newRow("no barcode") << row("", "E130") << none << u"there is no barcode"_s;
        QTest::newRow("line break in the product")
            << QStringList{u"Two\nlines"_s, u"4006381333931"_s, {}, {}, u"E130"_s} << none
            << u"the product holds a line break, which a list file cannot keep"_s;
    }
    void rowRules()
    {
        QFETCH(QStringList, row);
        QFETCH(QStringList, record);
        QFETCH(QString, refusal);
        const CsvRowCheck check = checkCsvRow(row[0], row[1], row[2], row[3], row[4]);
        QVERIFY2(check.refusal.startsWith(refusal) && check.refusal.isEmpty() == refusal.isEmpty(),
                 qPrintable(check.refusal));
        if (refusal.isEmpty())
            QCOMPARE(check.record, (ListRecord{record[0], record[1], record[2], record[3], record[4]}));
    }

    // The columns named by a file's header, or by a list the user gives.
    void columns_data()
    {
        QTest::addColumn<QStringList>("header"); ///< empty: \a list names the columns
        QTest::addColumn<QString>("list");
        QTest::addColumn<QList<int>>("columns"); ///< product, barcode, supplement, text, type; empty: none
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("ai"); ///< the GS1 columns, "column:AI"
        QTest::newRow("English") << QStringList{u"Product"_s, u"Barcode"_s, u"Digit Sup."_s, u"Text"_s, u"Type"_s}
                                 << QString() << QList<int>{0, 1, 2, 3, 4} << QString() << QStringList{};
        QTest::newRow("Swedish, other order")
            << QStringList{u"Streckkod"_s, u"Typ"_s, u" PRODUKT "_s, u"Tillägg"_s, u"Fritext"_s} << QString()
            << QList<int>{2, 0, 3, 4, 1} << QString() << QStringList{};
        QTest::newRow("GTIN, the first of two") << QStringList{u"Name"_s, u"gtin"_s, u"EAN-13"_s} << QString()
                                                << QList<int>{0, 1, -1, -1, -1} << QString() << QStringList{};
        QTest::newRow("TypeCode before Type") << QStringList{u"EAN"_s, u"Type"_s, u"Type_Code"_s} << QString()
                                              << QList<int>{-1, 0, -1, -1, 2} << QString() << QStringList{};
        QTest::newRow("no barcode column")
            << QStringList{u"Product"_s, u"Price"_s} << QString() << QList<int>{} << QString() << QStringList{};
        const QStringList none;
        QTest::newRow("all five") << none << u"product,barcode,supplement,text,type"_s << QList<int>{0, 1, 2, 3, 4}
                                  << QString() << QStringList{};
        QTest::newRow("skipped columns") << none << u"-,barcode,,product"_s << QList<int>{3, 1, -1, -1, -1} << QString()
                                         << QStringList{};
        QTest::newRow("unknown name")
            << none << u"barcode,price"_s << QList<int>{}
            << u"\"price\" is no column name: use product, barcode, supplement, text, type or an AI such as ai10"_s
            << QStringList{};
        QTest::newRow("named twice") << none << u"barcode,ean"_s << QList<int>{}
                                     << u"\"ean\" names a field that an earlier column already holds"_s
                                     << QStringList{};
        QTest::newRow("list without barcode")
            << none << u"product,text"_s << QList<int>{} << u"no column holds the barcode"_s << QStringList{};
        // A field keeps its name ("EAN" names the GTIN too); the GTIN's other names are no GS1 column.
        QTest::newRow("GS1 columns by AI and by name")
            << QStringList{u"(10)"_s, u"EAN"_s, u"Bäst före"_s, u"Artikelnummer"_s, u"Net weight"_s, u"AI 3103"_s}
            << QString() << QList<int>{-1, 1, -1, -1, -1} << QString()
            << QStringList{u"0:10"_s, u"2:15"_s, u"4:310n"_s, u"5:3103"_s};
        QTest::newRow("GS1 columns in a list")
            << none << u"barcode,ai10,(17),-,AI3103"_s << QList<int>{-1, 0, -1, -1, -1} << QString()
            << QStringList{u"1:10"_s, u"2:17"_s, u"4:3103"_s};
        QTest::newRow("an AI named twice")
            << none << u"barcode,ai10,(10)"_s << QList<int>{}
            << u"\"(10)\" names an AI that an earlier column already holds"_s << QStringList{};
        QTest::newRow("the GTIN as a GS1 column")
            << none << u"ai01,barcode"_s << QList<int>{} << u"\"ai01\" names the GTIN, which the barcode column holds"_s
            << QStringList{};
    }
    void columns()
    {
        QFETCH(QStringList, header);
        QFETCH(QString, list);
        QFETCH(QList<int>, columns);
        QFETCH(QString, error);
        QString why;
        const std::optional<CsvColumns> found =
            header.isEmpty() ? columnsFromList(list, &why) : columnsFromHeader(header);
        QCOMPARE(why, error);
        const QList<int> read =
            found ? QList<int>{found->product, found->barcode, found->supplement, found->text, found->type}
                  : QList<int>{};
        QCOMPARE(read, columns);
        QFETCH(QStringList, ai);
        QStringList readAi;
        for (const CsvAiColumn &column : found ? found->ai : QList<CsvAiColumn>{})
            readAi.append(QString::number(column.column) + u':' + column.ai);
        QCOMPARE(readAi, ai);
    }

    // The GS1 columns of one row: the record's data as a bracketed element string, or the row
    // refused with the reason the report gives, the other row of the file imported all the same.
    void gs1Cells_data()
    {
        QTest::addColumn<QString>("header"); ///< after "Product;EAN;Type;"
        QTest::addColumn<QString>("cells");  ///< after "Soap;<barcode>;<type>;"
        QTest::addColumn<QString>("barcode");
        QTest::addColumn<QString>("gs1");
        QTest::addColumn<QString>("refusal");
        const QString ean = u"5012345678900;EAN 13"_s;
        QTest::newRow("AIs in brackets and after AI")
            << u"(17);AI 10;(21)"_s << u"271231;AB-12;"_s << ean << u"(17)271231(10)AB-12"_s << QString();
        QTest::newRow("English names") << u"Batch;Expiry;Serial number"_s << u" L1 ;270601;S9"_s << ean
                                       << u"(10)L1(17)270601(21)S9"_s << QString();
        QTest::newRow("Swedish names") << u"Serienummer;Utgångsdatum;Partinummer"_s << u"7;271231;P"_s << ean
                                       << u"(21)7(17)271231(10)P"_s << QString();
        QTest::newRow("net weight by name, decimal point")
            << u"Net weight"_s << u"0.750"_s << ean << u"(3103)000750"_s << QString();
        QTest::newRow("net weight by Swedish name, decimal comma")
            << u"Nettovikt"_s << u"12,5"_s << ean << u"(3101)000125"_s << QString();
        QTest::newRow("whole kilograms") << u"Net weight"_s << u"2"_s << ean << u"(3100)000002"_s << QString();
        QTest::newRow("the full AI takes the digits as they are")
            << u"(3103) Net weight"_s << u"000750"_s << ean << u"(3103)000750"_s << QString();
        // As before, a column of article numbers is no GS1 data: the barcode column holds the GTIN.
        QTest::newRow("article numbers are left as they were")
            << u"Artikelnummer"_s << u"A-77"_s << ean << QString() << QString();
        QTest::newRow("UPC-E carries its UPC-A number")
            << u"Batch"_s << u"B"_s << u"04252614;UPC E"_s << u"(10)B"_s << QString();
        QTest::newRow("ISBN carries its EAN-13")
            << u"Batch"_s << u"B"_s << u"1-57169-006-9;ISBN"_s << u"(10)B"_s << QString();
        QTest::newRow("the same AI twice, the same value")
            << u"Batch;Lot"_s << u"L1;L1"_s << ean << u"(10)L1"_s << QString();
        QTest::newRow("empty cells") << u"Batch;Expiry"_s << u" ;"_s << ean << QString() << QString();
        QTest::newRow("no month 13") << u"Expiry"_s << u"271331"_s << ean << QString()
                                     << u"(17) 271331: 13 is no month"_s;
        QTest::newRow("the same AI twice, two values")
            << u"Batch;Lot"_s << u"L1;L2"_s << ean << QString() << u"(10) is given twice"_s;
        // A list's own columns of stock, prices and weights stay out of the labels' GS1 data.
        QTest::newRow("a spreadsheet's count, price and weight are no GS1 data")
            << u"Antal;Pris;Vikt;Count;Price;Weight"_s << u"5;12,50;2;5;12.50;2"_s << ean << QString() << QString();
        QTest::newRow("a count does not go with a GTIN")
            << u"(37)"_s << u"5"_s << ean << QString() << u"(37) needs (02) or (8026) in the same data"_s;
        QTest::newRow("Code 39 has no GTIN for a batch")
            << u"Batch"_s << u"B"_s << u"BOX-1;Code 39"_s << QString() << u"(10) needs (01), (02) or (8006)"_s;
        QTest::newRow("more decimals than the AI takes") << u"Net weight"_s << u"0.123456"_s << ean << QString()
                                                         << u"the net weight 0.123456 has more than 5 decimals"_s;
        QTest::newRow("more digits than the value holds") << u"Net weight"_s << u"12345.67"_s << ean << QString()
                                                          << u"the net weight 12345.67 has more than 6 digits"_s;
        QTest::newRow("no number") << u"Net weight"_s << u"0.75 kg"_s << ean << QString()
                                   << u"the net weight 0.75 kg is no number such as 0.750"_s;
    }
    void gs1Cells()
    {
        QFETCH(QString, header);
        QFETCH(QString, cells);
        QFETCH(QString, barcode);
        QFETCH(QString, gs1);
        QFETCH(QString, refusal);
        const QString row = u"Soap;"_s + barcode + u';' + cells;
        const QByteArray file =
            (u"Product;EAN;Type;"_s + header + u"\nTea;4006381333931;EAN 13\n"_s + row + u'\n').toUtf8();
        const CsvImportResult result = importBytes(file);
        QVERIFY(result.ok());
        QCOMPARE(result.accepted.value(0).product, u"Tea"_s);
        QVERIFY(result.accepted.value(0).gs1.isEmpty());
        QCOMPARE(result.accepted.size(), refusal.isEmpty() ? 2 : 1);
        if (refusal.isEmpty()) {
            QCOMPARE(bracketedElementString(result.accepted.value(1).gs1), gs1);
        } else {
            const QString report = result.reportText();
            QVERIFY2(report.contains(u"Line 3 (%1): %2"_s.arg(row, refusal)), qPrintable(report));
        }
    }

    // Duplicates against the list and within the file, one answer for all, as Add to List asks.
    void duplicates()
    {
        BarcodeList list;
        list.append({u"Soap"_s, u"501234567890"_s, {}, {}, u"E130"_s});
        const QByteArray file = "Product,EAN\n"
                                "soap,4006381333931\n" // product in the list, new barcode
                                "Jam,5012345678900\n"  // barcode issued in the list
                                ",5012345678900\n"     // no product: no check
                                "Tea,9638507\n"
                                "TEA,96385074\n" // same product, same barcode as the row before
                                "tea,1234567\n";
        // The answer, the products accepted and the refused rows ("line: reason").
        for (const auto &[answer, accepted, refused] :
             {std::tuple(DuplicateProducts::KeepAll, QStringList{u"soap"_s, u""_s, u"Tea"_s, u"tea"_s},
                         QStringList{u"3: this number has been issued"_s, u"6: this number has been issued"_s}),
              std::tuple(DuplicateProducts::SkipAll, QStringList{u""_s, u"Tea"_s},
                         QStringList{u"2: the product soap exists in list"_s, u"3: this number has been issued"_s,
                                     u"6: the product TEA exists in list"_s,
                                     u"7: the product tea exists in list"_s})}) {
            const CsvImportResult result = importBytes(file, std::nullopt, &list, answer);
            QStringList products, reasons;
            for (const ListRecord &record : result.accepted)
                products << record.product;
            for (const RefusedRow &row : result.refused)
                reasons << QString::number(row.line) + u": "_s + row.reason;
            QCOMPARE(std::pair(products, reasons), std::pair(accepted, refused));
            QCOMPARE(list.count(), 1); // the import appends nothing itself
            QVERIFY(result.reportText().startsWith(
                u"6 rows read: %1 imported, %2 refused.\n"_s.arg(accepted.size()).arg(refused.size())));
        }
    }

    // A list exported and imported again is the same list, byte for byte in QZ2.
    void roundTrip()
    {
        const QList<ListRecord> records{
            {u"Soap, \"extra\" mild"_s, u"501234567890"_s, {}, u"Aisle 3"_s, u"E130"_s},
            {u"R\u00e4ksm\u00f6rg\u00e5s"_s, u"977123456700"_s, u"12"_s, u" blank ends "_s, u"E132"_s},
            {u"Mints"_s, u"9638507"_s, u"00123"_s, {}, u"E85 "_s},
            {u"Cola"_s, u"03600029145"_s, {}, {}, u"UPA0"_s},
            {u"Gum"_s, u"0425261"_s, u"51"_s, {}, u"UPE2"_s},
            {u"Crisps"_s, u"04210000526"_s, {}, {}, u"UPP0"_s},
            {u"Book"_s, u"1-57169-006-9"_s, u"51234"_s, {}, u"ISB5"_s},
            {u"Carton"_s, u"1001234567890"_s, {}, {}, u"SC14"_s},
            {u""_s, u"BOX-12 A"_s, {}, u"\u20ac 5"_s, u"Co39"_s},
        };
        const QByteArray csv = csvBytes(records);
        QVERIFY(csv.startsWith("\xEF\xBB\xBFProduct,Barcode,Supplement,Text,Type,TypeCode\r\n"
                               "\"Soap, \"\"extra\"\" mild\",5012345678900,,Aisle 3,EAN 13,E130\r\n"));
        const CsvImportResult result = importBytes(csv);
        QVERIFY2(result.complete(), qPrintable(result.reportText()));
        QBuffer original, again;
        original.open(QIODevice::WriteOnly);
        again.open(QIODevice::WriteOnly);
        QVERIFY(writeQz2Utf8(original, records).ok && writeQz2Utf8(again, result.accepted).ok);
        QCOMPARE(again.data(), original.data());
    }

    // GS1 data exported and imported again is the same: one column per AI, in the order they first
    // come, each headed as the import reads it.
    void gs1RoundTrip()
    {
        QList<ListRecord> records{
            {u"Ham"_s, u"501234567890"_s, {}, {}, u"E130"_s, {{u"17"_s, u"271231"_s}, {u"3103"_s, u"000750"_s}}},
            {u"Tea"_s, u"400638133393"_s, {}, {}, u"E130"_s, {}},
            {u"Gum"_s, u"0425261"_s, {}, {}, u"UPE0"_s, {{u"10"_s, u"AB,\"1\""_s}, {u"17"_s, u"280101"_s}}},
        };
        const QByteArray csv = csvBytes(records);
        QVERIFY(csv.startsWith(
            "\xEF\xBB\xBFProduct,Barcode,Supplement,Text,Type,TypeCode,(17) Expiry,(3103) Net weight,(10) Batch\r\n"
            "Ham,5012345678900,,,EAN 13,E130,271231,000750,\r\n"
            "Tea,4006381333931,,,EAN 13,E130,,,\r\n"));
        const CsvImportResult result = importBytes(csv);
        QVERIFY2(result.complete(), qPrintable(result.reportText()));
        // A batch is put after the expiry it came before: the columns are per AI.
        std::swap(records[2].gs1[0], records[2].gs1[1]);
        QCOMPARE(result.accepted, records);
    }

    // Two million rows, twice what a list holds: the first million are imported, the rest is not
    // read, and the process stays far below 600 MB.
    void twoMillionRows()
    {
        QByteArray file = "Product,Barcode\n";
        file.reserve(2'000'001 * 24);
        for (int i = 0; i < 2'000'000; ++i)
            file += "Item " + QByteArray::number(i) + ",4" + QByteArray::number(i).rightJustified(11, '0') + '\n';
        CsvImportResult result = importBytes(file);
        file.clear();
        QCOMPARE(result.accepted.size(), BarcodeList::MaxRecords);
        QCOMPARE(result.rowsRead, BarcodeList::MaxRecords);
        QCOMPARE(result.unreadFromLine, BarcodeList::MaxRecords + 2);
        QCOMPARE(result.accepted.constLast().barcode, u"400000999999"_s);
        QVERIFY(result.reportText().contains(
            u"The rows from line 1000002 on were not read: a list holds at most 1000000 records."_s));
#if defined(__SANITIZE_ADDRESS__)
        return; // the sanitizer's shadow memory and quarantine would count in the peak
#endif
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        QVERIFY2(usage.ru_maxrss < 600 * 1024, qPrintable(QString::number(usage.ru_maxrss / 1024) + u" MB"_s));
    }

    // A list with room for two more records takes two rows and leaves the rest unread.
    void fullList()
    {
        BarcodeList list;
        QList<ListRecord> records(BarcodeList::MaxRecords - 2, ListRecord{{}, u"1"_s, {}, {}, u"Co39"_s});
        list.appendRecords(records, false);
        const CsvImportResult result = importBytes("EAN\n4006381333931\n5012345678900\n9638507\n", std::nullopt, &list);
        QCOMPARE(result.accepted.size(), 2);
        QCOMPARE(result.unreadFromLine, 4);
    }

    void dataFiles_data()
    {
        addDataFileRows(qEnvironmentVariable("KELBRIX_TEST_DATA") + u"/csv"_s, {u"*.csv"_s});
    }
    // Each file beside its expected result: the records, the refused rows ("line: reason"), the
    // separator, the encoding and whether there is a header; or the error and its line.
    void dataFiles()
    {
        QFETCH(QString, path);
        const QJsonObject expected = QJsonDocument::fromJson(fileBytes(path + u".json"_s)).object();
        QVERIFY(!expected.isEmpty());
        QCOMPARE(expected.contains(u"error"_s), path.contains(u"/fail/"_s));

        CsvReader reader = CsvReader::fromFile(path);
        std::optional<CsvColumns> columns;
        if (expected.contains(u"columns"_s)) {
            QString error;
            columns = columnsFromList(expected.value(u"columns"_s).toString(), &error);
            QVERIFY2(columns, qPrintable(error));
        }
        const CsvImportResult result = importCsv(reader, columns, nullptr, DuplicateProducts::KeepAll);
        QCOMPARE(result.error, expected.value(u"error"_s).toString());
        QCOMPARE(reader.errorLine(), expected.value(u"line"_s).toInteger());
        QCOMPARE(result.accepted, recordsFrom(expected.value(u"records"_s)));
        QStringList refused;
        for (const RefusedRow &row : result.refused)
            refused << QString::number(row.line) + u": "_s + row.reason;
        QCOMPARE(refused, expected.value(u"refused"_s).toVariant().toStringList());
        if (result.ok()) {
            QCOMPARE(QString(reader.separator()), expected.value(u"separator"_s).toString());
            const char *encodings[] = {"utf8", "utf8bom", "1252"};
            QCOMPARE(QString::fromLatin1(encodings[int(reader.encoding())]), expected.value(u"encoding"_s).toString());
            QCOMPARE(result.header, expected.value(u"header"_s).toBool());
        }
    }
};

QTEST_GUILESS_MAIN(TestCsvImport)
#include "tst_csv_import.moc"
