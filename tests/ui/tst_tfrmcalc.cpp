#include "CliRun.h"
#include "ScriptedPrompts.h"
#include "TestDb.h"
#include "common/Settings.h"
#include "ui/CalcChartPage.h"
#include "ui/CalcConversionPage.h"
#include "ui/CalcInflationPage.h"
#include "ui/CalcInterestPage.h"
#include "ui/CalcResultView.h"
#include "ui/CalcReport.h"
#include "ui/MainMenu.h"
#include "ui/SeriesChart.h"
#include "ui/TfrmBase.h"
#include "ui/TfrmCalc.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QMimeData>
#include <QDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The calculations window on a fresh database per case.
class TestTfrmCalc : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void openedFromMenuAndExpressCaption();
    void interestEqualsCli_data();
    void interestEqualsCli();
    void interestInputFaults_data();
    void interestInputFaults();
    void paymentEditedInPlace();
    void conversionEqualsCli_data();
    void conversionEqualsCli();
    void inflationEqualsCli();
    void dateEditRefusesImpossibleDate_data();
    void dateEditRefusesImpossibleDate();
    void chartOfCurrencyPerUnit();
    void chartOfRateAsSteps();
    void clipboardHoldsTableAndText();
    void csvSavedAndReadBack();
    void htmlSaved();
    void pdfWrittenWithItsText();
    void printPreviewShowsThePages();
    void nothingToExportIsSaid();
    void sizeAndInputsRemembered();
    void interestInputsRemembered();

private:
    std::unique_ptr<TfrmCalc> makeWindow();
    void fillInterest(TfrmCalc& w, const QString& principal, QDate from, QDate to, const QStringList& payments,
                      const QString& basis);
    void buildChart(TfrmCalc& w, const QString& table, QDate from, QDate to);

    std::unique_ptr<TestDb> m_db;
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<Settings> m_settings;
    ScriptedPrompts m_prompts;
    Clock m_clock;
};

void TestTfrmCalc::init() {
    m_db = std::make_unique<TestDb>();
    m_config = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<Settings>(m_config->filePath("Vendrick.ini"));
    m_prompts = ScriptedPrompts();
    m_clock.setToday(testToday());
    // JPY per 100, a rate change, and a last record before the asked range.
    m_db->add("JPY", QDate(2024, 12, 26), 100, 65.1234);
    m_db->add("JPY", QDate(2024, 12, 27), 100, 66.0);
    m_db->add("JPY", QDate(2024, 12, 28), 100, 64.5);
    // The key rate of 2024, and two older rates for a period before 01.08.2016.
    m_db->add("refin", QDate(2015, 8, 3), 11.0, {});
    m_db->add("refin", QDate(2016, 6, 14), 10.5, {});
    m_db->add("refin", QDate(2023, 12, 18), 16.0, {});
    m_db->add("refin", QDate(2024, 7, 29), 18.0, {});
    m_db->add("refin", QDate(2024, 9, 16), 19.0, {});
    m_db->add("refin", QDate(2024, 10, 28), 21.0, {});
    m_db->add("USD", QDate(2024, 12, 28), 1, 101.6797);
    m_db->add("USD", QDate(2024, 12, 29), 1, 101.6797);
    m_db->add("USD", QDate(2024, 12, 27), 1, 100.5);
    m_db->add("price", QDate(2024, 1, 1), "Январь 2024", 100.86);
    m_db->add("price", QDate(2024, 2, 1), "Февраль 2024", 100.68);
    m_db->add("price", QDate(2024, 3, 1), "Март 2024", 100.39);
}

// Text with the digit groups' no-break spaces as plain ones.
static QString plain(QString text) {
    return text.replace(QChar(0x00A0), QLatin1Char(' '));
}

static QStringList cliLines(const CliRun& run) {
    return run.out.split('\n', Qt::SkipEmptyParts);
}

static QStringList reportLines(const CalcReport& report) {
    QStringList lines;
    for (const QStringList& row : report.rows)
        lines << row.join(';');
    if (!report.total.isEmpty())
        lines << report.total.join(';');
    return lines;
}

