#include "GeneratedExports.h"
#include "TestDb.h"
#include "store/TableObject.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <sqlite3.h>

// tarvel-cli import killed with SIGKILL at random moments: the file stays sound and every stored record is whole.
class TestImportCrash : public QObject {
    Q_OBJECT
private slots:
    void killedImportsLeaveWholeRecords();
};

namespace {
const int kDays = 40000;
const QDate kFirst(1900, 1, 1);

QStringList importArgs(const QString& db, const QString& file) {
    return {"--db", db, "import", "--series", "usd", "--source", "consultant", file};
}

QString integrity(const QString& path) {
    // Read-write, as the program opens it: a killed writer leaves a hot rollback journal, which only a connection
    // that may write rolls back.
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr);
    QString result = sqlite3_step(st) == SQLITE_ROW
                         ? QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)))
                         : QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return result;
}

// Every stored record is one of the file's, with all its columns; returns the number of records.
int checkRecords(const QString& path, const QDate& today) {
    Database db;
    db.open(path);
    Clock clock;
    TableObject usd(db, Layout::Currency, "USD", RegionalSettings::russian(), clock);
    usd.open();
    for (usd.first(); !usd.eof(); usd.next()) {
        const int index = int(kFirst.daysTo(usd.asDate(u"CURDATE")));
        if (index < 0 || index >= kDays)
            return -1;
        if (usd.asFixed4(u"KURS").count() != generatedRateCount(index) || usd.asInteger(u"NOMINAL") != 1 ||
            usd.asInteger(u"UPD") != 1 || usd.asDate(u"DT") != today)
            return -1;
    }
    return usd.recordCount();
}
} // namespace

void TestImportCrash::killedImportsLeaveWholeRecords() {
    TestDb t;
    const QString file = t.dir() + "/usd.txt";
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(consultantDollarExport(kDays, false, kFirst));
    }
    const QString cli = QStringLiteral(TARVEL_BIN_DIR "/tarvel-cli");
    const QString dbPath = t.path();
    t.db().close();

    // How long a whole import takes here, to spread the kills over it.
    QString scratch = t.dir() + "/scratch.db";
    QVERIFY(QFile::copy(dbPath, scratch));
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(QProcess::execute(cli, importArgs(scratch, file)), 0);
    const qint64 whole = std::max<qint64>(timer.elapsed(), 50);

    int killed = 0;
    for (int round = 0; round < 20; ++round) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(cli, importArgs(dbPath, file));
        QVERIFY(p.waitForStarted());
        QThread::msleep(QRandomGenerator::global()->bounded(quint32(whole * 12 / 10)));
        if (p.state() == QProcess::Running) {
            p.kill();
            ++killed;
        }
        p.waitForFinished();
        QCOMPARE(integrity(dbPath), QStringLiteral("ok"));
        const int records = checkRecords(dbPath, QDate::currentDate());
        QVERIFY2(records >= 0, "a record that is not the file's");
    }
    qInfo("%d of 20 imports killed before they ended (a whole import takes %lld ms)", killed, whole);
    QVERIFY(killed > 0);

    // A last import completes the series.
    QCOMPARE(QProcess::execute(cli, importArgs(dbPath, file)), 0);
    QCOMPARE(integrity(dbPath), QStringLiteral("ok"));
    QCOMPARE(checkRecords(dbPath, QDate::currentDate()), kDays);
}

QTEST_GUILESS_MAIN(TestImportCrash)
#include "tst_importcrash.moc"
