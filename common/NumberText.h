#pragma once

#include <QChar>
#include <QString>

#include <optional>

// Number texts in the program's German format, whatever the machine's locale is.
// The format names follow the program's own vocabulary:
//   fixed(v, 1)   "%0.1f"  one decimal, no thousands separator      (matrix cells)
//   number(v, 2)  "%0.2n"  decimals with thousands separators        (band, total)
//   number(v)     "%0n"    the same with two decimals                (list values)
//   integer(n)    "%d"     plain decimal integer                     (counts)
// Values are rounded half away from zero at the last shown decimal, after the
// value has been reduced to 18 significant digits, so that 0,125 shows as 0,13
// while a double that merely lies near a half keeps its honest side.
namespace NumberText {

struct Separators
{
    QChar decimal = QLatin1Char(',');
    QChar thousand = QLatin1Char('.');
};

// The one settings object every number text of the program uses.
const Separators &settings();

QString fixed(double value, int decimals);
QString number(double value, int decimals = 2);
QString integer(long long value);

// Shortest general form ("%g"-like, up to 15 significant digits, no thousands
// separators), as used in range messages: 2.5 -> "2,5", 1e20 -> "1E20".
// Fields that show a chosen number of significant digits pass it.
QString general(double value, int significantDigits = 15);

// Reads a number written with the decimal comma: optional blanks, an optional sign,
// digits with at most one comma, an optional exponent. Thousands separators are not
// accepted here; callers that allow them remove them first. Returns nothing for a
// text that is no number or lies outside the range of a double.
std::optional<double> parse(const QString &text);

} // namespace NumberText
