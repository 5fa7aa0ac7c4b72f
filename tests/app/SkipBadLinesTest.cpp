// Skipping bad lines: a line that is no sample becomes a gap (a null point
// in its place) and the load goes on; the load tells which lines it
// skipped, the window says so once, and the mode is remembered.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/window/TForm1.h"
#include "chart/canvas/TRecordingCanvas3D.h"
#include "chart/series/TLineSeries.h"
#include "gui/DialogScript.h"
#include "log/LogLoader.h"
#include "log/TLogLineReader.h"
#include "tests/app/PiecewiseRead.h"
#include "tests/app/TempFolder.h"
#include "tests/runtime/LocaleScope.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/PointValues.h"

namespace {

std::vector<int> NullPoints(const TChartSeries& series) {
  std::vector<int> nulls;
  for (int i = 0; i < series.PointCount(); ++i) {
    if (series.IsNullPoint(i)) {
      nulls.push_back(i);
    }
  }
  return nulls;
}

std::vector<std::uint64_t> LineNumbers(const TSkippedLines& skipped) {
  std::vector<std::uint64_t> numbers;
  for (const TSkippedLines::TLine& line : skipped.First) {
    numbers.push_back(line.Number);
  }
  return numbers;
}

TLoadResult LoadSkipping(const std::string& file, TChartSeries& series, std::size_t readChunk = std::size_t{1} << 20,
                         TLogPosition start = {}, bool takeUnfinished = true) {
  TLoadOptions options;
  options.SkipBadLines = true;
  options.Read = PiecewiseRead(readChunk);
  options.Start = start;
  options.TakeUnfinishedLine = takeUnfinished;
  return LogLoader(file, options).Load(series, clBlue, {});
}

std::string Repeated(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) {
    all += text;
  }
  return all;
}

struct SkipCase {
  const char* Name;
  std::string Bytes;
  std::size_t ReadChunk;
  std::vector<double> Values;  // a gap holds the value before it, or after it when first
  std::vector<int> Gaps;
  std::size_t Count;
  std::vector<std::uint64_t> Lines;
  std::string FirstText;
};

constexpr std::size_t kWhole = std::size_t{1} << 20;
const std::string kLongBad = std::string(2000, 'x');

