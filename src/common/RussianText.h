#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Text of the Russian Windows systems the exports and catalogues come from.

// The bytes in the Windows Cyrillic code page (windows-1251); 0x98, which has no character, keeps its code.
QString DecodeWindows1251(QByteArrayView bytes);

enum class MonthForm { Genitive /* "января" */, Nominative /* "январь" */ };
// 1 to 12, or -1 when the name is none of the twelve; exact and case-sensitive.
int MonthNumber(QStringView name, MonthForm form);
