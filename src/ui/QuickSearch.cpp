#include "QuickSearch.h"

#include "IndicatorGrid.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "common/RegionalSettings.h"
#include "store/TableObject.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QPushButton>
#include <QStyle>

QuickSearch::QuickSearch(QWidget* window, const RegionalSettings& regional, const Clock& clock) {
    gb4 = new QGroupBox(QStringLiteral(" Быстрый поиск по дате "), window);
    gb4->setObjectName(QStringLiteral("gb4"));
    gb4->setGeometry(423, 379, 224, 67);
    SearchDate = new QDateEdit(gb4);
    SearchDate->setObjectName(QStringLiteral("SearchDate"));
    SearchDate->setDisplayFormat(regional.shortDateFormat);
    SearchDate->setCalendarPopup(true);
    SearchDate->setDate(clock.today());
    SearchDate->setGeometry(10, 27, 110, 24);
    btnSearch =
        new QPushButton(window->style()->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("Найти"), gb4);
    btnSearch->setObjectName(QStringLiteral("btnSearch"));
    btnSearch->setGeometry(130, 26, 84, 26);
}

void QuickSearch::search(TableObject& table, IndicatorGrid& grid, Prompts& prompts) {
    // The rows are ordered by date: a binary search, not a walk of the cursor over every record.
    const int row = table.findDate(SearchDate->date());
    // The grid hears of the cursor once, where it ends.
    {
        QuietControls quiet(table);
        if (row >= 0)
            table.moveTo(row);
        else
            table.first();
    }
    if (row >= 0) {
        grid.syncToCursor();
        grid.setFocus();
        return;
    }
    prompts.information(QStringLiteral("Запись не найдена"));
}
