#include "ScriptedPrompts.h"
#include "TestDb.h"
#include "store/RecordMerge.h"
#include "store/TableObject.h"

#include <QtTest>

Q_DECLARE_METATYPE(const ImporterProfile*)
Q_DECLARE_METATYPE(QList<Prompts::Answer>)

namespace {
Fixed4 f4(const char* text) {
    return *Fixed4::fromDecimal(*parseDecimal(QString::fromLatin1(text), QLatin1Char(',')));
}
} // namespace

class TestRecordMerge : public QObject {
    Q_OBJECT
private slots:
    void decision_data();
    void decision();
    void questionText();
    void sameDateTwiceInOneFile();
    void garantFindsDateOutsideCurrentRecord();
    void answerForAll_data();
    void answerForAll();

private:
    RegionalSettings m_ru = RegionalSettings::russian();
};

void TestRecordMerge::decision_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<const ImporterProfile*>("profile");
    QTest::addColumn<QVariant>("storedValue"); // invalid QVariant with storedUpd -1: no stored record
    QTest::addColumn<QVariant>("storedValue2");
    QTest::addColumn<int>("storedUpd");
    QTest::addColumn<QString>("incoming");
    QTest::addColumn<QString>("incoming2");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("questionUpd"); // -1: no question
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("changed");
    QTest::addColumn<double>("finalValue");
    QTest::addColumn<QVariant>("finalValue2");
    QTest::addColumn<int>("finalUpd");

    const QString usd = QStringLiteral("USD"), mrot = QStringLiteral("MROT"), refin = QStringLiteral("refin");
    const QVariant none;
    using P = const ImporterProfile*;
    QTest::newRow("add") << usd << P(&Profiles::ConsultantDollar) << none << none << -1 << "29,3804" << "" << true
                         << -1 << 1 << 0 << 29.3804 << none << 1;
    QTest::newRow("equal") << usd << P(&Profiles::GarantRates) << QVariant(31.78) << none << 1 << "31,7800" << ""
                           << true << -1 << 0 << 0 << 31.78 << none << 1;
    QTest::newRow("equal at four places") << usd << P(&Profiles::GarantRates) << QVariant(31.78004) << none << 0
                                          << "31,78" << "" << true << -1 << 0 << 0 << 31.78004 << none << 0;
    QTest::newRow("own source kept, ConsultantPlus")
        << usd << P(&Profiles::ConsultantDollar) << QVariant(31.1) << none << 1 << "31,0908" << "" << true << -1 << 0
        << 0 << 31.1 << none << 1;
    QTest::newRow("own source kept, Garant") << refin << P(&Profiles::GarantRefin) << QVariant(8.0) << none << 2
                                             << "8,25" << "" << true << -1 << 0 << 0 << 8.0 << none << 2;
    QTest::newRow("Garant asks of ConsultantPlus value")
        << usd << P(&Profiles::GarantRates) << QVariant(31.1) << none << 1 << "31,0908" << "" << true << 1 << 0 << 1
        << 31.0908 << none << 2;
    QTest::newRow("ConsultantPlus asks of Garant value")
        << usd << P(&Profiles::ConsultantEuro) << QVariant(43.9) << none << 2 << "43,879" << "" << true << 2 << 0 << 1
        << 43.879 << none << 1;
    QTest::newRow("asks of typed value") << refin << P(&Profiles::ConsultantRefin) << QVariant(8.0) << none << 0
                                         << "8,25" << "" << true << 0 << 0 << 1 << 8.25 << none << 1;
    QTest::newRow("asks of downloaded value") << usd << P(&Profiles::ConsultantDollar) << QVariant(28.6) << none << 3
                                              << "28,62" << "" << true << 3 << 0 << 1 << 28.62 << none << 1;
    QTest::newRow("asks of shipped value, ConsultantPlus")
        << usd << P(&Profiles::ConsultantDollar) << QVariant(28.6) << none << 4 << "28,62" << "" << true << 4 << 0 << 1
        << 28.62 << none << 1;
    QTest::newRow("asks of shipped value, Garant") << refin << P(&Profiles::GarantRefin) << QVariant(8.0) << none << 4
                                                   << "8,25" << "" << false << 4 << 0 << 0 << 8.0 << none << 4;
    QTest::newRow("No keeps") << usd << P(&Profiles::ConsultantDollar) << QVariant(28.6) << none << 3 << "28,62" << ""
                              << false << 3 << 0 << 0 << 28.6 << none << 3;
    QTest::newRow("empty stored value asks and goes on")
        << usd << P(&Profiles::GarantRates) << none << none << 0 << "31,5" << "" << true << 0 << 0 << 1 << 31.5 << none
        << 2;
    QTest::newRow("MROT compares RAZMER only") << mrot << P(&Profiles::ConsultantMrot) << QVariant(100.0)
                                               << QVariant(300.0) << 2 << "100" << "500" << true << -1 << 0 << 0
                                               << 100.0 << QVariant(300.0) << 2;
    QTest::newRow("MROT replacement rewrites both") << mrot << P(&Profiles::ConsultantMrot) << QVariant(83.49)
                                                    << QVariant(300.0) << 2 << "100" << "450" << true << 2 << 0 << 1
                                                    << 100.0 << QVariant(450.0) << 1;
    QTest::newRow("MROT add, ConsultantPlus") << mrot << P(&Profiles::ConsultantMrot) << none << none << -1 << "100"
                                              << "300" << true << -1 << 1 << 0 << 100.0 << QVariant(300.0) << 1;
    QTest::newRow("Garant MROT add leaves RAZMER2 empty") << mrot << P(&Profiles::GarantMrot) << none << none << -1
                                                          << "300" << "" << true << -1 << 1 << 0 << 300.0 << none << 2;
    QTest::newRow("Garant MROT replacement keeps RAZMER2")
        << mrot << P(&Profiles::GarantMrot) << QVariant(100.0) << QVariant(450.0) << 1 << "300" << "" << true << 1 << 0
        << 1 << 300.0 << QVariant(450.0) << 2;
}

