#pragma once

#include <string>
#include <string_view>

// The longest pattern FormatNumber accepts.
constexpr std::size_t MaxFormatPatternLength = 224;

// `value` formatted by a pattern of up to three sections "positive;negative;zero"
// made of digit slots ("#", "0"), the point ".", grouping ",", scientific
// exponents ("E+0", "e-00") and literal text (quoted or plain). Uses the
// locale separators. Raises EConvertError "Format string too long" for a
// pattern of more than MaxFormatPatternLength characters.
std::string FormatNumber(std::string_view pattern, long double value);

// The whole number nearest to `value` (ties to even), its digits grouped by
// the locale's thousands separator: "34,664".
std::string GroupedWholeNumber(long double value);

// The plain text of a number with at most 15 significant digits, fixed or
// scientific; INF, -INF and NAN for the special values.
std::string GeneralNumberText(long double value);

// The shortest text that reads back as the same double, its decimal point
// written as `decimalSeparator` and no thousands separators: "12.5", "1e-07",
// "-0"; "inf", "-inf" and "nan" for the special values. For figures a
// spreadsheet or a program reads back exactly.
std::string ShortestNumberText(double value, char decimalSeparator);
