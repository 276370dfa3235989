#include "WindowFixture.h"
#include "common/NumberText.h"
#include "common/PeriodText.h"
#include "store/TableObject.h"
#include "ui/IndicatorGrid.h"
#include "ui/MaskedDateEdit.h"
#include "ui/RecordDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using Fields = QMap<QString, QString>;
Q_DECLARE_METATYPE(Fields)

// The manual page's commands and the five record dialogs, driven through the window's dialog seam.
class TestRecordDialogs : public QObject {
    Q_OBJECT
private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }
    void addRule_data();
    void addRule();
    void addRuleWageSeries();
    void editMode();
    void editEmptySeries();
    void editToAnotherRecordsDateRefused();
    void refusalsLeaveTableUntouched_data();
    void refusalsLeaveTableUntouched();
    void cancelAndEscape();
    void unchangedEditWritesNothing_data();
    void unchangedEditWritesNothing();
    void groupEntryOpensNothing();
    void doubleClickActsAsEdit();
    void deleteRecord();
    void inflationSeries();
    void priceSeries();

private:
    // What a run of a dialog showed and how it ended.
    struct Run {
        bool opened = false;
        QString dialog; // objectName
        QString caption;
        Fields prefilled;
        int result = -1;
    };
    Run open(TfrmBase& w, bool add, const Fields& typed, bool pressOk = true);
    QVariant stored(const QString& table, QDate date, const char* column);
    std::unique_ptr<WindowFixture> f;
};

TestRecordDialogs::Run TestRecordDialogs::open(TfrmBase& w, bool add, const Fields& typed, bool pressOk) {
    Run run;
    w.setDialogRunner([&](QDialog& dialog) {
        run.opened = true;
        run.dialog = dialog.objectName();
        run.caption = dialog.windowTitle();
        for (QLineEdit* field : dialog.findChildren<QLineEdit*>()) {
            auto* masked = qobject_cast<MaskedDateEdit*>(field);
            run.prefilled[field->objectName()] = masked ? masked->maskedText() : field->text();
        }
        for (auto it = typed.begin(); it != typed.end(); ++it) {
            auto* field = dialog.findChild<QLineEdit*>(it.key());
            if (!field)
                qFatal("no field %s", qPrintable(it.key()));
            field->setText(it.value());
        }
        if (pressOk)
            qobject_cast<RecordDialog*>(&dialog)->btnOKClick();
        run.result = dialog.result();
        return dialog.result();
    });
    w.btnAddClick(w.findChild<QPushButton*>(add ? QStringLiteral("btnAdd") : QStringLiteral("btnEdit")));
    return run;
}

QVariant TestRecordDialogs::stored(const QString& table, QDate date, const char* column) {
    TableObject t(f->db.db(), Catalog::findTable(table)->layout, table, RegionalSettings::russian(), f->clock);
    t.open();
    const int row = t.findDate(date);
    if (row < 0)
        return QStringLiteral("(none)");
    t.moveTo(row);
    return t.value(QString::fromLatin1(column));
}

