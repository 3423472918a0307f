// The entry rules of the barcode, supplement and copies boxes: keys typed one by one, pasted
// text, and the copies limit.
#include "barcode/entry_rules.h"
#include "barcode/type_catalogue.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace Kelbrix;

namespace {

// Types \a keys into a box holding \a text with its last \a selected characters selected, as the
// window applies the key filter; an empty \a typeCode is the supplement box of two digits.
QString typed(const QString &typeCode, QString text, int selected, const QString &keys)
{
    for (QChar key : keys) {
        const BoxState box{int(text.size()), selected};
        const KeyDecision d = typeCode.isEmpty()
                                  ? filterDigitKey(key, box, 2)
                                  : filterBarcodeKey(typeCode, key, box, findType(typeCode)->entryLength);
        if (!d.accept)
            continue;
        text = d.clearFirst ? QString(d.character) : text.left(text.size() - selected) + d.character;
        selected = 0;
    }
    return text;
}

} // namespace

class TestEntryRules : public QObject {
    Q_OBJECT
private slots:
    // Keys typed into a box of a type (empty: the supplement box) holding a text with its last
    // characters selected, and the text shown after.
    void keys()
    {
        const QString ninety = u"0123456789"_s.repeated(9);
        for (const auto &[typeCode, text, selected, keys, shown] :
             {std::tuple(u"E130"_s, QString(), 0, u"4006381333931"_s, u"400638133393"_s),
              std::tuple(u"E130"_s, QString(), 0, u"4a0.0-6 x3X\u0663"_s, u"40063"_s),
              std::tuple(u"E130"_s, u"123456789012"_s, 3, u"9"_s, u"123456789012"_s),
              std::tuple(u"E130"_s, u"123456789012"_s, 12, u"9"_s, u"9"_s),
              std::tuple(u"E130"_s, u"12345"_s, 2, u"9"_s, u"1239"_s),
              std::tuple(u"ISB0"_s, QString(), 0, u"0-8044-2957-x"_s, u"0-8044-2957-X"_s),
              std::tuple(u"Co39"_s, QString(), 0, u"abc-12 $/+%.#"_s, u"ABC-12 $/+%."_s),
              std::tuple(u"Co39"_s, QString(), 0, ninety, ninety.left(85)),
              std::tuple(QString(), u"12"_s, 1, u"3"_s, u"12"_s),
              std::tuple(QString(), QString(), 0, u"1a23"_s, u"12"_s)})
            QCOMPARE(typed(typeCode, text, selected, keys), shown);
    }

    void pasted()
    {
        const auto kept = [](const QString &typeCode, const QString &text) {
            return cutBackCheckCharacter(typeCode, sanitizeBarcodeText(typeCode, text));
        };
        QCOMPARE(kept(u"E130"_s, u" 4006-381333930"_s), u"400638133393"_s);
        QCOMPARE(kept(u"E130"_s, u"40063813339"_s), u"40063813339"_s);
        QCOMPARE(kept(u"ISB0"_s, u"0-306-40615-2x"_s), u"0-306-40615-2"_s);
        QCOMPARE(kept(u"Co39"_s, u"ab"_s.repeated(45)), u"AB"_s.repeated(43).left(85));
    }

    void copies()
    {
        QCOMPARE(applyCopiesRule(u"0"_s).text, u"1"_s);
        QVERIFY(!applyCopiesRule(u"50"_s).tooMany);
        QVERIFY(applyCopiesRule(u"51"_s).tooMany);
        QVERIFY(applyCopiesRule(u"12345678901234567890"_s).tooMany);
    }
};

QTEST_GUILESS_MAIN(TestEntryRules)
#include "tst_entry_rules.moc"
