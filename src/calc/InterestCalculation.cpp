#include "InterestCalculation.h"

#include "CalcText.h"
#include "ExactRatio.h"
#include "SeriesHistory.h"
#include "common/AppError.h"

#include <algorithm>
#include <vector>

namespace {
constexpr int kRazmer = 1;

QString date(QDate d) {
    return RegionalSettings::russian().formatDate(d);
}
} // namespace

QString InterestPeriod::basisText() const {
    return perDay ? QStringLiteral("1/%1").arg(basis) : QString::number(basis);
}

QString InterestBefore2016Warning() {
    return QStringLiteral(
        "До 01.08.2016 статья 395 ГК РФ применяла иные ставки (до 01.06.2015 — ставку рефинансирования на день "
        "предъявления иска или решения, с 01.06.2015 — средние ставки по вкладам по федеральному округу); расчёт по "
        "ряду ставки рефинансирования для этих дней может не соответствовать закону.");
}

QString PaymentBeyondDebtReport(QDate day, Money excess) {
    return QStringLiteral("Платёж от %1 превышает остаток долга на %2 руб.")
        .arg(date(day), excess.toText(QLatin1Char(',')));
}

QString InterestRequestError(const InterestRequest& request) {
    if (request.principal.kopecks() <= 0)
        return QStringLiteral("Сумма долга должна быть больше нуля.");
    if (!request.first.isValid() || !request.last.isValid())
        return QStringLiteral("Не указан первый или последний день просрочки.");
    if (request.first > request.last)
        return QStringLiteral("Первый день просрочки (%1) позже последнего (%2).")
            .arg(date(request.first), date(request.last));
    if (request.perDayDivisor < 0)
        return QStringLiteral("Доля ставки за день должна быть вида 1/N с целым N больше нуля.");
    for (const InterestPayment& p : request.payments) {
        if (!p.date.isValid())
            return QStringLiteral("Не указана дата платежа.");
        if (p.amount.kopecks() <= 0)
            return QStringLiteral("Сумма платежа от %1 должна быть больше нуля.").arg(date(p.date));
        if (p.date < request.first || p.date > request.last)
            return QStringLiteral("Платёж от %1 лежит вне периода просрочки с %2 по %3.")
                .arg(date(p.date), date(request.first), date(request.last));
    }
    return QString();
}

InterestResult CalculateInterest(const SeriesHistory& rates, const InterestRequest& request) {
    const QString fault = InterestRequestError(request);
    if (!fault.isEmpty())
        throw AppError(fault);
    if (rates.layout() != Layout::Wage)
        throw AppError(QStringLiteral("Таблица «%1» не является рядом ставок.").arg(rates.tableName()));
    const bool perDay = request.perDayDivisor > 0;
    const QDate first = request.first, last = request.last;
    rates.inForce(first); // the first day must have a rate: the message names the series' first record

    InterestResult result;
    if (!perDay && first < QDate(2016, 8, 1))
        result.warnings.append(InterestBefore2016Warning());

    // The debt after each payment, in date order; a payment beyond the rest is reported and leaves no debt.
    std::vector<InterestPayment> payments(request.payments.cbegin(), request.payments.cend());
    std::stable_sort(payments.begin(), payments.end(),
                     [](const InterestPayment& a, const InterestPayment& b) { return a.date < b.date; });
    std::vector<Money> debtAfter;
    Money remaining = request.principal;
    for (const InterestPayment& p : payments) {
        if (p.amount > remaining) {
            result.reports.append(PaymentBeyondDebtReport(p.date, p.amount - remaining));
            remaining = Money();
        } else {
            remaining -= p.amount;
        }
        debtAfter.push_back(remaining);
    }

    // Days where the debt, the rate or the year may change.
    std::vector<QDate> starts{first};
    for (const InterestPayment& p : payments) {
        if (p.date < last)
            starts.push_back(p.date.addDays(1)); // the day of a payment still accrues on the old debt
    }
    // Records are newest first: from the one in force on the last day back to the first day.
    for (int i = rates.indexInForce(last); i >= 0 && i < rates.recordCount() && rates.record(i).date() > first; ++i)
        starts.push_back(rates.record(i).date());
    if (!perDay) {
        for (int y = first.year() + 1; y <= last.year(); ++y)
            starts.push_back(QDate(y, 1, 1));
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());

    size_t paid = 0; // payments dated before the current start
    for (size_t k = 0; k < starts.size(); ++k) {
        const QDate from = starts[k];
        const QDate to = k + 1 < starts.size() ? starts[k + 1].addDays(-1) : last;
        while (paid < payments.size() && payments[paid].date < from)
            ++paid;
        const Money debt = paid == 0 ? request.principal : debtAfter[paid - 1];
        if (debt.isZero())
            continue;
        const TableRow& rateRecord = rates.inForce(from);
        if (!rateRecord.values[size_t(kRazmer)].isValid())
            throw AppError(QStringLiteral("В записи таблицы «%1» от %2 не указана ставка: расчёт невозможен.")
                               .arg(rates.tableName(), rates.regional().formatDate(rateRecord.date())));
        const Fixed4 rate = rates.fixed4(rateRecord, kRazmer);
        const int basis = perDay ? request.perDayDivisor : QDate::isLeapYear(from.year()) ? 366 : 365;
        const int days = int(from.daysTo(to)) + 1;
        if (!result.periods.isEmpty()) {
            InterestPeriod& prev = result.periods.back();
            if (prev.to.addDays(1) == from && prev.debt == debt && prev.rate == rate && prev.basis == basis &&
                (perDay || prev.from.year() == from.year())) {
                prev.to = to;
                prev.days += days;
                continue;
            }
        }
        InterestPeriod period;
        period.from = from;
        period.to = to;
        period.days = days;
        period.debt = debt;
        period.rate = rate;
        period.basis = basis;
        period.perDay = perDay;
        result.periods.append(period);
    }

    for (InterestPeriod& p : result.periods) {
        // debt (kopecks) x rate (ten-thousandths of a percent) x days / (100 x 10^4 x basis)
        const auto interest =
            RoundedQuotient(BigInt(p.debt.kopecks()) * p.rate.count() * p.days, BigInt(1000000) * p.basis);
        if (!interest)
            throw AppError(AmountTooLargeMessage());
        p.interest = Money::fromKopecks(*interest);
        result.total += p.interest;
        result.totalDays += p.days;
    }
    return result;
}
