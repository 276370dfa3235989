#include "ImportParsers.h"
#include "ImportRun.h"
#include "ImportText.h"
#include "common/AppError.h"
#include "common/RegionalSettings.h"

#include <QRegularExpression>

using namespace ImportText;

namespace {
constexpr QChar kBrokenBar(0x00A6);

// From position `from` up to the first of `stops` (not included) or the end of the line.
QString textUpTo(QStringView line, int from, QStringView stops) {
    int e = from < 1 ? 1 : from;
    while (e <= line.size() && !stops.contains(at(line, e)))
        ++e;
    return chars(line, from, e - from);
}

QString noSeparator(QStringView line) {
    return QStringLiteral("Нет разделителя столбцов в строке «%1».").arg(quote(line));
}
} // namespace

void ParseConsultantRefin(ImportRun& run) {
    QString line;
    while (run.readLine(line)) {
        line.replace(QLatin1Char('.'), QLatin1Char(','));
        const int s = FindConsultantAnchor(line);
        if (s == 0)
            continue;
        const DigitEndedDateHead head = ReadDigitEndedDateHead(line, s + 2, s + 4);
        const QString t = token(line, skipBlanks(line, valueColumn(line, head.yearStart + 13, kRefinRate)));
        const Fixed4 value = readValue(trimmed(t), run.regional, kRefinRate);
        run.merge(ImportedRecord{head.date, value, value}, Profiles::ConsultantRefin);
    }
}

void ParseGarantRefin(ImportRun& run) {
    QString line;
    while (run.readLine(line)) {
        const int p = FindText(u"%", line);
        if (p == 0)
            continue;
        const int f = skipBlanks(line, 1);
        const DigitEndedDateHead head = ReadDigitEndedDateHead(line, f, f + 2);
        // The rate is the token that ends right before "%", blanks between them allowed.
        int e = p - 1;
        while (e >= 1 && at(line, e) == QLatin1Char(' '))
            --e;
        int b = e;
        while (b >= 1 && at(line, b) != QLatin1Char(' '))
            --b;
        const Fixed4 value = readValue(chars(line, b + 1, e - b), run.regional, kRefinRate);
        run.merge(ImportedRecord{head.date, value, value}, Profiles::GarantRefin);
    }
}

void ParseConsultantMrot(ImportRun& run) {
    static const QString kEndLine(32, QLatin1Char('-'));
    QString line;
    while (run.readLine(line)) {
        if (FindText(kEndLine, line) > 0)
            return;
        const int s = FindText(u"с ", line);
        if (s == 0)
            continue;
        const DigitEndedDateHead head = ReadDigitEndedDateHead(line, s + 2, s + 4);
        // The separator after the year, even when the date column is narrower than usual.
        const int separator = int(line.indexOf(kBrokenBar, qMax(head.yearStart + 4, 1) - 1)) + 1;
        if (separator == 0)
            throw AppError(noSeparator(line));
        const QString amount = textUpTo(line, separator + 1, u"\u00A6<(");
        Fixed4 value = readValue(NormaliseDecimal(trimmed(amount), run.regional), run.regional, kMrotAmount);
        Fixed4 value2 = value;
        if (FindText(u"<*>", line) > 0) {
            QString footnoted;
            if (run.readLine(footnoted)) {
                const int q = FindText(u"<**>", footnoted);
                if (q > 0) {
                    value = readValue(NormaliseDecimal(trimmed(chars(footnoted, q - 8, 8)), run.regional), run.regional,
                                      kMrotAmount);
                } else {
                    // Not the second amount of this row: a line of its own.
                    run.reader.unread();
                }
            }
        }
        run.merge(ImportedRecord{head.date, value, value2}, Profiles::ConsultantMrot);
    }
}

void ParseGarantMrot(ImportRun& run) {
    static const QDate kSkippedDay(1998, 1, 1);
    // A full date dd.mm.yyyy of any year from 1900 to 2099; a two-digit year is no anchor.
    static const QRegularExpression kAnchor(QStringLiteral("\\d\\d\\.\\d\\d(\\.)(19|20)\\d\\d"));
    const QChar separator = run.dosMode ? kBrokenBar : QLatin1Char('|');
    const QString stops = QString(separator) + QLatin1Char('*');
    QString line;
    while (run.readLine(line)) {
        const QRegularExpressionMatch anchor = kAnchor.match(line);
        if (!anchor.hasMatch())
            continue;
        const int p = int(anchor.capturedStart(1)) + 1; // the point before the year
        if (at(line, p + 5) == QLatin1Char('-'))
            continue; // a period of two dates
        const QString written = chars(line, p - 5, 10);
        const QDate date = readLineDate(line, trimmed(written), written, run.regional, run.currentYear);
        if (date == kSkippedDay)
            continue;
        // The amount stands after the separator that follows the date; a cell narrower than usual must not cut it.
        int from = p + 7;
        const int next = int(line.indexOf(separator, p + 4)) + 1; // at or after p + 5
        if (next > 0 && next <= p + 6)
            from = next + 1;
        const QString amount = textUpTo(line, from, stops);
        const Fixed4 value = readValue(NormaliseDecimal(trimmed(amount), run.regional), run.regional, kMrotAmount);
        run.merge(ImportedRecord{date, value, value}, Profiles::GarantMrot);
    }
}
