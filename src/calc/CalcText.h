#pragma once

#include "store/Fixed4.h"

#include <QChar>
#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>

// Texts of the calculations, shared by the calculations window and tarvel-cli.

// A count of hundredths with exactly two places: 1085 -> "10,85", -5 -> "-0,05".
QString FormatHundredths(qint64 hundredths, QChar decimalSeparator);

// A four-place number in general form, exactly: no trailing zeros, no separator for a whole number
// (160000 -> "16", 1016797 -> "101,6797").
QString FormatFixed4(Fixed4 value, QChar decimalSeparator);

// "MM.YYYY" of the month of a date.
QString FormatMonth(QDate month);
// "MM.YYYY" (month of one or two digits, year of four) -> the first day of that month; nothing otherwise.
std::optional<QDate> ParseMonth(QStringView text);
