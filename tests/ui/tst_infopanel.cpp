#include "WindowFixture.h"
#include "ui/IndicatorGrid.h"
#include "ui/RecordDialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The information panel and the quick search by date.
class TestInfoPanel : public QObject {
    Q_OBJECT
private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }
    void panel_data();
    void panel();
    void emptySeriesAfterMrotKeepsNominalHidden();
    void countersShownUntilNextChange();
    void search_data();
    void search();
    void searchMovesExpressToo();
    void viewsFollowTheRecord_data();
    void viewsFollowTheRecord();
    void shippedRecord();

private:
    QString text(QWidget* w, const char* name) { return control<QLabel>(w, name)->text(); }
    std::unique_ptr<WindowFixture> f;
};

void TestInfoPanel::panel_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("how");     // l4
    QTest::addColumn<QString>("written"); // l6
    QTest::addColumn<QString>("nominal"); // l5, empty when hidden
    QTest::addColumn<QString>("oldest");  // l7
    QTest::addColumn<QString>("newest");  // l8
    QTest::addColumn<QString>("count");   // l1
    // USD: empty. EUR: one record typed by hand. DEM: newest record downloaded. MROT: two, from Garant.
    QTest::newRow("empty series") << 1 << "(нет данных)"
                                  << "(нет данных)"
                                  << "Номинал валюты: (нет данных)"
                                  << "(нет данных)"
                                  << "(нет данных)"
                                  << "0";
    QTest::newRow("one record") << 2 << "вручную"
                                << "02.02.2009"
                                << "Номинал валюты: 1"
                                << "01.02.2009"
                                << "01.02.2009"
                                << "1";
    QTest::newRow("downloaded") << 3 << "из интернета"
                                << ""
                                << "Номинал валюты: 10"
                                << "28.12.2001"
                                << "29.12.2001"
                                << "2";
    QTest::newRow("mrot") << 4 << "из системы \"Гарант\""
                          << "10.01.2009"
                          << ""
                          << "01.09.2007"
                          << "01.01.2009"
                          << "2";
    QTest::newRow("no source") << 5 << "(нет данных)"
                               << ""
                               << ""
                               << "01.12.2008"
                               << "01.12.2008"
                               << "1";
}

void TestInfoPanel::panel() {
    QFETCH(int, entry);
    QFETCH(QString, how);
    QFETCH(QString, written);
    QFETCH(QString, nominal);
    QFETCH(QString, oldest);
    QFETCH(QString, newest);
    QFETCH(QString, count);
    f->db.add("EUR", QDate(2009, 2, 1), 1, 34.5, 0, QDate(2009, 2, 2));
    f->db.add("DEM", QDate(2001, 12, 29), 10, 145.0, 3);
    f->db.add("DEM", QDate(2001, 12, 28), 10, 144.0, 1, QDate(2002, 1, 5));
    f->db.add("MROT", QDate(2009, 1, 1), 100, 4330, 2, QDate(2009, 1, 10));
    f->db.add("MROT", QDate(2007, 9, 1), 100, 2300, 1, QDate(2007, 9, 5));
    f->db.add("refin", QDate(2008, 12, 1), 13, {}, {}, {});
    auto w = f->makeWindow();
    w->selectEntry(entry == 1 ? 2 : 1);
    w->selectEntry(entry);
    QCOMPARE(text(w.get(), "l4"), how);
    QCOMPARE(text(w.get(), "l6"), written);
    QCOMPARE(control(w.get(), "l5")->isVisibleTo(w.get()), !nominal.isEmpty());
    if (!nominal.isEmpty())
        QCOMPARE(text(w.get(), "l5"), nominal);
    QCOMPARE(text(w.get(), "l7"), oldest);
    QCOMPARE(text(w.get(), "l8"), newest);
    QCOMPARE(text(w.get(), "l1"), count);
    QCOMPARE(text(w.get(), "l2"), QStringLiteral("0"));
    QCOMPARE(text(w.get(), "l3"), QStringLiteral("0"));
    // The panel names the newest record and leaves the cursor on it.
    if (count != "0")
        QCOMPARE(w->activeTable().currentRow(), 0);
    QCOMPARE(text(w.get(), "l50"), QStringLiteral("Текущая запись добавлена"));
    QCOMPARE(text(w.get(), "l54"), QStringLiteral("Общее количество записей:"));
}

