#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "chart/controls/TButtonColor.h"
#include "chart/series/TLineSeries.h"
#include "gui/DialogScript.h"
#include "gui/SystemColors.h"
#include "gui/TRasterCanvas.h"

namespace {

constexpr TColor kOrange = RGBColor(0xFF, 0x80, 0x00);

// Every test starts before the process's first colour dialog.
class ButtonColor : public testing::Test {
protected:
  ButtonColor() {
    SharedCustomColors().reset();
    button.SetBounds(0, 0, 108, 25);
    button.OnClick = [this] { ++clicks; };
  }

  void Answer(std::optional<TColor> color, std::optional<TCustomColors> custom = std::nullopt) {
    script.ColorAnswers.push_back({color, custom});
  }

  DialogScript script;
  TButtonColor button;
  TLineSeries series;
  int clicks = 0;
};

struct SymbolRectCase {
  int width;
  int height;
  TRect expected;
};

class SymbolRectTable : public testing::TestWithParam<SymbolRectCase> {};

TEST_P(SymbolRectTable, SwatchFollowsTheButtonSize) {
  TButtonColor button;
  button.SetBounds(0, 0, GetParam().width, GetParam().height);
  const TRect r = button.SymbolRect();
  const TRect& e = GetParam().expected;
  EXPECT_EQ(r.Left, e.Left);
  EXPECT_EQ(r.Top, e.Top);
  EXPECT_EQ(r.Right, e.Right);
  EXPECT_EQ(r.Bottom, e.Bottom);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SymbolRectTable,
                         testing::Values(SymbolRectCase{108, 25, {89, 7, 102, 19}},
                                         SymbolRectCase{108, 30, {89, 9, 102, 23}},
                                         SymbolRectCase{40, 3, {21, 3, 34, 3}}, SymbolRectCase{20, 8, {1, 2, 14, 6}}));

TEST_F(ButtonColor, LinksSeriesColorIgnoringCase) {
  series.SetSeriesColor(clRed);
  button.LinkProperty(&series, "seriesCOLOR");
  EXPECT_EQ(button.CurrentColor(), clRed);
}

TEST_F(ButtonColor, UnknownOrEmptyPropertyShowsOwnColor) {
  series.SetSeriesColor(clRed);
  button.OwnColor = clLime;
  for (const char* name : {"Color", "", "SeriesColour"}) {
    button.LinkProperty(&series, "SeriesColor");
    button.LinkProperty(&series, name);
    EXPECT_EQ(button.CurrentColor(), clLime) << name;
  }
}

TEST_F(ButtonColor, LinkingNoObjectKeepsThePropertyButReadsNothing) {
  button.LinkProperty(&series, "SeriesColor");
  button.LinkProperty(nullptr, "SeriesColor");
  EXPECT_NE(button.LinkedProperty(), nullptr);
  EXPECT_EQ(button.CurrentColor(), button.OwnColor);
  Answer(clRed);
  button.PerformClick();
  EXPECT_EQ(button.OwnColor, clRed);
}

TEST_F(ButtonColor, ProviderWinsAndIsOnlyRead) {
  button.LinkProperty(&series, "SeriesColor");
  series.SetSeriesColor(clRed);
  button.ColorProvider = [] { return clAqua; };
  EXPECT_EQ(button.CurrentColor(), clAqua);
  Answer(clLime);
  button.PerformClick();
  EXPECT_EQ(series.SeriesColor(), clLime);
  EXPECT_EQ(button.CurrentColor(), clAqua);
}

struct ClickCase {
  const char* name;
  std::optional<TColor> answer;  // none: Cancel
  TColor expectedColor;
  int expectedClicks;
};

class ClickTable : public ButtonColor, public testing::WithParamInterface<ClickCase> {};

TEST_P(ClickTable, WritesAndFiresOnlyOnAChange) {
  series.SetSeriesColor(clBlue);
  button.LinkProperty(&series, "SeriesColor");
  Answer(GetParam().answer);
  button.PerformClick();
  ASSERT_EQ(script.ColorRequests.size(), 1u);
  EXPECT_EQ(script.ColorRequests[0].StartColor, clBlue);
  EXPECT_EQ(series.SeriesColor(), GetParam().expectedColor);
  EXPECT_EQ(clicks, GetParam().expectedClicks);
}

INSTANTIATE_TEST_SUITE_P(Answers, ClickTable,
                         testing::Values(ClickCase{"Ok", kOrange, kOrange, 1},
                                         ClickCase{"Cancel", std::nullopt, clBlue, 0},
                                         ClickCase{"SameColour", clBlue, clBlue, 0}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(ButtonColor, SystemColourStartsResolvedAndSurvivesTheSameRgb) {
  series.SetSeriesColor(clBtnFace);
  button.LinkProperty(&series, "SeriesColor");
  const TColor rgb = ResolveSystemColor(clBtnFace);
  Answer(rgb);
  button.PerformClick();
  EXPECT_EQ(script.ColorRequests.at(0).StartColor, rgb);
  EXPECT_EQ(series.SeriesColor(), clBtnFace);
  EXPECT_EQ(clicks, 0);
}

TEST_F(ButtonColor, DisabledButtonDoesNothingOnAClick) {
  button.SetEnabled(false);
  Answer(clRed);
  button.PerformClick();
  EXPECT_TRUE(script.ColorRequests.empty());
}

TEST_F(ButtonColor, CustomColoursAreKeptOnOkNotOnCancel) {
  TCustomColors confirmed = ColorDialog::DefaultCustomColors();
  confirmed[0] = kOrange;
  TCustomColors cancelled = confirmed;
  cancelled[5] = clRed;

  Answer(clRed, confirmed);
  script.ColorAnswers.push_back({std::nullopt, cancelled});
  Answer(std::nullopt);
  for (int i = 0; i < 3; ++i) {
    button.PerformClick();
  }

  ASSERT_EQ(script.ColorRequests.size(), 3u);
  EXPECT_EQ(script.ColorRequests[0].CustomColors, ColorDialog::DefaultCustomColors());
  EXPECT_EQ(script.ColorRequests[1].CustomColors, confirmed);
  EXPECT_EQ(script.ColorRequests[2].CustomColors, confirmed);
}

TEST_F(ButtonColor, CustomColoursAreSharedBetweenButtons) {
  TCustomColors confirmed = ColorDialog::DefaultCustomColors();
  confirmed[15] = clLime;
  Answer(clRed, confirmed);
  button.PerformClick();
  TButtonColor other;
  Answer(std::nullopt);
  other.PerformClick();
  EXPECT_EQ(script.ColorRequests.at(1).CustomColors, confirmed);
}

// The swatch of a 108 x 25 button covers (89, 7) to (101, 18).
TEST_F(ButtonColor, SwatchHasItsOutlineOnlyWhileEnabled) {
  button.OwnColor = kOrange;
  TRasterCanvas picture;
  struct Case {
    bool enabled;
    TColor corner;
  };
  for (const Case c : {Case{true, clBlack}, Case{false, kOrange}, Case{true, clBlack}}) {
    button.SetEnabled(c.enabled);
    button.Render(picture);
    EXPECT_EQ(picture.GetPixel(89, 7), c.corner) << c.enabled;
    EXPECT_EQ(picture.GetPixel(101, 18), c.corner) << c.enabled;
    EXPECT_EQ(picture.GetPixel(95, 12), kOrange) << c.enabled;
    EXPECT_NE(picture.GetPixel(102, 19), kOrange) << c.enabled;
  }
}

TEST_F(ButtonColor, NoSwatchForNone) {
  TRasterCanvas withSwatch;
  button.Render(withSwatch);
  EXPECT_EQ(withSwatch.GetPixel(95, 12), clBlack);
  button.OwnColor = clNone;
  TRasterCanvas without;
  button.Render(without);
  EXPECT_NE(without.GetPixel(95, 12), clBlack);
  EXPECT_NE(without.GetPixel(89, 7), clBlack);
}

}  // namespace
