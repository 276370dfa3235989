#include "ExactRatio.h"

#include <limits>

std::optional<qint64> RoundedQuotient(const BigInt& numerator, const BigInt& denominator) {
    if (denominator <= 0)
        return std::nullopt;
    const bool negative = numerator < 0;
    BigInt quotient, remainder;
    boost::multiprecision::divide_qr(negative ? BigInt(-numerator) : numerator, denominator, quotient, remainder);
    if (remainder * 2 >= denominator)
        ++quotient;
    if (negative)
        quotient = -quotient;
    if (quotient > std::numeric_limits<qint64>::max() || quotient < std::numeric_limits<qint64>::min())
        return std::nullopt;
    return quotient.convert_to<qint64>();
}
