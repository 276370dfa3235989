#include "ScriptedPrompts.h"
#include "TestDb.h"
#include "import/ImportCommand.h"
#include "import/ImportText.h"
#include "platform/MemoryStatus.h"
#include "store/IndicatorStore.h"
#include "store/RecordMerge.h"
#include "store/TableObject.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>

#include <map>

Q_DECLARE_METATYPE(UpdateMode)

// Files that are no proper export, through the import command on a temporary database: each ends in one of
// the command's reports, never in a crash, and a large file is read without holding it in memory.
class TestImportBadFiles : public QObject {
    Q_OBJECT
private slots:
    void badFiles_data();
    void badFiles();
};

namespace {
using Kind = ImportOutcome::Kind;

// Text in a code page, by the import's own decoders read backwards.
QByteArray encode(const QString& text, bool dos) {
    static const auto table = [](bool d) {
        std::map<char16_t, char> map;
        for (int b = 255; b >= 0; --b) {
            const char byte = char(b);
            const QString c = d ? DecodeDosLine(QByteArrayView(&byte, 1)) : DecodeWindows1251(QByteArrayView(&byte, 1));
            map[c[0].unicode()] = byte; // the lowest byte wins
        }
        return map;
    };
    static const std::map<char16_t, char> windows = table(false), cp866 = table(true);
    const auto& map = dos ? cp866 : windows;
    QByteArray out;
    for (const QChar c : text) {
        const auto it = map.find(c.unicode());
        if (it == map.end())
            qFatal("no byte for U+%04X", c.unicode());
        out += it->second;
    }
    return out;
}

QByteArray cp1251(const QString& text) {
    return encode(text, false);
}

QByteArray cp866(const QString& text) {
    return encode(text, true);
}

QByteArray randomBytes(qsizetype size) {
    QRandomGenerator random(20261211);
    QByteArray out(size, Qt::Uninitialized);
    for (char& b : out) {
        b = char(random.bounded(256));
        if (b == '\x1A')
            b = '\x1B'; // the whole file is read
    }
    return out;
}

const QString kWrongFile = "Изменений в текущей таблице не произведено.\nВозможно Вы выбрали неверный файл.";
const QString kError = "Изменений в текущей таблице не произведено.\nВозможно произошла ошибка.";

QString added(int n) {
    return "Имеющиеся записи не были изменены.\nДобавлено записей: " + QString::number(n) + ".";
}

// The records of a table as a second connection reads them: "date value".
constexpr qsizetype kMiB = 1024 * 1024;
} // namespace

