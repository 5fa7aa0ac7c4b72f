#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/CommandLine.h"
#include "app/window/TForm1.h"
#include "gui/Application.h"
#include "gui/DialogScript.h"
#include "tests/app/FormTexts.h"
#include "tests/app/TempFolder.h"
#include "tests/runtime/LocaleScope.h"
#include "tests/support/PointValues.h"

namespace {

void Append(const std::string& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::app) << bytes;
}

// Handles events, as the window's message loop does, until the series has
// `count` points; the deadline only ends a test that would otherwise hang.
bool Followed(const TChartSeries& series, int count) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (series.PointCount() < count && std::chrono::steady_clock::now() < deadline) {
    ProcessPendingEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return series.PointCount() == count;
}

// A window whose settings file is in a fresh folder, following its logs.
struct FollowingWindow {
  TempFolder Folder;
  DialogScript Script;
  TForm1 Form{Folder.Folder(), Folder.Folder() + "settings"};

  // A file missing at two steps was deleted.
  FollowingWindow() {
    Form.Document().FollowedMissingGrace = {};
    Form.SetFollowing(true);
  }

  std::string Open(std::uint8_t pane, const std::string& name, const std::string& bytes) {
    std::string file = Folder.Write(name, bytes);
    Form.OpenLogs(pane, {file});
    return file;
  }
};

// What happens to the log, step by step; each step is followed by the
// window's follow step, as a change notification brings it.
using TChange = std::function<void(const TempFolder& folder, const std::string& file)>;

TChange Appending(const std::string& bytes) {
  return [bytes](const TempFolder&, const std::string& file) { Append(file, bytes); };
}

TChange Rewriting(const std::string& bytes) {
  return [bytes](const TempFolder& folder, const std::string&) { folder.Write("log.csv", bytes); };
}

// Another file of the same name: written beside it, then renamed over it.
TChange Replacing(const std::string& bytes) {
  return [bytes](const TempFolder& folder, const std::string& file) {
    std::rename(folder.Write("log.csv.new", bytes).c_str(), file.c_str());
  };
}

const TChange kDeleting = [](const TempFolder&, const std::string& file) { std::filesystem::remove(file); };
const TChange kNothing = [](const TempFolder&, const std::string&) {};
// Written to the same inode again, with nothing else in the file.
const TChange kTouching = [](const TempFolder& folder, const std::string&) {
  folder.Write("log.csv", folder.Read("log.csv"));
};

// A rotation: the log renamed, its writer not yet started on the new one.
const TChange kMovingAway = [](const TempFolder&, const std::string& file) {
  std::filesystem::rename(file, file + ".1");
};

// Deleted and made again before the step: the inode may come back.
TChange Recreating(const std::string& bytes) {
  return [bytes](const TempFolder& folder, const std::string& file) {
    std::filesystem::remove(file);
    folder.Write("log.csv", bytes);
  };
}

struct FollowCase {
  const char* name = "";
  std::string initial;
  std::vector<TChange> changes;
  std::vector<double> points;
  std::vector<std::string> title;
  std::vector<std::string> messages;  // "{file}" stands for the log's path
  std::optional<long long> stoppedAt = std::nullopt;
};

class FollowTable : public testing::TestWithParam<FollowCase> {};

TEST_P(FollowTable, AppendsWhatTheLogGainsAndSaysWhyItStops) {
  const FollowCase& c = GetParam();
  FollowingWindow window;
  const std::string file = window.Open(1, "log.csv", c.initial);
  for (const TChange& change : c.changes) {
    change(window.Folder, file);
    window.Form.FollowLogs();
  }
  EXPECT_EQ(Ys(window.Form.PaneSeries(1)), c.points);
  EXPECT_EQ(window.Form.Chart2.Title().Text(), c.title);
  std::vector<std::string> messages = c.messages;
  for (std::string& message : messages) {
    if (const std::size_t at = message.find("{file}"); at != std::string::npos) {
      message.replace(at, 6, file);
    }
  }
  EXPECT_EQ(MessageTexts(window.Script), messages);
  const std::optional<TLogDocument::TStop>& stop = window.Form.Document().PaneLog(1).StoppedEarly;
  EXPECT_EQ(stop ? stop->Line : std::nullopt, c.stoppedAt);
  for (int i = 0; i < window.Form.PaneSeries(1).PointCount(); ++i) {
    ASSERT_EQ(window.Form.PaneSeries(1).XValueAt(i), i);
  }
}

