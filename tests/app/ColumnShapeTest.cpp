// Which logs are multi-column: the shapes other recorders and spreadsheets
// write, and the one-parameter logs of the diagnostic tool that must stay
// what they are whatever their titles hold.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "log/ColumnShape.h"
#include "runtime/Exception.h"
#include "tests/SampleLogs.h"
#include "tests/app/TempFolder.h"

namespace {

using Names = std::vector<std::string>;
using Columns = std::vector<std::size_t>;

TEST(ColumnShape, TellsMultiColumnLogsFromOneParameterLogs) {
  const struct {
    const char* Name = "";
    std::string Head;
    bool WholeFile = true;
    char Delimiter = 0;  // 0: a one-parameter log
    Names ColumnNames = {};
    bool Stamped = false;
    Columns Data = {};
  } cases[] = {
      {"title with commas", "hdr,Lambda, ratio, x\n0,1.0\n1,2.0\n"},
      {"title with semicolons", "hdr,a;b;c\n0,1.5\n1,2\n"},
      {"title with tabs", "hdr,a\tb\tc\n0,1.5\n"},
      {"words with a leading field", "hdr,Lambda\n0,Rich\n1,12.5\n2,Lean\n"},
      {"two fields", "Time,RPM\n0.1,800\n0.2,810\n"},
      {"commas", "Time,RPM,Lambda\n0.1,800,1.000\n0.2,810,0.990\n", true, ',', {"Time", "RPM", "Lambda"}, true, {1, 2}},
      {"semicolons, decimal commas",
       "time;rpm;lambda\r\n0,1;1000;0,98\r\n0,2;1010;1\r\n",
       true,
       ';',
       {"time", "rpm", "lambda"},
       true,
       {1, 2}},
      {"tabs", "t\ta\tb\n1\t2\t3,5\n", true, '\t', {"t", "a", "b"}, true, {1, 2}},
      {"quoted fields",
       "\"Time\",\"RPM\",\"Lambda\"\n\"0.1\",\"800\",\"1,5\"\n",
       true,
       ',',
       {"Time", "RPM", "Lambda"},
       true,
       {1, 2}},
      {"a ragged line", "Time,RPM,Lambda\n0.1,800,1.0\n0.2,810\n"},
      {"sensor words", "Time,O2,RPM\n0.1,Rich,800\n0.2,Lean,810\n", true, ',', {"Time", "O2", "RPM"}, true, {1, 2}},
      {"another word", "Time,Mode,RPM\n0.1,Idle,800\n"},
      {"an empty field", "Time,RPM,Lambda\n0.1,,1.0\n"},
      {"clock stamps",
       "Time,RPM,Lambda\n12:00:40.5,800,1.0\n12:00:41,810,1.0\n",
       true,
       ',',
       {"Time", "RPM", "Lambda"},
       true,
       {1, 2}},
      {"clock stamps, decimal commas",
       "Time;RPM;Lambda\n12:00:40,5;800;1\n",
       true,
       ';',
       {"Time", "RPM", "Lambda"},
       true,
       {1, 2}},
      {"a first column of values, not increasing",
       "A,B,C\n5,1,2\n3,1,2\n",
       true,
       ',',
       {"A", "B", "C"},
       false,
       {0, 1, 2}},
      {"a first column of text", "Date,B,C\nmonday,1,2\n", true, ',', {"Date", "B", "C"}, false, {1, 2}},
      {"a header only", "Time,RPM,Lambda\n"},
      {"an unfinished line left for later",
       "Time,RPM,Lambda\n0.1,800,1.0\n0.2,8",
       false,
       ',',
       {"Time", "RPM", "Lambda"},
       true,
       {1, 2}},
      {"0x1A ends the file",
       "Time,RPM,Lambda\n0.1,800,1.0\n\x1a"
       "0.2,8",
       false,
       ',',
       {"Time", "RPM", "Lambda"},
       true,
       {1, 2}},
  };
  for (const auto& c : cases) {
    const std::optional<TColumnShape> shape = RecogniseColumns(c.Head, c.WholeFile);
    ASSERT_EQ(shape.has_value(), c.Delimiter != 0) << c.Name;
    if (shape) {
      EXPECT_EQ(shape->Delimiter, c.Delimiter) << c.Name;
      EXPECT_EQ(shape->Names, c.ColumnNames) << c.Name;
      EXPECT_EQ(shape->Stamped, c.Stamped) << c.Name;
      EXPECT_EQ(shape->DataColumns, c.Data) << c.Name;
    }
  }
}

TEST(ColumnShape, TheSampleLogsAreOneParameterLogs) {
  for (const std::string& path : SampleLogPaths()) {
    EXPECT_FALSE(ReadColumnShape(path)) << path;
  }
}

TEST(ColumnShape, ShapeSampleLinesLinesDecide) {
  std::string head = "Time,RPM,Lambda\n";
  for (std::size_t line = 0; line < ShapeSampleLines; ++line) {
    head += std::to_string(line) + ",800,1.0\n";
  }
  EXPECT_TRUE(RecogniseColumns(head + "bad line\n", true));
  EXPECT_FALSE(RecogniseColumns("Time,RPM,Lambda\nbad,line\n" + head.substr(16), true));
}

TEST(ColumnShape, ColumnsAreFoundByNameThenNumber) {
  const TColumnShape shape = *RecogniseColumns("Time,RPM,2\n0.1,800,1\n", true);
  const struct {
    const char* Name = "";
    std::optional<std::size_t> Column;
  } cases[] = {{"RPM", 1},
               {"2", 2},
               {"3", 2},
               {"1", std::nullopt},
               {"Time", std::nullopt},
               {"4", std::nullopt},
               {"0", std::nullopt},
               {"rpm", std::nullopt},
               {"", std::nullopt}};
  for (const auto& c : cases) {
    EXPECT_EQ(FindColumn(shape, c.Name), c.Column) << c.Name;
  }
}

TEST(ColumnShape, AFieldsCommaIsItsDecimalPointAndWordsKeepTheirValues) {
  const struct {
    const char* Field = "";
    double Value = 0;
  } cases[] = {{"1,5", 1.5}, {"1.5", 1.5}, {" -0,25 ", -0.25}, {"Rich", 2.0}, {"Lean", 1.0}, {"800", 800.0}};
  for (const char separator : {'.', ','}) {
    for (const auto& c : cases) {
      EXPECT_EQ(ColumnValue(c.Field, separator), c.Value) << c.Field;
    }
  }
  EXPECT_THROW(ColumnValue("1,5,5", '.'), EConvertError);
}

TEST(ColumnShape, QuotesKeepTheDelimiterInAField) {
  EXPECT_EQ(SplitFields("a,\"b,c\",d", ','), (std::vector<std::string_view>{"a", "b,c", "d"}));
  EXPECT_EQ(SplitFields("a;;", ';'), (std::vector<std::string_view>{"a", "", ""}));
}

}  // namespace
