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

// What is drawn over the panes' kept pictures on the screen: the mark of a
// load that stopped early, the hint of an empty pane, the markers, the
// figures boxes, the cursor readout, the modes that are on and, while
// locked, the zoom band.
class TPaneOverlays {
public:
  static constexpr std::uint8_t PaneCount = 4;

  TPaneOverlays(std::array<TChart*, PaneCount> charts, const TLogDocument& document, TMeasurements& measures);

  // Gives every pane that shows something over its picture its overlay,
  // worked out at every paint, so that the overlays follow a new log, zoom
  // or scroll under a mouse that stays where it is.
  void Refresh();

  // The modes that are on ("locked by time"), said at the top right of the
  // top pane; none: nothing said.
  std::function<std::vector<std::string>()> ModeTexts;

  // The markers and the statistics box of the pane, as saved and copied
  // pictures show them too, on a surface of the pane's pixels; the box
  // keeps clear of the `taken` box where it can.
  void DrawMeasures(std::uint8_t pane, TCanvas3D& canvas, const std::optional<TRect>& taken);

private:
  void Draw(std::uint8_t pane, TRasterCanvas& canvas);
  std::vector<std::string> PaneModeTexts(std::uint8_t pane) const;
  void DrawStatistics(std::uint8_t pane, TCanvas3D& canvas, const std::optional<TRect>& taken);

  std::array<TChart*, PaneCount> charts_;
  const TLogDocument& document_;
  TMeasurements& measures_;
};