const std::string kLog = "t,V\n0,1\n";
const std::vector<std::string> kV = {"V"};

INSTANTIATE_TEST_SUITE_P(
    Follow, FollowTable,
    testing::Values(
        FollowCase{"WholeLines", kLog, {Appending("1,2\n2,3\n"), Appending("3,4\n")}, {1, 2, 3, 4}, kV, {}},
        FollowCase{"NothingNew", kLog, {Appending(""), kTouching}, {1}, kV, {}},
        FollowCase{"HalfLineWaitsForItsEnd", kLog, {Appending("1,2"), Appending(".5\n2,3\n")}, {1, 2.5, 3}, kV, {}},
        FollowCase{"HalfLineWithoutItsEndYet", kLog, {Appending("1,2\n2,")}, {1, 2}, kV, {}},
        FollowCase{"CrLfSplitBetweenWrites", kLog, {Appending("1,2\r"), Appending("\n2,3\r\n")}, {1, 2, 3}, kV, {}},
        FollowCase{"HeaderOfAnEmptyLog", "", {Appending("t,V"), Appending("\n0,3\n")}, {3}, kV, {}},
        FollowCase{"SensorWord", kLog, {Appending("1,Rich\n")}, {1, 2}, kV, {}},
        FollowCase{"BadLineStopsThePane",
                   kLog,
                   {Appending("1,2\n2,oops\n3,4\n"), Appending("4,5\n")},
                   {1, 2},
                   kV,
                   {"'oops' is not a valid floating point value.\nIn '{file}' at line 4"},
                   4},
        FollowCase{"ShrunkLogLoadsAgain",
                   kLog,
                   {Appending("1,2\n2,3\n"), Rewriting("t,W\n0,7\n"), Appending("1,8\n")},
                   {7, 8},
                   {"W"},
                   {}},
        FollowCase{"ReplacedLogLoadsAgain",
                   kLog,
                   {Replacing("t,R\n0,5\n1,6\n2,7\n"), Appending("3,8\n")},
                   {5, 6, 7, 8},
                   {"R"},
                   {}},
        FollowCase{"RewrittenInPlaceLongerLoadsAgain",
                   kLog,
                   {Rewriting("t,W\n0,7\n1,8\n2,9\n"), Appending("3,0\n")},
                   {7, 8, 9, 0},
                   {"W"},
                   {}},
        FollowCase{"RewrittenWithTheSameStartLoadsAgain",
                   "t,V\n0,1\n1,2\n",
                   {Rewriting("t,V\n0,1\n1,5\n2,6\n")},
                   {1, 5, 6},
                   kV,
                   {}},
        FollowCase{
            "DeletedAndMadeAgainAtOnceLoadsAgain", kLog, {Recreating("t,W\n0,7\n1,8\n2,9\n")}, {7, 8, 9}, {"W"}, {}},
        FollowCase{"RotatedLogLoadsTheNewOneFromItsStart",
                   kLog,
                   {Appending("1,2\n"), kMovingAway, Rewriting("t,R\n0,5\n"), Appending("1,6\n")},
                   {5, 6},
                   {"R"},
                   {}},
        FollowCase{"DeletedLogIsNoLongerFollowed",
                   kLog,
                   {kDeleting, kNothing, Rewriting("t,V\n0,1\n1,2\n"), Appending("2,3\n")},
                   {1},
                   kV,
                   {"'{file}' was deleted; the pane no longer follows it."}}),
    [](const auto& test) { return test.param.name; });