// clang-format off
const SkipCase kSkipCases[] = {
    {"InTheMiddle", "h,T\n0,1\n0,x\n0,2\n", kWhole, {1, 1, 2}, {1}, 1, {3}, "0,x"},
    {"FirstLine", "h,T\nn/a\n0,5\n0,6\n", kWhole, {5, 5, 6}, {0}, 1, {2}, "n/a"},
    {"LastLineWithoutLineEnd", "h,T\n0,1\n0,2\n0,zz", kWhole, {1, 2, 2}, {2}, 1, {4}, "0,zz"},
    {"Several", "h,T\n1\nx\n2\ny\nz\n3\n", kWhole, {1, 1, 2, 2, 2, 3}, {1, 3, 4}, 3, {3, 5, 6}, "x"},
    {"AllLines", "h,T\nx\ny\nz\n", kWhole, {0, 0, 0}, {0, 1, 2}, 3, {2, 3, 4}, "x"},
    {"BinaryBytes", "h,T\n1\n\x01\xff\xfe\n2\n", kWhole, {1, 1, 2}, {1}, 1, {3}, "\x01\xff\xfe"},
    {"CrLf", "h,T\r\n0,1\r\nn/a\r\n0,2\r\n", kWhole, {1, 1, 2}, {1}, 1, {3}, "n/a"},
    {"EmptyLine", "h,T\n1\n\n2\n", kWhole, {1, 1, 2}, {1}, 1, {3}, ""},
    {"InSeveralRuns", "h,T\n0,1\n0,x\n0,2\n0,y\n0,3\n", 5, {1, 1, 2, 2, 3}, {1, 3}, 2, {3, 5}, "0,x"},
    {"GapsFirstInSeveralRuns", "h,T\nx\ny\n0,7\n0,8\n", 3, {7, 7, 7, 8}, {0, 1}, 2, {2, 3}, "x"},
    {"CutLineAfterAField", "h,T\n0,1\n7\n0,2\n", kWhole, {1, 1, 2}, {1}, 1, {3}, "7"},
    {"CutLinesAfterAFieldOfAnEarlierRun", "h,T\n0,1\n5\n6\n0,2\n", 8, {1, 1, 1, 2}, {1, 2}, 2, {3, 4}, "5"},
    {"LinesWithoutAFieldBeforeTheFirstField", "h,T\n5\n6\n0,2\n", kWhole, {5, 6, 2}, {}, 0, {}, ""},
    {"ABadFieldLineLeavesTheRuleAsItWas", "h,T\n0,x\n5\n0,2\n", kWhole, {5, 5, 2}, {0}, 1, {2}, "0,x"},
    {"WordsBesideGaps", "h,T\nRich\nbad\nLean\n", kWhole, {2, 2, 1}, {1}, 1, {3}, "bad"},
    {"ALongLineKeepsTheStartOfItsText", "h,T\n1\n" + kLongBad + "\n2\n", kWhole, {1, 1, 2}, {1}, 1, {3},
     std::string(TSkippedLines::KeptLength, 'x') + "..."},
    {"MoreThanTen", "h,T\n1\n" + Repeated("b\n", 12) + "2\n", kWhole,
     {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 12,
     {3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, "b"},
    {"HeaderOnly", "h,T\n", kWhole, {}, {}, 0, {}, ""},
};
// clang-format on

class SkippingLoads : public testing::TestWithParam<SkipCase> {};

// Every line is one point, a sample or a gap, so the sample numbers and the
// leading fields' marks stay those of the lines; the samples are bit-equal
// to the good lines' values.
TEST_P(SkippingLoads, MakeEachBadLineAGapAndTellWhichTheyWere) {
  const SkipCase& c = GetParam();
  const LocaleScope separators('.', ',');
  TempFolder folder;
  TLineSeries series;
  const TLoadResult result = LoadSkipping(folder.Write("log.csv", c.Bytes), series, c.ReadChunk);
  EXPECT_EQ(result.End, TLoadEnd::EndOfFile) << result.Message;
  EXPECT_EQ(Ys(series), c.Values);
  EXPECT_EQ(NullPoints(series), c.Gaps);
  EXPECT_EQ(result.SamplesAppended, c.Values.size());
  EXPECT_EQ(result.Next.Line, c.Values.size() + 2);
  EXPECT_EQ(result.Skipped.Count, c.Count);
  EXPECT_EQ(LineNumbers(result.Skipped), c.Lines);
  if (!result.Skipped.First.empty()) {
    EXPECT_EQ(result.Skipped.First[0].Text, c.FirstText);
  }
}

INSTANTIATE_TEST_SUITE_P(Lines, SkippingLoads, testing::ValuesIn(kSkipCases),
                         [](const auto& test) { return test.param.Name; });

// Without the option the first of them stops the load, as always.
TEST(SkippingLoads, AreOnlyOnRequest) {
  TempFolder folder;
  TLineSeries series;
  const TLoadResult result = LogLoader(folder.Write("log.csv", "h,T\n0,1\n0,x\n0,2\n"), {}).Load(series, clBlue, {});
  EXPECT_EQ(result.End, TLoadEnd::BadLine);
  EXPECT_EQ(Ys(series), (std::vector<double>{1}));
  EXPECT_EQ(result.Skipped.Count, 0U);
}

// A followed log: a load from where the last one stopped, once the rest is
// written, gives what one load of the whole log gives, gaps and skipped
// lines included, wherever the log was cut.
TEST(SkippingLoads, ContinuedGiveWhatOneLoadGives) {
  const std::string logs[] = {
      "h,T\nx\ny\n0,3\nz\n0,4\n",
      "h,T\r\n0,1\r\n5\r\n0,2\r\nbad\r\n",
      "h,T\nx\ny\n",
  };
  TempFolder folder;
  for (const std::string& log : logs) {
    TLineSeries whole;
    const TLoadResult expected = LoadSkipping(folder.Write("whole.csv", log), whole);
    for (std::size_t split = 0; split <= log.size(); ++split) {
      const std::string file = folder.Write("growing.csv", log.substr(0, split));
      TLineSeries series;
      const TLoadResult first = LoadSkipping(file, series, kWhole, {}, false);
      std::ofstream(file, std::ios::app | std::ios::binary) << log.substr(split);
      const TLoadResult rest = LoadSkipping(file, series, kWhole, first.Next);
      const std::string where = "split at " + std::to_string(split) + " of '" + log + "'";
      EXPECT_EQ(Ys(series), Ys(whole)) << where;
      EXPECT_EQ(NullPoints(series), NullPoints(whole)) << where;
      EXPECT_EQ(rest.Next, expected.Next) << where;
      TSkippedLines skipped = first.Skipped;
      skipped.Append(rest.Skipped);
      EXPECT_EQ(skipped.Count, expected.Skipped.Count) << where;
      EXPECT_EQ(skipped.First, expected.Skipped.First) << where;
    }
  }
}

// Random bytes: lines of every length, NUL bytes, lone CRs (but no 0x1A,
// which ends a log). Each line is a point whatever it holds, and the load
// reads to the end.
TEST(SkippingLoads, ABinaryFileLoadsAsGapsToItsEnd) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> byte(0, 254);
  std::string bytes = "h,T\n";
  for (int i = 0; i < (1 << 21); ++i) {
    const int b = byte(random);
    bytes += static_cast<char>(b == 0x1A ? 0xFF : b);
  }
  TempFolder folder;
  const std::string file = folder.Write("binary.csv", bytes);
  std::size_t lines = 0;
  TLogLineReader reader(file);
  for (TLogLine line; reader.NextLine(line);) {
    ++lines;
  }
  TLineSeries series;
  const TLoadResult result = LoadSkipping(file, series);
  EXPECT_EQ(result.End, TLoadEnd::EndOfFile);
  EXPECT_EQ(static_cast<std::size_t>(series.PointCount()), lines - 1);
  EXPECT_EQ(NullPoints(series).size(), result.Skipped.Count);
  EXPECT_GT(result.Skipped.Count, lines / 2);
  EXPECT_EQ(result.Skipped.First.size(), TSkippedLines::Kept);
}

// A gap keeps its line's place among the leading fields' marks: the
// samples after it show their own time stamps, and a gap shows its line's
// only when that is a number.
TEST(SkippingLoads, KeepEverySamplesLeadingField) {
  std::string log = "t,V\n";
  for (int i = 0; i < 300; ++i) {
    log += i % 7 == 3 ? (i % 2 == 0 ? "x y,n/a\n" : std::to_string(i) + ".5,n/a\n") : std::to_string(i) + ".5,1\n";
  }
  TempFolder folder;
  TLogNotes notes;
  const std::string file = folder.Write("log.csv", log);
  notes.Reset(file);
  TLoadOptions options;
  options.SkipBadLines = true;
  options.Notes = &notes;
  TLineSeries series;
  LogLoader(file, options).Load(series, clBlue, {});
  ASSERT_EQ(series.PointCount(), 300);
  ASSERT_TRUE(notes.Leading.Known());
  for (int i = 0; i < 300; ++i) {
    const bool junk = i % 7 == 3 && i % 2 == 0;
    EXPECT_EQ(notes.Leading.Field(static_cast<std::uint64_t>(i)),
              junk ? std::nullopt : std::optional<std::string>(std::to_string(i) + ".5"))
        << i;
  }
}

// A pane 100 pixels square with both axes over 0..100.
struct GapPane : TLineSeriesPane {
  TRecordingCanvas3D Canvas;
  GapPane() : TLineSeriesPane({0, 0, 100, 100}) {
    Chart.BottomAxis().SetAxisRange(0, 100);
    Chart.LeftAxis().SetAxisRange(0, 100);
  }
  std::vector<std::string> Segments() {
    LayOutAxes();
    Series.ComputeVisibleRange(Plot);
    Series.DrawAllPoints(Canvas, Plot);
    std::vector<std::string> segments;
    for (const std::string& call : Canvas.Calls) {
      if (call.rfind("LineSegment", 0) == 0) {
        segments.push_back(call);
      }
    }
    return segments;
  }
};

// The curve breaks at a skipped line: no segment leads to or from it.
TEST(SkippingLoads, DrawABreakInTheCurveAtEachGap) {
  TempFolder folder;
  GapPane pane;
  LoadSkipping(folder.Write("log.csv", "h,T\n10\n20\nn/a\n40\n50\n"), pane.Series);
  EXPECT_EQ(pane.Segments(), (std::vector<std::string>{"LineSegment 0 90 1 80", "LineSegment 3 60 4 50"}));
}

// The window: the mode from the command table, remembered; one message
// after a load that skipped lines.
struct SkippingWindow {
  TempFolder Folder;
  DialogScript Script;
  std::string Settings = Folder.Folder() + "settings";
  TForm1 Form{Folder.Folder(), Settings};

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const DialogScript::Message& message : Script.Messages) {
      texts.push_back(message.Text);
    }
    return texts;
  }
};

