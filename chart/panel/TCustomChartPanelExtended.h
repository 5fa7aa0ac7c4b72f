#pragma once

#include "chart/panel/TCustomChartPanel.h"

// The zoom and panning level of a chart.
class TCustomChartPanelExtended : public TCustomChartPanel {
public:
  using TCustomChartPanel::TCustomChartPanel;

protected:
  // Draws the rubber band again at the end of a paint while a zoom drag is
  // active, so that the next erase by not-xor stays right.
  void DrawZoomFrameWhileDragging() {}
};
