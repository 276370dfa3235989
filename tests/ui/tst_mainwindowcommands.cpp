#include "ScriptedPrompts.h"
#include "TestDb.h"
#include "TestHttpServer.h"
#include "common/NumberText.h"
#include "common/Settings.h"
#include "net/ConnectionSettings.h"
#include "ui/HelpContents.h"
#include "ui/HelpWindow.h"
#include "ui/MainMenu.h"
#include "ui/MaskedDateEdit.h"
#include "ui/TAboutForm.h"
#include "ui/TfrmBase.h"
#include "ui/TfrmSet.h"
#include "ui/WebSites.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QtTest>

// The commands of the update-mode pages and the connection settings, reached from the main window.
class TestMainWindowCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void importFromTheFilePage();
    void downloadFromTheInternetPage();
    void connectionSettingsAppliedAtStartAndFromTheDialog();
    void garbageSettingsStillStart();
    void menuReachesTheCommands();
    void helpWindowShowsPagesAndFollowsLinks();

private:
    std::unique_ptr<TfrmBase> makeWindow();
    QString label(TfrmBase& w, const char* name) { return w.findChild<QLabel*>(QLatin1String(name))->text(); }
    std::unique_ptr<TestDb> m_db;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Settings> m_settings;
    QString m_previousDir;
    ScriptedPrompts m_prompts;
    Clock m_clock;
};

void TestMainWindowCommands::init() {
    m_previousDir = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(m_dir->path());
    m_db = std::make_unique<TestDb>();
    m_settings = std::make_unique<Settings>(m_dir->filePath("Vendrick.ini"));
    m_clock.setToday(testToday());
    m_prompts.clear();
}

void TestMainWindowCommands::cleanup() {
    m_settings.reset();
    m_db.reset();
    QDir::setCurrent(m_previousDir);
    m_dir.reset();
    qunsetenv("TARVEL_SERVICE");
}

std::unique_ptr<TfrmBase> TestMainWindowCommands::makeWindow() {
    return std::make_unique<TfrmBase>(m_db->db(), *m_settings, m_prompts, m_clock, RegionalSettings::russian(),
                                      QStringList{});
}

void TestMainWindowCommands::importFromTheFilePage() {
    auto w = makeWindow();
    w->selectEntry(TfrmBase::kDollar);
    QVERIFY(w->findChild<QRadioButton*>("rb2")->isChecked());
    m_prompts.setNextFileName(TARVEL_TEST_BUILD_DATA "/import/consultant-usd.866.txt");
    QTest::mouseClick(w->findChild<QWidget*>("btnUpd"), Qt::LeftButton);
    QCOMPARE(m_prompts.lastFilter, QStringLiteral("Text files (*.txt)|*.txt"));
    const QStringList reports = m_prompts.texts(ScriptedPrompts::Kind::Message);
    QCOMPARE(reports.size(), 1);
    QVERIFY2(reports[0].startsWith("Имеющиеся записи не были изменены.\nДобавлено записей: "), qPrintable(reports[0]));
    const int added = w->counters().added;
    QVERIFY(added > 0);
    QCOMPARE(w->activeTable().recordCount(), added);
    QCOMPARE(label(*w, "l2"), QString::number(added));
    QCOMPARE(label(*w, "l1"), QString::number(added));
    QCOMPARE(label(*w, "l4"), QStringLiteral("из системы \"КонсультантПлюс\""));
    // The express box describes the current record of the imported series.
    QCOMPARE(w->findChild<QGroupBox*>("gb5")->title(),
             "Экспресс-расчет на " + w->activeTable().displayText(u"CURDATE"));
    QCOMPARE(w->findChild<QLineEdit*>("val2")->text(),
             formatGeneral(w->activeTable().asFloat(u"KURS") / w->activeTable().asInteger(u"NOMINAL"),
                           RegionalSettings::russian()));
    QCOMPARE(label(*w, "Skl"), QStringLiteral("USD"));
}