void TestRecordMerge::decision() {
    QFETCH(QString, table);
    QFETCH(const ImporterProfile*, profile);
    QFETCH(QVariant, storedValue);
    QFETCH(QVariant, storedValue2);
    QFETCH(int, storedUpd);
    QFETCH(QString, incoming);
    QFETCH(QString, incoming2);
    QFETCH(bool, answer);
    QFETCH(int, questionUpd);
    QFETCH(int, added);
    QFETCH(int, changed);
    QFETCH(double, finalValue);
    QFETCH(QVariant, finalValue2);
    QFETCH(int, finalUpd);

    TestDb t;
    const bool currency = table == QLatin1String("USD");
    const QDate day(2009, 7, 1);
    const QDate written(2009, 7, 3);
    if (storedUpd >= 0) {
        if (currency)
            t.add(table, day, 10, storedValue, storedUpd, written);
        else
            t.add(table, day, storedValue, storedValue2, storedUpd, written);
    }
    t.add(table, QDate(2009, 6, 30), currency ? QVariant(1) : QVariant(1.0), 5.0, 1); // a neighbour, untouched

    Clock clock;
    clock.setToday(testToday());
    TableObject obj(t.db(), currency ? Layout::Currency : Layout::Wage, table, m_ru, clock);
    obj.open();
    obj.last(); // the cursor is not where the date is: the whole series is searched
    ScriptedPrompts prompts;
    prompts.setNextAnswers({answer});
    ChangeCounters counters;
    MergeContext context{obj, counters, prompts, clock, m_ru};
    ImportedRecord record{day, f4(qPrintable(incoming)),
                          incoming2.isEmpty() ? f4(qPrintable(incoming)) : f4(qPrintable(incoming2))};
    MergeImportedRecord(record, *profile, context);

    if (questionUpd < 0) {
        QVERIFY2(prompts.shown.isEmpty(), qPrintable(prompts.texts().join(QLatin1Char('|'))));
    } else {
        QCOMPARE(prompts.shown.size(), 1);
        QVERIFY(prompts.shown[0].text.contains(SourceSentence(questionUpd)));
    }
    QCOMPARE(counters.added, added);
    QCOMPARE(counters.changed, changed);

    TableObject check(t.db(), obj.layout(), table, m_ru, clock);
    check.open();
    QCOMPARE(check.recordCount(), 2);
    check.moveTo(check.findDate(day));
    const QString compared = QLatin1String(profile->comparedColumn);
    QCOMPARE(check.asFixed4(compared).count(), Fixed4::fromDouble(finalValue).count());
    QCOMPARE(check.asInteger(u"UPD"), finalUpd);
    if (!currency) {
        QCOMPARE(check.value(u"RAZMER2").isValid(), finalValue2.isValid());
        if (finalValue2.isValid())
            QCOMPARE(check.asFloat(u"RAZMER2"), finalValue2.toDouble());
    } else {
        // A replacement keeps NOMINAL; an insert writes 1.
        QCOMPARE(check.asInteger(u"NOMINAL"), storedUpd >= 0 ? 10 : 1);
    }
    const bool wrote = added + changed > 0;
    QCOMPARE(check.asDate(u"DT"), wrote ? testToday() : (storedUpd >= 0 ? written : QDate()));
}