void TestTfrmCalc::fillInterest(TfrmCalc& w, const QString& principal, QDate from, QDate to,
                                const QStringList& payments, const QString& basis) {
    w.showTab(TfrmCalc::kInterest);
    w.findChild<QLineEdit*>("edPrincipal")->setText(principal);
    w.findChild<QDateEdit*>("deInterestFrom")->setDate(from);
    w.findChild<QDateEdit*>("deInterestTo")->setDate(to);
    w.findChild<QComboBox*>("cbBasis")->setEditText(basis);
    for (const QString& p : payments)
        w.interestPage()->addPayment(QDate::fromString(p.section('=', 0, 0), "dd.MM.yyyy"), p.section('=', 1));
    QTest::mouseClick(w.findChild<QPushButton*>("btnInterestCalc"), Qt::LeftButton);
}

void TestTfrmCalc::cleanup() {
    m_settings.reset();
    m_config.reset();
    m_db.reset();
}

std::unique_ptr<TfrmCalc> TestTfrmCalc::makeWindow() {
    return std::make_unique<TfrmCalc>(m_db->db(), *m_settings, m_prompts, m_clock, RegionalSettings::russian());
}

void TestTfrmCalc::buildChart(TfrmCalc& w, const QString& table, QDate from, QDate to) {
    w.showTab(TfrmCalc::kChart);
    auto* series = w.findChild<QComboBox*>("cbChartSeries");
    const QList<CalcChartPage::Entry> entries = CalcChartPage::entries();
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].table == table) {
            series->setCurrentIndex(i);
            break;
        }
    }
    w.findChild<QDateEdit*>("deChartFrom")->setDate(from);
    w.findChild<QDateEdit*>("deChartTo")->setDate(to);
    QTest::mouseClick(w.findChild<QPushButton*>("btnChartBuild"), Qt::LeftButton);
}

void TestTfrmCalc::openedFromMenuAndExpressCaption() {
    Settings settings(m_config->filePath("main.ini"));
    TfrmBase main(m_db->db(), settings, m_prompts, m_clock, RegionalSettings::russian(), {});
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QVERIFY(!main.calculations());
    main.menu()->findChild<QAction*>("actCalcInflation")->trigger();
    QVERIFY(main.calculations());
    QVERIFY(main.calculations()->isVisible());
    QCOMPARE(main.calculations()->currentTab(), int(TfrmCalc::kInflation));
    main.menu()->findChild<QAction*>("actCalcChart")->trigger();
    QCOMPARE(main.calculations()->currentTab(), int(TfrmCalc::kChart));

    // A double click on the caption of the express box (the dollar is selected): the conversion; one inside
    // the box below the caption does nothing.
    main.calculations()->close();
    auto* express = main.findChild<QGroupBox*>("gb5");
    QTest::mouseDClick(express, Qt::LeftButton, {}, QPoint(express->width() / 2, express->height() - 4));
    QVERIFY(!main.calculations()->isVisible());
    QTest::mouseDClick(express, Qt::LeftButton, {}, QPoint(30, 3));
    QVERIFY(main.calculations()->isVisible());
    QCOMPARE(main.calculations()->currentTab(), int(TfrmCalc::kConversion));
    QCOMPARE(main.calculations()->findChild<QComboBox*>("cbCurrency")->currentData().toString(), QStringLiteral("USD"));
    // The euro selected: the conversion of the euro.
    main.selectEntry(TfrmBase::kEuro);
    QTest::mouseDClick(express, Qt::LeftButton, {}, QPoint(30, 3));
    QCOMPARE(main.calculations()->findChild<QComboBox*>("cbCurrency")->currentData().toString(), QStringLiteral("EUR"));
    // It closes with the main window, so that the program ends.
    main.close();
    QVERIFY(!main.calculations()->isVisible());
}

void TestTfrmCalc::interestEqualsCli_data() {
    QTest::addColumn<QString>("principal");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QStringList>("payments");
    QTest::addColumn<QString>("basis");     // as typed in the window
    QTest::addColumn<QString>("perDay");    // the CLI's --per-day, empty for the annual basis
    QTest::addColumn<QString>("sentence");  // empty: not checked
    QTest::newRow("a year, no payment") << "100000" << QDate(2024, 1, 1) << QDate(2024, 12, 31) << QStringList{}
                                        << "годовая (ст. 395 ГК РФ)" << ""
                                        << "Проценты за период с 01.01.2024 по 31.12.2024 на сумму долга 100 000,00 "
                                           "руб. составляют 17 500,01 руб.";
    QTest::newRow("two payments") << "100 000,00" << QDate(2024, 1, 1) << QDate(2024, 12, 31)
                                  << QStringList{"01.10.2024=30000", "15.03.2024=20000,50"}
                                  << "годовая (ст. 395 ГК РФ)" << "" << "";
    QTest::newRow("labour code, payment on the last day")
        << "54321,99" << QDate(2024, 7, 1) << QDate(2024, 11, 30) << QStringList{"30.11.2024=10000"}
        << "1/150 в день (ст. 236 ТК РФ)" << "1/150" << "";
    QTest::newRow("typed share, payment beyond the debt")
        << "1000" << QDate(2024, 9, 1) << QDate(2024, 10, 31) << QStringList{"10.09.2024=1500"} << "1/200" << "1/200"
        << "";
    QTest::newRow("before 01.08.2016: the warning") << "50000" << QDate(2016, 1, 1) << QDate(2016, 12, 31)
                                                    << QStringList{} << "годовая (ст. 395 ГК РФ)" << "" << "";
}

