#include "chart/canvas/TRecordingCanvas3D.h"

#include <sstream>

#include "gui/TRasterCanvas.h"
#include "runtime/StoreIfChanged.h"

namespace {

const char* const penStyleNames[] = {"psSolid", "psDash",        "psDot",       "psDashDot",  "psDashDotDot",
                                     "psClear", "psInsideFrame", "psUserStyle", "psAlternate"};
const char* const penModeNames[] = {
    "pmBlack",       "pmWhite",      "pmNop",   "pmNot",      "pmCopy", "pmNotCopy", "pmMergePenNot", "pmMaskPenNot",
    "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor",         "pmNotXor"};
const char* const brushStyleNames[] = {"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                       "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};

std::string Joined(std::initializer_list<int> values) {
  std::ostringstream out;
  for (int value : values) {
    out << ' ' << value;
  }
  return out.str();
}

std::string Points(std::span<const TPoint> points) {
  std::ostringstream out;
  for (const TPoint& point : points) {
    out << ' ' << point.X << ',' << point.Y;
  }
  return out.str();
}

// Colours as 0xBBGGRR hex digits, as they are written in code.
std::string Hex(TColor color) {
  std::ostringstream out;
  out << "0x" << std::uppercase << std::hex << color;
  return out.str();
}

std::string PenLine(const TPen& pen) {
  std::ostringstream out;
  out << "Pen " << Hex(pen.Color) << ' ' << pen.Width << ' ' << penStyleNames[pen.Style] << ' '
      << penModeNames[pen.Mode];
  if (pen.Style == psUserStyle) {
    out << ' ' << pen.UserDotPeriod;
  }
  return out.str();
}

std::string BrushLine(const TBrush& brush, int backMode, TColor backColor) {
  std::ostringstream out;
  out << "Brush " << Hex(brush.Color) << ' ' << brushStyleNames[brush.Style];
  if (backMode == BackModeOpaque) {
    out << " back " << Hex(backColor);
  }
  return out.str();
}

std::string FontLine(const TFont& font, int align, int backMode, TColor backColor) {
  std::ostringstream out;
  out << "Font " << font.Name << ' ' << font.Size << ' ' << Hex(font.Color) << " align " << align;
  if (font.Escapement != 0) {
    out << " escapement " << font.Escapement;
  }
  if (backMode == BackModeOpaque) {
    out << " back " << Hex(backColor);
  }
  return out.str();
}

}  // namespace

TRect TRecordingCanvas3D::BeginDrawing(TRasterCanvas&, const TRect& bounds, int fontZoom) {
  SetFontZoom(fontZoom);
  lastPen_.clear();
  lastBrush_.clear();
  lastFont_.clear();
  Calls.push_back("BeginDrawing" + Joined({bounds.Left, bounds.Top, bounds.Right, bounds.Bottom}));
  return {0, 0, bounds.Width(), bounds.Height()};
}

void TRecordingCanvas3D::FinishDrawing(TRasterCanvas&, TRasterCanvas&, TPoint origin) {
  Calls.push_back("FinishDrawing" + Joined({origin.X, origin.Y}));
}

void TRecordingCanvas3D::WriteIfChanged(std::string& last, const std::string& line) {
  if (StoreIfChanged(last, line)) {
    Calls.push_back(line);
  }
}

void TRecordingCanvas3D::Record(State state, const std::string& call) {
  if (state == State::Text) {
    WriteIfChanged(lastFont_, FontLine(Font, TextAlign(), BackMode(), TextBackColor()));
  } else {
    WriteIfChanged(lastPen_, PenLine(Pen));
  }
  if (state == State::PenAndBrush) {
    WriteIfChanged(lastBrush_, BrushLine(Brush, BackMode(), TextBackColor()));
  }
  Calls.push_back(call);
}

void TRecordingCanvas3D::MovePenTo(int x, int y) { Calls.push_back("MovePenTo" + Joined({x, y})); }

void TRecordingCanvas3D::DrawLineTo(int x, int y) { Record(State::Pen, "DrawLineTo" + Joined({x, y})); }

void TRecordingCanvas3D::LineSegment(int x0, int y0, int x1, int y1) {
  Record(State::Pen, "LineSegment" + Joined({x0, y0, x1, y1}));
}

void TRecordingCanvas3D::Polyline(std::span<const TPoint> points) { Record(State::Pen, "Polyline" + Points(points)); }

void TRecordingCanvas3D::Polygon(std::span<const TPoint> points) {
  Record(State::PenAndBrush, "Polygon" + Points(points));
}

void TRecordingCanvas3D::Rectangle(const TRect& rect) {
  Record(State::PenAndBrush, "Rectangle" + Joined({rect.Left, rect.Top, rect.Right, rect.Bottom}));
}

void TRecordingCanvas3D::Ellipse(const TRect& rect) {
  Record(State::PenAndBrush, "Ellipse" + Joined({rect.Left, rect.Top, rect.Right, rect.Bottom}));
}

void TRecordingCanvas3D::FillRectangle(const TRect& rect) {
  Record(State::PenAndBrush, "FillRectangle" + Joined({rect.Left, rect.Top, rect.Right, rect.Bottom}));
}

void TRecordingCanvas3D::SetPixel(int x, int y, TColor color) { Calls.push_back("SetPixel" + Joined({x, y, color})); }

void TRecordingCanvas3D::ClipRectangle(const TRect& rect) {
  Calls.push_back("ClipRectangle" + Joined({rect.Left, rect.Top, rect.Right, rect.Bottom}));
}

void TRecordingCanvas3D::UnClip() { Calls.push_back("UnClip"); }

void TRecordingCanvas3D::DrawText(int x, int y, const std::string& text) {
  Record(State::Text, "TextOut" + Joined({x, y}) + " \"" + text + "\"");
}

int TRecordingCanvas3D::TextExtentWidth(const std::string& text) {
  return static_cast<int>(text.size()) * (FakeFontCharWidth + Font.InterCharSize);
}

int TRecordingCanvas3D::TextExtentHeight(const std::string&) { return FakeFontCharHeight; }
