// The chart of the calculations window on a series of 10,000 records: reading the series and the first paint,
// a repaint, a move of the mouse over it, a zoom to one year. Run offscreen: QT_QPA_PLATFORM=offscreen
// bench_chart [runs].
#include "BenchSupport.h"

#include "common/AppError.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "common/Settings.h"
#include "store/Database.h"
#include "ui/CalcChartPage.h"
#include "ui/SeriesChart.h"
#include "ui/TfrmCalc.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {
class SilentPrompts : public Prompts {
public:
    void message(const QString& text) override { std::fprintf(stderr, "%s\n", text.toUtf8().constData()); }
    void information(const QString&) override {}
    bool question(const QString&) override { return false; }
    bool confirm(const QString&) override { return false; }
    QString openFile(const QString&, const QString&) override { return {}; }
};

void fill(Database& db, int records) {
    Database::Transaction transaction(db);
    Statement st(db, QStringLiteral("INSERT INTO USD VALUES (?, 1, ?, 1, ?)"));
    QDate day(2026, 1, 1);
    for (int i = 0; i < records; ++i, day = day.addDays(-1)) {
        st.reset();
        st.bindText(1, day.toString(Qt::ISODate));
        st.bindDouble(2, 30.0 + 20.0 * std::sin(i / 300.0) + (i % 7) / 10.0);
        st.bindText(3, day.toString(Qt::ISODate));
        st.step();
    }
    transaction.commit();
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    constexpr int records = 10000;
    const int runs = Bench::runCount(argc, argv);
    try {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("main.db"));
        Database::create(path);
        Database db;
        db.open(path);
        fill(db, records);
        Settings settings(dir.filePath(QStringLiteral("settings.ini")));
        SilentPrompts prompts;
        Clock clock;
        clock.setToday(QDate(2026, 1, 1));
        TfrmCalc w(db, settings, prompts, clock, RegionalSettings::russian());
        w.resize(1200, 800);
        w.showTab(TfrmCalc::kChart);
        w.show();
        app.processEvents();
        CalcChartPage* page = w.chartPage();
        page->findChild<QComboBox*>(QStringLiteral("cbChartSeries"))->setCurrentIndex(0); // the dollar
        page->findChild<QDateEdit*>(QStringLiteral("deChartFrom"))->setDate(QDate(1990, 1, 1));
        SeriesChart* chart = page->chart();

        std::vector<double> builds, repaints, hovers, zooms;
        for (int i = 0; i < runs; ++i) {
            builds.push_back(Bench::timeMs([&] {
                page->build();
                chart->repaint();
            }));
            if (chart->points().size() != records)
                throw AppError(QStringLiteral("the chart does not hold the 10,000 records"));
            repaints.push_back(Bench::timeMs([&] { chart->repaint(); }));
            hovers.push_back(Bench::timeMs([&] {
                const QRect plot = chart->plotRect();
                for (int k = 0; k < 10; ++k) {
                    const QPointF at(plot.left() + (k + 1) * plot.width() / 11.0, plot.center().y());
                    QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                                     Qt::NoModifier);
                    QApplication::sendEvent(chart, &move);
                    chart->repaint();
                }
            }) / 10.0);
            zooms.push_back(Bench::timeMs([&] {
                chart->setRange(QDate(2020, 1, 1), QDate(2020, 12, 31));
                chart->repaint();
                chart->showAll();
                chart->repaint();
            }) / 2.0);
        }
        const double build = Bench::median(builds);
        Bench::row(QStringLiteral("Chart of 10,000 records: read the series and paint"), Bench::ms(build), {},
                   QStringLiteral("-"), QStringLiteral("< 100 ms"), build < 100);
        const double repaint = Bench::median(repaints);
        Bench::row(QStringLiteral("Chart of 10,000 records: repaint"), Bench::ms(repaint), {}, QStringLiteral("-"),
                   QStringLiteral("< 16 ms"), repaint < 16);
        const double hover = Bench::median(hovers);
        Bench::row(QStringLiteral("Chart: value under the mouse, one move and repaint"), Bench::ms(hover), {},
                   QStringLiteral("-"), QStringLiteral("< 16 ms"), hover < 16);
        Bench::infoRow(QStringLiteral("Chart: zoom to a year or back and repaint"), Bench::ms(Bench::median(zooms)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_chart: %s\n", e.what());
        return 1;
    }
    return 0;
}
