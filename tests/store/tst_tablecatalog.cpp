#include "store/TableCatalog.h"

#include <QtTest>

class TestTableCatalog : public QObject {
    Q_OBJECT
private slots:
    void columnIndex_data();
    void columnIndex();
};

void TestTableCatalog::columnIndex_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    const int wage = int(Layout::Wage), currency = int(Layout::Currency);
    QTest::newRow("as spelt") << wage << "RAZMER" << 1;
    QTest::newRow("lower case") << wage << "razmer" << 1;
    QTest::newRow("mixed case, longer name") << wage << "Razmer2" << 2;
    QTest::newRow("last column") << wage << "dt" << 4;
    QTest::newRow("a prefix") << wage << "RAZME" << -1;
    QTest::newRow("longer") << wage << "RAZMER22" << -1;
    QTest::newRow("empty") << wage << "" << -1;
    QTest::newRow("another layout's column") << wage << "KURS" << -1;
    QTest::newRow("Cyrillic letter") << currency << QStringLiteral("KURЅ") << -1;
    QTest::newRow("full-width letters") << wage << QStringLiteral("ＤＴ") << -1;
    // Unicode case folding makes the long s an s, as Qt compares.
    QTest::newRow("long s") << currency << QStringLiteral("kurſ") << 2;
}

void TestTableCatalog::columnIndex() {
    QFETCH(int, layout);
    QFETCH(QString, name);
    QFETCH(int, index);
    QCOMPARE(Catalog::columnIndex(Layout(layout), name), index);
}

QTEST_GUILESS_MAIN(TestTableCatalog)
#include "tst_tablecatalog.moc"
