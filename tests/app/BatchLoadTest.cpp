// Logs opened together: one progress for the batch, loaded in order, Cancel
// keeping what was read, and the window painted before logs named at start.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/window/TBatchProgress.h"
#include "app/window/TForm1.h"
#include "gui/Application.h"
#include "gui/DialogScript.h"
#include "tests/app/FormTexts.h"
#include "tests/app/TempFolder.h"

namespace {

// A log of `lines` samples under the header "Time,<title>", several blocks
// long from about a million lines on.
std::string Log(const std::string& title, int lines) {
  std::string log = "Time,Value " + title + "\n";
  for (int i = 0; i < lines; ++i) {
    log += std::to_string(i % 97) + ".25\n";
  }
  return log;
}

constexpr int kLongLog = 1'500'000;

class BatchLoad : public ::testing::Test {
protected:
  Texts Titles() { return PaneTitles(form); }
  Texts MessageTexts() const { return ::MessageTexts(script); }
  // The log each progress report was about, once per log in report order.
  Texts LogsReported() const {
    Texts logs;
    for (const std::string& text : script.ProgressTexts) {
      const std::string first = text.substr(0, text.find('\n'));
      if (logs.empty() || logs.back() != first) {
        logs.push_back(first);
      }
    }
    return logs;
  }

  TempFolder folder;
  TForm1 form{folder.Folder()};
  DialogScript script;
  std::string a = folder.Write("a.csv", Log("A", 1000));
  std::string b = folder.Write("b.csv", Log("B", kLongLog));
  std::string c = folder.Write("c.csv", Log("C", 1000));
};

TEST(BatchProgressText, NamesTheLogAndCountsTheBytesOfTheBatch) {
  const struct {
    std::size_t Log, Logs;
    std::uint64_t Read, Bytes;
    const char* Expected;
  } cases[] = {
      {0, 4, 0, 0, "Loading log 1 of 4: x.csv\n0 of 0 KB"},
      {1, 4, 1536, 4096, "Loading log 2 of 4: x.csv\n2 of 4 KB"},
      {3, 4, 10 * 1048576 - 1, 10 * 1048576, "Loading log 4 of 4: x.csv\n10 of 10 MB"},
      {2, 3, 1048576ULL * 1500, 1048576ULL * 2500, "Loading log 3 of 3: x.csv\n1,500 of 2,500 MB"},
      {0, 1, 512, 9 * 1048576, "Loading x.csv\n1 of 9,216 KB"},
  };
  for (const auto& t : cases) {
    EXPECT_EQ(BatchProgressText(t.Log, t.Logs, "x.csv", t.Read, t.Bytes), t.Expected) << t.Expected;
  }
}

TEST_F(BatchLoad, OneProgressGoesOnceOverTheLogsInTheirOrder) {
  form.OpenLogs(1, {a, b, c});
  EXPECT_EQ(Titles(), (Texts{"Parametr", "Value A", "Value B", "Value C"}));
  EXPECT_EQ(LogsReported(),
            (Texts{"Loading log 1 of 3: " + a, "Loading log 2 of 3: " + b, "Loading log 3 of 3: " + c}));
  ASSERT_GT(script.ProgressReports.size(), 4U) << "the long log reports after every block";
  EXPECT_TRUE(std::is_sorted(script.ProgressReports.begin(), script.ProgressReports.end()));
  EXPECT_EQ(script.ProgressReports.back(), 1.0);
  EXPECT_EQ(form.LineSeries2.PointCount(), kLongLog);
  EXPECT_TRUE(script.Messages.empty());
}

// The first log's one report, then the long log is cancelled in its second
// block: its first block stays, the third log is never started.
TEST_F(BatchLoad, CancelKeepsWhatWasReadAndLoadsNoMore) {
  script.CancelProgressAfter = 2;
  form.OpenLogs(0, {a, b, c});
  const int kept = form.LineSeries1.PointCount();
  EXPECT_GT(kept, 0);
  EXPECT_LT(kept, kLongLog);
  EXPECT_EQ(form.Series1.PointCount(), 1000);
  EXPECT_EQ(form.LineSeries2.PointCount(), 0);
  EXPECT_EQ(Titles(), (Texts{"Value A", "Value B", "Parametr", "Parametr"}));
  // A Cancel is no error: one information box tells what it kept and left.
  EXPECT_EQ(MessageTexts(), (Texts{"Loading '" + b + "' was cancelled; the first " + std::to_string(kept) +
                                   " samples are shown\nNot loaded after Cancel: '" + c + "'"}));
  EXPECT_TRUE(script.Messages.at(0).Information);
}

// The messages of failing logs wait for the whole batch, in its order.
TEST_F(BatchLoad, FailingLogsAreReportedAfterTheBatchInOrder) {
  const std::string missing = folder.Folder() + "missing.csv";
  const std::string bad = folder.Write("bad.csv", "Time,Value\n1,2\nx\n");
  form.OpenLogs(0, {missing, a, bad, c});
  EXPECT_EQ(Titles(), (Texts{"Parametr", "Value A", "Value", "Value C"}));
  ASSERT_EQ(script.Messages.size(), 2U);
  EXPECT_NE(script.Messages[0].Text.find(missing), std::string::npos) << script.Messages[0].Text;
  EXPECT_NE(script.Messages[1].Details.find(bad), std::string::npos) << script.Messages[1].Details;
  EXPECT_EQ(LogsReported().back(), "Loading log 4 of 4: " + c);
}

TEST(RunOncePainted, WaitsForTheWindowsFirstPicture) {
  TempFolder folder;
  TForm1 form(folder.Folder());
  std::vector<bool> runs;
  form.RunOncePainted([&] { runs.push_back(form.Chart1.Width() > 0); });
  ProcessPendingEvents();
  EXPECT_TRUE(runs.empty()) << "a hidden window is never painted";
  form.Show();
  for (int turn = 0; turn < 20 && runs.empty(); ++turn) {
    ProcessPendingEvents();
  }
  EXPECT_EQ(runs, std::vector<bool>{true});
  form.RunOncePainted([&] { runs.push_back(true); });
  EXPECT_EQ(runs.size(), 1U) << "queued, even once painted";
  ProcessPendingEvents();
  EXPECT_EQ(runs.size(), 2U);
}

}  // namespace