void TestRecordDialogs::addRule_data() {
    QTest::addColumn<QVariant>("storedRate"); // of 25.12.2002; invalid QVariant: the series is empty
    QTest::addColumn<int>("storedUpd");
    QTest::addColumn<bool>("cursorElsewhere"); // the current record is another one
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("nominal");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("question"); // the source line of the question; empty: none asked
    QTest::addColumn<double>("rateAfter"); // of the typed date
    QTest::addColumn<int>("updAfter");
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("changed");

    const QString garant = "Значение в таблице было добавлено из системы \"Гарант\".";
    const QString manual = "Значение в таблице было добавлено вручную.";
    const QString internet = "Значение в таблице было добавлено из интернета.";
    const QVariant none;
    QTest::newRow("empty series") << none << 0 << false << "25.12.2002"
                                  << "1"
                                  << "31,8" << true << "" << 31.8 << 0 << 1 << 0;
    QTest::newRow("new date") << QVariant(31.78) << 2 << false << "26.12.2002"
                              << "1"
                              << "31,8" << true << "" << 31.8 << 0 << 1 << 0;
    QTest::newRow("same value") << QVariant(31.78) << 2 << false << "25.12.2002"
                                << "1"
                                << "31,78" << true << "" << 31.78 << 2 << 0 << 0;
    QTest::newRow("same value, more places") << QVariant(31.78) << 0 << false << "25.12.2002"
                                             << "1"
                                             << "31,7800" << true << "" << 31.78 << 0 << 0 << 0;
    QTest::newRow("0,29 against 0.29") << QVariant(0.29) << 3 << false << "25.12.2002"
                                       << "1"
                                       << "0,29" << true << "" << 0.29 << 3 << 0 << 0;
    QTest::newRow("only the nominal differs") << QVariant(31.78) << 2 << false << "25.12.2002"
                                              << "10"
                                              << "31,78" << true << "" << 31.78 << 2 << 0 << 0;
    QTest::newRow("fifth place differs") << QVariant(31.78) << 2 << false << "25.12.2002"
                                         << "1"
                                         << "31,78004" << false << garant << 31.78 << 2 << 0 << 0;
    QTest::newRow("ConsultantPlus kept") << QVariant(31.78) << 1 << false << "25.12.2002"
                                         << "1"
                                         << "31,8" << true << "" << 31.78 << 1 << 0 << 0;
    QTest::newRow("Garant, yes") << QVariant(31.78) << 2 << false << "25.12.2002"
                                 << "1"
                                 << "31,8" << true << garant << 31.8 << 0 << 0 << 1;
    QTest::newRow("by hand, no") << QVariant(31.78) << 0 << false << "25.12.2002"
                                 << "1"
                                 << "31,8" << false << manual << 31.78 << 0 << 0 << 0;
    QTest::newRow("by hand, yes") << QVariant(31.78) << 0 << false << "25.12.2002"
                                  << "1"
                                  << "31,8" << true << manual << 31.8 << 0 << 0 << 1;
    QTest::newRow("internet, yes") << QVariant(31.78) << 3 << false << "25.12.2002"
                                   << "1"
                                   << "31,8" << true << internet << 31.8 << 0 << 0 << 1;
    QTest::newRow("held by another record") << QVariant(31.78) << 2 << true << "25.12.2002"
                                            << "1"
                                            << "31,8" << true << garant << 31.8 << 0 << 0 << 1;
    QTest::newRow("held by another record, same value") << QVariant(31.78) << 2 << true << "25.12.2002"
                                                        << "1"
                                                        << "31,78" << true << "" << 31.78 << 2 << 0 << 0;
}

void TestRecordDialogs::addRule() {
    QFETCH(QVariant, storedRate);
    QFETCH(int, storedUpd);
    QFETCH(bool, cursorElsewhere);
    QFETCH(QString, date);
    QFETCH(QString, nominal);
    QFETCH(QString, rate);
    QFETCH(bool, answer);
    QFETCH(QString, question);
    QFETCH(double, rateAfter);
    QFETCH(int, updAfter);
    QFETCH(int, added);
    QFETCH(int, changed);
    const bool empty = !storedRate.isValid();
    if (!empty) {
        f->db.add("USD", QDate(2002, 12, 25), 1, storedRate, storedUpd, QDate(2003, 1, 5));
        f->db.add("USD", QDate(2002, 12, 20), 1, 31.5, 1, QDate(2003, 1, 5));
    }
    auto w = f->makeWindow();
    if (cursorElsewhere)
        w->activeTable().moveTo(1);
    f->prompts.setNextAnswers({answer});
    const Run run = open(*w, true, {{"de", date}, {"ce1", nominal}, {"ce", rate}});

    QVERIFY(run.opened);
    QCOMPARE(run.dialog, QStringLiteral("frmAdd_Edit1"));
    QCOMPARE(run.caption, QStringLiteral("Добавить новую запись"));
    QCOMPARE(run.prefilled, Fields({{"de", "11.12.2026"}, {"ce1", ""}, {"ce", ""}}));
    QCOMPARE(run.result, int(QDialog::Accepted));
    QVERIFY(w->addMode());
    const QStringList asked = f->prompts.texts(ScriptedPrompts::Kind::Question);
    if (question.isEmpty()) {
        QCOMPARE(asked, QStringList());
    } else {
        QCOMPARE(asked.size(), 1);
        const QString stored = formatGeneral(storedRate.toDouble(), QLatin1Char(','));
        QCOMPARE(asked[0], "На введенную Вами дату уже есть запись в таблице. \nНа " + date + " в таблице значение - " +
                               stored + ", а в добавляемой Вами записи - " + rate + ". \n" + question +
                               "\nВы хотите заменить значение в таблице на введенное Вами?");
    }
    QCOMPARE(f->prompts.texts(ScriptedPrompts::Kind::Message), QStringList());
    const QDate day = QDate::fromString(date, "dd.MM.yyyy");
    QCOMPARE(stored("USD", day, "KURS").toDouble(), rateAfter);
    QCOMPARE(stored("USD", day, "UPD").toInt(), updAfter);
    const bool written = added + changed > 0;
    QCOMPARE(stored("USD", day, "DT").toDate(), written ? testToday() : QDate(2003, 1, 5));
    QCOMPARE(stored("USD", day, "NOMINAL").toInt(), written ? nominal.toInt() : 1);
    QCOMPARE(f->db.count("USD"), (empty ? 0 : 2) + added);
    QCOMPARE(w->counters().added, added);
    QCOMPARE(w->counters().changed, changed);
    // The grid shows what the file holds.
    QCOMPARE(control<IndicatorGrid>(w.get(), "grKurs")->model()->rowCount(), f->db.count("USD"));
}

