// The drawing surface on screens of more than one device pixel per pixel:
// shapes land on the device pixels their pixel edges round to, a one-pixel
// line is the same whole number of device pixels wide everywhere, and text
// is drawn at the device's resolution.
#include <gtest/gtest.h>

#include <string>

#include "gui/TRasterCanvas.h"
#include "tests/gui/RasterTestSupport.h"

namespace {

PixelSet DevicePixelsNotWhite(const TRasterCanvas& canvas) {
  PixelSet pixels;
  for (int y = 0; y < canvas.DeviceHeight(); ++y) {
    for (int x = 0; x < canvas.DeviceWidth(); ++x) {
      if (canvas.DevicePixel(x, y) != clWhite) {
        pixels.insert({x, y});
      }
    }
  }
  return pixels;
}

PixelSet PixelsOf(const TRect& rect) {
  PixelSet pixels;
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    for (int x = rect.Left; x < rect.Right; ++x) {
      pixels.insert({x, y});
    }
  }
  return pixels;
}

PixelSet Without(PixelSet pixels, const PixelSet& removed) {
  for (const auto& pixel : removed) {
    pixels.erase(pixel);
  }
  return pixels;
}

TRasterCanvas& Scaled(TRasterCanvas& canvas, double scale) {
  canvas.SetScale(scale);
  canvas.SetSize(40, 30);
  canvas.SetPen(TPen{});
  return canvas;
}

// Device pixel edges worked out by hand: a pixel edge v lands on v * scale,
// ties to even (1.5 x 5 = 7.5 gives 8); a line is 1, 2, 2, 3 device pixels
// wide.
struct ScaleCase {
  double Scale = 1;
  int LineWidth = 1;
  TRect Horizontal;  // the line (2, 5) to (12, 5)
  TRect Vertical;    // the line (4, 1) to (4, 9)
  TRect Box;         // the rectangle {2, 2, 12, 10}
};
const ScaleCase kCases[] = {
    {1, 1, {2, 5, 12, 6}, {4, 1, 5, 9}, {2, 2, 12, 10}},
    {1.5, 2, {3, 8, 18, 10}, {6, 2, 8, 14}, {3, 3, 18, 15}},
    {2, 2, {4, 10, 24, 12}, {8, 2, 10, 18}, {4, 4, 24, 20}},
    {3, 3, {6, 15, 36, 18}, {12, 3, 15, 27}, {6, 6, 36, 30}},
};

TEST(ScaledRaster, RasterHoldsTheDevicePixels) {
  for (const ScaleCase& c : kCases) {
    TRasterCanvas canvas;
    Scaled(canvas, c.Scale);
    EXPECT_EQ(canvas.Width(), 40) << c.Scale;
    EXPECT_EQ(canvas.DeviceWidth(), 40 * c.Scale) << c.Scale;
    EXPECT_EQ(canvas.DeviceHeight(), 30 * c.Scale) << c.Scale;
  }
}

TEST(ScaledRaster, StraightLinesCoverTheirPixelsAndLeaveOutTheEnd) {
  for (const ScaleCase& c : kCases) {
    TRasterCanvas horizontal;
    Scaled(horizontal, c.Scale).LineSegment(2, 5, 12, 5);
    EXPECT_EQ(DevicePixelsNotWhite(horizontal), PixelsOf(c.Horizontal)) << c.Scale;
    TRasterCanvas vertical;
    Scaled(vertical, c.Scale).LineSegment(4, 1, 4, 9);
    EXPECT_EQ(DevicePixelsNotWhite(vertical), PixelsOf(c.Vertical)) << c.Scale;
  }
}

// Every device column a shallow line crosses holds one run of LineWidth
// pixels; every device row of a steep line likewise.
int CrossedLines(const TRasterCanvas& canvas, bool columns, int lineWidth) {
  const int lines = columns ? canvas.DeviceWidth() : canvas.DeviceHeight();
  const int length = columns ? canvas.DeviceHeight() : canvas.DeviceWidth();
  int crossed = 0;
  for (int i = 0; i < lines; ++i) {
    int count = 0;
    for (int j = 0; j < length; ++j) {
      count += (columns ? canvas.DevicePixel(i, j) : canvas.DevicePixel(j, i)) != clWhite;
    }
    EXPECT_TRUE(count == 0 || count == lineWidth) << (columns ? "column " : "row ") << i << ": " << count;
    crossed += count != 0;
  }
  return crossed;
}

