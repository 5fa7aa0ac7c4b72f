// Loading converts runs of lines on every core; what it loads must be what
// reading the lines one after the other gives, wherever a bad line, a cut
// line or a change of line end falls between the cores' pieces and the
// file's blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "app/window/TForm1.h"
#include "chart/series/TLineSeries.h"
#include "gui/DialogScript.h"
#include "log/LogLoader.h"
#include "log/LogSample.h"
#include "log/TLogLineReader.h"
#include "runtime/Exception.h"
#include "runtime/LocaleSeparators.h"
#include "tests/app/TempFolder.h"
#include "tests/support/PointValues.h"

namespace {

struct TLoaded {
  std::vector<double> Values;
  std::optional<std::string> Error;
};

// The meaning of a log, one line after the other.
TLoaded LoadedOneByOne(const std::string& file) {
  TLoaded loaded;
  TLogLineReader reader(file);
  TLogLine line;
  if (!reader.NextLine(line)) {
    return loaded;
  }
  TLeadingFieldRule rule;
  try {
    while (reader.NextLine(line)) {
      loaded.Values.push_back(LogLineValue(line, rule, LocaleDecimalSeparator));
    }
  } catch (const Exception& error) {
    loaded.Error = error.Message();
  }
  return loaded;
}

TLoaded LoadedInTheWindow(TForm1& form, const std::string& file) {
  TLoaded loaded;
  if (const TLogErrors errors = form.Document().Load(0, file); !errors.empty()) {
    loaded.Error = errors.back().Message;
  }
  for (int i = 0; i < form.Series1.PointCount(); ++i) {
    loaded.Values.push_back(form.Series1.YValueAt(i));
  }
  return loaded;
}

struct TFields {
  double From = 0;   // the share of lines before the first with a leading field
  double Until = 1;  // and before the first without one again
};

// About 700000 lines, some 10 MB: several blocks, each split between cores.
std::string Log(std::mt19937& random, const std::string& lineEnd, TFields fields) {
  constexpr int kLines = 700000;
  std::string log = "Time,Value" + lineEnd;
  std::uniform_int_distribution<int> value(0, 99999);
  for (int i = 0; i < kLines; ++i) {
    if (i >= fields.From * kLines && i < fields.Until * kLines) {
      log += std::to_string(i) + ".5,";
    }
    const int v = value(random);
    log += std::to_string(v / 100) + "." + std::to_string(v % 100) + lineEnd;
  }
  return log;
}

// Puts `bytes` in place of the line that starts nearest `fraction` of the log.
void Plant(std::string& log, double fraction, const std::string& bytes) {
  const std::size_t at = log.find('\n', static_cast<std::size_t>(static_cast<double>(log.size()) * fraction)) + 1;
  const std::size_t end = log.find('\n', at);
  log.replace(at, end - at, bytes);
}

TEST(ParallelLoad, LoadsWhatReadingLineByLineGives) {
  const struct {
    const char* Name;
    const char* LineEnd;
    TFields Fields;
    std::vector<std::pair<double, std::string>> Planted;
  } cases[] = {
      {"Clean", "\n", {}, {}},
      {"CleanCrLf", "\r\n", {}, {}},
      {"CleanCr", "\r", {}, {}},
      {"WithoutFields", "\n", {0, 0}, {}},
      {"FieldsStopMidway", "\n", {0, 0.5}, {}},
      {"FieldsFromMidwayOn", "\n", {0.5, 1}, {}},
      {"FieldsOnlyMidway", "\n", {0.3, 0.6}, {}},
      {"BadWordEarly", "\n", {}, {{0.1, "1,Rch"}}},
      {"BadWordMidway", "\n", {}, {{0.5, "1,Rch"}}},
      {"BadWordLate", "\n", {}, {{0.93, "1,Rch"}}},
      {"TwoBadLines", "\n", {}, {{0.7, "1,x"}, {0.3, "1,y"}}},
      {"CutLineMidway", "\n", {}, {{0.5, "340968.9"}}},
      {"CutLineLate", "\n", {}, {{0.999, "340968.9"}}},
      {"FieldsStartLate", "\n", {0, 0}, {{0.6, "1,7"}}},
      {"FieldsStartLateThenCut", "\n", {0, 0}, {{0.6, "1,7"}, {0.8, "8"}}},
      {"CutBeforeABadWord", "\n", {}, {{0.4, "9"}, {0.6, "1,Rch"}}},
      {"EmptyLine", "\n", {}, {{0.45, ""}}},
      {"LongLine", "\n", {}, {{0.55, "1," + std::string(5000, '7')}}},
      {"NulInALine", "\n", {}, {{0.35, std::string("1,4\0junk", 8)}}},
      {"EndOfFileByte", "\n", {}, {{0.65, "1,3\x1A"}}},
      {"SensorWords", "\n", {}, {{0.2, "1,Rich"}, {0.8, "1,Lean"}}},
      {"BlanksAroundNumbers", "\n", {}, {{0.5, "1,  12.5 "}}},
  };
  std::mt19937 random(7);
  TempFolder folder;
  for (const auto& c : cases) {
    std::string log = Log(random, c.LineEnd, c.Fields);
    for (const auto& [fraction, bytes] : c.Planted) {
      Plant(log, fraction, bytes);
    }
    const std::string file = folder.Write("log.csv", log);
    const TLoaded expected = LoadedOneByOne(file);
    TForm1 form(folder.Folder());
    const TLoaded loaded = LoadedInTheWindow(form, file);
    EXPECT_EQ(loaded.Error, expected.Error) << c.Name;
    ASSERT_EQ(loaded.Values.size(), expected.Values.size()) << c.Name;
    EXPECT_TRUE(loaded.Values == expected.Values) << c.Name;
  }
}

// What one run's lines leave for the next: whether a leading field was seen.
TEST(TLogSamples, CarriesTheLeadingFieldRuleFromRunToRun) {
  const struct {
    const char* Name;
    std::vector<std::string> Runs;
    std::vector<double> Values;
    std::optional<std::string> Error;
  } cases[] = {
      {"FieldThenNone", {"0,1\n", "5\n"}, {1}, "'5' is not a valid floating point value"},
      {"FieldThenNoneLater", {"0,1\n", "1,2\n5\n"}, {1, 2}, "'5' is not a valid floating point value"},
      {"NoneThenField", {"5\n", "0,1\n"}, {5, 1}, {}},
      {"NoneThroughout", {"5\n", "6\n"}, {5, 6}, {}},
      {"NoneThenFieldThenNone", {"5\n", "0,1\n", "7\n"}, {5, 1}, "'7' is not a valid floating point value"},
  };
  for (const auto& c : cases) {
    TLogSamples samples('.');
    std::vector<double> values;
    std::optional<std::string> error;
    for (const std::string& run : c.Runs) {
      const auto take = [&values](const TLogSamples::TTaken& taken) {
        values.insert(values.end(), taken.Values.begin(), taken.Values.end());
      };
      if (const std::exception_ptr failed = samples.Convert(run, take)) {
        try {
          std::rethrow_exception(failed);
        } catch (const Exception& e) {
          error = e.Message();
        }
        break;
      }
    }
    EXPECT_EQ(values, c.Values) << c.Name;
    EXPECT_EQ(error, c.Error) << c.Name;
  }
}

// The meaning of a log whose bad lines are skipped, one line after the
// other: a bad line is a gap (here NaN) and leaves the leading-field rule
// as the lines before it left it.
std::vector<double> SkippingOneByOne(const std::string& file) {
  std::vector<double> values;
  TLogLineReader reader(file);
  TLogLine line;
  reader.NextLine(line);
  TLeadingFieldRule rule;
  while (reader.NextLine(line)) {
    TLeadingFieldRule tried = rule;
    try {
      values.push_back(LogLineValue(line, tried, LocaleDecimalSeparator));
      rule = tried;
    } catch (const EConvertError&) {
      values.push_back(NAN);
    }
  }
  return values;
}

// The points a skipping load gives, a null point as NaN.
std::vector<double> LoadedSkipping(const std::string& file, TSkippedLines& skipped) {
  TLoadOptions options;
  options.DecimalSeparator = LocaleDecimalSeparator;
  options.SkipBadLines = true;
  TLineSeries series;
  skipped = LogLoader(file, options).Load(series, clBlue, {}).Skipped;
  return EveryIndex(series.PointCount(), [&series](int i) { return series.IsNullPoint(i) ? NAN : series.YValueAt(i); });
}

bool SameValuesAndGaps(const std::vector<double>& a, const std::vector<double>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); });
}

