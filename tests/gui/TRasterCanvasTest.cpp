#include "gui/TRasterCanvas.h"

#include <gtest/gtest.h>

#include "gui/SystemColors.h"
#include "tests/gui/RasterTestSupport.h"

namespace {

// A raster operation's result for pen bits 1100 and destination bits 1010
// is the 4-bit truth table that its platform code minus one spells.
struct RopCase {
  TPenMode Mode;
  int Code;
};
const RopCase ropCases[] = {
    {pmBlack, 1}, {pmNotMerge, 2},     {pmMaskNotPen, 3}, {pmNotCopy, 4}, {pmMaskPenNot, 5}, {pmNot, 6},
    {pmXor, 7},   {pmNotMask, 8},      {pmMask, 9},       {pmNotXor, 10}, {pmNop, 11},       {pmMergeNotPen, 12},
    {pmCopy, 13}, {pmMergePenNot, 14}, {pmMerge, 15},     {pmWhite, 16},
};

TColor ExpectedRopResult(int code) {
  const int table = code - 1;
  const int channel = ((table & 1) != 0 ? 0xF0 : 0) | table;
  return RGBColor(channel, channel, channel);
}

constexpr TColor ropPen = 0x0C0C0C;
constexpr TColor ropDestination = 0x0A0A0A;

TEST(RasterOps, ThinLinesApplyTheModeToEveryPixel) {
  for (const RopCase& c : ropCases) {
    SCOPED_TRACE(c.Code);
    TRasterCanvas canvas(4, 1);
    canvas.SetBrush({ropDestination, bsSolid});
    canvas.FillRect({0, 0, 4, 1});
    canvas.SetPen({.Color = ropPen, .Mode = c.Mode});
    canvas.MoveTo(0, 0);
    canvas.LineTo(3, 0);
    EXPECT_EQ(canvas.GetPixel(1, 0), ExpectedRopResult(c.Code));
    EXPECT_EQ(canvas.GetPixel(3, 0), ropDestination);
  }
}

TEST(RasterOps, WidePensAndBrushesApplyTheSameModes) {
  for (const RopCase& c : ropCases) {
    SCOPED_TRACE(c.Code);
    TRasterCanvas canvas(10, 10);
    canvas.SetBrush({ropDestination, bsSolid});
    canvas.FillRect({0, 0, 10, 10});
    canvas.SetPen({.Color = ropPen, .Width = 3, .Mode = c.Mode});
    canvas.MoveTo(1, 2);
    canvas.LineTo(8, 2);
    EXPECT_EQ(canvas.GetPixel(4, 2), ExpectedRopResult(c.Code));
    canvas.SetPen({.Style = psClear, .Mode = c.Mode});
    canvas.SetBrush({ropPen, bsSolid});
    canvas.Rectangle({0, 6, 10, 10});
    EXPECT_EQ(canvas.GetPixel(4, 8), ExpectedRopResult(c.Code));
  }
}

struct EndCase {
  TPenEndStyle End;
  int Left, Right;  // ink on the line's row, right exclusive
};

TEST(RasterShapes, WidePensAreCentredOnTheLineWithTheirEnds) {
  const EndCase cases[] = {{esFlat, 5, 15}, {esSquare, 4, 17}};
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.End);
    TRasterCanvas canvas(30, 12);
    canvas.SetPen({.Width = 3, .EndStyle = c.End});
    canvas.MoveTo(5, 5);
    canvas.LineTo(15, 5);
    PixelSet expected;
    for (int y = 4; y <= 6; ++y) {
      for (int x = c.Left; x < c.Right; ++x) {
        expected.insert({x, y});
      }
    }
    EXPECT_EQ(PixelsNotOf(canvas), expected);
  }
}

