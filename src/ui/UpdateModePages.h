#pragma once

#include "import/ImportCommand.h"

class MaskedDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QWidget;
struct RegionalSettings;
struct SeriesInfo;

// The update-mode box " Способ обновления данных " and the page of each mode below it: the record buttons,
// the file import's logos and button, the download's date range and button.
class UpdateModePages {
public:
    UpdateModePages(QWidget* window, const RegionalSettings& regional);

    // The caption of gb2 and the page of nbAppl for the checked mode.
    void rbClick();
    UpdateMode mode() const;
    // Enables the modes `series` allows on entering it; a checked mode it does not allow gives way to one it
    // does (the internet for a file mode, a file for the internet), else to "вручную".
    void allowModesOf(const SeriesInfo& series);
    void allowAllModes();

    QRadioButton* rb1 = nullptr;
    QRadioButton* rb2 = nullptr;
    QRadioButton* rb3 = nullptr;
    QRadioButton* rb4 = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnDel = nullptr;
    QPushButton* btnUpd = nullptr;
    MaskedDateEdit* Date1 = nullptr;
    MaskedDateEdit* Date2 = nullptr;
    QPushButton* btnGet = nullptr;

private:
    void setModesEnabled(bool rb2On, bool rb3On, bool rb4On);

    QGroupBox* gb1 = nullptr;
    QGroupBox* gb2 = nullptr;
    QStackedWidget* nbAppl = nullptr;
    QLabel* im1 = nullptr;
    QLabel* im2 = nullptr;
};
