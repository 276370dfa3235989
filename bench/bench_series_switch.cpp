// Switches the main window between two series of 10,000 records and scrolls the grid, painting each step; and
// the peak memory of the whole process. Run offscreen: QT_QPA_PLATFORM=offscreen bench_series_switch [runs]
// (each direction of the switch is taken `runs` times).
#include "BenchSupport.h"

#include "common/AppError.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "common/Settings.h"
#include "platform/MemoryStatus.h"
#include "store/Database.h"
#include "ui/IndicatorGrid.h"
#include "ui/TfrmBase.h"

#include <QApplication>
#include <QDateEdit>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace {
class SilentPrompts : public Prompts {
public:
    void message(const QString&) override {}
    void information(const QString&) override {}
    bool question(const QString&) override { return false; }
    bool confirm(const QString&) override { return false; }
    QString openFile(const QString&, const QString&) override { return {}; }
};

void fill(Database& db, const char* table, int records) {
    Database::Transaction transaction(db);
    Statement st(db, QStringLiteral("INSERT INTO %1 VALUES (?, 1, ?, 1, ?)").arg(QLatin1String(table)));
    QDate day(2026, 1, 1);
    for (int i = 0; i < records; ++i, day = day.addDays(-1)) {
        st.reset();
        st.bindText(1, day.toString(Qt::ISODate));
        st.bindDouble(2, 30.0 + (i % 1000) / 100.0);
        st.bindText(3, day.toString(Qt::ISODate));
        st.step();
    }
    transaction.commit();
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    constexpr int records = 10000;
    const int rounds = 2 * Bench::runCount(argc, argv);
    try {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("main.db"));
        Database::create(path);
        Database db;
        db.open(path);
        fill(db, "USD", records);
        fill(db, "EUR", records);
        Settings settings(dir.filePath(QStringLiteral("settings.ini")));
        SilentPrompts prompts;
        Clock clock;
        TfrmBase w(db, settings, prompts, clock, RegionalSettings::russian(), {});
        w.show();
        app.processEvents();
        auto* grid = w.findChild<IndicatorGrid*>(QStringLiteral("grKurs"));

        std::vector<double> switches;
        for (int i = 0; i < rounds; ++i) {
            switches.push_back(Bench::timeMs([&] {
                w.selectEntry(i % 2 == 0 ? TfrmBase::kEuro : TfrmBase::kDollar);
                app.processEvents();
                w.repaint();
            }));
        }
        if (w.activeTable().tableName() != QLatin1String("USD") || w.activeTable().recordCount() != records)
            throw AppError(QStringLiteral("the switch did not end on the dollar series"));

        std::vector<double> scrolls;
        QScrollBar* bar = grid->verticalScrollBar();
        for (int i = 0; i < rounds; ++i) {
            scrolls.push_back(Bench::timeMs([&] {
                bar->setValue(i % 2 == 0 ? bar->maximum() : bar->maximum() / 2);
                grid->viewport()->repaint();
            }));
        }

        std::vector<double> searches;
        auto* searchDate = w.findChild<QDateEdit*>(QStringLiteral("SearchDate"));
        for (int i = 0; i < rounds; ++i) {
            searchDate->setDate(QDate(2026, 1, 1).addDays(i % 2 == 0 ? 1 - records : 0));
            searches.push_back(Bench::timeMs([&] {
                w.btnSearchClick();
                app.processEvents();
            }));
        }

        const double change = Bench::median(switches);
        Bench::row(QStringLiteral("Change of series, 10,000 to 10,000 records (open, panel, paint)"), Bench::ms(change),
                   {}, QStringLiteral("-"), QStringLiteral("< 50 ms"), change < 50);
        const double peak = double(MemoryStatus::peakResidentBytes());
        Bench::row(QStringLiteral("Peak memory of that process (two series shown)"), Bench::megabytes(peak), {},
                   QStringLiteral("-"), QStringLiteral("< 80 MB"), peak > 0 && peak < 80.0 * 1024 * 1024);
        Bench::infoRow(QStringLiteral("Scroll the grid and paint"), Bench::ms(Bench::median(scrolls)));
        Bench::infoRow(QStringLiteral("Quick search, oldest and newest record"), Bench::ms(Bench::median(searches)));
    } catch (const std::exception& e) { // AppError too
        std::fprintf(stderr, "bench_series_switch: %s\n", e.what());
        return 1;
    }
    return 0;
}
