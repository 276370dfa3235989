#include "ScriptedPrompts.h"
#include "TestDb.h"
#include "common/Settings.h"
#include "ui/IndicatorGrid.h"
#include "ui/TfrmBase.h"

#include <QtTest>

class TestTfrmBase : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsDollarSeriesNewestFirst();
    void layoutWithoutBanner();
    void firstStartWritesDefaults();

private:
    std::unique_ptr<TfrmBase> makeWindow();
    std::unique_ptr<TestDb> m_db;
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<Settings> m_settings;
    ScriptedPrompts m_prompts;
    Clock m_clock;
};

void TestTfrmBase::init() {
    m_db = std::make_unique<TestDb>();
    m_config = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<Settings>(m_config->filePath("Vendrick.ini"));
    m_clock.setToday(testToday());
    m_prompts.clear();
}

void TestTfrmBase::cleanup() {
    m_settings.reset();
    m_db.reset();
}

std::unique_ptr<TfrmBase> TestTfrmBase::makeWindow() {
    return std::make_unique<TfrmBase>(m_db->db(), *m_settings, m_prompts, m_clock, RegionalSettings::russian(),
                                      QStringList{});
}

void TestTfrmBase::showsDollarSeriesNewestFirst() {
    m_db->add("USD", QDate(2009, 1, 10), 1, 29.3804, 1);
    m_db->add("USD", QDate(2009, 1, 14), 1, 29.9, 2);
    m_db->add("EUR", QDate(2009, 1, 15), 1, 41.0, 2);
    auto w = makeWindow();
    QCOMPARE(w->windowTitle(), QStringLiteral("Tarvel"));
    QCOMPARE(w->size(), QSize(651, 536));
    QVERIFY(w->bannerShown());
    QCOMPARE(&w->activeTable(), &w->store().tKurs);
    QCOMPARE(w->activeTable().tableName(), QStringLiteral("USD"));

    auto* grid = w->findChild<IndicatorGrid*>("grKurs");
    QVERIFY(grid);
    QCOMPARE(grid->geometry(), QRect(193, 148, 221, 298));
    QCOMPARE(grid->model()->rowCount(), 2);
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Дата"));
    QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Курс"));
    QCOMPARE(grid->columnWidth(1), 75);
    QCOMPARE(grid->model()->index(0, 0).data().toString(), QStringLiteral("14.01.2009"));
    QCOMPARE(grid->model()->index(1, 1).data().toString(), QStringLiteral("29,3804"));
    QVERIFY(!(grid->model()->flags(grid->model()->index(0, 0)) & Qt::ItemIsEditable));

    // The grid and the table's cursor follow each other.
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTRY_COMPARE(grid->currentIndex().row(), 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(1, 0)).center());
    QCOMPARE(w->activeTable().currentRow(), 1);
    w->activeTable().first();
    QTRY_COMPARE(grid->currentIndex().row(), 0);
}

void TestTfrmBase::layoutWithoutBanner() {
    m_settings->writeFirstStartDefaults();
    m_settings->setText("Advertising", "1");
    auto w = makeWindow();
    QVERIFY(!w->bannerShown());
    QCOMPARE(w->size(), QSize(651, 536 - 98));
    auto* grid = w->findChild<IndicatorGrid*>("grKurs");
    QCOMPARE(grid->geometry(), QRect(193, 148 - 98, 221, 298));
    QVERIFY(!w->findChild<QWidget*>("Image1")->isVisibleTo(w.get()));
}

void TestTfrmBase::firstStartWritesDefaults() {
    QVERIFY(!m_settings->keyExists());
    auto w = makeWindow();
    QVERIFY(m_settings->keyExists());
    QCOMPARE(m_settings->skin(), QStringLiteral("No skin"));
    QCOMPARE(m_settings->number("ProxyPort"), 80);
    QVERIFY(w->bannerShown());
}

QTEST_MAIN(TestTfrmBase)
#include "tst_tfrmbase.moc"