TEST(Follow, TheModeIsTheKeyAndTheMenuEntryAndIsRemembered) {
  TempFolder folder;
  DialogScript script;
  const std::string settings = folder.Folder() + "settings";
  {
    TForm1 form(folder.Folder(), settings);
    EXPECT_FALSE(form.State().Following());
    form.FormKeyDown('F', 0);
    EXPECT_TRUE(form.State().Following());
  }
  EXPECT_EQ(folder.Read("settings"), "follow=on\n");
  TForm1 form(folder.Folder(), settings);
  EXPECT_TRUE(form.State().Following());
  script.MenuAnswers.push_back("Follow growing logs");
  form.ShowPaneMenu(0, 10, 10);
  EXPECT_FALSE(form.State().Following());
  ASSERT_EQ(script.MenusShown.size(), 1U);
  const std::vector<std::string>& menu = script.MenusShown[0];
  EXPECT_NE(std::find(menu.begin(), menu.end(), "Follow growing logs"), menu.end());
  EXPECT_EQ(folder.Read("settings"), "follow=off\n");
  EXPECT_TRUE(ParseCommandLine({"--follow", "a.csv"}).Follow);
  EXPECT_EQ(ParseCommandLine({"--follow", "a.csv"}).Logs, std::vector<std::string>{"a.csv"});
  EXPECT_FALSE(ParseCommandLine({"--", "--follow"}).Follow);
}

TEST(Follow, FollowsEvenWhenTheModeCannotBeRemembered) {
  TempFolder folder;
  DialogScript script;
  const std::string settings = folder.Folder() + "settings";
  std::filesystem::create_directories(settings);  // a folder in the way of the file
  TForm1 form(folder.Folder(), settings);
  form.OnKeyDown('F', 0);
  ASSERT_EQ(script.Messages.size(), 1U);
  EXPECT_EQ(script.Messages[0].Text.rfind("Cannot write the settings", 0), 0U) << script.Messages[0].Text;
  const std::string file = folder.Write("log.csv", kLog);
  form.OpenLogs(0, {file});
  Append(file, "1,2\n");
  EXPECT_TRUE(Followed(form.PaneSeries(0), 2)) << "the watcher runs";
}

TEST(Follow, OnlyWhileOnAndALastLineTakenWithoutItsEndIsReadAgainWhole) {
  TempFolder folder;
  DialogScript script;
  TForm1 form(folder.Folder());
  const std::string file = folder.Write("log.csv", "t,V\n0,1\n1,2");
  form.OpenLogs(0, {file});
  EXPECT_EQ(Ys(form.PaneSeries(0)), (std::vector<double>{1, 2})) << "a load takes the last line";
  Append(file, "5\n");
  form.FollowLogs();
  EXPECT_EQ(Ys(form.PaneSeries(0)), (std::vector<double>{1, 2})) << "not following";
  form.SetFollowing(true);
  EXPECT_EQ(Ys(form.PaneSeries(0)), (std::vector<double>{1, 25}));
  Append(file, "2,3");
  form.FollowLogs();
  form.SetFollowing(false);
  form.SetFollowing(true);
  Append(file, "\n");
  form.FollowLogs();
  EXPECT_EQ(Ys(form.PaneSeries(0)), (std::vector<double>{1, 25, 3}));
  EXPECT_TRUE(script.Messages.empty());
}

// The lines a follow step adds are read as the log's first ones were, even
// when the locale's separator changed since.
TEST(Follow, TheSamplesAddedAreReadWithTheSeparatorTheLogWasReadWith) {
  TempFolder folder;
  DialogScript script;
  TForm1 form(folder.Folder());
  form.SetFollowing(true);
  std::optional<LocaleScope> locale(std::in_place, ',', '.');
  const std::string file = folder.Write("log.csv", "t,V\n0,1,5\n");
  form.OpenLogs(0, {file});
  locale.reset();
  const LocaleScope point('.', ',');
  Append(file, "1,2,25\n");
  form.FollowLogs();
  EXPECT_EQ(Ys(form.PaneSeries(0)), (std::vector<double>{1.5, 2.25}));
  EXPECT_EQ(form.Document().PaneLog(0).DecimalSeparator, ',');
  EXPECT_TRUE(script.Messages.empty());
}

