#pragma once

#include "runtime/RoundPixel.h"

// The largest pixel coordinate a mapping returns, in magnitude, so that values
// far outside the range still give drawable 32-bit coordinates.
constexpr int PixelLimit = 67108863;

// The working scale of an axis: the range drawn this paint, the pixel span it
// is drawn over, and the mappings between the two. Recomputed every layout;
// between layouts (during a drag, say) the mappings use the last one.
struct TAxisScale {
  // How values map, copied from the axis' settings when they change.
  bool Horizontal = false;
  bool Inverted = false;
  bool Logarithmic = false;
  bool IsDepth = false;

  double ScaleMin = 0;
  double ScaleMax = 0;
  double ScaleRange = 0;
  bool ScaleIsFlat = true;
  double PixelsPerUnit = 0;

  int FirstPixel = 0;
  int LastPixel = 0;
  int PixelLength = 0;
  int MidPixel = 0;

  // Natural logarithms of the ends (0 where an end is not positive); only
  // kept current while Logarithmic.
  double LogScaleMin = 0;
  double LogScaleMax = 0;
  double LogScaleRange = 0;
  double PixelsPerLogUnit = 0;

  // Sets the range drawn and everything derived from it and the span.
  void SetScale(double scaleMin, double scaleMax);
  // Recomputes what derives from the range and the pixel span.
  void UpdateDerived();
  // The span from base + size * start% to base + size * end%.
  void PlaceAlong(int base, int size, double startPosition, double endPosition);

  // A linear mapping with its choices made once, for loops over many
  // values; the same pixels as ValueToPixel. Negating the slope for an axis
  // that runs from its last pixel is exact, so last - t and first + t stay
  // the same sums.
  struct TLinearMap {
    double Base;
    double Min;
    double SignedPixelsPerUnit;
    int operator()(double value) const { return ClampedPixel(Base + (value - Min) * SignedPixelsPerUnit); }
  };
  // Whether LinearMap maps like ValueToPixel.
  bool IsPlainLinear() const { return !IsDepth && !Logarithmic && !ScaleIsFlat; }
  TLinearMap LinearMap() const {
    // Larger values lie right on a horizontal axis and up on a vertical one.
    const bool fromLast = Horizontal == Inverted;
    return {static_cast<double>(fromLast ? LastPixel : FirstPixel), ScaleMin,
            fromLast ? -PixelsPerUnit : PixelsPerUnit};
  }

  // Inline: series drawing maps every point of a log through it.
  int ValueToPixel(double value) const {
    if (IsDepth) {
      return DepthToPixel(value);
    }
    return Logarithmic ? LogarithmicToPixel(value) : LinearToPixel(value);
  }
  double PixelToValue(int pixel) const;

private:
  int LinearToPixel(double value) const { return ScaleIsFlat ? MidPixel : LinearMap()(value); }
  // Clamps to +-PixelLimit before rounding; NaN counts as beyond the far end.
  // Written as two selections so that they compile to min and max
  // instructions, which give the second operand for NaN.
  static int ClampedPixel(double p) {
    const double belowLimit = p < PixelLimit ? p : PixelLimit;
    return RoundPixel(belowLimit > -PixelLimit ? belowLimit : -PixelLimit);
  }
  int LogarithmicToPixel(double value) const;
  int DepthToPixel(double value) const;
  double LinearToValue(int pixel) const;
  double LogarithmicToValue(int pixel) const;
};
