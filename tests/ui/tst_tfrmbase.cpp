#include "WindowFixture.h"
#include "ui/IndicatorGrid.h"
#include "ui/MaskedDateEdit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>

class TestTfrmBase : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsDollarSeriesNewestFirst();
    void controlsInBothLayouts_data();
    void controlsInBothLayouts();
    void firstStartWritesDefaults();
    void treeEntries();
    void navigation_data();
    void navigation();
    void updateModePages_data();
    void updateModePages();
    void mrotVariantStaysForRefin();
    void commandLine_data();
    void commandLine();
    void commandLineViewComesBack();
    void activationAfterOwnDialogOnly();
    void dateRangeFields();
    void gridClicksRecalculate();
    void ctrlDeleteAsksFirst();

private:
    void fillFixture();
    std::unique_ptr<WindowFixture> f;
};

void TestTfrmBase::init() {
    f = std::make_unique<WindowFixture>();
}

void TestTfrmBase::cleanup() {
    f.reset();
}

void TestTfrmBase::fillFixture() {
    f->db.add("USD", QDate(2009, 1, 10), 1, 29.3804, 1);
    f->db.add("USD", QDate(2009, 1, 14), 1, 29.9, 2);
    f->db.add("EUR", QDate(2009, 1, 15), 1, 41.0, 2);
    f->db.add("DEM", QDate(2001, 12, 29), 1, 14.5, 1);
    f->db.add("CAD", QDate(2009, 1, 16), 1, 24.1, 3);
    f->db.add("MROT", QDate(2009, 1, 1), 100, 4330, 1);
    f->db.add("MROT", QDate(2007, 9, 1), 100, 2300, 1);
    f->db.add("refin", QDate(2008, 12, 1), 13, 12.5, 1);
    f->db.add("infl", QDate(2002, 1, 1), "I квартал 2002 г.", 1.036, 0, QDate(2002, 5, 1));
    f->db.add("price", QDate(2002, 1, 1), "январь 2002 г.", 103.1, 0, QDate(2002, 2, 1));
}

void TestTfrmBase::showsDollarSeriesNewestFirst() {
    fillFixture();
    auto w = f->makeWindow();
    QCOMPARE(w->windowTitle(), QStringLiteral("Tarvel"));
    QCOMPARE(w->size(), QSize(651, 536));
    QVERIFY(w->bannerShown());
    QCOMPARE(&w->activeTable(), &w->store().tKurs);
    QCOMPARE(w->activeTable().tableName(), QStringLiteral("USD"));
    QCOMPARE(w->selectedIndex(), 1);

    auto* grid = control<IndicatorGrid>(w.get(), "grKurs");
    QCOMPARE(grid->model()->rowCount(), 2);
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Дата"));
    QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Курс"));
    QCOMPARE(grid->columnWidth(1), 75);
    QCOMPARE(grid->model()->index(0, 0).data().toString(), QStringLiteral("14.01.2009"));
    QCOMPARE(grid->model()->index(1, 1).data().toString(), QStringLiteral("29,3804"));
    QVERIFY(!(grid->model()->flags(grid->model()->index(0, 0)) & Qt::ItemIsEditable));

    // Start-up leaves the panel filled, the file page shown and the currency list on its first row.
    QCOMPARE(control<QLabel>(w.get(), "l1")->text(), QStringLiteral("2"));
    QCOMPARE(control<QLabel>(w.get(), "l8")->text(), QStringLiteral("14.01.2009"));
    QCOMPARE(control<QLabel>(w.get(), "Cap")->text(), QStringLiteral("Курсы валют - Доллар США"));
    QCOMPARE(control<QStackedWidget>(w.get(), "nbAppl")->currentIndex(), 1);
    auto* combo = control<QComboBox>(w.get(), "ValCombo");
    QCOMPARE(combo->count(), 26);
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(combo->itemText(13), QStringLiteral("Немецкая марка"));
    QCOMPARE(combo->itemText(5), QStringLiteral("Греческий драхм"));
    QVERIFY(!combo->isEditable());
    QCOMPARE(control<QLineEdit>(w.get(), "val2")->text(), QStringLiteral("29,9"));

    // The grid and the table's cursor follow each other.
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTRY_COMPARE(grid->currentIndex().row(), 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(1, 0)).center());
    QCOMPARE(w->activeTable().currentRow(), 1);
    w->activeTable().first();
    QTRY_COMPARE(grid->currentIndex().row(), 0);
    QVERIFY(f->prompts.shown.isEmpty());
}

