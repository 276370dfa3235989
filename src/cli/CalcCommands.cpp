#include "CliContext.h"

#include "calc/CalcText.h"
#include "calc/Conversion.h"
#include "calc/InflationCalculation.h"
#include "calc/InterestCalculation.h"
#include "calc/SeriesHistory.h"
#include "common/AppError.h"
#include "common/Clock.h"
#include "common/NumberText.h"
#include "store/Database.h"

#include <map>
#include <optional>

namespace {
// "--name value" pairs; a name given twice is refused unless it may repeat.
struct Options {
    std::map<QString, QStringList> values;
    bool ok = true;

    Options(const QStringList& args, const QStringList& known, const QStringList& repeatable) {
        for (qsizetype i = 0; i < args.size(); i += 2) {
            const QString& name = args[i];
            if (i + 1 >= args.size() || !known.contains(name) || (values.count(name) && !repeatable.contains(name))) {
                ok = false;
                return;
            }
            values[name].append(args[i + 1]);
        }
    }
    QString value(const QString& name) const {
        const auto it = values.find(name);
        return it == values.end() ? QString() : it->second.first();
    }
    bool has(const QString& name) const { return values.count(name) > 0; }
    QStringList all(const QString& name) const {
        const auto it = values.find(name);
        return it == values.end() ? QStringList() : it->second;
    }
};

int fail(const QString& text, int code) {
    writeErr(text + QLatin1Char('\n'));
    return code;
}

std::optional<QDate> readDay(const CliContext& context, const QString& text) {
    return context.regional.parseDate(text, Clock().today().year());
}

QString badDate(const QString& text) {
    return QStringLiteral("«%1» не является датой.").arg(text);
}

QString badAmount(const QString& text) {
    return QStringLiteral("«%1» не является суммой: нужно число не более чем с двумя знаками после запятой.").arg(text);
}

// Opens the database and reads one table; on failure the message is written and nothing returned.
std::optional<SeriesHistory> readSeries(const CliContext& context, Database& db, const QString& table) {
    if (!openDatabase(context, db))
        return std::nullopt;
    try {
        return SeriesHistory(db, table, context.regional);
    } catch (const AppError& e) {
        writeErr(e.text() + QLatin1Char('\n'));
        return std::nullopt;
    }
}

bool knownTable(const QString& table, std::optional<Layout> layout = std::nullopt) {
    const auto info = Catalog::findTable(table);
    return info && (!layout || info->layout == *layout);
}
} // namespace

int runRate(const CliContext& context) {
    const QString use = QStringLiteral("Использование: tarvel-cli [--db ФАЙЛ] rate --series ТАБЛИЦА --on ДД.ММ.ГГГГ");
    const Options o(context.args, {QStringLiteral("--series"), QStringLiteral("--on")}, {});
    if (!o.ok || !o.has(QStringLiteral("--series")) || !o.has(QStringLiteral("--on")))
        return fail(use, 2);
    const QString table = o.value(QStringLiteral("--series"));
    if (!knownTable(table))
        return fail(QStringLiteral("Таблица «%1» не найдена.").arg(table), 2);
    const auto day = readDay(context, o.value(QStringLiteral("--on")));
    if (!day)
        return fail(badDate(o.value(QStringLiteral("--on"))), 2);
    Database db;
    const auto series = readSeries(context, db, table);
    if (!series)
        return 1;
    const int i = series->indexInForce(*day);
    if (i < 0)
        return fail(series->noRecordMessage(*day), 1);
    writeOut(context.regional.formatDate(*day) + QLatin1Char(';') + series->recordText(series->record(i)) +
             QLatin1Char('\n'));
    return 0;
}

int runConvert(const CliContext& context) {
    const QString use = QStringLiteral("Использование: tarvel-cli [--db ФАЙЛ] convert --series ТАБЛИЦА --on ДД.ММ.ГГГГ "
                                       "--amount СУММА|--roubles СУММА");
    const Options o(
        context.args,
        {QStringLiteral("--series"), QStringLiteral("--on"), QStringLiteral("--amount"), QStringLiteral("--roubles")},
        {});
    const bool toRoubles = o.has(QStringLiteral("--amount"));
    if (!o.ok || !o.has(QStringLiteral("--series")) || !o.has(QStringLiteral("--on")) ||
        toRoubles == o.has(QStringLiteral("--roubles")))
        return fail(use, 2);
    const QString table = o.value(QStringLiteral("--series"));
    if (!knownTable(table, Layout::Currency))
        return fail(QStringLiteral("Таблица «%1» не найдена среди таблиц курсов валют.").arg(table), 2);
    const auto day = readDay(context, o.value(QStringLiteral("--on")));
    if (!day)
        return fail(badDate(o.value(QStringLiteral("--on"))), 2);
    const QString given = o.value(toRoubles ? QStringLiteral("--amount") : QStringLiteral("--roubles"));
    const auto amount = Money::parse(given, context.regional.decimalSeparator);
    if (!amount)
        return fail(badAmount(given), 2);
    Database db;
    const auto series = readSeries(context, db, table);
    if (!series)
        return 1;
    try {
        const QChar sep = context.regional.decimalSeparator;
        const ConversionResult r =
            toRoubles ? ConvertToRoubles(*series, *day, *amount) : ConvertFromRoubles(*series, *day, *amount);
        const QString currency = toRoubles ? given : r.amount.toText(sep);
        const QString roubles = toRoubles ? r.roubles.toText(sep) : given;
        writeOut(QStringList{currency, context.regional.formatDate(r.recordDate), QString::number(r.nominal),
                             FormatFixed4(r.rate, sep), roubles}
                     .join(QLatin1Char(';')) +
                 QLatin1Char('\n'));
    } catch (const AppError& e) {
        return fail(e.text(), 1);
    }
    return 0;
}

