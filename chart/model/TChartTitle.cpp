#include "chart/model/TChartTitle.h"

#include "chart/model/TChartModel.h"
#include "runtime/TextLines.h"

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
  chart_.StoreSetting(lines_, SplitLines(text, TLineBreak::AnyNewline));
}
