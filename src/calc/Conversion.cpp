#include "Conversion.h"

#include "ExactRatio.h"
#include "SeriesHistory.h"
#include "common/AppError.h"

namespace {
constexpr int kNominal = 1;
constexpr int kKurs = 2;

ConversionResult recordInForce(const SeriesHistory& currency, QDate day, ConversionDirection direction) {
    if (currency.layout() != Layout::Currency)
        throw AppError(QStringLiteral("Таблица «%1» не является таблицей курсов валют.").arg(currency.tableName()));
    const TableRow& row = currency.inForce(day);
    ConversionResult r;
    r.direction = direction;
    r.asked = day;
    r.recordDate = row.date();
    r.nominal = currency.integer(row, kNominal);
    r.rate = currency.fixed4(row, kKurs);
    const QString date = currency.regional().formatDate(r.recordDate);
    if (r.nominal <= 0)
        throw AppError(
            QStringLiteral("В записи от %1 номинал равен нулю или не указан: пересчёт невозможен.").arg(date));
    if (r.rate.count() <= 0)
        throw AppError(QStringLiteral("В записи от %1 курс равен нулю или не указан: пересчёт невозможен.").arg(date));
    return r;
}

Money rounded(const BigInt& numerator, const BigInt& denominator) {
    const auto q = RoundedQuotient(numerator, denominator);
    if (!q)
        throw AppError(AmountTooLargeMessage());
    return Money::fromKopecks(*q);
}
} // namespace

ConversionResult ConvertToRoubles(const SeriesHistory& currency, QDate day, Money amount) {
    ConversionResult r = recordInForce(currency, day, ConversionDirection::ToRoubles);
    r.amount = amount;
    // hundredths of the unit x (ten-thousandths of a rouble per NOMINAL units) / (NOMINAL x 10^4) = kopecks
    r.roubles = rounded(BigInt(amount.kopecks()) * r.rate.count(), BigInt(r.nominal) * 10000);
    return r;
}

ConversionResult ConvertFromRoubles(const SeriesHistory& currency, QDate day, Money roubles) {
    ConversionResult r = recordInForce(currency, day, ConversionDirection::FromRoubles);
    r.roubles = roubles;
    r.amount = rounded(BigInt(roubles.kopecks()) * r.nominal * 10000, BigInt(r.rate.count()));
    return r;
}
