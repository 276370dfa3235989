// Imports a generated ConsultantPlus dollar export of 10,000 days into an empty series, then imports it again
// (every record equal), and prints the times. Usage: bench_import [days]
#include "common/Clock.h"
#include "common/Prompts.h"
#include "common/RegionalSettings.h"
#include "import/ImportCommand.h"
#include "import/ImportText.h"
#include "store/Database.h"
#include "store/IndicatorStore.h"
#include "store/RecordMerge.h"
#include "store/TableObject.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <cstdio>

namespace {
class BenchPrompts : public Prompts {
public:
    explicit BenchPrompts(QString file) : m_file(std::move(file)) {}
    void message(const QString& text) override { lastMessage = text; }
    void information(const QString&) override {}
    bool question(const QString&) override {
        ++questions;
        return false;
    }
    bool confirm(const QString&) override { return false; }
    QString openFile(const QString&, const QString&) override { return m_file; }
    QString lastMessage;
    int questions = 0;

private:
    QString m_file;
};

QByteArray toWindows1251(const QString& text) {
    static const QHash<QChar, char> table = [] {
        QHash<QChar, char> h;
        for (int b = 1; b < 256; ++b)
            h.insert(DecodeWindows1251(QByteArray(1, char(b))).at(0), char(b));
        return h;
    }();
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text)
        out.append(table.value(c, '?'));
    return out;
}

QByteArray consultantDollarExport(int days, bool newestFirst) {
    static const char* months[] = {"января", "февраля", "марта",    "апреля",  "мая",    "июня",
                                   "июля",   "августа", "сентября", "октября", "ноября", "декабря"};
    QString text = QStringLiteral("ОФИЦИАЛЬНЫЙ КУРС ДОЛЛАРА США\r\n\r\nДата                   1 Доллар США\r\n\r\n");
    const QDate first(1992, 7, 1);
    for (int i = 0; i < days; ++i) {
        const QDate d = first.addDays(newestFirst ? days - 1 - i : i);
        const QString head = QStringLiteral("с %1 %2 %3 г.")
                                 .arg(d.day(), 2, 10, QLatin1Char('0'))
                                 .arg(QString::fromUtf8(months[d.month() - 1]))
                                 .arg(d.year());
        const int tenThousandths = 250000 + (i * 7919) % 300000;
        text +=
            head.leftJustified(23, QLatin1Char(' ')) +
            QStringLiteral("%1,%2").arg(tenThousandths / 10000).arg(tenThousandths % 10000, 4, 10, QLatin1Char('0')) +
            QStringLiteral("\r\n");
    }
    return toWindows1251(text);
}

double run(const QString& dbPath, BenchPrompts& prompts, ChangeCounters& counters) {
    Database db;
    db.open(dbPath);
    Clock clock;
    const RegionalSettings ru = RegionalSettings::russian();
    IndicatorStore store(db, ru, clock);
    store.tKurs.pointAt(QStringLiteral("USD"));
    store.makeActive(store.tKurs);
    ImportCommand command(store, counters, prompts, clock, ru, QString());
    QElapsedTimer timer;
    timer.start();
    command.btnUpdClick(1, UpdateMode::ConsultantPlus);
    return double(timer.nsecsElapsed()) / 1e6;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int days = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir dir;
    for (const bool newestFirst : {true, false}) {
        const QString file = dir.filePath(QStringLiteral("usd%1.txt").arg(newestFirst));
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write(consultantDollarExport(days, newestFirst)) < 0)
            return 1;
        f.close();
        const QString dbPath = dir.filePath(QStringLiteral("main%1.db").arg(newestFirst));
        Database::create(dbPath);

        BenchPrompts prompts(file);
        ChangeCounters counters;
        const double first = run(dbPath, prompts, counters);
        const int added = counters.added;
        const QString firstReport = prompts.lastMessage;
        const double second = run(dbPath, prompts, counters);
        std::printf("%d days, %s: import into an empty series %.1f ms (%d added: %s); again %.1f ms (%d added, %d "
                    "changed, %d questions)\n",
                    days, newestFirst ? "newest first" : "oldest first", first, added,
                    firstReport.section(QLatin1Char('\n'), 1).toUtf8().constData(), second, counters.added,
                    counters.changed, prompts.questions);
    }
    return 0;
}
