#include "common/AppError.h"
#include "common/RegionalSettings.h"
#include "import/ImportParsers.h"
#include "import/ImportRun.h"
#include "import/ImportText.h"

#include <QHash>
#include <QtTest>

namespace {
// The bytes that decode to `text`, in windows-1251 or through the DOS table.
QByteArray encode(const QString& text, bool dos) {
    static const auto table = [](bool dosTable) {
        QHash<QChar, char> h;
        for (int b = 255; b > 0; --b) {
            const QByteArray byte(1, char(b));
            h.insert((dosTable ? DecodeDosLine(byte) : DecodeWindows1251(byte)).at(0), char(b));
        }
        return h;
    };
    static const QHash<QChar, char> windows = table(false), dosChars = table(true);
    const QHash<QChar, char>& h = dos ? dosChars : windows;
    QByteArray out;
    for (QChar c : text) {
        if (!h.contains(c))
            qFatal("character U+%04X is outside the code page", unsigned(c.unicode()));
        out.append(h.value(c));
    }
    return out;
}

QString number(Fixed4 f) {
    return QString::number(f.toDouble(), 'g', 15);
}

// Runs a parser over the lines (the signature line already read) and describes what it merged:
// "dd.MM.yyyy value" per record, "value/value2" with `withValue2`, then "fail N" when it threw at line N.
QString parse(const std::function<void(ImportRun&)>& parser, const QString& lines, const ImporterProfile& profile,
              bool dos = false, bool withValue2 = false, bool withCause = false) {
    LineReader reader(encode(lines, dos));
    QStringList out;
    const ImporterProfile* seen = &profile;
    ImportRun run(reader, RegionalSettings::russian(), 2026, [&](const ImportedRecord& r, const ImporterProfile& p) {
        if (&p != &profile)
            seen = &p;
        QString text = r.date.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(' ') + number(r.value);
        if (withValue2)
            text += QLatin1Char('/') + number(r.value2);
        out << text;
    });
    run.dosMode = dos;
    try {
        parser(run);
    } catch (const AppError& e) {
        out << QStringLiteral("fail %1").arg(reader.lineNumber()) +
                   (withCause ? QStringLiteral(": ") + e.text() : QString());
    }
    if (seen != &profile)
        out << QStringLiteral("wrong profile %1").arg(QLatin1String(seen->parser));
    return out.join(QStringLiteral("; "));
}

QString pad(const QString& text, int column, const QString& value) {
    return text.leftJustified(column - 1, QLatin1Char(' ')) + value;
}
} // namespace

class TestImportParsers : public QObject {
    Q_OBJECT
private slots:
    void consultantDollar_data();
    void consultantDollar();
    void consultantEuro_data();
    void consultantEuro();
    void garantRates_data();
    void garantRates();
    void consultantRefin_data();
    void consultantRefin();
    void garantRefin_data();
    void garantRefin();
    void consultantMrot_data();
    void consultantMrot();
    void garantMrot_data();
    void garantMrot();
    void columnsAndValues_data();
    void columnsAndValues();

private:
    static void columns() {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("expected");
    }
};

void TestImportParsers::consultantDollar_data() {
    columns();
    QTest::newRow("rate") << "с 10 января 2009 г.   29,3804"
                          << "10.01.2009 29.3804";
    QTest::newRow("decimal point") << "с 10 января 2009 г.   29.3804"
                                   << "10.01.2009 29.3804";
    QTest::newRow("со and one-digit day") << "со 2 февраля 1999 г.  22,6000"
                                          << "02.02.1999 22.6";
    QTest::newRow("two-digit day") << "с 02 февраля 1999 г.  22,6000"
                                   << "02.02.1999 22.6";
    QTest::newRow("one-digit day after с") << "с 2 февраля 1999 г.   22,6000"
                                           << "fail 1";
    QTest::newRow("roubles and kopecks") << "с 06 января 1998 г.   5 руб. 96 коп."
                                         << "06.01.1998 5.96";
    QTest::newRow("one-digit kopecks") << "с 06 января 1998 г.   5 руб. 5 коп."
                                       << "06.01.1998 5.05";
    QTest::newRow("no kopecks") << "с 06 января 1998 г.   5 руб."
                                << "fail 1";
    QTest::newRow("three-digit kopecks") << "с 06 января 1998 г.   5 руб. 596 коп."
                                         << "fail 1";
    QTest::newRow("text after the rate") << "с 10 января 2009 г.   29,3804 (новый)"
                                         << "10.01.2009 29.3804";
    QTest::newRow("rate missing") << "с 10 января 2009 г."
                                  << "fail 1";
    QTest::newRow("capital month") << "с 10 Января 2009 г.   29,3804"
                                   << "fail 1";
    QTest::newRow("no such day") << "с 30 февраля 2009 г.  29,3804"
                                 << "fail 1";
    QTest::newRow("no anchor") << "Дата                  1 Доллар США"
                               << "";
    QTest::newRow("note with с") << "с 10 января 2009 г.   29,3804\n\nКурс действует с учетом праздников."
                                 << "10.01.2009 29.3804; fail 3";
}

