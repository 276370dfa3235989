#pragma once

#include <QByteArray>
#include <QString>

// The lines of an export file as bytes: a line feed ends a line, carriage returns are never part of one, and
// byte 26 (the DOS end-of-file mark) ends the file.
class LineReader {
public:
    explicit LineReader(QByteArray data);
    // Reads the whole file; fails with a Russian message naming it.
    static LineReader fromFile(const QString& fileName);

    // The next line, or false at the end of the file.
    bool next(QByteArray& line);
    // Steps back over the line read last, so that the next call reads it again.
    void unread();
    // 1-based number of the line read last; 0 before the first.
    int lineNumber() const { return m_lineNumber; }

private:
    QByteArray m_data;
    qsizetype m_pos = 0;
    qsizetype m_previousPos = -1;
    qsizetype m_end = 0;
    int m_lineNumber = 0;
};
