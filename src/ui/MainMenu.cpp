#include "MainMenu.h"

#include "MenuPictures.h"
#include "common/Settings.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QWidgetAction>

using MenuPictures::Command;

MainMenu::MainMenu(QWidget* parent) : QMenuBar(parent) {
    setObjectName(QStringLiteral("dxBarManagerBar"));
    setNativeMenuBar(false); // a row of the window on every platform
    setContextMenuPolicy(Qt::PreventContextMenu);

    m_file = addMenu(QStringLiteral("Файл"));
    m_file->setObjectName(QStringLiteral("dxBarSubItemFile"));
    m_calc = addMenu(QStringLiteral("Расчёты"));
    m_calc->setObjectName(QStringLiteral("menuCalc"));
    m_help = addMenu(QStringLiteral("Помощь"));
    m_help->setObjectName(QStringLiteral("dxBarSubItemHelp"));
    for (QMenu* menu : {m_file, m_calc, m_help}) {
        menu->setToolTipsVisible(true);
        menu->setTearOffEnabled(false);
    }

    QAction* conSet = addCommand(m_file, "dxBarBtnConSet", QStringLiteral("Настройки соединения"),
                                 QStringLiteral("Настройки соединения"));
    conSet->setIcon(MenuPictures::commandIcon(Command::ConnectionSettings));
    conSet->setShortcut(QKeySequence(Qt::Key_F9));
    connect(conSet, &QAction::triggered, this, &MainMenu::connectionSettingsRequested);

    m_language = addCombo(
        m_languageItem, "dxBarImgCmbInterface", QStringLiteral("Язык"), QStringLiteral("Язык"),
        {QStringLiteral("Russian"), QStringLiteral("English"), QStringLiteral("French"), QStringLiteral("Bulgarian")},
        true, &MainMenu::languageChosen);
    m_country = addCombo(m_countryItem, "dxBarImgCmbCountry", QStringLiteral("Страна"), QStringLiteral("Страна"),
                         {QStringLiteral("Russia"), QStringLiteral("Ukraine"), QStringLiteral("Bulgaria")}, true,
                         &MainMenu::countryChosen);
    m_skin = addCombo(m_skinItem, "dxBarCmbSkin", QStringLiteral("Скин"), QStringLiteral("Skin"), {}, false,
                      &MainMenu::skinChosen);
    m_languageItem->setVisible(false);
    m_countryItem->setVisible(false);

    m_file->addSeparator();
    QAction* exit = addCommand(m_file, "dxBarBtnExit", QStringLiteral("Выход"), QStringLiteral("Выход"));
    exit->setIcon(MenuPictures::commandIcon(Command::Exit));
    connect(exit, &QAction::triggered, this, &MainMenu::exitRequested);

    const char* calcNames[] = {"actCalcInterest", "actCalcConversion", "actCalcInflation", "actCalcChart"};
    const QString calcTexts[] = {QStringLiteral("Проценты по ключевой ставке…"),
                                 QStringLiteral("Пересчёт валюты на дату…"), QStringLiteral("Инфляция за период…"),
                                 QStringLiteral("График ряда…")};
    for (int tab = 0; tab < 4; ++tab) {
        QAction* item = addCommand(m_calc, calcNames[tab], calcTexts[tab], calcTexts[tab].chopped(1));
        connect(item, &QAction::triggered, this, [this, tab] { emit calculationRequested(tab); });
    }

    QAction* contents = addCommand(m_help, "N9", QStringLiteral("Содержание"), QStringLiteral("Содержание"));
    contents->setIcon(MenuPictures::commandIcon(Command::Contents));
    contents->setShortcut(QKeySequence(Qt::Key_F1));
    connect(contents, &QAction::triggered, this, &MainMenu::contentsRequested);

    QAction* web =
        addCommand(m_help, "Internet1", QStringLiteral("Страница в Internet"), QStringLiteral("Страница в Internet"));
    web->setIcon(MenuPictures::commandIcon(Command::WebPage));
    connect(web, &QAction::triggered, this, &MainMenu::webPageRequested);

    // The mail items are offered but do nothing.
    QMenu* mail =
        m_help->addMenu(MenuPictures::commandIcon(Command::Mail), QStringLiteral("Написать письмо разработчикам"));
    mail->setObjectName(QStringLiteral("N10"));
    mail->menuAction()->setObjectName(QStringLiteral("N10"));
    mail->menuAction()->setToolTip(QStringLiteral("Написать письмо разработчикам"));
    mail->setToolTipsVisible(true);
    addCommand(mail, "N11", QStringLiteral("Сообщение об ошибке"), QStringLiteral("Сообщение об ошибке"));
    addCommand(mail, "N17", QStringLiteral("Запрос информации"), QStringLiteral("Запрос информации"));
    addCommand(mail, "N23", QStringLiteral("Предложение"), QStringLiteral("Предложение"));
    addCommand(mail, "N24", QStringLiteral("Другое"), QStringLiteral("Другое"));

    m_help->addSeparator();
    QAction* about = addCommand(m_help, "N26", QStringLiteral("О программе..."), QStringLiteral("О программе"));
    about->setIcon(MenuPictures::commandIcon(Command::About));
    connect(about, &QAction::triggered, this, &MainMenu::aboutRequested);
}

QAction* MainMenu::addCommand(QMenu* menu, const char* name, const QString& text, const QString& hint) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

QComboBox* MainMenu::addCombo(QWidgetAction*& item, const char* name, const QString& caption, const QString& hint,
                              const QStringList& items, bool pictures, void (MainMenu::*chosen)(const QString&)) {
    item = new QWidgetAction(m_file);
    item->setObjectName(QLatin1String(name));
    item->setText(caption);
    item->setToolTip(hint);
    item->setStatusTip(hint);

    auto* row = new QWidget;
    row->setToolTip(hint);
    auto* layout = new QHBoxLayout(row);
    // Line the caption up with the texts of the command items, which sit right of their icons.
    const int iconColumn = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, m_file) + 12;
    layout->setContentsMargins(iconColumn, 2, 6, 2);
    layout->setSpacing(8);
    auto* label = new QLabel(caption, row);
    label->setObjectName(QLatin1String(name) + QStringLiteral("Caption"));
    auto* combo = new QComboBox(row);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(false);
    combo->setMinimumWidth(130);
    combo->setToolTip(hint);
    if (pictures)
        combo->setIconSize(QSize(16, 11));
    for (const QString& text : items) {
        if (pictures)
            combo->addItem(MenuPictures::flag(text), text);
        else
            combo->addItem(text);
    }
    combo->setCurrentIndex(-1);
    label->setBuddy(combo);
    layout->addWidget(label);
    layout->addStretch(1);
    layout->addWidget(combo);
    item->setDefaultWidget(row);
    m_file->addAction(item);

    // Queued: the choice is handed on after the combo's popup and the menu have finished with it.
    connect(
        combo, &QComboBox::textActivated, this,
        [this, chosen](const QString& text) {
            m_file->close();
            emit(this->*chosen)(text);
        },
        Qt::QueuedConnection);
    return combo;
}

void MainMenu::setComboText(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void MainMenu::showSettings(const Settings& settings) {
    const auto country = settings.country();
    const auto lang = settings.lang();
    m_countryItem->setVisible(country.has_value());
    m_languageItem->setVisible(lang.has_value());
    setComboText(m_language, lang.value_or(QString()));
    setComboText(m_country, country.value_or(QString()));
    setComboText(m_skin, settings.skin());
}
