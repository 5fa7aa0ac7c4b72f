#pragma once

#include <functional>

// The smallest distance between labels, used when not even one label fits.
constexpr double SmallestLabelStep = 1e-12;

// The next 1-2-5 step above x (x > 0): 0.5556 gives 1, 1 gives 2, 12 gives 20.
double NextNiceStep(double x);

// How many labels of `labelSize` pixels, `separationPercent` of a label apart,
// fit on `pixelLength` pixels.
int LabelCountLimit(int pixelLength, int labelSize, int separationPercent);

// What the automatic label step of a value axis depends on.
struct LabelStepInput {
  double ScaleMin = 0;
  double ScaleMax = 0;
  int PixelLength = 0;
  double Increment = 0;  // wished step, 0 for automatic
  int LabelsSeparation = 10;
  bool Logarithmic = false;
  double LogarithmicBase = 10;
  bool LabelsAlternate = false;
  // Size of the label of a value along the axis, in pixels.
  std::function<int(double value)> LabelSize;
  // Whether an active series drawn along this axis has at most `count` points.
  std::function<bool(int count)> HasSeriesWithAtMostPoints;
};

// Distance between automatic value labels: large enough that the labels, with
// their separation, fit the pixel span, and a 1-2-5 value unless set.
double ComputeValueLabelStep(const LabelStepInput& input);
