#include "import/SeriesImport.h"
#include "store/Series.h"
#include "store/TableCatalog.h"

#include <QSet>
#include <QtTest>

// The series table against the catalogue and the import table: a row that names a table, a layout, a code or a
// file source that the rest of the core does not have would fail only when a user picks that series.
class TestSeries : public QObject {
    Q_OBJECT
private slots:
    void everySeriesOnce();
    void tablesAndLayoutsFromTheCatalogue();
    void codesAndExpressFitTheLayout();
    void fileModesMatchTheImportTable();
};

void TestSeries::everySeriesOnce() {
    const auto all = SeriesTable::all();
    QSet<QString> keys;
    for (int i = 0; i < int(all.size()); ++i) {
        const SeriesInfo& s = all[size_t(i)];
        QCOMPARE(int(s.series), i); // of() indexes by the enum
        QCOMPARE(&SeriesTable::of(s.series), &s);
        QVERIFY2(!keys.contains(QLatin1String(s.key)), s.key);
        keys.insert(QLatin1String(s.key));
        QCOMPARE(SeriesTable::byKey(QString::fromLatin1(s.key)), std::optional<Series>(s.series));
        QVERIFY(s.entry && *s.entry);
    }
    QCOMPARE(int(all.size()), int(Series::Price) + 1);
    QVERIFY(!SeriesTable::byKey(u"USD")); // the names are tarvel-cli's, in lower case
}

void TestSeries::tablesAndLayoutsFromTheCatalogue() {
    for (const SeriesInfo& s : SeriesTable::all()) {
        if (!s.table) {
            // The other currencies: every row of the currency list is a table of the series' layout.
            QCOMPARE(s.series, Series::OtherCurrency);
            for (int row = 0; row < int(Catalog::otherCurrencies().size()); ++row) {
                const auto table = Catalog::findTable(SeriesTable::tableOf(s.series, row));
                QVERIFY(table);
                QCOMPARE(table->layout, s.layout);
            }
            QVERIFY(SeriesTable::tableOf(s.series, -1).isEmpty());
            continue;
        }
        const auto table = Catalog::findTable(QString::fromLatin1(s.table));
        QVERIFY2(table, s.table);
        QCOMPARE(table->layout, s.layout);
    }
}

void TestSeries::codesAndExpressFitTheLayout() {
    for (const SeriesInfo& s : SeriesTable::all()) {
        const bool currency = s.layout == Layout::Currency;
        QVERIFY2(!s.serviceCode || currency, s.key);
        QVERIFY2(!s.internet || currency, s.key);                // the service has currency rates only
        QVERIFY2(!currency || s.serviceCode || !s.table, s.key); // a currency without a code cannot be downloaded
        const ExpressKind expected = currency                   ? ExpressKind::Currency
                                     : s.layout == Layout::Wage ? ExpressKind::Multiple
                                                                : ExpressKind::None;
        QCOMPARE(s.express, expected);
    }
}

void TestSeries::fileModesMatchTheImportTable() {
    for (const SeriesInfo& s : SeriesTable::all()) {
        const SeriesImport* import = SeriesImports::of(s.series);
        QCOMPARE(import != nullptr, s.consultant || s.garant);
        if (!import)
            continue;
        QVERIFY(s.consultant && s.garant); // an import reads both systems' exports
        for (const SeriesImportSource& source : {import->consultant, import->garant})
            QVERIFY(source.signature && *source.signature && source.parser);
        // The table the import reopens is the series' own.
        const auto reopened = Catalog::findTable(QString::fromLatin1(import->reopenName));
        QVERIFY(reopened);
        QCOMPARE(reopened->name.compare(QLatin1String(s.table), Qt::CaseInsensitive), 0);
    }
}

QTEST_GUILESS_MAIN(TestSeries)
#include "tst_series.moc"
