#include "MaskedDateEdit.h"

#include "common/AppError.h"
#include "common/NumberText.h"

namespace {
const QChar kBlank = QLatin1Char('_');
}

MaskedDateEdit::MaskedDateEdit(const RegionalSettings& regional, int yearDigits, QWidget* parent)
    : QLineEdit(parent), m_regional(regional), m_yearDigits(yearDigits) {
    // In a Qt mask "0" is an optional digit and "9" a required one.
    const QString sep = QStringLiteral("\\") + m_regional.dateSeparator;
    const QString dayMonth = QStringLiteral("00");
    const QString year(m_yearDigits, QLatin1Char('9'));
    // Day and month take the same mask, so only where the year stands matters.
    const QString mask = m_regional.dateOrder() == RegionalSettings::DateOrder::YearMonthDay
                             ? year + sep + dayMonth + sep + dayMonth
                             : dayMonth + sep + dayMonth + sep + year;
    setInputMask(mask + QLatin1Char(';') + kBlank);
}

QString MaskedDateEdit::maskedText() const {
    QString t = displayText();
    t.replace(kBlank, QLatin1Char(' '));
    return t;
}

void MaskedDateEdit::setDate(QDate date) {
    if (!date.isValid()) {
        clear();
        return;
    }
    const auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    const int yearValue = m_yearDigits == 2 ? date.year() % 100 : date.year();
    const QString year = QStringLiteral("%1").arg(yearValue, m_yearDigits, 10, QLatin1Char('0'));
    const QChar sep = m_regional.dateSeparator;
    switch (m_regional.dateOrder()) {
    case RegionalSettings::DateOrder::DayMonthYear:
        setText(two(date.day()) + sep + two(date.month()) + sep + year);
        break;
    case RegionalSettings::DateOrder::MonthDayYear:
        setText(two(date.month()) + sep + two(date.day()) + sep + year);
        break;
    case RegionalSettings::DateOrder::YearMonthDay:
        setText(year + sep + two(date.month()) + sep + two(date.day()));
        break;
    }
}

QDate MaskedDateEdit::date(int currentYear) const {
    const QString shown = maskedText();
    // Blank places of the day or month count for nothing; the year must be complete.
    QString compact = shown;
    compact.remove(QLatin1Char(' '));
    const auto d = hasAcceptableInput() ? m_regional.parseDate(compact, currentYear) : std::nullopt;
    if (!d)
        throw AppError(notDateMessage(shown));
    return *d;
}
