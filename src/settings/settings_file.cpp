#include "settings/settings_file.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

bool isKeyCharacter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'-' ||
           c == u'.';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

QByteArrayView trimmed(QByteArrayView text)
{
    qsizetype start = 0, end = text.size();
    while (start < end && (text.at(start) == ' ' || text.at(start) == '\t'))
        ++start;
    while (end > start && (text.at(end - 1) == ' ' || text.at(end - 1) == '\t' || text.at(end - 1) == '\r'))
        --end;
    return text.sliced(start, end - start);
}

// The section a header line opens, or an empty text for a line that is none.
QByteArrayView sectionOf(QByteArrayView line)
{
    const QByteArrayView text = trimmed(line);
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']')
        return text.sliced(1, text.size() - 2);
    return {};
}

} // namespace

SettingsFile::SettingsFile(const QByteArray &bytes)
{
    m_lines = bytes.split('\n');
    if (!m_lines.isEmpty() && m_lines.constLast().isEmpty())
        m_lines.removeLast();
    bool topLevel = true;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QByteArrayView line = m_lines.at(i);
        const QByteArrayView section = sectionOf(line);
        if (!section.isEmpty()) {
            topLevel = section == "General";
            m_hasGeneralHeader = m_hasGeneralHeader || topLevel;
            if (topLevel)
                m_topLevelEnd = i + 1;
            continue;
        }
        if (!topLevel)
            continue;
        m_topLevelEnd = i + 1;
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        // A later line of the same key wins, as with QSettings.
        m_lineOfKey.insert(unescapedKey(trimmed(line.first(equals))), i);
    }
}

QString SettingsFile::value(const QString &name, bool *found) const
{
    const auto it = m_lineOfKey.constFind(name);
    if (found)
        *found = it != m_lineOfKey.cend();
    if (it == m_lineOfKey.cend())
        return {};
    const QByteArrayView line = m_lines.at(*it);
    return unescapedValue(line.sliced(line.indexOf('=') + 1));
}

void SettingsFile::setValue(const QString &name, const QString &text)
{
    const QByteArray line = escapedKey(name) + '=' + escapedValue(text);
    if (const auto it = m_lineOfKey.constFind(name); it != m_lineOfKey.cend()) {
        m_lines[*it] = line;
        return;
    }
    if (!m_hasGeneralHeader && m_topLevelEnd == 0) {
        // The first top-level value goes first, under the header QSettings writes.
        m_lines.insert(0, "[General]");
        m_hasGeneralHeader = true;
        for (auto it = m_lineOfKey.begin(); it != m_lineOfKey.end(); ++it)
            ++*it;
        m_topLevelEnd = 1;
    }
    const qsizetype at = m_topLevelEnd;
    m_lines.insert(at, line);
    for (auto it = m_lineOfKey.begin(); it != m_lineOfKey.end(); ++it) {
        if (*it >= at)
            ++*it;
    }
    m_lineOfKey.insert(name, at);
    ++m_topLevelEnd;
}

QByteArray SettingsFile::bytes() const
{
    QByteArray out;
    for (const QByteArray &line : m_lines)
        out += line + '\n';
    return out;
}

QByteArray SettingsFile::escapedKey(const QString &name)
{
    QByteArray key;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u == u'/')
            key += '\\';
        else if (isKeyCharacter(u))
            key += char(u);
        else if (u <= 0xFF)
            key += '%' + QByteArray::number(u, 16).toUpper().rightJustified(2, '0');
        else
            key += "%U" + QByteArray::number(u, 16).toUpper().rightJustified(4, '0');
    }
    return key;
}

