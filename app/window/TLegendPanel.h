#pragma once

#include <functional>
#include <vector>

#include "app/view/Legend.h"
#include "gui/WindowControl.h"

// The value table docked beside the panes: a block a pane with its colour,
// title and log, and its value, time stamp and sample at each place it is
// read. The rows are asked for at every paint, so that the table shows what
// the panes show whenever it is painted.
class TLegendPanel : public WindowControl {
public:
  static constexpr int PanelWidth = 200;

  explicit TLegendPanel(Control* parent) : WindowControl(parent) {}

  std::function<std::vector<TLegendRow>()> Rows;

protected:
  void Paint() override;
};

// Draws the rows on a canvas of the panel's size.
void DrawLegend(TRasterCanvas& canvas, const std::vector<TLegendRow>& rows);