void TestMainWindowCommands::downloadFromTheInternetPage() {
    TestHttpServer server;
    server.serve(TestReply::ok("<?xml version=\"1.0\" encoding=\"windows-1251\"?><ValCurs ID=\"R01239\">"
                               "<Record Date=\"02.03.2001\" Id=\"R01239\"><Nominal>1</Nominal><Value>26,1400</Value>"
                               "</Record><Record Date=\"03.03.2001\" Id=\"R01239\"><Nominal>1</Nominal>"
                               "<Value>26,2000</Value></Record></ValCurs>"));
    qputenv("TARVEL_SERVICE", server.base().toUtf8());
    m_db->add("EUR", QDate(2001, 3, 2), 1, 30.0, 0, QDate(2001, 3, 4));
    auto w = makeWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->selectEntry(TfrmBase::kEuro);
    w->findChild<QRadioButton*>("rb4")->click();
    w->findChild<MaskedDateEdit*>("Date1")->setDate(QDate(2001, 3, 1));
    w->findChild<MaskedDateEdit*>("Date2")->setDate(QDate(2001, 3, 5));
    QTest::mouseClick(w->findChild<QWidget*>("btnGet"), Qt::LeftButton);
    QTRY_COMPARE(w->activeTable().recordCount(), 2);
    QVERIFY(w->isEnabled());
    // The express box and the panel describe the current record after the download.
    QCOMPARE(w->findChild<QGroupBox*>("gb5")->title(),
             "Экспресс-расчет на " + w->activeTable().displayText(u"CURDATE"));
    QCOMPARE(w->findChild<QLineEdit*>("val2")->text(),
             formatGeneral(w->activeTable().asFloat(u"KURS"), RegionalSettings::russian()));
    QCOMPARE(label(*w, "l1"), QStringLiteral("2"));
    QCOMPARE(server.requestCount(), 1);
    QVERIFY2(server.requests()[0].target.endsWith("date_req1=01.03.2001&date_req2=05.03.2001&VAL_NM_RQ=R01239"),
             server.requests()[0].target.constData());
    // The typed record stays; the new one comes from the internet, without DT.
    w->activeTable().first();
    QCOMPARE(w->activeTable().displayText(u"CURDATE"), QStringLiteral("03.03.2001"));
    QCOMPARE(w->activeTable().asInteger(u"UPD"), 3);
    w->activeTable().next();
    QCOMPARE(w->activeTable().asFloat(u"KURS"), 30.0);
    QVERIFY(QFile::exists(m_dir->filePath("temp.xml")));
    QCOMPARE(label(*w, "l8"), QStringLiteral("03.03.2001"));
}

void TestMainWindowCommands::connectionSettingsAppliedAtStartAndFromTheDialog() {
    m_settings->writeFirstStartDefaults();
    m_settings->setValues({{Settings::Key::Enab, 1},
                           {Settings::Key::ProxyIP, "127.0.0.1"},
                           {Settings::Key::ProxyPort, 3128},
                           {Settings::Key::Socket, 3},
                           {Settings::Key::EnabAuth, 1},
                           {Settings::Key::Name, "alice"},
                           {Settings::Key::Pass, EncodePass("secret")}});
    auto w = makeWindow();
    const ConnectionSettings applied = w->httpClient().connectionSettings();
    QCOMPARE(applied.proxy.server, QStringLiteral("127.0.0.1"));
    QCOMPARE(applied.proxy.port, 3128);
    QCOMPARE(applied.proxy.user, QStringLiteral("alice"));
    QCOMPARE(applied.proxy.password, QStringLiteral("secret"));
    QCOMPARE(applied.socks.version, SocksVersion::None);
    QCOMPARE(m_settings->text(Settings::Key::Path), QDir::currentPath());

    // F9's command: the dialog opens on the stored values; turning the proxy off applies at once.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TfrmSet*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->findChild<QAbstractButton*>("chkProxy")->click();
        dialog->btnApplyClick();
    });
    w->N28Click();
    QCOMPARE(m_settings->number(Settings::Key::Enab), 0);
    QCOMPARE(w->httpClient().connectionSettings().proxy.server, QString());
}

void TestMainWindowCommands::garbageSettingsStillStart() {
    {
        QFile f(m_dir->filePath("Vendrick.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "[Settings]\nEnab=yes please\nAdvertising=\xff\xfe\nSkin=\x01\x02\nProxyIP=;;;\nProxyPort=-99999999999\n"
            "Socket=42\nEnabAuth=maybe\nName=\nPass=12x\nCountry=\nLang=../../etc/passwd\nPath=\n");
    }
    m_settings = std::make_unique<Settings>(m_dir->filePath("Vendrick.ini"));
    m_db->add("USD", QDate(2009, 1, 10), 1, 29.3804, 1);
    auto w = makeWindow();
    QVERIFY(w->bannerShown());
    QCOMPARE(w->activeTable().recordCount(), 1);
    QCOMPARE(w->httpClient().connectionSettings().proxy.server, QString());
    QCOMPARE(w->httpClient().connectionSettings().socks.version, SocksVersion::None);
    QVERIFY(m_prompts.shown.isEmpty());
}

// Receives the addresses the program asks the system to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

void TestMainWindowCommands::menuReachesTheCommands() {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    auto w = makeWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(w->menu()->geometry(), QRect(0, 0, 651, MainMenu::kHeight));

    // F1: the help file of the working directory, without waiting, where a viewer of it is registered; the
    // program's own help window elsewhere.
    QFile chm(m_dir->filePath("Vendrick.chm"));
    QVERIFY(chm.open(QIODevice::WriteOnly));
    chm.close();
    QTest::keyClick(w.get(), Qt::Key_F1);
    if (HelpContents::viewerRegistered()) {
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls[0].toLocalFile(), m_dir->filePath("Vendrick.chm"));
    } else {
        QVERIFY(catcher.urls.isEmpty());
        QVERIFY(w->helpWindow() && w->helpWindow()->isVisible());
        w->helpWindow()->close();
    }
    const qsizetype opened = catcher.urls.size();

    // F9: the connection settings dialog.
    bool dialogShown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TfrmSet*>(QApplication::activeModalWidget());
        dialogShown = dialog != nullptr;
        if (dialog)
            dialog->btnCancelClick();
    });
    QTest::keyClick(w.get(), Qt::Key_F9);
    QVERIFY(dialogShown);

    // "О программе...": the about box, through the window's dialog runner.
    QString aboutTitle;
    w->setDialogRunner([&](QDialog& dialog) {
        if (qobject_cast<TAboutForm*>(&dialog))
            aboutTitle = dialog.windowTitle();
        return 0;
    });
    emit w->menu()->aboutRequested();
    QCOMPARE(aboutTitle, QStringLiteral("О программе"));

    // The banner opens the maker's site: once on a click, twice on a double click (its click and itself).
    QWidget* banner = w->findChild<QWidget*>("Image1");
    QTest::mouseClick(banner, Qt::LeftButton);
    QCOMPARE(catcher.urls.size(), opened + 1);
    QCOMPARE(catcher.urls.last(), QUrl(WebSites::kProgramsSite));
    // What the system delivers for a double click: press, release, double click, release.
    QTest::mousePress(banner, Qt::LeftButton);
    QTest::mouseRelease(banner, Qt::LeftButton);
    QTest::mouseDClick(banner, Qt::LeftButton);
    QTest::mouseRelease(banner, Qt::LeftButton);
    QCOMPARE(catcher.urls.size(), opened + 3);
    QCOMPARE(catcher.urls.last(), QUrl(WebSites::kProgramsSite));

    // A country chosen in the menu is stored and nothing else changes.
    emit w->menu()->countryChosen("Ukraine");
    QCOMPARE(m_settings->text(Settings::Key::Country), QStringLiteral("Ukraine"));
    QDesktopServices::unsetUrlHandler("file");
    QDesktopServices::unsetUrlHandler("https");
}

