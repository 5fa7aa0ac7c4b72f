#include "chart/axes/TChartAxis.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "chart/model/TChartModel.h"
#include "chart/series/TLineSeries.h"
#include "runtime/Exception.h"
#include "tests/support/ThrowsWithMessage.h"

namespace {

// A chart with one line series on the right axis, as every pane has.
struct PaneChart {
  TChartModel Chart;
  TLineSeries Series;
  TAxisLayoutContext Context{{1, 20, 700, 120}};

  PaneChart() {
    Series.SetVertAxis(aRightAxis);
    Chart.SeriesList().Add(Series);
  }

  void Load(std::initializer_list<double> values) {
    for (double value : values) {
      Series.AppendValue(value, "", clBlue);
    }
  }

  // The axis steps of one layout, without the room for labels.
  void Layout() {
    Chart.Axes().LayOut(Context);
    for (TChartAxis* axis : Chart.Axes().All()) {
      axis->ApplySeriesMargins(Context);
    }
  }
};

TEST(TChartAxis, WhichAxesAreShown) {
  PaneChart pane;
  pane.Chart.BottomAxis().SetVisible(false);
  pane.Layout();
  EXPECT_FALSE(pane.Chart.BottomAxis().IsShown);  // switched off
  EXPECT_FALSE(pane.Chart.TopAxis().IsShown);     // no series on it
  EXPECT_FALSE(pane.Chart.LeftAxis().IsShown);
  EXPECT_TRUE(pane.Chart.RightAxis().IsShown);   // shown even without points
  EXPECT_FALSE(pane.Chart.DepthAxis().IsShown);  // 2D

  pane.Series.SetActive(false);  // no active series: every visible axis
  pane.Layout();
  EXPECT_TRUE(pane.Chart.TopAxis().IsShown);
  EXPECT_TRUE(pane.Chart.LeftAxis().IsShown);
  EXPECT_FALSE(pane.Chart.BottomAxis().IsShown);

  pane.Context.AxisVisible = false;
  pane.Layout();
  EXPECT_FALSE(pane.Chart.RightAxis().IsShown);
}

TEST(TChartAxis, AutomaticRangeFromTheSeries) {
  PaneChart pane;
  pane.Layout();
  const TAxisScale& right = pane.Chart.RightAxis().Scale();
  EXPECT_EQ(right.ScaleMin, 0);
  EXPECT_EQ(right.ScaleMax, 0);
  EXPECT_TRUE(right.ScaleIsFlat);
  EXPECT_EQ(pane.Chart.RightAxis().ValueToPixel(12), right.MidPixel);
  EXPECT_EQ(pane.Chart.RightAxis().PixelToValue(33), 0);

  pane.Load({3, 3, 3});
  pane.Layout();
  EXPECT_EQ(right.ScaleMin, 3);
  EXPECT_EQ(right.ScaleMax, 3);
  EXPECT_EQ(pane.Chart.RightAxis().ValueToPixel(3), 70);

  pane.Load({-2, 7.5});
  pane.Layout();
  EXPECT_EQ(right.ScaleMin, -2);
  EXPECT_EQ(right.ScaleMax, 7.5);
  EXPECT_EQ(pane.Chart.BottomAxis().Scale().ScaleMin, 0);
  EXPECT_EQ(pane.Chart.BottomAxis().Scale().ScaleMax, 4);
  EXPECT_EQ(pane.Chart.RightAxis().Minimum(), -2);  // the stored ends follow
  EXPECT_EQ(right.FirstPixel, 20);
  EXPECT_EQ(right.LastPixel, 120);
}

TEST(TChartAxis, ResetToAutomaticTakesTheExtremesAgain) {
  PaneChart pane;
  pane.Load({1, 5, 2});
  pane.Chart.RightAxis().SetAxisRange(2, 3);
  pane.Chart.BottomAxis().SetAxisRange(1, 1.5);
  pane.Layout();
  EXPECT_EQ(pane.Chart.RightAxis().Scale().ScaleMax, 3);
  pane.Chart.Axes().ResetToAutomatic();
  pane.Layout();
  EXPECT_EQ(pane.Chart.RightAxis().Minimum(), 1);
  EXPECT_EQ(pane.Chart.RightAxis().Maximum(), 5);
  EXPECT_EQ(pane.Chart.BottomAxis().Minimum(), 0);
  EXPECT_EQ(pane.Chart.BottomAxis().Maximum(), 2);
}

TEST(TChartAxis, SetAxisRangeOrdersWidensAndSwitchesAutomaticOff) {
  const struct {
    double Low;
    double High;
    double Minimum;
    double Maximum;
  } cases[] = {{10, 2, 2, 10}, {4, 4, 4, 4 + MinimumAxisRange}, {-1, 1, -1, 1}};
  for (const auto& c : cases) {
    TChartModel chart;
    TChartAxis& axis = chart.LeftAxis();
    axis.SetAxisRange(c.Low, c.High);
    EXPECT_EQ(axis.Minimum(), c.Minimum);
    EXPECT_EQ(axis.Maximum(), c.Maximum);
    EXPECT_FALSE(axis.Automatic() || axis.AutomaticMinimum() || axis.AutomaticMaximum());
  }
}

TEST(TChartAxis, SetAxisRangeReachesTheCustomAxesItMasters) {
  TChartModel chart;
  TChartAxis& follower = chart.Axes().AddCustomAxis();
  TChartAxis& other = chart.Axes().AddCustomAxis();
  follower.SetMaster(&chart.LeftAxis());
  chart.LeftAxis().SetAxisRange(3, 9);
  EXPECT_EQ(follower.Minimum(), 3);
  EXPECT_EQ(follower.Maximum(), 9);
  EXPECT_TRUE(other.Automatic());
}

TEST(TChartAxis, ValidatingSettersKeepTheOldValue) {
  TChartModel chart;
  TChartAxis& axis = chart.LeftAxis();
  axis.SetAxisRange(0, 5);
  const struct {
    std::function<void()> Set;
    std::string Message;
  } cases[] = {
      {[&] { axis.SetMinimum(7); }, "Axis Minimum Value must be <= Maximum"},
      {[&] { axis.SetMaximum(-1); }, "Axis Maximum Value must be >= Minimum"},
      {[&] { axis.SetIncrement(-0.5); }, "Axis increment must be >= 0"},
      {[&] { axis.SetLogarithmicBase(1); }, "Axis Logarithmic Base should be <> 1 and > 0"},
      {[&] { axis.SetLogarithmicBase(0); }, "Axis Logarithmic Base should be <> 1 and > 0"},
      {[&] { axis.SetLogarithmicBase(-2); }, "Axis Logarithmic Base should be <> 1 and > 0"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(ThrowsWithMessage<AxisException>(c.Set, c.Message));
  }
  EXPECT_EQ(axis.Minimum(), 0);
  EXPECT_EQ(axis.Maximum(), 5);
  EXPECT_EQ(axis.Increment(), 0);
  EXPECT_EQ(axis.LogarithmicBase(), 10);
  axis.SetMinimum(5);  // equal ends are allowed
  EXPECT_EQ(axis.Minimum(), 5);
}

TEST(TChartAxis, OrderIsNotCheckedWhileTheFormLoads) {
  TChartModel chart;
  const TChartLoading loading(chart);
  chart.DepthAxis().SetMinimum(3);
  EXPECT_EQ(chart.DepthAxis().Minimum(), 3);
}

TEST(TChartAxis, LogarithmicNeedsNonNegativeEnds) {
  PaneChart pane;
  pane.Load({-1, 4});
  EXPECT_TRUE(ThrowsWithMessage<AxisException>([&] { pane.Chart.RightAxis().SetLogarithmic(true); },
                                               "Logarithmic Axis Min and Max values should be >= 0"));
  EXPECT_FALSE(pane.Chart.RightAxis().Logarithmic());
  pane.Chart.RightAxis().DateTimeScale = true;
  EXPECT_THROW(pane.Chart.RightAxis().SetLogarithmic(true), AxisException);
  pane.Chart.RightAxis().DateTimeScale = false;
  pane.Chart.RightAxis().SetAxisRange(1, 100);
  pane.Chart.RightAxis().SetLogarithmic(true);
  EXPECT_TRUE(pane.Chart.RightAxis().Logarithmic());
}

TEST(TChartAxis, ShiftRangeWithAndWithoutLimits) {
  PaneChart pane;
  pane.Load({0, 10});
  TChartAxis& axis = pane.Chart.RightAxis();
  const struct {
    double Minimum;
    double Maximum;
    double Offset;
    bool CheckLimits;
    double ShiftedMinimum;
  } cases[] = {
      {0, 10, 1, true, 0},  // already at the largest value
      {0, 10, 1, false, 1}, {2, 8, 1, true, 3},
      {2, 8, -1, true, 1},  {0, 8, -1, true, 0},  // already at the smallest value
      {2, 8, 0, true, 2},
  };
  for (const auto& c : cases) {
    axis.SetAxisRange(c.Minimum, c.Maximum);
    const long before = pane.Chart.RepaintRequestCount();
    axis.ShiftRange(c.Offset, c.CheckLimits);
    const bool shifted = c.ShiftedMinimum != c.Minimum;
    EXPECT_EQ(axis.Minimum(), c.ShiftedMinimum) << c.Minimum << " by " << c.Offset;
    EXPECT_EQ(axis.Maximum() - axis.Minimum(), c.Maximum - c.Minimum);
    EXPECT_EQ(pane.Chart.RepaintRequestCount() - before, shifted ? 1 : 0);
  }
}

TEST(TChartAxis, SeriesMarginsAndOffsetsWidenTheRange) {
  const struct {
    int MinimumOffset;
    int MaximumOffset;
    bool Inverted;
    double ScaleMin;
    double ScaleMax;
  } cases[] = {
      {0, 0, false, 0, 100},         {0, 20, false, 0, 125},   // 20 pixels above the top on 100: 80 for the data
      {20, 0, false, -25, 100},      {20, 0, true, -25, 100},  // inverted: the minimum offset stays at the minimum
      {10, 10, false, -12.5, 112.5},
  };
  for (const auto& c : cases) {
    PaneChart pane;
    pane.Load({0, 100});
    TChartAxis& axis = pane.Chart.RightAxis();
    axis.SetMinimumOffset(c.MinimumOffset);
    axis.SetMaximumOffset(c.MaximumOffset);
    axis.SetInverted(c.Inverted);
    pane.Layout();
    EXPECT_DOUBLE_EQ(axis.Scale().ScaleMin, c.ScaleMin) << c.MinimumOffset << "/" << c.MaximumOffset;
    EXPECT_DOUBLE_EQ(axis.Scale().ScaleMax, c.ScaleMax);
    EXPECT_EQ(axis.Scale().FirstPixel, 20);  // the full span is kept
    EXPECT_EQ(axis.Scale().LastPixel, 120);
  }
}

TEST(TChartAxis, MarginsOfAFixedEndDoNotCount) {
  PaneChart pane;
  pane.Load({0, 100});
  TChartAxis& axis = pane.Chart.RightAxis();
  axis.SetMaximumOffset(20);
  axis.SetAxisRange(0, 100);  // both ends fixed: offsets still count
  pane.Layout();
  EXPECT_DOUBLE_EQ(axis.Scale().ScaleMax, 125);
}

TEST(TChartAxis, DepthAxesInvertTogether) {
  TChartModel chart;
  chart.DepthAxis().SetInverted(true);
  EXPECT_TRUE(chart.DepthTopAxis().Inverted());
  chart.DepthTopAxis().SetInverted(false);
  EXPECT_FALSE(chart.DepthAxis().Inverted());
}

TEST(TChartAxis, SettersRequestARepaintOnlyOnChange) {
  TChartModel chart;
  TChartAxis& axis = chart.RightAxis();
  const long start = chart.RepaintRequestCount();
  axis.SetIncrement(0);
  axis.SetStartPosition(0);
  axis.SetVisible(true);
  EXPECT_EQ(chart.RepaintRequestCount(), start);
  axis.SetIncrement(2);
  axis.SetEndPosition(90);
  EXPECT_EQ(chart.RepaintRequestCount(), start + 2);
}

}  // namespace
