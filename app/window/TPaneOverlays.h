#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gui/Geometry.h"

class TCanvas3D;
class TChart;
class TLogDocument;
class TMeasurements;
class TRasterCanvas;

// The texts one below the other at the plot's top right, small, on the
// chart's face colour so that a curve beneath does not cross them.
void DrawModeTexts(TRasterCanvas& canvas, const TChart& chart, const std::vector<std::string>& texts);

// What is drawn over the panes' kept pictures on the screen: the mark of a
// load that stopped early, the hint of an empty pane, the markers, the
// figures boxes, the cursor readout, while locked the zoom band, and at
// the top pane's top right the modes that are on.
class TPaneOverlays {
public:
  static constexpr std::uint8_t PaneCount = 4;

  TPaneOverlays(std::array<TChart*, PaneCount> charts, const TLogDocument& document, TMeasurements& measures);

  // Gives every pane that shows something over its picture its overlay,
  // worked out at every paint, so that the overlays follow a new log, zoom
  // or scroll under a mouse that stays where it is.
  void Refresh();

  // The markers and the statistics box of the pane, as saved and copied
  // pictures show them too, on a surface of the pane's pixels; the box
  // keeps clear of the `taken` box where it can.
  void DrawMeasures(std::uint8_t pane, TCanvas3D& canvas, const std::optional<TRect>& taken);

  // The modes that are on, as the user names them ("following"); none:
  // nothing is said.
  std::function<std::vector<std::string>()> ModeTexts;

private:
  std::vector<std::string> ModesOn() const;
  void Draw(std::uint8_t pane, TRasterCanvas& canvas);
  void DrawStatistics(std::uint8_t pane, TCanvas3D& canvas, const std::optional<TRect>& taken);

  std::array<TChart*, PaneCount> charts_;
  const TLogDocument& document_;
  TMeasurements& measures_;
};
