#include "chart/model/TChartTitle.h"

#include "chart/model/TChartModel.h"
#include "runtime/StoreIfChanged.h"

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

TChartTitle::TChartTitle(TChartModel& chart, bool atTop) : chart_(chart), atTop_(atTop) {
  if (atTop) {
    Font.SetColor(clBlue);
  } else {
    Font.SetColor(clRed);
    Font.SetStyle(TFontStyles{.Italic = true});
  }
  chart_.RepaintOnChange({&Font, &Frame, &Shadow});
}

void TChartTitle::SetVisible(bool visible) { chart_.StoreSetting(visible_, visible); }
void TChartTitle::SetAlignment(TAlignment alignment) { chart_.StoreSetting(alignment_, alignment); }
void TChartTitle::SetAdjustFrame(bool adjust) { chart_.StoreSetting(adjustFrame_, adjust); }
void TChartTitle::SetTransparent(bool transparent) { chart_.StoreSetting(transparent_, transparent); }
void TChartTitle::SetColor(TColor color) { chart_.StoreSetting(color_, color); }
void TChartTitle::SetCustomPosition(bool custom) { chart_.StoreSetting(customPosition_, custom); }

void TChartTitle::SetText(std::string_view text) {
  if (StoreIfChanged(lines_, SplitTextLines(text))) {
    chart_.RequestRepaint();
  }
}
