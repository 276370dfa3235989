#pragma once

#include "Money.h"
#include "store/Fixed4.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class SeriesHistory;

struct InterestPayment {
    QDate date;
    Money amount; // > 0
};

// Interest on a late debt by the refinancing (key) rate series, from the first to the last day of the delay,
// both inclusive.
struct InterestRequest {
    Money principal; // > 0
    QDate first;
    QDate last;
    QList<InterestPayment> payments; // each dated within [first, last]; any order
    // 0: the annual basis (365 or 366, the days of the period's year); N > 0: the per-day basis 1/N of the rate.
    int perDayDivisor = 0;
};

// One maximal run of days with the same debt and rate (and, on the annual basis, the same calendar year).
struct InterestPeriod {
    QDate from;
    QDate to;
    int days = 0;
    Money debt;
    Fixed4 rate;   // percent per year
    int basis = 0; // 365 or 366 on the annual basis, N on the per-day basis
    bool perDay = false;
    Money interest; // debt x rate / 100 x days / basis, rounded half away from zero to the kopeck

    // "365", "366" or "1/N".
    QString basisText() const;
};

struct InterestResult {
    QList<InterestPeriod> periods;
    int totalDays = 0;    // sum of the periods' days
    Money total;          // sum of the periods' rounded interest
    QStringList warnings; // about the law the calculation may not follow
    QStringList reports;  // about the payments: one beyond the remaining debt
};

// The first fault of the request in Russian (first day after the last, a principal or payment of 0 or less,
// a payment outside the period, a divisor below 1); empty when the request is sound.
QString InterestRequestError(const InterestRequest& request);

// Throws AppError with InterestRequestError, or when the rate series has no record in force on the first day,
// or when an amount leaves 64 bits.
InterestResult CalculateInterest(const SeriesHistory& refinancingRate, const InterestRequest& request);

// The warning of an annual-basis calculation that touches a day before 01.08.2016.
QString InterestBefore2016Warning();
// «Платёж от DD.MM.YYYY превышает остаток долга на X руб.»
QString PaymentBeyondDebtReport(QDate date, Money excess);
