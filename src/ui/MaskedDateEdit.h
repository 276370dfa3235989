#pragma once

#include "common/RegionalSettings.h"

#include <QDate>
#include <QLineEdit>

// A date field with a fixed mask in the regional order and separator: day and month of two places each (which
// may stay blank), the year of two or four required digits. Blank places show as underscores while typing and
// read as spaces.
class MaskedDateEdit : public QLineEdit {
    Q_OBJECT
public:
    MaskedDateEdit(const RegionalSettings& regional, int yearDigits, QWidget* parent = nullptr);

    // The text with the separators in place and blanks as spaces ("  .  .  " when empty).
    QString maskedText() const;
    // Writes the date with two-digit day and month and the field's number of year digits; an invalid date
    // empties the field.
    void setDate(QDate date);
    // The date typed; throws AppError with the date conversion message when it is incomplete or impossible.
    QDate date(int currentYear) const;
    int yearDigits() const { return m_yearDigits; }

private:
    RegionalSettings m_regional;
    int m_yearDigits;
};