void TestRecordDialogs::addRuleWageSeries() {
    f->db.add("MROT", QDate(2009, 1, 1), 100, 4330, 2, QDate(2009, 1, 10));
    f->db.add("refin", QDate(2008, 12, 1), {}, {}, 2);
    auto w = f->makeWindow();
    w->selectEntry(4);
    // Only RAZMER2 different: nothing is written.
    Run run = open(*w, true, {{"de", "01.01.2009"}, {"ce", "100"}, {"ce2", "4500"}});
    QCOMPARE(run.dialog, QStringLiteral("frmAdd_Edit5"));
    QCOMPARE(run.result, int(QDialog::Accepted));
    QCOMPARE(stored("MROT", QDate(2009, 1, 1), "RAZMER2").toDouble(), 4330.0);
    QVERIFY(f->prompts.shown.isEmpty());
    // RAZMER different: the replacement writes RAZMER2 as well.
    run = open(*w, true, {{"de", "01.01.2009"}, {"ce", "110"}, {"ce2", "4500"}});
    QCOMPARE(f->prompts.texts(ScriptedPrompts::Kind::Question).size(), 1);
    QCOMPARE(stored("MROT", QDate(2009, 1, 1), "RAZMER").toDouble(), 110.0);
    QCOMPARE(stored("MROT", QDate(2009, 1, 1), "RAZMER2").toDouble(), 4500.0);
    QCOMPARE(w->counters().changed, 1);

    // A stored record without its value: the question shows the empty value instead of failing.
    w->selectEntry(5);
    f->prompts.clear();
    run = open(*w, true, {{"de", "01.12.2008"}, {"ce", "13"}});
    QCOMPARE(run.dialog, QStringLiteral("frmAdd_Edit2"));
    QCOMPARE(f->prompts.texts(), QStringList{"На введенную Вами дату уже есть запись в таблице. \nНа 01.12.2008 в "
                                             "таблице значение - , а в добавляемой Вами записи - 13. \nЗначение в "
                                             "таблице было добавлено из системы \"Гарант\".\nВы хотите заменить "
                                             "значение в таблице на введенное Вами?"});
    QCOMPARE(stored("refin", QDate(2008, 12, 1), "RAZMER").toDouble(), 13.0);
    QCOMPARE(stored("refin", QDate(2008, 12, 1), "UPD").toInt(), 0);
}

