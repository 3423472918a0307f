// The rich-text reader of the barcode image list. It walks the bytes once; every open group
// is one entry on an explicit stack that says where its content goes (text, a picture, or
// nowhere), so a deeply nested file costs memory within the cap, never call depth.
#include "base/units.h"
#include "list/code_page_1252.h"
#include "list/image_list_document.h"
#include "list/rtf_pictures.h"

#include <QList>

#include <algorithm>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

enum class Destination { Text, Skip, Picture };

struct Group {
    Destination destination = Destination::Text;
    int unicodeSkip = 1; ///< characters that stand in for each \u character (\uc)
    bool ownsPicture = false;
    bool atStart = true;    ///< no content or control word seen yet
    bool ignorable = false; ///< opened by \*: skipped unless its first word is known
};

struct Picture {
    RtfPictureKind kind = RtfPictureKind::Unsupported;
    qint64 width = 0;  ///< \picw
    qint64 height = 0; ///< \pich
    qint64 goalWidth = 0;
    qint64 goalHeight = 0;
    qint64 scaleX = 100;
    qint64 scaleY = 100;
    QByteArray data;
    int pendingNibble = -1;
};

// Groups whose content is never text of the document.
bool isSkippedDestination(QByteArrayView word)
{
    static const char *const words[] = {"fonttbl",      "colortbl",  "stylesheet",
                                        "info",         "listtable", "listoverridetable",
                                        "rsidtbl",      "generator", "header",
                                        "headerl",      "headerr",   "headerf",
                                        "footer",       "footerl",   "footerr",
                                        "footerf",      "footnote",  "annotation",
                                        "xmlnstbl",     "themedata", "colorschememapping",
                                        "latentstyles", "datastore", "fldinst",
                                        "nonshppict",   "objdata",   "pntext",
                                        "pntxta",       "pntxtb",    "listtext",
                                        "filetbl",      "revtbl",    "private",
                                        "mmathPr",      "pgdsctbl",  "docvar",
                                        "xe",           "tc",        "bkmkstart",
                                        "bkmkend"};
    for (const char *w : words) {
        if (word == QByteArrayView(w))
            return true;
    }
    return false;
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

// The character of a byte in the Windows-1252 code page.
char32_t codePageCharacter(char byte)
{
    static const QString table = [] {
        QByteArray all(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        return CodePage1252::decode(all);
    }();
    return table.at(uchar(byte)).unicode();
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

class RtfReader {
public:
    explicit RtfReader(QByteArrayView data) : m_data(data) {}

    RtfReadResult read();

private:
    void fail(const QString &reason)
    {
        if (m_result.message.isEmpty())
            m_result.message = u"The Barcode Image List could not be read: "_s + reason + u" (at byte "_s +
                               QString::number(m_at) + u")."_s;
    }
    bool failed() const { return !m_result.message.isEmpty(); }

    void openGroup();
    void closeGroup();
    void controlWord(QByteArrayView word, std::optional<qint64> parameter);
    void controlSymbol(char symbol);
    void character(char32_t c);
    void pictureByte(char c);
    void binaryData(qint64 count);
    void finishPicture();
    void flushText();
    Group &top() { return m_stack.last(); }

    QByteArrayView m_data;
    qsizetype m_at = 0;
    QList<Group> m_stack;
    int m_toSkip = 0; ///< fallback characters still to drop after a \u
    Picture m_picture;
    QString m_text;
    qsizetype m_textLength = 0;
    qsizetype m_pictures = 0;  ///< pictures read so far
    qint64 m_decodedBytes = 0; ///< memory the pictures read so far take (see decodedPictureBytes)
    RtfReadResult m_result;
};

RtfReadResult RtfReader::read()
{
    qsizetype start = 0;
    while (start < m_data.size() &&
           (m_data[start] == ' ' || m_data[start] == '\r' || m_data[start] == '\n' || m_data[start] == '\t'))
        ++start;
    if (!m_data.sliced(start).startsWith("{\\rtf")) {
        m_at = start;
        fail(u"the file is not rich text"_s);
        return m_result;
    }
    m_at = start;
    while (m_at < m_data.size() && !failed()) {
        const char c = m_data[m_at];
        if (c == '{') {
            ++m_at;
            openGroup();
        } else if (c == '}') {
            ++m_at;
            closeGroup();
            if (m_stack.isEmpty())
                break;
        } else if (c == '\\') {
            ++m_at;
            if (m_at >= m_data.size())
                break;
            const char next = m_data[m_at];
            if (isLetter(next)) {
                const qsizetype wordStart = m_at;
                while (m_at < m_data.size() && isLetter(m_data[m_at]) && m_at - wordStart < 32)
                    ++m_at;
                const QByteArrayView word = m_data.sliced(wordStart, m_at - wordStart);
                std::optional<qint64> parameter;
                bool negative = false;
                if (m_at < m_data.size() && m_data[m_at] == '-') {
                    negative = true;
                    ++m_at;
                }
                qint64 value = 0;
                int digits = 0;
                while (m_at < m_data.size() && m_data[m_at] >= '0' && m_data[m_at] <= '9') {
                    if (digits < 10)
                        value = value * 10 + (m_data[m_at] - '0');
                    ++digits;
                    ++m_at;
                }
                if (digits > 0)
                    parameter = negative ? -value : value;
                if (m_at < m_data.size() && m_data[m_at] == ' ')
                    ++m_at;
                controlWord(word, parameter);
            } else {
                ++m_at;
                controlSymbol(next);
            }
        } else {
            ++m_at;
            if (c == '\r' || c == '\n' || m_stack.isEmpty())
                continue;
            if (top().destination == Destination::Picture)
                pictureByte(c);
            else
                character(codePageCharacter(c));
        }
    }
    if (!failed() && !m_stack.isEmpty()) {
        for (const Group &group : std::as_const(m_stack)) {
            if (group.ownsPicture) {
                fail(u"the file ends inside picture "_s + QString::number(m_pictures + 1));
                break;
            }
        }
        if (!failed())
            fail(u"the file ends before all its groups are closed"_s);
    }
    flushText();
    return m_result;
}

void RtfReader::openGroup()
{
    if (m_stack.size() >= ImageListLimits::MaxDepth) {
        fail(u"groups are nested deeper than "_s + QString::number(ImageListLimits::MaxDepth) + u" levels"_s);
        return;
    }
    Group group = m_stack.isEmpty() ? Group{} : top();
    // The groups inside a picture hold its properties, not its data.
    if (group.destination == Destination::Picture)
        group.destination = Destination::Skip;
    group.ownsPicture = false;
    group.atStart = true;
    group.ignorable = false;
    m_stack.append(group);
}

void RtfReader::closeGroup()
{
    if (m_stack.isEmpty())
        return;
    if (top().ownsPicture)
        finishPicture();
    m_stack.removeLast();
}

void RtfReader::controlWord(QByteArrayView word, std::optional<qint64> parameter)
{
    if (m_stack.isEmpty())
        return;
    Group &group = top();
    const bool first = group.atStart;
    group.atStart = false;
    const qint64 value = parameter.value_or(0);

    if (word == "bin") {
        binaryData(value);
        return;
    }
    if (group.destination == Destination::Skip)
        return;

    if (group.destination == Destination::Picture) {
        if (word == "pngblip")
            m_picture.kind = RtfPictureKind::Png;
        else if (word == "jpegblip")
            m_picture.kind = RtfPictureKind::Jpeg;
        else if (word == "dibitmap")
            m_picture.kind = RtfPictureKind::Dib;
        else if (word == "wmetafile")
            m_picture.kind = RtfPictureKind::Wmf;
        else if (word == "emfblip" || word == "macpict" || word == "wbitmap" || word == "pmmetafile")
            m_picture.kind = RtfPictureKind::Unsupported;
        else if (word == "picw")
            m_picture.width = value;
        else if (word == "pich")
            m_picture.height = value;
        else if (word == "picwgoal")
            m_picture.goalWidth = value;
        else if (word == "pichgoal")
            m_picture.goalHeight = value;
        else if (word == "picscalex" && value != 0)
            m_picture.scaleX = value;
        else if (word == "picscaley" && value != 0)
            m_picture.scaleY = value;
        return;
    }

    if (group.ignorable && first && word != "shppict") {
        group.destination = Destination::Skip;
        return;
    }
    if (word == "pict") {
        flushText();
        if (m_pictures + m_result.skippedPictures >= ImageListLimits::MaxPictures) {
            fail(u"the file holds more than "_s + QString::number(ImageListLimits::MaxPictures) + u" pictures"_s);
            return;
        }
        group.destination = Destination::Picture;
        group.ownsPicture = true;
        m_picture = Picture{};
        return;
    }
    if (isSkippedDestination(word)) {
        group.destination = Destination::Skip;
        return;
    }
    if (word == "uc") {
        group.unicodeSkip = int(std::clamp<qint64>(value, 0, 8));
    } else if (word == "u") {
        // The number is a signed 16-bit code unit; the characters after it are a fallback.
        character(char32_t(char16_t(qint16(value))));
        m_toSkip = group.unicodeSkip;
        return;
    } else if (word == "par" || word == "line" || word == "sect" || word == "page") {
        character(U'\n');
    } else if (word == "tab") {
        character(U'\t');
    } else if (word == "emdash") {
        character(U'\u2014');
    } else if (word == "endash") {
        character(U'\u2013');
    } else if (word == "bullet") {
        character(U'\u2022');
    } else if (word == "lquote") {
        character(U'\u2018');
    } else if (word == "rquote") {
        character(U'\u2019');
    } else if (word == "ldblquote") {
        character(U'\u201C');
    } else if (word == "rdblquote") {
        character(U'\u201D');
    }
}

void RtfReader::controlSymbol(char symbol)
{
    if (m_stack.isEmpty())
        return;
    Group &group = top();
    if (symbol == '*') {
        if (group.atStart)
            group.ignorable = true;
        return;
    }
    group.atStart = false;
    if (group.destination != Destination::Text)
        return;
    switch (symbol) {
    case '\'': {
        if (m_at + 2 > m_data.size()) {
            m_at = m_data.size();
            return;
        }
        const int high = hexValue(m_data[m_at]);
        const int low = hexValue(m_data[m_at + 1]);
        m_at += 2;
        if (high < 0 || low < 0)
            return;
        const auto byte = char(high * 16 + low);
        character(codePageCharacter(byte));
        return;
    }
    case '\\':
    case '{':
    case '}':
        character(char32_t(symbol));
        return;
    case '~':
        character(U'\u00A0');
        return;
    case '_':
        character(U'\u2011');
        return;
    case '\r':
    case '\n':
        character(U'\n');
        return;
    default:
        return; // \- (optional hyphen), \| and others show nothing
    }
}

void RtfReader::character(char32_t c)
{
    if (m_toSkip > 0) {
        --m_toSkip;
        return;
    }
    if (m_stack.isEmpty() || top().destination != Destination::Text)
        return;
    top().atStart = false;
    if (++m_textLength > ImageListLimits::MaxTextLength) {
        fail(u"the file holds more than "_s + QString::number(ImageListLimits::MaxTextLength) +
             u" characters of text"_s);
        return;
    }
    m_text += QChar(char16_t(c));
}

void RtfReader::pictureByte(char c)
{
    const int nibble = hexValue(c);
    if (nibble < 0)
        return; // blanks between the hex digits
    if (m_picture.pendingNibble < 0) {
        m_picture.pendingNibble = nibble;
        return;
    }
    if (m_picture.data.size() >= ImageListLimits::MaxPictureBytes) {
        fail(u"a picture holds more than "_s + QString::number(ImageListLimits::MaxPictureBytes) + u" bytes"_s);
        return;
    }
    m_picture.data += char(m_picture.pendingNibble * 16 + nibble);
    m_picture.pendingNibble = -1;
}

void RtfReader::binaryData(qint64 count)
{
    if (count < 0 || count > m_data.size() - m_at) {
        fail(u"binary data runs past the end of the file"_s);
        return;
    }
    if (top().destination == Destination::Picture) {
        if (m_picture.data.size() + count > ImageListLimits::MaxPictureBytes) {
            fail(u"a picture holds more than "_s + QString::number(ImageListLimits::MaxPictureBytes) + u" bytes"_s);
            return;
        }
        m_picture.data += m_data.sliced(m_at, count);
    }
    m_at += count;
}

void RtfReader::finishPicture()
{
    using namespace ImageListLimits;
    const Picture picture = std::exchange(m_picture, Picture{});
    const QString number = QString::number(m_pictures + 1);
    // Sizes a picture only declares are checked before its data is decoded.
    const bool pixelSized = picture.kind != RtfPictureKind::Wmf;
    if (pixelSized && (picture.width > MaxPictureSide || picture.height > MaxPictureSide)) {
        fail(u"picture "_s + number + u" declares "_s + QString::number(picture.width) + u" x "_s +
             QString::number(picture.height) + u" pixels, more than "_s + QString::number(MaxPictureSide) +
             u" a side"_s);
        return;
    }
    if (picture.goalWidth > MaxPictureTwips || picture.goalHeight > MaxPictureTwips || picture.goalWidth < 0 ||
        picture.goalHeight < 0 || picture.scaleX < 0 || picture.scaleY < 0 || picture.scaleX > 10000 ||
        picture.scaleY > 10000) {
        fail(u"picture "_s + number + u" declares a size this program does not take"_s);
        return;
    }
    const RtfPicture decoded =
        decodeRtfPicture(picture.kind, picture.data, ImageListLimits::MaxDecodedBytes - m_decodedBytes);
    if (decoded.skipped) {
        ++m_result.skippedPictures;
        return;
    }
    if (!decoded.error.isEmpty()) {
        fail(u"picture "_s + number + u": "_s + decoded.error);
        return;
    }
    // The size the picture is shown at: its goal in twips, else its pixels at its own
    // resolution (96 dpi when it has none), each scaled by its percentage.
    const auto side = [](qint64 goal, int pixels, int dotsPerMeter) {
        if (goal > 0)
            return double(goal);
        const double dpi = dotsPerMeter > 0 ? dotsPerInchOf(dotsPerMeter) : kDefaultDotsPerInch;
        return pixelsToTwips(pixels, dpi);
    };
    // Every picture keeps a size the writer can write and this reader takes again.
    const auto bounded = [](double twips) { return qBound(1.0, twips, double(MaxPictureTwips)); };
    const double width =
        side(picture.goalWidth, decoded.image.width(), decoded.image.dotsPerMeterX()) * double(picture.scaleX) / 100.0;
    const double height = side(picture.goalHeight, decoded.image.height(), decoded.image.dotsPerMeterY()) *
                          double(picture.scaleY) / 100.0;
    m_result.document.appendPicture(decoded.image, bounded(width), bounded(height));
    ++m_pictures;
    m_decodedBytes += decodedPictureBytes(decoded.image.width(), decoded.image.height(), decoded.image.depth());
}

void RtfReader::flushText()
{
    m_result.document.appendText(m_text);
    m_text.clear();
}

} // namespace

RtfReadResult readRtf(QByteArrayView data)
{
    if (data.size() > ImageListLimits::MaxFileSize) {
        RtfReadResult result;
        result.message = u"The Barcode Image List is larger than "_s +
                         QString::number(ImageListLimits::MaxFileSize / (1024 * 1024)) + u" MB and was not loaded."_s;
        return result;
    }
    return RtfReader(data).read();
}

} // namespace Kelbrix
