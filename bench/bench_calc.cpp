// The calculations on the shipped database: interest by the key rate over 30 years with 100 payments, and the
// cumulative consumer price index over every month the series holds. Each is timed on a series already read,
// as the calculations window holds it; the reading of the series is shown beside them.
#include "BenchSupport.h"

#include "calc/InflationCalculation.h"
#include "calc/InterestCalculation.h"
#include "calc/SeriesHistory.h"
#include "common/AppError.h"
#include "store/Database.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = Bench::runCount(argc, argv);
    try {
        const QString path = Bench::programBinDir() + QStringLiteral("/data/main.db");
        if (!QFileInfo::exists(path))
            throw std::runtime_error("no shipped database beside the program");
        Database db;
        db.open(path);
        const RegionalSettings regional = RegionalSettings::russian();

        InterestRequest request;
        request.first = QDate(1995, 1, 1);
        request.last = QDate(2024, 12, 31);
        request.principal = Money::fromKopecks(100'000'000'00);
        const qint64 span = request.first.daysTo(request.last);
        for (int i = 1; i <= 100; ++i)
            request.payments.append({request.first.addDays(span * i / 101), Money::fromKopecks(500'000'00)});

        std::vector<double> readRates, interest, readPrices, inflation;
        int periods = 0, months = 0;
        for (int r = 0; r < runs; ++r) {
            std::optional<SeriesHistory> rates, prices;
            readRates.push_back(Bench::timeMs([&] { rates.emplace(db, QStringLiteral("refin"), regional); }));
            interest.push_back(
                Bench::timeMs([&] { periods = int(CalculateInterest(*rates, request).periods.size()); }));
            readPrices.push_back(Bench::timeMs([&] { prices.emplace(db, QStringLiteral("price"), regional); }));
            const QDate oldest = prices->record(prices->recordCount() - 1).date();
            const QDate newest = prices->record(0).date();
            inflation.push_back(Bench::timeMs([&] { months = CumulativeInflation(*prices, oldest, newest).months; }));
        }
        const double interestMs = Bench::median(interest), inflationMs = Bench::median(inflation);
        Bench::row(QStringLiteral("Interest by the key rate, 30 years, 100 payments (%1 periods)").arg(periods),
                   Bench::ms(interestMs), QStringLiteral("—"), QStringLiteral("—"), QStringLiteral("< 10 ms"),
                   interestMs < 10);
        Bench::infoRow(QStringLiteral("Reading the refinancing-rate series for it"),
                       Bench::ms(Bench::median(readRates)));
        Bench::row(QStringLiteral("Cumulative consumer price index, all %1 months").arg(months), Bench::ms(inflationMs),
                   QStringLiteral("—"), QStringLiteral("—"), QStringLiteral("< 10 ms"), inflationMs < 10);
        Bench::infoRow(QStringLiteral("Reading the price series for it"), Bench::ms(Bench::median(readPrices)));
    } catch (const AppError& e) {
        std::fprintf(stderr, "bench_calc: %s\n", e.what());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_calc: %s\n", e.what());
        return 1;
    }
    return 0;
}
