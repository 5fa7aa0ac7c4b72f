#include "chart/axes/TickPositions.h"

#include <cmath>

#include "runtime/NumberFormat.h"
#include "runtime/RoundPixel.h"

namespace {

constexpr double kFlatRange = 1e-10;

bool Inside(int pixel, int firstPixel, int lastPixel) { return firstPixel < pixel && pixel < lastPixel; }

double FirstLabelValue(double scaleMin, double scaleMax, double step, bool roundFirstLabel, double highest) {
  double value = scaleMax;
  if (roundFirstLabel && GeneralNumberText(scaleMin) != GeneralNumberText(scaleMax)) {
    // trunc() equals the 64-bit truncation wherever that is defined; beyond
    // it the quotient is a whole number already.
    value = std::trunc(highest / step) * step;
  }
  while (value > highest && value - step != value) {
    value -= step;
  }
  return value;
}

}  // namespace

std::vector<double> ValueLabelValues(double scaleMin, double scaleMax, double step, bool roundFirstLabel,
                                     double slack) {
  const double range = scaleMax - scaleMin;
  // Also no labels when the count is undefined (an overflowed range, say).
  if (!(std::fabs(range / step) < MaxLabelSteps)) {
    return {};
  }
  double value = FirstLabelValue(scaleMin, scaleMax, step, roundFirstLabel, scaleMax);
  if (range == 0 || std::fabs(range) < kFlatRange || GeneralNumberText(value) == GeneralNumberText(value - step)) {
    return {value};
  }
  std::vector<double> values;
  // The chain below starts where the description starts it, so that every
  // label lies where it is described; the multiple of the step just above
  // ScaleMax joins it only when it lies within the slack.
  if (const double above = FirstLabelValue(scaleMin, scaleMax, step, roundFirstLabel, scaleMax + slack);
      above > value) {
    values.push_back(above);
  }
  const double lowest = scaleMin - slack;
  while (value >= lowest) {
    values.push_back(value);
    const double next = value - step;
    if (next == value) {
      break;  // the step vanished in the value's precision: stepping would never end
    }
    value = next;
  }
  return values;
}

std::vector<int> GridPositions(const std::vector<int>& tickPixels, bool centered, int firstPixel, int lastPixel) {
  std::vector<int> positions;
  if (!centered) {
    for (int pixel : tickPixels) {
      if (Inside(pixel, firstPixel, lastPixel)) {
        positions.push_back(pixel);
      }
    }
    return positions;
  }
  for (std::size_t i = 1; i < tickPixels.size(); ++i) {
    const int pixel = RoundPixel((tickPixels[i] + static_cast<double>(tickPixels[i - 1])) * 0.5);
    if (Inside(pixel, firstPixel, lastPixel)) {
      positions.push_back(pixel);
    }
  }
  return positions;
}

std::vector<int> MinorTickPositions(const std::vector<int>& tickPixels, int count, int firstPixel, int lastPixel) {
  std::vector<int> positions;
  if (tickPixels.size() < 2) {
    return positions;
  }
  const auto add = [&](int pixel) {
    if (Inside(pixel, firstPixel, lastPixel)) {
      positions.push_back(pixel);
    }
  };
  const double outerGap = (tickPixels[1] - static_cast<double>(tickPixels[0])) / (count + 1);
  for (int j = 1; j <= count; ++j) {
    const int offset = RoundPixel(j * outerGap);
    add(tickPixels.front() - offset);
    add(tickPixels.back() + offset);
  }
  for (std::size_t i = 1; i < tickPixels.size(); ++i) {
    const double gap = (tickPixels[i] - static_cast<double>(tickPixels[i - 1])) / (count + 1);
    for (int j = 1; j <= count; ++j) {
      add(tickPixels[i] - RoundPixel(gap * j));
    }
  }
  return positions;
}
