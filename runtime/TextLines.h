#pragma once

#include <string>
#include <string_view>
#include <vector>

// What breaks a multi-line text into lines.
enum class TLineBreak {
  // Axis labels: every CR starts a line, a final one an empty line.
  CarriageReturn,
  // Titles: CR, LF or CR LF; a final break only ends the last line.
  AnyNewline,
};

// The lines of `text` without their breaks; "" has none.
std::vector<std::string> SplitLines(std::string_view text, TLineBreak breaks);
