#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QFile;

// The lines of an export file as bytes: a line feed ends a line, carriage returns are never part of one, and
// byte 26 (the DOS end-of-file mark) ends the file. A file is read in chunks, so memory stays near the longest
// line however large the file is.
class LineReader {
public:
    explicit LineReader(QByteArray data);
    // Opens the file; fails with a Russian message naming it. Reading fails the same way.
    static LineReader fromFile(const QString& fileName);
    LineReader(LineReader&&) noexcept;
    LineReader& operator=(LineReader&&) noexcept;
    ~LineReader();

    // The next line, or false at the end of the file.
    bool next(QByteArray& line);
    // Steps back over the line read last, so that the next call reads it again.
    void unread();
    // 1-based number of the line read last; 0 before the first.
    int lineNumber() const { return m_lineNumber; }

    // Bytes held at once, for the checks that a large file does not fill the memory.
    qsizetype bufferCapacity() const { return m_buffer.capacity(); }

private:
    LineReader() = default;
    // Appends the next chunk of the file; returns by how much the positions moved when the bytes before the
    // line read last were dropped.
    qsizetype fill();
    void endAt(qsizetype from); // ends the data at the first byte 26 at or after `from`

    std::unique_ptr<QFile> m_file; // none for data in memory, or once the file is read to its end
    QString m_fileName;
    QByteArray m_buffer; // from the line read last to what has been read of the file
    qsizetype m_pos = 0;
    qsizetype m_previousPos = -1;
    bool m_atEnd = false; // nothing more comes after m_buffer
    int m_lineNumber = 0;
};