void TestRecordDialogs::editMode() {
    f->db.add("USD", QDate(2002, 12, 25), 1, 31.78, 1, QDate(2003, 1, 5));
    f->db.add("USD", QDate(2002, 12, 20), 10, 315.0, 2, QDate(2003, 1, 5));
    auto w = f->makeWindow();
    w->activeTable().moveTo(1);
    const Run run = open(*w, false, {{"de", "21.12.2002"}, {"ce", "316,5"}});
    QCOMPARE(run.caption, QStringLiteral("Редактировать текущую запись"));
    QCOMPARE(run.prefilled, Fields({{"de", "20.12.2002"}, {"ce1", "10"}, {"ce", "315"}}));
    QCOMPARE(run.result, int(QDialog::Accepted));
    QVERIFY(!w->addMode());
    QVERIFY(f->prompts.shown.isEmpty());
    QCOMPARE(stored("USD", QDate(2002, 12, 20), "KURS").toString(), QStringLiteral("(none)"));
    QCOMPARE(stored("USD", QDate(2002, 12, 21), "KURS").toDouble(), 316.5);
    QCOMPARE(stored("USD", QDate(2002, 12, 21), "NOMINAL").toInt(), 10);
    QCOMPARE(stored("USD", QDate(2002, 12, 21), "UPD").toInt(), 0);
    QCOMPARE(stored("USD", QDate(2002, 12, 21), "DT").toDate(), testToday());
    QCOMPARE(f->db.count("USD"), 2);
    QCOMPARE(w->counters().changed, 1);
    QCOMPARE(w->counters().added, 0);
    // The changed record stays current; the panel shows it and the count of changes.
    QCOMPARE(w->activeTable().displayText(u"CURDATE"), QStringLiteral("21.12.2002"));
    QCOMPARE(control<QLabel>(w.get(), "l3")->text(), QStringLiteral("1"));
    QCOMPARE(control<QLabel>(w.get(), "l4")->text(), QStringLiteral("вручную"));
}

void TestRecordDialogs::editEmptySeries() {
    auto w = f->makeWindow();
    w->selectEntry(4);
    const Run run = open(*w, false, {{"de", "01.05.2009"}, {"ce", "100"}, {"ce2", "4330"}});
    QCOMPARE(run.dialog, QStringLiteral("frmAdd_Edit5"));
    QCOMPARE(run.prefilled, Fields({{"de", "  .  .    "}, {"ce", ""}, {"ce2", ""}}));
    QCOMPARE(run.result, int(QDialog::Accepted));
    QCOMPARE(f->db.count("MROT"), 1);
    QCOMPARE(stored("MROT", QDate(2009, 5, 1), "RAZMER2").toDouble(), 4330.0);
    QCOMPARE(w->counters().changed, 1);
    QCOMPARE(w->counters().added, 0);
}

void TestRecordDialogs::editToAnotherRecordsDateRefused() {
    f->db.add("USD", QDate(2002, 12, 25), 1, 31.78, 1, QDate(2003, 1, 5));
    f->db.add("USD", QDate(2002, 12, 20), 1, 31.5, 2, QDate(2003, 1, 5));
    auto w = f->makeWindow();
    Run run = open(*w, false, {{"de", "20.12.2002"}, {"ce", "31,9"}});
    QCOMPARE(run.result, int(QDialog::Rejected)); // still open
    QCOMPARE(f->prompts.texts(), QStringList{"На 20.12.2002 в таблице уже есть другая запись. Укажите другую дату."});
    QCOMPARE(stored("USD", QDate(2002, 12, 25), "KURS").toDouble(), 31.78);
    QCOMPARE(stored("USD", QDate(2002, 12, 20), "KURS").toDouble(), 31.5);
    QCOMPARE(w->counters().changed, 0);
    QVERIFY(!w->activeTable().hasPending());
    // Its own date is no conflict.
    f->prompts.clear();
    run = open(*w, false, {{"de", "25.12.2002"}, {"ce", "31,9"}});
    QCOMPARE(run.result, int(QDialog::Accepted));
    QCOMPARE(stored("USD", QDate(2002, 12, 25), "KURS").toDouble(), 31.9);
}

