// The rules by which the four panes' views move together, on four charts
// and the saved modes alone: no window.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/measure/CursorReadout.h"
#include "app/state/TSavedState.h"
#include "app/view/TPaneCoordinator.h"
#include "app/window/PaneAppearance.h"
#include "chart/series/TLineSeries.h"
#include "tests/app/PaneDrag.h"

namespace {

using Range = std::pair<double, double>;

// Four panes as the window has them (a pane's size and looks), a log a
// pane. The logs differ in length and in the width of
// their value labels, so their plots differ in width as in the window.
struct Panes {
  std::array<TChart, 4> Charts;
  std::array<TLineSeries, 4> Series;
  TSavedState State;
  TPaneCoordinator Coordinator{{&Charts[0], &Charts[1], &Charts[2], &Charts[3]}, State};

  Panes(bool locked, std::array<int, 4> lengths = {1000, 1000, 500, 1000}) {
    State.SetLocked(locked);
    const std::array<double, 4> scales = {6000, 1, 100, 15};
    for (std::uint8_t pane = 0; pane < 4; ++pane) {
      SetUpPane(Charts[pane], Series[pane], Coordinator, pane);
      for (int i = 0; i < lengths[pane]; ++i) {
        Series[pane].AddPoint(i, scales[pane] * (1 + std::sin(i / 50.0)), "", clBlue);
      }
    }
    Coordinator.Align();
    Paint();
  }

  void Paint() {
    for (TChart& chart : Charts) {
      chart.Refresh();
    }
  }

  void SetLocked(bool locked) {
    State.SetLocked(locked);
    Coordinator.LockChanged();
    Paint();
  }

  // A drag, and the panes painted as the window paints them after it.
  void Drag(std::uint8_t pane, TMouseButton button, int x0, int x1) {
    DragAcross(Charts[pane], button, x0, x1);
    Paint();
  }

