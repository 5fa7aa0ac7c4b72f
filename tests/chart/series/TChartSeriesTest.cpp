#include "chart/series/TChartSeries.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/model/TChartModel.h"
#include "chart/series/TLineSeries.h"
#include "runtime/Exception.h"
#include "tests/chart/series/FailingAllocation.h"
#include "tests/support/PointValues.h"
#include "tests/support/ThrowsWithMessage.h"

namespace {

TEST(TChartSeries, AppendValueNumbersPointsInInsertionOrder) {
  TChartSeries series;
  for (double y : {3.5, 2.0, 7.0}) {
    series.AppendValue(y, "", clBlue);
  }
  EXPECT_EQ(Xs(series), (std::vector<double>{0, 1, 2}));
  EXPECT_EQ(series.MinimumY(), 2.0);
  EXPECT_EQ(series.MaximumY(), 7.0);
  EXPECT_EQ(series.YValues().SumOfValues(), 12.5);
  EXPECT_EQ(series.StoredPointColor(2), clBlue);
  EXPECT_TRUE(series.Labels().Empty());
}

TEST(TChartSeries, AddPointKeepsXAscendingAndMovesYAlong) {
  TChartSeries series;
  EXPECT_EQ(series.AddPoint(1, 10, "", clDefault), 0);
  EXPECT_EQ(series.AddPoint(3, 30, "", clDefault), 1);
  EXPECT_EQ(series.AddPoint(2, 20, "", clDefault), 1);
  EXPECT_EQ(Xs(series), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(Ys(series), (std::vector<double>{10, 20, 30}));
  EXPECT_FALSE(series.HasColorList()) << "no colour list while every colour is the default";
}

TEST(TChartSeries, ColourListAppearsWithTheFirstStoredColour) {
  TChartSeries series;
  series.SetSeriesColor(clGreen);
  series.AddPoint(0, 0, "", clDefault);
  series.AddPoint(2, 0, "", clDefault);
  series.AddPoint(1, 0, "", clRed);
  ASSERT_TRUE(series.HasColorList());
  EXPECT_EQ(series.PointColor(0), clGreen);
  EXPECT_EQ(series.PointColor(1), clRed);
  EXPECT_EQ(series.PointColor(2), clGreen);
  series.ClearPoints();
  EXPECT_FALSE(series.HasColorList());
  series.AppendValue(1, "", clDefault);
  EXPECT_EQ(series.PointColor(0), clGreen) << "after ClearPoints the series colour shows again";
}

TEST(TChartSeries, OneStoredColourForAllIsWrittenOutForAnother) {
  TChartSeries series;
  for (int i = 0; i < 4; ++i) {
    series.AppendValue(i, "", clBlue);
  }
  EXPECT_FALSE(series.MayHaveNullPoints());
  series.AddPoint(1.5, 9, "", clRed);
  series.AddNullPoint(10, 9, "");
  const std::vector<TColor> expected{clBlue, clBlue, clRed, clBlue, clBlue, clNone};
  for (int i = 0; i < series.PointCount(); ++i) {
    EXPECT_EQ(series.StoredPointColor(i), expected[static_cast<std::size_t>(i)]) << i;
  }
  EXPECT_TRUE(series.MayHaveNullPoints());
}

struct NullPointCase {
  const char* name;
  std::function<void(TChartSeries&)> fill;
  bool mayHaveNullPoints;
};

class NullPointKnowledge : public testing::TestWithParam<NullPointCase> {};

// Line drawing skips its per-point checks only when this says no point
// can be null; a wrong "false" would draw lines through gaps.
TEST_P(NullPointKnowledge, IsFalseOnlyWithoutNullPoints) {
  TChartSeries series;
  series.SetSeriesColor(clBlue);
  GetParam().fill(series);
  EXPECT_EQ(series.MayHaveNullPoints(), GetParam().mayHaveNullPoints);
}

INSTANTIATE_TEST_SUITE_P(
    Series, NullPointKnowledge,
    testing::Values(NullPointCase{"NoColourList", [](TChartSeries& s) { s.AppendValue(1, "", clDefault); }, false},
                    NullPointCase{"AllStoredBlue", [](TChartSeries& s) { s.AppendValue(1, "", clBlue); }, false},
                    NullPointCase{"AllNull", [](TChartSeries& s) { s.AddNullPoint(0, 1, ""); }, true},
                    NullPointCase{"OneNullAmongBlue",
                                  [](TChartSeries& s) {
                                    s.AppendValue(1, "", clBlue);
                                    s.AddNullPoint(1, 1, "");
                                    s.AppendValue(1, "", clBlue);
                                  },
                                  true},
                    NullPointCase{"UnstoredTakeASeriesColourOfNone",
                                  [](TChartSeries& s) {
                                    s.SetSeriesColor(clNone);
                                    s.AppendValue(1, "", clDefault);
                                  },
                                  true},
                    NullPointCase{"NullPointDeletedAgain",
                                  [](TChartSeries& s) {
                                    s.AddNullPoint(0, 1, "");
                                    s.DeletePoint(0);
                                    s.AppendValue(1, "", clBlue);
                                  },
                                  false}),
    [](const auto& test) { return test.param.name; });

// The address space the process holds now, in bytes.
std::size_t AddressSpaceInUse() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0;
  statm >> pages;
  return pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// Runs `body` in a child process whose address space can grow by `headroom`
// bytes only; the child's wait status.
int RunWithAddressSpaceLimit(std::size_t headroom, const std::function<bool()>& body) {
  const pid_t child = fork();
  if (child == 0) {
    const rlim_t limit = AddressSpaceInUse() + headroom;
    const rlimit limits{limit, limit};
    setrlimit(RLIMIT_AS, &limits);
    _exit(body() ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return status;
}

TEST(TChartSeries, AddingAPointIsAllOrNothingWhenMemoryRunsOut) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer's shadow needs more address space than the limit leaves";
#endif
  const int status = RunWithAddressSpaceLimit(std::size_t{64} << 20, [] {
    TChartSeries series;
    int added = 0;
    try {
      // Explicit X, so that both lists grow and either may be refused.
      for (;; ++added) {
        series.AddPoint(added * 2.0, added + 0.5, "", clBlue);
      }
    } catch (const std::bad_alloc&) {
    }
    const int last = added - 1;
    return added > 1000 && series.PointCount() == added && series.YValues().ValueCount() == added &&
           series.XValueAt(last) == last * 2.0 && series.YValueAt(last) == last + 0.5 &&
           series.StoredPointColor(last) == clBlue && !series.MayHaveNullPoints();
  });
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

struct RunCase {
  const char* name;
  std::function<void(TChartSeries&)> before;  // what the series holds first
  std::vector<double> ys;
  TColor color;
};

class AppendRunTest : public testing::TestWithParam<RunCase> {};

// Bit patterns, so that NaN compares equal to itself.
std::vector<std::uint64_t> Bits(const std::vector<double>& values) {
  std::vector<std::uint64_t> v;
  v.reserve(values.size());
  for (const double value : values) {
    v.push_back(std::bit_cast<std::uint64_t>(value));
  }
  return v;
}

std::vector<TColor> StoredColors(const TChartSeries& s) {
  return EveryIndex(s.PointCount(), [&s](int i) { return s.StoredPointColor(i); });
}

// A run appended at once is what appending its values one by one makes:
// the same points, colours, statistics and null-point knowledge.
TEST_P(AppendRunTest, EqualsAppendingOneByOne) {
  const RunCase& c = GetParam();
  TChartSeries byRun;
  TChartSeries oneByOne;
  c.before(byRun);
  c.before(oneByOne);
  byRun.AppendValues(c.ys, c.color);
  for (const double y : c.ys) {
    oneByOne.AppendValue(y, "", c.color);
  }
  EXPECT_EQ(Xs(byRun), Xs(oneByOne));
  EXPECT_EQ(Bits(Ys(byRun)), Bits(Ys(oneByOne)));
  EXPECT_EQ(StoredColors(byRun), StoredColors(oneByOne));
  EXPECT_EQ(byRun.HasColorList(), oneByOne.HasColorList());
  EXPECT_EQ(byRun.MayHaveNullPoints(), oneByOne.MayHaveNullPoints());
  EXPECT_EQ(Bits({byRun.MinimumY(), byRun.MaximumY()}), Bits({oneByOne.MinimumY(), oneByOne.MaximumY()}));
  EXPECT_EQ(byRun.YValues().IsAscending(), oneByOne.YValues().IsAscending());
  EXPECT_EQ(byRun.XValues().IsSequence(), oneByOne.XValues().IsSequence());
}

const auto kNothing = [](TChartSeries&) {};
// Y values 0, 1 so far, which the Y list keeps as the sequence of indices.
const auto kFirstIndices = [](TChartSeries& s) { s.AppendValues(std::vector<double>{0, 1}, clBlue); };

INSTANTIATE_TEST_SUITE_P(
    Series, AppendRunTest,
    testing::Values(
        RunCase{"IntoEmpty", kNothing, {3.5, -2, 7}, clBlue}, RunCase{"EmptyRun", kNothing, {}, clBlue},
        RunCase{"DefaultColourMakesNoList", kNothing, {1, 2}, clDefault},
        RunCase{"YContinuingTheSequence", kNothing, {0, 1, 2, 3}, clBlue},
        RunCase{"YLeavingTheSequence", kNothing, {0, 1, 5, 3}, clBlue},
        RunCase{"YContinuingTheSequenceSoFar", kFirstIndices, {2, 3}, clBlue},
        RunCase{"YStartingTheSequenceAgain", kFirstIndices, {0, 1}, clBlue},
        RunCase{"NegativeZeroIsNoIndex", kNothing, {-0.0, 1}, clBlue},
        RunCase{"NaNAndInfinities", kNothing, {std::nan(""), INFINITY, -INFINITY}, clBlue},
        RunCase{"AfterPointsOfTheSameColour", [](TChartSeries& s) { s.AppendValue(9, "", clBlue); }, {1, 2}, clBlue},
        RunCase{"AfterPointsOfAnotherColour", [](TChartSeries& s) { s.AppendValue(9, "", clRed); }, {1, 2}, clBlue},
        RunCase{"AfterUnstoredColours", [](TChartSeries& s) { s.AppendValue(9, "", clDefault); }, {1, 2}, clBlue},
        RunCase{"NullPoints", [](TChartSeries& s) { s.AppendValue(9, "", clBlue); }, {1, 2}, clNone},
        RunCase{"AfterLabels", [](TChartSeries& s) { s.AppendValue(9, "nine", clBlue); }, {1, 2}, clBlue},
        RunCase{"AfterExplicitX", [](TChartSeries& s) { s.AddPoint(0.5, 1, "", clBlue); }, {1, 2}, clBlue},
        RunCase{"AfterXBeyondTheCount", [](TChartSeries& s) { s.AddPoint(5, 1, "", clBlue); }, {1, 2}, clBlue},
        RunCase{"DescendingX",
                [](TChartSeries& s) {
                  s.XValues().SetOrder(loDescending);
                  s.AppendValue(1, "", clBlue);
                },
                {1, 2},
                clBlue},
        RunCase{"OrderedY",
                [](TChartSeries& s) {
                  s.YValues().SetOrder(loAscending);
                  s.AppendValue(5, "", clBlue);
                },
                {9, 1},
                clBlue}),
    [](const auto& test) { return test.param.name; });

TEST(TChartSeries, ARunRequestsOneRepaintAndEveryAddEventStillSeesItsPoint) {
  TChartModel chart;
  TChartSeries series;
  chart.SeriesList().Add(series);
  const long before = chart.RepaintRequestCount();
  series.AppendValues(std::vector<double>{1, 2, 3}, clBlue);
  EXPECT_EQ(chart.RepaintRequestCount(), before + 1);
  std::vector<int> seen;
  series.OnAfterAdd = [&](TChartSeries&, int index) { seen.push_back(index); };
  series.AppendValues(std::vector<double>{4, 5}, clBlue);
  EXPECT_EQ(seen, (std::vector<int>{3, 4}));
}

TEST(TChartSeries, ARunKeepsThePointsThatFitWhenMemoryRunsOut) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer's shadow needs more address space than the limit leaves";
#endif
  const int status = RunWithAddressSpaceLimit(std::size_t{64} << 20, [] {
    TChartSeries series;
    const std::vector<double> run(100000, 0.5);
    try {
      for (;;) {
        series.AppendValues(run, clBlue);
      }
    } catch (const std::bad_alloc&) {
    }
    const int count = series.PointCount();
    // The storage grows by doubling from 1000, so the run that found no room
    // was appended in part, up to what the storage held.
    return count > 1000 && count % 100000 != 0 && series.YValues().ValueCount() == count &&
           series.XValueAt(count - 1) == count - 1 && series.YValueAt(count - 1) == 0.5 &&
           series.StoredPointColor(count - 1) == clBlue && !series.MayHaveNullPoints();
  });
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

// Each allocation of a run failing in turn: the run is taken whole or not
// at all, so X and Y keep one count and the points their values.
TEST(TChartSeries, ARunIsAllOrNothingWhicheverAllocationFails) {
  const std::vector<double> first(5000, 0.5);
  const std::vector<double> run(100000, 0.25);
  for (long long allowed = 0;; ++allowed) {
    SCOPED_TRACE("allocation " + std::to_string(allowed) + " fails");
    TChartSeries series;
    series.AppendValues(first, clBlue);
    FailAllocationAfter(allowed);
    try {
      series.AppendValues(run, clBlue);
    } catch (const std::bad_alloc&) {
    }
    const bool failed = AllocationFailed();
    const int count = series.PointCount();
    ASSERT_EQ(series.YValues().ValueCount(), count);
    ASSERT_GE(count, 5000);
    EXPECT_EQ(series.XValueAt(count - 1), count - 1);
    EXPECT_EQ(series.YValueAt(count - 1), count > 5000 ? 0.25 : 0.5);
    EXPECT_EQ(series.YValues().SumOfValues(), 2500 + (count - 5000) * 0.25);
    if (!failed) {
      break;
    }
  }
}

TEST(TChartSeries, LabelsPadAndMoveWithTheirPoints) {
  TChartSeries series;
  series.AddPoint(0, 0, "", clDefault);
  series.AddPoint(5, 0, "five", clDefault);
  series.AddPoint(3, 0, "", clDefault);
  EXPECT_EQ(series.Label(0), "");
  EXPECT_EQ(series.Label(1), "");
  EXPECT_EQ(series.Label(2), "five");
  EXPECT_EQ(series.Label(9), "");
  series.DeletePoint(1);
  EXPECT_EQ(series.Label(1), "five");
}

TEST(TChartSeries, NullPointsAreThoseColouredNone) {
  TChartSeries series;
  series.AddNullPoint(0, 1, "");
  series.AppendValue(2, "", clDefault);
  EXPECT_TRUE(series.IsNullPoint(0));
  EXPECT_FALSE(series.IsNullPoint(1));
}

TEST(TChartSeries, ColorEachPointTakesThePalette) {
  TChartSeries series;
  series.SetColorEachPoint(true);
  for (int i = 0; i < 3; ++i) {
    series.AppendValue(i, "", clDefault);
  }
  EXPECT_EQ(series.PointColor(0), clRed);
  EXPECT_EQ(series.PointColor(2), clYellow);
  TChartModel chart;
  chart.SetColorPalette({clBlack, clWhite});
  chart.SeriesList().Add(series);
  EXPECT_EQ(series.PointColor(2), clBlack) << "the chart's own palette wraps around";
}

TEST(TChartSeries, AddByOrientationFillsTheIndependentCoordinate) {
  TChartSeries series;
  series.AddByOrientation(7, "", clDefault);
  EXPECT_EQ(Xs(series), (std::vector<double>{0}));
  EXPECT_EQ(Ys(series), (std::vector<double>{7}));
  series.SetYIsDependent(false);
  series.AddByOrientation(9, "", clDefault);
  EXPECT_EQ(Xs(series), (std::vector<double>{0, 9}));
  EXPECT_EQ(Ys(series), (std::vector<double>{7, 1}));
}

struct DeleteCase {
  const char* name;
  bool single;  // DeletePoint, else DeletePoints
  int start;
  int quantity;
  const char* message;  // nullptr: deletes
  std::vector<double> remaining;
};

class DeletePointsTest : public testing::TestWithParam<DeleteCase> {};

TEST_P(DeletePointsTest, DeletesOrRaisesItsText) {
  const DeleteCase& c = GetParam();
  TChartSeries series;
  for (int i = 0; i < 5; ++i) {
    series.AppendValue(10 * i, "", clBlue);
  }
  const auto erase = [&] {
    if (c.single) {
      series.DeletePoint(c.start);
    } else {
      series.DeletePoints(c.start, c.quantity, false);
    }
  };
  if (c.message == nullptr) {
    EXPECT_NO_THROW(erase());
  } else {
    EXPECT_TRUE(ThrowsWithMessage<Exception>(erase, c.message));
  }
  EXPECT_EQ(Ys(series), c.remaining);
}

const std::vector<double> kAllFive = {0, 10, 20, 30, 40};

INSTANTIATE_TEST_SUITE_P(
    Cases, DeletePointsTest,
    testing::Values(
        DeleteCase{"PointInside", true, 1, 0, nullptr, {0, 20, 30, 40}},
        DeleteCase{"PointPastTheEnd", true, 5, 0, "Series Delete: ValueIndex 5 out of bounds (0 to 4).", kAllFive},
        DeleteCase{"PointNegative", true, -1, 0, "Series Delete: ValueIndex -1 out of bounds (0 to 4).", kAllFive},
        DeleteCase{"RunInside", false, 1, 3, nullptr, {0, 40}},
        DeleteCase{"RunToTheEnd", false, 3, 2, nullptr, {0, 10, 20}},
        DeleteCase{"RunOfNothing", false, 1, 0, "Quantity of data points to delete must be greater than zero.",
                   kAllFive},
        DeleteCase{"RunNegative", false, 1, -2, "Quantity of data points to delete must be greater than zero.",
                   kAllFive},
        DeleteCase{"RunPastTheEnd", false, 3, 3, "Quantity of data to delete must be less than Count.", kAllFive},
        DeleteCase{"RunOverflowing", false, 3, 2147483647, "Quantity of data to delete must be less than Count.",
                   kAllFive},
        DeleteCase{"RunBeforeTheStart", false, -2, 3, "Series Delete: ValueIndex -2 out of bounds (0 to 4).",
                   kAllFive}),
    [](const auto& test) { return test.param.name; });

TEST(TChartSeries, DeletingAllPointsFreesTheColourList) {
  TChartSeries series;
  for (int i = 0; i < 3; ++i) {
    series.AppendValue(i, "", clBlue);
  }
  series.DeletePoints(0, 3, false);
  EXPECT_FALSE(series.HasColorList());
}

TEST(TChartSeries, DeletePointsRenumbersOnRequest) {
  TChartSeries series;
  for (int i = 0; i < 5; ++i) {
    series.AppendValue(i, "", clDefault);
  }
  series.DeletePoints(0, 2, true);
  EXPECT_EQ(Xs(series), (std::vector<double>{0, 1, 2}));
}

TEST(TChartSeries, SwapPointsExchangesEverything) {
  TChartSeries series;
  series.AddPoint(0, 5, "a", clRed);
  series.AddPoint(1, 6, "b", clGreen);
  series.SwapPoints(0, 1);
  EXPECT_EQ(Ys(series), (std::vector<double>{6, 5}));
  EXPECT_EQ(series.StoredPointColor(0), clGreen);
  EXPECT_EQ(series.Label(0), "b");
}

TEST(TChartSeries, EventsSeeAddsAndClears) {
  TChartSeries series;
  std::vector<std::string> log;
  series.OnBeforeAdd = [&](TChartSeries& s) {
    log.push_back("before " + std::to_string(static_cast<int>(s.YValues().PendingValue)));
    return s.YValues().PendingValue >= 0;
  };
  series.OnAfterAdd = [&](TChartSeries&, int index) { log.push_back("after " + std::to_string(index)); };
  series.OnClearValues = [&](TChartSeries&) { log.push_back("clear"); };
  EXPECT_EQ(series.AppendValue(1, "", clDefault), 0);
  EXPECT_EQ(series.AppendValue(-1, "", clDefault), -1);
  {
    TBulkUpdate bulk(series);
    series.AppendValue(2, "", clDefault);
    bulk.End();
  }
  series.ClearPoints();
  EXPECT_EQ(log, (std::vector<std::string>{"before 1", "after 0", "before -1", "before 2", "clear"}));
  EXPECT_EQ(series.UpdateDepth(), 0);
}

TEST(TChartSeries, SeriesColourDefersToAutoColourUntilSet) {
  TChartModel chart;
  TChartSeries series;
  chart.SeriesList().Add(series);
  ASSERT_EQ(series.SeriesColor(), clRed);
  const long requests = chart.RepaintRequestCount();
  series.SetSeriesColor(clRed);
  EXPECT_EQ(series.StoredSeriesColor(), clDefault) << "writing the automatic colour changes nothing";
  EXPECT_EQ(chart.RepaintRequestCount(), requests);
  series.SetSeriesColor(clBlue);
  EXPECT_EQ(series.StoredSeriesColor(), clBlue);
  EXPECT_EQ(series.AutoColor(), clBlue);
  EXPECT_EQ(chart.RepaintRequestCount(), requests + 1);
}

TEST(TChartSeries, EveryChangeRequestsARepaintOnlyWhenActive) {
  TChartModel chart;
  TChartSeries series;
  chart.SeriesList().Add(series);
  long requests = chart.RepaintRequestCount();
  series.AppendValue(1, "", clBlue);
  series.ClearPoints();
  EXPECT_EQ(chart.RepaintRequestCount(), requests + 2);
  series.SetActive(false);
  requests = chart.RepaintRequestCount();
  series.AppendValue(1, "", clBlue);
  series.ClearPoints();
  EXPECT_EQ(chart.RepaintRequestCount(), requests);
}

struct AxisCase {
  THorizAxis horiz;
  TVertAxis vert;
  int horizIndex;  // in the axes list
  int vertIndex;
};

class ResolveAxesTest : public testing::TestWithParam<AxisCase> {};

TEST_P(ResolveAxesTest, PicksTheChartsAxes) {
  TChartModel chart;
  TChartSeries series;
  EXPECT_EQ(series.ResolvedHorizAxis(), nullptr);
  series.SetHorizAxis(GetParam().horiz);
  series.SetVertAxis(GetParam().vert);
  chart.SeriesList().Add(series);
  EXPECT_EQ(series.ResolvedHorizAxis(), &chart.Axes()[GetParam().horizIndex]);
  EXPECT_EQ(series.ResolvedVertAxis(), &chart.Axes()[GetParam().vertIndex]);
}

INSTANTIATE_TEST_SUITE_P(Settings, ResolveAxesTest,
                         testing::Values(AxisCase{aBottomAxis, aLeftAxis, 0, 2}, AxisCase{aTopAxis, aRightAxis, 1, 3},
                                         AxisCase{aBothHorizAxis, aBothVertAxis, 0, 2},
                                         AxisCase{aCustomHorizAxis, aCustomVertAxis, 0, 2}));

TEST(TChartSeries, CustomAxisIsForgottenWhenTheSettingMovesAway) {
  TChartModel chart;
  TChartSeries series;
  chart.SeriesList().Add(series);
  series.SetCustomVertAxis(&chart.DepthAxis());
  series.SetVertAxis(aCustomVertAxis);
  EXPECT_EQ(series.ResolvedVertAxis(), &chart.DepthAxis());
  series.SetVertAxis(aRightAxis);
  series.SetVertAxis(aCustomVertAxis);
  EXPECT_EQ(series.ResolvedVertAxis(), &chart.LeftAxis());
}

struct MarginCase {
  const char* name;
  void (*setup)(TLineSeries&);
  TSeriesMargins horizontal;
  TSeriesMargins vertical;
};

class LineSeriesMargins : public testing::TestWithParam<MarginCase> {};

TEST_P(LineSeriesMargins, KeepRoomForMarkersAndPens) {
  TLineSeries series;
  GetParam().setup(series);
  EXPECT_EQ(series.HorizontalMargins(), GetParam().horizontal);
  EXPECT_EQ(series.VerticalMargins(), GetParam().vertical);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, LineSeriesMargins,
    testing::Values(MarginCase{"PanesDefaults", [](TLineSeries&) {}, {0, 0}, {0, 0}},
                    MarginCase{"VisiblePointer",
                               [](TLineSeries& s) {
                                 s.Pointer().SetVisible(true);
                                 s.Pointer().SetVertSize(6);
                               },
                               {5, 5},
                               {7, 7}},
                    MarginCase{"PointerNotInflating",
                               [](TLineSeries& s) {
                                 s.Pointer().SetVisible(true);
                                 s.Pointer().SetInflateMargins(false);
                               },
                               {0, 0},
                               {0, 0}},
                    MarginCase{"StairsWithWidePen",
                               [](TLineSeries& s) {
                                 s.SetStairs(true);
                                 s.LinePen().SetWidth(3);
                               },
                               {3, 3},
                               {3, 3}},
                    MarginCase{"WidePenWithoutStairs", [](TLineSeries& s) { s.LinePen().SetWidth(3); }, {0, 0}, {0, 0}},
                    MarginCase{"Outline",
                               [](TLineSeries& s) {
                                 s.OutLine().SetVisible(true);
                                 s.OutLine().SetWidth(2);
                               },
                               {2, 2},
                               {2, 2}},
                    MarginCase{"LineHeightIn3D",
                               [](TLineSeries& s) {
                                 s.View3D = true;
                                 s.SetLineHeight(8);
                               },
                               {0, 0},
                               {0, 8}}),
    [](const auto& test) { return test.param.name; });

TEST(TChartSeries, DependentSeriesFollowTheirSource) {
  TChartSeries source;
  source.AppendValue(1, "", clDefault);
  TChartSeries copy;
  source.AddDependent(copy);
  EXPECT_EQ(Ys(copy), (std::vector<double>{1}));
  source.AppendValue(2, "", clRed);
  EXPECT_EQ(Ys(copy), (std::vector<double>{1, 2}));
  EXPECT_EQ(copy.StoredPointColor(1), clRed);
  source.DeletePoint(0);
  EXPECT_EQ(Ys(copy), (std::vector<double>{2}));
  copy.RecalcOptions = rOnInsert;
  source.ClearPoints();
  EXPECT_EQ(Ys(copy), (std::vector<double>{2})) << "clears are not followed without the option";
  {
    TBulkUpdate bulk(source);
    source.AppendValue(5, "", clDefault);
    source.AppendValue(6, "", clDefault);
    bulk.End();
  }
  EXPECT_EQ(Ys(copy), (std::vector<double>{5, 6})) << "a bulk update ends in one refresh";
}

// A dependent that refuses to be refreshed.
TEST(TChartSeries, AFailingRefreshAtTheEndOfABulkUpdate) {
  TChartSeries source;
  TChartSeries copy;
  source.AddDependent(copy);
  copy.OnBeforeAdd = [](TChartSeries&) -> bool { throw ChartException("refresh failed"); };
  // The message of what escaped a bulk update, left normally or by an
  // exception of its own.
  const auto escaping = [&source](bool failInside) -> std::string {
    try {
      TBulkUpdate bulk(source);
      source.AppendValue(1, "", clDefault);
      if (failInside) {
        throw ChartException("adding failed");
      }
      bulk.End();
    } catch (const ChartException& e) {
      return e.what();
    }
    return "nothing";
  };
  EXPECT_EQ(escaping(false), "refresh failed");
  EXPECT_EQ(escaping(true), "adding failed") << "the first exception reaches the caller";
  EXPECT_EQ(source.UpdateDepth(), 0);
}

TEST(TChartSeries, DestroyingASourceDetachesItsDependents) {
  TChartSeries copy;
  {
    TChartSeries source;
    source.AddDependent(copy);
    EXPECT_EQ(copy.DataSource(), &source);
  }
  EXPECT_EQ(copy.DataSource(), nullptr);
}

}  // namespace