void TestRecordDialogs::refusalsLeaveTableUntouched_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<bool>("add");
    QTest::addColumn<Fields>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("no rate") << 1 << true << Fields{{"de", "26.12.2002"}, {"ce1", "1"}, {"ce", " "}}
                             << "Не указан курс. Введите курс валюты в рублях.";
    QTest::newRow("no nominal") << 1 << false << Fields{{"de", "26.12.2002"}, {"ce1", ""}, {"ce", "31,8"}}
                                << "Не указан номинал. Введите количество единиц валюты, например 1.";
    QTest::newRow("dot decimal") << 1 << true << Fields{{"de", "26.12.2002"}, {"ce1", "1"}, {"ce", "31.8"}}
                                 << "'31.8' is not a valid floating point value";
    QTest::newRow("nominal 1,5") << 1 << true << Fields{{"de", "26.12.2002"}, {"ce1", "1,5"}, {"ce", "31,8"}}
                                 << "'1,5' is not a valid integer value";
    QTest::newRow("year incomplete") << 1 << true << Fields{{"de", "26.12.20"}, {"ce1", "1"}, {"ce", "31,8"}}
                                     << "'26.12.20  ' is not a valid date";
    QTest::newRow("no such day") << 1 << false << Fields{{"de", "31.02.2002"}, {"ce1", "1"}, {"ce", "31,8"}}
                                 << "'31.02.2002' is not a valid date";
    QTest::newRow("empty date") << 5 << true << Fields{{"de", ""}, {"ce", "13"}} << "'  .  .    ' is not a valid date";
    QTest::newRow("refin empty") << 5 << true << Fields{{"de", "01.12.2008"}, {"ce", ""}}
                                 << "'' is not a valid floating point value";
    QTest::newRow("mrot RAZMER2 empty") << 4 << false << Fields{{"de", "01.01.2009"}, {"ce", "100"}, {"ce2", ""}}
                                        << "'' is not a valid floating point value";
    QTest::newRow("quarter pre-filled") << 6 << true << Fields{{"ce", "1,05"}} << quarterPeriodMessage();
    QTest::newRow("quarter year 0000") << 6 << true << Fields{{"ed", "I квартал 0000 г."}, {"ce", "1,05"}}
                                       << "'I квартал 0000 г.' is not a valid date";
    QTest::newRow("quarter, no index") << 6 << false << Fields{{"ed", "II квартал 2002 г."}, {"ce", "x"}}
                                       << "'x' is not a valid floating point value";
    QTest::newRow("month without г.") << 7 << true << Fields{{"ed", "май 2003"}, {"ce", "101"}} << monthPeriodMessage();
    QTest::newRow("month too long") << 7 << true << Fields{{"ed", "   сентябрь 2002 г."}, {"ce", "101"}}
                                    << "Период длиннее 18 символов. Пример: январь 2002 г.";
    // Nonsense that reads as a number or a date.
    const QString positive = "Поле «%1»: значение должно быть больше нуля.";
    const QString year = "Поле «%1»: год должен быть от 1900 до 2100.";
    QTest::newRow("rate 0") << 1 << true << Fields{{"de", "26.12.2002"}, {"ce1", "1"}, {"ce", "0"}}
                            << positive.arg("Курс");
    QTest::newRow("rate negative") << 1 << false << Fields{{"de", "25.12.2002"}, {"ce1", "1"}, {"ce", "-31,8"}}
                                   << positive.arg("Курс");
    QTest::newRow("rate 1e-400") << 1 << true << Fields{{"de", "26.12.2002"}, {"ce1", "1"}, {"ce", "1e-400"}}
                                 << positive.arg("Курс");
    QTest::newRow("nominal 0") << 1 << true << Fields{{"de", "26.12.2002"}, {"ce1", "0"}, {"ce", "31,8"}}
                               << positive.arg("Номинал");
    QTest::newRow("nominal negative") << 1 << false << Fields{{"de", "25.12.2002"}, {"ce1", "-1"}, {"ce", "31,8"}}
                                      << positive.arg("Номинал");
    QTest::newRow("refin 0") << 5 << true << Fields{{"de", "01.12.2009"}, {"ce", "0"}} << positive.arg("Размер");
    QTest::newRow("mrot RAZMER2 negative") << 4 << false << Fields{{"de", "01.01.2009"}, {"ce", "100"}, {"ce2", "-5"}}
                                           << positive.arg("В целях регулирования оплаты труда");
    QTest::newRow("index 0") << 6 << true << Fields{{"ed", "II квартал 2002 г."}, {"ce", "0"}} << positive.arg("ИРИП");
    QTest::newRow("price negative") << 7 << false << Fields{{"ed", "январь 2002 г."}, {"ce", "-101"}}
                                    << positive.arg("% к предыдущему месяцу");
    QTest::newRow("quarter III кв. 2002 .") << 6 << true << Fields{{"ed", "III кв. 2002 ."}, {"ce", "1,05"}}
                                           << year.arg("Период");
    QTest::newRow("month of 1899") << 7 << true << Fields{{"ed", "май 1899 г."}, {"ce", "101"}} << year.arg("Период");
    QTest::newRow("date 1899") << 1 << true << Fields{{"de", "31.12.1899"}, {"ce1", "1"}, {"ce", "31,8"}}
                               << year.arg("Дата");
    QTest::newRow("date 2101") << 5 << false << Fields{{"de", "01.01.2101"}, {"ce", "13"}} << year.arg("Дата");
}

