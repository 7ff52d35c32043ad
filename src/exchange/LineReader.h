#pragma once

#include <QString>
#include <QStringDecoder>
#include <optional>

class QIODevice;

// The lines of a text file read a piece at a time, so a file of any size takes the memory of its
// longest line: UTF-8, or UTF-16 / UTF-8 as a byte-order mark at its start says. LF, CRLF and a
// lone CR end a line.
class LineReader final
{
public:
    // `device` is open for reading.
    explicit LineReader(QIODevice& device);

    // The next line without its end; nothing after the last one, or when the device fails.
    std::optional<QString> next();
    // The 1-based number of the line next() gave last.
    int lineNumber() const { return m_lineNumber; }
    // How far into the file the lines given so far reach, at most.
    qint64 bytesRead() const { return m_bytesRead; }
    // Why the device stopped giving bytes before its end; empty when it did not.
    const QString& error() const { return m_error; }

private:
    // Decodes the next piece of the file into the buffer; false at the end.
    bool fill();

    QIODevice& m_device;
    std::optional<QStringDecoder> m_decoder;
    QString m_buffer;
    qsizetype m_start = 0; // where the next line starts in the buffer
    qsizetype m_scan = 0;  // how far the buffer is known to hold no line end
    qint64 m_bytesRead = 0;
    int m_lineNumber = 0;
    bool m_atEnd = false;
    QString m_error;
};
