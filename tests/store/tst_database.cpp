#include "TestDb.h"

#include "common/AppError.h"
#include "store/Database.h"
#include "store/TableObject.h"

#include <QProcess>
#include <QtTest>

#include <sqlite3.h>

namespace {
QString journalMode(Database& db) {
    Statement st(db, QStringLiteral("PRAGMA journal_mode"));
    return st.step() ? QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.handle(), 0)))
                     : QString();
}

// Sets the journal mode of a closed file the way a repair tool would, outside the program.
void setJournalMode(const QString& path, const QByteArray& mode) {
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    const QByteArray sql = "PRAGMA journal_mode=" + mode;
    QCOMPARE(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close_v2(db);
}

void addDollar(Database& db, QDate date, double kurs) {
    Clock clock;
    TableObject usd(db, Layout::Currency, QStringLiteral("USD"), RegionalSettings::russian(), clock);
    usd.open();
    usd.append();
    usd.setDate(u"CURDATE", date);
    usd.setInteger(u"NOMINAL", 1);
    usd.setFloat(u"KURS", kurs);
    usd.setInteger(u"UPD", 0);
    usd.post();
}

int dollarCount(const QString& path) {
    Database db;
    db.open(path);
    Statement st(db, QStringLiteral("SELECT count(*) FROM USD"));
    return st.step() ? sqlite3_column_int(st.handle(), 0) : -1;
}
} // namespace

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void newDatabaseUsesRollbackJournal();
    void opensAnyJournalMode_data();
    void opensAnyJournalMode();
    void opensDumpRestore();
    void refusesFilesThatAreNoTarvelDatabase_data();
    void refusesFilesThatAreNoTarvelDatabase();
    void engineFailuresSpeakRussian();
    void transactionKeepsOnlyWhatIsCommitted();
    void innerTransactionUndoesOnlyItsOwn();
    void failedCommitIsUndoneByTheScope();
};

void TestDatabase::newDatabaseUsesRollbackJournal() {
    TestDb t;
    QCOMPARE(journalMode(t.db()), QStringLiteral("delete"));
    Statement sync(t.db(), QStringLiteral("PRAGMA synchronous"));
    QVERIFY(sync.step());
    QCOMPARE(sqlite3_column_int(sync.handle(), 0), 2); // FULL

    // A copy of the one file taken between two commands holds everything written.
    addDollar(t.db(), QDate(2025, 11, 7), 81.3765);
    QVERIFY(!QFile::exists(t.path() + "-wal"));
    QVERIFY(!QFile::exists(t.path() + "-journal"));
    const QString copy = t.dir() + "/copy.db";
    QVERIFY(QFile::copy(t.path(), copy));
    QCOMPARE(dollarCount(copy), 1);
}

void TestDatabase::opensAnyJournalMode_data() {
    QTest::addColumn<QByteArray>("mode");
    // The two modes a file keeps: the rollback journal (after a repair, VACUUM INTO, a restore) and the WAL of
    // databases made by earlier versions.
    for (const char* mode : {"delete", "wal"})
        QTest::newRow(mode) << QByteArray(mode);
}

void TestDatabase::opensAnyJournalMode() {
    QFETCH(QByteArray, mode);
    QTemporaryDir dir;
    const QString path = dir.filePath("main.db");
    Database::create(path);
    setJournalMode(path, mode);
    {
        Database db;
        db.open(path);
        QCOMPARE(journalMode(db), QString::fromLatin1(mode));
        addDollar(db, QDate(2025, 11, 7), 81.3765);
    }
    QCOMPARE(dollarCount(path), 1);
}