void DrawScene(TRasterCanvas& canvas) {
  canvas.SetBrush({clYellow, bsSolid});
  canvas.FillRect({5, 5, 40, 30});
  canvas.SetPen({.Color = clRed, .Width = 2});
  canvas.MoveTo(0, 40);
  canvas.LineTo(60, 3);
  canvas.SetFont({.Name = "Arial", .Color = clNavy});
  canvas.TextOut(10, 10, "Lambda 0,98");
}

TEST(RasterOps, NotXorDrawnTwiceRestoresEveryPixel) {
  TRasterCanvas canvas(64, 48);
  DrawScene(canvas);
  TRasterCanvas before(64, 48);
  before.Draw(canvas, {0, 0});
  for (TColor color : {clWhite, clBlack, clBlue, TColor{0x3F7A12}}) {
    canvas.SetPen({.Color = color, .Mode = pmNotXor});
    canvas.SetBrush({color, bsSolid});
    for (int pass = 0; pass < 2; ++pass) {
      canvas.Rectangle({3, 4, 50, 41});
      canvas.MoveTo(0, 0);
      canvas.LineTo(63, 47);
    }
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 64; ++x) {
        ASSERT_EQ(canvas.GetPixel(x, y), before.GetPixel(x, y)) << x << "," << y;
      }
    }
  }
}

TEST(RasterShapes, RectangleOutlinesItsEdgePixelsAndFillsInside) {
  TRasterCanvas canvas(12, 12);
  canvas.SetPen({.Color = clBlack});
  canvas.SetBrush({clRed, bsSolid});
  canvas.Rectangle({2, 3, 7, 9});
  EXPECT_EQ(PixelsNotOf(canvas).size(), 5u * 6u);
  EXPECT_EQ(PixelsNotOf(canvas, clBlack).size(), 12u * 12u - (5u * 2u + 4u * 2u));
  EXPECT_EQ(canvas.GetPixel(6, 8), clBlack);
  EXPECT_EQ(canvas.GetPixel(3, 4), clRed);
  EXPECT_EQ(canvas.GetPixel(7, 9), clWhite);
}

TEST(RasterShapes, ClearPenFillsTheWholeRectangleAndFillRectIgnoresThePen) {
  TRasterCanvas canvas(12, 12);
  canvas.SetPen({.Style = psClear});
  canvas.SetBrush({clRed, bsSolid});
  canvas.Rectangle({2, 3, 7, 9});
  EXPECT_EQ(PixelsNotOf(canvas, clWhite).size(), 30u);
  EXPECT_EQ(canvas.GetPixel(6, 8), clRed);
  canvas.SetPen({.Color = clBlack, .Mode = pmXor});
  canvas.SetBrush({clBlue, bsSolid});
  canvas.FillRect({0, 0, 2, 2});
  EXPECT_EQ(PixelsNotOf(canvas, clWhite).size(), 34u);
  EXPECT_EQ(canvas.GetPixel(1, 1), clBlue);
}

TEST(RasterShapes, HatchGapsTakeTheBackgroundOnlyWhenOpaque) {
  TRasterCanvas canvas(16, 16);
  canvas.SetPen({.Style = psClear});
  canvas.SetBrush({clRed, bsHorizontal});
  canvas.SetBackColor(clBlue);
  canvas.SetBackMode(BackModeTransparent);
  canvas.Rectangle({0, 0, 16, 8});
  canvas.SetBackMode(BackModeOpaque);
  canvas.Rectangle({0, 8, 16, 16});
  const PixelSet top = PixelsNotOf(canvas, clWhite);
  EXPECT_FALSE(top.empty());
  for (int y = 0; y < 8; ++y) {
    EXPECT_NE(canvas.GetPixel(3, y), clBlue);
  }
  for (int y = 8; y < 16; ++y) {
    EXPECT_NE(canvas.GetPixel(3, y), clWhite);
  }
}