void TestTfrmBase::controlsInBothLayouts_data() {
    QTest::addColumn<QString>("name");
    // With the banner. The left column is 9 pixels wider than first drawn, for the captions of the update modes.
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("moves");
    QTest::newRow("List") << "List" << QRect(3, 121, 194, 208) << true;
    QTest::newRow("pan") << "pan" << QRect(202, 121, 445, 21) << true;
    QTest::newRow("nbTabl") << "nbTabl" << QRect(202, 148, 212, 298) << true;
    QTest::newRow("grKurs") << "grKurs" << QRect(202, 148, 212, 298) << true;
    QTest::newRow("grMROT_Refin") << "grMROT_Refin" << QRect(202, 148, 212, 298) << true;
    QTest::newRow("grInfl") << "grInfl" << QRect(202, 148, 212, 298) << true;
    QTest::newRow("grPrice") << "grPrice" << QRect(202, 148, 212, 298) << true;
    QTest::newRow("grOther") << "grOther" << QRect(202, 178, 212, 268) << true;
    QTest::newRow("gb3") << "gb3" << QRect(423, 148, 224, 225) << true;
    QTest::newRow("gb4") << "gb4" << QRect(423, 379, 224, 67) << true;
    QTest::newRow("gb5") << "gb5" << QRect(423, 450, 224, 84) << true;
    QTest::newRow("gb1") << "gb1" << QRect(3, 335, 194, 111) << true;
    QTest::newRow("gb2") << "gb2" << QRect(3, 450, 411, 84) << true;
    QTest::newRow("btnClose") << "btnClose" << QRect(573, 571, 75, 26) << true;
    QTest::newRow("Image1") << "Image1" << QRect(3, 22, 645, 96) << false;
    QTest::newRow("nbAppl") << "nbAppl" << QRect(4, 10, 400, 70) << false;
    QTest::newRow("cb1") << "cb1" << QRect(0, 243, 212, 55) << false;
    QTest::newRow("ValCombo") << "ValCombo" << QRect(52, 0, 160, 22) << false;
}

void TestTfrmBase::controlsInBothLayouts() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(bool, moves);
    {
        auto w = f->makeWindow();
        QCOMPARE(w->findChild<QWidget*>(name)->geometry(), geometry);
    }
    f->settings.setText(Settings::Key::Advertising, "1");
    auto w = f->makeWindow();
    QVERIFY(!w->bannerShown());
    QCOMPARE(w->size(), QSize(651, 536 - 98));
    QVERIFY(!control(w.get(), "Image1")->isVisibleTo(w.get()));
    QCOMPARE(w->findChild<QWidget*>(name)->geometry(), geometry.translated(0, moves ? -98 : 0));
}

void TestTfrmBase::firstStartWritesDefaults() {
    QVERIFY(!f->settings.keyExists());
    auto w = f->makeWindow();
    QVERIFY(f->settings.keyExists());
    QCOMPARE(f->settings.skin(), QStringLiteral("No skin"));
    QCOMPARE(f->settings.number(Settings::Key::ProxyPort), 80);
    QVERIFY(w->bannerShown());
}

