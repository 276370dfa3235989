#include "WindowFixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

// The express calculation: an amount at the value of the current record, and the word for roubles.
class TestExpressCalc : public QObject {
    Q_OBJECT
private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }
    void calculation_data();
    void calculation();
    void declension_data();
    void declension();
    void lettersInAField();
    void enterInEitherField();
    void groupNodeDoesNothing();
    void codeOfSeriesOnScreen_data();
    void codeOfSeriesOnScreen();
    void resultShownFromFirstDigit_data();
    void resultShownFromFirstDigit();
    void resultTooLarge_data();
    void resultTooLarge();

private:
    std::unique_ptr<WindowFixture> f;
};

void TestExpressCalc::calculation_data() {
    QTest::addColumn<QString>("table"); // holds one record of 01.07.2009; empty: the series is empty
    QTest::addColumn<QVariant>("v1");   // NOMINAL, or RAZMER
    QTest::addColumn<QVariant>("v2");   // KURS, or RAZMER2
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("pick"); // ValCombo row for the other currencies
    QTest::addColumn<QString>("typed1");
    QTest::addColumn<QString>("typed2"); // non-empty: typed in val2 and calculated back
    QTest::addColumn<QString>("result1");
    QTest::addColumn<QString>("result2");
    QTest::addColumn<QString>("skl"); // empty: hidden
    QTest::addColumn<QString>("skl2");
    QTest::addColumn<QString>("caption");

    const QString on = "Экспресс-расчет на 01.07.2009";
    QTest::newRow("dollar 28.62") << "USD" << QVariant(1) << QVariant(28.62) << 1 << -1 << "1"
                                  << ""
                                  << "1"
                                  << "28,62"
                                  << "USD"
                                  << "рубля" << on;
    QTest::newRow("dollar, 100 roubles back") << "USD" << QVariant(1) << QVariant(28.62) << 1 << -1 << "1"
                                              << "100"
                                              << "3,49406009783368"
                                              << "100"
                                              << "USD"
                                              << "рублей" << on;
    QTest::newRow("nominal 100") << "EUR" << QVariant(100) << QVariant(27.5) << 2 << -1 << "200"
                                 << ""
                                 << "200"
                                 << "55"
                                 << "EUR"
                                 << "рублей" << on;
    QTest::newRow("nominal 0") << "USD" << QVariant(0) << QVariant(27.5) << 1 << -1 << "200"
                               << ""
                               << "200"
                               << "0"
                               << "USD"
                               << "рублей" << on;
    QTest::newRow("nominal empty, back") << "USD" << QVariant() << QVariant(27.5) << 1 << -1 << "1"
                                         << "5"
                                         << "0"
                                         << "5"
                                         << "USD"
                                         << "рублей" << on;
    QTest::newRow("rate empty") << "USD" << QVariant(1) << QVariant() << 1 << -1 << "1"
                                << ""
                                << "1"
                                << "0"
                                << "USD"
                                << "рублей" << on;
    QTest::newRow("empty series") << "" << QVariant() << QVariant() << 2 << -1 << "1"
                                  << ""
                                  << "1"
                                  << "0"
                                  << "EUR"
                                  << "рублей"
                                  << "Экспресс-расчет на ";
    QTest::newRow("other currency") << "AUD" << QVariant(1) << QVariant(21.2) << 3 << 0 << "2"
                                    << ""
                                    << "2"
                                    << "42,4"
                                    << "AUD"
                                    << "рубля" << on;
    QTest::newRow("tiny amount") << "USD" << QVariant(1) << QVariant(30.0) << 1 << -1 << "0,000001"
                                 << ""
                                 << "0,000001"
                                 << "3E-5"
                                 << "USD"
                                 << "рубля" << on;
    QTest::newRow("mrot") << "MROT" << QVariant(100) << QVariant(4330) << 4 << -1 << "2"
                          << ""
                          << "2"
                          << "200"
                          << ""
                          << "рублей" << on;
    QTest::newRow("mrot back") << "MROT" << QVariant(100) << QVariant(4330) << 4 << -1 << "2"
                               << "350"
                               << "3,5"
                               << "350"
                               << ""
                               << "рублей" << on;
    QTest::newRow("refin") << "refin" << QVariant(13) << QVariant() << 5 << -1 << "1"
                           << ""
                           << "1"
                           << "13"
                           << ""
                           << "рублей" << on;
}

