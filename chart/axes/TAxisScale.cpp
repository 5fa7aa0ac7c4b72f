#include "chart/axes/TAxisScale.h"

#include <cmath>

#include "runtime/RoundPixel.h"

namespace {

double LogOrZero(double value) { return value > 0 ? std::log(value) : 0; }

}  // namespace

void TAxisScale::SetScale(double scaleMin, double scaleMax) {
  ScaleMin = scaleMin;
  ScaleMax = scaleMax;
  UpdateDerived();
}

void TAxisScale::UpdateDerived() {
  ScaleRange = ScaleMax - ScaleMin;
  ScaleIsFlat = ScaleRange == 0;
  PixelsPerUnit = ScaleIsFlat ? 0 : PixelLength / ScaleRange;
  if (Logarithmic) {
    LogScaleMin = LogOrZero(ScaleMin);
    LogScaleMax = LogOrZero(ScaleMax);
    LogScaleRange = LogScaleMax - LogScaleMin;
    PixelsPerLogUnit = LogScaleRange == 0 ? 0 : PixelLength / LogScaleRange;
  }
}

void TAxisScale::PlaceAlong(int base, int size, double startPosition, double endPosition) {
  const double onePercent = size * 0.01;
  FirstPixel = base + RoundPixel(onePercent * startPosition);
  LastPixel = base + RoundPixel(onePercent * endPosition);
  PixelLength = LastPixel - FirstPixel;
  MidPixel = (FirstPixel + LastPixel) / 2;
  UpdateDerived();
}

double TAxisScale::PixelToValue(int pixel) const {
  return Logarithmic ? LogarithmicToValue(pixel) : LinearToValue(pixel);
}

int TAxisScale::LogarithmicToPixel(double value) const {
  if (LogScaleRange == 0) {
    return MidPixel;
  }
  if (value <= 0) {
    return Horizontal == Inverted ? LastPixel : FirstPixel;
  }
  const double units = Inverted ? LogScaleMax - std::log(value) : std::log(value) - LogScaleMin;
  // Clamped like a linear pixel: an infinite or NaN value, or a huge ratio
  // on a narrow range, would otherwise overflow the int.
  const int offset = ClampedPixel(PixelsPerLogUnit * units);
  return Horizontal ? FirstPixel + offset : LastPixel - offset;
}

int TAxisScale::DepthToPixel(double value) const {
  if (ScaleIsFlat) {
    return MidPixel;
  }
  return Inverted ? RoundPixel(PixelsPerUnit * (ScaleMax - value)) : RoundPixel((value - ScaleMin) * PixelsPerUnit);
}

double TAxisScale::LinearToValue(int pixel) const {
  if (PixelLength < 1) {
    return 0;
  }
  double t = Inverted ? static_cast<double>(LastPixel) - pixel : static_cast<double>(pixel) - FirstPixel;
  t = t * ScaleRange / PixelLength;
  return Horizontal ? ScaleMin + t : ScaleMax - t;
}

double TAxisScale::LogarithmicToValue(int pixel) const {
  const bool firstIsMax = Horizontal == Inverted;
  if (pixel == FirstPixel) {
    return firstIsMax ? ScaleMax : ScaleMin;
  }
  if (pixel == LastPixel) {
    return firstIsMax ? ScaleMin : ScaleMax;
  }
  if (LogScaleRange == 0 || PixelLength == 0) {
    return ScaleMin;
  }
  const double t = (Inverted ? static_cast<double>(LastPixel) - pixel : static_cast<double>(pixel) - FirstPixel) *
                   LogScaleRange / PixelLength;
  return Horizontal ? std::exp(LogScaleMin + t) : std::exp(LogScaleMax - t);
}
