#include "chart/canvas/TBufferedCanvas3D.h"

#include <gtest/gtest.h>

#include <set>

#include "chart/canvas/TChartBrush.h"
#include "chart/canvas/TChartFont.h"
#include "chart/canvas/TChartPen.h"

namespace {

std::set<int> InkInRow(const TRasterCanvas& canvas, int y) {
  std::set<int> xs;
  for (int x = 0; x < canvas.Width(); ++x) {
    if (canvas.GetPixel(x, y) != clWhite) {
      xs.insert(x);
    }
  }
  return xs;
}

// A surface drawing into a white buffer of `width` x `height`, state reset.
class Surface : public testing::Test {
protected:
  void Begin(int width, int height) {
    surface.ResetState();
    surface.BeginDrawing(screen, {0, 0, width, height}, 100);
    surface.FillRectangle({0, 0, width, height});
  }
  const TRasterCanvas& Picture() { return surface.Canvas(); }

  TRasterCanvas screen{800, 200};
  TBufferedCanvas3D surface;
};

struct DotsCase {
  int SmallSpace;
  std::set<int> Xs;
};

TEST_F(Surface, SmallDotsPenSetsEveryOtherPixelOrOneEverySmallSpacePlusOne) {
  const DotsCase cases[] = {{0, {10, 12, 14, 16, 18}}, {2, {10, 13, 16, 19}}, {4, {10, 15}}};
  for (const DotsCase& c : cases) {
    SCOPED_TRACE(c.SmallSpace);
    Begin(40, 10);
    TDottedGrayPen grid;
    grid.SetSmallDots(true);
    grid.SetSmallSpace(c.SmallSpace);
    grid.SetWidth(3);
    surface.Pen.Width = 5;
    surface.ApplyChartPen(grid, clRed);
    surface.HorizontalLine(10, 20, 4);
    EXPECT_EQ(InkInRow(Picture(), 4), c.Xs);
    EXPECT_EQ(Picture().GetPixel(10, 4), clRed);
    EXPECT_EQ(InkInRow(Picture(), 3), std::set<int>{});
  }
}

TEST_F(Surface, ClipCubeAdmitsOnlyThePixelsInsideTheFrontFace) {
  Begin(130, 100);
  surface.ClipCube({10, 20, 110, 81}, 0, 0);
  surface.Brush = {clRed, bsSolid};
  surface.FillRectangle({0, 0, 130, 100});
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 130; ++x) {
      const bool inside = x >= 11 && x <= 109 && y >= 21 && y <= 79;
      ASSERT_EQ(Picture().GetPixel(x, y), inside ? clRed : clWhite) << x << "," << y;
    }
  }
}

TEST_F(Surface, UnClipRestoresTheClipBeforeTheLastClipOnly) {
  Begin(50, 50);
  surface.ClipRectangle({10, 10, 40, 40});
  surface.ClipRectangle({20, 0, 50, 30});
  surface.UnClip();
  EXPECT_EQ(surface.Canvas().ClipRect(), (TRect{10, 10, 40, 40}));
  surface.UnClip();
  EXPECT_FALSE(surface.Canvas().ClipRect());
  surface.ClipRectangle({5, 5, 6, 6});
  surface.UnClip();
  EXPECT_FALSE(surface.Canvas().ClipRect());
}

TEST_F(Surface, HiddenPenDrawsNoOutlineWhileTheBrushFills) {
  Begin(20, 20);
  surface.Pen.Color = clBlue;
  surface.ApplyChartPen(TChartHiddenPen(), clRed);
  EXPECT_EQ(surface.Pen.Style, psClear);
  EXPECT_EQ(surface.Pen.Color, clBlue);
  TChartBrush brush;
  surface.ApplyChartBrush(brush, clYellow, clNone);
  surface.Rectangle({2, 3, 12, 9});
  surface.LineSegment(0, 15, 19, 15);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      ASSERT_EQ(Picture().GetPixel(x, y), (x >= 2 && x < 12 && y >= 3 && y < 9) ? clYellow : clWhite);
    }
  }
}