TEST(RasterShapes, PixelsOutsideTheRasterOrClipAreIgnored) {
  TRasterCanvas canvas(4, 4);
  canvas.SetClipRect(TRect{0, 0, 2, 4});
  canvas.SetPixel(1, 1, clRed);
  canvas.SetPixel(2, 1, clRed);
  canvas.SetPixel(-1, 9, clRed);
  EXPECT_EQ(PixelsNotOf(canvas), (PixelSet{{1, 1}}));
  EXPECT_EQ(canvas.GetPixel(4, 0), clNone);
}

TEST(RasterClip, IntersectsAndRestoresAndStaysInsideTheRaster) {
  TRasterCanvas canvas(20, 10);
  EXPECT_FALSE(canvas.ClipRect());
  canvas.IntersectClipRect({-5, 2, 15, 40});
  EXPECT_EQ(canvas.ClipRect(), (TRect{0, 2, 15, 10}));
  canvas.IntersectClipRect({10, 0, 30, 5});
  EXPECT_EQ(canvas.ClipRect(), (TRect{10, 2, 15, 5}));
  canvas.IntersectClipRect({0, 0, 3, 3});
  canvas.SetBrush({clRed, bsSolid});
  canvas.FillRect({0, 0, 20, 10});
  EXPECT_TRUE(PixelsNotOf(canvas).empty());
  canvas.SetClipRect(std::nullopt);
  canvas.FillRect({0, 0, 20, 10});
  EXPECT_EQ(PixelsNotOf(canvas).size(), 200u);
}

TEST(RasterCopy, DrawCopiesTheWholeSourceAtItsOriginWithinTheTarget) {
  TRasterCanvas source(3, 2);
  source.SetBrush({clRed, bsSolid});
  source.FillRect({0, 0, 3, 2});
  source.SetPixel(0, 0, clBlue);
  TRasterCanvas target(5, 5);
  target.Draw(source, {3, 4});
  EXPECT_EQ(PixelsNotOf(target), (PixelSet{{3, 4}, {4, 4}}));
  EXPECT_EQ(target.GetPixel(3, 4), clBlue);
  target.Draw(source, {-2, -1});
  EXPECT_EQ(target.GetPixel(0, 0), clRed);
  EXPECT_EQ(PixelsNotOf(target).size(), 3u);
}

TEST(RasterSize, KeepsPixelsWhenUnchangedAndStartsWhiteWhenResized) {
  TRasterCanvas canvas(4, 4);
  canvas.SetPixel(1, 1, clRed);
  canvas.SetSize(4, 4);
  EXPECT_EQ(canvas.GetPixel(1, 1), clRed);
  canvas.SetSize(5, 3);
  EXPECT_EQ(canvas.Width(), 5);
  EXPECT_TRUE(PixelsNotOf(canvas).empty());
  // Smaller and back, in the memory the larger size used: white again, and
  // rows of the new width.
  canvas.FillRect({0, 0, 5, 3});
  canvas.SetSize(2, 2);
  EXPECT_TRUE(PixelsNotOf(canvas).empty());
  canvas.SetPixel(1, 1, clRed);
  canvas.SetSize(3, 5);
  EXPECT_TRUE(PixelsNotOf(canvas).empty());
  canvas.SetPixel(0, 1, clRed);
  EXPECT_EQ(PixelsNotOf(canvas), (PixelSet{{0, 1}}));
  canvas.SetSize(-1, 2);
  EXPECT_EQ(canvas.Width(), 0);
}

TEST(SystemColors, PlainColoursPassAndSystemColoursResolveToRgb) {
  EXPECT_EQ(ResolveSystemColor(0x123456), 0x123456);
  for (TColor color : {clBtnFace, clBtnShadow, clBtnHighlight}) {
    const TColor rgb = ResolveSystemColor(color);
    EXPECT_GE(rgb, 0);
    EXPECT_LE(rgb, 0xFFFFFF);
  }
  EXPECT_GT(ResolveSystemColor(clBtnHighlight), ResolveSystemColor(clBtnShadow));
}

}  // namespace
