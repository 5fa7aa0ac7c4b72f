// The line drawn with segments joined column by column must be the line
// drawn segment by segment, pixel for pixel, and leave the surface and the
// series in the same state.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tests/SampleLogs.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/SamePicture.h"

namespace {

struct Picture {
  TPicture Image;
  TPen Pen;
  TBrush Brush;
};

// How the axes show the series.
struct View {
  const char* Name;
  // Fractions of the X range shown; the Y range is the data's, widened or
  // narrowed by YScale around its middle.
  double XFrom = 0;
  double XTo = 1;
  double YScale = 1;
  bool InvertX = false;
  bool InvertY = false;
  bool Clip = true;
  bool KeepPointBeyondEdge = true;
  bool LogY = false;
};

const View Views[] = {
    {"FullRange"},
    {"OnePercent", 0.42, 0.43},
    {"FewPoints", 0.5, 0.5004},
    {"YRangeCutsTheLine", 0, 1, 0.3},
    {"LineFarOutsideY", 0, 1, 1e-9},
    {"InvertedX", 0, 1, 1, true},
    {"InvertedY", 0.1, 0.6, 1, false, true},
    {"BothInvertedZoomed", 0.3, 0.31, 0.8, true, true},
    {"Unclipped", 0.2, 0.9, 0.7, false, false, false},
    // Columns of a hundred points or so, whose blocks straddle columns.
    {"HalfTheLog", 0.1, 0.6},
    {"LogarithmicY", 0, 1, 1, false, false, true, true, true},
    {"LogarithmicInvertedXY", 0.05, 0.9, 0.5, true, true, true, true, true},
    // Narrower than the gap between two points, without the point beyond the
    // right edge: nothing is visible.
    {"EmptyRange", 0.4321, 0.4321, 1, false, false, true, false},
    {"EmptyRangeInverted", 0.4321, 0.4321, 1, true, false, true, false},
};

// A pane with one line series over the plot of a real pane.
class Pane : public TLineSeriesPane {
public:
  Pane() { Series.SetSeriesColor(clBlue); }

  void Show(const View& view) {
    const double firstX = Series.MinimumX();
    const double lastX = Series.MaximumX();
    Chart.BottomAxis().SetAxisRange(firstX + (lastX - firstX) * view.XFrom, firstX + (lastX - firstX) * view.XTo);
    const auto [low, high] = FiniteYRange();
    Chart.LeftAxis().SetLogarithmic(false);
    if (view.LogY) {
      // Values at or below 0 sit on the axis' end, out of order with the
      // small positive ones.
      Chart.LeftAxis().SetAxisRange(std::max(low, 1e-3), std::max(high, 2.0));
    } else {
      const double middle = (low + high) / 2;
      const double half = (high - low) / 2 * view.YScale;
      Chart.LeftAxis().SetAxisRange(middle - half, middle + half);
    }
    Chart.LeftAxis().SetLogarithmic(view.LogY);
    Chart.BottomAxis().SetInverted(view.InvertX);
    Chart.LeftAxis().SetInverted(view.InvertY);
    LayOutAxes();
    clip_ = view.Clip;
    Series.SetKeepPointBeyondEdge(view.KeepPointBeyondEdge);
  }

  Picture Draw(bool mergeColumns) {
    TPaneSurface drawing;
    TBufferedCanvas3D& surface = drawing.Surface;
    surface.FillRectangle(kPaneBounds);
    if (clip_) {
      drawing.ClipToPlot(Plot);
    }
    Series.MergeColumns = mergeColumns;
    Series.ComputeVisibleRange(Plot);
    Series.DrawAllPoints(surface, Plot);
    return {PictureOf(surface.Canvas()), surface.Pen, surface.Brush};
  }

private:
  std::pair<double, double> FiniteYRange() const {
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (int i = 0; i < Series.PointCount(); ++i) {
      if (std::isfinite(Series.YValueAt(i))) {
        low = std::min(low, Series.YValueAt(i));
        high = std::max(high, Series.YValueAt(i));
      }
    }
    return low <= high ? std::pair{low, high} : std::pair{0.0, 1.0};
  }

