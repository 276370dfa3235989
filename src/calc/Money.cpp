#include "Money.h"

#include "CalcText.h"
#include "common/AppError.h"
#include "common/NumberText.h"

std::optional<Money> Money::parse(QStringView text, QChar decimalSeparator) {
    const auto number = parseDecimal(text, decimalSeparator);
    if (!number)
        return std::nullopt;
    const auto tenThousandths = number->exactTenThousandths();
    if (!tenThousandths || *tenThousandths % 100 != 0)
        return std::nullopt;
    return fromKopecks(*tenThousandths / 100);
}

QString Money::toText(QChar decimalSeparator) const {
    return FormatHundredths(m_kopecks, decimalSeparator);
}

Money operator+(Money a, Money b) {
    qint64 sum = 0;
    if (qAddOverflow(a.m_kopecks, b.m_kopecks, &sum))
        throw AppError(AmountTooLargeMessage());
    return Money::fromKopecks(sum);
}

Money operator-(Money a, Money b) {
    qint64 difference = 0;
    if (qSubOverflow(a.m_kopecks, b.m_kopecks, &difference))
        throw AppError(AmountTooLargeMessage());
    return Money::fromKopecks(difference);
}

QString AmountTooLargeMessage() {
    return QStringLiteral("Сумма слишком велика для расчёта.");
}
