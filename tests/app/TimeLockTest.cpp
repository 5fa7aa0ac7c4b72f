// Panes locked by time, by samples and by pixel columns, on four charts and
// their logs' stamps alone: no window.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/document/TLogDocument.h"
#include "app/measure/TMeasurements.h"
#include "app/state/TSavedState.h"
#include "app/view/TPaneCoordinator.h"
#include "app/window/PaneAppearance.h"
#include "chart/series/TLineSeries.h"
#include "log/TStampTimes.h"
#include "tests/app/PaneDrag.h"
#include "tests/app/TempFolder.h"

namespace {

// A log: its samples and how they are stamped.
struct TLog {
  int Count = 1000;
  double Start = 0;     // the first stamp, seconds
  double Interval = 0;  // seconds from one stamp to the next; 0: no stamps
  int ResetAt = -1;     // from this sample on the stamps start again at Start
};

struct Panes {
  std::array<TChart, 4> Charts;
  std::array<TLineSeries, 4> Series;
  std::array<TStampTimes, 4> Times;
  std::array<double, 4> Offsets{};
  TSavedState State;
  TPaneCoordinator Coordinator{{&Charts[0], &Charts[1], &Charts[2], &Charts[3]}, State};
  TLogDocument Document{{&Charts[0], &Charts[1], &Charts[2], &Charts[3]}, State};
  TMeasurements Measures{{&Charts[0], &Charts[1], &Charts[2], &Charts[3]}, Document, State, Coordinator};

  Panes(TLockMode mode, const std::array<TLog, 4>& logs) {
    State.SetLockMode(mode);
    Coordinator.PaneTimes = [this](std::uint8_t pane) { return TPaneTimes{&Times[pane], Offsets[pane]}; };
    for (std::uint8_t pane = 0; pane < 4; ++pane) {
      SetUpPane(Charts[pane], Series[pane], Coordinator, pane);
      Load(pane, logs[pane]);
    }
    Coordinator.SetPanning(pmHorizontal);
    Coordinator.Align();
    Paint();
  }

  // Values of different widths, so that the plots' widths differ unless
  // the panes share their edges.
  void Load(std::uint8_t pane, const TLog& log) {
    const std::array<double, 4> scales = {6000, 1, 100, 15};
    Times[pane].Clear();
    for (int i = 0; i < log.Count; ++i) {
      Series[pane].AddPoint(i, scales[pane] * (1 + std::sin(i / 50.0)), "", clBlue);
      const int k = log.ResetAt >= 0 && i >= log.ResetAt ? i - log.ResetAt : i;
      // Stamps in milliseconds, as a log writes them.
      const std::int64_t ms = std::llround((log.Start + k * log.Interval) * 1000);
      Times[pane].Append(log.Interval > 0 ? std::optional<TStamp>(TStamp{ms, 3}) : std::nullopt);
    }
  }

  // The window paints, then lines the plots up and paints again.
  void Paint() {
    for (int round = 0; round < 4; ++round) {
      for (TChart& chart : Charts) {
        chart.Refresh();
      }
      if (!Coordinator.ShareEdges()) {
        return;
      }
    }
  }

  void Drag(std::uint8_t pane, TMouseButton button, int x0, int x1) {
    DragAcross(Charts[pane], button, x0, x1);
    Paint();
  }
  void Key(std::uint8_t pane, bool in) {
    const TRect& plot = Charts[pane].PlotRect;
    const int column = (plot.Left + 2 * plot.Right) / 3;
    const int sample = static_cast<int>(std::lround(Charts[pane].BottomAxis().PixelToValue(column)));
    Coordinator.ZoomAbout(pane, column, std::clamp(sample, 0, Series[pane].PointCount() - 1), in);
    Paint();
  }

