#pragma once

#include "store/Series.h"

#include <optional>

class IndicatorGrid;
class IndicatorStore;
class Prompts;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// The series navigator of the main window: the tree `List`, the caption `Cap` over the grid, the notebook
// `nbTabl` of per-series controls and the grids. The tree entries are the one place where an entry's number
// meets its `Series`.
class SeriesNavigator {
public:
    static constexpr int kGroupEntry = 0; // "Курсы валют": shows the dollar
    static constexpr int kMrotGridHeight = 238;
    static constexpr int kFullGridHeight = 298;

    SeriesNavigator(QWidget* window, IndicatorStore& store, Prompts& prompts);

    // The absolute index of the selected entry; -1 when none is selected.
    int selectedIndex() const;
    // Selects the entry of an absolute index; nothing happens for the entry already selected.
    void selectEntry(int index);
    QString selectedText() const;
    // The series an entry shows; nothing for an index outside the tree.
    std::optional<Series> seriesOfEntry(int index) const;

    // MROT variant: 0 "уплаты госпошлины" (RAZMER), 1 "регулирования оплаты труда" (RAZMER2).
    int cb1ItemIndex() const;
    void setCb1ItemIndex(int index);
    // The MROT grid's value column by the variant.
    void applyCb1Column();

    // The caption, the page and the grid of a series.
    void showSeries(const SeriesInfo& series);
    // The caption and the grid of the currency picked in ValCombo.
    void showPickedCurrency();
    IndicatorGrid* grid(SeriesGrid grid) const;
    void showGrid(SeriesGrid grid);

    QTreeWidget* List = nullptr;
    QWidget* pan = nullptr;
    QLabel* Cap = nullptr;
    QStackedWidget* nbTabl = nullptr;
    QButtonGroup* cb1Items = nullptr;
    QComboBox* ValCombo = nullptr;
    IndicatorGrid* grKurs = nullptr;
    IndicatorGrid* grMROT_Refin = nullptr;
    IndicatorGrid* grInfl = nullptr;
    IndicatorGrid* grPrice = nullptr;
    IndicatorGrid* grOther = nullptr;

private:
    void buildTree(QWidget* window);
    void buildTablPages(QWidget* window);
    void buildGrids(QWidget* window, IndicatorStore& store, Prompts& prompts);
    QTreeWidgetItem* entryItem(int index) const;

    QGroupBox* cb1 = nullptr;
};
