#include "PeriodText.h"

#include "AppError.h"
#include "NumberText.h"
#include "RussianText.h"

#include <algorithm>

namespace {
// The year stands at a fixed distance from the end, so the trailing " г." is what places it.
std::optional<int> yearFromEnd(const QString& text) {
    const qsizetype start = std::max<qsizetype>(text.size() - 7, 0);
    return parseInteger(QStringView(text).mid(start, 4));
}
} // namespace

int MonthNumberNominative(QStringView name) {
    return std::max(0, MonthNumber(name, MonthForm::Nominative));
}

QString quarterPeriodMessage() {
    return QStringLiteral(
        "Указанный Вами период неверен. Введите правильное значение периода.\nПример: I квартал 2002 г.");
}

QString monthPeriodMessage() {
    return QStringLiteral(
        "Указанный Вами период неверен. Введите правильное значение периода.\nПример: январь 2002 г.");
}

QDate ReadQuarterPeriod(const QString& text) {
    const auto year = yearFromEnd(text);
    if (!year)
        throw AppError(quarterPeriodMessage());
    const QStringView prefix = QStringView(text).left(3);
    int month = 0;
    if (prefix == u"I к")
        month = 1;
    else if (prefix == u"II ")
        month = 4;
    else if (prefix == u"III")
        month = 7;
    else if (prefix == u"IV ")
        month = 10;
    else
        throw AppError(quarterPeriodMessage());
    if (*year < 1 || !QDate::isValid(*year, month, 1))
        throw AppError(notDateMessage(text));
    return QDate(*year, month, 1);
}

QDate ReadMonthPeriod(const QString& text) {
    const qsizetype length = text.size();
    const QStringView monthText = length > 7 ? trimmedControl(QStringView(text).left(length - 7)) : QStringView();
    const auto year = yearFromEnd(text);
    const int month = MonthNumberNominative(monthText);
    if (!year || month == 0 || *year < 1 || !QDate::isValid(*year, month, 1))
        throw AppError(monthPeriodMessage());
    return QDate(*year, month, 1);
}