void TestRecordDialogs::refusalsLeaveTableUntouched() {
    QFETCH(int, entry);
    QFETCH(bool, add);
    QFETCH(Fields, typed);
    QFETCH(QString, message);
    f->db.add("USD", QDate(2002, 12, 25), 1, 31.78, 2, QDate(2003, 1, 5));
    f->db.add("MROT", QDate(2009, 1, 1), 100, 4330, 2, QDate(2009, 1, 10));
    f->db.add("refin", QDate(2008, 12, 1), 13, {}, 2, QDate(2008, 12, 2));
    f->db.add("infl", QDate(2002, 1, 1), "I квартал 2002 г.", 1.036, 2, QDate(2002, 5, 1));
    f->db.add("price", QDate(2002, 1, 1), "январь 2002 г.", 103.1, 2, QDate(2002, 2, 1));
    auto w = f->makeWindow();
    w->selectEntry(entry);
    const QString table = w->activeTable().tableName();
    const QString before = w->activeTable().displayText(2);
    const Run run = open(*w, add, typed);
    QCOMPARE(run.result, int(QDialog::Rejected));
    QCOMPARE(f->prompts.texts(), QStringList{message});
    QCOMPARE(f->db.count(table), 1);
    QCOMPARE(w->activeTable().recordCount(), 1);
    QCOMPARE(w->activeTable().displayText(2), before);
    QCOMPARE(w->activeTable().displayText(u"UPD"), QStringLiteral("2"));
    QVERIFY(!w->activeTable().hasPending());
    QCOMPARE(w->counters().added + w->counters().changed, 0);
}

void TestRecordDialogs::unchangedEditWritesNothing_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QDate>("date");
    QTest::newRow("dollar") << 1 << "USD" << QDate(2002, 12, 25);
    QTest::newRow("mrot") << 4 << "MROT" << QDate(2009, 1, 1);
    QTest::newRow("inflation") << 6 << "infl" << QDate(2002, 1, 1);
    QTest::newRow("price") << 7 << "price" << QDate(2002, 1, 1);
}

void TestRecordDialogs::unchangedEditWritesNothing() {
    QFETCH(int, entry);
    QFETCH(QString, table);
    QFETCH(QDate, date);
    const QDate written(2003, 1, 5);
    f->db.add("USD", QDate(2002, 12, 25), 1, 31.78, 3, written);
    f->db.add("MROT", QDate(2009, 1, 1), 100, 4330, 3, written);
    f->db.add("infl", QDate(2002, 1, 1), "I квартал 2002 г.", 1.036, 3, written);
    f->db.add("price", QDate(2002, 1, 1), "январь 2002 г.", 103.1, 3, written);
    auto w = f->makeWindow();
    w->selectEntry(entry);
    const Run run = open(*w, false, {});
    QCOMPARE(run.result, int(QDialog::Accepted));
    QCOMPARE(f->prompts.texts(), QStringList());
    QCOMPARE(stored(table, date, "UPD").toInt(), 3);
    QCOMPARE(stored(table, date, "DT").toDate(), written);
    QCOMPARE(w->counters().changed, 0);
    QCOMPARE(w->activeTable().displayText(u"UPD"), QStringLiteral("3"));
}

void TestRecordDialogs::cancelAndEscape() {
    f->db.add("USD", QDate(2002, 12, 25), 1, 31.78, 2, QDate(2003, 1, 5));
    auto w = f->makeWindow();
    int results[2] = {-1, -1};
    int runs = 0;
    w->setDialogRunner([&](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("ce")->setText("40");
        if (runs == 0)
            qobject_cast<RecordDialog*>(&dialog)->btnCancClick();
        else
            QTest::keyClick(&dialog, Qt::Key_Escape);
        results[runs++] = dialog.result();
        return dialog.result();
    });
    w->btnAddClick(w->findChild<QPushButton*>("btnEdit"));
    w->btnAddClick(w->findChild<QPushButton*>("btnEdit"));
    QCOMPARE(runs, 2);
    QCOMPARE(results[0], int(QDialog::Rejected));
    QCOMPARE(results[1], int(QDialog::Rejected));
    QCOMPARE(stored("USD", QDate(2002, 12, 25), "KURS").toDouble(), 31.78);
    QVERIFY(f->prompts.shown.isEmpty());
}

