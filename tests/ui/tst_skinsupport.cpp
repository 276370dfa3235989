#include "common/Settings.h"
#include "shell/SkinPackage.h"
#include "ui/SkinSupport.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QProcess>
#include <QStyle>
#include <QtTest>

#include <optional>

// Skin libraries are real resource files, made by Qt's rcc in a temporary skins folder.
class TestSkinSupport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void findStart_data();
    void findStart();
    void listingOrder();
    void choosingSkinStoresAndApplies();
    void packageWithoutUserSkinStillSkins();
    void failuresEndWithoutSkin_data();
    void failuresEndWithoutSkin();
    void emptyNameChangesNothing();
    void skinsFolder_data();
    void skinsFolder();
    void installScriptInstallsAndRegisters();

private:
    QString makeLibrary(const QString& fileName, const std::optional<QByteArray>& skin,
                        const std::optional<QByteArray>& wall);
    void registerSkin(const QString& name, const QString& fileName);
    std::unique_ptr<SkinSupport> makeSkins();
    static QByteArray jpeg();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_keyFile;
    QString m_folder;
    QString m_nativeStyle;
};

static const QString kSheet = QStringLiteral("QWidget { background-color: #102030; }");
static const QByteArray kForeignHeader = QByteArray("MZ\x90\x00\x03\x00\x00\x00\x06zzzz\x00\x06", 16);

void TestSkinSupport::initTestCase() {
    // A native style that is not Fusion, so that the two states can be told apart.
    QApplication::setStyle(QStringLiteral("Windows"));
    m_nativeStyle = QApplication::style()->name();
    QVERIFY(m_nativeStyle.compare("fusion", Qt::CaseInsensitive) != 0);
}

void TestSkinSupport::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_keyFile = m_dir->filePath("Skins.ini");
    m_folder = m_dir->filePath("Skins") + '/';
    QDir().mkpath(m_folder);
}

QByteArray TestSkinSupport::jpeg() {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

QString TestSkinSupport::makeLibrary(const QString& fileName, const std::optional<QByteArray>& skin,
                                     const std::optional<QByteArray>& wall) {
    const QString work = m_dir->filePath("src-" + fileName);
    QDir().mkpath(work);
    QString qrc = "<!DOCTYPE RCC><RCC version=\"1.0\">\n";
    auto put = [&](const char* prefix, const char* alias, const QByteArray& bytes) {
        QFile f(work + '/' + alias);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        qrc += QStringLiteral("<qresource prefix=\"%1\"><file alias=\"%2\">%2</file></qresource>\n")
                   .arg(QLatin1String(prefix), QLatin1String(alias));
    };
    if (skin)
        put("/DXSKINS", "SKIN", *skin);
    if (wall)
        put("/jpg", "wall", *wall);
    put("/other", "readme", "a resource that every library has, so that none is empty");
    qrc += "</RCC>\n";
    QFile q(work + "/lib.qrc");
    q.open(QIODevice::WriteOnly);
    q.write(qrc.toUtf8());
    q.close();
    QProcess rcc;
    rcc.setWorkingDirectory(work);
    rcc.start(TARVEL_RCC, {"--binary", "-o", m_folder + fileName, "lib.qrc"});
    [&] {
        QVERIFY(rcc.waitForFinished());
        QCOMPARE(rcc.exitCode(), 0);
    }();
    return m_folder + fileName;
}

void TestSkinSupport::registerSkin(const QString& name, const QString& fileName) {
    QSettings key(m_keyFile, QSettings::IniFormat);
    key.setValue(name, fileName);
}

std::unique_ptr<SkinSupport> TestSkinSupport::makeSkins() {
    return std::make_unique<SkinSupport>(m_keyFile, m_folder);
}

void TestSkinSupport::findStart_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("start");
    const QByteArray package = SkinPackage::write({{"UserSkin", kSheet}});
    QTest::newRow("package at the start") << package << 0;
    QTest::newRow("foreign header first") << kForeignHeader + package << int(kForeignHeader.size());
    QTest::newRow("6 and d four apart") << QByteArray("ab\x06xyzd", 7) << 2;
    QTest::newRow("a 6 without its d") << QByteArray("\x06\x00\x00\x00x", 5) << -1;
    QTest::newRow("6 too near the end") << QByteArray("abc\x06\x00\x00", 6) << -1;
    QTest::newRow("empty") << QByteArray() << -1;
}

