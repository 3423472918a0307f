#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

namespace Kelbrix {

/// Reads a text file line by line from a device without ever holding more than one chunk
/// and one line of it, with caps on the line length and on the whole size. Lines end in
/// CR LF, in LF alone or in CR alone (as older programs wrote them); the last line needs no
/// line end. The line end is not part of the line. A UTF-8 byte-order mark at the start is
/// not part of the first line; isUtf8() then says so.
class LineReader {
public:
    enum class Status {
        Line,         ///< a line was read
        End,          ///< the device has no more data
        LineTooLong,  ///< the next line is longer than the cap; nothing more is read
        FileTooLarge, ///< the device holds more bytes than the cap; nothing more is read
        ReadError,    ///< the device failed or is not open for reading
    };

    /// Reads from the current position of \a device. Lines may hold at most
    /// \a maxLineLength bytes (line end not counted); the device at most \a maxFileSize
    /// bytes from here on. A device whose size is known and too large is refused at the
    /// first call without reading anything.
    LineReader(QIODevice &device, qsizetype maxLineLength, qint64 maxFileSize);

    /// Reads the next line into \a line, which stays valid until the next call. After any
    /// status but Line, every further call returns the same status.
    Status next(QByteArrayView &line);

    /// Number (1-based) of the line last returned, or of the line that could not be read.
    qint64 lineNumber() const { return m_lineNumber; }

    /// The device's error text after ReadError.
    QString errorString() const;

    /// True once the first line was read and the device started with a UTF-8 byte-order mark.
    bool isUtf8() const { return m_utf8; }

private:
    bool fill();
    Status fail(Status status);

    QIODevice &m_device;
    qsizetype m_maxLineLength;
    qint64 m_maxFileSize;
    QByteArray m_buffer;
    qsizetype m_position = 0;
    qint64 m_bytesRead = 0;
    qint64 m_lineNumber = 0;
    bool m_atEnd = false;
    bool m_started = false;
    bool m_utf8 = false;
    bool m_bomChecked = false;
    Status m_final = Status::Line;
};

} // namespace Kelbrix