void TestTfrmBase::treeEntries() {
    auto w = f->makeWindow();
    auto* tree = control<QTreeWidget>(w.get(), "List");
    QCOMPARE(tree->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(tree->selectionBehavior(), QAbstractItemView::SelectRows);
    const QPalette p = tree->palette();
    QCOMPARE(p.color(QPalette::Inactive, QPalette::Highlight), p.color(QPalette::Active, QPalette::Highlight));
    const QStringList texts = {"Курсы валют",
                               "Доллар США",
                               "ЕВРО",
                               "Другие",
                               "МРОТ",
                               "Ставка рефинансирования",
                               "Индекс инфляции",
                               "Индекс потребительских цен"};
    QStringList walk;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        walk << (*it)->text(0);
    QCOMPARE(walk, texts);
    QCOMPARE(tree->topLevelItemCount(), 5);
    QCOMPARE(tree->topLevelItem(0)->childCount(), 3);
    for (int i = 0; i < texts.size(); ++i) {
        w->selectEntry(i);
        QCOMPARE(w->selectedIndex(), i);
        QCOMPARE(tree->currentItem()->text(0), texts[i]);
    }
}

void TestTfrmBase::navigation_data() {
    QTest::addColumn<QList<int>>("entries");
    QTest::addColumn<QString>("checkBefore"); // an update mode checked before the entries are selected
    QTest::addColumn<int>("pick");            // a row picked in ValCombo afterwards, -1 for none
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<int>("gridHeight");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("enabledModes"); // rb1..rb4
    QTest::addColumn<QString>("checkedMode");
    QTest::addColumn<bool>("sklVisible");
    QTest::addColumn<bool>("expressVisible");

    QTest::newRow("group") << QList<int>{0} << "" << -1 << "Курсы валют - Доллар США" << 0 << "grKurs" << 298 << "USD"
                           << "1111"
                           << "rb2" << true << true;
    QTest::newRow("dollar") << QList<int>{2, 1} << "" << -1 << "Курсы валют - Доллар США" << 0 << "grKurs" << 298
                            << "USD"
                            << "1111"
                            << "rb2" << true << true;
    QTest::newRow("euro") << QList<int>{2} << "rb3" << -1 << "Курсы валют - ЕВРО" << 0 << "grKurs" << 298 << "EUR"
                          << "1111"
                          << "rb3" << true << true;
    QTest::newRow("other from Garant") << QList<int>{3} << "rb3" << -1 << "Курсы валют - Немецкая марка" << 4
                                       << "grOther" << 268 << "DEM"
                                       << "1001"
                                       << "rb4" << true << true;
    QTest::newRow("other, then Canadian")
        << QList<int>{3} << "rb3" << 12 << "Курсы валют - Канадский доллар" << 4 << "grOther" << 268 << "CAD"
        << "1111"
        << "rb4" << true << true;
    QTest::newRow("other by hand") << QList<int>{3} << "rb1" << -1 << "Курсы валют - Немецкая марка" << 4 << "grOther"
                                   << 268 << "DEM"
                                   << "1001"
                                   << "rb1" << true << true;
    QTest::newRow("mrot from internet") << QList<int>{4} << "rb4" << -1 << "Минимальный размер оплаты труда" << 1
                                        << "grMROT_Refin" << 238 << "mrot"
                                        << "1110"
                                        << "rb2" << true << true;
    QTest::newRow("refin") << QList<int>{4, 5} << "rb3" << -1 << "Ставка рефинансирования" << 1 << "grMROT_Refin" << 298
                           << "refin"
                           << "1110"
                           << "rb3" << false << true;
    QTest::newRow("refin, then dollar") << QList<int>{5, 1} << "" << -1 << "Курсы валют - Доллар США" << 0 << "grKurs"
                                        << 298 << "USD"
                                        << "1111"
                                        << "rb2" << true << true;
    QTest::newRow("other, then euro") << QList<int>{3, 2} << "rb1" << -1 << "Курсы валют - ЕВРО" << 0 << "grKurs" << 298
                                      << "EUR"
                                      << "1111"
                                      << "rb1" << true << true;
    QTest::newRow("inflation") << QList<int>{6} << "rb3" << -1 << "Индекс инфляции" << 2 << "grInfl" << 298 << "infl"
                               << "1000"
                               << "rb1" << true << false;
    QTest::newRow("price") << QList<int>{7} << "rb4" << -1 << "Индекс потребительских цен" << 3 << "grPrice" << 298
                           << "price"
                           << "1000"
                           << "rb1" << true << false;
    QTest::newRow("price, then euro") << QList<int>{7, 2} << "" << -1 << "Курсы валют - ЕВРО" << 0 << "grKurs" << 298
                                      << "EUR"
                                      << "1111"
                                      << "rb1" << true << true;
}

void TestTfrmBase::navigation() {
    QFETCH(QList<int>, entries);
    QFETCH(QString, checkBefore);
    QFETCH(int, pick);
    QFETCH(QString, caption);
    QFETCH(int, page);
    QFETCH(QString, grid);
    QFETCH(int, gridHeight);
    QFETCH(QString, table);
    QFETCH(QString, enabledModes);
    QFETCH(QString, checkedMode);
    QFETCH(bool, sklVisible);
    QFETCH(bool, expressVisible);

    fillFixture();
    auto w = f->makeWindow();
    if (!checkBefore.isEmpty())
        control<QRadioButton>(w.get(), checkBefore.toLatin1())->setChecked(true);
    for (int entry : entries)
        w->selectEntry(entry);
    if (pick >= 0) {
        auto* combo = control<QComboBox>(w.get(), "ValCombo");
        combo->setCurrentIndex(pick);
        w->ValComboChange();
    }

    QCOMPARE(w->selectedIndex(), entries.last());
    QCOMPARE(control<QLabel>(w.get(), "Cap")->text(), caption);
    QCOMPARE(control<QStackedWidget>(w.get(), "nbTabl")->currentIndex(), page);
    for (const char* name : {"grKurs", "grMROT_Refin", "grInfl", "grPrice", "grOther"})
        QCOMPARE(control(w.get(), name)->isVisibleTo(w.get()), grid == QLatin1String(name));
    auto* shown = control<IndicatorGrid>(w.get(), grid.toLatin1());
    QCOMPARE(shown->height(), gridHeight);
    QCOMPARE(&shown->table(), &w->activeTable());
    QCOMPARE(w->activeTable().tableName(), table);
    QCOMPARE(shown->model()->rowCount(), w->activeTable().recordCount());
    QVERIFY(w->activeTable().recordCount() > 0);
    QString enabled;
    for (const char* rb : {"rb1", "rb2", "rb3", "rb4"})
        enabled += control(w.get(), rb)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(enabled, enabledModes);
    QVERIFY(control<QRadioButton>(w.get(), checkedMode.toLatin1())->isChecked());
    QCOMPARE(!control(w.get(), "Skl2")->isHidden(), sklVisible);
    QCOMPARE(control(w.get(), "gb5")->isVisibleTo(w.get()), expressVisible);
    // The cb1 box shows under the shortened MROT grid only.
    QCOMPARE(control(w.get(), "cb1")->isVisibleTo(w.get()), page == 1);
    QCOMPARE(control<QComboBox>(w.get(), "ValCombo")->isVisibleTo(w.get()), page == 4);
    // The panel describes the series on screen, after a pick of another currency too.
    QCOMPARE(control<QLabel>(w.get(), "l8")->text(), w->activeTable().displayText(u"CURDATE"));
    QCOMPARE(control<QLabel>(w.get(), "l1")->text(), QString::number(w->activeTable().recordCount()));
    QVERIFY(f->prompts.shown.isEmpty());
}

void TestTfrmBase::updateModePages_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("consultantLogo");
    QTest::newRow("rb1") << "rb1"
                         << " Редактировать данные " << 0 << false;
    QTest::newRow("rb2") << "rb2"
                         << " Укажите имя файла для обновления данных " << 1 << true;
    QTest::newRow("rb3") << "rb3"
                         << " Укажите имя файла для обновления данных " << 1 << false;
    QTest::newRow("rb4") << "rb4"
                         << " Обновление данных через интернет " << 2 << false;
}

