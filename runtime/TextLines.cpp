#include "runtime/TextLines.h"

#include <algorithm>

std::vector<std::string> SplitLines(std::string_view text, TLineBreak breaks) {
  const bool anyNewline = breaks == TLineBreak::AnyNewline;
  const std::string_view separators = anyNewline ? "\r\n" : "\r";
  std::vector<std::string> lines;
  if (text.empty()) {
    return lines;
  }
  std::size_t start = 0;
  while (true) {
    const std::size_t end = std::min(text.find_first_of(separators, start), text.size());
    lines.emplace_back(text.substr(start, end - start));
    start = end + (anyNewline && text.substr(end, 2) == "\r\n" ? 2 : 1);
    if (end == text.size() || (anyNewline && start == text.size())) {
      return lines;
    }
  }
}
