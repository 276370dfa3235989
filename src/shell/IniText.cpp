#include "IniText.h"

#include "common/RussianText.h"

#include <QFile>

namespace {
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
    return DecodeWindows1251(b);
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