QString SettingsFile::unescapedKey(QByteArrayView key)
{
    QString name;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char c = key.at(i);
        if (c == '\\') {
            name += u'/';
        } else if (c == '%' && i + 5 < key.size() && key.at(i + 1) == 'U') {
            int value = 0;
            bool ok = true;
            for (int k = 2; k < 6; ++k) {
                const int digit = hexValue(key.at(i + k));
                ok = ok && digit >= 0;
                value = value * 16 + digit;
            }
            if (!ok) {
                name += u'%';
                continue;
            }
            name += QChar(char16_t(value));
            i += 5;
        } else if (c == '%' && i + 2 < key.size() && hexValue(key.at(i + 1)) >= 0 && hexValue(key.at(i + 2)) >= 0) {
            name += QChar(char16_t(hexValue(key.at(i + 1)) * 16 + hexValue(key.at(i + 2))));
            i += 2;
        } else {
            name += QLatin1Char(c);
        }
    }
    return name;
}

QByteArray SettingsFile::escapedValue(const QString &text)
{
    QByteArray out;
    bool needsQuotes = false;
    bool escapeNextIfHexDigit = false;
    const QString plain = text.startsWith(u'@') ? u'@' + text : text;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const QChar c = plain.at(i);
        const char16_t u = c.unicode();
        if (u == u';' || u == u',' || u == u'=')
            needsQuotes = true;
        // "\x1" followed by "a" would read as one escape "\x1a": such a digit is escaped too.
        if (escapeNextIfHexDigit && u < 0x80 && hexValue(char(u)) >= 0) {
            out += "\\x" + QByteArray::number(u, 16);
            continue;
        }
        escapeNextIfHexDigit = false;
        switch (u) {
        case u'\0':
            out += "\\0";
            escapeNextIfHexDigit = true;
            break;
        case u'\a':
            out += "\\a";
            break;
        case u'\b':
            out += "\\b";
            break;
        case u'\f':
            out += "\\f";
            break;
        case u'\n':
            out += "\\n";
            break;
        case u'\r':
            out += "\\r";
            break;
        case u'\t':
            out += "\\t";
            break;
        case u'\v':
            out += "\\v";
            break;
        case u'"':
        case u'\\':
            out += '\\';
            out += char(u);
            break;
        default:
            if (u <= 0x1F) {
                out += "\\x" + QByteArray::number(u, 16);
                escapeNextIfHexDigit = true;
            } else if (c.isHighSurrogate() && i + 1 < plain.size() && plain.at(i + 1).isLowSurrogate()) {
                // A character beyond the first 65,536 is two UTF-16 units: written as one.
                out += plain.sliced(i, 2).toUtf8();
                ++i;
            } else {
                out += QString(c).toUtf8();
            }
        }
    }
    if (needsQuotes || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}

QString SettingsFile::unescapedValue(QByteArrayView value)
{
    const QByteArrayView text = trimmed(value);
    QByteArray out;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (c != '\\' || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const char next = text.at(++i);
        switch (next) {
        case 'a':
            out += '\a';
            break;
        case 'b':
            out += '\b';
            break;
        case 'f':
            out += '\f';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'v':
            out += '\v';
            break;
        case 'x': {
            char32_t code = 0;
            int digits = 0;
            while (digits < 4 && i + 1 < text.size() && hexValue(text.at(i + 1)) >= 0) {
                code = code * 16 + char32_t(hexValue(text.at(++i)));
                ++digits;
            }
            out += QString(QChar(char16_t(code))).toUtf8();
            break;
        }
        case '0':
        case '1':
        case '2':
        case '3':
        case '4':
        case '5':
        case '6':
        case '7': {
            char32_t code = char32_t(next - '0');
            int digits = 1;
            while (digits < 3 && i + 1 < text.size() && text.at(i + 1) >= '0' && text.at(i + 1) <= '7') {
                code = code * 8 + char32_t(text.at(++i) - '0');
                ++digits;
            }
            out += QString(QChar(char16_t(code))).toUtf8();
            break;
        }
        default: // \" \' \? \\ and anything else stand for the character itself
            out += next;
        }
    }
    QString result = QString::fromUtf8(out);
    if (result.startsWith(u"@@"_s))
        result.remove(0, 1);
    return result;
}

} // namespace Kelbrix
