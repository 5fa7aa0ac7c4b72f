#include "chart/axes/LabelStep.h"

#include <algorithm>
#include <cmath>

#include "runtime/RoundPixel.h"

namespace {

// Beyond this a quotient no longer counts labels.
constexpr double kLargestLabelCount = 2147483647.0;

double StartStep(const LabelStepInput& input, int limit) {
  const double range = input.ScaleMax - input.ScaleMin;
  if (input.Increment > 0) {
    return input.Increment;
  }
  if (range == 0) {
    return 1;
  }
  double step = std::fabs(range) / (limit + 1);
  if (input.Logarithmic) {
    const double base = input.LogarithmicBase;
    step = std::pow(base, std::nearbyint(std::log(step) / std::log(base)));
  }
  // A series with few points needs no labels between its whole numbers.
  if (range >= 1 && input.HasSeriesWithAtMostPoints && input.HasSeriesWithAtMostPoints(limit)) {
    step = std::max(step, 1.0);
  }
  return step;
}

double GrowStep(const LabelStepInput& input, double step) {
  return input.Logarithmic ? step * input.LogarithmicBase : NextNiceStep(step);
}

// Grows the step until at most `limit` labels fit the range. A step that no
// longer grows (a base that is not above 1, a step lost in rounding) ends
// the search rather than spinning forever.
double SearchStep(const LabelStepInput& input, double step, int limit) {
  const double range = input.ScaleMax - input.ScaleMin;
  double count = limit + 1.0;
  do {
    const double quotient = range / step;
    if (std::fabs(quotient) < kLargestLabelCount) {
      count = std::nearbyint(quotient);
      if (!(count > limit)) {
        break;
      }
    }
    const double grown = GrowStep(input, step);
    if (!(grown > step)) {
      break;
    }
    step = grown;
  } while (!(step > range) && !std::isinf(step));
  return step;
}

}  // namespace

double NextNiceStep(double x) {
  if (std::isinf(x) || !(x > 0)) {
    return 1;
  }
  // Scale into [1, 10) and back the same number of times.
  int tenfolds = 0;
  while (x >= 10) {
    x *= 0.1;
    ++tenfolds;
  }
  while (x < 1) {
    x *= 10;
    --tenfolds;
  }
  double step = x < 2 ? 2 : x < 5 ? 5 : 10;
  for (; tenfolds > 0; --tenfolds) {
    step *= 10;
  }
  for (; tenfolds < 0; ++tenfolds) {
    step *= 0.1;
  }
  return step;
}

int LabelCountLimit(int pixelLength, int labelSize, int separationPercent) {
  if (labelSize <= 0) {
    return 1;
  }
  const int gap = separationPercent > 0 ? RoundPixel(separationPercent * 0.01 * labelSize) : 0;
  return RoundPixel(static_cast<double>(pixelLength) / (labelSize + gap));
}

double ComputeValueLabelStep(const LabelStepInput& input) {
  const auto size = [&](double value) { return input.LabelSize(value); };
  const int atMax = size(input.ScaleMax);
  int labelSize = std::max(atMax, size(input.ScaleMin));
  if (input.Increment != 0) {
    labelSize = std::max({labelSize, size(input.ScaleMin + input.Increment), size(input.ScaleMax - input.Increment)});
  } else {
    labelSize = std::max(labelSize, size((input.ScaleMax + input.ScaleMin) * 0.5));
  }
  const int limit = LabelCountLimit(input.PixelLength, labelSize, input.LabelsSeparation);
  double step = SmallestLabelStep;
  if (limit >= 1) {
    step = StartStep(input, limit);
    if (input.LabelsSeparation > 0) {
      step = SearchStep(input, step, limit);
    }
    step = std::isinf(step) ? input.ScaleMax - input.ScaleMin : std::max(step, SmallestLabelStep);
  }
  if (input.LabelsAlternate) {
    step = input.Logarithmic ? step / input.LogarithmicBase : step * 0.5;
  }
  return step;
}