void TestTfrmCalc::interestEqualsCli() {
    QFETCH(QString, principal);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QStringList, payments);
    QFETCH(QString, basis);
    QFETCH(QString, perDay);
    QFETCH(QString, sentence);
    auto w = makeWindow();
    w->show();
    fillInterest(*w, principal, from, to, payments, basis);
    QVERIFY2(m_prompts.shown.isEmpty(), qPrintable(m_prompts.texts().join('\n')));

    QStringList args{"--db", m_db->path(), "interest", "--principal", QString(principal).remove(' '),
                     "--from", from.toString("dd.MM.yyyy"), "--to", to.toString("dd.MM.yyyy")};
    for (const QString& p : payments)
        args << "--payment" << p;
    if (!perDay.isEmpty())
        args << "--per-day" << perDay;
    const CliRun cli = runCli(args);
    QCOMPARE(cli.exitCode, 0);
    const CalcReport report = w->currentReport();
    QCOMPARE(reportLines(report), cliLines(cli));
    // The warnings and the payment reports are the ones the CLI writes to stderr.
    QCOMPARE(report.warnings, cli.err.split('\n', Qt::SkipEmptyParts));
    QLabel* warning = w->interestPage()->result()->warningLabel();
    QCOMPARE(warning->isVisible(), !report.warnings.isEmpty());

    // On screen: one line per period and the total, amounts grouped.
    auto* table = w->interestPage()->result()->table();
    QCOMPARE(table->rowCount(), int(report.rows.size()) + 1);
    QCOMPARE(table->item(table->rowCount() - 1, 0)->text(), QStringLiteral("Итого"));
    QCOMPARE(plain(table->item(table->rowCount() - 1, 6)->text()),
             plain(CalcExport::grouped(report.total[6], RegionalSettings::russian())));
    if (!sentence.isEmpty()) {
        QCOMPARE(plain(report.sentence), sentence);
        QCOMPARE(plain(w->interestPage()->result()->sentenceLabel()->text()), sentence);
    }
}

void TestTfrmCalc::interestInputFaults_data() {
    QTest::addColumn<QString>("principal");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QStringList>("payments");
    QTest::addColumn<QString>("basis");
    QTest::addColumn<QString>("message");
    QTest::newRow("three places")
        << "100,005" << QDate(2024, 1, 1) << QDate(2024, 1, 31) << QStringList{} << "1/300"
        << "Сумма долга: «100,005» — не сумма в рублях и копейках (не более двух знаков после запятой).";
    QTest::newRow("bad share") << "100" << QDate(2024, 1, 1) << QDate(2024, 1, 31) << QStringList{} << "1/0"
                               << "База расчёта: «1/0» — выберите годовую базу или впишите долю ставки в день в виде "
                                  "1/N, например 1/150.";
    QTest::newRow("bad payment") << "100" << QDate(2024, 1, 1) << QDate(2024, 1, 31)
                                 << QStringList{"10.01.2024=abc"} << "1/300"
                                 << "Платёж 1: «abc» — не сумма в рублях и копейках (не более двух знаков после "
                                    "запятой).";
}

