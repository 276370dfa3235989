#include "LineReader.h"

#include "common/AppError.h"

#include <QFile>

namespace {
constexpr qsizetype kChunk = 64 * 1024;
}

LineReader::LineReader(QByteArray data) : m_buffer(std::move(data)), m_atEnd(true) {
    endAt(0);
}

LineReader::LineReader(LineReader&&) noexcept = default;
LineReader& LineReader::operator=(LineReader&&) noexcept = default;
LineReader::~LineReader() = default;

LineReader LineReader::fromFile(const QString& fileName) {
    LineReader reader;
    reader.m_fileName = fileName;
    reader.m_file = std::make_unique<QFile>(fileName);
    if (!reader.m_file->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw AppError(QStringLiteral("Не удалось открыть файл «%1»: %2").arg(fileName, reader.m_file->errorString()));
    return reader;
}

void LineReader::endAt(qsizetype from) {
    const qsizetype eof = m_buffer.indexOf('\x1A', from);
    if (eof >= 0) {
        m_buffer.truncate(eof);
        m_atEnd = true;
        m_file.reset();
    }
}

qsizetype LineReader::fill() {
    // Only the line read last (for unread) and the line being read are kept.
    const qsizetype keep = m_previousPos >= 0 ? m_previousPos : m_pos;
    if (keep > 0) {
        m_buffer.remove(0, keep);
        m_pos -= keep;
        if (m_previousPos >= 0)
            m_previousPos -= keep;
    }
    const qsizetype old = m_buffer.size();
    if (m_buffer.capacity() < old + kChunk)
        m_buffer.reserve(qMax(old + kChunk, 2 * m_buffer.capacity()));
    m_buffer.resize(old + kChunk);
    const qint64 n = m_file->read(m_buffer.data() + old, kChunk);
    if (n < 0) {
        m_buffer.resize(old);
        throw AppError(QStringLiteral("Не удалось прочитать файл «%1»: %2").arg(m_fileName, m_file->errorString()));
    }
    m_buffer.resize(old + qsizetype(n));
    if (n == 0) {
        m_atEnd = true;
        m_file.reset();
    } else {
        endAt(old);
    }
    return keep;
}

bool LineReader::next(QByteArray& line) {
    qsizetype scan = m_pos;
    qsizetype lf = m_buffer.indexOf('\n', scan);
    while (lf < 0 && !m_atEnd) {
        scan = m_buffer.size();
        scan -= fill();
        lf = m_buffer.indexOf('\n', scan);
    }
    if (lf < 0 && m_pos >= m_buffer.size())
        return false;
    const qsizetype end = lf >= 0 ? lf : m_buffer.size();
    const char* begin = m_buffer.constData() + m_pos;
    const qsizetype length = end - m_pos;
    line.resize(length);
    char* out = line.data();
    for (qsizetype i = 0; i < length; ++i) {
        if (begin[i] != '\r')
            *out++ = begin[i];
    }
    line.truncate(out - line.constData());
    m_previousPos = m_pos;
    m_pos = lf >= 0 ? lf + 1 : end;
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
