#pragma once

#include "chart/panel/TCustomChart.h"

// The chart control: a pane of the viewer.
class TChart : public TCustomChart {
public:
  explicit TChart(Control* parent = nullptr) : TCustomChart(parent) {}
};
