#include "CalcText.h"

#include "common/NumberText.h"

namespace {
// Digits of a count with `places` of them after the separator; the magnitude is taken unsigned, so that the
// smallest 64-bit count keeps its sign.
QString fixedPoint(qint64 count, int places, QChar decimalSeparator, bool dropTrailingZeros) {
    const bool negative = count < 0;
    quint64 magnitude = negative ? quint64(0) - quint64(count) : quint64(count);
    QString digits = QString::number(magnitude);
    if (digits.size() <= places)
        digits = QString(places + 1 - digits.size(), QLatin1Char('0')) + digits;
    QString whole = digits.left(digits.size() - places);
    QString fraction = digits.right(places);
    if (dropTrailingZeros) {
        while (!fraction.isEmpty() && fraction.back() == QLatin1Char('0'))
            fraction.chop(1);
    }
    QString text = negative ? QStringLiteral("-") : QString();
    text += whole;
    if (!fraction.isEmpty())
        text += decimalSeparator + fraction;
    return text;
}
} // namespace

QString FormatHundredths(qint64 hundredths, QChar decimalSeparator) {
    return fixedPoint(hundredths, 2, decimalSeparator, false);
}

QString FormatFixed4(Fixed4 value, QChar decimalSeparator) {
    return fixedPoint(value.count(), 4, decimalSeparator, true);
}

QString FormatMonth(QDate month) {
    return QStringLiteral("%1.%2")
        .arg(month.month(), 2, 10, QLatin1Char('0'))
        .arg(month.year(), 4, 10, QLatin1Char('0'));
}

std::optional<QDate> ParseMonth(QStringView text) {
    const QStringView t = trimmedControl(text);
    const qsizetype dot = t.indexOf(QLatin1Char('.'));
    if (dot < 1 || dot > 2 || t.size() - dot - 1 != 4)
        return std::nullopt;
    const auto allDigits = [](QStringView s) {
        for (QChar c : s) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        }
        return true;
    };
    const QStringView month = t.left(dot), year = t.mid(dot + 1);
    if (!allDigits(month) || !allDigits(year))
        return std::nullopt;
    const int m = month.toInt(), y = year.toInt();
    if (m < 1 || m > 12 || y < 1)
        return std::nullopt;
    return QDate(y, m, 1);
}
