#include "list/line_reader.h"

#include <QIODevice>
#include <QString>

namespace Kelbrix {

namespace {

constexpr qsizetype kChunkSize = 64 * 1024;

QByteArrayView withoutCarriageReturn(QByteArrayView line)
{
    return line.endsWith('\r') ? line.chopped(1) : line;
}

} // namespace

LineReader::LineReader(QIODevice &device, qsizetype maxLineLength, qint64 maxFileSize)
    : m_device(device), m_maxLineLength(maxLineLength), m_maxFileSize(maxFileSize)
{
}

QString LineReader::errorString() const
{
    return m_device.errorString();
}

LineReader::Status LineReader::fail(Status status)
{
    m_final = status;
    m_buffer.clear();
    m_position = 0;
    return status;
}

bool LineReader::fill()
{
    // Drops the lines already handed out before reading more, so the buffer never grows
    // beyond one chunk plus the line being assembled.
    if (m_position > 0) {
        m_buffer.remove(0, m_position);
        m_position = 0;
    }
    const qsizetype old = m_buffer.size();
    m_buffer.resize(old + kChunkSize);
    const qint64 got = m_device.read(m_buffer.data() + old, kChunkSize);
    if (got < 0) {
        m_buffer.resize(old);
        return false;
    }
    m_buffer.resize(old + qsizetype(got));
    m_bytesRead += got;
    if (got == 0)
        m_atEnd = true;
    return true;
}

LineReader::Status LineReader::next(QByteArrayView &line)
{
    if (m_final != Status::Line)
        return m_final;
    if (!m_started) {
        m_started = true;
        if (!m_device.isOpen() || !m_device.isReadable())
            return fail(Status::ReadError);
        if (!m_device.isSequential() && m_device.size() - m_device.pos() > m_maxFileSize)
            return fail(Status::FileTooLarge);
    }
    ++m_lineNumber;
    qsizetype searchFrom = m_position;
    for (;;) {
        const qsizetype end = m_buffer.indexOf('\n', searchFrom);
        if (end >= 0) {
            line = withoutCarriageReturn(QByteArrayView(m_buffer).sliced(m_position, end - m_position));
            if (line.size() > m_maxLineLength)
                return fail(Status::LineTooLong);
            m_position = end + 1;
            return Status::Line;
        }
        // One byte more than the cap may still be the CR of a line of exactly the cap.
        if (m_buffer.size() - m_position > m_maxLineLength + 1)
            return fail(Status::LineTooLong);
        if (m_atEnd) {
            if (m_position == m_buffer.size()) {
                --m_lineNumber;
                return fail(Status::End);
            }
            line = withoutCarriageReturn(QByteArrayView(m_buffer).sliced(m_position));
            if (line.size() > m_maxLineLength)
                return fail(Status::LineTooLong);
            m_position = m_buffer.size();
            return Status::Line;
        }
        searchFrom = m_buffer.size() - m_position;
        if (!fill())
            return fail(Status::ReadError);
        if (m_bytesRead > m_maxFileSize)
            return fail(Status::FileTooLarge);
    }
}

} // namespace Kelbrix
