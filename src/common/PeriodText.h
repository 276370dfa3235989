#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

// The period texts of the index series ("III квартал 2002 г.", "январь 2002 г.") and the month names they use.

// Month 1 to 12 of a nominative month name ("январь" ... "декабрь"), compared exactly; 0 for anything else.
int MonthNumberNominative(QStringView name);

QString quarterPeriodMessage();
QString monthPeriodMessage();

// The first day of the quarter written in `text`. The quarter is told by the first three characters ("I к",
// "II ", "III", "IV "), the year by the four characters that stand three characters before the end (" г.").
// Throws AppError with quarterPeriodMessage(), or with the date conversion message when the year gives no date.
QDate ReadQuarterPeriod(const QString& text);

// The first day of the month written in `text`: the nominative month name before the last seven characters,
// the year in the four characters before the last three. Throws AppError with monthPeriodMessage().
QDate ReadMonthPeriod(const QString& text);
