#pragma once

#include "chart/panel/TCustomAxisPanel.h"

// The level of a chart with titles and walls, and the whole painting
// sequence.
class TCustomChart : public TCustomAxisPanel {
public:
  explicit TCustomChart(Control* parent);

  // Pixels between a title's box and the plot.
  static constexpr int TitleChartGap = 5;

protected:
  void DrawChartContent() override;
  // The titles of one pass: before the series those in their places, after
  // them the custom-positioned ones.
  void DrawTitlesPass(bool customPositioned);
  // Lays out the title's box, draws it and its lines, and takes its room
  // from the plot.
  void LayoutAndDrawTitle(TChartTitle& title);
  void PaintWalls();
  // The rubber band is xor-ed against the opaque back wall or the panel.
  TColor ZoomFrameBackground() const override;
  bool AxisHitTest(int x, int y) const override;

private:
  void TakeTitleRoom(const TChartTitle& title, int frame, int textHeight);
};