// Wherever the bad lines fall between the cores' pieces and the file's
// blocks, skipping gives what skipping line by line gives.
TEST(ParallelLoad, SkipsWhatReadingLineByLineSkips) {
  std::vector<std::pair<double, std::string>> many;
  for (int k = 1; k < 40; ++k) {
    many.emplace_back(k / 40.0, k % 3 == 0 ? "junk" : "1,x");
  }
  const struct {
    const char* Name;
    TFields Fields;
    std::vector<std::pair<double, std::string>> Planted;
  } cases[] = {
      {"TwoBadLines", {}, {{0.7, "1,x"}, {0.3, "1,y"}}},
      {"ManyBadLines", {}, many},
      {"FieldsStopMidway", {0, 0.5}, {}},
      {"FieldsOnlyMidway", {0.3, 0.6}, {{0.1, "1,x"}, {0.4, "7"}}},
      {"FieldsStartLateThenCut", {0, 0}, {{0.6, "1,7"}, {0.8, "8"}}},
      {"BadFieldLineBeforeTheFirstField", {0, 0}, {{0.2, "1,x"}, {0.6, "1,7"}}},
      {"LongAndNulLines", {}, {{0.55, "1," + std::string(5000, '7')}, {0.35, std::string("1,4\0junk", 8)}}},
  };
  std::mt19937 random(5);
  TempFolder folder;
  for (const auto& c : cases) {
    std::string log = Log(random, "\n", c.Fields);
    for (const auto& [fraction, bytes] : c.Planted) {
      Plant(log, fraction, bytes);
    }
    const std::string file = folder.Write("log.csv", log);
    const std::vector<double> expected = SkippingOneByOne(file);
    TSkippedLines skipped;
    const std::vector<double> loaded = LoadedSkipping(file, skipped);
    ASSERT_EQ(loaded.size(), expected.size()) << c.Name;
    EXPECT_TRUE(SameValuesAndGaps(loaded, expected)) << c.Name;
    const auto gaps = static_cast<std::size_t>(
        std::count_if(expected.begin(), expected.end(), [](double v) { return std::isnan(v); }));
    EXPECT_EQ(skipped.Count, gaps) << c.Name;
  }
}

