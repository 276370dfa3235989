#include "common/AppError.h"
#include "common/RegionalSettings.h"
#include "import/ImportText.h"
#include "import/LineReader.h"

#include <QProcess>
#include <QtTest>

using namespace ImportText;

namespace {
QByteArray iconvToUtf8(const char* codePage, const QByteArray& bytes) {
    QProcess p;
    p.start(QStringLiteral("iconv"),
            {QStringLiteral("-f"), QString::fromLatin1(codePage), QStringLiteral("-t"), QStringLiteral("UTF-8")});
    p.write(bytes);
    p.closeWriteChannel();
    p.waitForFinished(10000);
    return p.readAllStandardOutput();
}

QStringList readAll(LineReader& reader) {
    QStringList lines;
    QByteArray line;
    while (reader.next(line))
        lines << QString::fromLatin1(line);
    return lines;
}
} // namespace

class TestImportText : public QObject {
    Q_OBJECT
private slots:
    void windows1251MatchesIconv();
    void dosCharTable();
    void findText_data();
    void findText();
    void normaliseDecimal_data();
    void normaliseDecimal();
    void monthNumber();
    void positions();
    void readings_data();
    void readings();
    void lineReader_data();
    void lineReader();
    void lineReaderUnread();
    void lineReaderHoldsLittleOfALargeFile();
};

void TestImportText::windows1251MatchesIconv() {
    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        if (b != 0x98) // unassigned in windows-1251
            all.append(char(b));
    }
    QCOMPARE(DecodeWindows1251(all), QString::fromUtf8(iconvToUtf8("CP1251", all)));
}

void TestImportText::dosCharTable() {
    // The letters are those of code page 866.
    QByteArray letters;
    for (int b = 0x80; b < 0xB0; ++b)
        letters.append(char(b));
    for (int b = 0xE0; b < 0xF2; ++b)
        letters.append(char(b));
    QCOMPARE(DecodeDosLine(letters), QString::fromUtf8(iconvToUtf8("CP866", letters)));
    QCOMPARE(DecodeDosLine("\x80\xAF\xE0\xEF"), u"Апря");

    // The box-drawing rows are not: they read like a Windows export of the table.
    QByteArray box;
    for (int b = 0xB0; b < 0xE0; ++b)
        box.append(char(b));
    QCOMPARE(DecodeDosLine(box), u"---¦+¦¦¬¬¦¦¬---¬L+T+-+¦¦Lг¦T¦=+¦¦TTLL-г++----¦¦-");

    QByteArray tail;
    for (int b = 0xF0; b < 0x100; ++b)
        tail.append(char(b));
    QCOMPARE(DecodeDosLine(tail), u"ЁёЄєЇїЎў°•·v№¤¦\u00A0");

    QCOMPARE(DecodeDosLine("\x0F\x14\x15\x7F A|"), u"¤¶§\x7F A|");
    QCOMPARE(DosCharTable[0xB3], u'\u00A6');
    QCOMPARE(DosCharTable[0xC9], u'\u0433');
}

void TestImportText::findText_data() {
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("position");
    QTest::newRow("start") << "с "
                           << "с 10 января" << 1;
    QTest::newRow("later") << "1 ЕВРО"
                           << "Дата   1 ЕВРО" << 8;
    QTest::newRow("first occurrence") << "/"
                                      << "01/07/2009" << 3;
    QTest::newRow("case counts") << "с "
                                 << "С 10 января" << 0;
    QTest::newRow("absent") << "%"
                            << "8,25" << 0;
    QTest::newRow("empty text") << ""
                                << "abc" << 0;
    QTest::newRow("empty line") << "a"
                                << "" << 0;
}

void TestImportText::findText() {
    QFETCH(QString, what);
    QFETCH(QString, line);
    QFETCH(int, position);
    QCOMPARE(FindText(what, line), position);
}

void TestImportText::normaliseDecimal_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("point to comma") << QChar(',') << "29.3804"
                                    << "29,3804";
    QTest::newRow("comma stays") << QChar(',') << "29,3804"
                                 << "29,3804";
    QTest::newRow("comma to point") << QChar('.') << "29,3804"
                                    << "29.3804";
    QTest::newRow("every one") << QChar('.') << "1,2,3.4"
                               << "1.2.3.4";
}

void TestImportText::normaliseDecimal() {
    QFETCH(QChar, separator);
    QFETCH(QString, text);
    QFETCH(QString, result);
    RegionalSettings regional;
    regional.decimalSeparator = separator;
    QCOMPARE(NormaliseDecimal(text, regional), result);
}

