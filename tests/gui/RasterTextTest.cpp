#include <gtest/gtest.h>

#include "gui/TRasterCanvas.h"
#include "tests/gui/RasterTestSupport.h"

namespace {

TFont FakeFont(int interCharSize = 0) {
  return {.Name = FakeFontName, .Color = clBlack, .InterCharSize = interCharSize};
}

// The bounding box of the pixels that are not white, right and bottom
// exclusive.
TRect InkBox(const TRasterCanvas& canvas) {
  TRect box{canvas.Width(), canvas.Height(), 0, 0};
  for (auto [x, y] : PixelsNotOf(canvas)) {
    box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
  }
  return box;
}

TEST(RasterText, FakeFontHasFixedMetrics) {
  TRasterCanvas canvas;
  canvas.SetFont(FakeFont());
  EXPECT_EQ(canvas.TextWidth("Lambda"), 36);
  EXPECT_EQ(canvas.TextHeight("Lambda"), 13);
  canvas.SetFont(FakeFont(2));
  EXPECT_EQ(canvas.TextWidth("abc"), 24);
}

struct AlignCase {
  int Align = 0;
  TRect Ink;
};

TEST(RasterText, AlignmentCodesPlaceTheTextAroundItsPoint) {
  // "ab" is 12 x 13; each glyph is its cell without the last column.
  const AlignCase cases[] = {
      {TextAlignLeft | TextAlignTop, {50, 30, 61, 43}},     {TextAlignRight | TextAlignTop, {38, 30, 49, 43}},
      {TextAlignCenter | TextAlignTop, {44, 30, 55, 43}},   {TextAlignLeft | TextAlignBottom, {50, 17, 61, 30}},
      {TextAlignRight | TextAlignBottom, {38, 17, 49, 30}}, {TextAlignCenter | TextAlignBottom, {44, 17, 55, 30}},
  };
  for (const AlignCase& c : cases) {
    SCOPED_TRACE(c.Align);
    TRasterCanvas canvas(100, 60);
    canvas.SetFont(FakeFont());
    canvas.SetBackMode(BackModeTransparent);
    canvas.SetTextAlign(c.Align);
    canvas.TextOut(50, 30, "ab");
    EXPECT_EQ(InkBox(canvas), c.Ink);
    EXPECT_EQ(PixelsNotOf(canvas).size(), 2u * 5u * 13u);
  }
}

TEST(RasterText, OpaqueBackgroundFillsTheWholeTextBox) {
  TRasterCanvas canvas(40, 20);
  canvas.SetFont(FakeFont());
  canvas.SetBackMode(BackModeOpaque);
  canvas.SetBackColor(clYellow);
  canvas.TextOut(2, 3, "a b");
  EXPECT_EQ(InkBox(canvas), (TRect{2, 3, 20, 16}));
  EXPECT_EQ(canvas.GetPixel(8, 5), clYellow);
  EXPECT_EQ(canvas.GetPixel(7, 5), clYellow);
  EXPECT_EQ(canvas.GetPixel(6, 5), clBlack);
}

TEST(RasterText, EscapementTurnsTextCounterClockwiseAboutItsPoint) {
  TRasterCanvas canvas(60, 60);
  TFont font = FakeFont();
  font.Escapement = 900;
  canvas.SetFont(font);
  canvas.SetBackMode(BackModeTransparent);
  canvas.TextOut(30, 40, "ab");
  EXPECT_EQ(InkBox(canvas), (TRect{30, 29, 43, 40}));
}

TEST(RasterText, ArialResolvesToAnInstalledFaceAtNinetySixDpi) {
  EXPECT_EQ(FontPixelSize(8), 11);
  EXPECT_EQ(FontPixelSize(12), 16);
  TRasterCanvas canvas(80, 20);
  canvas.SetFont({.Name = "Arial", .Size = 8});
  EXPECT_GE(canvas.TextHeight("W"), 11);
  EXPECT_LE(canvas.TextHeight("W"), 15);
  EXPECT_GT(canvas.TextWidth("WW"), canvas.TextWidth("W"));
  canvas.SetBackMode(BackModeTransparent);
  canvas.TextOut(1, 1, "Lambda");
  const TRect ink = InkBox(canvas);
  EXPECT_GE(ink.Left, 1);
  EXPECT_LE(ink.Right, 1 + canvas.TextWidth("Lambda") + 1);
  EXPECT_LE(ink.Bottom, 1 + canvas.TextHeight("Lambda"));
}

}  // namespace
