#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/measure/CursorReadout.h"
#include "gui/Color.h"

class TChart;
class TLogDocument;
class TMeasurements;

// One row of the value table: a pane's curve by its colour, title and log,
// and its samples at one place, the cursor or a marker.
struct TLegendRow {
  std::uint8_t Pane = 0;
  TColor Color = clBlue;
  std::string Title;
  std::string File;   // the log's name without its folder
  std::string At;     // "" at the cursor, "A" or "B" at a marker
  std::string Value;  // "" where nothing is read, kNoSampleText past the log
  std::string Time;   // the samples' leading fields, "" when the log has none
  std::string Sample;
};

// The rows of the panes that hold a log, in pane order: one a pane at the
// cursor readout (without texts while none is shown), or one for each
// marker that is set, A before B.
std::vector<TLegendRow> LegendRows(const std::array<TChart*, 4>& charts, const TLogDocument& document,
                                   TMeasurements& measures);
