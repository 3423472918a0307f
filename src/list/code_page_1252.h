#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace Kelbrix {

/// List files are stored in the Windows-1252 code page. Bytes 0x00-0x7F and 0xA0-0xFF stand
/// for the same code points; 0x80-0x9F follow the code page's own table. The five bytes the
/// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) are read as U+0081, U+008D, ...
/// so that a file holding them is written back byte for byte.
namespace CodePage1252 {

/// The text of \a bytes. Never fails: every byte has a character.
QString decode(QByteArrayView bytes);

/// The byte for \a character, or -1 when the code page has none (every code point above
/// U+00FF outside the table, and U+0080-U+009F except the five undefined bytes).
int byteFor(char32_t character);

/// Appends the bytes of \a text to \a out. Stops at the first character the code page
/// cannot hold and returns false; \a unencodable (when given) then receives that character
/// (a whole code point, also for a character outside the Basic Multilingual Plane or a lone
/// surrogate) and \a out holds the bytes of the characters before it.
bool encode(QStringView text, QByteArray &out, char32_t *unencodable = nullptr);

} // namespace CodePage1252

} // namespace Kelbrix