void TestTfrmCalc::interestInputFaults() {
    QFETCH(QString, principal);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QStringList, payments);
    QFETCH(QString, basis);
    QFETCH(QString, message);
    auto w = makeWindow();
    w->show();
    fillInterest(*w, principal, from, to, payments, basis);
    QCOMPARE(m_prompts.texts(), QStringList{message});
    QVERIFY(w->currentReport().isEmpty());
    // The core's own checks come through as well: the first day after the last.
    m_prompts.clear();
    w->findChild<QComboBox*>("cbBasis")->setCurrentIndex(0);
    w->findChild<QLineEdit*>("edPrincipal")->setText("100");
    while (w->interestPage()->payments()->rowCount() > 0) {
        w->interestPage()->payments()->setCurrentCell(0, 0);
        w->interestPage()->removePayment();
    }
    w->findChild<QDateEdit*>("deInterestFrom")->setDate(QDate(2024, 2, 1));
    QTest::mouseClick(w->findChild<QPushButton*>("btnInterestCalc"), Qt::LeftButton);
    QCOMPARE(m_prompts.shown.size(), 1);
    QCOMPARE(m_prompts.shown[0].text,
             InterestRequestError({Money::fromKopecks(10000), QDate(2024, 2, 1), QDate(2024, 1, 31), {}, 0}));
}

void TestTfrmCalc::paymentEditedInPlace() {
    auto w = makeWindow();
    w->show();
    w->showTab(TfrmCalc::kInterest);
    QTest::mouseClick(w->findChild<QPushButton*>("btnAddPayment"), Qt::LeftButton);
    QTableWidget* payments = w->interestPage()->payments();
    QCOMPARE(payments->rowCount(), 1);
    // The date through its editor, the amount as typed.
    QModelIndex date = payments->model()->index(0, 0);
    payments->edit(date);
    auto* editor = payments->findChild<QDateEdit*>("dePaymentDate");
    QVERIFY(editor);
    QVERIFY(editor->calendarPopup());
    editor->setDate(QDate(2024, 5, 20));
    QTest::keyClick(editor, Qt::Key_Return); // commits the date, once the events are handled
    QTRY_VERIFY(!payments->findChild<QDateEdit*>("dePaymentDate"));
    payments->item(0, 1)->setText("2500,5");
    QCOMPARE(payments->item(0, 0)->data(Qt::EditRole).toDate(), QDate(2024, 5, 20));
    QCOMPARE(static_cast<QStyledItemDelegate*>(payments->itemDelegate())->displayText(QDate(2024, 5, 20), QLocale()),
             QStringLiteral("20.05.2024"));
    const InterestRequest r = (w->findChild<QLineEdit*>("edPrincipal")->setText("10000"), w->interestPage()->request());
    QCOMPARE(r.payments.size(), 1);
    QCOMPARE(r.payments[0].date, QDate(2024, 5, 20));
    QCOMPARE(r.payments[0].amount.kopecks(), 250050);
    payments->setCurrentCell(0, 0);
    QTest::mouseClick(w->findChild<QPushButton*>("btnDelPayment"), Qt::LeftButton);
    QCOMPARE(payments->rowCount(), 0);
}

void TestTfrmCalc::conversionEqualsCli_data() {
    QTest::addColumn<bool>("toRoubles");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("dollars to roubles")
        << true << "1000"
        << "1 000,00 USD по официальному курсу Банка России на 31.12.2024 (101,6797 руб. за 1 USD, курс установлен на "
           "29.12.2024) = 101 679,70 руб.";
    QTest::newRow("roubles to dollars")
        << false << "101679,70"
        << "101 679,70 руб. по официальному курсу Банка России на 31.12.2024 (101,6797 руб. за 1 USD, курс установлен "
           "на 29.12.2024) = 1 000,00 USD";
}

void TestTfrmCalc::conversionEqualsCli() {
    QFETCH(bool, toRoubles);
    QFETCH(QString, amount);
    QFETCH(QString, sentence);
    auto w = makeWindow();
    w->show();
    w->showTab(TfrmCalc::kConversion);
    auto* currency = w->findChild<QComboBox*>("cbCurrency");
    QCOMPARE(currency->count(), 28);
    w->conversionPage()->setCurrency("USD");
    w->findChild<QDateEdit*>("deConversionDate")->setDate(QDate(2024, 12, 31));
    w->findChild<QLineEdit*>("edAmount")->setText(amount);
    w->findChild<QRadioButton*>(toRoubles ? QString("rbToRoubles") : QString("rbFromRoubles"))->setChecked(true);
    QTest::mouseClick(w->findChild<QPushButton*>("btnConversionCalc"), Qt::LeftButton);
    QVERIFY2(m_prompts.shown.isEmpty(), qPrintable(m_prompts.texts().join('\n')));
    const CliRun cli = runCli({"--db", m_db->path(), "convert", "--series", "USD", "--on", "31.12.2024",
                               toRoubles ? QString("--amount") : QString("--roubles"), amount});
    QCOMPARE(cli.exitCode, 0);
    // The CLI echoes the amount as given; the window writes it with two places.
    QStringList expected = cliLines(cli).first().split(';');
    expected[toRoubles ? 0 : 4] = Money::parse(amount, ',')->toText(',');
    QCOMPARE(w->currentReport().rows, QList<QStringList>{expected});
    QCOMPARE(plain(w->currentReport().sentence), sentence);
}

