#pragma once

#include "RegionalSettings.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <string>

// A decimal number exactly as written: value = digits x 10^exponent.
struct DecimalNumber {
    bool negative = false;
    std::string digits; // no leading zeros; empty means zero
    int exponent = 0;

    bool isZero() const { return digits.empty(); }
    double toDouble() const;
    // Count of ten-thousandths, rounded half to even; nothing when it does not fit 64 bits.
    std::optional<qint64> toTenThousandths() const;
    // The exact count of ten-thousandths, or nothing when the number has more than four places.
    std::optional<qint64> exactTenThousandths() const;
};

// Trims characters of codes 0 to 32, then reads an optional sign, digits with at most one decimal separator
// and an optional exponent (E or e, optional sign, digits).
std::optional<DecimalNumber> parseDecimal(QStringView text, QChar decimalSeparator);

// Trimmed decimal integer with an optional sign, in 32 bits.
std::optional<int> parseInteger(QStringView text);

// Shortest form with at most 15 significant digits and the regional decimal separator; fixed notation while
// at most 15 digits stand before the separator and the size is at least 0.0001 (or 0), otherwise E notation.
QString formatGeneral(double value, QChar decimalSeparator);
inline QString formatGeneral(double value, const RegionalSettings& regional) {
    return formatGeneral(value, regional.decimalSeparator);
}

// Readings that fail with the platform's conversion messages.
double readFloat(const QString& text, const RegionalSettings& regional);
int readInteger(const QString& text);
QDate readDate(const QString& text, const RegionalSettings& regional, int currentYear);

QString notFloatMessage(const QString& text);
QString notIntegerMessage(const QString& text);
QString notDateMessage(const QString& text);

// Trimmed of characters of codes 0 to 32 at both ends.
QStringView trimmedControl(QStringView text);

// "рубль", "рубля" or "рублей" after an amount: a fraction takes "рубля"; a whole number ending in 11 to 14
// takes "рублей", otherwise its last digit decides (1: "рубль", 2 to 4: "рубля", else "рублей").
QString RoubleWord(const DecimalNumber& amount);
