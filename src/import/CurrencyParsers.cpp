#include "ImportParsers.h"
#include "ImportRun.h"
#include "ImportText.h"
#include "common/AppError.h"
#include "common/RegionalSettings.h"

using namespace ImportText;

namespace {
bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Roubles and kopecks: the kopecks are the whole number after "руб.", one or two digits.
QString roublesAndKopecks(QStringView line, const QString& roubles, int afterRoubles) {
    const QString kopecks = token(line, skipBlanks(line, afterRoubles));
    if (kopecks.isEmpty() || kopecks.size() > 2 || !isDigit(kopecks[0]) || !isDigit(kopecks.back()))
        throw AppError(QStringLiteral("Не удалось прочитать копейки: «%1».").arg(kopecks));
    return trimmed(roubles) + QLatin1Char('.') + kopecks.rightJustified(2, QLatin1Char('0'));
}
} // namespace

void ParseConsultantDollar(ImportRun& run) {
    QString line;
    while (run.readLine(line)) {
        const auto head = ReadConsultantDateHead(line);
        if (!head)
            continue;
        const int v = skipBlanks(line, valueColumn(line, head->blank + 10, kRate));
        int e = 0;
        QString t = token(line, v, &e);
        if (chars(line, e + 1, 4) == u"руб.")
            t = roublesAndKopecks(line, t, e + 5);
        const Fixed4 value = readValue(NormaliseDecimal(trimmed(t), run.regional), run.regional, kRate);
        run.merge(ImportedRecord{head->date, value, value}, Profiles::ConsultantDollar);
    }
}

void ParseConsultantEuro(ImportRun& run) {
    QString line;
    while (run.readLine(line)) {
        const auto head = ReadConsultantDateHead(line);
        if (!head)
            continue;
        const QString t = rest(line, skipBlanks(line, valueColumn(line, head->blank + 42, kRate)));
        const Fixed4 value = readValue(NormaliseDecimal(trimmed(t), run.regional), run.regional, kRate);
        run.merge(ImportedRecord{head->date, value, value}, Profiles::ConsultantEuro);
    }
}

void ParseGarantRates(ImportRun& run, GarantRateColumn column) {
    static const QDate kLastDayWithoutEuro(1998, 12, 31);
    QString line;
    while (run.readLine(line)) {
        const int s = FindText(u"/", line);
        if (s == 0)
            continue;
        const QString written = chars(line, s - 2, 10);
        QString dateText = written;
        dateText.replace(QLatin1Char('/'), QLatin1Char('.')).replace(QLatin1Char('*'), QLatin1Char(' '));
        const QDate date = readLineDate(line, trimmed(dateText), written, run.regional, run.currentYear);
        int start = s + 10;
        if (column == GarantRateColumn::Euro) {
            if (date <= kLastDayWithoutEuro)
                return;
            start = s + 35;
        }
        const int v = skipBlanks(line, valueColumn(line, start, kRate));
        QString t = column == GarantRateColumn::Dollar ? token(line, v) : rest(line, v);
        t.replace(QLatin1Char('*'), QLatin1Char(' '));
        const Fixed4 value = readValue(NormaliseDecimal(trimmed(t), run.regional), run.regional, kRate);
        run.merge(ImportedRecord{date, value, value}, Profiles::GarantRates);
    }
}
