// Switches the main window between two series of 10,000 records and scrolls the grid, painting each step.
// Run offscreen: QT_QPA_PLATFORM=offscreen build/bench-bin/bench_series_switch [records] [rounds]

#include "common/AppError.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "common/Settings.h"
#include "store/Database.h"
#include "ui/IndicatorGrid.h"
#include "ui/TfrmBase.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
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
    db.begin();
    Statement st(db, QStringLiteral("INSERT INTO %1 VALUES (?, 1, ?, 1, ?)").arg(QLatin1String(table)));
    QDate day(2026, 1, 1);
    for (int i = 0; i < records; ++i, day = day.addDays(-1)) {
        st.reset();
        st.bindText(1, day.toString(Qt::ISODate));
        st.bindDouble(2, 30.0 + (i % 1000) / 100.0);
        st.bindText(3, day.toString(Qt::ISODate));
        st.step();
    }
    db.commit();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int records = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 10000;
    const int rounds = argc > 2 ? QString::fromLatin1(argv[2]).toInt() : 20;
    QTextStream out(stdout);
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
        QElapsedTimer timer;
        for (int i = 0; i < rounds; ++i) {
            timer.start();
            w.selectEntry(i % 2 == 0 ? TfrmBase::kEuro : TfrmBase::kDollar);
            app.processEvents();
            w.repaint();
            switches.push_back(double(timer.nsecsElapsed()) / 1e6);
        }

        std::vector<double> scrolls;
        QScrollBar* bar = grid->verticalScrollBar();
        for (int i = 0; i < rounds; ++i) {
            timer.start();
            bar->setValue(i % 2 == 0 ? bar->maximum() : bar->maximum() / 2);
            grid->viewport()->repaint();
            scrolls.push_back(double(timer.nsecsElapsed()) / 1e6);
        }

        w.findChild<QDateEdit*>(QStringLiteral("SearchDate"))->setDate(QDate(2026, 1, 1).addDays(1 - records));
        timer.start();
        w.btnSearchClick();
        app.processEvents();
        const double search = double(timer.nsecsElapsed()) / 1e6;

        out << records << " records per series, " << rounds << " rounds\n";
        out << "switch between two series (open, panel, paint): median " << median(switches) << " ms, max "
            << *std::max_element(switches.begin(), switches.end()) << " ms\n";
        out << "scroll and paint the grid: median " << median(scrolls) << " ms, max "
            << *std::max_element(scrolls.begin(), scrolls.end()) << " ms\n";
        out << "quick search for the oldest record: " << search << " ms\n";
    } catch (const AppError& e) {
        out << e.text() << '\n';
        return 1;
    }
    return 0;
}