void TestTfrmBase::updateModePages() {
    QFETCH(QString, mode);
    QFETCH(QString, title);
    QFETCH(int, page);
    QFETCH(bool, consultantLogo);
    auto w = f->makeWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    auto* rb = control<QRadioButton>(w.get(), mode.toLatin1());
    QTest::mouseClick(rb, Qt::LeftButton, {}, QPoint(6, rb->height() / 2));
    QVERIFY(rb->isChecked());
    QCOMPARE(control<QGroupBox>(w.get(), "gb2")->title(), title);
    QCOMPARE(control<QStackedWidget>(w.get(), "nbAppl")->currentIndex(), page);
    if (page == 1) {
        QCOMPARE(control(w.get(), "im2")->isVisible(), consultantLogo);
        QVERIFY(control(w.get(), "im1")->isVisible());
    }
    for (const char* button : {"btnAdd", "btnEdit", "btnDel", "btnUpd", "btnGet", "Date1", "Date2"})
        QVERIFY(w->findChild<QWidget*>(QLatin1String(button)));
}

void TestTfrmBase::mrotVariantStaysForRefin() {
    fillFixture();
    auto w = f->makeWindow();
    w->selectEntry(4);
    auto* grid = control<IndicatorGrid>(w.get(), "grMROT_Refin");
    QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Размер"));
    QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("100"));
    QCOMPARE(w->cb1ItemIndex(), 0);
    auto* labour = control<QRadioButton>(w.get(), "cb1Item1");
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTest::mouseClick(labour, Qt::LeftButton, {}, QPoint(6, labour->height() / 2));
    QCOMPARE(w->cb1ItemIndex(), 1);
    QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("4330"));
    QCOMPARE(control<QLineEdit>(w.get(), "val2")->text(), QStringLiteral("4330"));
    // The choice holds for the refinancing rate too: its RAZMER2 is shown.
    w->selectEntry(5);
    QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("12,5"));
    QCOMPARE(control<QLineEdit>(w.get(), "val2")->text(), QStringLiteral("12,5"));
}

