#include "chart/series/TLineSeries.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "chart/canvas/TRecordingCanvas3D.h"
#include "tests/support/ChartFixture.h"

namespace {

// A chart whose plot is 100 pixels square at the origin: with both axes
// over 0..100, point (X, Y) lands on pixel (X, 100 - Y).
struct LineChart : TLineSeriesPane {
  TRecordingCanvas3D Canvas;

  LineChart() : TLineSeriesPane({0, 0, 100, 100}) {
    Chart.BottomAxis().SetAxisRange(0, 100);
    Chart.LeftAxis().SetAxisRange(0, 100);
  }

  void Add(std::initializer_list<std::pair<double, double>> points) {
    for (auto [x, y] : points) {
      Series.AddPoint(x, y, "", clDefault);
    }
  }
  void AddRamp(int count, double slope) {
    for (int i = 0; i < count; ++i) {
      Series.AddPoint(i, slope * i, "", clDefault);
    }
  }

  // The drawing calls of one paint of the series, without the pen and
  // brush lines.
  std::vector<std::string> Draw() {
    LayOutAxes();
    Series.ComputeVisibleRange(Plot);
    return DrawRange();
  }
  std::vector<std::string> DrawRange() {
    Canvas.Calls.clear();
    Series.DrawAllPoints(Canvas, Plot);
    std::vector<std::string> shapes;
    for (const std::string& call : Canvas.Calls) {
      if (call.rfind("Pen ", 0) != 0 && call.rfind("Brush ", 0) != 0) {
        shapes.push_back(call);
      }
    }
    return shapes;
  }
  std::vector<std::string> PenLines() const {
    std::vector<std::string> pens;
    for (const std::string& call : Canvas.Calls) {
      if (call.rfind("Pen ", 0) == 0) {
        pens.push_back(call);
      }
    }
    return pens;
  }
};

using Calls = std::vector<std::string>;

struct RangeCase {
  const char* name;
  double minimum;
  double maximum;
  std::function<void(TLineSeries&)> setup;
  int first;
  int last;
};

class VisibleRange : public testing::TestWithParam<RangeCase> {};

// X = 0..99 throughout.
TEST_P(VisibleRange, CoversThePointsInsideTheAxisRange) {
  LineChart pane;
  pane.AddRamp(100, 1);
  pane.Chart.BottomAxis().SetAxisRange(GetParam().minimum, GetParam().maximum);
  GetParam().setup(pane.Series);
  pane.LayOutAxes();
  pane.Series.ComputeVisibleRange(pane.Plot);
  EXPECT_EQ(pane.Series.FirstVisible, GetParam().first);
  EXPECT_EQ(pane.Series.LastVisible, GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VisibleRange,
    testing::Values(
        RangeCase{"KeepsThePointBeyondTheRightEdge", 10.5, 20.5, [](TLineSeries&) {}, 11, 21},
        RangeCase{"WithoutKeepPointBeyondEdge", 10.5, 20.5, [](TLineSeries& s) { s.SetKeepPointBeyondEdge(false); }, 11,
                  20},
        RangeCase{"EdgesOnPoints", 10, 20, [](TLineSeries&) {}, 10, 20},
        RangeCase{"InvertedAxis", 10.5, 20.5, [](TLineSeries& s) { s.ResolvedHorizAxis()->SetInverted(true); }, 11, 21},
        RangeCase{"LastPointAtTheRightEdge", 50.5, 99, [](TLineSeries&) {}, 51, 99},
        RangeCase{"AllLeftOfTheRange", 100.5, 200, [](TLineSeries&) {}, -1, -1},
        RangeCase{"BetweenTwoPoints", 10.2, 10.4, [](TLineSeries&) {}, 11, 11},
        RangeCase{"BetweenTwoPointsWithoutKeep", 10.2, 10.4, [](TLineSeries& s) { s.SetKeepPointBeyondEdge(false); },
                  11, 10},
        RangeCase{"VisibleRangeOff", 10.5, 20.5, [](TLineSeries& s) { s.SetUseVisibleRange(false); }, 0, 99},
        RangeCase{"UnorderedX", 10.5, 20.5, [](TLineSeries& s) { s.XValues().SetOrder(loNone); }, 0, 99},
        RangeCase{"DescendingOrderSetLater", 10.5, 20.5, [](TLineSeries& s) { s.XValues().SetOrder(loDescending); }, 0,
                  99},
        RangeCase{"EmptySeries", 10.5, 20.5, [](TLineSeries& s) { s.ClearPoints(); }, -1, -1}),
    [](const auto& test) { return test.param.name; });

// Y = 2X, so the line crosses the left edge (X 10.5) at Y 21.
TEST(TLineSeries, EntersAtTheLeftEdgeInterpolatedBetweenTheNeighbours) {
  LineChart pane;
  pane.AddRamp(100, 2);
  pane.Chart.BottomAxis().SetAxisRange(10.5, 20.5);
  const Calls calls = pane.Draw();
  ASSERT_EQ(calls.size(), 11u);  // the entry, then 11 -> 12 up to 20 -> 21
  EXPECT_EQ(calls[0], "LineSegment 0 79 5 78");
  EXPECT_EQ(calls[1], "LineSegment 5 78 15 76");
  EXPECT_EQ(calls[10], "LineSegment 95 60 105 58");
}

struct LogEntryCase {
  const char* name;
  double before;
  Calls calls;
};

class LogarithmicEntry : public testing::TestWithParam<LogEntryCase> {};

// Left axis 1..100 over 100 pixels; the left edge is halfway from the
// point before to the first visible one.
TEST_P(LogarithmicEntry, InterpolatesLogarithmsOfPositiveValuesOnly) {
  LineChart pane;
  pane.Chart.LeftAxis().SetLogarithmic(true);
  pane.Chart.LeftAxis().SetAxisRange(1, 100);
  pane.Add({{0, GetParam().before}, {40, 100}});
  pane.Chart.BottomAxis().SetAxisRange(20, 120);
  EXPECT_EQ(pane.Draw(), GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(Values, LogarithmicEntry,
                         testing::Values(LogEntryCase{"Positive", 1, {"LineSegment 0 50 20 0"}},  // halfway is 10
                                         LogEntryCase{"Zero", 0, {"LineSegment 0 15 20 0"}}),     // halfway is 50
                         [](const auto& test) { return test.param.name; });

TEST(TLineSeries, EntryFromAPointOfEqualXStartsAtItsHeight) {
  LineChart pane;
  pane.Add({{0, 10}, {30, 20}, {30, 40}, {60, 50}});
  pane.LayOutAxes();
  pane.Series.FirstVisible = 2;
  pane.Series.LastVisible = 3;
  EXPECT_EQ(pane.DrawRange(), (Calls{"LineSegment 0 80 30 60", "LineSegment 30 60 60 50"}));
}

TEST(TLineSeries, NoEntryWhenThePointBeforeIsNull) {
  LineChart pane;
  pane.Add({{0, 10}, {5, 10}});
  pane.Series.AddNullPoint(10, 0, "");
  pane.Add({{30, 20}, {60, 50}});
  pane.Chart.BottomAxis().SetAxisRange(20, 120);
  EXPECT_EQ(pane.Draw(), (Calls{"LineSegment 10 80 40 50"}));
}

TEST(TLineSeries, OneVisiblePointWithoutAPredecessorDrawsNothing) {
  LineChart pane;
  pane.Add({{50, 50}});
  EXPECT_EQ(pane.Draw(), Calls{});
}

TEST(TLineSeries, PointsOnTheSamePixelDrawNoSegment) {
  LineChart pane;
  pane.Add({{0, 1}, {0.01, 1}, {0.02, 1}, {5, 2}, {6, 2}, {6.2, 2}, {9, 2.1}});
  EXPECT_EQ(pane.Draw(), (Calls{"LineSegment 0 99 5 98", "LineSegment 5 98 6 98", "LineSegment 6 98 9 98"}));
}

TEST(TLineSeries, NoSegmentToOrFromANullPoint) {
  LineChart pane;
  for (int i = 0; i < 9; ++i) {
    if (i == 5) {
      pane.Series.AddNullPoint(50, 50, "");
    } else {
      pane.Series.AddPoint(i * 10, i * 10, "", clDefault);
    }
  }
  EXPECT_EQ(pane.Draw(), (Calls{"LineSegment 0 100 10 90", "LineSegment 10 90 20 80", "LineSegment 20 80 30 70",
                                "LineSegment 30 70 40 60", "LineSegment 60 40 70 30", "LineSegment 70 30 80 20"}));
}

struct StairsCase {
  const char* name;
  bool stairs;
  bool inverted;
  Calls calls;
};

class Stairs : public testing::TestWithParam<StairsCase> {};

TEST_P(Stairs, StepBetweenPoints) {
  LineChart pane;
  pane.Add({{10, 50}, {20, 70}});
  pane.Series.SetStairs(GetParam().stairs);
  pane.Series.SetInvertedStairs(GetParam().inverted);
  EXPECT_EQ(pane.Draw(), GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Stairs,
    testing::Values(StairsCase{"Slanted", false, false, {"LineSegment 10 50 20 30"}},
                    StairsCase{"HorizontalFirst", true, false, {"LineSegment 10 50 20 50", "DrawLineTo 20 30"}},
                    StairsCase{"VerticalFirst", true, true, {"LineSegment 10 50 10 30", "DrawLineTo 20 30"}},
                    StairsCase{"InvertedAloneIsSlanted", false, true, {"LineSegment 10 50 20 30"}}),
    [](const auto& test) { return test.param.name; });

TEST(TLineSeries, StairsEnterAtTheHeightOfThePointBefore) {
  LineChart pane;
  pane.Add({{0, 10}, {30, 20}, {60, 50}});
  pane.Series.SetStairs(true);
  pane.Chart.BottomAxis().SetAxisRange(20, 120);
  EXPECT_EQ(pane.Draw(),
            (Calls{"LineSegment 0 90 10 90", "DrawLineTo 10 80", "LineSegment 10 80 40 80", "DrawLineTo 40 50"}));
}

// Drawn from the right end down, so no segment comes in from the left edge.
TEST(TLineSeries, InvertedHorizontalAxisDrawsBackwards) {
  LineChart pane;
  pane.AddRamp(100, 2);
  pane.Chart.BottomAxis().SetAxisRange(10.5, 20.5);
  pane.Chart.BottomAxis().SetInverted(true);
  const Calls calls = pane.Draw();
  ASSERT_EQ(calls.size(), 10u);
  EXPECT_EQ(calls.front(), "LineSegment -5 58 5 60");
  EXPECT_EQ(calls.back(), "LineSegment 85 76 95 78");
}

struct ColorCase {
  const char* name;
  std::function<void(LineChart&)> setup;
  std::string pen;
};

class LineColor : public testing::TestWithParam<ColorCase> {};

// Every point stored blue, as a loaded log is.
TEST_P(LineColor, ComesFromTheSeriesUnlessEachPointHasItsOwn) {
  LineChart pane;
  pane.Series.SetSeriesColor(clBlue);
  for (int i = 0; i < 3; ++i) {
    pane.Series.AddPoint(i * 10, 10, "", clBlue);
  }
  GetParam().setup(pane);
  pane.Draw();
  EXPECT_EQ(pane.PenLines(), Calls{GetParam().pen});
}

INSTANTIATE_TEST_SUITE_P(
    Settings, LineColor,
    testing::Values(ColorCase{"SeriesColor", [](LineChart&) {}, "Pen 0xFF0000 1 psSolid pmCopy"},
                    ColorCase{"ChangedSeriesColor", [](LineChart& p) { p.Series.SetSeriesColor(clRed); },
                              "Pen 0xFF 1 psSolid pmCopy"},
                    ColorCase{"ColorEachPoint",
                              [](LineChart& p) {
                                p.Series.SetSeriesColor(clRed);
                                p.Series.SetColorEachPoint(true);
                              },
                              "Pen 0xFF0000 1 psSolid pmCopy"},
                    ColorCase{"ColorEachPointButNotEachLine",
                              [](LineChart& p) {
                                p.Series.SetSeriesColor(clRed);
                                p.Series.SetColorEachPoint(true);
                                p.Series.SetColorEachLine(false);
                              },
                              "Pen 0xFF 1 psSolid pmCopy"},
                    ColorCase{"WideDashedPen",
                              [](LineChart& p) {
                                p.Series.LinePen().SetWidth(3);
                                p.Series.LinePen().SetStyle(psDash);
                              },
                              "Pen 0xFF0000 3 psDash pmCopy"},
                    ColorCase{"HiddenPen", [](LineChart& p) { p.Series.LinePen().SetVisible(false); },
                              "Pen 0x0 1 psClear pmCopy"}),
    [](const auto& test) { return test.param.name; });

TEST(TLineSeries, ShadowAndOutlinePassesComeFirstAndLeaveTheColour) {
  LineChart pane;
  pane.Series.SetSeriesColor(clBlue);
  pane.Add({{10, 50}, {20, 70}});
  pane.Series.Shadow().SetHorizSize(3);
  pane.Series.Shadow().SetVertSize(2);
  pane.Series.OutLine().SetVisible(true);
  pane.Series.OutLine().SetColor(clYellow);
  pane.Series.LinePen().SetWidth(2);
  pane.Draw();
  EXPECT_EQ(pane.Canvas.Calls,
            (Calls{"Pen 0xC0C0C0 2 psSolid pmCopy", "LineSegment 13 52 23 32", "Pen 0xFFFF 6 psSolid pmCopy",
                   "LineSegment 10 50 20 30", "Pen 0xFF0000 2 psSolid pmCopy", "LineSegment 10 50 20 30"}));
  EXPECT_EQ(pane.Series.SeriesColor(), clBlue);
  EXPECT_EQ(pane.Series.LinePen().Width(), 2);
}

TEST(TLineSeries, ShadowPassOnlyWhenTheLargerSizeIsNotZero) {
  const struct {
    int Horiz;
    int Vert;
    std::size_t Segments;
  } cases[] = {{0, 0, 1}, {-3, 0, 1}, {0, -2, 1}, {-3, 2, 2}, {3, -2, 2}, {-3, -2, 2}};
  for (const auto& c : cases) {
    LineChart pane;
    pane.Add({{10, 50}, {20, 70}});
    pane.Series.Shadow().SetHorizSize(c.Horiz);
    pane.Series.Shadow().SetVertSize(c.Vert);
    EXPECT_EQ(pane.Draw().size(), c.Segments) << c.Horiz << ", " << c.Vert;
  }
}

// The outline pass must not turn a series whose colour comes from the
// palette into one with a stored colour.
TEST(TLineSeries, OutlinePassKeepsAnAutomaticColourAutomatic) {
  LineChart pane;
  pane.Add({{10, 50}, {20, 70}});
  pane.Series.OutLine().SetVisible(true);
  const TColor automatic = pane.Series.SeriesColor();
  pane.Draw();
  EXPECT_EQ(pane.Series.StoredSeriesColor(), clDefault);
  EXPECT_EQ(pane.Series.SeriesColor(), automatic);
}

TEST(TLineSeries, PointersAtEveryPointWhenVisible) {
  LineChart pane;
  pane.Add({{10, 50}, {20, 70}, {30, 70}});
  pane.Series.Pointer().SetVisible(true);
  pane.Series.Pointer().SetHorizSize(2);
  pane.Series.Pointer().SetVertSize(1);
  EXPECT_EQ(pane.Draw(), (Calls{"LineSegment 10 50 20 30", "Rectangle 8 49 13 52", "LineSegment 20 30 30 30",
                                "Rectangle 18 29 23 32", "Rectangle 28 29 33 32"}));
}

struct PointerCase {
  TSeriesPointerStyle style;
  Calls calls;
};

class PointerShape : public testing::TestWithParam<PointerCase> {};

TEST_P(PointerShape, AroundThePoint) {
  LineChart pane;
  pane.Series.SetSeriesColor(clBlue);
  pane.Add({{50, 50}});
  pane.Series.Pointer().SetVisible(true);
  pane.Series.Pointer().SetStyle(GetParam().style);
  pane.Series.Pointer().SetVertSize(3);
  EXPECT_EQ(pane.Draw(), GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(Styles, PointerShape,
                         testing::Values(PointerCase{psRectangle, {"Rectangle 46 47 55 54"}},
                                         PointerCase{psCircle, {"Ellipse 46 47 54 53"}},
                                         PointerCase{psDiamond, {"Polygon 46,50 50,47 54,50 50,53"}},
                                         PointerCase{psCross, {"LineSegment 46 50 55 50", "LineSegment 50 47 50 54"}},
                                         PointerCase{psSmallDot, {"SetPixel 50 50 16711680"}},
                                         PointerCase{psNothing, {}}));

TEST(TLineSeries, ShadowPassDrawsNoPointers) {
  LineChart pane;
  pane.Series.SetSeriesColor(clBlue);
  pane.Add({{50, 50}});
  pane.Series.Pointer().SetVisible(true);
  pane.Series.Shadow().SetHorizSize(2);
  EXPECT_EQ(pane.Draw(), Calls{"Rectangle 46 46 55 55"});
}

TEST(TLineSeries, SettersRequestARepaintOnlyOnAChange) {
  LineChart pane;
  const std::vector<std::function<void()>> changes = {
      [&] { pane.Series.SetStairs(true); },
      [&] { pane.Series.LinePen().SetWidth(2); },
      [&] { pane.Series.OutLine().SetVisible(true); },
      [&] { pane.Series.Shadow().SetHorizSize(1); },
      [&] { pane.Series.Pointer().SetStyle(psCircle); },
      [&] { pane.Series.Pointer().Brush().SetStyle(bsClear); },
      [&] { pane.Series.SetKeepPointBeyondEdge(false); },
  };
  for (const auto& change : changes) {
    const long before = pane.Chart.RepaintRequestCount();
    change();
    EXPECT_EQ(pane.Chart.RepaintRequestCount(), before + 1);
    change();
    EXPECT_EQ(pane.Chart.RepaintRequestCount(), before + 1);
  }
}

}  // namespace