void TestImportParsers::consultantDollar() {
    QFETCH(QString, lines);
    QFETCH(QString, expected);
    QCOMPARE(parse(ParseConsultantDollar, lines, Profiles::ConsultantDollar), expected);
}

void TestImportParsers::consultantEuro_data() {
    columns();
    QTest::newRow("rate at column 56") << pad("с 10 января 2009 г.", 56, "41,4217") << "10.01.2009 41.4217";
    QTest::newRow("middle column ignored")
        << pad(pad("с 10 января 2009 г.", 25, "09.01.2009"), 56, "41.4217") << "10.01.2009 41.4217";
    QTest::newRow("со") << pad("со 2 февраля 1999 г.", 56, "25,73") << "02.02.1999 25.73";
    QTest::newRow("unit after the rate") << pad("с 10 января 2009 г.", 56, "41,4217 руб.") << "fail 1";
    QTest::newRow("rate missing") << pad("с 10 января 2009 г.", 25, "09.01.2009") << "fail 1";
    QTest::newRow("no anchor") << pad("Дата", 56, "1 ЕВРО") << "";
}

void TestImportParsers::consultantEuro() {
    QFETCH(QString, lines);
    QFETCH(QString, expected);
    QCOMPARE(parse(ParseConsultantEuro, lines, Profiles::ConsultantEuro), expected);
}

void TestImportParsers::garantRates_data() {
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("dollar");
    QTest::addColumn<QString>("euro");
    const QString july = pad("01/07/2009   31,0908", 40, "43,8790");
    QTest::newRow("both columns") << july << "01.07.2009 31.0908"
                                  << "01.07.2009 43.879";
    QTest::newRow("one-digit day with star") << pad("1/07/1999*   24,1900", 40, "25,1000") << "01.07.1999 24.19"
                                             << "01.07.1999 25.1";
    QTest::newRow("stars after the rates") << pad("30/06/2009   31,2900*", 40, "43,9700*") << "30.06.2009 31.29"
                                           << "30.06.2009 43.97";
    QTest::newRow("euro cut-off") << pad("01/01/1999   20,6500", 40, "24,0000") + "\n31/12/1998   20,6500\n" + july
                                  << "01.01.1999 20.65; 31.12.1998 20.65; 01.07.2009 31.0908"
                                  << "01.01.1999 24";
    QTest::newRow("euro missing") << "01/07/2009   31,0908"
                                  << "01.07.2009 31.0908"
                                  << "fail 1";
    QTest::newRow("text after the euro") << july + " руб."
                                         << "01.07.2009 31.0908"
                                         << "fail 1";
    QTest::newRow("no slash") << "  Дата       Доллар США                ЕВРО"
                              << ""
                              << "";
    QTest::newRow("note with a slash") << july + "\nКурс в руб./ед."
                                       << "01.07.2009 31.0908; fail 2"
                                       << "01.07.2009 43.879; fail 2";
    QTest::newRow("no such day") << pad("31/06/2009   31,0908", 40, "43,8790") << "fail 1"
                                 << "fail 1";
}

void TestImportParsers::garantRates() {
    QFETCH(QString, lines);
    QFETCH(QString, dollar);
    QFETCH(QString, euro);
    const auto column = [](GarantRateColumn c) { return [c](ImportRun& run) { ParseGarantRates(run, c); }; };
    QCOMPARE(parse(column(GarantRateColumn::Dollar), lines, Profiles::GarantRates), dollar);
    QCOMPARE(parse(column(GarantRateColumn::Euro), lines, Profiles::GarantRates), euro);
}

