#include "ImportText.h"

#include "common/AppError.h"
#include "common/NumberText.h"
#include "common/RegionalSettings.h"

#include <QRegularExpression>

namespace {
constexpr std::array<char16_t, 256> makeDosCharTable() {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 0x80; ++b)
        t[size_t(b)] = char16_t(b);
    t[0x0F] = 0x00A4;
    t[0x14] = 0x00B6;
    t[0x15] = 0x00A7;
    for (int b = 0x80; b < 0xB0; ++b)
        t[size_t(b)] = char16_t(0x0410 + (b - 0x80));
    // Box drawing, 0xB0 to 0xDF.
    constexpr char16_t box[48] = {u'-',   u'-',   u'-',   0x00A6, u'+', 0x00A6, 0x00A6, 0x00AC, 0x00AC, 0x00A6,
                                  0x00A6, 0x00AC, u'-',   u'-',   u'-', 0x00AC, u'L',   u'+',   u'T',   u'+',
                                  u'-',   u'+',   0x00A6, 0x00A6, u'L', 0x0433, 0x00A6, u'T',   0x00A6, u'=',
                                  u'+',   0x00A6, 0x00A6, u'T',   u'T', u'L',   u'L',   u'-',   0x0433, u'+',
                                  u'+',   u'-',   u'-',   u'-',   u'-', 0x00A6, 0x00A6, u'-'};
    for (int k = 0; k < 48; ++k)
        t[size_t(0xB0 + k)] = box[k];
    for (int b = 0xE0; b < 0xF0; ++b)
        t[size_t(b)] = char16_t(0x0440 + (b - 0xE0));
    constexpr char16_t tail[16] = {0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
                                   0x00B0, 0x2022, 0x00B7, u'v',   0x2116, 0x00A4, 0x00A6, 0x00A0};
    for (int k = 0; k < 16; ++k)
        t[size_t(0xF0 + k)] = tail[k];
    return t;
}

QString decodeWith(QByteArrayView bytes, auto&& map) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = QChar(map(static_cast<unsigned char>(bytes[i])));
    return out;
}

} // namespace

const std::array<char16_t, 256> DosCharTable = makeDosCharTable();

QString DecodeDosLine(QByteArrayView bytes) {
    return decodeWith(bytes, [](unsigned char b) { return DosCharTable[b]; });
}

int FindText(QStringView what, QStringView line) {
    if (what.isEmpty() || line.isEmpty())
        return 0;
    return int(line.indexOf(what)) + 1;
}

QString NormaliseDecimal(QStringView text, const RegionalSettings& regional) {
    const bool comma = regional.decimalSeparator == QLatin1Char(',');
    const QChar from = comma ? QLatin1Char('.') : QLatin1Char(',');
    const QChar to = comma ? QLatin1Char(',') : QLatin1Char('.');
    QString out = text.toString();
    for (QChar& c : out) {
        if (c == from)
            c = to;
    }
    return out;
}

