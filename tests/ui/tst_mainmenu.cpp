#include "common/Settings.h"
#include "ui/MainMenu.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QWidgetAction>
#include <QtTest>

class TestMainMenu : public QObject {
    Q_OBJECT
private slots:
    void init();
    void items();
    void hints_data();
    void hints();
    void storedChoices_data();
    void storedChoices();
    void functionKeys();
    void choicesReachTheWindowOnlyFromTheUser();
    void mailItemsDoNothing();

private:
    QStringList entries(QMenu* menu) const;
    std::unique_ptr<QWidget> m_window;
    MainMenu* m_menu = nullptr;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMainMenu::init() {
    m_window = std::make_unique<QWidget>();
    m_window->resize(651, 200);
    m_menu = new MainMenu(m_window.get());
    m_menu->setGeometry(0, 0, 651, MainMenu::kHeight);
    m_dir = std::make_unique<QTemporaryDir>();
}

QStringList TestMainMenu::entries(QMenu* menu) const {
    QStringList out;
    for (QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + ' ' + a->text());
    return out;
}

void TestMainMenu::items() {
    QStringList menus;
    for (QAction* a : m_menu->actions())
        menus << a->text();
    QCOMPARE(menus, (QStringList{"Файл", "Расчёты", "Помощь"}));
    QCOMPARE(entries(m_menu->calcMenu()),
             (QStringList{"actCalcInterest Проценты по ключевой ставке…", "actCalcConversion Пересчёт валюты на дату…",
                          "actCalcInflation Инфляция за период…", "actCalcChart График ряда…"}));
    // Each item asks for its own tab of the calculations window.
    QSignalSpy calc(m_menu, &MainMenu::calculationRequested);
    for (const char* name : {"actCalcInterest", "actCalcConversion", "actCalcInflation", "actCalcChart"})
        m_menu->findChild<QAction*>(QLatin1String(name))->trigger();
    QCOMPARE(calc.count(), 4);
    for (int tab = 0; tab < 4; ++tab)
        QCOMPARE(calc.at(tab).at(0).toInt(), tab);
    QCOMPARE(entries(m_menu->fileMenu()),
             (QStringList{"dxBarBtnConSet Настройки соединения", "dxBarImgCmbInterface Язык",
                          "dxBarImgCmbCountry Страна", "dxBarCmbSkin Скин", "-", "dxBarBtnExit Выход"}));
    QCOMPARE(entries(m_menu->helpMenu()),
             (QStringList{"N9 Содержание", "Internet1 Страница в Internet", "N10 Написать письмо разработчикам", "-",
                          "N26 О программе..."}));
    QMenu* mail = m_menu->helpMenu()->findChild<QMenu*>("N10");
    QVERIFY(mail);
    QCOMPARE(entries(mail),
             (QStringList{"N11 Сообщение об ошибке", "N17 Запрос информации", "N23 Предложение", "N24 Другое"}));

    auto items = [](QComboBox* c) {
        QStringList out;
        for (int i = 0; i < c->count(); ++i) {
            out << c->itemText(i);
            if (c->itemIcon(i).isNull())
                out << "(no picture)";
        }
        return out;
    };
    QCOMPARE(items(m_menu->languageCombo()), (QStringList{"Russian", "English", "French", "Bulgarian"}));
    QCOMPARE(items(m_menu->countryCombo()), (QStringList{"Russia", "Ukraine", "Bulgaria"}));
    QCOMPARE(m_menu->languageCombo()->currentIndex(), -1);
    QVERIFY(!m_menu->skinCombo()->isEditable());
    for (const char* name : {"dxBarBtnConSet", "N9", "Internet1", "N10", "N26", "dxBarBtnExit"})
        QVERIFY2(!m_menu->findChild<QAction*>(QLatin1String(name))->icon().isNull(), name);
}

void TestMainMenu::hints_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    QTest::newRow("connection") << "dxBarBtnConSet"
                                << "Настройки соединения";
    QTest::newRow("language") << "dxBarImgCmbInterface"
                              << "Язык";
    QTest::newRow("country") << "dxBarImgCmbCountry"
                             << "Страна";
    QTest::newRow("skin") << "dxBarCmbSkin"
                          << "Skin";
    QTest::newRow("exit") << "dxBarBtnExit"
                          << "Выход";
    QTest::newRow("contents") << "N9"
                              << "Содержание";
    QTest::newRow("web page") << "Internet1"
                              << "Страница в Internet";
    QTest::newRow("mail") << "N10"
                          << "Написать письмо разработчикам";
    QTest::newRow("about") << "N26"
                           << "О программе";
}

void TestMainMenu::hints() {
    QFETCH(QString, name);
    QFETCH(QString, hint);
    QCOMPARE(m_menu->findChild<QAction*>(name)->toolTip(), hint);
    if (auto* combo = m_menu->findChild<QComboBox*>(name))
        QCOMPARE(combo->toolTip(), hint);
}

