#pragma once

#include <optional>
#include <sstream>
#include <string>
#include <utility>

#include "chart/canvas/TCanvas3D.h"
#include "gui/TRasterCanvas.h"

// A drawing surface that writes what a chart draws as SVG elements, in the
// same pixel coordinates: lines and outlines along the pixel centres, fills
// and text boxes on the pixel edges, text as text in the surface's font,
// measured and placed exactly as on a raster. A vector copy of a picture,
// sharp at any scale; raster operations other than copying are drawn as
// copies.
class TSvgCanvas3D final : public TCanvas3D {
public:
  // `idPrefix` keeps the ids of this surface's clip paths apart from those
  // of other surfaces in the same document.
  // Coordinates far outside the picture (a line clipped away) keep their
  // digits.
  explicit TSvgCanvas3D(std::string idPrefix) : idPrefix_(std::move(idPrefix)) { out_.precision(12); }

  // The elements written so far, inside clip groups that are closed.
  std::string Elements() const;

  CANVAS3D_PRIMITIVE_OVERRIDES;

protected:
  CANVAS3D_TEXT_OVERRIDES;

private:
  // The stroke attributes of the pen, or none when it draws nothing.
  std::optional<std::string> Stroke() const;
  void StrokeLine(TPoint from, TPoint to);
  std::string Fill() const;
  void SetClip(const std::optional<TRect>& clip);
  TRasterCanvas& Measure();

  std::string idPrefix_;
  std::ostringstream out_;
  TPoint penPos_{0, 0};
  // Pixels of the dash pattern used since the pen was last moved.
  int phase_ = 0;
  TRect bounds_;
  std::optional<TRect> clip_;
  std::optional<TRect> savedClip_;
  bool clipOpen_ = false;
  int clipCount_ = 0;
  TRasterCanvas measure_;
};