// The view of each pane after its log gained 500 samples, 1,000 to start.
struct ViewCase {
  const char* name = "";
  std::optional<TAxisRange> zoom;  // none: automatic scaling
  TAxisRange after;
};

TEST(Follow, AutomaticPanesRescaleViewsAtTheEndMoveOnAndEarlierViewsStay) {
  const ViewCase cases[] = {
      {"automatic", std::nullopt, {0, 1499}},
      {"zoomed to the end", TAxisRange{800, 999}, {1300, 1499}},
      {"zoomed past the end", TAxisRange{900, 1010}, {1400, 1510}},
      {"zoomed to an earlier stretch", TAxisRange{100, 300}, {100, 300}},
  };
  std::string log = "t,V\n";
  for (int i = 0; i < 1000; ++i) {
    log += std::to_string(i) + "," + std::to_string(i % 17) + "\n";
  }
  std::string more;
  for (int i = 1000; i < 1500; ++i) {
    more += std::to_string(i) + "," + std::to_string(i % 13) + "\n";
  }
  for (const ViewCase& c : cases) {
    FollowingWindow window;
    const std::string file = window.Open(0, "log.csv", log);
    TChart& chart = window.Form.Chart1;
    chart.Refresh();
    if (c.zoom) {
      chart.ApplyZoomRanges(*c.zoom, *c.zoom, {chart.LeftAxis().Minimum(), chart.LeftAxis().Maximum()},
                            {chart.RightAxis().Minimum(), chart.RightAxis().Maximum()});
    }
    Append(file, more);
    window.Form.FollowLogs();
    chart.Refresh();
    EXPECT_EQ(chart.BottomAxis().Minimum(), c.after.Minimum) << c.name;
    EXPECT_EQ(chart.BottomAxis().Maximum(), c.after.Maximum) << c.name;
    if (c.zoom) {
      EXPECT_EQ(chart.TopAxis().Maximum(), c.after.Maximum) << c.name;
    }
    EXPECT_EQ(chart.IsZoomed, c.zoom.has_value()) << c.name;
  }
}

// Each pane follows its own log, one that stops leaves the others, and the
// locked panes move with the zoomed one.
TEST(Follow, FourLockedPanesGrowTogetherAndKeepTheSameSamples) {
  FollowingWindow window;
  window.Form.SetLocked(true);
  std::vector<std::string> files;
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    std::string log = "t,P" + std::to_string(pane) + "\n";
    for (int i = 0; i < 100 * (TForm1::PaneCount - pane); ++i) {
      log += std::to_string(i) + "," + std::to_string(pane) + "\n";
    }
    files.push_back(window.Open(pane, "log" + std::to_string(pane) + ".csv", log));
  }
  TChart& top = window.Form.Chart1;
  top.ApplyZoomRanges({300, 399}, {300, 399}, {top.LeftAxis().Minimum(), top.LeftAxis().Maximum()},
                      {top.RightAxis().Minimum(), top.RightAxis().Maximum()});
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    Append(files[pane], pane == 2 ? "x,bad\n" : "0,1\n0,1\n0,1\n0,1\n0,1\n");
  }
  window.Form.FollowLogs();
  EXPECT_EQ(MessageTexts(window.Script),
            std::vector<std::string>{"'bad' is not a valid floating point value.\nIn '" + files[2] + "' at line 202"});
  ASSERT_EQ(window.Script.Messages.size(), 1U);
  EXPECT_EQ(window.Script.Messages[0].Details, "File: " + files[2] + "\nStopped at line 202\nSamples kept: 200");
  const std::vector<int> counts = {405, 305, 200, 105};
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    EXPECT_EQ(window.Form.PaneSeries(pane).PointCount(), counts[pane]) << int(pane);
    EXPECT_EQ(window.Form.PaneChart(pane).BottomAxis().Minimum(), 305) << int(pane);
    EXPECT_EQ(window.Form.PaneChart(pane).BottomAxis().Maximum(), 404) << int(pane);
  }
  window.Form.Coordinator().UndoAll();
  Append(files[0], "0,1\n");
  window.Form.FollowLogs();
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    EXPECT_EQ(window.Form.PaneChart(pane).BottomAxis().Maximum(), 405) << "the common range" << int(pane);
  }
}

