#pragma once

#include "store/Fixed4.h"

#include <QDate>
#include <QList>

class SeriesHistory;

// One month of the cumulative consumer price index.
struct InflationMonth {
    QDate month;                     // its first day
    Fixed4 index;                    // TOMONTH: percent of the previous month
    qint64 cumulativeHundredths = 0; // from the first month to this one, in hundredths of a percent
};

struct InflationResult {
    QDate from; // first day of the first month
    QDate to;   // first day of the last month
    int months = 0;
    qint64 indexHundredths = 0; // product of TOMONTH / 100 times 100, rounded half away from zero: 10852 = 108,52 %
    QList<InflationMonth> rows;
};

// From the month of `from` to the month of `to`, both inclusive, over the monthly consumer price series
// (`price`). Throws AppError when `from` is after `to`, when a month has no record (naming the month), or when
// the index leaves 64 bits.
InflationResult CumulativeInflation(const SeriesHistory& prices, QDate from, QDate to);
