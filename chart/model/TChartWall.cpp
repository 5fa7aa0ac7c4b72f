#include "chart/model/TChartWall.h"

#include "chart/model/TChartModel.h"

TChartWall::TChartWall(TChartModel& chart, TColor color, bool visible, bool transparent)
    : chart_(chart), color_(color), visible_(visible), transparent_(transparent) {
  chart_.RepaintOnChange({&Pen, &Brush});
}

void TChartWall::SetColor(TColor color) { chart_.StoreSetting(color_, color); }
void TChartWall::SetVisible(bool visible) { chart_.StoreSetting(visible_, visible); }
void TChartWall::SetTransparent(bool transparent) { chart_.StoreSetting(transparent_, transparent); }
void TChartWall::SetSize(int size) { chart_.StoreSetting(size_, size); }
