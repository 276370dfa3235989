#pragma once

#include <QMenuBar>

class QComboBox;
class QWidgetAction;
class Settings;

// The main window's menu bar, "Файл", "Расчёты" and "Помощь". It only offers the commands: the window connects their
// signals to its handlers. The bar is one fixed row; it cannot be moved, closed or customised.
class MainMenu : public QMenuBar {
    Q_OBJECT
public:
    static constexpr int kHeight = 22;

    explicit MainMenu(QWidget* parent = nullptr);

    QMenu* fileMenu() const { return m_file; }
    QMenu* helpMenu() const { return m_help; }
    QMenu* calcMenu() const { return m_calc; }
    QComboBox* languageCombo() const { return m_language; } // dxBarImgCmbInterface
    QComboBox* countryCombo() const { return m_country; }   // dxBarImgCmbCountry
    QComboBox* skinCombo() const { return m_skin; }         // dxBarCmbSkin
    QWidgetAction* languageItem() const { return m_languageItem; }
    QWidgetAction* countryItem() const { return m_countryItem; }

    // The start-up readings: "Язык" and "Страна" are shown only when the settings hold Lang and Country;
    // the three combos show Lang, Country and Skin (nothing where a value is absent or not among the items).
    // The skin combo must have its items already.
    void showSettings(const Settings& settings);
    // Shows the item with exactly that text, or none.
    static void setComboText(QComboBox* combo, const QString& text);

signals:
    void connectionSettingsRequested(); // "Настройки соединения", F9
    void exitRequested();               // "Выход"
    void contentsRequested();           // "Содержание", F1
    void webPageRequested();            // "Страница в Internet"
    void aboutRequested();              // "О программе..."
    // "Расчёты": the calculations window on one of its tabs (0 interest, 1 conversion, 2 inflation, 3 chart).
    void calculationRequested(int tab);
    // A choice by the user (never by the program). Delivered once the menu has closed, so that a handler may
    // restyle the whole application.
    void languageChosen(const QString& language);
    void countryChosen(const QString& country);
    void skinChosen(const QString& skin);

private:
    QAction* addCommand(QMenu* menu, const char* name, const QString& text, const QString& hint);
    QComboBox* addCombo(QWidgetAction*& item, const char* name, const QString& caption, const QString& hint,
                        const QStringList& items, bool pictures, void (MainMenu::*chosen)(const QString&));

    QMenu* m_file = nullptr;
    QMenu* m_help = nullptr;
    QMenu* m_calc = nullptr;
    QComboBox* m_language = nullptr;
    QComboBox* m_country = nullptr;
    QComboBox* m_skin = nullptr;
    QWidgetAction* m_languageItem = nullptr;
    QWidgetAction* m_countryItem = nullptr;
    QWidgetAction* m_skinItem = nullptr;
};