void TestRecordDialogs::groupEntryOpensNothing() {
    f->db.add("USD", QDate(2002, 12, 25), 1, 31.78, 2);
    f->db.add("USD", QDate(2002, 12, 20), 1, 31.5, 2);
    auto w = f->makeWindow();
    w->selectEntry(0);
    QVERIFY(!open(*w, true, {}).opened);
    QVERIFY(!open(*w, false, {}).opened);
    // Deleting still works on the series shown.
    f->prompts.setNextAnswers({true});
    w->findChild<QPushButton*>("btnDel")->click();
    QCOMPARE(f->db.count("USD"), 1);
}

void TestRecordDialogs::doubleClickActsAsEdit() {
    f->db.add("USD", QDate(2002, 12, 25), 1, 31.78, 2);
    f->db.add("USD", QDate(2002, 12, 20), 1, 31.5, 2);
    f->db.add("infl", QDate(2002, 1, 1), "I квартал 2002 г.", 1.036, 2);
    auto w = f->makeWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QStringList seen;
    w->setDialogRunner([&](QDialog& dialog) {
        auto* first = dialog.findChildren<QLineEdit*>().value(0);
        auto* masked = qobject_cast<MaskedDateEdit*>(first);
        seen << dialog.windowTitle() + " " + (masked ? masked->maskedText() : first->text());
        return int(QDialog::Rejected);
    });
    // Whatever update-mode page is shown (the file page here).
    auto* grid = control<IndicatorGrid>(w.get(), "grKurs");
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(1, 0)).center());
    w->selectEntry(6);
    auto* infl = control<IndicatorGrid>(w.get(), "grInfl");
    QTest::mouseDClick(infl->viewport(), Qt::LeftButton, {}, infl->visualRect(infl->model()->index(0, 0)).center());
    QCOMPARE(seen, QStringList(
                       {"Редактировать текущую запись 20.12.2002", "Редактировать текущую запись I квартал 2002 г."}));
}

void TestRecordDialogs::deleteRecord() {
    f->db.add("MROT", QDate(2009, 1, 1), 100, 4330, 2);
    f->db.add("MROT", QDate(2007, 9, 1), 100, 2300, 2);
    auto w = f->makeWindow();
    w->selectEntry(4);
    w->activeTable().moveTo(1);
    f->prompts.setNextAnswers({false, true});
    w->btnDelClick();
    QCOMPARE(f->db.count("MROT"), 2);
    w->btnDelClick();
    QCOMPARE(f->db.count("MROT"), 1);
    QCOMPARE(stored("MROT", QDate(2007, 9, 1), "RAZMER").toString(), QStringLiteral("(none)"));
    QCOMPARE(f->prompts.texts(), QStringList(2, "Вы действительно хотите удалить текущую запись?"));
    // Reopened: the newest record is current; deleting counts nothing.
    QCOMPARE(w->activeTable().currentRow(), 0);
    QCOMPARE(w->counters().added + w->counters().changed, 0);

    // An empty series: no question, nothing happens.
    w->selectEntry(5);
    f->prompts.clear();
    w->btnDelClick();
    QVERIFY(f->prompts.shown.isEmpty());
}

