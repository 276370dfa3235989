#pragma once

#include <QDate>
#include <QString>

// How the file stores a date, yyyy-mm-dd; the shipped history writes its dates the same way.

// Written by hand: Qt's own ISO form goes through a printf per date, a third of the cost of storing a record.
// False for a date Qt must write (invalid, or a year outside 1 to 9999).
bool IsoDigits(QDate d, char (&text)[11]);
QString IsoDateText(QDate d);
// Exactly ten characters yyyy-mm-dd of a real day; an invalid date otherwise.
QDate ParseIsoDate(const char* s, int n);
