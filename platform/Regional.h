#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

// The Brazilian regional settings the file and some statements are written under, implemented
// here so that the host's locale never changes a byte: decimal separator ",", thousands ".",
// date separator "/", short date "dd/mm/yyyy", two-digit years within fifty years of today.
namespace platform::regional {

constexpr QChar decimalSeparator = QLatin1Char(',');
constexpr QChar thousandSeparator = QLatin1Char('.');
constexpr QChar dateSeparator = QLatin1Char('/');
constexpr int twoDigitYearWindow = 50;

// General format with 15 significant digits: no grouping, no trailing zeros, decimal comma,
// scientific notation only below 0.00001 or above 15 integer digits (1234.5 -> "1234,5").
QString formatFloatGeneral(double value);

// Formatting with a picture of "0", "#", "," (grouping) and "." (decimal point), as in
// "0.00" and "###,###,##0.00"; halves away from zero on the 18-significant-digit expansion.
QString formatFloat(const QString& pattern, double value);

// The value formatFloat writes with `decimals` fixed decimals, read back as a number, without
// the text in between (0 for a value that is not finite, and never a negative zero).
double roundedValue(double value, int decimals);

// Reads a number written with the decimal comma (no grouping); blanks around are allowed.
std::optional<double> parseFloat(const QString& text);

// Date-time pictures: d dd m mm yy yyyy h hh n nn s ss (mm right after h/hh means minutes),
// letters in any case, every other character copied ("12/01/YY" keeps 12 and 01).
QString formatDateTime(const QString& pattern, const QDateTime& value);
inline QString formatDate(const QString& pattern, const QDate& value) {
    // Only the calendar fields are written: a date-time in UTC has them without asking the
    // time zone files, which a local one does at every construction.
    return formatDateTime(pattern, QDateTime(value, QTime(0, 0), Qt::UTC));
}

// Short date text "dd/mm/yyyy", and "dd/mm/yyyy hh:nn:ss" for a time of day other than midnight.
QString dateToText(const QDate& value);
QString dateTimeToText(const QDateTime& value);

// Reads d/m/y (day first; one- or two-digit day and month; two- or four-digit year, a two-digit
// year expanded with the window around `today`), optionally followed by a time h:n[:s].
// Without a year the year of `today` is taken. Blanks may surround every number.
std::optional<QDateTime> parseDateTime(const QString& text, const QDate& today = QDate::currentDate());
// The date alone: a time after it makes the text unreadable.
std::optional<QDate> parseDate(const QString& text, const QDate& today = QDate::currentDate());
// A time of day h:n[:s] alone.
std::optional<QTime> parseTime(const QString& text);
int expandTwoDigitYear(int year, const QDate& today = QDate::currentDate());

// The toolkit's application object takes the whole process locale from the environment, and
// the C libraries that write files for machines (the spreadsheet's XML) then print numbers with
// the user's decimal comma. Called right after that object is made: numbers go back to the C
// rules for the whole process, texts keep the user's encoding, and the Brazilian rules stay in
// the routines above.
void keepMachineNumbers();

} // namespace platform::regional
