#pragma once

#include "common/NumberText.h"

#include <QtGlobal>

#include <optional>

// A decimal number with exactly four places, held as a count of ten-thousandths. All value comparisons of the
// merge and the record dialogs are exact comparisons of two Fixed4.
class Fixed4 {
public:
    constexpr Fixed4() = default;
    static constexpr Fixed4 fromCount(qint64 count) {
        Fixed4 f;
        f.m_count = count;
        return f;
    }
    // Rounds half to even; nothing when the number does not fit.
    static std::optional<Fixed4> fromDecimal(const DecimalNumber& number);
    // A stored floating-point column, read as the shortest decimal that gives the same double, then rounded.
    static Fixed4 fromDouble(double value);

    constexpr qint64 count() const { return m_count; }
    double toDouble() const { return double(m_count) / 10000.0; }

    friend constexpr bool operator==(Fixed4 a, Fixed4 b) { return a.m_count == b.m_count; }

private:
    qint64 m_count = 0;
};
