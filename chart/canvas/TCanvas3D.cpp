#include "chart/canvas/TCanvas3D.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "chart/canvas/TChartBrush.h"
#include "chart/canvas/TChartFont.h"
#include "chart/canvas/TChartPen.h"
#include "gui/TRasterCanvas.h"
#include "runtime/FireEvent.h"
#include "runtime/RoundPixel.h"
#include "runtime/ScopedRestore.h"
#include "runtime/StoreIfChanged.h"

namespace {

TPen SmallDotsPen(const TChartPenSettings& settings, TColor color) {
  TPen pen{.Color = color, .Width = 1, .Mode = settings.Mode};
  if (settings.SmallSpace <= 0) {
    pen.Style = psAlternate;
  } else {
    pen.Style = psUserStyle;
    pen.UserDotPeriod = settings.SmallSpace == INT_MAX ? INT_MAX : settings.SmallSpace + 1;
  }
  return pen;
}

}  // namespace

void TCanvas3D::ResetState() {
  Pen = TPen{};
  Brush = TBrush{.Color = clWhite, .Style = bsSolid};
  Font = TFont{};
  fontShadow_.reset();
  textBackColor_ = clWhite;
  backMode_ = BackModeTransparent;
  textAlign_ = TextAlignLeft | TextAlignTop;
}

void TCanvas3D::SetMonochrome(bool value) {
  if (!StoreIfChanged(monochrome_, value)) {
    return;
  }
  MarkDirty();
  FireEvent(OnRepaintRequest);
}

void TCanvas3D::ApplyChartPen(const TChartPen& pen) { ApplyChartPen(pen, pen.Color()); }

// A hidden pen only clears the style, so the colour of the previous pen
// stays for whoever reads it.
void TCanvas3D::ApplyChartPen(const TChartPen& pen, TColor color) {
  if (monochrome_) {
    color = clBlack;
  }
  const TChartPenSettings& settings = pen.Settings();
  if (!settings.Visible) {
    Pen.Style = psClear;
    return;
  }
  if (settings.SmallDots) {
    Pen = SmallDotsPen(settings, color);
    return;
  }
  // Field by field: the raster compares them next, and reading back what
  // was just stored in the same shape is the fastest (once per segment).
  Pen.Color = color;
  Pen.Width = settings.Width;
  Pen.Style = settings.Style;
  Pen.Mode = settings.Mode;
  Pen.EndStyle = settings.EndStyle;
  Pen.UserDotPeriod = 0;
}

void TCanvas3D::ApplyChartBrush(const TChartBrush& brush, TColor color, TColor backColor) {
  if (monochrome_) {
    color = clWhite;
  }
  Brush.Color = color;
  Brush.Style = brush.Style();
  if (backColor == clNone) {
    backMode_ = BackModeTransparent;
  } else {
    backMode_ = BackModeOpaque;
    textBackColor_ = backColor;
  }
}

void TCanvas3D::ApplyFont(const TChartFont& font) {
  const TChartFontSettings& settings = font.Settings();
  Font = TFont{.Name = settings.Name,
               .Size = settings.Size,
               .Color = monochrome_ ? clBlack : settings.Color,
               .Style = settings.Style,
               .Charset = settings.Charset,
               .InterCharSize = settings.InterCharSize};
  if (fontZoom_ != 100) {
    Font.Size = RoundPixel(settings.Size * fontZoom_ / 100.0);
  }
  fontShadow_ = font.Shadow().Settings();
}

void TCanvas3D::BevelFrame(TRect& rect, TColor topColor, TColor bottomColor, int width) {
  Pen.Width = 1;
  Pen.Style = psSolid;
  --rect.Right;
  --rect.Bottom;
  for (int i = 0; i < width; ++i) {
    Pen.Color = topColor;
    const TPoint topLeft[] = {{rect.Left, rect.Bottom}, {rect.Left, rect.Top}, {rect.Right, rect.Top}};
    Polyline(topLeft);
    Pen.Color = bottomColor;
    const TPoint bottomRight[] = {{rect.Right, rect.Top}, {rect.Right, rect.Bottom}, {rect.Left - 1, rect.Bottom}};
    Polyline(bottomRight);
    rect = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
  }
  ++rect.Right;
  ++rect.Bottom;
}

