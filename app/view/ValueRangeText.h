#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "chart/panel/TChart.h"

// A value axis' range as the user types it: the minimum and the maximum,
// numbers in the locale's format, apart by blanks or a semicolon (or a
// comma where the decimal separator is a point).
std::string ValueRangeText(const TAxisRange& range);
// The range typed, or none when the text is not two numbers, the minimum
// below the maximum.
std::optional<TAxisRange> ParseValueRange(std::string_view text);
