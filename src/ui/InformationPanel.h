#pragma once

class QGroupBox;
class QLabel;
class QWidget;
class TableObject;
struct ChangeCounters;

// The box " Информация " of the main window: the source and date of the current record, the nominal of a
// currency, the first and last dates of the series and the counts of the last refresh.
class InformationPanel {
public:
    explicit InformationPanel(QWidget* window);

    QGroupBox* box() const { return gb3; }
    // l7, l8: the oldest and the newest date, read from the rows so that the cursor stays where it is.
    void showRecordDates(TableObject& table);
    // l1 to l6 from the current record and the counters; the nominal only for a currency table.
    void showRecordDetails(TableObject& table, const ChangeCounters& counters, bool currency);

private:
    QGroupBox* gb3 = nullptr;
    QLabel* l1 = nullptr;
    QLabel* l2 = nullptr;
    QLabel* l3 = nullptr;
    QLabel* l4 = nullptr;
    QLabel* l5 = nullptr;
    QLabel* l6 = nullptr;
    QLabel* l7 = nullptr;
    QLabel* l8 = nullptr;
    QLabel* l50 = nullptr;
};