void TestInfoPanel::emptySeriesAfterMrotKeepsNominalHidden() {
    f->db.add("MROT", QDate(2009, 1, 1), 100, 4330, 2, QDate(2009, 1, 10));
    auto w = f->makeWindow();
    w->selectEntry(4);
    QVERIFY(!control(w.get(), "l5")->isVisibleTo(w.get()));
    w->selectEntry(2);
    QVERIFY(!control(w.get(), "l5")->isVisibleTo(w.get()));
    QCOMPARE(text(w.get(), "l5"), QStringLiteral("Номинал валюты: (нет данных)"));
    QCOMPARE(text(w.get(), "l4"), QStringLiteral("(нет данных)"));
}

void TestInfoPanel::countersShownUntilNextChange() {
    f->db.add("USD", QDate(2009, 1, 10), 1, 29.3804, 1, QDate(2009, 1, 12));
    auto w = f->makeWindow();
    w->counters().added = 3;
    w->counters().changed = 1;
    w->ShowRecordDates();
    QCOMPARE(text(w.get(), "l2"), QStringLiteral("0")); // the dates alone do not refresh the counts
    w->ShowRecordDetails();
    QCOMPARE(text(w.get(), "l2"), QStringLiteral("3"));
    QCOMPARE(text(w.get(), "l3"), QStringLiteral("1"));
    w->selectEntry(2);
    QCOMPARE(w->counters().added, 0);
    QCOMPARE(w->counters().changed, 0);
    QCOMPARE(text(w.get(), "l2"), QStringLiteral("0"));
    QCOMPARE(text(w.get(), "l3"), QStringLiteral("0"));
}

void TestInfoPanel::search_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("row"); // current row afterwards, -1 for none
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("focused");
    const QStringList notFound{"Запись не найдена"};
    QTest::newRow("found") << 1 << QDate(2009, 1, 13) << 1 << QStringList{} << "grKurs";
    QTest::newRow("last in grid order") << 1 << QDate(2009, 1, 10) << 2 << QStringList{} << "grKurs";
    QTest::newRow("between two records") << 1 << QDate(2009, 1, 12) << 0 << notFound << "";
    QTest::newRow("empty series") << 2 << QDate(2009, 1, 13) << -1 << notFound << "";
    QTest::newRow("other currency") << 3 << QDate(2001, 12, 28) << 1 << QStringList{} << "grOther";
    QTest::newRow("mrot") << 4 << QDate(2007, 9, 1) << 1 << QStringList{} << "grMROT_Refin";
    QTest::newRow("group node") << 0 << QDate(2009, 1, 13) << 0 << QStringList{} << "";
}