  Range View(std::uint8_t pane) { return {Charts[pane].BottomAxis().Minimum(), Charts[pane].BottomAxis().Maximum()}; }
  std::array<Range, 4> Views() { return {View(0), View(1), View(2), View(3)}; }
};

bool AllEqual(const std::array<Range, 4>& views) {
  return views[1] == views[0] && views[2] == views[0] && views[3] == views[0];
}

using TStep = std::function<void(Panes&)>;

struct TNamedStep {
  const char* Name;
  TStep Run;
};

const std::vector<TNamedStep> kSteps = {
    {"zoom on pane 0", [](Panes& p) { p.Drag(0, mbLeft, 150, 420); }},
    {"zoom on pane 1", [](Panes& p) { p.Drag(1, mbLeft, 200, 300); }},
    {"zoom on pane 2", [](Panes& p) { p.Drag(2, mbLeft, 100, 600); }},
    {"zoom on pane 3", [](Panes& p) { p.Drag(3, mbLeft, 300, 500); }},
    {"undo on pane 2", [](Panes& p) { p.Drag(2, mbLeft, 500, 100); }},
    {"pan pane 1", [](Panes& p) { p.Drag(1, mbRight, 400, 330); }},
    {"pan pane 3 back", [](Panes& p) { p.Drag(3, mbRight, 300, 420); }},
    {"undo all", [](Panes& p) { p.Coordinator.UndoAll(); }},
    {"lock off and on",
     [](Panes& p) {
       p.SetLocked(false);
       p.SetLocked(true);
     }},
};

// Bit for bit: the same samples, not nearly the same.
TEST(PaneCoordinator, EverySequenceOfZoomsUndosAndPansLeavesLockedPanesOnTheSameSamples) {
  const std::vector<std::vector<std::size_t>> sequences = {
      {0}, {1}, {2}, {3}, {1, 4}, {0, 1, 2, 3}, {3, 5}, {5}, {1, 5, 6, 4}, {2, 7, 3}, {1, 8, 5}, {0, 4, 1, 5, 7},
  };
  for (const std::array<int, 4> lengths : {std::array{3000, 3000, 3000, 3000}, std::array{3000, 1200, 4100, 17}}) {
    for (const std::vector<std::size_t>& sequence : sequences) {
      Panes panes(true, lengths);
      panes.Coordinator.SetPanning(pmHorizontal);
      std::string steps = "lengths " + std::to_string(lengths[1]);
      for (const std::size_t step : sequence) {
        steps += ", " + std::string(kSteps[step].Name);
        kSteps[step].Run(panes);
        EXPECT_TRUE(AllEqual(panes.Views())) << steps;
      }
    }
  }
}

// Unlocked panes follow a zoom in pixels, so their ranges differ; locking
// them again takes the range of the pane the user worked on last, not of
// whichever pane happens to come first.
TEST(PaneCoordinator, LockSwitchedOnAlignsThePanesOnThePaneLastZoomedOrPanned) {
  const struct {
    const char* Steps;
    std::vector<std::size_t> Sequence;  // into kSteps, made unlocked
    std::uint8_t Source;
  } cases[] = {
      {"zoom on pane 2", {2}, 2},
      {"zoom on pane 3", {3}, 3},
      {"zoom on pane 2, pan pane 1", {2, 5}, 1},
      {"zoom on pane 1, zoom on pane 3", {1, 3}, 3},
  };
  for (const auto& c : cases) {
    Panes panes(false, {3000, 3000, 3000, 3000});
    panes.Coordinator.SetPanning(pmHorizontal);
    for (const std::size_t step : c.Sequence) {
      kSteps[step].Run(panes);
    }
    const Range expected = panes.View(c.Source);
    ASSERT_NE(expected, panes.View(0)) << c.Steps << ": the ranges differ before the lock";
    panes.SetLocked(true);
    for (std::uint8_t pane = 0; pane < 4; ++pane) {
      EXPECT_EQ(panes.View(pane), expected) << c.Steps << ", pane " << int(pane);
    }
    EXPECT_TRUE(panes.Charts[c.Source].IsZoomed) << c.Steps;
  }
}

TEST(PaneCoordinator, ZoomsPanAndUndoMoveThePanesTogether) {
  const struct {
    const char* Name;
    bool Locked;
    std::vector<std::pair<int, int>> Drags;  // drags on pane 1, in pixels (right: from 1000 on)
    bool Zoomed;                             // every pane shows another view than at the start
    bool SameView;                           // the four panes show the same sample numbers
  } cases[] = {
      {"unlocked: a zoom passed on by pixel columns", false, {{100, 300}}, true, false},
      {"unlocked: a short drag zooms nothing", false, {{100, 116}}, false, false},
      {"unlocked: a drag to the left undoes", false, {{100, 300}, {300, 100}}, false, false},
      {"unlocked: a right drag without panning zooms nothing", false, {{1100, 1300}}, false, false},
      {"locked: the same samples in every pane", true, {{100, 300}}, true, true},
      {"locked: two zooms, still the same", true, {{100, 300}, {200, 400}}, true, true},
      {"locked: the undo gives the common range", true, {{100, 300}, {300, 100}}, false, true},
      {"locked: unzoomed, the common range", true, {}, false, true},
  };
  for (const auto& c : cases) {
    Panes panes(c.Locked);
    const std::array<Range, 4> start = panes.Views();
    for (const auto& [from, to] : c.Drags) {
      const bool right = from >= 1000;
      panes.Drag(1, right ? mbRight : mbLeft, from % 1000, to % 1000);
    }
    const std::array<Range, 4> views = panes.Views();
    for (std::size_t pane = 0; pane < 4; ++pane) {
      EXPECT_EQ(views[pane] != start[pane], c.Zoomed) << c.Name << ", pane " << pane;
    }
    EXPECT_EQ(AllEqual(views), c.SameView) << c.Name;
    if (c.Locked && !c.Zoomed) {
      EXPECT_EQ(panes.View(2), (Range{0, 999})) << c.Name << ": the shorter log simply ends";
    }
  }
}

TEST(PaneCoordinator, BackGoesOneViewBackThenToAutomatic) {
  for (const bool locked : {false, true}) {
    Panes panes(locked);
    const std::array<Range, 4> unzoomed = panes.Views();
    panes.Drag(1, mbLeft, 100, 500);
    const std::array<Range, 4> first = panes.Views();
    panes.Drag(1, mbLeft, 100, 300);
    ASSERT_NE(panes.Views(), first);
    panes.Coordinator.Back();
    EXPECT_EQ(panes.Views(), first) << locked;
    panes.Coordinator.Back();
    panes.Paint();
    EXPECT_EQ(panes.Views(), unzoomed) << locked;
    EXPECT_FALSE(panes.Charts[1].IsZoomed) << locked;
  }
}

// + and - about a column: in until a sample is a few columns wide, out until
// every sample is in view.
TEST(PaneCoordinator, KeyZoomsStopAtTheDeepestAndTheWholeView) {
  Panes panes(true);
  const Range all = panes.View(1);
  panes.Coordinator.ZoomAbout(1, 300, 400, false);
  panes.Paint();
  EXPECT_EQ(panes.View(1), all) << "out from the whole view: nothing";
  int zooms = 0;
  for (; zooms < 20 && panes.View(1).second - panes.View(1).first > 1; ++zooms) {
    const Range before = panes.View(1);
    panes.Coordinator.ZoomAbout(1, 300, 400, true);
    panes.Paint();
    if (panes.View(1) == before) {
      break;
    }
    EXPECT_TRUE(AllEqual(panes.Views()));
  }
  EXPECT_LT(zooms, 20) << "zooming in stops";
  // It stops once a sample is 4 columns wide, so the last zoom made it 2 to 4.
  const double columns = panes.Charts[1].PlotRect.Right - panes.Charts[1].PlotRect.Left;
  const double samples = panes.View(1).second - panes.View(1).first;
  EXPECT_LE(samples, columns / 4);
  EXPECT_GT(samples, columns / 8);
}

// + and - keep the sample under a still mouse where it is, wherever the
// mouse stands in the plot.
TEST(PaneCoordinator, KeyZoomsKeepTheSampleUnderTheMouse) {
  for (const int column : {20, 300, 650}) {
    Panes panes(false, {100000, 100000, 100000, 100000});
    for (const bool in : {true, true, true, false, true, false, false}) {
      const TChartAxis& axis = panes.Charts[1].BottomAxis();
      const double before = axis.PixelToValue(column);
      const double pixel =
          (axis.Maximum() - axis.Minimum()) / (panes.Charts[1].PlotRect.Right - panes.Charts[1].PlotRect.Left);
      panes.Coordinator.ZoomAbout(1, column, static_cast<int>(before), in);
      panes.Paint();
      EXPECT_NEAR(axis.PixelToValue(column), before, 2 * pixel) << column << (in ? " in" : " out");
    }
  }
}

// Ctrl+wheel: the value under the mouse keeps its row; a notch in and one
// out give the range back; the other panes keep theirs.
TEST(PaneCoordinator, ValueZoomsKeepTheValueUnderTheMouse) {
  for (const int row : {30, 62, 110}) {
    Panes panes(false);
    TChartAxis& values = panes.Charts[1].RightAxis();
    const double start[] = {values.Minimum(), values.Maximum()};
    const double at = values.PixelToValue(row);
    const double pixel = (values.Maximum() - values.Minimum()) / 100;
    panes.Coordinator.ZoomValues(1, row, true);
    panes.Paint();
    EXPECT_LT(values.Maximum() - values.Minimum(), start[1] - start[0]) << row;
    EXPECT_NEAR(values.PixelToValue(row), at, pixel) << row;
    panes.Coordinator.ZoomValues(1, row, false);
    EXPECT_NEAR(values.Minimum(), start[0], 1e-9 * (start[1] - start[0])) << row;
    EXPECT_NEAR(values.Maximum(), start[1], 1e-9 * (start[1] - start[0])) << row;
    EXPECT_TRUE(panes.Charts[0].RightAxis().Automatic()) << row;
  }
}

// A followed log gains samples: a view that ends at the last sample moves
// on with them, keeping its width; an earlier stretch stays, and so does
// automatic scaling.
TEST(PaneCoordinator, ViewsFollowGrowingLogs) {
  const struct {
    const char* Name = "";
    std::optional<Range> View;  // none: automatic
    std::optional<Range> After;
  } cases[] = {
      {"at the end", Range{900, 999}, Range{950, 1049}},
      {"earlier", Range{100, 200}, Range{100, 200}},
      {"automatic", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    Panes panes(false);
    if (c.View) {
      panes.Charts[0].BottomAxis().SetAxisRange(c.View->first, c.View->second);
    }
    for (int i = 1000; i < 1050; ++i) {
      panes.Series[0].AddPoint(i, 1, "", clBlue);
    }
    panes.Coordinator.FollowSamples(0, 1000);
    if (c.After) {
      EXPECT_EQ(panes.View(0), *c.After) << c.Name;
    } else {
      EXPECT_TRUE(panes.Charts[0].BottomAxis().Automatic()) << c.Name;
    }
  }
}

// Unlocking leaves the zooms and lets the unzoomed panes scale on their own.
TEST(PaneCoordinator, UnlockingKeepsZoomsAndFreesTheOthers) {
  Panes panes(true, {1000, 1000, 500, 1000});
  panes.SetLocked(false);
  EXPECT_TRUE(panes.Charts[2].BottomAxis().Automatic());
  EXPECT_NE(panes.View(2), panes.View(0)) << "the shorter log fills its pane again";
}

// Fit on, a pane's value axis spans the samples it shows, exactly, through
// every later zoom, pan and follow; showing its whole log, or with fit off,
// it scales automatically as described.
TEST(PaneCoordinator, FitValuesSpansTheSamplesShown) {
  const struct {
    const char* Name;
    bool Locked;
    std::vector<std::size_t> Sequence;  // into kSteps
    bool Fitted;                        // pane 1's value axis fits its view
  } cases[] = {
      {"unzoomed", false, {}, false},          {"zoom", false, {1}, true},
      {"zoom, locked", true, {1}, true},       {"two zooms, locked", true, {0, 1}, true},
      {"zoom and pan", false, {1, 5}, true},   {"zoom, pan, locked", true, {2, 5}, true},
      {"zoom and undo", false, {2, 4}, false}, {"zoom and undo all", true, {1, 7}, false},
  };
  for (const auto& c : cases) {
    Panes panes(c.Locked, {3000, 3000, 3000, 3000});
    panes.Coordinator.SetPanning(pmHorizontal);
    panes.State.SetFitValues(true);
    panes.Coordinator.FitChanged();
    for (const std::size_t step : c.Sequence) {
      kSteps[step].Run(panes);
    }
    const TChartAxis& right = panes.Charts[1].RightAxis();
    EXPECT_EQ(!right.Automatic(), c.Fitted) << c.Name;
    if (c.Fitted) {
      const Range view = panes.View(1);
      const std::optional<TColumnSamples> shown = SamplesBetween(panes.Series[1], view.first, view.second);
      ASSERT_TRUE(shown) << c.Name;
      EXPECT_EQ(right.Minimum(), shown->Min) << c.Name;
      EXPECT_EQ(right.Maximum(), shown->Max) << c.Name;
    }
    panes.State.SetFitValues(false);
    panes.Coordinator.FitChanged();
    EXPECT_TRUE(right.Automatic()) << c.Name << ": fit off";
  }
}

// A Shift+drag down the pane from row y0 to row y1, in its middle column.
void ShiftDrag(Panes& panes, std::uint8_t pane, int y0, int y1) {
  TChart& chart = panes.Charts[pane];
  const int x = chart.PlotCenterX;
  chart.MouseDown(mbLeft, ssLeft | ssShift, x, y0);
  chart.MouseMove(ssLeft | ssShift, x, y1);
  chart.MouseUp(mbLeft, ssShift, x, y1);
  panes.Paint();
}

// A value range the user sets (Shift+drag, Ctrl+wheel, typed) is that
// pane's alone, survives zooms and fits, and goes with every undo.
TEST(PaneCoordinator, ValueRangesSetByTheUserLastUntilAnUndo) {
  using Source = TPaneCoordinator::TValueSource;
  const TStep shiftDrag = [](Panes& p) { ShiftDrag(p, 1, 30, 90); };
  const TStep typed = [](Panes& p) { EXPECT_TRUE(p.Coordinator.SetValueRange(1, 0.25, 0.75)); };
  const TStep wheel = [](Panes& p) { p.Coordinator.ZoomValues(1, 50, true); };
  const TStep zoom = kSteps[3].Run;
  const TStep back = [](Panes& p) { p.Coordinator.Back(); };
  const TStep undoAll = kSteps[7].Run;
  const TStep undoDrag = kSteps[4].Run;
  const TStep shiftDragUp = [](Panes& p) { ShiftDrag(p, 1, 90, 30); };
  const TStep fitOn = [](Panes& p) {
    p.State.SetFitValues(true);
    p.Coordinator.FitChanged();
  };
  const struct {
    const char* Name;
    bool Locked;
    std::vector<TStep> Steps;
    Source Expected;  // pane 1's
  } cases[] = {
      {"Shift+drag", false, {shiftDrag}, Source::Set},
      {"Shift+drag, locked", true, {shiftDrag}, Source::Set},
      {"typed", true, {typed}, Source::Set},
      {"Ctrl+wheel", false, {wheel}, Source::Set},
      {"typed, then a zoom", true, {typed, zoom}, Source::Set},
      {"typed, fit on, a zoom", true, {typed, fitOn, zoom}, Source::Set},
      {"Shift+drag, then undo all", true, {shiftDrag, undoAll}, Source::All},
      {"typed, then back", false, {typed, back}, Source::All},
      {"zoom, typed, back", true, {zoom, typed, back}, Source::All},
      {"fit on, zoom, typed, back", true, {fitOn, zoom, typed, back}, Source::View},
      {"typed, then an undo drag elsewhere", false, {typed, undoDrag}, Source::All},
      {"Shift+drag, then Shift+drag up", false, {shiftDrag, shiftDragUp}, Source::All},
      {"two notches, back", false, {wheel, wheel, back}, Source::Set},
      {"two notches, back twice", false, {wheel, wheel, back, back}, Source::All},
      {"zoom, typed, back: the zoom stays",
       true,
       {zoom, typed, back, [](Panes& p) { EXPECT_TRUE(p.Charts[3].IsZoomed); }},
       Source::All},
  };
  for (const auto& c : cases) {
    Panes panes(c.Locked, {3000, 3000, 3000, 3000});
    for (const TStep& step : c.Steps) {
      step(panes);
    }
    EXPECT_EQ(panes.Coordinator.ValueSource(1), c.Expected) << c.Name;
    if (c.Expected == Source::Set) {
      EXPECT_FALSE(panes.Charts[1].RightAxis().Automatic()) << c.Name;
    }
    for (const std::uint8_t other : {std::uint8_t{0}, std::uint8_t{2}, std::uint8_t{3}}) {
      EXPECT_NE(panes.Coordinator.ValueSource(other), Source::Set) << c.Name;
    }
  }
}

// The rows dragged over become the value range; no pane moves sideways and
// no other pane's values change, locked or not.
TEST(PaneCoordinator, AShiftDragZoomsTheValuesOfThatPaneAlone) {
  for (const bool locked : {false, true}) {
    Panes panes(locked, {3000, 3000, 3000, 3000});
    const TChartAxis& values = panes.Charts[2].RightAxis();
    const Range rows{values.PixelToValue(100), values.PixelToValue(40)};
    const std::array<Range, 4> views = panes.Views();
    ShiftDrag(panes, 2, 40, 100);
    EXPECT_EQ((Range{values.Minimum(), values.Maximum()}), rows) << locked;
    EXPECT_EQ(panes.Views(), views) << locked;
    for (const std::uint8_t other : {std::uint8_t{0}, std::uint8_t{1}, std::uint8_t{3}}) {
      EXPECT_TRUE(panes.Charts[other].RightAxis().Automatic()) << locked;
      EXPECT_EQ(panes.Charts[other].BottomAxis().Automatic(), !locked) << locked;
    }
  }
}

TEST(PaneCoordinator, AValueRangeMustBeARange) {
  Panes panes(false);
  for (const Range& range : {Range{5, 5}, Range{6, 5}, Range{NAN, 5}, Range{0, INFINITY}}) {
    EXPECT_FALSE(panes.Coordinator.SetValueRange(0, range.first, range.second)) << range.first << " " << range.second;
  }
  EXPECT_TRUE(panes.Charts[0].RightAxis().Automatic());
}

TEST(PaneCoordinator, AFittedViewFollowsAGrowingLog) {
  Panes panes(false);
  panes.State.SetFitValues(true);
  panes.Charts[3].BottomAxis().SetAxisRange(900, 999);
  panes.Coordinator.FitChanged();
  for (int i = 1000; i < 1050; ++i) {
    panes.Series[3].AddPoint(i, 1000, "", clBlue);
  }
  panes.Coordinator.FollowSamples(3, 1000);
  EXPECT_EQ(panes.Charts[3].RightAxis().Maximum(), 1000) << "the new samples are in the fitted range";
}

}  // namespace
