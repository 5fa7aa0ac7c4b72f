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

  TRect BeginDrawing(TRasterCanvas& target, const TRect& bounds, int fontZoom) override;
  void FinishDrawing(TRasterCanvas& screen, TRasterCanvas& next, TPoint origin) override;

  void MovePenTo(int x, int y) override;
  void DrawLineTo(int x, int y) override;
  void LineSegment(int x0, int y0, int x1, int y1) override;
  void Polyline(std::span<const TPoint> points) override;
  void Polygon(std::span<const TPoint> points) override;
  void Rectangle(const TRect& rect) override;
  void Ellipse(const TRect& rect) override;
  void FillRectangle(const TRect& rect) override;
  void SetPixel(int x, int y, TColor color) override;
  void ClipRectangle(const TRect& rect) override;
  void UnClip() override;

protected:
  void DrawText(int x, int y, const std::string& text) override;
  int TextExtentWidth(const std::string& text) override;
  int TextExtentHeight(const std::string& text) override;

private:
  enum class State { Pen, PenAndBrush, Text };
  void Record(State state, const std::string& call);
  void WriteIfChanged(std::string& last, const std::string& line);

  // The state lines last written.
  std::string lastPen_;
  std::string lastBrush_;
  std::string lastFont_;
};
