#include "NumberText.h"

#include "AppError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

QStringView trimmedControl(QStringView text) {
    qsizetype b = 0, e = text.size();
    while (b < e && text[b].unicode() <= 32)
        ++b;
    while (e > b && text[e - 1].unicode() <= 32)
        --e;
    return text.mid(b, e - b);
}

std::optional<DecimalNumber> parseDecimal(QStringView text, QChar decimalSeparator) {
    const QStringView t = trimmedControl(text);
    DecimalNumber d;
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        d.negative = t[i] == QLatin1Char('-');
        ++i;
    }
    std::string digits;
    int fractionDigits = 0;
    bool seenSeparator = false;
    bool anyDigit = false;
    for (; i < n; ++i) {
        const QChar c = t[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            anyDigit = true;
            digits.push_back(char(c.unicode()));
            if (seenSeparator)
                ++fractionDigits;
        } else if (c == decimalSeparator && !seenSeparator) {
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    long long exponent = 0;
    if (i < n && (t[i] == QLatin1Char('E') || t[i] == QLatin1Char('e'))) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
            negativeExponent = t[i] == QLatin1Char('-');
            ++i;
        }
        bool anyExponentDigit = false;
        for (; i < n && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9'); ++i) {
            anyExponentDigit = true;
            if (exponent < 100000)
                exponent = exponent * 10 + (t[i].unicode() - '0');
        }
        if (!anyExponentDigit)
            return std::nullopt;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != n)
        return std::nullopt;
    const size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos) {
        d.digits.clear();
        d.exponent = 0;
        d.negative = false;
        return d;
    }
    digits.erase(0, firstNonZero);
    long long exp10 = exponent - fractionDigits;
    // Trailing zeros carry no value.
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++exp10;
    }
    if (exp10 > 100000 || exp10 < -100000)
        exp10 = exp10 > 0 ? 100000 : -100000;
    d.digits = std::move(digits);
    d.exponent = int(exp10);
    return d;
}

double DecimalNumber::toDouble() const {
    if (digits.empty())
        return 0.0;
    std::string s;
    s.reserve(digits.size() + 16);
    if (negative)
        s.push_back('-');
    s += digits;
    s.push_back('e');
    s += std::to_string(exponent);
    double value = 0.0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Underflow gives zero, overflow infinity, as the hardware would.
        return exponent < 0 ? (negative ? -0.0 : 0.0)
                            : (negative ? -std::numeric_limits<double>::infinity()
                                        : std::numeric_limits<double>::infinity());
    }
    return value;
}

static std::optional<qint64> digitsToInt(const std::string& digits, size_t count, int trailingZeros) {
    // value = first `count` digits followed by trailingZeros zeros
    qint64 v = 0;
    constexpr qint64 max = std::numeric_limits<qint64>::max();
    constexpr qint64 limit = max / 10;
    for (size_t k = 0; k < count; ++k) {
        const int digit = digits[k] - '0';
        if (v > (max - digit) / 10)
            return std::nullopt;
        v = v * 10 + digit;
    }
    for (int k = 0; k < trailingZeros; ++k) {
        if (v > limit)
            return std::nullopt;
        v *= 10;
    }
    return v;
}

std::optional<qint64> DecimalNumber::toTenThousandths() const {
    if (digits.empty())
        return 0;
    const long long shift = static_cast<long long>(exponent) + 4; // value x 10^4 = digits x 10^shift
    std::optional<qint64> whole;
    bool roundUp = false;
    if (shift >= 0) {
        if (shift > 19)
            return std::nullopt;
        whole = digitsToInt(digits, digits.size(), int(shift));
    } else {
        const long long drop = -shift; // digits below the unit of ten-thousandths
        if (drop > static_cast<long long>(digits.size())) {
            whole = 0; // below half a unit: the first dropped digit would be a leading zero
        } else {
            const size_t keep = digits.size() - size_t(drop);
            whole = digitsToInt(digits, keep, 0);
            if (!whole)
                return std::nullopt;
            const char first = digits[keep];
            const bool restNonZero = digits.find_first_not_of('0', keep + 1) != std::string::npos;
            if (first > '5' || (first == '5' && restNonZero))
                roundUp = true;
            else if (first == '5' && !restNonZero)
                roundUp = (*whole % 2) != 0; // tie: to even
        }
    }
    if (!whole)
        return std::nullopt;
    qint64 v = *whole;
    if (roundUp) {
        if (v == std::numeric_limits<qint64>::max())
            return std::nullopt;
        ++v;
    }
    return negative ? -v : v;
}

std::optional<qint64> DecimalNumber::exactTenThousandths() const {
    if (exponent < -4)
        return std::nullopt;
    return toTenThousandths();
}

std::optional<int> parseInteger(QStringView text) {
    const QStringView t = trimmedControl(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    if (i == t.size())
        return std::nullopt;
    qint64 v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < QLatin1Char('0') || t[i] > QLatin1Char('9'))
            return std::nullopt;
        v = v * 10 + (t[i].unicode() - '0');
        if (v > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(v);
}

QString formatGeneral(double value, QChar decimalSeparator) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0.0)
        return QStringLiteral("0");
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    const std::string_view s(buf, size_t(r.ptr - buf));
    QString out;
    out.reserve(int(s.size()));
    const size_t e = s.find('e');
    const std::string_view mantissa = s.substr(0, e);
    for (char c : mantissa)
        out += c == '.' ? decimalSeparator : QChar(QLatin1Char(c));
    if (e != std::string_view::npos) {
        out += QLatin1Char('E');
        size_t k = e + 1;
        if (s[k] == '-') {
            out += QLatin1Char('-');
            ++k;
        } else if (s[k] == '+') {
            ++k;
        }
        while (k + 1 < s.size() && s[k] == '0')
            ++k;
        for (; k < s.size(); ++k)
            out += QLatin1Char(s[k]);
    }
    return out;
}

QString notFloatMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

QString notIntegerMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

QString notDateMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid date").arg(text);
}

double readFloat(const QString& text, const RegionalSettings& regional) {
    const auto d = parseDecimal(text, regional.decimalSeparator);
    if (!d)
        throw AppError(notFloatMessage(text));
    const double v = d->toDouble();
    if (!std::isfinite(v))
        throw AppError(notFloatMessage(text));
    return v;
}

int readInteger(const QString& text) {
    const auto v = parseInteger(text);
    if (!v)
        throw AppError(notIntegerMessage(text));
    return *v;
}

QDate readDate(const QString& text, const RegionalSettings& regional, int currentYear) {
    const auto d = regional.parseDate(text, currentYear);
    if (!d)
        throw AppError(notDateMessage(text));
    return *d;
}

QString RoubleWord(const DecimalNumber& amount) {
    const std::string& digits = amount.digits;
    std::string whole = digits;
    if (amount.exponent < 0) {
        const size_t places = std::min(digits.size(), size_t(-qint64(amount.exponent)));
        const std::string fraction = digits.substr(digits.size() - places);
        if (fraction.find_first_not_of('0') != std::string::npos)
            return QStringLiteral("рубля");
        whole = digits.substr(0, digits.size() - places);
    } else {
        whole.append(size_t(std::min(amount.exponent, 2)), '0'); // only the last two digits count
    }
    const int last = whole.empty() ? 0 : whole.back() - '0';
    const int tens = whole.size() < 2 ? 0 : whole[whole.size() - 2] - '0';
    if (tens == 1)
        return QStringLiteral("рублей");
    if (last == 1)
        return QStringLiteral("рубль");
    if (last >= 2 && last <= 4)
        return QStringLiteral("рубля");
    return QStringLiteral("рублей");
}