void TestImportBadFiles::badFiles_data() {
    // The file is head + fill repeated + tail, written in pieces so that large files are never held whole.
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("fill");
    QTest::addColumn<qsizetype>("repeat");
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<int>("node");
    QTest::addColumn<UpdateMode>("mode");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("report");
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<bool>("dosMode");
    QTest::addColumn<qsizetype>("memoryBound"); // most the import may add to the process, 0: not checked

    const auto cp = UpdateMode::ConsultantPlus, garant = UpdateMode::Garant;
    const QByteArray dollar = cp1251("1 Доллар США\r\n");
    const QByteArray line13 = cp1251("с 13 января 2009 г.    29,4545\r\n");
    const QByteArray line10 = cp1251("с 10 января 2009 г.    29,3804\r\n");
    const QStringList both{"13.01.2009 29.4545", "10.01.2009 29.3804"};
    const QByteArray none;
    const int report = int(Kind::Report), failure = int(Kind::Failure);

    QTest::newRow("empty") << none << none << qsizetype(0) << none << 1 << cp << report << kWrongFile << QStringList{}
                           << false << qsizetype(0);
    QTest::newRow("binary") << randomBytes(256 * 1024) << none << qsizetype(0) << none << 1 << cp << report
                            << kWrongFile << QStringList{} << false << qsizetype(0);
    QTest::newRow("binary after the signature, Garant MROT")
        << cp1251("размер оплаты труда\r\n") + randomBytes(64 * 1024) << none << qsizetype(0) << none << 4 << garant
        << report << kWrongFile << QStringList{} << false << qsizetype(0);
    // An export without its heading, 50 MB of table lines: nothing is merged, and the file is not held.
    QTest::newRow("50 MB without a signature")
        << cp1251("Документ предоставлен КонсультантПлюс\r\n") << line13 << qsizetype(50 * kMiB / line13.size()) << none
        << 1 << cp << report << kWrongFile << QStringList{} << false << 8 * kMiB;
    QTest::newRow("a 10 MB line") << cp1251("Документ\r\n") << cp1251("Курс доллара ") << qsizetype(10 * kMiB / 13)
                                  << QByteArray("\r\n") + line13 << 1 << cp << report << kWrongFile << QStringList{}
                                  << false << qsizetype(0);
    QTest::newRow("a 10 MB note on a data line")
        << dollar + line13.chopped(2) << cp1251(" примечание") << qsizetype(10 * kMiB / 11)
        << QByteArray("\r\n") + line10 << 1 << cp << report << added(2) << both << false << qsizetype(0);
    QTest::newRow("a 10 MB rate that cannot be read")
        << cp1251("учетной ставки\r\n  1 июня 2010 г.   7,75 %\r\n  3 мая 2011 г.   8,") << QByteArray("2")
        << qsizetype(10 * kMiB) << cp1251("x%\r\n  28 февраля 2011 г.   8%\r\n") << 5 << garant << failure
        << added(1) + "\nИмпорт прерван: ошибка в строке 3.\nНе удалось прочитать ставку: «8," + QString(77, '2') +
               "…»."
        << QStringList{"01.06.2010 7.75"} << false << qsizetype(0);
    QTest::newRow("a 10 MB line in DOS 866, signature last")
        << cp866("Дата   1 Доллар США  ") << QByteArray("\xC4") << qsizetype(10 * kMiB) << none << 1 << cp << report
        << kWrongFile << QStringList{} << true << qsizetype(0);

    // NUL bytes: padding between lines, after a value, and a file of nothing else (preallocated, never written).
    QTest::newRow("NUL bytes in an export")
        << dollar + QByteArray(100, '\0') + "\r\n" + line13.chopped(2) + QByteArray(3, '\0') + "\r\n" + line10 << none
        << qsizetype(0) << none << 1 << cp << report << added(2) << both << false << qsizetype(0);
    QTest::newRow("NUL bytes only") << none << QByteArray(4096, '\0') << qsizetype(16) << none << 1 << cp << report
                                    << kWrongFile << QStringList{} << false << qsizetype(0);
    QTest::newRow("NUL in a date") << dollar + cp1251("с 13 янв") + '\0' + cp1251("аря 2009 г.    29,4545\r\n") << none
                                   << qsizetype(0) << none << 1 << cp << failure
                                   << kError +
                                          "\nИмпорт прерван: ошибка в строке 2.\nНе удалось прочитать месяц: «янв аря»."
                                   << QStringList{} << false << qsizetype(0);
    // Saved as UTF-16 ("Unicode" in Notepad): every other byte is 0, and the signature is in neither code page.
    const QString unicode = "1 Доллар США\r\nс 13 января 2009 г.    29,4545\r\n";
    const QByteArray utf16 =
        "\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(unicode.utf16()), unicode.size() * 2);
    QTest::newRow("UTF-16") << utf16 << none << qsizetype(0) << none << 1 << cp << report << kWrongFile << QStringList{}
                            << false << qsizetype(0);
    QTest::newRow("UTF-8") << QString("1 Доллар США\r\nс 13 января 2009 г.    29,4545\r\n").toUtf8() << none
                           << qsizetype(0) << none << 1 << cp << report << kWrongFile << QStringList{} << false
                           << qsizetype(0);

    // Line ends: LF, CR LF and CR CR LF end a line; a lone CR is dropped wherever it stands.
    QTest::newRow("mixed line ends") << dollar.chopped(2) + "\n" + cp1251("с 13 января 2009 г.\r    29,4545\n") +
                                            line10.chopped(2) + "\r\r\n" + cp1251("с 01 сентября 2008 г.  24,4165")
                                     << none << qsizetype(0) << none << 1 << cp << report << added(3)
                                     << QStringList{"13.01.2009 29.4545", "10.01.2009 29.3804", "01.09.2008 24.4165"}
                                     << false << qsizetype(0);
    // Two lines joined by a lone CR: the rate runs into the next date and cannot be read, nothing is half-read.
    QTest::newRow("lone CR is no line end")
        << dollar + line13.chopped(1) + line10 << none << qsizetype(0) << none << 1 << cp << failure
        << kError + "\nИмпорт прерван: ошибка в строке 2.\nНе удалось прочитать курс: «29,4545с»." << QStringList{}
        << false << qsizetype(0);

    // The signature on the last line: the parser starts and finds nothing after it.
    QTest::newRow("signature on the last line") << line13 + dollar.chopped(2) << none << qsizetype(0) << none << 1 << cp
                                                << report << kWrongFile << QStringList{} << false << qsizetype(0);
    QTest::newRow("signature on the last line, then byte 26")
        << cp866("с 13 января 2009 г.    29,4545\n1 Доллар США\n") + "\x1A" + line10 << none << qsizetype(0) << none
        << 1 << cp << report << kWrongFile << QStringList{} << true << qsizetype(0);
    QTest::newRow("MROT signature on the last line")
        << cp1251("¦с 1 мая 2006 г.     ¦   1100      ¦\r\nСумма минимального") << none << qsizetype(0) << none << 4
        << cp << report << kWrongFile << QStringList{} << false << qsizetype(0);
}