TEST(ScaledRaster, SlantedLinesAreEvenlyWide) {
  for (const ScaleCase& c : kCases) {
    TRasterCanvas shallow;
    Scaled(shallow, c.Scale).LineSegment(1, 1, 35, 20);
    EXPECT_GE(CrossedLines(shallow, true, c.LineWidth), 34 * c.Scale - 1) << c.Scale;
    TRasterCanvas steep;
    Scaled(steep, c.Scale).LineSegment(30, 2, 5, 28);
    EXPECT_GE(CrossedLines(steep, false, c.LineWidth), 26 * c.Scale - 1) << c.Scale;
  }
}

TEST(ScaledRaster, RectangleOutlineIsOneLineWidthInsideItsEdgesAndFillsTheRest) {
  for (const ScaleCase& c : kCases) {
    TRasterCanvas outline;
    Scaled(outline, c.Scale).SetBrush(TBrush{clRed, bsClear});
    outline.Rectangle({2, 2, 12, 10});
    const int w = c.LineWidth;
    const TRect inside{c.Box.Left + w, c.Box.Top + w, c.Box.Right - w, c.Box.Bottom - w};
    EXPECT_EQ(DevicePixelsNotWhite(outline), Without(PixelsOf(c.Box), PixelsOf(inside))) << c.Scale;

    TRasterCanvas filled;
    Scaled(filled, c.Scale).SetBrush(TBrush{clRed, bsSolid});
    filled.FillRect({2, 2, 12, 10});
    EXPECT_EQ(DevicePixelsNotWhite(filled), PixelsOf(c.Box)) << c.Scale;
  }
}

// The rubber band: every device pixel of the outline is inverted once, so
// a second band restores the picture.
TEST(ScaledRaster, NotXorOutlineDrawnTwiceRestoresEveryDevicePixel) {
  for (const ScaleCase& c : kCases) {
    TRasterCanvas canvas;
    Scaled(canvas, c.Scale).SetBrush(TBrush{clWhite, bsClear});
    canvas.SetPen(TPen{clBlack, 1, psSolid, pmNotXor, esRound, 0});
    canvas.Rectangle({2, 2, 12, 10});
    EXPECT_EQ(DevicePixelsNotWhite(canvas).size(),
              PixelsOf(c.Box).size() -
                  static_cast<std::size_t>((c.Box.Width() - 2 * c.LineWidth) * (c.Box.Height() - 2 * c.LineWidth)))
        << c.Scale;
    canvas.Rectangle({2, 2, 12, 10});
    EXPECT_TRUE(DevicePixelsNotWhite(canvas).empty()) << c.Scale;
  }
}

// Text takes the room it takes at one device pixel per pixel, so layouts
// stay; its glyphs have the device's detail, which a doubled picture lacks:
// there some 2 x 2 block of device pixels is not of one colour.
TEST(ScaledRaster, TextIsMeasuredInPixelsAndDrawnInDevicePixels) {
  const std::string text = "Engine speed 3,500";
  TRasterCanvas plain;
  TRasterCanvas doubled;
  for (TRasterCanvas* canvas : {&plain, &doubled}) {
    Scaled(*canvas, canvas == &plain ? 1 : 2).SetSize(140, 20);
    canvas->SetFont(TFont{});
    canvas->SetBackMode(BackModeTransparent);
    canvas->TextOut(2, 2, text);
  }
  EXPECT_EQ(doubled.TextWidth(text), plain.TextWidth(text));
  EXPECT_EQ(doubled.TextHeight(text), plain.TextHeight(text));
  int mixedBlocks = 0;
  int dark = 0;
  for (int y = 0; y + 1 < doubled.DeviceHeight(); y += 2) {
    for (int x = 0; x + 1 < doubled.DeviceWidth(); x += 2) {
      const TColor corner = doubled.DevicePixel(x, y);
      dark += corner != clWhite;
      mixedBlocks += doubled.DevicePixel(x + 1, y) != corner || doubled.DevicePixel(x, y + 1) != corner ||
                     doubled.DevicePixel(x + 1, y + 1) != corner;
    }
  }
  EXPECT_GT(dark, 50) << "the text is drawn";
  EXPECT_GT(mixedBlocks, 50) << "not the picture of one device pixel per pixel doubled";
}

TEST(ScaledRaster, CopyPlacesTheSourceAtItsDeviceOrigin) {
  TRasterCanvas source;
  Scaled(source, 1.5).SetSize(4, 4);
  source.SetBrush(TBrush{clRed, bsSolid});
  source.FillRect({0, 0, 4, 4});
  TRasterCanvas target;
  Scaled(target, 1.5).Draw(source, {5, 3});
  // (5, 3) is device (8, 4) (7.5 and 4.5 round to even); the source is 6 device pixels wide.
  EXPECT_EQ(DevicePixelsNotWhite(target), PixelsOf({8, 4, 14, 10}));
}

}  // namespace