void TestSkinSupport::findStart() {
    QFETCH(QByteArray, data);
    QFETCH(int, start);
    QCOMPARE(SkinPackage::findStart(data), qsizetype(start));
}

void TestSkinSupport::listingOrder() {
    registerSkin("Dark", "dark.rcc");
    registerSkin("Blue", "blue.rcc");
    auto skins = makeSkins();
    QComboBox combo;
    combo.addItem("left over from before");
    skins->listSkins(&combo);
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    QCOMPARE(items, (QStringList{"Blue", "Dark", "No skin"}));

    // A missing key offers "No skin" alone, and reading it does not create it.
    QFile::remove(m_keyFile);
    skins->listSkins(&combo);
    QCOMPARE(combo.count(), 1);
    QCOMPARE(combo.itemText(0), QStringLiteral("No skin"));
    QVERIFY(!QFile::exists(m_keyFile));
}

void TestSkinSupport::choosingSkinStoresAndApplies() {
    const QByteArray package = SkinPackage::write({{"Other", "QWidget { color: red; }"}, {"userskin", kSheet}});
    const QString library = makeLibrary("dark.rcc", kForeignHeader + package, jpeg());
    registerSkin("Dark", "dark.rcc");
    Settings settings(m_dir->filePath("Vendrick.ini"));
    settings.writeFirstStartDefaults();
    auto skins = makeSkins();
    QVERIFY(!skins->skinned());

    skins->chooseSkin(settings, "Dark");
    QCOMPARE(settings.skin(), QStringLiteral("Dark"));
    QVERIFY(skins->skinned());
    QCOMPARE(qApp->styleSheet(), kSheet);
    QCOMPARE(skins->libraryLoaded(), library);
    QCOMPARE(skins->wall().size(), QSize(8, 8));

    skins->chooseSkin(settings, "No skin");
    QCOMPARE(settings.skin(), QStringLiteral("No skin"));
    QVERIFY(!skins->skinned());
    QCOMPARE(qApp->styleSheet(), QString());
    QCOMPARE(QApplication::style()->name(), m_nativeStyle);
    QVERIFY(skins->libraryLoaded().isEmpty());

    // The main window's end releases the library; the resources are gone with it.
    skins->applySkin("Dark");
    QVERIFY(!skins->libraryLoaded().isEmpty());
    skins->releaseLibrary();
    QVERIFY(skins->libraryLoaded().isEmpty());
    QVERIFY(skins->skinned());
}

void TestSkinSupport::packageWithoutUserSkinStillSkins() {
    // What the package holds is not looked at: the application is skinned, with nothing to draw.
    makeLibrary("plain.rcc", SkinPackage::write({{"Other", kSheet}}), jpeg());
    registerSkin("Plain", "plain.rcc");
    auto skins = makeSkins();
    skins->applySkin("Plain");
    QVERIFY(skins->skinned());
    QCOMPARE(qApp->styleSheet(), QString());
    QCOMPARE(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
}

void TestSkinSupport::failuresEndWithoutSkin_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("library"); // 0 none, 1 junk file, 2 resource file
    QTest::addColumn<QByteArray>("skin");
    QTest::addColumn<QByteArray>("wall");
    const QByteArray good = SkinPackage::write({{"UserSkin", kSheet}});
    const QByteArray none = QByteArray();
    QTest::newRow("not registered") << "Unknown" << 0 << none << none;
    QTest::newRow("library missing") << "Broken" << 0 << none << none;
    QTest::newRow("not a resource file") << "Broken" << 1 << none << none;
    QTest::newRow("no SKIN resource") << "Broken" << 2 << none << jpeg();
    QTest::newRow("no start pattern") << "Broken" << 2 << QByteArray("\x06xyz\x00 no package here") << jpeg();
    QTest::newRow("no wall") << "Broken" << 2 << good << none;
    QTest::newRow("wall not a JPEG") << "Broken" << 2 << good << QByteArray("GIF89a, not a JPEG");
}