void TestImportBadFiles::badFiles() {
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, fill);
    QFETCH(qsizetype, repeat);
    QFETCH(QByteArray, tail);
    QFETCH(int, node);
    QFETCH(UpdateMode, mode);
    QFETCH(int, kind);
    QFETCH(QString, report);
    QFETCH(QStringList, records);
    QFETCH(bool, dosMode);
    QFETCH(qsizetype, memoryBound);

    TestDb db;
    QFile file(db.dir() + "/export.txt");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(head);
    if (repeat > 0) {
        const qsizetype perBlock = qMax<qsizetype>(1, kMiB / qMax<qsizetype>(1, fill.size()));
        const QByteArray block = fill.repeated(perBlock);
        qsizetype left = repeat;
        for (; left >= perBlock; left -= perBlock)
            file.write(block);
        file.write(fill.repeated(left));
    }
    file.write(tail);
    file.close();
    const qint64 fileSize = file.size();

    Clock clock;
    clock.setToday(testToday());
    const RegionalSettings ru = RegionalSettings::russian();
    IndicatorStore store(db.db(), ru, clock);
    TableObject& shown = node >= 4 ? store.tStavka : store.tKurs;
    shown.pointAt(QString::fromLatin1(node == 4 ? "mrot" : node == 5 ? "refin" : "USD"));
    store.makeActive(shown);
    ChangeCounters counters;
    ScriptedPrompts prompts;
    prompts.setNextFileName(file.fileName());
    ImportCommand command(store, counters, prompts, clock, ru, {});

    const bool peakReset = MemoryStatus::resetPeakResident();
    const std::uint64_t before = MemoryStatus::residentBytes();
    QElapsedTimer timer;
    timer.start();
    const ImportOutcome outcome = command.btnUpdClick(node == 4   ? Series::Mrot
                                                      : node == 5 ? Series::Refin
                                                                  : Series::Dollar,
                                                      mode);
    const qint64 ms = timer.elapsed();
    const std::uint64_t peak = MemoryStatus::peakResidentBytes();
    const double grewMiB = peakReset && peak > before ? double(peak - before) / double(kMiB) : 0.0;
    qInfo("%s: %.1f MB in %lld ms, peak memory +%.1f MiB", QTest::currentDataTag(), double(fileSize) / 1e6, ms,
          grewMiB);

    QCOMPARE(int(outcome.kind), kind);
    QCOMPARE(outcome.text, report);
    QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Message), QStringList{report});
    QCOMPARE(outcome.dosMode, dosMode);
    QVERIFY(!db.db().inTransaction());
    QCOMPARE(StoredRecords(db.path(), QString::fromLatin1(node == 4 ? "MROT" : node == 5 ? "refin" : "USD"),
                           StoredForm::Values),
             records);
    // AddressSanitizer keeps freed blocks in quarantine, so the resident size tells nothing there.
#if defined(__SANITIZE_ADDRESS__)
    memoryBound = 0;
#endif
    if (memoryBound > 0) {
        QVERIFY2(peakReset, "the peak of the resident memory cannot be reset here");
        QVERIFY2(peak - before < std::uint64_t(memoryBound),
                 qPrintable(QString("grew by %1 MiB reading a %2 MB file").arg(grewMiB).arg(fileSize / 1e6)));
    }
}

QTEST_GUILESS_MAIN(TestImportBadFiles)
#include "tst_importbadfiles.moc"
