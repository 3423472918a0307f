#include "export/converter_command.h"

#include "export/converter_result.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

const QStringList &knownKeys()
{
    static const QStringList keys = {u"source"_s, u"dest"_s,   u"format"_s, u"colors"_s,   u"mono"_s,
                                     u"raster"_s, u"xres"_s,   u"yres"_s,   u"rescalex"_s, u"rescaley"_s,
                                     u"inv"_s,    u"mirror"_s, u"rot"_s,    u"log"_s};
    return keys;
}

// Plain decimal digits only: no sign, no blanks, no exponent.
std::optional<int> wholeNumber(const QString &value, int minimum, int maximum)
{
    static const QRegularExpression digits(u"^[0-9]{1,10}$"_s);
    if (!digits.match(value).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < minimum || number > maximum)
        return std::nullopt;
    return int(number);
}

std::optional<Rescale> rescaleValue(const QString &value)
{
    static const QRegularExpression pattern(u"^([0-9]{1,9})(\\.[0-9]{1,6})?(pix|%)$"_s,
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(value);
    if (!match.hasMatch())
        return std::nullopt;
    Rescale rescale;
    const bool percent = match.captured(3) == u"%"_s;
    // A pixel count is a whole number; a percentage may have decimals.
    if (!percent && match.hasCaptured(2))
        return std::nullopt;
    rescale.unit = percent ? Rescale::Unit::Percent : Rescale::Unit::Pixels;
    rescale.value = (match.captured(1) + match.captured(2)).toDouble();
    if (!(rescale.value > 0))
        return std::nullopt;
    return rescale;
}

bool isClipboard(const QString &value)
{
    return value.compare(u"clipboard"_s, Qt::CaseInsensitive) == 0;
}

// Applies one pair; false when the value does not fit the key. An unknown format value is
// not malformed but unsupported, and is reported through \a unsupportedFormat.
bool applyPair(ConverterCommand &c, const QString &key, const QString &rawValue, bool &unsupportedFormat)
{
    if (key == u"source" || key == u"dest") {
        // Paths are used as written, blanks included.
        if (rawValue.isEmpty())
            return false;
        const bool clipboard = isClipboard(rawValue);
        if (key == u"source") {
            c.sourceIsClipboard = clipboard;
            c.source = clipboard ? QString() : rawValue;
        } else {
            c.destIsClipboard = clipboard;
            c.dest = clipboard ? QString() : rawValue;
        }
        return true;
    }
    const QString value = rawValue.trimmed().toLower();
    if (key == u"format") {
        static const QList<std::pair<QString, TiffCompression>> digits = {{u"0"_s, TiffCompression::None},
                                                                          {u"2"_s, TiffCompression::Huffman},
                                                                          {u"4"_s, TiffCompression::Group3},
                                                                          {u"5"_s, TiffCompression::Group4}};
        if (value == u"tif" || value == u"tiff") {
            c.output = OutputType::Tiff;
            return true;
        }
        if (value == u"bmp") {
            c.output = OutputType::Bmp;
            return true;
        }
        for (const auto &[digit, compression] : digits) {
            if (value == digit) {
                c.output = OutputType::Tiff;
                c.compression = compression;
                return true;
            }
        }
        unsupportedFormat = true;
        return true;
    }
    if (key == u"colors")
        return (c.twoColours = value == u"2");
    if (key == u"mono" || key == u"inv" || key == u"log") {
        if (value != u"0" && value != u"1")
            return false;
        (key == u"mono" ? c.mono : key == u"inv" ? c.invert : c.log) = value == u"1";
        return true;
    }
    if (key == u"raster" || key == u"xres" || key == u"yres") {
        const std::optional<int> number =
            key == u"raster" ? wholeNumber(value, 1, 2147483647) : wholeNumber(value, 1, 100000);
        if (!number)
            return false;
        (key == u"raster" ? c.raster : key == u"xres" ? c.xres : c.yres) = *number;
        return true;
    }
    if (key == u"rescalex" || key == u"rescaley") {
        const std::optional<Rescale> rescale = rescaleValue(value);
        if (!rescale)
            return false;
        (key == u"rescalex" ? c.rescaleX : c.rescaleY) = *rescale;
        return true;
    }
    if (key == u"mirror") {
        const std::optional<int> mode = wholeNumber(value, 0, 2);
        if (!mode)
            return false;
        c.mirror = *mode;
        return true;
    }
    if (key == u"rot") {
        const std::optional<int> degrees = wholeNumber(value, 0, 270);
        if (!degrees || *degrees % 90 != 0)
            return false;
        c.rotation = *degrees;
        return true;
    }
    return false;
}

ParsedCommand failed(ParsedCommand parsed, int result, const QString &problem)
{
    parsed.result = result;
    parsed.problem = problem;
    return parsed;
}

} // namespace

ParsedCommand parseConverterCommand(const QString &text)
{
    ParsedCommand parsed;
    const QStringList segments = text.split(u',');
    // The log request is honoured even for a command that turns out to be malformed.
    for (const QString &segment : segments) {
        if (segment.trimmed().compare(u"log=1"_s, Qt::CaseInsensitive) == 0)
            parsed.command.log = true;
    }

    QList<std::pair<QString, QString>> pairs;
    for (const QString &segment : segments) {
        const qsizetype equals = segment.indexOf(u'=');
        const QString key = equals > 0 ? segment.left(equals).trimmed().toLower() : QString();
        if (!key.isEmpty() && knownKeys().contains(key)) {
            pairs.append({key, segment.mid(equals + 1)});
            continue;
        }
        // Paths are not quoted, so a comma inside a file name splits it: the piece belongs to
        // the path before it. A piece that reads like a pair ("word=...") is taken as a
        // mistyped key instead, so a typo is refused rather than written into a file name.
        static const QRegularExpression pairLike(u"^\\s*[A-Za-z0-9_]+\\s*="_s);
        const bool afterPath = !pairs.isEmpty() && (pairs.last().first == u"source" || pairs.last().first == u"dest");
        if (afterPath && !segment.isEmpty() && !pairLike.match(segment).hasMatch() &&
            !isClipboard(pairs.last().second)) {
            pairs.last().second += u',' + segment;
            continue;
        }
        return failed(parsed, ConverterResult::MissingParameter,
                      segment.trimmed().isEmpty() ? u"empty element"_s : u"malformed element \"%1\""_s.arg(segment));
    }

    QStringList seen;
    bool unsupportedFormat = false;
    for (const auto &[key, value] : std::as_const(pairs)) {
        if (seen.contains(key))
            return failed(parsed, ConverterResult::MissingParameter, u"\"%1\" given twice"_s.arg(key));
        seen.append(key);
        if (!applyPair(parsed.command, key, value, unsupportedFormat))
            return failed(parsed, ConverterResult::MissingParameter, u"bad value \"%1=%2\""_s.arg(key, value));
    }
    if (!seen.contains(u"source"_s))
        return failed(parsed, ConverterResult::MissingParameter, u"no source"_s);
    if (!seen.contains(u"dest"_s))
        return failed(parsed, ConverterResult::MissingParameter, u"no dest"_s);
    if (unsupportedFormat)
        return failed(parsed, ConverterResult::UnsupportedExportFormat, u"unsupported format"_s);
    return parsed;
}

} // namespace Kelbrix
