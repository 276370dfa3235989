#pragma once

class Clock;
class IndicatorGrid;
class Prompts;
class QDateEdit;
class QGroupBox;
class QPushButton;
class QWidget;
class TableObject;
struct RegionalSettings;

// The box " Быстрый поиск по дате " of the main window: finds the record of the series shown dated exactly on
// the chosen day.
class QuickSearch {
public:
    QuickSearch(QWidget* window, const RegionalSettings& regional, const Clock& clock);

    QGroupBox* box() const { return gb4; }
    QDateEdit* searchDate() const { return SearchDate; }
    QPushButton* button() const { return btnSearch; }

    // Found: the record becomes current and `grid` takes the focus. Otherwise the first record becomes current
    // and "Запись не найдена" is shown. Of two records of one day the first in grid order is found.
    void search(TableObject& table, IndicatorGrid& grid, Prompts& prompts);

private:
    QGroupBox* gb4 = nullptr;
    QDateEdit* SearchDate = nullptr;
    QPushButton* btnSearch = nullptr;
};
