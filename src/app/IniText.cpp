#include "IniText.h"

#include <QFile>

namespace {
// windows-1251 from 0x80 to 0xBF; 0xC0 to 0xFF are А to я in order. 0x98 has no character and stays itself.
constexpr char16_t kCp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

QString decodeCp1251(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            *out++ = QChar(char16_t(b));
        else if (b < 0xC0)
            *out++ = QChar(kCp1251High[b - 0x80]);
        else
            *out++ = QChar(char16_t(0x0410 + (b - 0xC0)));
    }
    return text;
}

QString decodeUtf16(QByteArrayView bytes, bool bigEndian) {
    QString text(bytes.size() / 2, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        *out++ = QChar(bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first));
    }
    return text;
}

// Blanks here are every character up to the space, control characters included.
QStringView trimmedBlanks(QStringView s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin].unicode() <= 32)
        ++begin;
    while (end > begin && s[end - 1].unicode() <= 32)
        --end;
    return s.sliced(begin, end - begin);
}
} // namespace

QString IniText::decode(const QByteArray& bytes) {
    const QByteArrayView b(bytes);
    if (b.startsWith("\xFF\xFE"))
        return decodeUtf16(b.sliced(2), false);
    if (b.startsWith("\xFE\xFF"))
        return decodeUtf16(b.sliced(2), true);
    if (b.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(b.sliced(3));
    return decodeCp1251(b);
}

IniText::IniText(const QString& text) {
    QHash<QString, QString>* section = nullptr;
    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos <= n) {
        // A line ends at CR, LF or CR LF.
        qsizetype end = pos;
        while (end < n && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        const QStringView line = trimmedBlanks(QStringView(text).sliced(pos, end - pos));
        if (end < n && text[end] == QLatin1Char('\r') && end + 1 < n && text[end + 1] == QLatin1Char('\n'))
            ++end;
        pos = end + 1;

        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            const QString name = trimmedBlanks(line.sliced(1, line.size() - 2)).toString().toCaseFolded();
            section = &m_sections[name];
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!section || eq < 0)
            continue;
        const QString key = trimmedBlanks(line.first(eq)).toString().toCaseFolded();
        if (key.isEmpty() || section->contains(key))
            continue; // the first definition of a key holds
        section->insert(key, trimmedBlanks(line.sliced(eq + 1)).toString());
    }
}

IniText IniText::fromFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return IniText();
    return IniText(decode(f.readAll()));
}

std::optional<QString> IniText::value(QStringView section, QStringView key) const {
    const auto s = m_sections.constFind(section.toString().toCaseFolded());
    if (s == m_sections.constEnd())
        return std::nullopt;
    const auto k = s->constFind(key.toString().toCaseFolded());
    if (k == s->constEnd())
        return std::nullopt;
    return *k;
}
