#include "list/code_page_1252.h"

namespace Kelbrix::CodePage1252 {

namespace {

// Code points of bytes 0x80-0x9F. The undefined bytes keep their own value.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80-0x87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88-0x8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90-0x97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98-0x9F
};

} // namespace

QString decode(QByteArrayView bytes)
{
    // Latin-1 decoding is the fast path and right for all but 32 byte values, which are
    // patched afterwards.
    QString text = QString::fromLatin1(bytes);
    QChar *data = text.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = data[i].unicode();
        if (unit >= 0x80 && unit < 0xA0)
            data[i] = QChar(kHighControls[unit - 0x80]);
    }
    return text;
}

int byteFor(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return int(character);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == character)
            return 0x80 + i;
    }
    return -1;
}

bool encode(QStringView text, QByteArray &out, char32_t *unencodable)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *target = out.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        const int byte = unit < 0x80 ? int(unit) : byteFor(unit);
        if (byte < 0) {
            char32_t character = unit;
            if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
                character = QChar::surrogateToUcs4(unit, text[i + 1].unicode());
            if (unencodable)
                *unencodable = character;
            out.resize(start + i);
            return false;
        }
        target[i] = char(byte);
    }
    return true;
}

} // namespace Kelbrix::CodePage1252