void TestTfrmBase::commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("currentDate");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("eur") << QStringList{"eur"} << 2 << "15.01.2009" << QStringList{};
    QTest::newRow("EUR ignored") << QStringList{"EUR"} << 1 << "14.01.2009" << QStringList{};
    QTest::newRow("refin") << QStringList{"refin"} << 5 << "01.12.2008" << QStringList{};
    QTest::newRow("mrot with a date") << QStringList{"mrot", "01.09.2007"} << 4 << "01.09.2007" << QStringList{};
    QTest::newRow("mrot, date not held") << QStringList{"mrot", "02.09.2007"} << 4 << "01.01.2009"
                                         << QStringList{"Запись не найдена"};
    QTest::newRow("mrot, not a date") << QStringList{"mrot", "завтра"} << 4 << "01.01.2009"
                                      << QStringList{"'завтра' is not a valid date"};
    QTest::newRow("three parameters") << QStringList{"mrot", "01.09.2007", "x"} << 4 << "01.01.2009" << QStringList{};
    QTest::newRow("date, no series") << QStringList{"x", "10.01.2009"} << 1 << "10.01.2009" << QStringList{};
}

void TestTfrmBase::commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, entry);
    QFETCH(QString, currentDate);
    QFETCH(QStringList, shown);
    fillFixture();
    auto w = f->makeWindow(arguments);
    w->FormActivate();
    QCOMPARE(w->selectedIndex(), entry);
    QCOMPARE(w->activeTable().displayText(u"CURDATE"), currentDate);
    QCOMPARE(f->prompts.texts(), shown);
    if (arguments.size() == 2 && shown.isEmpty())
        QCOMPARE(control<QDateEdit>(w.get(), "SearchDate")->date(), QDate::fromString(arguments[1], "dd.MM.yyyy"));
}

void TestTfrmBase::commandLineViewComesBack() {
    fillFixture();
    auto w = f->makeWindow({"eur"});
    w->FormActivate();
    QCOMPARE(w->selectedIndex(), 2);
    w->selectEntry(4);
    QCOMPARE(w->activeTable().tableName(), QStringLiteral("mrot"));
    w->FormActivate();
    QCOMPARE(w->selectedIndex(), 2);
    QCOMPARE(w->activeTable().tableName(), QStringLiteral("EUR"));
}

