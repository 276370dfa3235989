#pragma once

#include "calc/Money.h"
#include "common/RegionalSettings.h"

#include <QDate>
#include <QString>

class QDateEdit;
class QWidget;

// What the tabs of the calculations window share for their inputs.
namespace CalcInputs {
// A date field with four-digit years and a calendar; `format` "dd.MM.yyyy" or "MM.yyyy" for months.
QDateEdit* dateEdit(const char* name, QWidget* parent, const QString& format = QStringLiteral("dd.MM.yyyy"));
// An amount as typed: digit groups (spaces, the regional thousands separator) allowed; AppError naming the
// field when it is no amount of at most two places. `positive`: zero and less are refused too.
Money readMoney(const QString& text, const QString& field, const RegionalSettings& regional, bool positive);
// An amount with its digits grouped: "100 000,00".
QString moneyText(Money amount, const RegionalSettings& regional);
// A date as the settings keep it, and back (invalid when missing).
QString dateKey(QDate date);
QDate dateFromKey(const QString& text);
} // namespace CalcInputs