// The figures of a growing view are extended, and equal the ones worked out
// afresh; the sensor words and time stamps are noted as they come.
TEST(Follow, TheStatisticsAndTheSensorWordsGrowWithTheLog) {
  FollowingWindow window;
  std::string log = "t,V\n";
  for (int i = 0; i < 10000; ++i) {
    log += std::to_string(i) + "," + std::to_string(i % 101) + "\n";
  }
  const std::string file = window.Open(0, "log.csv", log);
  window.Form.FormKeyDown('S', 0);
  window.Form.Chart1.Refresh();
  ASSERT_TRUE(window.Form.Measures().PaneStatistics(0));
  for (int step = 0; step < 3; ++step) {
    Append(file, std::to_string(20000 + step) + ",1000\n0,Lean\n0,-5\n");
    window.Form.FollowLogs();
    window.Form.Chart1.Refresh();
    const std::optional<TMeasurements::TPaneStatistics> figures = window.Form.Measures().PaneStatistics(0);
    ASSERT_TRUE(figures);
    TBlockSums sums;
    const TChartSeries& series = window.Form.PaneSeries(0);
    const TStretchStatistics fresh =
        NumbersOnly(series.YValues(), StretchStatistics(series.YValues(), 0, series.PointCount() - 1, sums),
                    window.Form.Document().Notes(0).Words);
    EXPECT_EQ(figures->Figures.Count(), 10002 + 2 * step) << "the words are not numbers";
    EXPECT_EQ(figures->Figures.Words, 1 + step);
    EXPECT_EQ(figures->Figures.Min, -5);
    EXPECT_EQ(figures->Figures.Max, 1000);
    EXPECT_NEAR(figures->Figures.Mean, fresh.Mean, 1e-9);
  }
  EXPECT_TRUE(window.Form.Document().Notes(0).Words.IsWord(10004));
  EXPECT_FALSE(window.Form.Document().Notes(0).Words.IsWord(10005));
  EXPECT_TRUE(window.Form.Document().Notes(0).Words.IsWord(10007));
  EXPECT_EQ(window.Form.Document().Notes(0).Field(9999), "9999");
  EXPECT_EQ(window.Form.Document().Notes(0).Field(10006), "20002") << "the time stamps grow with the log";
}

// A change notice that brings nothing new (a writer that only rewrote the
// same bytes) leaves the pane as it is: its zoom and its markers stay.
TEST(Follow, ANoticeWithoutGrowthKeepsTheZoomAndTheMarkers) {
  FollowingWindow window;
  std::string log = "t,V\n";
  for (int i = 0; i < 1000; ++i) {
    log += std::to_string(i) + "," + std::to_string(i % 17) + "\n";
  }
  const std::string file = window.Open(0, "log.csv", log);
  TChart& chart = window.Form.Chart1;
  chart.Refresh();
  chart.ApplyZoomRanges({100, 300}, {100, 300}, {chart.LeftAxis().Minimum(), chart.LeftAxis().Maximum()},
                        {chart.RightAxis().Minimum(), chart.RightAxis().Maximum()});
  chart.Refresh();
  window.Form.ShowCursorReadout(0, chart.PlotRect.Left + 10);
  window.Form.FormKeyDown('A', 0);
  ASSERT_TRUE(window.Form.Measures().Markers()[0]);
  for (const TChange& change : {Appending(""), kTouching}) {
    change(window.Folder, file);
    window.Form.FollowLogs();
    EXPECT_TRUE(chart.IsZoomed);
    EXPECT_EQ(chart.BottomAxis().Minimum(), 100);
    EXPECT_EQ(chart.BottomAxis().Maximum(), 300);
    EXPECT_TRUE(window.Form.Measures().Markers()[0]);
  }
  EXPECT_TRUE(window.Script.Messages.empty());
}

}  // namespace