void TestDatabase::opensDumpRestore() {
    // sqlite3 main.db .dump | sqlite3 restored.db: the restored file comes in rollback-journal mode.
    TestDb t;
    addDollar(t.db(), QDate(2025, 11, 7), 81.3765);
    t.db().close();
    QProcess dump;
    dump.start(QStringLiteral("sqlite3"), {t.path(), QStringLiteral(".dump")});
    if (!dump.waitForStarted())
        QSKIP("the sqlite3 shell is not installed");
    QVERIFY(dump.waitForFinished());
    const QByteArray sql = dump.readAllStandardOutput();
    QVERIFY(sql.contains("INSERT INTO USD"));
    const QString restored = t.dir() + "/restored.db";
    sqlite3* raw = nullptr;
    QCOMPARE(sqlite3_open_v2(restored.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
             SQLITE_OK);
    QCOMPARE(sqlite3_exec(raw, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close_v2(raw);

    Database db;
    db.open(restored);
    addDollar(db, QDate(2025, 11, 8), 81.5);
    db.close();
    QCOMPARE(dollarCount(restored), 2);
}

void TestDatabase::refusesFilesThatAreNoTarvelDatabase_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0 bytes") << QByteArray() << "пуст и не является базой данных Tarvel; он не изменён.";
    QTest::newRow("text") << QByteArray(4096, 'x')
                          << "не является базой данных Tarvel; он не изменён. (file is not a "
                             "database)";
}

void TestDatabase::refusesFilesThatAreNoTarvelDatabase() {
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath("main.db");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    Database db;
    try {
        db.open(path);
        QFAIL("opened");
    } catch (const AppError& e) {
        QVERIFY2(e.text().startsWith(QStringLiteral("Файл «%1»").arg(QDir::toNativeSeparators(path))),
                 qPrintable(e.text()));
        QVERIFY2(e.text().endsWith(expected), qPrintable(e.text()));
    }
    QVERIFY(!db.isOpen());
    QCOMPARE(QFileInfo(path).size(), content.size());
}

void TestDatabase::engineFailuresSpeakRussian() {
    TestDb t;
    t.db().exec("DROP TABLE USD");
    Clock clock;
    TableObject usd(t.db(), Layout::Currency, QStringLiteral("USD"), RegionalSettings::russian(), clock);
    try {
        usd.open();
        QFAIL("opened");
    } catch (const AppError& e) {
        QCOMPARE(e.text(),
                 QStringLiteral("Таблица «USD» не открывается: в базе данных нет нужной таблицы; в базе данных "
                                "ничего не изменено. (no such table: USD)"));
    }
    // A write that another program keeps out.
    TableObject eur(t.db(), Layout::Currency, QStringLiteral("EUR"), RegionalSettings::russian(), clock);
    eur.open();
    Database other;
    other.open(t.path());
    other.exec("BEGIN IMMEDIATE");
    eur.append();
    eur.setDate(u"CURDATE", QDate(2023, 10, 28));
    eur.setFloat(u"KURS", 98.3504);
    try {
        eur.post();
        QFAIL("stored");
    } catch (const AppError& e) {
        QCOMPARE(e.text(),
                 QStringLiteral("Запись на 28.10.2023 не сохранена в таблице «EUR»: база данных занята другой "
                                "программой; эта запись не записана. (database is locked)"));
    }
    other.exec("ROLLBACK");
    QCOMPARE(eur.recordCount(), 0);
}

void TestDatabase::transactionKeepsOnlyWhatIsCommitted() {
    TestDb t;
    {
        Database::Transaction transaction(t.db());
        QVERIFY(t.db().inTransaction());
        addDollar(t.db(), QDate(2024, 12, 28), 101.6797);
        // Another connection sees nothing before the commit.
        QCOMPARE(dollarCount(t.path()), 0);
        transaction.commit();
        QVERIFY(!t.db().inTransaction());
    }
    QCOMPARE(dollarCount(t.path()), 1);
    try {
        Database::Transaction transaction(t.db());
        addDollar(t.db(), QDate(2024, 12, 29), 101.6797);
        throw AppError(QStringLiteral("отказ"));
    } catch (const AppError&) {
    }
    QVERIFY(!t.db().inTransaction());
    QCOMPARE(dollarCount(t.path()), 1);
}

void TestDatabase::innerTransactionUndoesOnlyItsOwn() {
    TestDb t;
    {
        Database::Transaction outer(t.db());
        addDollar(t.db(), QDate(2024, 12, 1), 100.0);
        {
            Database::Transaction inner(t.db());
            addDollar(t.db(), QDate(2024, 12, 2), 100.0);
        }
        {
            Database::Transaction inner(t.db());
            addDollar(t.db(), QDate(2024, 12, 3), 100.0);
            inner.commit();
            // Kept for the outer commit, not yet in the file.
            QVERIFY(t.db().inTransaction());
            QCOMPARE(dollarCount(t.path()), 0);
        }
        outer.commit();
    }
    QCOMPARE(dollarCount(t.path()), 2);
    {
        Database::Transaction outer(t.db());
        {
            Database::Transaction inner(t.db());
            addDollar(t.db(), QDate(2024, 12, 4), 100.0);
            inner.commit();
        }
    }
    QVERIFY(!t.db().inTransaction());
    QCOMPARE(dollarCount(t.path()), 2);
}

void TestDatabase::failedCommitIsUndoneByTheScope() {
    TestDb t;
    // A deferred foreign key makes the engine refuse the COMMIT and keep the transaction open.
    t.db().exec("PRAGMA foreign_keys=ON");
    t.db().exec("CREATE TABLE parent(id INTEGER PRIMARY KEY);"
                "CREATE TABLE child(p INTEGER REFERENCES parent(id) DEFERRABLE INITIALLY DEFERRED)");
    const auto children = [&] {
        Statement st(t.db(), QStringLiteral("SELECT count(*) FROM child"));
        return st.step() ? sqlite3_column_int(st.handle(), 0) : -1;
    };
    {
        Database::Transaction transaction(t.db());
        addDollar(t.db(), QDate(2024, 12, 1), 100.0);
        t.db().exec("INSERT INTO child VALUES (7)");
        QVERIFY_THROWS_EXCEPTION(DatabaseError, transaction.commit());
        // Still counted: the transaction is open until the scope undoes it.
        QVERIFY(t.db().inTransaction());
        QCOMPARE(children(), 1);
    }
    QVERIFY(!t.db().inTransaction());
    QCOMPARE(children(), 0);
    QCOMPARE(dollarCount(t.path()), 0);
    // The connection takes the next transaction as usual.
    {
        Database::Transaction transaction(t.db());
        t.db().exec("INSERT INTO parent VALUES (7); INSERT INTO child VALUES (7)");
        transaction.commit();
    }
    QCOMPARE(children(), 1);
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
