#include "chart/model/TChartTitle.h"

#include "chart/model/TChartModel.h"

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    lines.emplace_back(text.substr(start, end - start));
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') {
      ++end;
    }
    start = end + 1;
  }
  return lines;
}

void TChartTitle::SetText(std::string_view text) {
  std::vector<std::string> lines = SplitTextLines(text);
  if (lines == lines_) {
    return;
  }
  lines_ = std::move(lines);
  chart_.RequestRepaint();
}