void TestTfrmCalc::inflationEqualsCli() {
    auto w = makeWindow();
    w->show();
    w->showTab(TfrmCalc::kInflation);
    w->findChild<QDateEdit*>("deInflationFrom")->setDate(QDate(2024, 1, 1));
    w->findChild<QDateEdit*>("deInflationTo")->setDate(QDate(2024, 3, 1));
    w->findChild<QLineEdit*>("edInflationAmount")->setText("100000");
    QTest::mouseClick(w->findChild<QPushButton*>("btnInflationCalc"), Qt::LeftButton);
    QVERIFY2(m_prompts.shown.isEmpty(), qPrintable(m_prompts.texts().join('\n')));
    const CliRun cli = runCli({"--db", m_db->path(), "inflation", "--from", "01.2024", "--to", "03.2024"});
    QCOMPARE(cli.exitCode, 0);
    const QStringList line = cliLines(cli).first().split(';'); // FROM;TO;MONTHS;INDEX
    const CalcReport report = w->currentReport();
    QCOMPARE(report.rows.size(), 3);
    QCOMPARE(report.rows[0].mid(0, 2), (QStringList{"01.2024", "100,86"}));
    QCOMPARE(report.total, (QStringList{"Итого за " + line[2] + " мес.", "", line[3]}));
    QCOMPARE(report.rows.last()[2], line[3]);
    // 100,86 x 100,68 x 100,39 / 10 000 = 101,9418... -> 101,94 %; the sum indexed by the index shown.
    QCOMPARE(line[3], QStringLiteral("101,94"));
    QCOMPARE(plain(report.sentence),
             QStringLiteral("Индекс потребительских цен за период с 01.2024 по 03.2024 составляет 101,94 %. Сумма "
                            "100 000,00 руб. с учётом индексации составляет 101 940,00 руб."));
    QCOMPARE(CalcInflationPage::indexedAmount(Money::fromKopecks(1), 10150).kopecks(), 1); // 1,015 -> 1
    QCOMPARE(CalcInflationPage::indexedAmount(Money::fromKopecks(10), 10150).kopecks(), 10); // 10,15 -> 10
    QCOMPARE(CalcInflationPage::indexedAmount(Money::fromKopecks(100), 10150).kopecks(), 102); // 101,5 -> 102
}

void TestTfrmCalc::dateEditRefusesImpossibleDate_data() {
    QTest::addColumn<QByteArray>("edit");
    QTest::newRow("interest from") << QByteArray("deInterestFrom");
    QTest::newRow("interest to") << QByteArray("deInterestTo");
    QTest::newRow("conversion") << QByteArray("deConversionDate");
    QTest::newRow("chart from") << QByteArray("deChartFrom");
}

void TestTfrmCalc::dateEditRefusesImpossibleDate() {
    QFETCH(QByteArray, edit);
    auto w = makeWindow();
    w->show();
    auto* field = w->findChild<QDateEdit*>(QLatin1String(edit));
    QVERIFY(field);
    w->tabs()->setCurrentWidget(field->parentWidget());
    QVERIFY(field->calendarPopup());
    QCOMPARE(field->displayFormat(), QStringLiteral("dd.MM.yyyy"));
    field->setDate(QDate(2024, 1, 15));
    field->setFocus();
    field->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(field, "31022024");
    QTest::keyClick(field, Qt::Key_Enter);
    // Whatever the field keeps, it is a real day and not the 31st of February.
    QVERIFY(field->date().isValid());
    QVERIFY(field->text() != QStringLiteral("31.02.2024"));
    QVERIFY(!(field->date().day() == 31 && field->date().month() == 2));
}