void TestRecordDialogs::inflationSeries() {
    f->db.add("infl", QDate(2002, 1, 1), "I квартал 2002 г.", 1.036, 0, QDate(2002, 5, 1));
    auto w = f->makeWindow();
    w->selectEntry(6);
    auto* grid = control<IndicatorGrid>(w.get(), "grInfl");
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Квартал"));
    QCOMPARE(grid->model()->index(0, 0).data().toString(), QStringLiteral("I квартал 2002 г."));
    QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("1,036"));

    Run run = open(*w, true, {{"ed", "III кв. 2002 г."}, {"ce", "1,05"}});
    QCOMPARE(run.dialog, QStringLiteral("frmAdd_Edit3"));
    QCOMPARE(run.prefilled, Fields({{"ed", "I квартал"}, {"ce", ""}}));
    QCOMPARE(run.result, int(QDialog::Accepted));
    QCOMPARE(stored("infl", QDate(2002, 7, 1), "KVART").toString(), QStringLiteral("III кв. 2002 г."));
    QCOMPARE(stored("infl", QDate(2002, 7, 1), "INDINFL").toDouble(), 1.05);
    QCOMPARE(w->counters().added, 1);
    // Newest first.
    QCOMPARE(grid->model()->index(0, 0).data().toString(), QStringLiteral("III кв. 2002 г."));

    // Another text of a held quarter: the question names the period as typed; the stored text stays.
    f->prompts.setNextAnswers({true});
    run = open(*w, true, {{"ed", "I кв. 2002 г."}, {"ce", "1,04"}});
    QCOMPARE(f->prompts.texts(ScriptedPrompts::Kind::Question),
             QStringList{"На введенный Вами период уже есть запись в таблице. \nНа I кв. 2002 г. в таблице "
                         "значение - 1,036, а в добавляемой Вами записи - 1,04. \nЗначение в таблице было добавлено "
                         "вручную.\nВы хотите заменить значение в таблице на введенное Вами?"});
    QCOMPARE(stored("infl", QDate(2002, 1, 1), "KVART").toString(), QStringLiteral("I квартал 2002 г."));
    QCOMPARE(stored("infl", QDate(2002, 1, 1), "INDINFL").toDouble(), 1.04);
    QCOMPARE(stored("infl", QDate(2002, 1, 1), "DT").toDate(), testToday());
    QCOMPARE(w->counters().changed, 1);

    // Edit mode rewrites the period, its date and the index.
    w->activeTable().moveTo(w->activeTable().findDate(QDate(2002, 7, 1)));
    f->prompts.clear();
    run = open(*w, false, {{"ed", "IV квартал 2002 г."}});
    QCOMPARE(run.prefilled, Fields({{"ed", "III кв. 2002 г."}, {"ce", "1,05"}}));
    QCOMPARE(stored("infl", QDate(2002, 10, 1), "INDINFL").toDouble(), 1.05);
    QCOMPARE(stored("infl", QDate(2002, 7, 1), "INDINFL").toString(), QStringLiteral("(none)"));
    // ... but not onto a quarter another record holds.
    run = open(*w, false, {{"ed", "I квартал 2002 г."}});
    QCOMPARE(run.result, int(QDialog::Rejected));
    QCOMPARE(f->prompts.texts(),
             QStringList{"На этот период (с 01.01.2002) в таблице уже есть другая запись. Укажите другой период."});
    QCOMPARE(f->db.count("infl"), 2);

    // The quick search has nothing to do here.
    f->prompts.clear();
    w->btnSearchClick();
    QVERIFY(f->prompts.shown.isEmpty());
}

void TestRecordDialogs::priceSeries() {
    f->db.add("price", QDate(2002, 1, 1), "январь 2002 г.", 103.1, 1, QDate(2002, 2, 1));
    auto w = f->makeWindow();
    w->selectEntry(7);
    Run run = open(*w, true, {{"ed", "май 2003 г."}, {"ce", "100,8"}});
    QCOMPARE(run.dialog, QStringLiteral("frmAdd_Edit4"));
    QCOMPARE(run.prefilled, Fields({{"ed", "январь 2002 г."}, {"ce", ""}}));
    QCOMPARE(stored("price", QDate(2003, 5, 1), "PERIOD").toString(), QStringLiteral("май 2003 г."));
    QCOMPARE(stored("price", QDate(2003, 5, 1), "TOMONTH").toDouble(), 100.8);
    QCOMPARE(stored("price", QDate(2003, 5, 1), "UPD").toInt(), 0);
    // A ConsultantPlus value is never questioned by hand.
    run = open(*w, true, {{"ed", "январь 2002 г."}, {"ce", "103,2"}});
    QCOMPARE(run.result, int(QDialog::Accepted));
    QVERIFY(f->prompts.shown.isEmpty());
    QCOMPARE(stored("price", QDate(2002, 1, 1), "TOMONTH").toDouble(), 103.1);
    QCOMPARE(control<IndicatorGrid>(w.get(), "grPrice")->model()->rowCount(), 2);
}

QTEST_MAIN(TestRecordDialogs)
#include "tst_recorddialogs.moc"
