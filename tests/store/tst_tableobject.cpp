#include "TestDb.h"
#include "common/AppError.h"
#include "store/IndicatorStore.h"
#include "store/TableObject.h"

#include <QtTest>

class TestTableObject : public QObject {
    Q_OBJECT
private slots:
    void emptyTable();
    void newestFirstAndCursor();
    void namesWithoutRegardToCase();
    void unknownTableRefused();
    void twoOtherCurrencyTables();
    void downloadStyleRecord();
    void uniqueDateRefused();
    void editKeepsOrderAndFile();
    void textConversions();
    void countByDate();
    void removeRecord();
    void missingDatabase();
    void notADatabase();
    void missingColumn();

private:
    RegionalSettings m_ru = RegionalSettings::russian();
    Clock m_clock;
};

void TestTableObject::emptyTable() {
    TestDb t;
    TableObject usd(t.db(), Layout::Currency, QStringLiteral("USD"), m_ru, m_clock);
    usd.open();
    QCOMPARE(usd.recordCount(), 0);
    QCOMPARE(usd.displayText(u"CURDATE"), QString());
    usd.first();
    QVERIFY(usd.eof());
    usd.last();
    QVERIFY(usd.eof());
    usd.next();
    QVERIFY(usd.eof());
    QCOMPARE(usd.currentRow(), -1);
    QCOMPARE(usd.asFixed4(u"KURS").count(), 0);
    QCOMPARE(usd.findDate(QDate(2009, 1, 1)), -1);
}

void TestTableObject::newestFirstAndCursor() {
    TestDb t;
    t.add(QStringLiteral("USD"), QDate(2009, 1, 10), 1, 29.3804, 1, QDate(2009, 1, 12));
    t.add(QStringLiteral("USD"), QDate(2009, 1, 14), 1, 29.9, 2);
    t.add(QStringLiteral("USD"), QDate(2009, 1, 13), 1, 29.5, 3);
    TableObject usd(t.db(), Layout::Currency, QStringLiteral("USD"), m_ru, m_clock);
    usd.open();
    QCOMPARE(usd.recordCount(), 3);
    // Right after opening the cursor stands on the newest record.
    QCOMPARE(usd.displayText(u"CURDATE"), QStringLiteral("14.01.2009"));
    QStringList walk;
    for (usd.first(); !usd.eof(); usd.next())
        walk << usd.displayText(u"CurDate");
    QCOMPARE(walk, (QStringList{"14.01.2009", "13.01.2009", "10.01.2009"}));
    usd.last();
    QCOMPARE(usd.displayText(u"curdate"), QStringLiteral("10.01.2009"));
    QCOMPARE(usd.displayText(u"KURS"), QStringLiteral("29,3804"));
    QCOMPARE(usd.displayText(u"DT"), QStringLiteral("12.01.2009"));
    QCOMPARE(usd.asInteger(u"UPD"), 1);
    QCOMPARE(usd.findDate(QDate(2009, 1, 13)), 1);
}

void TestTableObject::namesWithoutRegardToCase() {
    TestDb t;
    t.add(QStringLiteral("MROT"), QDate(2006, 5, 1), 100.0, 1100.0, 1);
    TableObject stavka(t.db(), Layout::Wage, QStringLiteral("mrot"), m_ru, m_clock);
    stavka.open();
    QCOMPARE(stavka.recordCount(), 1);
    QCOMPARE(stavka.tableName(), QStringLiteral("mrot"));
    QCOMPARE(stavka.displayText(u"razmer2"), QStringLiteral("1100"));
    QCOMPARE(stavka.displayText(u"Razmer"), QStringLiteral("100"));
    stavka.pointAt(QStringLiteral("REFIN"));
    QCOMPARE(stavka.recordCount(), 0);
}

void TestTableObject::unknownTableRefused() {
    TestDb t;
    TableObject kurs(t.db(), Layout::Currency, QStringLiteral("USD"), m_ru, m_clock);
    // Nothing from outside reaches the statement text: an unknown name or another layout's table is refused.
    for (const QString& bad : {QStringLiteral("USD\"; DROP TABLE USD; --"), QStringLiteral("MROT"),
                               QStringLiteral("XYZ")}) {
        try {
            kurs.setTableName(bad);
            QFAIL("accepted");
        } catch (const AppError& e) {
            QVERIFY(e.text().contains(bad));
        }
    }
    QCOMPARE(kurs.tableName(), QStringLiteral("USD"));
    QCOMPARE(t.count(QStringLiteral("USD")), 0);
}

