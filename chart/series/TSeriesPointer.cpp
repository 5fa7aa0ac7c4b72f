#include "chart/series/TSeriesPointer.h"

#include "chart/canvas/TCanvas3D.h"

TSeriesPointer::TSeriesPointer(bool visible) : settings_{.Visible = visible} {
  pen_.OnChange = [this] { Changed(); };
  brush_.OnChange = [this] { Changed(); };
}

// Colours left unset follow the point; a brush that is not solid gets black
// so that its hatch shows.
void TSeriesPointer::ApplyPenAndBrush(TCanvas3D& canvas, TColor color) const {
  canvas.ApplyChartPen(pen_, pen_.Color() == clDefault ? color : pen_.Color());
  TColor brushColor = brush_.Color();
  if (brushColor == clDefault) {
    brushColor = brush_.Style() == bsSolid ? color : clBlack;
  }
  canvas.ApplyChartBrush(brush_, brushColor, clNone);
}

void TSeriesPointer::Draw(TCanvas3D& canvas, TSeriesPointerStyle style, int x, int y, TColor color) const {
  if (style == psNothing) {
    return;
  }
  ApplyPenAndBrush(canvas, color);
  const int h = settings_.HorizSize;
  const int v = settings_.VertSize;
  // Lines leave out their end pixel, so crosses end one pixel further out.
  const auto plus = [&] {
    canvas.LineSegment(x - h, y, x + h + 1, y);
    canvas.LineSegment(x, y - v, x, y + v + 1);
  };
  const auto diagonalCross = [&] {
    canvas.LineSegment(x - h, y - v, x + h + 1, y + v + 1);
    canvas.LineSegment(x - h, y + v, x + h + 1, y - v - 1);
  };
  const auto polygon = [&](std::initializer_list<TPoint> points) {
    canvas.Polygon(std::span<const TPoint>(points.begin(), points.size()));
  };
  switch (style) {
    case psRectangle: canvas.Rectangle({x - h, y - v, x + h + 1, y + v + 1}); break;
    case psCircle: canvas.Ellipse({x - h, y - v, x + h, y + v}); break;
    case psTriangle: polygon({{x - h, y + v}, {x + h, y + v}, {x, y - v}}); break;
    case psDownTriangle: polygon({{x - h, y - v}, {x + h, y - v}, {x, y + v}}); break;
    case psLeftTriangle: polygon({{x + h, y - v}, {x + h, y + v}, {x - h, y}}); break;
    case psRightTriangle: polygon({{x - h, y - v}, {x - h, y + v}, {x + h, y}}); break;
    case psCross: plus(); break;
    case psDiagCross: diagonalCross(); break;
    case psStar:
      plus();
      diagonalCross();
      break;
    case psDiamond: polygon({{x - h, y}, {x, y - v}, {x + h, y}, {x, y + v}}); break;
    case psSmallDot: canvas.SetPixel(x, y, canvas.Brush.Color); break;
    case psNothing: break;
  }
}