namespace ImportText {
QString chars(QStringView line, int i, int k) {
    if (i < 1)
        i = 1;
    if (k <= 0 || i > line.size())
        return QString();
    return line.mid(i - 1, k).toString();
}

QString rest(QStringView line, int i) {
    if (i < 1)
        i = 1;
    if (i > line.size())
        return QString();
    return line.mid(i - 1).toString();
}

QChar at(QStringView line, int i) {
    return i >= 1 && i <= line.size() ? line[i - 1] : QChar();
}

int skipBlanks(QStringView line, int i) {
    if (i < 1)
        i = 1;
    while (i <= line.size() && line[i - 1] == QLatin1Char(' '))
        ++i;
    return i <= line.size() ? i : int(line.size()) + 1;
}

QString token(QStringView line, int i, int* end) {
    if (i < 1)
        i = 1;
    int e = i;
    while (e <= line.size() && line[e - 1] != QLatin1Char(' '))
        ++e;
    if (end)
        *end = e;
    return chars(line, i, e - i);
}

QString trimmed(QStringView text) {
    return trimmedControl(text).toString();
}

Fixed4 readNumber(QStringView text, const RegionalSettings& regional) {
    const auto d = parseDecimal(text, regional.decimalSeparator);
    const auto f = d ? Fixed4::fromDecimal(*d) : std::nullopt;
    if (!f)
        throw AppError(notFloatMessage(trimmed(text)));
    return *f;
}

QDate readDateText(QStringView text, const RegionalSettings& regional, int currentYear) {
    const QStringView t = trimmedControl(text);
    const auto d = t.isEmpty() ? std::nullopt : regional.parseDate(t, currentYear);
    if (!d)
        throw AppError(notDateMessage(t.toString()));
    return *d;
}

// A piece of the file as a message can show it: control characters as blanks, a long text cut.
QString quote(QStringView text) {
    constexpr qsizetype kLongest = 80;
    QString out = trimmed(text.left(kLongest + 1));
    for (QChar& c : out) {
        if (c.unicode() < 32)
            c = QLatin1Char(' ');
    }
    if (out.size() > kLongest)
        out = out.left(kLongest - 1) + QChar(0x2026);
    return out;
}

void failNotTableLine(QStringView line) {
    throw AppError(QStringLiteral("Строка не похожа на строку таблицы: «%1».").arg(quote(line)));
}

void failUnreadable(const ValueName& name, QStringView text) {
    throw AppError(
        QStringLiteral("Не удалось прочитать %1: «%2».").arg(QString::fromUtf16(name.accusative), quote(text)));
}

void failNoSuchDate(QStringView dateText) {
    throw AppError(QStringLiteral("Дата не существует: «%1».").arg(quote(dateText)));
}

Fixed4 readValue(QStringView text, const RegionalSettings& regional, const ValueName& name) {
    const auto d = parseDecimal(text, regional.decimalSeparator);
    const auto f = d ? Fixed4::fromDecimal(*d) : std::nullopt;
    if (!f)
        failUnreadable(name, text);
    // No rate, nominal or amount is zero or below: such a figure is a misread line, not a value.
    if (f->count() <= 0)
        throw AppError(QStringLiteral("%1: «%2».").arg(QString::fromUtf16(name.mustBePositive), quote(text)));
    return *f;
}

QDate readDayMonthYear(QStringView line, QStringView dayText, const QString& monthName, QStringView yearText) {
    const auto day = parseInteger(dayText);
    const auto year = parseInteger(yearText);
    if (!day || !year)
        failNotTableLine(line);
    const int month = MonthNumber(monthName, MonthForm::Genitive);
    if (month < 0)
        throw AppError(QStringLiteral("Не удалось прочитать месяц: «%1».").arg(quote(monthName)));
    if (*year < 1 || !QDate::isValid(*year, month, *day))
        failNoSuchDate(QStringLiteral("%1 %2 %3 г.").arg(*day).arg(monthName).arg(*year));
    return QDate(*year, month, *day);
}

QDate readLineDate(QStringView line, QStringView text, QStringView written, const RegionalSettings& regional,
                   int currentYear) {
    const QStringView t = trimmedControl(text);
    if (const auto d = t.isEmpty() ? std::nullopt : regional.parseDate(t, currentYear))
        return *d;
    static const QRegularExpression dateShape(QStringLiteral("^\\d{1,2}\\D\\d{1,2}\\D\\d{1,4}$"));
    if (dateShape.match(t).hasMatch())
        failNoSuchDate(written);
    failNotTableLine(line);
}

int valueColumn(QStringView line, int i, const ValueName& name) {
    if (i <= 1 || i > line.size() || at(line, i) == QLatin1Char(' ') || at(line, i - 1) == QLatin1Char(' '))
        return i;
    int b = i - 1;
    while (b >= 1 && at(line, b) != QLatin1Char(' '))
        --b;
    const QString before = chars(line, b + 1, i - (b + 1));
    for (QChar c : before) {
        if ((c < QLatin1Char('0') || c > QLatin1Char('9')) && c != QLatin1Char(',') && c != QLatin1Char('.') &&
            c != QLatin1Char('+') && c != QLatin1Char('-'))
            failUnreadable(name, token(line, b + 1));
    }
    return b + 1;
}

QDate makeDate(int year, int month, int day) {
    if (year < 1 || !QDate::isValid(year, month, day))
        throw AppError(notDateMessage(QStringLiteral("%1.%2.%3").arg(day).arg(month).arg(year)));
    return QDate(year, month, day);
}
} // namespace ImportText