void TestMainMenu::storedChoices_data() {
    QTest::addColumn<QString>("lang");    // "-": absent
    QTest::addColumn<QString>("country"); // "-": absent
    QTest::addColumn<QString>("skin");
    QTest::addColumn<QString>("shownSkin");
    QTest::newRow("first start") << "-"
                                 << "-"
                                 << "No skin"
                                 << "No skin";
    QTest::newRow("language only") << "English"
                                   << "-"
                                   << "Dark"
                                   << "Dark";
    QTest::newRow("country only") << "-"
                                  << "Ukraine"
                                  << ""
                                  << "";
    QTest::newRow("both, unknown skin") << "French"
                                        << "Bulgaria"
                                        << "Gone"
                                        << "";
    QTest::newRow("present but empty") << ""
                                       << ""
                                       << "No skin"
                                       << "No skin";
}

void TestMainMenu::storedChoices() {
    QFETCH(QString, lang);
    QFETCH(QString, country);
    QFETCH(QString, skin);
    QFETCH(QString, shownSkin);
    Settings settings(m_dir->filePath("Vendrick.ini"));
    settings.writeFirstStartDefaults();
    settings.setText(Settings::Key::Skin, skin);
    if (lang != "-")
        settings.setText(Settings::Key::Lang, lang);
    if (country != "-")
        settings.setText(Settings::Key::Country, country);
    m_menu->skinCombo()->addItems({"Dark", "No skin"});

    m_menu->showSettings(settings);
    QCOMPARE(m_menu->languageItem()->isVisible(), lang != "-");
    QCOMPARE(m_menu->countryItem()->isVisible(), country != "-");
    QCOMPARE(m_menu->languageCombo()->currentText(), lang == "-" ? QString() : lang);
    QCOMPARE(m_menu->countryCombo()->currentText(), country == "-" ? QString() : country);
    QCOMPARE(m_menu->skinCombo()->currentText(), shownSkin);
    // Showing the settings is no choice: nothing is written back.
    QCOMPARE(settings.lang().has_value(), lang != "-");
}

void TestMainMenu::functionKeys() {
    QCOMPARE(m_menu->findChild<QAction*>("dxBarBtnConSet")->shortcut(), QKeySequence(Qt::Key_F9));
    QCOMPARE(m_menu->findChild<QAction*>("N9")->shortcut(), QKeySequence(Qt::Key_F1));
    QSignalSpy connection(m_menu, &MainMenu::connectionSettingsRequested);
    QSignalSpy contents(m_menu, &MainMenu::contentsRequested);
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(m_window.get(), Qt::Key_F9);
    QCOMPARE(connection.count(), 1);
    QCOMPARE(contents.count(), 0);
    QTest::keyClick(m_window.get(), Qt::Key_F1);
    QCOMPARE(contents.count(), 1);
    QTest::keyClick(m_window.get(), Qt::Key_F9, Qt::ControlModifier);
    QTest::keyClick(m_window.get(), Qt::Key_F1, Qt::ShiftModifier);
    QCOMPARE(connection.count(), 1);
    QCOMPARE(contents.count(), 1);
}

void TestMainMenu::choicesReachTheWindowOnlyFromTheUser() {
    QSignalSpy language(m_menu, &MainMenu::languageChosen);
    QSignalSpy country(m_menu, &MainMenu::countryChosen);
    QSignalSpy skin(m_menu, &MainMenu::skinChosen);
    m_menu->skinCombo()->addItems({"Dark", "Light", "No skin"});
    Settings settings(m_dir->filePath("Vendrick.ini"));
    settings.setValues({{Settings::Key::Lang, "English"}, {Settings::Key::Country, ""}, {Settings::Key::Skin, "Dark"}});
    m_menu->showSettings(settings);
    QCoreApplication::processEvents();
    QCOMPARE(language.count() + country.count() + skin.count(), 0);

    QTest::keyClick(m_menu->languageCombo(), Qt::Key_Down);
    QTest::keyClick(m_menu->countryCombo(), Qt::Key_Down);
    QTest::keyClick(m_menu->skinCombo(), Qt::Key_Down);
    QCOMPARE(skin.count(), 0); // handed on once the event is over
    QTRY_COMPARE(skin.count(), 1);
    QCOMPARE(language.takeFirst().at(0).toString(), QStringLiteral("French"));
    QCOMPARE(country.takeFirst().at(0).toString(), QStringLiteral("Russia"));
    QCOMPARE(skin.takeFirst().at(0).toString(), QStringLiteral("Light"));
}

void TestMainMenu::mailItemsDoNothing() {
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (auto signal : {&MainMenu::connectionSettingsRequested, &MainMenu::exitRequested, &MainMenu::contentsRequested,
                        &MainMenu::webPageRequested, &MainMenu::aboutRequested})
        spies.push_back(std::make_unique<QSignalSpy>(m_menu, signal));
    for (const char* name : {"N11", "N17", "N23", "N24"})
        m_menu->findChild<QAction*>(QLatin1String(name))->trigger();
    for (const auto& spy : spies)
        QCOMPARE(spy->count(), 0);
    // Each command reaches its own signal.
    const char* commands[] = {"dxBarBtnConSet", "dxBarBtnExit", "N9", "Internet1", "N26"};
    for (int i = 0; i < 5; ++i) {
        m_menu->findChild<QAction*>(QLatin1String(commands[i]))->trigger();
        for (int j = 0; j < 5; ++j)
            QCOMPARE(spies[j]->count(), j <= i ? 1 : 0);
    }
}

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
