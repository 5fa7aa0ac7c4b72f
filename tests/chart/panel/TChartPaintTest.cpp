#include <gtest/gtest.h>

#include "chart/panel/TChart.h"
#include "chart/series/TLineSeries.h"
#include "gui/TFont.h"
#include "gui/TRasterCanvas.h"
#include "tests/runtime/LocaleScope.h"

namespace {

// A pane-sized chart with the viewer's margins, no title and, unless a test
// adds them, no axes: its plot rectangle is what the margins leave.
struct BareChart {
  TChart Chart;

  BareChart() {
    Chart.SetBounds(0, 0, 728, 129);
    Chart.SetMarginLeft(0);
    Chart.SetMarginTop(1);
    Chart.SetMarginRight(0);
    Chart.SetMarginBottom(5);
    Chart.SetAxisVisible(false);
    Chart.Title().Font.SetName(FakeFontName);
  }

  TRect Paint() {
    Chart.Refresh();
    return Chart.PlotRect;
  }
  TColor Pixel(int x, int y) { return Chart.Screen().GetPixel(x, y); }
};

TEST(TChartLayout, PlotRectangleFromTheMargins) {
  const struct {
    TChartUnits Units = muPercent;
    int Top = 0;
    int Bottom = 0;
    TRect Expected;
  } cases[] = {
      {muPercent, 1, 5, {1, 2, 727, 122}},                                          // 129 / 100 = 1, 645 / 100 = 6
      {muPixels, 1, 5, {1, 2, 727, 123}},    {muPixels, 70, 67, {1, 71, 727, 72}},  // negative height: one pixel
      {muPixels, 60, 67, {1, 61, 727, 190}},                                        // zero height: the control's height
      {muPercent, 60, 60, {1, 78, 727, 79}},
  };
  for (const auto& c : cases) {
    BareChart bare;
    bare.Chart.SetMarginUnits(c.Units);
    bare.Chart.SetMarginTop(c.Top);
    bare.Chart.SetMarginBottom(c.Bottom);
    EXPECT_EQ(bare.Paint(), c.Expected) << c.Top << "/" << c.Bottom;
    EXPECT_EQ(bare.Chart.PanelRect, (TRect{0, 0, 728, 129}));
  }
}

TEST(TChartLayout, TitleBoxesTakeTheirLinesAndAGap) {
  const struct {
    const char* Text = "";
    int PlotTop = 0;
    TRect Box;
  } cases[] = {
      {"", 2, {}},
      {"AB", 2 + 13 + 8, {355, 2, 373, 17}},
      {"AB\nCD", 2 + 26 + 8, {355, 2, 373, 30}},
  };
  for (const auto& c : cases) {
    BareChart bare;
    bare.Chart.Title().SetText(c.Text);
    EXPECT_EQ(bare.Paint().Top, c.PlotTop) << c.Text;
    EXPECT_EQ(bare.Chart.Title().Box, c.Box) << c.Text;
  }
}

TEST(TChartLayout, TitleLinesAreDrawnOneBelowTheOther) {
  BareChart bare;
  bare.Chart.Title().SetText("AB\nCD");
  bare.Paint();
  // The first glyph of each line at x 358; line tops at 3 and 16.
  EXPECT_EQ(bare.Pixel(358, 3), clBlue);
  EXPECT_EQ(bare.Pixel(358, 15), clBlue);
  EXPECT_EQ(bare.Pixel(358, 16), clBlue);
  EXPECT_NE(bare.Pixel(358, 2), clBlue);
  EXPECT_NE(bare.Pixel(358, 29), clBlue);
}

TEST(TChartLayout, TitleShadowWidensTheGapOfAnOpaqueTitle) {
  const struct {
    bool Transparent;
    int ShadowHeight;
    int PlotTop;
  } cases[] = {{true, 3, 23}, {false, 0, 23}, {false, 3, 26}, {false, -2, 21}};
  for (const auto& c : cases) {
    BareChart bare;
    bare.Chart.Title().SetText("AB");
    bare.Chart.Title().SetTransparent(c.Transparent);
    bare.Chart.Title().Shadow.SetVertSize(c.ShadowHeight);
    EXPECT_EQ(bare.Paint().Top, c.PlotTop) << c.Transparent << " " << c.ShadowHeight;
  }
}

TEST(TChartLayout, PanelBorderIsHiddenWithFlatEnds) {
  BareChart bare;
  EXPECT_FALSE(bare.Chart.Border().Visible());
  EXPECT_EQ(bare.Chart.Border().EndStyle(), esFlat);
}

TEST(TChartLayout, InvisibleTitleTakesNoRoom) {
  BareChart bare;
  bare.Chart.Title().SetText("Parametr");
  bare.Chart.Title().SetVisible(false);
  EXPECT_EQ(bare.Paint().Top, 2);
}

TEST(TChartPainting, BackWallFrameLiesOnThePlotEdges) {
  BareChart bare;
  const TRect plot = bare.Paint();
  for (int x : {plot.Left, plot.Left + 100, plot.Right}) {
    EXPECT_EQ(bare.Pixel(x, plot.Top), clBlack) << x;
    EXPECT_EQ(bare.Pixel(x, plot.Bottom), clBlack) << x;
  }
  for (int y : {plot.Top + 1, plot.Top + 50, plot.Bottom - 1}) {
    EXPECT_EQ(bare.Pixel(plot.Left, y), clBlack) << y;
    EXPECT_EQ(bare.Pixel(plot.Right, y), clBlack) << y;
    EXPECT_NE(bare.Pixel(plot.Left + 1, y), clBlack) << y;
  }
  EXPECT_NE(bare.Pixel(plot.Left, plot.Bottom + 1), clBlack);
}

TEST(TChartPainting, RepaintOnlyOnAChangeAndNeverFromPainting) {
  BareChart bare;
  bare.Paint();
  EXPECT_FALSE(bare.Chart.PictureStale());
  const long requests = bare.Chart.RepaintRequestCount();
  bare.Chart.SetMarginTop(1);
  EXPECT_EQ(bare.Chart.RepaintRequestCount(), requests);
  EXPECT_FALSE(bare.Chart.PictureStale());
  bare.Chart.SetMarginTop(2);
  EXPECT_EQ(bare.Chart.RepaintRequestCount(), requests + 1);
  EXPECT_TRUE(bare.Chart.PictureStale());

  bare.Chart.OnAfterDraw = [](TCustomChartPanel& sender) { static_cast<TChart&>(sender).SetMarginTop(7); };
  bare.Paint();
  EXPECT_EQ(bare.Chart.MarginTop(), 7);
  EXPECT_FALSE(bare.Chart.PictureStale());
}

TEST(TChartPainting, KeptPictureIsShownWithoutPaintingAgain) {
  BareChart bare;
  bare.Paint();
  const long paints = bare.Chart.PaintCount();
  bare.Chart.Repaint();
  EXPECT_EQ(bare.Chart.PaintCount(), paints);
  bare.Chart.SetMarginLeft(3);
  bare.Chart.Repaint();
  EXPECT_EQ(bare.Chart.PaintCount(), paints + 1);
}

// The right axis of a pane in the picture: 0 to 5 over 110 pixels.
TEST(TChartPainting, RightAxisInThePicture) {
  const LocaleScope locale('.', ',');
  BareChart bare;
  bare.Chart.SetAxisVisible(true);
  bare.Chart.SetMarginUnits(muPixels);
  bare.Chart.SetMarginTop(19);
  bare.Chart.SetMarginBottom(0);
  bare.Chart.SetBounds(0, 0, 728, 131);
  TLineSeries series;
  series.SetVertAxis(aRightAxis);
  bare.Chart.SeriesList().Add(series);
  for (double value : {0.0, 5.0}) {
    series.AppendValue(value, "", clBlue);
  }
  TChartAxis& axis = bare.Chart.RightAxis();
  axis.LabelsFont.SetName(FakeFontName);
  axis.Grid.SetSmallDots(true);
  bare.Chart.BottomAxis().SetVisible(false);
  const TRect plot = bare.Paint();

  ASSERT_EQ(axis.TickPixels, (std::vector<int>{20, 42, 64, 86, 108, 130}));
  EXPECT_EQ(plot.Right, 727 - 12 - 7);
  EXPECT_EQ(axis.LabelsEdge, plot.Right + 7);
  for (int row : axis.TickPixels) {
    for (int x = axis.LinePos + 1; x <= axis.LinePos + 4; ++x) {
      EXPECT_EQ(bare.Pixel(x, row), clGray) << x << "," << row;
    }
    EXPECT_NE(bare.Pixel(axis.LinePos + 5, row), clGray);
  }
  // Grid dots on every other pixel, inside the plot only.
  EXPECT_EQ(bare.Pixel(plot.Left + 1, 42), clGray);
  EXPECT_NE(bare.Pixel(plot.Left + 2, 42), clGray);
  EXPECT_EQ(bare.Pixel(plot.Left + 3, 42), clGray);
  EXPECT_NE(bare.Pixel(plot.Left + 1, 41), clGray);
  // The label "5": a glyph of the fixed font, its top 6 pixels above its tick.
  EXPECT_EQ(bare.Pixel(axis.LabelsEdge, 14), clBlack);
  EXPECT_EQ(bare.Pixel(axis.LabelsEdge + 4, 26), clBlack);
  EXPECT_NE(bare.Pixel(axis.LabelsEdge, 13), clBlack);
  EXPECT_NE(bare.Pixel(axis.LabelsEdge - 1, 14), clBlack);
}

}  // namespace