void TestExpressCalc::calculation() {
    QFETCH(QString, table);
    QFETCH(QVariant, v1);
    QFETCH(QVariant, v2);
    QFETCH(int, entry);
    QFETCH(int, pick);
    QFETCH(QString, typed1);
    QFETCH(QString, typed2);
    QFETCH(QString, result1);
    QFETCH(QString, result2);
    QFETCH(QString, skl);
    QFETCH(QString, skl2);
    QFETCH(QString, caption);
    if (!table.isEmpty())
        f->db.add(table, QDate(2009, 7, 1), v1, v2, 1);
    auto w = f->makeWindow();
    w->selectEntry(entry);
    if (pick >= 0) {
        control<QComboBox>(w.get(), "ValCombo")->setCurrentIndex(pick);
        w->ValComboChange();
    }
    auto* val1 = control<QLineEdit>(w.get(), "val1");
    auto* val2 = control<QLineEdit>(w.get(), "val2");
    val1->setText(typed1);
    const bool back = !typed2.isEmpty();
    if (back)
        val2->setText(typed2);
    if (entry <= 3)
        w->CalcKursExpress(back);
    else
        w->CalcStavkaExpress(back);

    QCOMPARE(f->prompts.texts(), QStringList());
    QCOMPARE(val1->text(), result1);
    QCOMPARE(val2->text(), result2);
    auto* label = control<QLabel>(w.get(), "Skl");
    QCOMPARE(label->isVisibleTo(w.get()), !skl.isEmpty());
    if (!skl.isEmpty())
        QCOMPARE(label->text(), skl);
    QCOMPARE(control<QLabel>(w.get(), "Skl2")->text(), skl2);
    QCOMPARE(control<QLabel>(w.get(), "Skl2")->isVisibleTo(w.get()), entry != 5);
    QCOMPARE(control<QGroupBox>(w.get(), "gb5")->title(), caption);
}

void TestExpressCalc::declension_data() {
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("word");
    // A fraction takes "рубля"; 11 to 14 at the end "рублей"; then the last digit.
    const struct {
        const char* amount;
        const char* word;
    } rows[] = {{"0", "рублей"},       {"1", "рубль"},        {"2", "рубля"},        {"5", "рублей"},
                {"11", "рублей"},      {"12", "рублей"},      {"14", "рублей"},      {"21", "рубль"},
                {"22", "рубля"},       {"25", "рублей"},      {"101", "рубль"},      {"111", "рублей"},
                {"112", "рублей"},     {"1000001", "рубль"},  {"0,5", "рубля"},      {"21,9", "рубля"},
                {"-3", "рубля"},       {"-11", "рублей"},     {"28,62", "рубля"},    {"-0,5", "рубля"},
                {"1E20", "рублей"},    {"3E-5", "рубля"},     {"1E1", "рублей"},     {"2,5E1", "рублей"}};
    for (const auto& row : rows)
        QTest::newRow(row.amount) << QString::fromUtf8(row.amount) << QString::fromUtf8(row.word);
}

void TestExpressCalc::declension() {
    QFETCH(QString, amount);
    QFETCH(QString, word);
    f->db.add("USD", QDate(2009, 7, 1), 1, 1.0, 1);
    auto w = f->makeWindow();
    control<QLineEdit>(w.get(), "val1")->setText(amount);
    w->CalcKursExpress(false);
    QCOMPARE(control<QLabel>(w.get(), "Skl2")->text(), word);
}

