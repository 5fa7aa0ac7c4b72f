#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "gui/Geometry.h"

class TChartModel;

// A chart title's text: an ordered list of lines.
class TChartTitle {
public:
  explicit TChartTitle(TChartModel& chart) : chart_(chart) {}
  TChartTitle(const TChartTitle&) = delete;
  TChartTitle& operator=(const TChartTitle&) = delete;

  const std::vector<std::string>& Text() const { return lines_; }
  // Replaces all lines by the text split at CR, LF or CR LF; a trailing line
  // end adds no empty line and an empty text gives no line.
  void SetText(std::string_view text);

  // Where the title was drawn in the last paint (empty when it took no room).
  TRect Box;

private:
  TChartModel& chart_;
  std::vector<std::string> lines_;
};

std::vector<std::string> SplitTextLines(std::string_view text);