void TestTfrmCalc::chartOfCurrencyPerUnit() {
    auto w = makeWindow();
    w->show();
    buildChart(*w, "JPY", QDate(2024, 12, 27), QDate(2024, 12, 31));
    SeriesChart* chart = w->chartPage()->chart();
    QCOMPARE(chart->points().size(), 3);
    // Per unit: the rate over the nominal of 100.
    QCOMPARE(chart->points()[0].value, 0.651234);
    QCOMPARE(chart->shownFrom(), QDate(2024, 12, 27));
    QCOMPARE(chart->shownTo(), QDate(2024, 12, 31));
    const CalcReport report = w->currentReport();
    // The records of the range only, values per unit with the decimal comma.
    QCOMPARE(report.rows, (QList<QStringList>{{"27.12.2024", "0,66"}, {"28.12.2024", "0,645"}}));
    QVERIFY(m_prompts.shown.isEmpty());

    // Before 01.01.1998 the rate was written in the roubles before the redenomination: divided by 1000 unless
    // asked otherwise, and the caption says which.
    m_db->add("USD", QDate(1997, 12, 31), 1, 5960.0);
    buildChart(*w, "USD", QDate(1997, 1, 1), QDate(2024, 12, 31));
    QCOMPARE(chart->points().first().value, 5.96);
    QVERIFY(chart->caption().endsWith("(до 1998 г. — в деноминированных рублях)"));
    w->findChild<QCheckBox*>("cbDenominate")->setChecked(false);
    QTest::mouseClick(w->findChild<QPushButton*>("btnChartBuild"), Qt::LeftButton);
    QCOMPARE(chart->points().first().value, 5960.0);
    QCOMPARE(chart->points().last().value, 101.6797);
    QVERIFY(chart->caption().endsWith("(до 1998 г. — в рублях до деноминации)"));
}

void TestTfrmCalc::chartOfRateAsSteps() {
    auto w = makeWindow();
    w->resize(900, 600);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    buildChart(*w, "refin", QDate(2024, 1, 1), QDate(2024, 12, 31));
    SeriesChart* chart = w->chartPage()->chart();
    QCOMPARE(chart->points().size(), 6);
    const QRect plot = chart->plotRect();
    // The middle of August lies in the second step: the rate in force is that of 29.07.2024, not the nearer
    // one of 16.09.2024.
    const int x = plot.left() + int(plot.width() * (QDate(2024, 1, 1).daysTo(QDate(2024, 9, 10)) / 365.0));
    QCOMPARE(chart->recordText(chart->recordAt(x)), QStringLiteral("29.07.2024: 18"));
    QCOMPARE(chart->recordAt(plot.left() - 5), -1);
    // A drag over the chart zooms to the dates it covers and the date fields follow.
    QTest::mousePress(chart, Qt::LeftButton, {}, QPoint(plot.left() + plot.width() / 2, plot.center().y()));
    QTest::mouseMove(chart, QPoint(plot.right() - 2, plot.center().y()));
    QTest::mouseRelease(chart, Qt::LeftButton, {}, QPoint(plot.right() - 2, plot.center().y()));
    QVERIFY(chart->shownFrom() > QDate(2024, 6, 15));
    QCOMPARE(w->findChild<QDateEdit*>("deChartFrom")->date(), chart->shownFrom());
    // A double click shows the whole series.
    QTest::mouseDClick(chart, Qt::LeftButton, {}, plot.center());
    QCOMPARE(chart->shownFrom(), QDate(2015, 8, 3));
    QCOMPARE(chart->shownTo(), QDate(2024, 10, 28));
}

void TestTfrmCalc::clipboardHoldsTableAndText() {
    auto w = makeWindow();
    w->show();
    fillInterest(*w, "100000", QDate(2024, 1, 1), QDate(2024, 12, 31), {"15.03.2024=20000"}, "годовая (ст. 395 ГК РФ)");
    QApplication::clipboard()->clear();
    QTest::mouseClick(w->findChild<QPushButton*>("btnCopy"), Qt::LeftButton);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data);
    QVERIFY(data->hasHtml());
    const QString html = plain(data->html());
    QVERIFY(html.contains("<table"));
    QVERIFY(html.contains("<th>Проценты, руб.</th>"));
    QVERIFY2(html.contains("<tr><td>01.01.2024</td><td>15.03.2024</td><td align=\"right\" "
                           "style=\"text-align:right\">75</td><td align=\"right\" style=\"text-align:right\">"
                           "100 000,00</td>"),
             qPrintable(html));
    QVERIFY(html.contains("<b>Итого</b>"));
    QVERIFY(html.contains("Дата расчёта: 11.12.2026"));
    QVERIFY(data->hasText());
    const QStringList text = plain(data->text()).split('\n');
    QVERIFY(text.contains("С\tПо\tДней\tДолг, руб.\tСтавка, %\tБаза\tПроценты, руб."));
    QVERIFY(text.contains("01.01.2024\t15.03.2024\t75\t100 000,00\t16\t366\t3 278,69"));
    QVERIFY(text.contains(plain(w->currentReport().sentence)));
}