void TestExpressCalc::lettersInAField() {
    f->db.add("USD", QDate(2009, 7, 1), 1, 28.62, 1);
    f->db.add("USD", QDate(2009, 6, 30), 1, 28.5, 1);
    auto w = f->makeWindow();
    auto* val1 = control<QLineEdit>(w.get(), "val1");
    auto* val2 = control<QLineEdit>(w.get(), "val2");
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    val1->setFocus();
    val1->selectAll();
    // No character is refused while typing.
    QTest::keyClicks(val1, "1a,b");
    QCOMPARE(val1->text(), QStringLiteral("1a,b"));
    w->activeTable().moveTo(1);
    f->prompts.clear();
    QTest::keyClick(val1, Qt::Key_Return);
    QCOMPARE(f->prompts.texts(ScriptedPrompts::Kind::Message),
             QStringList{"'1a,b' is not a valid floating point value"});
    // The caption was written before the reading failed; the result keeps its previous contents.
    QCOMPARE(control<QGroupBox>(w.get(), "gb5")->title(), QStringLiteral("Экспресс-расчет на 30.06.2009"));
    QCOMPARE(val2->text(), QStringLiteral("28,62"));

    // An empty field is no number either.
    val1->clear();
    f->prompts.clear();
    w->val1Exit();
    QCOMPARE(f->prompts.texts(), QStringList{"'' is not a valid floating point value"});
}

void TestExpressCalc::enterInEitherField() {
    f->db.add("USD", QDate(2009, 7, 1), 1, 28.62, 1);
    auto w = f->makeWindow();
    auto* val1 = control<QLineEdit>(w.get(), "val1");
    auto* val2 = control<QLineEdit>(w.get(), "val2");
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    val2->setFocus();
    val2->setText("100");
    QTest::keyClick(val2, Qt::Key_Enter);
    QCOMPARE(val1->text(), QStringLiteral("3,49406009783368"));
    val1->setFocus();
    val1->setText(" 2 ");
    // Leaving the field does not recalculate; Enter does.
    val2->setFocus();
    QCOMPARE(val2->text(), QStringLiteral("100"));
    val1->setFocus();
    QTest::keyClick(val1, Qt::Key_Return);
    QCOMPARE(val2->text(), QStringLiteral("57,24"));
}

void TestExpressCalc::groupNodeDoesNothing() {
    f->db.add("USD", QDate(2009, 7, 1), 1, 28.62, 1);
    auto w = f->makeWindow();
    w->selectEntry(0);
    auto* val1 = control<QLineEdit>(w.get(), "val1");
    auto* val2 = control<QLineEdit>(w.get(), "val2");
    QCOMPARE(val2->text(), QStringLiteral("28,62")); // the change of series itself calculates
    val1->setText("2");
    w->val1Exit();
    val2->setText("7");
    w->val2Exit();
    QCOMPARE(val1->text(), QStringLiteral("2"));
    QCOMPARE(val2->text(), QStringLiteral("7"));
    QVERIFY(f->prompts.shown.isEmpty());
}

void TestExpressCalc::codeOfSeriesOnScreen_data() {
    QTest::addColumn<int>("before"); // the entry chosen first
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("pick"); // ValCombo row picked afterwards, -1 for none
    QTest::addColumn<QString>("code");
    QTest::newRow("mrot, then dollar") << 4 << 1 << -1 << "USD";
    QTest::newRow("refin, then euro") << 5 << 2 << -1 << "EUR";
    QTest::newRow("inflation, then dollar") << 6 << 1 << -1 << "USD";
    QTest::newRow("mrot, then other") << 4 << 3 << -1 << "DEM";
    QTest::newRow("mrot, then other, yen") << 4 << 3 << 25 << "JPY";
    QTest::newRow("other, then group node") << 3 << 0 << -1 << "USD";
}

