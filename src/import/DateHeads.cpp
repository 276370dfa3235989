#include "ImportParsers.h"
#include "ImportText.h"
#include "common/AppError.h"

using namespace ImportText;

int FindConsultantAnchor(QStringView line) {
    const int s = FindText(u"с ", line);
    return s > 0 ? s : FindText(u"со ", line);
}

std::optional<ConsultantDateHead> ReadConsultantDateHead(QStringView line) {
    const int s = FindConsultantAnchor(line);
    if (s == 0)
        return std::nullopt;
    // After "с " the day takes two positions and one blank follows; after "со " a one-digit day stands between
    // blanks: either way the month name starts at s + 5.
    int b = s + 5;
    while (b <= line.size() && at(line, b) != QLatin1Char(' '))
        ++b;
    const QDate date =
        readDayMonthYear(line, chars(line, s + 2, 2), trimmed(chars(line, s + 5, b - (s + 5))), chars(line, b + 1, 4));
    return ConsultantDateHead{date, b};
}

DigitEndedDateHead ReadDigitEndedDateHead(QStringView line, int d, int m) {
    int y = m < 1 ? 1 : m;
    while (y <= line.size() && at(line, y) != QLatin1Char('1') && at(line, y) != QLatin1Char('2'))
        ++y;
    const QDate date = readDayMonthYear(line, chars(line, d, 2), trimmed(chars(line, m, y - m)), chars(line, y, 4));
    return DigitEndedDateHead{date, y};
}
