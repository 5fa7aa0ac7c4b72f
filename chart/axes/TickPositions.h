#pragma once

#include <string>
#include <vector>

// Beyond this many steps across the range an axis draws no labels at all,
// which caps the work of one paint.
constexpr double MaxLabelSteps = 10000;

// The candidates for value labels, from the largest downward, for the range
// [scaleMin, scaleMax] widened by `slack` at both ends, and the label step.
// `roundFirstLabel` starts the chain at the multiple of the step at or below
// scaleMax. The slack lets a value that lies a rounding error beyond an end,
// on the end's pixel, take part (above the top, the next multiple of the
// step, ahead of the chain); being relative to the range, it keeps the count
// bounded by the steps.
std::vector<double> ValueLabelValues(double scaleMin, double scaleMax, double step, bool roundFirstLabel, double slack);

// Grid line positions for the major tick positions: at the ticks, or halfway
// between neighbours when centred; only those strictly inside (first, last).
std::vector<int> GridPositions(const std::vector<int>& tickPixels, bool centered, int firstPixel, int lastPixel);

// Minor tick positions of a linear axis: `count` between each pair of major
// ticks and as many beyond the outer ones, strictly inside (first, last).
// Needs at least two major ticks.
std::vector<int> MinorTickPositions(const std::vector<int>& tickPixels, int count, int firstPixel, int lastPixel);
