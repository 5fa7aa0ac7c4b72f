#pragma once

#include "chart/panel/TCustomAxisPanel.h"

// The level of a chart with titles and walls, and the whole painting
// sequence.
class TCustomChart : public TCustomAxisPanel {
public:
  explicit TCustomChart(Control* parent);

protected:
  void DrawChartContent() override;
  void PaintWalls();
};