void TestImportText::monthNumber() {
    const char* genitive[] = {"января", "февраля", "марта",    "апреля",  "мая",    "июня",
                              "июля",   "августа", "сентября", "октября", "ноября", "декабря"};
    const char* nominative[] = {"январь", "февраль", "март",     "апрель",  "май",    "июнь",
                                "июль",   "август",  "сентябрь", "октябрь", "ноябрь", "декабрь"};
    for (int m = 0; m < 12; ++m) {
        QCOMPARE(MonthNumber(QString::fromUtf8(genitive[m]), MonthForm::Genitive), m + 1);
        QCOMPARE(MonthNumber(QString::fromUtf8(nominative[m]), MonthForm::Nominative), m + 1);
        QCOMPARE(MonthNumber(QString::fromUtf8(nominative[m]), MonthForm::Genitive), -1);
    }
    QCOMPARE(MonthNumber(u"Января", MonthForm::Genitive), -1);
    QCOMPARE(MonthNumber(u" января", MonthForm::Genitive), -1);
    QCOMPARE(MonthNumber(u"", MonthForm::Genitive), -1);
}

void TestImportText::positions() {
    const QString line = "ab  cd";
    QCOMPARE(chars(line, 0, 2), "ab");
    QCOMPARE(chars(line, -3, 1), "a");
    QCOMPARE(chars(line, 5, 10), "cd");
    QCOMPARE(chars(line, 7, 1), "");
    QCOMPARE(rest(line, 4), " cd");
    QCOMPARE(rest(line, 9), "");
    QCOMPARE(skipBlanks(line, 3), 5);
    QCOMPARE(skipBlanks(line, 1), 1);
    QCOMPARE(skipBlanks(u"ab  ", 3), 5);
    int end = 0;
    QCOMPARE(token(line, 1, &end), "ab");
    QCOMPARE(end, 3);
    QCOMPARE(token(line, 5, &end), "cd");
    QCOMPARE(end, 7);
    QCOMPARE(token(line, 8, &end), "");
    QCOMPARE(at(line, 0), QChar());
    QCOMPARE(at(line, 6), QChar('d'));
}

void TestImportText::readings_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result"); // empty: fails
    QTest::newRow("integer") << "integer"
                             << " 12\t"
                             << "12";
    QTest::newRow("integer with sign") << "integer"
                                       << "-3"
                                       << "-3";
    QTest::newRow("integer inner blank") << "integer"
                                         << "1 2"
                                         << "";
    QTest::newRow("integer letters") << "integer"
                                     << "о "
                                     << "";
    QTest::newRow("integer empty") << "integer"
                                   << "  "
                                   << "";
    QTest::newRow("number comma") << "number"
                                  << " 29,3804 "
                                  << "293804";
    QTest::newRow("number exponent") << "number"
                                     << "1,5E2"
                                     << "1500000";
    QTest::newRow("number rounds half to even") << "number"
                                                << "0,00005"
                                                << "0";
    QTest::newRow("number point under comma settings") << "number"
                                                       << "29.3804"
                                                       << "";
    QTest::newRow("number two separators") << "number"
                                           << "1,2,3"
                                           << "";
    QTest::newRow("number with unit") << "number"
                                      << "41,4217 руб."
                                      << "";
    QTest::newRow("number empty") << "number"
                                  << ""
                                  << "";
    QTest::newRow("date") << "date"
                          << " 01.07.2009 "
                          << "2009-07-01";
    QTest::newRow("date two-digit year, window end") << "date"
                                                     << "01.07.75"
                                                     << "2075-07-01";
    QTest::newRow("date two-digit year, window start") << "date"
                                                       << "01.07.76"
                                                       << "1976-07-01";
    QTest::newRow("date not a day") << "date"
                                    << "31.02.2009"
                                    << "";
    QTest::newRow("date slash") << "date"
                                << "01/07/2009"
                                << "";
    QTest::newRow("date empty") << "date"
                                << ""
                                << "";
    QTest::newRow("calendar date") << "make"
                                   << "2009 2 28"
                                   << "2009-02-28";
    QTest::newRow("calendar date invalid") << "make"
                                           << "2009 2 29"
                                           << "";
    QTest::newRow("calendar month -1") << "make"
                                       << "2009 -1 1"
                                       << "";
}

void TestImportText::readings() {
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QString, result);
    const RegionalSettings ru = RegionalSettings::russian();
    QString got;
    try {
        if (kind == "integer") {
            got = QString::number(readInteger(text));
        } else if (kind == "number") {
            got = QString::number(readNumber(text, ru).count());
        } else if (kind == "date") {
            got = readDateText(text, ru, 2026).toString(Qt::ISODate);
        } else {
            const QStringList p = text.split(' ');
            got = makeDate(p[0].toInt(), p[1].toInt(), p[2].toInt()).toString(Qt::ISODate);
        }
    } catch (const AppError& e) {
        QVERIFY2(result.isEmpty(), qPrintable(e.text()));
        QVERIFY(!e.text().isEmpty());
        return;
    }
    QVERIFY2(!result.isEmpty(), qPrintable("read as " + got));
    QCOMPARE(got, result);
}