void TestTableObject::twoOtherCurrencyTables() {
    TestDb t;
    t.add(QStringLiteral("DEM"), QDate(1998, 1, 6), 1, 3.3, 0);
    t.add(QStringLiteral("AUD"), QDate(2009, 1, 10), 1, 19.5, 3);
    t.add(QStringLiteral("AUD"), QDate(2009, 1, 11), 1, 19.6, 3);
    IndicatorStore store(t.db(), m_ru, m_clock);
    store.tKurs.pointAt(QStringLiteral("DEM"));
    store.makeActive(store.tKurs);
    QCOMPARE(store.active().recordCount(), 1);
    QCOMPARE(store.active().displayText(u"KURS"), QStringLiteral("3,3"));
    store.tKurs.pointAt(QStringLiteral("AUD"));
    store.makeActive(store.tKurs);
    QCOMPARE(store.active().recordCount(), 2);
    QCOMPARE(store.active().displayText(u"CURDATE"), QStringLiteral("11.01.2009"));
    QCOMPARE(&store.active(), &store.tKurs);
    store.makeActive(store.tStavka);
    QVERIFY(!store.tKurs.isOpen());
    QVERIFY(store.tStavka.isOpen());
}

void TestTableObject::downloadStyleRecord() {
    TestDb t;
    TableObject usd(t.db(), Layout::Currency, QStringLiteral("USD"), m_ru, m_clock);
    usd.open();
    usd.append();
    usd.setText(u"CURDATE", QStringLiteral("02.03.2001"));
    usd.setText(u"NOMINAL", QStringLiteral("1"));
    usd.setText(u"KURS", QStringLiteral("28,6200"));
    usd.setInteger(u"UPD", 3);
    usd.post();
    QCOMPARE(usd.displayText(u"DT"), QString());
    QVERIFY(usd.isNull(u"DT"));
    TableObject again(t.db(), Layout::Currency, QStringLiteral("usd"), m_ru, m_clock);
    again.open();
    QCOMPARE(again.recordCount(), 1);
    QCOMPARE(again.asInteger(u"UPD"), 3);
    QCOMPARE(again.displayText(u"DT"), QString());
    QCOMPARE(again.asFixed4(u"KURS").count(), 286200);
    QCOMPARE(again.asDate(u"CURDATE"), QDate(2001, 3, 2));
}

void TestTableObject::uniqueDateRefused() {
    TestDb t;
    t.add(QStringLiteral("USD"), QDate(2009, 7, 1), 1, 31.1, 1);
    TableObject usd(t.db(), Layout::Currency, QStringLiteral("USD"), m_ru, m_clock);
    usd.open();
    usd.insert();
    usd.setDate(u"CURDATE", QDate(2009, 7, 1));
    usd.setFloat(u"KURS", 31.0908);
    try {
        usd.post();
        QFAIL("second record of a date stored");
    } catch (const AppError& e) {
        QVERIFY2(e.text().contains(QStringLiteral("01.07.2009")), qPrintable(e.text()));
    }
    QVERIFY(!usd.hasPending());
    QCOMPARE(usd.recordCount(), 1);
    QCOMPARE(t.count(QStringLiteral("USD")), 1);

    // The file itself refuses it too, whoever writes.
    bool refused = false;
    try {
        t.add(QStringLiteral("USD"), QDate(2009, 7, 1), 1, 31.0908, 2);
    } catch (const AppError&) {
        refused = true;
    }
    QVERIFY(refused);

    // Editing a record onto another record's date is refused as well.
    t.add(QStringLiteral("USD"), QDate(2009, 7, 2), 1, 31.2, 1);
    usd.close();
    usd.open();
    usd.first();
    usd.edit();
    usd.setDate(u"CURDATE", QDate(2009, 7, 1));
    QVERIFY_THROWS_EXCEPTION(AppError, usd.post());
    QCOMPARE(t.count(QStringLiteral("USD")), 2);
}

void TestTableObject::editKeepsOrderAndFile() {
    TestDb t;
    t.add(QStringLiteral("refin"), QDate(2011, 6, 1), 8.25, {}, 1);
    t.add(QStringLiteral("refin"), QDate(2011, 5, 3), 8.0, {}, 1);
    TableObject refin(t.db(), Layout::Wage, QStringLiteral("refin"), m_ru, m_clock);
    refin.open();
    refin.last();
    refin.edit();
    refin.setDate(u"CURDATE", QDate(2012, 1, 1)); // moves to the top
    refin.setText(u"RAZMER", QStringLiteral("8,5"));
    refin.post();
    QCOMPARE(refin.currentRow(), 0);
    QCOMPARE(refin.displayText(u"RAZMER"), QStringLiteral("8,5"));
    TableObject again(t.db(), Layout::Wage, QStringLiteral("refin"), m_ru, m_clock);
    again.open();
    QCOMPARE(again.displayText(u"CURDATE"), QStringLiteral("01.01.2012"));
    QCOMPARE(again.recordCount(), 2);
    // A pending change without any column set is dropped.
    again.edit();
    again.endPending();
    QVERIFY(!again.hasPending());
}

