#include "RegionalSettings.h"

#include <QLocale>

RegionalSettings RegionalSettings::russian() {
    return RegionalSettings{};
}

static RegionalSettings fromLocale(const QLocale& locale) {
    if (locale.language() == QLocale::C)
        return RegionalSettings::russian();
    RegionalSettings r;
    QString format = locale.dateFormat(QLocale::ShortFormat);
    // Two-digit years are ambiguous in a court filing: always show four.
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    r.shortDateFormat = format;
    for (QChar c : format) {
        if (c != QLatin1Char('d') && c != QLatin1Char('M') && c != QLatin1Char('y')) {
            r.dateSeparator = c;
            break;
        }
    }
    const QString dec = locale.decimalPoint();
    r.decimalSeparator = dec.isEmpty() ? QLatin1Char(',') : dec.at(0);
    const QString group = locale.groupSeparator();
    r.thousandsSeparator = group.isEmpty() ? QChar(0x00A0) : group.at(0);
    return r;
}

RegionalSettings RegionalSettings::fromSystem() {
    return fromLocale(QLocale::system());
}

RegionalSettings RegionalSettings::fromLocaleName(const QString& name) {
    return fromLocale(QLocale(name));
}

QString RegionalSettings::formatDate(QDate date) const {
    if (!date.isValid())
        return QString();
    return date.toString(shortDateFormat);
}

RegionalSettings::DateOrder RegionalSettings::dateOrder() const {
    for (QChar c : shortDateFormat) {
        if (c == QLatin1Char('d'))
            return DateOrder::DayMonthYear;
        if (c == QLatin1Char('M'))
            return DateOrder::MonthDayYear;
        if (c == QLatin1Char('y'))
            return DateOrder::YearMonthDay;
    }
    return DateOrder::DayMonthYear;
}

int expandTwoDigitYear(int year, int currentYear) {
    const int base = currentYear - 50;
    int result = base / 100 * 100 + year;
    if (result < base)
        result += 100;
    return result;
}

std::optional<QDate> RegionalSettings::parseDate(QStringView text, int currentYear) const {
    int numbers[3] = {0, 0, 0};
    int digitCounts[3] = {0, 0, 0};
    qsizetype pos = 0;
    const qsizetype n = text.size();
    for (int part = 0; part < 3; ++part) {
        while (pos < n && text[pos] == QLatin1Char(' '))
            ++pos;
        int value = 0;
        int digits = 0;
        while (pos < n && text[pos] >= QLatin1Char('0') && text[pos] <= QLatin1Char('9')) {
            if (digits == 4)
                return std::nullopt;
            value = value * 10 + (text[pos].unicode() - '0');
            ++digits;
            ++pos;
        }
        if (digits == 0)
            return std::nullopt;
        numbers[part] = value;
        digitCounts[part] = digits;
        if (part < 2) {
            if (pos >= n || text[pos] != dateSeparator)
                return std::nullopt;
            ++pos;
        }
    }
    while (pos < n && text[pos] == QLatin1Char(' '))
        ++pos;
    if (pos != n)
        return std::nullopt;

    int day = 0, month = 0, year = 0, yearDigits = 0;
    switch (dateOrder()) {
    case DateOrder::DayMonthYear:
        day = numbers[0], month = numbers[1], year = numbers[2], yearDigits = digitCounts[2];
        break;
    case DateOrder::MonthDayYear:
        month = numbers[0], day = numbers[1], year = numbers[2], yearDigits = digitCounts[2];
        break;
    case DateOrder::YearMonthDay:
        year = numbers[0], month = numbers[1], day = numbers[2], yearDigits = digitCounts[0];
        break;
    }
    if (yearDigits <= 2)
        year = expandTwoDigitYear(year, currentYear);
    if (year < 1 || !QDate::isValid(year, month, day))
        return std::nullopt;
    return QDate(year, month, day);
}
