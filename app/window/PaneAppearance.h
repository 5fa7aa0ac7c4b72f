#pragma once

class TChart;
class TLineSeries;

// A pane's chart and curve as the window's panes look: title, margins, the
// value axis on the right, no sample axis until asked for, and a
// horizontal animated zoom.
void ApplyPaneAppearance(TChart& chart, TLineSeries& series);