void TestTfrmCalc::csvSavedAndReadBack() {
    {
        // The interest table as the CLI prints it, in a file a spreadsheet opens as numbers.
        auto w = makeWindow();
        w->show();
        const QStringList payments{"15.03.2024=20000", "01.10.2024=30000"};
        fillInterest(*w, "100000", QDate(2024, 1, 1), QDate(2024, 12, 31), payments, "годовая (ст. 395 ГК РФ)");
        QTemporaryDir out;
        const QString path = out.filePath("interest.csv");
        m_prompts.setNextFileName(path);
        QTest::mouseClick(w->findChild<QPushButton*>("btnSave"), Qt::LeftButton);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n");
        const int head = int(lines.indexOf("С;По;Дней;Долг, руб.;Ставка, %;База;Проценты, руб."));
        QVERIFY(head > 0);
        const CliRun cli = runCli({"--db", m_db->path(), "interest", "--principal", "100000", "--from", "01.01.2024",
                                   "--to", "31.12.2024", "--payment", payments[0], "--payment", payments[1]});
        const QStringList expected = cliLines(cli);
        QCOMPARE(lines.mid(head + 1, int(expected.size())), expected);
        QVERIFY(lines.contains("Сумма долга;100" + QString(QChar(0x00A0)) + "000,00 руб."));
    }
    m_prompts.clear();
    auto w = makeWindow();
    w->show();
    buildChart(*w, "JPY", QDate(2024, 12, 1), QDate(2024, 12, 31));
    QTemporaryDir out;
    const QString path = out.filePath("chart.csv");
    m_prompts.setNextFileName(path);
    QTest::mouseClick(w->findChild<QPushButton*>("btnSave"), Qt::LeftButton);
    QCOMPARE(m_prompts.texts(ScriptedPrompts::Kind::SaveFile).size(), 1);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n");
    const int head = int(lines.indexOf("Дата;Значение"));
    QVERIFY(head > 0);
    QCOMPARE(lines.mid(head + 1, 3), (QStringList{"26.12.2024;0,651234", "27.12.2024;0,66", "28.12.2024;0,645"}));
}

void TestTfrmCalc::htmlSaved() {
    auto w = makeWindow();
    w->show();
    buildChart(*w, "JPY", QDate(2024, 12, 1), QDate(2024, 12, 31));
    QTemporaryDir out;
    const QString path = out.filePath("chart.html");
    m_prompts.setNextFileName(out.filePath("chart")); // no suffix: a CSV file
    w->saveClick();
    QVERIFY(QFile::exists(out.filePath("chart.csv")));
    m_prompts.setNextFileName(path);
    w->saveClick();
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    QVERIFY(html.startsWith("<!DOCTYPE html>"));
    QVERIFY(html.contains("<meta charset=\"utf-8\">"));
    QVERIFY(html.contains("<td>28.12.2024</td><td align=\"right\" style=\"text-align:right\">0,645</td>"));
}

static QString pdfText(const QString& path) {
    QProcess text;
    text.start("pdftotext", {"-enc", "UTF-8", path, "-"});
    if (!text.waitForFinished(30000))
        return {};
    return plain(QString::fromUtf8(text.readAllStandardOutput())).simplified();
}

