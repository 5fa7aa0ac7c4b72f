#pragma once

#include "chart/panel/TChart.h"

// A drag across the middle row of a pane: press, one move, release.
inline void DragAcross(TChart& chart, TMouseButton button, int x0, int x1) {
  const int y = chart.PlotCenterY;
  chart.MouseDown(button, ShiftOfButton(button), x0, y);
  chart.MouseMove(ShiftOfButton(button), x1, y);
  chart.MouseUp(button, 0, x1, y);
}