void TestTableObject::textConversions() {
    TestDb t;
    TableObject infl(t.db(), Layout::Inflation, QStringLiteral("infl"), m_ru, m_clock);
    infl.open();
    infl.insert();
    QVERIFY_THROWS_EXCEPTION(AppError, infl.setText(u"CURDATE", QStringLiteral("31.02.2002")));
    QVERIFY_THROWS_EXCEPTION(AppError, infl.setText(u"INDINFL", QStringLiteral("1.5")));
    QVERIFY_THROWS_EXCEPTION(AppError, infl.setText(u"KVART", QStringLiteral("I квартал 2002 г. и ещё")));
    QVERIFY_THROWS_EXCEPTION(AppError, infl.setText(u"NOMINAL", QStringLiteral("1")));
    infl.setText(u"CURDATE", QStringLiteral("01.01.02"));
    infl.setText(u"KVART", QStringLiteral("I квартал 2002 г."));
    infl.setText(u"INDINFL", QStringLiteral("103,6"));
    infl.post();
    QCOMPARE(infl.displayText(u"CURDATE"), QStringLiteral("01.01.2002"));
    QCOMPARE(infl.displayText(u"KVART"), QStringLiteral("I квартал 2002 г."));
}

void TestTableObject::countByDate() {
    TestDb t;
    t.add(QStringLiteral("EUR"), QDate(2009, 1, 10), 1, 41.4217, 1);
    TableObject eur(t.db(), Layout::Currency, QStringLiteral("eur"), m_ru, m_clock);
    eur.open();
    QCOMPARE(eur.countByDate(QDate(2009, 1, 10)), 1);
    QCOMPARE(eur.countByDate(QDate(2009, 1, 11)), 0);
    eur.append();
    eur.setDate(u"CURDATE", QDate(2009, 1, 11));
    eur.post();
    QCOMPARE(eur.countByDate(QDate(2009, 1, 11)), 1);
}

void TestTableObject::removeRecord() {
    TestDb t;
    t.add(QStringLiteral("USD"), QDate(2009, 1, 10), 1, 29.38, 1);
    t.add(QStringLiteral("USD"), QDate(2009, 1, 11), 1, 29.5, 1);
    TableObject usd(t.db(), Layout::Currency, QStringLiteral("USD"), m_ru, m_clock);
    usd.open();
    usd.remove();
    QCOMPARE(usd.recordCount(), 1);
    QCOMPARE(usd.displayText(u"CURDATE"), QStringLiteral("10.01.2009"));
    usd.remove();
    QCOMPARE(usd.recordCount(), 0);
    QVERIFY(usd.eof());
    usd.remove(); // nothing to delete: nothing happens
    QCOMPARE(t.count(QStringLiteral("USD")), 0);
}

void TestTableObject::missingDatabase() {
    QTemporaryDir dir;
    Database db;
    const QString path = dir.filePath(QStringLiteral("data/main.db"));
    try {
        db.open(path);
        QFAIL("opened a missing database");
    } catch (const AppError& e) {
        QVERIFY(e.text().contains(path));
    }
    QVERIFY(!QFile::exists(path)); // never created
}

void TestTableObject::notADatabase() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("main.db"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    Database db;
    QVERIFY_THROWS_EXCEPTION(AppError, db.open(path));
}

void TestTableObject::missingColumn() {
    TestDb t;
    t.db().exec("DROP TABLE USD; CREATE TABLE USD (CURDATE TEXT, NOMINAL INTEGER, KURS REAL, UPD INTEGER)");
    TableObject usd(t.db(), Layout::Currency, QStringLiteral("USD"), m_ru, m_clock);
    try {
        usd.open();
        QFAIL("opened a table without its column");
    } catch (const AppError& e) {
        QVERIFY2(e.text().contains(QStringLiteral("DT")), qPrintable(e.text()));
    }
    QVERIFY(!usd.isOpen());
}

QTEST_GUILESS_MAIN(TestTableObject)
#include "tst_tableobject.moc"
