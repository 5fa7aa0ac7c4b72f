#pragma once

#include <cstdint>

#include "app/view/TPaneCoordinator.h"
#include "app/window/PaneAppearance.h"
#include "chart/panel/TChart.h"
#include "chart/series/TLineSeries.h"

// A drag across the middle row of a pane: press, one move, release.
inline void DragAcross(TChart& chart, TMouseButton button, int x0, int x1) {
  const int y = chart.PlotCenterY;
  chart.MouseDown(button, ShiftOfButton(button), x0, y);
  chart.MouseMove(ShiftOfButton(button), x1, y);
  chart.MouseUp(button, 0, x1, y);
}

// A pane as the window has it (size, looks, right-drag panning), its mouse
// and view events handed to the coordinator.
inline void SetUpPane(TChart& chart, TLineSeries& series, TPaneCoordinator& coordinator, std::uint8_t pane) {
  chart.SetBounds(0, 0, 728, 129);
  ApplyPaneAppearance(chart, series);
  chart.SetScrollMouseButton(mbRight);
  chart.OnMouseDown = [&coordinator, pane](TCustomChartPanel&, TMouseButton button, TShiftState shift, int, int) {
    coordinator.MousePressed(pane, button, shift);
  };
  chart.OnMouseUp = [&coordinator, pane](TCustomChartPanel&, TMouseButton button, TShiftState, int, int) {
    coordinator.MouseReleased(pane, button);
  };
  chart.OnZoom = [&coordinator, pane](TCustomChartPanel&) { coordinator.Zoomed(pane); };
  chart.OnScroll = [&coordinator, pane](TCustomChartPanel&) { coordinator.Scrolled(pane); };
  chart.OnUndoZoom = [&coordinator, pane](TCustomChartPanel&) { coordinator.UndoneZoom(pane); };
}