void TestTfrmBase::activationAfterOwnDialogOnly() {
    fillFixture();
    auto w = f->makeWindow({"eur"});
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    // Showing the window is its first activation.
    QTRY_COMPARE(w->selectedIndex(), 2);

    // A message box closing does not count: a message of the activation itself would come back for ever.
    w->selectEntry(4);
    {
        QMessageBox box(QMessageBox::Information, "Tarvel", "x", QMessageBox::Ok, w.get());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.hide();
    }
    QTest::qWait(20);
    QCOMPARE(w->selectedIndex(), 4);

    // One of the window's own dialogs closing does.
    {
        QDialog dialog(w.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.accept();
    }
    QTRY_COMPARE(w->selectedIndex(), 2);
}

void TestTfrmBase::dateRangeFields() {
    fillFixture();
    auto w = f->makeWindow();
    auto* date1 = control<MaskedDateEdit>(w.get(), "Date1");
    auto* date2 = control<MaskedDateEdit>(w.get(), "Date2");
    QCOMPARE(date1->maxLength(), 8);
    // A change of series: from the day after the newest record to tomorrow, years in two digits.
    QCOMPARE(date1->maskedText(), QStringLiteral("15.01.09"));
    QCOMPARE(date2->maskedText(), QStringLiteral("12.12.26"));
    // The activation ends the range today.
    w->FormActivate();
    QCOMPARE(date1->maskedText(), QStringLiteral("15.01.09"));
    QCOMPARE(date2->maskedText(), QStringLiteral("11.12.26"));
    QCOMPARE(control<QDateEdit>(w.get(), "SearchDate")->date(), testToday());

    // An empty series starts today, and the activation moves the start to yesterday.
    w->selectEntry(3);
    auto* combo = control<QComboBox>(w.get(), "ValCombo");
    combo->setCurrentIndex(2);
    w->ValComboChange();
    QCOMPARE(w->activeTable().tableName(), QStringLiteral("GBP"));
    w->FormActivate();
    QCOMPARE(date1->maskedText(), QStringLiteral("10.12.26"));
    QCOMPARE(date2->maskedText(), QStringLiteral("11.12.26"));
    date1->clear();
    QCOMPARE(date1->maskedText(), QStringLiteral("  .  .  "));
}

void TestTfrmBase::gridClicksRecalculate() {
    fillFixture();
    auto w = f->makeWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    auto* grid = control<IndicatorGrid>(w.get(), "grKurs");
    auto* val2 = control<QLineEdit>(w.get(), "val2");
    auto clickRow = [grid](int row) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 1)).center());
    };
    QCOMPARE(val2->text(), QStringLiteral("29,9"));
    clickRow(1);
    QCOMPARE(val2->text(), QStringLiteral("29,3804"));
    QCOMPARE(control<QGroupBox>(w.get(), "gb5")->title(), QStringLiteral("Экспресс-расчет на 10.01.2009"));
    // The group entry shows the dollar; the express calculation follows the record there too.
    w->selectEntry(0);
    QCOMPARE(val2->text(), QStringLiteral("29,9"));
    clickRow(1);
    QCOMPARE(w->activeTable().currentRow(), 1);
    QCOMPARE(val2->text(), QStringLiteral("29,3804"));
}

void TestTfrmBase::ctrlDeleteAsksFirst() {
    fillFixture();
    auto w = f->makeWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    auto* grid = control<IndicatorGrid>(w.get(), "grKurs");
    f->prompts.setNextAnswers({false, true});
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(f->db.count("USD"), 2);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(f->db.count("USD"), 1);
    QCOMPARE(f->prompts.texts(ScriptedPrompts::Kind::Confirm), QStringList({"Delete record?", "Delete record?"}));
    QCOMPARE(grid->model()->rowCount(), 1);
}

QTEST_MAIN(TestTfrmBase)
#include "tst_tfrmbase.moc"
