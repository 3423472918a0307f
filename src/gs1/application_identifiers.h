#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace Kelbrix {

/// The characters a component of an AI's value may hold.
enum class Gs1CharacterSet {
    Digits, ///< 0-9
    Set82,  ///< GS1 set 82: the invariant printable characters of ISO 646
    Set39,  ///< GS1 set 39: A-Z, 0-9, #, - and /
    Set64,  ///< GS1 set 64: A-Z, a-z, 0-9, - and _ (URL-safe base64), and =
};

/// One component of an AI's value: its characters, its length and the rule its content keeps.
struct Gs1Component {
    Gs1CharacterSet characters = Gs1CharacterSet::Digits;
    int minLength = 1;
    int maxLength = 1;
    bool optional = false; ///< may be left out, with every component after it
    /// Empty, or "check", "zero", "pieces", "threes", or a date pattern such as "YYMMDD".
    QString rule;
    bool isFixed() const { return minLength == maxLength; }
};

/// The part an AI plays in a GS1 Digital Link URI.
enum class Gs1LinkRole {
    PrimaryKey,   ///< /01/{gtin}: what the address identifies
    KeyQualifier, ///< a path segment after a primary key that names it more closely: /10/{lot}
    Attribute,    ///< a query attribute: ?17=271231
    NotAllowed,   ///< kept out of web addresses
};

/// One entry of the AI table (src/gs1/data/application_identifiers.txt): an AI, or a family of
/// ten such as 310n whose last digit is the number of decimals.
struct Gs1AiInfo {
    QString ai;          ///< "01", "310n"
    QString title;       ///< the GS1 data title, "BATCH/LOT"
    QString shortName;   ///< the English short name shown in messages and columns, "Batch"
    QString swedishName; ///< the Swedish short name, "Batch"
    QStringList names;   ///< every English and Swedish name a column header may use
    QList<Gs1Component> components;
    /// Of a family: the digits its last digit may be, and whether that digit is the number of
    /// decimals of the value ((3103)001250 is 1.250 kg).
    int lastDigitMin = 0;
    int lastDigitMax = 0;
    bool decimalPoint = false;
    /// No separator follows the AI's value in a scanned string (GS1's table of the AIs of
    /// predefined length, by their first two digits).
    bool predefinedLength = false;
    /// Each entry is a set of AIs of which one must be in the same data.
    QList<QStringList> required;
    /// AIs (families written as "393n") that cannot be in the same data; kept both ways.
    QStringList excluded;
    Gs1LinkRole linkRole = Gs1LinkRole::Attribute;
    /// Of a primary key: its key qualifiers, each chain in path order ({"22","10","21"}, {"235"}).
    QList<QStringList> qualifierChains;
    /// Of a key qualifier: the primary keys it qualifies.
    QStringList qualifiedKeys;

    bool isFamily() const { return ai.endsWith(u'n'); }
    /// True when every component is digits.
    bool numeric() const;
    /// The shortest and longest value.
    int minLength() const;
    int maxLength() const;
};

/// The table entry of \a ai: "01", "3103" (the 310n entry), or a family itself, "310n"; null for
/// anything GS1 has not defined.
const Gs1AiInfo *findAi(QStringView ai);

/// The AI \a text starts with (2, 3 or 4 digits; GS1 keeps no AI the start of another), and its
/// length in \a length; null when it starts with none.
const Gs1AiInfo *findAiAtStart(QStringView text, int *length);

/// Every entry of the table, in its order.
QList<const Gs1AiInfo *> allAis();

/// The AI a column header names: "(10)", "10", "AI 10", "AI (10) Batch", or a name or GS1 title
/// in English or Swedish ("Batch", "BATCH/LOT", "Expiry", "Utgångsdatum", "Bäst före", "Serial",
/// "Serienummer", "Net weight", "Nettovikt"), letter case, blanks, dots, dashes, underscores,
/// slashes and brackets aside. A measure named by its name gives its family ("310n"), whose last
/// digit the caller sets from the decimals of the values. Empty when the header names no AI.
QString aiForColumnHeader(const QString &header);

} // namespace Kelbrix