TEST(SkippingWindow, KTogglesTheModeWhichIsRememberedAndReloadsNothing) {
  SkippingWindow window;
  const std::string file = window.Folder.Write("log.csv", "h,T\n0,1\n0,x\n0,2\n");
  window.Form.OpenLogs(0, {file});
  ASSERT_EQ(window.Script.Messages.size(), 1U);
  EXPECT_FALSE(window.Script.Messages[0].Information) << "a bad line stops the load as ever";
  window.Form.OnKeyDown('K', 0);
  EXPECT_TRUE(window.Form.State().SkipBadLines());
  EXPECT_EQ(Ys(window.Form.PaneSeries(0)), (std::vector<double>{1})) << "nothing reloads";
  {
    TForm1 again(window.Folder.Folder(), window.Settings);
    EXPECT_TRUE(again.State().SkipBadLines());
  }
  window.Form.OnKeyDown(VK_F5, 0);
  EXPECT_EQ(Ys(window.Form.PaneSeries(0)), (std::vector<double>{1, 1, 2}));
  EXPECT_TRUE(window.Form.Document().PaneLog(0).StoppedEarly == std::nullopt);
  window.Form.OnKeyDown('K', 0);
  EXPECT_FALSE(TForm1(window.Folder.Folder(), window.Settings).State().SkipBadLines());
}