void TestImportParsers::consultantRefin_data() {
    columns();
    QTest::newRow("decimal point") << "с 1 июня 2011 г.        8.25"
                                   << "01.06.2011 8.25";
    QTest::newRow("decimal comma") << "с 1 июня 2011 г.        8,25"
                                   << "01.06.2011 8.25";
    QTest::newRow("two-digit day") << "с 14 сентября 2012 г.       8,25"
                                   << "14.09.2012 8.25";
    QTest::newRow("со") << "со 2 июня 2011 г.       8"
                        << "02.06.2011 8";
    QTest::newRow("document column ignored") << "с 3 мая 2011 г.             8,25    Указание от 29.04.2011 N 2618-У"
                                             << "03.05.2011 8.25";
    QTest::newRow("capital month") << "с 1 Июня 2011 г.        8,25"
                                   << "fail 1";
    QTest::newRow("rate missing") << "с 1 июня 2011 г."
                                  << "fail 1";
    QTest::newRow("no anchor") << "Период действия             (%, годовых)"
                               << "";
}

void TestImportParsers::consultantRefin() {
    QFETCH(QString, lines);
    QFETCH(QString, expected);
    QCOMPARE(parse(ParseConsultantRefin, lines, Profiles::ConsultantRefin), expected);
}

void TestImportParsers::garantRefin_data() {
    columns();
    QTest::newRow("rate") << "  15 октября 1997 г.            21%"
                          << "15.10.1997 21";
    QTest::newRow("fraction") << "  3 мая 2011 г.              8,25%"
                              << "03.05.2011 8.25";
    QTest::newRow("blank before %") << "  1 июня 2010 г.             7,75 %"
                                    << "01.06.2010 7.75";
    QTest::newRow("line start") << "28 февраля 2011 г. 8%"
                                << "28.02.2011 8";
    QTest::newRow("read as written") << "  3 мая 2011 г.              8.25%"
                                     << "fail 1";
    QTest::newRow("nothing before %") << "  3 мая 2011 г.              %"
                                      << "fail 1";
    QTest::newRow("heading with %") << "  Дата                     Размер, %"
                                    << "fail 1";
    QTest::newRow("no %") << "Примечание. Ставка применяется со дня введения."
                          << "";
}

void TestImportParsers::garantRefin() {
    QFETCH(QString, lines);
    QFETCH(QString, expected);
    QCOMPARE(parse(ParseGarantRefin, lines, Profiles::GarantRefin), expected);
}

void TestImportParsers::consultantMrot_data() {
    columns();
    QTest::newRow("single amount") << "¦с 1 мая 2006 г.     ¦   1100      ¦"
                                   << "01.05.2006 1100/1100";
    QTest::newRow("footnote pair") << "¦с 1 июля 2001 г.    ¦   300 <*>   ¦\n¦                    ¦       100 <**>¦"
                                   << "01.07.2001 100/300";
    QTest::newRow("<*> without <**> keeps the next line")
        << "¦с 1 января 2001 г.  ¦   200 <*>   ¦\n¦с 1 июля 2000 г.    ¦   132       ¦"
        << "01.01.2001 200/200; 01.07.2000 132/132";
    QTest::newRow("<*> on the last line") << "¦с 1 января 2001 г.  ¦   200 <*>   ¦"
                                          << "01.01.2001 200/200";
    QTest::newRow("explanation in brackets") << "¦с 1 июля 2000 г.    ¦   132 (в месяц)¦"
                                             << "01.07.2000 132/132";
    QTest::newRow("decimal point") << "¦с 1 января 1999 г.  ¦   83.49     ¦"
                                   << "01.01.1999 83.49/83.49";
    QTest::newRow("end line") << "¦с 1 мая 2006 г.     ¦   1100      ¦\n" + QString(32, '-') +
                                     "\n¦с 1 мая 2005 г.     ¦   720       ¦"
                              << "01.05.2006 1100/1100";
    QTest::newRow("shorter hyphen line") << QString(31, '-') + "\n¦с 1 мая 2005 г.     ¦   720       ¦"
                                         << "01.05.2005 720/720";
    QTest::newRow("no separator") << "с 1 мая 2006 г.      1100"
                                  << "fail 1";
    QTest::newRow("bad <**> amount") << "¦с 1 июля 2001 г.    ¦   300 <*>   ¦\n¦                    ¦       сто <**>¦"
                                     << "fail 2";
    QTest::newRow("со is no anchor") << "¦со 2 мая 2006 г.    ¦   1100      ¦"
                                     << "";
    QTest::newRow("header") << "¦Дата введения       ¦Размер (руб.)   ¦"
                            << "";
}