// A shadow goes towards its positive sizes; for a negative size the shadow
// stays at the given coordinate and the text moves away from it instead.
void TCanvas3D::TextOut(int x, int y, const std::string& text) {
  if (fontShadow_ && (fontShadow_->HorizSize != 0 || fontShadow_->VertSize != 0)) {
    const int horiz = fontShadow_->HorizSize;
    const int vert = fontShadow_->VertSize;
    {
      const ScopedRestore<TColor> color(Font.Color, fontShadow_->Color);
      DrawText(x + std::max(horiz, 0), y + std::max(vert, 0), text);
    }
    x += std::max(-horiz, 0);
    y += std::max(-vert, 0);
  }
  DrawText(x, y, text);
}

int TCanvas3D::MeasureTextWidth(const std::string& text) {
  const int shadow = fontShadow_ ? std::abs(fontShadow_->HorizSize) : 0;
  return TextExtentWidth(text) + shadow;
}

int TCanvas3D::MeasureTextHeight(const std::string& text) {
  const int shadow = fontShadow_ ? std::abs(fontShadow_->VertSize) : 0;
  return TextExtentHeight(text) + shadow;
}

void TCanvas3D::RotatedText(int x, int y, int angle, const std::string& text) {
  // The same as subtracting 360 while above 360, without the long loop.
  if (angle > 360) {
    angle = (angle - 1) % 360 + 1;
  }
  // Far negative angles turn the same way reduced, and cannot overflow.
  if (angle < -360) {
    angle %= 360;
  }
  const ScopedRestore<TFont> font(Font);
  Font.Escapement = angle * 10;
  Brush.Style = bsClear;
  TextOut(x, y, text);
}

void TCanvas3D::ClipCube(const TRect& rect, int, int) {
  ClipRectangle({rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom - 1});
}

TPoint TCanvas3D::Calc3DPos(int x, int y, int) const { return {x, y}; }

void TCanvas3D::MovePenTo3D(int x, int y, int z) {
  const TPoint p = Calc3DPos(x, y, z);
  MovePenTo(p.X, p.Y);
}

void TCanvas3D::DrawLineTo3D(int x, int y, int z) {
  const TPoint p = Calc3DPos(x, y, z);
  DrawLineTo(p.X, p.Y);
}

void TCanvas3D::LineSegment3D(int x0, int y0, int x1, int y1, int z) {
  const TPoint from = Calc3DPos(x0, y0, z);
  const TPoint to = Calc3DPos(x1, y1, z);
  LineSegment(from.X, from.Y, to.X, to.Y);
}

void TCanvas3D::HorizontalLine3D(int x0, int x1, int y, int z) { LineSegment3D(x0, y, x1, y, z); }

void TCanvas3D::VerticalLine3D(int x, int y0, int y1, int z) { LineSegment3D(x, y0, x, y1, z); }

void TCanvas3D::DepthLine3D(int x, int y, int z0, int z1) {
  const TPoint from = Calc3DPos(x, y, z0);
  const TPoint to = Calc3DPos(x, y, z1);
  LineSegment(from.X, from.Y, to.X, to.Y);
}

void TCanvas3D::Rectangle3D(const TRect& rect, int z) {
  const TPoint topLeft = Calc3DPos(rect.Left, rect.Top, z);
  const TPoint bottomRight = Calc3DPos(rect.Right, rect.Bottom, z);
  Rectangle({topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y});
}

// In 2D the zoom factor is 1, so the font is used unchanged.
void TCanvas3D::TextOut3D(int x, int y, int z, const std::string& text) {
  const TPoint p = Calc3DPos(x, y, z);
  TextOut(p.X, p.Y, text);
}

void TCanvas3D::SetPixel3D(int x, int y, int z, TColor color) {
  const TPoint p = Calc3DPos(x, y, z);
  SetPixel(p.X, p.Y, color);
}