// However many threads convert, the values are the same bits, the words
// and gaps in the same places, and the load ends at the same line.
TEST(ParallelLoad, EveryThreadCountLoadsTheSameBits) {
  std::mt19937 random(11);
  TempFolder folder;
  std::string log = Log(random, "\n", {});
  Plant(log, 0.3, "1,Rich");
  Plant(log, 0.6, "1,x");
  Plant(log, 0.9, "1,y");
  const std::string file = folder.Write("log.csv", log);
  const auto load = [&file](std::size_t threads) {
    TLoadOptions options;
    options.Threads = threads;
    options.SkipBadLines = true;
    TLineSeries series;
    const TLoadResult result = LogLoader(file, options).Load(series, clBlue, {});
    std::vector<std::uint64_t> bits;
    for (const double value : Ys(series)) {
      bits.push_back(std::bit_cast<std::uint64_t>(value));
    }
    return std::make_tuple(bits, EveryIndex(series.PointCount(), [&series](int i) { return series.IsNullPoint(i); }),
                           result.End, result.Next, result.Skipped.Count);
  };
  const auto one = load(1);
  ASSERT_GT(std::get<0>(one).size(), 600000U);
  EXPECT_EQ(std::get<4>(one), 2U);
  for (std::size_t threads = 2; threads <= 8; ++threads) {
    EXPECT_TRUE(load(threads) == one) << threads << " threads";
  }
}

// A long load shows its progress; Cancel ends it like a bad line would, with
// the samples read so far, and says so.
TEST(ParallelLoad, CancelKeepsTheSamplesReadSoFar) {
  std::mt19937 random(3);
  TempFolder folder;
  const std::string file = folder.Write("log.csv", Log(random, "\n", {}));
  TForm1 form(folder.Folder());
  DialogScript script;
  form.Document().Load(0, file);
  ASSERT_GT(script.ProgressReports.size(), 2U);
  EXPECT_TRUE(std::is_sorted(script.ProgressReports.begin(), script.ProgressReports.end()));
  EXPECT_EQ(script.ProgressReports.back(), 1.0);
  const int all = form.Series1.PointCount();

  script.ProgressReports.clear();
  script.CancelProgressAfter = 1;
  const TLoaded loaded = LoadedInTheWindow(form, file);
  EXPECT_EQ(script.ProgressReports.size(), 2U);
  const int kept = form.Series1.PointCount();
  EXPECT_GT(kept, 0);
  EXPECT_LT(kept, all);
  EXPECT_EQ(loaded.Error,
            "Loading '" + file + "' was cancelled; the first " + std::to_string(kept) + " samples are shown");
  EXPECT_EQ(form.Chart1.Title().Text(), (std::vector<std::string>{"Value"}));
}

}  // namespace
