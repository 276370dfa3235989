#include "LineReader.h"

#include "common/AppError.h"

#include <QFile>

LineReader::LineReader(QByteArray data) : m_data(std::move(data)) {
    const qsizetype eof = m_data.indexOf('\x1A');
    m_end = eof >= 0 ? eof : m_data.size();
}

LineReader LineReader::fromFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Не удалось открыть файл «%1»: %2").arg(fileName, file.errorString()));
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError(QStringLiteral("Не удалось прочитать файл «%1»: %2").arg(fileName, file.errorString()));
    return LineReader(std::move(data));
}

bool LineReader::next(QByteArray& line) {
    if (m_pos >= m_end)
        return false;
    qsizetype lf = m_data.indexOf('\n', m_pos);
    if (lf < 0 || lf > m_end)
        lf = m_end;
    const char* begin = m_data.constData() + m_pos;
    const qsizetype length = lf - m_pos;
    line.clear();
    line.reserve(length);
    for (qsizetype i = 0; i < length; ++i) {
        if (begin[i] != '\r')
            line.append(begin[i]);
    }
    m_previousPos = m_pos;
    m_pos = lf < m_end ? lf + 1 : m_end;
    ++m_lineNumber;
    return true;
}

void LineReader::unread() {
    if (m_previousPos < 0)
        return;
    m_pos = m_previousPos;
    m_previousPos = -1;
    --m_lineNumber;
}