TEST_F(Surface, BufferedPaintDrawsOffScreenAndCopiesThePictureInOneStep) {
  surface.ResetState();
  const TRect area = surface.BeginDrawing(screen, {10, 20, 738, 149}, 100);
  EXPECT_EQ(area, (TRect{0, 0, 728, 129}));
  EXPECT_EQ(surface.Canvas().Width(), 728);
  EXPECT_EQ(surface.Canvas().Height(), 129);
  surface.Brush = {clRed, bsSolid};
  surface.FillRectangle(area);
  EXPECT_EQ(screen.GetPixel(10, 20), clWhite);
  EXPECT_TRUE(surface.Dirty());

  surface.FinishDrawing(screen, screen, {10, 20});
  EXPECT_FALSE(surface.Dirty());
  EXPECT_EQ(&surface.Canvas(), &screen);
  EXPECT_EQ(screen.GetPixel(10, 20), clRed);
  EXPECT_EQ(screen.GetPixel(737, 148), clRed);
  EXPECT_EQ(screen.GetPixel(9, 20), clWhite);
  EXPECT_EQ(screen.GetPixel(738, 148), clWhite);
  EXPECT_EQ(screen.GetPixel(737, 149), clWhite);
}

TEST_F(Surface, RedrawFromBufferShowsTheKeptPictureUntilMarkedDirty) {
  EXPECT_FALSE(surface.RedrawFromBuffer());
  surface.ResetState();
  surface.BeginDrawing(screen, {0, 0, 30, 30}, 100);
  surface.Brush = {clGreen, bsSolid};
  surface.FillRectangle({0, 0, 30, 30});
  surface.FinishDrawing(screen, screen, {0, 0});
  TRasterCanvas fresh(800, 200);
  surface.BeginDrawing(fresh, {0, 0, 30, 30}, 100);
  surface.FinishDrawing(fresh, fresh, {0, 0});
  EXPECT_EQ(fresh.GetPixel(29, 29), clGreen);

  TRasterCanvas other(40, 40);
  surface.FinishDrawing(other, other, {0, 0});
  EXPECT_TRUE(surface.RedrawFromBuffer());
  EXPECT_EQ(other.GetPixel(29, 29), clGreen);
  surface.MarkDirty();
  EXPECT_FALSE(surface.RedrawFromBuffer());
}

// A screen raster of the picture's size is drawn on directly and keeps the
// picture; another raster gets it painted anew.
TEST_F(Surface, PictureOfTheScreensSizeIsDrawnOnTheScreenAndKeptThere) {
  surface.ResetState();
  const TRect area = surface.BeginDrawing(screen, {0, 0, 800, 200}, 100);
  EXPECT_EQ(area, (TRect{0, 0, 800, 200}));
  EXPECT_EQ(&surface.Canvas(), &screen);
  surface.Brush = {clRed, bsSolid};
  surface.FillRectangle(area);
  EXPECT_EQ(screen.GetPixel(799, 199), clRed);
  EXPECT_TRUE(surface.Dirty());
  surface.FinishDrawing(screen, screen, {0, 0});
  EXPECT_FALSE(surface.Dirty());
  EXPECT_TRUE(surface.RedrawFromBuffer());
  EXPECT_EQ(screen.GetPixel(0, 0), clRed);

  TRasterCanvas other(800, 200);
  surface.FinishDrawing(other, other, {0, 0});
  EXPECT_FALSE(surface.RedrawFromBuffer());
}

// The window moved to a screen of another pixel density.
TEST_F(Surface, KeptPictureOfOtherDevicePixelsIsPaintedAnew) {
  surface.ResetState();
  surface.BeginDrawing(screen, {0, 0, 30, 30}, 100);
  surface.FillRectangle({0, 0, 30, 30});
  surface.FinishDrawing(screen, screen, {0, 0});
  EXPECT_TRUE(surface.RedrawFromBuffer());
  screen.SetScale(2);
  EXPECT_FALSE(surface.RedrawFromBuffer());
}

TEST_F(Surface, SwitchingBufferingOffFreesTheBufferAndDrawsOnTheTarget) {
  Begin(30, 30);
  surface.SetBuffered(false);
  EXPECT_TRUE(surface.Dirty());
  EXPECT_EQ(&surface.Canvas(), &screen);
  const TRect area = surface.BeginDrawing(screen, {5, 6, 20, 20}, 100);
  EXPECT_EQ(area, (TRect{5, 6, 20, 20}));
  surface.SetPixel(5, 6, clRed);
  EXPECT_EQ(screen.GetPixel(5, 6), clRed);
}

TEST_F(Surface, BevelFrameDrawsTopLeftAndBottomRightEdgesAndShrinksTheRectangle) {
  Begin(12, 12);
  TRect rect{1, 1, 11, 11};
  surface.BevelFrame(rect, clRed, clBlue, 2);
  EXPECT_EQ(rect, (TRect{3, 3, 9, 9}));
  struct Expect {
    int X, Y;
    TColor Color;
  };
  const Expect pixels[] = {
      {1, 1, clRed}, {1, 9, clRed},  {9, 1, clRed},  {10, 1, clBlue}, {1, 10, clBlue}, {10, 10, clBlue},  {2, 2, clRed},
      {8, 2, clRed}, {9, 2, clBlue}, {2, 9, clBlue}, {3, 3, clWhite}, {0, 0, clWhite}, {11, 11, clWhite},
  };
  for (const Expect& e : pixels) {
    EXPECT_EQ(Picture().GetPixel(e.X, e.Y), e.Color) << e.X << "," << e.Y;
  }
}

