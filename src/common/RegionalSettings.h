#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>

// The user's regional formats: how dates and numbers are shown and read.
struct RegionalSettings {
    QString shortDateFormat = QStringLiteral("dd.MM.yyyy"); // Qt notation: d, M, y
    QChar dateSeparator = QLatin1Char('.');
    QChar decimalSeparator = QLatin1Char(',');
    QChar thousandsSeparator = QChar(0x00A0);

    // Day.month.year with dots, decimal comma: what the program is made for.
    static RegionalSettings russian();
    // The system locale; the C/POSIX locale gives the Russian conventions.
    static RegionalSettings fromSystem();
    static RegionalSettings fromLocaleName(const QString& name);

    QString formatDate(QDate date) const;

    // Reads a date in the order of the short date format (day, month, year in the Russian setting), with the
    // date separator; blanks before a number are skipped; a year of one or two digits gets the 50-year window
    // around currentYear. Nothing when the text is no valid calendar date.
    std::optional<QDate> parseDate(QStringView text, int currentYear) const;

    enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };
    DateOrder dateOrder() const;
};

// A year written with one or two digits, completed to the window from currentYear - 50 to currentYear + 49.
int expandTwoDigitYear(int year, int currentYear);
