// Multi-column logs in the panes: one read for several panes, the column
// picker, bad lines named by line and column, follow and reload per file,
// and the references that name a column.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/commands/TCommands.h"
#include "app/document/LogReference.h"
#include "app/window/TForm1.h"
#include "chart/series/TLineSeries.h"
#include "gui/DialogScript.h"
#include "log/ColumnLog.h"
#include "log/LogSample.h"
#include "tests/app/FormTexts.h"
#include "tests/app/PiecewiseRead.h"
#include "tests/app/TempFolder.h"
#include "tests/support/PointValues.h"

namespace {

using Values = std::vector<double>;

constexpr const char* kEngine =
    "Time,RPM,Lambda,Coolant,Battery\n"
    "0.1,800,1.000,80.0,12.5\n"
    "0.2,810,Rich,80.5,12.6\n"
    "0.3,805,0.990,81.0,12.4\n";

// The values the one-parameter loader makes of the same texts.
Values Samples(const std::vector<const char*>& texts) {
  Values values;
  for (const char* text : texts) {
    values.push_back(SampleValue(text, '.'));
  }
  return values;
}

// The engine log's lines, then `bad` after so many good lines that the
// log's shape is told by good lines alone.
std::string AfterGoodLines(const std::string& bad) {
  std::string log = kEngine;
  for (std::size_t line = 4; line <= ShapeSampleLines + 1; ++line) {
    log += "0." + std::to_string(line) + ",800,1,80,12\n";
  }
  return log + bad;
}

class ColumnLog : public ::testing::Test {
protected:
  Texts Titles() { return PaneTitles(form); }
  Texts MessageTexts() const { return ::MessageTexts(script); }

