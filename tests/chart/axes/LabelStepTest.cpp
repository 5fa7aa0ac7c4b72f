#include "chart/axes/LabelStep.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(NextNiceStep, GrowsToTheNextOneTwoFiveValue) {
  const struct {
    double X;
    double Expected;
  } cases[] = {{0.5556, 1}, {1, 2},       {2, 5},
               {3, 5},      {7, 10},      {12, 20},
               {55.6, 100}, {0.03, 0.05}, {std::numeric_limits<double>::infinity(), 1}};
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(NextNiceStep(c.X), c.Expected) << c.X;
  }
}

TEST(LabelCountLimit, CountsLabelsWithTheirGap) {
  EXPECT_EQ(LabelCountLimit(110, 13, 10), 8);  // gap 1, 110 / 14 = 7.86
  EXPECT_EQ(LabelCountLimit(110, 13, 0), 8);   // 110 / 13 = 8.46
  EXPECT_EQ(LabelCountLimit(5, 13, 10), 0);
  EXPECT_EQ(LabelCountLimit(110, 0, 10), 1);
  EXPECT_EQ(LabelCountLimit(70, 13, 100), 3);  // gap 13: 70 / 26 = 2.69
}

LabelStepInput VerticalLabels(double scaleMin, double scaleMax, int pixelLength) {
  LabelStepInput input;
  input.ScaleMin = scaleMin;
  input.ScaleMax = scaleMax;
  input.PixelLength = pixelLength;
  input.LabelSize = [](double) { return 13; };
  return input;
}

TEST(ComputeValueLabelStep, WorkedExamples) {
  const struct {
    double Min;
    double Max;
    int Pixels;
    int Separation;
    double Increment;
    double Expected;
  } cases[] = {
      {0, 5, 110, 10, 0, 1},
      {1000, 1500, 110, 10, 0, 100},
      {0, 5, 110, 0, 0, 5.0 / 9.0},         // no search: the start step stays
      {0, 5, 5, 10, 0, SmallestLabelStep},  // not even one label fits
      {0, 0, 110, 10, 0, 1},
      {3, 3, 110, 10, 0, 1},
      {0, 5, 110, 10, 0.25, 1},  // a wished step grows when labels do not fit
      {0, 5, 110, 10, 2, 2},
      {0, 1e308, 110, 10, 0, 2e307},
      {-1e308, 1e308, 110, 10, 0, std::numeric_limits<double>::infinity()},  // overflowed range
  };
  for (const auto& c : cases) {
    LabelStepInput input = VerticalLabels(c.Min, c.Max, c.Pixels);
    input.LabelsSeparation = c.Separation;
    input.Increment = c.Increment;
    EXPECT_DOUBLE_EQ(ComputeValueLabelStep(input), c.Expected) << c.Min << ".." << c.Max << " on " << c.Pixels;
  }
}

TEST(ComputeValueLabelStep, FewPointsKeepWholeSteps) {
  LabelStepInput input = VerticalLabels(0, 3, 200);
  EXPECT_DOUBLE_EQ(ComputeValueLabelStep(input), 0.5);
  input.HasSeriesWithAtMostPoints = [](int count) { return 4 <= count; };
  EXPECT_DOUBLE_EQ(ComputeValueLabelStep(input), 1);
}

// A base that cannot grow the step once spun the search forever.
TEST(ComputeValueLabelStep, EndsWhenTheStepNoLongerGrows) {
  for (const double base : {1.0, 0.5, 0.0, -2.0}) {
    LabelStepInput input = VerticalLabels(1, 1000, 200);
    input.Logarithmic = true;
    input.LogarithmicBase = base;
    const double step = ComputeValueLabelStep(input);
    EXPECT_FALSE(step > 1000) << base;
  }
}

TEST(ComputeValueLabelStep, AlternateRowsHalveTheStep) {
  LabelStepInput input = VerticalLabels(0, 5, 110);
  input.LabelsAlternate = true;
  EXPECT_DOUBLE_EQ(ComputeValueLabelStep(input), 0.5);
}

TEST(ComputeValueLabelStep, MeasuresTheEndsAndTheMiddle) {
  LabelStepInput input = VerticalLabels(0, 5, 110);
  std::vector<double> measured;
  input.LabelSize = [&](double value) {
    measured.push_back(value);
    return 13;
  };
  ComputeValueLabelStep(input);
  EXPECT_EQ(measured, (std::vector<double>{5, 0, 2.5}));
}

}  // namespace