void TestTfrmCalc::pdfWrittenWithItsText() {
    auto w = makeWindow();
    w->show();
    fillInterest(*w, "50000", QDate(2016, 7, 1), QDate(2016, 8, 31), {}, "годовая (ст. 395 ГК РФ)");
    QTemporaryDir out;
    const QString path = out.filePath("interest.pdf");
    m_prompts.setNextFileName(path);
    QTest::mouseClick(w->findChild<QPushButton*>("btnPdf"), Qt::LeftButton);
    QCOMPARE(m_prompts.texts(ScriptedPrompts::Kind::SaveFile).size(), 1);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().startsWith("%PDF-"));
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString content = pdfText(path);
    const CalcReport report = w->currentReport();
    // The title, the inputs, the total, the warning and the date of the calculation are on the page.
    QVERIFY2(content.contains(report.title), qPrintable(content));
    QVERIFY2(content.contains("Сумма долга: 50 000,00 руб."), qPrintable(content));
    QVERIFY2(content.contains("Итого"), qPrintable(content));
    QVERIFY2(content.contains(plain(CalcExport::grouped(report.total[6], RegionalSettings::russian()))),
             qPrintable(content));
    QVERIFY2(content.contains(plain(report.sentence)), qPrintable(content));
    QVERIFY2(content.contains("До 01.08.2016 статья 395 ГК РФ"), qPrintable(content));
    QVERIFY2(content.contains("Дата расчёта: 11.12.2026"), qPrintable(content));

    // The chart goes to its page as a picture under its caption.
    buildChart(*w, "JPY", QDate(2024, 12, 1), QDate(2024, 12, 31));
    const QString chartPath = out.filePath("chart.pdf");
    m_prompts.setNextFileName(chartPath);
    w->pdfClick();
    QVERIFY2(pdfText(chartPath).contains("Период: 01.12.2024 — 31.12.2024"), qPrintable(pdfText(chartPath)));
}

void TestTfrmCalc::printPreviewShowsThePages() {
    auto w = makeWindow();
    w->show();
    fillInterest(*w, "100000", QDate(2024, 1, 1), QDate(2024, 12, 31), {}, "годовая (ст. 395 ГК РФ)");
    int pages = -1;
    QString type;
    w->setDialogRunner([&](QDialog& dialog) {
        type = QString::fromLatin1(dialog.metaObject()->className());
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        if (preview) {
            preview->updatePreview();
            pages = preview->pageCount();
        }
        return int(QDialog::Rejected);
    });
    w->printClick();
    QCOMPARE(type, QStringLiteral("QPrintPreviewDialog"));
    QCOMPARE(pages, 1);
    QVERIFY(m_prompts.shown.isEmpty());
}

void TestTfrmCalc::nothingToExportIsSaid() {
    auto w = makeWindow();
    w->show();
    w->showTab(TfrmCalc::kChart);
    w->saveClick();
    QCOMPARE(m_prompts.texts(), QStringList{"Сначала постройте график."});
    QVERIFY(m_prompts.texts(ScriptedPrompts::Kind::SaveFile).isEmpty());
}

void TestTfrmCalc::sizeAndInputsRemembered() {
    {
        auto w = makeWindow();
        w->show();
        buildChart(*w, "refin", QDate(2020, 3, 4), QDate(2024, 5, 6));
        w->resize(720, 530);
        w->close();
    }
    auto w = makeWindow();
    QCOMPARE(w->size(), QSize(720, 530));
    QCOMPARE(w->currentTab(), int(TfrmCalc::kChart));
    QCOMPARE(w->findChild<QDateEdit*>("deChartFrom")->date(), QDate(2020, 3, 4));
    QCOMPARE(w->findChild<QDateEdit*>("deChartTo")->date(), QDate(2024, 5, 6));
    QVERIFY(w->findChild<QComboBox*>("cbChartSeries")->currentText().startsWith("Ставка рефинансирования"));
}

void TestTfrmCalc::interestInputsRemembered() {
    {
        auto w = makeWindow();
        fillInterest(*w, "12 345,67", QDate(2024, 2, 3), QDate(2024, 8, 9), {"04.05.2024=100", "06.07.2024=200,5"},
                     "1/200");
        w->saveInputs();
    }
    auto w = makeWindow();
    QCOMPARE(w->findChild<QLineEdit*>("edPrincipal")->text(), QStringLiteral("12 345,67"));
    QCOMPARE(w->findChild<QDateEdit*>("deInterestFrom")->date(), QDate(2024, 2, 3));
    QCOMPARE(w->findChild<QDateEdit*>("deInterestTo")->date(), QDate(2024, 8, 9));
    QCOMPARE(w->findChild<QComboBox*>("cbBasis")->currentText(), QStringLiteral("1/200"));
    const InterestRequest r = w->interestPage()->request();
    QCOMPARE(r.perDayDivisor, 200);
    QCOMPARE(r.payments.size(), 2);
    QCOMPARE(r.payments[1].date, QDate(2024, 7, 6));
    QCOMPARE(r.payments[1].amount.kopecks(), 20050);
}

QTEST_MAIN(TestTfrmCalc)
#include "tst_tfrmcalc.moc"