void TestImportParsers::consultantMrot() {
    QFETCH(QString, lines);
    QFETCH(QString, expected);
    QCOMPARE(parse(ParseConsultantMrot, lines, Profiles::ConsultantMrot, false, true), expected);
    // The separator is the same in the DOS code page.
    QCOMPARE(parse(ParseConsultantMrot, lines, Profiles::ConsultantMrot, true, true), expected);
}

void TestImportParsers::garantMrot_data() {
    QTest::addColumn<QString>("lines");
    QTest::addColumn<bool>("dos");
    QTest::addColumn<QString>("expected");
    QTest::newRow("amount") << "| 01.07.2001 | 300 * |" << false << "01.07.2001 300";
    QTest::newRow("DOS separator") << "¦ 01.07.2001 ¦ 300 * ¦" << true << "01.07.2001 300";
    QTest::newRow("DOS separator, no star") << "¦ 01.05.2006 ¦ 1100      ¦" << true << "01.05.2006 1100";
    QTest::newRow("Windows separator in a DOS file") << "| 01.05.2006 | 1100      |" << true << "fail 1";
    QTest::newRow("DOS separator in a Windows file") << "¦ 01.05.2006 ¦ 1100      ¦" << false << "fail 1";
    QTest::newRow("decimal point") << "| 02.01.1998 | 83.49 |" << false << "02.01.1998 83.49";
    QTest::newRow("01.01.1998 skipped") << "| 01.01.1998 | 83,49 |" << false << "";
    QTest::newRow("period skipped") << "| 01.01.1999-31.12.1999 | 83,49 |" << false << "";
    QTest::newRow("two-digit year skipped") << "| 01.01.97   | 75900 |" << false << "";
    QTest::newRow(".199 before .200") << "| 01.07.1999 | 83,49 | 01.01.2000 |" << false << "01.07.1999 83.49";
    QTest::newRow("no such day") << "| 31.06.2001 | 300 |" << false << "fail 1";
    QTest::newRow("amount missing") << "| 01.07.2001 |     |" << false << "fail 1";
}