  static std::pair<double, double> Range(const TChartAxis& axis) { return {axis.Minimum(), axis.Maximum()}; }
  std::pair<double, double> TimeView(std::uint8_t pane) { return Range(Charts[pane].TopAxis()); }
  std::pair<double, double> SampleView(std::uint8_t pane) { return Range(Charts[pane].BottomAxis()); }
};

constexpr TLog kPlain{1000, 0, 0.01};
const std::array<TLog, 4> kEqual{kPlain, kPlain, kPlain, kPlain};
const std::array<TLog, 4> kDifferentLengths{kPlain, TLog{600, 0, 0.01}, kPlain, TLog{300, 0, 0.01}};
// One drive logged at 10, 25, 50 and 100 Hz, each started at another time.
const std::array<TLog, 4> kDifferentRates{TLog{1000, 3, 0.1}, TLog{2400, 0, 0.04}, TLog{5000, 7.5, 0.02},
                                          TLog{9000, 1.2, 0.01}};
const std::array<TLog, 4> kOneUnstamped{kPlain, kPlain, TLog{1000, 0, 0}, kPlain};
const std::array<TLog, 4> kOneNotIncreasing{kPlain, TLog{1000, 0, 0.01, 400}, kPlain, kPlain};

using TStep = std::function<void(Panes&)>;
struct TNamedStep {
  const char* Name;
  TStep Run;
};
const std::vector<TNamedStep> kSteps = {
    {"zoom on pane 0", [](Panes& p) { p.Drag(0, mbLeft, 150, 420); }},
    {"zoom on pane 2", [](Panes& p) { p.Drag(2, mbLeft, 100, 600); }},
    {"pan pane 1", [](Panes& p) { p.Drag(1, mbRight, 400, 330); }},
    {"undo on pane 3", [](Panes& p) { p.Drag(3, mbLeft, 500, 100); }},
    {"back", [](Panes& p) { p.Coordinator.Back(); }},
    {"+ on pane 1", [](Panes& p) { p.Key(1, true); }},
    {"- on pane 3", [](Panes& p) { p.Key(3, false); }},
    {"escape", [](Panes& p) { p.Coordinator.UndoAll(); }},
};

// Each mode, each kind of logs, each step after a first zoom: locked by
// time the panes show one time range bit for bit and each its own samples
// of it; by samples one sample range; the plots of locked panes share their
// right edge; by pixel columns the plots keep their own widths.
TEST(TimeLock, TheModeDecidesWhatThePanesShare) {
  const struct {
    const char* Name = "";
    const std::array<TLog, 4>* Logs = nullptr;
    bool Stamped = false;
  } logs[] = {{"equal", &kEqual, true},
              {"different lengths", &kDifferentLengths, true},
              {"different rates", &kDifferentRates, true},
              {"one unstamped", &kOneUnstamped, false},
              {"one not increasing", &kOneNotIncreasing, false}};
  for (const TLockMode mode : {TLockMode::Time, TLockMode::Samples, TLockMode::PixelColumns}) {
    for (const auto& log : logs) {
      for (const TNamedStep& step : kSteps) {
        Panes panes(mode, *log.Logs);
        kSteps[0].Run(panes);
        step.Run(panes);
        const std::string name = std::string(log.Name) + ", mode " + std::to_string(int(mode)) + ", " + step.Name;
        const TLockMode shown = mode == TLockMode::Time && !log.Stamped ? TLockMode::Samples : mode;
        ASSERT_EQ(panes.Coordinator.Mode(), shown) << name;
        for (std::uint8_t pane = 1; pane < 4; ++pane) {
          const TRect& plot = panes.Charts[pane].PlotRect;
          const TRect& first = panes.Charts[0].PlotRect;
          if (shown == TLockMode::Time) {
            EXPECT_EQ(panes.TimeView(pane), panes.TimeView(0)) << name << ", pane " << int(pane);
          } else if (shown == TLockMode::Samples) {
            EXPECT_EQ(panes.SampleView(pane), panes.SampleView(0)) << name << ", pane " << int(pane);
          }
          if (shown != TLockMode::PixelColumns) {
            EXPECT_EQ(plot.Left, first.Left) << name;
            EXPECT_EQ(plot.Right, first.Right) << name;
          } else {
            EXPECT_EQ(panes.Charts[pane].RightAxis().LabelsSize(), 0) << name;
          }
        }
        if (shown == TLockMode::Time) {
          for (std::uint8_t pane = 0; pane < 4; ++pane) {
            const TPaneTimes times = panes.Coordinator.Times(pane);
            const auto [low, high] = panes.TimeView(pane);
            EXPECT_EQ(panes.SampleView(pane), std::pair(times.SampleAt(low), times.SampleAt(high)))
                << name << ", pane " << int(pane);
          }
        }
      }
    }
  }
}

// The user's mode is kept; time is offered only while every log with
// samples has increasing stamps.
TEST(TimeLock, TimeHoldsOnlyWhereEveryLogIsStamped) {
  Panes panes(TLockMode::Time, kEqual);
  EXPECT_TRUE(panes.Coordinator.TimeAvailable());
  panes.Load(2, TLog{1000, 0, 0});
  EXPECT_FALSE(panes.Coordinator.TimeAvailable());
  EXPECT_EQ(panes.Coordinator.Mode(), TLockMode::Samples);
  EXPECT_EQ(panes.State.LockMode(), TLockMode::Time);
}

// Done when: four rates, started apart, after any sequence of steps.
TEST(TimeLock, AnySequenceKeepsOneTimeRangeOneCursorColumnAndReadoutsAtOneMoment) {
  Panes panes(TLockMode::Time, kDifferentRates);
  constexpr double kHalfCoarsest = 0.05;
  std::mt19937 random(32);
  for (int round = 0; round < 60; ++round) {
    const std::size_t step = random() % kSteps.size();
    kSteps[step].Run(panes);
    for (std::uint8_t pane = 1; pane < 4; ++pane) {
      ASSERT_EQ(panes.TimeView(pane), panes.TimeView(0)) << "round " << round << ", " << kSteps[step].Name;
    }
    const std::uint8_t source = static_cast<std::uint8_t>(random() % 4);
    const TRect& plot = panes.Charts[source].PlotRect;
    const int column = plot.Left + static_cast<int>(random() % static_cast<unsigned>(plot.Right - plot.Left));
    panes.Measures.ShowReadout(source, column);
    const double time = panes.Charts[source].TopAxis().PixelToValue(column);
    for (std::uint8_t pane = 0; pane < 4; ++pane) {
      const std::optional<TCursorReadout> readout = panes.Measures.ShownReadout(pane);
      ASSERT_TRUE(readout) << round;
      EXPECT_EQ(readout->Column, column) << "one column in every pane";
      const TPaneTimes times = panes.Coordinator.Times(pane);
      const TAxisRange span = times.Span();
      if (time < span.Minimum - kHalfCoarsest || time > span.Maximum + kHalfCoarsest) {
        EXPECT_FALSE(readout->Samples) << "no data before or after the log";
        continue;
      }
      ASSERT_TRUE(readout->Samples) << round << ", pane " << int(pane) << " at " << time;
      // A column may hold several samples; the moment lies among them.
      const double first = times.SampleTime(static_cast<std::size_t>(readout->Samples->First));
      const double last = times.SampleTime(static_cast<std::size_t>(readout->Samples->Last));
      const double width = panes.Charts[source].TopAxis().PixelToValue(column + 1) - time;
      EXPECT_LE(first, time + width / 2 + kHalfCoarsest) << round << ", pane " << int(pane);
      EXPECT_GE(last, time - width / 2 - kHalfCoarsest) << round << ", pane " << int(pane);
    }
  }
}

// Locked by samples, a readout past the end of a shorter log says "no data"
// there and leaves the other panes at the samples under the mouse.
TEST(TimeLock, PastTheEndOfAShorterLogOnlyItsPaneHasNoData) {
  for (const TLockMode mode : {TLockMode::Samples, TLockMode::Time}) {
    Panes panes(mode, kDifferentLengths);
    const TRect& plot = panes.Charts[3].PlotRect;
    for (const std::uint8_t source : {std::uint8_t{0}, std::uint8_t{3}}) {
      const int column = plot.Right - 20;  // past sample 300 of pane 3's log, before 600 of pane 1's
      panes.Measures.ShowReadout(source, column);
      const double underMouse = panes.Charts[0].BottomAxis().PixelToValue(column);
      for (std::uint8_t pane = 0; pane < 4; ++pane) {
        const std::optional<TCursorReadout> readout = panes.Measures.ShownReadout(pane);
        ASSERT_TRUE(readout);
        if (pane == 1 || pane == 3) {
          EXPECT_EQ(readout->Text, kNoSampleText) << int(mode) << ", source " << int(source) << ", pane " << int(pane);
        } else {
          ASSERT_TRUE(readout->Samples) << int(mode) << ", pane " << int(pane);
          EXPECT_NEAR(readout->Samples->First, underMouse, 2) << int(mode) << ", source " << int(source);
        }
      }
    }
  }
}

// An offset moves a log on the common time line: the pane then shows the
// samples of the same time range from another place of its log.
TEST(TimeLock, AnOffsetShiftsTheLogOnTheTimeLine) {
  Panes panes(TLockMode::Time, kEqual);
  kSteps[0].Run(panes);
  const auto time = panes.TimeView(0);
  const auto before = panes.SampleView(2);
  panes.Offsets[2] = 2.5;
  panes.Coordinator.TimesChanged();
  EXPECT_EQ(panes.TimeView(2), time);
  EXPECT_NEAR(panes.SampleView(2).first, before.first - 250, 1e-6);
  EXPECT_NEAR(panes.SampleView(2).second, before.second - 250, 1e-6);

  // Alt+drag: 100 columns to the right put the log 100 columns' time later.
  const TChartAxis& axis = panes.Charts[2].TopAxis();
  panes.Coordinator.BeginTimeShift(2, 200, 2.5);
  EXPECT_FALSE(panes.Charts[2].Zoom().Allow()) << "the drag does not zoom";
  const auto shifted = panes.Coordinator.TimeShiftTo(300);
  ASSERT_TRUE(shifted);
  EXPECT_EQ(shifted->first, 2);
  // As exact as a pixel column, in the decimals its time needs.
  const double column = axis.PixelToValue(301) - axis.PixelToValue(300);
  EXPECT_NEAR(shifted->second, 2.5 + axis.PixelToValue(300) - axis.PixelToValue(200), column / 2);
  EXPECT_EQ(shifted->second, std::round(shifted->second * 1000) / 1000) << "a column is " << column << " s";
  EXPECT_TRUE(panes.Coordinator.EndTimeShift());
  EXPECT_TRUE(panes.Charts[2].Zoom().Allow());
  EXPECT_FALSE(panes.Coordinator.TimeShiftTo(300));
}

TEST(TimeLock, OffsetsAreTypedAndShownInSeconds) {
  const struct {
    const char* Text = "";
    char Separator = '.';
    std::optional<double> Seconds;
  } cases[] = {{"12.5", '.', 12.5},       {"+12,5", ',', 12.5},        {" -3 ", '.', -3.0},
               {"01:00:00", '.', 3600.0}, {"12,5", '.', std::nullopt}, {"ten", '.', std::nullopt},
               {"", '.', std::nullopt}};
  for (const auto& c : cases) {
    EXPECT_EQ(ParseOffset(c.Text, c.Separator), c.Seconds) << c.Text;
  }
  EXPECT_EQ(OffsetText(12.5, '.'), "+12.5 s");
  EXPECT_EQ(OffsetText(-3, ','), "-3 s");
  EXPECT_EQ(OffsetText(0.25, ','), "+0,25 s");
}

TEST(TimeLock, ClockStampsAreLabelledAsClockTimes) {
  const struct {
    double Seconds = 0;
    const char* Label = "";  // as the engine writes it
    char Separator = '.';
    const char* Clock = "";
  } cases[] = {{43240.5, "43.240,5", ',', "12:00:40,5"},
               {43240, "43,240", '.', "12:00:40"},
               {59.95, "59.95", '.', "00:00:59.95"},
               {86399.96, "86,400.0", '.', "24:00:00.0"},
               {-5, "-5", '.', "-00:00:05"},
               {0.04, "0.04", '.', "00:00:00.04"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ClockLabel(c.Seconds, c.Label, c.Separator), c.Clock) << c.Label;
  }
}

// The settings word decides; an older file's flag reads as samples; the
// user's file without either locks by time, a state for this run only by
// pixel columns as first built.
TEST(TimeLock, TheLockModeIsReadFromTheSettings) {
  const struct {
    const char* File = nullptr;  // nullptr: no file
    TLockMode Mode = TLockMode::Time;
  } cases[] = {{nullptr, TLockMode::Time},
               {"", TLockMode::Time},
               {"lock=samples\n", TLockMode::Samples},
               {"lock=pixels\n", TLockMode::PixelColumns},
               {"lock=time\nlock-to-samples=on\n", TLockMode::Time},
               {"lock-to-samples=on\n", TLockMode::Samples},
               {"lock-to-samples=off\n", TLockMode::PixelColumns},
               {"lock=sideways\nlock-to-samples=on\n", TLockMode::Samples}};
  for (const auto& c : cases) {
    TempFolder folder;
    if (c.File != nullptr) {
      folder.Write("settings", c.File);
    }
    TSavedState state(folder.Folder() + "settings");
    state.Read();
    EXPECT_EQ(state.LockMode(), c.Mode) << (c.File ? c.File : "no file");
  }
  TSavedState forThisRun;
  forThisRun.Read();
  EXPECT_EQ(forThisRun.LockMode(), TLockMode::PixelColumns);
}

// A log's shift goes with its name, whatever bytes the name holds.
TEST(TimeLock, AnOffsetIsKeptWithTheLogsName) {
  TempFolder folder;
  const std::string path = folder.Folder() + "settings";
  const std::vector<std::string> names = {"/logs/a.csv", "/logs/a=b%3D.csv", "/logs/a=b=.csv"};
  {
    TSavedState state(path);
    state.Read();
    state.SetLogOffset(names[0], 12.5);
    state.SetLogOffset(names[1], -0.001);
    state.SetLogOffset(names[2], 3600);
  }
  TSavedState state(path);
  state.Read();
  EXPECT_EQ(state.LogOffset(names[0]), 12.5);
  EXPECT_EQ(state.LogOffset(names[1]), -0.001);
  EXPECT_EQ(state.LogOffset(names[2]), 3600);
  EXPECT_EQ(state.LogOffset("/logs/other.csv"), 0);
}

// The time between two stamps maps to the samples between them in
// proportion, and beyond the log at its mean interval.
TEST(TimeLock, PaneTimesMapSecondsToSamples) {
  TStampTimes stamps;
  for (const std::int64_t ms : {1000, 1010, 1030, 1040}) {
    stamps.Append(TStamp{ms, 3});
  }
  const TPaneTimes times{&stamps, 10};
  const struct {
    double Seconds = 0;
    double Sample = 0;
    std::optional<std::size_t> Nearest;
  } cases[] = {{11.0, 0, 0},
               {11.004, 0.4, 0},
               {11.02, 1.5, 1},
               {11.04, 3, 3},
               {11.05, 3.75, std::nullopt},
               {10.99, -0.75, std::nullopt},
               {11.046, 3.45, 3}};
  for (const auto& c : cases) {
    EXPECT_NEAR(times.SampleAt(c.Seconds), c.Sample, 1e-9) << c.Seconds;
    EXPECT_EQ(times.NearestSample(c.Seconds), c.Nearest) << c.Seconds;
  }
  EXPECT_EQ(times.SamplesBetween(11.0, 11.035), (std::pair<std::size_t, std::size_t>{0, 2}));
  EXPECT_EQ(times.SamplesBetween(11.011, 11.012), (std::pair<std::size_t, std::size_t>{1, 1})) << "the nearest";
}

}  // namespace
