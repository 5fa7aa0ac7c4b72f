#include "chart/axes/TAxisScale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TAxisScale VerticalScale(double scaleMin, double scaleMax, int first, int last) {
  TAxisScale scale;
  scale.PlaceAlong(first, last - first, 0, 100);
  scale.SetScale(scaleMin, scaleMax);
  return scale;
}

TEST(TAxisScale, PlacesTheSpanAlongThePlot) {
  TAxisScale scale;
  scale.PlaceAlong(2, 121, 0, 100);
  EXPECT_EQ(scale.FirstPixel, 2);
  EXPECT_EQ(scale.LastPixel, 123);
  EXPECT_EQ(scale.PixelLength, 121);
  EXPECT_EQ(scale.MidPixel, 62);
  scale.PlaceAlong(-5, 10, 0, 100);
  EXPECT_EQ(scale.MidPixel, 0);      // (-5 + 5) / 2
  scale.PlaceAlong(0, 101, 25, 75);  // 25.25 and 75.75, rounded
  EXPECT_EQ(scale.FirstPixel, 25);
  EXPECT_EQ(scale.LastPixel, 76);
}

TEST(TAxisScale, LinearVerticalMapping) {
  const TAxisScale scale = VerticalScale(0, 5, 20, 120);
  EXPECT_DOUBLE_EQ(scale.PixelsPerUnit, 20);
  const struct {
    double Value;
    int Pixel;
  } cases[] = {{2.5, 70},           {1.875, 82},        {5, 20}, {0, 120}, {1.9, 82}, {-1, 140},
               {1e12, -PixelLimit}, {-1e12, PixelLimit}};
  for (const auto& c : cases) {
    EXPECT_EQ(scale.ValueToPixel(c.Value), c.Pixel) << c.Value;
  }
  EXPECT_DOUBLE_EQ(scale.PixelToValue(70), 2.5);
  EXPECT_DOUBLE_EQ(scale.PixelToValue(20), 5);
  EXPECT_DOUBLE_EQ(scale.PixelToValue(120), 0);
}

TEST(TAxisScale, OrientationAndInversion) {
  const struct {
    bool Horizontal;
    bool Inverted;
    int PixelOfMinimum;
    int PixelOfMaximum;
  } cases[] = {
      {false, false, 120, 20},
      {false, true, 20, 120},
      {true, false, 20, 120},
      {true, true, 120, 20},
  };
  for (const auto& c : cases) {
    TAxisScale scale;
    scale.Horizontal = c.Horizontal;
    scale.Inverted = c.Inverted;
    scale.PlaceAlong(20, 100, 0, 100);
    scale.SetScale(0, 5);
    SCOPED_TRACE(testing::Message() << "horizontal " << c.Horizontal << " inverted " << c.Inverted);
    EXPECT_EQ(scale.ValueToPixel(0), c.PixelOfMinimum);
    EXPECT_EQ(scale.ValueToPixel(5), c.PixelOfMaximum);
    EXPECT_DOUBLE_EQ(scale.PixelToValue(c.PixelOfMinimum), 0);
    EXPECT_DOUBLE_EQ(scale.PixelToValue(c.PixelOfMaximum), 5);
    EXPECT_DOUBLE_EQ(scale.PixelToValue(70), 2.5);
  }
}

TEST(TAxisScale, FlatRangeMapsEverythingToTheMiddle) {
  const TAxisScale scale = VerticalScale(3, 3, 20, 120);
  EXPECT_TRUE(scale.ScaleIsFlat);
  EXPECT_EQ(scale.PixelsPerUnit, 0);
  EXPECT_EQ(scale.ValueToPixel(3), 70);
  EXPECT_EQ(scale.ValueToPixel(-1e300), 70);
  EXPECT_EQ(scale.PixelToValue(33), 3);
}

TEST(TAxisScale, ShortSpanGivesZeroValues) {
  const TAxisScale scale = VerticalScale(1, 5, 20, 20);
  EXPECT_EQ(scale.PixelToValue(20), 0);
  EXPECT_EQ(scale.PixelToValue(90), 0);
}

TEST(TAxisScale, NotANumberMapsBeyondTheFarEnd) {
  const TAxisScale scale = VerticalScale(0, 5, 20, 120);
  EXPECT_EQ(scale.ValueToPixel(std::nan("")), PixelLimit);
}

TEST(TAxisScale, LogarithmicMapping) {
  TAxisScale scale;
  scale.Logarithmic = true;
  scale.PlaceAlong(0, 100, 0, 100);
  scale.SetScale(1, 100);
  EXPECT_EQ(scale.ValueToPixel(10), 50);
  EXPECT_EQ(scale.ValueToPixel(1), 100);
  EXPECT_EQ(scale.ValueToPixel(100), 0);
  EXPECT_EQ(scale.ValueToPixel(0), 100);  // not positive: the bottom end
  EXPECT_DOUBLE_EQ(scale.PixelToValue(0), 100);
  EXPECT_DOUBLE_EQ(scale.PixelToValue(100), 1);
  EXPECT_NEAR(scale.PixelToValue(50), 10, 1e-12);
  scale.Horizontal = true;
  scale.UpdateDerived();
  EXPECT_EQ(scale.ValueToPixel(10), 50);
  EXPECT_EQ(scale.ValueToPixel(100), 100);
  EXPECT_EQ(scale.ValueToPixel(-3), 0);
  EXPECT_NEAR(scale.PixelToValue(50), 10, 1e-12);
}

TEST(TAxisScale, DepthMappingIsAnOffsetFromTheFront) {
  TAxisScale scale;
  scale.IsDepth = true;
  scale.PlaceAlong(0, 40, 0, 100);
  scale.SetScale(0, 4);
  EXPECT_EQ(scale.ValueToPixel(1), 10);
  scale.Inverted = true;
  EXPECT_EQ(scale.ValueToPixel(1), 30);
}

}  // namespace