void TestInfoPanel::search() {
    QFETCH(int, entry);
    QFETCH(QDate, date);
    QFETCH(int, row);
    QFETCH(QStringList, shown);
    QFETCH(QString, focused);
    f->db.add("USD", QDate(2009, 1, 10), 1, 29.3804, 1);
    f->db.add("USD", QDate(2009, 1, 13), 1, 29.4258, 2);
    f->db.add("USD", QDate(2009, 1, 14), 1, 29.9, 3);
    f->db.add("DEM", QDate(2001, 12, 29), 10, 145.0, 3);
    f->db.add("DEM", QDate(2001, 12, 28), 10, 144.0, 1);
    f->db.add("MROT", QDate(2009, 1, 1), 100, 4330, 2);
    f->db.add("MROT", QDate(2007, 9, 1), 100, 2300, 1);
    auto w = f->makeWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTest::qWait(0); // the first activation
    w->selectEntry(entry);
    auto* button = control<QPushButton>(w.get(), "btnSearch");
    QCOMPARE(button->text(), QStringLiteral("Найти"));
    button->setFocus();
    control<QDateEdit>(w.get(), "SearchDate")->setDate(date);
    f->prompts.clear();
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(w->activeTable().currentRow(), row);
    QCOMPARE(f->prompts.texts(ScriptedPrompts::Kind::Information), shown);
    QCOMPARE(f->prompts.shown.size(), shown.size());
    if (!focused.isEmpty()) {
        auto* grid = control<IndicatorGrid>(w.get(), focused.toLatin1());
        QCOMPARE(w->focusWidget(), grid);
        QCOMPARE(grid->currentIndex().row(), row);
    } else {
        QCOMPARE(w->focusWidget(), button);
    }
}

void TestInfoPanel::searchMovesExpressToo() {
    f->db.add("USD", QDate(2009, 1, 10), 1, 29.3804, 1);
    f->db.add("USD", QDate(2009, 1, 14), 1, 29.9, 3);
    auto w = f->makeWindow();
    control<QDateEdit>(w.get(), "SearchDate")->setDate(QDate(2009, 1, 10));
    w->btnSearchClick();
    QCOMPARE(w->activeTable().currentRow(), 1);
    QCOMPARE(control<QLineEdit>(w.get(), "val2")->text(), QStringLiteral("29,3804"));
    QCOMPARE(control<QGroupBox>(w.get(), "gb5")->title(), QStringLiteral("Экспресс-расчет на 10.01.2009"));
    QCOMPARE(text(w.get(), "l4"), QStringLiteral("из системы \"КонсультантПлюс\""));
    QCOMPARE(text(w.get(), "l8"), QStringLiteral("14.01.2009"));
}

void TestInfoPanel::viewsFollowTheRecord_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("caption"); // gb5
    QTest::addColumn<QString>("result");  // val2 for 1 in val1
    QTest::addColumn<QString>("skl");
    QTest::addColumn<QString>("how");     // l4
    QTest::addColumn<QString>("nominal"); // l5
    QTest::addColumn<QString>("count");   // l1
    QTest::addColumn<QString>("newest");  // l8
    const QString on = "Экспресс-расчет на ";
    QTest::newRow("key down") << "key" << on + "13.01.2009" << "29,4258" << "USD" << "из системы \"Гарант\""
                              << "Номинал валюты: 1" << "3" << "14.01.2009";
    QTest::newRow("mouse click") << "click" << on + "10.01.2009" << "29,3804" << "USD" << "вручную"
                                 << "Номинал валюты: 1" << "3" << "14.01.2009";
    QTest::newRow("delete") << "delete" << on + "14.01.2009" << "29,9" << "USD" << "из интернета"
                            << "Номинал валюты: 1" << "2" << "14.01.2009";
    QTest::newRow("delete newest by Ctrl+Delete") << "ctrl+delete" << on + "13.01.2009" << "29,4258" << "USD"
                                                  << "из системы \"Гарант\"" << "Номинал валюты: 1" << "2"
                                                  << "13.01.2009";
    QTest::newRow("ValCombo yen") << "yen" << on + "01.07.2009" << "0,305" << "JPY" << "из интернета"
                                  << "Номинал валюты: 100" << "1" << "01.07.2009";
    QTest::newRow("add") << "add" << on + "15.01.2009" << "30,5" << "USD" << "вручную"
                         << "Номинал валюты: 1" << "4" << "15.01.2009";
    QTest::newRow("edit") << "edit" << on + "14.01.2009" << "31" << "USD" << "вручную"
                          << "Номинал валюты: 1" << "3" << "14.01.2009";
}

