#include "log/LogLoader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "app/window/TForm1.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TValueStorage.h"
#include "gui/DialogScript.h"
#include "runtime/Exception.h"
#include "tests/app/PiecewiseRead.h"
#include "tests/app/TempFolder.h"
#include "tests/runtime/LocaleScope.h"

namespace {

std::vector<double> Ys(const TChartSeries& s) {
  std::vector<double> v;
  v.reserve(static_cast<std::size_t>(s.PointCount()));
  for (int i = 0; i < s.PointCount(); ++i) {
    v.push_back(s.YValueAt(i));
  }
  return v;
}

std::string NotANumber(const std::string& text) { return "'" + text + "' is not a valid floating point value"; }

TLogPosition At(std::uint64_t offset, std::uint64_t line, bool fieldSeen, bool afterCr = false) {
  return {{offset, afterCr}, line, fieldSeen};
}

// What goes wrong during a load.
struct LoadTrouble {
  char Separator = '.';
  std::size_t ReadChunk = std::size_t{1} << 20;
  std::size_t ReadFailsAfter = SIZE_MAX;
  int MemoryRunsOutAfter = -1;  // points
  int SeriesFullAfter = -1;     // points: the series refuses more, as at its largest count
  std::size_t SampleLimit = TValueStorage<double>::MaxCount;
  int CancelAtReport = -1;  // 0 for the first
  bool MemoryRunsOutAtReport = false;
};

struct EndCase {
  const char* Name;
  std::string Bytes;
  LoadTrouble Trouble;
  TLoadEnd End;
  std::vector<double> Values;
  std::optional<std::string> Title;
  TLogPosition Next;
  std::string Message = "";
  int Errno = 0;
};

const std::string kLongHeader = "h," + std::string(2000, 'x') + "\n";
const std::string kThreeSamples = "h,T\n0,1\n0,2\n0,3\n";
constexpr TLoadEnd kEnd = TLoadEnd::EndOfFile;
constexpr TLoadEnd kBad = TLoadEnd::BadLine;
constexpr TLoadEnd kFull = TLoadEnd::TooManySamples;

// clang-format off
const EndCase kEndCases[] = {
    {"WholeLog", "h,T\n0,1\n1,2\n", {}, kEnd, {1, 2}, "T", At(12, 4, true)},
    {"LastLineWithoutLineEnd", "h,T\n0,1\n1,2", {}, kEnd, {1, 2}, "T", At(11, 4, true)},
    {"CrLfInReadsOfThreeBytes", "h,T\r\n0,1\r\n1,2\r\n", {.ReadChunk = 3}, kEnd, {1, 2}, "T", At(15, 4, true)},
    {"LoneCrLast", "h,T\r5\r", {}, kEnd, {5}, "T", At(6, 3, false, true)},
    {"EmptyFile", "", {}, kEnd, {}, std::nullopt, At(0, 1, false)},
    {"HeaderOnly", "h,T\n", {}, kEnd, {}, "T", At(4, 2, false)},
    {"FieldsFromTheSecondSampleOn", "h,T\n5\n0,6\n", {}, kEnd, {5, 6}, "T", At(10, 4, true)},
    {"BadLine", "h,T\n0,1\n0,x\n0,2\n", {}, kBad, {1}, "T", At(8, 3, true), NotANumber("x")},
    {"BadLineInALaterRun", "h,T\n0,1\n0,2\n0,x\n0,3\n", {.ReadChunk = 5}, kBad, {1, 2}, "T", At(12, 4, true),
     NotANumber("x")},
    {"BadLineAfterALongHeader", kLongHeader + "0,1\n0,y\n", {.ReadChunk = 64}, kBad, {1}, std::string(1022, 'x'),
     At(kLongHeader.size() + 4, 3, true), NotANumber("y")},
    {"TwoPointsUnderTheCommaSeparator", "h,T\n0,1.2.3\n", {.Separator = ','}, kBad, {}, "T", At(4, 2, false),
     NotANumber("1,2.3")},
    {"CutLineUnderTheCommaSeparator", "h,T\n0,1\n7.5\n", {.Separator = ','}, kBad, {1}, "T", At(8, 3, true),
     NotANumber("7,5")},
    {"ReadError", "h,T\n0,1\n1,22\n2,3\n", {.ReadFailsAfter = 13}, TLoadEnd::ReadError, {1, 22}, "T",
     At(13, 4, true), "", EIO},
    {"ReadErrorInTheHeader", "h,T\n0,1\n", {.ReadFailsAfter = 2}, TLoadEnd::ReadError, {}, std::nullopt,
     At(0, 1, false), "", EIO},
    {"MemoryRunsOutWithinARun", kThreeSamples, {.MemoryRunsOutAfter = 2}, TLoadEnd::OutOfMemory, {1, 2}, "T",
     At(12, 4, true)},
    {"MemoryRunsOutBetweenRuns", kThreeSamples, {.ReadChunk = 8, .MemoryRunsOutAtReport = true},
     TLoadEnd::OutOfMemory, {1}, "T", At(8, 3, true)},
    {"Cancelled", kThreeSamples, {.ReadChunk = 8, .CancelAtReport = 0}, TLoadEnd::Cancelled, {1}, "T",
     At(8, 3, true)},
    {"SeriesFullWithinARun", kThreeSamples, {.SeriesFullAfter = 2}, kFull, {1, 2}, "T", At(12, 4, true)},
    {"LimitWithinARun", kThreeSamples, {.SampleLimit = 2}, kFull, {1, 2}, "T", At(12, 4, true)},
    {"LimitAtTheEndOfARun", kThreeSamples, {.ReadChunk = 8, .SampleLimit = 1}, kFull, {1}, "T", At(8, 3, true)},
    {"LimitOfNone", kThreeSamples, {.SampleLimit = 0}, kFull, {}, "T", At(4, 2, false)},
    {"LimitReachedByTheLastSample", kThreeSamples, {.SampleLimit = 3}, kEnd, {1, 2, 3}, "T", At(16, 5, true)},
};
// clang-format on

class LogLoaderEnds : public testing::TestWithParam<EndCase> {};

// Every way a load ends is one result: what was appended, the title, and
// where a continuation would start. The process-wide separator stays "."
// throughout: the one passed in is the one that counts.
TEST_P(LogLoaderEnds, InOneResult) {
  const EndCase& c = GetParam();
  const LoadTrouble& t = c.Trouble;
  const LocaleScope separators('.', ',');
  TempFolder folder;
  TLoadOptions options;
  options.DecimalSeparator = t.Separator;
  options.Read = PiecewiseRead(t.ReadChunk, t.ReadFailsAfter);
  options.SampleLimit = t.SampleLimit;
  TLineSeries series;
  if (t.MemoryRunsOutAfter >= 0 || t.SeriesFullAfter >= 0) {
    series.OnBeforeAdd = [&t](TChartSeries& s) {
      if (t.MemoryRunsOutAfter >= 0 && s.PointCount() >= t.MemoryRunsOutAfter) {
        throw std::bad_alloc();
      }
      if (t.SeriesFullAfter >= 0 && s.PointCount() >= t.SeriesFullAfter) {
        TValueStorage<double>::RefuseBeyondLimit(TValueStorage<double>::MaxCount + 1LL);
      }
      return true;
    };
  }
  int reports = 0;
  const auto progress = [&](const TLoadResult& sofar, double) {
    EXPECT_EQ(sofar.Title, c.Title);
    if (t.MemoryRunsOutAtReport) {
      throw std::bad_alloc();
    }
    return reports++ == t.CancelAtReport;
  };
  const TLoadResult result = LogLoader(folder.Write("log.csv", c.Bytes), options).Load(series, clBlue, progress);
  EXPECT_EQ(result.End, c.End);
  EXPECT_EQ(Ys(series), c.Values);
  EXPECT_EQ(result.SamplesAppended, c.Values.size());
  EXPECT_EQ(result.Title, c.Title);
  EXPECT_EQ(result.Next, c.Next);
  EXPECT_EQ(result.Message, c.Message);
  EXPECT_EQ(result.Errno, c.Errno);
}

INSTANTIATE_TEST_SUITE_P(Loads, LogLoaderEnds, testing::ValuesIn(kEndCases),
                         [](const auto& test) { return test.param.Name; });

// Following a growing log: whatever the first load found, a load from
// where it stopped, once the rest is written, gives what one load of the
// whole log gives.
TEST(LogLoader, ContinuingWhereItStoppedGivesWhatOneLoadGives) {
  const std::string logs[] = {
      "h,T\r\n5\r0,6\r\n1,7\n2,8\r",
      "h,T\n0,1\n1,2\n7\n0,3\n",
      "Lambda\r\n12.5\r\n13\r\n",
  };
  TempFolder folder;
  for (const std::string& log : logs) {
    TLineSeries whole;
    const TLoadResult expected = LogLoader(folder.Write("whole.csv", log), {}).Load(whole, clBlue, {});
    for (std::size_t split = 0; split <= log.size(); ++split) {
      const std::string file = folder.Write("growing.csv", log.substr(0, split));
      TLoadOptions options;
      options.TakeUnfinishedLine = false;
      TLineSeries series;
      const TLoadResult first = LogLoader(file, options).Load(series, clBlue, {});
      std::ofstream(file, std::ios::app | std::ios::binary) << log.substr(split);
      options.Start = first.Next;
      options.TakeUnfinishedLine = true;
      const TLoadResult rest = LogLoader(file, options).Load(series, clBlue, {});
      const std::string where = "split at " + std::to_string(split) + " of '" + log + "'";
      EXPECT_EQ(Ys(series), Ys(whole)) << where;
      EXPECT_EQ(first.SamplesAppended + rest.SamplesAppended, expected.SamplesAppended) << where;
      EXPECT_EQ(first.Title ? first.Title : rest.Title, expected.Title) << where;
      EXPECT_EQ(rest.End, expected.End) << where;
      EXPECT_EQ(rest.Next, expected.Next) << where;
      EXPECT_EQ(rest.Message, expected.Message) << where;
    }
  }
}

// A log rotated while it loads: what the load tells of its file is the file
// it read, now under another name, not the new one under its name.
TEST(LogLoader, TellsTheFileItReadNotTheOneNowUnderItsName) {
  TempFolder folder;
  const std::string file = folder.Write("log.csv", kThreeSamples);
  TLoadOptions options;
  bool rotated = false;
  options.Read = [&](int fd, char* buffer, std::size_t size) {
    if (!std::exchange(rotated, true)) {
      std::rename(file.c_str(), (file + ".1").c_str());
      folder.Write("log.csv", "h,N\n0,9\n0,9\n0,9\n0,9\n");
    }
    return read(fd, buffer, size);
  };
  TLineSeries series;
  const TLoadResult result = LogLoader(file, options).Load(series, clBlue, {});
  EXPECT_EQ(Ys(series), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(result.File.Loaded, kThreeSamples.size());
  EXPECT_EQ(LogLoader(file + ".1", {}).Compare(result.File), TFileState::Unchanged);
  EXPECT_EQ(LogLoader(file, {}).Compare(result.File), TFileState::Other);
  std::ofstream(file + ".1", std::ios::app) << "0,4\n";
  EXPECT_EQ(LogLoader(file + ".1", {}).Compare(result.File), TFileState::Grown);
}

// Lines enough for every core, with every kind of line end.
constexpr int kManyLines = 40000;

std::string ManyLines(const std::string& lineEnd) {
  std::string log = "h,T" + lineEnd;
  for (int i = 0; i < kManyLines; ++i) {
    log += std::to_string(i) + "," + std::to_string(i % 977) + ".5" + lineEnd;
  }
  return log;
}

std::vector<double> ManyValues() {
  std::vector<double> values;
  values.reserve(kManyLines);
  for (int i = 0; i < kManyLines; ++i) {
    values.push_back(i % 977 + 0.5);
  }
  return values;
}

// With no thread to be had (a user at the process limit), the log loads
// as usual on the loader's own thread.
TEST(LogLoader, LoadsOnItsOwnThreadWhenNoThreadCanStart) {
  TempFolder folder;
  const std::string file = folder.Write("log.csv", ManyLines("\n"));
  int attempts = 0;
  TLoadOptions options;
  options.StartThread = [&attempts](const std::function<void()>&) -> std::jthread {
    ++attempts;
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  };
  TLineSeries series;
  const TLoadResult result = LogLoader(file, options).Load(series, clBlue, {});
  EXPECT_EQ(result.End, TLoadEnd::EndOfFile);
  EXPECT_TRUE(Ys(series) == ManyValues());
  if (std::thread::hardware_concurrency() > 1) {
    EXPECT_GT(attempts, 0);
  }
}

// A run is shared between the cores at line ends of every kind; a cut
// between the CR and the LF of a CR LF would make an empty line.
TEST(LogLoader, SharesTheWorkAtEveryKindOfLineEnd) {
  if (std::thread::hardware_concurrency() < 2) {
    GTEST_SKIP() << "one core converts alone";
  }
  TempFolder folder;
  for (const std::string lineEnd : {"\n", "\r\n", "\r"}) {
    int helpers = 0;
    TLoadOptions options;
    options.StartThread = [&helpers](std::function<void()> work) {
      ++helpers;
      return std::jthread(std::move(work));
    };
    TLineSeries series;
    const TLoadResult result = LogLoader(folder.Write("log.csv", ManyLines(lineEnd)), options).Load(series, clBlue, {});
    EXPECT_EQ(result.End, TLoadEnd::EndOfFile) << result.Message;
    EXPECT_TRUE(Ys(series) == ManyValues());
    EXPECT_GT(helpers, 0) << "line ends of " << lineEnd.size() << " bytes";
  }
}

TEST(TForm1, KeepsHowEachPanesLastLoadEnded) {
  const LocaleScope separators('.', ',');
  TempFolder folder;
  TForm1 form(folder.Folder());
  EXPECT_EQ(form.Document().Load(1, folder.Write("bad.csv", "h,T\n0,1\n0,x\n")).size(), 1U);
  EXPECT_EQ(form.Document().LastLoad(1).End, TLoadEnd::BadLine);
  EXPECT_EQ(form.Document().LastLoad(1).Next.Line, 3U);
  EXPECT_EQ(form.Document().LastLoad(0).SamplesAppended, 0U);
  EXPECT_THROW(form.Document().LastLoad(4), EAssertionFailed);
}

// A log with more samples than a pane holds ends as one that runs out of
// memory: the samples that fit stay, and the window tells why as for every
// load that stopped early.
TEST(TForm1, ALogBeyondWhatAPaneHoldsKeepsTheSamplesThatFitAndSaysWhy) {
  const LocaleScope separators('.', ',');
  TempFolder folder;
  DialogScript script;
  TForm1 form(folder.Folder(), folder.Folder() + "settings");
  form.OpenLogs(0, {folder.Write("first.csv", "h,A\n0,1\n")});
  form.PaneSeries(0).OnBeforeAdd = [](TChartSeries& s) {
    if (s.PointCount() >= 2) {
      TValueStorage<double>::RefuseBeyondLimit(TValueStorage<double>::MaxCount + 1LL);
    }
    return true;
  };
  const std::string file = folder.Write("long.csv", kThreeSamples);
  form.OpenLogs(0, {file});
  const std::string reason = "'" + file + "': the log has more samples than a pane can hold (2,147,483,647)";
  ASSERT_EQ(script.Messages.size(), 1U);
  EXPECT_EQ(script.Messages[0].Text, reason + "; the first 2 samples are shown.");
  EXPECT_EQ(form.Document().LastLoad(0).End, TLoadEnd::TooManySamples);
  EXPECT_EQ(Ys(form.PaneSeries(0)), (std::vector<double>{1, 2}));
  EXPECT_EQ(form.Chart1.Title().Text(), std::vector<std::string>{"T"});
  ASSERT_TRUE(form.Document().PaneLog(0).StoppedEarly);
  EXPECT_EQ(form.Document().PaneLog(0).StoppedEarly->Reason, reason);
  EXPECT_EQ(form.State().RecentLogs().front(), file);
  EXPECT_NE(form.Button1.ToolTip().find("stopped " + reason + "; 2 samples shown"), std::string::npos);
}

}  // namespace
