#include "common/Settings.h"
#include "shell/IniText.h"
#include "shell/Localize.h"

#include <QtTest>

class TestLocalize : public QObject {
    Q_OBJECT
private slots:
    void decode_data();
    void decode();
    void catalogue_data();
    void catalogue();
    void everySectionIsRead();
    void loadOverwritesEveryField();
    void choices();

private:
    QString writeFile(const QByteArray& bytes);
    QTemporaryDir m_dir;
    int m_files = 0;
};

namespace {
QByteArray utf16(const QString& text, bool bigEndian) {
    QByteArray out;
    for (QChar c : text) {
        const char hi = char(c.unicode() >> 8);
        const char lo = char(c.unicode() & 0xff);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

QByteArray cp1251(const QString& text) {
    QByteArray out;
    for (QChar c : text) {
        const ushort u = c.unicode();
        out += u >= 0x0410 && u <= 0x044F ? char(0xC0 + (u - 0x0410)) : char(u);
    }
    return out;
}

const QString kAjouter = QStringLiteral("[button]\r\n  Add = Ajouter  \r\n");
} // namespace

QString TestLocalize::writeFile(const QByteArray& bytes) {
    const QString path = m_dir.filePath(QString::number(++m_files) + ".lng");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

void TestLocalize::decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString text = QStringLiteral("[Кнопки] Ёё №");
    QTest::newRow("UTF-16 LE mark") << QByteArray("\xFF\xFE") + utf16(text, false) << text;
    QTest::newRow("UTF-16 BE mark") << QByteArray("\xFE\xFF") + utf16(text, true) << text;
    QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8() << text;
    QTest::newRow("no mark: windows-1251") << QByteArray("[\xCA\xED\xEE\xEF\xEA\xE8] \xA8\xB8 \xB9") << text;
    QTest::newRow("no mark, ASCII") << QByteArray("Add=Ajouter") << "Add=Ajouter";
    QTest::newRow("odd last byte of UTF-16 dropped") << QByteArray("\xFF\xFE"
                                                                   "A\x00"
                                                                   "B",
                                                                   5)
                                                     << "A";
}

void TestLocalize::decode() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(IniText::decode(bytes), text);
}

void TestLocalize::catalogue_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("add");
    QTest::newRow("windows-1251") << cp1251(kAjouter) << "Ajouter";
    QTest::newRow("UTF-16 LE mark") << QByteArray("\xFF\xFE") + utf16(kAjouter, false) << "Ajouter";
    QTest::newRow("UTF-16 BE mark") << QByteArray("\xFE\xFF") + utf16(kAjouter, true) << "Ajouter";
    QTest::newRow("UTF-8 mark, Cyrillic value")
        << QByteArray("\xEF\xBB\xBF") + QStringLiteral("[Button]\nAdd=Добавить\n").toUtf8() << "Добавить";
    QTest::newRow("windows-1251, Cyrillic value") << cp1251("[Button]\nAdd=Добавить\n") << "Добавить";
    QTest::newRow("UTF-16 LE without mark matches nothing") << utf16(kAjouter, false) << "Add";
    QTest::newRow("key before any section") << QByteArray("Add=Ajouter\n[Button]\n") << "Add";
    QTest::newRow("comment") << QByteArray("[Button]\n; Add=Ajouter\n") << "Add";
    QTest::newRow("other section") << QByteArray("[Menu]\nAdd=Ajouter\n") << "Add";
    QTest::newRow("blanks inside the brackets") << QByteArray("[ Button ]\nAdd=Ajouter\n") << "Ajouter";
    QTest::newRow("letter case of names") << QByteArray("[BUTTON]\naDD=Ajouter\n") << "Ajouter";
    QTest::newRow("first = separates") << QByteArray("[Button]\nAdd = a = b\n") << "a = b";
    QTest::newRow("first definition holds") << QByteArray("[Button]\nAdd=one\nAdd=two\n") << "one";
    QTest::newRow("empty value") << QByteArray("[Button]\nAdd=\n") << "";
    QTest::newRow("CR line ends") << QByteArray("[Button]\rAdd=Ajouter\r") << "Ajouter";
    QTest::newRow("unclosed section line") << QByteArray("[Button\nAdd=Ajouter\n") << "Add";
}

void TestLocalize::catalogue() {
    QFETCH(QByteArray, file);
    QFETCH(QString, add);
    Localize catalogue;
    catalogue.load(writeFile(file));
    QCOMPARE(catalogue.button.value(u"Add"), add);
    QCOMPARE(catalogue.button.value(u"Close"), QStringLiteral("Close"));
}

void TestLocalize::everySectionIsRead() {
    Localize catalogue;
    QByteArray file;
    for (LocRecord* r : catalogue.records()) {
        file += "[" + r->section().toLatin1() + "]\n";
        for (const QString& key : r->keys())
            file += key.toLatin1() + "=" + r->section().toLatin1() + "." + key.toLatin1() + "\n";
    }
    catalogue.load(writeFile(file));
    QStringList sections;
    for (LocRecord* r : catalogue.records()) {
        sections << r->section();
        QVERIFY(!r->keys().isEmpty());
        for (const QString& key : r->keys())
            QCOMPARE(r->value(key), r->section() + "." + key);
    }
    QCOMPARE(sections, (QStringList{"Other", "Button", "Caption", "Group", "Items", "Menu", "String"}));
    QCOMPARE(catalogue.menu.value(u"nothing of the kind"), QString());
}

void TestLocalize::loadOverwritesEveryField() {
    Localize catalogue;
    catalogue.load(writeFile("[Button]\nAdd=Ajouter\n[Menu]\nFile=Fichier\n"));
    QCOMPARE(catalogue.menu.value(u"File"), QStringLiteral("Fichier"));
    catalogue.load(m_dir.filePath("missing.lng"));
    QCOMPARE(catalogue.button.value(u"Add"), QStringLiteral("Add"));
    QCOMPARE(catalogue.menu.value(u"File"), QStringLiteral("File"));
}

void TestLocalize::choices() {
    const QString programDir = m_dir.filePath("program");
    QDir().mkpath(programDir + "/Lang");
    QFile english(programDir + "/Lang/English.lng");
    QVERIFY(english.open(QIODevice::WriteOnly));
    english.write(QByteArray("\xFF\xFE") + utf16(QStringLiteral("[Menu]\r\nExit=Quit\r\n"), false));
    english.close();
    QCOMPARE(Localize::catalogPath(programDir, "English"), programDir + "/Lang/English.lng");
    QCOMPARE(Localize::catalogPath(programDir + "/", QString()), programDir + "/Lang/.lng");

    Settings settings(m_dir.filePath("Vendrick.ini"));
    Localize catalogue;
    catalogue.chooseLanguage(settings, programDir, "English");
    QCOMPARE(settings.lang(), std::optional<QString>("English"));
    QCOMPARE(catalogue.menu.value(u"Exit"), QStringLiteral("Quit"));

    // The country is only stored.
    Localize::chooseCountry(settings, "Ukraine");
    QCOMPARE(settings.country(), std::optional<QString>("Ukraine"));
    QCOMPARE(settings.lang(), std::optional<QString>("English"));
    QCOMPARE(catalogue.menu.value(u"Exit"), QStringLiteral("Quit"));
}

QTEST_GUILESS_MAIN(TestLocalize)
#include "tst_localize.moc"
