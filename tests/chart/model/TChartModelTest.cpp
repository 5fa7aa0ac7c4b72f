#include "chart/model/TChartModel.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/series/TChartSeries.h"

namespace {

TEST(TChartModel, HoldsItsSixAxesInOrder) {
  TChartModel chart;
  TChartAxes& axes = chart.Axes();
  EXPECT_EQ(&axes[0], &chart.BottomAxis());
  EXPECT_EQ(&axes[1], &chart.TopAxis());
  EXPECT_EQ(&axes[2], &chart.LeftAxis());
  EXPECT_EQ(&axes[3], &chart.RightAxis());
  EXPECT_EQ(&axes[4], &chart.DepthAxis());
  EXPECT_EQ(&axes[5], &chart.DepthTopAxis());
  EXPECT_TRUE(chart.BottomAxis().Horizontal());
  EXPECT_FALSE(chart.RightAxis().Horizontal());
  EXPECT_FALSE(chart.DepthAxis().Visible());
  for (TChartAxis& axis : axes) {
    EXPECT_TRUE(axis.Automatic() && axis.AutomaticMinimum() && axis.AutomaticMaximum());
  }
}

// A step: which flag is set to what; then the expected three flags and
// whether a repaint was requested.
struct FlagStep {
  char flag;  // 'A' Automatic, 'n' AutomaticMinimum, 'x' AutomaticMaximum
  bool value;
  bool automatic;
  bool minimum;
  bool maximum;
  bool repaint;
};

struct CascadeCase {
  const char* name;
  bool loading;
  std::vector<FlagStep> steps;
};

class AutomaticCascade : public testing::TestWithParam<CascadeCase> {};

TEST_P(AutomaticCascade, KeepsTheThreeFlagsConsistent) {
  TChartModel chart;
  TChartAxis& axis = chart.LeftAxis();
  std::optional<TChartLoading> loading;
  if (GetParam().loading) {
    loading.emplace(chart);
  }
  for (const FlagStep& step : GetParam().steps) {
    const long before = chart.RepaintRequestCount();
    if (step.flag == 'A') {
      axis.SetAutomatic(step.value);
    }
    if (step.flag == 'n') {
      axis.SetAutomaticMinimum(step.value);
    }
    if (step.flag == 'x') {
      axis.SetAutomaticMaximum(step.value);
    }
    EXPECT_EQ(axis.Automatic(), step.automatic);
    EXPECT_EQ(axis.AutomaticMinimum(), step.minimum);
    EXPECT_EQ(axis.AutomaticMaximum(), step.maximum);
    EXPECT_EQ(chart.RepaintRequestCount() > before, step.repaint);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, AutomaticCascade,
    testing::Values(CascadeCase{"AutomaticOffSwitchesBothEnds",
                                false,
                                {{'A', false, false, false, false, true}, {'A', true, true, true, true, true}}},
                    CascadeCase{"AnEndOffMakesTheAxisManual",
                                false,
                                {{'n', false, false, false, true, true},
                                 {'x', false, false, false, false, true},
                                 {'n', true, false, true, false, true},
                                 {'x', true, true, true, true, true}}},
                    CascadeCase{"SettingTheSameValueRequestsNothing",
                                false,
                                {{'A', true, true, true, true, false}, {'x', true, true, true, true, false}}},
                    CascadeCase{"WhileLoadingAutomaticStoresItselfOnly",
                                true,
                                {{'A', false, false, true, true, true}, {'n', false, false, false, true, true}}}),
    [](const auto& test) { return test.param.name; });

TEST(TChartModel, ResetToAutomaticRestoresEveryAxis) {
  TChartModel chart;
  chart.LeftAxis().SetAutomaticMinimum(false);
  chart.DepthAxis().SetAutomatic(false);
  chart.Axes().ResetToAutomatic();
  for (TChartAxis& axis : chart.Axes()) {
    EXPECT_TRUE(axis.Automatic() && axis.AutomaticMinimum() && axis.AutomaticMaximum());
  }
  const long before = chart.RepaintRequestCount();
  chart.Axes().ResetToAutomatic();
  EXPECT_EQ(chart.RepaintRequestCount(), before) << "nothing changed, nothing to repaint";
}

struct TitleCase {
  const char* name;
  std::string text;
  std::vector<std::string> lines;
};

class TitleText : public testing::TestWithParam<TitleCase> {};

TEST_P(TitleText, SplitsAtEveryLineEnd) {
  TChartModel chart;
  chart.Title().SetText("old");
  chart.Title().SetText(GetParam().text);
  EXPECT_EQ(chart.Title().Text(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Texts, TitleText,
                         testing::Values(TitleCase{"Plain", "Lambda", {"Lambda"}},
                                         TitleCase{"TrailingCrLf", "Lambda\r\n", {"Lambda"}},
                                         TitleCase{"TrailingLf", "Lambda\n", {"Lambda"}},
                                         TitleCase{"Lf", "a\nb", {"a", "b"}}, TitleCase{"Cr", "a\rb", {"a", "b"}},
                                         TitleCase{"CrLfBetween", "a\r\nb", {"a", "b"}},
                                         TitleCase{"LfCr", "a\n\rb", {"a", "", "b"}},
                                         TitleCase{"EmptyLineInside", "a\n\nb\n", {"a", "", "b"}},
                                         TitleCase{"LoneLineEnd", "\n", {""}}, TitleCase{"Empty", "", {}}),
                         [](const auto& test) { return test.param.name; });

TEST(TChartModel, TitleRequestsARepaintOnlyWhenItsLinesChange) {
  TChartModel chart;
  chart.Title().SetText("Lambda");
  const long before = chart.RepaintRequestCount();
  chart.Title().SetText("Lambda\r\n");
  EXPECT_EQ(chart.RepaintRequestCount(), before);
  chart.Title().SetText("RPM");
  EXPECT_EQ(chart.RepaintRequestCount(), before + 1);
}

TEST(TChartModel, SeriesTakeTheFirstFreePaletteColour) {
  TChartModel chart;
  TChartSeries first;
  TChartSeries second;
  chart.SeriesList().Add(first);
  chart.SeriesList().Add(second);
  EXPECT_EQ(first.SeriesColor(), clRed);
  EXPECT_EQ(second.SeriesColor(), clGreen);
  EXPECT_EQ(chart.FreeSeriesColor(false, &first), clRed) << "the skipped series does not hold its colour";
}

TEST(TChartModel, AutomaticColourAvoidsTheBackgrounds) {
  TChartModel chart;
  chart.SetColor(clRed);
  chart.BackWall().SetColor(clGreen);
  TChartSeries series;
  chart.SeriesList().Add(series);
  EXPECT_EQ(series.SeriesColor(), clYellow);
}

TEST(TChartModel, FreeSeriesColorGivesTheLastTriedWhenAllAreTaken) {
  TChartModel chart;
  chart.SetColorPalette({clBlack, clWhite});
  TChartSeries a;
  TChartSeries b;
  chart.SeriesList().Add(a);
  chart.SeriesList().Add(b);
  EXPECT_EQ(chart.FreeSeriesColor(false, nullptr), clWhite);
}

TEST(TChartModel, DefaultPaletteWrapsAfterTwentyColours) {
  TChartModel chart;
  EXPECT_EQ(chart.PaletteColor(3), clBlue);
  EXPECT_EQ(chart.PaletteColor(19), clMedGray);
  EXPECT_EQ(chart.PaletteColor(20), clRed);
}

TEST(TChartModel, SeriesListAddsOnceAndRemoves) {
  TChartModel chart;
  TChartSeries series;
  chart.SeriesList().Add(series);
  const long before = chart.RepaintRequestCount();
  chart.SeriesList().Add(series);
  EXPECT_EQ(chart.SeriesList().Count(), 1);
  EXPECT_EQ(chart.RepaintRequestCount(), before) << "adding it again changes nothing";
  chart.SeriesList().Delete(-1);
  chart.SeriesList().Delete(1);
  EXPECT_EQ(chart.SeriesList().Count(), 1);
  chart.SeriesList().Delete(0);
  EXPECT_EQ(chart.SeriesList().Count(), 0);
  EXPECT_EQ(series.ParentChart(), nullptr);
  EXPECT_EQ(series.ResolvedVertAxis(), nullptr);
}

TEST(TChartModel, SeriesMovesBetweenChartsAndOutlivesThem) {
  TChartSeries series;
  {
    TChartModel first;
    TChartModel second;
    first.SeriesList().Add(series);
    second.SeriesList().Add(series);
    EXPECT_EQ(first.SeriesList().Count(), 0);
    EXPECT_EQ(series.ParentChart(), &second);
  }
  EXPECT_EQ(series.ParentChart(), nullptr);
  series.AppendValue(1, "", clBlue);  // no chart left to ask for a repaint
}

TEST(TChartModel, RequestsWhileRepaintIsSuspendedAreDropped) {
  TChartModel chart;
  EXPECT_TRUE(chart.RepaintEnabled());
  const long before = chart.RepaintRequestCount();
  {
    TRepaintSuspension suspension(chart);
    chart.Title().SetText("x");
    EXPECT_FALSE(chart.RepaintEnabled());
  }
  EXPECT_TRUE(chart.RepaintEnabled());
  EXPECT_EQ(chart.RepaintRequestCount(), before);
}

}  // namespace