TEST(SkippingWindow, TellsOnceOfTheSkippedLinesWithTheFirstTen) {
  const struct {
    const char* Name;
    std::string Log;
    std::string Message;  // after "Skipped ", "{file}" for the log's path
  } cases[] = {
      {"One", "h,T\n0,1\nn/a\n", "1 bad line in '{file}':\nline 3: 'n/a'"},
      {"OddBytesAsTheyAre", "h,T\n\x01\xff\n0,2\n", "1 bad line in '{file}':\nline 2: '\x01\xff'"},
      {"AThousandAndTwo", "h,T\n" + Repeated("b\n", 1000) + Repeated("c\n", 2),
       "1,002 bad lines in '{file}':\nline 2: 'b'\nline 3: 'b'\nline 4: 'b'\nline 5: 'b'\nline 6: 'b'\n"
       "line 7: 'b'\nline 8: 'b'\nline 9: 'b'\nline 10: 'b'\nline 11: 'b'\nand 992 bad lines more"},
  };
  const LocaleScope separators('.', ',');
  for (const auto& c : cases) {
    SkippingWindow window;
    window.Form.SetSkipBadLines(true);
    const std::string file = window.Folder.Write("log.csv", c.Log);
    window.Form.OpenLogs(0, {file});
    std::string expected = "Skipped " + c.Message;
    expected.replace(expected.find("{file}"), 6, file);
    EXPECT_EQ(window.Form.Document().Load(0, file).at(0).Message, expected) << c.Name;
    ASSERT_EQ(window.Script.Messages.size(), 1U) << c.Name;
    EXPECT_TRUE(window.Script.Messages[0].Information) << c.Name;
    EXPECT_EQ(window.Script.Messages[0].Text.rfind("Skipped ", 0), 0U) << c.Name;
  }
}

// The box shows odd bytes as \xNN.
TEST(SkippingWindow, ShowsOddBytesOfALineAsEscapes) {
  SkippingWindow window;
  window.Form.SetSkipBadLines(true);
  const std::string file = window.Folder.Write("log.csv", "h,T\n\x01\xff\n0,2\n");
  window.Form.OpenLogs(0, {file});
  ASSERT_EQ(window.Texts().size(), 1U);
  EXPECT_EQ(window.Texts()[0], "Skipped 1 bad line in '" + file + "':\nline 2: '\\x01\\xFF'");
}

// A followed log's step tells of the lines it skipped, not again of the
// ones before; the log stays followed.
TEST(SkippingWindow, FollowingTellsEachStepsOwnSkippedLines) {
  SkippingWindow window;
  window.Form.SetSkipBadLines(true);
  window.Form.SetFollowing(true);
  const std::string file = window.Folder.Write("log.csv", "t,V\n0,1\nx\n");
  window.Form.OpenLogs(0, {file});
  std::ofstream(file, std::ios::app | std::ios::binary) << "1,2\ny\n2,3\n";
  window.Form.FollowLogs();
  std::ofstream(file, std::ios::app | std::ios::binary) << "3,4\n";
  window.Form.FollowLogs();
  EXPECT_EQ(Ys(window.Form.PaneSeries(0)), (std::vector<double>{1, 1, 2, 2, 3, 4}));
  EXPECT_EQ(NullPoints(window.Form.PaneSeries(0)), (std::vector<int>{1, 3}));
  EXPECT_EQ(window.Texts(), (std::vector<std::string>{"Skipped 1 bad line in '" + file + "':\nline 3: 'x'",
                                                      "Skipped 1 bad line in '" + file + "':\nline 5: 'y'"}));
  EXPECT_EQ(window.Form.Document().LastLoad(0).Skipped.Count, 2U);
  EXPECT_NE(window.Form.Document().Tip(0).find("\n2 bad lines skipped as gaps"), std::string::npos)
      << window.Form.Document().Tip(0);
  EXPECT_EQ(window.Form.Document().FollowedFiles(), (std::vector<std::string>{file}));
}

}  // namespace