// A computed column inside a number reads the whole number; inside other text it fails the line; no value is
// zero or below; every full date is an anchor of the Garant MROT table. Each line in both code pages.
void TestImportParsers::columnsAndValues_data() {
    QTest::addColumn<QString>("parser");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* parser, const QString& lines, const QString& expected) {
        for (const bool dos : {false, true}) {
            QString text = lines;
            if (dos)
                text.replace(QLatin1Char('|'), QChar(0x00A6));
            QTest::addRow("%s, %s", name, dos ? "866" : "1251") << QString::fromLatin1(parser) << text << expected;
        }
    };
    row("ConsultantPlus dollar, one blank before the rate", "usd", "с 10 января 2024 г. 89,6883", "10.01.2024 89.6883");
    row("ConsultantPlus dollar, rate right after the year", "usd", "с 10 января 2024 89,6883", "10.01.2024 89.6883");
    row("ConsultantPlus dollar, rate column inside text", "usd", "с 10 января 2024 г.89,6883",
        "fail 1: Не удалось прочитать курс: «г.89,6883».");
    row("ConsultantPlus dollar, well-formed", "usd", "с 10 января 2009 г.   29,3804", "10.01.2009 29.3804");
    row("ConsultantPlus euro, rate starts left of its column", "eur", pad("с 10 января 2024 г.", 52, "98,3504"),
        "10.01.2024 98.3504");
    row("Garant dollar, two-digit year", "garant-usd", "01/03/24   90,1000", "01.03.2024 90.1");
    row("Garant dollar, well-formed", "garant-usd", "01/07/2009   31,0908", "01.07.2009 31.0908");
    row("Garant euro, rate starts left of its column", "garant-eur", pad("01/03/24   90,1000", 36, "98,1234"),
        "01.03.2024 98.1234");
    row("ConsultantPlus refinancing rate, rate starts left of its column", "refin", "с 1 июня 2011 г.     8,25",
        "01.06.2011 8.25");
    row("Garant MROT after 2009", "garant-mrot", "| 01.06.2011 | 4611 |", "01.06.2011 4611");
    row("Garant MROT in 2019", "garant-mrot", "| 01.01.2019 | 11280 |", "01.01.2019 11280");
    row("Garant MROT, narrow date cell", "garant-mrot", "|01.06.2011|4611|", "01.06.2011 4611");
    row("Garant MROT, two-digit year", "garant-mrot", "| 01.06.11 | 4611 |", "");
    row("Garant MROT, 01.01.1998", "garant-mrot", "| 01.01.1998 | 83,49 |", "");
    row("Garant MROT, period", "garant-mrot", "| 01.01.2011-31.05.2011 | 4330 |", "");
    row("rate of zero", "usd", "с 10 января 2009 г.   0,0000", "fail 1: Курс должен быть больше нуля: «0,0000».");
    row("negative rate", "garant-usd", "01/07/2009   -31,0908", "fail 1: Курс должен быть больше нуля: «-31,0908».");
    row("zero rate in roubles and kopecks", "usd", "с 06 января 1998 г.   0 руб. 00 коп.",
        "fail 1: Курс должен быть больше нуля: «0,00».");
    row("MROT amount of zero", "mrot", "|с 1 мая 2006 г.     |   0         |",
        "fail 1: Размер МРОТ должен быть больше нуля: «0».");
    row("Garant MROT amount below zero", "garant-mrot", "| 01.06.2011 | -4611 |",
        "fail 1: Размер МРОТ должен быть больше нуля: «-4611».");
    row("refinancing rate of zero", "garant-refin", "  1 июня 2011 г.            0%",
        "fail 1: Ставка должна быть больше нуля: «0».");
    row("rate not a number", "garant-usd", "01/07/2009   9O,1234", "fail 1: Не удалось прочитать курс: «9O,1234».");
    row("no such day", "usd", "с 31 февраля 2009 г.  29,3804", "fail 1: Дата не существует: «31 февраля 2009 г.».");
    row("Garant, no such day", "garant-usd", "31/02/2009   31,0908", "fail 1: Дата не существует: «31/02/2009».");
    row("note taken for a data line", "usd", "Курс установлен Банком России.",
        "fail 1: Строка не похожа на строку таблицы: «Курс установлен Банком России.».");
}

void TestImportParsers::columnsAndValues() {
    QFETCH(QString, parser);
    QFETCH(QString, lines);
    QFETCH(QString, expected);
    const bool dos = QString::fromLatin1(QTest::currentDataTag()).endsWith(QLatin1String("866"));
    const auto garantUsd = [](ImportRun& r) { ParseGarantRates(r, GarantRateColumn::Dollar); };
    const auto garantEur = [](ImportRun& r) { ParseGarantRates(r, GarantRateColumn::Euro); };
    const QHash<QString, std::pair<std::function<void(ImportRun&)>, const ImporterProfile*>> parsers{
        {"usd", {ParseConsultantDollar, &Profiles::ConsultantDollar}},
        {"eur", {ParseConsultantEuro, &Profiles::ConsultantEuro}},
        {"garant-usd", {garantUsd, &Profiles::GarantRates}},
        {"garant-eur", {garantEur, &Profiles::GarantRates}},
        {"refin", {ParseConsultantRefin, &Profiles::ConsultantRefin}},
        {"garant-refin", {ParseGarantRefin, &Profiles::GarantRefin}},
        {"mrot", {ParseConsultantMrot, &Profiles::ConsultantMrot}},
        {"garant-mrot", {ParseGarantMrot, &Profiles::GarantMrot}},
    };
    QVERIFY(parsers.contains(parser));
    QString text = lines;
    if (parser == "mrot")
        text.replace(QLatin1Char('|'), QChar(0x00A6)); // its separator in both code pages
    const auto& [run, profile] = parsers.value(parser);
    QCOMPARE(parse(run, text, *profile, dos, false, true), expected);
}

void TestImportParsers::garantMrot() {
    QFETCH(QString, lines);
    QFETCH(bool, dos);
    QFETCH(QString, expected);
    QCOMPARE(parse(ParseGarantMrot, lines, Profiles::GarantMrot, dos), expected);
}

QTEST_GUILESS_MAIN(TestImportParsers)
#include "tst_importparsers.moc"