void TestRecordMerge::questionText() {
    const QString text = ReplaceQuestionText(QDate(2009, 7, 1), QStringLiteral("31,1"), f4("31,0908"), 1, m_ru);
    QCOMPARE(text, QStringLiteral("Импортируемые данные и данные в таблице не совпадают. \n"
                                  "На 01.07.2009 в таблице значение - 31,1, а в импортируемой записи - 31,0908. \n"
                                  "Значение в таблице было добавлено из системы \"КонсультантПлюс\".\n"
                                  "Вы хотите заменить значение в таблице на импортируемое?"));
    const QString empty = ReplaceQuestionText(QDate(2009, 7, 1), QString(), f4("5"), 0, m_ru);
    QVERIFY(empty.contains(QStringLiteral("в таблице значение - , а в импортируемой записи - 5. ")));
}

void TestRecordMerge::sameDateTwiceInOneFile() {
    TestDb t;
    Clock clock;
    TableObject usd(t.db(), Layout::Currency, QStringLiteral("USD"), m_ru, clock);
    usd.open();
    ScriptedPrompts prompts;
    ChangeCounters counters;
    MergeContext context{usd, counters, prompts, clock, m_ru};
    MergeImportedRecord({QDate(2009, 1, 10), f4("29,38"), {}}, Profiles::ConsultantDollar, context);
    MergeImportedRecord({QDate(2009, 1, 10), f4("29,50"), {}}, Profiles::ConsultantDollar, context);
    QCOMPARE(counters.added, 1);
    QCOMPARE(counters.changed, 0);
    QVERIFY(prompts.shown.isEmpty());
    QCOMPARE(t.count(QStringLiteral("USD")), 1);
    QCOMPARE(usd.asFixed4(u"KURS").count(), 293800);
}

void TestRecordMerge::garantFindsDateOutsideCurrentRecord() {
    TestDb t;
    t.add(QStringLiteral("MROT"), QDate(2001, 7, 1), 100.0, 300.0, 1);
    t.add(QStringLiteral("MROT"), QDate(2006, 5, 1), 100.0, 1100.0, 1);
    Clock clock;
    TableObject mrot(t.db(), Layout::Wage, QStringLiteral("mrot"), m_ru, clock);
    mrot.open(); // current record: 01.05.2006
    ScriptedPrompts prompts;
    prompts.setNextAnswers({false});
    ChangeCounters counters;
    MergeContext context{mrot, counters, prompts, clock, m_ru};
    MergeImportedRecord({QDate(2001, 7, 1), f4("300"), {}}, Profiles::GarantMrot, context);
    QCOMPARE(t.count(QStringLiteral("MROT")), 2); // no second record of 01.07.2001
    QCOMPARE(prompts.shown.size(), 1);
    QCOMPARE(counters.added + counters.changed, 0);
}

void TestRecordMerge::answerForAll_data() {
    QTest::addColumn<QList<Prompts::Answer>>("answers");
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("changed");
    using A = Prompts::Answer;
    QTest::newRow("Да для всех at once") << QList<A>{A::YesToAll} << 1 << 3;
    QTest::newRow("Нет для всех at once") << QList<A>{A::NoToAll} << 1 << 0;
    QTest::newRow("Нет, then Да для всех") << QList<A>{A::No, A::YesToAll} << 2 << 2;
    QTest::newRow("Да, then Нет для всех") << QList<A>{A::Yes, A::NoToAll} << 2 << 1;
    QTest::newRow("one by one") << QList<A>{A::Yes, A::No, A::Yes} << 3 << 2;
}

void TestRecordMerge::answerForAll() {
    QFETCH(QList<Prompts::Answer>, answers);
    QFETCH(int, questions);
    QFETCH(int, changed);
    TestDb t;
    const QList<QDate> days{QDate(2009, 1, 13), QDate(2009, 1, 10), QDate(2008, 9, 1)};
    for (const QDate d : days)
        t.add("USD", d, 1, 20.0, 4); // shipped with the program
    Clock clock;
    TableObject usd(t.db(), Layout::Currency, QStringLiteral("USD"), m_ru, clock);
    usd.open();
    ScriptedPrompts prompts;
    prompts.setNextForAllAnswers(answers);
    prompts.setDefaultAnswer(false);
    ChangeCounters counters;
    MergeContext context{usd, counters, prompts, clock, m_ru};
    for (const QDate d : days)
        MergeImportedRecord({d, f4("29,5"), {}}, Profiles::GarantRates, context);
    QCOMPARE(prompts.shown.size(), questions);
    QCOMPARE(counters.changed, changed);
    QCOMPARE(counters.added, 0);
    // A new import asks again: the answer for all belonged to the last one.
    MergeContext next{usd, counters, prompts, clock, m_ru};
    prompts.clear();
    MergeImportedRecord({QDate(2009, 1, 13), f4("31"), {}}, Profiles::ConsultantDollar, next);
    QCOMPARE(prompts.shown.size(), 1);
}

QTEST_GUILESS_MAIN(TestRecordMerge)
#include "tst_recordmerge.moc"
