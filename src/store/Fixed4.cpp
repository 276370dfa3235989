#include "Fixed4.h"

#include <charconv>
#include <cmath>
#include <limits>

std::optional<Fixed4> Fixed4::fromDecimal(const DecimalNumber& number) {
    const auto count = number.toTenThousandths();
    if (!count)
        return std::nullopt;
    return fromCount(*count);
}

Fixed4 Fixed4::fromDouble(double value) {
    if (!std::isfinite(value) || value == 0.0)
        return Fixed4();
    // Rounding the binary value itself would turn a stored 0.00005 (a hair above the tie) into 1; the shortest
    // decimal that reads back as the same double is the value as written, ties included.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    const QString text = QString::fromLatin1(buf, int(r.ptr - buf));
    const auto number = parseDecimal(text, QLatin1Char('.'));
    if (!number)
        return Fixed4();
    const auto f = fromDecimal(*number);
    if (f)
        return *f;
    return fromCount(value > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min());
}