void TestImportText::lineReader_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("CR LF, last line without end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("lone CR dropped") << QByteArray("a\rb\r\r\nc") << QStringList{"ab", "c"};
    QTest::newRow("empty lines kept") << QByteArray("\n\nx\n") << QStringList{"", "", "x"};
    QTest::newRow("byte 26 ends the file") << QByteArray("a\nb\x1A\nc\n") << QStringList{"a", "b"};
    QTest::newRow("byte 26 after the last line") << QByteArray("a\r\n\x1A") << QStringList{"a"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};

    // Files are read in chunks of 64 KiB: lines, line ends and the end mark across the chunk borders.
    constexpr int chunk = 64 * 1024;
    QByteArray across(chunk - 3, 'a');
    across += "\r\nbb\n";
    QTest::newRow("CR LF across a chunk border") << across << QStringList{QString(chunk - 3, 'a'), "bb"};
    QByteArray crAtBorder(chunk - 1, 'a');
    crAtBorder += "\rb\nc";
    QTest::newRow("lone CR at a chunk border") << crAtBorder << QStringList{QString(chunk - 1, 'a') + "b", "c"};
    QByteArray longLine(3 * chunk + 17, 'x');
    QTest::newRow("line longer than three chunks")
        << QByteArray("a\n" + longLine + "\nz") << QStringList{"a", QString::fromLatin1(longLine), "z"};
    QByteArray late = QByteArray(2 * chunk + 5, 'q') + "\n" + QByteArray(100, 'r') + "\x1A\nignored\n";
    QTest::newRow("byte 26 in the third chunk") << late << QStringList{QString(2 * chunk + 5, 'q'), QString(100, 'r')};
}

void TestImportText::lineReader() {
    QFETCH(QByteArray, data);
    QFETCH(QStringList, lines);
    LineReader reader(data);
    QCOMPARE(readAll(reader), lines);
    QCOMPARE(reader.lineNumber(), lines.size());

    QTemporaryDir dir;
    QFile file(dir.filePath("export.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
    file.close();
    LineReader fromFile = LineReader::fromFile(file.fileName());
    QCOMPARE(readAll(fromFile), lines);
    QCOMPARE(fromFile.lineNumber(), lines.size());
}

void TestImportText::lineReaderUnread() {
    LineReader reader(QByteArray("one\r\ntwo\r\nthree"));
    QByteArray line;
    QVERIFY(reader.next(line));
    QVERIFY(reader.next(line));
    QCOMPARE(line, "two");
    QCOMPARE(reader.lineNumber(), 2);
    reader.unread();
    QCOMPARE(reader.lineNumber(), 1);
    QCOMPARE(readAll(reader), (QStringList{"two", "three"}));
    QCOMPARE(reader.lineNumber(), 3);

    QTemporaryDir dir;
    QVERIFY_THROWS_EXCEPTION(AppError, LineReader::fromFile(dir.filePath("absent.txt")));
#ifdef Q_OS_LINUX
    // A file that opens and then fails to read (this one at offset 0): a failure, not the end of the file.
    LineReader unreadable = LineReader::fromFile("/proc/self/mem");
    QVERIFY_THROWS_EXCEPTION(AppError, unreadable.next(line));
#endif

    // From a file, the line stepped back over may lie in the chunk before the one being read.
    QFile file(dir.filePath("export.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray first(64 * 1024 - 10, 'f');
    const QByteArray second(200 * 1024, 's');
    file.write(first + "\r\n" + second + "\r\nthird");
    file.close();
    LineReader streamed = LineReader::fromFile(file.fileName());
    QVERIFY(streamed.next(line));
    QVERIFY(streamed.next(line));
    QCOMPARE(line, second);
    streamed.unread();
    QVERIFY(streamed.next(line));
    QCOMPARE(line, second);
    streamed.unread();
    streamed.unread(); // one line only
    QCOMPARE(streamed.lineNumber(), 1);
    QCOMPARE(readAll(streamed), (QStringList{QString::fromLatin1(second), "third"}));
}

void TestImportText::lineReaderHoldsLittleOfALargeFile() {
    QTemporaryDir dir;
    QFile file(dir.filePath("large.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray line = "с 13 января 2009 г.    29,4545\r\n";
    QByteArray block;
    for (int i = 0; i < 1000; ++i)
        block += line;
    for (int i = 0; i < 200; ++i)
        file.write(block); // 6.6 MB
    file.close();
    LineReader reader = LineReader::fromFile(file.fileName());
    QByteArray read;
    qsizetype most = 0;
    int count = 0;
    while (reader.next(read)) {
        ++count;
        most = qMax(most, reader.bufferCapacity());
    }
    QCOMPARE(count, 200'000);
    QVERIFY2(most <= 256 * 1024, qPrintable(QString::number(most)));
}

QTEST_GUILESS_MAIN(TestImportText)
#include "tst_importtext.moc"