int runInterest(const CliContext& context) {
    const QString use =
        QStringLiteral("Использование: tarvel-cli [--db ФАЙЛ] interest --principal СУММА --from ДД.ММ.ГГГГ "
                       "--to ДД.ММ.ГГГГ [--payment ДД.ММ.ГГГГ=СУММА]... [--per-day 1/N]");
    const Options o(context.args,
                    {QStringLiteral("--principal"), QStringLiteral("--from"), QStringLiteral("--to"),
                     QStringLiteral("--payment"), QStringLiteral("--per-day")},
                    {QStringLiteral("--payment")});
    if (!o.ok || !o.has(QStringLiteral("--principal")) || !o.has(QStringLiteral("--from")) ||
        !o.has(QStringLiteral("--to")))
        return fail(use, 2);
    const QChar sep = context.regional.decimalSeparator;
    InterestRequest request;
    const QString principal = o.value(QStringLiteral("--principal"));
    const auto p = Money::parse(principal, sep);
    if (!p)
        return fail(badAmount(principal), 2);
    request.principal = *p;
    for (const QString& name : {QStringLiteral("--from"), QStringLiteral("--to")}) {
        const auto day = readDay(context, o.value(name));
        if (!day)
            return fail(badDate(o.value(name)), 2);
        (name == QLatin1String("--from") ? request.first : request.last) = *day;
    }
    for (const QString& payment : o.all(QStringLiteral("--payment"))) {
        const qsizetype eq = payment.indexOf(QLatin1Char('='));
        const auto day = eq > 0 ? readDay(context, payment.left(eq)) : std::nullopt;
        const auto amount = eq > 0 ? Money::parse(QStringView(payment).mid(eq + 1), sep) : std::nullopt;
        if (!day || !amount)
            return fail(QStringLiteral("Платёж «%1» нужно указать как ДД.ММ.ГГГГ=СУММА.").arg(payment), 2);
        request.payments.append({*day, *amount});
    }
    if (o.has(QStringLiteral("--per-day"))) {
        const QString share = o.value(QStringLiteral("--per-day"));
        const auto n = share.startsWith(QLatin1String("1/")) ? parseInteger(QStringView(share).mid(2)) : std::nullopt;
        if (!n || *n < 1)
            return fail(
                QStringLiteral("Доля ставки за день «%1» должна быть вида 1/N с целым N больше нуля.").arg(share), 2);
        request.perDayDivisor = *n;
    }
    const QString fault = InterestRequestError(request);
    if (!fault.isEmpty())
        return fail(fault, 2);

    Database db;
    const auto rates = readSeries(context, db, QStringLiteral("refin"));
    if (!rates)
        return 1;
    try {
        const InterestResult r = CalculateInterest(*rates, request);
        QString out;
        for (const InterestPeriod& period : r.periods) {
            out += QStringList{context.regional.formatDate(period.from),
                               context.regional.formatDate(period.to),
                               QString::number(period.days),
                               period.debt.toText(sep),
                               FormatFixed4(period.rate, sep),
                               period.basisText(),
                               period.interest.toText(sep)}
                       .join(QLatin1Char(';')) +
                   QLatin1Char('\n');
        }
        out += QStringLiteral("Итого;;%1;;;;%2\n").arg(r.totalDays).arg(r.total.toText(sep));
        for (const QString& text : r.warnings + r.reports)
            writeErr(text + QLatin1Char('\n'));
        writeOut(out);
    } catch (const AppError& e) {
        return fail(e.text(), 1);
    }
    return 0;
}

int runInflation(const CliContext& context) {
    const QString use = QStringLiteral("Использование: tarvel-cli [--db ФАЙЛ] inflation --from ММ.ГГГГ --to ММ.ГГГГ");
    const Options o(context.args, {QStringLiteral("--from"), QStringLiteral("--to")}, {});
    if (!o.ok || !o.has(QStringLiteral("--from")) || !o.has(QStringLiteral("--to")))
        return fail(use, 2);
    const auto from = ParseMonth(o.value(QStringLiteral("--from")));
    const auto to = ParseMonth(o.value(QStringLiteral("--to")));
    if (!from || !to)
        return fail(QStringLiteral("Месяц нужно указать как ММ.ГГГГ."), 2);
    if (*from > *to)
        return fail(
            QStringLiteral("Первый месяц (%1) позже последнего (%2).").arg(FormatMonth(*from), FormatMonth(*to)), 2);
    Database db;
    const auto prices = readSeries(context, db, QStringLiteral("price"));
    if (!prices)
        return 1;
    try {
        const InflationResult r = CumulativeInflation(*prices, *from, *to);
        writeOut(QStringLiteral("%1;%2;%3;%4\n")
                     .arg(FormatMonth(r.from), FormatMonth(r.to))
                     .arg(r.months)
                     .arg(FormatHundredths(r.indexHundredths, context.regional.decimalSeparator)));
    } catch (const AppError& e) {
        return fail(e.text(), 1);
    }
    return 0;
}