void TestSkinSupport::failuresEndWithoutSkin() {
    QFETCH(QString, name);
    QFETCH(int, library);
    QFETCH(QByteArray, skin);
    QFETCH(QByteArray, wall);
    makeLibrary("good.rcc", SkinPackage::write({{"UserSkin", kSheet}}), jpeg());
    registerSkin("Good", "good.rcc");
    registerSkin("Broken", "broken.rcc");
    if (library == 1) {
        QFile f(m_folder + "broken.rcc");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("qres? no, just some bytes");
    } else if (library == 2) {
        makeLibrary("broken.rcc", skin.isNull() ? std::nullopt : std::optional(skin),
                    wall.isNull() ? std::nullopt : std::optional(wall));
    }

    auto skins = makeSkins();
    skins->applySkin("Good");
    QVERIFY(skins->skinned());
    skins->applySkin(name);
    QVERIFY(!skins->skinned());
    QCOMPARE(qApp->styleSheet(), QString());
    QCOMPARE(QApplication::style()->name(), m_nativeStyle);
}

void TestSkinSupport::emptyNameChangesNothing() {
    makeLibrary("good.rcc", SkinPackage::write({{"UserSkin", kSheet}}), jpeg());
    registerSkin("Good", "good.rcc");
    auto skins = makeSkins();
    skins->applySkin("Good");
    skins->applySkin(QString());
    QVERIFY(skins->skinned());
    QCOMPARE(qApp->styleSheet(), kSheet);
}

void TestSkinSupport::skinsFolder_data() {
    QTest::addColumn<QString>("dataDirs");
    QTest::addColumn<QString>("folder");
    QTest::newRow("unset") << ""
                           << "/usr/local/share/Quorvane/Skins/";
    QTest::newRow("first of several") << "/opt/share/:/usr/share"
                                      << "/opt/share/Quorvane/Skins/";
    QTest::newRow("empty entries skipped") << "::/srv/data"
                                           << "/srv/data/Quorvane/Skins/";
}

void TestSkinSupport::skinsFolder() {
    QFETCH(QString, dataDirs);
    QFETCH(QString, folder);
    QCOMPARE(SkinSupport::skinsFolderForDataDirs(dataDirs), folder);
}

void TestSkinSupport::installScriptInstallsAndRegisters() {
    // The build's own skins, installed by the script into a private data and config folder.
    const QString dataDirs = m_dir->filePath("share") + ":/usr/share";
    const QString configHome = m_dir->filePath("config");
    const QString key = configHome + "/Quorvane/Skins.ini";
    QDir().mkpath(configHome + "/Quorvane");
    {
        QFile f(key);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[General]\nBlue=blue.rcc\nDark=old-dark.rcc\n\n[Elsewhere]\nDark=kept\n");
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_DIRS", dataDirs);
    env.insert("XDG_CONFIG_HOME", configHome);
    for (int run = 0; run < 2; ++run) {
        QProcess script;
        script.setProcessEnvironment(env);
        script.start("bash", {TARVEL_SOURCE_DIR "/tools/install-skins.sh", TARVEL_BIN_DIR "/.."});
        QVERIFY(script.waitForFinished());
        QVERIFY2(script.exitCode() == 0, script.readAllStandardError().constData());
    }

    SkinSupport skins(key, SkinSupport::skinsFolderForDataDirs(dataDirs));
    QCOMPARE(skins.registeredSkins(), (QStringList{"Blue", "Dark", "Light"}));
    QCOMPARE(QSettings(key, QSettings::IniFormat).value("Elsewhere/Dark").toString(), QStringLiteral("kept"));

    for (const char* name : {"Dark", "Light"}) {
        QFile source(QStringLiteral(TARVEL_SOURCE_DIR "/skins/%1.qss").arg(QString::fromLatin1(name).toLower()));
        QVERIFY(source.open(QIODevice::ReadOnly));
        skins.applySkin(QString::fromLatin1(name));
        QVERIFY(skins.skinned());
        QCOMPARE(qApp->styleSheet(), QString::fromUtf8(source.readAll()));
        QVERIFY(!skins.wall().isNull());
    }
}

QTEST_MAIN(TestSkinSupport)
#include "tst_skinsupport.moc"
