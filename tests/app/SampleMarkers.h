#pragma once

#include <cstdint>

#include "app/window/TForm1.h"

// Markers A and B set by the keys at two columns of a pane, once every pane
// was painted (the readout needs their layout).
inline void SetSampleMarkers(TForm1& form, std::uint8_t pane = 0, int columnA = 200, int columnB = 500) {
  for (std::uint8_t painted = 0; painted < TForm1::PaneCount; ++painted) {
    form.PaneChart(painted).Repaint();
  }
  form.ShowCursorReadout(pane, columnA);
  form.OnKeyDown('A', 0);
  form.ShowCursorReadout(pane, columnB);
  form.OnKeyDown('B', 0);
  form.HideCursorReadout();
}
