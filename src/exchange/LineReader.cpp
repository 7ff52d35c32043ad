#include "exchange/LineReader.h"

#include <QFileDevice>

namespace {

constexpr qint64 PieceSize = qint64(256) * 1024;

} // namespace

LineReader::LineReader(QIODevice& device) : m_device(device) {}

bool LineReader::fill()
{
    if (m_atEnd)
        return false;
    QByteArray piece = m_device.read(PieceSize);
    if (!m_decoder) {
        // Enough bytes to tell a byte-order mark.
        while (piece.size() < 4 && !piece.isEmpty()) {
            const QByteArray more = m_device.read(PieceSize);
            if (more.isEmpty())
                break;
            piece += more;
        }
        // The decoder drops the byte-order mark itself.
        m_decoder.emplace(
            QStringConverter::encodingForData(piece).value_or(QStringConverter::Utf8));
    }
    if (piece.isEmpty()) {
        m_atEnd = true;
        if (const auto* file = qobject_cast<QFileDevice*>(&m_device);
            file && file->error() != QFileDevice::NoError)
            m_error = file->errorString();
        return false;
    }
    m_bytesRead += piece.size();
    if (m_start > 0) {
        m_buffer.remove(0, m_start);
        m_scan -= m_start;
        m_start = 0;
    }
    m_buffer += m_decoder->decode(piece);
    return true;
}

std::optional<QString> LineReader::next()
{
    for (;;) {
        while (m_scan < m_buffer.size() && m_buffer.at(m_scan) != u'\n' &&
               m_buffer.at(m_scan) != u'\r')
            ++m_scan;
        const bool found = m_scan < m_buffer.size();
        // A CR last in what is read may be the first half of a CRLF: read on to see.
        const bool crAtEdge =
            found && m_buffer.at(m_scan) == u'\r' && m_scan + 1 == m_buffer.size() && !m_atEnd;
        if (found && !crAtEdge) {
            QString line = m_buffer.mid(m_start, m_scan - m_start);
            qsizetype after = m_scan + 1;
            if (m_buffer.at(m_scan) == u'\r' && after < m_buffer.size() &&
                m_buffer.at(after) == u'\n')
                ++after;
            m_start = m_scan = after;
            ++m_lineNumber;
            return line;
        }
        if (fill() || crAtEdge)
            continue;
        if (m_start == m_buffer.size())
            return std::nullopt;
        // The last line has no line end.
        QString line = m_buffer.mid(m_start);
        m_start = m_scan = m_buffer.size();
        ++m_lineNumber;
        return line;
    }
}
