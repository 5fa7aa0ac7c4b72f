#include "chart/canvas/ColorShade.h"

#include <gtest/gtest.h>

#include <climits>

#include "gui/SystemColors.h"

namespace {

struct ShadeCase {
  TColor Color;
  int Step;
  TColor Darker;
  TColor Brighter;
};

TEST(ColorShade, MovesEveryChannelAndClampsAtTheEnds) {
  const ShadeCase cases[] = {
      {RGBColor(100, 10, 250), 20, RGBColor(80, 0, 230), RGBColor(120, 30, 255)},
      {clBlack, 64, clBlack, RGBColor(64, 64, 64)},
      {clWhite, 300, clBlack, clWhite},
      {clSilver, 0, clSilver, clSilver},
  };
  for (const ShadeCase& c : cases) {
    EXPECT_EQ(DarkerColor(c.Color, c.Step), c.Darker) << c.Color;
    EXPECT_EQ(BrighterColor(c.Color, c.Step), c.Brighter) << c.Color;
  }
  EXPECT_EQ(BrighterColor(clBtnShadow, 0), ResolveSystemColor(clBtnShadow));
  EXPECT_EQ(DarkerColor(clWhite, INT_MIN), clWhite);
}

}  // namespace