  TempFolder folder;
  TForm1 form{folder.Folder()};
  DialogScript script;
  std::string engine = folder.Write("engine.csv", kEngine);
};

TEST(ColumnLoader, ReadsTheFileOnceForEveryColumn) {
  TempFolder folder;
  std::string log = "Time;A;B;C\n";
  for (int i = 0; i < 200000; ++i) {
    log += std::to_string(i) + ";" + std::to_string(i % 7) + ",5;" + std::to_string(-i) + ";Lean\n";
  }
  const std::string file = folder.Write("big.csv", log);
  std::size_t bytesRead = 0;
  TLoadOptions options;
  const TBlockRead piecewise = PiecewiseRead(1 << 16);
  options.Read = [&](int fd, char* buffer, std::size_t size) {
    const ssize_t n = piecewise(fd, buffer, size);
    bytesRead += static_cast<std::size_t>(std::max<ssize_t>(n, 0));
    return n;
  };
  const TColumnShape shape = *ReadColumnShape(file);
  TLineSeries a, b, c;
  TLogNotes notes;
  const TLoadResult result =
      TColumnLoader(file, shape, options).Load({{1, &a, nullptr}, {2, &b, nullptr}, {3, &c, &notes}}, clBlue, {});
  EXPECT_EQ(result.End, TLoadEnd::EndOfFile);
  EXPECT_EQ(bytesRead, log.size());
  ASSERT_EQ(a.PointCount(), 200000);
  for (const int i : {0, 1, 99999, 100000, 199999}) {
    EXPECT_EQ(a.YValueAt(i), i % 7 + 0.5) << i;
    EXPECT_EQ(b.YValueAt(i), -i) << i;
    EXPECT_EQ(c.YValueAt(i), 1.0) << i;
    EXPECT_TRUE(notes.Words.IsWord(static_cast<std::size_t>(i))) << i;
  }
  EXPECT_EQ(result.Next.Line, 200002u);
}

TEST_F(ColumnLog, ThePickerOffersTheFirstColumnNotShownAndFillsThePanes) {
  script.ColumnAnswers = {DialogScript::ColumnAnswer{}, DialogScript::ColumnAnswer{"Coolant"}, std::nullopt};
  form.OpenLogs(0, {engine});
  form.OpenLogs(1, {engine});
  form.OpenLogs(2, {engine});  // cancelled
  ASSERT_EQ(script.ColumnPickerOffers.size(), 3u);
  EXPECT_EQ(script.ColumnPickerOffers[0].Columns, (Texts{"RPM", "Lambda", "Coolant", "Battery"}));
  EXPECT_EQ(script.ColumnPickerOffers[0].Offered, "RPM");
  EXPECT_EQ(script.ColumnPickerOffers[1].Offered, "Lambda");
  EXPECT_EQ(script.ColumnPickerOffers[2].Offered, "Lambda");
  EXPECT_EQ(Titles(), (Texts{"RPM", "Coolant", "Parametr", "Parametr"}));
  EXPECT_EQ(Ys(form.PaneSeries(0)), (Values{800, 810, 805}));
  EXPECT_EQ(Ys(form.PaneSeries(1)), (Values{80.0, 80.5, 81.0}));
  EXPECT_EQ(form.Document().PaneLog(1).Column->Number, 4u);
  EXPECT_EQ(form.State().RecentLogs().front(), engine + ":Coolant");

  script.ColumnAnswers = {DialogScript::ColumnAnswer{std::nullopt, true}};
  form.OpenLogs(1, {engine});
  EXPECT_EQ(Titles(), (Texts{"RPM", "RPM", "Lambda", "Coolant"}));
  EXPECT_EQ(Ys(form.PaneSeries(2)), Samples({"1.000", "Rich", "0.990"}));
  EXPECT_TRUE(form.Document().Notes(2).Words.IsWord(1));
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(ColumnLog, ReferencesNameColumnsOnTheCommandLineAndInTheSession) {
  form.OpenLogs(0, ParseCommandLine({"--columns", "Battery,2", engine}).Logs);
  EXPECT_EQ(Titles(), (Texts{"Battery", "RPM", "Parametr", "Parametr"}));
  form.OpenLogs(2, {engine + ":Lambda", engine + ":Speed", engine + ":5"});
  EXPECT_EQ(Titles(), (Texts{"Battery", "RPM", "Lambda", "Parametr"}));
  EXPECT_EQ(MessageTexts(), (Texts{"'" + engine + "' has no column 'Speed' (columns: RPM, Lambda, Coolant, Battery)",
                                   "No pane left for '" + engine + ":5'"}));
  EXPECT_EQ(form.Document().References()[2], engine + ":Lambda");
  EXPECT_TRUE(script.ColumnPickerOffers.empty());
}

TEST_F(ColumnLog, TheFirstColumnsStampsAreTheSamplesTimes) {
  const struct {
    const char* Log = "";
    std::vector<double> Seconds;
    std::optional<std::string> Leading;
  } cases[] = {
      {"Time,A,B\n12:00:40.5,1,2\n12:00:41,1,2\n", {43240.5, 43241.0}, "12:00:41"},
      {"Time;A;B\n0,5;1;2\n1,25;1;2\n", {0.5, 1.25}, "1,25"},
      {"Time\tA\tB\n12:00:40,5\t1\t2\n12:00:41,5\t1\t2\n", {43240.5, 43241.5}, "12:00:41,5"},
      {"T,A,B\n5,1,2\n3,1,2\n", {}, std::nullopt},
  };
  for (const auto& c : cases) {
    form.OpenLogs(0, {folder.Write("stamped.csv", c.Log) + ":A"});
    const TLogNotes& notes = form.Document().Notes(0);
    ASSERT_EQ(notes.Times.Known(), !c.Seconds.empty()) << c.Log;
    for (std::size_t k = 0; k < c.Seconds.size(); ++k) {
      EXPECT_EQ(notes.Times.Seconds(k), c.Seconds[k]) << c.Log;
    }
    EXPECT_EQ(notes.Field(1), c.Leading) << c.Log;
  }
  EXPECT_TRUE(MessageTexts().empty());
}

TEST(LogReference, AFileNamedWholeComesFirst) {
  TempFolder folder;
  const std::string plain = folder.Write("a.csv", "x");
  const std::string colon = folder.Write("b.csv:RPM", "x");
  const struct {
    std::string Text;
    std::string FileName;
    std::optional<std::string> Column;
  } cases[] = {{plain, plain, std::nullopt},
               {plain + ":RPM", plain, "RPM"},
               {colon, colon, std::nullopt},
               {colon + ":2", colon, "2"},
               {folder.Folder() + "none.csv:RPM", folder.Folder() + "none.csv:RPM", std::nullopt}};
  for (const auto& c : cases) {
    const TLogReference reference = ParseLogReference(c.Text);
    EXPECT_EQ(reference.FileName, c.FileName) << c.Text;
    EXPECT_EQ(reference.Column, c.Column) << c.Text;
  }
}

TEST_F(ColumnLog, ABadLineNamesTheFileTheLineTheColumnAndTheText) {
  const std::string bad = folder.Write("bad.csv", AfterGoodLines("0.4,800,x,81,12\n0.5,800,1\n0.6,1,1,1,1\n"));
  const struct {
    bool Skip = false;
    int Points = 0;
    Texts Messages;
  } cases[] = {
      {false, 101, {"column 3 'Lambda': 'x' is not a valid floating point value.\nIn '" + bad + "' at line 103"}},
      {true, 104, {"Skipped 2 bad lines in '" + bad + "':\nline 103: '0.4,800,x,81,12'\nline 104: '0.5,800,1'"}},
  };
  for (const auto& c : cases) {
    form.SetSkipBadLines(c.Skip);
    script.Messages.clear();
    script.ColumnAnswers = {DialogScript::ColumnAnswer{"Lambda", true}};
    form.OpenLogs(0, {bad});
    EXPECT_EQ(form.PaneSeries(3).PointCount(), c.Points);
    EXPECT_EQ(MessageTexts(), c.Messages);
  }
  EXPECT_TRUE(form.PaneSeries(1).IsNullPoint(101));
  EXPECT_EQ(form.PaneSeries(1).YValueAt(103), 1.0);
  form.SetSkipBadLines(false);
  script.Messages.clear();
  form.OpenLogs(0, {bad + ":Lambda"});
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_NE(script.Messages[0].Details.find("Stopped at line 103"), std::string::npos) << script.Messages[0].Details;
  EXPECT_EQ(form.Document().PaneLog(0).StoppedEarly->Line, 103);
}

TEST_F(ColumnLog, FollowingAndReloadingReadTheFileOnce) {
  script.ColumnAnswers = {DialogScript::ColumnAnswer{std::nullopt, true}};
  form.OpenLogs(0, {engine});
  form.SetFollowing(true);
  std::ofstream(engine, std::ios::app) << "0.4,820,1.010,82.0,12.3\n";
  form.FollowLogs();
  EXPECT_EQ(Ys(form.PaneSeries(0)), (Values{800, 810, 805, 820}));
  EXPECT_EQ(Ys(form.PaneSeries(3)), Samples({"12.5", "12.6", "12.4", "12.3"}));
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    const TStampTimes& times = form.Document().Notes(pane).Times;
    ASSERT_EQ(times.Count(), 4u) << "pane " << int(pane);
    EXPECT_EQ(times.Seconds(3), 0.4) << "pane " << int(pane);
  }
  form.SetFollowing(false);
  form.ReloadLogs();
  EXPECT_EQ(Titles(), (Texts{"RPM", "Lambda", "Coolant", "Battery"}));
  EXPECT_EQ(form.PaneSeries(2).PointCount(), 4);
  EXPECT_TRUE(script.ColumnPickerOffers.size() == 1);
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(ColumnLog, CPicksAnotherColumnForThePaneOfAMultiColumnLog) {
  const TCommand* choose = CommandForKey('C', 0);
  ASSERT_NE(choose, nullptr);
  form.OpenLogs(0, {engine + ":RPM"});
  EXPECT_FALSE(choose->Enabled(form, 1));
  ASSERT_TRUE(choose->Enabled(form, 0));
  script.ColumnAnswers = {DialogScript::ColumnAnswer{}};
  choose->Run(form, TCommandPlace{0});
  EXPECT_EQ(script.ColumnPickerOffers.at(0).Offered, "Lambda");
  EXPECT_EQ(Titles().at(0), "Lambda");
}

}  // namespace
