#include "list/line_reader.h"

#include <QIODevice>
#include <QString>

#include <algorithm>

namespace Kelbrix {

namespace {

constexpr qsizetype kChunkSize = 64 * 1024;

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

qsizetype lineEndIn(const QByteArray &buffer, qsizetype from)
{
    const char *data = buffer.constData();
    for (qsizetype i = from; i < buffer.size(); ++i) {
        if (data[i] == '\n' || data[i] == '\r')
            return i;
    }
    return -1;
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
        if (!m_bomChecked && (m_buffer.size() >= 3 || m_atEnd)) {
            m_bomChecked = true;
            if (m_buffer.startsWith(kUtf8Bom)) {
                m_utf8 = true;
                m_position = 3;
                searchFrom = std::max(searchFrom, m_position);
            }
        }
        const qsizetype end = lineEndIn(m_buffer, searchFrom);
        // A CR as the last byte read may be the first half of CR LF: read on to see.
        const bool undecided = end >= 0 && m_buffer.at(end) == '\r' && end + 1 == m_buffer.size() && !m_atEnd;
        if (end >= 0 && !undecided) {
            line = QByteArrayView(m_buffer).sliced(m_position, end - m_position);
            if (line.size() > m_maxLineLength)
                return fail(Status::LineTooLong);
            const bool crLf = m_buffer.at(end) == '\r' && end + 1 < m_buffer.size() && m_buffer.at(end + 1) == '\n';
            m_position = end + (crLf ? 2 : 1);
            return Status::Line;
        }
        if (m_buffer.size() - m_position > m_maxLineLength + 1)
            return fail(Status::LineTooLong);
        if (m_atEnd && !undecided) {
            if (m_position == m_buffer.size()) {
                --m_lineNumber;
                return fail(Status::End);
            }
            line = QByteArrayView(m_buffer).sliced(m_position);
            if (line.size() > m_maxLineLength)
                return fail(Status::LineTooLong);
            m_position = m_buffer.size();
            return Status::Line;
        }
        const qsizetype searched = (undecided ? end : m_buffer.size()) - m_position;
        if (!fill())
            return fail(Status::ReadError);
        searchFrom = searched;
        if (m_bytesRead > m_maxFileSize)
            return fail(Status::FileTooLarge);
    }
}

} // namespace Kelbrix