  bool clip_ = true;
};

int InkCount(const Picture& picture) {
  int ink = 0;
  for (TColor pixel : picture.Image.Pixels) {
    ink += pixel != clWhite;
  }
  return ink;
}

void ExpectSamePicture(Pane& pane, const View& view) {
  pane.Show(view);
  const Picture bySegment = pane.Draw(false);
  const Picture merged = pane.Draw(true);
  EXPECT_TRUE(SamePicture(merged.Image, bySegment.Image, view.Name));
  EXPECT_EQ(merged.Pen, bySegment.Pen) << view.Name;
  EXPECT_EQ(merged.Brush, bySegment.Brush) << view.Name;
}

using Generator = std::function<void(TLineSeries&, std::mt19937&)>;

struct DataCase {
  const char* Name;
  Generator Fill;
};

int RandomCount(std::mt19937& random) { return std::uniform_int_distribution<int>(2, 20000)(random); }

void AddWalk(TLineSeries& series, std::mt19937& random, double step) {
  std::normal_distribution<double> move(0, step);
  double y = 0;
  for (int i = RandomCount(random); i > 0; --i) {
    y += move(random);
    series.AppendValue(y, "", clBlue);
  }
}

// Long enough for runs of many points in one column at most views.
constexpr int DenseCount = 60000;
// X values between points, or at one, in the middle and a fifth of the way.
constexpr double MiddleX = DenseCount / 2.0;
constexpr double FifthX = DenseCount / 5.0;

void AddDense(TLineSeries& series, const std::function<double(int)>& value) {
  for (int i = 0; i < DenseCount; ++i) {
    series.AppendValue(value(i), "", clBlue);
  }
}

const DataCase DataCases[] = {
    {"RandomWalk", [](TLineSeries& s, std::mt19937& r) { AddWalk(s, r, 1); }},
    // Hundreds of points per column, as in a long log at full range.
    {"DenseWalk",
     [](TLineSeries& s, std::mt19937& r) {
       std::normal_distribution<double> move(0, 1);
       double y = 0;
       for (int i = 200000; i > 0; --i) {
         y += move(r);
         s.AppendValue(y, "", clBlue);
       }
     }},
    {"SmallSteps", [](TLineSeries& s, std::mt19937& r) { AddWalk(s, r, 0.01); }},
    {"Jumps",
     [](TLineSeries& s, std::mt19937& r) {
       std::uniform_real_distribution<double> value(-1000, 1000);
       for (int i = RandomCount(r); i > 0; --i) {
         s.AppendValue(value(r), "", clBlue);
       }
     }},
    {"RepeatedValues",
     [](TLineSeries& s, std::mt19937& r) {
       std::uniform_int_distribution<int> level(0, 5);
       std::uniform_int_distribution<int> run(1, 300);
       for (int i = RandomCount(r); i > 0;) {
         const double y = level(r);
         for (int n = run(r); n > 0 && i > 0; --n, --i) {
           s.AppendValue(y, "", clBlue);
         }
       }
     }},
    {"Flat",
     [](TLineSeries& s, std::mt19937& r) {
       for (int i = RandomCount(r); i > 0; --i) {
         s.AppendValue(3.5, "", clBlue);
       }
     }},
    {"ExtremeValues",
     [](TLineSeries& s, std::mt19937& r) {
       const double values[] = {0, 1, -1, 1e300, -1e300, 1e-300, std::numeric_limits<double>::max(), 5e7};
       std::uniform_int_distribution<int> pick(0, std::size(values) - 1);
       for (int i = RandomCount(r); i > 0; --i) {
         s.AppendValue(values[pick(r)], "", clBlue);
       }
     }},
    {"DenseJumps",
     [](TLineSeries& s, std::mt19937& r) {
       std::uniform_real_distribution<double> value(-1000, 1000);
       AddDense(s, [&](int) { return value(r); });
     }},
    // Long runs on one pixel row, which the summary skips whole.
    {"DenseLevels",
     [](TLineSeries& s, std::mt19937& r) {
       std::uniform_int_distribution<int> level(0, 3);
       std::uniform_int_distribution<int> run(1, 3000);
       double y = 0;
       int left = 0;
       AddDense(s, [&](int) {
         if (left-- == 0) {
           y = level(r);
           left = run(r);
         }
         return y;
       });
     }},
    {"DensePositiveSpikes",
     [](TLineSeries& s, std::mt19937& r) {
       std::exponential_distribution<double> value(0.1);
       AddDense(s, [&](int) { return 1e-3 + value(r); });
     }},
    {"DenseWithNonFiniteValues",
     [](TLineSeries& s, std::mt19937& r) {
       const double odd[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity()};
       std::uniform_int_distribution<int> pick(0, 2000);
       std::normal_distribution<double> move(0, 1);
       double y = 0;
       AddDense(s, [&](int) {
         const int p = pick(r);
         y += move(r);
         return p < 3 ? odd[p] : y;
       });
     }},
    {"NullPoints",
     [](TLineSeries& s, std::mt19937& r) {
       std::bernoulli_distribution isNull(0.05);
       std::normal_distribution<double> move(0, 1);
       double y = 0;
       for (int i = RandomCount(r); i > 0; --i) {
         y += move(r);
         if (isNull(r)) {
           s.AddNullPoint(s.PointCount(), y, "");
         } else {
           s.AppendValue(y, "", clBlue);
         }
       }
     }},
    // Long runs in one column broken by single null points and runs of them.
    {"DenseNullPoints",
     [](TLineSeries& s, std::mt19937& r) {
       std::bernoulli_distribution isNull(0.002);
       std::uniform_int_distribution<int> nullRun(1, 200);
       std::normal_distribution<double> move(0, 1);
       double y = 0;
       int nulls = 0;
       for (int i = 0; i < DenseCount; ++i) {
         y += move(r);
         nulls = nulls > 0 ? nulls - 1 : (isNull(r) ? nullRun(r) : 0);
         if (nulls > 0) {
           s.AddNullPoint(i, y, "");
         } else {
           s.AppendValue(y, "", clBlue);
         }
       }
     }},
    {"UnevenAndEqualX",
     [](TLineSeries& s, std::mt19937& r) {
       std::uniform_int_distribution<int> gap(0, 3);
       std::normal_distribution<double> move(0, 1);
       double x = 0;
       double y = 0;
       for (int i = RandomCount(r); i > 0; --i) {
         x += gap(r) * 0.5;
         y += move(r);
         s.AddPoint(x, y, "", clBlue);
       }
     }},
};

class MergedColumns : public testing::TestWithParam<DataCase> {};

TEST_P(MergedColumns, DrawTheSamePixelsAsSegmentBySegment) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    Pane pane;
    GetParam().Fill(pane.Series, random);
    for (const View& view : Views) {
      ExpectSamePicture(pane, view);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Data, MergedColumns, testing::ValuesIn(DataCases),
                         [](const auto& test) { return test.param.Name; });

// Edits after a paint, which built the summary of the values: each is
// followed by a paint that must see the edited points.
struct EditCase {
  const char* Name;
  std::function<void(TLineSeries&)> Edit;
};

const EditCase EditCases[] = {
    {"AppendMore",
     [](TLineSeries& s) {
       std::mt19937 random(7);
       AddWalk(s, random, 50);
     }},
    {"DeleteOnePoint", [](TLineSeries& s) { s.DeletePoint(DenseCount / 3); }},
    {"DeleteARun", [](TLineSeries& s) { s.DeletePoints(DenseCount / 4, 5000, false); }},
    {"DeleteARunAndRenumber", [](TLineSeries& s) { s.DeletePoints(100, 777, true); }},
    {"InsertInTheMiddle", [](TLineSeries& s) { s.AddPoint(MiddleX + 0.5, 1e4, "", clBlue); }},
    {"InsertAtTheStart", [](TLineSeries& s) { s.AddPoint(-1, -1e4, "", clBlue); }},
    {"ChangeAValueInPlace",
     [](TLineSeries& s) {
       s.DeletePoint(static_cast<int>(FifthX));
       s.AddPoint(FifthX, -5e3, "", clBlue);
     }},
    {"NullPointAdded", [](TLineSeries& s) { s.AddNullPoint(MiddleX + 0.25, 0, ""); }},
    {"OnePointInAnotherColor", [](TLineSeries& s) { s.AddPoint(MiddleX + 0.25, 0, "", clRed); }},
};

class MergedColumnsAfterEdit : public testing::TestWithParam<EditCase> {};

TEST_P(MergedColumnsAfterEdit, DrawTheSamePixelsAsSegmentBySegment) {
  std::mt19937 random(3);
  Pane pane;
  std::normal_distribution<double> move(0, 1);
  double y = 0;
  AddDense(pane.Series, [&](int) { return y += move(random); });
  pane.Show(Views[0]);
  pane.Draw(true);
  GetParam().Edit(pane.Series);
  for (const View& view : Views) {
    ExpectSamePicture(pane, view);
  }
}

INSTANTIATE_TEST_SUITE_P(Edits, MergedColumnsAfterEdit, testing::ValuesIn(EditCases),
                         [](const auto& test) { return test.param.Name; });

// Columns of thousands of points, where the walk takes whole groups of
// blocks from the upper levels of the summary: appended in runs that end
// inside a group, with a paint after each, and one point replaced inside a
// block after the summary was built.
TEST(MergedColumnsOfThousandsOfPoints, DrawTheSamePixelsAsSegmentBySegment) {
  const View views[] = {Views[0], {"ThreeQuarters", 0.2, 0.95}, {"InvertedX", 0, 1, 1, true}};
  std::mt19937 random(11);
  std::normal_distribution<double> move(0, 1);
  double y = 0;
  Pane pane;
  for (const int run : {1000003, 777777, 1234567}) {
    std::vector<double> ys(static_cast<std::size_t>(run));
    for (double& value : ys) {
      value = y += move(random);
    }
    pane.Series.AppendValues(ys, clBlue);
    for (const View& view : views) {
      ExpectSamePicture(pane, view);
    }
  }
  const int replaced = 1500037;
  pane.Series.DeletePoint(replaced);
  pane.Series.AddPoint(replaced, y + 1e4, "", clBlue);
  ASSERT_EQ(pane.Series.YValueAt(replaced), y + 1e4);
  for (const View& view : views) {
    ExpectSamePicture(pane, view);
  }
}

class MergedColumnsOnSampleLog : public testing::TestWithParam<std::string> {};

// The number after the comma of every line after the header; lines with a
// text there (the logs have some) are left out.
void LoadSample(TLineSeries& series, const std::string& name) {
  std::ifstream file(SampleLogPath(name));
  std::string line;
  std::getline(file, line);
  while (std::getline(file, line)) {
    const char* text = line.c_str() + line.find(',') + 1;
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end != text) {
      series.AppendValue(value, "", clBlue);
    }
  }
}

TEST_P(MergedColumnsOnSampleLog, DrawsTheSamePixelsAsSegmentBySegment) {
  Pane pane;
  LoadSample(pane.Series, GetParam());
  ASSERT_GT(pane.Series.PointCount(), 1000);
  pane.Show(Views[0]);
  EXPECT_GT(InkCount(pane.Draw(true)), kPaneWidth / 2);
  for (const View& view : Views) {
    ExpectSamePicture(pane, view);
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, MergedColumnsOnSampleLog, testing::ValuesIn(kSampleLogNames), [](const auto& test) {
  std::string name = test.param;
  std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
  return name;
});

}  // namespace