void TestExpressCalc::codeOfSeriesOnScreen() {
    QFETCH(int, before);
    QFETCH(int, entry);
    QFETCH(int, pick);
    QFETCH(QString, code);
    f->db.add("USD", QDate(2009, 7, 1), 1, 28.62, 1);
    f->db.add("MROT", QDate(2009, 1, 1), 100, 4330, 2);
    f->db.add("JPY", QDate(2009, 7, 1), 100, 30.5, 1);
    auto w = f->makeWindow();
    w->selectEntry(before);
    w->selectEntry(entry);
    if (pick >= 0) {
        control<QComboBox>(w.get(), "ValCombo")->setCurrentIndex(pick);
        w->ValComboChange();
    }
    auto* label = control<QLabel>(w.get(), "Skl");
    QVERIFY(label->isVisibleTo(w.get()));
    QCOMPARE(label->text(), code);
    // A further choice of the same kind keeps it shown.
    w->selectEntry(2);
    QVERIFY(label->isVisibleTo(w.get()));
    QCOMPARE(label->text(), QStringLiteral("EUR"));
}

void TestExpressCalc::resultShownFromFirstDigit_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("back"); // typed in val2
    QTest::addColumn<QString>("result");
    QTest::newRow("val2 long") << "123456789" << false << "9433271519,0955";
    QTest::newRow("val1 long") << "1" << true << "0,0130873778784052";
}

void TestExpressCalc::resultShownFromFirstDigit() {
    QFETCH(QString, typed);
    QFETCH(bool, back);
    QFETCH(QString, result);
    f->db.add("USD", QDate(2009, 7, 1), 1, 76.4095, 1);
    auto w = f->makeWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    auto* input = control<QLineEdit>(w.get(), back ? "val2" : "val1");
    auto* output = control<QLineEdit>(w.get(), back ? "val1" : "val2");
    input->setFocus();
    input->setText(typed);
    QTest::keyClick(input, Qt::Key_Return);
    QCOMPARE(output->text(), result);
    QCOMPARE(output->cursorPosition(), 0);
    QCOMPARE(output->toolTip(), result);
    // The first digit is drawn at the left of the field, not scrolled out of it.
    QStyleOptionFrame option;
    option.initFrom(output);
    const QRect text = output->style()->subElementRect(QStyle::SE_LineEditContents, &option, output);
    QVERIFY(output->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() <= text.left() + output->fontMetrics().averageCharWidth());
    QCOMPARE(f->prompts.texts(), QStringList());
}

void TestExpressCalc::resultTooLarge_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("back");
    QTest::newRow("dollar 1E308") << 1 << "1E308" << false;
    QTest::newRow("dollar back 1E308") << 1 << "1E308" << true;
    QTest::newRow("mrot 1E308") << 4 << "1E308" << false;
}

void TestExpressCalc::resultTooLarge() {
    QFETCH(int, entry);
    QFETCH(QString, typed);
    QFETCH(bool, back);
    f->db.add("USD", QDate(2009, 7, 1), 1, 76.4095, 1);
    f->db.add("MROT", QDate(2009, 1, 1), 100, 4330, 2);
    f->db.add("USD", QDate(2009, 6, 30), 1, 0.0001, 1);
    auto w = f->makeWindow();
    w->selectEntry(entry);
    if (back)
        w->activeTable().moveTo(1); // a tiny rate: dividing by it overflows
    auto* input = control<QLineEdit>(w.get(), back ? "val2" : "val1");
    auto* output = control<QLineEdit>(w.get(), back ? "val1" : "val2");
    const QString before = output->text();
    input->setText(typed);
    f->prompts.clear();
    back ? w->val2Exit() : w->val1Exit();
    QCOMPARE(f->prompts.texts(ScriptedPrompts::Kind::Message), QStringList{"Результат слишком велик для расчёта."});
    QCOMPARE(input->text(), typed);
    QCOMPARE(output->text(), before);
}

QTEST_MAIN(TestExpressCalc)
#include "tst_expresscalc.moc"
