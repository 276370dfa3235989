#include "InflationCalculation.h"

#include "CalcText.h"
#include "ExactRatio.h"
#include "SeriesHistory.h"
#include "common/AppError.h"

namespace {
constexpr int kTomonth = 2;
} // namespace

InflationResult CumulativeInflation(const SeriesHistory& prices, QDate from, QDate to) {
    if (prices.layout() != Layout::Price)
        throw AppError(
            QStringLiteral("Таблица «%1» не является рядом индексов потребительских цен.").arg(prices.tableName()));
    if (!from.isValid() || !to.isValid())
        throw AppError(QStringLiteral("Не указан первый или последний месяц."));
    InflationResult result;
    result.from = QDate(from.year(), from.month(), 1);
    result.to = QDate(to.year(), to.month(), 1);
    if (result.from > result.to)
        throw AppError(QStringLiteral("Первый месяц (%1) позже последнего (%2).")
                           .arg(FormatMonth(result.from), FormatMonth(result.to)));

    // Cumulative = 100 x product(TOMONTH / 100) = 100 x product(count / 10^6); in hundredths:
    // product(count) x 10^4 / 10^(6k), exact until the one rounding of each month's figure.
    BigInt product = 1, scale = 1;
    for (QDate month = result.from; month <= result.to; month = month.addMonths(1)) {
        const int i = prices.indexInForce(month.addMonths(1).addDays(-1));
        const TableRow* row = i >= 0 ? &prices.record(i) : nullptr;
        if (!row || row->date() < month || !row->values[size_t(kTomonth)].isValid())
            throw AppError(QStringLiteral("Нет индекса потребительских цен за %1: накопленный индекс не рассчитан.")
                               .arg(FormatMonth(month)));
        const Fixed4 index = prices.fixed4(*row, kTomonth);
        product *= index.count();
        scale *= 1000000;
        const auto cumulative = RoundedQuotient(product * 10000, scale);
        if (!cumulative)
            throw AppError(
                QStringLiteral("Накопленный индекс по %1 слишком велик для расчёта.").arg(FormatMonth(month)));
        result.rows.append({month, index, *cumulative});
    }
    result.months = int(result.rows.size());
    result.indexHundredths = result.rows.back().cumulativeHundredths;
    return result;
}