struct ZoomCase {
  int FontZoom;
  int Size;
};

TEST_F(Surface, FontZoomScalesTheSizeOfAppliedFontsRounded) {
  const ZoomCase cases[] = {{100, 8}, {150, 12}, {133, 11}, {10, 1}};
  for (const ZoomCase& c : cases) {
    surface.SetFontZoom(c.FontZoom);
    surface.ApplyFont(TChartFont());
    EXPECT_EQ(surface.Font.Size, c.Size) << c.FontZoom;
  }
}

TEST_F(Surface, MonochromeMakesPensAndFontsBlackAndBrushesWhite) {
  int repaints = 0;
  surface.OnRepaintRequest = [&] { ++repaints; };
  surface.ResetState();
  surface.BeginDrawing(screen, {0, 0, 10, 10}, 100);
  surface.FinishDrawing(screen, screen, {0, 0});
  surface.SetMonochrome(true);
  surface.SetMonochrome(true);
  EXPECT_EQ(repaints, 1);
  EXPECT_TRUE(surface.Dirty());

  TChartPen pen;
  pen.SetSmallDots(true);
  surface.ApplyChartPen(pen, clRed);
  EXPECT_EQ(surface.Pen.Color, clBlack);
  TChartFont font;
  font.SetColor(clRed);
  surface.ApplyFont(font);
  EXPECT_EQ(surface.Font.Color, clBlack);
  surface.ApplyChartBrush(TChartBrush(), clRed, clNone);
  EXPECT_EQ(surface.Brush.Color, clWhite);
}

TChartFont FakeChartFont() {
  TChartFont font;
  font.SetName(FakeFontName);
  return font;
}

TEST_F(Surface, FontShadowWidensTheMetricsByItsSize) {
  Begin(10, 10);
  TChartFont font = FakeChartFont();
  font.Shadow().SetHorizSize(-3);
  font.Shadow().SetVertSize(2);
  surface.ApplyFont(font);
  EXPECT_EQ(surface.MeasureTextWidth("abcd"), 24 + 3);
  EXPECT_EQ(surface.MeasureTextHeight("abcd"), 13 + 2);
}

TEST_F(Surface, TextShadowGoesTowardsPositiveSizesAndMovesTheTextForNegativeOnes) {
  Begin(40, 40);
  TChartFont font = FakeChartFont();
  font.SetColor(clBlue);
  font.Shadow().SetColor(clRed);
  font.Shadow().SetHorizSize(-3);
  font.Shadow().SetVertSize(2);
  surface.ApplyFont(font);
  surface.TextOut(10, 10, "a");
  // Shadow at (10, 12), text at (13, 10); glyphs are 5 x 13.
  EXPECT_EQ(Picture().GetPixel(10, 24), clRed);
  EXPECT_EQ(Picture().GetPixel(13, 10), clBlue);
  EXPECT_EQ(Picture().GetPixel(17, 22), clBlue);
  EXPECT_EQ(Picture().GetPixel(18, 10), clWhite);
  EXPECT_EQ(Picture().GetPixel(10, 11), clWhite);
  EXPECT_EQ(surface.Font.Color, clBlue);
}

TEST_F(Surface, RotatedTextTurnsByTheAngleAndRestoresTheFont) {
  Begin(60, 60);
  surface.ApplyFont(FakeChartFont());
  surface.RotatedText(30, 40, 450, "ab");
  EXPECT_EQ(surface.Font.Escapement, 0);
  EXPECT_EQ(surface.Brush.Style, bsClear);
  EXPECT_EQ(Picture().GetPixel(35, 30), clBlack);
  EXPECT_EQ(Picture().GetPixel(35, 41), clWhite);
  EXPECT_EQ(Picture().GetPixel(31, 41), clWhite);
}

TEST(SurfaceWithoutPaint, DrawsNothingAndMeasuresBeforeTheFirstPaint) {
  TBufferedCanvas3D surface;
  surface.ApplyFont(FakeChartFont());
  surface.LineSegment(0, 0, 10, 10);
  surface.UnClip();
  EXPECT_EQ(surface.MeasureTextWidth("ab"), 12);
  EXPECT_EQ(surface.GetPixel(0, 0), clNone);
}

}  // namespace