void TestInfoPanel::viewsFollowTheRecord() {
    QFETCH(QString, action);
    QFETCH(QString, caption);
    QFETCH(QString, result);
    QFETCH(QString, skl);
    QFETCH(QString, how);
    QFETCH(QString, nominal);
    QFETCH(QString, count);
    QFETCH(QString, newest);
    f->db.add("USD", QDate(2009, 1, 10), 1, 29.3804, 0);
    f->db.add("USD", QDate(2009, 1, 13), 1, 29.4258, 2);
    f->db.add("USD", QDate(2009, 1, 14), 1, 29.9, 3);
    for (int i = 0; i < 5; ++i)
        f->db.add("DEM", QDate(2001, 12, 20 + i), 10, 140.0 + i, 3);
    f->db.add("JPY", QDate(2009, 7, 1), 100, 30.5, 3);
    auto w = f->makeWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTest::qWait(0); // the first activation
    auto* grid = control<IndicatorGrid>(w.get(), "grKurs");
    if (action == "key") {
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Down);
    } else if (action == "click") {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(2, 0)).center());
    } else if (action == "delete") {
        w->activeTable().moveTo(1);
        f->prompts.setNextAnswers({true});
        w->btnDelClick(); // the newest is current again
    } else if (action == "ctrl+delete") {
        grid->setFocus();
        f->prompts.setNextAnswers({true});
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    } else if (action == "yen") {
        w->selectEntry(3);
        auto* combo = control<QComboBox>(w.get(), "ValCombo");
        combo->setCurrentIndex(25);
        emit combo->activated(25);
    } else if (action == "add" || action == "edit") {
        w->setDialogRunner([&](QDialog& dialog) {
            if (action == "add") {
                dialog.findChild<QLineEdit*>("de")->setText("15.01.2009");
                dialog.findChild<QLineEdit*>("ce1")->setText("1");
            }
            dialog.findChild<QLineEdit*>("ce")->setText(action == "add" ? QStringLiteral("30,5") : QStringLiteral("31"));
            qobject_cast<RecordDialog*>(&dialog)->btnOKClick();
            return dialog.result();
        });
        w->btnAddClick(control(w.get(), action == "add" ? "btnAdd" : "btnEdit"));
    }
    QCOMPARE(control<QGroupBox>(w.get(), "gb5")->title(), caption);
    QCOMPARE(control<QLineEdit>(w.get(), "val2")->text(), result);
    QCOMPARE(text(w.get(), "Skl"), skl);
    QCOMPARE(text(w.get(), "l4"), how);
    QCOMPARE(text(w.get(), "l5"), nominal);
    QCOMPARE(text(w.get(), "l1"), count);
    QCOMPARE(text(w.get(), "l8"), newest);
    // No view asked anything of its own.
    QCOMPARE(f->prompts.texts(ScriptedPrompts::Kind::Message), QStringList());
}

void TestInfoPanel::shippedRecord() {
    f->db.add("USD", QDate(2009, 1, 10), 1, 29.3804, 4);
    f->db.add("USD", QDate(2009, 1, 14), 1, 29.9, 1);
    auto w = f->makeWindow();
    QCOMPARE(text(w.get(), "l50"), QStringLiteral("Текущая запись добавлена"));
    QCOMPARE(text(w.get(), "l4"), QStringLiteral("из системы \"КонсультантПлюс\""));
    QVERIFY(control(w.get(), "l4")->isVisibleTo(w.get()));
    w->activeTable().moveTo(1);
    QCOMPARE(text(w.get(), "l50"), QStringLiteral("Текущая запись поставлена с программой"));
    QVERIFY(!control(w.get(), "l4")->isVisibleTo(w.get()));
    w->activeTable().moveTo(0);
    QCOMPARE(text(w.get(), "l50"), QStringLiteral("Текущая запись добавлена"));
    QVERIFY(control(w.get(), "l4")->isVisibleTo(w.get()));
}

QTEST_MAIN(TestInfoPanel)
#include "tst_infopanel.moc"
