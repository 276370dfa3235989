#pragma once

#include "common/RegionalSettings.h"

#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;
class TableObject;

// The box " Экспресс-расчет " of the main window: an amount converted at the value of the current record.
// Throws AppError for a field that does not hold a number or a result that is no finite number.
class ExpressPanel {
public:
    ExpressPanel(QWidget* window, const RegionalSettings& regional);

    QGroupBox* box() const { return gb5; }
    QLineEdit* field1() const { return val1; }
    QLineEdit* field2() const { return val2; }
    QLabel* roublesLabel() const { return Skl2; }

    // At the rate and nominal of the current record of a currency table; `code` replaces Skl unless empty.
    void calcCurrency(TableObject& table, const QString& code, bool fromVal2);
    // A multiple of `value`, read by the caller from the column the grid shows; the caption from `table`.
    void calcMultiple(TableObject& table, double value, bool fromVal2);

private:
    void setCaption(TableObject& table);
    void declineRoubles();
    // From its first digit; refuses a value that is not a finite number.
    void showResult(QLineEdit* field, double value);

    RegionalSettings m_regional;
    QGroupBox* gb5 = nullptr;
    QLineEdit* val1 = nullptr;
    QLabel* Skl = nullptr;
    QLabel* Label20 = nullptr;
    QLineEdit* val2 = nullptr;
    QLabel* Skl2 = nullptr;
};
