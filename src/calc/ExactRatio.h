#pragma once

#include <QtGlobal>

#include <boost/multiprecision/cpp_int.hpp>

#include <optional>

// Arbitrary-precision integers: products of amounts, rates and days exceed 64 bits, and MSVC has no __int128.
using BigInt = boost::multiprecision::cpp_int;

// numerator / denominator rounded half away from zero; nothing when the quotient leaves 64 bits or the
// denominator is not positive.
std::optional<qint64> RoundedQuotient(const BigInt& numerator, const BigInt& denominator);
