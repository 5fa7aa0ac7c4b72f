#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chart/canvas/TChartFont.h"
#include "chart/canvas/TChartPen.h"
#include "chart/canvas/TChartShadow.h"
#include "gui/Geometry.h"

class TChartModel;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// A chart title: an ordered list of lines in a text box at the top (title,
// subtitle) or the bottom (foot, subfoot) of the chart.
class TChartTitle {
public:
  TChartTitle(TChartModel& chart, bool atTop);
  TChartTitle(const TChartTitle&) = delete;
  TChartTitle& operator=(const TChartTitle&) = delete;

  const std::vector<std::string>& Text() const { return lines_; }
  // Replaces all lines by the text split at CR, LF or CR LF; a trailing line
  // end adds no empty line and an empty text gives no line.
  void SetText(std::string_view text);

  bool AtTop() const { return atTop_; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  bool AdjustFrame() const { return adjustFrame_; }
  void SetAdjustFrame(bool adjust);
  // A transparent title paints only its text, not its box.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool CustomPosition() const { return customPosition_; }
  void SetCustomPosition(bool custom);
  // The width of a bevel around the box; 0 for none.
  int BevelWidth() const { return bevelWidth_; }
  bool HasBevel() const { return hasBevel_; }
  TChartFont Font;
  TChartPen Frame;
  // Its vertical size widens the gap below an opaque title.
  TChartShadow Shadow;

  // Where the title was drawn in the last paint (empty when it took no room).
  TRect Box;

private:
  TChartModel& chart_;
  std::vector<std::string> lines_;
  bool atTop_;
  bool visible_ = true;
  TAlignment alignment_ = taCenter;
  bool adjustFrame_ = true;
  bool transparent_ = true;
  TColor color_ = clWhite;
  bool customPosition_ = false;
  bool hasBevel_ = false;
  int bevelWidth_ = 2;
};
