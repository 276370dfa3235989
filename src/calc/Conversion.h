#pragma once

#include "Money.h"
#include "store/Fixed4.h"

#include <QDate>

class SeriesHistory;

enum class ConversionDirection { ToRoubles, FromRoubles };

// One conversion at the rate in force on a day. `amount` is in hundredths of the currency unit.
struct ConversionResult {
    ConversionDirection direction = ConversionDirection::ToRoubles;
    QDate asked;      // the day the rate is wanted for
    QDate recordDate; // CURDATE of the record in force
    int nominal = 0;  // NOMINAL of that record
    Fixed4 rate;      // its KURS, as the store reads it exactly
    Money amount;     // currency: given (to roubles) or computed (from roubles)
    Money roubles;    // computed (to roubles) or given (from roubles)
};

// roubles = amount x KURS / NOMINAL, rounded half away from zero to the kopeck. Throws AppError when the series
// is no currency series, has no record in force, or the record's nominal or rate is zero or empty.
ConversionResult ConvertToRoubles(const SeriesHistory& currency, QDate day, Money amount);
// amount = roubles x NOMINAL / KURS, rounded half away from zero to the hundredth of the unit.
ConversionResult ConvertFromRoubles(const SeriesHistory& currency, QDate day, Money roubles);
