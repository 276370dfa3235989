#include "ui/HelpContents.h"
#include "ui/TAboutForm.h"
#include "ui/WebSites.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// Records what the program hands to the system's browser or viewer.
class OpenedUrls : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class TestAboutForm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init() { m_opened.urls.clear(); }
    void memoryLine_data();
    void memoryLine();
    void texts();
    void geometry_data();
    void geometry();
    void hoverColour();
    void hoverColourUnderSkin();
    void linksOpenMakerSite();
    void escapeCloses();
    void helpFileIsBuiltAndOpenedFromWorkingDirectory();

private:
    OpenedUrls m_opened;
};

void TestAboutForm::initTestCase() {
    for (const char* scheme : {"http", "https", "file"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), &m_opened, "open");
}

void TestAboutForm::cleanupTestCase() {
    for (const char* scheme : {"http", "https", "file"})
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
}

void TestAboutForm::memoryLine_data() {
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<bool>("russian");
    QTest::addColumn<QString>("figure");
    QTest::newRow("1 572 864 000 bytes") << quint64(1572864000) << true << "1\u00A0536\u00A0000";
    QTest::newRow("the same, English separators") << quint64(1572864000) << false << "1,536,000";
    QTest::newRow("none") << quint64(0) << true << "0";
    QTest::newRow("one and a half") << quint64(1536) << true << "1,5";
    QTest::newRow("rounded up to a whole") << quint64(1023) << true << "1";
    QTest::newRow("two decimals") << quint64(1034) << true << "1,01";
    QTest::newRow("a half rounds away from zero") << quint64(128) << true << "0,13";
    QTest::newRow("thousands and decimals") << quint64(1024 * 1000 + 10) << false << "1,000.01";
    QTest::newRow("16 GiB") << quint64(16) * 1024 * 1024 * 1024 << true << "16\u00A0777\u00A0216";
}

void TestAboutForm::memoryLine() {
    QFETCH(quint64, bytes);
    QFETCH(bool, russian);
    QFETCH(QString, figure);
    RegionalSettings regional = RegionalSettings::russian();
    if (!russian) {
        regional.decimalSeparator = '.';
        regional.thousandsSeparator = ',';
    }
    QCOMPARE(TAboutForm::memoryLine(bytes, regional), "Свободная память:        " + figure + " K");
}

void TestAboutForm::texts() {
    TAboutForm box(RegionalSettings::russian());
    QCOMPARE(box.windowTitle(), QStringLiteral("О программе"));
    QCOMPARE(box.size(), QSize(343, 159));
    auto text = [&](const char* name) { return box.findChild<QLabel*>(QLatin1String(name))->text(); };
    QCOMPARE(text("Label1"), QStringLiteral("Tarvel 1.5"));
    QCOMPARE(text("Label2"), QStringLiteral("Дата релиза: 7 июля 2009 года"));
    QVERIFY(text("Label4").contains("2009"));
    QCOMPARE(text("Label8"), WebSites::kMakerSite);
    QCOMPARE(box.findChild<QLabel*>("Label8")->toolTip(), QStringLiteral("Посетить сайт разработчиков"));
    QCOMPARE(text("lRek"), QStringLiteral("На нашем сайте Вы также сможете найти другие программы для юристов!"));
    QCOMPARE(text("Label12"), QStringLiteral("Следите за обновлениями!"));
    QCOMPARE(box.findChild<QPushButton*>("btnOK")->text(), QStringLiteral("OK"));
    // The live figure: whatever the system reports, in the line's form.
    const QString memory = text("FreeMem");
    QVERIFY2(QRegularExpression("^Свободная память: {8}[0-9\u00A0]+(,[0-9]{1,2})? K$").match(memory).hasMatch(),
             qPrintable(memory));
    QVERIFY(memory != "Свободная память:        0 K");
}

void TestAboutForm::geometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("Panel1") << "Panel1" << QRect(8, 8, 327, 77);
    QTest::newRow("Im") << "Im" << QRect(8, 8, 32, 32);
    QTest::newRow("lRek") << "lRek" << QRect(44, 83, 245, 29);
    QTest::newRow("Label12") << "Label12" << QRect(56, 111, 230, 14);
    QTest::newRow("Shape2") << "Shape2" << QRect(37, 129, 273, 2);
    QTest::newRow("FreeMem") << "FreeMem" << QRect(23, 137, 300, 13);
    QTest::newRow("btnOK") << "btnOK" << QRect(262, 14, 63, 24);
    QTest::newRow("Label1 (top left)") << "Label1" << QRect(56, 4, 0, 0);
    QTest::newRow("Label8 (top left)") << "Label8" << QRect(112, 56, 0, 0);
}

