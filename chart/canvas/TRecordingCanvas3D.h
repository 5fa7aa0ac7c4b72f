#pragma once

#include <string>
#include <vector>

#include "chart/canvas/TCanvas3D.h"

// A drawing surface that draws nothing and writes down what it is asked to
// draw, one line per call, for painting tests. A call is preceded by the
// pen, brush or font it uses when that changed since it was last written:
//   Pen 0xFF 1 psSolid pmCopy
//   LineSegment 10 20 30 40
// Text is measured with the fixed metrics of the fake test font, whatever
// the font: 6 pixels (plus InterCharSize) per character, 13 high.
class TRecordingCanvas3D final : public TCanvas3D {
public:
  std::vector<std::string> Calls;

  CANVAS3D_PRIMITIVE_OVERRIDES;

protected:
  CANVAS3D_TEXT_OVERRIDES;

private:
  enum class State { Pen, PenAndBrush, Text };
  void Record(State state, const std::string& call);
  void WriteIfChanged(std::string& last, const std::string& line);

  // The state lines last written.
  std::string lastPen_;
  std::string lastBrush_;
  std::string lastFont_;
};
