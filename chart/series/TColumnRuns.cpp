#include "chart/series/TColumnRuns.h"

#include <cmath>

namespace {

// Whether the pixel offset of a positive value on a logarithmic scale is a
// number the conversion to int keeps.
bool LogOffsetFits(const TAxisScale& scale, double value) {
  const double units = scale.Inverted ? scale.LogScaleMax - std::log(value) : std::log(value) - scale.LogScaleMin;
  return std::fabs(scale.PixelsPerLogUnit * units) < PixelLimit;
}

}  // namespace

// Linear scales clamp before rounding, which keeps the order, unless a
// product with an infinite or zero slope makes NaN. Logarithmic scales put
// every value that is not positive on their end pixel, out of order with the
// small positive values.
bool MapsInOrder(const TAxisScale& scale, double low, double high) {
  if (scale.IsDepth || !std::isfinite(low) || !std::isfinite(high)) {
    return false;
  }
  if (!scale.Logarithmic) {
    return scale.ScaleIsFlat || (std::isfinite(scale.PixelsPerUnit) && scale.PixelsPerUnit != 0);
  }
  if (scale.LogScaleRange == 0 || high <= 0) {
    return true;
  }
  return low > 0 && std::isfinite(scale.PixelsPerLogUnit) && LogOffsetFits(scale, low) && LogOffsetFits(scale, high);
}
