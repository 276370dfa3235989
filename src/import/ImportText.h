#pragma once

#include "common/RussianText.h"
#include "store/Fixed4.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringView>

#include <array>

struct RegionalSettings;

// Text tools shared by the export parsers. Positions are 1-based character positions in a decoded line, as
// the export layouts are described by their columns.

// From a byte of the DOS Cyrillic code page to a character; the box-drawing rows give ASCII-like characters and
// "¦", so that a DOS table reads like its Windows export.
extern const std::array<char16_t, 256> DosCharTable;
QString DecodeDosLine(QByteArrayView bytes);

// 1-based position of the first occurrence of `what` in `line`; 0 when absent or either text is empty.
int FindText(QStringView what, QStringView line);

// A number text with the decimal mark of the regional settings, whichever of "." and "," was written: every
// "." becomes "," under a decimal comma, every "," becomes "." otherwise.
QString NormaliseDecimal(QStringView text, const RegionalSettings& regional);

namespace ImportText {
// The k characters from position i: fewer when the line ends earlier; a position below 1 counts as 1.
QString chars(QStringView line, int i, int k);
// Everything from position i to the end of the line.
QString rest(QStringView line, int i);
// The character at position i, or a null character outside the line.
QChar at(QStringView line, int i);
// First position at or after i whose character is not a blank (U+0020); the line length + 1 when none.
int skipBlanks(QStringView line, int i);
// The token from position i up to the first blank after it (not included) or the end of the line; `end` gets
// the position of that blank, or the line length + 1.
QString token(QStringView line, int i, int* end = nullptr);

// The readings of the parsers; each throws AppError on text that does not fit.
QString trimmed(QStringView text); // without characters of codes 0 to 32 at both ends
Fixed4 readNumber(QStringView text, const RegionalSettings& regional); // trimmed, regional decimal mark
QDate readDateText(QStringView text, const RegionalSettings& regional, int currentYear);
QDate makeDate(int year, int month, int day); // must be a valid calendar date

// The value a parser reads from a line, for the causes of its failures.
struct ValueName {
    const char16_t* accusative;     // "Не удалось прочитать курс"
    const char16_t* mustBePositive; // "Курс должен быть больше нуля"
};
inline constexpr ValueName kRate{u"курс", u"Курс должен быть больше нуля"};
inline constexpr ValueName kMrotAmount{u"размер МРОТ", u"Размер МРОТ должен быть больше нуля"};
inline constexpr ValueName kRefinRate{u"ставку", u"Ставка должна быть больше нуля"};

// A piece of the file as a message shows it: trimmed, control characters as blanks, cut after 80 characters.
QString quote(QStringView text);
// The causes of a failed data line, each one sentence that quotes what could not be read.
[[noreturn]] void failNotTableLine(QStringView line);
[[noreturn]] void failUnreadable(const ValueName& name, QStringView text);
[[noreturn]] void failNoSuchDate(QStringView dateText);

// A rate, an amount: a number (as readNumber) above zero; fails naming the value.
Fixed4 readValue(QStringView text, const RegionalSettings& regional, const ValueName& name);
// The day, month name and year of a date head: a day or year that is no integer makes the line no table line;
// a day that the month lacks is no date.
QDate readDayMonthYear(QStringView line, QStringView dayText, const QString& monthName, QStringView yearText);
// A date text (dd.mm.yyyy in the Russian settings), `written` as it stands in the line: a text of the shape of a
// date that gives no calendar day is no date, any other text makes the line no table line.
QDate readLineDate(QStringView line, QStringView text, QStringView written, const RegionalSettings& regional,
                   int currentYear);

// Where a value column that starts at the computed position i really starts. When i falls inside a number (the
// character before it belongs to the same token), the number is read whole, from its first character; when it
// falls inside other text, the line fails. Otherwise i.
int valueColumn(QStringView line, int i, const ValueName& name);
} // namespace ImportText