void TestMainWindowCommands::helpWindowShowsPagesAndFollowsLinks() {
    // The pages where an installed copy keeps them: a "tarvel/help" folder among the system's data folders.
    const QString pages = m_dir->filePath("share/tarvel/help");
    QVERIFY(QDir().mkpath(pages));
    for (const QFileInfo& page : QDir(TARVEL_SOURCE_DIR "/help").entryInfoList({"*.html", "*.css", "*.hhc"}))
        QVERIFY(QFile::copy(page.filePath(), pages + '/' + page.fileName()));
    const QByteArray previous = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_DIRS", m_dir->filePath("share").toUtf8());
    QCOMPARE(QFileInfo(HelpContents::pagesDir()).canonicalFilePath(), QFileInfo(pages).canonicalFilePath());

    auto w = makeWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->N9Click();
    qputenv("XDG_DATA_DIRS", previous);
    if (HelpContents::viewerRegistered())
        QSKIP("a viewer of the help file is registered on this system");
    HelpWindow* help = w->helpWindow();
    QVERIFY(help && help->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(help));
    QCOMPARE(help->currentPage(), QStringLiteral("index.html"));
    QVERIFY(help->browser()->toPlainText().contains("Tarvel — общие сведения"));

    // The contents: the pages of the help file's contents, nested as there.
    QTreeWidget* contents = help->contents();
    QCOMPARE(contents->topLevelItem(0)->text(0), QStringLiteral("Tarvel — общие сведения"));
    QTreeWidgetItem* express = nullptr;
    QTreeWidgetItem* garant = nullptr;
    for (QTreeWidgetItemIterator it(contents); *it; ++it) {
        if ((*it)->text(0) == "Экспресс-расчет")
            express = *it;
        if ((*it)->text(0) == "Выгрузки Гаранта")
            garant = *it;
    }
    QVERIFY(express && garant);
    QCOMPARE(garant->parent()->text(0), QStringLiteral("Импорт из текстового файла"));
    QCOMPARE(garant->parent()->parent()->text(0), QStringLiteral("Способы обновления данных"));
    const QRect item = contents->visualItemRect(express);
    QTest::mouseClick(contents->viewport(), Qt::LeftButton, {}, item.center());
    QCOMPARE(help->currentPage(), QStringLiteral("express.html"));

    // A link of the page, clicked, opens its page and marks it in the contents.
    help->showPage("index.html");
    QTextBrowser* browser = help->browser();
    const QTextCursor found = browser->document()->find("Показатели и таблицы");
    QVERIFY(!found.isNull());
    QTextCursor inside(browser->document());
    inside.setPosition(found.selectionStart() + 3);
    browser->ensureCursorVisible();
    browser->setTextCursor(inside);
    browser->ensureCursorVisible();
    const QPoint at = browser->cursorRect(inside).center();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(help->currentPage(), QStringLiteral("series.html"));
    QCOMPARE(contents->currentItem()->text(0), QStringLiteral("Показатели и таблицы"));
    QVERIFY(browser->toPlainText().contains("Показатели и таблицы"));
}

QTEST_MAIN(TestMainWindowCommands)
#include "tst_mainwindowcommands.moc"