void TestAboutForm::geometry() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    TAboutForm box(RegionalSettings::russian());
    auto* w = box.findChild<QWidget*>(name);
    QVERIFY(w);
    if (rect.isEmpty())
        QCOMPARE(w->pos(), rect.topLeft());
    else
        QCOMPARE(w->geometry(), rect);
}

void TestAboutForm::hoverColour() {
    TAboutForm box(RegionalSettings::russian());
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    auto* rek = box.findChild<QLabel*>("lRek");
    auto colour = [&] { return rek->palette().color(QPalette::WindowText); };
    QCOMPARE(colour(), QColor(0, 0, 0x80));
    QTest::mouseMove(rek, rek->rect().center());
    QTRY_COMPARE(colour(), QColor(0, 0, 0xff));
    QCOMPARE(rek->property("hovered").toBool(), true);
    QTest::mouseMove(&box, QPoint(5, 150));
    QTRY_COMPARE(colour(), QColor(0, 0, 0x80));
    QCOMPARE(rek->property("hovered").toBool(), false);
    for (const char* name : {"Label12", "FreeMem", "btnOK"}) {
        QTest::mouseMove(rek, rek->rect().center());
        QTRY_COMPARE(colour(), QColor(0, 0, 0xff));
        auto* w = box.findChild<QWidget*>(QLatin1String(name));
        QTest::mouseMove(w, w->rect().center());
        QTRY_COMPARE(colour(), QColor(0, 0, 0x80));
    }
}

// Whether any pixel of the widget has the colour.
static bool shows(QWidget* w, const QColor& colour) {
    const QImage image = w->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

void TestAboutForm::hoverColourUnderSkin() {
    qApp->setStyleSheet("QLabel#lRek { color: #00ff00; } QLabel#lRek[hovered=\"true\"] { color: #ff00ff; }");
    TAboutForm box(RegionalSettings::russian());
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    auto* rek = box.findChild<QLabel*>("lRek");
    QVERIFY(shows(rek, QColor(0, 0xff, 0)));
    QTest::mouseMove(rek, rek->rect().center());
    QTRY_VERIFY(shows(rek, QColor(0xff, 0, 0xff)));
    QVERIFY(!shows(rek, QColor(0, 0xff, 0)));
    QTest::mouseMove(&box, QPoint(5, 150));
    QTRY_VERIFY(shows(rek, QColor(0, 0xff, 0)));
    qApp->setStyleSheet(QString());
}

void TestAboutForm::linksOpenMakerSite() {
    TAboutForm box(RegionalSettings::russian());
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(box.findChild<QLabel*>("Label8"), Qt::LeftButton);
    QTest::mouseClick(box.findChild<QLabel*>("lRek"), Qt::LeftButton);
    QTest::mouseClick(box.findChild<QLabel*>("Label12"), Qt::LeftButton);
    QCOMPARE(m_opened.urls, (QList<QUrl>{QUrl(WebSites::kMakerSite), QUrl(WebSites::kMakerSite)}));
    QVERIFY(box.isVisible());
}

void TestAboutForm::escapeCloses() {
    TAboutForm box(RegionalSettings::russian());
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::keyClick(&box, Qt::Key_Escape);
    QVERIFY(!box.isVisible());

    TAboutForm again(RegionalSettings::russian());
    again.show();
    QTest::mouseClick(again.findChild<QPushButton*>("btnOK"), Qt::LeftButton);
    QVERIFY(!again.isVisible());
}

void TestAboutForm::helpFileIsBuiltAndOpenedFromWorkingDirectory() {
    QFile chm(TARVEL_BIN_DIR "/Vendrick.chm");
    QVERIFY(chm.open(QIODevice::ReadOnly));
    const QByteArray bytes = chm.readAll();
    QVERIFY(bytes.startsWith("ITSF"));
    // The directory of the file names every page.
    for (const char* page : {"/index.html", "/series.html", "/update-modes.html", "/import.html",
                             "/import-consultant.html", "/import-garant.html", "/download.html", "/connection.html",
                             "/express.html", "/search.html", "/Vendrick.hhc"})
        QVERIFY2(bytes.contains(page), page);

    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(TARVEL_BIN_DIR));
    HelpContents::open();
    QDir::setCurrent(previous);
    QCOMPARE(m_opened.urls.size(), 1);
    QVERIFY(m_opened.urls[0].isLocalFile());
    QCOMPARE(QFileInfo(m_opened.urls[0].toLocalFile()).canonicalFilePath(),
             QFileInfo(TARVEL_BIN_DIR "/Vendrick.chm").canonicalFilePath());
}

QTEST_MAIN(TestAboutForm)
#include "tst_aboutform.moc"
