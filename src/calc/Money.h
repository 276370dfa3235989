#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <compare>
#include <optional>

// An exact amount in hundredths of its unit: kopecks of the rouble, cents of a currency. Sums and differences
// that leave 64 bits throw AppError instead of wrapping.
class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromKopecks(qint64 kopecks) {
        Money m;
        m.m_kopecks = kopecks;
        return m;
    }
    constexpr qint64 kopecks() const { return m_kopecks; }
    constexpr bool isZero() const { return m_kopecks == 0; }

    // An optional sign, digits, at most two nonzero places after the regional decimal separator; no digit
    // grouping. Nothing for anything else or for an amount beyond the reach of the calculations.
    static std::optional<Money> parse(QStringView text, QChar decimalSeparator);
    // "-1234,50": exactly two places, no grouping.
    QString toText(QChar decimalSeparator) const;

    friend constexpr auto operator<=>(Money a, Money b) = default;
    friend Money operator+(Money a, Money b);
    friend Money operator-(Money a, Money b);
    Money& operator+=(Money other) { return *this = *this + other; }
    Money& operator-=(Money other) { return *this = *this - other; }

private:
    qint64 m_kopecks = 0;
};

// The message of an amount that leaves the range of the calculations.
QString AmountTooLargeMessage();
