#pragma once

#include "calc/Money.h"
#include "common/RegionalSettings.h"

#include <QDate>
#include <QString>

#include <functional>

class Prompts;
class QDateEdit;
class QFormLayout;
class QLineEdit;
class QPushButton;
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

// A tab's layout: its inputs with the calculate button at their right, the result below taking the height.
void layOutPage(QWidget* page, QFormLayout* inputs, QPushButton* calculate, QWidget* result);
// The button and Enter in `field` run `calculation`; its refusal is shown, never thrown into the event loop.
void connectCalculation(QWidget* page, Prompts& prompts, QPushButton* calculate, QLineEdit* field,
                        std::function<void()> calculation);
} // namespace CalcInputs
